#include "walldesign/files/settings.h"

#include "platform/error.h"
#include "platform/inifile.h"
#include "platform/numtext.h"

#include <algorithm>

namespace wd {

namespace {

constexpr const char* kPreferences = "Preferences";
constexpr const char* kColors = "Colors";

bool HasLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

std::string OneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

} // namespace

int ClampAutoSavePeriod(int minutes) { return std::clamp(minutes, kMinAutoSavePeriod, kMaxAutoSavePeriod); }

int AutoSavePeriodFromText(const std::string& text)
{
    int64_t value = 0;
    if (!sps::TryParseInt(text, value) || value < INT32_MIN || value > INT32_MAX)
        return kDefaultAutoSavePeriod;
    return ClampAutoSavePeriod(static_cast<int>(value));
}

std::string SettingsFileFor(const std::string& programPath)
{
    size_t slash = programPath.find_last_of('/');
    size_t dot = programPath.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return programPath + ".ini";
    return programPath.substr(0, dot) + ".ini";
}

TPreferences ReadPreferences(const sps::TIniFile& ini)
{
    TPreferences p;
    p.MakeBackup = ini.ReadBool(kPreferences, "MakeBackup", true);
    p.AutoSave = ini.ReadBool(kPreferences, "AutoSave", false);
    p.AutoSavePeriod =
        ClampAutoSavePeriod(ini.ReadInteger(kPreferences, "AutoSavePeriod", kDefaultAutoSavePeriod));
    p.BackupPath = ini.ReadString(kPreferences, "BackupPath", "");
    p.Units = ini.ReadInteger(kPreferences, "Units", 1) == 0 ? 0 : 1;
    p.Company = ini.ReadString(kPreferences, "Company", "");
    p.Author = ini.ReadString(kPreferences, "Author", "");
    p.OpenLastFile = ini.ReadBool(kPreferences, "OpenLastFile", false);
    p.LastFile = ini.ReadString(kPreferences, "LastFile", kNoname);
    p.CoverImage = ini.ReadBool(kPreferences, "CoverImage", false);
    for (const TDrawingColorKey& key : kDrawingColorKeys) {
        sps::TColor def = p.Colors.*key.Field;
        p.Colors.*key.Field = static_cast<sps::TColor>(ini.ReadInteger(kColors, key.Key, static_cast<int>(def)));
    }
    return p;
}

void WritePreferences(sps::TIniFile& ini, const TPreferences& p)
{
    ini.WriteBool(kPreferences, "MakeBackup", p.MakeBackup);
    ini.WriteBool(kPreferences, "AutoSave", p.AutoSave);
    ini.WriteInteger(kPreferences, "AutoSavePeriod", p.AutoSavePeriod);
    ini.WriteString(kPreferences, "BackupPath", OneLine(p.BackupPath));
    ini.WriteInteger(kPreferences, "Units", p.Units);
    ini.WriteString(kPreferences, "Company", OneLine(p.Company));
    ini.WriteString(kPreferences, "Author", OneLine(p.Author));
    ini.WriteBool(kPreferences, "OpenLastFile", p.OpenLastFile);
    ini.WriteString(kPreferences, "LastFile", HasLineBreak(p.LastFile) ? std::string(kNoname) : p.LastFile);
    for (const TDrawingColorKey& key : kDrawingColorKeys)
        ini.WriteString(kColors, key.Key, ColorText(p.Colors.*key.Field));
}

std::string ColorText(sps::TColor color) { return sps::Format("$%.8X", static_cast<unsigned>(color)); }

} // namespace wd
