#include "common/path.h"

#include <gtest/gtest.h>

#include "memory_file_system.h"

namespace {

struct TextCase {
  const char* input;
  const char* expected;
};

TEST(FileBaseName, CutsTheLastExtensionOfTheNamePartOnly) {
  const TextCase cases[] = {
      {"C:\\Dir\\Setup.ini", "Setup"},
      {"archive.tar.gz", "archive.tar"},
      {"README", "README"},
      {".profile", ""},
      {"C:\\Dir.d\\README", "README"},  // a dot in the folder is no extension
      {"C:name.txt", "name"},
      {"C:\\Dir\\", ""},
      {"file.", "file"},
  };
  for (const auto& c : cases) EXPECT_EQ(FileBaseName(c.input), c.expected) << c.input;
}

TEST(ExtractFileExt, TakesTheLastDotOfTheNamePart) {
  const TextCase cases[] = {
      {"C:\\P\\x.EXE", ".EXE"},
      {"archive.tar.gz", ".gz"},
      {"C:\\Dir.d\\README", ""},
      {"README", ""},
      {".profile", ".profile"},
      {"file.", "."},
  };
  for (const auto& c : cases) EXPECT_EQ(ExtractFileExt(c.input), c.expected) << c.input;
}

TEST(ExtractFilePath, KeepsTheDelimiter) {
  const TextCase cases[] = {
      {"C:\\P\\Help.chm", "C:\\P\\"},
      {"C:\\Help.chm", "C:\\"},
      {"C:Help.chm", "C:"},
      {"Help.chm", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ExtractFilePath(c.input), c.expected) << c.input;
}

TEST(IncludeDelimiter, AddsExactlyOneBackslashToNonEmptyPaths) {
  const TextCase cases[] = {
      {"C:\\Dir\\", "C:\\Dir\\"},
      {"C:\\Dir", "C:\\Dir\\"},
      {"", ""},
      {"C:", "C:\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(IncludeDelimiter(c.input), c.expected) << c.input;
}

TEST(JoinPath, PutsOneBackslashBetweenFolderAndName) {
  EXPECT_EQ(JoinPath("", "Setup.ini"), "Setup.ini");
  EXPECT_EQ(JoinPath("C:\\Dir", "Setup.ini"), "C:\\Dir\\Setup.ini");
  EXPECT_EQ(JoinPath("C:\\Dir\\", "Setup.ini"), "C:\\Dir\\Setup.ini");
  EXPECT_EQ(JoinPath3("C:\\Dir\\", "Sub", "Setup.ini"), "C:\\Dir\\Sub\\Setup.ini");
  EXPECT_EQ(JoinPath3("", "Sub", "Setup.ini"), "Sub\\Setup.ini");
}

TEST(PathKinds, TellDriveRootedAndNetworkPathsFromTheRest) {
  const struct {
    const char* path;
    bool driveRooted, network;
  } cases[] = {
      {"C:\\", true, false},          {"c:\\Tools\\", true, false},  {"C:Tools", false, false},
      {"\\Tools", false, false},      {"Tools", false, false},         {"1:\\Tools", false, false},
      {"\\\\server\\share", false, true}, {"\\\\", false, false},          {"", false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(IsDriveRootedPath(c.path), c.driveRooted);
    EXPECT_EQ(IsNetworkPath(c.path), c.network);
  }
}

TEST(EnsureRange, RaisesToLowThenLowersToHigh) {
  struct Case {
    int value, low, high, expected;
  };
  const Case cases[] = {
      {5, 1, 10, 5},  {0, 1, 10, 1},  {11, 1, 10, 10}, {1, 1, 10, 1}, {10, 1, 10, 10},
      {-5, -10, -1, -5},
      // With low above high the upper bound wins, whatever the value.
      {5, 10, 1, 1},  {0, 10, 1, 1},  {20, 10, 1, 1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(EnsureRange(c.value, c.low, c.high), c.expected) << c.value << " in " << c.low << ".." << c.high;
  EXPECT_EQ(Min(-3, 2), -3);
}

TEST(ApplicationFolder, IsTheExecutablesFolderWithItsBackslash) {
  TMemoryFileSystem files;
  files.SetExecutablePath("D:\\Downloads\\Product Setup.exe");
  EXPECT_EQ(ApplicationFolder(files), "D:\\Downloads\\");
}

}  // namespace
