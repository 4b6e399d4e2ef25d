#include "platform/qt/qt_form_peer.h"

#include <algorithm>
#include <type_traits>

#include <QApplication>
#include <QShowEvent>
#include <QCloseEvent>
#include <QLayout>
#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/cp1252.h"
#include "platform/qt/qt_desktop.h"

namespace qm {

namespace {

template <class Base>
class FormWindowOf : public PeerWidget<Base> {
 public:
  using PeerWidget<Base>::PeerWidget;

 protected:
  FormPeer* Form() const { return static_cast<FormPeer*>(this->LinkedPeer()); }
  void closeEvent(QCloseEvent* e) override {
    // The core decides (close query, close action); Qt only asks.
    e->ignore();
    if (FormPeer* p = Form()) p->CloseRequested();
  }
  void changeEvent(QEvent* e) override {
    Base::changeEvent(e);
    FormPeer* p = Form();
    if (!p) return;
    if (e->type() == QEvent::ActivationChange && this->isActiveWindow()) p->WindowActivated();
    if (e->type() == QEvent::WindowStateChange) p->WindowStateChangedByUser(this->windowState());
  }
  // Move and Size from a script window's own system menu take the arrow
  // keys, Enter and Escape until they end, as the desktop's do: none of
  // them reaches the script meanwhile.
  void keyPressEvent(QKeyEvent* e) override {
    if (MovedByKeyboard()) Base::keyPressEvent(e);
    else PeerWidget<Base>::keyPressEvent(e);
  }
  void keyReleaseEvent(QKeyEvent* e) override {
    if (MovedByKeyboard()) Base::keyReleaseEvent(e);
    else PeerWidget<Base>::keyReleaseEvent(e);
  }
  // A sub-window learns which part of its frame lies under the pointer as
  // the pointer moves. One that came up under a still pointer (the script
  // behind a closed one, its close box where the other's was) took the
  // first press for a press on its bar: the press tells it first.
  void mousePressEvent(QMouseEvent* e) override {
    if constexpr (std::is_same_v<Base, QMdiSubWindow>) {
      if (e->buttons() == e->button() && QWidget::mouseGrabber() != this) {
        QMouseEvent hover(QEvent::MouseMove, e->position(), e->scenePosition(), e->globalPosition(), Qt::NoButton,
                          Qt::NoButton, e->modifiers());
        Base::mouseMoveEvent(&hover);
      }
    }
    Base::mousePressEvent(e);
  }
  // The sub-window holds the mouse while its Move or Size runs by keyboard.
  bool MovedByKeyboard() const {
    if constexpr (std::is_same_v<Base, QMdiSubWindow>) return QWidget::mouseGrabber() == this && this->hasFocus();
    else return false;
  }
  void moveEvent(QMoveEvent* e) override {
    Base::moveEvent(e);
    if (FormPeer* p = Form()) p->WindowGeometryChanged();
  }
  void resizeEvent(QResizeEvent* e) override {
    Base::resizeEvent(e);
    if (FormPeer* p = Form()) p->WindowGeometryChanged();
  }
  // A sub-window hides itself while its title-bar buttons maximise or
  // restore it, so the resize comes while it is hidden: its new size is
  // taken when it shows again.
  void showEvent(QShowEvent* e) override {
    Base::showEvent(e);
    if constexpr (std::is_same_v<Base, QMdiSubWindow>)
      if (FormPeer* p = Form()) p->WindowGeometryChanged();
  }
};

using FormWindow = FormWindowOf<QWidget>;
using MdiChildWindow = FormWindowOf<QMdiSubWindow>;

// Set while the core changes a script window's state: what Qt does to the
// sub-windows meanwhile (it activates each window whose state it changes)
// is the core's own doing, not the writer's, and is never reported back.
int CoreArranging = 0;

}  // namespace

FormPeer* FormPeerOf(const TForm* form) { return form ? dynamic_cast<FormPeer*>(form->Peer()) : nullptr; }

FormPeer::FormPeer(QtBackend& backend, TForm& form) : CanvasPeer(backend, form), form_(form) { backend.AddForm(this); }

FormPeer::~FormPeer() {
  Backend().RemoveForm(this);
  menu_.reset();
  if (windowLink_ && window_) windowLink_->Unlink();
  if (auto* sub = qobject_cast<QMdiSubWindow*>(window_.data()); sub && parentArea_) {
    sub->setWidget(nullptr);
    parentArea_->removeSubWindow(sub);
  }
  DisposeWidget(window_);
}

void FormPeer::Init() {
  FormPeer* frame = form_.FormStyle == TFormStyle::fsMDIChild ? Backend().MdiFramePeer() : nullptr;
  if (frame && frame->MdiArea()) BuildMdiChild(*frame);
  else BuildTopLevel();
  CreateWidget();
  QWidget* client = Widget();
  if (auto* sub = qobject_cast<QMdiSubWindow*>(window_.data())) {
    sub->setWidget(client);
    // The program's menus own every key: the sub-window's own menu would
    // take Ctrl+W (Normal WP Mode) and Ctrl+F4 (Close) from them.
    if (QMenu* menu = sub->systemMenu())
      for (QAction* action : menu->actions()) action->setShortcuts({});
  } else {
    window_->layout()->addWidget(client);
  }
  if (form_.FormStyle == TFormStyle::fsMDIForm) {
    mdiArea_ = new QMdiArea(client);
    // The core decides every window's state; Qt's own rule (restore the
    // window left, maximise the one activated) fought the core's rule that
    // all script windows share one state, and looped.
    mdiArea_->setOption(QMdiArea::DontMaximizeSubWindowOnActivation, true);
    mdiArea_->lower();
    QObject::connect(mdiArea_, &QMdiArea::subWindowActivated, mdiArea_, [](QMdiSubWindow* sub) {
      if (auto* link = dynamic_cast<PeerLink*>(sub))
        if (auto* child = static_cast<FormPeer*>(link->LinkedPeer())) child->WindowActivated();
    });
  }
  ready_ = true;
  SyncMenu();
  SyncAll();
}

void FormPeer::BuildTopLevel() {
  auto* window = new FormWindow(this, nullptr);
  window_ = window;
  windowLink_ = window;
  // Dialogs and other forms stay in front of the main window.
  if (Application && Application->MainForm && Application->MainForm != &form_)
    if (FormPeer* main = FormPeerOf(Application->MainForm); main && main->Window()) window->setParent(main->Window());
  window->setWindowFlags(FlagsOf());
  auto* layout = new QVBoxLayout(window);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
}

void FormPeer::BuildMdiChild(FormPeer& frame) {
  auto* sub = new MdiChildWindow(this);
  window_ = sub;
  windowLink_ = sub;
  parentArea_ = frame.MdiArea();
  parentArea_->addSubWindow(sub);
  sub->setAttribute(Qt::WA_DeleteOnClose, false);
}

bool FormPeer::TakesKeyboard() const { return form_.BorderStyle != TFormBorderStyle::bsNone || form_.Modal(); }

Qt::WindowFlags FormPeer::FlagsOf() const {
  Qt::WindowFlags flags = Qt::Window;
  const TFormBorderStyle border = form_.BorderStyle;
  // A borderless window is a pick list or a notice: shown modally it has
  // the keyboard and a click elsewhere closes it, as a pop-up menu does;
  // shown beside the caret the keyboard stays where it was.
  if (border == TFormBorderStyle::bsNone)
    return (form_.Modal() ? Qt::Popup : Qt::ToolTip | Qt::WindowDoesNotAcceptFocus) | Qt::FramelessWindowHint;
  if (border == TFormBorderStyle::bsDialog) flags = Qt::Dialog;
  if (border == TFormBorderStyle::bsToolWindow || border == TFormBorderStyle::bsSizeToolWin) flags = Qt::Tool;
  flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (form_.BorderIcons & biSystemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  const bool sizeable = border == TFormBorderStyle::bsSizeable || border == TFormBorderStyle::bsSizeToolWin;
  if ((form_.BorderIcons & biMinimize) && border != TFormBorderStyle::bsDialog) flags |= Qt::WindowMinimizeButtonHint;
  if ((form_.BorderIcons & biMaximize) && sizeable) flags |= Qt::WindowMaximizeButtonHint;
  if (form_.FormStyle == TFormStyle::fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
  return flags;
}

void FormPeer::SyncMenu() {
  if (!ready_) return;
  TMenu* wanted = form_.FormStyle == TFormStyle::fsMDIChild ? nullptr : form_.Menu;
  if (menu_ && menu_->MenuAlive() && menu_->Menu() == wanted) {
    menu_->RebuildIfNeeded();
    return;
  }
  if (!menu_ && !wanted) return;
  menu_.reset();
  if (!wanted) {
    if (menuBar_) menuBar_->hide();
    SyncBounds();
    return;
  }
  if (!menuBar_) {
    menuBar_ = new QMenuBar(window_);
    menuBar_->setNativeMenuBar(false);
    if (window_->layout()) window_->layout()->setMenuBar(menuBar_);
  }
  menuBar_->show();
  menu_ = std::make_unique<MenuMirror>(*wanted, *menuBar_);
  SyncBounds();
}

void FormPeer::Sync(PropId id) {
  CanvasPeer::Sync(id);
  switch (id) {
    case PropId::Style:
      if (window_ && !window_->isVisible() && !qobject_cast<QMdiSubWindow*>(window_.data()))
        window_->setWindowFlags(FlagsOf());
      break;
    case PropId::WindowState: ApplyWindowState(); break;
    case PropId::ZOrder:
      if (window_) window_->raise();
      break;
    case PropId::Menu: SyncMenu(); break;
    default: break;
  }
}

// What the window puts around the client area: its own margins (an MDI
// child's frame and title bar), its layout's and the menu bar. Summed
// from what the window declares, never from sizes that a layout pass
// has yet to settle: a stale difference made negative sizes.
QSize FormPeer::FrameExtra() {
  if (!window_) return {};
  auto add = [](QSize& size, const QMargins& m) { size += QSize(m.left() + m.right(), m.top() + m.bottom()); };
  QSize extra(0, 0);
  add(extra, window_->contentsMargins());
  if (QLayout* layout = window_->layout()) {
    add(extra, layout->contentsMargins());
    if (QWidget* bar = layout->menuBar(); bar && !bar->isHidden()) extra.rheight() += bar->sizeHint().height();
  }
  return extra;
}

void FormPeer::SyncBounds() {
  QWidget* client = Widget();
  if (!ready_ || !window_ || !client) return;
  const QRect wanted(form_.Left, form_.Top, form_.ClientWidth(), form_.ClientHeight());
  // Out of sight before it moves off the screen: a window manager shown a
  // window placed off the screen keeps a strip of it in view until the
  // window goes, and a loaded machine shows that strip.
  if (PlacedOffScreen()) FollowPlacementOffScreen();
  syncing_ = true;
  window_->move(wanted.topLeft());
  const bool fixed = form_.BorderStyle != TFormBorderStyle::bsSizeable &&
                     form_.BorderStyle != TFormBorderStyle::bsSizeToolWin &&
                     !qobject_cast<QMdiSubWindow*>(window_.data());
  const QSize outer = wanted.size() + FrameExtra();
  if (fixed) window_->setFixedSize(outer);
  else window_->resize(outer);
  syncing_ = false;
  LayoutMdiArea();
  FollowPlacementOffScreen();
}

bool FormPeer::PlacedOffScreen() const {
  if (!window_ || qobject_cast<QMdiSubWindow*>(window_.data())) return false;
  const QRect placed(form_.Left, form_.Top, std::max(1, form_.Width()), std::max(1, form_.Height()));
  const QList<QScreen*> screens = QGuiApplication::screens();
  return !screens.isEmpty() && std::none_of(screens.begin(), screens.end(), [&](const QScreen* screen) {
    return screen->geometry().intersects(placed);
  });
}

void FormPeer::FollowPlacementOffScreen() {
  if (!form_.Visible || putAside_ == PlacedOffScreen()) return;
  putAside_ = !putAside_;
  if (putAside_) {
    // Where the client stood within the frame: shown again, the window has
    // yet to learn its frame, and would come back a title bar too high.
    frameOffset_ = window_->geometry().topLeft() - window_->pos();
    window_->hide();
    return;
  }
  // Back where it is seen, without taking the keyboard from the window
  // that has it now.
  window_->setAttribute(Qt::WA_ShowWithoutActivating, true);
  window_->show();
  syncing_ = true;
  window_->setGeometry(QRect(QPoint(form_.Left, form_.Top) + frameOffset_, window_->geometry().size()));
  syncing_ = false;
  window_->raise();
}

void FormPeer::SyncVisible() {
  if (!ready_ || !window_) return;
  putAside_ = form_.Visible && PlacedOffScreen();
  if (putAside_) {
    window_->hide();
    return;
  }
  if (!form_.Visible) {
    // A window shown a moment ago may not have the keyboard yet: the
    // desktop gives it when it comes to it, after the window went.
    const bool hadKeyboard = window_->isActiveWindow() || keyboardAsked_;
    keyboardAsked_ = false;
    Backend().ForgetPutAside(window_);
    window_->hide();
    if (hadKeyboard) GiveKeyboardBack();
    return;
  }
  if (!window_->isVisible()) {
    if (!qobject_cast<QMdiSubWindow*>(window_.data())) {
      if (window_->windowFlags() != FlagsOf()) window_->setWindowFlags(FlagsOf());
      window_->setAttribute(Qt::WA_ShowWithoutActivating, !TakesKeyboard());
      window_->setWindowModality(form_.Modal() ? Qt::ApplicationModal : Qt::NonModal);
    }
    SyncBounds();
    ApplyWindowState();
    window_->show();
    SyncBounds();
  }
  if (TakesKeyboard()) SetFocus();
  else window_->raise();
}

void FormPeer::SyncCaption() {
  const std::string& title = form_.TitleBarText().empty() ? form_.Caption() : form_.TitleBarText();
  if (window_) window_->setWindowTitle(QString::fromStdString(AnsiToUtf8(title)));
}

void FormPeer::ApplyWindowState() {
  if (!window_) return;
  Qt::WindowStates state = Qt::WindowNoState;
  if (form_.WindowState == TWindowState::wsMinimized) state = Qt::WindowMinimized;
  if (form_.WindowState == TWindowState::wsMaximized) state = Qt::WindowMaximized;
  if ((window_->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) == state) return;
  // Qt activates a sub-window whose state it changes: the active script
  // stays the one in front with the keyboard.
  QMdiSubWindow* active = parentArea_ ? parentArea_->activeSubWindow() : nullptr;
  syncing_ = true;
  ++CoreArranging;
  window_->setWindowState(state);
  if (active && active != window_ && parentArea_->activeSubWindow() != active) parentArea_->setActiveSubWindow(active);
  --CoreArranging;
  syncing_ = false;
  // The core lays its lines out for the size the new state gives.
  WindowGeometryChanged();
}

void FormPeer::SetFocus() {
  QWidget* client = Widget();
  if (!window_ || !client || !TakesKeyboard()) return;
  if (auto* sub = qobject_cast<QMdiSubWindow*>(window_.data())) {
    if (parentArea_ && parentArea_->activeSubWindow() != sub) parentArea_->setActiveSubWindow(sub);
    // The script takes the keyboard only with its frame: after a window
    // that had no owner to give it back closed, the desktop may have left
    // the frame inactive, and the next key would go nowhere.
    if (QWidget* frame = sub->window(); !frame->isActiveWindow() && !QApplication::activeModalWidget()) {
      QApplication::setActiveWindow(frame);
      frame->activateWindow();
    }
  } else {
    window_->raise();
    window_->activateWindow();
    keyboardAsked_ = !window_->isActiveWindow();
  }
  // An MDI frame's keyboard belongs to its active child, as on the old
  // platform: the frame's own client area never takes it from the child.
  if (mdiArea_)
    if (QMdiSubWindow* active = mdiArea_->activeSubWindow(); active && active->widget()) {
      active->widget()->setFocus(Qt::OtherFocusReason);
      return;
    }
  if (TWinControl* focused = form_.FocusedControl(); focused && focused->Peer()) focused->Peer()->SetFocus();
  else client->setFocus(Qt::OtherFocusReason);
}

void FormPeer::ChildChanged(TControl&) { LayoutMdiArea(); }

// The MDI client area is what the aligned children (tool bars, the
// status line) leave of the frame's client area.
void FormPeer::LayoutMdiArea() {
  if (!mdiArea_) return;
  const TRect area = form_.MDIClientRect();
  mdiArea_->setGeometry(area.Left, area.Top, area.Width(), area.Height());
  mdiArea_->lower();
  mdiArea_->show();
}

// The desktop's close (a close box, a system menu's Close) reaches the
// form as the old platform's did, as WM_CLOSE: a script window turns it
// into the main window's Close command and its questions.
void FormPeer::CloseRequested() {
  if (Alive()) form_.Perform(WM_CLOSE, 0, 0);
}

void FormPeer::WindowActivated() {
  // Every sub-window hears that the frame became active; only the area's
  // active one is the active script.
  auto* sub = qobject_cast<QMdiSubWindow*>(window_.data());
  if (sub && parentArea_ && parentArea_->activeSubWindow() != sub) return;
  keyboardAsked_ = false;
  // The desktop came to give the keyboard to a window that has gone
  // meanwhile: it goes on to the window below, or no key would reach any.
  if (!sub && (!form_.Visible || !window_->isVisible())) {
    GiveKeyboardBack();
    return;
  }
  if (Alive() && !CoreArranging && !form_.Active()) form_.Activate();
}

void FormPeer::GiveKeyboardBack() {
  QWidget* heir = QApplication::activeModalWidget();
  if (!heir || heir == window_ || !heir->isVisible()) heir = window_ ? window_->parentWidget() : nullptr;
  if (!heir || !heir->isVisible()) return;
  // At once, so that the next key already finds it, and on the desktop.
  QApplication::setActiveWindow(heir);
  heir->activateWindow();
}

void FormPeer::WindowGeometryChanged() {
  QWidget* client = Widget();
  if (syncing_ || !ready_ || !window_ || !client || !Alive() || !window_->isVisible()) return;
  if (window_->windowState() & Qt::WindowMinimized) return;
  const QPoint at = window_->pos();
  const QSize inner = window_->size() - FrameExtra();
  syncing_ = true;
  form_.SetBounds(at.x(), at.y(), inner.width() + form_.FrameWidth(), inner.height() + form_.FrameHeight());
  syncing_ = false;
  LayoutMdiArea();
}

void FormPeer::WindowStateChangedByUser(Qt::WindowStates states) {
  if (syncing_ || CoreArranging || !Alive()) return;
  TWindowState state = TWindowState::wsNormal;
  if (states & Qt::WindowMinimized) state = TWindowState::wsMinimized;
  else if (states & Qt::WindowMaximized) state = TWindowState::wsMaximized;
  if (state == form_.WindowState()) return;
  if (state == TWindowState::wsMinimized && PutAsideWhenMinimised()) return;
  syncing_ = true;
  form_.WindowState = state;
  syncing_ = false;
  // The form hears of it as of a command from its window menu.
  const unsigned command = state == TWindowState::wsMinimized   ? SC_MINIMIZE
                           : state == TWindowState::wsMaximized ? SC_MAXIMIZE
                                                                : SC_RESTORE;
  form_.Perform(WM_SYSCOMMAND, command, 0);
}

// A dialog or tool window that the writer minimised: the window manager
// takes the main window, which owns it, down with it, and leaves nothing of
// the program to turn to. It goes out of sight alone instead, the main
// window comes back, and the first key or click at the program brings the
// window back (as a minimised modal window comes back).
bool FormPeer::PutAsideWhenMinimised() {
  QWidget* main = window_ ? window_->parentWidget() : nullptr;
  if (!main || !window_->isActiveWindow()) return false;
  const Qt::WindowType type = window_->windowType();
  if (type != Qt::Dialog && type != Qt::Tool) return false;
  window_->hide();
  Backend().PutAside(window_);
  if (main->isMinimized()) main->setWindowState(main->windowState() & ~Qt::WindowMinimized);
  return true;
}

}  // namespace qm
