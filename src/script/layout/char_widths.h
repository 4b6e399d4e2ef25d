// Character widths of a script window: the 300-dpi layout tables that word
// wrap breaks lines by, the zoomed screen tables that place the caret and
// the painted text, the labels that stand on screen for code bytes, the
// printer width of a text, and the system's character map.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/types.h"
#include "script/model/text_codes.h"

namespace qm {

class TMDIChild;
class TScriptDocument;
struct TScriptElement;

// Program options the layout and painting read, kept here until the main
// window's options hold them (the names are the option names).
struct TLayoutProgramOptions {
  bool FillOutBreakdowns = false;  // the main window's Fill Out Breakdowns item is checked
  bool KeepLastPosition = false;   // the main window's last-position flag
};
extern TLayoutProgramOptions LayoutProgramOptions;

// The inline codes of a script: CodeCharSet, with the user-colour pairs
// while the script uses user colours (their bytes are letters otherwise).
CharSet CodeSetOf(const TScriptDocument& script);
// What measuring gives no width: the codes, the tag code 24, the soft
// hyphen and the hard return.
CharSet ZeroWidthSetOf(const TScriptDocument& script);
// The colour-pair bytes of user colours 1 to 7.
bool IsUserColorCode(Byte code);

// The layout resolution: widths that decide line breaks are 1/300 inch.
constexpr int LayoutDpi = 300;

// The width tables hold the styles in this order.
inline int WidthStyleOf(bool bold, bool italic) { return (bold ? 1 : 0) | (italic ? 2 : 0); }

// Fills both sets of width tables for the element's font (the script font
// without an element). Does nothing when they already hold that font and
// are not marked stale.
void MeasureScreenFont(TMDIChild& window, const TScriptElement* element);

// The face the screen draws a font with: the display font stands in for
// "Courier New".
std::string ScreenFaceName(const std::string& fontName);

// Screen pixels of EditBuffer characters from..to (inclusive) of the
// window's current element, with the bold and italic codes around them.
int MeasureTextWidth(TMDIChild& window, int from, int to);

// The same sum in 1/300 inch from the layout tables.
int MeasureLayoutTextWidth(TMDIChild& window, int from, int to);

// Gives character dest the widths of character source in all eight tables.
void CopyCharWidths(Byte dest, Byte source, TMDIChild& window);

// "[" + the category's menu caption + " " for a breakdown tag code, "]"
// for the end-of-tag byte, empty for anything else.
std::string BreakdownTagLabel(Byte code);

// The mark shown for a style or colour code with display codes on ("[B]"
// for bold on ...); empty for other bytes.
std::string CodeMarkText(Byte code);

// Appends the on-screen label of a code byte met while a screen line's
// text is built. attributes (columns 1..150 of the line, or null for none)
// get the bold bit for the label's columns; columnShift grows by the label
// length for codes the element text holds no column for.
void AppendCodeLabel(const TMDIChild& window, Byte code, std::string& lineText, int maxLength, Byte* attributes,
                     Word& columnShift);

// Printer width of a text from a table of the widths of characters 32 to
// 255 (low 16 bits of each entry); code bytes below 32 add nothing. A
// table not measured yet (no width for "A") is measured first.
using TPrinterWidths = std::array<std::int32_t, 224>;
Word PrinterTextWidth(std::string_view text, TPrinterWidths& widths);

// What the widths ask of the print engine above this layer (set by the
// main window): filling a width table from the print canvas's font.
struct TCharWidthHooks {
  void (*MeasurePrinterWidths)(TPrinterWidths& widths) = nullptr;
};
extern TCharWidthHooks CharWidthHooks;

// The Character Set Information command.
void ShowCharacterMap();

// The desktop's character maps, in the order they are tried, with the
// option that names the font to open on and the package that gives each.
struct TCharacterMapTool {
  const char* program;
  const char* fontOption;
  const char* package;
};
inline constexpr TCharacterMapTool CharacterMapTools[] = {
    {"gucharmap", "--font=", "gucharmap"},
    {"kcharselect", "", "kcharselect"},
};
inline constexpr const char* NoCharacterMapText =
    "No character map is installed.\r\rInstall the package gucharmap (or kcharselect) to see every character "
    "of the script's fonts.";

}  // namespace qm
