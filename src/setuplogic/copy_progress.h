// The progress bar during one pass of the copying: from one milestone to the
// next as the pass's bytes are written.
#pragma once

#include <cstdint>

#include "setuplogic/install_progress.h"

class TCopyProgress {
 public:
  // totalBytes: what the pass will write, as the package measures it.
  TCopyProgress(IInstallProgress& progress, int from, int to, uint64_t totalBytes);

  // Reports the position at most once per kReportBytes written and only
  // when it has moved, strictly between from and to; keeps the window
  // responsive on every call.
  void Written(uint64_t bytes);

  static constexpr uint64_t kReportBytes = uint64_t{1} << 20;

 private:
  IInstallProgress& progress_;
  int from_, to_;
  uint64_t total_;
  uint64_t done_ = 0;
  uint64_t reportedAt_ = 0;
  double shown_;
};
