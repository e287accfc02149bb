// Starting a program under measurement and watching its windows from
// outside, the way a user sees them: which windows exist and are visible and
// what their controls say (all kept by the window system, so reading them
// waits for nobody), and message round trips that show when the program's
// thread has caught up with its messages and its painting.
//
// Under Wine every question about another process's window is a request to
// the wineserver, which the program under measurement needs for each file it
// makes. The watching therefore finds a control's window once and then asks
// only about that window (GetDlgItem alone asks about every child).
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

class TChildProgram {
 public:
  // Starts the program with its own folder as the current folder. Raises
  // std::runtime_error when it cannot be started.
  explicit TChildProgram(const std::filesystem::path& program);
  // Ends the program if it still runs.
  ~TChildProgram();
  TChildProgram(const TChildProgram&) = delete;
  TChildProgram& operator=(const TChildProgram&) = delete;

  // Ends the program at once (nothing it does on closing is measured) and
  // waits until it is gone, so that the next start does not meet it.
  void End();
  bool HasEnded() const;
  HANDLE Process() const { return process_; }
  DWORD Id() const { return id_; }

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// The program's visible top-level window of that class; nullptr while it has
// none.
HWND FindProgramWindow(const TChildProgram& program, const char* className);

// The window's child with that control id; raises std::runtime_error when
// it has none.
HWND ControlOf(HWND window, int controlId);

// Waits until the program shows its window of that class with the control
// controlId visible, and then until that window is drawn (WaitUntilDrawn).
// Polls about every millisecond. Raises std::runtime_error when the program
// ends or the time runs out first.
HWND WaitForShownWindow(const TChildProgram& program, const char* className, int controlId, double timeoutSeconds);

// Waits until the control controlId of window is visible (and with it the
// window), then until the window is drawn; raises std::runtime_error when
// the time runs out.
void WaitForShownControl(HWND window, int controlId, double timeoutSeconds);

// Waits until the window's thread has handled what was sent to it and has no
// part of the window or its children left to paint: no update region
// anywhere, then a WM_NULL round trip, which comes back only once the thread
// is in its message loop again (so a paint that had begun is over), and no
// update region still. Raises std::runtime_error when the time runs out.
void WaitUntilDrawn(HWND window, double timeoutSeconds);

// A click on the button, posted as the UI driver posts it (BM_CLICK), so
// that a click that runs long does not hold the caller.
void PostClick(HWND button);

// Sets the text of the control, as typing it would end.
void SetControlText(HWND control, const std::string& text);

// The control's text as the window system keeps it: readable while the
// program is busy (not for edit boxes, which keep their own text).
std::string ControlText(HWND control);
