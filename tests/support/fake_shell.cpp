#include "fake_shell.h"

#include "common/errors.h"
#include "common/integer_text.h"
#include "common/text.h"

namespace {

// The first line of every link file; anything else is not a link.
constexpr const char* kLinkHeader = "[ShellLink]";

class TRecordingBrowserWindow : public BrowserWindow {
 public:
  explicit TRecordingBrowserWindow(std::vector<TBrowserCall>& calls) : calls_(calls) {}
  void SetSelection(const std::string& path) override { calls_.push_back({TBrowserCall::SetSelection, path}); }
  void SetStatusText(const std::string& text) override { calls_.push_back({TBrowserCall::SetStatusText, text}); }

 private:
  std::vector<TBrowserCall>& calls_;
};

}  // namespace

std::optional<std::string> TFakeShell::SpecialFolder(int csidl) {
  ++specialFolderCalls_;
  auto it = folders_.find(csidl);
  return it == folders_.end() ? std::nullopt : std::optional(it->second);
}

TBrowseOutcome TFakeShell::BrowseForFolder(WindowHandle owner, const std::string& title, unsigned flags,
                                           const BrowseCallback& callback) {
  browseRequests_.push_back({owner, title, flags});
  browserCalls_.clear();
  TRecordingBrowserWindow window(browserCalls_);
  if (callback) {
    callback(window, browse_message::kInitialized, std::nullopt);
    for (const auto& selection : script_.Selections) callback(window, browse_message::kSelChanged, selection);
  }
  return script_.Outcome;
}

void TFakeShell::RequireLinkObject() const {
  if (failLinkObjects_) throw EOSError("Class not registered");
}

std::string TFakeShell::LinkText(const TShellLink& link) {
  return std::string(kLinkHeader) + "\r\nTarget=" + link.Target + "\r\nWorkingFolder=" + link.WorkingFolder +
         "\r\nIconFile=" + link.IconFile + "\r\nIconIndex=" + std::to_string(link.IconIndex) + "\r\n";
}

void TFakeShell::WriteLink(const std::string& linkFile, const TShellLink& link) {
  RequireLinkObject();
  try {
    files_.Create(linkFile)->WriteText(LinkText(link));
  } catch (const EStreamError&) {
    // IPersistFile::Save's result is not looked at.
  }
}

bool TFakeShell::ReadLink(const std::string& linkFile, TShellLink& link) {
  RequireLinkObject();
  if (!files_.FileExists(linkFile)) return false;
  const std::vector<std::string> lines = SplitLines(files_.Content(linkFile));
  if (lines.empty() || lines[0] != kLinkHeader) return false;
  TShellLink read;
  for (size_t i = 1; i < lines.size(); ++i) {
    const size_t equals = lines[i].find('=');
    if (equals == std::string::npos) return false;
    const std::string field = lines[i].substr(0, equals), value = lines[i].substr(equals + 1);
    if (field == "Target") read.Target = value;
    else if (field == "WorkingFolder") read.WorkingFolder = value;
    else if (field == "IconFile") read.IconFile = value;
    else if (field == "IconIndex" && !TryParseInteger(value, read.IconIndex)) return false;
  }
  if (read.Target.empty()) return false;
  link = read;
  return true;
}

bool TFakeShell::Open(const std::string& file, bool hidden, WindowHandle owner, const std::string& workingFolder) {
  opened_.push_back({file, hidden, owner, workingFolder});
  return files_.FileExists(file) || files_.FolderExists(file);
}

void TFakeShell::AddLink(const std::string& linkFile, const TShellLink& link, uint32_t attributes) {
  files_.AddFile(linkFile, LinkText(link), attributes);
}
