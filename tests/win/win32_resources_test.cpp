#include "platform/win32/win32_resources.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "wizard/wizard_texts.h"

namespace {

// The texts compiled into a program's STRINGTABLE, as the wizard reads them,
// against the list they are made from: a text that windres took differently
// (an escape, a quote, a line break) would show the user something else.
TEST(Win32Resources, TheStringTableHoldsEveryWizardTextAsWritten) {
  TWin32Resources resources;
  for (const TWizardText& text : WizardTexts()) {
    SCOPED_TRACE(text.Id);
    EXPECT_EQ(resources.LoadText(text.Id), std::optional<std::string>(text.Text));
  }
  EXPECT_EQ(resources.LoadText(65240), std::nullopt);
}

TEST(Win32Resources, TheSetupProgramCarriesTheWizardTexts) {
  // The shipped program of this build, loaded as data.
  std::string path = SETUP_PROGRAM;
  for (char& c : path)
    if (c == '/') c = '\\';
  HMODULE setup = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(setup, nullptr) << path;
  for (const TWizardText& text : WizardTexts()) {
    SCOPED_TRACE(text.Id);
    char buffer[4100];
    const int length = LoadStringA(setup, text.Id, buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer, static_cast<size_t>(length > 0 ? length : 0)), text.Text);
  }
  FreeLibrary(setup);
}

}  // namespace
