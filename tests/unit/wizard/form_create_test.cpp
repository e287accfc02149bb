// Creating the wizard: every page filled from the settings, the controls
// that exist only for some setups, the places computed at run time, and a
// setup that cannot be read.
#include <gtest/gtest.h>

#include <ostream>

#include "jpeg_fixture.h"
#include "setuplogic/setup_installer.h"
#include "wizard_fixture.h"

namespace {

using C = ControlId;

const std::string kVst3Component = "[Components]\r\nVst3=$Vst3PluginFolder\r\n";

TEST_F(WizardFixture, FillsThePagesWithExpandedTexts) {
  SetupIni =
      "[Setup]\r\nProductName=Foo\r\nProductSuffix=Pro\r\nRegistryRoot=Software\\Maker\\Foo\r\n"
      "DefaultFolder=Maker\\Foo %d\r\nInstallDescription=the $ProductName tools\r\n"
      "PersonalizeInfo=It goes into the About box.\r\n"
      "[Complete]\r\nMessage=$FullProductName is ready.\r\nProduct=$ProgramFolder\\Foo.exe\r\n"
      "[Components]\r\nMain=$ProgramFolder\r\nVst3=$Vst3PluginFolder\r\n";
  Create();

  const std::pair<ControlId, std::string> texts[] = {
      {C::WelcomeHeadingLabel, "Welcome to Foo Setup"},
      {C::WelcomeDescriptionLabel, "This program will install Foo 2.10 Pro on your computer."},
      {C::WelcomeStepLabel, "Click the Next button to continue."},
      {C::LicenseMemo, "Licence line 1\r\nLicence line 2\r\n"},
      {C::DestDescriptionLabel,
       "Setup needs to know where to install the Foo tools. Please type a folder below, or use the Browse button to "
       "choose a folder."},
      {C::DestFolderInput, kDefaultProgramFolder},
      {C::NameInfoLabel, "Please enter your full name below to identify yourself. It goes into the About box."},
      {C::NameInput, "Tester"},
      {C::IconStartMenuLabel, "Do you want Setup to create a shortcut to the Foo tools in the Start Menu?"},
      {C::IconDesktopLabel, "Do you want Setup to create a shortcut to the Foo tools on the desktop?"},
      {C::ReadyDescriptionLabel, "Foo 2.10 Pro is ready."},
      {C::ReadyStartLabel, "Do you want to start Foo now?"},
      {C::ReadyStartCheck, "&Start Foo"},
      {C::Vst2FolderInput, kVstHostFolder},
      {C::DigiFolderInput, kDigiHostFolder},
  };
  for (const auto& [id, text] : texts) EXPECT_EQ(window.Text(id), text) << NameOf(id);

  // Every plug-in is wanted at first, with its folder controls ready.
  for (ControlId id : {C::Vst2InstallCheck, C::Vst3InstallCheck, C::DigiInstallCheck, C::PhotoshopInstallCheck})
    EXPECT_EQ(ControlState(id), "[x]") << NameOf(id);
  for (ControlId id :
       {C::Vst2FolderLabel, C::Vst2FolderInput, C::Vst2BrowseButton, C::DigiFolderLabel, C::DigiFolderInput,
        C::DigiBrowseButton, C::PhotoshopFolderLabel, C::PhotoshopFolderInput, C::PhotoshopBrowseButton})
    EXPECT_TRUE(window.IsEnabled(id)) << NameOf(id);

  EXPECT_EQ(window.Title(), "Foo Setup");
  EXPECT_EQ(platform.Boxes.Title(), "Foo Setup");
  EXPECT_TRUE(window.ThemedBorder());
  // The headings keep their bold style in the display font.
  for (ControlId id : {C::WelcomeHeadingLabel, C::WelcomeStepLabel}) {
    EXPECT_EQ(window.Get(id).Font.Name, "Segoe UI") << NameOf(id);
    EXPECT_EQ(window.Get(id).Font.Size, 9) << NameOf(id);
  }
  EXPECT_TRUE(window.Get(C::WelcomeHeadingLabel).Bold);
  EXPECT_EQ(State(), "Welcome: (< &Back) [&Next >] [Cancel] ^NextButton");
  EXPECT_EQ(window.PagesShown(), std::vector<int>{wizard_page::kWelcome});
  EXPECT_EQ(Messages(), std::vector<TMessage>{});
}

// -- $PluginDescription ---------------------------------------------------------

struct TPluginTextCase {
  const char* Name;
  std::string Ini;
  std::optional<std::string> BundleInfo;
  std::vector<std::pair<ControlId, std::string>> Texts;
};

std::ostream& operator<<(std::ostream& out, const TPluginTextCase& c) { return out << c.Name; }

class PluginTextTest : public WizardFixture, public testing::WithParamInterface<TPluginTextCase> {};

TEST_P(PluginTextTest, NamesTheProductOrTheBundle) {
  const TPluginTextCase& c = GetParam();
  SetupIni = c.Ini;
  BundleInfo = c.BundleInfo;
  Create();
  for (const auto& [id, text] : c.Texts) EXPECT_EQ(window.Text(id), text) << NameOf(id);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PluginTextTest,
    testing::Values(
        TPluginTextCase{
            "SingleProduct",
            kFooIni,
            std::nullopt,
            {{C::Vst2DescriptionLabel,
              "The VST 2 plug-in version of Foo needs to be installed in the plug-in folder for your VST host. Use "
              "the Browse button to select the proper VST 2 plug-in folder on your computer."},
             {C::Vst2InstallCheck, "&Install the VST 2 plug-in version of Foo"},
             {C::Vst3InstallCheck, "Install the VST &3 plug-in version of Foo"},
             {C::Vst3DescriptionLabel,
              "This will install the VST 3 plug-in version of Foo in the common VST 3 plug-in folder on your "
              "computer. (VST 3 is a newer version of VST that requires a VST 3 host.)"},
             {C::DigiDescriptionLabel,
              "The RTAS plug-in version of Foo needs to be installed in the Pro Tools plug-in folder. Use the Browse "
              "button to select the plug-in folder on your computer."},
             {C::DigiInstallCheck, "&Install the RTAS plug-in version of Foo"},
             {C::PhotoshopInfoLabel,
              "The Adobe Photoshop plug-in version of Foo needs to be installed in the Photoshop plug-ins folder. Use "
              "the Browse button to select the plug-ins folder on your computer."},
             {C::PhotoshopInstallCheck, "&Install the Photoshop plug-in version of Foo"}}},
        TPluginTextCase{"Bundle",
                        kSuiteIni,
                        "One=1.0\r\n",
                        {{C::BundleHeadingLabel, "Choose the products"},
                         {C::BundleDescriptionLabel, "Each one is installed separately."},
                         {C::Vst2InstallCheck, "&Install the VST 2 plug-ins for Suite"},
                         {C::Vst3InstallCheck, "Install the VST &3 plug-ins for Suite"},
                         {C::DigiInstallCheck, "&Install the RTAS plug-ins for Suite"},
                         {C::PhotoshopInstallCheck, "&Install the Photoshop plug-ins for Suite"}}}),
    [](const auto& info) { return std::string(info.param.Name); });

// -- the VST 3 group ------------------------------------------------------------

struct TVst3Case {
  const char* Name;
  std::string Ini;
  std::optional<std::string> BundleInfo;
  std::vector<std::string> Vst3Folders;  // package folders with a VST 3 plug-in
  bool Shown;                            // the check box and the description
  std::string ListLabel;                 // ControlState()
  int CheckTop;
};

std::ostream& operator<<(std::ostream& out, const TVst3Case& c) { return out << c.Name; }

class Vst3GroupTest : public WizardFixture, public testing::WithParamInterface<TVst3Case> {};

// Without the list label the check box takes its place, just above the
// description.
TEST_P(Vst3GroupTest, ShowsWhatThePackageHolds) {
  const TVst3Case& c = GetParam();
  SetupIni = c.Ini;
  BundleInfo = c.BundleInfo;
  for (const std::string& folder : c.Vst3Folders)
    Components.push_back(TPackageItem::Folder(folder, {TPackageItem::File("Foo.dll", "vst 3 plug-in")}));
  Create();
  EXPECT_EQ(window.IsVisible(C::Vst3InstallCheck), c.Shown);
  EXPECT_EQ(window.IsVisible(C::Vst3DescriptionLabel), c.Shown);
  EXPECT_TRUE(window.IsChecked(C::Vst3InstallCheck));
  EXPECT_EQ(ControlState(C::Vst3ListLabel), c.ListLabel);
  EXPECT_EQ(Place(C::Vst3InstallCheck), (std::vector<int>{8, c.CheckTop, 309, 17}));
  EXPECT_EQ(Place(C::Vst3ListLabel), (std::vector<int>{25, 220, 287, 17}));
}

const std::string kItemVst3 = "[Components]\r\n$BundleItem Vst3=$Vst3PluginFolder\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, Vst3GroupTest,
    testing::Values(TVst3Case{"NoVst3Plugin", kFooIni, std::nullopt, {}, false, "'(Only for )' hidden", 220},
                    TVst3Case{
                        "SingleProduct", kFooIni + kVst3Component, std::nullopt, {}, true, "'(Only for )' hidden", 220},
                    TVst3Case{"SomeBundleItems",
                              kSuiteIni + kItemVst3,
                              "One=1.0\r\nTwo=1.0\r\nThree=1.0\r\n",
                              {"One Vst3", "Three Vst3"},
                              true,
                              "'(Only for One, Three)'",
                              204},
                    TVst3Case{"EveryBundleItem",
                              kSuiteIni + kItemVst3,
                              "One=1.0\r\nTwo=1.0\r\n",
                              {"One Vst3", "Two Vst3"},
                              true,
                              "'(Only for )' hidden",
                              220}),
    [](const auto& info) { return std::string(info.param.Name); });

