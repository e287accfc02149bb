// wizard_install_bench [--rounds N] SETUP SCRATCH
//
// A whole installation through the wizard under Wine (or Windows), against
// the setup logic's installation run in this process over the same package.
// Runs beside the package "Setup.dat" of the benchmark's staging tree (as
// engine_bench does); SETUP is the setup executable packed from the same tree.
//
// In interleaved rounds:
//   - the wizard: SETUP is started and walked, untimed, through Welcome and
//     License to the Destination Folder page, where SCRATCH\wizard is typed
//     in; timed is the click on "&Install" until the Ready page is shown and
//     drawn (the Copy page, the whole run with its progress display and its
//     status pauses, the Ready page);
//   - the engine: TSetupInstaller::Install with a silent progress sink into
//     SCRATCH\engine, the setup logic built beforehand.
// After every round the files are checked, then the folder, the product's
// registry keys and its uninstall entry are removed, so that no round sees
// an upgrade. Nothing passes or fails on time.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/errors.h"
#include "common/path.h"
#include "platform/win32/win32_platform.h"
#include "setuplogic/setup_installer.h"
#include "support/bench_command_line.h"
#include "support/installation_contender.h"
#include "support/interleaved_rounds.h"
#include "support/throughput_report.h"
#include "support/win32/child_program.h"
#include "wizard/main_form.h"
#include "wizard/win32/win32_wizard_window.h"

namespace fs = std::filesystem;

namespace {

// Far more than a page change or an installation of 200 MB takes; only a
// wizard that hangs or asks an unforeseen question reaches it.
constexpr double kPageTimeoutSeconds = 60;
constexpr double kRunTimeoutSeconds = 600;
// A few milliseconds of uncertainty in seconds of run; every status text
// stays for hundreds of milliseconds, so none is missed.
constexpr DWORD kRunPollMilliseconds = 5;

constexpr const char* kWizardClass = "TMainForm";

int IdOf(ControlId id) { return kFirstControlId + static_cast<int>(id); }

// What one wizard round saw of the run.
struct TWizardRound {
  std::vector<std::string> StatusTexts;  // the status label's texts, in order
};

class TWizardInstallation {
 public:
  TWizardInstallation(Platform& platform, fs::path setup, fs::path destination, const TPackageContents& contents,
                      std::string product)
      : platform_(platform), setup_(std::move(setup)), destination_(std::move(destination)), contents_(contents),
        product_(std::move(product)) {}

  // Untimed: a fresh setup walked to the Destination Folder page, the folder
  // typed in and the Install button checked.
  void Prepare() {
    fs::remove_all(destination_);
    child_ = std::make_unique<TChildProgram>(setup_);
    window_ = WaitForShownWindow(*child_, kWizardClass, IdOf(ControlId::WelcomeHeadingLabel), kPageTimeoutSeconds);
    HWND next = ControlOf(window_, IdOf(ControlId::NextButton));
    PostClick(next);
    WaitForShownControl(window_, IdOf(ControlId::LicenseHeadingLabel), kPageTimeoutSeconds);
    PostClick(next);
    WaitForShownControl(window_, IdOf(ControlId::DestHeadingLabel), kPageTimeoutSeconds);
    SetControlText(ControlOf(window_, IdOf(ControlId::DestFolderInput)), destination_.string());
    if (ControlText(next) != "&Install")
      throw std::runtime_error("the Destination Folder page's button reads \"" + ControlText(next) +
                               "\", not \"&Install\": the product shows more pages than Welcome, License, "
                               "Destination Folder, Copy and Ready");
    WaitUntilDrawn(window_, kPageTimeoutSeconds);
    install_ = next;
    status_ = ControlOf(window_, IdOf(ControlId::CopyStatusLabel));
    ready_ = ControlOf(window_, IdOf(ControlId::ReadyHeadingLabel));
  }

  // Timed: Install clicked, until the Ready page is drawn. The status label
  // is watched meanwhile: its texts are what the run paused for. The watch
  // looks every few milliseconds, not more often: each look is a request to
  // the wineserver, which the run needs for every file it makes.
  void Run() {
    std::string last = ControlText(status_);
    TWizardRound round;
    PostClick(install_);
    const TStopwatch watch;
    while (!IsWindowVisible(ready_)) {
      const std::string text = ControlText(status_);
      if (text != last) {
        round.StatusTexts.push_back(text);
        last = text;
      }
      if (child_->HasEnded()) throw std::runtime_error("the setup ended during the installation");
      if (watch.Seconds() > kRunTimeoutSeconds) throw std::runtime_error("the installation did not end in time");
      Sleep(kRunPollMilliseconds);
    }
    WaitUntilDrawn(window_, kPageTimeoutSeconds);
    rounds_.push_back(std::move(round));
  }

  void Finish() {
    child_.reset();
    CheckAndRemoveInstallation(platform_, destination_, contents_, product_);
  }

  const std::vector<TWizardRound>& Rounds() const { return rounds_; }

