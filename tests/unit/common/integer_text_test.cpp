#include "common/integer_text.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* text;
  HexPrefixes prefixes;
  bool ok;
  int32_t value;
};

TEST(TryParseInteger, Table) {
  const Case cases[] = {
      {"0", HexPrefixes::DollarOnly, true, 0},
      {"  42", HexPrefixes::DollarOnly, true, 42},
      {"42 ", HexPrefixes::DollarOnly, false, 0},
      {"-7", HexPrefixes::DollarOnly, true, -7},
      {"+7", HexPrefixes::DollarOnly, true, 7},
      {"$1F", HexPrefixes::DollarOnly, true, 31},
      {"$FFFFFFFF", HexPrefixes::DollarOnly, true, -1},
      {"$100000000", HexPrefixes::DollarOnly, false, 0},
      {"0x10", HexPrefixes::DollarOnly, false, 0},
      {"0x10", HexPrefixes::DollarAndZeroX, true, 16},
      {"0X1", HexPrefixes::DollarAndZeroX, true, 1},
      {"0x", HexPrefixes::DollarAndZeroX, false, 0},
      {"x5", HexPrefixes::DollarAndZeroX, false, 0},
      {"true", HexPrefixes::DollarAndZeroX, false, 0},
      {"", HexPrefixes::DollarOnly, false, 0},
      {"$", HexPrefixes::DollarOnly, false, 0},
      {"-", HexPrefixes::DollarOnly, false, 0},
      {"2147483647", HexPrefixes::DollarOnly, true, 2147483647},
      {"2147483648", HexPrefixes::DollarOnly, false, 0},
      {"-2147483648", HexPrefixes::DollarOnly, true, -2147483647 - 1},
      {"99999999999999999999", HexPrefixes::DollarOnly, false, 0},
  };
  for (const Case& c : cases) {
    int32_t value = 12345;
    EXPECT_EQ(TryParseInteger(c.text, value, c.prefixes), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

}  // namespace
