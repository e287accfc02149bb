// One of each fake of the platform seam, and the bundle that hands them to
// the logic under test. The members are named as in Platform.
#pragma once

#include "fake_dialogs.h"
#include "fake_libraries.h"
#include "fake_shell.h"
#include "fake_system.h"
#include "memory_file_system.h"
#include "memory_registry.h"
#include "platform/platform.h"

struct TTestPlatform {
  TMemoryFileSystem Files;
  TMemoryRegistry Reg;
  TFakeShell ShellServices{Files};
  TFakeLibraries Libs;
  TFakeDialogs Boxes;
  TFakeSystem Sys;

  Platform Bundle() { return Platform{Files, Reg, ShellServices, Libs, Boxes, Sys}; }
};
