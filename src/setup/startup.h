// Start-up: decides the run mode and hands over to the setup or to the
// uninstaller, and reports what fails on the way.
#pragma once

struct Platform;

// Runs the program and answers its exit code: 0, or 1 after an error that
// nothing handled (reported as an application error naming its class).
int RunProgram(Platform& platform);

// Setup mode: builds the setup logic from the package and, until the wizard
// exists, names the product and its version in an information box. A failure
// is shown in the error box; the exit code is 0 either way.
int RunSetupMode(Platform& platform);
