// What a setuppack command may use of the world beyond its arguments, handed
// in so that tests can run commands in-process with their own environment.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

struct TCommandContext {
  std::ostream& Out;  // results: listings, summaries, "OK"
  std::ostream& Err;  // errors and progress
  // The value of an environment variable, or nothing when it is not set.
  std::function<std::optional<std::string>(const std::string& name)> Environment;
  // The folder of the setuppack program, where the default stub lies.
  std::filesystem::path ToolFolder;
  bool ErrIsTerminal = false;
};
