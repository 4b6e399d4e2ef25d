#include "platform/qt/qt_peer.h"

#include <algorithm>

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QWheelEvent>

#include "platform/cp1252.h"
#include "platform/forms.h"
#include "platform/user_action.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_form_peer.h"
#include "platform/qt/qt_keys.h"

namespace qm {

int& PeerEventDepth() {
  static int depth = 0;
  return depth;
}

namespace {

// The program's own cursors of the card wall: a stack of as many cards as
// are picked (four and more with a "+"), and a card marked with the end
// of a print range still to be clicked.
QCursor CardCursor(int cards, const QString& mark) {
  QPixmap picture(32, 32);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setPen(Qt::black);
  const int shown = std::clamp(cards, 1, 3);
  for (int i = shown - 1; i >= 0; --i) {
    const QRect card(4 + 4 * i, 2 + 4 * i, 18, 13);
    painter.fillRect(card, QColor(0xFF, 0xF8, 0xE0));
    painter.drawRect(card);
  }
  if (!mark.isEmpty()) {
    QFont font = painter.font();
    font.setPixelSize(9);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRect(4 + 4 * (shown - 1), 2 + 4 * (shown - 1), 18, 13), Qt::AlignCenter, mark);
  }
  painter.end();
  return QCursor(picture, 1, 1);
}

QCursor ProgramCursor(int cursor) {
  switch (cursor) {
    case 1: return CardCursor(1, {});
    case 2: return CardCursor(2, {});
    case 3: return CardCursor(3, {});
    case 4: return CardCursor(3, QStringLiteral("+"));
    case 6: return QCursor(Qt::OpenHandCursor);
    case 9: return CardCursor(1, QStringLiteral("1st"));
    case 10: return CardCursor(1, QStringLiteral("last"));
    case 11: return QCursor(Qt::PointingHandCursor);
    default: return QCursor(Qt::ArrowCursor);
  }
}

}  // namespace

QCursor QtCursorOf(int cursor) {
  if (cursor > 0) return ProgramCursor(cursor);
  switch (cursor) {
    case crNone: return QCursor(Qt::BlankCursor);
    case crCross: return QCursor(Qt::CrossCursor);
    case crIBeam: return QCursor(Qt::IBeamCursor);
    case crSizeNS: return QCursor(Qt::SizeVerCursor);
    case crSizeWE: return QCursor(Qt::SizeHorCursor);
    case crUpArrow: return QCursor(Qt::UpArrowCursor);
    case crHourGlass: return QCursor(Qt::WaitCursor);
    case crDrag: return QCursor(Qt::DragMoveCursor);
    case crNoDrop: return QCursor(Qt::ForbiddenCursor);
    case crHSplit: return QCursor(Qt::SplitHCursor);
    case crVSplit: return QCursor(Qt::SplitVCursor);
    case crHandPoint: return QCursor(Qt::PointingHandCursor);
    default: return QCursor(Qt::ArrowCursor);
  }
}

namespace {

UINT ButtonMessage(Qt::MouseButton button, UINT left, UINT right, UINT middle) {
  switch (button) {
    case Qt::RightButton: return right;
    case Qt::MiddleButton: return middle;
    default: return left;
  }
}

}  // namespace

QtPeer* PeerLink::LinkedPeer() const { return peer_ && peer_->Alive() ? peer_ : nullptr; }

void FollowPointer() {
  if (!Application) return;
  const TControl* over = nullptr;
  for (QWidget* w = QApplication::widgetAt(QCursor::pos()); w && !over; w = w->parentWidget())
    if (auto* link = dynamic_cast<PeerLink*>(w); link && link->LinkedPeer()) over = &link->LinkedPeer()->Control();
  Application->PointerOver(over);
}

QtPeer* PeerOf(const TControl* control) { return control ? dynamic_cast<QtPeer*>(control->Peer()) : nullptr; }

QWidget* WidgetOf(const TControl& control) {
  QtPeer* peer = PeerOf(&control);
  return peer ? peer->Widget() : nullptr;
}

void DisposeWidget(QWidget* widget) {
  if (!widget) return;
  widget->hide();
  if (PeerEventDepth() > 0) widget->deleteLater();
  else delete widget;
}

