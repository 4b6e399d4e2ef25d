#include "platform/office_button.h"

#include "platform/forms.h"
#include "platform/menus.h"

namespace qm {

namespace {

// The colour-sum thresholds of the three shadings: above the first white,
// above the second the highlight, above the third the shadow, else black.
struct TThresholds {
  int white, highlight, shadow;
};

TThresholds ThresholdsOf(TExplorerButtonShadingType shading) {
  switch (shading) {
    case TExplorerButtonShadingType::stLight: return {205, 127, 68};
    case TExplorerButtonShadingType::stDark: return {335, 274, 175};
    case TExplorerButtonShadingType::stMedium: break;
  }
  return {553, 231, 57};
}

}  // namespace

TColor GreyPixel(Byte red, Byte green, Byte blue, TExplorerButtonShadingType shading) {
  const int sum = red + green + blue;
  const TThresholds t = ThresholdsOf(shading);
  if (sum > t.white) return clWhite;
  if (sum > t.highlight) return clBtnHighlight;
  if (sum > t.shadow) return clBtnShadow;
  return clBlack;
}

TFlatButton::TFlatButton(TControl& self) : self_(self) {
  self_.SetBounds(0, 0, 50, 40);
  self_.OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int, int) {
    if (button == TMouseButton::mbLeft) Pressing();
  };
  self_.OnMouseUp = [this](TObject*, TMouseButton button, TShiftState, int x, int y) {
    if (button == TMouseButton::mbLeft) Released(x, y);
  };
  self_.OnMouseMove = [this](TObject*, TShiftState, int x, int y) {
    const bool inside = self_.ClientRect().Contains(TPoint{x, y});
    if (inside && !bevel_) MouseEntered();
    else if (!inside && bevel_ && !AlwaysBeveled) MouseLeft();
  };
}

void TFlatButton::SetDown(bool down) {
  if (GroupIndex == 0 || down == down_) return;
  down_ = down;
  self_.Invalidate();
  TWinControl* parent = self_.Parent();
  if (!down || !parent) return;
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* other = dynamic_cast<TFlatButton*>(parent->Controls(i));
    if (other && other != this && other->GroupIndex == GroupIndex && other->down_) {
      other->down_ = false;
      other->self_.Invalidate();
    }
  }
}

void TFlatButton::SetOptions(unsigned options) {
  const std::string plain = StripHotkey(self_.Caption());
  if ((options & boIconOnly) && !(options_ & boIconOnly)) {
    self_.ShowHint = true;
    if (self_.Hint().empty()) self_.Hint = plain;
  } else if (!(options & boIconOnly) && (options_ & boIconOnly)) {
    if (self_.Hint() == plain) self_.Hint = std::string();
    self_.ShowHint = false;
  }
  options_ = options;
  self_.Invalidate();
}

void TFlatButton::SetEnabled(bool enabled) {
  if (enabled == self_.Enabled) return;
  self_.Enabled = enabled;
  if (GroupIndex == 0) down_ = false;
  pressed_ = false;
  bevel_ = AlwaysBeveled;
  self_.Invalidate();
}

void TFlatButton::MouseEntered() {
  bevel_ = true;
  if (!down_ && self_.Enabled) self_.Invalidate();
  if (OnMouseEnter) OnMouseEnter(&self_);
}

void TFlatButton::MouseLeft() {
  bevel_ = AlwaysBeveled;
  if (!down_ && self_.Enabled) self_.Invalidate();
  if (OnMouseLeave) OnMouseLeave(&self_);
}

void TFlatButton::Pressing() {
  if (!self_.Enabled || !self_.Visible) return;
  // A press on a window in the background brings it forward first.
  if (TForm* form = self_.ParentForm(); form && form->Visible && !form->Active()) form->SetFocus();
  pressed_ = true;
  bevel_ = true;
  self_.Invalidate();
  if (!DropDownMenu) return;
  const TPoint corner = self_.ClientToScreen(TPoint{0, self_.Height});
  DropDownMenu->Popup(corner.X, corner.Y);
  pressed_ = false;
  bevel_ = AlwaysBeveled;
  self_.Invalidate();
}

