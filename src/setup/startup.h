// Start-up: decides the run mode and hands over to the setup wizard or to the
// uninstaller, and reports what fails on the way.
#pragma once

class Libraries;
class Resources;
class System;
class TDisplay;
class WizardHost;
struct Platform;

// The program's first act, before any window, COM object or common control
// exists: the library search is restricted to the system folder, so that a
// library planted beside the setup is never loaded in place of one of the
// system's, and only then the display is made (it loads user32.dll by name).
TDisplay StartProcess(Libraries& libraries, System& system);

// What the setup mode needs besides the platform: the display font and
// scaling, the program's texts, and the window system that makes the wizard.
struct TWizardServices {
  TDisplay& Display;
  Resources& Texts;
  WizardHost& Windows;
};

// Runs the program and answers its exit code: 0, or 1 after an error that
// nothing handled (reported as an application error naming its class).
int RunProgram(Platform& platform, TWizardServices& wizard);

// Setup mode: the wizard as the main window until it closes. A failure of
// the setup logic is shown by the wizard in the error box; the exit code is
// 0 either way.
int RunSetupMode(Platform& platform, TWizardServices& wizard);
