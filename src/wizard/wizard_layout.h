// The wizard window as data: the window's own properties and one row for
// every control of the frame and of the eleven pages. The Win32 window is
// built from these rows and nothing else; the page flow names controls by
// their ControlId.
#pragma once

#include <span>
#include <string>

// The pages, in the order of their indices.
namespace wizard_page {
inline constexpr int kWelcome = 0;
inline constexpr int kLicense = 1;
inline constexpr int kBundleItems = 2;
inline constexpr int kVstPlugins = 3;
inline constexpr int kDigiPlugins = 4;
inline constexpr int kPhotoshopPlugin = 5;
inline constexpr int kDest = 6;
inline constexpr int kPersonalize = 7;
inline constexpr int kIcon = 8;
inline constexpr int kCopy = 9;
inline constexpr int kReady = 10;
inline constexpr int kCount = 11;
// The row of a control outside the pages.
inline constexpr int kFrame = -1;
}  // namespace wizard_page

// Every control of the layout, in the order of its rows. The bundle item
// check boxes are made at run time and take the ids from BundleCheckId on.
enum class ControlId : int {
  None = -1,
  // The frame.
  Panel,
  Image,
  Notebook,
  BackButton,
  NextButton,
  CancelButton,
  // Welcome.
  WelcomeHeadingLabel,
  WelcomeDescriptionLabel,
  WelcomeStepLabel,
  // License.
  LicenseHeadingLabel,
  LicenseMemo,
  LicenseStepLabel,
  // BundleItems.
  BundleHeadingLabel,
  BundleDescriptionLabel,
  // VstPlugins.
  VstHeadingLabel,
  Vst2DescriptionLabel,
  Vst2InstallCheck,
  Vst2FolderLabel,
  Vst2FolderInput,
  Vst2BrowseButton,
  Vst3InstallCheck,
  Vst3ListLabel,
  Vst3DescriptionLabel,
  // DigiPlugins.
  DigiHeadingLabel,
  DigiDescriptionLabel,
  DigiInstallCheck,
  DigiFolderLabel,
  DigiFolderInput,
  DigiBrowseButton,
  // PhotoshopPlugin.
  PhotoshopHeadingLabel,
  PhotoshopInfoLabel,
  PhotoshopInstallCheck,
  PhotoshopFolderLabel,
  PhotoshopFolderInput,
  PhotoshopBrowseButton,
  // Dest.
  DestHeadingLabel,
  DestDescriptionLabel,
  DestStepLabel,
  DestFolderLabel,
  DestFolderInput,
  DestBrowseButton,
  // Personalize.
  NameHeadingLabel,
  NameInfoLabel,
  NameLabel,
  NameInput,
  // Icon.
  IconHeadingLabel,
  IconStartMenuLabel,
  IconStartMenuCheck,
  IconDesktopLabel,
  IconDesktopCheck,
  InstallLabel,
  // Copy.
  CopyHeadingLabel,
  CopyDescriptionLabel,
  CopyStatusLabel,
  CopyProgressBar,
  // Ready.
  ReadyHeadingLabel,
  ReadyDescriptionLabel,
  ReadyReadmeLabel,
  ReadyReadmeCheck,
  ReadyStartLabel,
  ReadyStartCheck,

  Count
};

inline constexpr int kLayoutControlCount = static_cast<int>(ControlId::Count);

// The check box of bundle item index, made on the BundleItems page at run time.
constexpr ControlId BundleCheckId(int index) { return static_cast<ControlId>(kLayoutControlCount + index); }
// The bundle item index of such a check box, or -1 for a control of the layout.
constexpr int BundleCheckIndex(ControlId id) {
  return static_cast<int>(id) >= kLayoutControlCount ? static_cast<int>(id) - kLayoutControlCount : -1;
}

enum class ControlKind {
  Panel,        // a frame with a border, holding Image
  Image,        // the side image, stretched to the control's size
  Notebook,     // the page container
  Button,       // a push button
  Label,        // static text
  Edit,         // a single-line edit box
  Memo,         // a read-only multi-line text box that wraps its lines
  CheckBox,
  ProgressBar,  // 0 to 100
};

namespace control_flag {
inline constexpr unsigned kBold = 1u << 0;          // the heading font: the window's face, bold
inline constexpr unsigned kWrap = 1u << 1;          // a label that breaks its text at word boundaries
inline constexpr unsigned kDefault = 1u << 2;       // the button that Enter presses
inline constexpr unsigned kCancel = 1u << 3;        // the button that Escape presses
inline constexpr unsigned kChecked = 1u << 4;       // a check box checked from the start
inline constexpr unsigned kThemedBorder = 1u << 5;  // a border drawn in the current visual style
}  // namespace control_flag

// A rectangle in pixels: at 96 dots per inch in the layout, scaled for the
// screen once the window exists. Relative to the control's parent: the window's
// client area for the frame, the page for a page's controls, Panel for Image.
struct TLayoutRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool operator==(const TLayoutRect&) const = default;
};

struct TControlLayout {
  ControlId Id;
  const char* Name;  // as the page flow and the tests call it
  int Page;          // a wizard_page index, or wizard_page::kFrame
  ControlId Parent;  // a frame control that holds it, or None
  ControlKind Kind;
  TLayoutRect Bounds;
  const char* Caption;  // as designed; "&" marks the accelerator, "$" words are expanded at creation
  unsigned Flags;       // control_flag bits
  int TabPosition;      // among the controls of its parent; -1 for a control that takes no focus
  ControlId FocusControl;  // for a label with an accelerator: the control that its key focuses
};

// The window itself.
struct TFormLayout {
  int ClientWidth;
  int ClientHeight;
  const char* Caption;
  const char* DesignFontName;  // the font of the design, replaced at creation
  int DesignFontSize;          // points
};

inline constexpr TFormLayout kFormLayout{512, 370, "$ProductName Setup", "MS Sans Serif", 8};

// Every page is this large and fills the Notebook.
inline constexpr int kPageWidth = 325;
inline constexpr int kPageHeight = 313;

// The rows, in ControlId order.
std::span<const TControlLayout> WizardLayout();
const TControlLayout& LayoutOf(ControlId id);
// The page's name as in the form's design; empty for an index that is no page.
std::string PageName(int page);
