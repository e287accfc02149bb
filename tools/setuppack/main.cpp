// setuppack: the vendor's packing tool. All of its work lies in the library;
// this only connects it to the process.
#include <iostream>

#include "commands/host_environment.h"
#include "commands/run_setuppack.h"

int main(int argc, char** argv) {
  const TCommandContext context{std::cout, std::cerr, EnvironmentVariable, ProgramFolder(), StderrIsTerminal()};
  const int code = RunSetuppack(ProgramArguments(argc, argv), context);
  std::cout.flush();
  if (!std::cout) {
    std::cerr << "setuppack: cannot write the output\n";
    return kExitFailure;
  }
  return code;
}
