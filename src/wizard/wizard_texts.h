/* The wizard's message texts under their resource numbers: the one place
   they are written. The program's resources (resources/setup.rc) turn this
   list into a STRINGTABLE, so that a vendor can translate a setup with a
   resource editor, and the wizard loads them from there; the code below is
   the fallback for a string that a resource editor removed.

   "\r" breaks the line; "%s" takes a folder's name; "$" words are expanded
   where the wizard says so. Only plain preprocessor lines outside the
   RC_INVOKED part: windres reads this file too. */
#ifndef SETUP_WIZARD_TEXTS_H
#define SETUP_WIZARD_TEXTS_H

#define SETUP_WIZARD_TEXTS(X)                                                                                      \
  X(kOverwriteOtherMajorText, 65232,                                                                               \
    "It is recommended to install this new version of $ProductName\rinto a new folder to preserve your currently " \
    "installed copy.\r\rAre you sure you want to overwrite your existing copy?")                                   \
  X(kEnterNameText, 65233, "Please enter your name first.")                                                        \
  X(kBrowseDestTitle, 65234, "Select the folder in which $ProductName will be installed:")                        \
  X(kBrowseVstTitle, 65235, "Select the VST plug-in folder on your computer:")                                    \
  X(kBrowseDigiTitle, 65236, "Select the Pro Tools plug-in folder on your computer:")                             \
  X(kBrowsePhotoshopTitle, 65237, "Select the Adobe Photoshop plug-ins folder on your computer:")                 \
  X(kConfirmCancelText, 65238,                                                                                     \
    "$FullProductName has not been fully installed yet.\rAre you sure you want to cancel $ProductName Setup?")     \
  X(kNoInstallRightsText, 65239,                                                                                   \
    "You must have Administrator or Power User rights to install\r$ProductName on this computer. Setup will now "  \
    "close.\r\rPlease log on as a different user and try again.")                                                  \
  X(kNoBundleItemText, 65258, "You need to install at least one item.")                                            \
  X(kSinglePluginDescription, 65259, "plug-in version of $ProductName")                                            \
  X(kBundlePluginDescription, 65260, "plug-ins for $ProductName")                                                  \
  X(kCannotCreateFolderText, 65261, "Could not create the folder '%s'.\rPlease specify a valid name.")             \
  X(kFolderMissingText, 65262, "The folder '%s' does not exist.\rPlease specify an existing folder.")              \
  X(kDifferentFolderText, 65263,                                                                                   \
    "It is recommended to install this new version of $ProductName\rinto the same folder as your existing copy. "  \
    "This will ensure\rthat your currently installed version is upgraded properly.\r\rAre you sure you want to "   \
    "install it to a different folder?")

#ifndef RC_INVOKED

#include <span>
#include <string>

class Resources;

namespace wizard_text {
#define SETUP_WIZARD_TEXT_ID(name, number, text) inline constexpr unsigned name = number;
SETUP_WIZARD_TEXTS(SETUP_WIZARD_TEXT_ID)
#undef SETUP_WIZARD_TEXT_ID
}  // namespace wizard_text

struct TWizardText {
  unsigned Id;
  const char* Text;
};

// Every text of the list, in its order.
std::span<const TWizardText> WizardTexts();
// The text built into the program under that number; empty for a number
// that is not in the list.
std::string BuiltInWizardText(unsigned id);
// The program's resource text under id, or the built-in text when the
// resources lack it or hold it empty.
std::string WizardText(Resources& resources, unsigned id);

#endif /* RC_INVOKED */
#endif /* SETUP_WIZARD_TEXTS_H */
