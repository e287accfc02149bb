// The program's own resources: the texts a vendor may translate with a
// resource editor.
#pragma once

#include <optional>
#include <string>

class Resources {
 public:
  virtual ~Resources() = default;
  // The STRINGTABLE text under that number; nullopt when the program has none.
  virtual std::optional<std::string> LoadText(unsigned id) = 0;
};
