#include "platform/controls.h"

#include <algorithm>
#include <cstdlib>

#include "platform/cp1252.h"
#include "platform/forms.h"
#include "platform/platform.h"
#include "platform/user_action.h"
#include "platform/recording_canvas.h"

namespace qm {

// ---------------------------------------------------------------------------
// TComponent

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) owner_->InsertComponent(this);
}

TComponent::~TComponent() {
  destroying_ = true;
  while (!components_.empty()) delete components_.back();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::InsertComponent(TComponent* child) { components_.push_back(child); }

void TComponent::RemoveComponent(TComponent* child) {
  auto it = std::find(components_.begin(), components_.end(), child);
  if (it != components_.end()) components_.erase(it);
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) return nullptr;
  return components_[static_cast<size_t>(index)];
}

TComponent* TComponent::FindComponent(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (auto* c : components_)
    if (SameText(c->Name, name)) return c;
  return nullptr;
}

std::string SenderName(const TObject* sender) {
  const auto* component = dynamic_cast<const TComponent*>(sender);
  return component ? component->Name : std::string();
}

TComponent* TComponent::FindDescendant(const std::string& name) const {
  if (auto* direct = FindComponent(name)) return direct;
  for (auto* c : components_)
    if (auto* deep = c->FindDescendant(name)) return deep;
  return nullptr;
}

// ---------------------------------------------------------------------------
// TControl

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
  destroying_ = true;
  if (Platform::Exists() && Application) Application->ForgetControl(this);
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
  if (parent && parent->Peer()) EnsurePeer();
  PropertyChanged(PropId::Visible);
}

TForm* TControl::ParentForm() const {
  const TControl* c = this;
  while (c) {
    if (auto* f = dynamic_cast<const TForm*>(c)) return const_cast<TForm*>(f);
    c = c->Parent();
  }
  return nullptr;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (BoundsRect() == TRect{left, top, left + width, top + height}) return;
  Left.SetQuietly(left);
  Top.SetQuietly(top);
  Width.SetQuietly(width);
  Height.SetQuietly(height);
  PropertyChanged(PropId::Bounds);
}

TPoint TControl::ClientOrigin() const {
  if (peer_)
    if (const std::optional<TPoint> shown = peer_->ScreenOrigin()) return *shown;
  TPoint origin{Left, Top};
  if (parent_) {
    const TPoint p = parent_->ClientOrigin();
    origin.X += p.X;
    origin.Y += p.Y;
  }
  return origin;
}

TPoint TControl::ClientToScreen(TPoint p) const {
  const TPoint o = ClientOrigin();
  return TPoint{p.X + o.X, p.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint p) const {
  const TPoint o = ClientOrigin();
  return TPoint{p.X - o.X, p.Y - o.Y};
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible) return false;
  return true;
}

void TControl::Invalidate() {
  if (peer_) peer_->Invalidate(nullptr);
  else if (parent_) parent_->Invalidate();
}

