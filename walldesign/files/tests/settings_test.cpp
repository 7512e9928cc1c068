// Tavelond's settings file: defaults, write order and format, clamped period.
#include "platform/inifile.h"
#include "walldesign/files/settings.h"

#include <gtest/gtest.h>

#include <string>

namespace wd {
namespace {

constexpr const char* kDefaultText = "[Preferences]\r\n"
                                     "MakeBackup=1\r\n"
                                     "AutoSave=0\r\n"
                                     "AutoSavePeriod=10\r\n"
                                     "BackupPath=\r\n"
                                     "Units=1\r\n"
                                     "Company=\r\n"
                                     "Author=\r\n"
                                     "OpenLastFile=0\r\n"
                                     "LastFile=Noname\r\n"
                                     "[Colors]\r\n"
                                     "Water=$00FF0000\r\n"
                                     "Ground=$00026080\r\n"
                                     "SP=$000000FF\r\n"
                                     "Text=$00000000\r\n"
                                     "BG=$00FFFFFF\r\n"
                                     "Vector=$00808080\r\n"
                                     "Anchor=$00808080\r\n"
                                     "Axis=$00808080\r\n";

TEST(TavelondSettings, DefaultsWrittenInOrderWithoutCoverImage)
{
    sps::TIniFile empty("/nonexistent/Tavelond.ini");
    TPreferences p = ReadPreferences(empty);
    EXPECT_TRUE(p.MakeBackup);
    EXPECT_FALSE(p.AutoSave);
    EXPECT_EQ(p.Units, 1);
    EXPECT_EQ(p.LastFile, "Noname");
    EXPECT_FALSE(p.CoverImage);
    WritePreferences(empty, p);
    EXPECT_EQ(empty.Text(), kDefaultText);

    // What was written reads back; CoverImage is only read.
    sps::TIniFile ini("x.ini");
    ini.SetText("[Preferences]\r\nCoverImage=1\r\nUnits=0\r\nLastFile=/p/a b.spc\r\n[Colors]\r\nBG=$00C0C0C0\r\n");
    TPreferences q = ReadPreferences(ini);
    EXPECT_TRUE(q.CoverImage);
    EXPECT_EQ(q.Units, 0);
    EXPECT_EQ(q.LastFile, "/p/a b.spc");
    EXPECT_EQ(q.Colors.BG, 0x00C0C0C0u);
    EXPECT_EQ(q.Colors.Water, 0x00FF0000u);
    q.CoverImage = false;
    WritePreferences(ini, q);
    EXPECT_NE(ini.Text().find("CoverImage=1"), std::string::npos);
    EXPECT_EQ(ColorText(0x00026080), "$00026080");
}

TEST(TavelondSettings, PeriodAndUnitsAreClampedAndTextsStayOnOneLine)
{
    for (auto [text, minutes] : {std::pair{"0", 1}, {"99", 30}, {"x", 10}, {"-5", 1}, {"7", 7}, {"", 10}}) {
        sps::TIniFile ini("x.ini");
        ini.SetText(std::string("[Preferences]\nAutoSavePeriod=") + text + "\nUnits=7\n");
        EXPECT_EQ(ReadPreferences(ini).AutoSavePeriod, minutes) << text;
        EXPECT_EQ(ReadPreferences(ini).Units, 1) << text;
        EXPECT_EQ(AutoSavePeriodFromText(text), minutes) << text;
    }
    EXPECT_EQ(AutoSavePeriodFromText("99999999999"), 10);

    TPreferences p;
    p.Author = "A.\nEngineer";
    p.LastFile = "/tmp/odd\nname.spc";
    sps::TIniFile ini("x.ini");
    WritePreferences(ini, p);
    EXPECT_NE(ini.Text().find("Author=A. Engineer\r\n"), std::string::npos);
    EXPECT_NE(ini.Text().find("LastFile=Noname\r\n"), std::string::npos);
    EXPECT_EQ(SettingsFileFor("/opt/suite/Tavelond"), "/opt/suite/Tavelond.ini");
    EXPECT_EQ(SettingsFileFor("/opt/v1.2/Tavelond.exe"), "/opt/v1.2/Tavelond.ini");
}

TEST(TavelondSettings, AFileCutAtEveryLengthReadsWithinItsRanges)
{
    std::string full = std::string(kDefaultText) + "CoverImage=1\r\n";
    full.replace(full.find("AutoSavePeriod=10"), 17, "AutoSavePeriod=25");
    for (size_t n = 0; n <= full.size(); n++) {
        sps::TIniFile ini("x.ini");
        ini.SetText(full.substr(0, n));
        TPreferences p = ReadPreferences(ini);
        EXPECT_GE(p.AutoSavePeriod, kMinAutoSavePeriod) << n;
        EXPECT_LE(p.AutoSavePeriod, kMaxAutoSavePeriod) << n;
        EXPECT_LE(p.Units, 1) << n;
    }
}

} // namespace
} // namespace wd
