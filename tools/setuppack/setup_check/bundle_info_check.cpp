#include "setup_check/bundle_info_check.h"

#include "common/date_time.h"
#include "common/errors.h"
#include "common/text.h"
#include "setuplogic/bundle_info.h"
#include "setuplogic/setup_bundle_item.h"

namespace {

bool HasOuterBlanks(const std::string& text) { return Trim(text) != text; }

void CheckItemLine(const std::string& file, int number, const std::string& line, TFindingList& findings,
                   std::vector<TCheckedBundleItem>& items) {
  // The setup's own reading of the line decides whether it is an item.
  const std::vector<TBundleInfoLine> parsed = ParseBundleInfo({line});
  if (parsed.empty()) {
    const std::string trimmed = Trim(line);
    if (StartsWith(line, "="))
      findings.Warning(file, number, Quoted(line) + " has no name before \"=\", so it makes no bundle item");
    // Headers and comments were meant to be no items, and are none.
    else if (!trimmed.empty() && trimmed[0] != '[' && trimmed[0] != ';')
      findings.Warning(file, number, Quoted(line) + " has no \"=\", so it makes no bundle item; an item is NAME=VERSION");
    return;
  }
  const TBundleInfoLine& read = parsed[0];
  TCheckedBundleItem item{read.Name, read.ProductName};
  const bool hasProductName = line.find(',', line.find('=')) != std::string::npos;

  if (StartsWith(Trim(item.Name), ";"))
    findings.Warning(file, number,
                     "BundleInfo.ini has no comments: this line makes a bundle item named " + Quoted(item.Name));
  else if (StartsWith(Trim(item.Name), "["))
    findings.Warning(file, number,
                     "BundleInfo.ini has no sections: this line makes a bundle item named " + Quoted(item.Name));
  if (HasOuterBlanks(item.Name))
    findings.Warning(file, number,
                     "the item name " + Quoted(item.Name) +
                         " keeps its blanks (BundleInfo.ini is not trimmed), and so does every $BundleItem");
  if (hasProductName && HasOuterBlanks(item.ProductName))
    findings.Warning(file, number,
                     "the product name " + Quoted(item.ProductName) +
                         " keeps its blanks (BundleInfo.ini is not trimmed), and so does every "
                         "$BundleItemProductName");

  const std::string problem = BundleVersionProblem(read.VersionText);
  if (!problem.empty())
    findings.Error(file, number, "the bundle item " + Quoted(item.Name) + " makes the setup stop with \"" + problem + "\"" +
                                     (StartsWith(problem, "Invalid argument")
                                          ? ": its files are dated the package time plus MAJOR hours and "
                                            "MINOR*10+RELEASE minutes, so an item version must stay below 24 "
                                            "and its two digits after the point below 60"
                                          : ""));
  items.push_back(std::move(item));
}

}  // namespace

std::string BundleVersionProblem(const std::string& versionText) {
  // The setup makes its items so; any package date will do, since the
  // item's time span is formed whatever the date.
  try {
    TSetupBundleItem("Item", "Item", versionText, "", PackDosDateTime(TCivilTime{2024, 1, 1}));
  } catch (const Exception& e) {
    return e.Message();
  }
  return "";
}

std::vector<TCheckedBundleItem> CheckBundleInfo(const std::string& file, const std::vector<std::string>& lines,
                                                TFindingList& findings) {
  std::vector<TCheckedBundleItem> items;
  for (size_t i = 0; i < lines.size(); ++i) CheckItemLine(file, static_cast<int>(i + 1), lines[i], findings, items);
  if (items.empty())
    findings.Error(file, 0,
                   "the file names no bundle item, so the bundle page would offer nothing and the setup could never "
                   "go past it; add lines NAME=VERSION[,PRODUCTNAME]");
  return items;
}
