// setuppack verify answers what a user's setup would: "OK", or the setup's
// own message.
#include <gtest/gtest.h>

#include <functional>

#include "common/stream.h"
#include "package/package_reader.h"
#include "setuppack_test_support.h"

namespace {

class VerifyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TStagingFiles files = SupportFiles(SoundSetupIni("1.16", {"Main"}));
    files["Main/Program.exe"] = std::string(20000, 'p');
    MakeStaging(temp_ / "staging", files);
    const std::vector<uint8_t> stub = FakeStub();
    WriteFile(temp_ / "stub.exe", std::string(stub.begin(), stub.end()));
    const TToolResult result = RunTool({"build", Arg(temp_ / "staging"), "-o", Arg(setup_), "--stub",
                                        Arg(temp_ / "stub.exe"), "--stamp", "2024-05-01"});
    ASSERT_EQ(result.Code, 0) << result.Err;
  }

  TTempFolder temp_;
  fs::path setup_ = temp_ / "Setup.exe";
};

TEST_F(VerifyTest, AcceptsASoundSetupAndWhatFollowsIt) {
  TToolResult result = RunTool({"verify", Arg(setup_)});
  EXPECT_EQ(result.Code, 0);
  EXPECT_EQ(result.Out, "OK\n");
  EXPECT_EQ(result.Err, "");

  // A code-signing table after the package is never read.
  WriteFile(setup_, ReadFile(setup_) + std::string(7, '\0') + std::string(600, 'S'));
  result = RunTool({"verify", Arg(setup_)});
  EXPECT_EQ(result.Code, 0) << result.Err;
}

TEST_F(VerifyTest, ReportsTheSetupsOwnMessageForADamagedFile) {
  const int package = 2048;  // the fake stub's size
  struct Case {
    const char* what;
    std::function<void(std::string&)> damage;
    std::string message;
  };
  const Case cases[] = {
      {"a flipped bit in a body", [](std::string& b) { b[b.size() - 200] ^= 0x40; }, kPackageCorrupted},
      {"a flipped bit in the version", [&](std::string& b) { b[package + 40] ^= 1; }, kPackageCorrupted},
      {"cut short", [](std::string& b) { b.resize(b.size() - 100); }, kPackageCorrupted},
      {"cut short right after the header", [&](std::string& b) { b.resize(package + 28); }, kPackageCorrupted},
      {"cut inside the header", [&](std::string& b) { b.resize(package + 20); }, "Stream read error"},
      {"a wrong signature", [&](std::string& b) { b[package + 3] = 'X'; }, kInvalidPackageSignature},
      {"an offset past the end", [](std::string& b) { StoreInt32(reinterpret_cast<uint8_t*>(b.data()) + 48, 1 << 30); }, "Stream read error"},
  };
  const std::string sound = ReadFile(setup_);
  for (const Case& c : cases) {
    std::string bytes = sound;
    c.damage(bytes);
    WriteFile(setup_, bytes);
    const TToolResult result = RunTool({"verify", Arg(setup_)});
    EXPECT_EQ(result.Code, 1) << c.what;
    EXPECT_EQ(result.Err, c.message + "\n") << c.what;
    EXPECT_EQ(result.Out, "") << c.what;
  }
}

TEST_F(VerifyTest, ABareStubWithoutSetupDatNamesTheMissingFile) {
  const fs::path lonely = temp_ / "Lonely.exe";
  fs::copy_file(temp_ / "stub.exe", lonely);
  const TToolResult result = RunTool({"verify", Arg(lonely)});
  EXPECT_EQ(result.Code, 1);
  EXPECT_EQ(result.Err.rfind("Cannot open file \"" + Arg(temp_ / "Setup.dat") + "\". ", 0), 0u) << result.Err;
}

}  // namespace
