// Whether a destination can be made: tried for real, and undone.
#include <gtest/gtest.h>

#include "setup_fixture.h"

namespace {

class DestinationTest : public SetupFixture {
 protected:
  DestinationTest() {
    Build();
    platform.Files.AddFile("C:\\file.txt", "x");
    platform.Files.FailCreateFolder("C:\\New\\Refused");
  }
};

TEST_F(DestinationTest, CanCreateFolderTriesEveryLevelAndLeavesNothingBehind) {
  const struct {
    const char* Folder;
    bool Expected;
  } cases[] = {
      {"C:\\Program Files\\", true},
      {"C:\\Program Files\\Tool 2\\Sub\\", true},
      {"C:\\New", true},
      {"c:\\program files\\NEW\\", true},
      {"C:\\", false},
      {"C:", false},
      {"", false},
      {"\\", false},
      {"Programs", false},
      {"Programs\\", false},
      // Relative paths would be resolved against the current folder or drive.
      {"Programs\\Tool\\", false},
      {"C:Programs\\Tool\\", false},
      {"\\Programs\\Tool\\", false},
      {"\\\\server\\share\\Tool\\", false},
      {"X:\\Tool\\", false},
      {"C:\\file.txt\\Sub\\", false},
      {"C:\\file.txt\\", false},
      {"C:\\New\\Refused\\Deeper\\", false},
  };
  const std::vector<std::string> before = platform.Files.AllPaths();
  for (const auto& c : cases) {
    EXPECT_EQ(setup->CanCreateFolder(c.Folder), c.Expected) << c.Folder;
    EXPECT_EQ(platform.Files.AllPaths(), before) << c.Folder;
  }
}

TEST_F(DestinationTest, ExistingFoldersAreNeverRemoved) {
  platform.Files.AddFolder("C:\\Apps\\Tool");
  EXPECT_TRUE(setup->CanCreateFolder("C:\\Apps\\Tool\\New\\"));
  EXPECT_TRUE(platform.Files.FolderExists("C:\\Apps\\Tool"));
  EXPECT_FALSE(platform.Files.FolderExists("C:\\Apps\\Tool\\New"));
}

TEST_F(DestinationTest, SetProgramFolderEndsInOneBackslash) {
  setup->SetProgramFolder("D:\\Apps");
  EXPECT_EQ(setup->ProgramFolder, "D:\\Apps\\");
  setup->SetProgramFolder("D:\\Apps\\");
  EXPECT_EQ(setup->ProgramFolder, "D:\\Apps\\");
  setup->SetProgramFolder("");
  EXPECT_EQ(setup->ProgramFolder, "");
}

}  // namespace
