#include "support/staging_generator.h"

#include <algorithm>
#include <string>
#include <vector>

#include "support/c_file.h"
#include "support/deterministic_random.h"
#include "support/side_picture.h"
#include "support/staging_layout.h"
#include "support/synthetic_text.h"

namespace fs = std::filesystem;

namespace {

fs::path Sibling(const fs::path& root, const char* suffix) {
  fs::path name = root.filename();
  name += suffix;
  return root.parent_path() / name;
}

std::string MarkerText() { return "staging layout version " + std::to_string(kStagingLayoutVersion) + "\n"; }

void WriteBinary(TCFile& out, uint64_t size, TDeterministicRandom& random) {
  std::vector<uint8_t> chunk(1 << 20);
  while (size > 0) {
    const size_t count = static_cast<size_t>(std::min<uint64_t>(size, chunk.size()));
    random.Fill(chunk.data(), count);
    out.WriteAll(chunk.data(), count);
    size -= count;
  }
}

void WriteFile(const fs::path& root, const TStagingFile& file) {
  const fs::path path = root / fs::path(file.Path);
  fs::create_directories(path.parent_path());
  TCFile out(path, "wb");
  TDeterministicRandom random(SeedOf(file.Path));
  const size_t size = static_cast<size_t>(file.Size);
  switch (file.Content) {
    case TFileContent::Binary:
      WriteBinary(out, file.Size, random);
      break;
    case TFileContent::Prose:
      out.WriteAll(SyntheticText(TTextKind::Prose, size, random).data(), size);
      break;
    case TFileContent::Log:
      out.WriteAll(SyntheticText(TTextKind::Log, size, random).data(), size);
      break;
    case TFileContent::Source:
      out.WriteAll(SyntheticText(TTextKind::Source, size, random).data(), size);
      break;
    case TFileContent::SetupIni:
      out.WriteAll(kSetupIniText, size);
      break;
    case TFileContent::SetupLicence:
      out.WriteAll(kSetupLicenceText, size);
      break;
    case TFileContent::SidePicture:
      out.WriteAll(SidePictureJpeg().data(), size);
      break;
  }
  out.Close();
}

}  // namespace

bool IsStagingTreeComplete(const fs::path& root) {
  std::error_code error;
  if (!fs::is_directory(root, error)) return false;
  const fs::path marker = Sibling(root, ".complete");
  if (!fs::is_regular_file(marker, error)) return false;
  TCFile in(marker, "rb");
  char text[128] = {};
  const size_t got = std::fread(text, 1, sizeof text - 1, in.Get());
  return std::string(text, got) == MarkerText();
}

bool EnsureStagingTree(const fs::path& root) {
  if (IsStagingTreeComplete(root)) return false;
  const fs::path partial = Sibling(root, ".partial");
  const fs::path marker = Sibling(root, ".complete");
  fs::remove(marker);
  fs::remove_all(root);
  fs::remove_all(partial);
  fs::create_directories(partial);
  for (const TStagingFile& file : StagingLayout()) WriteFile(partial, file);
  fs::rename(partial, root);
  TCFile out(marker, "wb");
  const std::string text = MarkerText();
  out.WriteAll(text.data(), text.size());
  out.Close();
  return true;
}
