// Bundle items: the lines of "BundleInfo.ini" and the date an item's files get.
#include "setuplogic/setup_bundle_item.h"

#include <gtest/gtest.h>

#include "common/date_time.h"
#include "common/errors.h"
#include "setuplogic/bundle_info.h"

namespace {

TEST(ParseBundleInfoTest, EveryLineWithANameBeforeItsEqualsSignIsAnItem) {
  const std::vector<TBundleInfoLine> items = ParseBundleInfo({
      "Pro=1.5",
      "Lite=1.2,Lite Edition, with a comma",
      "=2.0",
      "[Items]",
      ";Old=0.9",
      " Spaced = 1.0 ",
      "NoVersion=",
      "",
  });
  const std::vector<std::vector<std::string>> expected = {
      {"Pro", "1.5", "Pro"},
      {"Lite", "1.2", "Lite Edition, with a comma"},
      {";Old", "0.9", ";Old"},
      {" Spaced ", " 1.0 ", " Spaced "},
      {"NoVersion", "", "NoVersion"},
  };
  ASSERT_EQ(items.size(), expected.size());
  for (size_t i = 0; i < items.size(); ++i) {
    EXPECT_EQ(items[i].Name, expected[i][0]);
    EXPECT_EQ(items[i].VersionText, expected[i][1]);
    EXPECT_EQ(items[i].ProductName, expected[i][2]);
  }
}

uint32_t Dos(int year, int month, int day, int hour, int minute) {
  return PackDosDateTime({year, month, day, hour, minute, 0, 0});
}

TEST(SetupBundleItemTest, TheVersionIsAddedToThePackageDateAsATimeOfDay) {
  const uint32_t noon = Dos(2024, 5, 1, 12, 0);
  const struct {
    const char* Version;
    uint32_t PackageDate;
    uint32_t Expected;
  } cases[] = {
      {"0.0", noon, noon},
      {"1.5", noon, Dos(2024, 5, 1, 13, 50)},
      {"2.15", noon, Dos(2024, 5, 1, 14, 15)},
      {"1.59", noon, Dos(2024, 5, 1, 13, 59)},
      {"3.2 beta 4", noon, Dos(2024, 5, 1, 15, 20)},
      // Into the next day, month and year.
      {"23.59", Dos(2024, 12, 31, 23, 0), Dos(2025, 1, 1, 22, 59)},
      // A package without a DOS date: the items keep the package's own (0).
      {"1.5", 0, 0},
      // Past the end of DOS dates: no date either.
      {"2.0", Dos(2107, 12, 31, 23, 0), 0},
  };
  for (const auto& c : cases) {
    const TSetupBundleItem item("Pro", "Pro", c.Version, "", c.PackageDate);
    EXPECT_EQ(item.FileDate, c.Expected) << c.Version;
  }
}

TEST(SetupBundleItemTest, AVersionBeyondADayOrAnHourCannotBeADate) {
  for (const char* version : {"24.0", "1.65", "0.60", "100.0"}) {
    EXPECT_THROW(TSetupBundleItem("Pro", "Pro", version, "", 0), EConvertError) << version;
  }
}

TEST(SetupBundleItemTest, TheCaptionNamesTheItemWhereTheTemplateSaysSo) {
  const TSetupBundleItem item("Pro", "Pro Edition", "1.5", "$BundleItem ($BundleItem) $bundleitem", 0);
  EXPECT_EQ(item.Caption, "Pro (Pro) $bundleitem 1.5");
  EXPECT_EQ(item.Name, "Pro");
  EXPECT_EQ(item.ProductName, "Pro Edition");
  EXPECT_TRUE(item.Selected);
  EXPECT_EQ(TSetupBundleItem("Pro", "Pro", "1.5", "", 0).Caption, " 1.5");
}

}  // namespace
