// The scrambled catalogue format of "sheetpiles.dat" and "steelgrades.dat":
// data bytes (plain character i XOR DataFileKey[i mod 13]) followed by one
// check byte, the XOR of all data bytes. A byte 0x1A ends the file for the
// reader, so neither a data byte nor the check byte may be 0x1A.
//
// Plain text: one list row per line, lines ended by "\r\n"; a row is a name
// and TAB-separated numbers written with '.' as decimal point.
//
// This file has no dependencies beyond the standard library: the build-time
// tool data/tavelond/mkcatalogue compiles it directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace wd {

inline constexpr char DataFileKey[] = "TrindleCovask";
inline constexpr size_t kDataFileKeyLength = 13;
inline constexpr uint8_t kEndOfFileMark = 0x1A;
inline constexpr size_t kCatalogueNameChars = 20;

// Data bytes and check byte of `plain`, without any check for 0x1A.
std::vector<uint8_t> ScrambleCatalogueText(std::string_view plain);

// Unscrambles the bytes before the first 0x1A. False when there is no byte at
// all or the check byte does not match.
bool UnscrambleCatalogueBytes(const uint8_t* data, size_t size, std::string& plain);

// Numbers of the rows of each catalogue.
inline constexpr int kSheetPileNumbers = 4; // area cm2/m, mass kg/m2, inertia cm4/m, modulus cm3/m
inline constexpr int kSteelGradeNumbers = 1; // yield strength N/mm2

// Builds the scrambled file from readable source text: one row per line as
// "name,number,...", '#' lines and blank lines ignored, `numbers` numbers per
// row, names of 1 to 20 printable characters without ',' or TAB, numbers
// positive decimals with '.', at least one row. Refuses (false, `error`
// naming the source line) any rule broken and any text whose scrambled bytes
// or check byte would be 0x1A.
bool BuildCatalogueFile(std::string_view source, int numbers, const std::string& sourceName,
                        std::vector<uint8_t>& bytes, std::string& error);

} // namespace wd
