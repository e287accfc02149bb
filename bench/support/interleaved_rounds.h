// Timing a candidate against its baseline on a noisy, shared machine: each
// round runs every contender once, one after the other, so that a burst of
// load from elsewhere hurts both rather than one, and every other round in
// the reverse order, so that going first (or second, behind the other's
// disk writes) favours neither. The best (shortest) time of each over the
// rounds is the least disturbed one.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct TContender {
  std::string Name;
  std::function<void()> Prepare;  // untimed, before each run (may be empty)
  std::function<void()> Run;      // timed
  std::function<void()> Finish;   // untimed, after each run: checks, clean-up (may be empty)
};

// Every round's wall-clock seconds of each contender: times[contender][round],
// in the contenders' order.
std::vector<std::vector<double>> TimesOfInterleavedRounds(const std::vector<TContender>& contenders, int rounds);

// The best wall-clock seconds of each contender, in the contenders' order.
std::vector<double> BestTimesOfInterleavedRounds(const std::vector<TContender>& contenders, int rounds);

// The shortest and the median of one contender's times (the mean of the two
// middle ones for an even count). The median shows what a user usually
// waits, the best what the program costs when nothing else gets in the way.
double BestOf(const std::vector<double>& seconds);
double MedianOf(std::vector<double> seconds);

// Seconds of wall-clock time since construction (steady clock).
class TStopwatch {
 public:
  TStopwatch();
  double Seconds() const;

 private:
  long long start_;
};
