/* The "runtime" that the test plug-in depends on: it lies beside the plug-in
   and nowhere on the ordinary search path, as a vendor's own DLLs do. */
#include <windows.h>

__declspec(dllexport) void WriteMarker(const char* content) {
  char path[MAX_PATH + 1];
  const DWORD length = GetEnvironmentVariableA("SETUP_TEST_MARKER", path, sizeof path);
  if (length == 0 || length >= sizeof path) return;
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, content, lstrlenA(content), &written, NULL);
  CloseHandle(file);
}
