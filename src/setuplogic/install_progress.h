// Where the installation run reports how far it has got.
#pragma once

#include <string>

class IInstallProgress {
 public:
  virtual ~IInstallProgress() = default;
  // Position of the progress bar, 0 to 100, at the run's milestones: 0, 25,
  // 50 (with library calls), 75, 100 and where each bundle item begins.
  virtual void SetProgress(int percent) = 0;
  // Between two milestones, while files are copied: the position with its
  // fraction, rising with the bytes written, always short of the next
  // milestone.
  virtual void SetCopyProgress(double percent) = 0;
  // Called for every block written while files are copied, many times a
  // second: a chance to show Windows that the program is alive, without
  // handling any input.
  virtual void KeepResponsive() = 0;
  // The status line under it.
  virtual void SetStatusText(const std::string& text) = 0;
};
