#include "package/installer.h"

#include <gtest/gtest.h>

#include "common/date_time.h"
#include "common/errors.h"
#include "package/uninstall_record.h"
#include "package_fixture.h"
#include "test_platform.h"

namespace {

using Items = std::vector<TPackageItem>;
constexpr double kStamp = 45413.5;  // 2024-05-01 12:00

Items Product() {
  return {
      TPackageItem::Folder("Main", {TPackageItem::File("Help.chm", "help"),
                                    TPackageItem::Folder("Docs", {TPackageItem::File("Readme.txt", "read me")}),
                                    TPackageItem::Folder("Empty", {TPackageItem::Folder("Deeper")})}),
      TPackageItem::Folder("Plugin", {TPackageItem::File("Plug.dll", "plug-in")}),
      TPackageItem::File("Setup.ini", "[Setup]\r\n"),
      TPackageItem::File("Main", "a support file named like a component"),
  };
}

class InstallerTest : public testing::Test {
 protected:
  InstallerTest() {
    platform.Files.AddFolder("C:\\Program Files");
    platform.Files.AddFile("C:\\Setup\\Setup.exe", SetupExecutable(BuildPackage(Product(), "2.10", kStamp)));
  }

  TTestPlatform platform;
  Platform bundle = platform.Bundle();
};

TEST_F(InstallerTest, ConstructionVerifiesAndReadsTheHeader) {
  TInstaller installer(bundle);
  EXPECT_EQ(installer.Version.VersionText(), "2.10");
  EXPECT_EQ(installer.PackageFileDate, DateTimeToDosDateTime(kStamp));
  EXPECT_EQ(installer.DirectoryStart, 1024 + 53);
  EXPECT_TRUE(installer.Overwrite);
  EXPECT_TRUE(installer.UninstallItems.empty());
}

TEST_F(InstallerTest, ConstructionFailsOnADamagedPackage) {
  auto exe = SetupExecutable(BuildPackage(Product()));
  exe[1024 + 100] ^= 1;
  platform.Files.AddFile("C:\\Setup\\Setup.exe", exe);
  try {
    TInstaller installer(bundle);
    FAIL();
  } catch (const ESetupError& e) {
    EXPECT_EQ(e.Message(), "The installer appears to be corrupted. Please download it again");
  }
}

TEST_F(InstallerTest, ForceFolderRecordsExistingParentsFirst) {
  TInstaller installer(bundle);
  EXPECT_TRUE(installer.ForceFolder("C:\\Program Files\\Prod\\Sub\\"));
  EXPECT_TRUE(installer.ForceFolder("C:\\Program Files\\Prod\\"));
  EXPECT_FALSE(installer.ForceFolder(""));
  EXPECT_EQ(installer.UninstallItems,
            (std::vector<std::string>{"EC:\\Program Files\\", "DC:\\Program Files\\Prod\\",
                                      "DC:\\Program Files\\Prod\\Sub\\", "EC:\\Program Files\\Prod\\"}));
  EXPECT_TRUE(platform.Files.FolderExists("C:\\Program Files\\Prod\\Sub"));
}

TEST_F(InstallerTest, ForceFolderOnAMissingDriveStopsAndRecordsNothing) {
  TInstaller installer(bundle);
  EXPECT_FALSE(installer.ForceFolder("X:\\A\\B\\"));
  EXPECT_TRUE(installer.UninstallItems.empty());
}

TEST_F(InstallerTest, AFolderThatCannotBeMadeIsNotRecordedAndItsFirstFileFails) {
  platform.Files.FailCreateFolder("C:\\Program Files\\Prod\\Docs");
  TInstaller installer(bundle);
  EXPECT_THROW(installer.ExtractComponent("Main", "C:\\Program Files\\Prod", 0), EFCreateError);
  EXPECT_EQ(installer.UninstallItems,
            (std::vector<std::string>{"EC:\\Program Files\\", "DC:\\Program Files\\Prod\\",
                                      "FC:\\Program Files\\Prod\\Help.chm", "EC:\\Program Files\\Prod\\"}));
}

TEST_F(InstallerTest, ExtractionWritesRecordsAndDatesEveryFile) {
  TInstaller installer(bundle);
  EXPECT_EQ(installer.ExtractComponent("MAIN", "C:\\Program Files\\Prod", 0), 0);
  EXPECT_EQ(platform.Files.Content("C:\\Program Files\\Prod\\Help.chm"), "help");
  EXPECT_EQ(platform.Files.Content("C:\\Program Files\\Prod\\Docs\\Readme.txt"), "read me");
  EXPECT_TRUE(platform.Files.FolderExists("C:\\Program Files\\Prod\\Empty\\Deeper"));
  EXPECT_EQ(installer.UninstallItems,
            // Each nested folder is made sure of from its parent down, so the
            // parent, existing by then, is recorded again as "E".
            (std::vector<std::string>{
                "EC:\\Program Files\\", "DC:\\Program Files\\Prod\\", "FC:\\Program Files\\Prod\\Help.chm",
                "EC:\\Program Files\\Prod\\", "DC:\\Program Files\\Prod\\Docs\\",
                "FC:\\Program Files\\Prod\\Docs\\Readme.txt", "EC:\\Program Files\\Prod\\",
                "DC:\\Program Files\\Prod\\Empty\\", "EC:\\Program Files\\Prod\\Empty\\",
                "DC:\\Program Files\\Prod\\Empty\\Deeper\\"}));
  uint32_t date = 0;
  ASSERT_TRUE(platform.Files.GetLastWriteTime("C:\\Program Files\\Prod\\Docs\\Readme.txt", date));
  EXPECT_EQ(date, installer.PackageFileDate);

  // A date of its own, given by the caller.
  installer.ExtractComponent("Plugin", "C:\\Plugins\\", 0x58A16000);
  ASSERT_TRUE(platform.Files.GetLastWriteTime("C:\\Plugins\\Plug.dll", date));
  EXPECT_EQ(date, 0x58A16000u);
}

TEST_F(InstallerTest, MissingComponentsCreateAndRecordNothing) {
  TInstaller installer(bundle);
  EXPECT_EQ(installer.ExtractComponent("Setup.ini", "C:\\Program Files\\Prod", 0), 0);
  EXPECT_EQ(installer.ExtractComponent("Nothing", "C:\\Program Files\\Prod", 0), 0);
  EXPECT_EQ(installer.GetComponentSize("Nothing"), 0);
  EXPECT_FALSE(platform.Files.FolderExists("C:\\Program Files\\Prod"));
  EXPECT_TRUE(installer.UninstallItems.empty());
}

TEST_F(InstallerTest, MeasuringCountsNestedFilesAndTouchesNothing) {
  TInstaller installer(bundle);
  EXPECT_EQ(installer.GetComponentSize("Main"), 4 + 7);
  EXPECT_EQ(installer.ExtractComponent("Main", "", 0), 11);
  EXPECT_TRUE(installer.UninstallItems.empty());
}

struct ExistingFileCase {
  const char* what;
  bool overwrite;
  uint32_t attributes;
  bool replaced;
};

class ExistingFileTest : public InstallerTest, public testing::WithParamInterface<ExistingFileCase> {};

TEST_P(ExistingFileTest, OverwriteDecides) {
  const ExistingFileCase& c = GetParam();
  platform.Files.AddFile("C:\\Plugins\\Plug.dll", "the user's own", c.attributes);
  TInstaller installer(bundle);
  installer.Overwrite = c.overwrite;
  installer.ExtractComponent("Plugin", "C:\\Plugins", 0);
  EXPECT_EQ(platform.Files.Content("C:\\Plugins\\Plug.dll"), c.replaced ? "plug-in" : "the user's own") << c.what;
  const bool recorded = std::count(installer.UninstallItems.begin(), installer.UninstallItems.end(),
                                   "FC:\\Plugins\\Plug.dll") == 1;
  EXPECT_EQ(recorded, c.replaced) << c.what;
  uint32_t attributes = 0;
  platform.Files.GetAttributes("C:\\Plugins\\Plug.dll", attributes);
  if (c.replaced) {
    EXPECT_EQ(attributes & file_attribute::kReadOnly, 0u) << c.what;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ExistingFileTest,
                         testing::Values(ExistingFileCase{"plain file, overwrite", true, 0, true},
                                         ExistingFileCase{"plain file, keep", false, 0, false},
                                         ExistingFileCase{"read-only file, overwrite", true, file_attribute::kReadOnly, true},
                                         ExistingFileCase{"read-only file, keep", false, file_attribute::kReadOnly, false}));

// A file that another program holds open: the hook decides between trying
// again and giving up with the file layer's error; without a hook the error
// comes at once.
TEST_F(InstallerTest, AFileInUseIsTriedAgainWhileTheHookSaysSo) {
  const struct {
    const char* what;
    int retriesBeforeRelease;  // -1: no hook
    bool giveUp;               // the hook's answer once the retries are spent
    bool replaced;
  } cases[] = {
      {"released after two retries", 2, false, true},
      {"the user gives up", 1, true, false},
      {"no one to ask", -1, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = "C:\\Plugins\\Plug.dll";
    platform.Files.AddFile(path, "held by a host");
    platform.Files.Lock(path);
    TInstaller installer(bundle);
    int asked = 0;
    if (c.retriesBeforeRelease >= 0)
      installer.OnFileInUse = [&](const std::string& held) {
        EXPECT_EQ(held, path);
        if (++asked > c.retriesBeforeRelease) {
          if (c.giveUp) return false;
          platform.Files.Unlock(path);
        }
        return true;
      };
    if (c.replaced) {
      installer.ExtractComponent("Plugin", "C:\\Plugins", 0);
      EXPECT_EQ(platform.Files.Content(path), "plug-in");
    } else {
      try {
        installer.ExtractComponent("Plugin", "C:\\Plugins", 0);
        ADD_FAILURE() << "no error";
      } catch (const EFCreateError& error) {
        EXPECT_TRUE(error.InUse());
        EXPECT_NE(error.Message().find(path), std::string::npos) << error.Message();
      }
      EXPECT_EQ(platform.Files.Content(path), "held by a host");
    }
    EXPECT_EQ(asked, c.retriesBeforeRelease < 0 ? 0 : c.retriesBeforeRelease + 1);
    platform.Files.Unlock(path);
  }
}

TEST_F(InstallerTest, TheHookCanRenameOrSkipAFile) {
  TInstaller installer(bundle);
  std::vector<std::string> seen;
  installer.OnExtractFile = [&](TInstaller& self, std::string& path) {
    EXPECT_EQ(&self, &installer);
    seen.push_back(path);
    if (path.size() > 4 && path.compare(path.size() - 4, 4, ".dll") == 0)
      path = path.substr(0, path.size() - 4) + ".vst3";
    else if (path.find("Readme") != std::string::npos)
      path.clear();
  };
  installer.ExtractComponent("Plugin", "C:\\VST3", 0);
  installer.ExtractComponent("Main", "C:\\Prod", 0);
  EXPECT_EQ(platform.Files.Content("C:\\VST3\\Plug.vst3"), "plug-in");
  EXPECT_FALSE(platform.Files.FileExists("C:\\VST3\\Plug.dll"));
  EXPECT_FALSE(platform.Files.FileExists("C:\\Prod\\Docs\\Readme.txt"));
  EXPECT_EQ(std::count(installer.UninstallItems.begin(), installer.UninstallItems.end(), "FC:\\VST3\\Plug.vst3"), 1);
  EXPECT_EQ(seen.front(), "C:\\VST3\\Plug.dll");
}

TEST_F(InstallerTest, ReadPackageFileFindsTopLevelFilesOnly) {
  TInstaller installer(bundle);
  auto ini = installer.ReadPackageFile("SETUP.INI");
  ASSERT_NE(ini, nullptr);
  EXPECT_EQ(ini->Position(), 0);
  EXPECT_EQ(ini->Text(), "[Setup]\r\n");
  auto twin = installer.ReadPackageFile("main");
  ASSERT_NE(twin, nullptr);
  EXPECT_EQ(twin->Text(), "a support file named like a component");
  EXPECT_EQ(installer.ReadPackageFile("Help.chm"), nullptr);
  EXPECT_EQ(installer.ReadPackageFile("Setup.lic"), nullptr);
}

TEST_F(InstallerTest, RegistryKeysAndShortcutsAreRecorded) {
  platform.Files.AddFolder("C:\\Menu");
  TInstaller installer(bundle);
  installer.AddRegistryKey(RegistryRoot::ClassesRoot, "\\.demo");
  installer.AddRegistryKey(RegistryRoot::CurrentUser, "\\Software\\Maker\\2.0");
  installer.AddRegistryKey(RegistryRoot::LocalMachine, "\\Software\\Maker\\2.0");
  installer.AddShortcut("C:\\Menu\\Prod.lnk", "C:\\Prod\\Prod.exe");
  EXPECT_EQ(installer.UninstallItems,
            (std::vector<std::string>{"C\\.demo", "U\\Software\\Maker\\2.0", "M\\Software\\Maker\\2.0",
                                      "FC:\\Menu\\Prod.lnk"}));
  TShellLink link;
  ASSERT_TRUE(platform.ShellServices.ReadLink("C:\\Menu\\Prod.lnk", link));
  EXPECT_EQ(link.Target, "C:\\Prod\\Prod.exe");
  EXPECT_EQ(link.WorkingFolder, "C:\\Prod\\");
}

// -- registering the uninstaller ----------------------------------------

constexpr const char* kEntries = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

TEST_F(InstallerTest, UninstallerCopyIsTheImageWithFlagAndRecord) {
  platform.Files.AddFolder("C:\\Prod");
  TInstaller installer(bundle);
  installer.ExtractComponent("Plugin", "C:\\Prod", 0);
  const std::string name = "Prod";
  installer.RegisterUninstaller("C:\\Prod\\Uninst.exe", "Prod 2.10", "Prod 2.10",
                                reinterpret_cast<const uint8_t*>(name.data()), name.size());

  const std::string setup = platform.Files.Content("C:\\Setup\\Setup.exe");
  const std::string copy = platform.Files.Content("C:\\Prod\\Uninst.exe");
  ASSERT_GT(copy.size(), 1024u);
  EXPECT_EQ(copy.substr(0, 48), setup.substr(0, 48));
  EXPECT_EQ(LoadInt32(reinterpret_cast<const uint8_t*>(copy.data()) + 48), 1024);
  EXPECT_EQ(LoadInt32(reinterpret_cast<const uint8_t*>(copy.data()) + 52), 1);
  EXPECT_EQ(copy.substr(56, 1024 - 56), setup.substr(56, 1024 - 56));

  TMemoryStream stream(std::vector<uint8_t>(copy.begin() + 1024, copy.end()));
  const TUninstallRecord record = ReadUninstallRecord(stream);
  EXPECT_EQ(record.Version.VersionText(), "2.10");
  EXPECT_EQ(std::string(record.Data.begin(), record.Data.end()), "Prod");
  ASSERT_FALSE(record.Items.empty());
  EXPECT_EQ(record.Items.back(), std::string("M") + kEntries + "Prod 2.10");
  EXPECT_EQ(record.Items, installer.UninstallItems);

  EXPECT_EQ(platform.Reg.StringValue(RegistryRoot::LocalMachine, std::string(kEntries) + "Prod 2.10", "DisplayName"),
            "Prod 2.10");
  EXPECT_EQ(platform.Reg.StringValue(RegistryRoot::LocalMachine, std::string(kEntries) + "Prod 2.10",
                                     "UninstallString"),
            "\"C:\\Prod\\Uninst.exe\"");
}

TEST_F(InstallerTest, WithNothingAppendedTheCopyIsTheWholeExecutable) {
  std::vector<uint8_t> exe(777, 'x');
  exe[0] = 'M';
  exe[1] = 'Z';
  StoreInt32(exe.data() + 48, 0);
  platform.Files.AddFile("C:\\Setup\\Setup.exe", exe);
  platform.Files.AddFile("C:\\Setup\\Setup.dat", BuildPackage(Product()));
  TInstaller installer(bundle);
  installer.RegisterUninstaller("C:\\Setup\\Uninst.exe", "K", "K", nullptr, 0);
  const std::string copy = platform.Files.Content("C:\\Setup\\Uninst.exe");
  EXPECT_EQ(LoadInt32(reinterpret_cast<const uint8_t*>(copy.data()) + 48), 777);
  EXPECT_EQ(copy.substr(777, 8), "QZ/UNS/3");
}

TEST_F(InstallerTest, StaleEntriesForTheSameUninstallerGoQuotedOrNot) {
  platform.Reg.SetString(RegistryRoot::LocalMachine, std::string(kEntries) + "Old unquoted", "UninstallString",
                         "c:\\prod\\uninst.exe");
  platform.Reg.SetString(RegistryRoot::LocalMachine, std::string(kEntries) + "Old quoted", "UninstallString",
                         "\"C:\\Prod\\Uninst.exe\"");
  platform.Reg.SetString(RegistryRoot::LocalMachine, std::string(kEntries) + "Other", "UninstallString",
                         "\"C:\\Other\\Uninst.exe\"");
  platform.Reg.SetInteger(RegistryRoot::LocalMachine, std::string(kEntries) + "Odd", "UninstallString", 5);
  platform.Reg.AddKey(RegistryRoot::LocalMachine, std::string(kEntries) + "No value");
  platform.Files.AddFolder("C:\\Prod");
  TInstaller installer(bundle);
  installer.RegisterUninstaller("C:\\Prod\\Uninst.exe", "New", "New", nullptr, 0);
  EXPECT_FALSE(platform.Reg.KeyExists(RegistryRoot::LocalMachine, std::string(kEntries) + "Old unquoted"));
  EXPECT_FALSE(platform.Reg.KeyExists(RegistryRoot::LocalMachine, std::string(kEntries) + "Old quoted"));
  EXPECT_TRUE(platform.Reg.KeyExists(RegistryRoot::LocalMachine, std::string(kEntries) + "Other"));
  EXPECT_TRUE(platform.Reg.KeyExists(RegistryRoot::LocalMachine, std::string(kEntries) + "Odd"));
  EXPECT_TRUE(platform.Reg.KeyExists(RegistryRoot::LocalMachine, std::string(kEntries) + "No value"));
  EXPECT_TRUE(platform.Reg.KeyExists(RegistryRoot::LocalMachine, std::string(kEntries) + "New"));
}

TEST_F(InstallerTest, RegisteringTwiceLeavesOnlyTheNewerKey) {
  platform.Files.AddFolder("C:\\Prod");
  TInstaller installer(bundle);
  installer.RegisterUninstaller("C:\\Prod\\Uninst.exe", "Prod 2.00", "Prod 2.00", nullptr, 0);
  installer.RegisterUninstaller("C:\\Prod\\Uninst.exe", "Prod 2.10", "Prod 2.10", nullptr, 0);
  EXPECT_FALSE(platform.Reg.KeyExists(RegistryRoot::LocalMachine, std::string(kEntries) + "Prod 2.00"));
  EXPECT_TRUE(platform.Reg.KeyExists(RegistryRoot::LocalMachine, std::string(kEntries) + "Prod 2.10"));
}

TEST_F(InstallerTest, RegistryErrorsDoNotStopTheRegistration) {
  platform.Reg.DenyAccess(RegistryRoot::LocalMachine, std::string(kEntries) + "Prod");
  platform.Files.AddFolder("C:\\Prod");
  TInstaller installer(bundle);
  EXPECT_NO_THROW(installer.RegisterUninstaller("C:\\Prod\\Uninst.exe", "Prod", "Prod", nullptr, 0));
  EXPECT_TRUE(platform.Files.FileExists("C:\\Prod\\Uninst.exe"));
}

TEST_F(InstallerTest, ACopyThatCannotBeWrittenLeavesTheRegistryAlone) {
  TInstaller installer(bundle);
  EXPECT_THROW(installer.RegisterUninstaller("C:\\Missing\\Uninst.exe", "Prod", "Prod", nullptr, 0), EFCreateError);
  EXPECT_FALSE(platform.Reg.KeyExists(RegistryRoot::LocalMachine, std::string(kEntries) + "Prod"));
}

// A setup signed after packing: its certificate table follows the package and
// the copy must not point to it.
TEST_F(InstallerTest, TheCopyOfASignedSetupCarriesNoCertificateEntry) {
  std::vector<uint8_t> stub(1024, 0);
  stub[0] = 'M';
  stub[1] = 'Z';
  const uint32_t pe = 0x80;
  StoreUInt32(stub.data() + 0x3C, pe);
  stub[pe] = 'P';
  stub[pe + 1] = 'E';
  stub[pe + 20] = 224;  // optional header size of PE32
  stub[pe + 24] = 0x0B;
  stub[pe + 25] = 0x01;
  StoreUInt32(stub.data() + pe + 24 + 92, 16);
  StoreUInt32(stub.data() + 48, 1024);
  const auto package = BuildPackage(Product());
  std::vector<uint8_t> exe = stub;
  exe.insert(exe.end(), package.begin(), package.end());
  const uint32_t table = static_cast<uint32_t>(exe.size());
  StoreUInt32(exe.data() + pe + 24 + 96 + 32, table);
  StoreUInt32(exe.data() + pe + 24 + 96 + 36, 512);
  exe.resize(exe.size() + 512, 0x30);
  platform.Files.AddFile("C:\\Setup\\Setup.exe", exe);
  platform.Files.AddFolder("C:\\Prod");
  TInstaller installer(bundle);
  installer.RegisterUninstaller("C:\\Prod\\Uninst.exe", "Prod", "Prod", nullptr, 0);
  const std::string copy = platform.Files.Content("C:\\Prod\\Uninst.exe");
  const auto* bytes = reinterpret_cast<const uint8_t*>(copy.data());
  EXPECT_EQ(LoadUInt32(bytes + pe + 24 + 96 + 32), 0u);
  EXPECT_EQ(LoadUInt32(bytes + pe + 24 + 96 + 36), 0u);
  EXPECT_EQ(copy.substr(1024, 8), "QZ/UNS/3");
}

}  // namespace
