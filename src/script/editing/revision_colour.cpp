#include "script/editing/revision_colour.h"

#include <algorithm>

#include "script/editing/edit_line.h"
#include "script/layout/editor_state.h"
#include "script/model/text_codes.h"
#include "script/model/string_utils.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"

namespace qm {

namespace {

bool TakesOwnColour(Byte kind) {
  return kind == ekAction || kind == ekCharacterName || kind == ekDialogue || kind == ekParenthetical;
}

// Blue, Red and Green, and the seven user colours while the script uses
// them.
bool IsRevisionColour(const TMDIChild& window, Byte colour) {
  if (colour < 1 || std::size_t{colour} > ColorPairs.size()) return false;
  return colour <= BasicColorCount || window.UsesUserColours != 0;
}

// The chosen colour's pair: 1 Blue, 2 Red, 3 Green, 4 to 10 the user colours.
const ColorPair& PairOf(Byte colour) { return ColorPairs[static_cast<std::size_t>(colour - 1)]; }

// Types a code at the caret and steps over it.
void TypeCodeAndStep(TMDIChild& window, Byte code) {
  if (TypeCharacter(static_cast<char>(code))) ++EditFields(window).CaretColumn;
}

bool CodeAt(const TMDIChild& window, std::size_t column, Byte code) {
  return column < window.EditBuffer().size() && static_cast<Byte>(window.EditBuffer()[column]) == code;
}

}  // namespace

bool ColorCodeMatches(Byte code, Byte colorByte) {
  const int index = colorByte >> 4;
  return index >= 1 && index <= static_cast<int>(ElementColorCodes.size()) &&
         ElementColorCodes[static_cast<std::size_t>(index - 1)] == code;
}

bool ColorPairOpenAt(const TMDIChild& window, Byte open, Byte close, std::size_t column) {
  const TScriptElement* e = window.CurrentElement();
  const bool ownColour = e && TakesOwnColour(e->Kind()) && ColorCodeMatches(open, e->format.FontAndColor);
  return IsInsideCodePair(window.EditBuffer(), column, open, ownColour, close);
}

bool EnterRevisionColor(TMDIChild& window, bool stepBack) {
  const Byte colour = window.AutoRevisionColor;
  TScriptElement* e = window.CurrentElement();
  // A user colour's codes are letters while the script does not use them.
  if (!IsRevisionColour(window, colour) || !e || IsPageBreakKind(e->Kind())) return false;
  const ColorPair& chosen = PairOf(colour);
  if (ColorPairOpenAt(window, chosen.on, chosen.off, window.CaretColumn())) return false;
  if (!stepBack && window.CaretColumn() > 0 && CodeAt(window, window.CaretColumn() - 1u, chosen.off)) {
    --EditFields(window).CaretColumn;
    return false;
  }
  const Byte savedInsert = InsertMode;
  InsertMode = 1;
  for (const ColorPair& other : ColorPairs)
    if (&other != &chosen && ColorPairOpenAt(window, other.on, other.off, window.CaretColumn())) {
      // Reopened after the new text, so the rest of its run keeps its colour.
      TypeCodeAndStep(window, other.off);
      TypeCharacter(static_cast<char>(other.on));
    }
  if (stepBack && window.CaretColumn() > 0) --EditFields(window).CaretColumn;
  if (!CodeAt(window, window.CaretColumn(), chosen.on)) TypeCharacter(static_cast<char>(chosen.on));
  EditFields(window).CaretColumn = static_cast<Word>(window.CaretColumn() + (stepBack ? 2 : 1));
  EditFields(window).CaretColumn =
      static_cast<Word>(std::min<std::size_t>(window.CaretColumn(), window.EditBuffer().size()));
  const std::size_t at = window.CaretColumn();
  if (at + 1 == window.EditBuffer().size() && window.EditBuffer()[at] == ' ')
    EditFields(window).EditBuffer[at] = static_cast<char>(chosen.off);
  else if (!CodeAt(window, at, chosen.off)) TypeCharacter(static_cast<char>(chosen.off));
  InsertMode = savedInsert;
  return true;
}

void CloseColorPairAtCaret(TMDIChild& window, Byte open, Byte close) {
  if (!ColorPairOpenAt(window, open, close, window.CaretColumn())) return;
  TypeCodeAndStep(window, close);
  TypeCharacter(static_cast<char>(open));
}

void SelectRevisionColor(TMDIChild& window, Byte colour) {
  const Byte active = window.AutoRevisionColor;
  if (IsRevisionColour(window, active) && colour == 0)
    CloseColorPairAtCaret(window, PairOf(active).on, PairOf(active).off);
  window.AutoRevisionColor = IsRevisionColour(window, colour) ? colour : 0;
}

}  // namespace qm
