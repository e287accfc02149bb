// The test behind "You must have Administrator or Power User rights": the
// setup and the uninstaller both apply it before they change anything.
#pragma once

#include "platform/platform.h"

// Whether a folder can be made (and removed again) in Program Files and the
// machine's software key opens with full access. Probe folders that exist
// already are left alone; the test leaves no trace.
bool HasInstallRights(Platform& platform);