void TControl::InvalidateRect(const TRect& rect) {
  if (peer_) peer_->Invalidate(&rect);
  else Invalidate();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::Update() {
  if (peer_) peer_->Update();
  else if (Application) Application->PaintPending();
}

void TControl::BringToFront() {
  if (peer_) peer_->PropertyChanged(PropId::ZOrder);
}

void TControl::SendToBack() {
  if (peer_) peer_->PropertyChanged(PropId::ZOrder);
}

void TControl::Click() {
  const TUserAction action;
  if (OnClick) OnClick(this);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WndProc(m);
  return m.Result;
}

namespace {

TShiftState MouseShift(WPARAM keys) {
  unsigned bits = 0;
  if (keys & 0x04) bits |= ssShift;
  if (keys & 0x08) bits |= ssCtrl;
  if (keys & 0x01) bits |= ssLeft;
  if (keys & 0x02) bits |= ssRight;
  if (keys & 0x10) bits |= ssMiddle;
  return TShiftState(bits);
}

int LowSigned(LPARAM l) { return static_cast<std::int16_t>(l & 0xFFFF); }
int HighSigned(LPARAM l) { return static_cast<std::int16_t>((l >> 16) & 0xFFFF); }

}  // namespace

void TControl::WndProc(TMessage& m) {
  const int x = LowSigned(m.LParam);
  const int y = HighSigned(m.LParam);
  const TShiftState shift = MouseShift(m.WParam);
  switch (m.Msg) {
    case WM_LBUTTONDOWN: MouseDown(TMouseButton::mbLeft, shift, x, y); break;
    case WM_RBUTTONDOWN: MouseDown(TMouseButton::mbRight, shift, x, y); break;
    case WM_MBUTTONDOWN: MouseDown(TMouseButton::mbMiddle, shift, x, y); break;
    case WM_LBUTTONUP: MouseUp(TMouseButton::mbLeft, shift, x, y); break;
    case WM_RBUTTONUP: MouseUp(TMouseButton::mbRight, shift, x, y); break;
    case WM_MBUTTONUP: MouseUp(TMouseButton::mbMiddle, shift, x, y); break;
    case WM_MOUSEMOVE: MouseMove(shift, x, y); break;
    case WM_MOUSELEAVE: MouseLeave(); break;
    case WM_LBUTTONDBLCLK:
      MouseDown(TMouseButton::mbLeft, TShiftState(shift.Bits | ssDouble), x, y);
      DblClick();
      break;
    default: break;
  }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  clickPending_ = button == TMouseButton::mbLeft && !shift.Contains(ssDouble);
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

// A press and release of the left button inside the control is a click.
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  const bool click = clickPending_ && button == TMouseButton::mbLeft && ClientRect().Contains(TPoint{x, y});
  clickPending_ = false;
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
  if (click && Enabled) Click();
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (Application) Application->PointerOver(this);
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::EnsurePeer() {
  if (peer_ || !Platform::Exists()) return;
  peer_ = Platform::Current().backend().CreatePeer(*this);
  if (auto* win = dynamic_cast<TWinControl*>(this))
    for (int i = 0; i < win->ControlCount(); ++i) win->Controls(i)->EnsurePeer();
}

void TControl::PropertyChanged(PropId id) {
  if (destroying_) return;
  if (id == PropId::Bounds) BoundsChanged();
  if (id == PropId::Visible) VisibleChanged();
  if (peer_) peer_->PropertyChanged(id);
}

void TControl::BoundsChanged() {
  const TRect now = BoundsRect();
  const bool resized = now.Width() != lastBounds_.Width() || now.Height() != lastBounds_.Height();
  lastBounds_ = now;
  if (resized) Resize();
  if (parent_ && Align != TAlign::alNone) parent_->AlignControls();
}

void TControl::VisibleChanged() {
  if (parent_ && Align != TAlign::alNone) parent_->AlignControls();
  if (!Visible && Platform::Exists() && Application) Application->ControlHidden(this);
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

// ---------------------------------------------------------------------------
// TWinControl

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  destroying_ = true;
  for (auto* c : controls_) c->parent_ = nullptr;
  controls_.clear();
  if (handle_ != NullWindow && Platform::Exists()) Platform::Current().ReleaseHandle(handle_);
}

HWND TWinControl::Handle() {
  if (handle_ == NullWindow) handle_ = Platform::Current().AllocateHandle(this);
  return handle_;
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount()) return nullptr;
  return controls_[static_cast<size_t>(index)];
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  if (control->Align != TAlign::alNone) AlignControls();
}

void TWinControl::RemoveControl(TControl* control) {
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it == controls_.end()) return;
  controls_.erase(it);
  control->parent_ = nullptr;
  if (auto* form = ParentForm(); form && !form->Destroying()) {
    if (form->ActiveControl == control) form->ActiveControl = nullptr;
    if (form->focused_ == control) form->focused_ = nullptr;
  }
}

bool TWinControl::Focused() const {
  const TForm* form = ParentForm();
  return form && form->FocusedControl() == this;
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible || !c->Enabled) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (auto* form = ParentForm()) form->FocusControl(this);
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      Word key = static_cast<Word>(m.WParam);
      m.Result = DoKeyDown(key, TShiftState(static_cast<unsigned>(m.LParam))) ? 1 : 0;
      return;
    }
    case WM_KEYUP: {
      Word key = static_cast<Word>(m.WParam);
      m.Result = DoKeyUp(key, TShiftState(static_cast<unsigned>(m.LParam))) ? 1 : 0;
      return;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
      char ch = static_cast<char>(m.WParam);
      m.Result = DoKeyPress(ch) ? 1 : 0;
      return;
    }
    case WM_GETDLGCODE: m.Result = DialogCode(); return;
    case WM_GETTEXT: m.Result = static_cast<LRESULT>(Caption().size()); return;
    default: TControl::WndProc(m);
  }
}

bool TWinControl::DoKeyDown(Word& key, TShiftState shift) {
  TForm* form = ParentForm();
  if (form && form != this && form->KeyPreview) {
    form->KeyDown(key, shift);
    if (key == 0) return true;
  }
  KeyDown(key, shift);
  return key == 0;
}

bool TWinControl::DoKeyUp(Word& key, TShiftState shift) {
  TForm* form = ParentForm();
  if (form && form != this && form->KeyPreview) {
    form->KeyUp(key, shift);
    if (key == 0) return true;
  }
  KeyUp(key, shift);
  return key == 0;
}

bool TWinControl::DoKeyPress(char& key) {
  TForm* form = ParentForm();
  if (form && form != this && form->KeyPreview) {
    form->KeyPress(key);
    if (key == 0) return true;
  }
  KeyPress(key);
  return key == 0;
}

