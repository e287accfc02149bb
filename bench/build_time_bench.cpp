#include "build_time_bench.h"

#include <algorithm>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "commands/run_setuppack.h"
#include "package/zlib_compressor.h"
#include "support/c_file.h"
#include "support/interleaved_rounds.h"
#include "support/throughput_report.h"

namespace fs = std::filesystem;

namespace {

// Any fixed date: with it the package bytes depend on the tree alone.
constexpr const char* kStamp = "2024-01-01T00:00";

void Build(const fs::path& staging, const fs::path& output, int jobs) {
  std::ostringstream out, err;
  const TCommandContext context{out, err, [](const std::string&) { return std::optional<std::string>(); }, {}, false};
  // The check of the setup files is part of every real build, so it is
  // measured too; it reads only the small top-level files.
  const std::vector<std::string> args = {"build", staging.string(), "-o", output.string(), "--data",
                                         "--jobs", std::to_string(jobs), "--stamp", kStamp};
  if (RunSetuppack(args, context) != kExitSuccess) throw std::runtime_error("setuppack build failed: " + err.str());
}

uint64_t StagingBytes(const fs::path& staging) {
  uint64_t bytes = 0;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(staging))
    if (entry.is_regular_file()) bytes += entry.file_size();
  return bytes;
}

bool SameBytes(const fs::path& a, const fs::path& b) {
  if (fs::file_size(a) != fs::file_size(b)) return false;
  TCFile fileA(a, "rb"), fileB(b, "rb");
  std::vector<char> blockA(1 << 20), blockB(1 << 20);
  for (;;) {
    const size_t gotA = std::fread(blockA.data(), 1, blockA.size(), fileA.Get());
    const size_t gotB = std::fread(blockB.data(), 1, blockB.size(), fileB.Get());
    if (gotA != gotB || !std::equal(blockA.begin(), blockA.begin() + gotA, blockB.begin())) return false;
    if (gotA == 0) return true;
  }
}

}  // namespace

void RunBuildTimeBench(std::ostream& out, const fs::path& staging, const fs::path& output, int rounds) {
  const int cores = std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
  fs::path serialOutput = output;
  serialOutput += ".jobs1";
  const std::vector<TContender> contenders = {
      {"--jobs " + std::to_string(cores), {}, [&] { Build(staging, output, cores); }, {}},
      {"--jobs 1", {}, [&] { Build(staging, serialOutput, 1); }, {}},
  };
  const std::vector<double> best = BestTimesOfInterleavedRounds(contenders, rounds);
  const bool same = SameBytes(output, serialOutput);
  fs::remove(serialOutput);

  const double input = static_cast<double>(StagingBytes(staging));
  out << "setuppack build time (--data --stamp " << kStamp << ", compressor " << CompressorName() << ", "
      << cores << " cores; MB/s of input, " << Grouped(static_cast<uint64_t>(input)) << " bytes)\n";
  PrintComparison(out, {contenders[0].Name, input, best[0]}, {contenders[1].Name + " (baseline)", input, best[1]},
                  "speed-up --jobs " + std::to_string(cores) + " / --jobs 1");
  out << "  package " << Grouped(fs::file_size(output)) << " bytes; the two builds are "
      << (same ? "byte for byte the same" : "DIFFERENT: --jobs changed the package bytes") << "\n\n";
}
