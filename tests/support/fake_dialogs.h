// Message boxes for tests: every box is recorded and answered from a script.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

struct TShownBox {
  MessageKind Kind;
  std::string Text;
  std::string Title;  // the application title when the box was shown
  bool operator==(const TShownBox&) const = default;
};

struct TApplicationErrorReport {
  std::string ClassName;
  std::string Message;
  bool operator==(const TApplicationErrorReport&) const = default;
};

class TFakeDialogs : public Dialogs {
 public:
  // Answers the next scripted answer; with none left, Yes to a confirmation
  // and OK to every other box.
  DialogAnswer Show(MessageKind kind, const std::string& text) override;
  void ShowApplicationError(const std::string& className, const std::string& message) override;
  void SetTitle(const std::string& title) override { title_ = title; }
  std::string Title() override { return title_; }

  // Queues the answer to a later box.
  void Answer(DialogAnswer answer) { answers_.push_back(answer); }
  // Called with each box as it is shown, before it is answered: what the
  // user does while the box is up.
  std::function<void(const TShownBox&)> OnShow;

  const std::vector<TShownBox>& Boxes() const { return boxes_; }
  const std::vector<TApplicationErrorReport>& ApplicationErrors() const { return applicationErrors_; }
  // Scripted answers that no box used.
  size_t UnusedAnswers() const { return answers_.size(); }

 private:
  std::deque<DialogAnswer> answers_;
  std::vector<TShownBox> boxes_;
  std::vector<TApplicationErrorReport> applicationErrors_;
  std::string title_;
};
