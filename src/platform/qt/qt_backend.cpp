#include "platform/qt/qt_backend.h"

#include <QAbstractEventDispatcher>
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCursor>
#include <QDateTime>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QPointer>
#include <QPrinterInfo>
#include <QScreen>
#include <QSessionManager>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/cp1252.h"
#include "platform/forms.h"
#include "platform/messages.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_form_peer.h"
#include "platform/qt/qt_menus.h"
#include "platform/qt/qt_text_room.h"

namespace qm {

// A modal window minimised leaves the program's other windows drawn as
// they were but deaf: the toolkit drops every key and click that reaches
// them, without a sign. As the old platform brought a disabled window's
// modal window forward when it was clicked, a key or a click reaching the
// program then restores the modal window, which takes the next ones. A
// window put aside (a dialog minimised on its own) comes back the same
// way; the press that brings it back does nothing else.
class WindowsBack : public QAbstractNativeEventFilter {
 public:
  void PutAside(QWidget* window) {
    Forget(window);
    putAside_.emplace_back(window);
  }
  void Forget(QWidget* window) { std::erase(putAside_, QPointer<QWidget>(window)); }

  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t" || !message || !Pressed(static_cast<const std::uint8_t*>(message))) return false;
    if (BringBackPutAside()) return true;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isMinimized()) BringBack(modal);
    return false;
  }

 private:
  static void BringBack(QWidget* window) {
    QTimer::singleShot(0, window, [window] {
      window->showNormal();
      window->raise();
      window->activateWindow();
    });
  }
  bool BringBackPutAside() {
    bool any = false;
    for (const QPointer<QWidget>& window : std::exchange(putAside_, {}))
      if (window) {
        BringBack(window);
        any = true;
      }
    return any;
  }
  // A key or a button pressed, by the X protocol's event codes (the send
  // flag 0x80 left out); the toolkit takes the mouse through the input
  // extension, whose generic events carry their own type at byte 8.
  static bool Pressed(const std::uint8_t* event) {
    constexpr std::uint8_t KeyPress = 2, ButtonPress = 4, GenericEvent = 35;
    constexpr std::uint16_t InputButtonPress = 4, InputTouchBegin = 18;
    const std::uint8_t code = event[0] & 0x7f;
    if (code != GenericEvent) return code == KeyPress || code == ButtonPress;
    std::uint16_t inputType = 0;
    std::memcpy(&inputType, event + 8, sizeof inputType);
    return inputType == InputButtonPress || inputType == InputTouchBegin;
  }

  std::vector<QPointer<QWidget>> putAside_;
};

std::unique_ptr<Backend> CreateQtBackend(int& argc, char** argv) {
  std::unique_ptr<QApplication> app;
  if (!QApplication::instance()) app = std::make_unique<QtProgramApplication>(argc, argv);
  return std::make_unique<QtBackend>(std::move(app));
}

bool DesktopAvailable() {
  auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
  };
  std::string platform = set("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "";
  platform = platform.substr(0, platform.find(';'));
  platform = platform.substr(0, platform.find(':'));
  const bool needsDisplay = platform.empty() || platform == "xcb" || platform.rfind("wayland", 0) == 0;
  return !needsDisplay || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

QtBackend& QtDesktop() { return static_cast<QtBackend&>(Platform::Current().backend()); }

QtBackend::QtBackend(std::unique_ptr<QApplication> ownedApp) : ownedApp_(std::move(ownedApp)) {
  clock_.start();
  // The core ends the program; Qt must not end a loop of its own.
  QApplication::setQuitOnLastWindowClosed(false);
  InstallFontSubstitutions();
  LogCutTextsIfAsked();
  wake_.setSingleShot(true);
  QObject::connect(&wake_, &QTimer::timeout, [this] { timedOut_ = true; });
  QObject::connect(&blink_, &QTimer::timeout, [this] { Blink(); });
  windowsBack_ = std::make_unique<WindowsBack>();
  qApp->installNativeEventFilter(windowsBack_.get());
#if QT_CONFIG(sessionmanager)
  // The desktop's session is to end and the session manager lets the
  // program ask: its close questions (the core's close query); a refusal
  // keeps the session. Without leave to ask, the end that follows (a
  // signal, or the manager's "die") keeps the writer's text.
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, [](QSessionManager& manager) {
    if (!Application || !manager.allowsInteraction()) return;
    if (SendMessage(Application->Handle(), WM_QUERYENDSESSION, 0, 0) == 0) manager.cancel();
    manager.release();
  });
#endif
  // The core hears of the program's activation as a posted message, in turn.
  QObject::connect(qApp, &QGuiApplication::applicationStateChanged, [](Qt::ApplicationState state) {
    if (!Application) return;
    const WPARAM active = state == Qt::ApplicationActive ? 1 : 0;
    Application->Post(TMsg{NullWindow, WM_ACTIVATEAPP, active, 0, 0, {}});
  });
}

