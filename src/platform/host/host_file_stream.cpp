#include "platform/host/host_file_stream.h"

#include <cerrno>
#include <cstring>

#include "common/errors.h"

namespace {

std::FILE* OpenFile(const std::filesystem::path& path, const char* mode) {
#ifdef _WIN32
  std::wstring wideMode(mode, mode + std::strlen(mode));
  return _wfopen(path.c_str(), wideMode.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

}  // namespace

std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

THostFileStream::THostFileStream(const std::filesystem::path& path, Mode mode) {
  const char* modes[] = {"rb", "w+b", "r+b"};
  file_ = OpenFile(path, modes[static_cast<int>(mode)]);
  if (file_ == nullptr) {
    const std::string reason = std::strerror(errno);
    if (mode == Mode::Create) throw FileCreateError(PathText(path), reason);
    throw FileOpenError(PathText(path), reason);
  }
}

THostFileStream::~THostFileStream() {
  if (file_ != nullptr) std::fclose(file_);
}

void THostFileStream::Close() {
  if (file_ == nullptr) return;
  const int result = std::fclose(file_);
  file_ = nullptr;
  if (result != 0) throw EWriteError(kStreamWriteError);
}

size_t THostFileStream::Read(void* buffer, size_t count) { return std::fread(buffer, 1, count, file_); }

size_t THostFileStream::Write(const void* buffer, size_t count) { return std::fwrite(buffer, 1, count, file_); }

int64_t THostFileStream::Seek(int64_t offset, SeekOrigin origin) {
  const int whence = origin == SeekOrigin::Begin ? SEEK_SET : origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END;
#ifdef _WIN32
  if (_fseeki64(file_, offset, whence) != 0) throw EStreamError("Cannot set the file position");
  return _ftelli64(file_);
#else
  if (fseeko(file_, offset, whence) != 0) throw EStreamError("Cannot set the file position");
  return ftello(file_);
#endif
}