// -- bundle item check boxes ------------------------------------------------------

// The page does not scroll: the tenth box starts at its lower edge.
TEST_F(WizardFixture, MakesOneBoldCheckBoxPerBundleItem) {
  SetupIni = kSuiteIni;
  BundleInfo = "";
  for (int i = 0; i < 10; ++i) *BundleInfo += "P" + std::to_string(i) + "=1.0\r\n";
  Create();
  ASSERT_EQ(window.BundleCheckBoxes(), 10);
  for (int i = 0; i < 10; ++i) {
    SCOPED_TRACE(i);
    const TFakeControl& box = window.Get(BundleCheckId(i));
    EXPECT_EQ(Place(BundleCheckId(i)), (std::vector<int>{8, 60 + 28 * i, 305, 24}));
    EXPECT_EQ(box.Text, "P" + std::to_string(i) + " 1.0");
    EXPECT_TRUE(box.Checked);
    EXPECT_TRUE(box.Bold);
    EXPECT_EQ(box.Page, wizard_page::kBundleItems);
  }
  EXPECT_EQ(window.Bounds(BundleCheckId(9)).Top, 312);
}

TEST_F(WizardFixture, ASingleProductHasNoBundleCheckBoxes) {
  Create();
  EXPECT_EQ(window.BundleCheckBoxes(), 0);
}

