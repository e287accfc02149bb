#include "setuplogic/copy_progress.h"

#include <algorithm>

TCopyProgress::TCopyProgress(IInstallProgress& progress, int from, int to, uint64_t totalBytes)
    : progress_(progress), from_(from), to_(to), total_(totalBytes), shown_(from) {}

void TCopyProgress::Written(uint64_t bytes) {
  progress_.KeepResponsive();
  done_ += bytes;
  if (total_ == 0 || to_ <= from_ || done_ - reportedAt_ < kReportBytes) return;
  reportedAt_ = done_;
  // A pass may write more than measured (a file renamed onto another), so
  // the position stops short of the next milestone, which the run reports.
  const double share = static_cast<double>(std::min(done_, total_)) / static_cast<double>(total_);
  const double position = from_ + (to_ - from_) * share;
  if (position <= shown_ || position >= to_) return;
  shown_ = position;
  progress_.SetCopyProgress(position);
}
