// Text symbols, folder symbols, custom folders and the registry paths of
// settings lines.
#include <gtest/gtest.h>

#include "setup_fixture.h"

namespace {

constexpr const char* kSymbolIni =
    "[Setup]\r\nProductName=Tool\r\nProductSuffix=Demo\r\nRegistryRoot=Software\\Maker\\Tool\r\n"
    "DefaultFolder=Tool %d\r\nPersonalizeInfo=info of $ProductName and $BundleSelectHeading\r\n"
    "InstallDescription=desc\r\nBundleSelectHeading=head\r\nBundleSelectDescription=bdesc\r\n"
    "[Folders]\r\nPresets=$ProgramFolder\\Presets\r\nA=C:\\A\\\r\nAB=D:\\Other\r\nVst=$VstPluginFolder\\Sub\r\n"
    "[FoldersRegistry]\r\npresets=Paths\\Presets\r\n";

class SymbolTest : public SetupFixture {
 protected:
  SymbolTest() {
    SetupIni = kSymbolIni;
    Build();
    setup->ProgramFolder = "C:\\Apps\\Tool\\";
    setup->VstPluginFolder = "C:\\Vst\\";
    setup->Vst3PluginFolder = "C:\\Common\\VST3";
    setup->DigiPluginFolder = "C:\\Common\\Digi";
    setup->PhotoshopPluginFolder = "C:\\Adobe\\Plug-ins\\";
    setup->DocumentsFolder = "C:\\Docs";
    setup->ApplicationDataFolder = "C:\\AppData\\";
    setup->BundleRegistryRoot = "\\Software\\Maker";
  }

