#include "wizard/wizard_layout.h"

#include <array>

namespace {

using namespace control_flag;
namespace page = wizard_page;
using K = ControlKind;
using C = ControlId;

constexpr C kNone = ControlId::None;

// One row: the id gives the name too, so the two cannot drift apart.
#define ROW(id, pageIndex, parent, kind, left, top, width, height, caption, flags, tab, focus) \
  TControlLayout{C::id, #id, pageIndex, parent, kind, {left, top, width, height}, caption, flags, tab, focus}

constexpr std::array<TControlLayout, kLayoutControlCount> kLayout{{
    // The frame.
    ROW(Panel, page::kFrame, kNone, K::Panel, 8, 8, 154, 354, "", kThemedBorder, 4, kNone),
    ROW(Image, page::kFrame, C::Panel, K::Image, 0, 0, 150, 350, "", 0, -1, kNone),
    ROW(Notebook, page::kFrame, kNone, K::Notebook, 176, 8, 325, 313, "", 0, 0, kNone),
    ROW(BackButton, page::kFrame, kNone, K::Button, 249, 339, 75, 23, "< &Back", 0, 1, kNone),
    ROW(NextButton, page::kFrame, kNone, K::Button, 324, 339, 75, 23, "&Next >", kDefault, 2, kNone),
    ROW(CancelButton, page::kFrame, kNone, K::Button, 425, 339, 75, 23, "Cancel", kCancel, 3, kNone),

    // Welcome.
    ROW(WelcomeHeadingLabel, page::kWelcome, kNone, K::Label, 8, 8, 237, 17, "Welcome to $ProductName Setup", kBold,
        -1, kNone),
    ROW(WelcomeDescriptionLabel, page::kWelcome, kNone, K::Label, 8, 32, 281, 41,
        "This program will install $FullProductName on your computer.", kWrap, -1, kNone),
    ROW(WelcomeStepLabel, page::kWelcome, kNone, K::Label, 8, 72, 281, 33, "Click the Next button to continue.", kWrap,
        -1, kNone),

    // License.
    ROW(LicenseHeadingLabel, page::kLicense, kNone, K::Label, 8, 8, 237, 17, "License Agreement", kBold, -1, kNone),
    ROW(LicenseMemo, page::kLicense, kNone, K::Memo, 8, 32, 269, 217, "", 0, 0, kNone),
    ROW(LicenseStepLabel, page::kLicense, kNone, K::Label, 8, 264, 269, 29,
        "Do you accept this license agreement? If you choose No, Setup will close.", kWrap, -1, kNone),

    // BundleItems; the item check boxes are made at run time.
    ROW(BundleHeadingLabel, page::kBundleItems, kNone, K::Label, 8, 8, 305, 17, "$BundleSelectHeading", kBold, -1,
        kNone),
    ROW(BundleDescriptionLabel, page::kBundleItems, kNone, K::Label, 8, 32, 305, 17, "$BundleSelectDescription", 0, -1,
        kNone),

    // VstPlugins.
    ROW(VstHeadingLabel, page::kVstPlugins, kNone, K::Label, 8, 8, 237, 17, "VST Plug-In Installation", kBold, -1,
        kNone),
    ROW(Vst2DescriptionLabel, page::kVstPlugins, kNone, K::Label, 8, 32, 293, 57,
        "The VST 2 $PluginDescription needs to be installed in the plug-in folder for your VST host. Use the Browse "
        "button to select the proper VST 2 plug-in folder on your computer.",
        kWrap, -1, kNone),
    ROW(Vst2InstallCheck, page::kVstPlugins, kNone, K::CheckBox, 8, 96, 301, 17,
        "&Install the VST 2 $PluginDescription", 0, 2, kNone),
    ROW(Vst2FolderLabel, page::kVstPlugins, kNone, K::Label, 8, 124, 105, 17, "VST 2 Plug-In &Folder:", 0, -1,
        C::Vst2FolderInput),
    ROW(Vst2FolderInput, page::kVstPlugins, kNone, K::Edit, 8, 140, 305, 21, "", 0, 0, kNone),
    ROW(Vst2BrowseButton, page::kVstPlugins, kNone, K::Button, 238, 164, 75, 23, "&Browse...", 0, 1, kNone),
    ROW(Vst3InstallCheck, page::kVstPlugins, kNone, K::CheckBox, 8, 204, 309, 17,
        "Install the VST &3 $PluginDescription", 0, 3, kNone),
    ROW(Vst3ListLabel, page::kVstPlugins, kNone, K::Label, 25, 220, 287, 17, "(Only for $List)", 0, -1, kNone),
    ROW(Vst3DescriptionLabel, page::kVstPlugins, kNone, K::Label, 8, 244, 301, 57,
        "This will install the VST 3 $PluginDescription in the common VST 3 plug-in folder on your computer. (VST 3 "
        "is a newer version of VST that requires a VST 3 host.)",
        kWrap, -1, kNone),

    // DigiPlugins.
    ROW(DigiHeadingLabel, page::kDigiPlugins, kNone, K::Label, 8, 8, 237, 17, "Pro Tools Plug-In Installation", kBold,
        -1, kNone),
    ROW(DigiDescriptionLabel, page::kDigiPlugins, kNone, K::Label, 8, 32, 293, 57,
        "The RTAS $PluginDescription needs to be installed in the Pro Tools plug-in folder. Use the Browse button to "
        "select the plug-in folder on your computer.",
        kWrap, -1, kNone),
    ROW(DigiInstallCheck, page::kDigiPlugins, kNone, K::CheckBox, 8, 96, 301, 17,
        "&Install the RTAS $PluginDescription", 0, 2, kNone),
    ROW(DigiFolderLabel, page::kDigiPlugins, kNone, K::Label, 8, 124, 133, 17, "Pro Tools Plug-In &Folder:", 0, -1,
        C::DigiFolderInput),
    ROW(DigiFolderInput, page::kDigiPlugins, kNone, K::Edit, 8, 140, 305, 21, "", 0, 0, kNone),
    ROW(DigiBrowseButton, page::kDigiPlugins, kNone, K::Button, 238, 164, 75, 23, "&Browse...", 0, 1, kNone),

    // PhotoshopPlugin. Its folder label's accelerator leads to the folder box,
    // as on the other plug-in pages: an underlined letter that does nothing
    // would only puzzle the user.
    ROW(PhotoshopHeadingLabel, page::kPhotoshopPlugin, kNone, K::Label, 8, 8, 241, 17,
        "Adobe Photoshop Plug-in Installation", kBold, -1, kNone),
    ROW(PhotoshopInfoLabel, page::kPhotoshopPlugin, kNone, K::Label, 8, 32, 293, 73,
        "The Adobe Photoshop $PluginDescription needs to be installed in the Photoshop plug-ins folder. Use the "
        "Browse button to select the plug-ins folder on your computer.",
        kWrap, -1, kNone),
    ROW(PhotoshopInstallCheck, page::kPhotoshopPlugin, kNone, K::CheckBox, 8, 108, 301, 17,
        "&Install the Photoshop $PluginDescription", 0, 0, kNone),
    ROW(PhotoshopFolderLabel, page::kPhotoshopPlugin, kNone, K::Label, 8, 136, 189, 17,
        "Adobe Photoshop plug-ins &folder:", 0, -1, C::PhotoshopFolderInput),
    ROW(PhotoshopFolderInput, page::kPhotoshopPlugin, kNone, K::Edit, 8, 152, 305, 21, "", 0, 1, kNone),
    ROW(PhotoshopBrowseButton, page::kPhotoshopPlugin, kNone, K::Button, 238, 176, 75, 25, "&Browse...", 0, 2, kNone),

    // Dest.
    ROW(DestHeadingLabel, page::kDest, kNone, K::Label, 8, 8, 237, 17, "Destination Folder", kBold, -1, kNone),
    ROW(DestDescriptionLabel, page::kDest, kNone, K::Label, 8, 32, 293, 49,
        "Setup needs to know where to install $InstallDescription. Please type a folder below, or use the Browse "
        "button to choose a folder.",
        kWrap, -1, kNone),
    ROW(DestStepLabel, page::kDest, kNone, K::Label, 8, 84, 269, 33,
        "If you are unsure, it is recommended to use the default folder shown below.", kWrap, -1, kNone),
    ROW(DestFolderLabel, page::kDest, kNone, K::Label, 8, 124, 105, 17, "Destination &Folder:", 0, -1,
        C::DestFolderInput),
    ROW(DestFolderInput, page::kDest, kNone, K::Edit, 8, 140, 305, 21, "", 0, 0, kNone),
    ROW(DestBrowseButton, page::kDest, kNone, K::Button, 238, 164, 75, 23, "&Browse...", 0, 1, kNone),

    // Personalize.
    ROW(NameHeadingLabel, page::kPersonalize, kNone, K::Label, 8, 8, 237, 17, "Personalization", kBold, -1, kNone),
    ROW(NameInfoLabel, page::kPersonalize, kNone, K::Label, 8, 32, 293, 49,
        "Please enter your full name below to identify yourself. $PersonalizeInfo", kWrap, -1, kNone),
    ROW(NameLabel, page::kPersonalize, kNone, K::Label, 8, 88, 269, 17, "Your N&ame:", 0, -1, C::NameInput),
    ROW(NameInput, page::kPersonalize, kNone, K::Edit, 8, 104, 305, 21, "", 0, 0, kNone),

    // Icon.
    ROW(IconHeadingLabel, page::kIcon, kNone, K::Label, 8, 8, 237, 17, "Create Shortcuts", kBold, -1, kNone),
    ROW(IconStartMenuLabel, page::kIcon, kNone, K::Label, 8, 32, 293, 33,
        "Do you want Setup to create a shortcut to $InstallDescription in the Start Menu?", kWrap, -1, kNone),
    ROW(IconStartMenuCheck, page::kIcon, kNone, K::CheckBox, 8, 68, 205, 17, "Create a shortcut in the &Start Menu",
        kChecked, 0, kNone),
    ROW(IconDesktopLabel, page::kIcon, kNone, K::Label, 8, 108, 293, 33,
        "Do you want Setup to create a shortcut to $InstallDescription on the desktop?", kWrap, -1, kNone),
    ROW(IconDesktopCheck, page::kIcon, kNone, K::CheckBox, 8, 144, 205, 17, "Create a shortcut on the &desktop",
        kChecked, 1, kNone),
    ROW(InstallLabel, page::kIcon, kNone, K::Label, 8, 184, 221, 17, "Click Install to start copying files.", 0, -1,
        kNone),

    // Copy.
    ROW(CopyHeadingLabel, page::kCopy, kNone, K::Label, 8, 8, 237, 17, "Copying Files", kBold, -1, kNone),
    ROW(CopyDescriptionLabel, page::kCopy, kNone, K::Label, 8, 32, 269, 17,
        "Setup is now copying files to your computer.", 0, -1, kNone),
    ROW(CopyStatusLabel, page::kCopy, kNone, K::Label, 8, 84, 269, 17, "Creating shortcuts...", 0, -1, kNone),
    ROW(CopyProgressBar, page::kCopy, kNone, K::ProgressBar, 8, 104, 305, 13, "", 0, 0, kNone),

    // Ready.
    ROW(ReadyHeadingLabel, page::kReady, kNone, K::Label, 8, 8, 237, 17, "Installation Completed", kBold, -1, kNone),
    ROW(ReadyDescriptionLabel, page::kReady, kNone, K::Label, 8, 32, 293, 69, "CompleteMessage", kWrap, -1, kNone),
    ROW(ReadyReadmeLabel, page::kReady, kNone, K::Label, 8, 108, 225, 21, "Do you want to view Readme.txt now?", kWrap,
        -1, kNone),
    ROW(ReadyReadmeCheck, page::kReady, kNone, K::CheckBox, 8, 128, 169, 17, "Show &Readme.txt", kChecked, 1, kNone),
    ROW(ReadyStartLabel, page::kReady, kNone, K::Label, 8, 168, 225, 21, "Do you want to start $ProductName now?",
        kWrap, -1, kNone),
    ROW(ReadyStartCheck, page::kReady, kNone, K::CheckBox, 8, 188, 185, 17, "&Start $ProductName", kChecked, 0, kNone),
}};

#undef ROW

constexpr bool RowsFollowTheIds() {
  for (int i = 0; i < kLayoutControlCount; ++i)
    if (static_cast<int>(kLayout[static_cast<size_t>(i)].Id) != i) return false;
  return true;
}
static_assert(RowsFollowTheIds(), "the layout rows must be in ControlId order");

constexpr const char* kPageNames[wizard_page::kCount] = {
    "Welcome", "License", "BundleItems", "VstPlugins", "DigiPlugins", "PhotoshopPlugin",
    "Dest",    "Personalize", "Icon",   "Copy",       "Ready",
};

}  // namespace

std::span<const TControlLayout> WizardLayout() { return kLayout; }

const TControlLayout& LayoutOf(ControlId id) { return kLayout.at(static_cast<size_t>(id)); }

std::string PageName(int page) {
  return page >= 0 && page < wizard_page::kCount ? kPageNames[page] : std::string();
}
