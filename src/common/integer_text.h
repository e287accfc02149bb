// Reading integers from settings and version texts.
#pragma once

#include <cstdint>
#include <string>

enum class HexPrefixes {
  DollarOnly,         // decimal, or hexadecimal after "$"
  DollarAndZeroX,     // also "0x"/"0X" when the text is longer than two characters
};

// The integer that text spells: leading blanks, an optional sign, then decimal
// digits or a hexadecimal prefix and hex digits, and nothing after them. A
// decimal value must fit 32 signed bits; a hexadecimal one 32 bits (and is
// taken as their two's complement). Answers false for anything else.
bool TryParseInteger(const std::string& text, int32_t& value,
                     HexPrefixes prefixes = HexPrefixes::DollarOnly);
