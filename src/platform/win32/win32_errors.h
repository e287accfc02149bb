// Turning Windows error codes into the system's reason texts.
#pragma once

#include <windows.h>

#include <string>

// The system's text for an error code, without trailing blanks and full stop
// (the boxes add the full stop).
std::string SystemErrorMessage(DWORD code);
