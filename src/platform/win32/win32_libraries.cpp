#include "platform/win32/win32_libraries.h"

#include <windows.h>

#include "platform/win32/win32_system_function.h"

namespace {

// A loaded library, unloaded when this goes.
class TWin32LoadedLibrary : public LoadedLibrary {
 public:
  explicit TWin32LoadedLibrary(HMODULE module) : module_(module) {}
  ~TWin32LoadedLibrary() override { FreeLibrary(module_); }
  TWin32LoadedLibrary(const TWin32LoadedLibrary&) = delete;
  TWin32LoadedLibrary& operator=(const TWin32LoadedLibrary&) = delete;

  bool HasExport(const std::string& name) override { return GetProcAddress(module_, name.c_str()) != nullptr; }

  bool CallExport(const std::string& name) override {
    const FARPROC address = GetProcAddress(module_, name.c_str());
    if (address == nullptr) return false;
    // Without arguments, stdcall and cdecl are the same at the call site:
    // nothing is pushed, so there is nothing for either side to pop, and the
    // result register is simply not read. One pointer type serves both.
    using TInitFunction = void(WINAPI*)(void);
    reinterpret_cast<TInitFunction>(reinterpret_cast<void*>(address))();
    return true;
  }

 private:
  HMODULE module_;
};

bool IsFullPath(const std::string& path) {
  return path.size() >= 3 && ((path[1] == ':' && path[2] == '\\') || (path[0] == '\\' && path[1] == '\\'));
}

}  // namespace

std::unique_ptr<LoadedLibrary> TWin32Libraries::Load(const std::string& path) {
  // For a library given by its full path, the loader looks for its own
  // dependencies in the library's folder instead of the folder of the
  // running setup (which is often a downloads folder where anything may
  // lie). Once the search is restricted, that is the library's folder and
  // the system folder: LOAD_WITH_ALTERED_SEARCH_PATH would bring back the
  // old search with the current directory and PATH. A bare name such as
  // "user32.dll" keeps the search the process has.
  HMODULE module = nullptr;
  if (!IsFullPath(path))
    module = LoadLibraryA(path.c_str());
  else if (defaultDirectoriesSet_)
    module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  else
    module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (module == nullptr) return nullptr;
  return std::make_unique<TWin32LoadedLibrary>(module);
}

void TWin32Libraries::RestrictSearchToSystemFolder() {
  using TSetDefaultDllDirectories = BOOL(WINAPI*)(DWORD);
  using TSetDllDirectoryW = BOOL(WINAPI*)(LPCWSTR);
  // Looked up, not imported: older systems lack them and still start.
  if (auto setDefaultDllDirectories =
          SystemFunction<TSetDefaultDllDirectories>("kernel32.dll", "SetDefaultDllDirectories"))
    defaultDirectoriesSet_ = setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
  if (auto setDllDirectory = SystemFunction<TSetDllDirectoryW>("kernel32.dll", "SetDllDirectoryW"))
    setDllDirectory(L"");
}
