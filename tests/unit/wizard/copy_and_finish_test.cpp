// The end of the wizard: the installation run from the Copy page with the
// form as its progress display, a run that fails, Finish with its read-me
// and program, and the Browse buttons on the way.
#include <gtest/gtest.h>

#include <ostream>

#include "setuplogic/setup_installer.h"
#include "wizard_fixture.h"

namespace {

using C = ControlId;

constexpr const char* kChosenFolder = "C:\\Chosen";

// Welcome, License, the destination typed, Install: on Ready.
const std::vector<TUserAction> kToReady = {Next(), Next(), Type(C::DestFolderInput, kChosenFolder), Next()};

std::vector<TUserAction> Then(std::vector<TUserAction> actions, const std::vector<TUserAction>& more) {
  actions.insert(actions.end(), more.begin(), more.end());
  return actions;
}

// -- the Copy page ---------------------------------------------------------------

// A library function of the installation is the moment to look at the
// window while the run blocks it, and to try the close box.
TEST_F(WizardFixture, CopyPageRunsTheInstallationAndReportsItsProgress) {
  SetupIni = std::string(kFooIni) + "[CallLibraries]\r\nInitialize=$ProgramFolder\\Foo.exe\r\n";
  std::string during, afterCloseBox;
  int pumps = -1;
  std::vector<uint32_t> sleeps;
  platform.Libs.AddExport(std::string(kDefaultProgramFolder) + "\\Foo.exe", "Initialize", [&] {
    during = State();
    pumps = platform.Sys.ProcessMessagesCalls();
    sleeps = platform.Sys.Sleeps();
    Do(CloseBox());
    afterCloseBox = State();
  });
  Create();
  for (int i = 0; i < 3; ++i) Do(Next());

  EXPECT_EQ(during, "Copy: (Cancel) ^NextButton");
  EXPECT_EQ(pumps, 1);
  EXPECT_EQ(afterCloseBox, during);
  EXPECT_TRUE(Messages().empty());
  // Each status text is drawn at once and then stays for half a second.
  EXPECT_EQ(sleeps, (std::vector<uint32_t>{500, 500, 500}));
  EXPECT_EQ(platform.Sys.Sleeps(), (std::vector<uint32_t>{500, 500, 500, 500}));
  EXPECT_EQ(Repaints(), (std::vector<std::string>{
                            "CopyProgressBar '' 0", "CopyStatusLabel 'Preparing installation...' 0",
                            "CopyProgressBar '' 25", "CopyStatusLabel 'Copying files...' 25", "CopyProgressBar '' 50",
                            "CopyStatusLabel 'Initializing components...' 50", "CopyProgressBar '' 75",
                            "CopyStatusLabel 'Creating settings...' 75", "CopyProgressBar '' 100"}));

  EXPECT_EQ(State(), "Ready: [&Finish] ^NextButton");
  EXPECT_EQ(platform.Sys.ProcessMessagesCalls(), 1);
  EXPECT_TRUE(platform.Files.FileExists(std::string(kDefaultProgramFolder) + "\\Uninst.exe"));
}

struct TFailedRunCase {
  const char* Name;
  std::string Ini;
  std::function<void(TTestPlatform&)> Machine;
  const char* Message;
};

std::ostream& operator<<(std::ostream& out, const TFailedRunCase& c) { return out << c.Name; }

class FailedRunTest : public WizardFixture, public testing::WithParamInterface<TFailedRunCase> {};

// Nothing is undone, and the program ends on the Copy page; a close
// request meanwhile is still refused.
TEST_P(FailedRunTest, ShowsTheErrorAndEndsOnTheCopyPage) {
  const TFailedRunCase& c = GetParam();
  SetupIni = c.Ini;
  c.Machine(platform);
  Create();
  while (window.SelectedPage() < wizard_page::kCopy && !HasFailure()) Do(Next());
  Do(CloseBox());

  EXPECT_EQ(State(), "Copy: (Cancel) ^NextButton terminated");
  EXPECT_EQ(window.PagesShown().back(), wizard_page::kCopy);
  EXPECT_FALSE(window.Closed());
  EXPECT_EQ(Messages(), std::vector<TMessage>{ErrorBox(c.Message)});
  EXPECT_EQ(MessageTitles(), std::vector<std::string>{"Foo Setup"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailedRunTest,
    testing::Values(
        TFailedRunCase{"DiskFull", kFooIni, [](TTestPlatform& p) { p.Files.SetFreeBytes(0); },
                       "There is not enough space on the destination drive.\rPlease free up some space and then try "
                       "again"},
        // After the files are in place: the shortcuts come last but one.
        TFailedRunCase{"NoShellLinks", std::string(kFooIni) + "[Shortcuts]\r\nStartMenu=$ProgramFolder\\Foo.exe\r\n",
                       [](TTestPlatform& p) { p.ShellServices.FailLinkObjects(); }, "Class not registered"}),
    [](const auto& info) { return std::string(info.param.Name); });

// -- Finish ----------------------------------------------------------------------

const std::string kReadme = "[Complete]\r\nReadme=$ProgramFolder\\Readme.txt\r\n";
const std::string kProduct = "[Complete]\r\nProduct=$ProgramFolder\\Foo.exe\r\n";
const std::string kVstPage = "[Pages]\r\nVstPluginFolder=1\r\n";

const std::string kReadmeOpened = "C:\\Chosen\\Readme.txt | ";
const std::string kProductStarted = "C:\\Chosen\\Foo.exe | C:\\Chosen\\";

struct TFinishCase {
  const char* Name;
  std::string Complete;  // added to the setup's sections
  std::vector<TUserAction> Actions;
  std::vector<std::string> Opened;  // Opened()
  std::string ReadmeCheck;          // ControlState() on Ready
  std::string StartCheck;
  int StartLabelTop = 168;
  int StartCheckTop = 188;
};

std::ostream& operator<<(std::ostream& out, const TFinishCase& c) { return out << c.Name; }

class FinishTest : public WizardFixture, public testing::WithParamInterface<TFinishCase> {};

// The paths are formed at Finish, from the folders the user chose; the
// read-me comes first, and the program starts in its own folder.
TEST_P(FinishTest, OpensWhatTheUserLeftCheckedThenCloses) {
  const TFinishCase& c = GetParam();
  SetupIni = std::string(kFooIni) + c.Complete;
  Create();
  for (const TUserAction& action : c.Actions) Do(action);

  EXPECT_EQ(Opened(), c.Opened);
  EXPECT_TRUE(window.Closed());
  EXPECT_FALSE(window.Terminated());
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(ControlState(C::ReadyReadmeCheck), c.ReadmeCheck);
  EXPECT_EQ(ControlState(C::ReadyStartCheck), c.StartCheck);
  EXPECT_EQ(window.Bounds(C::ReadyStartLabel).Top, c.StartLabelTop);
  EXPECT_EQ(window.Bounds(C::ReadyStartCheck).Top, c.StartCheckTop);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FinishTest,
    testing::Values(
        TFinishCase{"BothChecked",
                    kReadme + "Product=$ProgramFolder\\Foo.exe\r\n",
                    Then(kToReady, {Next()}),
                    {kReadmeOpened, kProductStarted},
                    "[x]",
                    "[x]"},
        TFinishCase{"ReadmeUnchecked",
                    kReadme + "Product=$ProgramFolder\\Foo.exe\r\n",
                    Then(kToReady, {Click(C::ReadyReadmeCheck), Next()}),
                    {kProductStarted},
                    "[ ]",
                    "[x]"},
        TFinishCase{"StartUnchecked",
                    kReadme + "Product=$ProgramFolder\\Foo.exe\r\n",
                    Then(kToReady, {Click(C::ReadyStartCheck), Next()}),
                    {kReadmeOpened},
                    "[x]",
                    "[ ]"},
        TFinishCase{"NoProduct", kReadme, Then(kToReady, {Next()}), {kReadmeOpened}, "[x]", "[x] hidden"},
        // Without a read-me the start question moves up into its place.
        TFinishCase{"NoReadme", kProduct, Then(kToReady, {Next()}), {kProductStarted}, "[x] hidden", "[x]", 108, 128},
        // A read-me in the folder of a declined plug-in has no path.
        TFinishCase{
            "ReadmeOfADeclinedPlugin",
            kVstPage + "[Complete]\r\nReadme=$VstPluginFolder\\Foo Readme.txt\r\nProduct=$ProgramFolder\\Foo.exe\r\n",
            {Next(), Next(), Click(C::Vst2InstallCheck), Next(), Type(C::DestFolderInput, kChosenFolder), Next(),
             Next()},
            {kProductStarted},
            "[x] hidden",
            "[x]",
            108,
            128},
        // The start question was asked, since the plug-in was still wanted
        // when the pages were filled; there is nothing to start now.
        TFinishCase{
            "ProductOfADeclinedPlugin",
            kVstPage + "[Complete]\r\nReadme=$ProgramFolder\\Readme.txt\r\nProduct=$VstPluginFolder\\Foo.exe\r\n",
            {Next(), Next(), Click(C::Vst2InstallCheck), Next(), Type(C::DestFolderInput, kChosenFolder), Next(),
             Next()},
            {kReadmeOpened},
            "[x]",
            "[x]"},
        TFinishCase{"CloseBoxOnReady",
                    kReadme + "Product=$ProgramFolder\\Foo.exe\r\n",
                    Then(kToReady, {CloseBox()}),
                    {},
                    "[x]",
                    "[x]"}),
    [](const auto& info) { return std::string(info.param.Name); });

// -- Browse buttons ----------------------------------------------------------------

struct TBrowseCase {
  const char* Name;
  int Page;
  ControlId Button;
  ControlId Input;
  const char* Title;
  const char* Setting;  // what leaving the page would store
  std::string Initial;
};

std::ostream& operator<<(std::ostream& out, const TBrowseCase& c) { return out << c.Name; }

class BrowseTest : public WizardFixture, public testing::WithParamInterface<TBrowseCase> {};

// The browser starts at the box's text and puts its choice there; a
// cancelled browse changes nothing, and nothing is stored before Next.
TEST_P(BrowseTest, PutsTheChosenFolderIntoItsBox) {
  const TBrowseCase& c = GetParam();
  SetupIni = std::string(kFooIni) + "[Pages]\r\nVstPluginFolder=1\r\nDigiPluginFolder=1\r\nPhotoshopPluginFolder=1\r\n";
  Create();
  while (window.SelectedPage() < c.Page && !HasFailure()) Do(Next());

  platform.ShellServices.ScriptBrowse(TBrowseScript::Choose("D:\\Picked"));
  Do(Click(c.Button));
  EXPECT_EQ(window.Text(c.Input), "D:\\Picked");
  ASSERT_EQ(platform.ShellServices.BrowseRequests().size(), 1u);
  EXPECT_EQ(platform.ShellServices.BrowseRequests()[0].Title, c.Title);
  EXPECT_EQ(platform.ShellServices.BrowseRequests()[0].Owner, window.Handle());
  ASSERT_FALSE(platform.ShellServices.BrowserCalls().empty());
  EXPECT_EQ(platform.ShellServices.BrowserCalls()[0].Message, TBrowserCall::SetSelection);
  EXPECT_EQ(platform.ShellServices.BrowserCalls()[0].Text, c.Initial);

  platform.ShellServices.ScriptBrowse(TBrowseScript::Cancel());
  Do(Click(c.Button));
  EXPECT_EQ(window.Text(c.Input), "D:\\Picked");
  EXPECT_EQ(Setting(c.Setting), c.Initial);
  EXPECT_TRUE(Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrowseTest,
    testing::Values(
        TBrowseCase{"Destination", wizard_page::kDest, C::DestBrowseButton, C::DestFolderInput,
                    "Select the folder in which Foo will be installed:", "ProgramFolder", kDefaultProgramFolder},
        TBrowseCase{"Vst2", wizard_page::kVstPlugins, C::Vst2BrowseButton, C::Vst2FolderInput,
                    "Select the VST plug-in folder on your computer:", "VstPluginFolder", kVstHostFolder},
        TBrowseCase{"ProTools", wizard_page::kDigiPlugins, C::DigiBrowseButton, C::DigiFolderInput,
                    "Select the Pro Tools plug-in folder on your computer:", "DigiPluginFolder", kDigiHostFolder},
        TBrowseCase{"Photoshop", wizard_page::kPhotoshopPlugin, C::PhotoshopBrowseButton, C::PhotoshopFolderInput,
                    "Select the Adobe Photoshop plug-ins folder on your computer:", "PhotoshopPluginFolder",
                    kPhotoshopHostFolder}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
