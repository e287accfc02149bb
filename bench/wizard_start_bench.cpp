// wizard_start_bench [--rounds N] SETUP PLAIN_WINDOW
//
// Start-up to the first page under Wine (or Windows). In interleaved rounds
// it starts the benchmark product's setup executable SETUP and, as the
// baseline, PLAIN_WINDOW (a window with one button, same toolchain and
// flags), and measures each from CreateProcess until its window is on the
// screen, drawn and idle: for the setup the wizard with its Welcome page.
// The setup verifies its whole package (an Adler-32 over every byte) before
// the first page, so the verification is inside the measured time.
//
// For a breakdown, the same rounds measure parts of that start-up alone in
// this process: the verification of SETUP's package, and, from the package
// "Setup.dat" beside this program (the same tree packed alone), building the
// setup logic (verification, settings, detection) and loading the side
// image. Nothing passes or fails on time.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "common/errors.h"
#include "common/path.h"
#include "package/package_format.h"
#include "package/package_locator.h"
#include "package/package_reader.h"
#include "plain_window.h"
#include "platform/win32/win32_platform.h"
#include "setuplogic/setup_installer.h"
#include "support/bench_command_line.h"
#include "support/interleaved_rounds.h"
#include "support/throughput_report.h"
#include "support/win32/child_program.h"
#include "wizard/win32/win32_wizard_window.h"

namespace fs = std::filesystem;

namespace {

// Far more than a start-up takes; only a program that hangs reaches it.
constexpr double kTimeoutSeconds = 60;
// What a user of the 200 MB product should wait at most for the first page.
constexpr double kGoalSeconds = 1.0;

constexpr int kWelcomeHeadingId = kFirstControlId + static_cast<int>(ControlId::WelcomeHeadingLabel);

// Starts the program and waits for its window; the program is ended after
// the timed part.
TContender StartUp(const std::string& name, const fs::path& program, const char* windowClass, int controlId) {
  auto child = std::make_shared<std::unique_ptr<TChildProgram>>();
  return {name,
          {},
          [child, program, windowClass, controlId] {
            *child = std::make_unique<TChildProgram>(program);
            WaitForShownWindow(**child, windowClass, controlId, kTimeoutSeconds);
          },
          [child] { child->reset(); }};
}

// What the setup's start-up does to its package before the first page,
// alone: open the executable, find the package and verify it, through the
// same Windows file layer.
TContender Verification(TWin32FileSystem& files, const fs::path& setup) {
  const std::string path = fs::absolute(setup).make_preferred().string();
  return {"verification", {}, [&files, path] {
            auto executable = files.OpenRead(path);
            const int32_t offset = ReadHeaderWord(*executable, package_format::kPackageOffsetWord);
            if (offset <= 0) throw std::runtime_error(path + " carries no package");
            executable->SetPosition(offset);
            VerifyPackage(*executable);
          }, {}};
}

int Run(const fs::path& setup, const fs::path& plain, int rounds) {
  TWin32Platform win32;
  Platform platform = win32.Bundle();
  if (!fs::is_regular_file(fs::path(ApplicationFolder(platform.Files)) / "Setup.dat"))
    throw std::runtime_error("no Setup.dat beside wizard_start_bench.exe");
  std::unique_ptr<TSetupInstaller> logic;
  const std::vector<TContender> contenders = {
      StartUp(setup.filename().string(), setup, "TMainForm", kWelcomeHeadingId),
      StartUp(plain.filename().string(), plain, kPlainWindowClass, kPlainButtonId),
      Verification(win32.Files, setup),
      {"setup logic", {}, [&] { logic = std::make_unique<TSetupInstaller>(platform); }, {}},
      {"side image", {}, [&] { logic->LoadSideImage(); }, {}},
  };
  // One untimed round first: the programs and the package come into the
  // page cache, where every later round finds them, as a user's second look
  // at a downloaded setup does.
  TimesOfInterleavedRounds(contenders, 1);
  const std::vector<std::vector<double>> times = TimesOfInterleavedRounds(contenders, rounds);

  const std::string setupName = setup.filename().string(), plainName = plain.filename().string();
  const uint64_t setupBytes = fs::file_size(setup);
  std::cout << "Start-up to the first page under Wine (seconds from CreateProcess until the window is visible,\n"
               "painted and idle; "
            << rounds << " interleaved rounds after one untimed round)\n"
            << "  candidate: " << setupName << ", the 200 MB product's setup (" << Grouped(setupBytes)
            << " bytes), until the wizard shows its\n"
               "             Welcome page (WelcomeHeadingLabel visible, no update region left, WM_NULL answered).\n"
               "             Start-up verifies the package's Adler-32 over all its bytes before the first page:\n"
               "             the verification is INSIDE the measured time.\n"
            << "  baseline:  " << plainName
            << ", a static GUI program of the same toolchain and flags: one window, one button\n"
               "  parts of the setup's start-up, each alone in this process, through the same Windows file layer:\n"
               "             verification: open the setup, find its package, Adler-32 over all of it\n"
               "             setup logic:  TSetupInstaller built on Setup.dat (verification, Setup.ini, Setup.lic,\n"
               "                           folders and an earlier installation looked up)\n"
               "             side image:   Setup.jpg found in the package and decoded\n"
               "  ratios are of times: above 1 means slower than the baseline\n";
  const double setupBest = BestOf(times[0]), setupMedian = MedianOf(times[0]);
  const double plainBest = BestOf(times[1]), plainMedian = MedianOf(times[1]);
  PrintTimeTable(std::cout, {
                                {setupName + " to the Welcome page", setupBest, setupMedian},
                                {plainName + " to its window (baseline)", plainBest, plainMedian},
                                {"ratio setup / baseline", setupBest / plainBest, setupMedian / plainMedian, true},
                                {"setup minus baseline", setupBest - plainBest, setupMedian - plainMedian},
                                {"part: verification", BestOf(times[2]), MedianOf(times[2])},
                                {"part: setup logic", BestOf(times[3]), MedianOf(times[3])},
                                {"part: side image", BestOf(times[4]), MedianOf(times[4])},
                            });
  std::cout << "  every round, in order:\n";
  const char* const names[] = {"setup", "baseline", "verification", "setup logic", "side image"};
  for (size_t i = 0; i < times.size(); ++i) PrintRoundTimes(std::cout, std::string("  ") + names[i], times[i]);
  char goal[200];
  std::snprintf(goal, sizeof goal,
                "  goal: the first page in under %.1f s for the 200 MB product, verification included:\n"
                "        best %.3f s, median %.3f s: the median is %s the goal\n",
                kGoalSeconds, setupBest, setupMedian, setupMedian < kGoalSeconds ? "within" : "OVER");
  std::cout << goal;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const TBenchCommandLine line = ParseBenchCommandLine(argc, argv, 5);
  if (line.Operands.size() != 2) {
    std::cerr << "Usage: wizard_start_bench [--rounds N] SETUP PLAIN_WINDOW  (beside the package Setup.dat)\n";
    return 2;
  }
  return RunBenchmark("wizard_start_bench", [&] { return Run(line.Operands[0], line.Operands[1], line.Rounds); });
}