void TFlatButton::Released(int x, int y) {
  if (!self_.Enabled || !self_.Visible || !pressed_) return;
  pressed_ = false;
  const bool inside = self_.ClientRect().Contains(TPoint{x, y});
  if (inside && GroupIndex != 0) {
    if (!down_) SetDown(true);
    else if (AllowAllUp) SetDown(false);
  }
  if (inside) bevel_ = true;
  self_.Invalidate();
}

void TFlatButton::PaintBevel(TCanvas& canvas, const TRect& r, bool sunken) const {
  const bool raisedLook = (BevelStyle == TButtonBevelStyle::bsRaised) != sunken;
  const TRect frame = AlwaysBeveled ? TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1} : r;
  canvas.Pen.Color = raisedLook ? clBtnHighlight : clBtnShadow;
  canvas.MoveTo(frame.Left, frame.Bottom - 1);
  canvas.LineTo(frame.Left, frame.Top);
  canvas.LineTo(frame.Right - 1, frame.Top);
  canvas.Pen.Color = raisedLook ? clBtnShadow : clBtnHighlight;
  canvas.LineTo(frame.Right - 1, frame.Bottom - 1);
  canvas.LineTo(frame.Left, frame.Bottom - 1);
}

void TFlatButton::PaintPopupMark(TCanvas& canvas, const TRect& glyphArea, TColor color) const {
  const int x = glyphArea.Right + (pressed_ ? 4 : 3);
  const int y = (glyphArea.Top + glyphArea.Bottom) / 2 - 2;
  canvas.Pen.Color = color;
  for (int row = 0, width = 7; width > 0; ++row, width -= 2) {
    canvas.MoveTo(x + row, y + row);
    canvas.LineTo(x + row + width, y + row);
  }
}

std::string FitCaption(TCanvas& canvas, std::string caption, int width, int height) {
  const auto fits = [&] {
    TRect r{0, 0, width, 0};
    canvas.DrawText(caption, r, DT_CALCRECT | DT_WORDBREAK);
    return r.Height() <= height;
  };
  while (!caption.empty() && !fits()) {
    const std::size_t cut = caption.find_last_of(" \r\n");
    if (cut == std::string::npos) {
      caption.clear();
      break;
    }
    caption.erase(cut);
    while (!caption.empty() && caption.back() == ' ') caption.pop_back();
    if (!caption.empty() && (caption.back() == '\n' || caption.back() == '\r')) {
      while (!caption.empty() && (caption.back() == '\n' || caption.back() == '\r')) caption.pop_back();
      caption += ' ';
    }
  }
  return caption;
}

bool TFlatButton::HasCaption() const { return !self_.Caption().empty() && !(options_ & boIconOnly); }

void TFlatButton::PlaceContent(TCanvas& canvas, const TRect& area, TRect& glyph, TRect& caption) const {
  glyph = area;
  caption = TRect{};
  if (!HasCaption()) return;
  // Without a picture the caption has the whole face to itself.
  if (!Glyph) {
    caption = area;
    return;
  }
  canvas.Font.Assign(self_.Font);
  const int lineHeight = canvas.TextHeight("Wg");
  switch (Layout) {
    case TExplorerButtonLayout::blBitmapTop:
      caption =
          TRect{area.Left, std::max(area.Top, area.Bottom - lineHeight * (WordWrap ? 2 : 1)), area.Right, area.Bottom};
      glyph.Bottom = caption.Top - 1;
      break;
    case TExplorerButtonLayout::blBitmapBottom:
      caption =
          TRect{area.Left, area.Top, area.Right, std::min(area.Bottom, area.Top + lineHeight * (WordWrap ? 2 : 1))};
      glyph.Top = caption.Bottom + 1;
      break;
    case TExplorerButtonLayout::blBitmapLeft:
      glyph.Right = std::min(area.Right, area.Left + area.Height());
      caption = TRect{glyph.Right + 2, area.Top, area.Right, area.Bottom};
      break;
    case TExplorerButtonLayout::blBitmapRight:
      glyph.Left = std::max(area.Left, area.Right - area.Height());
      caption = TRect{area.Left, area.Top, glyph.Left - 2, area.Bottom};
      break;
  }
}

