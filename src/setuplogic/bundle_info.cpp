#include "setuplogic/bundle_info.h"

std::vector<TBundleInfoLine> ParseBundleInfo(const std::vector<std::string>& lines) {
  std::vector<TBundleInfoLine> items;
  for (const std::string& line : lines) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos || equals == 0) continue;
    TBundleInfoLine item;
    item.Name = line.substr(0, equals);
    const std::string rest = line.substr(equals + 1);
    const size_t comma = rest.find(',');
    if (comma == std::string::npos) {
      item.VersionText = rest;
      item.ProductName = item.Name;
    } else {
      item.VersionText = rest.substr(0, comma);
      item.ProductName = rest.substr(comma + 1);
    }
    items.push_back(std::move(item));
  }
  return items;
}
