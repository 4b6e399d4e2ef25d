// The program's flat tool button: flat until the mouse is over it, then a
// raised bevel; sunken while pressed or down; radio or toggle behaviour in
// a group; an optional drop-down menu; its picture in three looks (normal,
// grey while the mouse is away, embossed while disabled). The picture is
// drawn by the program rather than loaded.
#pragma once

#include <functional>
#include <string>

#include "platform/controls.h"

namespace qm {

class TPopupMenu;

enum TExplorerButtonOption : unsigned { boMonoDisplay = 1, boIconOnly = 2, boPopupMark = 4, boShowBevel = 8 };
enum class TExplorerButtonShadingType { stLight, stMedium, stDark };
enum class TButtonBevelStyle { bsLowered, bsRaised };

// How a picture is drawn: in its colours, grey, or as the embossed mask
// of a disabled button.
enum class TGlyphLook { Normal, Grey, Embossed };
using TGlyphPainter = std::function<void(TCanvas& canvas, const TRect& area, TGlyphLook look)>;

// One pixel of the grey picture: by the sum of its red, green and blue,
// white, the button highlight, the button shadow or black.
TColor GreyPixel(Byte red, Byte green, Byte blue, TExplorerButtonShadingType shading);

class TOfficeButton : public TCustomControl {
 public:
  explicit TOfficeButton(TComponent* owner);

  bool AllowAllUp = false;
  TButtonBevelStyle BevelStyle = TButtonBevelStyle::bsRaised;
  std::string Caption;
  int GroupIndex = 0;
  TPopupMenu* DropDownMenu = nullptr;
  TExplorerButtonShadingType ShadingType = TExplorerButtonShadingType::stMedium;
  bool ShowDownPattern = true;
  bool AlwaysBeveled = false;
  int HelpContext = 0;
  TGlyphPainter Glyph;
  // The mouse entering and leaving the button.
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;

  bool Down() const { return down_; }
  // Only a grouped button latches; going down releases the others of its
  // group.
  void SetDown(bool down);
  unsigned Options() const { return options_; }
  void SetOptions(unsigned options);
  void SetEnabled(bool enabled);
  bool BevelShown() const { return bevel_; }
  bool Pressed() const { return pressed_; }

  // The pointer arrives over the button and leaves it again.
  void MouseEntered();
  void MouseLeft();
  void Click() override;

 protected:
  void Paint() override;

 private:
  void Pressing(int x, int y);
  void Released(int x, int y);
  void PaintBevel(const TRect& r, bool sunken);
  void PaintPopupMark(const TRect& glyphArea, TColor color);

  bool down_ = false;
  bool pressed_ = false;
  bool bevel_ = false;
  unsigned options_ = boMonoDisplay | boPopupMark | boShowBevel;
};

}  // namespace qm
