#include "packing/ansi_names.h"

#include <cstdint>

namespace {

// The characters of 0x80-0x9F; the rest of the code page is Latin-1. Zero
// marks the five bytes Windows-1252 leaves undefined.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88-8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98-9F
};

char32_t CodePointOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F && kHighControls[byte - 0x80] != 0) return kHighControls[byte - 0x80];
  return byte;
}

bool AnsiByteOf(char32_t c, unsigned char& byte) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    byte = static_cast<unsigned char>(c);
    return true;
  }
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] == c) {
      byte = static_cast<unsigned char>(0x80 + i);
      return true;
    }
  }
  // The C1 controls, undefined bytes included, have no place in a name.
  return false;
}

// Decodes one UTF-8 sequence at text[i]; false for anything malformed.
bool DecodeUtf8(const std::string& text, size_t& i, char32_t& c) {
  const auto lead = static_cast<unsigned char>(text[i]);
  int extra;
  char32_t smallest;
  if (lead < 0x80) {
    c = lead;
    ++i;
    return true;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, c = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, c = lead & 0x0F, smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, c = lead & 0x07, smallest = 0x10000;
  } else {
    return false;
  }
  if (text.size() - i <= static_cast<size_t>(extra)) return false;
  for (int k = 1; k <= extra; ++k) {
    const auto next = static_cast<unsigned char>(text[i + k]);
    if ((next & 0xC0) != 0x80) return false;
    c = c << 6 | (next & 0x3F);
  }
  // An overlong form could smuggle a "/" or "." past the checks that follow.
  if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
  i += static_cast<size_t>(extra) + 1;
  return true;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

bool Utf8ToAnsi(const std::string& utf8, std::string& ansi) {
  std::string out;
  size_t i = 0;
  while (i < utf8.size()) {
    char32_t c;
    unsigned char byte;
    if (!DecodeUtf8(utf8, i, c) || !AnsiByteOf(c, byte)) return false;
    out += static_cast<char>(byte);
  }
  ansi = std::move(out);
  return true;
}

std::string AnsiToUtf8(const std::string& ansi) {
  std::string out;
  for (const char c : ansi) AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
  return out;
}
