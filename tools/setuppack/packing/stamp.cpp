#include "packing/stamp.h"

#include <algorithm>
#include <cctype>
#include <ctime>

#include "common/date_time.h"
#include "common/errors.h"
#include "usage_error.h"

namespace {

constexpr int kFirstYear = 1980, kLastYear = 2107;
constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kUnixEpochDay = 25569;  // 1970-01-01 as a date-time

bool AllDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Reads a fixed number of digits at text[at], as "2024" or "05".
bool ReadField(const std::string& text, size_t at, size_t width, int& value) {
  if (at + width > text.size()) return false;
  const std::string digits = text.substr(at, width);
  if (!AllDigits(digits)) return false;
  value = std::stoi(digits);
  return true;
}

bool ParseCalendarText(const std::string& text, TCivilTime& civil) {
  // YYYY-MM-DD, then optionally THH:MM and :SS.
  if (text.size() != 10 && text.size() != 16 && text.size() != 19) return false;
  if (!ReadField(text, 0, 4, civil.Year) || text[4] != '-' || !ReadField(text, 5, 2, civil.Month) ||
      text[7] != '-' || !ReadField(text, 8, 2, civil.Day))
    return false;
  if (text.size() >= 16 &&
      (text[10] != 'T' || !ReadField(text, 11, 2, civil.Hour) || text[13] != ':' || !ReadField(text, 14, 2, civil.Minute)))
    return false;
  if (text.size() == 19 && (text[16] != ':' || !ReadField(text, 17, 2, civil.Second))) return false;
  return true;
}

[[noreturn]] void OutOfRange(const std::string& text) {
  throw Exception("The stamp \"" + text + "\" lies outside the years 1980 to 2107 that a DOS date can hold");
}

void CheckRange(double dateTime, const std::string& text) {
  TCivilTime civil;
  if (!DecodeDateTime(dateTime, civil) || civil.Year < kFirstYear || civil.Year > kLastYear) OutOfRange(text);
}

double CurrentLocalDateTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &now);
#else
  localtime_r(&now, &local);
#endif
  TCivilTime civil;
  civil.Year = local.tm_year + 1900;
  civil.Month = local.tm_mon + 1;
  civil.Day = local.tm_mday;
  civil.Hour = local.tm_hour;
  civil.Minute = local.tm_min;
  civil.Second = std::min(local.tm_sec, 59);  // a leap second
  double dateTime = 0;
  EncodeDateTime(civil, dateTime);
  CheckRange(dateTime, "now");
  return dateTime;
}

}  // namespace

double UnixTimeToDateTime(int64_t seconds) {
  // Whole days and seconds separately, so that the result is exactly the
  // value the same date and time give when spelled as ISO 8601.
  int64_t days = seconds / kSecondsPerDay, rest = seconds % kSecondsPerDay;
  if (rest < 0) rest += kSecondsPerDay, --days;
  TCivilTime civil;
  // Beyond the years 1 to 9999 the day alone is close enough: every caller
  // refuses or clamps such a date anyway.
  if (!DecodeDateTime(static_cast<double>(kUnixEpochDay + days), civil)) return static_cast<double>(kUnixEpochDay + days);
  civil.Hour = static_cast<int>(rest / 3600);
  civil.Minute = static_cast<int>(rest / 60 % 60);
  civil.Second = static_cast<int>(rest % 60);
  double dateTime = 0;
  EncodeDateTime(civil, dateTime);
  return dateTime;
}

double ParseStamp(const std::string& text) {
  if (AllDigits(text)) {
    // 2107 is 4.3e9 seconds away: anything longer is out of range, and
    // refusing it here keeps std::stoll from overflowing.
    if (text.size() > 11) OutOfRange(text);
    const double dateTime = UnixTimeToDateTime(std::stoll(text));
    CheckRange(dateTime, text);
    return dateTime;
  }
  TCivilTime civil;
  double dateTime = 0;
  if (!ParseCalendarText(text, civil))
    throw Exception("The stamp \"" + text + "\" is neither YYYY-MM-DD[THH:MM[:SS]] nor a number of Unix seconds");
  if (!EncodeDateTime(civil, dateTime)) throw Exception("The stamp \"" + text + "\" is no valid date and time");
  CheckRange(dateTime, text);
  return dateTime;
}

TStamp ChooseStamp(const std::optional<std::string>& option, const std::optional<std::string>& sourceDateEpoch) {
  if (option) {
    try {
      return {ParseStamp(*option), true};
    } catch (const Exception& e) {
      throw EUsageError(e.Message());
    }
  }
  if (sourceDateEpoch) {
    // The convention allows only a number of seconds.
    if (!AllDigits(*sourceDateEpoch))
      throw Exception("SOURCE_DATE_EPOCH \"" + *sourceDateEpoch + "\" is not a number of Unix seconds");
    try {
      return {ParseStamp(*sourceDateEpoch), true};
    } catch (const Exception& e) {
      throw Exception("SOURCE_DATE_EPOCH: " + e.Message());
    }
  }
  return {CurrentLocalDateTime(), false};
}

uint32_t EntryFileTime(int64_t mtime, const TStamp& stamp) {
  double dateTime = UnixTimeToDateTime(mtime);
  if (stamp.Fixed) dateTime = std::min(dateTime, stamp.DateTime);
  TCivilTime first{kFirstYear, 1, 1}, last{kLastYear, 12, 31, 23, 59, 58};
  double lowest = 0, highest = 0;
  EncodeDateTime(first, lowest);
  EncodeDateTime(last, highest);
  return DateTimeToDosDateTime(std::clamp(dateTime, lowest, highest));
}
