#include "corrosion/catalogue.h"

#include "calcframe/scrambled.h"
#include "corrosion/scrambled_text.h"
#include "data/rovandel/sources.h"
#include "helpers.h"
#include "platform/bytes.h"
#include "platform/error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <unistd.h>

using namespace cr;

namespace {

void ExpectCorrupted(const std::vector<uint8_t>& bytes, const std::string& what)
{
    try {
        LoadCatalogue(bytes);
        ADD_FAILURE() << what << ": accepted";
    } catch (const sps::Exception& e) {
        EXPECT_EQ(e.Message(), kCatalogueCorrupted) << what;
    }
}

void ExpectCorrupted(const Catalogue& cat, const std::string& what)
{
    EXPECT_FALSE(FindCatalogueFault(cat).empty()) << what;
    ExpectCorrupted(WriteCatalogue(cat), what);
}

struct CountField
{
    std::string name;
    size_t offset;
    bool oneByte;
};

// Where each count of the file lies, walking the layout of `cat`'s file.
std::vector<CountField> CountFields(const Catalogue& cat)
{
    const size_t nFam = cat.familyNames.size(), nSec = cat.sectionNames.size(), nLoss = cat.lossSteps.size();
    const size_t nYears = cat.serviceLifePoints.size();
    std::vector<CountField> f;
    size_t p = 0;
    f.push_back({"families", p, false});
    f.push_back({"sections", p + 2, false});
    p += 4 + nFam * 12 + (nFam + 1) * 4;
    f.push_back({"loss steps", p, false});
    p += 2 + nLoss * 2 + 2 * nLoss * nSec * 8 + nSec * 12 + nSec * 4 + 4 * nSec * 8;
    f.push_back({"metric grades", p, true});
    p += 1 + cat.metricGrades.names.size() * 20;
    f.push_back({"imperial grades", p, true});
    p += 1 + cat.imperialGrades.names.size() * 20;
    f.push_back({"service-life points", p, false});
    p += 2 + nYears * 2;
    for (int e = 0; e < kEnvironmentCount; ++e) {
        f.push_back({"details of environment " + std::to_string(e), p, false});
        p += 2;
        for (const std::string& d : cat.environments[e].descriptions)
            p += 2 + d.size();
        p += nYears * cat.environments[e].descriptions.size() * 8;
    }
    f.push_back({"service-life choices", p, false});
    p += 2 + cat.serviceLifeChoices.size() * 2;
    f.push_back({"protection choices", p, false});
    p += 2 + cat.protectionChoices.size() * 2;
    f.push_back({"end", p + 6 + 24, false});
    return f;
}

} // namespace

TEST(CatalogueFile, ShippedFileReadsBackToItsSources)
{
    const std::vector<uint8_t> file = sps::ReadFileBytes(kCatalogueFileName);
    const Catalogue sources = rovdata::BuildCatalogue(crtest::SourceDir());
    EXPECT_EQ(WriteCatalogue(sources), file);

    const Catalogue cat = crtest::Shipped();
    EXPECT_EQ(WriteCatalogue(cat), file);
    EXPECT_EQ(cat.sectionNames, sources.sectionNames);
    EXPECT_EQ(cat.familyNames, (std::vector<std::string>{"KX", "FY", "GV"}));
    EXPECT_EQ(cat.metricGrades.names, sources.metricGrades.names);
    EXPECT_EQ(cat.imperialGrades.names.back(), "A 690");
    for (int e = 0; e < kEnvironmentCount; ++e)
        EXPECT_EQ(cat.environments[e].descriptions, sources.environments[e].descriptions);
    EXPECT_EQ(cat.environments[kSoil].descriptions[0], "Undisturbed natural soils (sand, silt, clay, schist, ...)");
    EXPECT_EQ(cat.environments[kWater].descriptions[2],
              "Sea water in temperate climate in the zone of high attack (low water and splash zones)");
    EXPECT_EQ(cat.serviceLifePoints, (std::vector<int16_t>{0, 5, 25, 50, 75, 100}));
    EXPECT_EQ(cat.familyRanges.size(), 4u);
    EXPECT_EQ(cat.familyRanges[0].Count(), cat.SectionCount());
    EXPECT_GE(cat.SectionCount(), 15);
    // Every section runs out of reduced values somewhere in the tables, but
    // not all at the same loss step.
    int firstZeroMin = 1000, firstZeroMax = 0;
    for (int a = 0; a < cat.SectionCount(); ++a) {
        int r = 0;
        while (r < cat.LossStepCount() && cat.sx[r][a] > 0)
            ++r;
        firstZeroMin = std::min(firstZeroMin, r);
        firstZeroMax = std::max(firstZeroMax, r);
    }
    EXPECT_LT(firstZeroMin, firstZeroMax);
    EXPECT_LT(firstZeroMin, cat.LossStepCount());
}

