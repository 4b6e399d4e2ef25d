// The peers: each control of the core gets one widget that mirrors its
// state, and the widget hands what the user does back to the core.
#pragma once

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

#include "platform/backend.h"
#include "platform/controls.h"
#include "platform/qt/qt_canvas.h"

namespace qm {

class QtBackend;
class QtPeer;

// How many peer widgets are inside an event handler right now: a widget
// that goes meanwhile is deleted later, never under its own handler.
int& PeerEventDepth();

QCursor QtCursorOf(int cursor);

// What a widget knows of its peer (cleared when the peer goes).
class PeerLink {
 public:
  QtPeer* LinkedPeer() const;
  void Unlink() { peer_ = nullptr; }

 protected:
  explicit PeerLink(QtPeer* peer) : peer_(peer) {}
  ~PeerLink() = default;

 private:
  QtPeer* peer_;
};

using NativeKey = std::function<void(QKeyEvent*)>;

class QtPeer : public ControlPeer {
 public:
  QtPeer(QtBackend& backend, TControl& control);
  ~QtPeer() override;
  // Builds the widgets; called once the peer is whole.
  virtual void Init() = 0;

  void PropertyChanged(PropId id) override;
  void Invalidate(const TRect* rect) override;
  void Update() override;
  void SetFocus() override;
  std::optional<TPoint> ScreenOrigin() const override;

  TControl& Control() const { return control_; }
  QtBackend& Backend() const { return backend_; }
  QWidget* Widget() const { return widget_; }
  // Where the widgets of child controls go.
  virtual QWidget* Container() const { return widget_; }
  bool Alive() const { return !control_.Destroying(); }
  // A child's place, visibility or caption changed.
  virtual void ChildChanged(TControl&) {}

  // The user's input, on the core's road.
  void KeyPress(QKeyEvent* event, const NativeKey& native);
  void KeyRelease(QKeyEvent* event, const NativeKey& native);
  virtual void Mouse(UINT message, QMouseEvent* event);
  // A press, release, double click or move, as its window message.
  void MouseEvent(QMouseEvent* event);
  // The pointer has left the widget (hover looks end).
  void PointerLeft();
  void Wheel(int delta, Qt::KeyboardModifiers modifiers, QPoint global);
  virtual void FocusIn();
  // Whether Alt and a letter belong to this control's own window (a dialog's
  // button letters) rather than to the main window's menu bar, which Qt
  // would otherwise give them from a tool window it owns.
  bool OwnsAltLetters(const QKeyEvent& event) const;

 protected:
  // A key that reaches a window after it was hidden (the desktop moves the
  // keyboard a moment later) goes to the widget that has the keyboard now.
  bool PassedOn(QKeyEvent* event);
  enum class KeyRoute {
    Core,            // the core does everything (canvas windows, edits)
    CoreThenNative,  // the core first, then the widget's own handling
    Filtered,        // characters go through the core's key-press handlers, then the widget
  };
  virtual KeyRoute Route() const { return KeyRoute::Core; }
  // Whether the widget's own handling follows a key the core left alone
  // (on the Core road).
  virtual bool NativeAfterCore(QKeyEvent*, const std::string& typed) { return false; }
  // After a key reached the core (nativeRan: the widget handled it too).
  virtual void AfterKey(bool nativeRan) {}

  // Places the widget under its parent's container and mirrors every property.
  void Attach(QWidget* widget, PeerLink* link);
  virtual void Sync(PropId id);
  virtual void SyncBounds();
  virtual void SyncVisible();
  // Before a widget that holds the keyboard is hidden.
  void KeepKeyboardInForm(QWidget& widget);
  virtual void SyncCaption() {}
  virtual void SyncFont();
  virtual void SyncColor() {}
  void SyncAll();
  // Sends a mouse message to the control as the old platform would.
  void SendMouse(UINT message, WPARAM keys, QPoint at);
  // Guards against mirroring back what is being mirrored.
  bool syncing_ = false;
  // Cleared when the peer goes: code that called into the core checks it.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  // A widget signal's handler for what the user did: it runs only while the
  // peer lives and is not mirroring the core's own change.
  template <typename F>
  auto FromUser(F f) {
    return [this, alive = alive_, f] {
      if (*alive && Alive() && !syncing_) f();
    };
  }

