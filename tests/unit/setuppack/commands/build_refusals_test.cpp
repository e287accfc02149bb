// What setuppack build refuses, and that a refusal leaves the output as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cctype>
#include <functional>

#include "common/stream.h"
#include "setuppack_test_support.h"

namespace {

const TStagingFiles kProduct = {
    {"Setup.ini", "[Setup]\r\nProductVersion=1.16\r\n"},
    {"Main/Program.exe", "program"},
};

struct RefusalCase {
  const char* what;
  TStagingFiles extra;                                   // added to kProduct
  std::function<void(const fs::path& staging)> prepare;  // changes the staging tree further
  std::vector<std::string> options;                      // after build STAGING -o OUT
  std::map<std::string, std::string> environment;
  int code;
  std::string message;  // a part of the message on stderr
};

void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.what; }

std::vector<uint8_t> StubWithWord(int offset, int32_t value) {
  std::vector<uint8_t> stub = FakeStub();
  StoreInt32(stub.data() + offset, value);
  return stub;
}

std::vector<uint8_t> SignedStub() {
  std::vector<uint8_t> stub = FakeStub();
  const size_t certificateEntry = 128 + 4 + 20 + 96 + 4 * 8;
  StoreInt32(stub.data() + certificateEntry, 2000);
  StoreInt32(stub.data() + certificateEntry + 4, 48);
  return stub;
}

std::vector<uint8_t> Truncated(size_t size) {
  std::vector<uint8_t> stub = FakeStub();
  stub.resize(size);
  return stub;
}

std::vector<uint8_t> PeHeaderAt(uint32_t offset) {
  std::vector<uint8_t> stub = FakeStub();
  StoreUInt32(stub.data() + 0x3C, offset);
  return stub;
}

void Remove(const fs::path& path) { fs::remove(path); }

class BuildRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(BuildRefusal, IsReportedAndLeavesTheOutputUntouched) {
  const RefusalCase& c = GetParam();
  TTempFolder temp;
  const fs::path staging = temp / "staging";
  TStagingFiles files = kProduct;
  files.insert(c.extra.begin(), c.extra.end());
  MakeStaging(staging, files);
  if (c.prepare) c.prepare(staging);
  const fs::path output = temp / "out" / "Setup.exe";
  WriteFile(output, "the previous setup");

  std::vector<std::string> args = {"build", Arg(staging), "-o", Arg(output)};
  args.insert(args.end(), c.options.begin(), c.options.end());
  for (std::string& arg : args)
    if (arg.rfind("STUB:", 0) == 0) arg = Arg(temp / arg.substr(5));
  const TToolResult result = RunTool(args, c.environment);

  EXPECT_EQ(result.Code, c.code) << result.Err;
  EXPECT_NE(result.Err.find(c.message), std::string::npos) << result.Err;
  EXPECT_EQ(result.Out, "");
  EXPECT_EQ(ReadFile(output), "the previous setup");
  EXPECT_EQ(std::distance(fs::directory_iterator(temp / "out"), fs::directory_iterator()), 1) << "a temporary file is left";
}

