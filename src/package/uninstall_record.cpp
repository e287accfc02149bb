#include "package/uninstall_record.h"

#include <cstring>

#include "common/errors.h"
#include "common/stream.h"
#include "common/text.h"
#include "package/package_locator.h"

void WriteUninstallRecord(TStream& out, const TProgramVersion& version, const std::vector<std::string>& items,
                          const uint8_t* data, size_t count) {
  uint8_t header[kRecordHeaderSize] = {};
  std::memcpy(header, kRecordSignature, sizeof kRecordSignature);
  out.WriteBuffer(header, sizeof header);
  version.WriteVersion(out);
  std::string text;
  for (const std::string& item : items) text += item + "\r\n";
  out.WriteInt32(static_cast<int32_t>(text.size()));
  out.WriteInt32(static_cast<int32_t>(count));
  out.WriteText(text);
  if (count > 0) out.WriteBuffer(data, count);
}

TUninstallRecord ReadUninstallRecord(TStream& in) {
  uint8_t header[kRecordHeaderSize];
  in.ReadBuffer(header, sizeof header);
  if (std::memcmp(header, kRecordSignature, sizeof kRecordSignature) != 0)
    throw ESetupError(kInvalidRecordSignature);
  TUninstallRecord record;
  record.Version.ReadVersion(in);
  const int32_t textLength = in.ReadInt32();
  const int32_t dataLength = in.ReadInt32();
  // A damaged record must not make us allocate what the file does not hold.
  const int64_t left = in.Size() - in.Position();
  if (textLength < 0 || dataLength < 0 || int64_t{textLength} + dataLength > left)
    throw EReadError(kStreamReadError);
  std::string text(static_cast<size_t>(textLength), '\0');
  in.ReadBuffer(text.data(), text.size());
  const size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  record.Items = SplitLines(text);
  record.Data.resize(static_cast<size_t>(dataLength));
  in.ReadBuffer(record.Data.data(), record.Data.size());
  return record;
}

std::unique_ptr<TStream> OpenUninstallRecord(FileSystem& files) { return OpenAppendedData(files, kRecordSideFileName); }
