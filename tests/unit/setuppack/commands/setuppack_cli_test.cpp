// The real setuppack program: its exit codes, which stream says what, and the
// environment it reads.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "common/date_time.h"
#include "common/stream.h"
#include "package/package_reader.h"
#include "setuppack_test_support.h"

namespace {

class SetuppackProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    TStagingFiles files = SupportFiles(SoundSetupIni("1.16", {"Main"}));
    files["Main/Program.exe"] = std::string(1000, 'p');
    MakeStaging(temp_ / "Caf\xC3\xA9 staging", files);
    const std::vector<uint8_t> stub = FakeStub();
    WriteFile(temp_ / "stub.exe", std::string(stub.begin(), stub.end()));
  }

  // Runs the program through the shell; "%T" in the command stands for the
  // temporary folder.
  TToolResult Run(std::string command) {
    for (size_t at; (at = command.find("%T")) != std::string::npos;) command.replace(at, 2, "'" + Arg(temp_.Path()) + "'");
    const std::string line = std::string("'") + SETUPPACK_PROGRAM + "' " + command + " >'" + Arg(temp_ / "stdout") +
                             "' 2>'" + Arg(temp_ / "stderr") + "'";
    const int status = std::system(line.c_str());
    TToolResult result;
    result.Code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.Out = ReadFile(temp_ / "stdout");
    result.Err = ReadFile(temp_ / "stderr");
    return result;
  }

  TTempFolder temp_;
};

TEST_F(SetuppackProgram, AnswersWithExitCodesAndKeepsResultsAndErrorsApart) {
  struct Case {
    std::string command;
    int code;
    bool out, err;  // whether each stream has something to say
  };
  const Case cases[] = {
      {"--help", 0, true, false},
      {"build --help", 0, true, false},
      {"list --help", 0, true, false},
      {"verify --help", 0, true, false},
      {"extract --help", 0, true, false},
      {"check --help", 0, true, false},
      {"", 2, false, true},
      {"pack", 2, false, true},
      {"build", 2, false, true},
      {"build %T/'Caf\xC3\xA9 staging' -o %T/Setup.exe --stub %T/stub.exe --stamp 2024-05-01", 0, true, false},
      {"check %T/'Caf\xC3\xA9 staging'", 0, true, false},
      {"check %T/nothing", 1, false, true},
      {"verify %T/Setup.exe", 0, true, false},
      {"list %T/Setup.exe", 0, true, false},
      {"extract %T/Setup.exe -C %T/out main", 0, true, false},
      {"verify %T/stub.exe", 1, false, true},
      {"list %T/nothing.exe", 1, false, true},
      {"build %T/nothing -o %T/x.dat --data", 1, false, true},
      {"list", 2, false, true},
  };
  for (const Case& c : cases) {
    const TToolResult result = Run(c.command);
    EXPECT_EQ(result.Code, c.code) << c.command << "\n" << result.Err;
    EXPECT_EQ(!result.Out.empty(), c.out) << c.command << "\n" << result.Out;
    EXPECT_EQ(!result.Err.empty(), c.err) << c.command << "\n" << result.Err;
  }
  const TToolResult help = Run("--help");
  for (const char* command : {"build", "check", "list", "verify", "extract"})
    EXPECT_NE(help.Out.find(std::string("  ") + command + " "), std::string::npos) << command;
  EXPECT_EQ(ReadFile(temp_ / "out/Main/Program.exe"), std::string(1000, 'p'));
}

TEST_F(SetuppackProgram, ReadsSourceDateEpochFromItsEnvironment) {
  const TToolResult result = Run("build %T/'Caf\xC3\xA9 staging' -o %T/Setup.dat --data");
  ASSERT_EQ(result.Code, 0) << result.Err;
  const std::string line = "SOURCE_DATE_EPOCH=315532800 '" + std::string(SETUPPACK_PROGRAM) + "' build '" +
                           Arg(temp_ / "Caf\xC3\xA9 staging") + "' -o '" + Arg(temp_ / "Setup.dat") + "' --data >/dev/null";
  ASSERT_EQ(std::system(line.c_str()), 0);
  TMemoryStream stream(ReadBytes(temp_ / "Setup.dat"));
  double expected = 0;
  ASSERT_TRUE(EncodeDateTime(TCivilTime{1980, 1, 1}, expected));
  EXPECT_EQ(VerifyPackage(stream).Stamp, expected);
}

}  // namespace
