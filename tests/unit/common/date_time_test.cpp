#include "common/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/errors.h"

namespace {

uint32_t Dos(int year, int month, int day, int hour, int minute, int second) {
  return static_cast<uint32_t>(day + month * 32 + (year - 1980) * 512) << 16 |
         static_cast<uint32_t>(second / 2 + minute * 32 + hour * 2048);
}

TEST(DateTimeToDosDateTime, KnownDates) {
  struct Case {
    double dateTime;
    uint32_t dos;
  };
  const Case cases[] = {
      {45413.5, Dos(2024, 5, 1, 12, 0, 0)},
      {29221.0, Dos(1980, 1, 1, 0, 0, 0)},                // first DOS day
      {29220.999, 0},                                     // 1979-12-31
      {45413.0 + (13 * 3600 + 14 * 60 + 15) / 86400.0, Dos(2024, 5, 1, 13, 14, 14)},  // odd seconds halve down
      {-1.0, 0},
      {std::numeric_limits<double>::quiet_NaN(), 0},
      {std::numeric_limits<double>::infinity(), 0},
      {1e300, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(DateTimeToDosDateTime(c.dateTime), c.dos) << c.dateTime;
}

TEST(DateTimeToDosDateTime, LastDosYear) {
  TCivilTime t{2107, 12, 31, 23, 59, 58, 0};
  double value;
  ASSERT_TRUE(EncodeDateTime(t, value));
  EXPECT_EQ(DateTimeToDosDateTime(value), Dos(2107, 12, 31, 23, 59, 58));
}

TEST(DateTimeToDosDateTime, FirstYearAfterTheRangeGivesZero) {
  double value;
  ASSERT_TRUE(EncodeDateTime({2108, 1, 1, 0, 0, 0, 0}, value));
  EXPECT_EQ(DateTimeToDosDateTime(value), 0u);
}

TEST(DosDateTime, RoundTripsThroughDateTime) {
  const uint32_t dos = Dos(2001, 2, 28, 23, 58, 42);
  double value;
  ASSERT_TRUE(DosDateTimeToDateTime(dos, value));
  EXPECT_EQ(DateTimeToDosDateTime(value), dos);
  EXPECT_FALSE(DosDateTimeToDateTime(Dos(2001, 2, 29, 0, 0, 0), value));
}

TEST(DecodeDateTime, LeapDaysAndCenturies) {
  TCivilTime t;
  ASSERT_TRUE(DecodeDateTime(0.0, t));
  EXPECT_EQ(t.Year, 1899);
  EXPECT_EQ(t.Month, 12);
  EXPECT_EQ(t.Day, 30);
  double value;
  ASSERT_TRUE(EncodeDateTime({2000, 2, 29, 0, 0, 0, 0}, value));
  ASSERT_TRUE(DecodeDateTime(value + 1, t));
  EXPECT_EQ(t.Month, 3);
  EXPECT_EQ(t.Day, 1);
  EXPECT_FALSE(EncodeDateTime({1900, 2, 29, 0, 0, 0, 0}, value));
}

TEST(EncodeTime, RefusesSpansOfADayOrMore) {
  EXPECT_DOUBLE_EQ(EncodeTime(2, 15), (2 * 60 + 15) / 1440.0);
  EXPECT_NO_THROW(EncodeTime(23, 59));
  for (auto [h, m] : {std::pair{24, 0}, std::pair{1, 60}, std::pair{-1, 0}}) {
    try {
      EncodeTime(h, m);
      ADD_FAILURE();
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "Invalid argument to time encode");
    }
  }
}

}  // namespace
