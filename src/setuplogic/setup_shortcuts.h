// The [Shortcuts] step of the installation run: Start-menu and desktop
// shortcuts the user chose, each replacing older shortcuts to its target.
#pragma once

class TSetupInstaller;

// For each entry LOCATION=TARGET[,TITLE] whose location the user chose,
// removes the shortcuts to TARGET from the link's folder and creates
// TITLE.lnk there (TARGET's name without extension when there is no title).
// A title with "\" places the link in a subfolder, which is made and recorded
// for the uninstaller (the Start menu's and the desktop's own folders never
// are); an entry whose subfolder cannot be made, or whose target names a
// declined plug-in folder, is skipped.
void CreateShortcuts(TSetupInstaller& setup);