// At 192 pixels per inch the layout is built twice as large; the places
// computed at run time follow ScaleForDisplay and the scaled heading.
TEST_F(WizardFixture, PlacesComputedAtRunTimeFollowTheScreen) {
  platform.Sys.SetPixelsPerInch(192);
  SetupIni = kSuiteIni;
  BundleInfo = "One=1.0\r\nTwo=1.0\r\n";
  std::unique_ptr<WizardWindow> scaledWindow = MakeWindow(192);
  auto& scaled = static_cast<TFakeWizardWindow&>(*scaledWindow);
  platform.Files.AddFile("C:\\Setup\\Setup.exe", SetupExecutable(Package()));
  TMainForm scaledForm(bundle, display, resources, scaled);
  scaled.Connect(scaledForm);
  scaledForm.FormCreate();

  auto place = [&scaled](ControlId id) {
    const TLayoutRect r = scaled.Bounds(id);
    return std::vector<int>{r.Left, r.Top, r.Width, r.Height};
  };
  EXPECT_EQ(place(BundleCheckId(0)), (std::vector<int>{16, 120, 610, 48}));
  EXPECT_EQ(place(BundleCheckId(1)), (std::vector<int>{16, 176, 610, 48}));
  EXPECT_EQ(scaled.Get(C::InstallLabel).Page, wizard_page::kDest);
  EXPECT_EQ(place(C::InstallLabel), (std::vector<int>{16, 440, 442, 34}));
}

