// setuppack record shows an uninstall record as the uninstaller reads it.
#include <gtest/gtest.h>

#include "common/stream.h"
#include "package/uninstall_record.h"
#include "setuppack_test_support.h"

namespace {

std::string Record(const std::vector<std::string>& items, const std::string& name) {
  TProgramVersion version;
  version.ParseVersion("2.10 beta 3");
  TMemoryStream out;
  WriteUninstallRecord(out, version, items, reinterpret_cast<const uint8_t*>(name.data()), name.size());
  return out.Text();
}

TEST(RecordCommand, PrintsNameVersionAndItemsFromEveryKindOfFile) {
  TTempFolder temp;
  const std::string record = Record({"EC:\\Program Files\\", "DC:\\Program Files\\Caf\xE9\\",
                                     "FC:\\Program Files\\Caf\xE9\\a.txt", "M\\Software\\Maker"},
                                    "Caf\xE9 Synth");
  const std::string expected =
      "Product: Café Synth\nVersion: 2.10 beta 3\nE C:\\Program Files\\\nD C:\\Program Files\\Café\\\n"
      "F C:\\Program Files\\Café\\a.txt\nM \\Software\\Maker\n";

  std::vector<uint8_t> image = FakeStub(4096);
  StoreInt32(image.data() + 48, 4096);
  StoreInt32(image.data() + 52, 1);
  WriteFile(temp / "App/Uninst.exe", std::string(image.begin(), image.end()) + record);
  const std::vector<uint8_t> bare = FakeStub(4096);
  WriteFile(temp / "Side/Uninst.exe", std::string(bare.begin(), bare.end()));
  WriteFile(temp / "Side/Uninstall.dat", record);
  WriteFile(temp / "Bare.dat", record);
  for (const char* file : {"App/Uninst.exe", "Side/Uninst.exe", "Bare.dat"}) {
    const TToolResult result = RunTool({"record", Arg(temp / file)});
    EXPECT_EQ(result.Code, 0) << file << result.Err;
    EXPECT_EQ(result.Out, expected) << file;
  }
}

TEST(RecordCommand, ADamagedRecordGivesTheUninstallersMessage) {
  TTempFolder temp;
  std::string record = Record({"FC:\\x"}, "P");
  record[2] = '?';
  WriteFile(temp / "Uninstall.dat", record);
  TToolResult result = RunTool({"record", Arg(temp / "Uninstall.dat")});
  EXPECT_EQ(result.Code, 1);
  EXPECT_NE(result.Err.find("Invalid uninstall data signature"), std::string::npos) << result.Err;

  record[2] = '/';
  StoreInt32(reinterpret_cast<uint8_t*>(record.data()) + 53, 1 << 30);
  WriteFile(temp / "Uninstall.dat", record);
  result = RunTool({"record", Arg(temp / "Uninstall.dat")});
  EXPECT_EQ(result.Code, 1);
  EXPECT_NE(result.Err.find("Stream read error"), std::string::npos) << result.Err;

  EXPECT_EQ(RunTool({"record"}).Code, 2);
}

}  // namespace
