#include "support/synthetic_text.h"

#include <cstdio>
#include <iterator>
#include <string_view>

namespace {

// Ordered roughly by frequency: the skewed choice picks the first ones most.
constexpr std::string_view kWords[] = {
    "the",       "of",        "and",        "to",        "a",          "in",         "is",        "for",
    "that",      "you",       "it",         "with",      "on",         "as",         "are",       "this",
    "be",        "can",       "by",         "from",      "or",         "your",       "file",      "when",
    "not",       "all",       "an",         "each",      "which",      "at",         "if",        "setup",
    "folder",    "program",   "will",       "one",       "more",       "then",       "into",      "its",
    "has",       "other",     "only",       "there",     "before",     "after",      "new",       "installation",
    "component", "plug-in",   "version",    "settings",  "window",     "user",       "system",    "select",
    "option",    "button",    "dialog",     "project",   "track",      "sound",      "image",     "layer",
    "effect",    "channel",   "sample",     "rate",      "output",     "input",      "device",    "driver",
    "menu",      "toolbar",   "default",    "value",     "changes",    "shows",      "opens",     "saves",
    "press",     "choose",    "list",       "name",      "path",       "disk",       "space",     "free",
    "license",   "agreement", "read",       "write",     "copy",       "remove",     "update",    "previous",
    "existing",  "current",   "recommended", "advanced", "custom",     "complete",   "minimal",   "typical",
    "destination", "shortcut", "desktop",   "start",     "registry",   "key",        "entry",     "record",
    "uninstall", "restart",   "computer",   "network",   "server",     "client",     "library",   "module",
    "function",  "buffer",    "stream",     "memory",    "cache",      "thread",     "process",   "handle",
    "format",    "header",    "block",      "frame",     "packet",     "signal",     "filter",    "mixer",
    "volume",    "pan",       "tempo",      "beat",      "bar",        "note",       "pitch",     "wave",
    "brush",     "palette",   "canvas",     "pixel",     "resolution", "colour",     "gradient",  "mask",
    "selection", "transform", "rotate",     "scale",     "crop",       "export",     "import",    "preview",
    "quickly",   "carefully", "usually",    "sometimes", "always",     "never",      "often",     "however",
    "therefore", "although",  "because",    "while",     "until",      "unless",     "whether",   "between",
};
constexpr uint32_t kWordCount = static_cast<uint32_t>(std::size(kWords));

constexpr std::string_view kLogLevels[] = {"INFO ", "INFO ", "INFO ", "DEBUG", "DEBUG", "WARN ", "ERROR"};
constexpr std::string_view kLogModules[] = {"engine.audio", "engine.video", "io.disk",     "io.net",   "ui.main",
                                            "ui.dialogs",   "plugins.host", "plugins.vst", "licence", "update"};
constexpr std::string_view kLogMessages[] = {
    "opened stream", "closed stream",  "buffer underrun", "cache hit",     "cache miss",    "loaded plug-in",
    "saved project", "device changed", "frame dropped",   "retrying read", "request served", "settings stored"};

constexpr std::string_view kTypes[] = {"int", "bool", "size_t", "double", "std::string", "uint32_t", "TStream&",
                                       "const TBuffer&", "TFrame*", "void"};
constexpr std::string_view kStatements[] = {
    "if ({a} > {n}) return {b};",       "for (int i = 0; i < {n}; ++i) {a} += {b}[i];",
    "{a} = {b}.{c}({n});",              "if (!{a}) throw EDeviceError(\"{c} failed\");",
    "const auto {a} = {b} * {n} + {c};", "while ({a} != {b}) {a} = Next({a});",
    "{b}.{c}({a}, {n});",               "return {a} + {b};",
    "// {c} the {a} before the {b} is used", "{a} = std::min({a}, {n});"};

template <size_t N>
std::string_view Pick(const std::string_view (&items)[N], TDeterministicRandom& random) {
  return items[random.Below(static_cast<uint32_t>(N))];
}

std::string_view Word(TDeterministicRandom& random) { return kWords[random.Skewed(kWordCount)]; }

// An identifier as sources name things: two or three words in CamelCase.
void AppendIdentifier(std::string& text, TDeterministicRandom& random, bool capital) {
  const uint32_t parts = random.Between(1, 3);
  for (uint32_t i = 0; i < parts; ++i) {
    std::string_view word = Word(random);
    const size_t dash = word.find('-');
    if (dash != std::string_view::npos) word = word.substr(0, dash);
    const bool upper = capital || i > 0;
    text += upper ? static_cast<char>(word[0] - 'a' + 'A') : word[0];
    text.append(word.substr(1));
  }
}

void AppendNumber(std::string& text, uint32_t value) { text += std::to_string(value); }

void AppendProseParagraph(std::string& text, TDeterministicRandom& random) {
  const uint32_t sentences = random.Between(3, 7);
  for (uint32_t s = 0; s < sentences; ++s) {
    const uint32_t words = random.Between(6, 20);
    for (uint32_t w = 0; w < words; ++w) {
      const std::string_view word = Word(random);
      if (w == 0) {
        text += static_cast<char>(word[0] >= 'a' && word[0] <= 'z' ? word[0] - 'a' + 'A' : word[0]);
        text.append(word.substr(1));
      } else {
        text += ' ';
        text.append(word);
        if (w + 1 < words && random.Below(12) == 0) text += ',';
      }
    }
    text += s + 1 < sentences ? ". " : ".\r\n\r\n";
  }
}

// One log line; seconds advance a little with each line, as in a real log.
void AppendLogLine(std::string& text, TDeterministicRandom& random, uint32_t& clock) {
  clock += random.Skewed(4000);
  const uint32_t seconds = clock / 1000;
  char stamp[40];
  std::snprintf(stamp, sizeof stamp, "2024-%02u-%02u %02u:%02u:%02u.%03u [", 1 + seconds / 2592000 % 12,
                1 + seconds / 86400 % 28, seconds / 3600 % 24, seconds / 60 % 60, seconds % 60, clock % 1000);
  text += stamp;
  text.append(Pick(kLogLevels, random));
  text += "] ";
  text.append(Pick(kLogModules, random));
  text += ": ";
  text.append(Pick(kLogMessages, random));
  text += " id=";
  AppendNumber(text, random.Skewed(100000));
  if (random.Below(2) == 0) {
    text += " took ";
    AppendNumber(text, random.Skewed(500));
    text += " ms";
  }
  if (random.Below(3) == 0) {
    text += " (";
    text.append(Word(random));
    text += ' ';
    text.append(Word(random));
    text += ')';
  }
  text += "\r\n";
}

void AppendStatement(std::string& text, TDeterministicRandom& random, int indent) {
  text.append(static_cast<size_t>(indent) * 2, ' ');
  const std::string_view pattern = Pick(kStatements, random);
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 2] == '}') {
      const char slot = pattern[i + 1];
      if (slot == 'n')
        AppendNumber(text, random.Skewed(1024));
      else
        AppendIdentifier(text, random, slot == 'c');
      i += 2;
    } else {
      text += pattern[i];
    }
  }
  text += "\r\n";
}