// ---------------------------------------------------------------------------
// QtPeer

QtPeer::QtPeer(QtBackend& backend, TControl& control) : backend_(backend), control_(control) {}

QtPeer::~QtPeer() {
  *alive_ = false;
  if (link_ && widget_) link_->Unlink();
  DisposeWidget(widget_);
}

void QtPeer::Attach(QWidget* widget, PeerLink* link) {
  widget_ = widget;
  link_ = link;
  if (QtPeer* parent = PeerOf(control_.Parent())) widget->setParent(parent->Container());
  SyncAll();
}

void QtPeer::SyncAll() {
  SyncFont();
  SyncColor();
  SyncCaption();
  for (PropId id : {PropId::Enabled, PropId::Hint, PropId::Cursor}) Sync(id);
  SyncBounds();
  SyncVisible();
}

void QtPeer::PropertyChanged(PropId id) {
  if (!widget_ || !Alive() || syncing_) return;
  Sync(id);
}

void QtPeer::Sync(PropId id) {
  QWidget* w = widget_;
  if (!w) return;
  switch (id) {
    case PropId::Bounds: SyncBounds(); break;
    case PropId::Visible: SyncVisible(); break;
    case PropId::Caption: SyncCaption(); break;
    // The font carries the text colour: the palette follows it too.
    case PropId::Font:
      SyncFont();
      SyncColor();
      break;
    case PropId::Color: SyncColor(); break;
    case PropId::Enabled: w->setEnabled(control_.Enabled); break;
    case PropId::Hint: {
      const std::string& hint = control_.Hint();
      w->setToolTip(QString::fromStdString(AnsiToUtf8(hint.substr(0, hint.find('|')))));
      break;
    }
    case PropId::Cursor:
      if (control_.Cursor == crDefault) w->unsetCursor();
      else w->setCursor(QtCursorOf(control_.Cursor));
      break;
    case PropId::ZOrder: w->raise(); break;
    case PropId::Focus: SetFocus(); break;
    default: break;
  }
}

void QtPeer::SyncBounds() {
  if (QWidget* w = widget_)
    w->setGeometry(control_.Left, control_.Top, std::max(0, control_.Width()), std::max(0, control_.Height()));
  if (QtPeer* parent = PeerOf(control_.Parent())) parent->ChildChanged(control_);
}

// Qt hands the keyboard of a widget it hides to the next widget of the
// window's tab chain, which on the MDI frame may be another script's page:
// that activated the other script. The keyboard goes where the form keeps
// it instead: to the active script on the frame.
void QtPeer::KeepKeyboardInForm(QWidget& widget) {
  QWidget* focus = QApplication::focusWidget();
  if (!focus || (focus != &widget && !widget.isAncestorOf(focus))) return;
  FormPeer* form = FormPeerOf(control_.ParentForm());
  QMdiArea* area = form ? form->MdiArea() : nullptr;
  QMdiSubWindow* active = area ? area->activeSubWindow() : nullptr;
  if (active && active->widget()) active->widget()->setFocus(Qt::OtherFocusReason);
}

void QtPeer::SyncVisible() {
  QWidget* w = widget_;
  if (!w) return;
  QtPeer* parent = PeerOf(control_.Parent());
  QWidget* container = parent ? parent->Container() : nullptr;
  if (container && w->parentWidget() != container) {
    w->setParent(container);
    SyncBounds();
  }
  const bool visible = control_.Visible && container;
  if (!visible) KeepKeyboardInForm(*w);
  w->setVisible(visible);
  if (parent) parent->ChildChanged(control_);
}

void QtPeer::SyncFont() {
  if (QWidget* w = widget_) w->setFont(QtFonts::WidgetFont(control_.Font.Desc(), backend_.ScreenDpi()));
}

void QtPeer::Invalidate(const TRect* rect) {
  if (QWidget* w = widget_) rect ? w->update(QtRectOf(*rect)) : w->update();
}

void QtPeer::Update() {
  if (QWidget* w = widget_; w && w->isVisible()) w->repaint();
}

void QtPeer::SetFocus() {
  if (QWidget* w = widget_) w->setFocus(Qt::OtherFocusReason);
}

