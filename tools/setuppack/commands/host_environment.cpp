#include "commands/host_environment.h"

#include <algorithm>
#include <cstdlib>

#ifdef _WIN32
// windows.h first: shellapi.h builds on its declarations.
#include <windows.h>
#include <io.h>
#include <shellapi.h>
#else
#include <unistd.h>
#endif

#include "platform/host/host_file_stream.h"

namespace fs = std::filesystem;

#ifdef _WIN32

namespace {

std::string Utf8Of(const std::wstring& wide) {
  return PathText(fs::path(wide));
}

}  // namespace

std::vector<std::string> ProgramArguments(int, char**) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; wide != nullptr && i < count; ++i) args.push_back(Utf8Of(wide[i]));
  LocalFree(wide);
  return args;
}

std::optional<std::string> EnvironmentVariable(const std::string& name) {
  const wchar_t* value = _wgetenv(fs::path(std::u8string(name.begin(), name.end())).c_str());
  if (value == nullptr) return std::nullopt;
  return Utf8Of(value);
}

fs::path ProgramFolder() {
  std::wstring buffer(32768, L'\0');
  const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  if (length == 0 || length >= buffer.size()) return {};
  buffer.resize(length);
  return fs::path(buffer).parent_path();
}

bool StderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

#else

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

std::optional<std::string> EnvironmentVariable(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

fs::path ProgramFolder() {
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  return error ? fs::path() : self.parent_path();
}

bool StderrIsTerminal() { return isatty(STDERR_FILENO) != 0; }

#endif
