#include "setuplogic/setup_symbols.h"

#include "common/text.h"
#include "setuplogic/setup_installer.h"

namespace {

using namespace setup_symbol;
using S = TSetupInstaller;
using I = TSetupBundleItem;

TSymbol Text(const char* name, std::string (*value)(const S&, const I*)) {
  return TSymbol{name, TSymbolKind::Text, true, value, nullptr};
}

TSymbol Folder(const char* name, std::string (*value)(const S&, const I*), bool S::*wanted = nullptr) {
  return TSymbol{name, TSymbolKind::Folder, false, value, wanted};
}

TSymbol Item(const char* name, std::string (*value)(const S&, const I*)) {
  return TSymbol{name, TSymbolKind::BundleItem, true, value, nullptr};
}

}  // namespace

const std::vector<TSymbol>& SetupSymbols() {
  static const std::vector<TSymbol> symbols = {
      Text(kProductName, [](const S& s, const I*) { return s.ProductName; }),
      Text(kFullProductName, [](const S& s, const I*) { return s.FullProductName(); }),
      Text(kProductVersion, [](const S& s, const I*) { return s.ProductVersion().VersionText(); }),
      Text(kPersonalizeInfo, [](const S& s, const I*) { return s.PersonalizeInfo; }),
      Text(kInstallDescription, [](const S& s, const I*) { return s.InstallDescription; }),
      Text(kBundleSelectHeading, [](const S& s, const I*) { return s.BundleSelectHeading; }),
      Text(kBundleSelectDescription, [](const S& s, const I*) { return s.BundleSelectDescription; }),
      Folder(kDocuments, [](const S& s, const I*) { return s.DocumentsFolder; }),
      Folder(kProgramFolder, [](const S& s, const I*) { return s.ProgramFolder; }),
      Folder(kVstPluginFolder, [](const S& s, const I*) { return s.VstPluginFolder; }, &S::InstallVstPlugin),
      Folder(kVst3ProgramFolder, [](const S& s, const I*) { return s.ProgramFolder; }, &S::InstallVst3Plugin),
      Folder(kVst3PluginFolder, [](const S& s, const I*) { return s.Vst3PluginFolder; }, &S::InstallVst3Plugin),
      Folder(kDigiPluginFolder, [](const S& s, const I*) { return s.DigiPluginFolder; }, &S::InstallDigiPlugin),
      Folder(kPhotoshopPluginFolder, [](const S& s, const I*) { return s.PhotoshopPluginFolder; },
             &S::InstallPhotoshopPlugin),
      Folder(kApplicationData, [](const S& s, const I*) { return s.ApplicationDataFolder; }),
      Item(kBundleItemProductName, [](const S&, const I* item) { return item->ProductName; }),
      Item(kBundleItem, [](const S&, const I* item) { return item->Name; }),
  };
  return symbols;
}

std::string ReplaceSymbol(const std::string& text, const TSymbol& symbol, const std::string& value) {
  return symbol.EveryOccurrence ? ReplaceAll(text, symbol.Name, value) : ReplaceFirst(text, symbol.Name, value);
}
