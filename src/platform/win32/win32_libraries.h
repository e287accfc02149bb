// Dynamic libraries through the Windows loader.
//
// What library authors are told: export a function that takes no arguments,
// under its plain name (with a .def file or --kill-at, since a 32-bit
// stdcall function is otherwise exported as "Name@0"), stdcall (WINAPI) or
// cdecl; its result is ignored. A library given by its full path may bring
// the libraries it depends on in its own folder.
#pragma once

#include "platform/libraries.h"

class TWin32Libraries : public Libraries {
 public:
  std::unique_ptr<LoadedLibrary> Load(const std::string& path) override;
  // SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) where kernel32
  // has it (Windows 8, and Vista and 7 with the update KB2533623), and
  // SetDllDirectory("") where it has that (XP SP1 on), which takes the
  // current directory out of the older search. Both are looked up at run
  // time, so that systems without them still start.
  void RestrictSearchToSystemFolder() override;

 private:
  bool defaultDirectoriesSet_ = false;
};
