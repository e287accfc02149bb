// The records an installation leaves: where they land, and that a record
// that cannot be written does not stop the others.
#include <gtest/gtest.h>

#include "setup_fixture.h"

namespace {

constexpr RegistryRoot kHKLM = RegistryRoot::LocalMachine;
constexpr RegistryRoot kHKCU = RegistryRoot::CurrentUser;
const std::string kVersionKey = "Software\\Maker\\Tool\\2.0";

class VersionRecordTest : public SetupFixture {
 protected:
  VersionRecordTest() {
    SetupIni =
        "[Setup]\r\nRegistryRoot=Software\\Maker\\Tool\r\nDefaultFolder=Tool %d\r\nPersonalizeOwner=Owner\\Name\r\n"
        "[Folders]\r\nPresets=$ProgramFolder\\Presets\r\nData=D:\\Data\r\nVst=$VstPluginFolder\\Extra\r\n"
        "Docs=$Documents\\Tool\r\n"
        "[FoldersRegistry]\r\nPresets=Paths\\Presets\r\nVst=Paths\\Vst\r\nDocs=Docs\\Folder\r\n";
    Build();
    setup->SetProgramFolder("D:\\Tool");
    setup->OwnerName = "Ann";
  }
};

TEST_F(VersionRecordTest, TheVersionRecordGoesToTheMachine) {
  setup->WriteVersionRecord();
  EXPECT_EQ(platform.Reg.StringValue(kHKLM, kVersionKey, "Location"), "D:\\Tool\\");
  EXPECT_EQ(platform.Reg.StringValue(kHKLM, kVersionKey, "VersionString"), "2.50");
}

TEST_F(VersionRecordTest, RecordsThatCannotBeWrittenAreSkippedSilently) {
  platform.Reg.DenyAccess(kHKLM, "Software\\Maker");
  platform.Reg.FailWrites(kHKCU, kVersionKey + "\\Owner");
  EXPECT_NO_THROW(setup->WriteVersionRecord());
  EXPECT_NO_THROW(setup->WriteOwnerRecord());
  EXPECT_EQ(platform.Reg.Dump().find("Ann"), std::string::npos);
  EXPECT_EQ(platform.Reg.StringValue(kHKLM, kVersionKey, "Location"), std::nullopt);
}

TEST_F(VersionRecordTest, EachCustomFolderIsRecordedExpandedWithABackslash) {
  setup->InstallVstPlugin = false;
  setup->WriteFolderRecords();
  EXPECT_EQ(platform.Reg.StringValue(kHKCU, kVersionKey + "\\Paths", "Presets"), "D:\\Tool\\Presets\\");
  // Without a [FoldersRegistry] entry: the version key's default value.
  EXPECT_EQ(platform.Reg.StringValue(kHKCU, kVersionKey, ""), "D:\\Data\\");
  // A declined plug-in folder records the empty text.
  EXPECT_EQ(platform.Reg.StringValue(kHKCU, kVersionKey + "\\Paths", "Vst"), "");
  EXPECT_EQ(platform.Reg.StringValue(kHKCU, kVersionKey + "\\Docs", "Folder"), "C:\\Users\\Tester\\Documents\\Tool\\");
}

TEST_F(VersionRecordTest, AFolderRecordThatFailsDoesNotStopTheNext) {
  platform.Reg.FailWrites(kHKCU, kVersionKey + "\\Paths");
  setup->WriteFolderRecords();
  EXPECT_EQ(platform.Reg.StringValue(kHKCU, kVersionKey + "\\Paths", "Presets"), std::nullopt);
  EXPECT_EQ(platform.Reg.StringValue(kHKCU, kVersionKey, ""), "D:\\Data\\");
  EXPECT_EQ(platform.Reg.StringValue(kHKCU, kVersionKey + "\\Docs", "Folder"), "C:\\Users\\Tester\\Documents\\Tool\\");
}

TEST_F(VersionRecordTest, TheOwnerIsRecordedForTheUser) {
  setup->WriteOwnerRecord();
  EXPECT_EQ(platform.Reg.StringValue(kHKCU, kVersionKey + "\\Owner", "Name"), "Ann");
  EXPECT_FALSE(platform.Reg.KeyExists(kHKLM, kVersionKey + "\\Owner"));
}

TEST_F(SetupFixture, WithoutPersonalizationNoOwnerIsRecorded) {
  Build();
  const std::string before = platform.Reg.Dump();
  setup->WriteOwnerRecord();
  EXPECT_EQ(platform.Reg.Dump(), before);
}

TEST_F(SetupFixture, WhatOneSetupRecordsTheNextOneFinds) {
  SetupIni = std::string(kMinimalIni) + "PersonalizeOwner=Owner\r\n[InstalledFiles]\r\n2=Tool.exe\r\n"
             "[Folders]\r\nPresets=$ProgramFolder\\Presets\r\n[FoldersRegistry]\r\nPresets=Presets\r\n";
  Build();
  setup->SetProgramFolder("D:\\Apps\\Tool");
  setup->Folders[0].Value = "E:\\Presets";  // as if chosen
  setup->OwnerName = "Ann";
  setup->WriteVersionRecord();
  setup->WriteFolderRecords();
  setup->WriteOwnerRecord();
  platform.Files.AddDrive("D:");
  platform.Files.AddFolder("D:\\Apps\\Tool");
  platform.Files.AddFile("D:\\Apps\\Tool\\Tool.exe", "x");

  Version = "2.7";
  Build();
  EXPECT_TRUE(setup->UpgradeFound);
  EXPECT_EQ(setup->ProgramFolder, "D:\\Apps\\Tool\\");
  EXPECT_EQ(setup->OwnerName, "Ann");
  EXPECT_EQ(setup->ExpandPath("%Presets\\Factory", nullptr), "E:\\Presets\\Factory");
}

}  // namespace