std::optional<TPoint> QtPeer::ScreenOrigin() const {
  const QWidget* w = widget_;
  if (!w) return std::nullopt;
  const QPoint origin = w->mapToGlobal(QPoint(0, 0));
  return TPoint{origin.x(), origin.y()};
}

void QtPeer::FocusIn() {
  auto* win = dynamic_cast<TWinControl*>(&control_);
  TForm* form = control_.ParentForm();
  if (!win || !form || form == &control_ || form->FocusedControl() == win) return;
  form->FocusControl(win);
}

bool QtPeer::OwnsAltLetters(const QKeyEvent& event) const {
  if (event.modifiers() != Qt::AltModifier || event.key() < Qt::Key_A || event.key() > Qt::Key_Z) return false;
  const TForm* form = control_.ParentForm();
  // A window with a menu bar of its own keeps its menus' letters.
  return form && Application && form != Application->MainForm && !form->Menu &&
         form->FormStyle != TFormStyle::fsMDIChild && form->FormStyle != TFormStyle::fsMDIForm;
}

bool QtPeer::PassedOn(QKeyEvent* event) {
  QWidget* w = widget_;
  if (!w || w->isVisible()) return false;
  QWidget* now = QApplication::focusWidget();
  if (!now || now == w || !now->isVisible()) return false;
  // The keyboard may rest on another widget of this same control (a
  // minimised script window's frame, whose client area is hidden): the
  // key is this control's own, and sent there it would come straight
  // back here, over and over.
  if (auto* link = dynamic_cast<PeerLink*>(now); link && link->LinkedPeer() == this) return false;
  static const QKeyEvent* passing = nullptr;
  if (passing == event) return false;
  const QKeyEvent* outer = passing;
  passing = event;
  QApplication::sendEvent(now, event);
  passing = outer;
  return true;
}

void QtPeer::KeyPress(QKeyEvent* event, const NativeKey& native) {
  if (PassedOn(event)) return;
  auto* win = dynamic_cast<TWinControl*>(&control_);
  if (!win || !Application) return native(event);
  // The key and the characters it types are one thing the user did.
  const TUserAction action;
  const auto alive = alive_;
  const Word vk = VirtualKeyOf(event->key(), event->modifiers());
  const unsigned shift = ShiftBitsOf(event->modifiers());
  const bool alt = shift & ssAlt;
  const HWND hwnd = win->Handle();
  bool taken = false;
  if (vk) taken = Application->DeliverInput(TMsg{hwnd, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, shift, 0, {}});
  if (!*alive) return;
  if (taken) return AfterKey(false);
  if (alt) {
    if (vk >= 'A' && vk <= 'Z') Application->DeliverInput(TMsg{hwnd, WM_SYSCHAR, vk + 32, shift, 0, {}});
    return;
  }
  const std::string typed = CharactersOf(*event, vk);
  if (Route() == KeyRoute::Filtered) {
    std::string kept;
    for (char c : typed) {
      TMsg msg{hwnd, WM_CHAR, static_cast<unsigned char>(c), shift, 0, {}};
      bool handled = false;
      if (Application->OnMessage) Application->OnMessage(msg, handled);
      if (!*alive) return;
      if (handled) continue;
      char key = c;
      if (!win->DoKeyPress(key) && key != 0) kept += key;
      if (!*alive) return;
    }
    bool ran = false;
    if (typed.empty() || kept == typed) {
      native(event);
      ran = true;
    } else if (!kept.empty()) {
      QKeyEvent changed(QEvent::KeyPress, event->key(), event->modifiers(), QString::fromStdString(AnsiToUtf8(kept)));
      native(&changed);
      ran = true;
    }
    if (*alive) AfterKey(ran);
    return;
  }
  for (char c : typed) {
    Application->DeliverInput(TMsg{hwnd, WM_CHAR, static_cast<unsigned char>(c), shift, 0, {}});
    if (!*alive) return;
  }
  const bool runNative = Route() == KeyRoute::CoreThenNative || NativeAfterCore(event, typed);
  if (runNative) native(event);
  if (*alive) AfterKey(runNative);
}

