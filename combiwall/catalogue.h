// Kestrane's CatalogueFile "WQ KX Data.daa": combinations, steel grades, king
// piles, connectors, intermediary sheet piles and the built-up tables. Read
// once, then read-only. Every table is held column by column, as stored.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace cw {

inline constexpr const char* kCatalogueFileName = "WQ KX Data.daa";

// Capacities of the name tables (characters).
inline constexpr size_t kCombinationNameCapacity = 19;
inline constexpr size_t kGradeNameCapacity = 11;
inline constexpr size_t kKingPileNameCapacity = 8;
inline constexpr size_t kConnectorNameCapacity = 8;
inline constexpr size_t kSheetPileNameCapacity = 5;
inline constexpr size_t kBuiltUpKingPileNameCapacity = 11;
inline constexpr size_t kBuiltUpSheetPileNameCapacity = 8;

// The three members of a combined wall.
enum class Member { KingPile = 0, Connectors = 1, SheetPile = 2 };
inline constexpr int kMemberCount = 3;

struct SteelGradeTable {
    std::vector<std::string> names;
    std::vector<double> fyk; // MPa in the metric tables, ksi in the imperial tables
    size_t Size() const { return names.size(); }
};

struct CombinationTable {
    std::vector<std::string> names;
    std::vector<double> sxWQ; // Sx of the king pile system, cm³/m
    std::vector<double> area; // A, steel area of king pile and connectors per system, cm²
    std::vector<double> sxKX; // Sx of the intermediary sheet pile, cm³/m
    std::vector<double> sxNJ; // Sx of the connectors, cm³/m
    std::vector<double> b;    // system width, m
    size_t Size() const { return names.size(); }
};

struct KingPileTable {
    std::vector<std::string> names;
    std::vector<double> unitWeight;                 // kg/m
    std::array<std::vector<int8_t>, 3> connectors;  // first, second, third connector row
    size_t Size() const { return names.size(); }
};

// Connectors and intermediary sheet piles.
struct SectionTable {
    std::vector<std::string> names;
    std::vector<double> unitWeight; // kg/m
    size_t Size() const { return names.size(); }
};

struct BuiltUpKingPileTable {
    std::vector<std::string> names;
    std::vector<double> dWQ;   // neutral axis to the king pile's outer fibre, mm
    std::vector<double> dNJ;   // neutral axis to the connectors' outer fibre, mm
    std::vector<double> area;  // A per system, cm²
    std::vector<int32_t> ix;   // Ix of the king pile part, cm⁴
    std::vector<int32_t> width; // width taken by the king pile, mm
    size_t Size() const { return names.size(); }
};

struct BuiltUpSheetPileTable {
    std::vector<std::string> names;
    std::vector<double> height;     // h, mm
    std::vector<double> unused;     // stored, not used by the program
    std::vector<int32_t> ix;        // cm⁴
    std::vector<int32_t> width;     // mm
    std::vector<double> unitWeight; // kg/m
    size_t Size() const { return names.size(); }
};

struct Catalogue {
    // Group sizes: rows 0..nA-1 " KX 13", the next nB " KX 18", the next nC
    // " KX 26"; rows after them are listed only under " ALL".
    int nA = 0;
    int nB = 0;
    int nC = 0;
    CombinationTable combinations;
    // King pile metric, king pile imperial, connectors metric, connectors
    // imperial, sheet pile metric, sheet pile imperial.
    std::array<SteelGradeTable, 6> grades;
    KingPileTable kingPiles;
    SectionTable connectors;
    SectionTable sheetPiles;
    BuiltUpKingPileTable builtUpKingPiles;
    BuiltUpSheetPileTable builtUpSheetPiles;

    int CombinationCount() const { return static_cast<int>(combinations.Size()); }
    const SteelGradeTable& Grades(Member member, bool metric) const
    {
        return grades[static_cast<size_t>(member) * 2 + (metric ? 0 : 1)];
    }
    SteelGradeTable& Grades(Member member, bool metric)
    {
        return grades[static_cast<size_t>(member) * 2 + (metric ? 0 : 1)];
    }
};

// Empty when the tables fit the file and each other (equal column lengths,
// counts within their fields, groups inside the combination table, connector
// indexes inside the connector table, finite values, names within their
// capacity); otherwise what is wrong.
std::string FindCatalogueFault(const Catalogue& cat);

// Reads the file's bytes in file order. Raises sps::Exception with the
// corrupted-file message on a short file, a count outside its range, a group
// or connector index outside its table, a value that is not finite or a name
// longer than its record. Bytes after the last block are ignored.
Catalogue LoadCatalogue(const uint8_t* data, size_t size);
Catalogue LoadCatalogue(const std::vector<uint8_t>& bytes);
// Reads the file at `path` block by block; a file that cannot be opened or
// read counts as corrupted.
Catalogue LoadCatalogueFile(const std::string& path);

// The file's bytes for `cat`. Raises sps::Exception with FindCatalogueFault's
// text when the tables do not fit.
std::vector<uint8_t> EncodeCatalogue(const Catalogue& cat);

} // namespace cw
