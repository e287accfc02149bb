// Walks through the wizard: a configuration and a machine, what the user does
// page by page, and what the wizard shows and keeps after every step.
#include <gtest/gtest.h>

#include <ostream>

#include "setuplogic/setup_installer.h"
#include "wizard_fixture.h"

namespace {

using C = ControlId;

struct TWalk {
  const char* Name;
  std::string Ini = kFooIni;
  std::optional<std::string> BundleInfo = {};
  std::function<void(TTestPlatform&)> Machine = {};
  // The answers to the confirmations, in order; every one must be used.
  std::vector<DialogAnswer> Answers = {};
  std::vector<TUserAction> Actions = {};
  // State() after creation and after each action.
  std::vector<std::string> States = {};
  std::vector<TMessage> Messages = {};
  // Setting() once the walk is over.
  std::map<std::string, std::string> Settings = {};
  // ControlState() once the walk is over.
  std::map<ControlId, std::string> Controls = {};
};

std::ostream& operator<<(std::ostream& out, const TWalk& walk) { return out << walk.Name; }

// The pages the states pass through: a refusal keeps the page without
// showing it again, and Ready is reached through Copy.
std::vector<std::string> PagesPassed(const std::vector<std::string>& states) {
  std::vector<std::string> pages;
  for (const std::string& state : states) {
    const std::string page = state.substr(0, state.find(':'));
    if (!pages.empty() && pages.back() == page) continue;
    if (page == "Ready") pages.push_back("Copy");
    pages.push_back(page);
  }
  return pages;
}

class PageWalkTest : public WizardFixture, public testing::WithParamInterface<TWalk> {};

TEST_P(PageWalkTest, ShowsAndKeepsWhatTheUserChose) {
  const TWalk& walk = GetParam();
  SetupIni = walk.Ini;
  BundleInfo = walk.BundleInfo;
  if (walk.Machine) walk.Machine(platform);
  for (DialogAnswer answer : walk.Answers) platform.Boxes.Answer(answer);

  Create();
  std::vector<std::string> states{State()};
  for (const TUserAction& action : walk.Actions) {
    Do(action);
    states.push_back(State());
  }

  EXPECT_EQ(states, walk.States);
  std::vector<std::string> shown;
  for (int page : window.PagesShown()) shown.push_back(PageName(page));
  EXPECT_EQ(shown, PagesPassed(walk.States));
  EXPECT_EQ(Messages(), walk.Messages);
  EXPECT_EQ(platform.Boxes.UnusedAnswers(), 0u);
  for (const auto& [name, value] : walk.Settings) EXPECT_EQ(Setting(name), value) << name;
  for (const auto& [id, state] : walk.Controls) EXPECT_EQ(ControlState(id), state) << NameOf(id);
}

const std::string kWelcome = "Welcome: (< &Back) [&Next >] [Cancel] ^NextButton";
const std::string kLicense = "License: [< &Back] [&Yes] [&No] ^NextButton";
const std::string kDestInstall = "Dest: [< &Back] [&Install] [Cancel] ^DestFolderInput";
const std::string kDestNext = "Dest: [< &Back] [&Next >] [Cancel] ^DestFolderInput";
const std::string kReady = "Ready: [&Finish] ^NextButton";

std::string OnPage(const std::string& page, const std::string& focus) {
  return page + ": [< &Back] [&Next >] [Cancel] ^" + focus;
}

std::string FolderMissing(const std::string& folder) {
  return "The folder '" + folder + "' does not exist.\rPlease specify an existing folder.";
}
std::string CannotCreate(const std::string& folder) {
  return "Could not create the folder '" + folder + "'.\rPlease specify a valid name.";
}
const std::string kConfirmCancel =
    "Foo 2.10 has not been fully installed yet.\rAre you sure you want to cancel Foo Setup?";

const std::string kPluginPages = "[Pages]\r\nVstPluginFolder=1\r\nDigiPluginFolder=1\r\nPhotoshopPluginFolder=1\r\n";
const std::string kStartMenuShortcut = "[Shortcuts]\r\nStartMenu=$ProgramFolder\\Foo.exe\r\n";
const std::string kTwoItems = "One=1.0\r\nTwo=1.0\r\n";

// -- page sequences and buttons -------------------------------------------------

const TWalk kSequences[] = {
    {.Name = "MinimalSetup",
     .Actions = {Next(), Next(), Back(), Back(), Next(), Next(), Next(), Next()},
     .States = {kWelcome, kLicense, kDestInstall, kLicense, kWelcome, kLicense, kDestInstall, kReady,
                kReady + " closed"},
     .Settings = {{"ProgramFolder", "C:\\Program Files\\Maker\\Foo 2\\"}},
     // Neither a read-me nor a program to start is configured.
     .Controls = {{C::ReadyReadmeCheck, "[x] hidden"}, {C::ReadyStartCheck, "[x] hidden"}}},

    // Back stores nothing: the Icon page was never left with Next.
    {.Name = "EveryOptionalPageForwardAndBack",
     .Ini = std::string(kSuiteIni) + kPluginPages + "Personalization=1\r\n" + kStartMenuShortcut,
     .BundleInfo = kTwoItems,
     .Actions = {Next(), Next(), Next(), Next(), Next(), Next(), Next(), Next(), Back(), Back(), Back(), Back(), Back(),
                 Back(), Back(), Back()},
     .States =
         {
             kWelcome,
             kLicense,
             OnPage("BundleItems", "NextButton"),
             OnPage("VstPlugins", "Vst2FolderInput"),
             OnPage("DigiPlugins", "DigiFolderInput"),
             OnPage("PhotoshopPlugin", "PhotoshopFolderInput"),
             kDestNext,
             OnPage("Personalize", "NameInput"),
             "Icon: [< &Back] [&Install] [Cancel] ^NextButton",
             OnPage("Personalize", "NameInput"),
             kDestNext,
             OnPage("PhotoshopPlugin", "PhotoshopFolderInput"),
             OnPage("DigiPlugins", "DigiFolderInput"),
             OnPage("VstPlugins", "Vst2FolderInput"),
             OnPage("BundleItems", "NextButton"),
             kLicense,
             kWelcome,
         },
     .Settings = {{"BundleSelection", "11"},
                  {"InstallVstPlugin", "1"},
                  {"VstPluginFolder", kVstHostFolder},
                  {"InstallVst3Plugin", "1"},
                  {"DigiPluginFolder", kDigiHostFolder},
                  {"PhotoshopPluginFolder", kPhotoshopHostFolder},
                  {"ProgramFolder", "C:\\Program Files\\Maker\\Suite\\"},
                  {"OwnerName", "Tester"},
                  {"SelectedShortcuts", "0"}}},

    {.Name = "IconIsTheOnlyOptionalPage",
     .Ini = std::string(kFooIni) + kStartMenuShortcut + "Desktop=$ProgramFolder\\Foo.exe\r\n",
     .Actions = {Next(), Next(), Next(), Back(), Next(), Click(C::IconDesktopCheck), Next()},
     .States = {kWelcome, kLicense, kDestNext, "Icon: [< &Back] [&Install] [Cancel] ^NextButton", kDestNext,
                "Icon: [< &Back] [&Install] [Cancel] ^NextButton",
                "Icon: [< &Back] [&Install] [Cancel] ^IconDesktopCheck", kReady},
     .Settings = {{"SelectedShortcuts", "1"}}},

    // A name of blanks is a name; what was typed survives going back.
    {.Name = "PersonalizeIsTheInstallPage",
     .Ini = std::string(kFooIni) + "[Pages]\r\nPersonalization=1\r\n",
     .Actions = {Next(), Next(), Next(), Type(C::NameInput, "   "), Back(), Next(), Next()},
     .States = {kWelcome, kLicense, kDestNext, "Personalize: [< &Back] [&Install] [Cancel] ^NameInput",
                "Personalize: [< &Back] [&Install] [Cancel] ^NameInput", kDestNext,
                "Personalize: [< &Back] [&Install] [Cancel] ^NameInput", kReady},
     .Settings = {{"OwnerName", "   "}, {"SelectedShortcuts", "0"}},
     .Controls = {{C::NameInput, "'   '"}}},

    // The hidden desktop box still counts with its first state; the run
    // makes only the shortcuts that [Shortcuts] lists.
    {.Name = "PhotoshopPageStartMenuShortcutAndReadme",
     .Ini = std::string(kFooIni) + "[Pages]\r\nPhotoshopPluginFolder=1\r\n" + kStartMenuShortcut +
            "[Complete]\r\nReadme=$ProgramFolder\\Readme.txt\r\n",
     .Actions = {Next(), Next(), Next(), Next(), Next()},
     .States = {kWelcome, kLicense, OnPage("PhotoshopPlugin", "PhotoshopFolderInput"), kDestNext,
                "Icon: [< &Back] [&Install] [Cancel] ^NextButton", kReady},
     .Settings = {{"InstallPhotoshopPlugin", "1"},
                  {"PhotoshopPluginFolder", kPhotoshopHostFolder},
                  {"SelectedShortcuts", "3"}},
     .Controls = {{C::IconDesktopCheck, "[x] hidden"},
                  {C::ReadyReadmeCheck, "[x]"},
                  {C::ReadyStartCheck, "[x] hidden"}}},
};

INSTANTIATE_TEST_SUITE_P(Sequences, PageWalkTest, testing::ValuesIn(kSequences),
                         [](const auto& info) { return std::string(info.param.Name); });

// -- refusals when a page is left -------------------------------------------------

const std::string kVstPage = std::string(kFooIni) + "[Pages]\r\nVstPluginFolder=1\r\n";
const std::string kVst3Component = "[Components]\r\nVst3=$Vst3PluginFolder\r\n";

void InstallFoo2(TTestPlatform& platform, const std::string& version, const std::string& location) {
  const std::string key = "Software\\Maker\\Foo\\" + version;
  platform.Reg.SetString(RegistryRoot::LocalMachine, key, "VersionString", version);
  platform.Reg.SetString(RegistryRoot::LocalMachine, key, "Location", location);
  platform.Files.AddFolder(location);
}

const TWalk kRefusals[] = {
    {.Name = "NoBundleItemSelected",
     .Ini = kSuiteIni,
     .BundleInfo = kTwoItems,
     .Actions = {Next(), Next(), Click(BundleCheckId(0)), Click(BundleCheckId(1)), Next(), Click(BundleCheckId(1)),
                 Next()},
     .States = {kWelcome, kLicense, OnPage("BundleItems", "NextButton"), OnPage("BundleItems", "BundleCheck0"),
                OnPage("BundleItems", "BundleCheck1"), OnPage("BundleItems", "NextButton"),
                OnPage("BundleItems", "BundleCheck1"), kDestInstall},
     .Messages = {Warning("You need to install at least one item.")},
     .Settings = {{"BundleSelection", "01"}},
     .Controls = {{BundleCheckId(0), "[ ]"}, {BundleCheckId(1), "[x]"}}},

    {.Name = "EmptyBundleCanNeverBeLeft",
     .Ini = kSuiteIni,
     .BundleInfo = "",
     .Actions = {Next(), Next(), Next(), Next()},
     .States = {kWelcome, kLicense, OnPage("BundleItems", "NextButton"), OnPage("BundleItems", "NextButton"),
                OnPage("BundleItems", "NextButton")},
     .Messages = {Warning("You need to install at least one item."),
                  Warning("You need to install at least one item.")}},

    // Only X:\... and \\server\share\... name one folder; the fake file
    // system has the relative ones too, as a current folder would.
    // InstallVst3Plugin keeps its value while the page is refused.
    {.Name = "Vst2FolderMissingOrNotFullyQualified",
     .Ini = kVstPage + kVst3Component,
     .Machine =
         [](TTestPlatform& p) {
           p.Files.AddFolder("Hosts\\Vst");
           p.Files.AddFolder("\\Hosts\\Vst");
         },
     .Actions = {Next(), Next(), Click(C::Vst3InstallCheck), Type(C::Vst2FolderInput, "C:\\No Such Vst"), Next(),
                 Type(C::Vst2FolderInput, "Hosts\\Vst"), Next(), Type(C::Vst2FolderInput, "\\Hosts\\Vst"), Next()},
     .States = {kWelcome, kLicense, OnPage("VstPlugins", "Vst2FolderInput"), OnPage("VstPlugins", "Vst3InstallCheck"),
                OnPage("VstPlugins", "Vst3InstallCheck"), OnPage("VstPlugins", "Vst2FolderInput"),
                OnPage("VstPlugins", "Vst2FolderInput"), OnPage("VstPlugins", "Vst2FolderInput"),
                OnPage("VstPlugins", "Vst2FolderInput"), OnPage("VstPlugins", "Vst2FolderInput")},
     .Messages = {Warning(FolderMissing("C:\\No Such Vst")), Warning(FolderMissing("Hosts\\Vst")),
                  Warning(FolderMissing("\\Hosts\\Vst"))},
     .Settings = {{"InstallVstPlugin", "1"}, {"VstPluginFolder", kVstHostFolder}, {"InstallVst3Plugin", "1"}},
     .Controls = {{C::Vst2FolderInput, "'\\Hosts\\Vst'"}, {C::Vst3InstallCheck, "[ ]"}}},

    {.Name = "Vst2FolderTakenAsTyped",
     .Ini = kVstPage + kVst3Component,
     .Actions = {Next(), Next(), Click(C::Vst3InstallCheck), Type(C::Vst2FolderInput, "c:\\hosts\\VST\\"), Next()},
     .States = {kWelcome, kLicense, OnPage("VstPlugins", "Vst2FolderInput"), OnPage("VstPlugins", "Vst3InstallCheck"),
                OnPage("VstPlugins", "Vst3InstallCheck"), kDestInstall},
     .Settings = {{"InstallVstPlugin", "1"}, {"VstPluginFolder", "c:\\hosts\\VST\\"}, {"InstallVst3Plugin", "0"}}},

    {.Name = "Vst2FolderOnANetworkShare",
     .Ini = kVstPage,
     .Machine = [](TTestPlatform& p) { p.Files.AddFolder("\\\\server\\share\\Vst"); },
     .Actions = {Next(), Next(), Type(C::Vst2FolderInput, "\\\\server\\share\\Vst"), Next()},
     .States = {kWelcome, kLicense, OnPage("VstPlugins", "Vst2FolderInput"), OnPage("VstPlugins", "Vst2FolderInput"),
                kDestInstall},
     .Settings = {{"VstPluginFolder", "\\\\server\\share\\Vst"}}},

    // An emptied folder declines the plug-in for good: the box still shows
    // checked, and a folder typed later is not looked at.
    {.Name = "Vst2FolderEmptied",
     .Ini = kVstPage,
     .Actions = {Next(), Next(), Type(C::Vst2FolderInput, ""), Next(), Back(), Type(C::Vst2FolderInput, "C:\\Nowhere"),
                 Next()},
     .States = {kWelcome, kLicense, OnPage("VstPlugins", "Vst2FolderInput"), OnPage("VstPlugins", "Vst2FolderInput"),
                kDestInstall, OnPage("VstPlugins", "Vst2FolderInput"), OnPage("VstPlugins", "Vst2FolderInput"),
                kDestInstall},
     .Settings = {{"InstallVstPlugin", "0"}, {"VstPluginFolder", kVstHostFolder}},
     .Controls = {{C::Vst2InstallCheck, "[x]"}, {C::Vst2FolderInput, "'C:\\Nowhere'"}}},

    // The folder proposed by the host's registry entry is gone; unchecking
    // the box moves on without looking at it. Back again, the disabled
    // folder box cannot take the focus, which stays on Back.
    {.Name = "Vst2Unchecked",
     .Ini = kVstPage,
     .Machine =
         [](TTestPlatform& p) {
           p.Reg.SetString(RegistryRoot::LocalMachine, "Software\\Vst", "VstPluginsPath", "C:\\Gone");
         },
     .Actions = {Next(), Next(), Click(C::Vst2InstallCheck), Next(), Back()},
     .States = {kWelcome, kLicense, OnPage("VstPlugins", "Vst2FolderInput"), OnPage("VstPlugins", "Vst2InstallCheck"),
                kDestInstall, OnPage("VstPlugins", "BackButton")},
     .Settings = {{"InstallVstPlugin", "0"}, {"VstPluginFolder", "C:\\Gone"}},
     .Controls = {{C::Vst2InstallCheck, "[ ]"},
                  {C::Vst2FolderLabel, "'VST 2 Plug-In &Folder:' disabled"},
                  {C::Vst2FolderInput, "'C:\\Gone' disabled"},
                  {C::Vst2BrowseButton, "'&Browse...' disabled"}}},

    {.Name = "DigiFolderRefusedThenDeclined",
     .Ini = std::string(kFooIni) + "[Pages]\r\nDigiPluginFolder=1\r\n",
     .Actions = {Next(), Next(), Type(C::DigiFolderInput, "D:\\Pro Tools"), Next(), Click(C::DigiInstallCheck), Next()},
     .States = {kWelcome, kLicense, OnPage("DigiPlugins", "DigiFolderInput"), OnPage("DigiPlugins", "DigiFolderInput"),
                OnPage("DigiPlugins", "DigiFolderInput"), OnPage("DigiPlugins", "DigiInstallCheck"), kDestInstall},
     .Messages = {Warning(FolderMissing("D:\\Pro Tools"))},
     .Settings = {{"InstallDigiPlugin", "0"}, {"DigiPluginFolder", kDigiHostFolder}},
     .Controls = {{C::DigiFolderLabel, "'Pro Tools Plug-In &Folder:' disabled"},
                  {C::DigiFolderInput, "'D:\\Pro Tools' disabled"},
                  {C::DigiBrowseButton, "'&Browse...' disabled"}}},

    // The Photoshop box works like its VST 2 and Pro Tools counterparts: a
    // click writes the flag and switches the folder controls.
    {.Name = "PhotoshopFolderRefusedThenDeclined",
     .Ini = std::string(kFooIni) + "[Pages]\r\nPhotoshopPluginFolder=1\r\n",
     .Actions = {Next(), Next(), Type(C::PhotoshopFolderInput, "C:\\Adobe\\Missing"), Next(),
                 Click(C::PhotoshopInstallCheck), Next()},
     .States = {kWelcome, kLicense, OnPage("PhotoshopPlugin", "PhotoshopFolderInput"),
                OnPage("PhotoshopPlugin", "PhotoshopFolderInput"), OnPage("PhotoshopPlugin", "PhotoshopFolderInput"),
                OnPage("PhotoshopPlugin", "PhotoshopInstallCheck"), kDestInstall},
     .Messages = {Warning(FolderMissing("C:\\Adobe\\Missing"))},
     .Settings = {{"InstallPhotoshopPlugin", "0"}, {"PhotoshopPluginFolder", kPhotoshopHostFolder}},
     .Controls = {{C::PhotoshopFolderLabel, "'Adobe Photoshop plug-ins &folder:' disabled"},
                  {C::PhotoshopFolderInput, "'C:\\Adobe\\Missing' disabled"},
                  {C::PhotoshopBrowseButton, "'&Browse...' disabled"}}},

    {.Name = "NoPhotoshopOnTheMachine",
     .Ini = std::string(kFooIni) + "[Pages]\r\nPhotoshopPluginFolder=1\r\n",
     .Machine = [](TTestPlatform& p) { p.Reg.DeleteKey(RegistryRoot::LocalMachine, "SOFTWARE\\Adobe"); },
     .Actions = {Next(), Next(), Next()},
     .States = {kWelcome, kLicense, OnPage("PhotoshopPlugin", "PhotoshopFolderInput"), kDestInstall},
     .Settings = {{"InstallPhotoshopPlugin", "0"}, {"PhotoshopPluginFolder", ""}},
     .Controls = {{C::PhotoshopInstallCheck, "[x]"}}},

    // Each refusal puts the focus back into the folder box that Next took
    // it from, and keeps the text.
    {.Name = "DestinationCannotBeCreated",
     .Actions = {Next(), Next(), Type(C::DestFolderInput, ""), Next(), Type(C::DestFolderInput, "C:\\"), Next(),
                 Type(C::DestFolderInput, "D:\\Foo"), Next(), Type(C::DestFolderInput, "Programs"), Next()},
     .States = {kWelcome, kLicense, kDestInstall, kDestInstall, kDestInstall, kDestInstall, kDestInstall, kDestInstall,
                kDestInstall, kDestInstall, kDestInstall},
     .Messages = {Warning(CannotCreate("\\")), Warning(CannotCreate("C:\\")), Warning(CannotCreate("D:\\Foo\\")),
                  Warning(CannotCreate("Programs\\"))},
     .Settings = {{"ProgramFolder", kDefaultProgramFolder}},
     .Controls = {{C::DestFolderInput, "'Programs'"}}},

    {.Name = "UpgradeMovedToAnotherFolder",
     .Machine = [](TTestPlatform& p) { InstallFoo2(p, "2.0", "C:\\Apps\\Foo"); },
     .Answers = {DialogAnswer::No, DialogAnswer::Yes},
     .Actions = {Next(), Next(), Type(C::DestFolderInput, "C:\\Apps\\Other"), Next(), Next()},
     .States = {kWelcome, kLicense, kDestInstall, kDestInstall, kDestInstall, kReady},
     .Messages = {Confirm("It is recommended to install this new version of Foo\rinto the same folder as your "
                          "existing copy. This will ensure\rthat your currently installed version is upgraded "
                          "properly.\r\rAre you sure you want to install it to a different folder?"),
                  Confirm("It is recommended to install this new version of Foo\rinto the same folder as your "
                          "existing copy. This will ensure\rthat your currently installed version is upgraded "
                          "properly.\r\rAre you sure you want to install it to a different folder?")},
     .Settings = {{"ProgramFolder", "C:\\Apps\\Other\\"}}},

    {.Name = "UpgradeInPlaceInAnyLetterCase",
     .Machine = [](TTestPlatform& p) { InstallFoo2(p, "2.0", "C:\\Apps\\Foo"); },
     .Actions = {Next(), Next(), Type(C::DestFolderInput, "c:\\apps\\FOO"), Next()},
     .States = {kWelcome, kLicense, kDestInstall, kDestInstall, kReady},
     .Settings = {{"ProgramFolder", "c:\\apps\\FOO\\"}}},

    // Records of this major version whose files are gone are no
    // installation: its folder is a folder like any other.
    {.Name = "EarlierInstallationWithoutItsFiles",
     .Ini = std::string(kFooIni) + "[InstalledFiles]\r\n2=Foo.exe\r\n",
     .Machine = [](TTestPlatform& p) { InstallFoo2(p, "2.0", "C:\\Apps\\Foo"); },
     .Actions = {Next(), Next(), Type(C::DestFolderInput, "C:\\Apps\\Foo"), Next()},
     .States = {kWelcome, kLicense, kDestInstall, kDestInstall, kReady},
     .Settings = {{"ProgramFolder", "C:\\Apps\\Foo\\"}}},

    // Another major version is asked about only when its folder is chosen.
    {.Name = "OtherMajorVersionsFolder",
     .Machine = [](TTestPlatform& p) { InstallFoo2(p, "1.0", "C:\\Apps\\Foo 1"); },
     .Answers = {DialogAnswer::No},
     .Actions = {Next(), Next(), Type(C::DestFolderInput, "C:\\APPS\\Foo 1\\"), Next(),
                 Type(C::DestFolderInput, kDefaultProgramFolder), Next()},
     .States = {kWelcome, kLicense, kDestInstall, kDestInstall, kDestInstall, kDestInstall, kReady},
     .Messages = {Confirm("It is recommended to install this new version of Foo\rinto a new folder to preserve "
                          "your currently installed copy.\r\rAre you sure you want to overwrite your existing copy?")},
     .Settings = {{"ProgramFolder", "C:\\Program Files\\Maker\\Foo 2\\"}}},

    {.Name = "EmptyName",
     .Ini = std::string(kFooIni) + "[Pages]\r\nPersonalization=1\r\n",
     .Actions = {Next(), Next(), Next(), Type(C::NameInput, ""), Next(), Type(C::NameInput, "Ann Owner"), Next()},
     .States = {kWelcome, kLicense, kDestNext, "Personalize: [< &Back] [&Install] [Cancel] ^NameInput",
                "Personalize: [< &Back] [&Install] [Cancel] ^NameInput",
                "Personalize: [< &Back] [&Install] [Cancel] ^NameInput",
                "Personalize: [< &Back] [&Install] [Cancel] ^NameInput", kReady},
     .Messages = {Warning("Please enter your name first.")},
     .Settings = {{"OwnerName", "Ann Owner"}}},

    // "&No" is the Cancel button: a close request.
    {.Name = "LicenseDeclined",
     .Answers = {DialogAnswer::No, DialogAnswer::Yes},
     .Actions = {Next(), Click(C::CancelButton), Click(C::CancelButton)},
     .States = {kWelcome, kLicense, "License: [< &Back] [&Yes] [&No] ^CancelButton",
                "License: [< &Back] [&Yes] [&No] ^CancelButton closed"},
     .Messages = {Confirm(kConfirmCancel), Confirm(kConfirmCancel)}},

    // The message first, then the move, and the program ends once control
    // is back in the event loop; nothing is stored on the way.
    {.Name = "NoInstallRights",
     .Machine = [](TTestPlatform& p) { p.Files.FailCreateFolder("C:\\Program Files\\Test0"); },
     .Actions = {Next()},
     .States = {kWelcome, kLicense + " terminated"},
     .Messages = {Information("You must have Administrator or Power User rights to install\rFoo on this computer. "
                              "Setup will now close.\r\rPlease log on as a different user and try again.")}},
};

INSTANTIATE_TEST_SUITE_P(Refusals, PageWalkTest, testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.Name); });

