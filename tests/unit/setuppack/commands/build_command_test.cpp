// setuppack build, list and extract together: what a vendor packs is what the
// setup reads, byte for byte and in a fixed order.
#include <gtest/gtest.h>

#include <ctime>

#include "common/date_time.h"
#include "common/stream.h"
#include "package/package_reader.h"
#include "packing/file_times.h"
#include "platform/host/host_file_stream.h"
#include "setuppack_test_support.h"

namespace {

const std::string kSetupIni = SoundSetupIni("2.10 beta 3", {"Main", "Plugin"});
const std::string k63 = std::string(59, 'L') + ".dll";

std::string Binary(size_t size) {
  std::string bytes(size, '\0');
  uint32_t x = 12345;
  for (char& c : bytes) c = static_cast<char>((x = x * 1103515245 + 12345) >> 24);
  return bytes;
}

TStagingFiles Product() {
  TStagingFiles files = SupportFiles(kSetupIni);
  files.insert({
      {"Main/Program.exe", Binary(300000)},
      {"Main/Docs/Readme.txt", std::string(5000, 'r')},
      {"Main/Empty/", ""},
      {"Main/empty.bin", ""},
      {"Plugin/Caf\xC3\xA9.txt", "caf\xC3\xA9"},
      {"Plugin/" + k63, "long"},
      {"Plugin/zeta.txt", "z"},
      {"Plugin/Alpha.txt", "a"},
      {"Plugin/_notes.txt", "n"},
  });
  return files;
}

class BuildTest : public ::testing::Test {
 protected:
  fs::path Staging(const TStagingFiles& files = Product(), const std::string& name = "staging") {
    const fs::path root = temp_ / name;
    MakeStaging(root, files);
    return root;
  }
  fs::path StubFile(const std::vector<uint8_t>& bytes, const std::string& name = "Setup.exe") {
    const fs::path path = temp_ / name;
    WriteFile(path, std::string(bytes.begin(), bytes.end()));
    return path;
  }