void QtPeer::KeyRelease(QKeyEvent* event, const NativeKey& native) {
  if (PassedOn(event)) return;
  auto* win = dynamic_cast<TWinControl*>(&control_);
  if (!win || !Application || event->isAutoRepeat()) return native(event);
  const auto alive = alive_;
  if (const Word vk = VirtualKeyOf(event->key(), event->modifiers()))
    Application->DeliverInput(TMsg{win->Handle(), WM_KEYUP, vk, ShiftBitsOf(event->modifiers()), 0, {}});
  if (*alive && Route() != KeyRoute::Core) native(event);
}

void QtPeer::SendMouse(UINT message, WPARAM keys, QPoint at) {
  const LPARAM point = PointParam(at.x(), at.y());
  if (auto* win = dynamic_cast<TWinControl*>(&control_)) {
    if (Application) Application->DeliverInput(TMsg{win->Handle(), message, keys, point, 0, {}});
  } else {
    control_.Perform(message, keys, point);
  }
}

void QtPeer::Mouse(UINT message, QMouseEvent* event) {
  SendMouse(message, MouseKeysOf(event->buttons(), event->modifiers()), event->position().toPoint());
}

void QtPeer::PointerLeft() { SendMouse(WM_MOUSELEAVE, 0, QPoint()); }

void QtPeer::MouseEvent(QMouseEvent* e) {
  UINT message = WM_MOUSEMOVE;
  switch (e->type()) {
    case QEvent::MouseButtonPress:
      message = ButtonMessage(e->button(), WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN);
      break;
    case QEvent::MouseButtonRelease:
      message = ButtonMessage(e->button(), WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP);
      break;
    case QEvent::MouseButtonDblClick:
      message = ButtonMessage(e->button(), WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK, WM_MBUTTONDBLCLK);
      break;
    default: break;
  }
  Mouse(message, e);
}

void QtPeer::Wheel(int delta, Qt::KeyboardModifiers modifiers, QPoint global) {
  const WPARAM keys = MouseKeysOf(QApplication::mouseButtons(), modifiers) |
                      (static_cast<WPARAM>(static_cast<std::int16_t>(delta)) << 16);
  auto* win = dynamic_cast<TWinControl*>(&control_);
  if (win && Application)
    Application->DeliverInput(TMsg{win->Handle(), WM_MOUSEWHEEL, keys, PointParam(global.x(), global.y()), 0, {}});
}

// ---------------------------------------------------------------------------
// CanvasPeer

namespace {

class CanvasWidget : public MouseWidget<QWidget> {
 public:
  CanvasWidget(CanvasPeer* peer) : MouseWidget<QWidget>(peer) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
  }

 protected:
  CanvasPeer* Canvas() const { return static_cast<CanvasPeer*>(LinkedPeer()); }
  void paintEvent(QPaintEvent* e) override {
    if (CanvasPeer* p = Canvas()) p->Paint(*this, e->rect());
  }
  void resizeEvent(QResizeEvent* e) override {
    QWidget::resizeEvent(e);
    if (CanvasPeer* p = Canvas()) p->Resized(size());
  }
  void wheelEvent(QWheelEvent* e) override {
    if (CanvasPeer* p = Canvas()) p->Wheel(e->angleDelta().y(), e->modifiers(), e->globalPosition().toPoint());
  }
};

TCanvas* CanvasOf(TControl& control) {
  if (auto* custom = dynamic_cast<TCustomControl*>(&control)) return &custom->Canvas;
  if (auto* box = dynamic_cast<TPaintBox*>(&control)) return &box->Canvas;
  if (auto* painted = dynamic_cast<TPaintedGraphic*>(&control)) return &painted->Canvas;
  return nullptr;
}

}  // namespace

CanvasPeer::CanvasPeer(QtBackend& backend, TControl& control) : QtPeer(backend, control) {
  surface_ =
      std::make_unique<ImageSurface>(backend.Fonts(), backend.ScreenDpi(),
                                     QSize(std::max(1, control.Width()), std::max(1, control.Height())), Background());
}

CanvasPeer::~CanvasPeer() = default;

