// The backend without a desktop: every object keeps its state in memory,
// nothing is drawn but recorded, the clock moves only when told to, and
// modal forms are answered from a script of answers.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/clipboard.h"
#include "platform/printer.h"
#include "platform/recording_canvas.h"

namespace qm {

class TForm;
class TPopupMenu;
class TMenuItem;

// Answers modal forms and pop-up menus in the order they come up.
class ModalDriver {
 public:
  using FormAnswer = std::function<void(TForm& form)>;
  using MenuAnswer = std::function<TMenuItem*(TPopupMenu& menu)>;

  void Expect(FormAnswer answer, std::string what = {});
  void ExpectPopup(MenuAnswer answer, std::string what = {});
  int Pending() const { return static_cast<int>(answers_.size()); }
  void Clear() { answers_.clear(); }
  // Descriptions of the answers not used yet.
  std::vector<std::string> PendingDescriptions() const;

  // Called when a form or menu comes up with no answer waiting, or an
  // answer leaves its form open; a test turns this into a failure.
  std::function<void(const std::string& problem)> OnProblem;
  // Called with a form that comes up with no answer waiting: the program
  // run without a desktop reports it there and may answer it by setting
  // its modal result; a form left unanswered is cancelled.
  std::function<void(TForm& form)> OnUnanswered;

  TModalResult Run(TForm& form);
  TMenuItem* Choose(TPopupMenu& menu);

 private:
  struct Answer {
    FormAnswer form;
    MenuAnswer menu;
    std::string what;
  };
  void Problem(const std::string& text);
  std::deque<Answer> answers_;
};

// Widths are fixed so that layout is the same on every machine: every
// fixed-pitch font advances 0.6 em for every character; proportional
// fonts use one fixed table of widths in thousandths of an em.
class HeadlessMetrics : public FontMetrics {
 public:
  int CharWidth(const TFontDesc& font, int dpi, unsigned char ch) override;
  TextMetrics Metrics(const TFontDesc& font, int dpi) override;
  std::vector<std::string> Families() override;
  static bool IsFixedPitch(const std::string& family);
};

class MemoryClipboard : public ClipboardStore {
 public:
  void Publish(const std::vector<ClipItem>& items) override { items_ = items; }
  std::vector<ClipItem> Contents() override { return items_; }
  bool Holds(UINT format, const std::string& name) override { return HoldsFormat(items_, format, name); }

 private:
  std::vector<ClipItem> items_;
};

// A printer that keeps each page's drawing calls.
class RecordingPrinter : public PrinterDevice {
 public:
  RecordingPrinter(std::string name, int dpi, TPoint physicalSize, TPoint offset);
  std::string Name() const override { return name_; }
  int DpiX() const override { return dpi_; }
  int DpiY() const override { return dpi_; }
  TPoint PhysicalSize() const override { return size_; }
  TPoint PhysicalOffset() const override { return offset_; }
  TPoint PrintableSize() const override;
  bool BeginDoc(const std::string& title) override;
  CanvasSink* BeginPage() override;
  void EndPage() override {}
  void EndDoc() override { docOpen_ = false; }
  void Abort() override;

  const std::vector<std::unique_ptr<RecordingCanvas>>& Pages() const { return pages_; }
  const std::string& DocumentTitle() const { return title_; }
  int DocumentsPrinted() const { return documents_; }
  bool FailNextDoc = false;

 private:
  std::string name_;
  int dpi_;
  TPoint size_;
  TPoint offset_;
  std::string title_;
  bool docOpen_ = false;
  int documents_ = 0;
  std::vector<std::unique_ptr<RecordingCanvas>> pages_;
};

class HeadlessBackend : public Backend {
 public:
  HeadlessBackend();
  ~HeadlessBackend() override;

  const char* Name() const override { return "headless"; }
  std::uint64_t TickCount64() override { return tick_; }
  std::int64_t WallClockMs() override;
  bool PumpEvents(bool wait, int timeoutMs) override;
  std::unique_ptr<ControlPeer> CreatePeer(TControl&) override { return nullptr; }
  TModalResult RunModal(TForm& form) override { return driver_.Run(form); }
  TMenuItem* TrackPopup(TPopupMenu& menu, TPoint) override { return driver_.Choose(menu); }
  FontMetrics& Metrics() override { return metrics_; }
  std::unique_ptr<CanvasSink> CreateBitmapSurface(int width, int height) override;
  // With a runtime folder, the clipboard its other processes share.
  ClipboardStore& Clipboard() override;
  std::vector<PrinterDevice*> Printers() override;
  ScreenInfo Screen() override { return screen_; }
  void PlaySound(SoundKind kind, std::string_view name) override;
  void SetCursor(int cursor) override { cursorHistory_.push_back(cursor); }
  // The mouse pointer's place on the screen, moved only by tests.
  void SetCursorPos(TPoint p) override { pointer_ = p; }
  TPoint CursorPos() override { return pointer_; }
  void WatchDescriptor(int fd) override {
    if (fd >= 0) watchedFds_.push_back(fd);
  }

  // What tests steer and read.
  ModalDriver& Driver() { return driver_; }
  void SetTick(std::uint64_t ms) { tick_ = ms; }
  void AdvanceTick(std::uint64_t ms) { tick_ += ms; }
  // A fixed wall clock (milliseconds since 1970); 0 uses the real one.
  std::int64_t FixedWallClockMs = 0;
  ScreenInfo& ScreenSettings() { return screen_; }
  // The printers offered; tests may clear it to stand for "no printer".
  std::vector<std::unique_ptr<RecordingPrinter>>& PrinterList() { return printers_; }
  // Printers offered after the recording ones: batch printing and tests
  // put the PDF printer here.
  std::vector<std::unique_ptr<PrinterDevice>>& OtherPrinters() { return otherPrinters_; }
  struct Sound {
    SoundKind kind;
    std::string name;
  };
  const std::vector<Sound>& Sounds() const { return sounds_; }
  void ClearSounds() { sounds_.clear(); }
  const std::vector<int>& CursorHistory() const { return cursorHistory_; }

 private:
  std::uint64_t tick_ = 0;
  ModalDriver driver_;
  HeadlessMetrics metrics_;
  MemoryClipboard clipboard_;
  std::unique_ptr<ClipboardStore> sharedClipboard_;
  std::vector<std::unique_ptr<RecordingPrinter>> printers_;
  std::vector<std::unique_ptr<PrinterDevice>> otherPrinters_;
  ScreenInfo screen_;
  std::vector<Sound> sounds_;
  std::vector<int> cursorHistory_;
  TPoint pointer_{};
  std::vector<int> watchedFds_;
};

// What a form says to the user in words: its caption, then the text of
// each visible label, one line each.
std::string FormMessage(TForm& form);

// The headless backend of the running platform, or null under another.
HeadlessBackend* Headless();

// Moves the headless clock forward, firing every timer on the way at its
// own due time, and handles the messages that result.
void AdvanceClock(std::uint64_t ms);

}  // namespace qm
