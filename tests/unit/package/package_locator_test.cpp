#include "package/package_locator.h"

#include <gtest/gtest.h>

#include "common/errors.h"
#include "memory_file_system.h"
#include "package/package_reader.h"
#include "package_fixture.h"

namespace {

// A fake executable: a DOS header with word 48 set, then padding.
std::vector<uint8_t> Executable(int32_t word48, size_t size = 512) {
  std::vector<uint8_t> exe(size, 0);
  exe[0] = 'M';
  exe[1] = 'Z';
  StoreInt32(exe.data() + 48, word48);
  return exe;
}

std::string ProductVersionOf(FileSystem& files) {
  auto stream = OpenPackage(files);
  return VerifyPackage(*stream).Version.VersionText();
}

TEST(OpenPackage, AppendedPackageAtWord48) {
  TMemoryFileSystem files;
  auto exe = Executable(512);
  const auto package = BuildPackage({TPackageItem::File("Setup.ini", "")}, "3.21");
  exe.insert(exe.end(), package.begin(), package.end());
  files.AddFile("C:\\Setup\\Setup.exe", exe);
  EXPECT_EQ(ProductVersionOf(files), "3.21");
}

TEST(OpenPackage, SetupDatBesideTheExecutableForWord48ZeroOrNegative) {
  for (int32_t word : {0, -1, -2147483647 - 1}) {
    TMemoryFileSystem files;
    files.SetExecutablePath("C:\\Product Disk\\Install.exe");
    files.AddFile("C:\\Product Disk\\Install.exe", Executable(word));
    files.AddFile("C:\\Product Disk\\SETUP.DAT", BuildPackage({}, "4.00"));
    EXPECT_EQ(ProductVersionOf(files), "4.00") << word;
  }
}

TEST(OpenPackage, MissingSetupDatIsTheOpenErrorNamingTheFile) {
  TMemoryFileSystem files;
  files.AddFile("C:\\Setup\\Setup.exe", Executable(0));
  try {
    OpenPackage(files);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file \"C:\\Setup\\Setup.dat\". The system cannot find the file specified");
  }
}

TEST(OpenPackage, ExecutableShorterThanItsHeaderWordIsAReadError) {
  TMemoryFileSystem files;
  files.AddFile("C:\\Setup\\Setup.exe", std::string("MZ"));
  EXPECT_THROW(OpenPackage(files), EReadError);
}

}  // namespace
