#include "package/adler32.h"

#include <gtest/gtest.h>

#include <random>

#include "common/stream.h"

namespace {

const uint8_t kAbc[] = {'a', 'b', 'c'};

TEST(Adler32, KnownValueAndStartRule) {
  EXPECT_EQ(Adler32(1, kAbc, 3), 0x024D0127u);
  EXPECT_EQ(Adler32(0xDEADBEEF, nullptr, 0), 1u);
  EXPECT_EQ(Adler32(0xDEADBEEF, kAbc, 0), 0xDEADBEEFu);
  // Continued from a running value, in pieces.
  EXPECT_EQ(Adler32(Adler32(1, kAbc, 1), kAbc + 1, 2), 0x024D0127u);
}

TEST(Adler32, ModuloArithmeticOnLongRunsOfHighBytes) {
  std::vector<uint8_t> bytes(100000, 0xFF);
  uint32_t a = 1, b = 0;
  for (uint8_t byte : bytes) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  EXPECT_EQ(Adler32(1, bytes.data(), bytes.size()), b << 16 | a);
}

TEST(StreamAdler32, CountsOnlyWhatTheStreamHas) {
  std::vector<uint8_t> bytes(300000);
  std::mt19937 random(7);
  for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(random());
  TMemoryStream stream(bytes);
  stream.SetPosition(10);
  int64_t read = 0;
  EXPECT_EQ(StreamAdler32(stream, 5000, &read), Adler32(1, bytes.data() + 10, 5000));
  EXPECT_EQ(read, 5000);
  stream.SetPosition(0);
  EXPECT_EQ(StreamAdler32(stream, 1000000, &read), Adler32(1, bytes.data(), bytes.size()));
  EXPECT_EQ(read, 300000);
  EXPECT_EQ(StreamAdler32(stream, 0), 1u);
  EXPECT_EQ(StreamAdler32(stream, -5), 1u);
}

}  // namespace