void AppendFunction(std::string& text, TDeterministicRandom& random) {
  text.append(Pick(kTypes, random));
  text += ' ';
  AppendIdentifier(text, random, true);
  text += '(';
  const uint32_t parameters = random.Below(4);
  for (uint32_t p = 0; p < parameters; ++p) {
    if (p > 0) text += ", ";
    text.append(Pick(kTypes, random));
    text += ' ';
    AppendIdentifier(text, random, false);
  }
  text += ") {\r\n";
  const uint32_t statements = random.Between(2, 12);
  int indent = 1;
  for (uint32_t s = 0; s < statements; ++s) {
    if (indent < 3 && random.Below(6) == 0) {
      text.append(static_cast<size_t>(indent) * 2, ' ');
      text += "if (";
      AppendIdentifier(text, random, false);
      text += ") {\r\n";
      ++indent;
    }
    AppendStatement(text, random, indent);
    if (indent > 1 && random.Below(3) == 0) {
      --indent;
      text.append(static_cast<size_t>(indent) * 2, ' ');
      text += "}\r\n";
    }
  }
  while (indent > 1) {
    --indent;
    text.append(static_cast<size_t>(indent) * 2, ' ');
    text += "}\r\n";
  }
  text += "}\r\n\r\n";
}

}  // namespace

std::string SyntheticText(TTextKind kind, size_t size, TDeterministicRandom& random) {
  std::string text;
  text.reserve(size + 4096);
  uint32_t clock = random.Below(1u << 30);
  while (text.size() < size) {
    switch (kind) {
      case TTextKind::Prose:
        AppendProseParagraph(text, random);
        break;
      case TTextKind::Log:
        AppendLogLine(text, random, clock);
        break;
      case TTextKind::Source:
        AppendFunction(text, random);
        break;
    }
  }
  text.resize(size);
  return text;
}