// -- close requests ------------------------------------------------------------------

// Every page before Copy asks, and No keeps the page as it was.
TEST_F(WizardFixture, CloseRequestsBeforeCopyAreConfirmed) {
  SetupIni = std::string(kSuiteIni) + kPluginPages + "Personalization=1\r\n" + kStartMenuShortcut;
  BundleInfo = kTwoItems;
  Create();
  for (int page = wizard_page::kWelcome; page <= wizard_page::kIcon; ++page) {
    SCOPED_TRACE(PageName(page));
    ASSERT_EQ(window.SelectedPage(), page);
    const std::string before = State();
    platform.Boxes.Answer(DialogAnswer::No);
    Do(CloseBox());
    EXPECT_EQ(State(), before);
    ASSERT_EQ(platform.Boxes.Boxes().size(), static_cast<size_t>(page + 1));
    EXPECT_EQ(Messages().back(), Confirm("Suite has not been fully installed yet.\rAre you sure you want to "
                                         "cancel Suite Setup?"));
    EXPECT_EQ(MessageTitles().back(), "Suite Setup");
    if (page < wizard_page::kIcon) Do(Next());
  }
  platform.Boxes.Answer(DialogAnswer::Yes);
  Do(CloseBox());
  EXPECT_TRUE(window.Closed());
  EXPECT_FALSE(window.Terminated());
}

}  // namespace
