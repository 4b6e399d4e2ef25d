// The program's flat tool buttons: flat until the mouse is over them, then
// a raised bevel; sunken while pressed or down; radio or toggle behaviour
// in a group; an optional drop-down menu; their picture in three looks
// (normal, grey while the mouse is away, embossed while disabled). The
// picture is drawn by the program rather than loaded. Two controls share
// it all: TOfficeButton has a window of its own (it can take the focus
// and carries a help context), TExplorerButton is window-less.
#pragma once

#include <functional>
#include <string>

#include "platform/controls.h"

namespace qm {

class TPopupMenu;

enum TExplorerButtonOption : unsigned { boMonoDisplay = 1, boIconOnly = 2, boPopupMark = 4, boShowBevel = 8 };
enum class TExplorerButtonShadingType { stLight, stMedium, stDark };
enum class TButtonBevelStyle { bsLowered, bsRaised };
// Where the picture sits against the caption.
enum class TExplorerButtonLayout { blBitmapTop, blBitmapBottom, blBitmapLeft, blBitmapRight };

// How a picture is drawn: in its colours, grey, or as the embossed mask
// of a disabled button.
enum class TGlyphLook { Normal, Grey, Embossed };
using TGlyphPainter = std::function<void(TCanvas& canvas, const TRect& area, TGlyphLook look)>;

// One pixel of the grey picture: by the sum of its red, green and blue,
// white, the button highlight, the button shadow or black.
TColor GreyPixel(Byte red, Byte green, Byte blue, TExplorerButtonShadingType shading);

// A word-wrapped caption cut back, word by word, until its lines fit the
// height (a line break left at the end becomes a blank).
std::string FitCaption(TCanvas& canvas, std::string caption, int width, int height);

// What both buttons are and do; `self` is the control that carries it.
class TFlatButton {
 public:
  virtual ~TFlatButton() = default;
  TFlatButton(const TFlatButton&) = delete;
  TFlatButton& operator=(const TFlatButton&) = delete;

  TAlignment Alignment = TAlignment::taCenter;
  bool AllowAllUp = false;
  TButtonBevelStyle BevelStyle = TButtonBevelStyle::bsRaised;
  int GroupIndex = 0;
  TPopupMenu* DropDownMenu = nullptr;
  TExplorerButtonShadingType ShadingType = TExplorerButtonShadingType::stMedium;
  bool ShowDownPattern = true;
  bool AlwaysBeveled = false;
  // The caption's colour while the mouse is away.
  TColor UnselectedFontColor = clWindowText;
  TExplorerButtonLayout Layout = TExplorerButtonLayout::blBitmapTop;
  bool WordWrap = false;
  TGlyphPainter Glyph;
  // The mouse entering and leaving the button.
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  bool Down() const { return down_; }
  // Only a grouped button latches; going down releases the others of its
  // group among the buttons of the same parent.
  void SetDown(bool down);
  unsigned Options() const { return options_; }
  void SetOptions(unsigned options);
  void SetEnabled(bool enabled);
  bool BevelShown() const { return bevel_; }
  bool Pressed() const { return pressed_; }

  // The pointer arrives over the button and leaves it again.
  void MouseEntered();
  void MouseLeft();

 protected:
  explicit TFlatButton(TControl& self);
  // Draws the whole button in its present state.
  void PaintButton(TCanvas& canvas);
  // A button with a drop-down menu opens it on the press instead of
  // clicking.
  bool ClicksOnRelease() const { return DropDownMenu == nullptr; }

 private:
  void Pressing();
  void Released(int x, int y);
  void PaintBevel(TCanvas& canvas, const TRect& r, bool sunken) const;
  void PaintPopupMark(TCanvas& canvas, const TRect& glyphArea, TColor color) const;
  // The picture's and the caption's places inside `area`.
  void PlaceContent(TCanvas& canvas, const TRect& area, TRect& glyph, TRect& caption) const;
  void PaintCaption(TCanvas& canvas, const TRect& area, TColor color) const;
  bool HasCaption() const;

  TControl& self_;
  bool down_ = false;
  bool pressed_ = false;
  bool bevel_ = false;
  unsigned options_ = boMonoDisplay | boPopupMark | boShowBevel;
};

class TOfficeButton : public TCustomControl, public TFlatButton {
 public:
  explicit TOfficeButton(TComponent* owner);
  int HelpContext = 0;
  void Click() override;
  void MouseLeave() override { MouseLeft(); }

 protected:
  void Paint() override { PaintButton(Canvas); }
};

class TExplorerButton : public TGraphicControl, public TPaintedGraphic, public TFlatButton {
 public:
  explicit TExplorerButton(TComponent* owner);
  void Click() override;
  void MouseLeave() override { MouseLeft(); }
  void Paint() override { PaintButton(Canvas); }
};

}  // namespace qm
