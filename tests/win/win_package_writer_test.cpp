// The package writer in a Windows program, as setuppack.exe runs it: every
// package starts its compressing threads and ends them again.
#include "package/package_writer.h"

#include <gtest/gtest.h>

#include "package/package_reader.h"
#include "package_fixture.h"

namespace {

// Bytes that compress neither to nothing nor not at all.
std::string Varied(int seed, size_t size) {
  std::string text;
  uint32_t state = static_cast<uint32_t>(seed) * 2654435761u + 1;
  while (text.size() < size) {
    state = state * 1103515245u + 12345u;
    text += "abcdefgh"[state >> 29];
    if (state % 7 == 0) text += "a repeated phrase ";
  }
  return text;
}

TEST(WindowsPackageWriter, PackagesInARowOnThreadsThatEndGiveTheSameBytes) {
  std::vector<TPackageItem> files;
  for (int i = 0; i < 24; ++i) files.push_back(TPackageItem::File("f" + std::to_string(i), Varied(i, 1000 + i * 3331)));
  const std::vector<TPackageItem> items{TPackageItem::Folder("Main", files), TPackageItem::File("Setup.ini", "")};
  TPackageOptions options;
  options.Version.ParseVersion("1.0");
  std::vector<uint8_t> first;
  for (const int jobs : {1, 4, 1, 4}) {
    options.Jobs = jobs;
    TMemoryStream stream;
    WritePackage(stream, items, options);
    if (first.empty()) first = stream.Bytes();
    EXPECT_EQ(stream.Bytes(), first) << jobs << " jobs";
  }
  TMemoryStream written(first);
  const TPackageInfo info = VerifyPackage(written);
  TPackageEntry main;
  EXPECT_TRUE(FindComponent(written, info, "Main", main));
}

}  // namespace
