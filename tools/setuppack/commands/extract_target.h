// Placing extracted entries below a destination folder without ever leaving
// it: paths are made only from single checked names, and nothing that
// already lies there is followed if it is a symbolic link.
#pragma once

#include <filesystem>
#include <string>

// Raises Exception (naming shown) when path is a symbolic link, or something
// other than a folder, or cannot be looked at; nothing there is fine.
void CheckFolderTarget(const std::filesystem::path& path, const std::string& shown);
// Raises Exception when path is a symbolic link, a folder or a special file.
void CheckFileTarget(const std::filesystem::path& path, const std::string& shown);

// Creates the folder unless it is one already, after CheckFolderTarget.
void MakeFolder(const std::filesystem::path& path, const std::string& shown);
// After CheckFileTarget, removes a file already there, so that the new one is
// a file of its own rather than written through a hard link.
void ClearFileTarget(const std::filesystem::path& path, const std::string& shown);
