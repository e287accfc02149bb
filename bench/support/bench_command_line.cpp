#include "support/bench_command_line.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "common/errors.h"

TBenchCommandLine ParseBenchCommandLine(int argc, char** argv, int defaultRounds) {
  TBenchCommandLine line;
  line.Rounds = defaultRounds;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--rounds") == 0 && i + 1 < argc)
      line.Rounds = std::max(1, std::atoi(argv[++i]));
    else
      line.Operands.emplace_back(argv[i]);
  }
  return line;
}

int RunBenchmark(const char* name, const std::function<int()>& body) {
  try {
    return body();
  } catch (const Exception& e) {
    std::cerr << name << ": " << e.Message() << "\n";
  } catch (const std::exception& e) {
    std::cerr << name << ": " << e.what() << "\n";
  }
  return 1;
}