  TTempFolder temp_;
};

TEST_F(BuildTest, ListAndExtractGiveBackTheStagingTree) {
  const fs::path staging = Staging();
  const fs::path setup = temp_ / "Setup.exe";
  const TToolResult built = RunTool({"build", Arg(staging), "-o", Arg(setup), "--stub", Arg(StubFile(FakeStub(), "stub.exe")),
                                     "--stamp", "2024-05-01T12:00:00"});
  ASSERT_EQ(built.Code, 0) << built.Err;
  EXPECT_EQ(built.Err, "");

  // Folders before files, each by folded name: "Alpha" before "zeta", and
  // "_" after the letters.
  const TToolResult listed = RunTool({"list", Arg(setup)});
  ASSERT_EQ(listed.Code, 0) << listed.Err;
  EXPECT_EQ(listed.Out,
            "2.10 beta 3\n"
            "D Main\\\n"
            "D Main\\Docs\\\n"
            "F Main\\Docs\\Readme.txt 5000\n"
            "D Main\\Empty\\\n"
            "F Main\\empty.bin 0\n"
            "F Main\\Program.exe 300000\n"
            "D Plugin\\\n"
            "F Plugin\\Alpha.txt 1\n"
            "F Plugin\\Caf\xC3\xA9.txt 5\n"
            "F Plugin\\" + k63 + " 4\n"
            "F Plugin\\zeta.txt 1\n"
            "F Plugin\\_notes.txt 1\n"
            "F Setup.ini " + std::to_string(kSetupIni.size()) + "\n"
            "F Setup.jpg " + std::to_string(SmallJpeg().size()) + "\n"
            "F Setup.lic 9\n");

  const fs::path out = temp_ / "out";
  const TToolResult extracted = RunTool({"extract", Arg(setup), "-C", Arg(out)});
  ASSERT_EQ(extracted.Code, 0) << extracted.Err;
  EXPECT_EQ(ReadTree(out), ReadTree(staging));

  // Installed files carry the package stamp as local time.
  std::tm local{};
  local.tm_year = 124, local.tm_mon = 4, local.tm_mday = 1, local.tm_hour = 12, local.tm_isdst = -1;
  EXPECT_EQ(ModificationTime(out / "Main/Docs/Readme.txt"), static_cast<int64_t>(std::mktime(&local)));
}

TEST_F(BuildTest, CaseFoldedNamesAreStoredAsWindows1252) {
  const fs::path data = temp_ / "Setup.dat";
  ASSERT_EQ(RunTool({"build", Arg(Staging()), "-o", Arg(data), "--data", "--stamp", "2024-05-01"}).Code, 0);
  TMemoryStream stream(ReadBytes(data));
  const TPackageInfo info = VerifyPackage(stream);
  TPackageEntry plugin, entry;
  ASSERT_TRUE(FindComponent(stream, info, "PLUGIN", plugin));
  std::vector<std::string> names;
  for (TPackageLevel level(stream, plugin); level.Next(entry);) names.push_back(entry.Header.Name);
  EXPECT_EQ(names[1], "Caf\xE9.txt");
  EXPECT_EQ(names[2].size(), 63u);
}

TEST_F(BuildTest, TheStubIsKeptAndPointsAtThePackage) {
  std::vector<uint8_t> stub = FakeStub(4096);
  StoreInt32(stub.data() + 52, 7);  // a run mode other than 1 is setup mode; it is reset to 0
  const fs::path setup = temp_ / "Setup.exe", data = temp_ / "Setup.dat";
  const fs::path staging = Staging();
  ASSERT_EQ(RunTool({"build", Arg(staging), "-o", Arg(setup), "--stub", Arg(StubFile(stub, "stub.exe")), "--stamp", "2024-05-01"}).Code, 0);
  ASSERT_EQ(RunTool({"build", Arg(staging), "-o", Arg(data), "--data", "--stamp", "2024-05-01"}).Code, 0);

  const std::vector<uint8_t> bytes = ReadBytes(setup);
  ASSERT_GT(bytes.size(), stub.size());
  EXPECT_EQ(LoadInt32(bytes.data() + 48), 4096);
  EXPECT_EQ(LoadInt32(bytes.data() + 52), 0);
  for (size_t i = 0; i < stub.size(); ++i) {
    if (i >= 48 && i < 56) continue;
    ASSERT_EQ(bytes[i], stub[i]) << "stub byte " << i;
  }
  // The executable's package is the bare package, byte for byte.
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 4096, bytes.end()), ReadBytes(data));
  TMemoryStream stream(bytes);
  stream.SetPosition(4096);
  EXPECT_EQ(VerifyPackage(stream).Version.VersionText(), "2.10 beta 3");
}

TEST_F(BuildTest, ABareStubReadsSetupDatBesideIt) {
  const fs::path disk = temp_ / "disk";
  fs::create_directory(disk);
  ASSERT_EQ(RunTool({"build", Arg(Staging()), "-o", Arg(disk / "Setup.dat"), "--data", "--stamp", "2024-05-01"}).Code, 0);
  const std::vector<uint8_t> stub = FakeStub();
  WriteFile(disk / "Install.exe", std::string(stub.begin(), stub.end()));
  const TToolResult listed = RunTool({"list", Arg(disk / "Install.exe")});
  EXPECT_EQ(listed.Code, 0) << listed.Err;
  EXPECT_EQ(listed.Out.substr(0, 12), "2.10 beta 3\n");
}

