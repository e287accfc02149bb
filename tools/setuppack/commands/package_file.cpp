#include "commands/package_file.h"

#include "package/package_format.h"
#include "package/package_locator.h"

namespace pf = package_format;

TOpenedPackage OpenPackageFile(const std::filesystem::path& file) {
  TOpenedPackage opened;
  opened.Stream = std::make_unique<THostFileStream>(file, THostFileStream::Mode::Read);
  char magic[2] = {};
  const bool executable = opened.Stream->Read(magic, 2) == 2 && magic[0] == 'M' && magic[1] == 'Z';
  if (executable) {
    const int32_t offset = ReadHeaderWord(*opened.Stream, pf::kPackageOffsetWord);
    if (offset > 0) {
      opened.Stream->SetPosition(offset);
    } else {
      opened.Stream = std::make_unique<THostFileStream>(file.parent_path() / pf::kSideFileName,
                                                        THostFileStream::Mode::Read);
    }
  } else {
    opened.Stream->SetPosition(0);
  }
  opened.Info = VerifyPackage(*opened.Stream);
  return opened;
}
