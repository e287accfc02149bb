// Adler-32 (RFC 1950) of the package's checked bytes.
#pragma once

#include <cstddef>
#include <cstdint>

class TStream;

// The Adler-32 of count bytes, continued from running. With no buffer at all
// the result is 1 whatever running is: that is how a computation starts. Over
// no bytes running comes back unchanged.
uint32_t Adler32(uint32_t running, const uint8_t* bytes, size_t count);

// The Adler-32 (from 1) of the next count bytes of the stream. A stream that
// ends early contributes the bytes it had; bytesRead (when given) tells how
// many that were. A count of 0 or less gives 1.
uint32_t StreamAdler32(TStream& stream, int64_t count, int64_t* bytesRead = nullptr);
