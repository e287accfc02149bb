#include "fake_dialogs.h"

DialogAnswer TFakeDialogs::Show(MessageKind kind, const std::string& text) {
  boxes_.push_back({kind, text, title_});
  if (answers_.empty()) return kind == MessageKind::Confirmation ? DialogAnswer::Yes : DialogAnswer::Ok;
  const DialogAnswer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void TFakeDialogs::ShowApplicationError(const std::string& className, const std::string& message) {
  applicationErrors_.push_back({className, message});
}
