// A shell for tests. Special folders are whatever the test sets; shell links
// are real files in a memory file system, written as a short text so that a
// test can also plant or damage them; the folder browser plays a scripted
// user against the caller's callback.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "memory_file_system.h"
#include "platform/shell.h"

// What the user does in the folder browser.
struct TBrowseScript {
  // The items the user selects one after the other before closing the
  // browser; nullopt is an item without a file-system path (such as "Network").
  std::vector<std::optional<std::string>> Selections;
  // How the browser ends: cancelled, or OK on the last item (with its path,
  // if it has one).
  TBrowseOutcome Outcome;

  static TBrowseScript Cancel() { return {}; }
  static TBrowseScript Choose(const std::string& path) { return {{path}, {true, path}}; }
  static TBrowseScript ChooseItemWithoutPath() { return {{std::nullopt}, {true, std::nullopt}}; }
};

// One message the browse callback sent to the browser window.
struct TBrowserCall {
  enum Kind { SetSelection, SetStatusText } Message;
  std::string Text;
  bool operator==(const TBrowserCall&) const = default;
};

struct TBrowseRequest {
  WindowHandle Owner = nullptr;
  std::string Title;
  unsigned Flags = 0;
};

struct TOpenRequest {
  std::string File;
  bool Hidden = false;
  WindowHandle Owner = nullptr;
  std::string WorkingFolder;
  bool operator==(const TOpenRequest&) const = default;
};

class TFakeShell : public Shell {
 public:
  explicit TFakeShell(TMemoryFileSystem& files) : files_(files) {}

  std::optional<std::string> SpecialFolder(int csidl) override;
  // Sends kInitialized, then kSelChanged for each scripted selection, to a
  // window that records what the callback sends; answers the scripted outcome.
  TBrowseOutcome BrowseForFolder(WindowHandle owner, const std::string& title, unsigned flags,
                                 const BrowseCallback& callback) override;
  // Like the real save, writes nothing (and says nothing) when the link file
  // cannot be created, for one because its folder is missing.
  void WriteLink(const std::string& linkFile, const TShellLink& link) override;
  // False for a missing file, a file that is no link, or a link without a target.
  bool ReadLink(const std::string& linkFile, TShellLink& link) override;
  // Records the request; succeeds when the file or folder exists.
  bool Open(const std::string& file, bool hidden, WindowHandle owner, const std::string& workingFolder) override;

  // Set-up.
  void SetSpecialFolder(int csidl, const std::string& path) { folders_[csidl] = path; }
  void RemoveSpecialFolder(int csidl) { folders_.erase(csidl); }
  // Makes creating a link object fail, as when the shell's COM class is missing.
  void FailLinkObjects(bool fail = true) { failLinkObjects_ = fail; }
  void ScriptBrowse(const TBrowseScript& script) { script_ = script; }
  // Plants a link file with the given file attributes.
  void AddLink(const std::string& linkFile, const TShellLink& link, uint32_t attributes = 0);
  // The text a link file holds.
  static std::string LinkText(const TShellLink& link);

  // Inspection.
  int SpecialFolderCalls() const { return specialFolderCalls_; }
  const std::vector<TBrowseRequest>& BrowseRequests() const { return browseRequests_; }
  // What the callback sent during the last browse.
  const std::vector<TBrowserCall>& BrowserCalls() const { return browserCalls_; }
  const std::vector<TOpenRequest>& Opened() const { return opened_; }

 private:
  void RequireLinkObject() const;

  TMemoryFileSystem& files_;
  std::map<int, std::string> folders_;
  bool failLinkObjects_ = false;
  TBrowseScript script_;
  int specialFolderCalls_ = 0;
  std::vector<TBrowseRequest> browseRequests_;
  std::vector<TBrowserCall> browserCalls_;
  std::vector<TOpenRequest> opened_;
};
