#include "setuplogic/setup_uninstaller.h"

#include <gtest/gtest.h>

#include "package/uninstall_record.h"
#include "package_fixture.h"
#include "test_platform.h"

namespace {

constexpr const char* kUninstaller = "C:\\Program Files\\Foo\\Uninst.exe";
constexpr const char* kProgram = "C:\\Program Files\\Foo\\Foo.exe";
constexpr const char* kBatchFile = "C:\\Temp\\Uninstall.bat";

// An installation of Foo: its program, its folder, and the uninstaller copy
// whose record lists them, with the product name as data.
class SetupUninstallerTest : public testing::Test {
 protected:
  SetupUninstallerTest() {
    platform.Files.AddFolder("C:\\Temp");
    platform.Files.AddFile(kProgram, "program");
  }

  void WriteUninstaller(const std::string& version = "2.10", const std::string& data = "Foo",
                        std::vector<std::string> items = {"EC:\\Program Files\\", "DC:\\Program Files\\Foo\\",
                                                          std::string("F") + kProgram}) {
    platform.Files.AddFile(kUninstaller, UninstallerCopy(items, data, version));
    platform.Files.SetExecutablePath(kUninstaller);
  }

  bool NothingRemoved() {
    return platform.Files.FileExists(kProgram) && platform.Files.FileExists(kUninstaller) &&
           !platform.Files.FileExists(kBatchFile) && platform.ShellServices.Opened().empty();
  }

  TTestPlatform platform;
  Platform bundle = platform.Bundle();
};

TEST_F(SetupUninstallerTest, TheProductNameIsTheRecordsDataAsText) {
  WriteUninstaller("2.10", std::string("Foo\0Bar", 7));
  TSetupUninstaller uninstaller(bundle);
  EXPECT_EQ(uninstaller.ProductName, std::string("Foo\0Bar", 7));
}

// The confirmation names the version only when its major number is above 0.
TEST_F(SetupUninstallerTest, TheConfirmationNamesTheVersionWhenThereIsOne) {
  const struct {
    const char* version;
    const char* shown;
  } cases[] = {{"2.10", "Foo 2.10"}, {"0.5", "Foo"}, {"2.10 beta 3", "Foo 2.10 beta 3"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version);
    platform.Boxes = TFakeDialogs();
    WriteUninstaller(c.version);
    platform.Boxes.Answer(DialogAnswer::No);
    TSetupUninstaller(bundle).RunUninstall();
    ASSERT_EQ(platform.Boxes.Boxes().size(), 1u);
    EXPECT_EQ(platform.Boxes.Boxes()[0],
              (TShownBox{MessageKind::Confirmation,
                         std::string("Are you sure you want to completely remove ") + c.shown +
                             "\rand all of its components?",
                         ""}));
  }
}

struct RefusalCase {
  const char* what;
  void (*refuse)(TTestPlatform&);
};

class WithoutRights : public SetupUninstallerTest, public testing::WithParamInterface<RefusalCase> {};

TEST_P(WithoutRights, ItWarnsAndTouchesNothing) {
  GetParam().refuse(platform);
  WriteUninstaller("2.10");
  TSetupUninstaller(bundle).RunUninstall();
  EXPECT_EQ(platform.Boxes.Boxes(),
            (std::vector<TShownBox>{{MessageKind::Warning,
                                     "You must have Administrator or Power User rights to uninstall Foo.\r"
                                     "Please log on as a different user and try again.",
                                     ""}}));
  EXPECT_TRUE(NothingRemoved());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WithoutRights,
    testing::Values(RefusalCase{"no folder can be made in Program Files",
                                [](TTestPlatform& p) { p.Files.FailCreateFolder("C:\\Program Files\\Test0"); }},
                    RefusalCase{"the machine's software key refuses full access", [](TTestPlatform& p) {
                                  p.Reg.DenyAccess(RegistryRoot::LocalMachine, "\\SOFTWARE");
                                }}));

TEST_F(SetupUninstallerTest, AnyAnswerButYesKeepsEverything) {
  for (DialogAnswer answer : {DialogAnswer::No, DialogAnswer::Cancel}) {
    WriteUninstaller();
    platform.Boxes.Answer(answer);
    TSetupUninstaller(bundle).RunUninstall();
    EXPECT_EQ(platform.Boxes.Boxes().back().Kind, MessageKind::Confirmation);
    EXPECT_TRUE(NothingRemoved());
  }
  EXPECT_EQ(platform.Boxes.Boxes().size(), 2u);
}

TEST_F(SetupUninstallerTest, YesRemovesEverythingAndReportsSuccess) {
  WriteUninstaller();
  TSetupUninstaller(bundle).RunUninstall();
  ASSERT_EQ(platform.Boxes.Boxes().size(), 2u);
  EXPECT_EQ(platform.Boxes.Boxes()[1],
            (TShownBox{MessageKind::Information, "Uninstallation successfully completed.", ""}));
  EXPECT_FALSE(platform.Files.FileExists(kProgram));
  // The executable and its folder are the batch file's, started hidden.
  EXPECT_TRUE(platform.Files.FileExists(kUninstaller));
  EXPECT_NE(platform.Files.Content(kBatchFile).find("del \"C:\\Program Files\\Foo\\Uninst.exe\""), std::string::npos);
  ASSERT_EQ(platform.ShellServices.Opened().size(), 1u);
  EXPECT_EQ(platform.ShellServices.Opened()[0].File, kBatchFile);
  EXPECT_TRUE(platform.ShellServices.Opened()[0].Hidden);
}

TEST_F(SetupUninstallerTest, ItemsThatRemainAreReportedWithTheNameWithoutVersion) {
  WriteUninstaller("2.10", "Foo", {std::string("F") + kProgram, "FC:\\Program Files\\Foo\\gone.txt"});
  TSetupUninstaller(bundle).RunUninstall();
  ASSERT_EQ(platform.Boxes.Boxes().size(), 2u);
  EXPECT_EQ(platform.Boxes.Boxes()[1].Text,
            "Uninstallation successfully completed.\r\r"
            "Some items could not be removed. You should manually \r"
            "remove items related to Foo.");
  EXPECT_FALSE(platform.Files.FileExists(kProgram));
  EXPECT_TRUE(platform.Files.FileExists(kBatchFile));
}

// The user reads the result while the uninstaller still runs; the batch file
// that deletes it must not start before.
class ResultBeforeBatchFile : public TFakeDialogs {
 public:
  explicit ResultBeforeBatchFile(TTestPlatform& platform) : platform_(platform) {}
  DialogAnswer Show(MessageKind kind, const std::string& text) override {
    if (kind == MessageKind::Information) {
      batchFileExisted = platform_.Files.FileExists(kBatchFile);
      batchFileStarted = !platform_.ShellServices.Opened().empty();
    }
    return TFakeDialogs::Show(kind, text);
  }
  bool batchFileExisted = true, batchFileStarted = true;

