// Reads arbitrary text as an ini file, looks keys up, writes and reads it again:
// the text written must read back to the same text and keep the keys written.
#include "platform/error.h"
#include "platform/inifile.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    sps::TIniFile ini("/nonexistent/fuzz.ini");
    ini.SetText(std::string(reinterpret_cast<const char*>(data), size));
    ini.ReadBool("Units", "Metric", false);
    ini.ReadInteger("Colors", "Water", 0);
    ini.ReadSection("Preferences");
    try {
        ini.WriteString("Preferences", "AutoSave", "1");
        ini.WriteString("New Section", "Key", "value");
    } catch (const sps::Exception&) {
    }
    // What is written reads back as the same lines: no key is lost or doubled.
    sps::TIniFile again("/nonexistent/fuzz.ini");
    again.SetText(ini.Text());
    if (again.Text() != ini.Text())
        __builtin_trap();
    if (again.ReadString("New Section", "Key", "") != "value")
        __builtin_trap();
    if (again.ReadString("Preferences", "AutoSave", "") != "1")
        __builtin_trap();
    return 0;
}
