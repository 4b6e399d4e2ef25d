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

TOfficeButton::TOfficeButton(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 50, 40);
  OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int x, int y) {
    if (button == TMouseButton::mbLeft) Pressing(x, y);
  };
  OnMouseUp = [this](TObject*, TMouseButton button, TShiftState, int x, int y) {
    if (button == TMouseButton::mbLeft) Released(x, y);
  };
  OnMouseMove = [this](TObject*, TShiftState, int x, int y) {
    const bool inside = ClientRect().Contains(TPoint{x, y});
    if (inside && !bevel_) MouseEntered();
    else if (!inside && bevel_ && !AlwaysBeveled) MouseLeft();
  };
}

void TOfficeButton::SetDown(bool down) {
  if (GroupIndex == 0 || down == down_) return;
  down_ = down;
  Invalidate();
  if (!down || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = dynamic_cast<TOfficeButton*>(Parent()->Controls(i));
    if (other && other != this && other->GroupIndex == GroupIndex && other->down_) {
      other->down_ = false;
      other->Invalidate();
    }
  }
}

void TOfficeButton::SetOptions(unsigned options) {
  const std::string plain = StripHotkey(Caption);
  if ((options & boIconOnly) && !(options_ & boIconOnly)) {
    ShowHint = true;
    if (Hint().empty()) Hint = plain;
  } else if (!(options & boIconOnly) && (options_ & boIconOnly)) {
    if (Hint() == plain) Hint = std::string();
    ShowHint = false;
  }
  options_ = options;
  Invalidate();
}

void TOfficeButton::SetEnabled(bool enabled) {
  if (enabled == Enabled) return;
  Enabled = enabled;
  if (GroupIndex == 0) down_ = false;
  pressed_ = false;
  bevel_ = AlwaysBeveled;
  Invalidate();
}

void TOfficeButton::MouseEntered() {
  bevel_ = true;
  if (!down_ && Enabled) Invalidate();
  if (OnMouseEnter) OnMouseEnter(this);
}

void TOfficeButton::MouseLeft() {
  bevel_ = AlwaysBeveled;
  if (!down_ && Enabled) Invalidate();
  if (OnMouseLeave) OnMouseLeave(this);
}

void TOfficeButton::Pressing(int, int) {
  if (!Enabled || !Visible) return;
  pressed_ = true;
  bevel_ = true;
  Invalidate();
  if (!DropDownMenu) return;
  const TPoint corner = ClientToScreen(TPoint{0, Height});
  DropDownMenu->Popup(corner.X, corner.Y);
  pressed_ = false;
  bevel_ = AlwaysBeveled;
  Invalidate();
}

void TOfficeButton::Released(int x, int y) {
  if (!Enabled || !Visible || !pressed_) return;
  pressed_ = false;
  const bool inside = ClientRect().Contains(TPoint{x, y});
  if (inside && GroupIndex != 0) {
    if (!down_) SetDown(true);
    else if (AllowAllUp) SetDown(false);
  }
  if (inside) bevel_ = true;
  Invalidate();
}

// A button with a drop-down menu opens it on the press instead.
void TOfficeButton::Click() {
  if (!DropDownMenu) TCustomControl::Click();
}

void TOfficeButton::PaintBevel(const TRect& r, bool sunken) {
  const bool raisedLook = (BevelStyle == TButtonBevelStyle::bsRaised) != sunken;
  const TRect frame = AlwaysBeveled ? TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1} : r;
  Canvas.Pen.Color = raisedLook ? clBtnHighlight : clBtnShadow;
  Canvas.MoveTo(frame.Left, frame.Bottom - 1);
  Canvas.LineTo(frame.Left, frame.Top);
  Canvas.LineTo(frame.Right - 1, frame.Top);
  Canvas.Pen.Color = raisedLook ? clBtnShadow : clBtnHighlight;
  Canvas.LineTo(frame.Right - 1, frame.Bottom - 1);
  Canvas.LineTo(frame.Left, frame.Bottom - 1);
}

void TOfficeButton::PaintPopupMark(const TRect& glyphArea, TColor color) {
  const int x = glyphArea.Right + (pressed_ ? 4 : 3);
  const int y = (glyphArea.Top + glyphArea.Bottom) / 2 - 2;
  Canvas.Pen.Color = color;
  for (int row = 0, width = 7; width > 0; ++row, width -= 2) {
    Canvas.MoveTo(x + row, y + row);
    Canvas.LineTo(x + row + width, y + row);
  }
}

void TOfficeButton::Paint() {
  const TRect r = ClientRect();
  Canvas.Brush.Style = TBrushStyle::bsSolid;
  // A down button shows the checkered pattern: face and highlight on
  // alternate pixels, drawn here as its blend.
  Canvas.Brush.Color = down_ && ShowDownPattern ? RGB(224, 224, 224) : clBtnFace;
  Canvas.FillRect(r);
  const bool sunken = Enabled && ((pressed_ && bevel_) || down_);
  const bool shift = sunken ? BevelStyle == TButtonBevelStyle::bsRaised : BevelStyle == TButtonBevelStyle::bsLowered;
  TRect area{r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3};
  if (DropDownMenu && (options_ & boPopupMark)) area.Right -= 9;
  if (shift) area = TRect{area.Left + 1, area.Top + 1, area.Right + 1, area.Bottom + 1};
  if (options_ & boShowBevel) {
    if (sunken || (!Enabled && down_)) PaintBevel(r, true);
    else if (Enabled && bevel_) PaintBevel(r, false);
  }
  TGlyphLook look = TGlyphLook::Normal;
  if (!Enabled) look = TGlyphLook::Embossed;
  else if (!sunken && !bevel_ && (options_ & boMonoDisplay)) look = TGlyphLook::Grey;
  if (Glyph) Glyph(Canvas, area, look);
  if (!Caption.empty() && !(options_ & boIconOnly)) {
    Canvas.Brush.Style = TBrushStyle::bsClear;
    Canvas.Font.Color = Enabled ? clWindowText : clBtnShadow;
    const std::string text = StripHotkey(Caption);
    Canvas.TextOut((r.Left + r.Right - Canvas.TextWidth(text)) / 2, area.Bottom - 14, text);
  }
  if (DropDownMenu && (options_ & boPopupMark)) PaintPopupMark(area, Enabled ? clWindowText : clBtnShadow);
}

}  // namespace qm
