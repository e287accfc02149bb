// setuppack extract writes below its folder and nowhere else.
#include <gtest/gtest.h>

#include "common/stream.h"
#include "package/package_writer.h"
#include "package_fixture.h"
#include "setuppack_test_support.h"

namespace {

class ExtractTest : public ::testing::Test {
 protected:
  // A package written by the library, which stores names the tool would
  // never pack, as a hostile or foreign package might.
  fs::path Package(const std::vector<TPackageItem>& items) {
    const std::vector<uint8_t> bytes = BuildPackage(items);
    const fs::path path = temp_ / "Setup.dat";
    WriteFile(path, std::string(bytes.begin(), bytes.end()));
    return path;
  }

  std::vector<TPackageItem> Product() {
    return {TPackageItem::Folder("Main", {TPackageItem::File("Program.exe", "program"),
                                          TPackageItem::Folder("Docs", {TPackageItem::File("Readme.txt", "read")})}),
            TPackageItem::Folder("Plugin", {TPackageItem::File("Plug.dll", "plug")}),
            TPackageItem::File("Setup.ini", "[Setup]")};
  }

  TTempFolder temp_;
  fs::path out_ = temp_ / "out";
};

TEST_F(ExtractTest, WritesTheNamedComponentsOnly) {
  const fs::path package = Package(Product());
  const TToolResult result = RunTool({"extract", Arg(package), "-C", Arg(out_), "pLUGIN"});
  ASSERT_EQ(result.Code, 0) << result.Err;
  EXPECT_EQ(ReadTree(out_), (TStagingFiles{{"Plugin/", ""}, {"Plugin/Plug.dll", "plug"}}));
}

TEST_F(ExtractTest, RefusesAnUnknownComponentBeforeWritingAnything) {
  const fs::path package = Package(Product());
  // A support file is no component, even by its name.
  for (const char* name : {"Setup.ini", "Nothing"}) {
    const TToolResult result = RunTool({"extract", Arg(package), "-C", Arg(out_), "Main", name});
    EXPECT_EQ(result.Code, 1);
    EXPECT_NE(result.Err.find(std::string("no component \"") + name), std::string::npos) << result.Err;
    EXPECT_FALSE(fs::exists(out_));
  }
}

TEST_F(ExtractTest, NeverFollowsALinkInsideTheFolder) {
  const fs::path package = Package(Product());
  const fs::path outside = temp_ / "outside";
  WriteFile(outside / "Program.exe", "precious");
  WriteFile(outside / "Setup.ini", "precious");

  // A link in place of a component folder, and one in place of a file.
  fs::create_directories(out_);
  fs::create_directory_symlink(outside, out_ / "Main");
  TToolResult result = RunTool({"extract", Arg(package), "-C", Arg(out_)});
  EXPECT_EQ(result.Code, 1);
  EXPECT_NE(result.Err.find("symbolic link"), std::string::npos) << result.Err;
  fs::remove(out_ / "Main");
  fs::create_symlink(outside / "Setup.ini", out_ / "Setup.ini");
  result = RunTool({"extract", Arg(package), "-C", Arg(out_)});
  EXPECT_EQ(result.Code, 1);
  EXPECT_NE(result.Err.find("symbolic link"), std::string::npos) << result.Err;

  EXPECT_EQ(ReadTree(outside), (TStagingFiles{{"Program.exe", "precious"}, {"Setup.ini", "precious"}}));
  // Nothing was written before the refusal.
  EXPECT_EQ(ReadTree(out_).size(), 1u);
}

TEST_F(ExtractTest, ReplacesAFileWithoutWritingThroughItsHardLink) {
  const fs::path package = Package(Product());
  WriteFile(temp_ / "outside.ini", "precious");
  fs::create_directories(out_);
  fs::create_hard_link(temp_ / "outside.ini", out_ / "Setup.ini");
  const TToolResult result = RunTool({"extract", Arg(package), "-C", Arg(out_)});
  ASSERT_EQ(result.Code, 0) << result.Err;
  EXPECT_EQ(ReadFile(out_ / "Setup.ini"), "[Setup]");
  EXPECT_EQ(ReadFile(temp_ / "outside.ini"), "precious");
}

TEST_F(ExtractTest, RefusesNamesWindowsCannotHoldAndTwinsBeforeWritingAnything) {
  struct Case {
    const char* what;
    std::vector<TPackageItem> items;
  };
  const Case cases[] = {
      {"a device name", {TPackageItem::Folder("Main", {TPackageItem::File("CON", "x")})}},
      {"a forbidden character", {TPackageItem::Folder("Main", {TPackageItem::File("a<b", "x")})}},
      {"a trailing dot", {TPackageItem::Folder("Main", {TPackageItem::Folder("dir.")})}},
      {"twins by letter case", {TPackageItem::Folder("Main", {TPackageItem::File("a.txt", "1"), TPackageItem::File("A.TXT", "2")})}},
      {"a component and a support file of one name", {TPackageItem::Folder("Twin"), TPackageItem::File("twin", "x")}},
  };
  for (const Case& c : cases) {
    std::vector<TPackageItem> items = c.items;
    items.insert(items.begin(), TPackageItem::File("Setup.ini", "[Setup]"));
    const fs::path package = Package(items);
    const TToolResult result = RunTool({"extract", Arg(package), "-C", Arg(out_)});
    EXPECT_EQ(result.Code, 1) << c.what;
    EXPECT_FALSE(fs::exists(out_)) << c.what;
  }
}

}  // namespace