  TSetupBundleItem Item(const std::string& version = "1.5") {
    return TSetupBundleItem("Pro", "Pro Edition", version, "", setup->Engine().PackageFileDate);
  }
};

struct TExpandCase {
  const char* Text;
  const char* Expected;
};

TEST_F(SymbolTest, TextSymbolsAreReplacedEverywhereInTableOrder) {
  const TExpandCase cases[] = {
      {"$ProductName and $ProductName", "Tool and Tool"},
      {"$productname", "$productname"},
      {"$FullProductName", "Tool 2.50 Demo"},
      {"$ProductVersion", "2.50"},
      // A value is seen by the later symbols only.
      {"$PersonalizeInfo", "info of $ProductName and head"},
      {"$InstallDescription|$BundleSelectHeading|$BundleSelectDescription", "desc|head|bdesc"},
      {"$ProgramFolder", "$ProgramFolder"},
  };
  for (const auto& c : cases) EXPECT_EQ(setup->ExpandText(c.Text), c.Expected) << c.Text;
}

TEST_F(SymbolTest, FolderSymbolsReplaceTheirFirstOccurrenceWithoutTrailingBackslash) {
  const TExpandCase cases[] = {
      {"$ProgramFolder\\a.exe;$ProgramFolder\\b.dll", "C:\\Apps\\Tool\\a.exe;$ProgramFolder\\b.dll"},
      {"$programfolder\\x", "$programfolder\\x"},
      {"$Documents|$ApplicationData|$VstPluginFolder|$Vst3PluginFolder|$Vst3ProgramFolder|$DigiPluginFolder|"
       "$PhotoshopPluginFolder",
       "C:\\Docs|C:\\AppData|C:\\Vst|C:\\Common\\VST3|C:\\Apps\\Tool|C:\\Common\\Digi|C:\\Adobe\\Plug-ins"},
      {"%Presets\\Factory", "C:\\Apps\\Tool\\Presets\\Factory"},
      // The custom folder's "$ProgramFolder" comes first and takes the one replacement.
      {"%Presets\\Factory;$ProgramFolder", "C:\\Apps\\Tool\\Presets\\Factory;$ProgramFolder"},
      // A is listed before AB and matches its start.
      {"%AB\\x", "C:\\AB\\x"},
      {"%Unknown\\x", "%Unknown\\x"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(setup->ExpandPath(c.Text, nullptr), c.Expected) << c.Text;
}

TEST_F(SymbolTest, AnEmptyFolderLeavesTheRestOfThePath) {
  setup->VstPluginFolder = "";
  EXPECT_EQ(setup->ExpandPath("$VstPluginFolder\\Sub", nullptr), "\\Sub");
  setup->ProgramFolder = "D:\\";
  EXPECT_EQ(setup->ExpandPath("$ProgramFolder\\Help", nullptr), "D:\\Help");
}

TEST_F(SymbolTest, BundleItemSymbolsNeedAnItem) {
  const TSetupBundleItem item = Item();
  const TExpandCase withItem[] = {
      {"$BundleItem\\Data", "Pro\\Data"},
      {"$BundleItemProductName", "Pro Edition"},
      {"$BundleItem-$BundleItem", "Pro-Pro"},
      {"$ProgramFolder\\$BundleItem", "C:\\Apps\\Tool\\Pro"},
  };
  for (const auto& c : withItem) EXPECT_EQ(setup->ExpandPath(c.Text, &item), c.Expected) << c.Text;
  EXPECT_EQ(setup->ExpandPath("$BundleItem\\Data", nullptr), "");
  EXPECT_EQ(setup->ExpandPath("$ProgramFolder\\$BundleItemProductName", nullptr), "");
}

struct TExclusionCase {
  bool TSetupInstaller::*Flag;
  const char* Text;
  const char* Expected;
};

TEST_F(SymbolTest, ADeclinedPluginFolderNamedInTheTextEmptiesIt) {
  const TExclusionCase cases[] = {
      {&TSetupInstaller::InstallVstPlugin, "$VstPluginFolder\\x", ""},
      // The test looks at the text as written, not at what a custom folder brings.
      {&TSetupInstaller::InstallVstPlugin, "%Vst\\x", "C:\\Vst\\Sub\\x"},
      {&TSetupInstaller::InstallVstPlugin, "$Vst3PluginFolder", "C:\\Common\\VST3"},
      {&TSetupInstaller::InstallVst3Plugin, "$Vst3PluginFolder", ""},
      {&TSetupInstaller::InstallVst3Plugin, "$Vst3ProgramFolder\\x", ""},
      {&TSetupInstaller::InstallVst3Plugin, "$VstPluginFolder", "C:\\Vst"},
      {&TSetupInstaller::InstallDigiPlugin, "a;$DigiPluginFolder", ""},
      {&TSetupInstaller::InstallPhotoshopPlugin, "$PhotoshopPluginFolder\\x", ""},
      {&TSetupInstaller::InstallPhotoshopPlugin, "$ProgramFolder", "C:\\Apps\\Tool"},
  };
  for (const auto& c : cases) {
    (*setup).*c.Flag = false;
    EXPECT_EQ(setup->ExpandPath(c.Text, nullptr), c.Expected) << c.Text;
    (*setup).*c.Flag = true;
  }
}

struct TSplitCase {
  const char* Path;
  TRegistryLocation Expected;
};

TEST_F(SymbolTest, SplitRegistryPathRootsTheKeyInTheVersionKey) {
  const TSplitCase cases[] = {
      {"Paths\\Help", {"\\Software\\Maker\\Tool\\2.0\\Paths", "Help"}},
      {"Help", {"\\Software\\Maker\\Tool\\2.0", "Help"}},
      {"Paths\\", {"\\Software\\Maker\\Tool\\2.0\\Paths", ""}},
      {"", {"\\Software\\Maker\\Tool\\2.0", ""}},
      {"A\\B\\C", {"\\Software\\Maker\\Tool\\2.0\\A\\B", "C"}},
      // Without an item the key part is left for the caller to expand.
      {"$ProgramFolder\\V", {"\\Software\\Maker\\Tool\\2.0\\$ProgramFolder", "V"}},
  };
  for (const auto& c : cases) EXPECT_EQ(setup->SplitRegistryPath(c.Path, "2.0", nullptr), c.Expected) << c.Path;
}

TEST_F(SymbolTest, SplitRegistryPathPutsAnItemsSettingsBelowTheBundleRoot) {
  const TSetupBundleItem item = Item("1.5");
  EXPECT_EQ(setup->SplitRegistryPath("$BundleItem\\Path", "2.0", &item),
            (TRegistryLocation{"\\Software\\Maker\\Pro\\1.0", "Path"}));
  // The value name is never expanded.
  EXPECT_EQ(setup->SplitRegistryPath("$BundleItem\\Sub\\$BundleItem", "2.0", &item),
            (TRegistryLocation{"\\Software\\Maker\\Pro\\Sub\\1.0", "$BundleItem"}));
  EXPECT_EQ(setup->SplitRegistryPath("Path", "2.0", &item), (TRegistryLocation{"", "Path"}));
  setup->InstallVstPlugin = false;
  EXPECT_EQ(setup->SplitRegistryPath("$VstPluginFolder\\X", "2.0", &item), (TRegistryLocation{"", "X"}));
  setup->IgnoreMinorVersion = false;
  EXPECT_EQ(setup->SplitRegistryPath("$BundleItem\\Path", "2.0", &item).KeyPath, "\\Software\\Maker\\Pro\\1.5");
}

TEST_F(SymbolTest, CustomFoldersAreRecordedWhereTheirRegistryEntryNamesThem) {
  // Matched by name without regard to case; a folder without an entry is
  // recorded in the version key's default value.
  EXPECT_EQ(setup->CustomFolderRegistryLocation(0, "3.0"),
            (TRegistryLocation{"\\Software\\Maker\\Tool\\3.0\\Paths", "Presets"}));
  EXPECT_EQ(setup->CustomFolderRegistryLocation(1, "3.0"), (TRegistryLocation{"\\Software\\Maker\\Tool\\3.0", ""}));
  // No earlier installation: PATH as written.
  EXPECT_EQ(setup->CustomFolderValue(1), "C:\\A\\");
}

// Custom folders are replaced at their first occurrence only, and the first
// [FoldersRegistry] entry of a name is where it is recorded.
TEST_F(SetupFixture, CustomFoldersTakeTheirFirstOccurrenceAndTheirFirstRegistryEntry) {
  SetupIni = std::string(kMinimalIni) +
             "[Folders]\r\nData=C:\\Data\r\n"
             "[FoldersRegistry]\r\nDATA=First\\Path\r\nData=Second\\Path\r\n";
  Build();
  EXPECT_EQ(setup->ExpandPath("%Data\\a;%Data\\b", nullptr), "C:\\Data\\a;%Data\\b");
  EXPECT_EQ(setup->CustomFolderRegistryLocation(0, "2.0"),
            (TRegistryLocation{"\\Software\\Maker\\Tool\\2.0\\First", "Path"}));
}

// -- custom folders of an earlier installation -----------------------------------

class RecordedFolderTest : public SetupFixture {
 protected:
  RecordedFolderTest() { SetupIni = kSymbolIni; }

  void InstalledBefore(const std::string& version, const std::string& key) {
    platform.Files.AddFolder("C:\\Old");
    platform.Reg.SetString(RegistryRoot::LocalMachine, "Software\\Maker\\Tool\\" + key, "VersionString", version);
    platform.Reg.SetString(RegistryRoot::LocalMachine, "Software\\Maker\\Tool\\" + key, "Location", "C:\\Old\\");
  }
  void Recorded(const std::string& key, const std::string& folder) {
    platform.Reg.SetString(RegistryRoot::CurrentUser, "Software\\Maker\\Tool\\" + key + "\\Paths", "Presets", folder);
  }
};

TEST_F(RecordedFolderTest, AnUpgradeWithinTheMajorVersionKeepsTheRecordedFolder) {
  InstalledBefore("2.1", "2.0");
  Recorded("2.0", "D:\\My Presets");
  Build();
  EXPECT_EQ(setup->CustomFolderValue(0), "D:\\My Presets\\");
  EXPECT_EQ(setup->ExpandPath("%Presets\\Factory", nullptr), "D:\\My Presets\\Factory");
}

TEST_F(RecordedFolderTest, AnEmptyOrUnreadableRecordLeavesTheFolderAsWritten) {
  InstalledBefore("2.1", "2.0");
  Recorded("2.0", "");
  Build();
  EXPECT_EQ(setup->CustomFolderValue(0), "$ProgramFolder\\Presets");

  platform.Reg.SetInteger(RegistryRoot::CurrentUser, "Software\\Maker\\Tool\\2.0\\Paths", "Presets", 7);
  EXPECT_EQ(setup->CustomFolderValue(0), "$ProgramFolder\\Presets");
}

TEST_F(RecordedFolderTest, AnUpgradeAcrossMajorVersionsStartsAfresh) {
  InstalledBefore("1.2", "1.0");
  Recorded("1.0", "D:\\Old Presets");
  Build();
  ASSERT_TRUE(setup->UpgradeFound);
  EXPECT_EQ(setup->CustomFolderValue(0), "$ProgramFolder\\Presets");
}

}  // namespace
