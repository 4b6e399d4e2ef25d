// Components and controls. Every control keeps its whole state in its own
// fields; a desktop peer, when there is one, mirrors that state and calls
// back the handlers when the user acts. Names follow the class library
// the program was first written against.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/graphics.h"
#include "platform/object.h"
#include "platform/property.h"
#include "platform/stringlist.h"
#include "platform/types.h"

namespace qm {

class TWinControl;
class TForm;
class TPopupMenu;

using TNotifyEvent = std::function<void(TObject* Sender)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

class TComponent : public TObject, public PropertyOwner {
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  std::string Name;
  int Tag = 0;

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const;
  TComponent* FindComponent(const std::string& name) const;
  // Deep search through owned components by name.
  TComponent* FindDescendant(const std::string& name) const;
  void PropertyChanged(PropId) override {}

  // True while the destructor runs: handlers must not touch the object.
  bool Destroying() const { return destroying_; }

 protected:
  bool destroying_ = false;

 private:
  void InsertComponent(TComponent* child);
  void RemoveComponent(TComponent* child);

  TComponent* owner_;
  std::vector<TComponent*> components_;
};

// The name of the component that sent a command; empty for anything else.
std::string SenderName(const TObject* sender);

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// Cursor numbers: the platform's stock cursors are negative; the program's
// own are positive (5 is the logo cursor).
enum : int {
  crDefault = 0,
  crNone = -1,
  crArrow = -2,
  crCross = -3,
  crIBeam = -4,
  crSizeNS = -7,
  crSizeWE = -9,
  crUpArrow = -10,
  crHourGlass = -11,
  crDrag = -12,
  crNoDrop = -13,
  crHSplit = -14,
  crVSplit = -15,
  crHandPoint = -21,
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  Prop<int> Left{this, PropId::Bounds};
  Prop<int> Top{this, PropId::Bounds};
  Prop<int> Width{this, PropId::Bounds};
  Prop<int> Height{this, PropId::Bounds};
  Prop<std::string> Caption{this, PropId::Caption};
  Prop<bool> Visible{this, PropId::Visible, true};
  Prop<bool> Enabled{this, PropId::Enabled, true};
  Prop<TColor> Color{this, PropId::Color, clBtnFace};
  Prop<std::string> Hint{this, PropId::Hint};
  Prop<int> Cursor{this, PropId::Cursor, crDefault};
  TFont Font{this};
  bool ShowHint = false;
  bool ParentFont = true;
  bool ParentColor = false;
  TAlign Align = TAlign::alNone;
  TPopupMenu* PopupMenu = nullptr;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnResize;

  TWinControl* Parent() const { return parent_; }
  void SetParent(TWinControl* parent);
  TForm* ParentForm() const;

  void SetBounds(int left, int top, int width, int height);
  TRect BoundsRect() const { return TRect{Left, Top, Left + Width, Top + Height}; }
  virtual int ClientWidth() const { return Width; }
  virtual int ClientHeight() const { return Height; }
  virtual void SetClientWidth(int w) { Width = w; }
  virtual void SetClientHeight(int h) { Height = h; }
  TRect ClientRect() const { return TRect{0, 0, ClientWidth(), ClientHeight()}; }
  // Where the client area's origin lies on the screen.
  virtual TPoint ClientOrigin() const;
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;

  void Show() { Visible = true; }
  void Hide() { Visible = false; }
  // Visible here and in every parent.
  bool Showing() const;
  virtual void Invalidate();
  void InvalidateRect(const TRect& rect);
  void Repaint();
  void Refresh() { Repaint(); }
  void Update();
  void BringToFront();
  void SendToBack();

  virtual void Click();
  // Sends a message straight to the control's window procedure.
  LRESULT Perform(UINT msg, WPARAM wParam, LPARAM lParam);
  virtual void WndProc(TMessage& message);

  // The desktop's mirror of this control, made on demand.
  ControlPeer* Peer() const { return peer_.get(); }
  void EnsurePeer();
  void PropertyChanged(PropId id) override;

  // Input as the desktop delivers it; tests call these to act as a user.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void MouseMove(TShiftState shift, int x, int y);
  void DblClick();
  // The pointer has left the control.
  virtual void MouseLeave() {}

 protected:
  virtual void Resize();
  virtual void BoundsChanged();
  virtual void VisibleChanged();

 private:
  friend class TWinControl;
  TWinControl* parent_ = nullptr;
  std::unique_ptr<ControlPeer> peer_;
  TRect lastBounds_;
  bool clickPending_ = false;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  bool TabStop = false;
  int TabOrder = 0;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // The window class another program can find this window by.
  std::string WindowClass = "TWinControl";

