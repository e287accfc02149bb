// Reading "BundleInfo.ini": plain lines, one bundle item each, not an INI text.
#pragma once

#include <string>
#include <vector>

struct TBundleInfoLine {
  std::string Name;         // the text before the first "="
  std::string VersionText;  // up to the first "," after it
  std::string ProductName;  // after that ",", else the Name
};

// The item lines in file order. A line counts when it has a non-empty text
// before its first "="; nothing is trimmed and nothing is a comment, so
// ";Pro=1.0" is an item named ";Pro" while "[Items]" and "=1.0" are none.
std::vector<TBundleInfoLine> ParseBundleInfo(const std::vector<std::string>& lines);
