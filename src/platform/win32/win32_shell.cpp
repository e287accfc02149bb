#include "platform/win32/win32_shell.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shellapi.h>

#include <exception>
#include <memory>

#include "common/errors.h"
#include "platform/win32/win32_com_ptr.h"
#include "platform/win32/win32_errors.h"
#include "platform/win32/win32_text.h"

namespace {

// An item list that the shell handed out. The shell allocator and the COM
// task allocator are one and the same, so CoTaskMemFree releases it without
// a round trip through SHGetMalloc.
struct TItemListFree {
  void operator()(ITEMIDLIST* list) const { CoTaskMemFree(list); }
};
using TItemList = std::unique_ptr<ITEMIDLIST, TItemListFree>;

// The item's file-system path; nullopt for items that have none (the
// Control Panel, a printer, the recycle bin). Windows gives folders without a
// trailing backslash except a drive root; Wine adds one to some (Documents),
// so it is taken off here and every caller sees the Windows form.
std::optional<std::string> PathOfItem(const ITEMIDLIST* list) {
  char buffer[MAX_PATH + 1] = {};
  if (list == nullptr || !SHGetPathFromIDListA(list, buffer) || buffer[0] == '\0') return std::nullopt;
  std::string path = buffer;
  if (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

class TWin32BrowserWindow : public BrowserWindow {
 public:
  explicit TWin32BrowserWindow(HWND window) : window_(window) {}
  void SetSelection(const std::string& path) override {
    SendMessageA(window_, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(path.c_str()));
  }
  void SetStatusText(const std::string& text) override {
    SendMessageA(window_, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }

 private:
  HWND window_;
};

// What the shell's callback needs to reach the caller's callback.
struct TBrowseSession {
  const BrowseCallback& Callback;
  std::exception_ptr Failure;
};

int CALLBACK BrowseCallbackProc(HWND window, UINT message, LPARAM parameter, LPARAM data) {
  auto& session = *reinterpret_cast<TBrowseSession*>(data);
  if (!session.Callback || session.Failure) return 0;
  std::optional<std::string> selection;
  if (message == BFFM_SELCHANGED) selection = PathOfItem(reinterpret_cast<const ITEMIDLIST*>(parameter));
  TWin32BrowserWindow browser(window);
  // C++ exceptions must not unwind through the shell's frames.
  try {
    session.Callback(browser, message, selection);
  } catch (...) {
    session.Failure = std::current_exception();
  }
  return 0;
}

// The shell's link object with the two interfaces that read and write it.
struct TLinkObject {
  TComPtr<IShellLinkA> Link;
  TComPtr<IPersistFile> File;
};

TLinkObject CreateLinkObject() {
  TLinkObject object;
  HRESULT result =
      CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, object.Link.Out());
  if (SUCCEEDED(result)) result = object.Link->QueryInterface(IID_IPersistFile, object.File.Out());
  if (FAILED(result) || !object.Link || !object.File)
    throw EOSError("Cannot create the shell link object. " + SystemErrorMessage(static_cast<DWORD>(result)));
  return object;
}

}  // namespace

std::optional<std::string> TWin32Shell::SpecialFolder(int csidl) {
  ITEMIDLIST* raw = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &raw))) return std::nullopt;
  const TItemList list(raw);
  return PathOfItem(list.get());
}

TBrowseOutcome TWin32Shell::BrowseForFolder(WindowHandle owner, const std::string& title, unsigned flags,
                                            const BrowseCallback& callback) {
  char displayName[MAX_PATH] = {};
  TBrowseSession session{callback, nullptr};
  BROWSEINFOA info = {};
  info.hwndOwner = static_cast<HWND>(owner);
  info.pidlRoot = nullptr;
  info.pszDisplayName = displayName;
  info.lpszTitle = title.c_str();
  info.ulFlags = flags;
  info.lpfn = BrowseCallbackProc;
  info.lParam = reinterpret_cast<LPARAM>(&session);
  const TItemList chosen(SHBrowseForFolderA(&info));
  if (session.Failure) std::rethrow_exception(session.Failure);
  TBrowseOutcome outcome;
  if (!chosen) return outcome;
  outcome.Chosen = true;
  outcome.Path = PathOfItem(chosen.get());
  return outcome;
}

void TWin32Shell::WriteLink(const std::string& linkFile, const TShellLink& link) {
  TLinkObject object = CreateLinkObject();
  // A link that cannot be completed or saved is not reported: the shortcut
  // is a convenience, and the installation goes on without it.
  object.Link->SetPath(link.Target.c_str());
  object.Link->SetWorkingDirectory(link.WorkingFolder.c_str());
  object.Link->SetIconLocation(link.IconFile.c_str(), link.IconIndex);
  object.File->Save(AnsiToWide(linkFile).c_str(), TRUE);
}

bool TWin32Shell::ReadLink(const std::string& linkFile, TShellLink& link) {
  TLinkObject object = CreateLinkObject();
  if (FAILED(object.File->Load(AnsiToWide(linkFile).c_str(), STGM_READ))) return false;
  char buffer[MAX_PATH + 1] = {};
  WIN32_FIND_DATAA found = {};
  // S_FALSE means the link holds no path (a link to a shell item).
  if (object.Link->GetPath(buffer, MAX_PATH, &found, 0) != S_OK) return false;
  TShellLink read;
  read.Target = buffer;
  buffer[0] = '\0';
  if (SUCCEEDED(object.Link->GetWorkingDirectory(buffer, MAX_PATH))) read.WorkingFolder = buffer;
  buffer[0] = '\0';
  int iconIndex = 0;
  if (SUCCEEDED(object.Link->GetIconLocation(buffer, MAX_PATH, &iconIndex))) {
    read.IconFile = buffer;
    read.IconIndex = iconIndex;
  }
  link = std::move(read);
  return true;
}

bool TWin32Shell::Open(const std::string& file, bool hidden, WindowHandle owner, const std::string& workingFolder) {
  const HINSTANCE result =
      ShellExecuteA(static_cast<HWND>(owner), nullptr, file.c_str(), nullptr,
                    workingFolder.empty() ? nullptr : workingFolder.c_str(), hidden ? SW_HIDE : SW_SHOWNORMAL);
  // Values up to 32 are error codes.
  return reinterpret_cast<INT_PTR>(result) > 32;
}
