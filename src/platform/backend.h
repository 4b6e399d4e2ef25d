// The seam between the platform layer and a desktop. Controls keep their
// own state; a backend only mirrors it (through a peer per control) and
// feeds the user's actions back in. The headless backend has no peers.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace qm {

class TControl;
class TForm;
class TPopupMenu;
class TMenuItem;
class CanvasSink;
struct TFontDesc;
class ClipboardStore;
class PrinterDevice;
class TFileDialog;
class TColorDialog;

// Which property of a control changed, so a peer can mirror just that.
enum class PropId : std::uint8_t {
  Bounds,
  Caption,
  Visible,
  Enabled,
  Color,
  Font,
  Hint,
  Checked,
  Items,
  ItemIndex,
  Text,
  Selection,
  Range,
  Position,
  Down,
  Style,
  Cursor,
  Menu,
  ActivePage,
  Focus,
  ZOrder,
  WindowState,
  Default,
};

// A backend's mirror of one control.
class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  virtual void PropertyChanged(PropId id) = 0;
  // Ask for the control to be painted (whole control when rect is null).
  virtual void Invalidate(const TRect* rect) = 0;
  // Paint now what has been invalidated.
  virtual void Update() {}
  virtual void SetFocus() {}
  // The surface the control's canvas draws on outside a paint event.
  virtual CanvasSink* Surface() { return nullptr; }
  // Where the control's client area lies on the screen, when the desktop
  // knows better than the core's own sums (frames, MDI areas, menus).
  virtual std::optional<TPoint> ScreenOrigin() const { return std::nullopt; }
};

// Character widths and heights of a font at a resolution.
struct TextMetrics {
  int Ascent = 0;
  int Descent = 0;
  int InternalLeading = 0;
  int Height() const { return Ascent + Descent; }
};

class FontMetrics {
 public:
  virtual ~FontMetrics() = default;
  // Advance width of one cp1252 byte in device units at dpi.
  virtual int CharWidth(const TFontDesc& font, int dpi, unsigned char ch) = 0;
  // Width of a text as the desktop draws it on a control of its own (a
  // label, a button), which need not be the sum of the characters'
  // advances the program draws with.
  virtual int ControlTextWidth(const TFontDesc& font, int dpi, std::string_view text) {
    int width = 0;
    for (unsigned char ch : text) width += CharWidth(font, dpi, ch);
    return width;
  }
  virtual TextMetrics Metrics(const TFontDesc& font, int dpi) = 0;
  // Installed font families, by name.
  virtual std::vector<std::string> Families() = 0;
};

struct ScreenInfo {
  int Width = 1024;
  int Height = 768;
  int PixelsPerInch = 96;
  int BitsPerPixel = 32;
  TRect WorkArea{0, 0, 1024, 768};
};

enum class SoundKind { DefaultBeep, Exclamation, Asterisk, Question, Hand, Named };

class Backend {
 public:
  virtual ~Backend() = default;
  virtual const char* Name() const = 0;

  // Milliseconds from a monotonic clock; never wraps.
  virtual std::uint64_t TickCount64() = 0;
  // Milliseconds since the Unix epoch, for dates shown to the user.
  virtual std::int64_t WallClockMs() = 0;

  // Collects the desktop's pending events and delivers them to the
  // application; with wait set, sleeps until something arrives or the
  // timeout (milliseconds, negative = none) passes. Returns whether
  // anything was delivered.
  virtual bool PumpEvents(bool wait, int timeoutMs) = 0;

  virtual std::unique_ptr<ControlPeer> CreatePeer(TControl& control) = 0;

  // Runs a modal form until its ModalResult is set.
  virtual TModalResult RunModal(TForm& form) = 0;
  // Shows a pop-up menu at a screen point and returns the item chosen.
  virtual TMenuItem* TrackPopup(TPopupMenu& menu, TPoint screenPoint) = 0;
  // The desktop's own open or save dialog for the dialog's folder, filters
  // and name: whether a file was chosen (its name and filter then set), or
  // nothing when the desktop has none and the dialog's own form serves.
  virtual std::optional<bool> RunFileDialog(TFileDialog&) { return std::nullopt; }
  // The desktop's own colour dialog, started at the dialog's colour with
  // its custom colours: whether a colour was chosen (the dialog's colour
  // then set), or nothing when the desktop has none and the dialog's own
  // form serves.
  virtual std::optional<bool> RunColorDialog(TColorDialog&) { return std::nullopt; }

  virtual FontMetrics& Metrics() = 0;
  // A drawing surface of its own (bitmaps, offscreen work).
  virtual std::unique_ptr<CanvasSink> CreateBitmapSurface(int width, int height) = 0;
  virtual ClipboardStore& Clipboard() = 0;
  virtual std::vector<PrinterDevice*> Printers() = 0;
  virtual ScreenInfo Screen() = 0;

  virtual void PlaySound(SoundKind kind, std::string_view name) = 0;
  virtual void SetCursor(int cursor) = 0;
  virtual void CaretChanged() {}
  virtual void SetCursorPos(TPoint) {}
  virtual TPoint CursorPos() { return {}; }
  // The mouse double-click time in milliseconds.
  virtual int DoubleClickTime() { return 500; }
  // The file descriptor of a channel wakes the event loop from now on
  // (each one watched is added to those before it).
  virtual void WatchDescriptor(int fd) {}
};

}  // namespace qm
