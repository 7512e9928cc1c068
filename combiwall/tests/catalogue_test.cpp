#include "shipped.h"

#include "calcframe/scrambled.h"
#include "platform/error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>

using namespace cw;
using namespace cwtest;

namespace {

const std::string kCorrupted = "\"WQ KX Data.daa\" file seems to be corrupted. Reinstall original file.";

bool IsCorrupted(const std::vector<uint8_t>& bytes)
{
    try {
        LoadCatalogue(bytes);
    } catch (const sps::Exception& e) {
        EXPECT_EQ(e.Message(), kCorrupted);
        return true;
    }
    return false;
}

void PutI16(std::vector<uint8_t>& b, size_t at, int v)
{
    b[at] = static_cast<uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<uint8_t>((v >> 8) & 0xFF);
}

// Byte offsets of the blocks after the header, from the file's own counts.
struct Layout {
    size_t kingConnectors = 0; // first connector column of the king piles
    size_t builtUpKingCount = 0;
    size_t builtUpSheetCount = 0;
};

Layout LayoutOf(const Catalogue& c)
{
    Layout l;
    size_t at = 26 + c.combinations.Size() * (20 + 5 * 8);
    for (const SteelGradeTable& g : c.grades)
        at += g.Size() * (12 + 8);
    at += c.kingPiles.Size() * (9 + 8);
    l.kingConnectors = at;
    at += c.kingPiles.Size() * 3 + c.connectors.Size() * (9 + 8) + c.sheetPiles.Size() * (6 + 8);
    l.builtUpKingCount = at;
    at += 2 + c.builtUpKingPiles.Size() * (12 + 3 * 8 + 2 * 4);
    l.builtUpSheetCount = at;
    return l;
}

} // namespace

TEST(CatalogueFile, ShippedFileHoldsTheTablesOfTheSources)
{
    const Catalogue& f = Shipped();
    const Catalogue& s = Sources();
    // The build writes the same bytes from the same sources.
    EXPECT_EQ(ShippedBytes(), EncodeCatalogue(s));

    EXPECT_EQ(f.combinations.names, s.combinations.names);
    EXPECT_EQ(f.combinations.sxWQ, s.combinations.sxWQ);
    EXPECT_EQ(f.combinations.area, s.combinations.area);
    EXPECT_EQ(f.combinations.sxKX, s.combinations.sxKX);
    EXPECT_EQ(f.combinations.sxNJ, s.combinations.sxNJ);
    EXPECT_EQ(f.combinations.b, s.combinations.b);
    EXPECT_EQ(f.nA, s.nA);
    EXPECT_EQ(f.nB, s.nB);
    EXPECT_EQ(f.nC, s.nC);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(f.grades[i].names, s.grades[i].names) << i;
        EXPECT_EQ(f.grades[i].fyk, s.grades[i].fyk) << i;
    }
    EXPECT_EQ(f.kingPiles.names, s.kingPiles.names);
    EXPECT_EQ(f.kingPiles.unitWeight, s.kingPiles.unitWeight);
    EXPECT_EQ(f.kingPiles.connectors, s.kingPiles.connectors);
    EXPECT_EQ(f.connectors.names, s.connectors.names);
    EXPECT_EQ(f.connectors.unitWeight, s.connectors.unitWeight);
    EXPECT_EQ(f.sheetPiles.names, s.sheetPiles.names);
    EXPECT_EQ(f.sheetPiles.unitWeight, s.sheetPiles.unitWeight);
    EXPECT_EQ(f.builtUpKingPiles.names, s.builtUpKingPiles.names);
    EXPECT_EQ(f.builtUpKingPiles.dWQ, s.builtUpKingPiles.dWQ);
    EXPECT_EQ(f.builtUpKingPiles.dNJ, s.builtUpKingPiles.dNJ);
    EXPECT_EQ(f.builtUpKingPiles.area, s.builtUpKingPiles.area);
    EXPECT_EQ(f.builtUpKingPiles.ix, s.builtUpKingPiles.ix);
    EXPECT_EQ(f.builtUpKingPiles.width, s.builtUpKingPiles.width);
    EXPECT_EQ(f.builtUpSheetPiles.names, s.builtUpSheetPiles.names);
    EXPECT_EQ(f.builtUpSheetPiles.height, s.builtUpSheetPiles.height);
    EXPECT_EQ(f.builtUpSheetPiles.unused, s.builtUpSheetPiles.unused);
    EXPECT_EQ(f.builtUpSheetPiles.ix, s.builtUpSheetPiles.ix);
    EXPECT_EQ(f.builtUpSheetPiles.width, s.builtUpSheetPiles.width);
    EXPECT_EQ(f.builtUpSheetPiles.unitWeight, s.builtUpSheetPiles.unitWeight);
}

