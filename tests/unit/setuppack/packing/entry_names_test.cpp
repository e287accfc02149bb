#include "packing/entry_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TEST(EntryNameProblem, AcceptsWhatWindowsCanCreateAndRefusesTheRest) {
  struct Case {
    std::string name;
    bool accepted;
  };
  const Case cases[] = {
      {"Setup.ini", true},
      {std::string(63, 'n'), true},
      {std::string(64, 'n'), false},
      {"Caf\xE9.txt", true},
      {" leading blank", true},
      {".profile", true},
      {"CONSOLE.txt", true},
      {"COM10", true},
      {"LPT", true},
      {"a<b", false},
      {"a>b", false},
      {"a:b", false},
      {"a\"b", false},
      {"a/b", false},
      {"a\\b", false},
      {"a|b", false},
      {"a?b", false},
      {"a*b", false},
      {"tab\there", false},
      {std::string("nul\0byte", 8), false},
      {"ends.", false},
      {"ends ", false},
      {".", false},
      {"..", false},
      {"CON", false},
      {"con.txt", false},
      {"Aux.tar.gz", false},
      {"NUL .txt", false},
      {"prn", false},
      {"COM1", false},
      {"lpt9.log", false},
      {"COM0", false},
      {"com\xB9", false},  // COM¹
      {"LPT\xB3.txt", false},
  };
  for (const Case& c : cases) EXPECT_EQ(EntryNameProblem(c.name).empty(), c.accepted) << c.name;
}

TEST(FoldNameCase, FoldsTheLettersWindowsFoldsAndNothingElse) {
  struct Case {
    std::string a, b;
    bool same;
  };
  const Case cases[] = {
      {"readme.TXT", "README.txt", true},
      {"caf\xE9", "CAF\xC9", true},  // é É
      {"\xFF", "\x9F", true},        // ÿ Ÿ
      {"\x9A\x9C\x9E", "\x8A\x8C\x8E", true},  // š œ ž
      {"\xF7", "\xD7", false},       // ÷ × are no letters
      {"\xDF", "SS", false},         // ß stays one character
      {"[", "{", false},
      {"a_b", "A_B", true},
  };
  for (const Case& c : cases) EXPECT_EQ(FoldNameCase(c.a) == FoldNameCase(c.b), c.same) << c.a << " " << c.b;
}

TEST(EntryNameLess, OrdersByFoldedNameThenByBytes) {
  std::vector<std::string> names = {"_notes", "b", "Zeta", "a", "B", "alpha", "\xE9t\xE9", "\xC9T\xC9"};
  std::sort(names.begin(), names.end(), EntryNameLess);
  const std::vector<std::string> expected = {"a", "alpha", "B", "b", "Zeta", "_notes", "\xC9T\xC9", "\xE9t\xE9"};
  EXPECT_EQ(names, expected);
}

}  // namespace
