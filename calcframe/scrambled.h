// ScrambledName: a short string of fixed capacity N, stored as one plain length
// byte followed by exactly N character bytes. Before each record of a table a
// signed 16-bit counter advances (set to the wrap value when it lies outside
// the range, otherwise raised by the step); each character byte at 0-based
// position j is stored raised by j plus the counter, modulo 256. Bytes past the
// length are present and ignored.
//
// The constants are shared by the programs' readers and the tools that write
// their data files: change them only together with the shipped files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace cf {

namespace scramble {

inline constexpr int16_t kRangeLow = 19;
inline constexpr int16_t kRangeHigh = 233;
inline constexpr int16_t kWrap = 27;
inline constexpr int16_t kStep = 11;
static_assert(kRangeHigh + kStep <= INT16_MAX, "the counter must not overflow");

// Start values of the counter, one per name table ("WQ KX Data.daa").
inline constexpr int16_t kCombinationNames = 61;
inline constexpr int16_t kGradeNames = 140; // all six grade tables
inline constexpr int16_t kKingPileNames = 47;
inline constexpr int16_t kConnectorNames = 205;
inline constexpr int16_t kSheetPileNames = 88;
inline constexpr int16_t kBuiltUpKingPileNames = 170;
inline constexpr int16_t kBuiltUpSheetPileNames = 33;

// Start values of "SSP Rovandel.daa".
inline constexpr int16_t kFamilyNames = 74;
inline constexpr int16_t kSectionNames = 129;
inline constexpr int16_t kMetricGradeNames = 196;
inline constexpr int16_t kImperialGradeNames = 102;

} // namespace scramble

// The counter's value for the next record.
int16_t NextScrambleCounter(int16_t counter);

// Decodes `count` records of `capacity` characters from `data`, which holds
// count * (capacity + 1) bytes. Each name is as long as its length byte says.
// Returns false (and leaves `names` unspecified) when a length byte exceeds the
// capacity.
bool DecodeScrambledNames(const uint8_t* data, size_t count, size_t capacity, int16_t start,
                          std::vector<std::string>& names);

// The stored bytes of `names`: count * (capacity + 1). Characters past a
// name's length are blanks. Raises sps::Exception when a name is longer than
// the capacity or the capacity exceeds 255.
std::vector<uint8_t> EncodeScrambledNames(const std::vector<std::string>& names, size_t capacity, int16_t start);

} // namespace cf
