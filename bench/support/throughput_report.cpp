#include "support/throughput_report.h"

#include <algorithm>
#include <cstdio>

namespace {

void PrintLine(std::ostream& out, const std::string& name, size_t width, const char* figures) {
  out << "  " << name << std::string(width - name.size(), ' ') << figures << "\n";
}

void PrintThroughput(std::ostream& out, const TThroughput& result, size_t width) {
  char figures[64];
  std::snprintf(figures, sizeof figures, "%9.1f MB/s  (%.3f s)", result.MegabytesPerSecond(), result.Seconds);
  PrintLine(out, result.Name, width, figures);
}

}  // namespace

void PrintComparison(std::ostream& out, const TThroughput& candidate, const TThroughput& baseline,
                     const std::string& ratioName) {
  const size_t width = std::max({candidate.Name.size(), baseline.Name.size(), ratioName.size()}) + 2;
  PrintThroughput(out, candidate, width);
  PrintThroughput(out, baseline, width);
  const double baselineRate = baseline.MegabytesPerSecond();
  char ratio[32];
  std::snprintf(ratio, sizeof ratio, "%9.2f", baselineRate > 0 ? candidate.MegabytesPerSecond() / baselineRate : 0.0);
  PrintLine(out, ratioName, width, ratio);
}

std::string Grouped(uint64_t value) {
  const std::string digits = std::to_string(value);
  std::string text;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}
