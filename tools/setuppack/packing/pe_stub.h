// The setup stub: the bare Setup.exe that a package is appended to.
//
// The setup finds its package through two reserved words of its DOS header:
// word 48 holds the package's file offset and word 52 the run mode (1 in the
// uninstaller copy). A bare stub has both at 0.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Raises Exception, naming shownPath and saying what to use instead, unless
// the bytes are a PE file ("MZ", a DOS header whose e_lfanew points past it
// at "PE\0\0") that carries no package, is no uninstaller copy and has no
// code signature (which appending would break; sign the finished setup).
void CheckBareStub(const std::vector<uint8_t>& stub, const std::string& shownPath);

// Points the stub's DOS header at a package appended at packageOffset, in
// setup mode.
void PointStubAtPackage(std::vector<uint8_t>& stub, int32_t packageOffset);