void TWinControl::KeyDown(Word& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(Word& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::BoundsChanged() {
  TControl::BoundsChanged();
  AlignControls();
}

void TWinControl::AlignControls() {
  if (aligning_) return;
  aligning_ = true;
  TRect area = ClientRect();
  auto place = [&](TAlign which) {
    for (auto* c : controls_) {
      if (c->Align != which || !c->Visible) continue;
      switch (which) {
        case TAlign::alTop:
          c->SetBounds(area.Left, area.Top, area.Width(), c->Height);
          area.Top += c->Height;
          break;
        case TAlign::alBottom:
          c->SetBounds(area.Left, area.Bottom - c->Height, area.Width(), c->Height);
          area.Bottom -= c->Height;
          break;
        case TAlign::alLeft:
          c->SetBounds(area.Left, area.Top, c->Width, area.Height());
          area.Left += c->Width;
          break;
        case TAlign::alRight:
          c->SetBounds(area.Right - c->Width, area.Top, c->Width, area.Height());
          area.Right -= c->Width;
          break;
        case TAlign::alClient:
          c->SetBounds(area.Left, area.Top, std::max(0, area.Width()), std::max(0, area.Height()));
          break;
        case TAlign::alNone: break;
      }
    }
  };
  for (TAlign a : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) place(a);
  aligning_ = false;
}

namespace {

// Rounded to the nearest, as the platform's MulDiv does.
int Scaled(int value, int multiplier, int divider) {
  const long long product = static_cast<long long>(value) * multiplier;
  const long long half = divider / 2;
  return static_cast<int>((product >= 0 ? product + half : product - half) / divider);
}

void ScaleChildren(TWinControl& parent, int multiplier, int divider) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* c = parent.Controls(i);
    c->SetBounds(Scaled(c->Left, multiplier, divider), Scaled(c->Top, multiplier, divider),
                 Scaled(c->Width, multiplier, divider), Scaled(c->Height, multiplier, divider));
    if (auto* win = dynamic_cast<TWinControl*>(c)) ScaleChildren(*win, multiplier, divider);
  }
}

}  // namespace

void TWinControl::ScaleBy(int multiplier, int divider) {
  if (multiplier == divider || divider == 0) return;
  ScaleChildren(*this, multiplier, divider);
  SetBounds(Left, Top, Scaled(Width, multiplier, divider), Scaled(Height, multiplier, divider));
}

// ---------------------------------------------------------------------------
// TCustomControl

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) { Canvas.SetSink(Recording()); }

TCustomControl::~TCustomControl() = default;

RecordingCanvas* TCustomControl::Recording() {
  if (!recording_) {
    const int dpi = Platform::Exists() ? Platform::Current().backend().Screen().PixelsPerInch : 96;
    recording_ = std::make_unique<RecordingCanvas>(dpi);
  }
  return recording_.get();
}

void TCustomControl::PaintTo(CanvasSink& sink) {
  CanvasSink* previous = Canvas.Sink();
  Canvas.SetSink(&sink);
  Paint();
  Canvas.SetSink(previous);
}

void TCustomControl::Paint() {
  if (OnPaint) OnPaint(this);
}

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

void TPaintedGraphic::PaintTo(CanvasSink& sink) {
  CanvasSink* previous = Canvas.Sink();
  Canvas.SetSink(&sink);
  Paint();
  Canvas.SetSink(previous);
}

// ---------------------------------------------------------------------------
// TLabel

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {}

void TLabel::AdjustBounds() {
  if (!AutoSize || !Platform::Exists()) return;
  TCanvas measure;
  measure.Font.Assign(Font);
  measure.ControlText = true;
  TRect r{0, 0, WordWrap ? static_cast<int>(Width) : 0, 0};
  measure.DrawText(Caption(), r, DT_CALCRECT | (WordWrap ? DT_WORDBREAK : 0u) | (ShowAccelChar ? 0u : DT_NOPREFIX));
  if (!WordWrap) Width = r.Width();
  Height = r.Height();
}

void TLabel::PropertyChanged(PropId id) {
  TGraphicControl::PropertyChanged(id);
  if (id == PropId::Caption || id == PropId::Font) AdjustBounds();
}

// ---------------------------------------------------------------------------
// TBtrLabel

TBtrLabel::TBtrLabel(TComponent* owner) : TLabel(owner) { WordWrap = true; }

void TBtrLabel::DrawCaption(TCanvas& canvas, TRect& r, unsigned flags) {
  std::string text = Caption();
  // Measured, an empty caption or a lone "&" still takes one blank.
  if ((flags & DT_CALCRECT) && (text.empty() || (text == "&" && ShowAccelChar))) text = " ";
  canvas.DrawText(text, r, flags);
}

TRect TBtrLabel::MeasureCaption(int width) {
  TCanvas measure;
  measure.Font.Assign(Font);
  TRect r{0, 0, width, 0};
  const unsigned prefix = ShowAccelChar ? 0u : DT_NOPREFIX;
  DrawCaption(measure, r, DT_CALCRECT | prefix);
  const int oneLine = r.Right;
  if (width > 0 && oneLine > width) {
    r = TRect{0, 0, width, 0};
    DrawCaption(measure, r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | prefix);
  }
  return r;
}

