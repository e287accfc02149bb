// Message boxes through the Windows API.
#pragma once

#include <string>

#include "platform/dialogs.h"

class TWin32Dialogs : public Dialogs {
 public:
  DialogAnswer Show(MessageKind kind, const std::string& text) override;
  void ShowApplicationError(const std::string& className, const std::string& message) override;
  void SetTitle(const std::string& title) override { title_ = title; }
  std::string Title() override { return title_; }

 private:
  std::string title_;
};
