// The bundle of platform services that the logic is built with. There are no
// globals: every object that needs Windows gets this.
#pragma once

#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/libraries.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system.h"

struct Platform {
  FileSystem& Files;
  Registry& Reg;
  Shell& ShellServices;
  Libraries& Libs;
  Dialogs& Boxes;
  System& Sys;
};
