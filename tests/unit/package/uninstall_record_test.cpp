#include "package/uninstall_record.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/stream.h"
#include "memory_file_system.h"

namespace {

std::vector<uint8_t> Record(const std::vector<std::string>& items, const std::string& data, const char* version = "2.10") {
  TProgramVersion v;
  v.ParseVersion(version);
  TMemoryStream out;
  WriteUninstallRecord(out, v, items, reinterpret_cast<const uint8_t*>(data.data()), data.size());
  return out.Bytes();
}

TUninstallRecord Read(const std::vector<uint8_t>& bytes) {
  TMemoryStream in(bytes);
  return ReadUninstallRecord(in);
}

std::string ErrorOf(const std::vector<uint8_t>& bytes) {
  try {
    Read(bytes);
  } catch (const Exception& e) {
    return e.Message();
  }
  return "";
}

TEST(UninstallRecord, LayoutAndRoundTrip) {
  const auto bytes = Record({"EC:\\Program Files\\", "DC:\\Program Files\\Prod\\", "FC:\\Program Files\\Prod\\a.txt"},
                            "Prod");
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), "QZ/UNS/3");
  const int32_t textLength = LoadInt32(bytes.data() + 53);
  EXPECT_EQ(LoadInt32(bytes.data() + 57), 4);
  EXPECT_EQ(bytes.size(), 61u + textLength + 4);
  EXPECT_EQ(std::string(bytes.end() - 6, bytes.end()), "\r\nProd");

  const TUninstallRecord record = Read(bytes);
  EXPECT_EQ(record.Version.VersionText(), "2.10");
  EXPECT_EQ(record.Items, (std::vector<std::string>{"EC:\\Program Files\\", "DC:\\Program Files\\Prod\\",
                                                    "FC:\\Program Files\\Prod\\a.txt"}));
  EXPECT_EQ(std::string(record.Data.begin(), record.Data.end()), "Prod");
}

TEST(UninstallRecord, EmptyTextAndData) {
  const TUninstallRecord record = Read(Record({}, ""));
  EXPECT_TRUE(record.Items.empty());
  EXPECT_TRUE(record.Data.empty());
}

TEST(UninstallRecord, LinesEndAtCrLfLoneCrOrLoneLfAndANulEndsTheText) {
  auto bytes = Record({}, "X");
  const std::string text = std::string("Fa\r\nFb\rFc\nFd\r\n\r\nFe") + '\0' + "Fignored\r\n";
  bytes.resize(53);
  TMemoryStream out(bytes);
  out.Seek(0, SeekOrigin::End);
  out.WriteInt32(static_cast<int32_t>(text.size()));
  out.WriteInt32(1);
  out.WriteText(text + "X");
  const TUninstallRecord record = Read(out.Bytes());
  EXPECT_EQ(record.Items, (std::vector<std::string>{"Fa", "Fb", "Fc", "Fd", "", "Fe"}));
  EXPECT_EQ(record.Data, std::vector<uint8_t>{'X'});
}

TEST(UninstallRecord, DamagedRecords) {
  const auto good = Record({"FC:\\a"}, "Prod");
  struct Case {
    const char* what;
    void (*damage)(std::vector<uint8_t>&);
    const char* message;
  };
  const Case cases[] = {
      {"signature", [](auto& b) { b[3] = 'X'; }, "Invalid uninstall data signature"},
      {"version markers", [](auto& b) { b[28] = 0; }, "Invalid version number on stream"},
      {"cut inside the header", [](auto& b) { b.resize(20); }, "Stream read error"},
      {"cut inside the text", [](auto& b) { b.resize(63); }, "Stream read error"},
      {"negative TextLength", [](auto& b) { StoreInt32(b.data() + 53, -1); }, "Stream read error"},
      {"huge TextLength", [](auto& b) { StoreInt32(b.data() + 53, 0x7FFFFFFF); }, "Stream read error"},
      {"huge DataLength", [](auto& b) { StoreInt32(b.data() + 57, 0x7FFFFFF0); }, "Stream read error"},
      {"negative DataLength", [](auto& b) { StoreInt32(b.data() + 57, -4); }, "Stream read error"},
  };
  for (const Case& c : cases) {
    auto bytes = good;
    c.damage(bytes);
    EXPECT_EQ(ErrorOf(bytes), c.message) << c.what;
  }
  // The reserved bytes are not read.
  auto bytes = good;
  bytes[8] = 0xAA;
  bytes[27] = 0xBB;
  EXPECT_EQ(ErrorOf(bytes), "");
}

TEST(OpenUninstallRecord, AppendedOrSideFile) {
  TMemoryFileSystem files;
  files.SetExecutablePath("C:\\Prod\\Uninst.exe");
  std::vector<uint8_t> exe(300, 0);
  exe[0] = 'M';
  StoreInt32(exe.data() + 48, 300);
  StoreInt32(exe.data() + 52, 1);
  const auto record = Record({"FC:\\Prod\\x"}, "Appended");
  exe.insert(exe.end(), record.begin(), record.end());
  files.AddFile("C:\\Prod\\Uninst.exe", exe);
  {
    auto stream = OpenUninstallRecord(files);
    const auto read = ReadUninstallRecord(*stream);
    EXPECT_EQ(std::string(read.Data.begin(), read.Data.end()), "Appended");
  }
  StoreInt32(exe.data() + 48, 0);
  files.AddFile("C:\\Prod\\Uninst.exe", exe);
  files.AddFile("C:\\Prod\\Uninstall.dat", Record({}, "Side"));
  auto stream = OpenUninstallRecord(files);
  const auto read = ReadUninstallRecord(*stream);
  EXPECT_EQ(std::string(read.Data.begin(), read.Data.end()), "Side");
}

}  // namespace
