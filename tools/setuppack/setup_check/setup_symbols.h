// The check's view of the setup's symbol table (setuplogic/setup_symbols.h)
// and of the "%" custom folders: text symbols in texts shown to the user,
// folder symbols and custom folders in paths, and the bundle item symbols in
// the passes that install one bundle item.
#pragma once

#include <string>
#include <vector>

#include "setup_check/bundle_info_check.h"
#include "setuplogic/setup_symbols.h"

// The names of one kind of symbol, in the order in which the setup replaces
// them.
const std::vector<std::string>& TextSymbols();
const std::vector<std::string>& FolderSymbols();
const std::vector<std::string>& ItemSymbols();

// Whether the text names $BundleItem (also as part of $BundleItemProductName).
bool UsesItemSymbols(const std::string& text);
// The text with the item's product name and name in place of the item symbols.
std::string ExpandItemSymbols(const std::string& text, const TCheckedBundleItem& item);
// The text without the item symbols.
std::string WithoutItemSymbols(const std::string& text);

// The folder symbols and custom folders ("%" + a name of customFolders) that
// the text names, in the order of the text.
std::vector<std::string> FolderSymbolsIn(const std::string& text, const std::vector<std::string>& customFolders);
