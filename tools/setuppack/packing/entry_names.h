// The rules a package entry name must meet to be written on Windows, and the
// case folding that decides when two names are the same file there.
//
// Names here are Windows-1252 bytes as stored in the package.
#pragma once

#include <string>

// Why the name cannot name a file or folder on Windows (empty, longer than 63
// bytes, a forbidden character, a trailing dot or blank, a device name such
// as CON or LPT1.txt), or the empty text when it can.
std::string EntryNameProblem(const std::string& name);

// The name as Windows compares file names: the letters of the code page that
// have an upper-case form (A-Z, the accented Latin letters, and the few of
// 0x80-0x9F) folded to it. Two siblings with equal folded names collide.
std::string FoldNameCase(const std::string& name);

// The order of entries within a level: by folded name, then by the bytes, so
// that names differing only in case still have one fixed order.
bool EntryNameLess(const std::string& a, const std::string& b);
