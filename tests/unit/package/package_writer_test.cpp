#include "package/package_writer.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "package/package_reader.h"
#include "package_fixture.h"

namespace {

TEST(WritePackage, StreamsAreMaximumCompressionZlib) {
  const auto bytes = BuildPackage({TPackageItem::File("a.txt", "some text some text"),
                                   TPackageItem::File("empty", "")});
  EXPECT_EQ(bytes[kFirstEntry + 76], 0x78);
  EXPECT_EQ(bytes[kFirstEntry + 77], 0xDA);
  // The empty file is the 8-byte stream of no data.
  const size_t second = kFirstEntry + 76 + LoadInt32(bytes.data() + kFirstEntry + 68);
  const std::vector<uint8_t> emptyStream(bytes.begin() + second + 76, bytes.begin() + second + 84);
  EXPECT_EQ(emptyStream, (std::vector<uint8_t>{0x78, 0xDA, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01}));
  EXPECT_EQ(LoadInt32(bytes.data() + second + 68), 8);
}

TEST(WritePackage, FolderBodySizeIsTheSumOfItsEntriesAndEndMarker) {
  const auto bytes = BuildPackage({TPackageItem::Folder(
      "F", {TPackageItem::File("one", std::string(1000, 'a')), TPackageItem::File("two", "b")})});
  TMemoryStream stream(bytes);
  const TPackageInfo info = VerifyPackage(stream);
  TPackageEntry folder, entry;
  ASSERT_TRUE(FindComponent(stream, info, "F", folder));
  int64_t sum = 76;
  TPackageLevel level(stream, folder);
  while (level.Next(entry)) sum += 76 + entry.Header.BodySize;
  EXPECT_EQ(folder.Header.BodySize, sum);
  EXPECT_EQ(LoadInt32(bytes.data() + 8), static_cast<int32_t>(bytes.size() - 28));
}

TEST(WritePackage, ParallelCompressionGivesTheSameBytes) {
  std::vector<TPackageItem> files;
  for (int i = 0; i < 40; ++i) files.push_back(TPackageItem::File("f" + std::to_string(i), std::string(i * 997, 'a' + i % 26)));
  std::vector<TPackageItem> items{TPackageItem::Folder("Main", files), TPackageItem::Folder("Copy", files)};
  TPackageOptions options;
  options.Version.ParseVersion("1.0");
  TMemoryStream one, many;
  options.Jobs = 1;
  WritePackage(one, items, options);
  options.Jobs = 8;
  uint64_t lastDone = 0, total = 0;
  options.Progress = [&](uint64_t done, uint64_t all) {
    EXPECT_GE(done, lastDone);
    lastDone = done;
    total = all;
  };
  WritePackage(many, items, options);
  EXPECT_EQ(one.Bytes(), many.Bytes());
  EXPECT_EQ(lastDone, total);
}

TEST(WritePackage, RefusesNamesThatCannotBeStored) {
  for (const std::string& name : {std::string(64, 'x'), std::string("a\\b"), std::string(".."), std::string(""),
                                 std::string("c:d")}) {
    TMemoryStream out;
    EXPECT_THROW(WritePackage(out, {TPackageItem::File(name, "x")}, {}), Exception) << name;
  }
}

}  // namespace