void CanvasPeer::CreateWidget() {
  auto* widget = new CanvasWidget(this);
  const bool form = dynamic_cast<TForm*>(&Control()) != nullptr;
  auto* win = dynamic_cast<TWinControl*>(&Control());
  widget->setFocusPolicy(form || (win && win->TabStop)                                          ? Qt::StrongFocus
                         : win && !dynamic_cast<TPanel*>(win) && !dynamic_cast<TGroupBox*>(win) ? Qt::ClickFocus
                                                                                                : Qt::NoFocus);
  surface_->OnDrawn = [this, widget](const QRect& r) {
    if (!rendering_) widget->update(r);
  };
  dirty_ = QRegion(0, 0, surface_->Size().width(), surface_->Size().height());
  // What the core draws outside a paint event goes to the backing image.
  if (TCanvas* canvas = CanvasOf(Control())) canvas->SetSink(surface_.get());
  Attach(widget, widget);
}

QColor CanvasPeer::Background() const { return QtColorOf(Control().Color); }

void CanvasPeer::Sync(PropId id) {
  QtPeer::Sync(id);
  switch (id) {
    case PropId::Bounds:
    case PropId::Visible:
    case PropId::Cursor:
    case PropId::Hint:
    case PropId::ZOrder:
    case PropId::Focus: break;
    default: Invalidate(nullptr);
  }
}

void CanvasPeer::Invalidate(const TRect* rect) {
  const QRect whole(QPoint(0, 0), surface_->Size());
  dirty_ += rect ? QtRectOf(*rect).intersected(whole) : whole;
  QtPeer::Invalidate(rect);
}

void CanvasPeer::Update() {
  QWidget* w = Widget();
  if (w && w->isVisible() && !dirty_.isEmpty()) w->repaint(dirty_);
}

void CanvasPeer::Resized(QSize size) {
  if (size == surface_->Size()) return;
  surface_->Resize(size, Background());
  dirty_ = QRegion(0, 0, size.width(), size.height());
}

void CanvasPeer::Render() {
  const QRegion region = dirty_;
  dirty_ = QRegion();
  surface_->SetClip(region);
  rendering_ = true;
  // The background first, as the old platform erased before painting.
  QPainter& p = surface_->Open();
  p.save();
  p.fillRect(QRect(QPoint(0, 0), surface_->Size()), Background());
  PaintChrome(p);
  p.restore();
  const auto alive = alive_;
  if (auto* custom = dynamic_cast<TCustomControl*>(&Control())) {
    custom->PaintTo(*surface_);
  } else if (auto* box = dynamic_cast<TPaintBox*>(&Control()); box && box->OnPaint) {
    box->OnPaint(box);
  } else if (auto* painted = dynamic_cast<TPaintedGraphic*>(&Control())) {
    painted->PaintTo(*surface_);
  }
  if (!*alive) return;
  QPainter& edge = surface_->Open();
  edge.save();
  PaintEdge(edge);
  edge.restore();
  rendering_ = false;
  surface_->SetClip(std::nullopt);
  surface_->Finish();
}

void CanvasPeer::Paint(QWidget& widget, const QRect& area) {
  const auto alive = alive_;
  auto* win = dynamic_cast<TWinControl*>(&Control());
  const bool locked = win && win->HandleAllocated() && Platform::Current().LockedWindow == win->Handle();
  if (!dirty_.isEmpty() && !locked) Render();
  if (!*alive) return;
  QPainter painter(&widget);
  painter.drawImage(area, surface_->Image(), area);
  DrawCaret(painter);
}

void CanvasPeer::DrawCaret(QPainter& painter) {
  auto* win = dynamic_cast<TWinControl*>(&Control());
  const CaretState& caret = Platform::Current().Caret();
  if (!win || !win->HandleAllocated() || caret.owner != win->Handle() || !caret.Visible() || !Backend().CaretOn())
    return;
  const QRect r(caret.pos.X, caret.pos.Y, std::max(1, caret.width), std::max(1, caret.height));
  QPaintEngine* engine = painter.paintEngine();
  if (engine && engine->hasFeature(QPaintEngine::RasterOpModes)) {
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(r, Qt::white);
  } else {
    painter.fillRect(r, Qt::black);
  }
}

}  // namespace qm
