// engine_bench [--rounds N] SCRATCH
//
// Runs under Wine (or Windows) beside the package "Setup.dat" of the
// benchmark's staging tree, as a setup program without a package of its own
// would. It measures the installer engine extracting every component of the
// package into SCRATCH against the plain zlib inflate-to-disk loop over the
// same streams, in the same run, on the same file system. Nothing passes or
// fails on time.
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
#include "platform/host/host_file_stream.h"
#include "platform/win32/win32_platform.h"
#include "support/extracted_tree_check.h"
#include "support/interleaved_rounds.h"
#include "support/package_contents.h"
#include "support/plain_inflate.h"
#include "support/throughput_report.h"

namespace fs = std::filesystem;

namespace {

// The components' part of the package: the engine extracts components, not
// the top-level support files.
TPackageContents ComponentContents(const TPackageContents& all, std::set<std::string>& components) {
  TPackageContents part;
  for (const fs::path& folder : all.Folders) {
    part.Folders.push_back(folder);
    components.insert(folder.begin()->string());
  }
  for (const TPackedFile& file : all.Files) {
    if (std::distance(file.RelativePath.begin(), file.RelativePath.end()) < 2) continue;
    part.Files.push_back(file);
    part.InflatedBytes += file.Size;
  }
  return part;
}

TContender Extraction(const char* name, const fs::path& destination, const TPackageContents& contents,
                      std::function<void()> run) {
  return {name,
          [destination] {
            fs::remove_all(destination);
            fs::create_directories(destination);
          },
          std::move(run),
          [destination, &contents] {
            CheckExtractedTree(destination, contents);
            fs::remove_all(destination);
          }};
}

int Run(const fs::path& scratch, int rounds) {
  TWin32Platform win32;
  Platform platform = win32.Bundle();
  const fs::path package = fs::path(ApplicationFolder(platform.Files)) / "Setup.dat";

  TPackageContents all;
  {
    THostFileStream stream(package, THostFileStream::Mode::Read);
    const TPackageInfo info = VerifyPackage(stream);
    all = ListPackageContents(stream, info);
  }
  std::set<std::string> components;
  const TPackageContents contents = ComponentContents(all, components);

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
  fs::remove_all(scratch);

  const double inflated = static_cast<double>(contents.InflatedBytes);
  std::cout << "Extraction under Wine (MB/s of inflated bytes; " << Grouped(contents.Files.size())
            << " files of " << components.size() << " components, best of " << rounds << " interleaved rounds)\n"
            << "  candidate: TInstaller::ExtractComponent on the Windows file layer (folders recorded, files\n"
               "             dated, read-only attributes checked: all it does in a real installation)\n"
               "  baseline:  plain zlib loop, inflateInit/inflate/fwrite with 64 KiB buffers, same streams\n";
  PrintComparison(std::cout, {"TInstaller::ExtractComponent", inflated, best[0]},
                  {"plain zlib inflate loop (baseline)", inflated, best[1]});
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = 3;
  fs::path scratch;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc)
      rounds = std::max(1, std::atoi(argv[++i]));
    else
      scratch = argv[i];
  }
  if (scratch.empty()) {
    std::cerr << "Usage: engine_bench [--rounds N] SCRATCH  (beside the package Setup.dat)\n";
    return 2;
  }
  try {
    return Run(scratch, rounds);
  } catch (const Exception& e) {
    std::cerr << "engine_bench: " << e.Message() << "\n";
  } catch (const std::exception& e) {
    std::cerr << "engine_bench: " << e.what() << "\n";
  }
  return 1;
}
