#include "verify_bench.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "common/stream.h"
#include "package/adler32.h"
#include "package/package_format.h"
#include "package/package_reader.h"
#include "platform/host/host_file_stream.h"
#include "support/interleaved_rounds.h"
#include "support/throughput_report.h"

namespace fs = std::filesystem;
namespace pf = package_format;

namespace {

std::vector<uint8_t> ReadWholeFile(const fs::path& path) {
  THostFileStream file(path, THostFileStream::Mode::Read);
  std::vector<uint8_t> bytes(static_cast<size_t>(file.Size()));
  file.ReadBuffer(bytes.data(), bytes.size());
  return bytes;
}

}  // namespace

void RunVerifyBench(std::ostream& out, const fs::path& package, int rounds) {
  const std::vector<uint8_t> bytes = ReadWholeFile(package);
  if (bytes.size() < static_cast<size_t>(pf::kHeaderSize)) throw std::runtime_error("the package is too short");
  const size_t dataLength = static_cast<size_t>(LoadInt32(bytes.data() + 8));
  const uint32_t checksum = LoadUInt32(bytes.data() + 12);
  if (pf::kHeaderSize + dataLength > bytes.size()) throw std::runtime_error("the package is cut short");

  uint32_t memorySum = 0;
  const std::vector<TContender> contenders = {
      {"VerifyPackage", {},
       [&] {
         THostFileStream stream(package, THostFileStream::Mode::Read);
         VerifyPackage(stream);
       },
       {}},
      {"adler32() in memory", {}, [&] { memorySum = Adler32(1, bytes.data() + pf::kHeaderSize, dataLength); },
       [&] {
         if (memorySum != checksum) throw std::runtime_error("adler32() disagrees with the package's checksum");
       }},
  };
  const std::vector<double> best = BestTimesOfInterleavedRounds(contenders, rounds);
  const double dataBytes = static_cast<double>(dataLength);
  out << "Verification throughput (MB/s of DataLength)\n"
         "  candidate: VerifyPackage on a THostFileStream of the file (checksum in blocks, then the tree walk)\n"
         "  baseline:  zlib adler32() over the same DataLength bytes, already in memory\n";
  PrintComparison(out, {"VerifyPackage on THostFileStream", dataBytes, best[0]},
                  {"zlib adler32() in memory (baseline)", dataBytes, best[1]});
  out << "\n";
}
