#include "common/path.h"

#include "platform/file_system.h"

namespace {

size_t LastDelimiter(const std::string& path) { return path.find_last_of("\\:"); }

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

bool IsDriveRootedPath(const std::string& path) {
  return path.size() >= 3 && IsLetter(path[0]) && path[1] == ':' && path[2] == '\\';
}

bool IsNetworkPath(const std::string& path) { return path.size() > 2 && path[0] == '\\' && path[1] == '\\'; }

std::string IncludeDelimiter(const std::string& path) {
  if (path.empty() || path.back() == '\\') return path;
  return path + "\\";
}

std::string ExcludeDelimiter(const std::string& path) {
  if (!path.empty() && path.back() == '\\') return path.substr(0, path.size() - 1);
  return path;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  return IncludeDelimiter(folder) + name;
}

std::string JoinPath3(const std::string& folder, const std::string& name1, const std::string& name2) {
  return JoinPath(JoinPath(folder, name1), name2);
}

std::string ExtractFilePath(const std::string& path) {
  const size_t at = LastDelimiter(path);
  return at == std::string::npos ? std::string() : path.substr(0, at + 1);
}

std::string ExtractFileName(const std::string& path) {
  const size_t at = LastDelimiter(path);
  return at == std::string::npos ? path : path.substr(at + 1);
}

std::string ExtractFileExt(const std::string& path) {
  const std::string name = ExtractFileName(path);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string FileBaseName(const std::string& path) {
  const std::string name = ExtractFileName(path);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string ApplicationFolder(FileSystem& files) { return ExtractFilePath(files.ExecutablePath()); }

int EnsureRange(int value, int low, int high) {
  if (value < low) value = low;
  if (value > high) value = high;
  return value;
}

int Min(int a, int b) { return a < b ? a : b; }
