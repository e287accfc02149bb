// Building the setup logic object from its package: what "Setup.ini",
// "Setup.lic" and "BundleInfo.ini" turn into, and what refuses to build.
#include <gtest/gtest.h>

#include <functional>

#include "common/date_time.h"
#include "common/errors.h"
#include "setup_fixture.h"

namespace {

using Check = std::function<void(const TSetupInstaller&)>;

struct TConfigurationCase {
  const char* Name;
  std::string Ini;
  Check Expect;
};

std::ostream& operator<<(std::ostream& out, const TConfigurationCase& c) { return out << c.Name; }

const std::string kRoot = "RegistryRoot=Software\\Maker\\Tool\r\nDefaultFolder=Tool %d\r\n";

std::vector<std::string> Names(const TSettingList& list) {
  std::vector<std::string> names;
  for (const TListEntry& entry : list) names.push_back(entry.Name + "=" + entry.Value);
  return names;
}

const TConfigurationCase kConfigurationCases[] = {
    {"MinimalSettingsTakeTheDefaults", kMinimalIni,
     [](const TSetupInstaller& s) {
       EXPECT_EQ(s.ProductName, "");
       EXPECT_EQ(s.InstallDescription, "");  // "$ProductName" expanded
       EXPECT_TRUE(s.IgnoreMinorVersion);
       EXPECT_FALSE(s.IsBundle);
       EXPECT_EQ(s.Pages, 0u);
       EXPECT_EQ(s.AvailableShortcuts, 0u);
       EXPECT_EQ(s.SelectedShortcuts, 0u);
       EXPECT_EQ(s.RegistryRoot, "\\Software\\Maker\\Tool");
       EXPECT_EQ(s.CompleteMessage,
                 " has been installed successfully. You can start  from the Start menu or the desktop. "
                 "Please read the Readme.txt file for additional information.");
       EXPECT_EQ(s.CompleteReadme, "");
       EXPECT_EQ(s.CompleteProduct, "");
       EXPECT_TRUE(s.InstalledFiles.empty() && s.Folders.empty() && s.FoldersRegistry.empty() &&
                   s.Components.empty() && s.ComponentsOptions.empty() && s.CallLibraries.empty() &&
                   s.RegistrySettings.empty() && s.GlobalRegistrySettings.empty() && s.Shortcuts.empty());
       EXPECT_EQ(s.LicenseText, "Licence line 1\r\nLicence line 2\r\n");
       EXPECT_EQ(s.VersionKey, "2.0");
       EXPECT_EQ(s.ApplicationDataFolder, "C:\\Users\\Tester\\AppData\\Roaming");
       EXPECT_EQ(s.DocumentsFolder, "C:\\Users\\Tester\\Documents");
       EXPECT_TRUE(s.InstallVstPlugin && s.InstallVst3Plugin && s.InstallDigiPlugin && s.InstallPhotoshopPlugin);
       EXPECT_EQ(s.ProgramFolder, "C:\\Program Files\\Tool 2");
       EXPECT_EQ(s.BundleItemCount(), 0);
     }},
    {"IsBundleTrueIsNoIntegerAndKeepsThePlainSetup", "[Setup]\r\nIsBundle=true\r\n" + kRoot,
     [](const TSetupInstaller& s) { EXPECT_FALSE(s.IsBundle); }},
    {"RegistryRootGetsItsLeadingBackslashOnce", "[Setup]\r\nRegistryRoot=\\Software\\A\r\nDefaultFolder=A\r\n",
     [](const TSetupInstaller& s) {
       EXPECT_EQ(s.RegistryRoot, "\\Software\\A");
       EXPECT_EQ(s.ProductRegistryKey("2.0"), "\\Software\\A\\2.0");
     }},
    {"RegistryRootLosesTrailingBackslashes", "[Setup]\r\nRegistryRoot=Software\\A\\\\\r\nDefaultFolder=A\r\n",
     [](const TSetupInstaller& s) { EXPECT_EQ(s.ProductRegistryKey("2.0"), "\\Software\\A\\2.0"); }},
    {"AnEmptyValueIsEmptyNotTheDefault", "[Setup]\r\nProductName=Tool\r\nInstallDescription=\r\n" + kRoot,
     [](const TSetupInstaller& s) { EXPECT_EQ(s.InstallDescription, ""); }},
    {"AnAbsentDescriptionIsTheProductName", "[Setup]\r\nProductName=Tool\r\n" + kRoot,
     [](const TSetupInstaller& s) { EXPECT_EQ(s.InstallDescription, "Tool"); }},
    {"TheLastKeyAndTheLastSectionWin",
     "[Setup]\r\nProductName=First\r\nProductSuffix=Gone\r\n" + kRoot + "[Setup]\r\nProductName=One\r\n" +
         "ProductName=Two\r\n" + kRoot,
     [](const TSetupInstaller& s) {
       EXPECT_EQ(s.ProductName, "Two");
       EXPECT_EQ(s.ProductSuffix, "");
     }},
    {"ListsKeepRepeatedKeysInFileOrderAndSkipLinesWithoutEquals",
     "[Setup]\r\n" + kRoot +
         "[Components]\r\nPlugin=$ProgramFolder\r\nno equals here\r\nPlugin=$PhotoshopPluginFolder\r\n",
     [](const TSetupInstaller& s) {
       ASSERT_EQ(s.Components.size(), 2u);
       EXPECT_EQ(Names(s.Components),
                 (std::vector<std::string>{"Plugin=$ProgramFolder", "Plugin=$PhotoshopPluginFolder"}));
       EXPECT_EQ(s.Components[0].Line, 5);
       EXPECT_EQ(s.Components[1].Line, 7);
     }},
    {"ShortcutKeysAreMatchedWithoutCase",
     "[Setup]\r\n" + kRoot + "[Shortcuts]\r\nstartmenu=$ProgramFolder\\Tool.exe\r\nDesktop\r\n",
     [](const TSetupInstaller& s) {
       // The bare "Desktop" line has no "=" and offers nothing.
       EXPECT_EQ(s.AvailableShortcuts, setup_shortcut::kStartMenu);
       EXPECT_EQ(Names(s.Shortcuts), std::vector<std::string>{"startmenu=$ProgramFolder\\Tool.exe"});
     }},
    {"BothShortcutLocations", "[Setup]\r\n" + kRoot + "[Shortcuts]\r\nDesktop=a.exe\r\nStartMenu=b.exe,B\r\n",
     [](const TSetupInstaller& s) {
       EXPECT_EQ(s.AvailableShortcuts, setup_shortcut::kStartMenu | setup_shortcut::kDesktop);
     }},
    {"PagesAreBooleans",
     "[Setup]\r\n" + kRoot +
         "[Pages]\r\nVstPluginFolder=1\r\nDigiPluginFolder=true\r\nPhotoshopPluginFolder=0\r\nPersonalization=$8\r\n",
     [](const TSetupInstaller& s) {
       EXPECT_EQ(s.Pages, setup_page::kVstPluginFolder | setup_page::kPersonalization);
     }},
    {"IgnoreMinorVersionOffGivesAKeyPerMinorVersion", "[Setup]\r\nIgnoreMinorVersion=0\r\n" + kRoot,
     [](const TSetupInstaller& s) {
       EXPECT_FALSE(s.IgnoreMinorVersion);
       EXPECT_EQ(s.VersionKey, "2.5");
     }},
    {"TheCompleteMessageSeesTheDescriptionAsWritten",
     "[Setup]\r\nProductName=Tool\r\nInstallDescription=all of $ProductName\r\n" + kRoot +
         "[Complete]\r\nMessage=$FullProductName: $InstallDescription\r\nReadme=$ProgramFolder\\Readme.txt\r\n"
         "Product=$ProgramFolder\\Tool.exe\r\n",
     [](const TSetupInstaller& s) {
       EXPECT_EQ(s.CompleteMessage, "Tool 2.50: all of $ProductName");
       EXPECT_EQ(s.InstallDescription, "all of Tool");
       EXPECT_EQ(s.CompleteReadme, "$ProgramFolder\\Readme.txt");
       EXPECT_EQ(s.CompleteProduct, "$ProgramFolder\\Tool.exe");
     }},
    {"EverySetupKeyIsRead",
     "[Setup]\r\nProductSuffix=Demo\r\nPersonalizeOwner=Owner\\Name\r\nPersonalizeInfo=info\r\n"
     "BundleSelectHeading=head\r\nBundleSelectDescription=desc\r\nBundleRegistryRoot=Software\\Maker\r\n"
     "BundleItemName=Item\r\n" +
         kRoot,
     [](const TSetupInstaller& s) {
       EXPECT_EQ(s.ProductSuffix, "Demo");
       EXPECT_EQ(s.PersonalizeOwner, "Owner\\Name");
       EXPECT_EQ(s.PersonalizeInfo, "info");
       EXPECT_EQ(s.BundleSelectHeading, "head");
       EXPECT_EQ(s.BundleSelectDescription, "desc");
       // Only a bundle's root is made absolute.
       EXPECT_EQ(s.BundleRegistryRoot, "Software\\Maker");
       EXPECT_EQ(s.BundleItemName, "Item");
     }},
};

class ConfigurationTest : public SetupFixture, public testing::WithParamInterface<TConfigurationCase> {};

TEST_P(ConfigurationTest, Reads) {
  SetupIni = GetParam().Ini;
  GetParam().Expect(Build());
}

INSTANTIATE_TEST_SUITE_P(SetupIni, ConfigurationTest, testing::ValuesIn(kConfigurationCases),
                         [](const auto& info) { return std::string(info.param.Name); });

// -- bundles ------------------------------------------------------------------

const std::string kBundleIni =
    "[Setup]\r\nIsBundle=1\r\nBundleRegistryRoot=Software\\Maker\r\nBundleItemName=$BundleItem for $BundleItem\r\n" +
    kRoot;

class BundleTest : public SetupFixture {
 protected:
  BundleTest() { SetupIni = kBundleIni; }
};

TEST_F(BundleTest, IntegerValuesOfIsBundleMakeABundle) {
  for (const char* value : {"1", "0x1", "$1"}) {
    SCOPED_TRACE(value);
    SetupIni = "[Setup]\r\nIsBundle=" + std::string(value) + "\r\nBundleRegistryRoot=B\r\n" + kRoot;
    BundleInfo = "";
    platform.Files.AddFile("C:\\Setup\\Setup.exe", SetupExecutable(Package()));
    TSetupInstaller setup(bundle);
    EXPECT_TRUE(setup.IsBundle);
    EXPECT_EQ(setup.BundleRegistryRoot, "\\B");
  }
}

TEST_F(BundleTest, EachItemLineMakesAnItemDatedByItsVersion) {
  BundleInfo = "Pro=1.5\r\nLite=1.59,Lite Edition\r\n=2.0\r\n[Items]\r\n;Old=0.0\nPlain\r\n";
  TSetupInstaller& s = Build();
  ASSERT_EQ(s.BundleItemCount(), 3);

  const TSetupBundleItem& pro = s.BundleItem(0);
  EXPECT_EQ(pro.Name, "Pro");
  EXPECT_EQ(pro.ProductName, "Pro");
  EXPECT_EQ(pro.Version.VersionText(), "1.50");
  EXPECT_EQ(pro.Caption, "Pro for Pro 1.5");
  EXPECT_TRUE(pro.Selected);
  EXPECT_EQ(pro.FileDate, PackDosDateTime({2024, 5, 1, 13, 50, 0, 0}));

  const TSetupBundleItem& lite = s.BundleItem(1);
  EXPECT_EQ(lite.ProductName, "Lite Edition");
  EXPECT_EQ(lite.Caption, "Lite for Lite 1.59");
  EXPECT_EQ(lite.FileDate, PackDosDateTime({2024, 5, 1, 13, 59, 0, 0}));

  // No comments in this file: the line is an item whose name starts with ";".
  EXPECT_EQ(s.BundleItem(2).Name, ";Old");
  EXPECT_EQ(s.BundleItem(2).FileDate, s.Engine().PackageFileDate);
}

TEST_F(BundleTest, FullProductNameLeavesOutTheVersionOfABundle) {
  SetupIni = "[Setup]\r\nProductName=Tool\r\nProductSuffix=Demo\r\nIsBundle=1\r\nBundleRegistryRoot=B\r\n" + kRoot;
  BundleInfo = "";
  Version = "2.10";
  EXPECT_EQ(Build().FullProductName(), "Tool Demo");
}

struct TFullNameCase {
  const char* Suffix;
  const char* Version;
  const char* Expected;
};

class FullProductNameTest : public SetupFixture, public testing::WithParamInterface<TFullNameCase> {};

TEST_P(FullProductNameTest, NamesTheVersionAndTheSuffix) {
  SetupIni = "[Setup]\r\nProductName=Tool\r\nProductSuffix=" + std::string(GetParam().Suffix) + "\r\n" + kRoot;
  Version = GetParam().Version;
  EXPECT_EQ(Build().FullProductName(), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Plain, FullProductNameTest,
                         testing::Values(TFullNameCase{"", "2.10", "Tool 2.10"},
                                         TFullNameCase{"Demo", "2.10", "Tool 2.10 Demo"},
                                         TFullNameCase{"Demo", "2.1 beta 3", "Tool 2.10 beta 3 Demo"}));

// -- what refuses to build ----------------------------------------------------

struct TRefusalCase {
  const char* Name;
  std::string Ini;
  std::optional<std::string> BundleInfo;
  std::string Message;
  std::string ClassName;
};

std::ostream& operator<<(std::ostream& out, const TRefusalCase& c) { return out << c.Name; }

const TRefusalCase kRefusalCases[] = {
    {"NoRegistryRoot", "[Setup]\r\nDefaultFolder=Tool\r\n", std::nullopt, "Invalid configuration in Setup.ini",
     "Exception"},
    {"EmptyRegistryRoot", "[Setup]\r\nRegistryRoot=\r\nDefaultFolder=Tool\r\n", std::nullopt,
     "Invalid configuration in Setup.ini", "Exception"},
    {"NoDefaultFolder", "[Setup]\r\nRegistryRoot=Software\\T\r\n", std::nullopt,
     "Invalid configuration in Setup.ini", "Exception"},
    {"SettingsOutsideTheSetupSection", "RegistryRoot=Software\\T\r\nDefaultFolder=Tool\r\n[Setup]\r\n",
     std::nullopt, "Invalid configuration in Setup.ini", "Exception"},
    {"BundleWithoutItsRoot", "[Setup]\r\nIsBundle=1\r\n" + kRoot, "", "Invalid configuration in Setup.ini",
     "Exception"},
    {"FolderTemplateWithAStringDirective", "[Setup]\r\nRegistryRoot=T\r\nDefaultFolder=Tool %s\r\n", std::nullopt,
     "Invalid configuration in Setup.ini: the DefaultFolder \"Tool %s\" may only use %d for the major version "
     "and %% for a percent sign",
     "Exception"},
    {"BundleItemWithoutAVersion", kBundleIni, "Pro=new", "'new' is not a valid version number",
     "EProgramVersionError"},
    {"BundleItemOfSixtyMinutes", kBundleIni, "Pro=1.5\r\nBig=1.65", "Invalid argument to time encode",
     "EConvertError"},
    {"BundleItemOfADay", kBundleIni, "Pro=24.0", "Invalid argument to time encode", "EConvertError"},
};

class RefusalTest : public SetupFixture, public testing::WithParamInterface<TRefusalCase> {};

TEST_P(RefusalTest, Raises) {
  SetupIni = GetParam().Ini;
  BundleInfo = GetParam().BundleInfo;
  try {
    Build();
    FAIL() << "built";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), GetParam().Message);
    EXPECT_STREQ(e.ClassName(), GetParam().ClassName.c_str());
  }
}

