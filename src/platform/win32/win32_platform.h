// The Windows implementations of every platform service, owned together, and
// the bundle that hands them to the logic.
#pragma once

#include "platform/platform.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_libraries.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"

struct TWin32Platform {
  TWin32FileSystem Files;
  TWin32Registry Reg;
  TWin32Shell ShellServices;
  TWin32Libraries Libs;
  TWin32Dialogs Boxes;
  TWin32System Sys;

  Platform Bundle() { return Platform{Files, Reg, ShellServices, Libs, Boxes, Sys}; }
};
