#include "fake_libraries.h"

#include "common/text.h"

class TFakeLoadedLibrary : public LoadedLibrary {
 public:
  TFakeLoadedLibrary(TFakeLibraries& owner, std::string path, const TFakeLibraries::Exports& exports)
      : owner_(owner), path_(std::move(path)), exports_(exports) {}
  ~TFakeLoadedLibrary() override { owner_.unloads_.push_back(path_); }

  bool HasExport(const std::string& name) override { return exports_.count(name) != 0; }

  bool CallExport(const std::string& name) override {
    auto it = exports_.find(name);
    if (it == exports_.end()) return false;
    owner_.calls_.push_back(path_ + "!" + name);
    it->second();
    return true;
  }

 private:
  TFakeLibraries& owner_;
  std::string path_;
  const TFakeLibraries::Exports& exports_;
};

std::unique_ptr<LoadedLibrary> TFakeLibraries::Load(const std::string& path) {
  loads_.push_back(path);
  auto it = libraries_.find(UpperCaseAscii(path));
  if (it == libraries_.end()) {
    ++failedLoads_;
    return nullptr;
  }
  return std::make_unique<TFakeLoadedLibrary>(*this, path, it->second);
}

void TFakeLibraries::RestrictSearchToSystemFolder() {
  if (loadsBeforeRestriction_ < 0) loadsBeforeRestriction_ = static_cast<int>(loads_.size());
}

void TFakeLibraries::AddLibrary(const std::string& path) { libraries_[UpperCaseAscii(path)]; }

void TFakeLibraries::AddExport(const std::string& path, const std::string& name, std::function<void()> body) {
  libraries_[UpperCaseAscii(path)][name] = std::move(body);
}
