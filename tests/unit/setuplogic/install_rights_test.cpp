// The rights test: a probe folder in Program Files and the machine's
// software key, tried and undone.
#include "setuplogic/install_rights.h"

#include <gtest/gtest.h>

#include "common/shell_folder_kinds.h"
#include "test_platform.h"

namespace {

class InstallRightsTest : public testing::Test {
 protected:
  InstallRightsTest() {
    platform.Files.AddFolder("C:\\Program Files");
    platform.ShellServices.SetSpecialFolder(SpecialFolderCsidl(SpecialFolderKind::ProgramFiles),
                                            "C:\\Program Files\\");
    platform.Reg.AddKey(RegistryRoot::LocalMachine, "SOFTWARE\\Vendor");
  }

  TTestPlatform platform;
  Platform bundle = platform.Bundle();
};

TEST_F(InstallRightsTest, AWritableMachineHasTheRightsAndKeepsNoTrace) {
  const std::vector<std::string> files = platform.Files.AllPaths();
  const std::string registry = platform.Reg.Dump();
  EXPECT_TRUE(HasInstallRights(bundle));
  EXPECT_EQ(platform.Files.AllPaths(), files);
  EXPECT_EQ(platform.Reg.Dump(), registry);
}

TEST_F(InstallRightsTest, ProbeFoldersThatExistAreSkippedAndLeftAlone) {
  platform.Files.AddFile("C:\\Program Files\\Test0\\keep.txt", "");
  platform.Files.AddFile("C:\\Program Files\\Test1", "a file of that name");
  const std::vector<std::string> files = platform.Files.AllPaths();
  EXPECT_TRUE(HasInstallRights(bundle));
  EXPECT_EQ(platform.Files.AllPaths(), files);

  // Test2 is the probe: when it cannot be made, the rights are missing.
  platform.Files.FailCreateFolder("C:\\Program Files\\Test2");
  EXPECT_FALSE(HasInstallRights(bundle));
}

TEST_F(InstallRightsTest, AProgramFilesFolderThatRefusesFoldersMeansNoRights) {
  platform.Files.FailCreateFolder("C:\\Program Files\\Test0");
  EXPECT_FALSE(HasInstallRights(bundle));
}

TEST_F(InstallRightsTest, AMissingProgramFilesFolderMeansNoRights) {
  platform.ShellServices.SetSpecialFolder(SpecialFolderCsidl(SpecialFolderKind::ProgramFiles), "D:\\Programs");
  EXPECT_FALSE(HasInstallRights(bundle));
}

TEST_F(InstallRightsTest, ASoftwareKeyWithoutFullAccessMeansNoRights) {
  platform.Reg.DenyAccess(RegistryRoot::LocalMachine, "SOFTWARE");
  EXPECT_FALSE(HasInstallRights(bundle));
  EXPECT_FALSE(platform.Files.FolderExists("C:\\Program Files\\Test0"));
}

}  // namespace
