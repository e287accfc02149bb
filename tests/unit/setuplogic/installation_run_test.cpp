// The installation run on the memory platform, with the real engine: what it
// writes where, in which order, and what the uninstall record it leaves
// takes away again.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <sstream>

#include "common/date_time.h"
#include "common/errors.h"
#include "common/shell_folder_kinds.h"
#include "common/text.h"
#include "package/uninstaller.h"
#include "setup_fixture.h"
#include "setuplogic/copy_progress.h"

namespace {

constexpr const char* kProgramFolder = "C:\\Program Files\\Maker\\Tool\\";
constexpr const char* kPrograms = "C:\\Users\\Tester\\Start Menu\\Programs";
constexpr const char* kDesktop = "C:\\Users\\Tester\\Desktop";
constexpr const char* kVstFolder = "C:\\VstPlugins";
constexpr const char* kVst3Folder = "C:\\Program Files\\Common Files\\VST3";
constexpr const char* kProductKey = "\\Software\\Maker\\Tool\\2.0";
constexpr const char* kUninstallKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tool 2.10";

// The progress sink: every call as one event, "P25" or "S Copying files...",
// with a look at the world as each call comes.
class TRecordingProgress : public IInstallProgress {
 public:
  void SetProgress(int percent) override { Add("P" + std::to_string(percent)); }
  // Recorded apart from the events: the tests of small products see the
  // milestones only.
  void SetCopyProgress(double percent) override {
    Copy.push_back(percent);
    if (OnCopy) OnCopy(percent);
  }
  void KeepResponsive() override { ++KeptResponsive; }
  void SetStatusText(const std::string& text) override { Add("S " + text); }

  std::vector<std::string> Events;
  std::function<void(const std::string&)> OnEvent;
  std::vector<double> Copy;
  std::function<void(double)> OnCopy;
  int KeptResponsive = 0;

 private:
  void Add(const std::string& event) {
    Events.push_back(event);
    if (OnEvent) OnEvent(event);
  }
};

std::vector<std::string> ProgressValues(const std::vector<std::string>& events) {
  std::vector<std::string> values;
  for (const std::string& event : events)
    if (event[0] == 'P') values.push_back(event);
  return values;
}

// A product with a program, plug-ins for VST 2 and VST 3 and a help file, the
// settings a vendor gives them, and a machine where the VST 2 folder is known.
class InstallationRunTest : public SetupFixture {
 protected:
  InstallationRunTest() {
    Version = "2.10";
    Components = {
        TPackageItem::Folder("Main", {TPackageItem::File("Tool.exe", "program"),
                                      TPackageItem::File("Help.chm", "help"),
                                      TPackageItem::Folder("Docs", {TPackageItem::File("Readme.txt", "read me")})}),
        TPackageItem::Folder("Vst", {TPackageItem::File("Tool.dll", "vst 2 plug-in")}),
        TPackageItem::Folder("Vst3", {TPackageItem::File("Tool.dll", "vst 3 plug-in"),
                                      TPackageItem::File("Tool.dll.txt", "notes")}),
        TPackageItem::Folder("Presets", {TPackageItem::File("Factory.fxp", "preset")}),
    };
    SetupIni = std::string(kIni);
    platform.Reg.SetString(RegistryRoot::LocalMachine, "Software\\Vst", "VstPluginsPath", kVstFolder);
    platform.ShellServices.SetSpecialFolder(SpecialFolderCsidl(SpecialFolderKind::Programs), kPrograms);
    platform.ShellServices.SetSpecialFolder(SpecialFolderCsidl(SpecialFolderKind::DesktopFolder), kDesktop);
    platform.Files.AddFolder(std::string(kPrograms) + "\\Startup");
    platform.Files.AddFolder(kDesktop);
  }

  static constexpr const char* kIni =
      "[Setup]\r\n"
      "ProductName=Tool\r\n"
      "RegistryRoot=Software\\Maker\\Tool\r\n"
      "DefaultFolder=Maker\\Tool %d\r\n"
      "PersonalizeOwner=Owner\r\n"
      "[Folders]\r\n"
      "Presets=$Documents\\Tool Presets\r\n"
      "[FoldersRegistry]\r\n"
      "Presets=Paths\\Presets\r\n"
      "[Components]\r\n"
      "Main=$ProgramFolder\r\n"
      "Vst=$VstPluginFolder\r\n"
      "Vst3=$Vst3PluginFolder\r\n"
      "Presets=%Presets\r\n"
      "[RegistrySettings]\r\n"
      "Paths\\Program=$ProgramFolder\r\n"
      "Count=#5\r\n"
      "[GlobalRegistrySettings]\r\n"
      "HelpFile=$ProgramFolder\\Help.chm\r\n"
      "[Shortcuts]\r\n"
      "StartMenu=$ProgramFolder\\Tool.exe\r\n"
      "Desktop=$ProgramFolder\\Tool.exe, $ProductName\r\n"
      "StartMenu=$ProgramFolder\\Help.chm, Maker\\$ProductName Help\r\n"
      // Keys match exactly: this one makes no link.
      "startmenu=$ProgramFolder\\Tool.exe,Lower Case\r\n";

  // Builds the object with the user's choices of a usual run.
  TSetupInstaller& Prepare() {
    Build();
    setup->SetProgramFolder("C:\\Program Files\\Maker\\Tool");
    setup->SelectedShortcuts = setup_shortcut::kStartMenu | setup_shortcut::kDesktop;
    setup->OwnerName = "Ann Owner";
    return *setup;
  }

  void Install() { setup->Install(progress); }

