// Dynamic libraries for tests: each one a path with named exports that run
// test code. Loads, unloads and calls are recorded.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/libraries.h"

class TFakeLibraries : public Libraries {
 public:
  // Library paths compare without regard to case; export names with it.
  std::unique_ptr<LoadedLibrary> Load(const std::string& path) override;
  void RestrictSearchToSystemFolder() override;

  // Set-up. A library that was never added does not load.
  void AddLibrary(const std::string& path);
  // Adds the library too, if needed.
  void AddExport(const std::string& path, const std::string& name, std::function<void()> body = [] {});

  // Inspection: every load request (also the failed ones), every unload of a
  // loaded library, every call of an export as "path!name", in order.
  const std::vector<std::string>& Loads() const { return loads_; }
  const std::vector<std::string>& Unloads() const { return unloads_; }
  const std::vector<std::string>& Calls() const { return calls_; }
  // How many load requests came before the first restriction of the search;
  // -1 while the search is not restricted.
  int LoadsBeforeRestriction() const { return loadsBeforeRestriction_; }
  // Libraries loaded and not yet unloaded.
  int LoadedCount() const { return static_cast<int>(loads_.size() - failedLoads_ - unloads_.size()); }

 private:
  friend class TFakeLoadedLibrary;
  using Exports = std::map<std::string, std::function<void()>>;

  std::map<std::string, Exports> libraries_;  // by upper-case path
  std::vector<std::string> loads_, unloads_, calls_;
  size_t failedLoads_ = 0;
  int loadsBeforeRestriction_ = -1;
};