TEST_F(BuildTest, TheStubComesFromTheEnvironmentOrBesideTheTool) {
  const fs::path staging = Staging();
  const fs::path tool = temp_ / "bin";
  const std::vector<uint8_t> stub = FakeStub(1000);
  const fs::path fromEnvironment = StubFile(stub, "env-stub.exe");
  const fs::path out = temp_ / "Setup.exe";

  TToolResult result = RunTool({"build", Arg(staging), "-o", Arg(out)}, {{"SETUPPACK_STUB", Arg(fromEnvironment)}}, tool);
  ASSERT_EQ(result.Code, 0) << result.Err;
  EXPECT_EQ(LoadInt32(ReadBytes(out).data() + 48), 1000);

  result = RunTool({"build", Arg(staging), "-o", Arg(out)}, {}, tool);
  EXPECT_EQ(result.Code, 1);
  EXPECT_NE(result.Err.find("--stub"), std::string::npos) << result.Err;

  const std::vector<uint8_t> beside = FakeStub(1500);
  WriteFile(tool / "Setup.exe", std::string(beside.begin(), beside.end()));
  result = RunTool({"build", Arg(staging), "-o", Arg(out)}, {}, tool);
  ASSERT_EQ(result.Code, 0) << result.Err;
  EXPECT_EQ(LoadInt32(ReadBytes(out).data() + 48), 1500);
}

TEST_F(BuildTest, SameInputAndStampGiveTheSameBytes) {
  // The same tree made twice in opposite orders, with different file dates
  // after the stamp: neither the directory order nor the checkout time may
  // show in the package.
  const TStagingFiles files = Product();
  const fs::path first = Staging(files, "first");
  const fs::path second = temp_ / "second";
  for (auto it = files.rbegin(); it != files.rend(); ++it) MakeStaging(second, {*it});
  for (const auto& entry : fs::recursive_directory_iterator(first))
    if (entry.is_regular_file()) SetUnixTime(entry.path(), 1800000000);  // 2027
  for (const auto& entry : fs::recursive_directory_iterator(second))
    if (entry.is_regular_file()) SetUnixTime(entry.path(), 1900000000);  // 2030

  const auto build = [&](const fs::path& staging, const std::string& name, std::vector<std::string> extra,
                         std::map<std::string, std::string> environment = {}) {
    std::vector<std::string> args = {"build", Arg(staging), "-o", Arg(temp_ / name), "--data"};
    args.insert(args.end(), extra.begin(), extra.end());
    const TToolResult result = RunTool(args, environment);
    EXPECT_EQ(result.Code, 0) << result.Err;
    return ReadBytes(temp_ / name);
  };
  const auto reference = build(first, "a.dat", {"--stamp", "2024-05-01T12:00:00", "--jobs", "1"});
  EXPECT_EQ(build(second, "b.dat", {"--stamp", "2024-05-01T12:00:00", "--jobs", "4"}), reference);
  EXPECT_EQ(build(first, "c.dat", {"--stamp", "1714564800"}), reference);  // the same instant in Unix seconds
  EXPECT_EQ(build(second, "d.dat", {}, {{"SOURCE_DATE_EPOCH", "1714564800"}}), reference);
  EXPECT_EQ(build(first, "e.dat", {"--stamp", "2024-05-01T12:00:00"}, {{"SOURCE_DATE_EPOCH", "1"}}), reference);
  EXPECT_NE(build(first, "f.dat", {"--stamp", "2024-05-01T12:00:02"}), reference);

  TMemoryStream stream(reference);
  double expected = 0;
  ASSERT_TRUE(EncodeDateTime(TCivilTime{2024, 5, 1, 12}, expected));
  EXPECT_EQ(VerifyPackage(stream).Stamp, expected);
}

TEST_F(BuildTest, ProductVersionOptionOverridesSetupIni) {
  const fs::path data = temp_ / "Setup.dat";
  ASSERT_EQ(RunTool({"build", Arg(Staging()), "-o", Arg(data), "--data", "--product-version", "3.05 (press preview)"}).Code, 0);
  EXPECT_EQ(RunTool({"list", Arg(data)}).Out.substr(0, 25), "3.05 (press preview)\nD Ma");
}

}  // namespace
