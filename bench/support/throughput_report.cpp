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

void PrintTimeTable(std::ostream& out, const std::vector<TTimeRow>& rows) {
  size_t width = 0;
  for (const TTimeRow& row : rows) width = std::max(width, row.Name.size());
  width += 2;
  PrintLine(out, "", width, "     best     median");
  for (const TTimeRow& row : rows) {
    char figures[64];
    if (row.Ratio)
      std::snprintf(figures, sizeof figures, "%9.2f  %9.2f", row.Best, row.Median);
    else
      std::snprintf(figures, sizeof figures, "%7.3f s  %7.3f s", row.Best, row.Median);
    PrintLine(out, row.Name, width, figures);
  }
}

void PrintRoundTimes(std::ostream& out, const std::string& name, const std::vector<double>& seconds) {
  out << "  " << name << ":";
  for (const double value : seconds) {
    char figure[32];
    std::snprintf(figure, sizeof figure, " %.3f", value);
    out << figure;
  }
  out << " s\n";
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
