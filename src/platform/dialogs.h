// Message boxes and the application title.
#pragma once

#include <string>

enum class MessageKind {
  Warning,       // caption "Warning", OK
  Confirmation,  // caption "Confirm", Yes and No
  Information,   // caption "Information", OK
  Error,         // stop icon, the application title as caption, OK
  RetryConfirmation,  // caption "Confirm", warning icon, Retry and Cancel
};

enum class DialogAnswer { Ok, Yes, No, Cancel, Retry };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows a modal box; "\r" in text is a line break.
  virtual DialogAnswer Show(MessageKind kind, const std::string& text) = 0;
  // The report of an error that nothing handled: a task-modal box titled
  // "Application Error" that names the error's class and gives its message.
  virtual void ShowApplicationError(const std::string& className, const std::string& message) = 0;
  virtual void SetTitle(const std::string& title) = 0;
  virtual std::string Title() = 0;
};
