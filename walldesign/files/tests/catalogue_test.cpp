// The catalogue data files: the reader, the row parser, the build-time writer
// and the shipped files.
#include "platform/bytes.h"
#include "platform/error.h"
#include "platform/numtext.h"
#include "walldesign/files/catalogue.h"
#include "walldesign/files/catalogue_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include <unistd.h>

namespace wd {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

std::string ExpectInvalid(const Bytes& bytes, const std::string& path)
{
    try {
        ReadCatalogueBytes(bytes, path);
    } catch (const sps::Exception& e) {
        EXPECT_EQ(e.Message(), "Invalid input file " + path);
        return e.Message();
    }
    ADD_FAILURE() << "no error";
    return {};
}

TEST(CatalogueTextTest, ScrambledTextReadsBack)
{
    const std::string plain = "ZS 18\t138.9\t109.0\t38571\t1786\r\nUS 24\t181.5\t142.5\t53497\t2352\r\n";
    Bytes bytes = ScrambleCatalogueText(plain);
    ASSERT_EQ(bytes.size(), plain.size() + 1);
    uint8_t check = 0;
    for (size_t i = 0; i + 1 < bytes.size(); ++i)
        check ^= bytes[i];
    EXPECT_EQ(bytes.back(), check);
    EXPECT_EQ(ReadCatalogueBytes(bytes, "x.dat"), plain);
}

TEST(CatalogueTextTest, KeyRunsOnAcrossLineBreaks)
{
    // Characters 13 and 14 use the key's first two characters again.
    const std::string plain = "abcdefghijk\r\nxy";
    Bytes bytes = ScrambleCatalogueText(plain);
    EXPECT_EQ(bytes[11], '\r' ^ 's');
    EXPECT_EQ(bytes[12], '\n' ^ 'k');
    EXPECT_EQ(bytes[13], 'x' ^ 'T');
    EXPECT_EQ(bytes[14], 'y' ^ 'r');
}

TEST(CatalogueTextTest, SingleZeroByteIsAnEmptyCatalogue)
{
    EXPECT_EQ(ReadCatalogueBytes(Bytes{0x00}, "empty.dat"), "");
    EXPECT_TRUE(ReadCatalogueRows("", kSheetPileNumbers, "empty.dat").empty());
}

TEST(CatalogueTextTest, EmptyFileAndBadCheckByteAreInvalid)
{
    ExpectInvalid(Bytes{}, "/data/sheetpiles.dat");
    ExpectInvalid(Bytes{0x01}, "/data/sheetpiles.dat");
    ExpectInvalid(Bytes{0x1A, 0x00}, "/data/sheetpiles.dat");

    const Bytes good = ScrambleCatalogueText("S 355 GP\t355\r\n");
    for (size_t i = 0; i < good.size(); ++i) {
        Bytes bad = good;
        bad[i] ^= 0x01;
        if (bad[i] == kEndOfFileMark)
            bad[i] ^= 0x03;
        ExpectInvalid(bad, "steelgrades.dat");
    }
}

TEST(CatalogueTextTest, ReadingStopsAtTheEndOfFileByte)
{
    Bytes bytes = ScrambleCatalogueText("S 240 GP\t240\r\n");
    Bytes tail = bytes;
    tail.push_back(kEndOfFileMark);
    tail.push_back(0x55);
    tail.push_back(0x66);
    EXPECT_EQ(ReadCatalogueBytes(tail, "x.dat"), "S 240 GP\t240\r\n");
}

TEST(CatalogueTextTest, CutAtEveryLengthFailsOrGivesThePrefix)
{
    const std::string plain = "S 240 GP\t240\r\nS 270 GP\t270\r\nS 320 GP\t320\r\n";
    const Bytes bytes = ScrambleCatalogueText(plain);
    for (size_t n = 0; n < bytes.size(); ++n) {
        Bytes cut(bytes.begin(), bytes.begin() + static_cast<long>(n));
        try {
            // The last byte of a prefix can match the check of the bytes before it by chance.
            std::string text = ReadCatalogueBytes(cut, "cut.dat");
            ASSERT_GT(n, 0u);
            EXPECT_EQ(text, plain.substr(0, n - 1)) << n;
        } catch (const sps::Exception& e) {
            EXPECT_EQ(e.Message(), "Invalid input file cut.dat");
        }
    }
}

class CatalogueFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("twmodel_cat_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(CatalogueFileTest, ReadsAFileAndNamesItInErrors)
{
    std::string path = (dir_ / "steelgrades.dat").string();
    sps::WriteFileAtomic(path, ScrambleCatalogueText("S 355 GP\t355\r\n"));
    EXPECT_EQ(ReadCatalogueText(path), "S 355 GP\t355\r\n");

    sps::WriteFileAtomic(path, Bytes{});
    try {
        ReadCatalogueText(path);
        FAIL() << "no error";
    } catch (const sps::Exception& e) {
        EXPECT_EQ(e.Message(), "Invalid input file " + path);
    }

    std::string missing = (dir_ / "sheetpiles.dat").string();
    try {
        ReadCatalogueText(missing);
        FAIL() << "no error";
    } catch (const sps::Exception& e) {
        EXPECT_NE(e.Message().find(missing), std::string::npos) << e.Message();
    }
}

TEST(CatalogueRowsTest, RowsOfNameAndNumbers)
{
    auto rows = ReadCatalogueRows("ZS 18\t138.9\t109\t38571\t1786\r\nUS 7\t91.2\t71.6\t8221\t663", kSheetPileNumbers,
                                  "x.dat");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Name, "ZS 18");
    EXPECT_EQ(rows[0].Values, (std::vector<float>{138.9f, 109.0f, 38571.0f, 1786.0f}));
    EXPECT_EQ(rows[1].Name, "US 7");

    // LF and CR line ends, one line break at the end adds no row.
    EXPECT_EQ(ReadCatalogueRows("A\t1\nB\t2\rC\t3\n", 1, "x.dat").size(), 3u);
    EXPECT_EQ(ReadCatalogueRows("A\t1\r\n", 1, "x.dat").size(), 1u);
}

TEST(CatalogueRowsTest, RowsThatAreNoListRowsAreInvalid)
{
    for (const char* text : {"A\t1\r\n\r\nB\t2\r\n", "A\r\n", "A\t1\t2\r\n", "\t1\r\n", "A\tx\r\n", "A\t\r\n",
                             "A\tnan\r\n", "A\t1e39\r\n"}) {
        try {
            ReadCatalogueRows(text, 1, "/opt/steelgrades.dat");
            ADD_FAILURE() << "no error for " << text;
        } catch (const sps::Exception& e) {
            EXPECT_EQ(e.Message(), "Invalid input file /opt/steelgrades.dat");
        }
    }
}

TEST(CatalogueRowsTest, NumbersWithAPointReadUnderEverySeparator)
{
    char saved = sps::DecimalSeparator();
    sps::SetDecimalSeparator(',');
    std::vector<TCatalogueRow> rows;
    EXPECT_NO_THROW(rows = ReadCatalogueRows("A\t138.9\r\nB\t2,5\r\n", 1, "x.dat"));
    sps::SetDecimalSeparator(saved);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Values[0], 138.9f);
    EXPECT_EQ(rows[1].Values[0], 2.5f);
}

