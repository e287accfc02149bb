#include "fake_wizard_window.h"

#include <stdexcept>

#include "setuplogic/jpeg_decoder.h"

// A control in the font tree: the window's own children in one flat list.
class TFakeWizardWindow::TFontNode : public DisplayControl {
 public:
  TFontNode(TFakeControl& control, bool usesParentFont) : control_(control), usesParentFont_(usesParentFont) {}
  bool UsesParentFont() const override { return usesParentFont_; }
  TFontFace Font() const override { return control_.Font; }
  void SetFontFace(const TFontFace& face) override {
    usesParentFont_ = false;
    control_.Font = face;
  }
  std::vector<DisplayControl*> Children() override { return {}; }
  void FollowParent(const TFontFace& face) {
    if (usesParentFont_) control_.Font = face;
  }

 private:
  TFakeControl& control_;
  bool usesParentFont_;
};

TFakeWizardWindow::TFakeWizardWindow(int pixelsPerInch)
    : title_(kFormLayout.Caption), face_{kFormLayout.DesignFontName, kFormLayout.DesignFontSize} {
  auto scale = [pixelsPerInch](int value) { return value * pixelsPerInch / 96; };
  for (const TControlLayout& row : WizardLayout()) {
    TFakeControl& control = controls_[row.Id];
    control.Page = row.Page;
    control.Text = row.Caption;
    control.Checked = (row.Flags & control_flag::kChecked) != 0;
    control.Bounds = {scale(row.Bounds.Left), scale(row.Bounds.Top), scale(row.Bounds.Width), scale(row.Bounds.Height)};
    control.Bold = (row.Flags & control_flag::kBold) != 0;
    control.Font = face_;
    fontNodes_.push_back(std::make_unique<TFontNode>(control, !control.Bold));
  }
}

TFakeWizardWindow::~TFakeWizardWindow() = default;

void TFakeWizardWindow::Run() {
  if (terminated_) return;
  shown_ = true;
  if (User) User(*this);
}

void TFakeWizardWindow::SelectPage(int page) {
  page_ = page;
  pagesShown_.push_back(page);
}

void TFakeWizardWindow::SetFocus(ControlId id) {
  Get(id);
  focus_ = id;
}

void TFakeWizardWindow::AddBundleCheckBox(int index, const TLayoutRect& bounds, const std::string& caption,
                                          bool checked) {
  if (index != bundleBoxes_) throw std::logic_error("bundle check boxes are made in the order of their items");
  TFakeControl& control = controls_[BundleCheckId(index)];
  control.Page = wizard_page::kBundleItems;
  control.Text = caption;
  control.Checked = checked;
  control.Bounds = bounds;
  control.Bold = true;
  control.Font = face_;
  ++bundleBoxes_;
}

void TFakeWizardWindow::SetSideImage(const TDecodedImage& image) { imageWidth_ = image.Width; }

void TFakeWizardWindow::Click(ControlId id) {
  if (!OnScreen(id) || !Get(id).Enabled) throw std::logic_error("the control cannot be clicked now");
  const bool checkBox = BundleCheckIndex(id) >= 0 || LayoutOf(id).Kind == ControlKind::CheckBox;
  if (checkBox) Get(id).Checked = !Get(id).Checked;
  if (events_ != nullptr) events_->ControlClicked(id);
}

void TFakeWizardWindow::CloseBox() {
  if (events_ != nullptr) events_->CloseRequested();
}

bool TFakeWizardWindow::OnScreen(ControlId id) {
  if (!Has(id)) return false;
  const TFakeControl& control = Get(id);
  return control.Visible && (control.Page == wizard_page::kFrame || control.Page == page_);
}

TFakeControl& TFakeWizardWindow::Get(ControlId id) {
  auto found = controls_.find(id);
  if (found == controls_.end()) throw std::out_of_range("no such control: " + std::to_string(static_cast<int>(id)));
  return found->second;
}

void TFakeWizardWindow::AssignFont(const TDisplayFont& font) {
  face_ = font.PlatformDefault ? TFontFace{"Platform Default", 8} : TFontFace{font.Name, font.Size};
  for (auto& node : fontNodes_) node->FollowParent(face_);
}

std::vector<DisplayControl*> TFakeWizardWindow::Controls() {
  std::vector<DisplayControl*> nodes;
  for (auto& node : fontNodes_) nodes.push_back(node.get());
  return nodes;
}

std::unique_ptr<WizardWindow> TFakeWizardHost::CreateWizardWindow() {
  auto window = std::make_unique<TFakeWizardWindow>();
  ++WindowsMade;
  Shown = false;
  window->User = [this](TFakeWizardWindow& shown) {
    Shown = true;
    if (User) User(shown);
  };
  return window;
}
