// Forms on the desktop: a top-level window (with the main menu when the
// form has one), an MDI frame whose client area holds a QMdiArea, or an
// MDI child shown as a QMdiSubWindow of the frame.
#pragma once

#include <QMdiArea>
#include <QMenuBar>
#include <QPointer>

#include <memory>

#include "platform/forms.h"
#include "platform/qt/qt_menus.h"
#include "platform/qt/qt_peer.h"

namespace qm {

class FormPeer : public CanvasPeer {
 public:
  FormPeer(QtBackend& backend, TForm& form);
  ~FormPeer() override;

  void Init() override;
  void SetFocus() override;
  void ChildChanged(TControl& child) override;

  TForm& Form() const { return form_; }
  // The top-level window, or the MDI sub-window.
  QWidget* Window() const { return window_; }
  QMdiArea* MdiArea() const { return mdiArea_; }
  QMenuBar* MenuBar() const { return menuBar_; }
  const MenuMirror* Menu() const { return menu_.get(); }
  // Mirrors the menu the form now has (the core sets it without telling),
  // and what changed in the menu's structure.
  void SyncMenu();

  // From the window.
  void CloseRequested();
  void WindowActivated();
  void WindowGeometryChanged();
  void WindowStateChangedByUser(Qt::WindowStates states);

 protected:
  void Sync(PropId id) override;
  void SyncBounds() override;
  void SyncVisible() override;
  void SyncCaption() override;

 private:
  void BuildTopLevel();
  void BuildMdiChild(FormPeer& frame);
  void ApplyWindowState();
  Qt::WindowFlags FlagsOf() const;
  // Whether showing the window gives it the keyboard.
  bool TakesKeyboard() const;
  QSize FrameExtra();
  void LayoutMdiArea();
  // A window placed wholly off the screen, to be out of sight while another
  // takes the screen: a window manager keeps a strip of it in view, so it
  // is unmapped instead, and mapped again once it is placed back on.
  bool PlacedOffScreen() const;
  void FollowPlacementOffScreen();
  // The keyboard goes back to the window below, as a desktop gives it back
  // when a dialog closes: a modal dialog still up, else the owner.
  void GiveKeyboardBack();
  // False when the window is left minimised as the desktop made it.
  bool PutAsideWhenMinimised();

  TForm& form_;
  QPointer<QWidget> window_;
  PeerLink* windowLink_ = nullptr;
  QPointer<QMenuBar> menuBar_;
  QPointer<QMdiArea> mdiArea_;
  QPointer<QMdiArea> parentArea_;
  std::unique_ptr<MenuMirror> menu_;
  bool ready_ = false;
  bool putAside_ = false;
  // The keyboard was asked for this window, and the desktop may still be
  // on its way to give it.
  bool keyboardAsked_ = false;
  QPoint frameOffset_;
};

FormPeer* FormPeerOf(const TForm* form);

}  // namespace qm
