// C runtime files for the benchmark tools: the plain baseline must use
// nothing but the C library and zlib, and this opens paths beyond the ANSI
// code page on Windows too.
#pragma once

#include <cstdio>
#include <filesystem>

// Owns an open std::FILE; the constructor raises std::runtime_error naming
// the file when it cannot be opened.
class TCFile {
 public:
  TCFile(const std::filesystem::path& path, const char* mode);
  ~TCFile();
  TCFile(const TCFile&) = delete;
  TCFile& operator=(const TCFile&) = delete;

  std::FILE* Get() const { return file_; }
  // Moves to an absolute offset; raises std::runtime_error when it cannot.
  void SeekTo(int64_t offset);
  // Writes everything or raises std::runtime_error.
  void WriteAll(const void* bytes, size_t count);
  // Closes and raises std::runtime_error when buffered data could not be written.
  void Close();

 private:
  std::FILE* file_;
  std::filesystem::path path_;
};