INSTANTIATE_TEST_SUITE_P(SetupIni, RefusalTest, testing::ValuesIn(kRefusalCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(BundleTest, TheLastValidBundleItemVersionIsTwentyThreeFiftyNine) {
  BundleInfo = "Late=23.59";
  EXPECT_EQ(Build().BundleItem(0).FileDate, PackDosDateTime({2024, 5, 2, 11, 59, 0, 0}));
}

// -- where the support files come from ----------------------------------------

struct TMissingFileCase {
  const char* Name;
  bool Ini, Lic, Bundle;
  const char* Path;
};

class MissingFileTest : public SetupFixture, public testing::WithParamInterface<TMissingFileCase> {};

TEST_P(MissingFileTest, NamesTheFileBesideTheExecutable) {
  const TMissingFileCase& c = GetParam();
  if (!c.Ini) SetupIni.reset();
  if (!c.Lic) SetupLic.reset();
  if (c.Bundle) {
    SetupIni = kBundleIni;
    BundleInfo.reset();
  }
  try {
    Build();
    FAIL() << "built";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file \"" + std::string(c.Path) +
                               "\". The system cannot find the file specified");
  }
}

INSTANTIATE_TEST_SUITE_P(SupportFiles, MissingFileTest,
                         testing::Values(TMissingFileCase{"SetupIni", false, true, false, "C:\\Setup\\Setup.ini"},
                                         TMissingFileCase{"SetupLic", true, false, false, "C:\\Setup\\Setup.lic"},
                                         TMissingFileCase{"BundleInfo", true, true, true,
                                                          "C:\\Setup\\BundleInfo.ini"}),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(SetupFixture, FilesBesideTheExecutableStandInForMissingPackageFiles) {
  SetupIni.reset();
  SetupLic.reset();
  AddBesideExecutable("Setup.ini", "[Setup]\nProductName=Beside\n" + kRoot);
  AddBesideExecutable("SETUP.LIC", "one\rtwo\n\nthree");
  TSetupInstaller& s = Build();
  EXPECT_EQ(s.ProductName, "Beside");
  EXPECT_EQ(s.LicenseText, "one\r\ntwo\r\n\r\nthree\r\n");
}

TEST_F(SetupFixture, ThePackageWinsOverAFileBesideTheExecutable) {
  AddBesideExecutable("Setup.lic", "beside");
  EXPECT_EQ(Build().LicenseText, "Licence line 1\r\nLicence line 2\r\n");
}

TEST_F(SetupFixture, ADamagedPackageStopsTheBuildWithTheEnginesError) {
  std::vector<uint8_t> exe = SetupExecutable(Package());
  exe[exe.size() - 3] ^= 0x40;
  platform.Files.AddFile("C:\\Setup\\Setup.exe", exe);
  EXPECT_THROW(TSetupInstaller{bundle}, ESetupError);
}

// -- small settings questions ---------------------------------------------------

TEST_F(SetupFixture, NoOverwriteNeedsTheExactNameAndValue) {
  SetupIni = std::string(kMinimalIni) +
             "[ComponentsOptions]\r\nData=NoOverwrite\r\nPresets=nooverwrite\r\nLib=Overwrite\r\n";
  TSetupInstaller& s = Build();
  EXPECT_TRUE(s.IsNoOverwrite("Data"));
  EXPECT_FALSE(s.IsNoOverwrite("data"));
  EXPECT_FALSE(s.IsNoOverwrite("Presets"));
  EXPECT_FALSE(s.IsNoOverwrite("Lib"));
  EXPECT_FALSE(s.IsNoOverwrite("Other"));
}

TEST_F(SetupFixture, VersionKeysDropTheMinorNumberUnlessAskedNotTo) {
  TSetupInstaller& s = Build();
  EXPECT_EQ(s.FormatVersionKey(3, 7), "3.0");
  s.IgnoreMinorVersion = false;
  EXPECT_EQ(s.FormatVersionKey(3, 7), "3.7");
  EXPECT_EQ(s.FormatVersionKey(12, 0), "12.0");
}

TEST_F(SetupFixture, ProductAndReadmePathsAreExpandedWhenAsked) {
  SetupIni = std::string(kMinimalIni) +
             "[Complete]\r\nReadme=$ProgramFolder\\Readme.txt\r\nProduct=$ProgramFolder\\Tool.exe\r\n";
  TSetupInstaller& s = Build();
  s.SetProgramFolder("D:\\Chosen");
  EXPECT_EQ(s.ReadmePath(), "D:\\Chosen\\Readme.txt");
  EXPECT_EQ(s.ProductPath(), "D:\\Chosen\\Tool.exe");
}

}  // namespace
