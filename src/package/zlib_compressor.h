// Compressing file bodies into zlib streams at maximum compression.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct libdeflate_compressor;

// A compressor for many streams in a row on one thread: it keeps its working
// memory from one stream to the next. Whoever compresses on a thread owns one
// for as long as the thread works; the state lives in no thread-local object,
// because the MinGW runtime may free such an object's storage before it runs
// the object's destructor when the thread ends.
class TZlibCompressor {
 public:
  TZlibCompressor();
  ~TZlibCompressor();
  TZlibCompressor(const TZlibCompressor&) = delete;
  TZlibCompressor& operator=(const TZlibCompressor&) = delete;

  // One complete zlib stream (header 78 DA, deflate data, Adler-32 trailer)
  // of the bytes. The same bytes always give the same stream, whatever the
  // compressor compressed before.
  std::vector<uint8_t> Compress(const uint8_t* bytes, size_t count);

 private:
  libdeflate_compressor* libdeflate_ = nullptr;  // null when zlib does the work
};

// The stream of TZlibCompressor::Compress, from a compressor of its own.
std::vector<uint8_t> CompressZlib(const uint8_t* bytes, size_t count);
// Which compressor CompressZlib uses, for messages and benchmarks.
const char* CompressorName();