 private:
  TTestPlatform& platform_;
};

TEST_F(SetupUninstallerTest, TheResultComesBeforeTheBatchFile) {
  WriteUninstaller();
  ResultBeforeBatchFile boxes(platform);
  Platform watched{platform.Files, platform.Reg, platform.ShellServices, platform.Libs, boxes, platform.Sys};
  TSetupUninstaller(watched).RunUninstall();
  ASSERT_EQ(boxes.Boxes().size(), 2u);
  EXPECT_FALSE(boxes.batchFileExisted);
  EXPECT_FALSE(boxes.batchFileStarted);
  EXPECT_EQ(platform.ShellServices.Opened().size(), 1u);
}

TEST_F(SetupUninstallerTest, UninstallerModeSetsTheTitleFirstAndAnswersZero) {
  const struct {
    const char* data;
    const char* title;
  } cases[] = {{"Foo", "Foo Uninstaller"}, {"", " Uninstaller"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.data);
    platform.Files.AddFile(kProgram, "program");
    WriteUninstaller("2.10", c.data);
    platform.Boxes = TFakeDialogs();
    EXPECT_EQ(RunUninstallerMode(bundle), 0);
    ASSERT_EQ(platform.Boxes.Boxes().size(), 2u);
    EXPECT_EQ(platform.Boxes.Boxes()[0].Title, c.title);
    EXPECT_EQ(platform.Boxes.Boxes()[0].Text, std::string("Are you sure you want to completely remove ") + c.data +
                                                  " 2.10\rand all of its components?");
  }
}

}  // namespace
