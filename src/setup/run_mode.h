// Telling the setup program from its uninstaller copy.
#pragma once

class FileSystem;

// Whether the running executable's DOS header word 52 is exactly 1, the mark
// of the uninstaller copy. Raises the file layer's error when the executable
// cannot be read.
bool IsUninstallerCopy(FileSystem& files);
