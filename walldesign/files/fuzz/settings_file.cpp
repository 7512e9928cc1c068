// Reads Tavelond's settings from arbitrary text and writes them back: every
// value read lies in its range and what is written reads back the same.
#include "platform/inifile.h"
#include "walldesign/files/settings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    sps::TIniFile ini("fuzz.ini");
    ini.SetText(std::string(reinterpret_cast<const char*>(data), size));
    wd::TPreferences p = wd::ReadPreferences(ini);
    if (p.AutoSavePeriod < wd::kMinAutoSavePeriod || p.AutoSavePeriod > wd::kMaxAutoSavePeriod || p.Units > 1)
        std::abort();
    sps::TIniFile out("fuzz.ini");
    wd::WritePreferences(out, p);
    wd::TPreferences q = wd::ReadPreferences(out);
    if (q.AutoSavePeriod != p.AutoSavePeriod || q.Units != p.Units || q.MakeBackup != p.MakeBackup ||
        q.Colors.BG != p.Colors.BG || q.OpenLastFile != p.OpenLastFile)
        std::abort();
    return 0;
}
