#include "platform/inifile.h"

#include "platform/bytes.h"
#include "platform/error.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace sps;
namespace fs = std::filesystem;

namespace {

class IniFile : public testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("sps_ini_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = (dir / "Kestrane.INI").string();
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, ec);
        fs::remove_all(dir, ec);
    }
    void Put(const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
    }
    std::string Get()
    {
        auto b = ReadFileBytes(path);
        return std::string(b.begin(), b.end());
    }
    fs::path dir;
    std::string path;
};

} // namespace

TEST_F(IniFile, MissingFileReadsAsEmptyAndIsCreatedOnUpdate)
{
    TIniFile ini(path);
    EXPECT_FALSE(ini.SectionExists("Units"));
    EXPECT_TRUE(ini.ReadBool("Units", "Metric", true));
    EXPECT_EQ(ini.ReadString("SFMinReq", "SFMinRequired", ""), "");
    EXPECT_EQ(ini.ReadInteger("Preferences", "AutoSavePeriod", 10), 10);
    EXPECT_FALSE(fs::exists(path)); // reading creates nothing
    ini.WriteBool("Units", "Metric", true);
    ini.WriteString("SFMinReq", "SFMinRequired", "1.50");
    ini.WriteString("SFMaxReq", "SFMaxRequired", "10.00");
    ini.WriteBool("WQ Catalogue", "Enabled", false);
    ini.UpdateFile();
    EXPECT_EQ(Get(), "[Units]\r\nMetric=1\r\n[SFMinReq]\r\nSFMinRequired=1.50\r\n[SFMaxReq]\r\nSFMaxRequired=10.00\r\n"
                     "[WQ Catalogue]\r\nEnabled=0\r\n");
    TIniFile back(path);
    EXPECT_TRUE(back.ReadBool("units", "METRIC", false));
    EXPECT_FALSE(back.ReadBool("wq catalogue", "enabled", true));
    EXPECT_EQ(back.ReadString("SFMaxReq", "SFMaxRequired", ""), "10.00");
}

TEST_F(IniFile, LookupIgnoresCaseAndBlanksAndKeepsTheFirstOccurrence)
{
    Put("; settings\r\n"
        "orphan=1\r\n"
        "  [ Preferences ]  \r\n"
        "  MakeBackup =  0  \r\n"
        "BackupPath= /tmp/backup dir \r\n"
        "makebackup=1\r\n"
        "just text\r\n"
        "[Colors]\r\n"
        "Water=$00FF0000\r\n"
        "Text=$FF00000F\r\n"
        "Bad=12x\r\n"
        "Huge=99999999999\r\n"
        "[preferences]\r\n"
        "Units=0\r\n");
    TIniFile ini(path);
    EXPECT_TRUE(ini.SectionExists("PREFERENCES"));
    EXPECT_TRUE(ini.ValueExists("preferences", "MAKEBACKUP"));
    EXPECT_FALSE(ini.ValueExists("Preferences", "Units")); // second section of that name is not searched
    EXPECT_FALSE(ini.ValueExists("Preferences", "orphan"));
    EXPECT_FALSE(ini.ValueExists("Preferences", "just text"));
    EXPECT_FALSE(ini.ReadBool("Preferences", "MakeBackup", true));
    EXPECT_EQ(ini.ReadString("Preferences", "BackupPath", ""), "/tmp/backup dir");
    EXPECT_EQ(ini.ReadInteger("Colors", "Water", 0), 0x00FF0000);
    EXPECT_EQ(ini.ReadInteger("Colors", "Text", 0), static_cast<int>(0xFF00000Fu));
    EXPECT_EQ(ini.ReadInteger("Colors", "Bad", 7), 7);
    EXPECT_EQ(ini.ReadInteger("Colors", "Huge", 7), 7);
    EXPECT_TRUE(ini.ReadBool("Colors", "Bad", true));
    EXPECT_FALSE(ini.ReadBool("Colors", "Bad", false));
    EXPECT_TRUE(ini.ReadBool("Colors", "Water", false));
    EXPECT_EQ(ini.ReadSection("preferences"), (std::vector<std::string>{"MakeBackup", "BackupPath", "makebackup"}));
}

TEST_F(IniFile, RewriteKeepsOrderCommentsAndUnknownLines)
{
    Put("; my settings\n"
        "[Preferences]\n"
        "MakeBackup=1\n"
        "# not a key\n"
        "AutoSave=0\n"
        "\n"
        "[Colors]\n"
        "Water=$00FF0000\n");
    TIniFile ini(path);
    ini.WriteBool("preferences", "autosave", true); // in place, the file's spelling
    ini.WriteInteger("Preferences", "AutoSavePeriod", 10); // after the last line of the section
    ini.WriteString("Colors", "Ground", "$00026080");
    ini.WriteString("Extra", "Key", "v");
    ini.UpdateFile();
    EXPECT_EQ(Get(), "; my settings\n"
                     "[Preferences]\n"
                     "MakeBackup=1\n"
                     "# not a key\n"
                     "AutoSave=1\n"
                     "AutoSavePeriod=10\n"
                     "\n"
                     "[Colors]\n"
                     "Water=$00FF0000\n"
                     "Ground=$00026080\n"
                     "[Extra]\n"
                     "Key=v\n");
}

TEST_F(IniFile, ByteOrderMarkAndCrLfAreKept)
{
    Put("\xEF\xBB\xBF[Units]\r\nMetric=0\r\n");
    TIniFile ini(path);
    EXPECT_TRUE(ini.ValueExists("Units", "Metric"));
    ini.WriteBool("Units", "Metric", true);
    ini.UpdateFile();
    EXPECT_EQ(Get(), "\xEF\xBB\xBF[Units]\r\nMetric=1\r\n");
}

