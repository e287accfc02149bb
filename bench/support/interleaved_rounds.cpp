#include "support/interleaved_rounds.h"

#include <algorithm>
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

std::vector<std::vector<double>> TimesOfInterleavedRounds(const std::vector<TContender>& contenders, int rounds) {
  std::vector<std::vector<double>> times(contenders.size());
  for (int round = 0; round < rounds; ++round) {
    for (size_t turn = 0; turn < contenders.size(); ++turn) {
      const size_t i = round % 2 == 0 ? turn : contenders.size() - 1 - turn;
      const TContender& contender = contenders[i];
      if (contender.Prepare) contender.Prepare();
      const TStopwatch watch;
      contender.Run();
      const double seconds = watch.Seconds();
      if (contender.Finish) contender.Finish();
      times[i].push_back(seconds);
    }
  }
  return times;
}

std::vector<double> BestTimesOfInterleavedRounds(const std::vector<TContender>& contenders, int rounds) {
  std::vector<double> best;
  for (const std::vector<double>& times : TimesOfInterleavedRounds(contenders, rounds)) best.push_back(BestOf(times));
  return best;
}

double BestOf(const std::vector<double>& seconds) {
  return seconds.empty() ? std::numeric_limits<double>::infinity() : *std::min_element(seconds.begin(), seconds.end());
}

double MedianOf(std::vector<double> seconds) {
  if (seconds.empty()) return std::numeric_limits<double>::infinity();
  std::sort(seconds.begin(), seconds.end());
  const size_t middle = seconds.size() / 2;
  return seconds.size() % 2 == 1 ? seconds[middle] : (seconds[middle - 1] + seconds[middle]) / 2;
}
