#include "packing/stamp.h"

#include <gtest/gtest.h>

#include "commands/command_line.h"
#include "common/date_time.h"
#include "common/errors.h"

namespace {

double DateTimeOf(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  double value = 0;
  EXPECT_TRUE(EncodeDateTime(TCivilTime{year, month, day, hour, minute, second}, value));
  return value;
}

uint32_t DosOf(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  return PackDosDateTime(TCivilTime{year, month, day, hour, minute, second});
}

TEST(ParseStamp, ReadsWallClockTextAndUnixSecondsInUtc) {
  struct Case {
    const char* text;
    double expected;
  };
  const Case cases[] = {
      {"2024-05-01", DateTimeOf(2024, 5, 1)},
      {"2024-05-01T12:30", DateTimeOf(2024, 5, 1, 12, 30)},
      {"2024-05-01T12:30:45", DateTimeOf(2024, 5, 1, 12, 30, 45)},
      // Seconds must land on exactly the value the calendar text gives, or
      // the two spellings of one stamp would build different bytes.
      {"1714566645", DateTimeOf(2024, 5, 1, 12, 30, 45)},
      {"1980-01-01", DateTimeOf(1980, 1, 1)},
      {"315532800", DateTimeOf(1980, 1, 1)},
      {"2107-12-31T23:59:59", DateTimeOf(2107, 12, 31, 23, 59, 59)},
      {"2024-02-29T00:00", DateTimeOf(2024, 2, 29)},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseStamp(c.text), c.expected) << c.text;
}

TEST(ParseStamp, RefusesMalformedTextsAndDatesADosDateCannotHold) {
  const char* refused[] = {
      "1979-12-31T23:59:59", "315532799", "2108-01-01", "4354819200", "99999999999999999999",
      "2023-02-29",          "2024-13-01", "2024-05-01T24:00", "2024-05-01T12:60", "2024-5-1",
      "2024-05-01 12:00",    "2024-05-01T12", "-1", "1e9", "", "yesterday",
  };
  for (const char* text : refused) EXPECT_THROW(ParseStamp(text), Exception) << text;
}

TEST(ChooseStamp, OptionBeatsSourceDateEpochAndEachFailsInItsOwnWay) {
  const TStamp fromOption = ChooseStamp("2024-05-01", "315532800");
  EXPECT_TRUE(fromOption.Fixed);
  EXPECT_EQ(fromOption.DateTime, DateTimeOf(2024, 5, 1));
  const TStamp fromEnvironment = ChooseStamp(std::nullopt, "315532800");
  EXPECT_TRUE(fromEnvironment.Fixed);
  EXPECT_EQ(fromEnvironment.DateTime, DateTimeOf(1980, 1, 1));
  EXPECT_FALSE(ChooseStamp(std::nullopt, std::nullopt).Fixed);

  // A bad option is the user's command line; a bad environment is not.
  EXPECT_THROW(ChooseStamp("1970-01-01", std::nullopt), EUsageError);
  try {
    ChooseStamp(std::nullopt, "2024-05-01");  // the convention allows seconds only
    ADD_FAILURE();
  } catch (const EUsageError&) {
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find("SOURCE_DATE_EPOCH"), std::string::npos);
  }
}

TEST(EntryFileTime, IsTheUtcDateClampedToTheStampAndTheDosRange) {
  const TStamp stamp{DateTimeOf(2024, 5, 1, 12, 0, 0), true};
  const TStamp clock{DateTimeOf(2024, 5, 1, 12, 0, 0), false};
  struct Case {
    int64_t mtime;
    const TStamp& stamp;
    uint32_t expected;
  };
  const Case cases[] = {
      {1577934245, stamp, DosOf(2020, 1, 2, 3, 4, 4)},       // 2020-01-02T03:04:05Z, two-second steps
      {1893456000, stamp, DosOf(2024, 5, 1, 12, 0, 0)},      // 2030 is after the stamp
      {1893456000, clock, DosOf(2030, 1, 1)},                // without a fixed stamp, no clamp
      {0, stamp, DosOf(1980, 1, 1)},                         // 1970 has no DOS date
      {-86400, stamp, DosOf(1980, 1, 1)},
      {5000000000, clock, DosOf(2107, 12, 31, 23, 59, 58)},  // 2128
  };
  for (const Case& c : cases) EXPECT_EQ(EntryFileTime(c.mtime, c.stamp), c.expected) << c.mtime;
}

}  // namespace
