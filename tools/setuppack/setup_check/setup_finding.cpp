#include "setup_check/setup_finding.h"

#include "packing/ansi_names.h"

void TFindingList::Error(const std::string& file, int line, std::string message) {
  items_.push_back(TSetupFinding{file, line, TFindingSeverity::Error, std::move(message)});
}

void TFindingList::Warning(const std::string& file, int line, std::string message) {
  items_.push_back(TSetupFinding{file, line, TFindingSeverity::Warning, std::move(message)});
}

std::string FormatFinding(const TSetupFinding& finding, const std::string& shownFile) {
  std::string text = shownFile;
  if (finding.Line > 0) text += ":" + std::to_string(finding.Line);
  text += finding.Severity == TFindingSeverity::Error ? ": error: " : ": warning: ";
  return text + finding.Message;
}

std::string Quoted(const std::string& ansi) { return "\"" + AnsiToUtf8(ansi) + "\""; }