TEST(CatalogueFile, LimitsAndTheirImperialValuesAreCutNotRounded)
{
    const Catalogue cat = crtest::Shipped();
    EXPECT_EQ(cat.mmax, 11000);
    EXPECT_EQ(cat.nmax, 35000); // above the signed 16-bit range
    EXPECT_EQ(cat.fmax, 50);
    EXPECT_EQ(cat.maxWallLength, 2000.0);
    EXPECT_EQ(cat.maxPileLength, 33.0);
    EXPECT_EQ(cat.maxCorrosionRate, 0.20);
    EXPECT_DOUBLE_EQ(cat.mmaxImperial, 2472.0);
    EXPECT_DOUBLE_EQ(cat.nmaxImperial, 2397.4);
    EXPECT_DOUBLE_EQ(cat.fmaxImperial, 19.6);          // 19.685 is cut
    EXPECT_DOUBLE_EQ(cat.maxWallLengthImperial, 6561.70);
    EXPECT_DOUBLE_EQ(cat.maxPileLengthImperial, 108.26); // 108.268 is cut
    // Converted back, an imperial limit never exceeds the metric one.
    EXPECT_LE(cat.nmaxImperial * 14.598915, 35000.0);
    EXPECT_LE(cat.maxPileLengthImperial * 0.304799, 33.0);
}

TEST(CatalogueFile, LoadLimitsAreStoredUnsigned)
{
    const std::vector<uint8_t> bytes = WriteCatalogue(crtest::Small());
    const size_t p = CountFields(crtest::Small()).back().offset - 30;
    EXPECT_EQ(bytes[p + 2], 0xB8); // 35000 = 0x88B8
    EXPECT_EQ(bytes[p + 3], 0x88);
    EXPECT_EQ(LoadCatalogue(bytes).nmax, 35000);
}

TEST(CatalogueFile, EveryCutIsRefusedAndTrailingBytesAreIgnored)
{
    for (const Catalogue& cat : {crtest::Shipped(), crtest::Small()}) {
        std::vector<uint8_t> bytes = WriteCatalogue(cat);
        EXPECT_EQ(CountFields(cat).back().offset, bytes.size());
        for (size_t n = 0; n < bytes.size(); ++n)
            ExpectCorrupted(std::vector<uint8_t>(bytes.begin(), bytes.begin() + n), "cut at " + std::to_string(n));
        bytes.insert(bytes.end(), {1, 2, 3, 4, 5});
        EXPECT_EQ(LoadCatalogue(bytes).SectionCount(), cat.SectionCount());
    }
}

