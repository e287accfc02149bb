#include "package/zlib_compressor.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

std::vector<uint8_t> Inflated(const std::vector<uint8_t>& stream, size_t size) {
  std::vector<uint8_t> out(size + 1);
  uLongf length = static_cast<uLongf>(out.size());
  EXPECT_EQ(uncompress(out.data(), &length, stream.data(), static_cast<uLong>(stream.size())), Z_OK);
  out.resize(length);
  return out;
}

// A compressor that a worker keeps for all its files must not carry
// anything of one stream into the next: the streams are those of a fresh
// compressor each, whatever came before, the empty one included.
TEST(ZlibCompressor, StreamsDoNotDependOnWhatTheCompressorDidBefore) {
  const std::vector<std::vector<uint8_t>> inputs = {
      Bytes(std::string(70000, 'x')), Bytes(""), Bytes("short text"),
      Bytes(std::string(5000, 'a') + "tail" + std::string(5000, 'b')), Bytes("short text")};
  TZlibCompressor reused;
  for (const auto& input : inputs) {
    const std::vector<uint8_t> stream = reused.Compress(input.data(), input.size());
    EXPECT_EQ(stream, CompressZlib(input.data(), input.size())) << input.size() << " bytes";
    ASSERT_GE(stream.size(), 2u);
    EXPECT_EQ(stream[0], 0x78);
    EXPECT_EQ(stream[1], 0xDA);
    EXPECT_EQ(Inflated(stream, input.size()), input);
  }
}

}  // namespace
