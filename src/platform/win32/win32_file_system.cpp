#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include "common/errors.h"
#include "platform/win32/win32_errors.h"
#include "platform/win32/win32_handle.h"

namespace {

class TWin32FileStream : public TStream {
 public:
  explicit TWin32FileStream(THandle handle) : handle_(std::move(handle)) {}

  size_t Read(void* buffer, size_t count) override {
    size_t total = 0;
    while (total < count) {
      DWORD chunk = static_cast<DWORD>(count - total > 0x40000000 ? 0x40000000 : count - total), got = 0;
      if (!ReadFile(handle_.Get(), static_cast<char*>(buffer) + total, chunk, &got, nullptr) || got == 0) break;
      total += got;
    }
    return total;
  }

  size_t Write(const void* buffer, size_t count) override {
    size_t total = 0;
    while (total < count) {
      DWORD chunk = static_cast<DWORD>(count - total > 0x40000000 ? 0x40000000 : count - total), put = 0;
      if (!WriteFile(handle_.Get(), static_cast<const char*>(buffer) + total, chunk, &put, nullptr) || put == 0)
        break;
      total += put;
    }
    return total;
  }

  HANDLE Handle() const { return handle_.Get(); }

  int64_t Seek(int64_t offset, SeekOrigin origin) override {
    const DWORD method = origin == SeekOrigin::Begin ? FILE_BEGIN : origin == SeekOrigin::Current ? FILE_CURRENT : FILE_END;
    LARGE_INTEGER distance, result;
    distance.QuadPart = offset;
    if (!SetFilePointerEx(handle_.Get(), distance, &result, method))
      throw EStreamError("Cannot set the file position. " + SystemErrorMessage(GetLastError()));
    return result.QuadPart;
  }

 private:
  THandle handle_;
};

class TWin32Search : public FileSearch {
 public:
  TWin32Search(HANDLE handle, const WIN32_FIND_DATAA& data) : handle_(handle) { Take(data); }
  ~TWin32Search() override { FindClose(handle_); }
  const TFindEntry& Current() const override { return current_; }
  bool Next() override {
    WIN32_FIND_DATAA data;
    if (!FindNextFileA(handle_, &data)) return false;
    Take(data);
    return true;
  }

 private:
  void Take(const WIN32_FIND_DATAA& data) {
    current_.Name = data.cFileName;
    current_.Attributes = data.dwFileAttributes;
  }
  HANDLE handle_;
  TFindEntry current_;
};

}  // namespace

std::unique_ptr<TStream> TWin32FileSystem::OpenRead(const std::string& path) {
  THandle handle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle.Valid()) throw FileOpenError(path, SystemErrorMessage(GetLastError()));
  return std::make_unique<TWin32FileStream>(std::move(handle));
}

std::unique_ptr<TStream> TWin32FileSystem::Create(const std::string& path) {
  THandle handle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle.Valid()) {
    const DWORD error = GetLastError();
    throw FileCreateError(path, SystemErrorMessage(error),
                          error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION);
  }
  return std::make_unique<TWin32FileStream>(std::move(handle));
}

bool TWin32FileSystem::FileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool TWin32FileSystem::FolderExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FolderCreation TWin32FileSystem::CreateFolder(const std::string& path) {
  if (CreateDirectoryA(path.c_str(), nullptr)) return FolderCreation::Created;
  return GetLastError() == ERROR_ALREADY_EXISTS ? FolderCreation::AlreadyExists : FolderCreation::Failed;
}

bool TWin32FileSystem::RemoveFolder(const std::string& path) { return RemoveDirectoryA(path.c_str()) != 0; }

bool TWin32FileSystem::RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool TWin32FileSystem::GetAttributes(const std::string& path, uint32_t& attributes) {
  const DWORD value = GetFileAttributesA(path.c_str());
  if (value == INVALID_FILE_ATTRIBUTES) return false;
  attributes = value;
  return true;
}

bool TWin32FileSystem::SetAttributes(const std::string& path, uint32_t attributes) {
  return SetFileAttributesA(path.c_str(), attributes) != 0;
}

bool TWin32FileSystem::GetLastWriteTime(const std::string& path, uint32_t& dosDateTime) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  FILETIME local;
  WORD date, time;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      !FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToDosDateTime(&local, &date, &time))
    return false;
  dosDateTime = static_cast<uint32_t>(date) << 16 | time;
  return true;
}

bool TWin32FileSystem::SetLastWriteTime(TStream& createdFile, uint32_t dosDateTime) {
  auto* file = dynamic_cast<TWin32FileStream*>(&createdFile);
  FILETIME local, universal;
  return file != nullptr &&
         DosDateTimeToFileTime(static_cast<WORD>(dosDateTime >> 16), static_cast<WORD>(dosDateTime), &local) &&
         LocalFileTimeToFileTime(&local, &universal) && SetFileTime(file->Handle(), nullptr, nullptr, &universal);
}

std::unique_ptr<FileSearch> TWin32FileSystem::FindFirst(const std::string& mask) {
  WIN32_FIND_DATAA data;
  HANDLE handle = FindFirstFileA(mask.c_str(), &data);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<TWin32Search>(handle, data);
}

bool TWin32FileSystem::FreeBytes(const std::string& root, uint64_t& bytes) {
  ULARGE_INTEGER available, total, free;
  if (!GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free)) return false;
  bytes = available.QuadPart;
  return true;
}

std::string TWin32FileSystem::TempFolder() {
  char buffer[MAX_PATH + 1];
  const DWORD length = GetTempPathA(sizeof buffer, buffer);
  return length == 0 || length > MAX_PATH ? std::string() : std::string(buffer, length);
}

std::string TWin32FileSystem::ExecutablePath() {
  char buffer[MAX_PATH + 1];
  const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  return std::string(buffer, length);
}
