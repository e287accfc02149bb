#include "support/c_file.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

std::string Describe(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return "\"" + std::string(text.begin(), text.end()) + "\"";
}

}  // namespace

TCFile::TCFile(const std::filesystem::path& path, const char* mode) : path_(path) {
#ifdef _WIN32
  const std::wstring wideMode(mode, mode + std::strlen(mode));
  file_ = _wfopen(path.c_str(), wideMode.c_str());
#else
  file_ = std::fopen(path.c_str(), mode);
#endif
  if (file_ == nullptr) throw std::runtime_error("cannot open " + Describe(path) + ": " + std::strerror(errno));
}

TCFile::~TCFile() {
  if (file_ != nullptr) std::fclose(file_);
}

void TCFile::SeekTo(int64_t offset) {
#ifdef _WIN32
  const int result = _fseeki64(file_, offset, SEEK_SET);
#else
  const int result = fseeko(file_, offset, SEEK_SET);
#endif
  if (result != 0) throw std::runtime_error("cannot seek in " + Describe(path_));
}

void TCFile::WriteAll(const void* bytes, size_t count) {
  if (std::fwrite(bytes, 1, count, file_) != count) throw std::runtime_error("cannot write " + Describe(path_));
}

void TCFile::Close() {
  std::FILE* file = file_;
  file_ = nullptr;
  if (file != nullptr && std::fclose(file) != 0) throw std::runtime_error("cannot write " + Describe(path_));
}
