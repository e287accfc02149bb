#include "fake_dialogs.h"

DialogAnswer TFakeDialogs::Show(MessageKind kind, const std::string& text) {
  boxes_.push_back({kind, text, title_});
  if (OnShow) OnShow(boxes_.back());
  if (answers_.empty()) {
    // Never Retry unasked: a test that forgets its answer must not loop.
    if (kind == MessageKind::RetryConfirmation) return DialogAnswer::Cancel;
    return kind == MessageKind::Confirmation ? DialogAnswer::Yes : DialogAnswer::Ok;
  }
  const DialogAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void TFakeDialogs::ShowApplicationError(const std::string& className, const std::string& message) {
  applicationErrors_.push_back({className, message});
}
