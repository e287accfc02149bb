#include "common/file_enumerator.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "memory_file_system.h"

namespace {

using namespace file_attribute;

// Counts the searches that are still open, to show that every way out of an
// enumeration closes its search.
class TSearchCountingFileSystem : public TMemoryFileSystem {
 public:
  std::unique_ptr<FileSearch> FindFirst(const std::string& mask) override {
    auto inner = TMemoryFileSystem::FindFirst(mask);
    if (!inner) return nullptr;
    return std::make_unique<TCountedSearch>(std::move(inner), openSearches);
  }
  int openSearches = 0;

 private:
  class TCountedSearch : public FileSearch {
   public:
    TCountedSearch(std::unique_ptr<FileSearch> inner, int& open) : inner_(std::move(inner)), open_(open) { ++open_; }
    ~TCountedSearch() override { --open_; }
    const TFindEntry& Current() const override { return inner_->Current(); }
    bool Next() override { return inner_->Next(); }

   private:
    std::unique_ptr<FileSearch> inner_;
    int& open_;
  };
};

class FileEnumeratorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    files.AddFile("C:\\Dir\\Plain.lnk", "");
    files.AddFile("C:\\Dir\\ReadOnly.lnk", "", kReadOnly);
    files.AddFile("C:\\Dir\\Hidden.lnk", "", kHidden);
    files.AddFile("C:\\Dir\\System.lnk", "", kSystem);
    files.AddFile("C:\\Dir\\Folder.lnk\\Inner.lnk", "");
    files.AddFile("C:\\Dir\\Notes.txt", "");
  }

  std::vector<std::string> Names(const std::string& mask, uint32_t attributes) {
    std::vector<std::string> names;
    TFileEnumerator entries(files, mask, attributes);
    while (entries.Next()) names.push_back(entries.Name());
    std::sort(names.begin(), names.end());
    return names;
  }

  TSearchCountingFileSystem files;
};

TEST_F(FileEnumeratorTest, ListsSelectiveAttributesOnlyWhenTheMaskAsksForThem) {
  using Names_ = std::vector<std::string>;
  struct Case {
    uint32_t mask;
    Names_ expected;
  };
  const Case cases[] = {
      {kReadOnly | kArchive, {"Plain.lnk", "ReadOnly.lnk"}},
      {0, {"Plain.lnk", "ReadOnly.lnk"}},
      {kHidden, {"Hidden.lnk", "Plain.lnk", "ReadOnly.lnk"}},
      {kSystem, {"Plain.lnk", "ReadOnly.lnk", "System.lnk"}},
      {kDirectory, {"Folder.lnk", "Plain.lnk", "ReadOnly.lnk"}},
      {kAny, {"Folder.lnk", "Hidden.lnk", "Plain.lnk", "ReadOnly.lnk", "System.lnk"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Names("C:\\Dir\\*.lnk", c.mask), c.expected) << "mask " << c.mask;
  EXPECT_EQ(files.openSearches, 0);
}

TEST_F(FileEnumeratorTest, DotEntriesAreDirectories) {
  const auto all = Names("C:\\Dir\\*", kAny);
  EXPECT_EQ(std::count(all.begin(), all.end(), "."), 1);
  EXPECT_EQ(std::count(all.begin(), all.end(), ".."), 1);
  // The search starts on "."; a file mask must skip it and ".." before the first file.
  EXPECT_EQ(Names("C:\\Dir\\*", kArchive), (std::vector<std::string>{"Notes.txt", "Plain.lnk", "ReadOnly.lnk"}));
}

TEST_F(FileEnumeratorTest, HasAttributeLooksAtTheCurrentEntry) {
  TFileEnumerator entries(files, "C:\\Dir\\*", kAny);
  EXPECT_FALSE(entries.HasAttribute(kAny));  // nothing is current before the first Next
  EXPECT_EQ(entries.Name(), "");
  int folders = 0, readOnly = 0;
  while (entries.Next()) {
    if (entries.HasAttribute(kDirectory)) ++folders;
    if (entries.HasAttribute(kReadOnly | kHidden)) ++readOnly;
  }
  EXPECT_EQ(folders, 3);   // ".", ".." and Folder.lnk
  EXPECT_EQ(readOnly, 2);  // ReadOnly.lnk and Hidden.lnk
}

TEST_F(FileEnumeratorTest, AMaskThatMatchesNothingEndsAtOnce) {
  for (const char* mask : {"C:\\Dir\\*.ini", "C:\\Missing\\*.lnk", "C:\\Dir\\Hidden.lnk"}) {
    TFileEnumerator entries(files, mask, kReadOnly | kArchive);
    EXPECT_FALSE(entries.Next()) << mask;
    EXPECT_EQ(entries.Name(), "") << mask;
    EXPECT_FALSE(entries.HasAttribute(kAny)) << mask;
    EXPECT_FALSE(entries.Next()) << mask;
    EXPECT_EQ(files.openSearches, 0) << mask;
  }
}

TEST_F(FileEnumeratorTest, AfterTheLastEntryItStaysEndedAndClosed) {
  TFileEnumerator entries(files, "C:\\Dir\\Notes.txt", 0);
  ASSERT_TRUE(entries.Next());
  EXPECT_EQ(entries.Name(), "Notes.txt");
  EXPECT_EQ(files.openSearches, 1);
  EXPECT_FALSE(entries.Next());
  EXPECT_EQ(entries.Name(), "");
  EXPECT_FALSE(entries.HasAttribute(kAny));
  EXPECT_FALSE(entries.Next());
  EXPECT_EQ(files.openSearches, 0);
}

TEST_F(FileEnumeratorTest, LeavingEarlyClosesTheSearch) {
  {
    TFileEnumerator entries(files, "C:\\Dir\\*", kAny);
    ASSERT_TRUE(entries.Next());
    EXPECT_EQ(files.openSearches, 1);
  }
  EXPECT_EQ(files.openSearches, 0);
}

}  // namespace