  HWND Handle();
  bool HandleAllocated() const { return handle_ != NullWindow; }
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);

  bool Focused() const;
  virtual bool CanFocus() const;
  virtual void SetFocus();

  void WndProc(TMessage& message) override;
  // Lays out the children that have an Align.
  void AlignControls();
  // Resizes the control by multiplier/divider, and its children with their
  // places, the way a form is scaled to another screen; its own place
  // stays.
  void ScaleBy(int multiplier, int divider);

  // Keyboard input as the desktop delivers it, after the menu short cuts
  // and dialog keys had their turn. Return true when consumed.
  bool DoKeyDown(Word& key, TShiftState shift);
  bool DoKeyPress(char& key);
  bool DoKeyUp(Word& key, TShiftState shift);

 protected:
  virtual void KeyDown(Word& key, TShiftState shift);
  virtual void KeyUp(Word& key, TShiftState shift);
  virtual void KeyPress(char& key);
  // Which of Tab, arrows and Enter/Escape the control keeps for itself.
  virtual unsigned DialogCode() const { return 0; }
  void BoundsChanged() override;

 private:
  friend class TControl;
  HWND handle_ = NullWindow;
  std::vector<TControl*> controls_;
  bool aligning_ = false;
};

enum : unsigned { DLGC_WANTARROWS = 1, DLGC_WANTTAB = 2, DLGC_WANTALLKEYS = 4, DLGC_WANTCHARS = 0x80 };

// A control with a canvas of its own that paints itself.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;
  TCanvas Canvas;
  TNotifyEvent OnPaint;
  // Paints the control onto a surface (the desktop's paint event, or the
  // headless recording).
  void PaintTo(CanvasSink& sink);
  // The recording a headless window paints on.
  class RecordingCanvas* Recording();

 protected:
  virtual void Paint();

 private:
  std::unique_ptr<class RecordingCanvas> recording_;
};

class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner);
};

// What a window-less control that draws itself adds: a canvas of its own
// and its painting. The desktop points the canvas at the surface it
// shows; tests paint onto a recording.
class TPaintedGraphic {
 public:
  virtual ~TPaintedGraphic() = default;
  TCanvas Canvas;
  virtual void Paint() = 0;
  void PaintTo(CanvasSink& sink);
};

// ---------------------------------------------------------------------------
// Standard controls

class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* owner);
  bool AutoSize = true;
  bool WordWrap = false;
  bool Transparent = false;
  bool ShowAccelChar = true;
  TAlignment Alignment = TAlignment::taLeftJustify;
  TWinControl* FocusControl = nullptr;
  // Sizes the label to its caption, as auto-size labels do.
  void AdjustBounds();
  void PropertyChanged(PropId id) override;
};

// A label that draws itself, with an optional frame: the program's own
// label of almost every dialog.
class TBtrLabel : public TLabel, public TPaintedGraphic {
 public:
  explicit TBtrLabel(TComponent* owner);
  bool Border = false;
  TPenStyle BorderStyle = TPenStyle::psSolid;
  TColor BorderColor = clBlack;

  // The text's extent (right and bottom) when word-wrapped within `width`
  // on the screen; 0 measures it on one line.
  TRect MeasureCaption(int width);
  // Sizes the label to its text: the measured width, and the measured
  // height plus an eighth of the font height; right-aligned labels keep
  // their right edge, centred ones their centre.
  void AdjustBounds();
  // Widens the label when the text needs it, then sets the height.
  void AdjustHeight();
  void Paint() override;
  void Click() override;
  void PropertyChanged(PropId id) override;

 protected:
  // Draws (or with DT_CALCRECT measures) the caption in r.
  virtual void DrawCaption(TCanvas& canvas, TRect& r, unsigned flags);
};

// A label laid out as the printed title page lays its lines out, shown at
// ViewPortValue percent: lines end at a carriage return, and the line
// height keeps the printed proportion of the font.
class TTitlePageLabel : public TBtrLabel {
 public:
  explicit TTitlePageLabel(TComponent* owner);
  int ViewPortValue() const { return viewPort_; }
  void SetViewPortValue(int percent);
  // The place on the page, in page units.
  std::int16_t TrueLeft() const { return trueLeft_; }
  std::int16_t TrueTop() const { return trueTop_; }
  void SetTrueLeft(std::int16_t left);
  void SetTrueTop(std::int16_t top);
  // The size as shown: the size times ViewPortValue / 100.
  int TrueWidth() const;
  int TrueHeight() const;
  // The caption's lines.
  std::vector<std::string> Lines() const;
  // The distance between lines, unzoomed, on a screen of `pixelsPerInch`:
  // the font's height at 1200 pixels an inch in the same proportion.
  int LineHeight(int pixelsPerInch) const;

