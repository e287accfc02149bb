#include "platform/win32/win32_resources.h"

#include <windows.h>

std::optional<std::string> TWin32Resources::LoadText(unsigned id) {
  // The longest text a STRINGTABLE entry holds is 4097 characters.
  char buffer[4100];
  const int length = LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
  if (length <= 0) return std::nullopt;
  return std::string(buffer, static_cast<size_t>(length));
}