// -- the install hint and the shortcut rows ------------------------------------------

struct TInstallPageCase {
  const char* Name;
  std::string Sections;
  int InstallPage;
  int LabelPage;
  int LabelTop;
  bool StartMenuRow;
  bool DesktopRow;
  int DesktopLabelTop = 108;
  int DesktopCheckTop = 144;
};

std::ostream& operator<<(std::ostream& out, const TInstallPageCase& c) { return out << c.Name; }

class InstallPageTest : public WizardFixture, public testing::WithParamInterface<TInstallPageCase> {};

TEST_P(InstallPageTest, PutsTheHintOnThePageBeforeCopying) {
  const TInstallPageCase& c = GetParam();
  SetupIni = std::string(kFooIni) + c.Sections;
  TMainForm& f = Create();
  EXPECT_EQ(f.InstallPage(), c.InstallPage);
  EXPECT_EQ(window.Get(C::InstallLabel).Page, c.LabelPage);
  EXPECT_EQ(Place(C::InstallLabel), (std::vector<int>{8, c.LabelTop, 221, 17}));
  EXPECT_EQ(window.Text(C::InstallLabel), "Click Install to start copying files.");
  for (ControlId id : {C::IconStartMenuLabel, C::IconStartMenuCheck})
    EXPECT_EQ(window.IsVisible(id), c.StartMenuRow) << NameOf(id);
  for (ControlId id : {C::IconDesktopLabel, C::IconDesktopCheck})
    EXPECT_EQ(window.IsVisible(id), c.DesktopRow) << NameOf(id);
  EXPECT_EQ(window.Bounds(C::IconDesktopLabel).Top, c.DesktopLabelTop);
  EXPECT_EQ(window.Bounds(C::IconDesktopCheck).Top, c.DesktopCheckTop);
}

const std::string kStartMenu = "StartMenu=$ProgramFolder\\Foo.exe\r\n";
const std::string kDesktop = "Desktop=$ProgramFolder\\Foo.exe\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, InstallPageTest,
    testing::Values(TInstallPageCase{"NoOptionalPage", "", wizard_page::kDest, wizard_page::kDest, 220, true, false},
                    // The hint stays on the Icon page, which is not shown.
                    TInstallPageCase{"Personalization", "[Pages]\r\nPersonalization=1\r\n", wizard_page::kPersonalize,
                                     wizard_page::kIcon, 184, true, false},
                    TInstallPageCase{"BothShortcuts", "[Shortcuts]\r\n" + kStartMenu + kDesktop, wizard_page::kIcon,
                                     wizard_page::kIcon, 184, true, true},
                    TInstallPageCase{"StartMenuOnly", "[Shortcuts]\r\n" + kStartMenu, wizard_page::kIcon,
                                     wizard_page::kIcon, 108, true, false},
                    TInstallPageCase{"DesktopOnly", "[Shortcuts]\r\n" + kDesktop, wizard_page::kIcon,
                                     wizard_page::kIcon, 108, false, true, 32, 68},
                    TInstallPageCase{"PersonalizationAndStartMenu",
                                     "[Pages]\r\nPersonalization=1\r\n[Shortcuts]\r\n" + kStartMenu, wizard_page::kIcon,
                                     wizard_page::kIcon, 108, true, false}),
    [](const auto& info) { return std::string(info.param.Name); });

// -- side image ---------------------------------------------------------------------

struct TSideImageCase {
  const char* Name;
  std::optional<std::string> InPackage;
  std::optional<std::string> BesideExecutable;
  bool Shown;
};

std::ostream& operator<<(std::ostream& out, const TSideImageCase& c) { return out << c.Name; }

class SideImageTest : public WizardFixture, public testing::WithParamInterface<TSideImageCase> {};

