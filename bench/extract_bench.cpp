#include "extract_bench.h"

#include "package/package_reader.h"
#include "platform/host/host_file_stream.h"
#include "reader_extraction.h"
#include "support/extracted_tree_check.h"
#include "support/interleaved_rounds.h"
#include "support/package_contents.h"
#include "support/plain_inflate.h"
#include "support/throughput_report.h"

namespace fs = std::filesystem;

void RunExtractBench(std::ostream& out, const fs::path& package, const fs::path& scratch, int rounds) {
  TPackageInfo info;
  TPackageContents contents;
  {
    THostFileStream stream(package, THostFileStream::Mode::Read);
    info = VerifyPackage(stream);
    contents = ListPackageContents(stream, info);
  }
  const fs::path readerFolder = scratch / "reader", plainFolder = scratch / "plain";
  const std::vector<TContender> contenders = {
      Extraction("reader", readerFolder, contents, [&] { ExtractWithPackageReader(package, info, readerFolder); }),
      Extraction("plain", plainFolder, contents, [&] { PlainInflateToDisk(package, contents, plainFolder); }),
  };
  const std::vector<double> best = BestTimesOfInterleavedRounds(contenders, rounds);
  fs::remove_all(scratch);

  const double inflated = static_cast<double>(contents.InflatedBytes);
  out << "Inflate-to-disk throughput (MB/s of inflated bytes; " << Grouped(contents.Files.size()) << " files in "
      << Grouped(contents.Folders.size()) << " folders, not synced to disk)\n"
      << "  candidate: TPackageLevel walk + InflateEntry into a THostFileStream per file\n"
         "  baseline:  plain zlib loop, inflateInit/inflate/fwrite with 64 KiB buffers, same streams at the\n"
         "             same offsets of the same file, offsets listed beforehand (untimed)\n";
  PrintComparison(out, {"InflateEntry to THostFileStream", inflated, best[0]},
                  {"plain zlib inflate loop (baseline)", inflated, best[1]});
  out << "\n";
}
