#include "setup_check/setup_symbols.h"

#include <algorithm>

#include "common/text.h"

const std::vector<std::string>& TextSymbols() {
  static const std::vector<std::string> symbols = {
      "$ProductName",         "$FullProductName",     "$ProductVersion",         "$PersonalizeInfo",
      "$InstallDescription",  "$BundleSelectHeading", "$BundleSelectDescription",
  };
  return symbols;
}

const std::vector<std::string>& FolderSymbols() {
  static const std::vector<std::string> symbols = {
      "$Documents",        "$ProgramFolder",    "$VstPluginFolder",       "$Vst3ProgramFolder",
      "$Vst3PluginFolder", "$DigiPluginFolder", "$PhotoshopPluginFolder", "$ApplicationData",
  };
  return symbols;
}

const std::vector<std::string>& ItemSymbols() {
  static const std::vector<std::string> symbols = {"$BundleItemProductName", "$BundleItem"};
  return symbols;
}

bool UsesItemSymbols(const std::string& text) { return text.find("$BundleItem") != std::string::npos; }

std::string ExpandItemSymbols(const std::string& text, const TCheckedBundleItem& item) {
  return ReplaceAll(ReplaceAll(text, "$BundleItemProductName", item.ProductName), "$BundleItem", item.Name);
}

std::string WithoutItemSymbols(const std::string& text) {
  return ReplaceAll(ReplaceAll(text, "$BundleItemProductName", ""), "$BundleItem", "");
}

std::vector<std::string> FolderSymbolsIn(const std::string& text, const std::vector<std::string>& customFolders) {
  std::vector<std::pair<size_t, std::string>> found;
  for (const std::string& symbol : FolderSymbols())
    if (const size_t at = text.find(symbol); at != std::string::npos) found.emplace_back(at, symbol);
  for (const std::string& name : customFolders)
    if (const size_t at = text.find("%" + name); !name.empty() && at != std::string::npos) found.emplace_back(at, "%" + name);
  std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> symbols;
  for (const auto& [at, symbol] : found) symbols.push_back(symbol);
  return symbols;
}
