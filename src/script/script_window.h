// The script window: one MDI child per open script. Its fields are the
// whole per-script record; it owns the element list, the groups and
// everything else of its script until it is freed.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "platform/forms.h"
#include "platform/stringlist.h"
#include "script/script_model.h"
#include "script/script_record.h"

namespace qm {

// Character-width tables: four layout tables at 300 dots per inch, then
// four screen tables at the display font and zoom; each by style
// (plain, bold, italic, bold italic) and character code.
enum TWidthStyle { wsPlain = 0, wsBold = 1, wsItalic = 2, wsBoldItalic = 3 };
using TWidthTable = std::array<std::int32_t, 256>;

constexpr int FontNameCount = 31;
constexpr int FontNameLength = 30;

class TMDIChild : public TForm, public TScriptRecord {
 public:
  explicit TMDIChild(TComponent* owner);
  ~TMDIChild() override;

  // 1. Screen and caret state.
  Word AvailableWidth = 0;
  Byte MouseSelecting = 0;
  TColor BackgroundColor = clWhite;
  Byte FoundMarkerLeft = 0;
  Byte FoundMarkerRight = 0;
  // 2. When the idle loop repaginates this script, in tenths of a second.
  std::int64_t RepaginateDue = 0;
  // 3. Character widths.
  std::array<TWidthTable, 4> LayoutWidths{};
  std::array<TWidthTable, 4> ScreenWidths{};
  bool WidthsStale = true;
  // 4. Layout flags.
  Byte LayoutDue = 0;
  Byte ScreenDirty = 0;
  Byte ShotStoredWhileInteractive = 0;
  Byte LayoutPending = 0;
  // 6. Window flags.
  Byte SkipNextPaint = 0;
  Byte Closing = 0;
  Word ScreenLineHeight = 0;
  Byte RulerShown = 0;
  Byte BlockOn = 0;
  Byte DocumentModified = 0;
  Byte ModifiedSinceBackup = 0;
  Byte ModifiedThisSession = 0;
  Byte ScreenFontSize = 0;
  Word DotWidth = 0;
  // 7. Printer metrics of the script font.
  int PrinterLineHeight = 0;
  Byte PrintingState = 0;
  // 8. The visible lines, numbered 1 to 150 (entry 0 unused).
  std::array<TScreenLine, ScreenLineCount + 1> ScreenLines{};
  // 9. Where each wrapped line of the edited element begins; one entry
  // beyond the last line is always inside the table.
  std::array<Word, MaxLineCount + 2> LineOffsets{};
  // 10. Font names by an element's font index.
  std::array<std::string, FontNameCount> FontNameTable{};
  // 11. Edit-line flags.
  Byte EditFlags[3] = {0, 0, 0};
  // 12. The element list.
  TScriptElement* CurrentElement = nullptr;
  TScriptElement* FirstElement = nullptr;
  TScriptElement* LastElement = nullptr;
  // 13. The current element's unpacked text while it is edited.
  std::string EditBuffer;
  // 14. Group anchors.
  TElementGroup* CurrentGroup = nullptr;
  TElementGroup* LastGroup = nullptr;
  // 15. The caret: 0-based column in EditBuffer, 1-based wrapped line.
  Word CaretColumn = 0;
  Word CaretLine = 1;
  // The file the script was loaded from or is saved to.
  std::string FileName;

  // ---- Window lifetime: creation, activation, painting, closing ----

  // ---- Edit protocol and element list operations ----

  // ---- Word wrap ----

  // ---- Character widths and code labels ----

  // ---- Screen lines and painting ----

  // ---- Screen rebuild, caret and focus ----

  // ---- Typing keys and mouse clicks ----

  // ---- Element groups ----

  // ---- Repagination and page-break elements ----

  // ---- Page-breaking rules ----

  // ---- Scene, speech, act and page numbering ----

  // ---- Element list helpers ----

  // Frees every element and group; the script is then empty.
  void FreeElements();
  // Appends a fresh element after `after` (or first when null).
  TScriptElement* InsertElementAfter(TScriptElement* after, TScriptElement* element);
  // Walks the list: the number of elements.
  int ElementCount() const;
};

// A freshly initialised element: whole, one line, outside the block, the
// Action format of the active script with its font size.
TScriptElement* NewElementRecord();
TElementGroup* NewGroupRecord();

}  // namespace qm
