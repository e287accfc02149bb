#include "commands/command_line.h"

namespace {

const TOptionDefinition* FindOption(const std::vector<TOptionDefinition>& options, const std::string& name) {
  for (const TOptionDefinition& option : options)
    if (name == option.LongName || (!option.ShortName.empty() && name == option.ShortName)) return &option;
  return nullptr;
}

}  // namespace

TCommandLine::TCommandLine(const std::vector<std::string>& args, const std::vector<TOptionDefinition>& options) {
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      operands_.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    const size_t equals = arg.rfind("--", 0) == 0 ? arg.find('=') : std::string::npos;
    const std::string name = arg.substr(0, equals);
    const TOptionDefinition* option = FindOption(options, name);
    if (option == nullptr) throw EUsageError("unknown option \"" + name + "\"");
    if (given_.count(option->LongName) != 0) throw EUsageError("the option " + option->LongName + " is given twice");
    std::string value;
    if (option->TakesValue) {
      if (equals != std::string::npos) {
        value = arg.substr(equals + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        throw EUsageError("the option " + name + " needs a value");
      }
      if (value.empty()) throw EUsageError("the option " + name + " needs a value");
    } else if (equals != std::string::npos) {
      throw EUsageError("the option " + name + " takes no value");
    }
    given_[option->LongName] = value;
  }
}

std::optional<std::string> TCommandLine::Value(const std::string& longName) const {
  const auto found = given_.find(longName);
  if (found == given_.end()) return std::nullopt;
  return found->second;
}
