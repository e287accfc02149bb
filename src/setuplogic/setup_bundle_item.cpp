#include "setuplogic/setup_bundle_item.h"

#include "common/date_time.h"
#include "common/text.h"
#include "setuplogic/setup_symbols.h"

TSetupBundleItem::TSetupBundleItem(const std::string& name, const std::string& productName,
                                   const std::string& versionText, const std::string& bundleItemName,
                                   uint32_t packageFileDate)
    : Name(name), ProductName(productName) {
  Version.ParseVersion(versionText);
  Caption = ReplaceAll(bundleItemName + " " + versionText, setup_symbol::kBundleItem, Name);

  // The item's version shows in the time of day of its files, so that a
  // support call can tell the items apart by a file's date alone.
  const double span = EncodeTime(Version.Major, Version.Minor * 10 + Version.Release);
  double packageDate = 0;
  // A package stamped outside the DOS range has no date to add to; its items
  // then keep the package's own date (0), as every other extracted file does.
  if (DosDateTimeToDateTime(packageFileDate, packageDate)) FileDate = DateTimeToDosDateTime(packageDate + span);
}
