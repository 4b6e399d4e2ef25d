#include "script/editing/inline_styles.h"

#include "script/editing/block_selection.h"

#include <algorithm>

#include "base/document_table.h"
#include "base/program_options.h"
#include "script/editing/block_selection.h"
#include "script/editing/document_modified.h"
#include "script/editing/edit_line.h"
#include "script/layout/editor_state.h"
#include "script/editing/message_pump.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"

namespace qm {

const TInlineStyle InlineStyles[5] = {
    {0, 0, 0},
    {BoldOn, BoldOff, 0},
    {UnderlineOn, UnderlineOff, 2},
    {ItalicsOn, ItalicsOff, 1},
    {StrikeOutOn, StrikeOutOff, 3},
};

namespace {

bool InBlock(const TScriptElement* e) { return e && e->blockStart >= 0 && e->blockEnd >= 0; }

bool StyleBitSet(const TScriptElement& e, Byte styleBit) { return (e.format.Style >> styleBit) & 1; }

// Another element into the edit line, the one there stored first. The
// block marks stay as they are (stepping with the caret keys would extend
// the block).
void Load(TMDIChild& w, TScriptElement* e) {
  if (w.CurrentElement() != e) {
    w.Assemble();
    EditFields(w).CurrentElement = e;
    w.CurrentGroup = e->group;
  }
  w.DisAssemble();
}

// The marks of one element in order, widened to its ends where the
// neighbours are in the block too.
void NormalizeMarks(const TMDIChild& w, TScriptElement& e) {
  if (!InBlock(&e)) return;
  if (e.blockStart > e.blockEnd) std::swap(e.blockStart, e.blockEnd);
  const auto length = static_cast<std::int32_t>(LiveElementText(w, e).size());
  if (InBlock(e.prev)) e.blockStart = 0;
  if (InBlock(e.next)) e.blockEnd = length;
  e.blockEnd = std::min(e.blockEnd, length);
  e.blockStart = std::min(e.blockStart, e.blockEnd);
}

bool TypeCode(Byte code) { return TypeCharacter(static_cast<char>(code)); }

Byte At(const std::string& text, std::int32_t pos) {
  return pos >= 0 && static_cast<std::size_t>(pos) < text.size() ? static_cast<Byte>(text[pos]) : 0;
}

// An element current with no block part of its own hands the command to a
// neighbour that is in the block.
void RepairEmptyBlockPart(TMDIChild& w) {
  TScriptElement* e = w.CurrentElement();
  const bool empty = (w.BlockOn() && e->blockStart < 0) || e->blockEnd < 0 || e->blockStart == e->blockEnd;
  if (!empty) return;
  e->blockStart = e->blockEnd = -1;
  if (e->prev && e->prev->blockEnd >= 0) {
    Load(w, e->prev);
    EditFields(w).CaretColumn = static_cast<Word>(w.EditBuffer().size());
    EditFields(w).CaretLine = w.CurrentElement()->lineCount;
  } else if (e->next && e->next->blockEnd >= 0) {
    Load(w, e->next);
    EditFields(w).CaretColumn = 0;
    EditFields(w).CaretLine = 1;
  }
}

bool CaretCase(const TMDIChild& w) {
  const TScriptElement* e = w.CurrentElement();
  return !w.BlockOn() || (InBlock(e) && e->blockStart == e->blockEnd);
}

void ToggleAtCaret(TMDIChild& w, const TInlineStyle& style) {
  const bool start = StyleBitSet(*w.CurrentElement(), style.styleBit);
  const auto inside = [&] { return IsInsideCodePair(w.EditBuffer(), w.CaretColumn(), style.open, start, style.close); };
  const auto insert = [&](Byte code) {
    if (TypeCode(code)) ++EditFields(w).CaretColumn;
  };
  if (!inside()) {
    insert(style.open);
  } else if (w.CaretColumn() > 0 && At(w.EditBuffer(), w.CaretColumn() - 1) == style.open) {
    --EditFields(w).CaretColumn;
    DeleteCharAtCaret();
    if (inside()) insert(style.close);
  } else {
    insert(style.close);
  }
  w.WordWrapText(w.CurrentElement(), w.EditBuffer(), true, true);
  w.DisplayElement();
}

// Tightens the current element's marks so that blanks at the block's edges
// and the pair's own codes stay outside the style run.
void TrimCurrentMarks(TMDIChild& w, const TInlineStyle& style) {
  TScriptElement& e = *w.CurrentElement();
  const std::string& text = w.EditBuffer();
  NormalizeMarks(w, e);
  if (e.blockEnd > 0 && static_cast<std::int32_t>(text.size()) > e.blockEnd && At(text, e.blockEnd - 1) == ' ')
    --e.blockEnd;
  while (e.blockStart + 1 < e.blockEnd && At(text, e.blockStart) == ' ') ++e.blockStart;
  const auto isPairCode = [&](std::int32_t pos) {
    const Byte b = At(text, pos);
    return b != 0 && (b == style.open || b == style.close);
  };
  while (isPairCode(e.blockStart)) ++e.blockStart;
  while (isPairCode(e.blockEnd)) ++e.blockEnd;
}

// The style over one element's block part, given the states at the
// block's start and end.
void ToggleInElement(TMDIChild& w, const TInlineStyle& style, bool startOn, bool endOn) {
  TScriptElement& e = *w.CurrentElement();
  std::string& text = EditFields(w).EditBuffer;
  NormalizeMarks(w, e);
  EditFields(w).CaretColumn = static_cast<Word>(e.blockStart);
  if (startOn && w.CaretColumn() > 0 && At(text, w.CaretColumn() - 1) == style.open) {
    --EditFields(w).CaretColumn;
    DeleteCharAtCaret();
    --e.blockStart;
    --e.blockEnd;
  } else if (TypeCode(startOn ? style.close : style.open)) {
    ++e.blockEnd;
  }
  ++EditFields(w).CaretColumn;
  while (w.CaretColumn() < e.blockEnd) {
    const Byte b = At(text, w.CaretColumn());
    if (b == style.open || b == style.close) {
      DeleteCharAtCaret();
      --e.blockEnd;
    } else {
      ++EditFields(w).CaretColumn;
    }
  }
  EditFields(w).CaretColumn = static_cast<Word>(std::min<std::size_t>(e.blockEnd, text.size()));
  const Byte after = endOn ? style.open : (!startOn ? style.close : 0);
  if (after != 0 && TypeCode(after)) ++e.blockEnd;
  w.WordWrapText(&e, text, false, false);
  w.Assemble();
}

void ToggleOverBlock(TMDIChild& w, const TInlineStyle& style, TScriptElement* home) {
  TScriptElement* current = w.CurrentElement();
  if (!InBlock(current)) return;
  const bool forward = current->blockStart < current->blockEnd;
  TrimCurrentMarks(w, style);
  InteractiveEdit = 0;
  w.Assemble();
  const bool startState = StyleBitSet(*current, style.styleBit);
  TScriptElement* first = current;
  if (forward)
    while (InBlock(first->prev)) first = first->prev;
  TScriptElement* last = current;
  if (!forward)
    while (InBlock(last->next)) last = last->next;
  NormalizeMarks(w, *first);
  const bool startOn =
      IsInsideCodePair(LiveElementText(w, *first), first->blockStart, style.open, startState, style.close);
  NormalizeMarks(w, *last);
  const bool endOn = IsInsideCodePair(LiveElementText(w, *last), last->blockEnd, style.open, startState, style.close);
  for (TScriptElement* e = current; InBlock(e); e = forward ? e->prev : e->next) {
    Load(w, e);
    ToggleInElement(w, style, startOn, endOn);
  }
  Load(w, home);
  if (forward)
    EditFields(w).CaretColumn = static_cast<Word>(home->blockEnd >= 0 ? home->blockEnd : w.EditBuffer().size());
  else if (home->blockStart >= 0) EditFields(w).CaretColumn = static_cast<Word>(home->blockStart);
  EditFields(w).CaretColumn = static_cast<Word>(std::min<std::size_t>(w.CaretColumn(), w.EditBuffer().size()));
}

void EndBlockCommand(TMDIChild& w, bool killsBlock) {
  // Ending the block this way also tells the menus it is gone.
  if (killsBlock && ProgramOptions().FormatKillsBlock && !IsKeyDown(VK_SHIFT)) ClearBlockSelection(false);
  else RebuildScreen(&w);
  w.RedisplayScreen(true);
}

}  // namespace

void ApplyInlineStyle(const TInlineStyle& style) {
  TMDIChild* w = ActiveScript();
  if (NoActiveDocument() || !w || !w->CurrentElement()) return;
  SaveUndoStep(ukInsert, false, true, 0);
  const Byte marking = w->RevisionMarking;
  w->RevisionMarking = 0;
  TScriptElement* home = w->CurrentElement();
  RepairEmptyBlockPart(*w);
  if (CaretCase(*w)) {
    ToggleAtCaret(*w, style);
  } else if (InBlock(w->CurrentElement())) {
    ToggleOverBlock(*w, style, home);
    EndBlockCommand(*w, true);
  }
  w->RevisionMarking = marking;
  UpdateCaret();
}

void RemoveCodePairFromBlock(TMDIChild& w, Byte openCode, Byte closeCode, Byte styleBit) {
  TScriptElement& e = *w.CurrentElement();
  if (!InBlock(&e)) return;
  std::string& text = EditFields(w).EditBuffer;
  const bool isStyle =
      openCode == BoldOn || openCode == StrikeOutOn || openCode == UnderlineOn || openCode == ItalicsOn;
  const bool start = isStyle && StyleBitSet(e, styleBit);
  const bool startOn = IsInsideCodePair(text, e.blockStart, openCode, start, closeCode);
  const bool endOn = IsInsideCodePair(text, e.blockEnd, openCode, start, closeCode);
  EditFields(w).CaretColumn = static_cast<Word>(e.blockStart);
  if (startOn) {
    if (w.CaretColumn() > 0 && At(text, w.CaretColumn() - 1) == openCode) {
      --EditFields(w).CaretColumn;
      DeleteCharAtCaret();
      --e.blockStart;
      --e.blockEnd;
    } else if (TypeCharacter(static_cast<char>(closeCode))) {
      ++e.blockEnd;
    }
  }
  for (EditFields(w).CaretColumn = static_cast<Word>(w.CaretColumn() + 1); w.CaretColumn() < e.blockEnd;) {
    const Byte b = At(text, w.CaretColumn());
    if (b == openCode || b == closeCode) {
      DeleteCharAtCaret();
      --e.blockEnd;
    } else {
      ++EditFields(w).CaretColumn;
    }
  }
  if (endOn) {
    EditFields(w).CaretColumn = static_cast<Word>(std::min<std::size_t>(e.blockEnd, text.size()));
    if (TypeCharacter(static_cast<char>(openCode))) ++e.blockEnd;
  }
  while (!text.empty() && (At(text, static_cast<std::int32_t>(text.size()) - 1) == openCode ||
                           At(text, static_cast<std::int32_t>(text.size()) - 1) == closeCode))
    text.pop_back();
  e.blockEnd = std::min<std::int32_t>(e.blockEnd, static_cast<std::int32_t>(text.size()));
  EditFields(w).CaretColumn = static_cast<Word>(std::min<std::size_t>(w.CaretColumn(), text.size()));
}

void CloseCodePairAtCaret(TMDIChild& w, Byte openCode, Byte closeCode) {
  std::string& text = EditFields(w).EditBuffer;
  if (w.CaretColumn() >= 2 && At(text, w.CaretColumn() - 1) == openCode) --EditFields(w).CaretColumn;
  if (At(text, w.CaretColumn()) == openCode) DeleteCharAtCaret();
  const Byte colour = w.CurrentElement()->format.ColorIndex();
  const bool start = colour != 0 && ElementColorCodes[colour - 1] == openCode;
  if (!IsInsideCodePair(text, w.CaretColumn(), openCode, start, closeCode)) return;
  if (TypeCharacter(static_cast<char>(closeCode))) ++EditFields(w).CaretColumn;
  for (std::size_t i = w.CaretColumn(); i < text.size(); ++i) {
    const Byte b = static_cast<Byte>(text[i]);
    if (b == openCode) break;
    if (b == closeCode) {
      text.erase(i, 1);
      break;
    }
  }
}

namespace {

// The pairs the Normal command takes away: the four styles, or the colours
// (the user colours only while the script uses them).
template <class Action>
void ForEachRemovedPair(const TMDIChild& w, bool styles, Action action) {
  if (styles) {
    for (int tag : {1, 2, 3, 4}) action(InlineStyles[tag].open, InlineStyles[tag].close, InlineStyles[tag].styleBit);
    return;
  }
  const std::size_t count = w.UsesUserColours ? ColorPairs.size() : BasicColorCount;
  for (std::size_t i = 0; i < count; ++i) action(ColorPairs[i].on, ColorPairs[i].off, Byte{0});
}

void RemoveOverBlock(TMDIChild& w, bool styles, TScriptElement* home) {
  TScriptElement* current = w.CurrentElement();
  const bool forward = current->blockStart < current->blockEnd;
  InteractiveEdit = 0;
  w.Assemble();
  for (TScriptElement* e = current; InBlock(e); e = forward ? e->prev : e->next) {
    Load(w, e);
    const std::int32_t markedStart = e->blockStart, markedEnd = e->blockEnd;
    NormalizeMarks(w, *e);
    if (e->blockStart == 0 && e->blockEnd == static_cast<std::int32_t>(w.EditBuffer().size()))
      SetColorNibble(0, e->format.FontAndColor);
    while (CodeCharSet.Contains(At(w.EditBuffer(), e->blockStart))) ++e->blockStart;
    while (CodeCharSet.Contains(At(w.EditBuffer(), e->blockEnd))) ++e->blockEnd;
    ForEachRemovedPair(w, styles,
                       [&](Byte open, Byte close, Byte bit) { RemoveCodePairFromBlock(w, open, close, bit); });
    w.WordWrapText(e, w.EditBuffer(), false, false);
    if (!styles) {
      e->blockStart = markedStart;
      e->blockEnd = markedEnd;
    }
    w.Assemble();
  }
  Load(w, home);
  if (forward)
    EditFields(w).CaretColumn = static_cast<Word>(home->blockEnd >= 0 ? home->blockEnd : w.EditBuffer().size());
  else EditFields(w).CaretColumn = static_cast<Word>(home->blockStart >= 0 ? home->blockStart : 0);
  EditFields(w).CaretColumn = static_cast<Word>(std::min<std::size_t>(w.CaretColumn(), w.EditBuffer().size()));
}

void RemoveAtCaret(TMDIChild& w, bool styles) {
  if (styles) {
    // A style is on at the caret exactly while its button shows down.
    for (int tag : {1, 3, 2, 4}) {
      const TInlineStyle& style = InlineStyles[tag];
      if (IsInsideCodePair(w.EditBuffer(), w.CaretColumn(), style.open,
                           StyleBitSet(*w.CurrentElement(), style.styleBit), style.close))
        ApplyInlineStyle(style);
    }
  } else {
    ForEachRemovedPair(w, false, [&](Byte open, Byte close, Byte) { CloseCodePairAtCaret(w, open, close); });
  }
  w.WordWrapText(w.CurrentElement(), w.EditBuffer(), true, true);
  w.DisplayElement();
}

}  // namespace

void RemoveInlineStyles(bool styles) {
  TMDIChild* w = ActiveScript();
  if (NoActiveDocument() || !w || !w->CurrentElement()) return;
  if (!w->BlockOn()) {
    RemoveAtCaret(*w, styles);
    return;
  }
  SaveUndoStep(ukInsert, false, false, 0);
  TScriptElement* home = w->CurrentElement();
  RepairEmptyBlockPart(*w);
  if (!InBlock(w->CurrentElement()) || w->CurrentElement()->blockStart == w->CurrentElement()->blockEnd) {
    Load(*w, home);
    RemoveAtCaret(*w, styles);
    return;
  }
  RemoveOverBlock(*w, styles, home);
  EndBlockCommand(*w, styles);
  UpdateCaret();
}

}  // namespace qm
