// The clipboard: blocks of bytes by format. Plain text (CF_TEXT) is
// cp1252 text ended by a zero byte, as the program reads and writes it;
// the other formats are registered by name.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace qm {

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_OEMTEXT = 7;
constexpr UINT CF_UNICODETEXT = 13;

using Bytes = std::vector<std::uint8_t>;

struct ClipItem {
  UINT format = 0;
  std::string name;  // registered name; empty for the standard formats
  Bytes data;
};

// Where the desktop keeps what is on the clipboard.
class ClipboardStore {
 public:
  virtual ~ClipboardStore() = default;
  // Replaces the whole contents.
  virtual void Publish(const std::vector<ClipItem>& items) = 0;
  virtual std::vector<ClipItem> Contents() = 0;
  // Whether a format is there (a registered one by its name), without
  // taking its data.
  virtual bool Holds(UINT format, const std::string& name);
};

// Whether the items hold the format (a registered one by its name).
bool HoldsFormat(const std::vector<ClipItem>& items, UINT format, const std::string& name);

UINT RegisterClipboardFormat(const std::string& name);
std::string GetClipboardFormatName(UINT format);

class TClipboard {
 public:
  bool Open(HWND owner = NullWindow);
  void Close();
  bool IsOpen() const { return openCount_ > 0; }
  // Empties the clipboard and starts a new set of formats.
  bool Clear();
  // Adds one format to the set being written (published at Close).
  bool SetData(UINT format, Bytes data);
  std::optional<Bytes> GetData(UINT format);
  bool HasFormat(UINT format);
  // Formats in the order they were put on the clipboard.
  std::vector<UINT> Formats();
  // The next format after `format` (0 starts), or 0 at the end.
  UINT EnumFormats(UINT format);

  std::string AsText();
  void SetAsText(const std::string& text);
  HWND Owner() const { return owner_; }

 private:
  void Flush();
  std::vector<ClipItem> pending_;
  bool writing_ = false;
  int openCount_ = 0;
  HWND owner_ = NullWindow;
};

TClipboard* Clipboard();

}  // namespace qm