TEST(CatalogueFile, ShippedContent)
{
    const Catalogue& c = Shipped();
    EXPECT_EQ(c.nA, 48);
    EXPECT_EQ(c.nB, 48);
    EXPECT_EQ(c.nC, 48);
    EXPECT_GT(c.CombinationCount(), c.nA + c.nB + c.nC); // rows listed only under " ALL"
    EXPECT_GE(c.CombinationCount(), 150);
    EXPECT_LE(c.CombinationCount(), 200);
    // Names are padded with blanks to their capacity.
    EXPECT_EQ(c.combinations.names[0], "WQ 575 A-12 / KX 13");
    EXPECT_EQ(c.combinations.names.back(), "WQ 975 D-C23       ");
    EXPECT_EQ(c.builtUpSheetPiles.names[0], "KX 13   ");
    EXPECT_EQ(c.Grades(Member::SheetPile, true).names[0], "S 240 GP   ");
    EXPECT_EQ(c.Grades(Member::SheetPile, false).names[1], "A 572 Gr 50");
    for (int m = 0; m < kMemberCount; ++m) {
        for (bool metric : {true, false}) {
            const SteelGradeTable& g = c.Grades(static_cast<Member>(m), metric);
            EXPECT_EQ(g.names.back(), "A 690      ");
            EXPECT_EQ(g.fyk.back(), metric ? 345 : 50);
        }
    }
    EXPECT_EQ(c.kingPiles.Size(), 12u);
    const char* groups[3] = {"/ KX 13", "/ KX 18", "/ KX 26"};
    for (int row = 0; row < c.CombinationCount(); ++row) {
        const std::string& name = c.combinations.names[static_cast<size_t>(row)];
        int g = row < c.nA ? 0 : row < c.nA + c.nB ? 1 : row < c.nA + c.nB + c.nC ? 2 : 3;
        if (g < 3)
            EXPECT_NE(name.find(groups[g]), std::string::npos) << name;
        else
            EXPECT_TRUE(name.find("C1 ") != std::string::npos || name.find("C23") != std::string::npos) << name;
    }
}

TEST(CatalogueFile, EveryCutIsACorruptedFile)
{
    std::vector<uint8_t> b = ShippedBytes();
    for (size_t len = 0; len < b.size(); ++len) {
        std::vector<uint8_t> cut(b.begin(), b.begin() + static_cast<ptrdiff_t>(len));
        ASSERT_TRUE(IsCorrupted(cut)) << "cut at " << len;
    }
    // Bytes after the last block are ignored.
    b.insert(b.end(), {1, 2, 3, 4, 5});
    EXPECT_EQ(LoadCatalogue(b).combinations.names, Shipped().combinations.names);
}

TEST(CatalogueFile, CorruptedCountsAreRefused)
{
    const std::vector<uint8_t>& b = ShippedBytes();
    const Catalogue& c = Shipped();
    auto corrupt = [&](size_t at, int value) {
        std::vector<uint8_t> bad = b;
        PutI16(bad, at, value);
        return IsCorrupted(bad);
    };
    for (size_t i = 0; i < 13; ++i) {
        EXPECT_TRUE(corrupt(2 * i, -1)) << "count " << i + 1;
        EXPECT_TRUE(corrupt(2 * i, -32768)) << "count " << i + 1;
    }
    EXPECT_TRUE(corrupt(0, 32767)); // more combinations than the file holds
    EXPECT_TRUE(corrupt(0, c.nA + c.nB + c.nC - 1)); // fewer rows than the groups hold
    for (size_t i = 1; i <= 3; ++i)
        EXPECT_TRUE(corrupt(2 * i, c.CombinationCount())) << "group " << i;
    for (size_t i = 4; i < 13; ++i) {
        EXPECT_TRUE(corrupt(2 * i, 128)) << "count " << i + 1; // outside a signed byte
        EXPECT_TRUE(corrupt(2 * i, 200)) << "count " << i + 1;
    }
    Layout l = LayoutOf(c);
    for (size_t at : {l.builtUpKingCount, l.builtUpSheetCount}) {
        EXPECT_TRUE(corrupt(at, -1));
        EXPECT_TRUE(corrupt(at, 32767));
    }
    // One sheet pile more than stored: the last block runs past the end.
    EXPECT_TRUE(corrupt(l.builtUpSheetCount, static_cast<int>(c.builtUpSheetPiles.Size()) + 1));
    // The counts as stored read.
    EXPECT_FALSE(corrupt(l.builtUpSheetCount, static_cast<int>(c.builtUpSheetPiles.Size())));
}

