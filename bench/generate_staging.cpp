// bench_staging ROOT: makes the benchmarks' product tree at ROOT unless a
// complete one of the current layout is there already.
#include <cstdio>
#include <exception>

#include "support/staging_generator.h"
#include "support/staging_layout.h"
#include "support/throughput_report.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: bench_staging ROOT\n");
    return 2;
  }
  try {
    const bool made = EnsureStagingTree(argv[1]);
    const TStagingTotals totals = TotalsOf(StagingLayout());
    std::printf("%s the staging tree %s: %s files in %s folders, %s bytes (%s incompressible)\n",
                made ? "Generated" : "Reusing", argv[1], Grouped(totals.Files).c_str(),
                Grouped(totals.Folders).c_str(), Grouped(totals.Bytes).c_str(),
                Grouped(totals.IncompressibleBytes).c_str());
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "bench_staging: %s\n", error.what());
    return 1;
  }
}
