#include "setup_check/setup_check_report.h"

#include "platform/host/host_file_stream.h"

namespace {

std::string Counted(int count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

}  // namespace

TFindingCount PrintFindings(const std::vector<TSetupFinding>& findings, const std::filesystem::path& staging,
                            std::ostream& out) {
  TFindingCount count;
  for (const TSetupFinding& finding : findings) {
    const std::filesystem::path file = staging / std::filesystem::path(std::u8string(finding.File.begin(), finding.File.end()));
    out << FormatFinding(finding, PathText(file)) << "\n";
    ++(finding.Severity == TFindingSeverity::Error ? count.Errors : count.Warnings);
  }
  return count;
}

bool StopsBuild(const TFindingCount& count, bool strict) { return count.Errors > 0 || (strict && count.Warnings > 0); }

std::string FindingSummary(const TFindingCount& count, bool strict) {
  std::string text;
  if (count.Errors > 0) text = Counted(count.Errors, "error");
  if (count.Errors > 0 && count.Warnings > 0) text += " and ";
  if (count.Warnings > 0) text += Counted(count.Warnings, "warning");
  if (text.empty()) text = "no findings";
  text += " in the setup files";
  if (strict && count.Warnings > 0) text += " (--strict makes warnings errors)";
  return text;
}
