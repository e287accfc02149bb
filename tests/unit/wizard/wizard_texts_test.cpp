// The wizard's message texts: the built-in ones word for word, and a
// translation in the program's resources taking their place.
#include "wizard/wizard_texts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "fake_resources.h"
#include "wizard_fixture.h"

namespace {

using C = ControlId;

TEST(WizardTextsTest, AreTheMessagesOfTheWizard) {
  // Written out again here, so that a slip in the one table shows.
  const std::vector<std::pair<unsigned, std::string>> expected = {
      {65232,
       "It is recommended to install this new version of $ProductName\rinto a new folder to preserve your currently "
       "installed copy.\r\rAre you sure you want to overwrite your existing copy?"},
      {65233, "Please enter your name first."},
      {65234, "Select the folder in which $ProductName will be installed:"},
      {65235, "Select the VST plug-in folder on your computer:"},
      {65236, "Select the Pro Tools plug-in folder on your computer:"},
      {65237, "Select the Adobe Photoshop plug-ins folder on your computer:"},
      {65238,
       "$FullProductName has not been fully installed yet.\rAre you sure you want to cancel $ProductName Setup?"},
      {65239,
       "You must have Administrator or Power User rights to install\r$ProductName on this computer. Setup will now "
       "close.\r\rPlease log on as a different user and try again."},
      {65258, "You need to install at least one item."},
      {65259, "plug-in version of $ProductName"},
      {65260, "plug-ins for $ProductName"},
      {65261, "Could not create the folder '%s'.\rPlease specify a valid name."},
      {65262, "The folder '%s' does not exist.\rPlease specify an existing folder."},
      {65263,
       "It is recommended to install this new version of $ProductName\rinto the same folder as your existing copy. "
       "This will ensure\rthat your currently installed version is upgraded properly.\r\rAre you sure you want to "
       "install it to a different folder?"},
  };
  std::vector<std::pair<unsigned, std::string>> texts;
  for (const TWizardText& text : WizardTexts()) texts.emplace_back(text.Id, text.Text);
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(texts, expected);
  for (const auto& [id, text] : expected) EXPECT_EQ(BuiltInWizardText(id), text) << id;
  EXPECT_EQ(BuiltInWizardText(65240), "");
}

TEST(WizardTextsTest, TheResourcesComeFirstUnlessTheirTextIsEmpty) {
  const struct {
    const char* Name;
    std::optional<std::string> Resource;
    unsigned Id;
    std::string Expected;
  } cases[] = {
      {"translated", "Bitte zuerst Ihren Namen eingeben.", 65233, "Bitte zuerst Ihren Namen eingeben."},
      {"removed by a resource editor", std::nullopt, 65233, "Please enter your name first."},
      {"emptied by a resource editor", "", 65233, "Please enter your name first."},
      {"a number the wizard does not know", std::nullopt, 65240, ""},
  };
  for (const auto& c : cases) {
    TFakeResources resources;
    if (c.Resource) resources.SetText(c.Id, *c.Resource);
    EXPECT_EQ(WizardText(resources, c.Id), c.Expected) << c.Name;
  }
}

// A translated setup: its texts are expanded and filled in like the
// built-in ones.
TEST_F(WizardFixture, ATranslationInTheResourcesIsWhatTheUserReads) {
  resources.SetText(65259, "Plug-in-Version von $ProductName");
  resources.SetText(65262, "Den Ordner '%s' gibt es nicht.");
  resources.SetText(65238, "$ProductName abbrechen?");
  resources.SetText(65234, "Ordner von $ProductName:");
  SetupIni = std::string(kFooIni) + "[Pages]\r\nVstPluginFolder=1\r\n";
  Create();
  EXPECT_EQ(window.Text(C::Vst2InstallCheck), "&Install the VST 2 Plug-in-Version von Foo");

  platform.Boxes.Answer(DialogAnswer::No);
  for (const TUserAction& action : {Next(), Next(), Type(C::Vst2FolderInput, "C:\\Nowhere"), Next(), CloseBox(),
                                    Type(C::Vst2FolderInput, kVstHostFolder), Next(), Click(C::DestBrowseButton)})
    Do(action);

  EXPECT_EQ(Messages(),
            (std::vector<TMessage>{Warning("Den Ordner 'C:\\Nowhere' gibt es nicht."), Confirm("Foo abbrechen?")}));
  ASSERT_EQ(platform.ShellServices.BrowseRequests().size(), 1u);
  EXPECT_EQ(platform.ShellServices.BrowseRequests()[0].Title, "Ordner von Foo:");
}

}  // namespace
