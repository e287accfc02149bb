// Exports of the system's own libraries that a program takes at run time:
// functions that older Windows lack, and libraries that the program must not
// import, since an imported library is looked for beside the program before
// any of its code runs.
#pragma once

#include <windows.h>

#include <string>

// The library as the process has it already, else loaded from the system
// folder by its full path; nullptr when neither works.
inline HMODULE SystemLibrary(const char* name) {
  if (HMODULE loaded = GetModuleHandleA(name)) return loaded;
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryA((std::string(folder, length) + "\\" + name).c_str());
}

// An export of a system library, or nullptr where the system has none.
template <typename TFunction>
TFunction SystemFunction(const char* library, const char* name) {
  const HMODULE module = SystemLibrary(library);
  if (module == nullptr) return nullptr;
  return reinterpret_cast<TFunction>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
