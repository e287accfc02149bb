// The command line of one setuppack command: its options and operands.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "usage_error.h"


struct TOptionDefinition {
  std::string LongName;   // "--output"
  std::string ShortName;  // "-o", or empty
  bool TakesValue = false;
};

class TCommandLine {
 public:
  // Options may stand before, between or after the operands, as "--name
  // value", "--name=value" or "-n value"; "--" ends them. Raises EUsageError
  // for an unknown option, a missing value, a value given to a flag, or an
  // option given twice.
  TCommandLine(const std::vector<std::string>& args, const std::vector<TOptionDefinition>& options);

  bool Has(const std::string& longName) const { return given_.count(longName) != 0; }
  // The option's value, or nothing when it was not given.
  std::optional<std::string> Value(const std::string& longName) const;
  const std::vector<std::string>& Operands() const { return operands_; }

 private:
  std::map<std::string, std::string> given_;
  std::vector<std::string> operands_;
};
