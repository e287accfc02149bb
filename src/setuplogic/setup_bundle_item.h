// One selectable product of a bundle setup, from a line of "BundleInfo.ini".
#pragma once

#include <cstdint>
#include <string>

#include "common/program_version.h"

class TSetupBundleItem {
 public:
  // Parses versionText (EProgramVersionError when it is no version) and
  // dates the item's files: the package date plus Major hours and
  // Minor*10+Release minutes ("Invalid argument to time encode" when that
  // span is a day or more, or the minutes reach 60).
  TSetupBundleItem(const std::string& name, const std::string& productName, const std::string& versionText,
                   const std::string& bundleItemName, uint32_t packageFileDate);

  std::string Caption;    // check box text on the bundle page
  uint32_t FileDate = 0;  // DOS date-time of every file extracted for the item
  bool Selected = true;
  std::string Name;         // key in "BundleInfo.ini"; $BundleItem
  std::string ProductName;  // $BundleItemProductName
  TProgramVersion Version;
};
