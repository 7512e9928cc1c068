// Tavelond's settings file: the program's path with the extension ".ini",
// sections "Preferences" and "Colors".
#pragma once

#include "walldesign/report/colors.h"

#include <cstdint>
#include <string>

namespace sps {
class TIniFile;
}

namespace wd {

inline constexpr const char* kNoname = "Noname";

// Auto-save period in minutes: 1 to 30, 10 for text that is no integer.
inline constexpr int kMinAutoSavePeriod = 1;
inline constexpr int kMaxAutoSavePeriod = 30;
inline constexpr int kDefaultAutoSavePeriod = 10;
int ClampAutoSavePeriod(int minutes);
// The period a text gives: its integer clamped, or 10 when it is none.
int AutoSavePeriodFromText(const std::string& text);

struct TPreferences {
    bool MakeBackup = true;
    bool AutoSave = false;
    int AutoSavePeriod = kDefaultAutoSavePeriod;
    std::string BackupPath;
    uint8_t Units = 1; // 0 metric, 1 imperial
    std::string Company;
    std::string Author;
    bool OpenLastFile = false;
    std::string LastFile = kNoname;
    bool CoverImage = false; // read only
    TDrawingColors Colors;
};

// The settings file beside a program: its path with the extension ".ini".
std::string SettingsFileFor(const std::string& programPath);

// Reads every key; missing or unreadable values give their defaults, the
// period is clamped and a unit system other than 0 counts as imperial.
TPreferences ReadPreferences(const sps::TIniFile& ini);
// Writes every key but CoverImage in the file's order, colours as "$" and
// eight upper-case hex digits. Line breaks in texts become blanks; a last
// file name that holds one is written as "Noname".
void WritePreferences(sps::TIniFile& ini, const TPreferences& preferences);

// The colour as the settings file writes it, e.g. "$00FF0000".
std::string ColorText(sps::TColor color);

} // namespace wd
