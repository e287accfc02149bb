#include "win_test_folder.h"

#include <atomic>

namespace {

void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((folder + "*").c_str(), &data);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path + "\\");
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(search, &data));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

TTestFolder::TTestFolder() {
  static std::atomic<int> counter{0};
  char temp[MAX_PATH + 1];
  GetTempPathA(sizeof temp, temp);
  path_ = std::string(temp) + "setup-test-" + std::to_string(GetCurrentProcessId()) + "-" +
          std::to_string(counter++) + "\\";
  CreateDirectoryA(path_.c_str(), nullptr);
}

TTestFolder::~TTestFolder() { RemoveTree(path_); }

void WriteTestFile(const std::string& path, const std::string& content) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
}

std::string ReadTestFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<missing>";
  std::string content;
  char buffer[4096];
  DWORD got;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
  CloseHandle(file);
  return content;
}
