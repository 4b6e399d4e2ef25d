// The Qt backend: the desktop behind the platform layer. Qt's event loop
// runs inside the core's message loop (PumpEvents), so the core keeps its
// own loop, timers and modal loops.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include <memory>
#include <vector>

#include "platform/backend.h"
#include "platform/platform.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_fonts.h"
#include "platform/qt/qt_printer.h"

class QApplication;
class QProcess;

namespace qm {

class FormPeer;
class WindowsBack;

class QtBackend : public Backend {
 public:
  // Takes the application when it made one; uses the running one otherwise.
  explicit QtBackend(std::unique_ptr<QApplication> ownedApp);
  ~QtBackend() override;

  const char* Name() const override { return "qt"; }
  std::uint64_t TickCount64() override;
  std::int64_t WallClockMs() override;
  bool PumpEvents(bool wait, int timeoutMs) override;
  std::unique_ptr<ControlPeer> CreatePeer(TControl& control) override;
  TModalResult RunModal(TForm& form) override;
  TMenuItem* TrackPopup(TPopupMenu& menu, TPoint screenPoint) override;
  std::optional<bool> RunFileDialog(TFileDialog& dialog) override;
  std::optional<bool> RunColorDialog(TColorDialog& dialog) override;
  FontMetrics& Metrics() override { return fonts_; }
  std::unique_ptr<CanvasSink> CreateBitmapSurface(int width, int height) override;
  ClipboardStore& Clipboard() override { return clipboard_; }
  std::vector<PrinterDevice*> Printers() override;
  ScreenInfo Screen() override;
  void PlaySound(SoundKind kind, std::string_view name) override;
  void SetCursor(int cursor) override;
  void CaretChanged() override;
  void SetCursorPos(TPoint p) override;
  TPoint CursorPos() override;
  int DoubleClickTime() override;
  void WatchDescriptor(int fd) override;

  QtFonts& Fonts() { return fonts_; }
  int ScreenDpi();
  // Whether the blinking caret is in its shown phase.
  bool CaretOn() const { return caretOn_; }

  void AddForm(FormPeer* form);
  void RemoveForm(FormPeer* form);
  // The peer of the MDI frame the program's children go into.
  FormPeer* MdiFramePeer();
  // A window minimised on its own, kept out of sight while the main window
  // stays up, until the first key or click reaching the program brings it
  // back; forgotten once the program itself hides it.
  void PutAside(QWidget* window);
  void ForgetPutAside(QWidget* window);

 private:
  void RefreshCaret(const CaretState& state);
  void Blink();

  std::unique_ptr<QApplication> ownedApp_;
  QElapsedTimer clock_;
  QtFonts fonts_;
  QtClipboardStore clipboard_;
  std::vector<std::unique_ptr<QtPrinterDevice>> printers_;
  std::unique_ptr<PdfPrinterDevice> pdfPrinter_;
  std::vector<std::unique_ptr<QSocketNotifier>> notifiers_;
  bool activity_ = false;
  QTimer wake_;
  bool timedOut_ = false;
  QTimer blink_;
  bool caretOn_ = true;
  CaretState shownCaret_;
  std::vector<FormPeer*> forms_;
  bool cursorOverridden_ = false;
  int dpi_ = 0;
  // The desktop's sound player while it plays a sound file for us.
  std::unique_ptr<QProcess> player_;
  // Brings a minimised modal window, and the windows put aside, back when
  // the writer turns to the program (see qt_backend.cpp).
  std::unique_ptr<WindowsBack> windowsBack_;
};

QtBackend& QtDesktop();

}  // namespace qm
