// Compressible text of the kinds a product ships: documentation prose, log
// files and program sources. The words and values are skewed the way real
// ones are, so deflate finds about the matches it finds in real files.
#pragma once

#include <cstddef>
#include <string>

#include "support/deterministic_random.h"

enum class TTextKind { Prose, Log, Source };

// Exactly size bytes of text of that kind, with CR LF line ends.
std::string SyntheticText(TTextKind kind, size_t size, TDeterministicRandom& random);
