#include "commands/progress_meter.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(ProgressMeter, DrawsChangedPercentagesOnATerminalForLargeInputOnly) {
  const uint64_t large = kProgressThreshold * 2;
  struct Case {
    bool terminal;
    uint64_t total;
    std::string expected;
  };
  const Case cases[] = {
      {true, large, "\rsetuppack: compressing 0%\rsetuppack: compressing 50%\rsetuppack: compressing 100%\n"},
      {false, large, ""},
      {true, kProgressThreshold, ""},
  };
  for (const Case& c : cases) {
    std::ostringstream err;
    {
      TProgressMeter meter(err, c.terminal, c.total);
      for (const uint64_t done : {uint64_t{0}, c.total / 2, c.total / 2 + 1, c.total}) meter.Update(done, c.total);
    }
    EXPECT_EQ(err.str(), c.expected) << c.terminal << " " << c.total;
  }
}

}  // namespace
