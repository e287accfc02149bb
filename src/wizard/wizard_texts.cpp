#include "wizard/wizard_texts.h"

#include "platform/resources.h"

namespace {

#define SETUP_WIZARD_TEXT_ROW(name, number, text) TWizardText{number, text},
constexpr TWizardText kTexts[] = {SETUP_WIZARD_TEXTS(SETUP_WIZARD_TEXT_ROW)};
#undef SETUP_WIZARD_TEXT_ROW

}  // namespace

std::span<const TWizardText> WizardTexts() { return kTexts; }

std::string BuiltInWizardText(unsigned id) {
  for (const TWizardText& text : kTexts)
    if (text.Id == id) return text.Text;
  return std::string();
}

std::string WizardText(Resources& resources, unsigned id) {
  // A translated setup may have lost a string on the way through a resource
  // editor; the user still gets a message, in English.
  std::optional<std::string> text = resources.LoadText(id);
  return text && !text->empty() ? *text : BuiltInWizardText(id);
}
