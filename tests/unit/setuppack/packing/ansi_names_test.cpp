#include "packing/ansi_names.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <optional>

namespace {

// The C library's Windows-1252 converter is the independent judge of the
// table; it knows nothing of the five undefined bytes.
std::optional<std::string> IconvCp1252ToUtf8(unsigned char byte) {
  iconv_t converter = iconv_open("UTF-8", "CP1252");
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  char in[1] = {static_cast<char>(byte)};
  char out[8] = {};
  char* inPointer = in;
  char* outPointer = out;
  size_t inLeft = 1, outLeft = sizeof out;
  const size_t result = iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft);
  iconv_close(converter);
  if (result == static_cast<size_t>(-1)) return std::nullopt;
  return std::string(out, sizeof out - outLeft);
}

TEST(AnsiNames, EveryByteConvertsLikeTheCLibraryAndBack) {
  int undefined = 0;
  for (int byte = 1; byte < 256; ++byte) {
    const std::string ansi(1, static_cast<char>(byte));
    const std::optional<std::string> expected = IconvCp1252ToUtf8(static_cast<unsigned char>(byte));
    if (!expected) {
      // Windows maps the undefined bytes to the control characters of the
      // same number, which no name may hold.
      ++undefined;
      const std::string utf8 = AnsiToUtf8(ansi);
      EXPECT_EQ(utf8, std::string({static_cast<char>(0xC2), static_cast<char>(byte)})) << byte;
      std::string back;
      EXPECT_FALSE(Utf8ToAnsi(utf8, back)) << byte;
      continue;
    }
    EXPECT_EQ(AnsiToUtf8(ansi), *expected) << byte;
    std::string back;
    ASSERT_TRUE(Utf8ToAnsi(*expected, back)) << byte;
    EXPECT_EQ(back, ansi) << byte;
  }
  EXPECT_EQ(undefined, 5);
}

TEST(AnsiNames, ConvertsAWholeName) {
  std::string name;
  ASSERT_TRUE(Utf8ToAnsi("Caf\xC3\xA9 \xE2\x82\xAC \xE2\x84\xA2.txt", name));  // "Café € ™.txt"
  EXPECT_EQ(name, "Caf\xE9 \x80 \x99.txt");
  EXPECT_EQ(AnsiToUtf8(name), "Caf\xC3\xA9 \xE2\x82\xAC \xE2\x84\xA2.txt");
}

TEST(AnsiNames, RefusesMalformedUtf8AndCharactersTheCodePageLacks) {
  const char* refused[] = {
      "\xC0\xAF",          // "/" in an overlong form
      "\xE0\x80\xAE",      // "." in an overlong form
      "\xED\xA0\x80",      // a surrogate
      "\xC3",              // cut short
      "a\x80",             // a lone continuation byte
      "\xF4\x90\x80\x80",  // beyond U+10FFFF
      "\xC4\x80",          // U+0100, Latin Extended-A
      "\xE6\x97\xA5",      // a CJK character
      "\xF0\x9F\x98\x80",  // an emoji
      "\xC2\x81",          // a C1 control character
  };
  for (const char* text : refused) {
    std::string ansi = "unchanged";
    EXPECT_FALSE(Utf8ToAnsi(text, ansi)) << text;
    EXPECT_EQ(ansi, "unchanged");
  }
}

}  // namespace
