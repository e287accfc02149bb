// Printing a measurement as the benchmarks show it: the candidate's and the
// baseline's throughput and time, then the ratio candidate / baseline (above
// 1 means the candidate is faster). MB are 10^6 bytes.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

struct TThroughput {
  std::string Name;
  double Bytes = 0;
  double Seconds = 0;
  double MegabytesPerSecond() const { return Seconds > 0 ? Bytes / Seconds / 1e6 : 0; }
};

void PrintComparison(std::ostream& out, const TThroughput& candidate, const TThroughput& baseline,
                     const std::string& ratioName = "ratio candidate / baseline");

// Times of programs that are waited for rather than streamed through: one row
// a figure, with its best and median over the rounds. A ratio row shows
// factors instead of seconds (for times, above 1 means slower than the
// baseline).
struct TTimeRow {
  std::string Name;
  double Best = 0;
  double Median = 0;
  bool Ratio = false;
};
void PrintTimeTable(std::ostream& out, const std::vector<TTimeRow>& rows);

// Every round's seconds of one figure, in the order they were measured, so
// that a reader sees how far the rounds spread on a noisy machine.
void PrintRoundTimes(std::ostream& out, const std::string& name, const std::vector<double>& seconds);

// "123,456,789": large counts are read more easily with separators.
std::string Grouped(uint64_t value);