 protected:
  void DrawCaption(TCanvas& canvas, TRect& r, unsigned flags) override;

 private:
  int viewPort_ = 100;
  std::int16_t trueLeft_ = 0;
  std::int16_t trueTop_ = 0;
};

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);
  // The button Return presses when the focus is on no button; the desktop frames it.
  Prop<bool> Default{this, PropId::Default};
  bool Cancel = false;
  TModalResult ModalResult = mrNone;
  void Click() override;
};

enum class TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* owner);
  TBitmap Glyph;
  int NumGlyphs = 1;
  int Margin = -1;
  int Spacing = 4;
  TBitBtnKind Kind() const { return kind_; }
  // Sets the stock caption, glyph and modal result of a kind.
  void SetKind(TBitBtnKind kind);

 private:
  TBitBtnKind kind_ = TBitBtnKind::bkCustom;
};

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);
  Prop<bool> Down{this, PropId::Down};
  int GroupIndex = 0;
  bool AllowAllUp = false;
  bool Flat = false;
  TBitmap Glyph;
  int NumGlyphs = 1;
  void Click() override;
};

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* owner);
  Prop<std::string> Text{this, PropId::Text};
  int MaxLength = 0;
  bool ReadOnly = false;
  bool AutoSelect = true;
  char PasswordChar = 0;
  TEditCharCase CharCase = TEditCharCase::ecNormal;
  int SelStart = 0;
  int SelLength = 0;
  TNotifyEvent OnChange;

  std::string SelText() const;
  void SetSelText(const std::string& text);
  void SelectAll();
  void Clear() { Text = std::string(); }
  void PropertyChanged(PropId id) override;

 protected:
  void KeyPress(char& key) override;
  void KeyDown(Word& key, TShiftState shift) override;
};

class TMemo : public TWinControl {
 public:
  explicit TMemo(TComponent* owner);
  TStringList Lines;
  bool ReadOnly = false;
  bool WordWrap = true;
  TNotifyEvent OnChange;
};

enum class TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TComponent* owner);
  bool AllowGrayed = false;
  TAlignment Alignment = TAlignment::taRightJustify;
  bool Checked() const { return state_ == TCheckBoxState::cbChecked; }
  void SetChecked(bool checked);
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState state);
  // A user's click: unchecked -> checked -> greyed (when allowed) -> unchecked.
  void Toggle();
  void Click() override;

 private:
  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
};

class TRadioButton : public TWinControl {
 public:
  explicit TRadioButton(TComponent* owner);
  bool Checked() const { return checked_; }
  // Checking one unchecks its siblings.
  void SetChecked(bool checked);
  void Click() override;

 private:
  bool checked_ = false;
};

class TGroupBox : public TCustomControl {
 public:
  explicit TGroupBox(TComponent* owner);
};

class TRadioGroup : public TGroupBox {
 public:
  explicit TRadioGroup(TComponent* owner);
  TStringList Items;
  int Columns = 1;
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);

 private:
  int itemIndex_ = -1;
};

enum class TPanelBevel { bvNone, bvLowered, bvRaised, bvSpace };
enum class TBorderStyleKind { bsNone, bsSingle };

class TPanel : public TCustomControl {
 public:
  explicit TPanel(TComponent* owner);
  TPanelBevel BevelInner = TPanelBevel::bvNone;
  TPanelBevel BevelOuter = TPanelBevel::bvRaised;
  int BevelWidth = 1;
  int BorderWidth = 0;
  TBorderStyleKind BorderStyle = TBorderStyleKind::bsNone;
  TAlignment Alignment = TAlignment::taCenter;
};

// A panel that can keep the arrow keys for its own key handlers instead of
// letting them move the focus.
class TBetterPanel : public TPanel {
 public:
  explicit TBetterPanel(TComponent* owner);
  bool WantAllArrows = false;

 protected:
  unsigned DialogCode() const override { return WantAllArrows ? DLGC_WANTARROWS : 0u; }
};

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum class TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
 public:
  explicit TBevel(TComponent* owner);
  TBevelShape Shape = TBevelShape::bsBox;
  TBevelStyle Style = TBevelStyle::bsLowered;
};

class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* owner);
  TBitmap Picture;
  bool Stretch = false;
  bool Center = false;
  bool Transparent = false;
};

class TPaintBox : public TGraphicControl {
 public:
  explicit TPaintBox(TComponent* owner);
  TCanvas Canvas;
  TNotifyEvent OnPaint;
};

enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
enum TOwnerDrawStateFlag : unsigned { odSelected = 1, odFocused = 2, odDisabled = 4 };
using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, unsigned State)>;