TEST(CatalogueWriterTest, WritesRowsWithTabsAndLineBreaks)
{
    Bytes bytes;
    std::string error;
    ASSERT_TRUE(BuildCatalogueFile("# comment\n\nS 240 GP, 240\r\n  S 270 GP ,270  \n", kSteelGradeNumbers, "g.csv",
                                   bytes, error))
        << error;
    EXPECT_EQ(ReadCatalogueBytes(bytes, "g.dat"), "S 240 GP\t240\r\nS 270 GP\t270\r\n");
}

TEST(CatalogueWriterTest, RefusesBrokenSourcesNamingTheLine)
{
    struct Case {
        const char* source;
        const char* where;
    };
    const Case cases[] = {
        {"# grades\nS 240 GP, 240, 1\n", "g.csv:2: "},
        {"S 240 GP\n", "g.csv:1: "},
        {"A, 1\n, 240\n", "g.csv:2: "},
        {"ABCDEFGHIJKLMNOPQRSTU, 1\n", "g.csv:1: "},
        {"A, -1\n", "g.csv:1: "},
        {"A, 0\n", "g.csv:1: "},
        {"A, 1e3\n", "g.csv:1: "},
        {"A, 2.\n", "g.csv:1: "},
        {"A, 2,5\n", "g.csv:1: "},
        {"A\x01, 1\n", "g.csv:1: "},
        // 'N' under the key's 'T' scrambles to 0x1A.
        {"# first\n# second\nN 1, 1\n", "g.csv:3: "},
        {"AB, 1\nXWZ, 2\nN, 3\n", "g.csv:3: "},
    };
    for (const Case& c : cases) {
        Bytes bytes;
        std::string error;
        EXPECT_FALSE(BuildCatalogueFile(c.source, kSteelGradeNumbers, "g.csv", bytes, error)) << c.source;
        EXPECT_EQ(error.rfind(c.where, 0), 0u) << c.source << " -> " << error;
    }
    Bytes bytes;
    std::string error;
    EXPECT_FALSE(BuildCatalogueFile("# nothing\n", kSteelGradeNumbers, "g.csv", bytes, error));
    EXPECT_NE(error.find("no rows"), std::string::npos);
}

