// ScrambledText: the description texts of the data file. A signed 16-bit
// length n, then n bytes, each raised by a base plus (1-based position modulo
// the list's period). A length of 0 or less is an empty text.
#pragma once

#include "calcframe/blockreader.h"
#include "platform/bytes.h"

#include <cstdint>
#include <string>

namespace cr {

// Constants shared by the reader and the tool that writes the file.
inline constexpr uint8_t kTextBase = 0x3D;
inline constexpr int kTextPeriodAtmospheric = 7;
inline constexpr int kTextPeriodSoil = 11;
inline constexpr int kTextPeriodWater = 13;

// Period of the description list of an environment (0 atmospheric, 1 soil, 2 water).
int TextPeriod(int environment);

uint8_t ScrambleTextByte(uint8_t plain, int position, int period);
uint8_t UnscrambleTextByte(uint8_t stored, int position, int period);

// Reads one text (its bytes in one block); fails like the reader when they are missing.
std::string ReadScrambledText(cf::BlockReader& in, int period);
// Raises when the text is longer than 32767 bytes.
void WriteScrambledText(sps::ByteWriter& out, const std::string& text, int period);

} // namespace cr
