#include "package/uninstaller.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "package/uninstall_record.h"
#include "package_fixture.h"
#include "test_platform.h"

namespace {

// An uninstaller copy at path whose record holds items and data.
void AddUninstaller(TMemoryFileSystem& files, const std::string& path, const std::vector<std::string>& items,
                    const std::string& data = "Prod", const char* version = "2.10") {
  files.AddFile(path, UninstallerCopy(items, data, version));
  files.SetExecutablePath(path);
}

class UninstallerTest : public testing::Test {
 protected:
  TTestPlatform platform;
  Platform bundle = platform.Bundle();
};

// The installation of the worked example: into "C:\Program Files\Vendor\Prod\"
// where both Vendor and Prod were created.
TEST_F(UninstallerTest, RemovesEverythingLastFirstAndDefersItsOwnFolders) {
  TMemoryFileSystem& files = platform.Files;
  files.AddFile("C:\\Program Files\\Other\\keep.txt", "other product");
  files.AddFile("C:\\Program Files\\Vendor\\Prod\\Prod.exe", "exe");
  files.AddFile("C:\\Program Files\\Vendor\\Prod\\Docs\\Readme.txt", "readme");
  files.AddFile("C:\\Menu\\Prod.lnk", "link");
  platform.Reg.SetString(RegistryRoot::CurrentUser, "\\Software\\Vendor\\Prod\\2.0\\Sub", "x", "y");
  platform.Reg.SetString(RegistryRoot::LocalMachine, "\\Software\\Vendor\\Prod\\2.0", "Location", "z");
  const std::string entry = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Prod 2.10";
  platform.Reg.SetString(RegistryRoot::LocalMachine, entry, "DisplayName", "Prod 2.10");
  AddUninstaller(files, "C:\\Program Files\\Vendor\\Prod\\Uninst.exe",
                 {"EC:\\Program Files\\", "DC:\\Program Files\\Vendor\\", "DC:\\Program Files\\Vendor\\Prod\\",
                  "FC:\\Program Files\\Vendor\\Prod\\Prod.exe", "DC:\\Program Files\\Vendor\\Prod\\Docs\\",
                  "FC:\\Program Files\\Vendor\\Prod\\Docs\\Readme.txt", "U\\Software\\Vendor\\Prod\\2.0",
                  "M\\Software\\Vendor\\Prod\\2.0", "EC:\\Menu\\", "FC:\\Menu\\Prod.lnk", "M" + entry});
  TUninstaller uninstaller(bundle);
  EXPECT_EQ(uninstaller.Version.VersionText(), "2.10");
  EXPECT_EQ(std::string(uninstaller.Data.begin(), uninstaller.Data.end()), "Prod");

  EXPECT_TRUE(uninstaller.RemoveAll());
  EXPECT_FALSE(uninstaller.Failed);
  EXPECT_FALSE(files.FileExists("C:\\Program Files\\Vendor\\Prod\\Prod.exe"));
  EXPECT_FALSE(files.FolderExists("C:\\Program Files\\Vendor\\Prod\\Docs"));
  EXPECT_FALSE(files.FileExists("C:\\Menu\\Prod.lnk"));
  EXPECT_FALSE(files.FolderExists("C:\\Menu"));  // an "E" folder that became empty goes too
  EXPECT_TRUE(files.FileExists("C:\\Program Files\\Other\\keep.txt"));
  EXPECT_TRUE(files.FolderExists("C:\\Program Files\\Vendor\\Prod"));  // left to the batch file
  EXPECT_FALSE(platform.Reg.KeyExists(RegistryRoot::CurrentUser, "\\Software\\Vendor\\Prod\\2.0"));
  EXPECT_FALSE(platform.Reg.KeyExists(RegistryRoot::LocalMachine, "\\Software\\Vendor\\Prod\\2.0"));
  EXPECT_FALSE(platform.Reg.KeyExists(RegistryRoot::LocalMachine, entry));
  EXPECT_EQ(uninstaller.DeferredFolders,
            (std::vector<std::string>{"C:\\Program Files\\Vendor\\Prod\\", "C:\\Program Files\\Vendor\\Prod\\",
                                      "C:\\Program Files\\Vendor\\"}));

  const auto script = uninstaller.SelfDeleteScript("C:\\Temp\\Uninstall.bat");
  EXPECT_EQ(script, (std::vector<std::string>{
                        ":Repeat", "del \"C:\\Program Files\\Vendor\\Prod\\Uninst.exe\"",
                        "if exist \"C:\\Program Files\\Vendor\\Prod\\Uninst.exe\" goto Repeat",
                        "rd \"C:\\Program Files\\Vendor\\Prod\"", "rd \"C:\\Program Files\\Vendor\\Prod\"",
                        "rd \"C:\\Program Files\\Vendor\"", "del \"C:\\Temp\\Uninstall.bat\""}));
}

struct FailureCase {
  const char* what;
  std::vector<std::string> items;
  void (*arrange)(TTestPlatform&);
  bool expected;
};

class RemovalFailureTest : public UninstallerTest, public testing::WithParamInterface<FailureCase> {};

TEST_P(RemovalFailureTest, CountsOnlyWhatMatters) {
  const FailureCase& c = GetParam();
  platform.Files.AddFolder("C:\\App");
  if (c.arrange) c.arrange(platform);
  AddUninstaller(platform.Files, "C:\\Uninstallers\\Prod\\Uninst.exe", c.items);
  TUninstaller uninstaller(bundle);
  EXPECT_EQ(uninstaller.RemoveAll(), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemovalFailureTest,
    testing::Values(
        FailureCase{"an empty record", {}, nullptr, true},
        FailureCase{"a file the user already deleted", {"FC:\\App\\gone.txt"}, nullptr, false},
        FailureCase{"a locked file",
                    {"FC:\\App\\in use.dll"},
                    [](TTestPlatform& p) {
                      p.Files.AddFile("C:\\App\\in use.dll", "x");
                      p.Files.Lock("C:\\App\\in use.dll");
                    },
                    false},
        FailureCase{"a created folder that holds the user's files",
                    {"DC:\\App\\"},
                    [](TTestPlatform& p) { p.Files.AddFile("C:\\App\\mine.txt", "x"); },
                    false},
        FailureCase{"a created folder that is already gone", {"DC:\\Gone\\"}, nullptr, false},
        FailureCase{"a pre-existing folder with files stays silently",
                    {"EC:\\App\\"},
                    [](TTestPlatform& p) { p.Files.AddFile("C:\\App\\mine.txt", "x"); },
                    true},
        FailureCase{"registry keys that are not there", {"U\\Software\\None", "C\\.none", "M\\Software\\None"},
                    nullptr, true},
        FailureCase{"unknown kinds and empty lines", {"", "Xwhatever", "zC:\\App\\"}, nullptr, true},
        // A bundle installation records shared files once per item.
        FailureCase{"the same file recorded three times",
                    {"DC:\\App\\", "FC:\\App\\shared.dll", "FC:\\App\\shared.dll", "Fc:\\app\\SHARED.dll"},
                    [](TTestPlatform& p) { p.Files.AddFile("C:\\App\\shared.dll", "x"); },
                    true},
        // Each subfolder made in a created folder records that folder again
        // as "E"; removing the "E" first must not fail the "D" after it.
        FailureCase{"a created folder also recorded as existing",
                    {"DC:\\App\\Plugins\\", "EC:\\App\\Plugins\\", "DC:\\App\\Plugins\\Presets\\",
                     "FC:\\App\\Plugins\\Presets\\a.fxp", "FC:\\App\\Plugins\\Plug.dll"},
                    [](TTestPlatform& p) {
                      p.Files.AddFile("C:\\App\\Plugins\\Presets\\a.fxp", "x");
                      p.Files.AddFile("C:\\App\\Plugins\\Plug.dll", "x");
                    },
                    true},
        FailureCase{"a file recorded twice that could not be removed",
                    {"FC:\\App\\locked.dll", "FC:\\App\\locked.dll"},
                    [](TTestPlatform& p) {
                      p.Files.AddFile("C:\\App\\locked.dll", "x");
                      p.Files.Lock("C:\\App\\locked.dll");
                    },
                    false}));

TEST_F(UninstallerTest, FolderFilesItemEmptiesTheFolderButNotItsSubfolders) {
  platform.Files.AddFile("C:\\App\\Cache\\a.tmp", "a");
  platform.Files.AddFile("C:\\App\\Cache\\b.tmp", "b", file_attribute::kHidden);
  platform.Files.AddFile("C:\\App\\Cache\\Sub\\c.tmp", "c");
  AddUninstaller(platform.Files, "C:\\Uninstallers\\Uninst.exe", {"TC:\\App\\Cache\\"});
  TUninstaller uninstaller(bundle);
  EXPECT_FALSE(uninstaller.RemoveAll());  // the subfolder keeps the folder
  EXPECT_FALSE(platform.Files.FileExists("C:\\App\\Cache\\a.tmp"));
  EXPECT_FALSE(platform.Files.FileExists("C:\\App\\Cache\\b.tmp"));
  EXPECT_TRUE(platform.Files.FileExists("C:\\App\\Cache\\Sub\\c.tmp"));

  platform.Files.RemoveFile("C:\\App\\Cache\\Sub\\c.tmp");
  platform.Files.RemoveFolder("C:\\App\\Cache\\Sub");
  platform.Files.AddFile("C:\\App\\Cache\\d.tmp", "d");
  EXPECT_TRUE(uninstaller.RemoveAll());
  EXPECT_FALSE(platform.Files.FolderExists("C:\\App\\Cache"));
}

TEST_F(UninstallerTest, AKeyGoesWithItsSubKeys) {
  platform.Reg.SetString(RegistryRoot::CurrentUser, "\\Software\\Maker\\Tool\\2.0\\Paths\\Deep", "a", "b");
  AddUninstaller(platform.Files, "C:\\U\\Uninst.exe", {"U\\Software\\Maker\\Tool\\2.0"});
  TUninstaller uninstaller(bundle);
  EXPECT_TRUE(uninstaller.RemoveAll());
  EXPECT_FALSE(platform.Reg.KeyExists(RegistryRoot::CurrentUser, "\\Software\\Maker\\Tool\\2.0\\Paths\\Deep"));
  EXPECT_TRUE(platform.Reg.KeyExists(RegistryRoot::CurrentUser, "\\Software\\Maker\\Tool"));
}

TEST_F(UninstallerTest, OnlyTheOwnFolderAndItsAncestorsAreDeferred) {
  platform.Files.AddFolder("C:\\Prod2");
  AddUninstaller(platform.Files, "C:\\Prod\\Uninst.exe", {"DC:\\Prod2\\", "DC:\\Prod\\", "DC:\\Pro\\"});
  TUninstaller uninstaller(bundle);
  EXPECT_FALSE(uninstaller.RemoveAll());  // C:\Pro\ does not exist
  EXPECT_FALSE(platform.Files.FolderExists("C:\\Prod2"));
  EXPECT_EQ(uninstaller.DeferredFolders, (std::vector<std::string>{"C:\\Prod\\", "C:\\Prod\\"}));
}

TEST_F(UninstallerTest, SelfDeleteWritesTheBatchFileAndStartsItHidden) {
  AddUninstaller(platform.Files, "C:\\Tools\\100% Gain\\Uninst.exe", {"DC:\\Tools\\100% Gain\\"});
  platform.Files.AddFolder("C:\\Temp");
  TUninstaller uninstaller(bundle);
  uninstaller.RemoveAll();
  uninstaller.StartSelfDelete();
  EXPECT_EQ(platform.Files.Content("C:\\Temp\\Uninstall.bat"),
            "<oem:"
            ":Repeat\r\n"
            "del \"C:\\Tools\\100%% Gain\\Uninst.exe\"\r\n"
            "if exist \"C:\\Tools\\100%% Gain\\Uninst.exe\" goto Repeat\r\n"
            "rd \"C:\\Tools\\100%% Gain\"\r\n"
            "rd \"C:\\Tools\\100%% Gain\"\r\n"
            "del \"C:\\Temp\\Uninstall.bat\"\r\n"
            ">");
  ASSERT_EQ(platform.ShellServices.Opened().size(), 1u);
  EXPECT_EQ(platform.ShellServices.Opened()[0].File, "C:\\Temp\\Uninstall.bat");
  EXPECT_TRUE(platform.ShellServices.Opened()[0].Hidden);
}

TEST_F(UninstallerTest, WithoutATemporaryFolderTheBatchFileGoesToTheDriveRoot) {
  AddUninstaller(platform.Files, "C:\\P\\Uninst.exe", {});
  platform.Files.SetTempFolder("");
  TUninstaller uninstaller(bundle);
  uninstaller.StartSelfDelete();
  EXPECT_TRUE(platform.Files.FileExists("C:\\Uninstall.bat"));
}

TEST_F(UninstallerTest, ABatchFileThatCannotBeWrittenIsAnError) {
  AddUninstaller(platform.Files, "C:\\P\\Uninst.exe", {});
  platform.Files.SetTempFolder("C:\\No Such Folder\\");
  TUninstaller uninstaller(bundle);
  EXPECT_THROW(uninstaller.StartSelfDelete(), EFCreateError);
  EXPECT_TRUE(platform.ShellServices.Opened().empty());
}

TEST_F(UninstallerTest, AnUnreadableRecordFailsConstruction) {
  AddUninstaller(platform.Files, "C:\\P\\Uninst.exe", {"FC:\\x"});
  std::string exe = platform.Files.Content("C:\\P\\Uninst.exe");
  exe[512 + 2] = '?';
  platform.Files.AddFile("C:\\P\\Uninst.exe", exe);
  try {
    TUninstaller uninstaller(bundle);
    FAIL();
  } catch (const ESetupError& e) {
    EXPECT_EQ(e.Message(), "Invalid uninstall data signature");
  }
  exe[512 + 2] = '/';
  exe.resize(exe.size() - 3);
  platform.Files.AddFile("C:\\P\\Uninst.exe", exe);
  EXPECT_THROW(TUninstaller uninstaller(bundle), EReadError);
}

}  // namespace
