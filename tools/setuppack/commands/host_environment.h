// The running program's view of its host: arguments, environment, its own
// folder and its terminal, in UTF-8 on every system.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The program's arguments after its name, as UTF-8. On Windows they are read
// as the wide command line, so that names outside the ANSI code page survive.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// The environment variable's value as UTF-8, or nothing when it is not set.
std::optional<std::string> EnvironmentVariable(const std::string& name);

// The folder of the running program, or the empty path when unknown.
std::filesystem::path ProgramFolder();

// Whether standard error is an interactive terminal.
bool StderrIsTerminal();
