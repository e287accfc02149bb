// The program's resources for tests: no texts at all unless a test gives
// some, as a translated setup would.
#pragma once

#include <map>

#include "platform/resources.h"

class TFakeResources : public Resources {
 public:
  std::optional<std::string> LoadText(unsigned id) override {
    auto found = texts_.find(id);
    if (found == texts_.end()) return std::nullopt;
    return found->second;
  }
  void SetText(unsigned id, const std::string& text) { texts_[id] = text; }

 private:
  std::map<unsigned, std::string> texts_;
};