  std::string Content(const std::string& path) { return platform.Files.Content(path); }
  bool Exists(const std::string& path) { return platform.Files.FileExists(path); }
  std::optional<std::string> String(RegistryRoot root, const std::string& key, const std::string& name) {
    return platform.Reg.StringValue(root, key, name);
  }
  uint32_t Date(const std::string& path) {
    uint32_t date = 0;
    EXPECT_TRUE(platform.Files.GetLastWriteTime(path, date)) << path;
    return date;
  }
  size_t Recorded(const std::string& item) {
    const auto& items = setup->Engine().UninstallItems;
    return static_cast<size_t>(std::count(items.begin(), items.end(), item));
  }

  TRecordingProgress progress;
};

TEST_F(InstallationRunTest, ProgressAndStatusTextsInOrder) {
  Prepare();
  Install();
  EXPECT_EQ(progress.Events, (std::vector<std::string>{"P0", "S Preparing installation...", "P25",
                                                       "S Copying files...", "P75", "S Creating settings...",
                                                       "P100"}));
}

// What has happened by the time each progress call comes: components
// extracted, library called, settings written, shortcut made, uninstaller
// written.
TEST_F(InstallationRunTest, EachStepHappensBetweenItsProgressCalls) {
  SetupIni = std::string(kIni) + "[CallLibraries]\r\nInitialize=$ProgramFolder\\Tool.exe\r\n";
  bool libraryCalled = false;
  platform.Libs.AddExport(std::string(kProgramFolder) + "Tool.exe", "Initialize", [&] { libraryCalled = true; });
  Prepare();
  std::vector<std::string> states;
  progress.OnEvent = [&](const std::string& event) {
    std::string state = event + " ";
    state += Exists(std::string(kProgramFolder) + "Docs\\Readme.txt") ? 'x' : '-';
    state += libraryCalled ? 'l' : '-';
    state += platform.Reg.IntegerValue(RegistryRoot::CurrentUser, kProductKey, "Count") ? 'r' : '-';
    state += Exists(std::string(kPrograms) + "\\Tool.lnk") ? 's' : '-';
    state += Exists(std::string(kProgramFolder) + "Uninst.exe") ? 'u' : '-';
    states.push_back(state);
  };
  Install();
  EXPECT_EQ(states, (std::vector<std::string>{
                        "P0 -----", "S Preparing installation... -----", "P25 -----", "S Copying files... -----",
                        "P50 x----", "S Initializing components... x----", "P75 xl---",
                        "S Creating settings... xl---", "P100 xlr--"}));
  EXPECT_TRUE(Exists(std::string(kPrograms) + "\\Tool.lnk"));
  EXPECT_TRUE(Exists(std::string(kProgramFolder) + "Uninst.exe"));
}

struct BundleProgressCase {
  const char* what;
  std::vector<bool> selected;
  bool libraries;
  std::vector<std::string> progress;
};

class BundleProgressTest : public InstallationRunTest, public testing::WithParamInterface<BundleProgressCase> {};

TEST_P(BundleProgressTest, ItemsShareTheExtractionRange) {
  const BundleProgressCase& c = GetParam();
  SetupIni = std::string("[Setup]\r\nIsBundle=1\r\nProductName=Suite\r\nRegistryRoot=Software\\Maker\\Suite\r\n"
                         "BundleRegistryRoot=Software\\Maker\r\nDefaultFolder=Maker\\Suite\r\n"
                         "[Components]\r\n$BundleItem=$ProgramFolder\\$BundleItem\r\n") +
             (c.libraries ? "[CallLibraries]\r\nInit=$ProgramFolder\\Init.dll\r\n" : "");
  BundleInfo = "One=1.0\r\nTwo=1.0\r\nThree=1.0\r\n";
  Prepare();
  for (size_t i = 0; i < c.selected.size(); ++i) setup->BundleItem(static_cast<int>(i)).Selected = c.selected[i];
  Install();
  EXPECT_EQ(ProgressValues(progress.Events), c.progress) << c.what;
  EXPECT_EQ(std::count(progress.Events.begin(), progress.Events.end(), "S Initializing components..."),
            c.libraries ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BundleProgressTest,
    testing::Values(
        BundleProgressCase{"only the third", {false, false, true}, false, {"P0", "P25", "P25", "P75", "P100"}},
        BundleProgressCase{"first and third", {true, false, true}, false,
                           {"P0", "P25", "P25", "P50", "P75", "P100"}},
        BundleProgressCase{"all three, with libraries", {true, true, true}, true,
                           {"P0", "P25", "P25", "P33", "P41", "P50", "P75", "P100"}},
        BundleProgressCase{"none", {false, false, false}, false, {"P0", "P25", "P75", "P100"}}));

// Large products: the bar moves with the bytes between the milestones, never
// back, never onto the next milestone, and at least once for every mebibyte or so;
// the window is kept responsive for every block written.
struct CopyProgressCase {
  const char* what;
  bool bundle;
  std::vector<int> milestones;
  std::vector<std::pair<int, int>> ranges;  // where the copy positions may lie
};

class CopyProgressTest : public InstallationRunTest, public testing::WithParamInterface<CopyProgressCase> {};

TEST_P(CopyProgressTest, TheBarMovesWithTheBytesBetweenTheMilestones) {
  const CopyProgressCase& c = GetParam();
  const std::string big(6 << 20, 'b'), middle(3 << 20, 'm');
  Components = {TPackageItem::Folder("One", {TPackageItem::File("big.bin", big)}),
                TPackageItem::Folder("Two", {TPackageItem::File("a.bin", middle), TPackageItem::File("b.bin", middle)})};
  SetupIni = c.bundle ? std::string("[Setup]\r\nIsBundle=1\r\nProductName=Suite\r\nRegistryRoot=Software\\Maker\\Suite\r\n"
                                    "BundleRegistryRoot=Software\\Maker\r\nDefaultFolder=Maker\\Suite\r\n"
                                    "[Components]\r\n$BundleItem=$ProgramFolder\\$BundleItem\r\n")
                      : std::string("[Setup]\r\nProductName=Tool\r\nRegistryRoot=Software\\Maker\\Tool\r\n"
                                    "DefaultFolder=Maker\\Tool\r\n[Components]\r\nOne=$ProgramFolder\r\n"
                                    "Two=$ProgramFolder\\Two\r\n");
  BundleInfo = "One=1.0\r\nTwo=1.0\r\n";
  Prepare();

  std::vector<std::pair<double, uint64_t>> positions;  // each report and the bytes on disk then
  progress.OnEvent = [&](const std::string& event) {
    if (event[0] == 'P') positions.emplace_back(std::stod(event.substr(1)), platform.Files.UsedBytes());
  };
  progress.OnCopy = [&](double percent) { positions.emplace_back(percent, platform.Files.UsedBytes()); };
  Install();

  std::vector<std::string> milestones;
  for (int m : c.milestones) milestones.push_back("P" + std::to_string(m));
  EXPECT_EQ(ProgressValues(progress.Events), milestones);
  ASSERT_FALSE(progress.Copy.empty());
  for (double percent : progress.Copy) {
    EXPECT_TRUE(std::any_of(c.ranges.begin(), c.ranges.end(),
                            [&](const auto& r) { return percent > r.first && percent < r.second; }))
        << percent;
  }
  for (size_t i = 1; i < positions.size(); ++i) {
    EXPECT_GE(positions[i].first, positions[i - 1].first) << "step " << i;
    // While copying, one mebibyte and the block that crosses it.
    if (positions[i].first <= 75)
      EXPECT_LE(positions[i].second - positions[i - 1].second, TCopyProgress::kReportBytes + (64 << 10)) << "step " << i;
  }
  EXPECT_GE(progress.KeptResponsive, static_cast<int>((12 << 20) / (64 << 10)));
}

INSTANTIATE_TEST_SUITE_P(Cases, CopyProgressTest,
                         testing::Values(CopyProgressCase{"one product", false, {0, 25, 75, 100}, {{25, 75}}},
                                         CopyProgressCase{"two bundle items", true, {0, 25, 25, 50, 75, 100},
                                                          {{25, 50}, {50, 75}}}),
                         [](const auto& info) { return std::string(info.param.bundle ? "Bundle" : "Product"); });

// Main twice, Vst declined and a $BundleItem name: 2 x 18 + 13 bytes.
constexpr uint64_t kRequired = 2 * (7 + 4 + 7) + 13;

struct FreeSpaceCase {
  const char* what;
  std::optional<uint64_t> free;
  bool passes;
};

class FreeSpaceTest : public InstallationRunTest, public testing::WithParamInterface<FreeSpaceCase> {};

TEST_P(FreeSpaceTest, TheComponentsAndOneMebibyteMustFit) {
  const FreeSpaceCase& c = GetParam();
  SetupIni = std::string(kIni) + "[Components]\r\nMain=$ProgramFolder\r\nMain=$ProgramFolder\\Copy\r\n"
                                 "Vst=$VstPluginFolder\r\n$BundleItem=$ProgramFolder\r\n";
  Prepare();
  setup->InstallVstPlugin = false;
  platform.Files.SetFreeBytes(c.free);
  const std::vector<std::string> files = platform.Files.AllPaths();
  const std::string registry = platform.Reg.Dump();
  if (c.passes) {
    Install();
    EXPECT_EQ(setup->RequiredSpace, kRequired);
    EXPECT_TRUE(Exists(std::string(kProgramFolder) + "Uninst.exe"));
    return;
  }
  try {
    Install();
    ADD_FAILURE() << "no error";
  } catch (const ESetupError& e) {
    EXPECT_EQ(e.Message(),
              "There is not enough space on the destination drive.\rPlease free up some space and then try again");
  }
  EXPECT_EQ(setup->RequiredSpace, kRequired);
  EXPECT_EQ(progress.Events, (std::vector<std::string>{"P0", "S Preparing installation..."}));
  EXPECT_EQ(platform.Files.AllPaths(), files);
  EXPECT_EQ(platform.Reg.Dump(), registry);
  EXPECT_TRUE(setup->Engine().UninstallItems.empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, FreeSpaceTest,
                         testing::Values(FreeSpaceCase{"exactly enough", kRequired + 1048576, true},
                                         FreeSpaceCase{"one byte less", kRequired + 1048575, false},
                                         FreeSpaceCase{"a volume that cannot be asked", std::nullopt, false}));

// Three files of 2 GiB - 1 byte each, as their entry headers say; their
// bodies are tiny, since only the sizes are read before the check fails.
TEST_F(InstallationRunTest, RequiredSpaceIsCountedBeyondFourGibibytes) {
  Components = {TPackageItem::Folder("Big", {TPackageItem::File("Big1.bin", "1"), TPackageItem::File("Big2.bin", "2"),
                                             TPackageItem::File("Big3.bin", "3")})};
  SetupIni = std::string(kMinimalIni) + "[Components]\r\nBig=$ProgramFolder\r\n";
  std::vector<uint8_t> package = Package();
  for (const char* name : {"Big1.bin", "Big2.bin", "Big3.bin"}) {
    const auto at = std::search(package.begin(), package.end(), name, name + 8);
    ASSERT_NE(at, package.end());
    StoreInt32(&*at - 1 + 72, 0x7FFFFFFF);
  }
  FixChecksum(package);
  platform.Files.AddFile("C:\\Setup\\Setup.exe", SetupExecutable(package));
  setup = std::make_unique<TSetupInstaller>(bundle);
  setup->SetProgramFolder(kProgramFolder);
  // Enough for the sizes cut to 32 bits (2 GiB - 3 bytes), not for their sum.
  platform.Files.SetFreeBytes(uint64_t{5} << 30);
  EXPECT_THROW(Install(), ESetupError);
  EXPECT_EQ(setup->RequiredSpace, uint64_t{3} * 0x7FFFFFFF);
}

TEST_F(InstallationRunTest, SettingsLandInTheirRoots) {
  Prepare();
  Install();
  const RegistryRoot user = RegistryRoot::CurrentUser, machine = RegistryRoot::LocalMachine;
  EXPECT_EQ(String(user, std::string(kProductKey) + "\\Paths", "Program"), "C:\\Program Files\\Maker\\Tool");
  EXPECT_EQ(platform.Reg.IntegerValue(user, kProductKey, "Count"), 5);
  EXPECT_EQ(String(user, kProductKey, "Owner"), "Ann Owner");
  EXPECT_EQ(String(user, std::string(kProductKey) + "\\Paths", "Presets"),
            "C:\\Users\\Tester\\Documents\\Tool Presets\\");
  EXPECT_EQ(String(machine, kProductKey, "HelpFile"), "C:\\Program Files\\Maker\\Tool\\Help.chm");
  EXPECT_EQ(String(machine, kProductKey, "Location"), kProgramFolder);
  EXPECT_EQ(String(machine, kProductKey, "VersionString"), "2.10");
  EXPECT_EQ(String(machine, kUninstallKey, "DisplayName"), "Tool 2.10");
  EXPECT_EQ(String(machine, kUninstallKey, "UninstallString"),
            "\"C:\\Program Files\\Maker\\Tool\\Uninst.exe\"");
  // Nothing of one root in the other.
  EXPECT_FALSE(platform.Reg.KeyExists(machine, std::string(kProductKey) + "\\Paths"));
  EXPECT_FALSE(String(user, kProductKey, "HelpFile"));
  EXPECT_FALSE(String(user, kProductKey, "Location"));
  EXPECT_EQ(Recorded(std::string("U") + kProductKey), 1u);
  EXPECT_EQ(Recorded(std::string("M") + kProductKey), 1u);
}

// What Windows' list of programs shows beside the product's name.
TEST_F(InstallationRunTest, TheListOfProgramsGetsTheProductsDetails) {
  Prepare();
  Install();
  const RegistryRoot machine = RegistryRoot::LocalMachine;
  EXPECT_EQ(String(machine, kUninstallKey, "DisplayVersion"), "2.10");
  EXPECT_EQ(String(machine, kUninstallKey, "InstallLocation"), kProgramFolder);
  // No [Complete] Product: the uninstaller's icon.
  EXPECT_EQ(String(machine, kUninstallKey, "DisplayIcon"), std::string(kProgramFolder) + "Uninst.exe");
  EXPECT_FALSE(String(machine, kUninstallKey, "Publisher"));
  EXPECT_EQ(platform.Reg.IntegerValue(machine, kUninstallKey, "NoModify"), 1);
  EXPECT_EQ(platform.Reg.IntegerValue(machine, kUninstallKey, "NoRepair"), 1);
  // The files of the four components and the uninstaller, in KiB rounded up.
  const uint64_t components = std::string("program" "help" "read me" "vst 2 plug-in" "vst 3 plug-in" "notes" "preset").size();
  const uint64_t bytes = components + Content(std::string(kProgramFolder) + "Uninst.exe").size();
  EXPECT_EQ(platform.Reg.IntegerValue(machine, kUninstallKey, "EstimatedSize"), static_cast<int32_t>((bytes + 1023) / 1024));
}

TEST_F(InstallationRunTest, TheListShowsTheProgramsIconAndThePublisherWhenGiven) {
  SetupIni = std::string(kIni) + "[Complete]\r\nProduct=$ProgramFolder\\Tool.exe\r\n";
  SetupIni = ReplaceFirst(*SetupIni, "ProductName=Tool\r\n", "ProductName=Tool\r\nPublisher=Maker Audio Ltd.\r\n");
  Prepare();
  Install();
  EXPECT_EQ(String(RegistryRoot::LocalMachine, kUninstallKey, "DisplayIcon"), std::string(kProgramFolder) + "Tool.exe");
  EXPECT_EQ(String(RegistryRoot::LocalMachine, kUninstallKey, "Publisher"), "Maker Audio Ltd.");
}

// A plug-in held open by a running host: the user is asked, names the file,
// and either closes the host and tries again or ends the setup.
TEST_F(InstallationRunTest, AFileInUseAsksToCloseTheProgramAndTryAgain) {
  const std::string held = std::string(kVstFolder) + "\\Tool.dll";
  for (const DialogAnswer answer : {DialogAnswer::Retry, DialogAnswer::Cancel}) {
    SCOPED_TRACE(answer == DialogAnswer::Retry ? "Retry" : "Cancel");
    platform.Files.AddFile(held, "loaded by a host");
    platform.Files.Lock(held);
    platform.Boxes.Answer(answer);
    platform.Boxes.OnShow = [&](const TShownBox&) {
      if (answer == DialogAnswer::Retry) platform.Files.Unlock(held);
    };
    Prepare();
    if (answer == DialogAnswer::Retry) {
      Install();
      EXPECT_EQ(Content(held), "vst 2 plug-in");
      EXPECT_TRUE(Exists(std::string(kProgramFolder) + "Uninst.exe"));
    } else {
      EXPECT_THROW(Install(), EFCreateError);
      EXPECT_EQ(Content(held), "loaded by a host");
    }
    ASSERT_FALSE(platform.Boxes.Boxes().empty());
    const TShownBox& box = platform.Boxes.Boxes().back();
    EXPECT_EQ(box.Kind, MessageKind::RetryConfirmation);
    EXPECT_EQ(box.Text, "The file " + held + " is being used by another program and cannot be replaced.\r\r"
                        "Please close the program that uses it and click Retry, or click Cancel to stop the "
                        "installation.");
    EXPECT_EQ(platform.Boxes.UnusedAnswers(), 0u);
    platform.Files.Unlock(held);
  }
}

TEST_F(InstallationRunTest, IntegerSettingsNeedAHashAndANumber) {
  SetupIni = std::string(kIni) +
             "[RegistrySettings]\r\nDecimal=#5\r\nNegative=#-3\r\nHex=#$1F\r\nAllBits=#$FFFFFFFF\r\nLetter=#x5\r\n"
             "Hash=#\r\nTrailing=#5a\r\nTooBig=#4294967296\r\nPlain=5\r\nFolder=$ProgramFolder\\Data\r\n"
             "Paths\\=default value\r\n";
  Prepare();
  Install();
  const struct {
    const char* name;
    std::optional<int32_t> number;
    const char* text;
  } cases[] = {
      {"Decimal", 5, nullptr},        {"Negative", -3, nullptr},
      {"Hex", 31, nullptr},           {"AllBits", -1, nullptr},
      {"Letter", std::nullopt, "#x5"}, {"Hash", std::nullopt, "#"},
      {"Trailing", std::nullopt, "#5a"}, {"TooBig", std::nullopt, "#4294967296"},
      {"Plain", std::nullopt, "5"},   {"Folder", std::nullopt, "C:\\Program Files\\Maker\\Tool\\Data"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.number) {
      EXPECT_EQ(platform.Reg.IntegerValue(RegistryRoot::CurrentUser, kProductKey, c.name), *c.number);
    } else {
      EXPECT_EQ(String(RegistryRoot::CurrentUser, kProductKey, c.name), c.text);
    }
  }
  EXPECT_EQ(String(RegistryRoot::CurrentUser, std::string(kProductKey) + "\\Paths", ""), "default value");
}

TEST_F(InstallationRunTest, ARegistryErrorSkipsOnlyItsEntry) {
  SetupIni = std::string(kIni) + "[RegistrySettings]\r\nBroken\\Value=1\r\nAfter=2\r\n";
  Build();
  platform.Reg.FailWrites(RegistryRoot::CurrentUser, std::string(kProductKey) + "\\Broken");
  setup->SetProgramFolder(kProgramFolder);
  Install();
  EXPECT_EQ(String(RegistryRoot::CurrentUser, kProductKey, "After"), "2");
  EXPECT_TRUE(Exists(std::string(kProgramFolder) + "Uninst.exe"));
}

// The user declined the VST 2 plug-in: its component, a key named by its
// folder, its library and its shortcut are left out, and data naming its
// folder are written empty.
TEST_F(InstallationRunTest, ADeclinedPlugInIsLeftOutEverywhere) {
  SetupIni = std::string(kIni) +
             "[RegistrySettings]\r\n$VstPluginFolder\\Key=1\r\nVstFolder=$VstPluginFolder\r\n"
             "[CallLibraries]\r\nRegister=$VstPluginFolder\\Tool.dll\r\n"
             "[Shortcuts]\r\nStartMenu=$VstPluginFolder\\Tool.dll,VST plug-in\r\n";
  Prepare();
  setup->InstallVstPlugin = false;
  Install();
  EXPECT_FALSE(platform.Files.FolderExists(kVstFolder));
  EXPECT_TRUE(Exists(std::string(kProgramFolder) + "Tool.exe"));
  EXPECT_EQ(String(RegistryRoot::CurrentUser, kProductKey, "VstFolder"), "");
  EXPECT_EQ(platform.Reg.SubKeyNames(RegistryRoot::CurrentUser, kProductKey), (std::vector<std::string>{"Paths"}));
  EXPECT_TRUE(platform.Libs.Loads().empty());
  EXPECT_FALSE(Exists(std::string(kPrograms) + "\\VST plug-in.lnk"));
}

TEST_F(InstallationRunTest, LibrariesAreCalledByTheExportNameAsWritten) {
  SetupIni = std::string(kIni) +
             "[CallLibraries]\r\nFirst=$ProgramFolder\\Tool.exe\r\nmissing=$ProgramFolder\\Tool.exe\r\n"
             "Any=C:\\Nowhere\\None.dll\r\nSecond=$ProgramFolder\\Tool.exe\r\n";
  const std::string library = std::string(kProgramFolder) + "Tool.exe";
  platform.Libs.AddExport(library, "First");
  platform.Libs.AddExport(library, "Second");
  platform.Libs.AddExport(library, "Missing");
  Prepare();
  Install();
  EXPECT_EQ(platform.Libs.Calls(), (std::vector<std::string>{library + "!First", library + "!Second"}));
  EXPECT_EQ(platform.Libs.Loads().size(), 4u);
  EXPECT_EQ(platform.Libs.LoadedCount(), 0);
}

TEST_F(InstallationRunTest, NoOverwriteKeepsExistingFilesAndLeavesThemUnrecorded) {
  SetupIni = std::string(kIni) + "[ComponentsOptions]\r\nPresets=NoOverwrite\r\nMain=Overwrite\r\n";
  Components[3] = TPackageItem::Folder("Presets", {TPackageItem::File("Factory.fxp", "preset"),
                                                   TPackageItem::File("User.fxp", "new")});
  const std::string presets = "C:\\Users\\Tester\\Documents\\Tool Presets\\";
  platform.Files.AddFile(presets + "User.fxp", "the user's own");
  platform.Files.AddFile(std::string(kProgramFolder) + "Tool.exe", "an older program");
  Prepare();
  Install();
  EXPECT_EQ(Content(presets + "User.fxp"), "the user's own");
  EXPECT_EQ(Recorded("F" + presets + "User.fxp"), 0u);
  EXPECT_EQ(Content(presets + "Factory.fxp"), "preset");
  EXPECT_EQ(Recorded("F" + presets + "Factory.fxp"), 1u);
  EXPECT_EQ(Content(std::string(kProgramFolder) + "Tool.exe"), "program");
  // The switch is back for what comes after.
  EXPECT_TRUE(setup->Engine().Overwrite);
  EXPECT_FALSE(setup->Engine().OnExtractFile);
}

TEST_F(InstallationRunTest, OnlyVst3DestinationsRenameTheirLibraries) {
  SetupIni = std::string(kIni) +
             "[Components]\r\nVst=$VstPluginFolder\r\nVst3=$Vst3PluginFolder\r\nVst3=$Vst3ProgramFolder\\VST3\r\n"
             "Vst3=$ProgramFolder\\Plain\r\nVst3=$ProgramFolder\\VST3 Copy\r\n";
  Prepare();
  Install();
  const std::string vst3 = kVst3Folder;
  EXPECT_EQ(Content(vst3 + "\\Tool.vst3"), "vst 3 plug-in");
  EXPECT_FALSE(Exists(vst3 + "\\Tool.dll"));
  EXPECT_TRUE(Exists(vst3 + "\\Tool.dll.txt"));
  EXPECT_EQ(Recorded("F" + vst3 + "\\Tool.vst3"), 1u);
  EXPECT_TRUE(Exists(std::string(kProgramFolder) + "VST3\\Tool.vst3"));
  EXPECT_TRUE(Exists(std::string(kProgramFolder) + "Plain\\Tool.dll"));
  // "Vst3" is matched with its case: "VST3" is no VST 3 destination.
  EXPECT_TRUE(Exists(std::string(kProgramFolder) + "VST3 Copy\\Tool.dll"));
  EXPECT_EQ(Content(std::string(kVstFolder) + "\\Tool.dll"), "vst 2 plug-in");
}

// Each selected item gets its own components and settings, dated with its
// version; shared entries are written for each item and once more, with the
// package's date, in the final pass.
TEST_F(InstallationRunTest, BundleItemsHaveTheirPassesAndTheFinalPassFollows) {
  SetupIni =
      "[Setup]\r\nIsBundle=1\r\nProductName=Suite\r\nRegistryRoot=Software\\Maker\\Suite\r\n"
      "BundleRegistryRoot=Software\\Maker\r\nDefaultFolder=Maker\\Suite\r\n"
      "[Components]\r\n$BundleItem=$ProgramFolder\\$BundleItem\r\nShared=$ProgramFolder\r\n"
      "[RegistrySettings]\r\n$BundleItem\\Path=$ProgramFolder\\$BundleItem\r\nPlain=1\r\n";
  BundleInfo = "One=1.23\r\nTwo=2.0,Two Pro\r\nThree=3.0\r\n";
  Components = {Component("One", "one"), Component("Two", "two"), Component("Three", "three"),
                Component("Shared", "shared")};
  Prepare();
  setup->BundleItem(1).Selected = false;
  Install();
  const std::string folder = kProgramFolder;
  EXPECT_EQ(Content(folder + "One\\File.dll"), "one");
  EXPECT_FALSE(platform.Files.FolderExists(folder + "Two"));
  EXPECT_EQ(Content(folder + "Three\\File.dll"), "three");
  EXPECT_EQ(Date(folder + "One\\File.dll"), setup->BundleItem(0).FileDate);
  EXPECT_EQ(Date(folder + "Three\\File.dll"), setup->BundleItem(2).FileDate);
  EXPECT_NE(setup->BundleItem(0).FileDate, setup->Engine().PackageFileDate);
  EXPECT_EQ(Date(folder + "File.dll"), setup->Engine().PackageFileDate);
  EXPECT_EQ(Recorded("F" + folder + "File.dll"), 3u);
  EXPECT_EQ(Recorded("F" + folder + "One\\File.dll"), 1u);

  const RegistryRoot user = RegistryRoot::CurrentUser;
  EXPECT_EQ(String(user, "\\Software\\Maker\\One\\1.0", "Path"), folder + "One");
  EXPECT_EQ(String(user, "\\Software\\Maker\\Three\\3.0", "Path"), folder + "Three");
  EXPECT_FALSE(platform.Reg.KeyExists(user, "\\Software\\Maker\\Two"));
  EXPECT_EQ(String(user, "\\Software\\Maker\\Suite\\2.0", "Plain"), "1");
  EXPECT_EQ(platform.Reg.SubKeyNames(user, "\\Software\\Maker\\Suite\\2.0"), std::vector<std::string>{});
  EXPECT_EQ(String(RegistryRoot::LocalMachine,
                   "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Suite", "DisplayName"),
            "Suite");
}

struct ShortcutCase {
  const char* what;
  unsigned selected;
  std::vector<std::string> links;  // below C:\Users\Tester
};

class ShortcutTest : public InstallationRunTest, public testing::WithParamInterface<ShortcutCase> {};

TEST_P(ShortcutTest, OnlyChosenLocationsGetLinks) {
  const ShortcutCase& c = GetParam();
  Prepare();
  setup->SelectedShortcuts = c.selected;
  Install();
  std::vector<std::string> links;
  for (const std::string& path : platform.Files.AllPaths())
    if (path.size() > 4 && path.substr(path.size() - 4) == ".lnk") links.push_back(path.substr(16));
  EXPECT_EQ(links, c.links) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ShortcutTest,
    testing::Values(ShortcutCase{"none", 0, {}},
                    ShortcutCase{"Start menu",
                                 setup_shortcut::kStartMenu,
                                 {"Start Menu\\Programs\\Maker\\Tool Help.lnk", "Start Menu\\Programs\\Tool.lnk"}},
                    ShortcutCase{"desktop", setup_shortcut::kDesktop, {"Desktop\\Tool.lnk"}},
                    ShortcutCase{"both",
                                 setup_shortcut::kStartMenu | setup_shortcut::kDesktop,
                                 {"Desktop\\Tool.lnk", "Start Menu\\Programs\\Maker\\Tool Help.lnk",
                                  "Start Menu\\Programs\\Tool.lnk"}}));

TEST_F(InstallationRunTest, ShortcutsPointAtTheirTargetsAndSubfoldersAreRecorded) {
  Prepare();
  Install();
  TShellLink link;
  ASSERT_TRUE(platform.ShellServices.ReadLink(std::string(kPrograms) + "\\Maker\\Tool Help.lnk", link));
  EXPECT_EQ(link.Target, std::string(kProgramFolder) + "Help.chm");
  ASSERT_TRUE(platform.ShellServices.ReadLink(std::string(kDesktop) + "\\Tool.lnk", link));
  EXPECT_EQ(link.Target, std::string(kProgramFolder) + "Tool.exe");
  EXPECT_EQ(Recorded(std::string("D") + kPrograms + "\\Maker\\"), 1u);
  EXPECT_EQ(Recorded(std::string("F") + kPrograms + "\\Maker\\Tool Help.lnk"), 1u);
  // The Start menu's own folder is never up for removal.
  EXPECT_EQ(Recorded(std::string("E") + kPrograms + "\\"), 0u);
}

TEST_F(InstallationRunTest, ASubfolderThatCannotBeMadeGetsNoLink) {
  platform.Files.FailCreateFolder(std::string(kPrograms) + "\\Maker");
  Prepare();
  Install();
  EXPECT_FALSE(Exists(std::string(kPrograms) + "\\Maker\\Tool Help.lnk"));
  EXPECT_EQ(Recorded(std::string("F") + kPrograms + "\\Maker\\Tool Help.lnk"), 0u);
  EXPECT_TRUE(Exists(std::string(kPrograms) + "\\Tool.lnk"));
}

// The second run replaces the links of the first, and an older link to the
// same target under another name goes too; a link to something else stays.
TEST_F(InstallationRunTest, RunningTwiceLeavesOneShortcutPerEntry) {
  Prepare();
  Install();
  platform.ShellServices.AddLink(std::string(kPrograms) + "\\Maker\\Tool 1 Help.lnk",
                                 {std::string(kProgramFolder) + "HELP.CHM", "", "", 0});
  platform.ShellServices.AddLink(std::string(kPrograms) + "\\Other.lnk", {"C:\\Other\\Other.exe", "", "", 0});
  setup.reset();
  progress.Events.clear();
  Prepare();
  Install();
  std::vector<std::string> links;
  for (const std::string& path : platform.Files.AllPaths())
    if (path.find(".lnk") != std::string::npos) links.push_back(path);
  EXPECT_EQ(links, (std::vector<std::string>{std::string(kDesktop) + "\\Tool.lnk",
                                             std::string(kPrograms) + "\\Maker\\Tool Help.lnk",
                                             std::string(kPrograms) + "\\Other.lnk",
                                             std::string(kPrograms) + "\\Tool.lnk"}));
}

TEST_F(InstallationRunTest, AProgramFolderWithoutBackslashStillGetsUninstExeInside) {
  Prepare();
  setup->ProgramFolder = "C:\\Program Files\\Maker\\Tool";
  Install();
  EXPECT_TRUE(Exists(std::string(kProgramFolder) + "Uninst.exe"));
  EXPECT_FALSE(Exists("C:\\Program Files\\Maker\\ToolUninst.exe"));
}

// A plug-in-only product extracts nothing into its program folder; the
// uninstaller still needs one, and it goes again with the uninstaller.
TEST_F(InstallationRunTest, APlugInOnlyProductStillGetsItsUninstaller) {
  SetupIni = std::string(kIni) + "[Components]\r\nVst=$VstPluginFolder\r\n";
  Prepare();
  Install();
  EXPECT_TRUE(Exists(std::string(kProgramFolder) + "Uninst.exe"));
  EXPECT_EQ(Recorded(std::string("D") + kProgramFolder), 1u);
  EXPECT_EQ(Recorded("DC:\\Program Files\\Maker\\"), 1u);
}

// The record read back from the written Uninst.exe by the uninstaller engine
// takes away everything the run made, and nothing else.
TEST_F(InstallationRunTest, TheUninstallRecordTakesEverythingAwayAgain) {
  // The desktop is empty, as Wine's is, and gets a link in a subfolder.
  SetupIni = std::string(kIni) + "[ComponentsOptions]\r\nPresets=NoOverwrite\r\n"
                                 "[Shortcuts]\r\nStartMenu=$ProgramFolder\\Tool.exe\r\n"
                                 "Desktop=$ProgramFolder\\Help.chm,Maker\\Help\r\n";
  const std::string presets = "C:\\Users\\Tester\\Documents\\Tool Presets\\";
  platform.Files.AddFile(presets + "Factory.fxp", "the user's own preset");
  platform.Files.AddFile("C:\\Program Files\\Other\\Other.exe", "another product");
  platform.ShellServices.AddLink(std::string(kPrograms) + "\\Other.lnk", {"C:\\Other\\Other.exe", "", "", 0});
  platform.Reg.SetString(RegistryRoot::CurrentUser, "\\Software\\Maker\\Other", "Keep", "me");
  // As on any machine: Common Files holds something, the list of programs exists.
  platform.Files.AddFile("C:\\Program Files\\Common Files\\System\\shared.dll", "shared");
  platform.Reg.AddKey(RegistryRoot::LocalMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall");
  Prepare();
  const std::vector<std::string> filesBefore = platform.Files.AllPaths();
  const std::string registryBefore = platform.Reg.Dump();
  Install();

  ASSERT_TRUE(Exists(std::string(kDesktop) + "\\Maker\\Help.lnk"));

  const std::string uninstaller = std::string(kProgramFolder) + "Uninst.exe";
  platform.Files.SetExecutablePath(uninstaller);
  TUninstaller engine(bundle);
  EXPECT_EQ(std::string(engine.Data.begin(), engine.Data.end()), "Tool");
  EXPECT_EQ(engine.Version.VersionText(), "2.10");
  EXPECT_EQ(engine.UninstallItems.back(), std::string("M") + kUninstallKey);
  EXPECT_TRUE(engine.RemoveAll());
  // What the batch file does once the uninstaller has ended.
  platform.Files.RemoveFile(uninstaller);
  for (const std::string& folder : engine.DeferredFolders) platform.Files.RemoveFolder(folder);

  EXPECT_EQ(platform.Files.AllPaths(), filesBefore);
  EXPECT_EQ(Content(presets + "Factory.fxp"), "the user's own preset");
  // The product's root keys stay, emptied: other versions of the product keep
  // their records below them.
  std::string registryAfter = platform.Reg.Dump();
  std::set<std::string> added;
  std::istringstream after(registryAfter);
  for (std::string line; std::getline(after, line);)
    if (registryBefore.find(line + "\n") == std::string::npos) added.insert(line);
  EXPECT_EQ(added, (std::set<std::string>{"HKLM\\Software\\Maker", "HKLM\\Software\\Maker\\Tool",
                                          "HKCU\\Software\\Maker\\Tool"}));
}

// A run ended midway leaves folders it made; the next run finds them there
// and would take them for the user's. The journal of the first run tells
// it otherwise, and the second run's uninstaller takes away what both made.
TEST_F(InstallationRunTest, ARunEndedMidwayIsRepairedByTheNextAndItsFoldersGoWithTheUninstaller) {
  SetupIni = std::string(kIni) + "[Components]\r\nMain=$ProgramFolder\r\nPresets=$ProgramFolder\\Presets\r\n";
  platform.Reg.AddKey(RegistryRoot::LocalMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall");

  // The first run stops in the middle of its files, as if ended: a file it
  // cannot write, and no one to say Retry.
  const std::string readme = std::string(kProgramFolder) + "Docs\\Readme.txt";
  platform.Files.Lock(readme);
  Prepare();
  const std::vector<std::string> filesBefore = platform.Files.AllPaths();
  EXPECT_THROW(Install(), EFCreateError);
  platform.Files.Unlock(readme);
  ASSERT_TRUE(platform.Files.FolderExists("C:\\Program Files\\Maker\\"));
  ASSERT_FALSE(Exists(std::string(kProgramFolder) + "Uninst.exe"));

  // The second run completes and records the first run's folders as made.
  Prepare();
  Install();
  EXPECT_EQ(Recorded("DC:\\Program Files\\Maker\\"), 1u);
  EXPECT_FALSE(platform.Reg.KeyExists(RegistryRoot::LocalMachine, std::string(kProductKey) + "\\Unfinished Setup"));

  const std::string uninstaller = std::string(kProgramFolder) + "Uninst.exe";
  platform.Files.SetExecutablePath(uninstaller);
  TUninstaller engine(bundle);
  EXPECT_TRUE(engine.RemoveAll());
  platform.Files.RemoveFile(uninstaller);
  for (const std::string& folder : engine.DeferredFolders) platform.Files.RemoveFolder(folder);
  std::vector<std::string> left = platform.Files.AllPaths();
  // The links and their folders are the shortcuts' business, tested apart.
  left.erase(std::remove_if(left.begin(), left.end(),
                            [](const std::string& p) { return p.find("\\Users\\") != std::string::npos; }),
             left.end());
  std::vector<std::string> expected = filesBefore;
  expected.erase(std::remove_if(expected.begin(), expected.end(),
                                [](const std::string& p) { return p.find("\\Users\\") != std::string::npos; }),
                 expected.end());
  EXPECT_EQ(left, expected);
}

}  // namespace
