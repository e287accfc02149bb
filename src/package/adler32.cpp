#include "package/adler32.h"

#include <zlib.h>

#include <algorithm>
#include <vector>

#include "common/stream.h"

uint32_t Adler32(uint32_t running, const uint8_t* bytes, size_t count) {
  if (bytes == nullptr) return 1;
  uLong value = running;
  while (count > 0) {
    const uInt chunk = static_cast<uInt>(std::min<size_t>(count, 1u << 30));
    value = adler32(value, bytes, chunk);
    bytes += chunk;
    count -= chunk;
  }
  return static_cast<uint32_t>(value);
}

uint32_t StreamAdler32(TStream& stream, int64_t count, int64_t* bytesRead) {
  // Larger blocks than the classic 4 KiB give the same sum with far fewer
  // reads of the executable; nothing of the package stays in memory.
  constexpr size_t kBlockSize = 256 * 1024;
  uint32_t value = Adler32(0, nullptr, 0);
  int64_t total = 0;
  std::vector<uint8_t> block(count > 0 ? static_cast<size_t>(std::min<int64_t>(count, kBlockSize)) : 0);
  while (count > 0) {
    const size_t wanted = static_cast<size_t>(std::min<int64_t>(count, kBlockSize));
    const size_t got = stream.Read(block.data(), wanted);
    if (got == 0) break;
    value = Adler32(value, block.data(), got);
    total += static_cast<int64_t>(got);
    count -= static_cast<int64_t>(got);
  }
  if (bytesRead != nullptr) *bytesRead = total;
  return value;
}
