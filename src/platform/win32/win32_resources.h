// The running program's resources through the Windows API.
#pragma once

#include "platform/resources.h"

class TWin32Resources : public Resources {
 public:
  std::optional<std::string> LoadText(unsigned id) override;
};
