#include "setup_check/symbol_check.h"

#include <algorithm>
#include <cstring>

#include "common/integer_text.h"
#include "common/text.h"
#include "packing/ansi_names.h"
#include "setup_check/nearest_name.h"
#include "setup_check/setup_symbols.h"
#include "setuplogic/setup_ini_schema.h"

using namespace setup_ini;

namespace {

enum class TFieldKind {
  Literal,   // used as written: registry paths, the folder template, file and function names
  Text,      // the text symbols in Expanded
  Caption,   // the bundle item caption: $BundleItem only
  Path,      // folder symbols and custom folders; the item symbols empty it
  ItemPath,  // folder symbols, custom folders and, per bundle item, the item symbols
};

struct TField {
  std::string Where;  // "the [Shortcuts] target"
  int Line = 0;
  std::string Value;
  TFieldKind Kind = TFieldKind::Literal;
  std::vector<std::string> Expanded;  // the text symbols of a Text field
  std::string Reason;                 // why the other text symbols are not expanded in a Text field
  std::string Lost;                   // what is lost when the item symbols empty the field
  bool MustBeAbsolute = false;        // a folder or file path that must not depend on the current folder
};

bool Contains(const std::vector<std::string>& list, const std::string& text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

std::vector<std::string> AllSymbols() {
  std::vector<std::string> all = TextSymbols();
  all.insert(all.end(), FolderSymbols().begin(), FolderSymbols().end());
  all.insert(all.end(), ItemSymbols().begin(), ItemSymbols().end());
  return all;
}

// The longest symbol the token begins with, as the setup's plain text
// replacement would find it; letter case matters unless ignoreCase.
std::string SymbolAtStart(const std::string& token, bool ignoreCase) {
  std::string best;
  for (const std::string& symbol : AllSymbols()) {
    const bool match = ignoreCase ? StartsWith(UpperCaseAscii(token), UpperCaseAscii(symbol)) : StartsWith(token, symbol);
    if (match && symbol.size() > best.size()) best = symbol;
  }
  return best;
}

bool IsWordChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The "$Word" and "%Word" tokens of a text: the sign, a letter, then letters,
// digits and "_".
std::vector<std::pair<size_t, std::string>> Tokens(const std::string& text, char sign) {
  std::vector<std::pair<size_t, std::string>> tokens;
  for (size_t at = text.find(sign); at != std::string::npos; at = text.find(sign, at + 1)) {
    if (at + 1 >= text.size() || !IsLetter(text[at + 1])) continue;
    size_t end = at + 1;
    while (end < text.size() && IsWordChar(text[end])) ++end;
    tokens.emplace_back(at, text.substr(at, end - at));
  }
  return tokens;
}

size_t Occurrences(const std::string& text, const std::string& symbol) {
  size_t count = 0;
  for (size_t at = text.find(symbol); at != std::string::npos; at = text.find(symbol, at + symbol.size())) ++count;
  return count;
}

bool IsPath(TFieldKind kind) { return kind == TFieldKind::Path || kind == TFieldKind::ItemPath; }

class TSymbolChecker {
 public:
  TSymbolChecker(const std::string& file, const TIniFile& ini, bool isBundle, TFindingList& findings)
      : file_(file), isBundle_(isBundle), findings_(findings) {
    for (const TIniEntry& entry : ini.ReadList(kFolders))
      if (entry.HasKey && !entry.Key.empty()) customFolders_.push_back(entry);
  }

  void Check(const TField& field) {
    if (field.Value.empty()) return;
    bool itemReported = false;
    for (const auto& [at, token] : Tokens(field.Value, '$')) CheckToken(field, token, itemReported);
    if (!IsPath(field.Kind)) return;
    CheckCustomFolders(field);
    CheckRepeatedFolderSymbols(field);
    if (field.MustBeAbsolute) CheckAbsolute(field);
  }

 private:
  void Warn(const TField& field, const std::string& message) { findings_.Warning(file_, field.Line, message); }

  void CheckToken(const TField& field, const std::string& token, bool& itemReported) {
    const std::string symbol = SymbolAtStart(token, false);
    if (symbol.empty()) {
      const std::string variant = SymbolAtStart(token, true);
      if (!variant.empty() && field.Kind == TFieldKind::Literal)
        Warn(field, field.Where + " is used as written, so " + Quoted(token) + " stays in it unreplaced");
      else if (!variant.empty())
        Warn(field, Quoted(token) + " in " + field.Where + " stays as written: symbols are case-sensitive; write " +
                        variant);
      else if (field.Kind != TFieldKind::Literal)
        Warn(field, "the setup knows no symbol " + Quoted(token) + ", so it stays as written in " + field.Where +
                        DidYouMean(token));
      return;
    }
    const bool text = Contains(TextSymbols(), symbol), item = Contains(ItemSymbols(), symbol);
    switch (field.Kind) {
      case TFieldKind::Literal:
        Warn(field, field.Where + " is used as written, so " + symbol + " stays in it unreplaced");
        return;
      case TFieldKind::Text:
        if (text && Contains(field.Expanded, symbol)) return;
        if (text)
          Warn(field, symbol + " stays as written in " + field.Where + ": " + field.Reason);
        else
          Warn(field, symbol + " is a " + (item ? "bundle item" : "folder") + " symbol, which " + field.Where +
                          " does not expand (it takes text symbols such as " + setup_symbol::kProductName + "): it stays as written");
        return;
      case TFieldKind::Caption:
        if (symbol == setup_symbol::kBundleItem) return;
        if (symbol == setup_symbol::kBundleItemProductName)
          Warn(field, field.Where + " replaces only " + setup_symbol::kBundleItem + ", so " + setup_symbol::kBundleItemProductName +
                          " shows as the item's name followed by " + Quoted(symbol.substr(std::strlen(setup_symbol::kBundleItem))));
        else
          Warn(field, field.Where + " replaces only " + setup_symbol::kBundleItem + ", so " + symbol + " stays as written");
        return;
      case TFieldKind::Path:
      case TFieldKind::ItemPath:
        if (text) {
          Warn(field, symbol + " is a text symbol, which " + field.Where +
                          " does not expand (it takes folder symbols such as " + setup_symbol::kProgramFolder + "): it stays as written");
        } else if (item && !itemReported) {
          itemReported = true;
          if (field.Kind == TFieldKind::Path)
            Warn(field, field.Where + " uses " + symbol + ", which is empty here, where there is no bundle item; so " +
                            field.Lost);
          else if (!isBundle_)
            Warn(field, field.Where + " uses " + symbol +
                            ", but this is no bundle setup (" + KeyReference(kSetup, kIsBundle) + " is off), so " + field.Lost);
        }
        return;
    }
  }

  std::string DidYouMean(const std::string& token) const {
    const std::string suggestion = NearestName(token, AllSymbols());
    return suggestion.empty() ? "" : "; did you mean " + suggestion + "?";
  }

  // "%NAME" is replaced, first occurrence only, for each [Folders] entry in
  // file order, wherever it stands: a name listed first takes the start of
  // any longer word, also of another custom folder's name.
  void CheckCustomFolders(const TField& field) {
    for (const auto& [at, token] : Tokens(field.Value, '%')) {
      const size_t end = at + token.size();
      const TIniEntry* first = nullptr;
      const TIniEntry* longest = nullptr;
      for (const TIniEntry& folder : customFolders_) {
        if (field.Value.compare(at, folder.Key.size() + 1, "%" + folder.Key) != 0) continue;
        if (first == nullptr) first = &folder;
        if (longest == nullptr || folder.Key.size() > longest->Key.size()) longest = &folder;
      }
      if (first == nullptr) {
        Warn(field, Quoted(token) + " in " + field.Where + " names no " + SectionReference(kFolders) + " entry, so it stays as written" +
                        (end < field.Value.size() && field.Value[end] == '%'
                             ? " (the setup reads no environment variables)"
                             : ""));
      } else if (first->Key.size() + 1 < token.size()) {
        const std::string read = "%" + first->Key;
        Warn(field, Quoted(token) + " in " + field.Where + " is read as " + Quoted(read) + " followed by " +
                        Quoted(token.substr(read.size())) +
                        (first != longest ? ", since " + KeyReference(kFolders, AnsiToUtf8(first->Key).c_str()) + " comes first" : ""));
      }
    }
    for (const TIniEntry& folder : customFolders_)
      if (Occurrences(field.Value, "%" + folder.Key) > 1)
        Warn(field, "the setup replaces only the first %" + AnsiToUtf8(folder.Key) + " in " + field.Where +
                        "; the others stay as written");
  }

  // Only the first occurrence of a folder symbol is replaced, also when a
  // custom folder's path brings in a second one.
  void CheckRepeatedFolderSymbols(const TField& field) {
    std::string text = field.Value;
    for (const TIniEntry& folder : customFolders_) text = ReplaceFirst(text, "%" + folder.Key, folder.Value);
    for (const std::string& symbol : FolderSymbols())
      if (Occurrences(text, symbol) > 1)
        Warn(field, "the setup replaces only the first " + symbol + " in " + field.Where +
                        (Occurrences(field.Value, symbol) > 1 ? "" : " (one comes from a custom folder)") +
                        "; the others stay as written");
  }

  void CheckAbsolute(const TField& field) {
    const std::string value = Trim(field.Value);
    if (value.size() >= 2 && (value[1] == ':' || StartsWith(value, "\\\\"))) return;
    for (const std::string& symbol : FolderSymbols())
      if (StartsWith(value, symbol)) return;
    for (const TIniEntry& folder : customFolders_)
      if (StartsWith(value, "%" + folder.Key)) return;
    Warn(field, field.Where + " " + Quoted(value) +
                    " does not begin with a folder symbol (such as " + setup_symbol::kProgramFolder +
                    "), a custom folder or a drive, so it depends on the folder the setup happens to run in");
  }

  const std::string& file_;
  bool isBundle_;
  TFindingList& findings_;
  std::vector<TIniEntry> customFolders_;  // [Folders], in file order
};

// -- the settings and how the setup expands each -----------------------------

TField LiteralField(std::string where, int line, std::string value) {
  TField field;
  field.Where = std::move(where), field.Line = line, field.Value = std::move(value);
  return field;
}

TField TextField(std::string where, int line, std::string value, std::vector<std::string> expanded,
                 std::string reason = "") {
  TField field = LiteralField(std::move(where), line, std::move(value));
  field.Kind = TFieldKind::Text, field.Expanded = std::move(expanded), field.Reason = std::move(reason);
  return field;
}

// lost: what the setup skips when the item symbols empty the path.
TField PathField(std::string where, int line, std::string value, TFieldKind kind, std::string lost,
                 bool mustBeAbsolute) {
  TField field = LiteralField(std::move(where), line, std::move(value));
  field.Kind = kind, field.Lost = std::move(lost), field.MustBeAbsolute = mustBeAbsolute;
  return field;
}

std::vector<std::string> TextSymbolsAfter(const std::string& symbol) {
  const std::vector<std::string>& all = TextSymbols();
  return std::vector<std::string>(std::find(all.begin(), all.end(), symbol) + 1, all.end());
}

// Why a symbol stays in the value of a text symbol: the value goes in after
// the symbols before it in the order of replacement have been replaced.
std::string FilledInLate(const std::string& symbol) {
  const std::vector<std::string>& all = TextSymbols();
  const auto position = std::find(all.begin(), all.end(), symbol);
  std::string earlier;
  for (auto it = all.begin(); it != position; ++it)
    earlier += (it == all.begin() ? "" : it + 1 == position ? " and " : ", ") + *it;
  return "the setup fills in " + symbol + " only after it has replaced " + earlier;
}

void AddSetupFields(const TIniFile& ini, std::vector<TField>& fields) {
  const auto add = [&](const char* key, auto make) {
    if (const TIniEntry* entry = ini.FindKey(kSetup, key)) fields.push_back(make(KeyReference(kSetup, key), *entry));
  };
  for (const char* key : {kRegistryRoot, kBundleRegistryRoot, kDefaultFolder, kPersonalizeOwner, kPublisher})
    add(key, [](std::string where, const TIniEntry& e) { return LiteralField(where, e.Line, e.Value); });
  add(kInstallDescription, [](std::string where, const TIniEntry& e) {
    std::vector<std::string> expanded = TextSymbols();
    expanded.erase(std::find(expanded.begin(), expanded.end(), setup_symbol::kInstallDescription));
    return TextField(where, e.Line, e.Value, expanded,
                     std::string("it would take ") + kInstallDescription + " itself, as written");
  });
  // The texts that are symbols themselves: each is expanded by the symbols
  // that follow it.
  const std::pair<const char*, const char*> symbolTexts[] = {
      {kPersonalizeInfo, setup_symbol::kPersonalizeInfo},
      {kBundleSelectHeading, setup_symbol::kBundleSelectHeading},
      {kBundleSelectDescription, setup_symbol::kBundleSelectDescription},
  };
  for (const auto& [key, symbol] : symbolTexts)
    add(key, [&](std::string where, const TIniEntry& e) {
      return TextField(where, e.Line, e.Value, TextSymbolsAfter(symbol), FilledInLate(symbol));
    });
  add(kBundleItemName, [](std::string where, const TIniEntry& e) {
    TField field = LiteralField(where, e.Line, e.Value);
    field.Kind = TFieldKind::Caption;
    return field;
  });
}

// $InstallDescription in the finish text is filled in as written: the
// message is expanded while the description still is.
void CheckCompleteMessage(const std::string& file, const TIniFile& ini, TFindingList& findings) {
  const TIniEntry* message = ini.FindKey(kComplete, kMessage);
  if (message == nullptr || message->Value.find(setup_symbol::kInstallDescription) == std::string::npos) return;
  const std::string description = ReadSettingText(ini, kSetup, kInstallDescription);
  const std::vector<std::string>& all = TextSymbols();
  for (auto it = all.begin(); *it != setup_symbol::kInstallDescription; ++it) {
    if (description.find(*it) == std::string::npos) continue;
    findings.Warning(file, message->Line,
                     KeyReference(kComplete, kMessage) + " uses " + setup_symbol::kInstallDescription +
                         ", which it receives as written (" + Quoted(description) + "), so " + *it +
                         " in it stays as written");
    return;
  }
}

void AddCompleteFields(const TIniFile& ini, std::vector<TField>& fields) {
  if (const TIniEntry* entry = ini.FindKey(kComplete, kMessage))
    fields.push_back(TextField(KeyReference(kComplete, kMessage), entry->Line, entry->Value, TextSymbols()));
  if (const TIniEntry* entry = ini.FindKey(kComplete, kReadme))
    fields.push_back(PathField(KeyReference(kComplete, kReadme), entry->Line, entry->Value, TFieldKind::Path,
                               "the finish page has no read-me file to open", true));
  if (const TIniEntry* entry = ini.FindKey(kComplete, kProduct))
    fields.push_back(PathField(KeyReference(kComplete, kProduct), entry->Line, entry->Value, TFieldKind::Path,
                               "the finish page does not offer to start the program", true));
}

void AddRegistryFields(const TIniFile& ini, const char* section, std::vector<TField>& fields) {
  const std::string name = "the " + SectionReference(section) + " ";
  for (const TIniEntry& entry : ini.ReadList(section)) {
    if (!entry.HasKey) continue;
    const size_t slash = entry.Key.rfind('\\');
    const std::string keyPart = slash == std::string::npos ? "" : entry.Key.substr(0, slash);
    const std::string valueName = slash == std::string::npos ? entry.Key : entry.Key.substr(slash + 1);
    fields.push_back(PathField(name + "key", entry.Line, keyPart, TFieldKind::ItemPath,
                               "the setup never writes the value", false));
    fields.push_back(LiteralField(name + "value name", entry.Line, valueName));
    int32_t number;
    const bool isNumber = entry.Value.size() > 1 && entry.Value[0] == '#' &&
                          TryParseInteger(entry.Value.substr(1), number, HexPrefixes::DollarOnly);
    if (!isNumber)
      fields.push_back(PathField(name + "data", entry.Line, entry.Value, TFieldKind::ItemPath,
                                 "the setup writes it as an empty text", false));
  }
}

void AddListFields(const TIniFile& ini, std::vector<TField>& fields) {
  const auto each = [&](const char* section, auto add) {
    for (const TIniEntry& entry : ini.ReadList(section))
      if (entry.HasKey) add(entry);
  };
  const auto where = [](const char* section, const char* part) { return "the " + SectionReference(section) + " " + part; };
  each(kInstalledFiles, [&](const TIniEntry& e) {
    fields.push_back(LiteralField(where(kInstalledFiles, "file"), e.Line, e.Value));
  });
  each(kFolders, [&](const TIniEntry& e) {
    fields.push_back(PathField(where(kFolders, "path"), e.Line, e.Value, TFieldKind::ItemPath,
                               "it stays as written wherever %" + e.Key + " is used", true));
  });
  each(kFoldersRegistry, [&](const TIniEntry& e) {
    fields.push_back(LiteralField(where(kFoldersRegistry, "value"), e.Line, e.Value));
  });
  each(kComponents, [&](const TIniEntry& e) {
    fields.push_back(PathField(where(kComponents, "name"), e.Line, e.Key, TFieldKind::ItemPath,
                               "the setup never installs the component", false));
    fields.push_back(PathField(where(kComponents, "target"), e.Line, e.Value, TFieldKind::ItemPath,
                               "the setup never installs the component", true));
  });
  each(kCallLibraries, [&](const TIniEntry& e) {
    fields.push_back(LiteralField(where(kCallLibraries, "function"), e.Line, e.Key));
    fields.push_back(PathField(where(kCallLibraries, "library"), e.Line, e.Value, TFieldKind::Path,
                               "the setup never calls the function", true));
  });
  AddRegistryFields(ini, kRegistrySettings, fields);
  AddRegistryFields(ini, kGlobalRegistrySettings, fields);
  each(kShortcuts, [&](const TIniEntry& e) {
    const size_t comma = e.Value.find(',');
    fields.push_back(PathField(where(kShortcuts, "target"), e.Line, Trim(e.Value.substr(0, comma)), TFieldKind::Path,
                               "the setup never creates the shortcut", true));
    if (comma != std::string::npos)
      fields.push_back(TextField(where(kShortcuts, "title"), e.Line, Trim(e.Value.substr(comma + 1)), TextSymbols()));
  });
}

}  // namespace

void CheckSymbols(const std::string& file, const TIniFile& ini, bool isBundle, TFindingList& findings) {
  std::vector<TField> fields;
  AddSetupFields(ini, fields);
  AddCompleteFields(ini, fields);
  AddListFields(ini, fields);
  TSymbolChecker checker(file, ini, isBundle, findings);
  for (const TField& field : fields) checker.Check(field);
  CheckCompleteMessage(file, ini, findings);
}