TEST(CatalogueWriterTest, RefusesACheckByteOfEndOfFile)
{
    // Find a one-row text whose check byte is 0x1A and refuse it.
    bool found = false;
    for (int n = 1; n < 100000 && !found; ++n) {
        std::string plain = "S 1\t" + std::to_string(n) + "\r\n";
        Bytes scrambled = ScrambleCatalogueText(plain);
        bool dataHasMark = false;
        for (size_t i = 0; i + 1 < scrambled.size(); ++i)
            dataHasMark |= scrambled[i] == kEndOfFileMark;
        if (dataHasMark || scrambled.back() != kEndOfFileMark)
            continue;
        found = true;
        Bytes bytes;
        std::string error;
        std::string source = "# grades\nS 1, " + std::to_string(n) + "\n";
        EXPECT_FALSE(BuildCatalogueFile(source, kSteelGradeNumbers, "g.csv", bytes, error));
        EXPECT_EQ(error.rfind("g.csv:2: the check byte", 0), 0u) << error;
    }
    EXPECT_TRUE(found);
}

std::string SourceFile(const std::string& name)
{
    const char* dir = std::getenv("SPS_SOURCE_DIR");
    if (!dir)
        return {};
    std::string path = std::string(dir) + "/data/tavelond/" + name;
    Bytes b = sps::ReadFileBytes(path);
    return std::string(b.begin(), b.end());
}

TEST(ShippedCatalogueTest, SheetPilesAreReadableAndPlausible)
{
    // The build writes the files into the test folder.
    std::string text = ReadCatalogueText(kSheetPileFile);
    auto rows = ReadCatalogueRows(text, kSheetPileNumbers, kSheetPileFile);
    ASSERT_GE(rows.size(), 40u);
    std::set<std::string> families, names;
    for (const TCatalogueRow& r : rows) {
        EXPECT_LE(r.Name.size(), kCatalogueNameChars);
        families.insert(r.Name.substr(0, r.Name.find(' ')));
        names.insert(r.Name);
        float area = r.Values[0], mass = r.Values[1], inertia = r.Values[2], modulus = r.Values[3];
        EXPECT_GT(area, 20.0f) << r.Name;
        EXPECT_LT(area, 400.0f) << r.Name;
        // Steel: 7850 kg/m3, so 0.785 kg/m2 per cm2/m.
        EXPECT_NEAR(mass, area * 0.785f, 0.1f) << r.Name;
        // Wall height 2 I / W lies between 5 cm and 70 cm.
        float height = 2.0f * inertia / modulus;
        EXPECT_GT(height, 5.0f) << r.Name;
        EXPECT_LT(height, 70.0f) << r.Name;
    }
    EXPECT_GE(families.size(), 3u);
    EXPECT_EQ(names.size(), rows.size());

    std::string source = SourceFile("sheetpiles.csv");
    if (!source.empty()) {
        Bytes expected;
        std::string error;
        ASSERT_TRUE(BuildCatalogueFile(source, kSheetPileNumbers, "sheetpiles.csv", expected, error)) << error;
        EXPECT_EQ(sps::ReadFileBytes(kSheetPileFile), expected);
    }
}

TEST(ShippedCatalogueTest, SteelGradesAreTheSheetPileGrades)
{
    auto rows = ReadCatalogueRows(ReadCatalogueText(kSteelGradeFile), kSteelGradeNumbers, kSteelGradeFile);
    const char* names[] = {"S 240 GP", "S 270 GP", "S 320 GP", "S 355 GP", "S 390 GP", "S 430 GP"};
    const float yields[] = {240, 270, 320, 355, 390, 430};
    ASSERT_EQ(rows.size(), 6u);
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].Name, names[i]);
        EXPECT_EQ(rows[i].Values[0], yields[i]);
    }
}

TEST(ShippedCatalogueTest, ShippedFilesCutAtEveryLengthNeverCrash)
{
    for (const char* file : {kSheetPileFile, kSteelGradeFile}) {
        const Bytes bytes = sps::ReadFileBytes(file);
        for (size_t n = 0; n < bytes.size(); ++n) {
            Bytes cut(bytes.begin(), bytes.begin() + static_cast<long>(n));
            try {
                std::string text = ReadCatalogueBytes(cut, file);
                ReadCatalogueRows(text, kSheetPileNumbers, file);
            } catch (const sps::Exception& e) {
                EXPECT_EQ(e.Message(), std::string("Invalid input file ") + file);
            }
        }
    }
}

} // namespace
} // namespace wd
