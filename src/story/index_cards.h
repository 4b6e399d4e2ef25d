// The index cards of a script: one card per scene, each a run of elements
// from the scene heading (or what is kept in front of it) to the element
// before the next card. The table is built from the element list and read
// by the card view, the shuffle and the card printing; what a card shows
// (title, number, body and its style runs) is worked out here too, so that
// the view only puts it on screen.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {

class TMDIChild;
class TScriptDocument;

constexpr int MaxCards = 400;

struct TCardEntry {
  TScriptElement* first = nullptr;
  TScriptElement* last = nullptr;
};

// Entries 1..400, used from 1 upwards without gaps.
struct TCardTable {
  std::array<TCardEntry, MaxCards + 1> entries{};
  TCardEntry& operator[](int n) { return entries[static_cast<std::size_t>(n)]; }
  const TCardEntry& operator[](int n) const { return entries[static_cast<std::size_t>(n)]; }
  // The number of used entries.
  int Count() const;
  void Clear() { entries.fill({}); }
};

// What loading found besides the table.
struct TCardLoad {
  bool loaded = true;     // false: the caller goes to `stopAt` instead
  bool editable = false;  // outline mode may be offered
  bool noShuffling = false;
  bool mixedElements = false;
  int firstCard = 0;  // 0-based first card shown: the caret's scene
  TScriptElement* prologueEnd = nullptr;
  TScriptElement* stopAt = nullptr;
};

// Asked when an element the card text cannot express is met while the
// cards may still be edited: the reason; true aborts the view there.
using TAbortQuestion = std::function<bool(const std::string& reason)>;

// A visible scene heading: kinds 1, 9 and 16, not hidden.
bool IsCardHeading(const TScriptDocument& script, const TScriptElement* element);

// Builds the table from the script as it stands; the first card shown is
// the scene of `caret`.
TCardLoad LoadCardTable(const TScriptDocument& script, TCardTable& table, const TAbortQuestion& abortAt,
                        const TScriptElement* caret);
// The same from a window: its edit line stored first, its caret's scene
// shown first.
TCardLoad LoadCardTable(TMDIChild& script, TCardTable& table, const TAbortQuestion& abortAt);

// The card text markers of a hidden element.
constexpr char HiddenOpen0 = '[';
constexpr char HiddenMark = static_cast<char>(0xA1);
constexpr char HiddenClose1 = ']';

// A run of styled text in a card body.
enum TCardStyle : Byte { csBold = 1, csItalic = 2, csUnderline = 4, csStrikeOut = 8, csHidden = 9 };
struct TStyleRun {
  std::size_t start = 0;
  std::size_t length = 0;
  Byte style = 0;
  TColor color = clBlack;
  friend bool operator==(const TStyleRun&, const TStyleRun&) = default;
};
constexpr TColor HiddenTextColor = static_cast<TColor>(0x808080);
constexpr std::size_t MaxStyleRuns = 2049;

// What one card shows.
struct TCardFace {
  std::string number;
  std::string title;
  std::string body;  // codes and markers taken out
  std::vector<TStyleRun> runs;
  bool tooLong = false;  // the body was cut at the size limit
};

// The card of an entry: outline mode keeps the title's codes and shows
// forced page breaks.
TCardFace MakeCardFace(const TScriptDocument& script, const TCardEntry& entry, bool outline);

// The body text with its inline codes and hidden markers, as the writer
// edits it on the card.
std::string CardBodyText(const TScriptDocument& script, const TScriptElement* heading, bool outline, bool* tooLong);
// Collects the style runs of a body and takes the codes and markers out;
// a tagged script's tags are codes too.
std::vector<TStyleRun> TakeStyleRuns(std::string& body, bool tagging = false);

// ---- Layouts ----
// Columns and rows of a cards-per-screen setting (4, 6, 9 or 12).
int CardColumns(int count);
int CardRows(int count);
// The grid cell (0-based column and row) of screen card k (1-based).
TPoint CardCell(int count, bool vertical, int k);
// The screen card (1..count) in a grid cell, 0 outside.
int CardAtCell(int count, bool vertical, int column, int row);
// Rows (horizontal) or columns (vertical) one scroll step moves.
int ScrollStep(int count, bool vertical);

}  // namespace qm
