#include "platform/win32/win32_file_system.h"

#include <gtest/gtest.h>

#include <set>

#include "common/errors.h"
#include "common/text.h"
#include "win_test_folder.h"

namespace {

TEST(Win32FileSystem, CreateWriteAndReadBack) {
  TTestFolder folder;
  TWin32FileSystem files;
  {
    auto out = files.Create(folder / "a.bin");
    out->WriteText("hello world");
    out->SetPosition(6);
    out->WriteText("WORLD");
    EXPECT_EQ(out->Size(), 11);
  }
  auto in = files.OpenRead(folder / "a.bin");
  char buffer[32] = {};
  EXPECT_EQ(in->Read(buffer, sizeof buffer), 11u);
  EXPECT_EQ(std::string(buffer), "hello WORLD");
  EXPECT_EQ(in->Read(buffer, sizeof buffer), 0u);
}

TEST(Win32FileSystem, ReadingIsSharedWithWritersLikeARunningExecutable) {
  TTestFolder folder;
  TWin32FileSystem files;
  WriteTestFile(folder / "running.exe", "MZ....");
  HANDLE writer = CreateFileA((folder / "running.exe").c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  auto first = files.OpenRead(folder / "running.exe");
  auto second = files.OpenRead(folder / "running.exe");
  EXPECT_EQ(second->ReadByte(), 'M');
  CloseHandle(writer);
}

TEST(Win32FileSystem, OpenAndCreateErrorsNameTheFileAndTheReason) {
  TTestFolder folder;
  TWin32FileSystem files;
  try {
    files.OpenRead(folder / "missing.dat");
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_TRUE(StartsWith(e.Message(), "Cannot open file \"" + folder / "missing.dat" + "\". ")) << e.Message();
    EXPECT_GT(e.Message().size(), (folder / "missing.dat").size() + 22);
    EXPECT_NE(e.Message().back(), '.');
  }
  EXPECT_THROW(files.Create(folder / "no\\such\\folder.txt"), EFCreateError);
}

TEST(Win32FileSystem, FoldersAttributesAndRemoval) {
  TTestFolder folder;
  TWin32FileSystem files;
  EXPECT_EQ(files.CreateFolder(folder / "Sub"), FolderCreation::Created);
  EXPECT_EQ(files.CreateFolder(folder / "Sub"), FolderCreation::AlreadyExists);
  EXPECT_EQ(files.CreateFolder(folder / "Missing\\Sub"), FolderCreation::Failed);
  EXPECT_TRUE(files.FolderExists(folder / "Sub"));
  EXPECT_FALSE(files.FileExists(folder / "Sub"));

  WriteTestFile(folder / "Sub\\ro.txt", "x");
  ASSERT_TRUE(files.SetAttributes(folder / "Sub\\ro.txt", file_attribute::kReadOnly | file_attribute::kArchive));
  uint32_t attributes = 0;
  ASSERT_TRUE(files.GetAttributes(folder / "Sub\\ro.txt", attributes));
  EXPECT_EQ(attributes & (file_attribute::kReadOnly | file_attribute::kArchive),
            file_attribute::kReadOnly | file_attribute::kArchive);
  EXPECT_FALSE(files.RemoveFolder(folder / "Sub"));  // not empty
  ASSERT_TRUE(files.SetAttributes(folder / "Sub\\ro.txt", file_attribute::kArchive));
  EXPECT_TRUE(files.RemoveFile(folder / "Sub\\ro.txt"));
  EXPECT_FALSE(files.RemoveFile(folder / "Sub\\ro.txt"));
  EXPECT_TRUE(files.RemoveFolder(folder / "Sub"));
  EXPECT_FALSE(files.GetAttributes(folder / "Sub", attributes));
}

TEST(Win32FileSystem, LastWriteTimeIsALocalDosDateTime) {
  TTestFolder folder;
  TWin32FileSystem files;
  const uint32_t dos = (static_cast<uint32_t>(1 + 5 * 32 + (2024 - 1980) * 512) << 16) | (0 / 2 + 30 * 32 + 12 * 2048);
  {
    auto out = files.Create(folder / "dated.txt");
    out->WriteText("written before the date is set");
    ASSERT_TRUE(files.SetLastWriteTime(*out, dos));
  }
  // Closing the file after its date was set keeps that date.
  uint32_t read = 0;
  ASSERT_TRUE(files.GetLastWriteTime(folder / "dated.txt", read));
  EXPECT_EQ(read, dos);
  TMemoryStream notAFile;
  EXPECT_FALSE(files.SetLastWriteTime(notAFile, dos));
}

TEST(Win32FileSystem, FindListsEntriesOfOneFolder) {
  TTestFolder folder;
  TWin32FileSystem files;
  WriteTestFile(folder / "one.lnk", "");
  WriteTestFile(folder / "two.LNK", "");
  WriteTestFile(folder / "three.txt", "");
  CreateDirectoryA((folder / "sub.lnk").c_str(), nullptr);
  std::set<std::string> names;
  auto search = files.FindFirst(folder / "*.lnk");
  ASSERT_NE(search, nullptr);
  do names.insert(search->Current().Name + ((search->Current().Attributes & file_attribute::kDirectory) ? "\\" : ""));
  while (search->Next());
  EXPECT_EQ(names, (std::set<std::string>{"one.lnk", "two.LNK", "sub.lnk\\"}));
  EXPECT_EQ(files.FindFirst(folder / "*.none"), nullptr);
}

TEST(Win32FileSystem, VolumeTempFolderAndExecutable) {
  TWin32FileSystem files;
  uint64_t free = 0;
  EXPECT_TRUE(files.FreeBytes("C:\\", free));
  EXPECT_GT(free, 0u);
  EXPECT_FALSE(files.FreeBytes("Q:\\", free));
  const std::string temp = files.TempFolder();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), '\\');
  EXPECT_TRUE(EndsWith(UpperCaseAscii(files.ExecutablePath()), "WIN_TESTS.EXE"));
}

}  // namespace