void TBtrLabel::AdjustBounds() {
  if (!AutoSize || !Platform::Exists()) return;
  const TRect r = MeasureCaption(Width);
  const int height = r.Height() + std::abs(Font.Height()) / 8;
  int left = Left;
  if (Alignment == TAlignment::taRightJustify) left += Width - r.Width();
  if (Alignment == TAlignment::taCenter) left += (Width - r.Width()) / 2;
  SetBounds(left, Top, r.Width(), height);
}

void TBtrLabel::AdjustHeight() {
  if (!AutoSize || !Platform::Exists()) return;
  const TRect wide = MeasureCaption(0);
  if (wide.Width() > Width) Width = wide.Width();
  Height = MeasureCaption(Width).Height() + std::abs(Font.Height()) / 8;
}

void TBtrLabel::PropertyChanged(PropId id) {
  TGraphicControl::PropertyChanged(id);
  if (id == PropId::Caption || id == PropId::Font) AdjustBounds();
}

void TBtrLabel::Paint() {
  const TRect client = ClientRect();
  Canvas.Font.Assign(Font);
  if (!Transparent) {
    Canvas.Brush.Style = TBrushStyle::bsSolid;
    Canvas.Brush.Color = Color;
    Canvas.FillRect(client);
  }
  if (!Transparent || Border) {
    Canvas.Pen.Style = BorderStyle;
    Canvas.Pen.Color = Border ? BorderColor : static_cast<TColor>(Color);
    Canvas.MoveTo(client.Left, client.Top);
    Canvas.LineTo(client.Right - 1, client.Top);
    Canvas.LineTo(client.Right - 1, client.Bottom - 1);
    Canvas.LineTo(client.Left, client.Bottom - 1);
    Canvas.LineTo(client.Left, client.Top);
    Canvas.Pen.Style = TPenStyle::psSolid;
  }
  Canvas.Brush.Style = TBrushStyle::bsClear;
  unsigned flags = DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP | (ShowAccelChar ? 0u : DT_NOPREFIX);
  if (Alignment == TAlignment::taRightJustify) flags |= DT_RIGHT;
  if (Alignment == TAlignment::taCenter) flags |= DT_CENTER;
  TRect r = client;
  if (Enabled) {
    DrawCaption(Canvas, r, flags);
    return;
  }
  // Disabled text is embossed: white one pixel down and right, then grey.
  TRect shadow{r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1};
  Canvas.Font.Color = clWhite;
  DrawCaption(Canvas, shadow, flags);
  Canvas.Font.Color = clBtnShadow;
  DrawCaption(Canvas, r, flags);
}

// A click on the label hands the focus to the control it names.
void TBtrLabel::Click() {
  TLabel::Click();
  if (FocusControl && FocusControl->CanFocus()) FocusControl->SetFocus();
}

// ---------------------------------------------------------------------------
// TTitlePageLabel

TTitlePageLabel::TTitlePageLabel(TComponent* owner) : TBtrLabel(owner) { WordWrap = false; }

void TTitlePageLabel::SetViewPortValue(int percent) {
  viewPort_ = percent;
  Invalidate();
}

void TTitlePageLabel::SetTrueLeft(std::int16_t left) {
  trueLeft_ = left;
  Invalidate();
}

void TTitlePageLabel::SetTrueTop(std::int16_t top) {
  trueTop_ = top;
  Invalidate();
}

int TTitlePageLabel::TrueWidth() const { return viewPort_ < 1 ? Width() : Width * viewPort_ / 100; }
int TTitlePageLabel::TrueHeight() const { return viewPort_ < 1 ? Height() : Height * viewPort_ / 100; }

std::vector<std::string> TTitlePageLabel::Lines() const {
  std::vector<std::string> lines(1);
  const std::string& text = Caption();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      lines.back() += text[i];
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lines.emplace_back();
  }
  return lines;
}

// The printed lines per inch are 1200 / (the font's height at 1200 pixels
// an inch); the screen's line height is the nearest that gives as many.
int TTitlePageLabel::LineHeight(int pixelsPerInch) const {
  const int printed = std::max(1, Platform::Current().backend().Metrics().Metrics(Font.Desc(), 1200).Height());
  return std::max(1, (pixelsPerInch * printed + 600) / 1200);
}

