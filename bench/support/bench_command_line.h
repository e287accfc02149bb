// What the benchmarks' programs share around their work: the command line
// "[--rounds N] OPERAND..." and the report of an error that ends them.
#pragma once

#include <filesystem>
#include <functional>
#include <vector>

struct TBenchCommandLine {
  int Rounds = 1;
  std::vector<std::filesystem::path> Operands;
};

// --rounds N (at least 1; defaultRounds without it) and the other arguments
// in order.
TBenchCommandLine ParseBenchCommandLine(int argc, char** argv, int defaultRounds);

// Runs body and answers its exit code; an error it raises is printed as
// "name: message" and answers 1.
int RunBenchmark(const char* name, const std::function<int()>& body);
