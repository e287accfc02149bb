// The setup files' check as setuppack build and check run it: findings on
// standard error as FILE:LINE lines, errors refusing the build before any
// output exists, warnings letting it go on unless --strict is given.
#include <gtest/gtest.h>

#include <cctype>

#include "setuppack_test_support.h"

namespace {

// Lines 1 to 7: [Setup] with ProductVersion, RegistryRoot, DefaultFolder;
// [Components] with Main.
const std::string kSound = SoundSetupIni("1.16", {"Main"});
// RegistryRoot missing: an error on line 1.
const std::string kNoRegistryRoot = "[Setup]\r\nProductVersion=1.16\r\nDefaultFolder=Tool\r\n[Components]\r\nMain=$ProgramFolder\r\n";

struct RunCase {
  const char* what;
  std::string setupIni;
  TStagingFiles extra;                // added to the product
  std::vector<std::string> command;   // "build" or "check" and its options; the staging folder follows
  int code;
  bool written;                       // build: whether the output exists afterwards
  std::vector<std::string> err;       // parts of standard error
  std::string out;                    // check: standard output
};

void PrintTo(const RunCase& c, std::ostream* os) { *os << c.what; }

class SetupCheckRun : public ::testing::TestWithParam<RunCase> {};

TEST_P(SetupCheckRun, ReportsAndDecides) {
  const RunCase& c = GetParam();
  TTempFolder temp;
  TStagingFiles files = SupportFiles(c.setupIni);
  files["Main/Program.exe"] = "program";
  files.insert(c.extra.begin(), c.extra.end());
  MakeStaging(temp / "staging", files);
  fs::create_directory(temp / "out");
  const fs::path output = temp / "out/Setup.dat";

  std::vector<std::string> args = c.command;
  args.push_back(Arg(temp / "staging"));
  if (c.command[0] == "build") args.insert(args.end(), {"-o", Arg(output), "--data", "--stamp", "2024-05-01"});
  const TToolResult result = RunTool(args);

  EXPECT_EQ(result.Code, c.code) << result.Err;
  for (const std::string& part : c.err) EXPECT_NE(result.Err.find(part), std::string::npos) << part << "\n" << result.Err;
  if (c.err.empty()) {
    EXPECT_EQ(result.Err, "");
  }
  if (c.command[0] == "build") {
    EXPECT_EQ(fs::exists(output), c.written);
    if (!c.written) {
      EXPECT_TRUE(fs::is_empty(temp / "out")) << "a temporary file is left";
    }
  } else {
    EXPECT_EQ(result.Out, c.out);
  }
}

std::vector<RunCase> Cases() {
  const TStagingFiles unused = {{"Docs/Guide.txt", "guide"}};
  const std::string unusedWarning = "/Setup.ini:6: warning: the top-level folder \"Docs\" is packed";
  return {
      {"build of a sound product", kSound, {}, {"build"}, 0, true, {}, ""},
      {"build with an error", kNoRegistryRoot, {}, {"build"}, 1, false,
       {"/Setup.ini:1: error: [Setup] has no RegistryRoot", "setuppack build: 1 error in the setup files; nothing was written"}, ""},
      {"build with a warning", kSound, unused, {"build"}, 0, true, {unusedWarning}, ""},
      {"strict build with a warning", kSound, unused, {"build", "--strict"}, 1, false,
       {unusedWarning, "1 warning in the setup files (--strict makes warnings errors); nothing was written"}, ""},
      {"build with errors and warnings", kNoRegistryRoot, unused, {"build"}, 1, false,
       {"1 error and 1 warning in the setup files"}, ""},
      {"build without the check", kNoRegistryRoot, unused, {"build", "--no-check"}, 0, true, {}, ""},
      {"build that is strict and unchecked", kSound, {}, {"build", "--strict", "--no-check"}, 2, false, {"contradict"}, ""},
      {"check of a sound product", kSound, {}, {"check"}, 0, false, {}, "OK\n"},
      {"check with a warning", kSound, unused, {"check"}, 0, false, {unusedWarning}, "OK, 1 warning in the setup files\n"},
      {"strict check with a warning", kSound, unused, {"check", "--strict"}, 1, false,
       {unusedWarning, "setuppack check: 1 warning in the setup files (--strict makes warnings errors)"}, ""},
      {"check with an error", kNoRegistryRoot, {}, {"check"}, 1, false, {"/Setup.ini:1: error:"}, ""},
  };
}

INSTANTIATE_TEST_SUITE_P(Table, SetupCheckRun, ::testing::ValuesIn(Cases()), [](const auto& info) {
  std::string name;
  for (const char c : std::string(info.param.what)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
});

TEST(SetupCheckRun, TheExampleProductsBuildWithoutFindings) {
  for (const char* example : {SETUP_DEMO_DIR, SETUP_STUDIO_DIR}) {
    SCOPED_TRACE(example);
    TTempFolder temp;
    const TToolResult result =
        RunTool({"build", example, "-o", Arg(temp / "Setup.dat"), "--data", "--strict", "--stamp", "2024-05-01"});
    EXPECT_EQ(result.Code, 0) << result.Err;
    EXPECT_EQ(result.Err, "");
  }
}

}  // namespace