 private:
  QtBackend& backend_;
  TControl& control_;
  QPointer<QWidget> widget_;
  PeerLink* link_ = nullptr;
};

QtPeer* PeerOf(const TControl* control);
// The widget that shows a control (the client area of a form), or null.
QWidget* WidgetOf(const TControl& control);
// Deletes a widget now, or after the handler it is in when there is one.
void DisposeWidget(QWidget* widget);

// The pointer entered or left a widget: the application hears which
// control it rests on now (none outside the program's controls).
void FollowPointer();

// A widget class whose input goes to its peer.
template <class Base>
class PeerWidget : public Base, public PeerLink {
 public:
  template <class... Args>
  explicit PeerWidget(QtPeer* peer, Args&&... args) : Base(std::forward<Args>(args)...), PeerLink(peer) {}
  void NativeKeyPress(QKeyEvent* e) { Base::keyPressEvent(e); }

 protected:
  bool event(QEvent* e) override {
    ++PeerEventDepth();
    struct Leave {
      ~Leave() { --PeerEventDepth(); }
    } leave;
    if (e->type() == QEvent::ShortcutOverride && LinkedPeer() &&
        LinkedPeer()->OwnsAltLetters(*static_cast<QKeyEvent*>(e))) {
      e->accept();
      return true;
    }
    if (e->type() == QEvent::Enter || e->type() == QEvent::Leave) FollowPointer();
    // Tab belongs to the core's dialog keys, not to Qt's focus chain.
    if (e->type() == QEvent::KeyPress && LinkedPeer()) {
      auto* key = static_cast<QKeyEvent*>(e);
      if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
        keyPressEvent(key);
        return true;
      }
    }
    return Base::event(e);
  }
  void keyPressEvent(QKeyEvent* e) override {
    if (QtPeer* p = LinkedPeer()) p->KeyPress(e, [this](QKeyEvent* ev) { Base::keyPressEvent(ev); });
    else Base::keyPressEvent(e);
  }
  void keyReleaseEvent(QKeyEvent* e) override {
    if (QtPeer* p = LinkedPeer()) p->KeyRelease(e, [this](QKeyEvent* ev) { Base::keyReleaseEvent(ev); });
    else Base::keyReleaseEvent(e);
  }
  void focusInEvent(QFocusEvent* e) override {
    Base::focusInEvent(e);
    if (QtPeer* p = LinkedPeer()) p->FocusIn();
  }
};

// A widget whose mouse goes to the core as window messages.
template <class Base>
class MouseWidget : public PeerWidget<Base> {
 public:
  using PeerWidget<Base>::PeerWidget;

 protected:
  void mousePressEvent(QMouseEvent* e) override { Forward(e); }
  void mouseReleaseEvent(QMouseEvent* e) override { Forward(e); }
  void mouseDoubleClickEvent(QMouseEvent* e) override { Forward(e); }
  void mouseMoveEvent(QMouseEvent* e) override { Forward(e); }
  void leaveEvent(QEvent* e) override {
    Base::leaveEvent(e);
    if (QtPeer* p = this->LinkedPeer()) p->PointerLeft();
  }

 private:
  void Forward(QMouseEvent* e) {
    if (QtPeer* p = this->LinkedPeer()) p->MouseEvent(e);
  }
};

// A control that paints itself through the core: the client area of a
// form, a panel, a list box, a paint box. What the core draws outside a
// paint event lands on a backing image that the paint event shows.
class CanvasPeer : public QtPeer {
 public:
  CanvasPeer(QtBackend& backend, TControl& control);
  ~CanvasPeer() override;

  void Init() override { CreateWidget(); }
  void Invalidate(const TRect* rect) override;
  void Update() override;
  CanvasSink* Surface() override { return surface_.get(); }

  // From the widget.
  void Paint(QWidget& widget, const QRect& area);
  void Resized(QSize size);
  ImageSurface& Backing() { return *surface_; }

 protected:
  void Sync(PropId id) override;
  // The frame and caption a panel or group box draws before the core paints.
  virtual void PaintChrome(QPainter&) {}
  // An edge drawn over what the core painted.
  virtual void PaintEdge(QPainter&) {}
  QColor Background() const;
  void CreateWidget();

 private:
  void Render();
  void DrawCaret(QPainter& painter);
  std::unique_ptr<ImageSurface> surface_;
  QRegion dirty_;
  bool rendering_ = false;
};

// Makes the peer that fits a control.
std::unique_ptr<ControlPeer> MakePeer(QtBackend& backend, TControl& control);

}  // namespace qm
