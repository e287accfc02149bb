// Feeds arbitrary bytes to the uninstall record reader. The record sits in
// the product's folder, where other programs and users can change it, so
// reading it must end in an error message or a record, never in a crash, a
// hang or a huge allocation. A record that reads must also come back the same
// when written again: the reader keeps nothing the writer cannot express.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/errors.h"
#include "common/stream.h"
#include "package/uninstall_record.h"

namespace {

bool SameRecord(const TUninstallRecord& a, const TUninstallRecord& b) {
  return CompareVersions(a.Version, b.Version) == 0 && a.Version.PressPreview == b.Version.PressPreview &&
         a.Items == b.Items && a.Data == b.Data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMemoryStream in(std::vector<uint8_t>(data, data + size));
  TUninstallRecord record;
  try {
    record = ReadUninstallRecord(in);
  } catch (const Exception&) {
    return 0;
  }
  record.Version.VersionText();

  TMemoryStream out;
  WriteUninstallRecord(out, record.Version, record.Items, record.Data.data(), record.Data.size());
  out.SetPosition(0);
  if (!SameRecord(ReadUninstallRecord(out), record)) __builtin_trap();
  return 0;
}
