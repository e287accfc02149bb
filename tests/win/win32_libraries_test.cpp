#include "platform/win32/win32_libraries.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/path.h"
#include "platform/win32/win32_file_system.h"
#include "win_test_folder.h"

namespace {

// Copies of the test plug-in and its runtime in a fresh folder; the plug-in's
// functions write their marker into that folder.
class Win32Libraries : public testing::Test {
 protected:
  void SetUp() override { SetEnvironmentVariableA("SETUP_TEST_MARKER", Marker().c_str()); }
  void TearDown() override { SetEnvironmentVariableA("SETUP_TEST_MARKER", nullptr); }

  std::string Marker() const { return folder_ / "marker.txt"; }
  // Copies a library of the build into the folder; answers its path there.
  std::string Install(const std::string& name) {
    TWin32FileSystem files;
    const std::string built = ExtractFilePath(files.ExecutablePath()) + "test_library\\" + name;
    EXPECT_TRUE(CopyFileA(built.c_str(), (folder_ / name).c_str(), FALSE)) << built;
    return folder_ / name;
  }
  std::string InstallPlugin() {
    Install("setup_test_plugin_runtime.dll");
    return Install("setup_test_plugin.dll");
  }

  TTestFolder folder_;
  TWin32Libraries libraries_;
};

TEST_F(Win32Libraries, CallsExportsOfEitherConvention) {
  const std::string plugin = InstallPlugin();
  const struct {
    const char* Export;
    const char* Marker;
  } calls[] = {{"InitStdcall", "stdcall"}, {"InitCdecl", "cdecl"}};
  for (const auto& call : calls) {
    SCOPED_TRACE(call.Export);
    DeleteFileA(Marker().c_str());
    // The runtime it imports lies only beside it, not beside this program.
    auto library = libraries_.Load(plugin);
    ASSERT_NE(library, nullptr);
    EXPECT_TRUE(library->HasExport(call.Export));
    EXPECT_TRUE(library->CallExport(call.Export));
    EXPECT_EQ(ReadTestFile(Marker()), call.Marker);
  }
}

TEST_F(Win32Libraries, ExportsAreLookedUpByTheirNameAsWritten) {
  auto library = libraries_.Load(InstallPlugin());
  ASSERT_NE(library, nullptr);
  for (const char* name : {"Missing", "initstdcall", "INITCDECL", ""}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(library->HasExport(name));
    EXPECT_FALSE(library->CallExport(name));
  }
  EXPECT_EQ(ReadTestFile(Marker()), "<missing>");
}

TEST_F(Win32Libraries, WhatDoesNotLoadGivesNothing) {
  WriteTestFile(folder_ / "text.dll", "this is not a library");
  // Without its runtime beside it, the plug-in cannot load.
  const std::string lonePlugin = Install("setup_test_plugin.dll");
  for (const std::string& path : {folder_ / "absent.dll", folder_ / "text.dll", lonePlugin}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(libraries_.Load(path), nullptr);
  }
}

TEST_F(Win32Libraries, TheLibraryIsUnloadedWithItsObject) {
  const std::string plugin = InstallPlugin();
  {
    auto library = libraries_.Load(plugin);
    ASSERT_NE(library, nullptr);
    EXPECT_NE(GetModuleHandleA(plugin.c_str()), nullptr);
  }
  EXPECT_EQ(GetModuleHandleA(plugin.c_str()), nullptr);
  EXPECT_EQ(GetModuleHandleA((folder_ / "setup_test_plugin_runtime.dll").c_str()), nullptr);
}

TEST_F(Win32Libraries, ASystemLibraryLoadsByItsName) {
  auto library = libraries_.Load("user32.dll");
  ASSERT_NE(library, nullptr);
  EXPECT_TRUE(library->HasExport("SetProcessDPIAware"));
}

}  // namespace