 private:
  Platform& platform_;
  const fs::path setup_, destination_;
  const TPackageContents& contents_;
  const std::string product_;
  std::unique_ptr<TChildProgram> child_;
  HWND window_ = nullptr, install_ = nullptr, status_ = nullptr, ready_ = nullptr;
  std::vector<TWizardRound> rounds_;
};

std::string Joined(const std::vector<std::string>& texts) {
  std::string joined;
  for (const std::string& text : texts) joined += (joined.empty() ? "\"" : ", \"") + text + "\"";
  return joined;
}

int Run(const fs::path& setup, const fs::path& scratch, int rounds) {
  TWin32Platform win32;
  Platform platform = win32.Bundle();
  const fs::path package = fs::path(ApplicationFolder(platform.Files)) / "Setup.dat";
  std::set<std::string> components;
  const TPackageContents contents = ComponentContentsOf(package, components);
  std::string product;
  bool callsLibraries = false;
  {
    const TSetupInstaller probe(platform);
    product = probe.FullProductName();
    callsLibraries = !probe.CallLibraries.empty();
  }

  const fs::path wizardFolder = scratch / "wizard", engineFolder = scratch / "engine";
  // Records of a run that was cut short would turn the first round into an
  // upgrade.
  RemoveInstallation(platform, wizardFolder, product);
  RemoveInstallation(platform, engineFolder, product);

  TWizardInstallation wizard(platform, setup, wizardFolder, contents, product);
  const std::vector<TContender> contenders = {
      {"wizard", [&] { wizard.Prepare(); }, [&] { wizard.Run(); }, [&] { wizard.Finish(); }},
      Installation(platform, engineFolder, contents),
  };
  const std::vector<std::vector<double>> times = TimesOfInterleavedRounds(contenders, rounds);
  fs::remove_all(scratch);

  // Every round's own pauses: a round that saw another number of status
  // texts than the others would be compared unfairly otherwise.
  std::vector<double> pauses, wizardWithoutPauses;
  size_t fewest = SIZE_MAX, most = 0;
  for (size_t i = 0; i < times[0].size(); ++i) {
    const size_t count = wizard.Rounds()[i].StatusTexts.size();
    fewest = std::min(fewest, count);
    most = std::max(most, count);
    pauses.push_back(count * kStatusPauseMilliseconds / 1000.0);
    wizardWithoutPauses.push_back(times[0][i] - pauses.back());
  }
  const double engineBest = BestOf(times[1]), engineMedian = MedianOf(times[1]);

  const double inflated = static_cast<double>(contents.InflatedBytes);
  std::cout << "Installation through the wizard under Wine (" << Grouped(contents.Files.size()) << " files, "
            << Grouped(static_cast<uint64_t>(inflated)) << " bytes of " << components.size()
            << " components; " << rounds << " interleaved rounds)\n"
            << "  candidate: " << setup.filename().string()
            << " walked to the Destination Folder page; timed from the click on \"&Install\" until\n"
               "             the Ready page is shown and drawn: the Copy page, the installation run with its\n"
               "             progress display, "
            << kStatusPauseMilliseconds << " ms of pause for every status text, the Ready page\n"
               "  baseline:  TSetupInstaller::Install in this process with a silent progress sink (engine_bench's\n"
               "             installation run), same package, same file system\n"
            << "  status texts seen in every round: "
            << (fewest == most ? std::to_string(most) : std::to_string(fewest) + " to " + std::to_string(most))
            << " (" << Joined(wizard.Rounds().front().StatusTexts)
            << ")\n    (\"Initializing components...\" comes only with [CallLibraries]; this product has "
            << (callsLibraries ? "some" : "none") << ")\n"
            << "  ratios are of times: above 1 means slower than the baseline\n";
  const double pauseBest = pauses[std::min_element(times[0].begin(), times[0].end()) - times[0].begin()];
  PrintTimeTable(std::cout, {
                                {"wizard, Install to Ready (measured)", BestOf(times[0]), MedianOf(times[0])},
                                {"status pauses (by design)", pauseBest, MedianOf(pauses)},
                                {"wizard minus pauses", BestOf(wizardWithoutPauses), MedianOf(wizardWithoutPauses)},
                                {"engine run (baseline)", engineBest, engineMedian},
                                {"ratio wizard minus pauses / engine", BestOf(wizardWithoutPauses) / engineBest,
                                 MedianOf(wizardWithoutPauses) / engineMedian, true},
                            });
  std::cout << "  every round, in order:\n";
  PrintRoundTimes(std::cout, "  wizard", times[0]);
  PrintRoundTimes(std::cout, "  wizard minus pauses", wizardWithoutPauses);
  PrintRoundTimes(std::cout, "  engine", times[1]);
  char rates[160];
  std::snprintf(rates, sizeof rates, "  best rates: wizard minus pauses %.1f MB/s, engine %.1f MB/s of inflated bytes\n",
                inflated / BestOf(wizardWithoutPauses) / 1e6, inflated / engineBest / 1e6);
  std::cout << rates;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const TBenchCommandLine line = ParseBenchCommandLine(argc, argv, 3);
  if (line.Operands.size() != 2) {
    std::cerr << "Usage: wizard_install_bench [--rounds N] SETUP SCRATCH  (beside the package Setup.dat)\n";
    return 2;
  }
  // Full Windows paths ("Z:\\..." for Unix paths under Wine): the wizard
  // takes only a fully qualified destination folder.
  return RunBenchmark("wizard_install_bench", [&] {
    return Run(fs::absolute(line.Operands[0]).make_preferred(), fs::absolute(line.Operands[1]).make_preferred(),
               line.Rounds);
  });
}