TEST(CatalogueFile, InconsistentTablesAreRefused)
{
    const std::vector<uint8_t>& b = ShippedBytes();
    const Catalogue& c = Shipped();
    Layout l = LayoutOf(c);
    // A connector index outside the connector table.
    for (int v : {-1, static_cast<int>(c.connectors.Size()), 127}) {
        std::vector<uint8_t> bad = b;
        bad[l.kingConnectors + c.kingPiles.Size() * 2 + 3] = static_cast<uint8_t>(v);
        EXPECT_TRUE(IsCorrupted(bad)) << v;
    }
    // A name whose length byte exceeds its record.
    std::vector<uint8_t> bad = b;
    bad[26 + 20] = 20;
    EXPECT_TRUE(IsCorrupted(bad));
    // A value that is not a number.
    for (double v : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        bad = b;
        std::memcpy(&bad[26 + c.combinations.Size() * 20 + 8], &v, 8);
        EXPECT_TRUE(IsCorrupted(bad));
    }
}

TEST(CatalogueFile, EmptyTablesReadAsEmptyColumns)
{
    Catalogue c = Sources();
    c.grades[3] = SteelGradeTable{};
    c.builtUpKingPiles = BuiltUpKingPileTable{};
    c.builtUpSheetPiles = BuiltUpSheetPileTable{};
    Catalogue back = LoadCatalogue(EncodeCatalogue(c));
    EXPECT_EQ(back.grades[3].Size(), 0u);
    EXPECT_EQ(back.grades[4].names, c.grades[4].names);
    EXPECT_EQ(back.builtUpKingPiles.Size(), 0u);
    EXPECT_EQ(back.builtUpSheetPiles.Size(), 0u);
    EXPECT_EQ(back.combinations.names, c.combinations.names);

    Catalogue none;
    EXPECT_EQ(LoadCatalogue(EncodeCatalogue(none)).CombinationCount(), 0);
}

TEST(CatalogueFile, WriterRefusesTablesThatDoNotFit)
{
    auto refuses = [](const std::function<void(Catalogue&)>& change, const std::string& text) {
        Catalogue c = Sources();
        change(c);
        try {
            EncodeCatalogue(c);
            ADD_FAILURE() << text;
        } catch (const sps::Exception& e) {
            EXPECT_NE(e.Message().find(text), std::string::npos) << e.Message();
        }
    };
    refuses([](Catalogue& c) { c.combinations.b.pop_back(); }, "combinations: column length");
    refuses([](Catalogue& c) { c.nC += 100; }, "groups hold more rows");
    refuses([](Catalogue& c) { c.kingPiles.connectors[2][0] = 7; }, "connector index 7");
    refuses([](Catalogue& c) { c.sheetPiles.names[0] = "KX 13 A"; }, "longer than 5");
    refuses([](Catalogue& c) { c.grades[0].fyk[0] = NAN; }, "not a finite number");
    refuses([](Catalogue& c) { c.connectors.names.resize(128, "X"); c.connectors.unitWeight.resize(128, 1); },
            "at most 127");
}

TEST(CatalogueFile, FileReading)
{
    const Catalogue& c = Shipped();
    EXPECT_EQ(c.combinations.names, Sources().combinations.names);
    std::string path = testing::TempDir() + "kestrane_short.daa";
    std::vector<uint8_t> b = ShippedBytes();
    b.resize(b.size() / 2);
    sps::WriteFileAtomic(path, b);
    EXPECT_THROW(
        {
            try {
                LoadCatalogueFile(path);
            } catch (const sps::Exception& e) {
                EXPECT_EQ(e.Message(), kCorrupted);
                throw;
            }
        },
        sps::Exception);
    std::remove(path.c_str());
    EXPECT_THROW(LoadCatalogueFile(path), sps::Exception);
}
