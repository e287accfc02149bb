#include "common/errors.h"

EFOpenError FileOpenError(const std::string& path, const std::string& reason) {
  return EFOpenError("Cannot open file \"" + path + "\". " + reason);
}

EFCreateError FileCreateError(const std::string& path, const std::string& reason, bool inUse) {
  return EFCreateError("Cannot create file \"" + path + "\". " + reason, inUse);
}