std::vector<RefusalCase> Cases() {
  const auto stub = [](std::vector<uint8_t> bytes) {
    return [bytes](const fs::path& staging) {
      WriteFile(staging.parent_path() / "stub.exe", std::string(bytes.begin(), bytes.end()));
    };
  };
  const std::vector<std::string> withStub = {"--stub", "STUB:stub.exe"};
  return {
      {"missing Setup.ini", {}, [](const fs::path& s) { Remove(s / "Setup.ini"); }, {"--data"}, {}, 1, "no Setup.ini"},
      {"Setup.ini only as a folder", {}, [](const fs::path& s) { Remove(s / "Setup.ini"); fs::create_directory(s / "Setup.ini"); }, {"--data"}, {}, 1, "no Setup.ini"},
      {"name of 64 bytes", {{"Main/" + std::string(60, 'x') + ".txt", ""}}, nullptr, {"--data"}, {}, 1, "64 bytes long"},
      {"name of 64 bytes after conversion", {{"Main/" + std::string(31, 'x') + "\xC3\xA9" + std::string(32, 'x'), ""}}, nullptr, {"--data"}, {}, 1, "64 bytes"},
      {"character outside Windows-1252", {{"Main/\xC4\x80.txt", ""}}, nullptr, {"--data"}, {}, 1, "Windows-1252"},
      {"name that is no UTF-8", {{"Main/\xE9t\xE9.txt", ""}}, nullptr, {"--data"}, {}, 1, "Windows-1252"},
      {"letter-case collision", {{"Main/Readme.txt", ""}, {"Main/README.TXT", ""}}, nullptr, {"--data"}, {}, 1, "differ only in letter case"},
      {"accented letter-case collision", {{"Main/\xC3\xA9.txt", ""}, {"Main/\xC3\x89.txt", ""}}, nullptr, {"--data"}, {}, 1, "differ only in letter case"},
      {"folder and file collide", {}, [](const fs::path& s) { WriteFile(s / "MAIN", ""); }, {"--data"}, {}, 1, "letter case"},
      {"device name", {{"Main/Sub/con.txt", ""}}, nullptr, {"--data"}, {}, 1, "device name"},
      {"forbidden character", {{"Main/what?.txt", ""}}, nullptr, {"--data"}, {}, 1, "forbids"},
      {"trailing dot", {{"Main/name.", ""}}, nullptr, {"--data"}, {}, 1, "ends in a dot"},
      {"symbolic link", {}, [](const fs::path& s) { fs::create_symlink("/etc/passwd", s / "Main/passwd"); }, {"--data"}, {}, 1, "symbolic link"},
      {"link inside the tree", {}, [](const fs::path& s) { fs::create_directory_symlink(s / "Main", s / "Main2"); }, {"--data"}, {}, 1, "symbolic link"},
      {"special file", {}, [](const fs::path& s) { mkfifo((s / "Main/pipe").c_str(), 0600); }, {"--data"}, {}, 1, "special file"},
      {"file of 2 GiB", {}, [](const fs::path& s) { WriteFile(s / "Main/big.bin", ""); fs::resize_file(s / "Main/big.bin", uint64_t{1} << 31); }, {"--data"}, {}, 1, "2 GiB"},
      {"no product version", {}, [](const fs::path& s) { WriteFile(s / "Setup.ini", "[Setup]\r\nProductName=X\r\n"); }, {"--data"}, {}, 1, "ProductVersion"},
      {"version from another section", {}, [](const fs::path& s) { WriteFile(s / "Setup.ini", "[Other]\r\nProductVersion=1.0\r\n"); }, {"--data"}, {}, 1, "ProductVersion"},
      {"invalid version in Setup.ini", {}, [](const fs::path& s) { WriteFile(s / "Setup.ini", "[Setup]\r\nProductVersion=x.1\r\n"); }, {"--data"}, {}, 1, "'x.1' is not a valid version number"},
      {"invalid --product-version", {}, nullptr, {"--data", "--product-version", ".5"}, {}, 2, "'.5' is not a valid version number"},
      {"stamp before 1980", {}, nullptr, {"--data", "--stamp", "1979-12-31T23:59:59"}, {}, 2, "1980 to 2107"},
      {"stamp after 2107", {}, nullptr, {"--data", "--stamp", "2108-01-01"}, {}, 2, "1980 to 2107"},
      {"stamp that is no date", {}, nullptr, {"--data", "--stamp", "2024-02-30"}, {}, 2, "no valid date"},
      {"stamp in another format", {}, nullptr, {"--data", "--stamp", "01.05.2024"}, {}, 2, "YYYY-MM-DD"},
      {"SOURCE_DATE_EPOCH that is no number", {}, nullptr, {"--data"}, {{"SOURCE_DATE_EPOCH", "2024-05-01"}}, 1, "SOURCE_DATE_EPOCH"},
      {"SOURCE_DATE_EPOCH before 1980", {}, nullptr, {"--data"}, {{"SOURCE_DATE_EPOCH", "0"}}, 1, "1980 to 2107"},
      {"stub that already carries a package", {}, stub(StubWithWord(48, 5000)), withStub, {}, 1, "already carries a package; use the bare"},
      {"uninstaller copy as stub", {}, stub(StubWithWord(52, 1)), withStub, {}, 1, "uninstaller copy"},
      {"code-signed stub", {}, stub(SignedStub()), withStub, {}, 1, "code-signed"},
      {"stub without MZ", {}, stub(std::vector<uint8_t>(512, 'x')), withStub, {}, 1, "not a Windows program"},
      {"stub cut short before its PE header", {}, stub(Truncated(130)), withStub, {}, 1, "not a Windows PE program"},
      {"stub whose PE header overlaps the DOS header", {}, stub(PeHeaderAt(40)), withStub, {}, 1, "not a Windows PE program"},
      {"missing stub", {}, nullptr, withStub, {}, 1, "Cannot open file"},
      {"output given twice", {}, nullptr, {"--data", "-o", "x"}, {}, 2, "given twice"},
      {"--data with --stub", {}, stub(FakeStub()), {"--data", "--stub", "STUB:stub.exe"}, {}, 2, "--data"},
      {"--jobs 0", {}, nullptr, {"--data", "--jobs", "0"}, {}, 2, "--jobs"},
      {"--jobs that is no number", {}, nullptr, {"--data", "--jobs", "many"}, {}, 2, "--jobs"},
      {"unknown option", {}, nullptr, {"--data", "--fast"}, {}, 2, "unknown option \"--fast\""},
      {"option without its value", {}, nullptr, {"--data", "--stamp"}, {}, 2, "needs a value"},
      {"second staging folder", {}, nullptr, {"--data", "other"}, {}, 2, "one STAGING_DIR"},
  };
}

INSTANTIATE_TEST_SUITE_P(Table, BuildRefusal, ::testing::ValuesIn(Cases()), [](const auto& info) {
  std::string name;
  for (const char c : std::string(info.param.what)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
});

TEST(BuildOutput, IsRefusedInsideTheStagingFolderAndWhenItIsAFolder) {
  TTempFolder temp;
  MakeStaging(temp / "staging", kProduct);
  TToolResult result = RunTool({"build", Arg(temp / "staging"), "-o", Arg(temp / "staging/Main/Setup.dat"), "--data"});
  EXPECT_EQ(result.Code, 1);
  EXPECT_NE(result.Err.find("inside the staging folder"), std::string::npos) << result.Err;
  EXPECT_FALSE(fs::exists(temp / "staging/Main/Setup.dat"));

  fs::create_directory(temp / "folder");
  result = RunTool({"build", Arg(temp / "staging"), "-o", Arg(temp / "folder"), "--data"});
  EXPECT_EQ(result.Code, 1);
  EXPECT_NE(result.Err.find("is a folder"), std::string::npos) << result.Err;
}

}  // namespace