QtBackend::~QtBackend() {
  if (player_) {
    player_->kill();
    player_->waitForFinished(200);
  }
  if (qApp) qApp->removeNativeEventFilter(windowsBack_.get());
  notifiers_.clear();
  blink_.stop();
  wake_.stop();
  if (cursorOverridden_) QApplication::restoreOverrideCursor();
  // Widgets let go of inside their own handlers.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  printers_.clear();
  pdfPrinter_.reset();
}

std::uint64_t QtBackend::TickCount64() { return static_cast<std::uint64_t>(clock_.elapsed()); }

std::int64_t QtBackend::WallClockMs() { return QDateTime::currentMSecsSinceEpoch(); }

bool QtBackend::PumpEvents(bool wait, int timeoutMs) {
  if (PeerEventDepth() == 0) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  for (FormPeer* form : forms_) form->SyncMenu();
  for (auto& notifier : notifiers_) notifier->setEnabled(true);
  activity_ = false;
  QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
  if (!dispatcher) return false;
  bool delivered = dispatcher->processEvents(QEventLoop::AllEvents);
  if (wait && !delivered && !activity_ && timeoutMs != 0) {
    timedOut_ = false;
    if (timeoutMs > 0) wake_.start(timeoutMs);
    delivered = dispatcher->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    if (timedOut_) delivered = false;
    wake_.stop();
  }
  return delivered || activity_;
}

std::unique_ptr<ControlPeer> QtBackend::CreatePeer(TControl& control) { return MakePeer(*this, control); }

TModalResult QtBackend::RunModal(TForm& form) {
  for (;;) {
    while (form.ModalResult == mrNone && !Application->Terminated()) Application->HandleMessage();
    if (form.ModalResult == mrNone) form.ModalResult = mrCancel;
    form.CloseModal();
    // A close query or close handler that refused sends the loop round again.
    if (form.ModalResult != mrNone || Application->Terminated()) break;
  }
  if (form.ModalResult == mrNone) form.ModalResult = mrCancel;
  return form.ModalResult;
}

TMenuItem* QtBackend::TrackPopup(TPopupMenu& menu, TPoint screenPoint) {
  return ExecPopup(menu, QPoint(screenPoint.X, screenPoint.Y));
}

std::unique_ptr<CanvasSink> QtBackend::CreateBitmapSurface(int width, int height) {
  return std::make_unique<ImageSurface>(fonts_, ScreenDpi(), QSize(width, height));
}

std::vector<PrinterDevice*> QtBackend::Printers() {
  std::vector<PrinterDevice*> result;
  for (const QPrinterInfo& info : QPrinterInfo::availablePrinters()) {
    const QString name = info.printerName();
    auto it = std::find_if(printers_.begin(), printers_.end(),
                           [&](const auto& p) { return QString::fromStdString(AnsiToUtf8(p->Name())) == name; });
    if (it == printers_.end()) {
      printers_.push_back(std::make_unique<QtPrinterDevice>(fonts_, name));
      it = std::prev(printers_.end());
    }
    result.push_back(it->get());
  }
  // The PDF printer, always last.
  if (!pdfPrinter_) pdfPrinter_ = std::make_unique<PdfPrinterDevice>();
  result.push_back(pdfPrinter_.get());
  return result;
}

int QtBackend::ScreenDpi() {
  if (dpi_ == 0) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    dpi_ = screen ? std::max(1, qRound(screen->logicalDotsPerInch())) : 96;
  }
  return dpi_;
}

ScreenInfo QtBackend::Screen() {
  ScreenInfo info;
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return info;
  info.Width = screen->geometry().width();
  info.Height = screen->geometry().height();
  info.PixelsPerInch = ScreenDpi();
  info.BitsPerPixel = screen->depth();
  const QRect work = screen->availableGeometry();
  info.WorkArea = TRect{work.left(), work.top(), work.right() + 1, work.bottom() + 1};
  return info;
}

