// Pseudo-random numbers that are the same on every compiler and system, so
// that the benchmark's product tree has the same bytes wherever it is made
// (the standard library's distributions are not specified bit for bit).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

class TDeterministicRandom {
 public:
  explicit TDeterministicRandom(uint64_t seed) : state_(seed) {}

  // SplitMix64: one addition and a few mixes per number, good enough for
  // test data and fast enough to fill tens of megabytes.
  uint64_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }

  // A number in [0, bound), bound > 0, by multiply and shift (no division).
  uint32_t Below(uint32_t bound) { return static_cast<uint32_t>(((Next() >> 32) * bound) >> 32); }

  // A number in [low, high].
  uint32_t Between(uint32_t low, uint32_t high) { return low + Below(high - low + 1); }

  // Small numbers far more often than large ones, as words and values are in
  // real text: the skew is what makes the text compress like prose.
  uint32_t Skewed(uint32_t bound) { return Below(Below(bound) + 1); }

  void Fill(uint8_t* bytes, size_t count) {
    while (count >= 8) {
      const uint64_t value = Next();
      std::memcpy(bytes, &value, 8);
      bytes += 8;
      count -= 8;
    }
    if (count > 0) {
      const uint64_t value = Next();
      std::memcpy(bytes, &value, count);
    }
  }

 private:
  uint64_t state_;
};

// A seed for a named thing (FNV-1a of the name), so that each file's content
// depends only on its own path, not on the order in which files are made.
inline uint64_t SeedOf(std::string_view name) {
  uint64_t hash = 0xCBF29CE484222325ull;
  for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ull;
  return hash;
}
