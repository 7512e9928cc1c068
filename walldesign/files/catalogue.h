// Reading the catalogue data files "sheetpiles.dat" and "steelgrades.dat".
#pragma once

#include "walldesign/files/catalogue_format.h"

#include <cstdint>
#include <string>
#include <vector>

namespace wd {

inline constexpr const char* kSheetPileFile = "sheetpiles.dat";
inline constexpr const char* kSteelGradeFile = "steelgrades.dat";

// The plain text of a catalogue file. Raises "Invalid input file <path>" when
// the file is empty or its check byte does not match, and the file system's
// error when it cannot be read.
std::string ReadCatalogueText(const std::string& path);
// The same for bytes already read; `path` only names them in the error.
std::string ReadCatalogueBytes(const std::vector<uint8_t>& bytes, const std::string& path);

// One list row: the name and its numbers in stored (metric) units.
struct TCatalogueRow {
    std::string Name;
    std::vector<float> Values;
};

// One catalogue number: read with the program's decimal separator, and with
// '.' when that fails, so that a file reads the same under every separator.
// False for anything else and for values beyond the single range.
bool ParseCatalogueNumber(const std::string& text, float& value);

// The lines of plain catalogue text: CR LF, LF or CR end a line; a line break
// after the last line adds no line.
std::vector<std::string> CatalogueLines(const std::string& text);

// Cuts plain catalogue text into rows. Lines end with CR LF, LF or CR; a line
// break after the last row adds no row. Each row must be a name and exactly
// `numbers` TAB-separated numbers. The files are written with '.' as decimal
// point; a number is read with the program's decimal separator, and with '.'
// when that fails, so a file reads the same under every separator. Raises
// "Invalid input file <path>" on any other row.
std::vector<TCatalogueRow> ReadCatalogueRows(const std::string& text, int numbers, const std::string& path);

} // namespace wd
