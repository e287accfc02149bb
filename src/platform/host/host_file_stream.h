// File streams through the C runtime, for the packing tool, the tests and the
// benchmarks (the setup program itself uses the Windows file layer).
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "common/stream.h"

class THostFileStream : public TStream {
 public:
  enum class Mode { Read, Create, ReadWrite };
  // Raises EFOpenError / EFCreateError naming the file and the reason.
  THostFileStream(const std::filesystem::path& path, Mode mode);
  ~THostFileStream() override;

  size_t Read(void* buffer, size_t count) override;
  size_t Write(const void* buffer, size_t count) override;
  int64_t Seek(int64_t offset, SeekOrigin origin) override;
  // Flushes and closes; raises EWriteError when buffered data cannot be written.
  void Close();

 private:
  std::FILE* file_ = nullptr;
};

// The UTF-8 text of a path, for messages.
std::string PathText(const std::filesystem::path& path);
