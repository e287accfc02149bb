// Dynamic libraries: load one, call an export without arguments, unload.
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
};
