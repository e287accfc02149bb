#include "package/pe_image.h"

#include <gtest/gtest.h>

#include "common/stream.h"

namespace {

// A minimal PE header: DOS header, "PE\0\0", file header, optional header with
// 16 data directories.
std::vector<uint8_t> Image(uint16_t magic, uint32_t certOffset, uint32_t certSize) {
  const size_t pe = 0x80;
  const size_t optionalSize = magic == 0x10B ? 224 : 240;
  std::vector<uint8_t> bytes(pe + 24 + optionalSize, 0);
  bytes[0] = 'M';
  bytes[1] = 'Z';
  StoreUInt32(bytes.data() + 0x3C, pe);
  bytes[pe] = 'P';
  bytes[pe + 1] = 'E';
  bytes[pe + 20] = static_cast<uint8_t>(optionalSize);
  bytes[pe + 21] = static_cast<uint8_t>(optionalSize >> 8);
  const size_t optional = pe + 24;
  bytes[optional] = static_cast<uint8_t>(magic);
  bytes[optional + 1] = static_cast<uint8_t>(magic >> 8);
  const size_t count = magic == 0x10B ? 92 : 108, directories = magic == 0x10B ? 96 : 112;
  StoreUInt32(bytes.data() + optional + count, 16);
  StoreUInt32(bytes.data() + optional + directories + 32, certOffset);
  StoreUInt32(bytes.data() + optional + directories + 36, certSize);
  return bytes;
}

TEST(FindCertificateDirectory, Pe32AndPe32Plus) {
  for (uint16_t magic : {uint16_t{0x10B}, uint16_t{0x20B}}) {
    const auto bytes = Image(magic, 0x12345, 0x678);
    const auto found = FindCertificateDirectory(bytes.data(), bytes.size());
    ASSERT_TRUE(found.has_value()) << magic;
    EXPECT_EQ(found->TableOffset, 0x12345u);
    EXPECT_EQ(found->TableSize, 0x678u);
    EXPECT_EQ(LoadUInt32(bytes.data() + found->EntryOffset), 0x12345u);
  }
}

TEST(FindCertificateDirectory, RefusesWhatIsNoPeImage) {
  auto bytes = Image(0x10B, 1, 1);
  struct Case {
    const char* what;
    void (*damage)(std::vector<uint8_t>&);
  };
  const Case cases[] = {
      {"no MZ", [](auto& b) { b[0] = 'X'; }},
      {"e_lfanew past the end", [](auto& b) { StoreUInt32(b.data() + 0x3C, 0xFFFFFFF0); }},
      {"no PE signature", [](auto& b) { b[0x81] = 'X'; }},
      {"unknown magic", [](auto& b) { b[0x80 + 24] = 0x07; }},
      {"too few directories", [](auto& b) { StoreUInt32(b.data() + 0x80 + 24 + 92, 4); }},
      {"optional header too small", [](auto& b) { b[0x80 + 20] = 100; b[0x80 + 21] = 0; }},
      {"cut short", [](auto& b) { b.resize(0x80 + 24 + 100); }},
  };
  for (const Case& c : cases) {
    auto damaged = bytes;
    c.damage(damaged);
    EXPECT_FALSE(FindCertificateDirectory(damaged.data(), damaged.size()).has_value()) << c.what;
  }
  EXPECT_FALSE(FindCertificateDirectory(bytes.data(), 10).has_value());
}

}  // namespace
