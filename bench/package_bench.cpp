// package_bench STAGING WORK [--rounds N] [--build-rounds N] [--reuse-package]
//
// Packs the staging tree with setuppack, then measures reading that package:
// verification and extraction to disk. Every figure comes with a baseline
// measured in the same run and the ratio between them, because this machine
// is shared and noisy; nothing passes or fails on time.
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>

#include "build_time_bench.h"
#include "extract_bench.h"
#include "support/staging_generator.h"
#include "verify_bench.h"

namespace fs = std::filesystem;

namespace {

struct TBenchOptions {
  fs::path Staging, Work;
  // Reading takes seconds and the disk is the noisiest part; the builds take
  // long enough that fewer rounds settle them.
  int Rounds = 5;
  int BuildRounds = 3;
  bool ReusePackage = false;
};

[[noreturn]] void Usage() {
  std::cerr << "Usage: package_bench STAGING WORK [--rounds N] [--build-rounds N] [--reuse-package]\n"
               "  STAGING          the tree made by bench_staging\n"
               "  WORK             where the package and the scratch folders go\n"
               "  --reuse-package  skip the build benchmark and read WORK/Setup.dat as it is\n";
  std::exit(2);
}

int Count(const char* text) {
  const int value = std::atoi(text);
  if (value < 1 || value > 100) Usage();
  return value;
}

TBenchOptions ParseOptions(int argc, char** argv) {
  TBenchOptions options;
  int operands = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc)
      options.Rounds = Count(argv[++i]);
    else if (std::strcmp(argv[i], "--build-rounds") == 0 && i + 1 < argc)
      options.BuildRounds = Count(argv[++i]);
    else if (std::strcmp(argv[i], "--reuse-package") == 0)
      options.ReusePackage = true;
    else if (argv[i][0] == '-' || operands == 2)
      Usage();
    else
      (operands++ == 0 ? options.Staging : options.Work) = argv[i];
  }
  if (operands != 2) Usage();
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  const TBenchOptions options = ParseOptions(argc, argv);
  try {
    if (!IsStagingTreeComplete(options.Staging))
      throw std::runtime_error("no complete staging tree at \"" + options.Staging.string() + "\": run bench_staging");
    fs::create_directories(options.Work);
    const fs::path package = options.Work / "Setup.dat";

    std::cout << "Package benchmarks on " << std::thread::hardware_concurrency()
              << " cores. MB = 10^6 bytes. Each figure is the best of its rounds; in every round the\n"
                 "candidate and its baseline run one after the other, every other round in reverse order.\n"
                 "The package file is warm in the page cache: dropping the cache is not possible here.\n\n";
    if (!options.ReusePackage) RunBuildTimeBench(std::cout, options.Staging, package, options.BuildRounds);
    std::cout << "Reading " << package.string() << ", best of " << options.Rounds << " rounds each:\n\n";
    RunVerifyBench(std::cout, package, options.Rounds);
    RunExtractBench(std::cout, package, options.Work / "scratch", options.Rounds);
    return 0;
  } catch (const std::exception& error) {
    std::cerr << "package_bench: " << error.what() << "\n";
    return 1;
  }
}
