// Automatic scrolling with the middle mouse button: a middle click sets
// an origin, and the script then scrolls a line at a time, the faster the
// farther the pointer is above or below it, until a second middle click,
// a key or another button stops it. It watches the application's messages
// in front of the handler that was there before it.
#pragma once

#include "platform/forms.h"

namespace qm {

// The origin mark of automatic scrolling: a small borderless window that
// shows its picture where the middle click set the origin. The window
// paints the picture itself, so that a click on it reaches the scrolling's
// message handler as one on any window of the program does.
class TIntellimouse : public TForm {
 public:
  // The picture, filling the client area.
  static constexpr TRect OriginPix{0, 0, 28, 19};
  explicit TIntellimouse(TComponent* owner);
};

class TAutoScroll {
 public:
  // No origin is set while OriginY is this.
  static constexpr int NoOrigin = -500;

  TAutoScroll();
  ~TAutoScroll();

  // Puts its message handler in front of the application's own, and takes
  // it out again (while an outside program runs).
  void HookMessages();
  void UnhookMessages();

  bool Running() const { return timer_->Enabled(); }
  int OriginY = NoOrigin;
  // The last pointer position seen, on the screen.
  TPoint Pointer;

  void HandleMessage(TMsg& msg, bool& handled);
  // A middle click: starts when it is not running and no origin is set,
  // else stops (and with reset, clears the origin).
  void Switch(bool reset);
  void Stop();
  // One timer step: the speed and direction from the pointer, then a
  // line scrolled when the pointer is far enough from the origin.
  void TimerClick(bool scroll);
  int Interval() const { return timer_->Interval(); }

 private:
  TTimer* timer_ = nullptr;
  TIntellimouse* mark_ = nullptr;
  TMessageEvent saved_;
  TNotifyEvent savedDeactivate_;
  bool hooked_ = false;
};

}  // namespace qm
