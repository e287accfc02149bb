// What the check of a staging folder's setup files reports: one finding per
// problem, with the file and line it lies on, as compilers report theirs.
#pragma once

#include <string>
#include <vector>

enum class TFindingSeverity {
  Warning,  // the setup runs, but ignores or misreads something
  Error,    // the setup would refuse to start, or could never install
};

struct TSetupFinding {
  std::string File;  // the support file as named in the staging folder ("Setup.ini")
  int Line = 0;      // 1-based; 0 when the finding concerns the file as a whole
  TFindingSeverity Severity = TFindingSeverity::Warning;
  std::string Message;  // UTF-8
};

// Collects the findings of the checks, in the order they are made.
class TFindingList {
 public:
  void Error(const std::string& file, int line, std::string message);
  void Warning(const std::string& file, int line, std::string message);
  const std::vector<TSetupFinding>& Items() const { return items_; }

 private:
  std::vector<TSetupFinding> items_;
};

// "SHOWNFILE:LINE: warning: MESSAGE", without ":LINE" for line 0; shownFile
// is the file as the reader should find it (its path, say).
std::string FormatFinding(const TSetupFinding& finding, const std::string& shownFile);

// A text of the setup files, in double quotes and converted from the
// Windows-1252 in which the setup reads it to UTF-8 for the terminal.
std::string Quoted(const std::string& ansi);
