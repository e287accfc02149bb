#include "common/date_time.h"

#include <cmath>

#include "common/errors.h"

namespace {

constexpr int64_t kMillisecondsPerDay = 86400000;
// Days from 0001-01-01 to 1899-12-30, the day the date-time counts from.
constexpr int64_t kDateDelta = 693593;

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Days since 0001-01-01 of a valid date.
int64_t DayNumber(int year, int month, int day) {
  int64_t days = 0;
  const int64_t y = year - 1;
  days = y * 365 + y / 4 - y / 100 + y / 400;
  for (int m = 1; m < month; ++m) days += DaysInMonth(year, m);
  return days + day - 1;
}

void CivilFromDayNumber(int64_t days, TCivilTime& civil) {
  // 400-year cycles have 146097 days.
  int64_t y400 = days / 146097;
  days %= 146097;
  int64_t y100 = days / 36524;
  if (y100 == 4) y100 = 3;
  days -= y100 * 36524;
  const int64_t y4 = days / 1461;
  days %= 1461;
  int64_t y1 = days / 365;
  if (y1 == 4) y1 = 3;
  days -= y1 * 365;
  civil.Year = static_cast<int>(y400 * 400 + y100 * 100 + y4 * 4 + y1 + 1);
  int month = 1;
  while (days >= DaysInMonth(civil.Year, month)) {
    days -= DaysInMonth(civil.Year, month);
    ++month;
  }
  civil.Month = month;
  civil.Day = static_cast<int>(days) + 1;
}

}  // namespace

bool DecodeDateTime(double dateTime, TCivilTime& civil) {
  if (!std::isfinite(dateTime)) return false;
  // Whole milliseconds since 0001-01-01, the way the fraction is read as a
  // time of day: a negative date-time counts its fraction forward from the
  // start of its day.
  const double whole = std::trunc(dateTime);
  const double fraction = std::fabs(dateTime - whole);
  const double day = whole + kDateDelta;
  if (day < 0 || day > 3652058) return false;  // up to 9999-12-31
  int64_t ms = std::llround(fraction * kMillisecondsPerDay);
  int64_t days = static_cast<int64_t>(day);
  if (ms >= kMillisecondsPerDay) {
    ms -= kMillisecondsPerDay;
    ++days;
  }
  CivilFromDayNumber(days, civil);
  civil.Hour = static_cast<int>(ms / 3600000);
  civil.Minute = static_cast<int>(ms / 60000 % 60);
  civil.Second = static_cast<int>(ms / 1000 % 60);
  civil.Millisecond = static_cast<int>(ms % 1000);
  return civil.Year >= 1 && civil.Year <= 9999;
}

bool EncodeDateTime(const TCivilTime& c, double& dateTime) {
  if (c.Year < 1 || c.Year > 9999 || c.Month < 1 || c.Month > 12 || c.Day < 1 ||
      c.Day > DaysInMonth(c.Year, c.Month))
    return false;
  if (c.Hour < 0 || c.Hour > 23 || c.Minute < 0 || c.Minute > 59 || c.Second < 0 || c.Second > 59 ||
      c.Millisecond < 0 || c.Millisecond > 999)
    return false;
  const double date = static_cast<double>(DayNumber(c.Year, c.Month, c.Day) - kDateDelta);
  const double time = (c.Hour * 3600000.0 + c.Minute * 60000.0 + c.Second * 1000.0 + c.Millisecond) /
                      kMillisecondsPerDay;
  // Dates before 1899-12-30 keep their time of day as a positive fraction of
  // a negative number.
  dateTime = date < 0 ? date - time : date + time;
  return true;
}

uint32_t PackDosDateTime(const TCivilTime& c) {
  const uint32_t date = static_cast<uint32_t>(c.Day + c.Month * 32 + (c.Year - 1980) * 512);
  const uint32_t time = static_cast<uint32_t>(c.Second / 2 + c.Minute * 32 + c.Hour * 2048);
  return date << 16 | time;
}

uint32_t DateTimeToDosDateTime(double dateTime) {
  TCivilTime civil;
  if (!DecodeDateTime(dateTime, civil) || civil.Year < 1980 || civil.Year > 2107) return 0;
  return PackDosDateTime(civil);
}

bool DosDateTimeToDateTime(uint32_t dos, double& dateTime) {
  TCivilTime civil;
  civil.Year = static_cast<int>(dos >> 25) + 1980;
  civil.Month = static_cast<int>(dos >> 21 & 15);
  civil.Day = static_cast<int>(dos >> 16 & 31);
  civil.Hour = static_cast<int>(dos >> 11 & 31);
  civil.Minute = static_cast<int>(dos >> 5 & 63);
  civil.Second = static_cast<int>(dos & 31) * 2;
  return EncodeDateTime(civil, dateTime);
}

double EncodeTime(int hours, int minutes) {
  if (hours < 0 || hours >= 24 || minutes < 0 || minutes >= 60)
    throw EConvertError("Invalid argument to time encode");
  return (hours * 60.0 + minutes) / 1440.0;
}