void TTitlePageLabel::DrawCaption(TCanvas& canvas, TRect& r, unsigned flags) {
  const std::vector<std::string> lines = Lines();
  const int zoom = viewPort_ > 0 ? viewPort_ : 100;
  const int height = LineHeight(canvas.PixelsPerInch());
  if (flags & DT_CALCRECT) {
    int widest = 0;
    for (const std::string& line : lines) widest = std::max(widest, canvas.TextWidth(line));
    r.Right = r.Left + widest;
    r.Bottom = r.Top + height * static_cast<int>(lines.size());
    return;
  }
  // Drawn zoomed: the font, the places and the line height alike.
  canvas.Font.SetHeight(Font.Desc().EmPixels(canvas.PixelsPerInch()) * zoom / 100);
  const TRect shown{r.Left * zoom / 100, r.Top * zoom / 100, r.Right * zoom / 100, r.Bottom * zoom / 100};
  int y = shown.Top;
  for (const std::string& line : lines) {
    int x = shown.Left;
    if (flags & DT_RIGHT) x = shown.Right - canvas.TextWidth(line);
    if (flags & DT_CENTER) x = shown.Left + (shown.Width() - canvas.TextWidth(line)) / 2;
    canvas.TextOut(x, y, line);
    y += height * zoom / 100;
  }
}

// ---------------------------------------------------------------------------
// Buttons

TButton::TButton(TComponent* owner) : TWinControl(owner) { TabStop = true; }

void TButton::Click() {
  if (ModalResult != mrNone)
    if (auto* form = ParentForm()) form->ModalResult = ModalResult;
  TWinControl::Click();
}

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {}

void TBitBtn::SetKind(TBitBtnKind kind) {
  kind_ = kind;
  struct Stock {
    TBitBtnKind kind;
    const char* caption;
    const char* glyph;
    TModalResult result;
  };
  // clang-format off
  static const Stock stock[] = {
      {TBitBtnKind::bkOK, "OK", "BBOK", mrOk},          {TBitBtnKind::bkCancel, "Cancel", "BBCANCEL", mrCancel},
      {TBitBtnKind::bkHelp, "&Help", "BBHELP", mrNone}, {TBitBtnKind::bkYes, "&Yes", "BBYES", mrYes},
      {TBitBtnKind::bkNo, "&No", "BBNO", mrNo},         {TBitBtnKind::bkClose, "&Close", "BBCLOSE", mrNone},
      {TBitBtnKind::bkAbort, "Abort", "BBABORT", mrAbort}, {TBitBtnKind::bkRetry, "&Retry", "BBRETRY", mrRetry},
      {TBitBtnKind::bkIgnore, "&Ignore", "BBIGNORE", mrIgnore}, {TBitBtnKind::bkAll, "&All", "BBALL", mrAll},
  };
  // clang-format on
  for (const auto& s : stock) {
    if (s.kind != kind) continue;
    Caption = s.caption;
    Glyph.LoadFromResourceName(s.glyph);
    ModalResult = s.result;
    Cancel = kind == TBitBtnKind::bkCancel;
    Default = kind == TBitBtnKind::bkOK || kind == TBitBtnKind::bkYes;
  }
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {}

void TSpeedButton::Click() {
  if (GroupIndex != 0) {
    if (Down && AllowAllUp) {
      Down = false;
    } else if (!Down) {
      Down = true;
      if (auto* p = Parent())
        for (int i = 0; i < p->ControlCount(); ++i)
          if (auto* other = dynamic_cast<TSpeedButton*>(p->Controls(i));
              other && other != this && other->GroupIndex == GroupIndex)
            other->Down = false;
    }
  }
  TGraphicControl::Click();
}

// ---------------------------------------------------------------------------
// TEdit

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {
  TabStop = true;
  Color = clWindow;
}

std::string TEdit::SelText() const {
  const std::string& t = Text();
  const size_t start = std::min(static_cast<size_t>(std::max(SelStart, 0)), t.size());
  return t.substr(start, static_cast<size_t>(std::max(SelLength, 0)));
}

void TEdit::SetSelText(const std::string& text) {
  std::string t = Text();
  const size_t start = std::min(static_cast<size_t>(std::max(SelStart, 0)), t.size());
  const size_t length = std::min(static_cast<size_t>(std::max(SelLength, 0)), t.size() - start);
  std::string insert = text;
  if (MaxLength > 0) {
    const size_t room = static_cast<size_t>(MaxLength) > t.size() - length ? MaxLength - (t.size() - length) : 0;
    if (insert.size() > room) insert.resize(room);
  }
  t.replace(start, length, insert);
  SelStart = static_cast<int>(start + insert.size());
  SelLength = 0;
  Text = t;
}

void TEdit::SelectAll() {
  SelStart = 0;
  SelLength = static_cast<int>(Text().size());
  PropertyChanged(PropId::Selection);
}

void TEdit::PropertyChanged(PropId id) {
  if (id == PropId::Text) {
    if (CharCase == TEditCharCase::ecUpperCase) Text.SetQuietly(AnsiUpperCase(Text()));
    if (CharCase == TEditCharCase::ecLowerCase) Text.SetQuietly(AnsiLowerCase(Text()));
    if (SelStart > static_cast<int>(Text().size())) SelStart = static_cast<int>(Text().size());
  }
  TWinControl::PropertyChanged(id);
  if (id == PropId::Text && OnChange && !Destroying()) OnChange(this);
}

void TEdit::KeyPress(char& key) {
  TWinControl::KeyPress(key);
  if (key == 0 || ReadOnly) return;
  const auto ch = static_cast<unsigned char>(key);
  if (ch == VK_BACK) {
    if (SelLength == 0 && SelStart > 0) {
      --SelStart;
      SelLength = 1;
    }
    SetSelText("");
  } else if (ch >= 32) {
    SetSelText(std::string(1, key));
  }
}

void TEdit::KeyDown(Word& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  const int length = static_cast<int>(Text().size());
  switch (key) {
    case VK_LEFT:
      SelStart = std::max(0, SelStart - 1);
      SelLength = 0;
      break;
    case VK_RIGHT:
      SelStart = std::min(length, SelStart + 1);
      SelLength = 0;
      break;
    case VK_HOME:
      SelStart = 0;
      SelLength = 0;
      break;
    case VK_END:
      SelStart = length;
      SelLength = 0;
      break;
    case VK_DELETE:
      if (!ReadOnly) {
        if (SelLength == 0) SelLength = SelStart < length ? 1 : 0;
        SetSelText("");
      }
      break;
    default: break;
  }
}

TMemo::TMemo(TComponent* owner) : TWinControl(owner) {
  TabStop = true;
  Color = clWindow;
}

// ---------------------------------------------------------------------------
// Check boxes and radio buttons

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) { TabStop = true; }

