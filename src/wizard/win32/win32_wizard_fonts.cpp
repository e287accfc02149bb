#include "wizard/win32/win32_wizard_fonts.h"

#include <cstring>
#include <string>

// One control in the tree: a window of its own, or a page, which only holds
// controls. A control that uses its parent's font shows the window's font.
class TWin32FontNode : public DisplayControl {
 public:
  TWin32FontNode(HWND window, bool usesParentFont, bool bold, int pixelsPerInch)
      : window_(window), usesParentFont_(usesParentFont), bold_(bold), pixelsPerInch_(pixelsPerInch) {}
  ~TWin32FontNode() override {
    if (ownFont_ != nullptr) DeleteObject(ownFont_);
  }
  TWin32FontNode(const TWin32FontNode&) = delete;
  TWin32FontNode& operator=(const TWin32FontNode&) = delete;

  bool UsesParentFont() const override { return usesParentFont_; }
  TFontFace Font() const override { return face_; }
  void SetFontFace(const TFontFace& face) override {
    usesParentFont_ = false;
    face_ = face;
    HFONT font = CreateFaceFont(face_, bold_, pixelsPerInch_);
    Show(font);
    if (ownFont_ != nullptr) DeleteObject(ownFont_);
    ownFont_ = font;
  }
  std::vector<DisplayControl*> Children() override {
    return std::vector<DisplayControl*>(children_.begin(), children_.end());
  }

  void Add(TWin32FontNode* child) { children_.push_back(child); }
  // The window's font changed: controls that use it follow.
  void ParentFontChanged(const TFontFace& face, HFONT font) {
    if (!usesParentFont_) return;
    face_ = face;
    Show(font);
    for (TWin32FontNode* child : children_) child->ParentFontChanged(face, font);
  }

 private:
  void Show(HFONT font) {
    if (window_ != nullptr) SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }

  HWND window_;
  bool usesParentFont_;
  bool bold_;
  int pixelsPerInch_;
  TFontFace face_;
  HFONT ownFont_ = nullptr;
  std::vector<TWin32FontNode*> children_;
};

HFONT CreateFaceFont(const TFontFace& face, bool bold, int pixelsPerInch) {
  // A size in points, as the layout gives it, is a character height in pixels.
  return CreateFontA(-MulDiv(face.Size, pixelsPerInch, 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face.Name.c_str());
}

namespace {

// The platform's default font: the face and size of the shell's dialog font.
TFontFace PlatformDefaultFace(int pixelsPerInch) {
  LOGFONTA font = {};
  if (GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font) == 0) return {"MS Shell Dlg", 8};
  const int pixels = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
  return {font.lfFaceName, pixels > 0 ? MulDiv(pixels, 72, pixelsPerInch) : 8};
}

}  // namespace

TWin32WizardFonts::TWin32WizardFonts(int pixelsPerInch, const TFontFace& designFont)
    : pixelsPerInch_(pixelsPerInch), face_(designFont), font_(CreateFaceFont(designFont, false, pixelsPerInch)) {
  for (int page = 0; page < wizard_page::kCount; ++page) {
    nodes_.push_back(std::make_unique<TWin32FontNode>(nullptr, true, false, pixelsPerInch_));
    pages_.push_back(nodes_.back().get());
  }
}

TWin32WizardFonts::~TWin32WizardFonts() {
  nodes_.clear();
  if (font_ != nullptr) DeleteObject(font_);
}

TWin32FontNode& TWin32WizardFonts::NodeFor(const TControlLayout& row) {
  if (row.Parent == ControlId::Panel && panel_ != nullptr) return *panel_;
  return *pages_.at(static_cast<size_t>(row.Page));
}

void TWin32WizardFonts::AddControl(const TControlLayout& row, HWND window) {
  const bool bold = (row.Flags & control_flag::kBold) != 0;
  // A heading has a font of its own: the design face, bold.
  nodes_.push_back(std::make_unique<TWin32FontNode>(window, !bold, bold, pixelsPerInch_));
  TWin32FontNode* node = nodes_.back().get();
  if (bold)
    node->SetFontFace(face_);
  else
    node->ParentFontChanged(face_, font_);

  if (row.Id == ControlId::Notebook) {
    notebook_ = node;
    for (TWin32FontNode* page : pages_) notebook_->Add(page);
  }
  if (row.Id == ControlId::Panel) panel_ = node;
  if (row.Page == wizard_page::kFrame && row.Parent == ControlId::None)
    top_.push_back(node);
  else
    NodeFor(row).Add(node);
}

void TWin32WizardFonts::AddBoldControl(HWND window, int page) {
  nodes_.push_back(std::make_unique<TWin32FontNode>(window, false, true, pixelsPerInch_));
  nodes_.back()->SetFontFace(face_);
  pages_.at(static_cast<size_t>(page))->Add(nodes_.back().get());
}

void TWin32WizardFonts::AssignFont(const TDisplayFont& font) {
  face_ = font.PlatformDefault ? PlatformDefaultFace(pixelsPerInch_) : TFontFace{font.Name, font.Size};
  HFONT created = CreateFaceFont(face_, false, pixelsPerInch_);
  for (TWin32FontNode* node : top_) node->ParentFontChanged(face_, created);
  if (font_ != nullptr) DeleteObject(font_);
  font_ = created;
}

std::vector<DisplayControl*> TWin32WizardFonts::Controls() {
  return std::vector<DisplayControl*>(top_.begin(), top_.end());
}