// A disabled caption is embossed: highlight one pixel down and right,
// then the shadow in place.
void TFlatButton::PaintCaption(TCanvas& canvas, const TRect& area, TColor color) const {
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Font.Assign(self_.Font);
  std::string text = self_.Caption();
  unsigned flags = DT_NOCLIP;
  if (Alignment == TAlignment::taCenter) flags |= DT_CENTER;
  if (Alignment == TAlignment::taRightJustify) flags |= DT_RIGHT;
  // A caption that wraps reads from the face's top, as the old platform drew
  // one (it centred only a single line).
  if (WordWrap) {
    flags |= DT_WORDBREAK;
    text = FitCaption(canvas, text, area.Width(), area.Height());
  } else {
    flags |= DT_SINGLELINE | DT_VCENTER;
  }
  if (!self_.Enabled) {
    canvas.Font.Color = clBtnHighlight;
    TRect shadow{area.Left + 1, area.Top + 1, area.Right + 1, area.Bottom + 1};
    canvas.DrawText(text, shadow, flags);
    color = clBtnShadow;
  }
  canvas.Font.Color = color;
  TRect r = area;
  canvas.DrawText(text, r, flags);
}

void TFlatButton::PaintButton(TCanvas& canvas) {
  const TRect r = self_.ClientRect();
  const bool enabled = self_.Enabled;
  canvas.Brush.Style = TBrushStyle::bsSolid;
  // A down button shows the checkered pattern: face and highlight on
  // alternate pixels, drawn here as its blend.
  canvas.Brush.Color = down_ && ShowDownPattern ? RGB(224, 224, 224) : clBtnFace;
  canvas.FillRect(r);
  const bool sunken = enabled && ((pressed_ && bevel_) || down_);
  const bool shift = sunken ? BevelStyle == TButtonBevelStyle::bsRaised : BevelStyle == TButtonBevelStyle::bsLowered;
  TRect area{r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3};
  const bool mark = DropDownMenu && (options_ & boPopupMark);
  if (mark) area.Right -= 9;
  if (shift) area = TRect{area.Left + 1, area.Top + 1, area.Right + 1, area.Bottom + 1};
  if (options_ & boShowBevel) {
    if (sunken || (!enabled && down_)) PaintBevel(canvas, r, true);
    else if (enabled && bevel_) PaintBevel(canvas, r, false);
  }
  TGlyphLook look = TGlyphLook::Normal;
  if (!enabled) look = TGlyphLook::Embossed;
  else if (!sunken && !bevel_ && (options_ & boMonoDisplay)) look = TGlyphLook::Grey;
  TRect glyphArea, captionArea;
  PlaceContent(canvas, area, glyphArea, captionArea);
  if (Glyph) Glyph(canvas, glyphArea, look);
  const bool hovered = sunken || bevel_;
  if (HasCaption())
    PaintCaption(canvas, captionArea, hovered ? static_cast<TColor>(self_.Font.Color) : UnselectedFontColor);
  if (mark) PaintPopupMark(canvas, glyphArea, enabled ? static_cast<TColor>(self_.Font.Color) : clBtnShadow);
}

TOfficeButton::TOfficeButton(TComponent* owner) : TCustomControl(owner), TFlatButton(static_cast<TControl&>(*this)) {}

void TOfficeButton::Click() {
  if (ClicksOnRelease()) TCustomControl::Click();
}

TExplorerButton::TExplorerButton(TComponent* owner)
    : TGraphicControl(owner), TFlatButton(static_cast<TControl&>(*this)) {}

void TExplorerButton::Click() {
  if (ClicksOnRelease()) TGraphicControl::Click();
}

}  // namespace qm
