#include "commands/package_file.h"

#include "package/package_format.h"
#include "package/package_locator.h"
#include "platform/host/host_file_stream.h"

TOpenedPackage OpenPackageFile(const std::filesystem::path& file) {
  auto stream = std::make_unique<THostFileStream>(file, THostFileStream::Mode::Read);
  char magic[2] = {};
  const bool executable = stream->Read(magic, 2) == 2 && magic[0] == 'M' && magic[1] == 'Z';
  TOpenedPackage opened;
  if (executable) {
    opened.Stream = LocateAppendedData(std::move(stream), [&] {
      return std::make_unique<THostFileStream>(file.parent_path() / package_format::kSideFileName,
                                               THostFileStream::Mode::Read);
    });
  } else {
    stream->SetPosition(0);
    opened.Stream = std::move(stream);
  }
  opened.Info = VerifyPackage(*opened.Stream);
  return opened;
}
