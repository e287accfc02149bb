// Path helpers. "\" is the only separator; a drive colon also ends a folder
// part (C:name).
#pragma once

#include <string>

class FileSystem;

// Empty stays empty; otherwise exactly one trailing backslash.
std::string IncludeDelimiter(const std::string& path);
// Removes one trailing backslash, if there is one.
std::string ExcludeDelimiter(const std::string& path);
// IncludeDelimiter(folder) + name; an empty folder gives the name alone.
std::string JoinPath(const std::string& folder, const std::string& name);
std::string JoinPath3(const std::string& folder, const std::string& name1, const std::string& name2);
// The folder part: everything up to and including the last "\" or ":".
std::string ExtractFilePath(const std::string& path);
// The name part: everything after the last "\" or ":".
std::string ExtractFileName(const std::string& path);
// The extension of the name part with its dot; empty when there is none.
std::string ExtractFileExt(const std::string& path);
// The name part without its last extension; ".profile" gives "".
std::string FileBaseName(const std::string& path);
// "X:\...": a path from a drive's root, which the current folder and drive
// do not change.
bool IsDriveRootedPath(const std::string& path);
// "\\server\share\...".
bool IsNetworkPath(const std::string& path);

// The running executable's folder, with a trailing backslash.
std::string ApplicationFolder(FileSystem& files);

// Bounds a value: below low gives low, then above high gives high.
int EnsureRange(int value, int low, int high);
int Min(int a, int b);
