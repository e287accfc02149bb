// Dynamic libraries: load one, call an export without arguments, unload; and
// where the loader looks for a library named without a folder.
#pragma once

#include <memory>
#include <string>

class LoadedLibrary {
 public:
  virtual ~LoadedLibrary() = default;  // unloads
  virtual bool HasExport(const std::string& name) = 0;
  // Calls the export without arguments; false when there is no such export.
  virtual bool CallExport(const std::string& name) = 0;
};

class Libraries {
 public:
  virtual ~Libraries() = default;
  // nullptr when the library does not load.
  virtual std::unique_ptr<LoadedLibrary> Load(const std::string& path) = 0;
  // From now on a library named without a folder, by this program or by the
  // system's own libraries on its behalf, comes from the system folder only:
  // never from the program's folder or the current directory, where a setup
  // started from a downloads folder may find anything. A system that cannot
  // restrict the search keeps as much of it as it can; the program still runs.
  virtual void RestrictSearchToSystemFolder() = 0;
};
