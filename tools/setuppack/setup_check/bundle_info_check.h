// Checks "BundleInfo.ini", the item list of a bundle setup, as the setup reads
// it: plain lines NAME=VERSION[,PRODUCTNAME], nothing trimmed, no comments.
#pragma once

#include <string>
#include <vector>

#include "setup_check/setup_finding.h"

// One bundle item, as the symbols $BundleItem and $BundleItemProductName
// will name it.
struct TCheckedBundleItem {
  std::string Name;
  std::string ProductName;
};

// Reports the items the setup would refuse (a version that is no version
// number, or one too large to date the item's files), lines that look like
// comments or sections but make items, blanks that stay in names, and a file
// without any item. Answers the items in file order.
std::vector<TCheckedBundleItem> CheckBundleInfo(const std::string& file, const std::vector<std::string>& lines,
                                                TFindingList& findings);

// The message the setup stops with for an item of that version, or "" when
// the version is accepted.
std::string BundleVersionProblem(const std::string& versionText);
