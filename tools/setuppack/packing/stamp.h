// The package's stamp and the dates of its entries.
//
// The stamp is the package header's date-time (days since 1899-12-30, the
// setup reads it as local time) and becomes the date of every installed file.
// A build that is to be reproducible fixes it with --stamp or the
// SOURCE_DATE_EPOCH convention; the entries' FileTime then never lies after
// it, so that the checkout time of the staging tree cannot leak into the bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct TStamp {
  double DateTime = 0;
  bool Fixed = false;  // given by --stamp or SOURCE_DATE_EPOCH, not the clock
};

// Parses "YYYY-MM-DD[THH:MM[:SS]]", taken as the wall-clock time it spells,
// or a number of Unix seconds, converted in UTC. Raises Exception saying why
// when the text is neither or lies outside the years 1980 to 2107.
double ParseStamp(const std::string& text);

// The stamp of a build: the --stamp text when given (a bad one raises
// EUsageError), else SOURCE_DATE_EPOCH when set (a bad one raises Exception),
// else the current local time.
TStamp ChooseStamp(const std::optional<std::string>& option, const std::optional<std::string>& sourceDateEpoch);

// The date-time of Unix seconds in UTC.
double UnixTimeToDateTime(int64_t seconds);

// The FileTime of a source file modified at mtime (Unix seconds): its DOS
// date-time in UTC, no later than a fixed stamp, and kept within the DOS
// range 1980 to 2107 so that even a file dated 1970 gets a valid date.
uint32_t EntryFileTime(int64_t mtime, const TStamp& stamp);