void TCheckBox::SetChecked(bool checked) {
  SetState(checked ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked);
}

void TCheckBox::SetState(TCheckBoxState state) {
  if (state == state_) return;
  state_ = state;
  PropertyChanged(PropId::Checked);
  TWinControl::Click();
}

void TCheckBox::Toggle() {
  switch (state_) {
    case TCheckBoxState::cbUnchecked: SetState(TCheckBoxState::cbChecked); break;
    case TCheckBoxState::cbChecked:
      SetState(AllowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbUnchecked);
      break;
    case TCheckBoxState::cbGrayed: SetState(TCheckBoxState::cbUnchecked); break;
  }
}

void TCheckBox::Click() { Toggle(); }

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {}

void TRadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (checked && Parent())
    for (int i = 0; i < Parent()->ControlCount(); ++i)
      if (auto* other = dynamic_cast<TRadioButton*>(Parent()->Controls(i)); other && other != this)
        other->SetChecked(false);
  PropertyChanged(PropId::Checked);
  if (checked) TWinControl::Click();
}

void TRadioButton::Click() { SetChecked(true); }

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner) {}

TRadioGroup::TRadioGroup(TComponent* owner) : TGroupBox(owner) {}

void TRadioGroup::SetItemIndex(int index) {
  if (index < -1 || index >= Items.Count()) index = -1;
  if (index == itemIndex_) return;
  itemIndex_ = index;
  PropertyChanged(PropId::ItemIndex);
  TGroupBox::Click();
}

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {}
TBetterPanel::TBetterPanel(TComponent* owner) : TPanel(owner) {}
TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {}
TImage::TImage(TComponent* owner) : TGraphicControl(owner) {}
TPaintBox::TPaintBox(TComponent* owner) : TGraphicControl(owner) {}

// ---------------------------------------------------------------------------
// TListBox

TListBox::TListBox(TComponent* owner) : TCustomControl(owner) {
  TabStop = true;
  Color = clWindow;
  Items.OnChange = [this](TObject*) {
    selected_.resize(static_cast<size_t>(Items.Count()), false);
    if (itemIndex_ >= Items.Count()) itemIndex_ = -1;
    PropertyChanged(PropId::Items);
  };
}

void TListBox::SetItemIndex(int index) {
  if (index < -1 || index >= Items.Count()) index = -1;
  if (index == itemIndex_) return;
  itemIndex_ = index;
  if (!MultiSelect) {
    std::fill(selected_.begin(), selected_.end(), false);
    if (index >= 0) selected_[static_cast<size_t>(index)] = true;
  }
  PropertyChanged(PropId::ItemIndex);
}

bool TListBox::Selected(int index) const {
  if (index < 0 || index >= static_cast<int>(selected_.size())) return false;
  return MultiSelect ? static_cast<bool>(selected_[static_cast<size_t>(index)]) : index == itemIndex_;
}

void TListBox::SetSelected(int index, bool selected) {
  if (index < 0 || index >= Items.Count()) return;
  if (!MultiSelect) {
    SetItemIndex(selected ? index : -1);
    return;
  }
  selected_[static_cast<size_t>(index)] = selected;
  PropertyChanged(PropId::ItemIndex);
}

int TListBox::SelCount() const {
  if (!MultiSelect) return itemIndex_ >= 0 ? 1 : 0;
  return static_cast<int>(std::count(selected_.begin(), selected_.end(), true));
}

