// engine_bench [--rounds N] SCRATCH
//
// Runs under Wine (or Windows) beside the package "Setup.dat" of the
// benchmark's staging tree, as a setup program without a package of its own
// would. Against the plain zlib inflate-to-disk loop over the same streams,
// in the same run and on the same file system, it measures
//   - the installer engine extracting every component into SCRATCH, and
//   - the whole installation run of the setup logic (free-space check,
//     extraction, records, registry, the uninstaller copy) into SCRATCH.
// Nothing passes or fails on time.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <set>

#include "common/errors.h"
#include "common/path.h"
#include "package/installer.h"
#include "platform/win32/win32_platform.h"
#include "support/bench_command_line.h"
#include "support/extracted_tree_check.h"
#include "support/installation_contender.h"
#include "support/interleaved_rounds.h"
#include "support/package_contents.h"
#include "support/plain_inflate.h"
#include "support/throughput_report.h"

namespace fs = std::filesystem;

namespace {

int Run(const fs::path& scratch, int rounds) {
  TWin32Platform win32;
  Platform platform = win32.Bundle();
  const fs::path package = fs::path(ApplicationFolder(platform.Files)) / "Setup.dat";

  std::set<std::string> components;
  const TPackageContents contents = ComponentContentsOf(package, components);

  // Verification runs once, when the engine is made, as in a real setup.
  TInstaller installer(platform);
  const fs::path engineFolder = scratch / "engine", plainFolder = scratch / "plain";
  const std::vector<TContender> contenders = {
      Extraction("engine", engineFolder, contents,
                 [&] {
                   for (const std::string& component : components)
                     installer.ExtractComponent(component, (engineFolder / component).string(), 0);
                   installer.UninstallItems.clear();
                 }),
      Extraction("plain", plainFolder, contents, [&] { PlainInflateToDisk(package, contents, plainFolder); }),
  };
  const std::vector<double> best = BestTimesOfInterleavedRounds(contenders, rounds);
  const std::vector<TContender> runs = {
      Installation(platform, scratch / "installation", contents),
      Extraction("plain", plainFolder, contents, [&] { PlainInflateToDisk(package, contents, plainFolder); }),
  };
  const std::vector<double> bestRuns = BestTimesOfInterleavedRounds(runs, rounds);
  fs::remove_all(scratch);

  const double inflated = static_cast<double>(contents.InflatedBytes);
  std::cout << "Extraction under Wine (MB/s of inflated bytes; " << Grouped(contents.Files.size())
            << " files of " << components.size() << " components, best of " << rounds << " interleaved rounds)\n"
            << "  candidate: TInstaller::ExtractComponent on the Windows file layer (folders recorded, files\n"
               "             dated, read-only attributes checked: all it does in a real installation)\n"
               "  baseline:  plain zlib loop, inflateInit/inflate/fwrite with 64 KiB buffers, same streams\n";
  PrintComparison(std::cout, {"TInstaller::ExtractComponent", inflated, best[0]},
                  {"plain zlib inflate loop (baseline)", inflated, best[1]});
  std::cout << "\nInstallation run under Wine (MB/s of inflated bytes, best of " << rounds
            << " interleaved rounds)\n"
               "  candidate: TSetupInstaller::Install: free-space check, every component, version records,\n"
               "             the uninstaller copy with its record and the uninstall entry\n"
               "  baseline:  the same plain zlib loop over the components' streams\n";
  PrintComparison(std::cout, {"TSetupInstaller::Install", inflated, bestRuns[0]},
                  {"plain zlib inflate loop (baseline)", inflated, bestRuns[1]});
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const TBenchCommandLine line = ParseBenchCommandLine(argc, argv, 3);
  if (line.Operands.size() != 1) {
    std::cerr << "Usage: engine_bench [--rounds N] SCRATCH  (beside the package Setup.dat)\n";
    return 2;
  }
  // A full Windows path ("Z:\\..." for a Unix path under Wine): the
  // installation run asks the free space of the folder's drive.
  return RunBenchmark("engine_bench",
                      [&] { return Run(fs::absolute(line.Operands[0]).make_preferred(), line.Rounds); });
}
