#include "setup_check/setup_symbols.h"

#include <algorithm>

#include "common/text.h"

namespace {

std::vector<std::string> NamesOf(TSymbolKind kind) {
  std::vector<std::string> names;
  for (const TSymbol& symbol : SetupSymbols())
    if (symbol.Kind == kind) names.push_back(symbol.Name);
  return names;
}

}  // namespace

const std::vector<std::string>& TextSymbols() {
  static const std::vector<std::string> names = NamesOf(TSymbolKind::Text);
  return names;
}

const std::vector<std::string>& FolderSymbols() {
  static const std::vector<std::string> names = NamesOf(TSymbolKind::Folder);
  return names;
}

const std::vector<std::string>& ItemSymbols() {
  static const std::vector<std::string> names = NamesOf(TSymbolKind::BundleItem);
  return names;
}

using namespace setup_symbol;

bool UsesItemSymbols(const std::string& text) {
  for (const std::string& symbol : ItemSymbols())
    if (text.find(symbol) != std::string::npos) return true;
  return false;
}

std::string ExpandItemSymbols(const std::string& text, const TCheckedBundleItem& item) {
  return ReplaceAll(ReplaceAll(text, kBundleItemProductName, item.ProductName), kBundleItem, item.Name);
}

std::string WithoutItemSymbols(const std::string& text) {
  std::string result = text;
  for (const std::string& symbol : ItemSymbols()) result = ReplaceAll(result, symbol, "");
  return result;
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
