#include "shell/auto_scroll.h"

#include <algorithm>
#include <cstdlib>

#include "base/document_table.h"
#include "platform/platform.h"
#include "script/editing/editor_calls.h"
#include "script/editing/scrolling.h"
#include "script/script_window.h"

namespace qm {

namespace {

constexpr int DesignedInterval = 500;
// The pointer this close to the origin scrolls nothing.
constexpr int DeadZone = 15;
constexpr int MaxSpeed = 50;
constexpr int MillisecondsPerSpeedStep = 15;
// How far the origin mark reaches above the click.
constexpr int MarkAbove = 14;

// The picture: a ring round a dot, with an arrowhead up and one down.
void PaintOriginMark(TCanvas& c) {
  constexpr TRect r = TIntellimouse::OriginPix;
  constexpr int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
  c.Brush.Style = TBrushStyle::bsSolid;
  c.Brush.Color = clBtnFace;
  c.FillRect(r);
  c.Pen.Color = clBlack;
  c.Brush.Style = TBrushStyle::bsClear;
  c.Ellipse(cx - 8, cy - 8, cx + 9, cy + 9);
  c.Brush.Style = TBrushStyle::bsSolid;
  c.Brush.Color = clBlack;
  c.Ellipse(cx - 1, cy - 1, cx + 2, cy + 2);
  c.Polygon({{cx - 3, cy - 3}, {cx + 3, cy - 3}, {cx, cy - 6}});
  c.Polygon({{cx - 3, cy + 3}, {cx + 3, cy + 3}, {cx, cy + 6}});
}

TPoint ScreenPointOf(const TMsg& msg) {
  const TPoint client{static_cast<std::int16_t>(msg.lParam & 0xFFFF),
                      static_cast<std::int16_t>((msg.lParam >> 16) & 0xFFFF)};
  TWinControl* window = Platform::Exists() ? Platform::Current().WindowFromHandle(msg.hwnd) : nullptr;
  return window ? window->ClientToScreen(client) : client;
}

}  // namespace

TIntellimouse::TIntellimouse(TComponent* owner) : TForm(owner) {
  Name = "Intellimouse";
  BorderStyle = TFormBorderStyle::bsNone;
  SetClientWidth(OriginPix.Width());
  SetClientHeight(OriginPix.Height());
  OnPaint = [this](TObject*) { PaintOriginMark(Canvas); };
}

TAutoScroll::TAutoScroll() {
  mark_ = new TIntellimouse(nullptr);
  timer_ = new TTimer(nullptr);
  timer_->SetEnabled(false);
  timer_->SetInterval(DesignedInterval);
  timer_->OnTimer = [this](TObject*) { TimerClick(true); };
}

TAutoScroll::~TAutoScroll() {
  UnhookMessages();
  delete timer_;
  delete mark_;
}

void TAutoScroll::HookMessages() {
  if (hooked_ || !Application) return;
  saved_ = Application->OnMessage;
  savedDeactivate_ = Application->OnDeactivate;
  Application->OnMessage = [this](TMsg& msg, bool& handled) { HandleMessage(msg, handled); };
  Application->OnDeactivate = [this](TObject* sender) {
    Stop();
    if (savedDeactivate_) savedDeactivate_(sender);
  };
  hooked_ = true;
}

void TAutoScroll::UnhookMessages() {
  if (!hooked_ || !Application) return;
  Application->OnMessage = saved_;
  Application->OnDeactivate = savedDeactivate_;
  hooked_ = false;
}

void TAutoScroll::HandleMessage(TMsg& msg, bool& handled) {
  // A handler that was never set has nothing to be passed to.
  const auto passOn = [&] {
    if (saved_) saved_(msg, handled);
  };
  if (NoActiveDocument()) {
    passOn();
    return;
  }
  const bool running = Running();
  switch (msg.message) {
    case WM_MOUSEWHEEL:
      // A real roll stops it; the window scrolls by the roll.
      Stop();
      passOn();
      return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      if (running) handled = true;
      break;
    case WM_MBUTTONDBLCLK:
    case WM_SYSKEYDOWN:
    case WM_KEYDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      if (running) {
        handled = true;
        Stop();
        return;
      }
      break;
    case WM_MOUSEMOVE:
      if (running) {
        Pointer = ScreenPointOf(msg);
        TimerClick(false);
        handled = true;
        return;
      }
      break;
    case WM_MBUTTONUP:
      Pointer = ScreenPointOf(msg);
      handled = true;
      Switch(true);
      return;
    default: break;
  }
  if (!handled) passOn();
}

void TAutoScroll::Switch(bool reset) {
  if (!Running() && reset && OriginY == NoOrigin) {
    OriginY = Pointer.Y;
    // Shown where the click was, leaving the keyboard with the script.
    const int left = Pointer.X - mark_->ClientWidth() / 2;
    mark_->SetBounds(left, OriginY - MarkAbove, mark_->Width, mark_->Height);
    mark_->Visible = true;
    // The pointer rests over the page as it scrolls: the script's hint
    // would pop up there. A move after the scrolling brings it back.
    if (TMDIChild* script = ActiveScript()) editor::SetHint(*script, "");
    timer_->SetInterval(DesignedInterval);
    timer_->SetEnabled(true);
    return;
  }
  if (Running()) Stop();
  if (reset) OriginY = NoOrigin;
}

void TAutoScroll::Stop() {
  if (!Running()) return;
  timer_->SetEnabled(false);
  mark_->Visible = false;
  if (Screen) Screen->SetCursor(crDefault);
  if (!NoActiveDocument()) ActiveScript()->Cursor = crIBeam;
}

void TAutoScroll::TimerClick(bool scroll) {
  if (NoActiveDocument() || (Application && !Application->Active())) {
    Stop();
    return;
  }
  TMDIChild& script = *ActiveScript();
  const int distance = Pointer.Y - OriginY;
  const int speed = std::min(MaxSpeed, std::abs(distance) / 3);
  timer_->SetInterval((MaxSpeed + 1 - speed) * MillisecondsPerSpeedStep);
  if (std::abs(distance) < DeadZone) {
    script.Cursor = crSizeNS;
    return;
  }
  const bool up = distance < 0;
  script.Cursor = up ? crUpArrow : crSizeNS;
  if (scroll) {
    if (WheelHooks.LineStep) WheelHooks.LineStep(up);
    else if (up) MoveCaretLineUp(script);
    else MoveCaretLineDown(script);
    script.RedisplayScreen(false);
  }
}

}  // namespace qm
