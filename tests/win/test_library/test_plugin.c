/* A plug-in with initialisation functions as library authors are told to
   write them: no arguments, stdcall or cdecl, exported under the plain name.
   Each leaves a marker file (its path in SETUP_TEST_MARKER) through the
   runtime DLL beside it. */
#include <windows.h>

__declspec(dllimport) void WriteMarker(const char* content);

__declspec(dllexport) void WINAPI InitStdcall(void) { WriteMarker("stdcall"); }

__declspec(dllexport) int __cdecl InitCdecl(void) {
  WriteMarker("cdecl");
  return 42; /* ignored by the caller */
}
