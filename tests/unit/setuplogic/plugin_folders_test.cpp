// The plug-in hosts' folders as the registry and the shell give them, and
// which parts of the package hold VST 3 plug-ins.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "common/shell_folder_kinds.h"
#include "setup_fixture.h"

namespace {

constexpr RegistryRoot kHKLM = RegistryRoot::LocalMachine;

class PluginFolderTest : public SetupFixture {};

TEST_F(PluginFolderTest, ProToolsAndVst3FoldersLieInCommonFiles) {
  Build();
  EXPECT_EQ(setup->DigiPluginFolder, "C:\\Program Files\\Common Files\\Digidesign\\DAE\\Plug-Ins");
  EXPECT_EQ(setup->Vst3PluginFolder, "C:\\Program Files\\Common Files\\VST3");
}

TEST_F(PluginFolderTest, WithoutTheShellsCommonFilesOnlyProToolsFallsBack) {
  platform.ShellServices.RemoveSpecialFolder(SpecialFolderCsidl(SpecialFolderKind::CommonFiles));
  platform.Reg.SetString(kHKLM, "Software\\Microsoft\\Windows\\CurrentVersion", "CommonFilesDir", "E:\\Common");
  Build();
  EXPECT_EQ(setup->DigiPluginFolder, "E:\\Common\\Digidesign\\DAE\\Plug-Ins");
  EXPECT_EQ(setup->Vst3PluginFolder, "VST3");
}

TEST_F(PluginFolderTest, TheVst2FolderIsWhatTheRegistryHolds) {
  struct {
    const char* Name;
    std::function<void(TMemoryRegistry&)> Arrange;
    const char* Expected;
  } cases[] = {
      {"no key", [](TMemoryRegistry&) {}, ""},
      {"registered",
       [](TMemoryRegistry& r) { r.SetString(kHKLM, "Software\\Vst", "VstPluginsPath", "D:\\Vst Plugins"); },
       "D:\\Vst Plugins"},
      {"no value", [](TMemoryRegistry& r) { r.AddKey(kHKLM, "Software\\Vst"); }, ""},
      {"empty value", [](TMemoryRegistry& r) { r.SetString(kHKLM, "Software\\Vst", "VstPluginsPath", ""); }, ""},
      {"value of another type",
       [](TMemoryRegistry& r) { r.SetInteger(kHKLM, "Software\\Vst", "VstPluginsPath", 1); }, ""},
  };
  Build();
  for (const auto& c : cases) {
    TMemoryRegistry fresh;
    c.Arrange(fresh);
    Platform services{platform.Files, fresh, platform.ShellServices, platform.Libs, platform.Boxes, platform.Sys};
    TSetupInstaller s(services);
    EXPECT_EQ(s.VstPluginFolder, c.Expected) << c.Name;
  }
}

// -- Photoshop --------------------------------------------------------------------

struct TPhotoshopKey {
  std::string Name;
  std::optional<std::string> PluginPath;  // nullopt: no PluginPath sub-key
};

struct TPhotoshopCase {
  const char* Name;
  std::vector<TPhotoshopKey> Keys;  // in listing order
  const char* Expected;
};

std::ostream& operator<<(std::ostream& out, const TPhotoshopCase& c) { return out << c.Name; }

class PhotoshopTest : public SetupFixture, public testing::WithParamInterface<TPhotoshopCase> {
 protected:
  PhotoshopTest() { SetupIni = std::string(kMinimalIni) + "[Pages]\r\nPhotoshopPluginFolder=1\r\n"; }
};

TEST_P(PhotoshopTest, TakesTheNewestMajorVersionsPluginPath) {
  std::vector<std::string> order;
  for (const TPhotoshopKey& key : GetParam().Keys) {
    const std::string path = "SOFTWARE\\Adobe\\Photoshop\\" + key.Name;
    platform.Reg.AddKey(kHKLM, path);
    if (key.PluginPath) platform.Reg.SetString(kHKLM, path + "\\PluginPath", "", *key.PluginPath);
    order.push_back(key.Name);
  }
  platform.Reg.SetSubKeyOrder(kHKLM, "SOFTWARE\\Adobe\\Photoshop", order);
  EXPECT_EQ(Build().PhotoshopPluginFolder, GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Registry, PhotoshopTest,
    testing::Values(
        TPhotoshopCase{"HighestNumberNotLastListed",
                       {{"10.0", "P10"}, {"11.0", "P11"}, {"8.0", "P8"}, {"9.0", "P9"}},
                       "P11"},
        TPhotoshopCase{"FirstListedOfOneMajorVersion", {{"12.0", "P12.0"}, {"12.1", "P12.1"}}, "P12.0"},
        TPhotoshopCase{"NamesWithoutAMajorNumber", {{"CS", "Pcs"}, {"0.5", "P0.5"}}, ""},
        TPhotoshopCase{"NoFallbackToAnOlderVersion", {{"12.0", "P12"}, {"13.0", std::nullopt}}, ""},
        TPhotoshopCase{"WholeNumberName", {{"7", "P7"}, {"6.0", "P6"}}, "P7"},
        TPhotoshopCase{"NoVersions", {}, ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(PluginFolderTest, APluginPathOfAnotherTypeIsNoFolder) {
  SetupIni = std::string(kMinimalIni) + "[Pages]\r\nPhotoshopPluginFolder=1\r\n";
  platform.Reg.SetInteger(kHKLM, "SOFTWARE\\Adobe\\Photoshop\\9.0\\PluginPath", "", 3);
  EXPECT_EQ(Build().PhotoshopPluginFolder, "");
}

TEST_F(PluginFolderTest, WithoutThePhotoshopPageTheRegistryIsNotAsked) {
  platform.Reg.SetString(kHKLM, "SOFTWARE\\Adobe\\Photoshop\\9.0\\PluginPath", "", "P9");
  Build();
  EXPECT_EQ(setup->PhotoshopPluginFolder, "");
  const int opened = platform.Reg.OpenCount();
  setup->FindPhotoshopPluginFolder();
  EXPECT_EQ(platform.Reg.OpenCount(), opened);
  EXPECT_EQ(setup->PhotoshopPluginFolder, "");
}

// -- VST 3 components -------------------------------------------------------------

struct TVst3Case {
  const char* Name;
  bool Bundle;
  std::string ComponentLines;
  std::string Items;  // "BundleInfo.ini" of a bundle
  std::vector<TPackageItem> Package;
  bool Expected;
  const char* ItemList;
};

std::ostream& operator<<(std::ostream& out, const TVst3Case& c) { return out << c.Name; }

class Vst3Test : public SetupFixture, public testing::WithParamInterface<TVst3Case> {};

TEST_P(Vst3Test, FindsTheItemsWithVst3Components) {
  const TVst3Case& c = GetParam();
  SetupIni = (c.Bundle ? "[Setup]\r\nIsBundle=1\r\nBundleRegistryRoot=Software\\Maker\r\n" : "[Setup]\r\n") +
             std::string(kMinimalIni).substr(9) + "[Components]\r\n" + c.ComponentLines;
  if (c.Bundle) BundleInfo = c.Items;
  Components = c.Package;
  TSetupInstaller& s = Build();
  EXPECT_EQ(s.HasVst3Components, c.Expected);
  EXPECT_EQ(s.Vst3ItemList, c.ItemList);
}

const std::string kPerItem = "$BundleItem Program=$ProgramFolder\r\n$BundleItem VST3=$Vst3PluginFolder\r\n";
const std::string kThreeItems = "A=1.0\r\nB=1.0\r\nC=1.0\r\n";

INSTANTIATE_TEST_SUITE_P(
    Components, Vst3Test,
    testing::Values(
        TVst3Case{"FirstAndThirdOfThree",
                  true,
                  kPerItem,
                  kThreeItems,
                  {Component("A VST3"), Component("B Program"), Component("C VST3")},
                  true,
                  "A, C"},
        TVst3Case{"AllThree",
                  true,
                  kPerItem,
                  kThreeItems,
                  {Component("A VST3"), Component("B VST3"), Component("C VST3")},
                  true,
                  ""},
        TVst3Case{"NoneOfThree", true, kPerItem, kThreeItems, {Component("A Program")}, false, ""},
        TVst3Case{"AnEmptyComponentDoesNotCount",
                  true,
                  kPerItem,
                  kThreeItems,
                  {Component("A VST3"), Component("B VST3", "")},
                  true,
                  "A"},
        TVst3Case{"BundleWithoutItems", true, kPerItem, "", {Component("A VST3")}, false, ""},
        TVst3Case{"PlainSetup", false, "Plugin=$Vst3ProgramFolder\\Plug\r\n", "", {Component("Plugin")}, true, ""},
        TVst3Case{"PlainSetupWithAPerItemComponentOnly", false, kPerItem, "", {Component("A VST3")}, false, ""},
        TVst3Case{"TheMarkIsCaseSensitive", false, "Plugin=$VST3PluginFolder\r\n", "", {Component("Plugin")}, false,
                  ""}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(RenameVst3FileTest, GivesDllsTheVst3Extension) {
  const struct {
    const char* Path;
    const char* Expected;
  } cases[] = {
      {"C:\\Program Files\\Common Files\\VST3\\Foo.DLL", "C:\\Program Files\\Common Files\\VST3\\Foo.vst3"},
      {"C:\\VST3\\Foo.dll", "C:\\VST3\\Foo.vst3"},
      {"C:\\VST3\\Foo.dll.bak", "C:\\VST3\\Foo.dll.bak"},
      {"C:\\VST3\\Foo.vst3", "C:\\VST3\\Foo.vst3"},
      {"C:\\VST3\\Foo", "C:\\VST3\\Foo"},
      {"C:\\Plug.dll\\Foo", "C:\\Plug.dll\\Foo"},
      {"C:\\VST3\\.dll", "C:\\VST3\\.vst3"},
  };
  for (const auto& c : cases) {
    std::string path = c.Path;
    TSetupInstaller::RenameVst3File(path);
    EXPECT_EQ(path, c.Expected) << c.Path;
  }
}

}  // namespace