// Without a picture the setup still goes on: the pages after it are filled.
TEST_P(SideImageTest, IsShownWhenItDecodes) {
  const TSideImageCase& c = GetParam();
  if (c.InPackage) SetupJpg = std::vector<uint8_t>(c.InPackage->begin(), c.InPackage->end());
  if (c.BesideExecutable) AddBesideExecutable("Setup.jpg", *c.BesideExecutable);
  Create();
  EXPECT_EQ(window.HasSideImage(), c.Shown);
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(window.Terminated());
  EXPECT_EQ(window.Text(C::ReadyStartLabel), "Do you want to start Foo now?");
  EXPECT_EQ(window.PagesShown(), std::vector<int>{wizard_page::kWelcome});
}

INSTANTIATE_TEST_SUITE_P(Cases, SideImageTest,
                         testing::Values(TSideImageCase{"InThePackage", SmallJpeg(), std::nullopt, true},
                                         TSideImageCase{"BesideTheExecutable", std::nullopt, SmallJpeg(), true},
                                         TSideImageCase{"Missing", std::nullopt, std::nullopt, false},
                                         TSideImageCase{"NotAJpeg", "not a picture", std::nullopt, false}),
                         [](const auto& info) { return std::string(info.param.Name); });

// -- a setup that cannot be read ----------------------------------------------------

struct TBrokenSetupCase {
  const char* Name;
  const char* Message;
  std::string Ini = kFooIni;
  std::optional<std::string> BundleInfo = {};
  bool WithLicence = true;
  bool Damaged = false;
};

std::ostream& operator<<(std::ostream& out, const TBrokenSetupCase& c) { return out << c.Name; }

class BrokenSetupTest : public WizardFixture, public testing::WithParamInterface<TBrokenSetupCase> {};

// The error box has the application title of start-up; nothing is filled,
// no page is shown, and the program ends. Clicks and a close request that
// reach the window before it goes find nothing to act on.
TEST_P(BrokenSetupTest, ShowsTheErrorAndEndsBeforeAnyPage) {
  const TBrokenSetupCase& c = GetParam();
  SetupIni = c.Ini;
  BundleInfo = c.BundleInfo;
  if (!c.WithLicence) SetupLic = std::nullopt;
  std::vector<uint8_t> package = Package();
  if (c.Damaged) package[200] ^= 0x40;
  TMainForm& f = CreateFrom(SetupExecutable(package));

  EXPECT_EQ(Messages(), std::vector<TMessage>{ErrorBox(c.Message)});
  EXPECT_EQ(MessageTitles(), std::vector<std::string>{"Setup"});
  EXPECT_TRUE(window.Terminated());
  EXPECT_EQ(f.Installer(), nullptr);
  EXPECT_TRUE(window.PagesShown().empty());
  EXPECT_EQ(window.Title(), "$ProductName Setup");
  EXPECT_EQ(platform.Boxes.Title(), "Setup");
  EXPECT_EQ(window.Text(C::WelcomeHeadingLabel), "Welcome to $ProductName Setup");
  EXPECT_EQ(window.Text(C::Vst2InstallCheck), "&Install the VST 2 $PluginDescription");
  EXPECT_EQ(window.Text(C::DestFolderInput), "");

  window.Click(C::NextButton);
  window.CloseBox();
  EXPECT_TRUE(window.Closed());
  EXPECT_EQ(platform.Boxes.Boxes().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenSetupTest,
    testing::Values(TBrokenSetupCase{.Name = "DamagedPackage",
                                     .Message = "The installer appears to be corrupted. Please download it again",
                                     .Damaged = true},
                    TBrokenSetupCase{.Name = "InvalidSetupIni",
                                     .Message = "Invalid configuration in Setup.ini",
                                     .Ini = "[Setup]\r\nDefaultFolder=Foo\r\n"},
                    TBrokenSetupCase{
                        .Name = "MissingLicence",
                        .Message = "Cannot open file \"C:\\Setup\\Setup.lic\". The system cannot find the file "
                                   "specified",
                        .WithLicence = false},
                    TBrokenSetupCase{.Name = "BundleItemWithoutAVersion",
                                     .Message = "'one' is not a valid version number",
                                     .Ini = kSuiteIni,
                                     .BundleInfo = "One=one\r\n"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
