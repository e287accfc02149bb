#include "common/program_version.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/stream.h"

namespace {

TProgramVersion Parsed(const std::string& text) {
  TProgramVersion version;
  version.ParseVersion(text);
  return version;
}

struct ParseCase {
  const char* text;
  int major, minor, release, beta;
  bool pressPreview;
  const char* shown;
};

class ParseVersionTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseVersionTest, FieldsAndText) {
  const ParseCase& c = GetParam();
  const TProgramVersion v = Parsed(c.text);
  EXPECT_EQ(v.Major, c.major);
  EXPECT_EQ(v.Minor, c.minor);
  EXPECT_EQ(v.Release, c.release);
  EXPECT_EQ(v.Beta, c.beta);
  EXPECT_EQ(v.PressPreview, c.pressPreview);
  EXPECT_EQ(v.VersionText(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseVersionTest,
    testing::Values(ParseCase{"1.16", 1, 1, 6, 0, false, "1.16"},
                    ParseCase{"1.0", 1, 0, 0, 0, false, "1.00"},
                    ParseCase{"1.00", 1, 0, 0, 0, false, "1.00"},
                    ParseCase{"1.05", 1, 0, 5, 0, false, "1.05"},
                    ParseCase{"1.2.3", 1, 2, 0, 0, false, "1.20"},
                    ParseCase{"3", 3, 0, 0, 0, false, "3.00"},
                    ParseCase{" 2.1", 2, 1, 0, 0, false, "2.10"},
                    ParseCase{"2.5 beta 12", 2, 5, 0, 12, false, "2.50 beta 12"},
                    ParseCase{"1.16 beta 2", 1, 1, 6, 2, false, "1.16 beta 2"},
                    // The two characters after "beta " are "2 ": no integer.
                    ParseCase{"1.16 beta 2 (press preview)", 1, 1, 6, 0, true, "1.16 (press preview)"},
                    // The search for "beta " is case-sensitive.
                    ParseCase{"1.16 Beta 2", 1, 1, 6, 0, false, "1.16"},
                    ParseCase{"2.0 press", 2, 0, 0, 0, true, "2.00 (press preview)"}));

TEST(ParseVersion, RefusesNonVersionsAndKeepsTheOldValue) {
  for (const char* text : {"1.x", ".5", "", "x", "1 .5", "-1.0", "1."}) {
    TProgramVersion v = Parsed("4.21 beta 3");
    try {
      v.ParseVersion(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const EProgramVersionError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + text + "' is not a valid version number");
    }
    EXPECT_EQ(v.VersionText(), "4.21 beta 3") << text;
  }
}

TEST(VersionText, WideFieldsFromAStreamGiveMoreDigits) {
  TProgramVersion v;
  v.Major = 1;
  v.Minor = 12;
  v.Release = 0;
  EXPECT_EQ(v.VersionText(), "1.120");
  EXPECT_NE(Parsed(v.VersionText()).Minor, 12);
}

struct CompareCase {
  const char* a;
  const char* b;
  int expected;
};

class CompareVersionsTest : public testing::TestWithParam<CompareCase> {};

TEST_P(CompareVersionsTest, OrdersBothWays) {
  const CompareCase& c = GetParam();
  EXPECT_EQ(CompareVersions(Parsed(c.a), Parsed(c.b)), c.expected) << c.a << " vs " << c.b;
  EXPECT_EQ(CompareVersions(Parsed(c.b), Parsed(c.a)), -c.expected) << c.b << " vs " << c.a;
}

INSTANTIATE_TEST_SUITE_P(Pairs, CompareVersionsTest,
                         testing::Values(CompareCase{"1.16", "1.16 beta 9", 1},
                                         CompareCase{"1.16 beta 3", "1.16 beta 2", 1},
                                         CompareCase{"1.17 beta 1", "1.16", 1},
                                         CompareCase{"2.0", "1.99", 1},
                                         CompareCase{"1.20", "1.16", 1},
                                         CompareCase{"1.16", "1.16 (press preview)", 0},
                                         CompareCase{"10.0", "9.0", 1},
                                         CompareCase{"1.16", "1.16", 0}));

TEST(CompareVersions, ClampsLargeDifferences) {
  TProgramVersion a, b;
  a.Major = 2147483647;
  b.Major = -2147483647 - 1;
  EXPECT_EQ(CompareVersions(a, b), 1);
  EXPECT_EQ(CompareVersions(b, a), -1);
}

TEST(VersionBlock, RoundTripsAllFields) {
  TProgramVersion v;
  v.Major = 7;
  v.Minor = 12;
  v.Release = 3;
  v.Beta = 4;
  v.PressPreview = true;
  TMemoryStream stream;
  v.WriteVersion(stream);
  ASSERT_EQ(stream.Bytes().size(), 25u);
  EXPECT_EQ(stream.Bytes()[0], 0x9C);
  EXPECT_EQ(stream.Bytes()[3], 0xFF);
  EXPECT_EQ(stream.Bytes()[4], 1);
  stream.SetPosition(0);
  TProgramVersion read;
  read.ReadVersion(stream);
  EXPECT_EQ(read.VersionText(), "7.123 beta 4 (press preview)");
  EXPECT_EQ(stream.Position(), 25);
}

TEST(VersionBlock, AnyNonZeroPressPreviewByteReadsAsYes) {
  TMemoryStream stream;
  Parsed("1.00").WriteVersion(stream);
  stream.Bytes()[24] = 0x80;
  stream.SetPosition(0);
  TProgramVersion read;
  read.ReadVersion(stream);
  EXPECT_TRUE(read.PressPreview);
}

TEST(VersionBlock, BadMarkersAndShortStreams) {
  struct Case {
    int byte;          // which byte to change, or -1
    size_t truncateTo;  // length to cut the block to
    const char* message;
  };
  const Case cases[] = {
      {0, 25, "Invalid version number on stream"},
      {4, 25, "Invalid version number on stream"},
      {-1, 24, "Stream read error"},
      {-1, 6, "Stream read error"},
  };
  for (const Case& c : cases) {
    TMemoryStream stream;
    Parsed("1.16").WriteVersion(stream);
    if (c.byte >= 0) stream.Bytes()[c.byte] ^= 0x01;
    stream.Bytes().resize(c.truncateTo);
    stream.SetPosition(0);
    TProgramVersion v = Parsed("3.33");
    try {
      v.ReadVersion(stream);
      ADD_FAILURE() << "read a damaged block";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
    EXPECT_EQ(v.VersionText(), "3.33");
  }
}

}  // namespace
