// Printing a measurement as the benchmarks show it: the candidate's and the
// baseline's throughput and time, then the ratio candidate / baseline (above
// 1 means the candidate is faster). MB are 10^6 bytes.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

struct TThroughput {
  std::string Name;
  double Bytes = 0;
  double Seconds = 0;
  double MegabytesPerSecond() const { return Seconds > 0 ? Bytes / Seconds / 1e6 : 0; }
};

void PrintComparison(std::ostream& out, const TThroughput& candidate, const TThroughput& baseline,
                     const std::string& ratioName = "ratio candidate / baseline");

// "123,456,789": large counts are read more easily with separators.
std::string Grouped(uint64_t value);
