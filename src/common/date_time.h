// Date-time values and DOS date-times.
//
// A date-time is a double: days since 1899-12-30 00:00, the fraction being the
// time of day (the package stamp uses this form). A DOS date-time packs the
// date in its high 16 bits (day + month*32 + (year-1980)*512) and the time in
// its low 16 bits (seconds/2 + minute*32 + hour*2048). Both are local times;
// nothing here converts between time zones.
#pragma once

#include <cstdint>

struct TCivilTime {
  int Year = 0, Month = 0, Day = 0;
  int Hour = 0, Minute = 0, Second = 0, Millisecond = 0;
};

// The DOS date-time of a date-time, or 0 when it lies outside 1980-2107 or is
// not a finite number.
uint32_t DateTimeToDosDateTime(double dateTime);
// The date-time of a DOS date-time; false when its fields are not a valid date.
bool DosDateTimeToDateTime(uint32_t dos, double& dateTime);

// Calendar fields of a date-time (milliseconds rounded); false when the value
// is not finite or lies outside the years 1 to 9999.
bool DecodeDateTime(double dateTime, TCivilTime& civil);
// The date-time of calendar fields; false when they are no valid date or time.
bool EncodeDateTime(const TCivilTime& civil, double& dateTime);

// The date-time of a time span of hours and minutes; raises EConvertError
// "Invalid argument to time encode" unless hours < 24 and minutes < 60.
double EncodeTime(int hours, int minutes);

// Packs calendar fields into a DOS date-time (no range check of the year).
uint32_t PackDosDateTime(const TCivilTime& civil);
