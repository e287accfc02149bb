// Start-up: decides the run mode and hands over to the setup or to the
// uninstaller, and reports what fails on the way.
#pragma once

class FileSystem;
class Dialogs;

// Runs the program and answers its exit code: 0, or 1 after an error that
// nothing handled (reported as an application error).
int RunProgram(FileSystem& files, Dialogs& dialogs);

// Setup mode: verifies the package and, for now, shows its product version.
// A failure is shown in the error box; the exit code is 0 either way.
int RunSetupMode(FileSystem& files, Dialogs& dialogs);