// A press selects the item under it before the press's own handlers
// run, so a double click or a drag starts from the item pressed.
void TListBox::WndProc(TMessage& m) {
  const TShiftState shift = MouseShift(m.WParam);
  if (m.Msg == WM_LBUTTONDOWN) {
    const int index = ItemAtPos(TPoint{LowSigned(m.LParam), HighSigned(m.LParam)});
    selectOnRelease_ = -1;
    if (index >= 0 && !MultiSelect && !Selected(index)) SetItemIndex(index);
    if (index >= 0 && MultiSelect) {
      if (Selected(index) && !shift.Contains(ssCtrl) && !shift.Contains(ssShift)) {
        selectOnRelease_ = index;
        SetItemIndex(index);
      } else {
        PickItem(index, shift);
      }
    }
  } else if (m.Msg == WM_MOUSEMOVE && shift.Contains(ssLeft)) {
    selectOnRelease_ = -1;
  } else if (m.Msg == WM_LBUTTONUP && selectOnRelease_ >= 0) {
    if (selectOnRelease_ < Items.Count()) SelectOnly(selectOnRelease_);
    selectOnRelease_ = -1;
  }
  TCustomControl::WndProc(m);
}

void TListBox::SelectOnly(int index) {
  std::fill(selected_.begin(), selected_.end(), false);
  if (index >= 0 && index < Items.Count()) selected_[static_cast<size_t>(index)] = true;
  anchor_ = index;
  itemIndex_ = index;
  PropertyChanged(PropId::ItemIndex);
}

void TListBox::PickItem(int index, TShiftState shift) {
  if (index < 0 || index >= Items.Count()) return;
  if (shift.Contains(ssShift) && anchor_ >= 0 && anchor_ < Items.Count()) {
    if (!shift.Contains(ssCtrl)) std::fill(selected_.begin(), selected_.end(), false);
    for (int i = std::min(anchor_, index); i <= std::max(anchor_, index); ++i) selected_[static_cast<size_t>(i)] = true;
    itemIndex_ = index;
    PropertyChanged(PropId::ItemIndex);
  } else if (shift.Contains(ssCtrl)) {
    selected_[static_cast<size_t>(index)] = !selected_[static_cast<size_t>(index)];
    anchor_ = index;
    itemIndex_ = index;
    PropertyChanged(PropId::ItemIndex);
  } else {
    SelectOnly(index);
  }
}

int TListBox::ItemAtPos(TPoint p, bool existing) const {
  if (ItemHeight <= 0 || p.Y < 0) return -1;
  const int index = TopIndex + p.Y / ItemHeight;
  if (index < Items.Count()) return index;
  return existing ? -1 : Items.Count();
}

TRect TListBox::ItemRect(int index) const {
  const int top = (index - TopIndex) * ItemHeight;
  return TRect{0, top, ClientWidth(), top + ItemHeight};
}

void TListBox::Clear() {
  Items.Clear();
  itemIndex_ = -1;
  anchor_ = -1;
  selectOnRelease_ = -1;
  selected_.clear();
}

void TListBox::Paint() {
  for (int i = TopIndex; i < Items.Count(); ++i) {
    const TRect r = ItemRect(i);
    if (r.Top >= ClientHeight()) break;
    const unsigned state = Selected(i) ? odSelected : 0u;
    if (Style != TListBoxStyle::lbStandard && OnDrawItem) {
      OnDrawItem(this, i, r, state);
      continue;
    }
    Canvas.Brush.Color = state ? clHighlight : static_cast<TColor>(Color);
    Canvas.Font.Color = state ? clHighlightText : clWindowText;
    Canvas.TextRect(r, r.Left + 2, r.Top, Items[i]);
  }
}

void TListBox::KeyDown(Word& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  const int last = Items.Count() - 1;
  int to = -1;
  switch (key) {
    case VK_UP: to = last >= 0 ? std::max(0, itemIndex_ - 1) : -1; break;
    case VK_DOWN: to = std::min(last, itemIndex_ + 1); break;
    case VK_HOME: to = last >= 0 ? 0 : -1; break;
    case VK_END: to = last; break;
    case VK_SPACE:
      // Ctrl+Space adds or takes away the item with the focus.
      if (!MultiSelect || !shift.Contains(ssCtrl) || itemIndex_ < 0) return;
      PickItem(itemIndex_, shift);
      break;
    default: return;
  }
  if (key != VK_SPACE) {
    // Ctrl moves the focus alone; otherwise the selection goes with it.
    if (!MultiSelect || to < 0 || (shift.Contains(ssCtrl) && !shift.Contains(ssShift))) SetItemIndex(to);
    else PickItem(to, shift.Contains(ssShift) ? TShiftState(ssShift) : TShiftState());
  }
  TCustomControl::Click();
}

// ---------------------------------------------------------------------------
// TComboBox

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
  TabStop = true;
  Color = clWindow;
  Items.OnChange = [this](TObject*) {
    if (itemIndex_ >= Items.Count()) itemIndex_ = -1;
    PropertyChanged(PropId::Items);
  };
}

void TComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= Items.Count()) index = -1;
  itemIndex_ = index;
  Text.SetQuietly(index >= 0 ? Items[index] : std::string());
  PropertyChanged(PropId::ItemIndex);
}

void TComboBox::PropertyChanged(PropId id) {
  if (id == PropId::Text) itemIndex_ = Items.IndexOf(Text());
  TWinControl::PropertyChanged(id);
  if (id == PropId::Text && OnChange && !Destroying()) OnChange(this);
}

// ---------------------------------------------------------------------------
// TScrollBar

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {}

void TScrollBar::SetParams(int position, int min, int max) {
  Min.SetQuietly(min);
  Max.SetQuietly(std::max(min, max));
  PropertyChanged(PropId::Range);
  Position = position;
}

void TScrollBar::PropertyChanged(PropId id) {
  if (id == PropId::Position || id == PropId::Range) {
    const int top = std::max<int>(Min, Max - std::max(PageSize() - 1, 0));
    Position.SetQuietly(std::clamp<int>(Position, Min, top));
  }
  TWinControl::PropertyChanged(id);
  if (id == PropId::Position && OnChange && !Destroying()) OnChange(this);
}

void TScrollBar::Scroll(TScrollCode code, int trackPosition) {
  int pos = Position;
  switch (code) {
    case TScrollCode::scLineUp: pos -= SmallChange; break;
    case TScrollCode::scLineDown: pos += SmallChange; break;
    case TScrollCode::scPageUp: pos -= LargeChange; break;
    case TScrollCode::scPageDown: pos += LargeChange; break;
    case TScrollCode::scPosition:
    case TScrollCode::scTrack: pos = trackPosition; break;
    case TScrollCode::scTop: pos = Min; break;
    case TScrollCode::scBottom: pos = Max; break;
    case TScrollCode::scEndScroll: break;
  }
  pos = std::clamp<int>(pos, Min, Max);
  if (OnScroll) OnScroll(this, code, pos);
  Position = pos;
}

void TScrollBar::KeyDown(Word& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  TScrollCode code;
  switch (key) {
    case VK_LEFT:
    case VK_UP: code = TScrollCode::scLineUp; break;
    case VK_RIGHT:
    case VK_DOWN: code = TScrollCode::scLineDown; break;
    case VK_PRIOR: code = TScrollCode::scPageUp; break;
    case VK_NEXT: code = TScrollCode::scPageDown; break;
    case VK_HOME: code = TScrollCode::scTop; break;
    case VK_END: code = TScrollCode::scBottom; break;
    default: return;
  }
  key = 0;
  Scroll(code);
  Scroll(TScrollCode::scEndScroll);
}

// ---------------------------------------------------------------------------
// Pages

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {}

TTabSheet* TPageControl::Pages(int index) const {
  if (index < 0 || index >= PageCount()) return nullptr;
  return pages_[static_cast<size_t>(index)];
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page == active_ || (page && page->PageControl() != this)) return;
  active_ = page;
  for (auto* p : pages_) p->Visible = p == page;
  PropertyChanged(PropId::ActivePage);
  if (OnChange && !Destroying()) OnChange(this);
}

int TPageControl::ActivePageIndex() const { return active_ ? active_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) { SetActivePage(Pages(index)); }

TTabSheet::TTabSheet(TComponent* owner, TPageControl* pageControl) : TWinControl(owner), pageControl_(pageControl) {
  SetParent(pageControl);
  Align = TAlign::alClient;
  pageControl_->pages_.push_back(this);
  Visible = pageControl_->pages_.size() == 1;
  if (!pageControl_->active_) pageControl_->active_ = this;
}

TTabSheet::~TTabSheet() {
  if (!pageControl_) return;
  auto& pages = pageControl_->pages_;
  pages.erase(std::remove(pages.begin(), pages.end(), this), pages.end());
  if (pageControl_->active_ == this) pageControl_->active_ = pages.empty() ? nullptr : pages.front();
}

int TTabSheet::PageIndex() const {
  const auto& pages = pageControl_->pages_;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

// ---------------------------------------------------------------------------
// TGauge and TTimer

TGauge::TGauge(TComponent* owner) : TGraphicControl(owner) {}

int TGauge::PercentDone() const {
  const int range = MaxValue - MinValue;
  if (range <= 0) return 0;
  return std::clamp((Progress - MinValue) * 100 / range, 0, 100);
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  if (Application) Application->AddTimer(this);
  Reschedule();
}

TTimer::~TTimer() {
  destroying_ = true;
  if (Platform::Exists() && Application) Application->RemoveTimer(this);
}

void TTimer::SetInterval(int ms) {
  interval_ = std::max(0, ms);
  Reschedule();
}

void TTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Reschedule();
}

void TTimer::Reschedule() {
  DueTick = (enabled_ && interval_ > 0 && Platform::Exists())
                ? Platform::Current().backend().TickCount64() + static_cast<std::uint64_t>(interval_)
                : 0;
}

}  // namespace qm
