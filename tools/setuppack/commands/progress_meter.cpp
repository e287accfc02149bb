#include "commands/progress_meter.h"

TProgressMeter::TProgressMeter(std::ostream& err, bool errIsTerminal, uint64_t totalInput)
    : err_(err), enabled_(errIsTerminal && totalInput > kProgressThreshold) {}

TProgressMeter::~TProgressMeter() {
  if (shown_ >= 0) err_ << '\n' << std::flush;
}

void TProgressMeter::Update(uint64_t done, uint64_t total) {
  if (!enabled_ || total == 0) return;
  const int percent = static_cast<int>(done * 100 / total);
  if (percent == shown_) return;
  shown_ = percent;
  err_ << "\rsetuppack: compressing " << percent << "%" << std::flush;
}
