// Compressing file bodies into zlib streams at maximum compression.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One complete zlib stream (header 78 DA, deflate data, Adler-32 trailer) of
// the bytes. The same bytes always give the same stream.
std::vector<uint8_t> CompressZlib(const uint8_t* bytes, size_t count);
// Which compressor CompressZlib uses, for messages and benchmarks.
const char* CompressorName();
