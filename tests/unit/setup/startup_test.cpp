#include "setup/startup.h"

#include <gtest/gtest.h>

#include "common/display.h"
#include "fake_resources.h"
#include "fake_wizard_window.h"
#include "package/uninstall_record.h"
#include "package_fixture.h"
#include "test_platform.h"

namespace {

constexpr const char* kExecutable = "C:\\Setup\\Setup.exe";

std::vector<uint8_t> Product(const std::string& setupIni, const std::string& version = "2.10") {
  return BuildPackage({TPackageItem::File("Setup.ini", setupIni), TPackageItem::File("Setup.lic", "Licence\r\n"),
                       TPackageItem::Folder("Main", {TPackageItem::File("Foo.exe", "program")})},
                      version);
}

constexpr const char* kGoodIni = "[Setup]\r\nProductName=Foo\r\nRegistryRoot=Software\\Maker\\Foo\r\n"
                                 "DefaultFolder=Foo %d\r\n";

class StartupTest : public testing::Test {
 protected:
  // The setup executable with its run-mode word set to flag.
  void AddSetup(const std::vector<uint8_t>& package, int32_t flag = 0) {
    std::vector<uint8_t> exe = SetupExecutable(package);
    StoreInt32(exe.data() + 52, flag);
    platform.Files.AddFile(kExecutable, exe);
  }

  TTestPlatform platform;
  Platform bundle = platform.Bundle();
  TDisplay display{platform.Libs, platform.Sys};
  TFakeResources resources;
  TFakeWizardHost windows;
  TWizardServices wizard{display, resources, windows};
};

TEST_F(StartupTest, SetupModeRunsTheWizardFromItsWelcomePage) {
  // Only the flag 1 makes the uninstaller; anything else is the setup.
  for (int32_t flag : {0, 2, -1}) {
    SCOPED_TRACE(flag);
    platform.Boxes = TFakeDialogs();
    AddSetup(Product(kGoodIni, "2.10 beta 3"), flag);
    std::string shownTitle, welcome;
    windows.User = [&](TFakeWizardWindow& window) {
      shownTitle = window.Title();
      welcome = window.Text(ControlId::WelcomeDescriptionLabel);
      EXPECT_EQ(window.PagesShown(), std::vector<int>{wizard_page::kWelcome});
    };
    EXPECT_EQ(RunProgram(bundle, wizard), 0);
    EXPECT_TRUE(windows.Shown);
    EXPECT_EQ(shownTitle, "Foo Setup");
    EXPECT_EQ(welcome, "This program will install Foo 2.10 beta 3 on your computer.");
    EXPECT_EQ(platform.Boxes.Title(), "Foo Setup");
    EXPECT_TRUE(platform.Boxes.Boxes().empty());
    EXPECT_TRUE(platform.Boxes.ApplicationErrors().empty());
  }
}

TEST_F(StartupTest, SetupModeShowsWhatFailsInTheErrorBoxAndEndsNormally) {
  const struct {
    const char* what;
    std::vector<uint8_t> package;
    const char* message;
  } cases[] = {
      {"a settings file without a registry root", Product("[Setup]\r\nDefaultFolder=Foo\r\n"),
       "Invalid configuration in Setup.ini"},
      {"a damaged package", {}, "The installer appears to be corrupted. Please download it again"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    platform.Boxes = TFakeDialogs();
    std::vector<uint8_t> package = c.package;
    if (package.empty()) {
      package = Product(kGoodIni);
      package[200] ^= 0x40;
    }
    AddSetup(package);
    EXPECT_EQ(RunProgram(bundle, wizard), 0);
    EXPECT_EQ(platform.Boxes.Boxes(), (std::vector<TShownBox>{{MessageKind::Error, c.message, "Setup"}}));
    // The program ends before its window is ever shown.
    EXPECT_FALSE(windows.Shown);
  }
}

TEST_F(StartupTest, UninstallerModeHandsOverToTheUninstaller) {
  const auto exe = UninstallerCopy({"FC:\\Program Files\\Foo\\Foo.exe"}, "Foo");
  platform.Files.AddFile("C:\\Program Files\\Foo\\Foo.exe", "program");
  platform.Files.AddFile("C:\\Program Files\\Foo\\Uninst.exe", exe);
  platform.Files.SetExecutablePath("C:\\Program Files\\Foo\\Uninst.exe");
  platform.Files.AddFolder("C:\\Temp");

  EXPECT_EQ(RunProgram(bundle, wizard), 0);
  EXPECT_TRUE(platform.Boxes.ApplicationErrors().empty());
  EXPECT_EQ(platform.Boxes.Title(), "Foo Uninstaller");
  EXPECT_EQ(windows.WindowsMade, 0);
  EXPECT_FALSE(platform.Files.FileExists("C:\\Program Files\\Foo\\Foo.exe"));
}

// What escapes the uninstaller (or the test of the run mode) is reported as an
// unhandled error naming its class, before any title or question, and the
// program ends with exit code 1.
TEST_F(StartupTest, ErrorsThatEscapeAreApplicationErrorsWithExitCodeOne) {
  const struct {
    const char* what;
    bool addExecutable;
    const char* className;
    const char* message;
  } cases[] = {
      {"the flag without a record behind it", true, "ESetupError", "Invalid uninstall data signature"},
      {"an executable that cannot be read", false, "EFOpenError", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TTestPlatform fresh;
    Platform freshBundle = fresh.Bundle();
    TDisplay freshDisplay(fresh.Libs, fresh.Sys);
    TWizardServices freshWizard{freshDisplay, resources, windows};
    if (c.addExecutable) {
      std::vector<uint8_t> exe = SetupExecutable(Product(kGoodIni));
      StoreInt32(exe.data() + 52, 1);
      fresh.Files.AddFile(kExecutable, exe);
    }
    EXPECT_EQ(RunProgram(freshBundle, freshWizard), 1);
    ASSERT_EQ(fresh.Boxes.ApplicationErrors().size(), 1u);
    EXPECT_EQ(fresh.Boxes.ApplicationErrors()[0].ClassName, c.className);
    if (c.message) {
      EXPECT_EQ(fresh.Boxes.ApplicationErrors()[0].Message, c.message);
    }
    EXPECT_TRUE(fresh.Boxes.Boxes().empty());
    EXPECT_EQ(fresh.Boxes.Title(), "");
  }
}

// The display loads user32.dll by its bare name, the first library the
// program asks for: the search must be restricted before it, or a user32.dll
// beside the setup would answer.
TEST(StartProcess, RestrictsTheLibrarySearchBeforeTheFirstLibraryIsLoaded) {
  TFakeLibraries libraries;
  libraries.AddExport("user32.dll", "SetProcessDPIAware");
  TFakeSystem system;
  TDisplay display = StartProcess(libraries, system);
  EXPECT_EQ(libraries.LoadsBeforeRestriction(), 0);
  EXPECT_EQ(libraries.Calls(), std::vector<std::string>{"user32.dll!SetProcessDPIAware"});
}

}  // namespace