// A sound file goes to the desktop's own player (PulseAudio's, PipeWire's
// or ALSA's, whichever is there), asynchronously; an empty name stops
// it. Other sounds are the desktop's beep.
void QtBackend::PlaySound(SoundKind kind, std::string_view name) {
  if (player_) {
    player_->kill();
    player_->waitForFinished(200);
    player_.reset();
  }
  const QString file = QString::fromStdString(std::string(name));
  if (kind == SoundKind::Named && file.isEmpty()) return;
  if (kind != SoundKind::Named || !QFileInfo(file).isFile()) {
    QApplication::beep();
    return;
  }
  // No one hears the offscreen platform.
  if (QGuiApplication::platformName() == "offscreen") return;
  const struct {
    const char* program;
    QStringList args;
  } players[] = {{"paplay", {file}}, {"pw-play", {file}}, {"aplay", {"-q", file}}};
  for (const auto& p : players) {
    const QString path = QStandardPaths::findExecutable(p.program);
    if (path.isEmpty()) continue;
    player_ = std::make_unique<QProcess>();
    player_->setStandardOutputFile(QProcess::nullDevice());
    player_->setStandardErrorFile(QProcess::nullDevice());
    player_->start(path, p.args);
    return;
  }
  QApplication::beep();
}

void QtBackend::SetCursor(int cursor) {
  if (cursor == crDefault) {
    if (cursorOverridden_) QApplication::restoreOverrideCursor();
    cursorOverridden_ = false;
    return;
  }
  if (cursorOverridden_) QApplication::changeOverrideCursor(QtCursorOf(cursor));
  else QApplication::setOverrideCursor(QtCursorOf(cursor));
  cursorOverridden_ = true;
}

namespace {

QWidget* CaretWidget(const CaretState& caret) {
  if (caret.owner == NullWindow) return nullptr;
  TWinControl* owner = Platform::Current().WindowFromHandle(caret.owner);
  return owner ? WidgetOf(*owner) : nullptr;
}

QRect CaretRect(const CaretState& caret) {
  return QRect(caret.pos.X, caret.pos.Y, std::max(1, caret.width), std::max(1, caret.height));
}

}  // namespace

void QtBackend::RefreshCaret(const CaretState& state) {
  if (QWidget* w = CaretWidget(state)) w->update(CaretRect(state));
}

void QtBackend::CaretChanged() {
  const CaretState now = Platform::Current().Caret();
  RefreshCaret(shownCaret_);
  RefreshCaret(now);
  shownCaret_ = now;
  // A caret that moves shows at once, then blinks.
  caretOn_ = true;
  const int flash = QApplication::cursorFlashTime();
  if (now.Visible() && flash > 0) blink_.start(flash / 2);
  else blink_.stop();
}

void QtBackend::Blink() {
  caretOn_ = !caretOn_;
  RefreshCaret(shownCaret_);
}

void QtBackend::SetCursorPos(TPoint p) { QCursor::setPos(p.X, p.Y); }

TPoint QtBackend::CursorPos() {
  const QPoint p = QCursor::pos();
  return TPoint{p.x(), p.y()};
}

int QtBackend::DoubleClickTime() { return QApplication::doubleClickInterval(); }

void QtBackend::WatchDescriptor(int fd) {
  if (fd < 0) return;
  auto* notifier = notifiers_.emplace_back(std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read)).get();
  // The core reads the channel after the pump returns; until then the
  // notifier rests, or it would fire again and again.
  QObject::connect(notifier, &QSocketNotifier::activated, [this, notifier] {
    activity_ = true;
    notifier->setEnabled(false);
  });
}

void QtBackend::AddForm(FormPeer* form) { forms_.push_back(form); }

void QtBackend::RemoveForm(FormPeer* form) {
  forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
}

FormPeer* QtBackend::MdiFramePeer() {
  // A child made before its frame is shown still belongs inside it.
  if (Application && Application->MainForm && Application->MainForm->FormStyle == TFormStyle::fsMDIForm)
    Application->MainForm->EnsurePeer();
  if (Application && Application->MainForm)
    if (FormPeer* main = FormPeerOf(Application->MainForm); main && main->MdiArea()) return main;
  for (FormPeer* form : forms_)
    if (form->MdiArea()) return form;
  return nullptr;
}

void QtBackend::PutAside(QWidget* window) { windowsBack_->PutAside(window); }

void QtBackend::ForgetPutAside(QWidget* window) { windowsBack_->Forget(window); }

}  // namespace qm
