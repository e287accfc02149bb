// The "$" symbols of the settings, in the one table that the setup expands
// them by and setuppack checks them against.
//
// Text symbols go into what the user reads, every occurrence replaced.
// Folder symbols go into paths, only the first occurrence replaced, their
// value without a trailing backslash (the text supplies its own). The bundle
// item symbols go into paths of the passes that install one bundle item,
// every occurrence replaced; elsewhere a path naming one does not apply.
#pragma once

#include <string>
#include <vector>

class TSetupInstaller;
class TSetupBundleItem;

namespace setup_symbol {
inline constexpr char kProductName[] = "$ProductName";
inline constexpr char kFullProductName[] = "$FullProductName";
inline constexpr char kProductVersion[] = "$ProductVersion";
inline constexpr char kPersonalizeInfo[] = "$PersonalizeInfo";
inline constexpr char kInstallDescription[] = "$InstallDescription";
inline constexpr char kBundleSelectHeading[] = "$BundleSelectHeading";
inline constexpr char kBundleSelectDescription[] = "$BundleSelectDescription";
inline constexpr char kDocuments[] = "$Documents";
inline constexpr char kProgramFolder[] = "$ProgramFolder";
inline constexpr char kVstPluginFolder[] = "$VstPluginFolder";
inline constexpr char kVst3ProgramFolder[] = "$Vst3ProgramFolder";
inline constexpr char kVst3PluginFolder[] = "$Vst3PluginFolder";
inline constexpr char kDigiPluginFolder[] = "$DigiPluginFolder";
inline constexpr char kPhotoshopPluginFolder[] = "$PhotoshopPluginFolder";
inline constexpr char kApplicationData[] = "$ApplicationData";
inline constexpr char kBundleItemProductName[] = "$BundleItemProductName";
inline constexpr char kBundleItem[] = "$BundleItem";
}  // namespace setup_symbol

enum class TSymbolKind { Text, Folder, BundleItem };

struct TSymbol {
  const char* Name;
  TSymbolKind Kind;
  bool EveryOccurrence;  // else only the first
  // The value; item is nullptr outside a bundle item's pass and is not
  // looked at by text and folder symbols.
  std::string (*Value)(const TSetupInstaller& setup, const TSetupBundleItem* item);
  // The plug-in choice that, declined, makes a path naming the symbol not
  // apply; nullptr when none.
  bool TSetupInstaller::*Wanted;
};

// In the order of replacement: a value put in by one symbol is seen by the
// symbols after it only. "$BundleItemProductName" comes before "$BundleItem",
// which begins it.
const std::vector<TSymbol>& SetupSymbols();

// The text with every occurrence, or only the first, of symbol replaced.
std::string ReplaceSymbol(const std::string& text, const TSymbol& symbol, const std::string& value);
