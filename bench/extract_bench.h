// Inflate-to-disk throughput: the whole package written to disk through the
// package reader (reader_extraction), against the plain zlib loop
// (support/plain_inflate) over the same streams writing the same files.
#pragma once

#include <filesystem>
#include <ostream>

// Extracts below scratch (made and removed here) in each round.
void RunExtractBench(std::ostream& out, const std::filesystem::path& package, const std::filesystem::path& scratch,
                     int rounds);
