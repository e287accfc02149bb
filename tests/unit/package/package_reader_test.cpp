#include "package/package_reader.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/date_time.h"
#include "common/errors.h"
#include "package/package_format.h"
#include "package/zlib_compressor.h"
#include "package_fixture.h"

namespace {

using Items = std::vector<TPackageItem>;

std::string ErrorOf(const std::vector<uint8_t>& bytes) {
  TMemoryStream stream(bytes);
  try {
    VerifyPackage(stream);
  } catch (const Exception& e) {
    return e.Message();
  }
  return "";
}

std::string Inflated(TStream& stream, const TPackageEntry& entry) {
  TMemoryStream out;
  InflateEntry(stream, entry, out);
  return out.Text();
}

// The typical package: two components, support files, a folder and a file
// of the same name at the top.
Items SamplePackage() {
  return {
      TPackageItem::Folder("Main", {TPackageItem::File("Help.chm", "help"),
                                    TPackageItem::Folder("Docs", {TPackageItem::File("Readme.txt", "read me")}),
                                    TPackageItem::Folder("Empty")}),
      TPackageItem::Folder("Plugin", {TPackageItem::File("Plug.dll", std::string(5000, 'p'))}),
      TPackageItem::File("Setup.ini", "[Setup]\r\n"),
      TPackageItem::File("Twin", "a file"),
      TPackageItem::Folder("Twin", {TPackageItem::File("Inner.txt", "inside")}),
      TPackageItem::File("Empty.txt", ""),
  };
}

TEST(VerifyPackage, ReadsVersionDateAndDirectory) {
  const auto bytes = BuildPackage(SamplePackage(), "2.10 beta 3", 45413.5);
  TMemoryStream stream(bytes);
  const TPackageInfo info = VerifyPackage(stream);
  EXPECT_EQ(info.Version.VersionText(), "2.10 beta 3");
  EXPECT_EQ(info.PackageFileDate, DateTimeToDosDateTime(45413.5));
  EXPECT_EQ(info.DirectoryStart, 53);
  EXPECT_EQ(info.End, static_cast<int64_t>(bytes.size()));
}

TEST(VerifyPackage, StampOutsideDosRangeGivesDateZero) {
  for (double stamp : {0.0, 80000.0, -5.0}) {
    const auto bytes = BuildPackage(SamplePackage(), "1.0", stamp);
    TMemoryStream stream(bytes);
    EXPECT_EQ(VerifyPackage(stream).PackageFileDate, 0u) << stamp;
  }
}

TEST(VerifyPackage, WorksAtAnOffsetAndIgnoresWhatFollows) {
  std::vector<uint8_t> bytes(1000, 'M');
  const auto package = BuildPackage(SamplePackage());
  bytes.insert(bytes.end(), package.begin(), package.end());
  bytes.insert(bytes.end(), 77, 0xCC);  // a signature table, say
  TMemoryStream stream(bytes);
  stream.SetPosition(1000);
  const TPackageInfo info = VerifyPackage(stream);
  EXPECT_EQ(info.DirectoryStart, 1053);
  TPackageEntry entry;
  ASSERT_TRUE(FindSupportFile(stream, info, "setup.ini", entry));
  EXPECT_EQ(Inflated(stream, entry), "[Setup]\r\n");
}

TEST(VerifyPackage, SignatureIsJudgedBeforeTheChecksum) {
  auto bytes = BuildPackage(SamplePackage());
  bytes[3] = 'X';
  bytes[200] ^= 1;
  EXPECT_EQ(ErrorOf(bytes), "Invalid setup data signature");
}

TEST(VerifyPackage, ShortHeaderIsAReadError) {
  auto bytes = BuildPackage(SamplePackage());
  bytes.resize(27);
  EXPECT_EQ(ErrorOf(bytes), "Stream read error");
  EXPECT_EQ(ErrorOf({}), "Stream read error");
}

TEST(VerifyPackage, EveryChangedByteAfterTheHeaderIsCorruption) {
  const auto good = BuildPackage(SamplePackage());
  for (size_t i = 28; i < good.size(); i += 7) {
    auto bytes = good;
    bytes[i] ^= 0x5A;
    EXPECT_EQ(ErrorOf(bytes), kPackageCorrupted) << "byte " << i;
  }
}

TEST(VerifyPackage, EveryTruncationAfterTheHeaderIsCorruption) {
  const auto good = BuildPackage(SamplePackage());
  for (size_t length = 28; length < good.size(); length += 11) {
    auto bytes = good;
    bytes.resize(length);
    EXPECT_EQ(ErrorOf(bytes), kPackageCorrupted) << "length " << length;
  }
}

TEST(VerifyPackage, TruncationIsCaughtEvenWhenTheChecksumWouldMatch) {
  auto bytes = BuildPackage(SamplePackage());
  bytes.resize(bytes.size() - 76);  // drop the top level's end marker
  FixChecksum(bytes);                // over the bytes that are there
  EXPECT_EQ(ErrorOf(bytes), kPackageCorrupted);
}

TEST(VerifyPackage, StampAndReservedFieldAreNotCovered) {
  auto bytes = BuildPackage(SamplePackage());
  bytes[16] ^= 0x11;  // Stamp
  bytes[24] = 0xAB;   // reserved
  bytes[27] = 0xCD;
  EXPECT_EQ(ErrorOf(bytes), "");
}

TEST(VerifyPackage, BadVersionMarkersAfterAGoodChecksum) {
  auto bytes = BuildPackage(SamplePackage());
  bytes[28] = 0;
  FixChecksum(bytes);
  EXPECT_EQ(ErrorOf(bytes), "Invalid version number on stream");
}

// Structural damage behind a matching checksum: each case edits a valid
// package, recomputes the checksum and must get the corruption message.
struct StructureCase {
  const char* what;
  void (*damage)(std::vector<uint8_t>& bytes);
};

size_t FirstHeader() { return kFirstEntry; }

class ImpossibleStructureTest : public testing::TestWithParam<StructureCase> {};

TEST_P(ImpossibleStructureTest, GivesTheCorruptionMessage) {
  auto bytes = BuildPackage({TPackageItem::Folder("Main", {TPackageItem::File("a.txt", "alpha")}),
                             TPackageItem::File("Setup.ini", "x")});
  GetParam().damage(bytes);
  FixChecksum(bytes);
  EXPECT_EQ(ErrorOf(bytes), kPackageCorrupted) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImpossibleStructureTest,
    testing::Values(
        StructureCase{"negative BodySize", [](auto& b) { StoreInt32(b.data() + FirstHeader() + 68, -76); }},
        StructureCase{"BodySize past DataLength",
                      [](auto& b) { StoreInt32(b.data() + FirstHeader() + 68, 0x7FFFFFF0); }},
        StructureCase{"folder BodySize below its end marker",
                      [](auto& b) { StoreInt32(b.data() + FirstHeader() + 68, 10); }},
        StructureCase{"Size below -1", [](auto& b) { StoreInt32(b.data() + FirstHeader() + 76 + 72, -2); }},
        StructureCase{"name length above 63", [](auto& b) { b[FirstHeader()] = 64; }},
        StructureCase{"name with a backslash", [](auto& b) { b[FirstHeader() + 2] = '\\'; }},
        StructureCase{"name with a slash", [](auto& b) { b[FirstHeader() + 76 + 2] = '/'; }},
        StructureCase{"name with a drive colon", [](auto& b) { b[FirstHeader() + 2] = ':'; }},
        StructureCase{"name with a control character", [](auto& b) { b[FirstHeader() + 1] = '\t'; }},
        StructureCase{"name ..",
                      [](auto& b) {
                        b[FirstHeader()] = 2;
                        b[FirstHeader() + 1] = b[FirstHeader() + 2] = '.';
                      }},
        StructureCase{"name .",
                      [](auto& b) {
                        b[FirstHeader()] = 1;
                        b[FirstHeader() + 1] = '.';
                      }},
        StructureCase{"DataLength below a version block and end marker",
                      [](auto& b) {
                        StoreInt32(b.data() + 8, 30);
                        b.resize(58);
                      }},
        StructureCase{"negative DataLength", [](auto& b) { StoreInt32(b.data() + 8, -1); }},
        StructureCase{"no room for the top level's end marker",
                      [](auto& b) {
                        StoreInt32(b.data() + 8, LoadInt32(b.data() + 8) - 76);
                        b.resize(b.size() - 76);
                      }}));

TEST(VerifyPackage, DeepNestingIsRefused) {
  TPackageItem inner = TPackageItem::File("leaf", "x");
  // Written by hand: the writer itself refuses such a tree.
  std::vector<uint8_t> body;
  {
    std::vector<uint8_t> level;
    const auto stream = CompressZlib(reinterpret_cast<const uint8_t*>("x"), 1);
    uint8_t raw[76];
    StoreEntryHeader(raw, "leaf", 0, static_cast<int32_t>(stream.size()), 1);
    level.insert(level.end(), raw, raw + 76);
    level.insert(level.end(), stream.begin(), stream.end());
    uint8_t end[76] = {};
    level.insert(level.end(), end, end + 76);
    body = level;
    for (int depth = 0; depth < 70; ++depth) {
      std::vector<uint8_t> outer(76);
      StoreEntryHeader(outer.data(), "d", 0, static_cast<int32_t>(body.size()), -1);
      outer.insert(outer.end(), body.begin(), body.end());
      outer.insert(outer.end(), end, end + 76);
      body = outer;
    }
  }
  auto bytes = BuildPackage({});
  bytes.resize(53);
  bytes.insert(bytes.end(), body.begin(), body.end());
  StoreInt32(bytes.data() + 8, static_cast<int32_t>(bytes.size() - 28));
  FixChecksum(bytes);
  EXPECT_EQ(ErrorOf(bytes), kPackageCorrupted);
}

TEST(Lookup, ComponentsAndSupportFilesIgnoreCaseOfAToZ) {
  const auto bytes = BuildPackage(SamplePackage());
  TMemoryStream stream(bytes);
  const TPackageInfo info = VerifyPackage(stream);
  TPackageEntry entry;
  for (const char* name : {"Main", "MAIN", "main", "mAiN"}) {
    EXPECT_TRUE(FindComponent(stream, info, name, entry)) << name;
    EXPECT_EQ(entry.Header.Name, "Main");
  }
  EXPECT_FALSE(FindComponent(stream, info, "Setup.ini", entry));  // a file, not a folder
  EXPECT_FALSE(FindSupportFile(stream, info, "Main", entry));     // a folder, not a file
  EXPECT_FALSE(FindComponent(stream, info, "Docs", entry));       // below the top level
  EXPECT_FALSE(FindSupportFile(stream, info, "Help.chm", entry));
  EXPECT_FALSE(FindComponent(stream, info, "Mai", entry));
}

TEST(Lookup, FolderAndFileOfTheSameName) {
  const auto bytes = BuildPackage(SamplePackage());
  TMemoryStream stream(bytes);
  const TPackageInfo info = VerifyPackage(stream);
  TPackageEntry entry;
  ASSERT_TRUE(FindComponent(stream, info, "twin", entry));
  EXPECT_TRUE(entry.Header.IsFolder());
  EXPECT_EQ(FolderContentSize(stream, entry), 6);
  ASSERT_TRUE(FindSupportFile(stream, info, "TWIN", entry));
  EXPECT_EQ(Inflated(stream, entry), "a file");
}

TEST(Lookup, ComponentSizeCountsNestedFolders) {
  const auto bytes = BuildPackage(SamplePackage());
  TMemoryStream stream(bytes);
  const TPackageInfo info = VerifyPackage(stream);
  TPackageEntry entry;
  ASSERT_TRUE(FindComponent(stream, info, "Main", entry));
  EXPECT_EQ(FolderContentSize(stream, entry), 4 + 7);
  ASSERT_TRUE(FindComponent(stream, info, "Plugin", entry));
  EXPECT_EQ(FolderContentSize(stream, entry), 5000);
}

TEST(Walk, EmptyFolderHasBodySize76AndAnEmptyFileInflatesToNothing) {
  const auto bytes = BuildPackage(SamplePackage());
  TMemoryStream stream(bytes);
  const TPackageInfo info = VerifyPackage(stream);
  TPackageEntry main, entry;
  ASSERT_TRUE(FindComponent(stream, info, "Main", main));
  TPackageLevel level(stream, main);
  std::vector<std::string> names;
  while (level.Next(entry)) {
    names.push_back(entry.Header.Name);
    if (entry.Header.Name == "Empty") {
      EXPECT_EQ(entry.Header.BodySize, 76);
    }
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Help.chm", "Docs", "Empty"}));
  ASSERT_TRUE(FindSupportFile(stream, info, "Empty.txt", entry));
  EXPECT_EQ(entry.Header.Size, 0);
  EXPECT_EQ(entry.Header.BodySize, 8);  // 78 DA 03 00 00 00 00 01
  EXPECT_EQ(Inflated(stream, entry), "");
}

TEST(Walk, NamesOf63CharactersWithGarbageAfterShorterNames) {
  const std::string longName(63, 'n');
  auto bytes = BuildPackage({TPackageItem::File(longName, "long"), TPackageItem::File("short", "s")});
  // Fill the unused name bytes of the second header with garbage.
  const size_t second = kFirstEntry + 76 + LoadInt32(bytes.data() + kFirstEntry + 68);
  std::memset(bytes.data() + second + 1 + 5, 0xEE, 63 - 5);
  FixChecksum(bytes);
  TMemoryStream stream(bytes);
  const TPackageInfo info = VerifyPackage(stream);
  TPackageEntry entry;
  ASSERT_TRUE(FindSupportFile(stream, info, longName, entry));
  EXPECT_EQ(Inflated(stream, entry), "long");
  ASSERT_TRUE(FindSupportFile(stream, info, "SHORT", entry));
  EXPECT_EQ(entry.Header.Name, "short");
}

TEST(InflateEntry, LargeIncompressibleFileRoundTrips) {
  std::string content(3 * 65536 + 17, '\0');
  uint32_t x = 1;
  for (char& c : content) c = static_cast<char>((x = x * 1103515245 + 12345) >> 24);
  const auto bytes = BuildPackage({TPackageItem::File("big.bin", content)});
  TMemoryStream stream(bytes);
  const TPackageInfo info = VerifyPackage(stream);
  TPackageEntry entry;
  ASSERT_TRUE(FindSupportFile(stream, info, "big.bin", entry));
  EXPECT_EQ(Inflated(stream, entry), content);
}

TEST(InflateEntry, StreamShorterThanSizeIsAReadErrorAndARejectedStreamIsError) {
  auto good = BuildPackage({TPackageItem::File("f.txt", "hello hello hello")});
  struct Case {
    const char* what;
    void (*damage)(std::vector<uint8_t>&);
    const char* message;
  };
  const Case cases[] = {
      {"Size larger than the stream", [](auto& b) { StoreInt32(b.data() + kFirstEntry + 72, 100); },
       "Stream read error"},
      {"a bad zlib header", [](auto& b) { b[kFirstEntry + 76] = 0x00; }, "error"},
      {"bad deflate data", [](auto& b) { b[kFirstEntry + 76 + 2] = 0xFF; }, "error"},
  };
  for (const Case& c : cases) {
    auto bytes = good;
    c.damage(bytes);
    FixChecksum(bytes);
    TMemoryStream stream(bytes);
    const TPackageInfo info = VerifyPackage(stream);
    TPackageEntry entry;
    ASSERT_TRUE(FindSupportFile(stream, info, "f.txt", entry));
    try {
      Inflated(stream, entry);
      ADD_FAILURE() << c.what;
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.message) << c.what;
    }
  }
}

TEST(InflateEntry, TakesExactlySizeBytesOfALongerStream) {
  auto bytes = BuildPackage({TPackageItem::File("f.txt", "0123456789")});
  StoreInt32(bytes.data() + kFirstEntry + 72, 4);
  FixChecksum(bytes);
  TMemoryStream stream(bytes);
  const TPackageInfo info = VerifyPackage(stream);
  TPackageEntry entry;
  ASSERT_TRUE(FindSupportFile(stream, info, "f.txt", entry));
  EXPECT_EQ(Inflated(stream, entry), "0123");
}

}  // namespace
