#include "support/interleaved_rounds.h"

#include <chrono>
#include <limits>

namespace {

long long Now() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace

TStopwatch::TStopwatch() : start_(Now()) {}

double TStopwatch::Seconds() const { return static_cast<double>(Now() - start_) / 1e9; }

std::vector<double> BestTimesOfInterleavedRounds(const std::vector<TContender>& contenders, int rounds) {
  std::vector<double> best(contenders.size(), std::numeric_limits<double>::infinity());
  for (int round = 0; round < rounds; ++round) {
    for (size_t turn = 0; turn < contenders.size(); ++turn) {
      const size_t i = round % 2 == 0 ? turn : contenders.size() - 1 - turn;
      const TContender& contender = contenders[i];
      if (contender.Prepare) contender.Prepare();
      const TStopwatch watch;
      contender.Run();
      const double seconds = watch.Seconds();
      if (contender.Finish) contender.Finish();
      if (seconds < best[i]) best[i] = seconds;
    }
  }
  return best;
}
