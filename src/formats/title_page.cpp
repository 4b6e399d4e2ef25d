#include "formats/title_page.h"

#include <algorithm>
#include <ctime>

#include "platform/byte_io.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "script/model/number_texts.h"
#include "script/model/script_document.h"

namespace qm {

namespace {

// Places inside one 35-byte slot.
constexpr std::size_t OffsetAt = 0;
constexpr std::size_t LengthAt = 2;
constexpr std::size_t LeftAt = 4;
constexpr std::size_t TopAt = 6;
constexpr std::size_t SizeAt = 8;
constexpr std::size_t StyleAt = 9;
constexpr std::size_t AlignAt = 10;
constexpr std::size_t FontAt = 11;  // a length byte and 23 characters
constexpr unsigned StyleBits = fsBold | fsItalic | fsUnderline;
constexpr Byte DefaultFontSize = 12;
constexpr const char* DefaultFont = "Courier New";

// Alignments as stored: 0 left, 1 right, 2 centred.
Byte AlignmentCode(TAlignment a) { return static_cast<Byte>(a); }
TAlignment AlignmentOf(Byte code) { return code <= 2 ? static_cast<TAlignment>(code) : TAlignment::taLeftJustify; }

std::int16_t Clamped(int value, int high) { return static_cast<std::int16_t>(std::clamp(value, 0, high)); }

// The item's text: only bytes of the block, up to the first 0.
std::string TextAt(TTitlePageTextBytes block, std::size_t offset, std::size_t length) {
  if (offset >= block.size()) return {};
  const std::size_t end = std::min(block.size(), offset + length);
  std::string text;
  for (std::size_t i = offset; i < end && block[i] != 0; ++i) text += static_cast<char>(block[i]);
  return text;
}

std::string FontNameAt(std::span<const Byte> slot) {
  const std::size_t length = std::min<std::size_t>(slot[FontAt], TitlePageFontNameLength);
  std::string name;
  for (std::size_t i = 0; i < length && slot[FontAt + 1 + i] != 0; ++i) name += static_cast<char>(slot[FontAt + 1 + i]);
  return name.empty() ? DefaultFont : name;
}

Byte FontSizeOf(Byte stored) {
  if (stored == 0) return DefaultFontSize;
  return static_cast<Byte>(std::clamp<int>(stored, TitlePageMinFontSize, TitlePageMaxFontSize));
}

// A 0 inside a text would end the block for its readers.
std::string StoredText(const std::string& text) {
  std::string kept = text;
  std::erase(kept, '\0');
  return kept;
}

std::string TodayText() { return FormatScriptDate(std::time(nullptr), true, false); }

std::string TitleOf(const TScriptDocument& script) {
  if (!script.ProductionTitle.empty()) return script.ProductionTitle;
  std::string name = ExtractFileName(script.ScriptFileName);
  if (const std::size_t dot = name.rfind('.'); dot != std::string::npos) name.erase(dot);
  name = AnsiUpperCase(name);
  return name.empty() || name.starts_with("NONAME") ? "UNTITLED" : name;
}

}  // namespace

const char* TitlePageItemName(int index) {
  static const char* const names[TitlePageItemCount] = {"Title",   "Written By", "Writer",  "Based On",  "Revisions",
                                                        "Date",    "Contact",    "Agent",   "Copyright", "Registration",
                                                        "Extra 1", "Extra 2",    "Extra 3", "Extra 4",   "Extra 5"};
  return index >= 0 && index < TitlePageItemCount ? names[index] : "";
}

TTitlePage ReadTitlePage(TTitlePageItemBytes items, TTitlePageTextBytes text) {
  TTitlePage page;
  for (int i = 0; i < TitlePageItemCount; ++i) {
    const std::span<const Byte> slot =
        items.subspan(static_cast<std::size_t>(i) * TitlePageItemBytes, TitlePageItemBytes);
    TTitlePageItem& item = page[static_cast<std::size_t>(i)];
    item.Text = TextAt(text, GetU16(slot, OffsetAt), GetU16(slot, LengthAt));
    item.Left = Clamped(static_cast<std::int16_t>(GetU16(slot, LeftAt)), TitlePageWidth);
    item.Top = Clamped(static_cast<std::int16_t>(GetU16(slot, TopAt)), TitlePageHeight);
    item.FontSize = FontSizeOf(slot[SizeAt]);
    item.Style = slot[StyleAt] & StyleBits;
    item.Alignment = AlignmentOf(slot[AlignAt]);
    item.FontName = FontNameAt(slot);
  }
  return page;
}

bool TitlePageNeverSetUp(TTitlePageItemBytes items) {
  for (int i = 0; i < TitlePageItemCount; ++i)
    if (items[static_cast<std::size_t>(i) * TitlePageItemBytes + SizeAt] != 0) return false;
  return true;
}

std::size_t TitlePageTextLength(const TTitlePage& page) {
  std::size_t total = 0;
  for (const TTitlePageItem& item : page) total += StoredText(item.Text).size();
  return total;
}

bool WriteTitlePage(const TTitlePage& page, std::array<Byte, TitlePageItemsSize>& items,
                    std::array<Byte, TitlePageTextSize>& text) {
  if (TitlePageTextLength(page) > TitlePageTextRoom) return false;
  std::array<Byte, TitlePageItemsSize> slots{};
  std::array<Byte, TitlePageTextSize> block{};
  std::size_t used = 0;
  for (int i = 0; i < TitlePageItemCount; ++i) {
    const TTitlePageItem& item = page[static_cast<std::size_t>(i)];
    const std::span<Byte> slot =
        std::span(slots).subspan(static_cast<std::size_t>(i) * TitlePageItemBytes, TitlePageItemBytes);
    const std::string stored = StoredText(item.Text);
    PutU16(slot, OffsetAt, static_cast<Word>(used));
    PutU16(slot, LengthAt, static_cast<Word>(stored.size()));
    std::copy(stored.begin(), stored.end(), block.begin() + static_cast<std::ptrdiff_t>(used));
    used += stored.size();
    PutU16(slot, LeftAt, static_cast<Word>(Clamped(item.Left, TitlePageWidth)));
    PutU16(slot, TopAt, static_cast<Word>(Clamped(item.Top, TitlePageHeight)));
    slot[SizeAt] = FontSizeOf(item.FontSize);
    slot[StyleAt] = static_cast<Byte>(item.Style & StyleBits);
    slot[AlignAt] = AlignmentCode(item.Alignment);
    const std::string font = CutToCapacity(item.FontName, TitlePageFontNameLength);
    slot[FontAt] = static_cast<Byte>(font.size());
    std::copy(font.begin(), font.end(), slot.begin() + FontAt + 1);
  }
  items = slots;
  text = block;
  return true;
}

TTitlePage DefaultTitlePage(const TScriptDocument& script) {
  using enum TAlignment;
  struct Row {
    const char* text;
    Byte size;
    unsigned style;
    TAlignment align;
    std::int16_t left, top;
  };
  const std::string revision = RevisionColorName(script, script.CurrentRevision) + " - " + TodayText();
  const Row rows[TitlePageItemCount] = {
      {"", 18, fsBold, taCenter, 425, 350},
      {"written by", 12, 0, taCenter, 425, 450},
      {"Your Name", 12, 0, taCenter, 425, 500},
      {"", 12, 0, taCenter, 425, 580},
      {"", 12, 0, taRightJustify, 750, 900},
      {"", 12, 0, taRightJustify, 750, 960},
      {"Your Address\r\nYour Phone Number", 12, 0, taLeftJustify, 100, 900},
      {"", 12, 0, taLeftJustify, 100, 1000},
      {"", 12, 0, taLeftJustify, 100, 800},
      {"", 12, 0, taRightJustify, 750, 800},
      {"", 12, 0, taLeftJustify, 100, 100},
      {"", 12, 0, taLeftJustify, 100, 150},
      {"", 12, 0, taLeftJustify, 100, 200},
      {"", 12, 0, taLeftJustify, 100, 250},
      {"", 12, 0, taLeftJustify, 100, 300},
  };
  const std::string font =
      script.ScriptFontName.empty() ? DefaultFont : CutToCapacity(script.ScriptFontName, TitlePageFontNameLength);
  TTitlePage page;
  for (int i = 0; i < TitlePageItemCount; ++i) {
    const Row& row = rows[i];
    page[static_cast<std::size_t>(i)] = {row.text, font, row.size, row.style, row.align, row.left, row.top};
  }
  page[0].Text = TitleOf(script);
  page[4].Text = revision;
  return page;
}

TTitlePage TitlePageOf(const TScriptDocument& script) {
  if (TitlePageNeverSetUp(script.TitlePageItems)) return DefaultTitlePage(script);
  return ReadTitlePage(script.TitlePageItems, script.TitlePageText);
}

}  // namespace qm