TEST_F(IniFile, AnyRunOfCarriageReturnsEndsALine)
{
    // Stray CRs before the LF, or CRs alone, end a line: no CR stays in a name
    // or value, so a section is never written twice and no key is lost.
    Put("[Preferences\r\r\nMakeBackup=0\r\r\nAuthor=Ann \r\r\r\n\r\n[Colors]\rWater=$00FF0000\rText=$00000000\n"
        "\n[Units]\r\nMetric=1");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadSection("Preferences"), (std::vector<std::string>{"MakeBackup", "Author"}));
    EXPECT_EQ(ini.ReadString("Preferences", "Author", ""), "Ann");
    EXPECT_EQ(ini.ReadInteger("Colors", "Water", 0), 0x00FF0000);
    EXPECT_TRUE(ini.ValueExists("Colors", "Text"));
    ini.WriteBool("Preferences", "AutoSave", true);
    ini.WriteString("Colors", "SP", "$000000FF");
    ini.UpdateFile();
    EXPECT_EQ(Get(), "[Preferences\r\nMakeBackup=0\r\nAuthor=Ann \r\nAutoSave=1\r\n\r\n[Colors]\r\nWater=$00FF0000\r\n"
                     "Text=$00000000\r\nSP=$000000FF\r\n\r\n[Units]\r\nMetric=1\r\n");
    TIniFile back(path);
    EXPECT_EQ(back.ReadSection("Preferences"), (std::vector<std::string>{"MakeBackup", "Author", "AutoSave"}));
    EXPECT_EQ(back.ReadSection("Colors"), (std::vector<std::string>{"Water", "Text", "SP"}));
    EXPECT_TRUE(back.ReadBool("Units", "Metric", false));
}

TEST_F(IniFile, UnchangedTextIsNotWritten)
{
    Put("[Units]\r\nMetric=1\r\n");
    auto before = fs::last_write_time(path);
    fs::last_write_time(path, before - std::chrono::hours(1));
    before = fs::last_write_time(path);
    TIniFile ini(path);
    ini.WriteBool("Units", "Metric", true);
    ini.UpdateFile();
    EXPECT_EQ(fs::last_write_time(path), before);
}

TEST_F(IniFile, BadNamesAndValuesAreRefused)
{
    TIniFile ini(path);
    EXPECT_THROW(ini.WriteString("Units", "", "1"), Exception);
    EXPECT_THROW(ini.WriteString("Units", "a=b", "1"), Exception);
    EXPECT_THROW(ini.WriteString("Units", "[x", "1"), Exception);
    EXPECT_THROW(ini.WriteString("Un]its", "a", "1"), Exception);
    EXPECT_THROW(ini.WriteString("Units", "a", "1\r\n[Evil]"), Exception);
    EXPECT_EQ(ini.Text(), "");
    ini.WriteString("Units", "a", "x=y");
    EXPECT_EQ(ini.ReadString("Units", "a", ""), "x=y");
}

TEST_F(IniFile, WriteFailuresRaiseAndKeepTheOldFile)
{
    Put("[Units]\r\nMetric=1\r\n");
    TIniFile ini(path);
    ini.WriteBool("Units", "Metric", false);
    if (::geteuid() != 0) {
        fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
        try {
            ini.UpdateFile();
            ADD_FAILURE() << "no error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "Cannot create a file in folder " + dir.string() + ": Permission denied");
        }
        fs::permissions(dir, fs::perms::owner_all);
        EXPECT_EQ(Get(), "[Units]\r\nMetric=1\r\n");
    }
    TIniFile nowhere((dir / "no such folder" / "x.ini").string());
    nowhere.WriteBool("Units", "Metric", true);
    EXPECT_THROW(nowhere.UpdateFile(), Exception);

    // A file that cannot be read is never replaced by what little we know.
    TIniFile folder(dir.string());
    EXPECT_FALSE(folder.SectionExists("Units"));
    folder.WriteBool("Units", "Metric", true);
    EXPECT_THROW(folder.UpdateFile(), Exception);
    EXPECT_TRUE(fs::is_directory(dir));
}

TEST_F(IniFile, ASettingsFileThatIsNoRegularFileReadsAsEmptyAndStays)
{
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    auto readsAndRefuses = [this] {
        ::alarm(20); // a FIFO without a writer would block for ever
        TIniFile ini(path);
        if (ini.SectionExists("Units"))
            return false;
        ini.WriteBool("Units", "Metric", true);
        try {
            ini.UpdateFile(); // never replaced by what little we know
            return false;
        } catch (const Exception&) {
            return true;
        }
    };
    EXPECT_EXIT(std::_Exit(readsAndRefuses() ? 0 : 1), testing::ExitedWithCode(0), "");
    EXPECT_TRUE(fs::is_fifo(path));
}

TEST_F(IniFile, TextCutAtEveryLengthReads)
{
    const std::string text = "; c\r\n[Units]\r\nMetric=1\r\n[Colors]\r\nWater=$00FF0000\r\n";
    for (size_t cut = 0; cut <= text.size(); ++cut) {
        TIniFile ini(path);
        ini.SetText(text.substr(0, cut));
        ini.ReadBool("Units", "Metric", false);
        ini.ReadInteger("Colors", "Water", 0);
        ini.WriteString("Colors", "Water", "$00000000");
        TIniFile again(path);
        again.SetText(ini.Text());
        EXPECT_EQ(again.ReadString("Colors", "Water", ""), "$00000000") << cut;
    }
}
