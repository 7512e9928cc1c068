#include "combiwall/catalogue.h"

#include "calcframe/blockreader.h"
#include "calcframe/scrambled.h"
#include "platform/bytes.h"
#include "platform/error.h"

#include <cmath>

namespace cw {

namespace {

constexpr int64_t kMaxInt16Count = INT16_MAX;
constexpr int64_t kMaxInt8Count = INT8_MAX;

const char* const kGradeTableNames[6] = {
    "king pile metric grades", "king pile imperial grades", "connector metric grades",
    "connector imperial grades", "sheet pile metric grades", "sheet pile imperial grades",
};

struct FaultFinder {
    std::string fault;

    bool Check(bool ok, const std::string& what)
    {
        if (!ok && fault.empty())
            fault = what;
        return ok;
    }
    template <class T>
    void Column(const std::vector<T>& column, size_t rows, const std::string& what)
    {
        Check(column.size() == rows, what + ": column length differs from the number of names");
    }
    void Finite(const std::vector<double>& column, const std::string& what)
    {
        for (double v : column) {
            if (!Check(std::isfinite(v), what + ": value is not a finite number"))
                return;
        }
    }
    void Names(const std::vector<std::string>& names, size_t capacity, int64_t maxCount, const std::string& what)
    {
        Check(static_cast<int64_t>(names.size()) <= maxCount,
              what + ": " + std::to_string(names.size()) + " rows, at most " + std::to_string(maxCount) + " fit");
        for (const std::string& n : names) {
            if (!Check(n.size() <= capacity,
                       what + ": name \"" + n + "\" is longer than " + std::to_string(capacity) + " characters"))
                return;
        }
    }
};

void WriteDoubles(sps::ByteWriter& w, const std::vector<double>& v)
{
    for (double d : v)
        w.F64(d);
}

void WriteInt32s(sps::ByteWriter& w, const std::vector<int32_t>& v)
{
    for (int32_t i : v)
        w.I32(i);
}

void WriteNames(sps::ByteWriter& w, const std::vector<std::string>& names, size_t capacity, int16_t start)
{
    std::vector<uint8_t> b = cf::EncodeScrambledNames(names, capacity, start);
    w.Write(b.data(), b.size());
}

Catalogue ReadCatalogue(cf::BlockReader& r)
{
    namespace sc = cf::scramble;
    Catalogue cat;
    std::vector<int16_t> h = r.Int16s(13);
    size_t nComb = r.Count(h[0], kMaxInt16Count);
    cat.nA = static_cast<int>(r.Count(h[1], kMaxInt16Count));
    cat.nB = static_cast<int>(r.Count(h[2], kMaxInt16Count));
    cat.nC = static_cast<int>(r.Count(h[3], kMaxInt16Count));
    size_t nGrades[6];
    for (int i = 0; i < 6; ++i)
        nGrades[i] = r.Count(h[4 + i], kMaxInt8Count);
    size_t nKing = r.Count(h[10], kMaxInt8Count);
    size_t nConn = r.Count(h[11], kMaxInt8Count);
    size_t nSheet = r.Count(h[12], kMaxInt8Count);

    CombinationTable& c = cat.combinations;
    c.names = r.Names(nComb, kCombinationNameCapacity, sc::kCombinationNames);
    c.sxWQ = r.Doubles(nComb);
    c.area = r.Doubles(nComb);
    c.sxKX = r.Doubles(nComb);
    c.sxNJ = r.Doubles(nComb);
    c.b = r.Doubles(nComb);

    for (int i = 0; i < 6; ++i) {
        cat.grades[i].names = r.Names(nGrades[i], kGradeNameCapacity, sc::kGradeNames);
        cat.grades[i].fyk = r.Doubles(nGrades[i]);
    }

    cat.kingPiles.names = r.Names(nKing, kKingPileNameCapacity, sc::kKingPileNames);
    cat.kingPiles.unitWeight = r.Doubles(nKing);
    for (auto& column : cat.kingPiles.connectors)
        column = r.Int8s(nKing);

    cat.connectors.names = r.Names(nConn, kConnectorNameCapacity, sc::kConnectorNames);
    cat.connectors.unitWeight = r.Doubles(nConn);

    cat.sheetPiles.names = r.Names(nSheet, kSheetPileNameCapacity, sc::kSheetPileNames);
    cat.sheetPiles.unitWeight = r.Doubles(nSheet);

    BuiltUpKingPileTable& kp = cat.builtUpKingPiles;
    size_t nKP = r.Count(r.I16(), kMaxInt16Count);
    kp.names = r.Names(nKP, kBuiltUpKingPileNameCapacity, sc::kBuiltUpKingPileNames);
    kp.dWQ = r.Doubles(nKP);
    kp.dNJ = r.Doubles(nKP);
    kp.area = r.Doubles(nKP);
    kp.ix = r.Int32s(nKP);
    kp.width = r.Int32s(nKP);

    BuiltUpSheetPileTable& sp = cat.builtUpSheetPiles;
    size_t nSP = r.Count(r.I16(), kMaxInt16Count);
    sp.names = r.Names(nSP, kBuiltUpSheetPileNameCapacity, sc::kBuiltUpSheetPileNames);
    sp.height = r.Doubles(nSP);
    sp.unused = r.Doubles(nSP);
    sp.ix = r.Int32s(nSP);
    sp.width = r.Int32s(nSP);
    sp.unitWeight = r.Doubles(nSP);

    if (!FindCatalogueFault(cat).empty())
        r.Fail();
    return cat;
}

} // namespace

std::string FindCatalogueFault(const Catalogue& cat)
{
    FaultFinder f;
    const CombinationTable& c = cat.combinations;
    size_t n = c.Size();
    f.Names(c.names, kCombinationNameCapacity, kMaxInt16Count, "combinations");
    f.Column(c.sxWQ, n, "combinations");
    f.Column(c.area, n, "combinations");
    f.Column(c.sxKX, n, "combinations");
    f.Column(c.sxNJ, n, "combinations");
    f.Column(c.b, n, "combinations");
    for (const auto* column : {&c.sxWQ, &c.area, &c.sxKX, &c.sxNJ, &c.b})
        f.Finite(*column, "combinations");
    f.Check(cat.nA >= 0 && cat.nB >= 0 && cat.nC >= 0 &&
                static_cast<int64_t>(cat.nA) + cat.nB + cat.nC <= static_cast<int64_t>(n),
            "combinations: the groups hold more rows than the table");

    for (int i = 0; i < 6; ++i) {
        f.Names(cat.grades[i].names, kGradeNameCapacity, kMaxInt8Count, kGradeTableNames[i]);
        f.Column(cat.grades[i].fyk, cat.grades[i].Size(), kGradeTableNames[i]);
        f.Finite(cat.grades[i].fyk, kGradeTableNames[i]);
    }

    const KingPileTable& k = cat.kingPiles;
    f.Names(k.names, kKingPileNameCapacity, kMaxInt8Count, "king piles");
    f.Column(k.unitWeight, k.Size(), "king piles");
    f.Finite(k.unitWeight, "king piles");
    f.Names(cat.connectors.names, kConnectorNameCapacity, kMaxInt8Count, "connectors");
    f.Column(cat.connectors.unitWeight, cat.connectors.Size(), "connectors");
    f.Finite(cat.connectors.unitWeight, "connectors");
    for (const auto& column : k.connectors) {
        f.Column(column, k.Size(), "king piles");
        for (int8_t index : column) {
            if (!f.Check(index >= 0 && static_cast<size_t>(index) < cat.connectors.Size(),
                         "king piles: connector index " + std::to_string(index) + " is outside the connector table"))
                break;
        }
    }
    f.Names(cat.sheetPiles.names, kSheetPileNameCapacity, kMaxInt8Count, "sheet piles");
    f.Column(cat.sheetPiles.unitWeight, cat.sheetPiles.Size(), "sheet piles");
    f.Finite(cat.sheetPiles.unitWeight, "sheet piles");

    const BuiltUpKingPileTable& kp = cat.builtUpKingPiles;
    f.Names(kp.names, kBuiltUpKingPileNameCapacity, kMaxInt16Count, "built-up king piles");
    f.Column(kp.dWQ, kp.Size(), "built-up king piles");
    f.Column(kp.dNJ, kp.Size(), "built-up king piles");
    f.Column(kp.area, kp.Size(), "built-up king piles");
    f.Column(kp.ix, kp.Size(), "built-up king piles");
    f.Column(kp.width, kp.Size(), "built-up king piles");
    for (const auto* column : {&kp.dWQ, &kp.dNJ, &kp.area})
        f.Finite(*column, "built-up king piles");

    const BuiltUpSheetPileTable& sp = cat.builtUpSheetPiles;
    f.Names(sp.names, kBuiltUpSheetPileNameCapacity, kMaxInt16Count, "built-up sheet piles");
    f.Column(sp.height, sp.Size(), "built-up sheet piles");
    f.Column(sp.unused, sp.Size(), "built-up sheet piles");
    f.Column(sp.ix, sp.Size(), "built-up sheet piles");
    f.Column(sp.width, sp.Size(), "built-up sheet piles");
    f.Column(sp.unitWeight, sp.Size(), "built-up sheet piles");
    for (const auto* column : {&sp.height, &sp.unitWeight})
        f.Finite(*column, "built-up sheet piles");
    return f.fault;
}

Catalogue LoadCatalogue(const uint8_t* data, size_t size)
{
    cf::BlockReader r(data, size, kCatalogueFileName);
    return ReadCatalogue(r);
}

Catalogue LoadCatalogue(const std::vector<uint8_t>& bytes)
{
    return LoadCatalogue(bytes.data(), bytes.size());
}

Catalogue LoadCatalogueFile(const std::string& path)
{
    cf::BlockReader r(path, kCatalogueFileName);
    return ReadCatalogue(r);
}

std::vector<uint8_t> EncodeCatalogue(const Catalogue& cat)
{
    namespace sc = cf::scramble;
    std::string fault = FindCatalogueFault(cat);
    if (!fault.empty())
        sps::Raise(fault);
    sps::ByteWriter w;
    const CombinationTable& c = cat.combinations;
    w.I16(static_cast<int16_t>(c.Size()));
    w.I16(static_cast<int16_t>(cat.nA));
    w.I16(static_cast<int16_t>(cat.nB));
    w.I16(static_cast<int16_t>(cat.nC));
    for (const SteelGradeTable& g : cat.grades)
        w.I16(static_cast<int16_t>(g.Size()));
    w.I16(static_cast<int16_t>(cat.kingPiles.Size()));
    w.I16(static_cast<int16_t>(cat.connectors.Size()));
    w.I16(static_cast<int16_t>(cat.sheetPiles.Size()));

    WriteNames(w, c.names, kCombinationNameCapacity, sc::kCombinationNames);
    for (const auto* column : {&c.sxWQ, &c.area, &c.sxKX, &c.sxNJ, &c.b})
        WriteDoubles(w, *column);

    for (const SteelGradeTable& g : cat.grades) {
        WriteNames(w, g.names, kGradeNameCapacity, sc::kGradeNames);
        WriteDoubles(w, g.fyk);
    }

    WriteNames(w, cat.kingPiles.names, kKingPileNameCapacity, sc::kKingPileNames);
    WriteDoubles(w, cat.kingPiles.unitWeight);
    for (const auto& column : cat.kingPiles.connectors) {
        for (int8_t i : column)
            w.I8(i);
    }
    WriteNames(w, cat.connectors.names, kConnectorNameCapacity, sc::kConnectorNames);
    WriteDoubles(w, cat.connectors.unitWeight);
    WriteNames(w, cat.sheetPiles.names, kSheetPileNameCapacity, sc::kSheetPileNames);
    WriteDoubles(w, cat.sheetPiles.unitWeight);

    const BuiltUpKingPileTable& kp = cat.builtUpKingPiles;
    w.I16(static_cast<int16_t>(kp.Size()));
    WriteNames(w, kp.names, kBuiltUpKingPileNameCapacity, sc::kBuiltUpKingPileNames);
    WriteDoubles(w, kp.dWQ);
    WriteDoubles(w, kp.dNJ);
    WriteDoubles(w, kp.area);
    WriteInt32s(w, kp.ix);
    WriteInt32s(w, kp.width);

    const BuiltUpSheetPileTable& sp = cat.builtUpSheetPiles;
    w.I16(static_cast<int16_t>(sp.Size()));
    WriteNames(w, sp.names, kBuiltUpSheetPileNameCapacity, sc::kBuiltUpSheetPileNames);
    WriteDoubles(w, sp.height);
    WriteDoubles(w, sp.unused);
    WriteInt32s(w, sp.ix);
    WriteInt32s(w, sp.width);
    WriteDoubles(w, sp.unitWeight);
    return w.Bytes();
}

} // namespace cw
