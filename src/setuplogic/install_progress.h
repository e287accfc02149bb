// Where the installation run reports how far it has got.
#pragma once

#include <string>

class IInstallProgress {
 public:
  virtual ~IInstallProgress() = default;
  // Position of the progress bar, 0 to 100.
  virtual void SetProgress(int percent) = 0;
  // The status line under it.
  virtual void SetStatusText(const std::string& text) = 0;
};
