#include "package/package_locator.h"

#include "common/path.h"
#include "package/package_format.h"
#include "platform/file_system.h"

int32_t ReadHeaderWord(TStream& executable, int offset) {
  executable.SetPosition(offset);
  return executable.ReadInt32();
}

std::unique_ptr<TStream> LocateAppendedData(std::unique_ptr<TStream> executable,
                                            const std::function<std::unique_ptr<TStream>()>& openSideFile) {
  const int32_t offset = ReadHeaderWord(*executable, package_format::kPackageOffsetWord);
  if (offset > 0) {
    executable->SetPosition(offset);
    return executable;
  }
  executable.reset();
  return openSideFile();
}

std::unique_ptr<TStream> OpenAppendedData(FileSystem& files, const std::string& sideFileName) {
  return LocateAppendedData(files.OpenRead(files.ExecutablePath()),
                            [&] { return files.OpenRead(ApplicationFolder(files) + sideFileName); });
}

std::unique_ptr<TStream> OpenPackage(FileSystem& files) { return OpenAppendedData(files, package_format::kSideFileName); }
