#include "platform/headless/headless_backend.h"

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "platform/cp1252.h"
#include "platform/folder_clipboard.h"
#include "platform/forms.h"
#include "platform/ipc_channel.h"
#include "platform/menus.h"
#include "platform/platform.h"

namespace qm {

// ---------------------------------------------------------------------------
// ModalDriver

void ModalDriver::Expect(FormAnswer answer, std::string what) {
  answers_.push_back(Answer{std::move(answer), {}, std::move(what)});
}

void ModalDriver::ExpectPopup(MenuAnswer answer, std::string what) {
  answers_.push_back(Answer{{}, std::move(answer), std::move(what)});
}

std::vector<std::string> ModalDriver::PendingDescriptions() const {
  std::vector<std::string> result;
  for (const auto& a : answers_) result.push_back(a.what.empty() ? "(an answer)" : a.what);
  return result;
}

void ModalDriver::Problem(const std::string& text) {
  if (OnProblem) OnProblem(text);
}

namespace {

// Everything a form shows in words, for a failure message.
std::string Describe(TControl& control) {
  std::string text = control.Caption();
  if (auto* edit = dynamic_cast<TEdit*>(&control)) text = edit->Text();
  if (auto* win = dynamic_cast<TWinControl*>(&control))
    for (int i = 0; i < win->ControlCount(); ++i) {
      const std::string inner = Describe(*win->Controls(i));
      if (!inner.empty()) text += (text.empty() ? "" : " | ") + inner;
    }
  return text;
}

void AddLabelTexts(TControl& control, std::string& out) {
  if (!control.Visible) return;
  if (dynamic_cast<TLabel*>(&control)) {
    std::string text = control.Caption();
    std::replace(text.begin(), text.end(), '\r', '\n');
    const size_t first = text.find_first_not_of("\n ");
    if (first != std::string::npos) out += "\n" + text.substr(first, text.find_last_not_of("\n ") - first + 1);
  }
  if (auto* win = dynamic_cast<TWinControl*>(&control))
    for (int i = 0; i < win->ControlCount(); ++i) AddLabelTexts(*win->Controls(i), out);
}

}  // namespace

std::string FormMessage(TForm& form) {
  std::string text = form.Caption();
  for (int i = 0; i < form.ControlCount(); ++i) AddLabelTexts(*form.Controls(i), text);
  return text;
}

TModalResult ModalDriver::Run(TForm& form) {
  // A desktop paints a form as soon as it shows; a form whose first paint
  // does its work (the progress dialog runs its job) ends by itself.
  form.PaintTo(*form.Recording());
  Application->ProcessMessages();
  if (form.ModalResult != mrNone) {
    form.CloseModal();
    if (form.ModalResult != mrNone) return form.ModalResult;
  }
  if (answers_.empty() || !answers_.front().form) {
    if (OnUnanswered) OnUnanswered(form);
    Problem("unexpected modal form \"" + form.Caption() + "\": " + Describe(form));
    if (form.ModalResult == mrNone) form.ModalResult = mrCancel;
    form.CloseModal();
    if (form.ModalResult == mrNone) form.ModalResult = mrCancel;
    return form.ModalResult;
  }
  Answer answer = std::move(answers_.front());
  answers_.pop_front();
  answer.form(form);
  if (form.ModalResult == mrNone) {
    Problem("the answer \"" + answer.what + "\" left the form \"" + form.Caption() + "\" open");
    form.ModalResult = mrCancel;
  }
  form.CloseModal();
  if (form.ModalResult == mrNone) {
    Problem("the form \"" + form.Caption() + "\" refused to close");
    form.ModalResult = mrCancel;
  }
  return form.ModalResult;
}

TMenuItem* ModalDriver::Choose(TPopupMenu& menu) {
  if (answers_.empty() || !answers_.front().menu) {
    Problem("unexpected pop-up menu \"" + menu.Name + "\"");
    return nullptr;
  }
  Answer answer = std::move(answers_.front());
  answers_.pop_front();
  return answer.menu(menu);
}

// ---------------------------------------------------------------------------
// HeadlessMetrics

namespace {

// Widths of the printable ASCII characters, in thousandths of an em.
constexpr int kProportional[95] = {
    278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  // space ../
    556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,  // 0 .. ?
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,  // @ .. O
    667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,  // P .. _
    333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,  // ` .. o
    556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584,       // p .. ~
};

double EmOf(const TFontDesc& font, int dpi) {
  if (font.PixelHeight != 0) return std::abs(font.PixelHeight);
  return font.Size * static_cast<double>(dpi) / 72.0;
}

}  // namespace

bool HeadlessMetrics::IsFixedPitch(const std::string& family) {
  // Asked for every character measured: the answer for the last family
  // asked about is kept (it depends on the name alone).
  static std::string lastFamily;
  static bool lastAnswer = false;
  static bool asked = false;
  if (asked && family == lastFamily) return lastAnswer;
  const std::string upper = AnsiUpperCase(family);
  bool fixedPitch = false;
  for (const char* fixed : {"COURIER", "MONO", "FIXEDSYS", "LUCIDA CONSOLE", "TERMINAL", "CONSOLAS"})
    if (upper.find(fixed) != std::string::npos) fixedPitch = true;
  lastFamily = family;
  lastAnswer = fixedPitch;
  asked = true;
  return fixedPitch;
}

int HeadlessMetrics::CharWidth(const TFontDesc& font, int dpi, unsigned char ch) {
  const double em = EmOf(font, dpi);
  int thousandths = 556;
  if (IsFixedPitch(font.Name)) thousandths = 600;
  else if (ch >= 32 && ch <= 126) thousandths = kProportional[ch - 32];
  return static_cast<int>(std::lround(em * thousandths / 1000.0));
}

TextMetrics HeadlessMetrics::Metrics(const TFontDesc& font, int dpi) {
  const double em = EmOf(font, dpi);
  TextMetrics m;
  m.Ascent = static_cast<int>(std::lround(em * 0.883));
  m.Descent = static_cast<int>(std::lround(em * 0.25));
  m.InternalLeading = std::max(0, m.Height() - static_cast<int>(std::lround(em)));
  return m;
}

std::vector<std::string> HeadlessMetrics::Families() {
  return {"Arial", "Courier", "Courier New", "MS Sans Serif", "Times New Roman"};
}

// ---------------------------------------------------------------------------
// RecordingPrinter

RecordingPrinter::RecordingPrinter(std::string name, int dpi, TPoint physicalSize, TPoint offset)
    : name_(std::move(name)), dpi_(dpi), size_(physicalSize), offset_(offset) {}

TPoint RecordingPrinter::PrintableSize() const { return TPoint{size_.X - 2 * offset_.X, size_.Y - 2 * offset_.Y}; }

bool RecordingPrinter::BeginDoc(const std::string& title) {
  if (FailNextDoc) {
    FailNextDoc = false;
    return false;
  }
  title_ = title;
  pages_.clear();
  docOpen_ = true;
  ++documents_;
  return true;
}

CanvasSink* RecordingPrinter::BeginPage() {
  pages_.push_back(std::make_unique<RecordingCanvas>(dpi_, size_.X, size_.Y));
  return pages_.back().get();
}

void RecordingPrinter::Abort() {
  docOpen_ = false;
  pages_.clear();
}

// ---------------------------------------------------------------------------
// HeadlessBackend

HeadlessBackend::HeadlessBackend() {
  printers_.push_back(std::make_unique<RecordingPrinter>("Headless Printer", 300, TPoint{2550, 3300}, TPoint{75, 75}));
}

HeadlessBackend::~HeadlessBackend() = default;

std::int64_t HeadlessBackend::WallClockMs() {
  if (FixedWallClockMs != 0) return FixedWallClockMs;
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

bool HeadlessBackend::PumpEvents(bool wait, int timeoutMs) {
  if (!wait || watchedFds_.empty()) return false;
  // The clock here is virtual, so only the channels from outside (other
  // instances, the end signals) can wake us; wait for them in short
  // real-time slices.
  std::vector<pollfd> fds;
  for (const int fd : watchedFds_) fds.push_back(pollfd{fd, POLLIN, 0});
  const int slice = timeoutMs < 0 ? 100 : std::min(timeoutMs, 100);
  return poll(fds.data(), fds.size(), slice) > 0;
}

std::unique_ptr<CanvasSink> HeadlessBackend::CreateBitmapSurface(int width, int height) {
  return std::make_unique<RecordingCanvas>(screen_.PixelsPerInch, width, height);
}

ClipboardStore& HeadlessBackend::Clipboard() {
  if (!Platform::Exists() || !Platform::Current().Ipc()) return clipboard_;
  if (!sharedClipboard_) sharedClipboard_ = std::make_unique<FolderClipboard>(Platform::Current().Ipc()->Folder());
  return *sharedClipboard_;
}

std::vector<PrinterDevice*> HeadlessBackend::Printers() {
  std::vector<PrinterDevice*> result;
  for (auto& p : printers_) result.push_back(p.get());
  for (auto& p : otherPrinters_) result.push_back(p.get());
  return result;
}

void HeadlessBackend::PlaySound(SoundKind kind, std::string_view name) {
  sounds_.push_back(Sound{kind, std::string(name)});
}

HeadlessBackend* Headless() {
  if (!Platform::Exists()) return nullptr;
  return dynamic_cast<HeadlessBackend*>(&Platform::Current().backend());
}

void AdvanceClock(std::uint64_t ms) {
  HeadlessBackend* backend = Headless();
  if (!backend) return;
  const std::uint64_t target = backend->TickCount64() + ms;
  for (;;) {
    const int wait = Application->MillisecondsToNextTimer();
    const std::uint64_t now = backend->TickCount64();
    if (wait < 0 || now + static_cast<std::uint64_t>(wait) > target) break;
    backend->SetTick(now + static_cast<std::uint64_t>(wait));
    Application->ProcessMessages();
    if (Application->Terminated()) return;
  }
  backend->SetTick(target);
  Application->ProcessMessages();
}

}  // namespace qm
