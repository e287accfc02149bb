#include "packing/entry_names.h"

#include <string_view>

#include "package/package_format.h"

namespace {

bool IsForbiddenCharacter(unsigned char c) {
  return c < 0x20 || std::string_view("<>:\"/\\|?*").find(static_cast<char>(c)) != std::string_view::npos;
}

char FoldCharacter(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 'a' && byte <= 'z') return static_cast<char>(byte - 32);
  // Latin-1 lower-case letters sit 32 above their capitals; the division sign
  // 0xF7 sits where a letter would, and 0xFF's capital is 0x9F.
  if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7) return static_cast<char>(byte - 32);
  if (byte == 0xFF) return static_cast<char>(0x9F);
  // Š, Œ and Ž sit 16 below their small letters.
  if (byte == 0x9A || byte == 0x9C || byte == 0x9E) return static_cast<char>(byte - 16);
  return c;
}

// Windows opens a device instead of a file for these, whatever the extension;
// the superscript digits are ¹ ² ³ in Windows-1252.
bool IsDeviceName(const std::string& name) {
  std::string base = FoldNameCase(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
    if (base == device) return true;
  if (base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0)) {
    const auto digit = static_cast<unsigned char>(base[3]);
    return (digit >= '0' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3;
  }
  return false;
}

}  // namespace

std::string EntryNameProblem(const std::string& name) {
  if (name.empty()) return "is empty";
  if (name.size() > static_cast<size_t>(package_format::kMaxNameLength))
    return "is " + std::to_string(name.size()) + " bytes long; names hold at most 63";
  for (const char c : name)
    if (IsForbiddenCharacter(static_cast<unsigned char>(c)))
      return "holds a character Windows forbids in names (< > : \" / \\ | ? * or a control character)";
  if (name.back() == '.' || name.back() == ' ') return "ends in a dot or blank, which Windows drops";
  if (IsDeviceName(name)) return "is a device name on Windows";
  return "";
}

std::string FoldNameCase(const std::string& name) {
  std::string folded = name;
  for (char& c : folded) c = FoldCharacter(c);
  return folded;
}

bool EntryNameLess(const std::string& a, const std::string& b) {
  // std::string compares its bytes as unsigned char, so the order does not
  // depend on whether char is signed on the compiler at hand.
  const std::string foldedA = FoldNameCase(a), foldedB = FoldNameCase(b);
  if (foldedA != foldedB) return foldedA < foldedB;
  return a < b;
}