TEST(CatalogueFile, EachCorruptedCountIsRefused)
{
    for (const Catalogue& cat : {crtest::Shipped(), crtest::Small()}) {
        const std::vector<uint8_t> good = WriteCatalogue(cat);
        std::vector<CountField> fields = CountFields(cat);
        fields.pop_back();
        for (const CountField& f : fields) {
            std::vector<uint8_t> bytes = good;
            if (f.oneByte) {
                for (uint8_t v : {128, 200, 255}) {
                    bytes[f.offset] = v;
                    ExpectCorrupted(bytes, f.name + " = " + std::to_string(v));
                }
                bytes[f.offset] = 127;
                ExpectCorrupted(bytes, f.name + " = 127");
                continue;
            }
            for (int16_t v : {int16_t(-1), int16_t(-32768), int16_t(32767), int16_t(4000)}) {
                bytes[f.offset] = static_cast<uint8_t>(v & 0xFF);
                bytes[f.offset + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
                ExpectCorrupted(bytes, f.name + " = " + std::to_string(v));
            }
        }
    }
}

TEST(CatalogueFile, InconsistentTablesAreRefused)
{
    Catalogue c = crtest::Small();
    c.lossSteps = {0, 2, 2};
    ExpectCorrupted(c, "loss steps not ascending");

    c = crtest::Small();
    c.lossSteps = {0};
    c.sx.resize(1);
    c.ax.resize(1);
    ExpectCorrupted(c, "one loss step");

    c = crtest::Small();
    c.serviceLifePoints = {10, 0};
    ExpectCorrupted(c, "service-life points descending");

    c = crtest::Small();
    c.serviceLifePoints = {0};
    for (auto& env : c.environments)
        env.loss.resize(1);
    ExpectCorrupted(c, "one service-life point");

    c = crtest::Small();
    c.environments[kSoil] = {};
    c.environments[kSoil].loss.resize(2);
    ExpectCorrupted(c, "environment without details");

    c = crtest::Small();
    c.familyRanges[1] = {0, 2};
    ExpectCorrupted(c, "family past the last section");

    c = crtest::Small();
    c.familyRanges[2] = {-1, 1};
    ExpectCorrupted(c, "family before the first section");

    c = crtest::Small();
    c.pairWidth[0] = std::numeric_limits<double>::quiet_NaN();
    ExpectCorrupted(c, "NaN pair width");

    c = crtest::Small();
    c.sx[1][1] = std::numeric_limits<double>::infinity();
    ExpectCorrupted(c, "infinite Sx");
}

TEST(CatalogueFile, EmptyRangesAndZeroValuesStayLegal)
{
    Catalogue c = crtest::Small();
    c.familyRanges[1] = {1, 0};       // first above last: lists nothing
    c.familyRanges[2] = {100, -100};  // also empty
    c.pairWidth[0] = 0;               // guarded where it is used
    c.ax[0][1] = 0;
    c.metricGrades = {};
    c.serviceLifeChoices = {};
    const Catalogue back = LoadCatalogue(WriteCatalogue(c));
    EXPECT_EQ(back.familyRanges[1].Count(), 0);
    EXPECT_EQ(back.familyRanges[2].Count(), 0);
    EXPECT_TRUE(back.metricGrades.names.empty());
}

TEST(CatalogueFile, NamesAreTrimmedAndOverlongOnesRefused)
{
    Catalogue c = crtest::Small();
    c.sectionNames = {"  AA 10", "BB 20    "};
    c.familyNames = {"AA", "           "};
    const Catalogue back = LoadCatalogue(WriteCatalogue(c));
    EXPECT_EQ(back.sectionNames, (std::vector<std::string>{"AA 10", "BB 20"}));
    EXPECT_EQ(back.familyNames[1], "");

    // A length byte above the capacity of 11.
    std::vector<uint8_t> bytes = WriteCatalogue(crtest::Small());
    bytes[4] = 12;
    ExpectCorrupted(bytes, "family name of length 12");
}

TEST(CatalogueFile, NamesAndTextsAreStoredScrambled)
{
    const std::vector<uint8_t> bytes = WriteCatalogue(crtest::Small());
    // The family name "AA" is not stored as plain text.
    EXPECT_EQ(bytes[4], 2);
    EXPECT_NE(bytes[5], 'A');
    const std::string all(bytes.begin(), bytes.end());
    EXPECT_EQ(all.find("Sea splash"), std::string::npos);
    EXPECT_EQ(all.find("S 355"), std::string::npos);

    for (int e = 0; e < kEnvironmentCount; ++e) {
        sps::ByteWriter w;
        WriteScrambledText(w, "Polluted, 1.50 mm", TextPeriod(e));
        w.I16(0);  // an empty text: its two length bytes only
        w.I16(-5); // a negative length is an empty text as well
        w.U8(0x7E);
        cf::BlockReader r(w.Bytes().data(), w.Size(), kCatalogueFileName);
        EXPECT_EQ(ReadScrambledText(r, TextPeriod(e)), "Polluted, 1.50 mm");
        EXPECT_EQ(ReadScrambledText(r, TextPeriod(e)), "");
        EXPECT_EQ(ReadScrambledText(r, TextPeriod(e)), "");
        EXPECT_EQ(r.U8(), 0x7E);
    }
    // The three lists scramble differently.
    EXPECT_NE(ScrambleTextByte('a', 8, TextPeriod(kAtmospheric)), ScrambleTextByte('a', 8, TextPeriod(kSoil)));
    EXPECT_NE(ScrambleTextByte('a', 12, TextPeriod(kSoil)), ScrambleTextByte('a', 12, TextPeriod(kWater)));
}

TEST(CatalogueFile, MissingOrUnreadableFileCountsAsCorrupted)
{
    try {
        LoadCatalogueFile("no such folder/SSP Rovandel.daa");
        ADD_FAILURE() << "accepted";
    } catch (const sps::Exception& e) {
        EXPECT_EQ(e.Message(), kCatalogueCorrupted);
    }
    try {
        LoadCatalogueFile(std::filesystem::current_path().string());
        ADD_FAILURE() << "a folder was accepted";
    } catch (const sps::Exception& e) {
        EXPECT_EQ(e.Message(), kCatalogueCorrupted);
    }
}

TEST(CatalogueSources, ModelAndToolChecks)
{
    // The thin-walled model by hand for one pair: h 400, b 1.2, bf 300,
    // tf 10, tw 9. c = 390, web run 300, web length s = hypot(390, 300).
    rovdata::SectionGeometry g{"AA", "AA 1", 400, 1.2, 300, 10, 9};
    const double s = std::hypot(390.0, 300.0);
    const double area = 2 * 300 * 10 + 2 * s * 9;
    const double inertia = 2 * 300 * 10 * 195.0 * 195.0 + 2 * 9 * s * 390.0 * 390.0 / 12;
    rovdata::ModelValues v = rovdata::SectionModel(g, 0);
    EXPECT_NEAR(v.ax, area / 1.2 / 100, 1e-9);
    EXPECT_NEAR(v.sx, inertia / 200 / 1.2 / 1000, 1e-9);
    EXPECT_NEAR(rovdata::PairMass(g), area * 7.85e-3, 1e-9);
    // Values while the thinner plate keeps half its thickness, none beyond.
    EXPECT_GT(rovdata::SectionModel(g, 4.5).sx, 0);
    EXPECT_EQ(rovdata::SectionModel(g, 5).sx, 0);
    EXPECT_LT(rovdata::SectionModel(g, 2).sx, v.sx);

    // A source folder with a fault is refused with its file and line.
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("rovandel_sources_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir);
    std::filesystem::copy(crtest::SourceDir(), dir);
    {
        std::ofstream out(dir / "loss_steps.csv", std::ios::app);
        out << "3\n";
    }
    try {
        rovdata::BuildCatalogue(dir.string());
        ADD_FAILURE() << "descending loss steps accepted";
    } catch (const sps::Exception& e) {
        EXPECT_NE(e.Message().find("loss_steps.csv:"), std::string::npos) << e.Message();
    }
    std::filesystem::remove_all(dir);
}
