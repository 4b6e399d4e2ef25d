// The title page: fifteen items of text placed on a page, each with its
// own font, size, style and alignment, kept in the script's two title-page
// fields (the item slots and the text block; their bytes are described in
// docs/native-file-format.md), and the publisher that edits them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "platform/controls.h"
#include "script/model/script_record.h"

namespace qm {

class TMDIChild;
class TScriptDocument;

constexpr int TitlePageItemCount = 15;
constexpr std::size_t TitlePageItemBytes = 35;
constexpr std::size_t TitlePageFontNameLength = 23;
// The block keeps a 0 after the last text, so this much text fits.
constexpr std::size_t TitlePageTextRoom = TitlePageTextSize - 1;
// The page in page units (hundredths of an inch): a letter page.
constexpr int TitlePageUnitsPerInch = 100;
constexpr int TitlePageWidth = 850;
constexpr int TitlePageHeight = 1100;
constexpr int TitlePageMinFontSize = 4;
constexpr int TitlePageMaxFontSize = 72;

// One item. Left is where its lines start (left aligned), centre (centred)
// or end (right aligned); Top is the top of its first line.
struct TTitlePageItem {
  std::string Text;  // lines joined by CR LF
  std::string FontName = "Courier New";
  Byte FontSize = 12;
  unsigned Style = 0;  // fsBold, fsItalic, fsUnderline
  TAlignment Alignment = TAlignment::taLeftJustify;
  std::int16_t Left = 0;
  std::int16_t Top = 0;
  friend bool operator==(const TTitlePageItem&, const TTitlePageItem&) = default;
};

using TTitlePage = std::array<TTitlePageItem, TitlePageItemCount>;
using TTitlePageItemBytes = std::span<const Byte, TitlePageItemsSize>;
using TTitlePageTextBytes = std::span<const Byte, TitlePageTextSize>;

// What the stored bytes say, whatever they hold: a text is read only from
// inside the block and ends at a 0; sizes, styles, alignments and places
// outside their limits are brought back inside them.
TTitlePage ReadTitlePage(TTitlePageItemBytes items, TTitlePageTextBytes text);
// True when no item was ever laid out (every slot's size is 0): the bytes
// of a script whose title page was never set up.
bool TitlePageNeverSetUp(TTitlePageItemBytes items);
// The characters the texts take together in the block.
std::size_t TitlePageTextLength(const TTitlePage& page);
// Stores the items: their texts one after the other from the block's
// start, a 0 after the last. False, with nothing changed, when the texts
// do not fit.
bool WriteTitlePage(const TTitlePage& page, std::array<Byte, TitlePageItemsSize>& items,
                    std::array<Byte, TitlePageTextSize>& text);

// What a script's title page holds; the default layout for a script whose
// title page was never set up: its title, "written by", the writer, the
// revision and the contact, in the script's font.
TTitlePage TitlePageOf(const TScriptDocument& script);
TTitlePage DefaultTitlePage(const TScriptDocument& script);
// The name the publisher lists an item under.
const char* TitlePageItemName(int index);

// "Title Page P&ublisher...": the items edited on a preview of the page;
// with OK the script takes them and is marked modified. False when
// cancelled.
bool ShowTitlePagePublisher(TMDIChild& script);
// True while the publisher is open: the program does not repaint the
// active form when it becomes active again.
bool TitlePagePublisherHoldsRepaint();

}  // namespace qm
