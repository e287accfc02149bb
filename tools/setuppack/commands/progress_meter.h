// The percentage shown while a large package is being built.
//
// It is for a person watching a terminal: nothing is shown when stderr is a
// file or pipe (build logs stay clean) or when the input is small enough to
// be done before anyone would look.
#pragma once

#include <cstdint>
#include <ostream>

inline constexpr uint64_t kProgressThreshold = uint64_t{64} << 20;

class TProgressMeter {
 public:
  TProgressMeter(std::ostream& err, bool errIsTerminal, uint64_t totalInput);
  // Ends the line the meter has drawn on, if any.
  ~TProgressMeter();

  // Redraws the percentage when it has changed.
  void Update(uint64_t done, uint64_t total);

 private:
  std::ostream& err_;
  bool enabled_;
  int shown_ = -1;
};