class TListBox : public TCustomControl {
 public:
  explicit TListBox(TComponent* owner);
  TStringList Items;
  TListBoxStyle Style = TListBoxStyle::lbStandard;
  Prop<int> ItemHeight{this, PropId::Items, 16};
  bool MultiSelect = false;
  bool Sorted = false;
  int TopIndex = 0;
  TDrawItemEvent OnDrawItem;

  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  bool Selected(int index) const;
  void SetSelected(int index, bool selected);
  int SelCount() const;
  // The item under a client point, or -1.
  int ItemAtPos(TPoint p, bool existing = true) const;
  TRect ItemRect(int index) const;
  void Clear();

 protected:
  void Paint() override;
  void WndProc(TMessage& message) override;
  void KeyDown(Word& key, TShiftState shift) override;

 private:
  // A multi-select list picks as the desktop does: a click or an arrow
  // key selects one item, Ctrl adds or takes away one, Shift reaches from
  // the anchor.
  void PickItem(int index, TShiftState shift);
  void SelectOnly(int index);
  int itemIndex_ = -1;
  int anchor_ = -1;
  // A press on a selected item keeps the selection for a drag; released
  // without moving, it leaves that item alone selected.
  int selectOnRelease_ = -1;
  std::vector<bool> selected_;
};

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed };

class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* owner);
  TStringList Items;
  Prop<std::string> Text{this, PropId::Text};
  TComboBoxStyle Style = TComboBoxStyle::csDropDown;
  int DropDownCount = 8;
  int MaxLength = 0;
  bool Sorted = false;
  Prop<bool> DroppedDown{this, PropId::Style};
  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;

  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);
  void PropertyChanged(PropId id) override;

 private:
  int itemIndex_ = -1;
};

enum class TScrollBarKind { sbHorizontal, sbVertical };
enum class TScrollCode {
  scLineUp,
  scLineDown,
  scPageUp,
  scPageDown,
  scPosition,
  scTrack,
  scTop,
  scBottom,
  scEndScroll
};
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TWinControl {
 public:
  explicit TScrollBar(TComponent* owner);
  TScrollBarKind Kind = TScrollBarKind::sbHorizontal;
  Prop<int> Min{this, PropId::Range, 0};
  Prop<int> Max{this, PropId::Range, 100};
  Prop<int> PageSize{this, PropId::Range, 0};
  Prop<int> Position{this, PropId::Position, 0};
  int SmallChange = 1;
  int LargeChange = 1;
  TScrollEvent OnScroll;
  TNotifyEvent OnChange;
  void SetParams(int position, int min, int max);
  // A user's action on the bar, as the desktop reports it.
  void Scroll(TScrollCode code, int trackPosition = 0);
  // With the keyboard the arrows move it a line, Page Up and Down a page,
  // Home and End to its ends.
  void KeyDown(Word& key, TShiftState shift) override;
  void PropertyChanged(PropId id) override;
};

class TTabSheet;

class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* owner);
  TNotifyEvent OnChange;
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int index) const;
  TTabSheet* ActivePage() const { return active_; }
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);

 private:
  friend class TTabSheet;
  std::vector<TTabSheet*> pages_;
  TTabSheet* active_ = nullptr;
};

class TTabSheet : public TWinControl {
 public:
  TTabSheet(TComponent* owner, TPageControl* pageControl);
  ~TTabSheet() override;
  bool TabVisible = true;
  TPageControl* PageControl() const { return pageControl_; }
  int PageIndex() const;

 private:
  TPageControl* pageControl_;
};

enum class TGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };

class TGauge : public TGraphicControl {
 public:
  explicit TGauge(TComponent* owner);
  TGaugeKind Kind = TGaugeKind::gkHorizontalBar;
  int MinValue = 0;
  int MaxValue = 100;
  Prop<int> Progress{this, PropId::Position, 0};
  TColor ForeColor = clBlack;
  TColor BackColor = clWhite;
  bool ShowText = true;
  int PercentDone() const;
};

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  TNotifyEvent OnTimer;
  int Interval() const { return interval_; }
  void SetInterval(int ms);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // When it falls due next, on the tick clock (0 when idle).
  std::uint64_t DueTick = 0;

 private:
  void Reschedule();
  int interval_ = 1000;
  bool enabled_ = true;
};

// A named control owned by `owner` and placed inside `parent`, as a form
// designer would lay it out. A caption comes before the bounds, so that a
// label keeps the size it was given.
template <class T>
T* MakeControl(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width, int height,
               const std::string& caption = {}) {
  auto* control = new T(owner);
  control->Name = name;
  control->SetParent(parent);
  if (!caption.empty()) control->Caption = caption;
  control->SetBounds(left, top, width, height);
  return control;
}

}  // namespace qm
