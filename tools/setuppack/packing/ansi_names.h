// Names between the staging tree's UTF-8 and the package's Windows-1252.
//
// Packages store single-byte names in the ANSI code page of the machines the
// setup runs on; Windows-1252 is the one our products ship for. Both
// directions are total tables here so that a build gives the same bytes on
// every host, whatever its locale.
#pragma once

#include <string>

// The Windows-1252 bytes of UTF-8 text; false when the text is not valid
// UTF-8 (overlong forms and surrogates included) or holds a character that
// code page lacks.
bool Utf8ToAnsi(const std::string& utf8, std::string& ansi);

// The UTF-8 text of Windows-1252 bytes. The five bytes the code page leaves
// undefined become the control characters of the same number, as Windows
// itself converts them.
std::string AnsiToUtf8(const std::string& ansi);
