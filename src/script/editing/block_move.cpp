#include "script/editing/block_move.h"

#include <algorithm>

#include "script/editing/block_selection.h"
#include "script/editing/editor_calls.h"
#include "script/editing/element_splice.h"
#include "script/editing/keyboard_commands.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/packed_text.h"
#include "script/model/text_codes.h"
#include "script/model/string_utils.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"

namespace qm {

namespace {

// At the start of an element (or in the first half of a cue) the pieces go
// after the element before it.
void CaretBeforeSplice(TMDIChild& script) {
  TScriptElement* e = script.CurrentElement();
  const std::size_t trimmed = TrimmedLength(script.EditBuffer());
  const bool early = script.CaretColumn() == 0 || (e->Kind() == ekCharacterName && script.CaretColumn() < trimmed / 2);
  if (!early || !e->prev) return;
  if (IsHardPageBreakKind(e->prev->Kind())) {
    EditFields(script).CaretColumn = 0;
    return;
  }
  TScriptElement* back = e->prev;
  while (back && (IsPageBreakKind(back->Kind()) || script.IsHiddenElement(back))) back = back->prev;
  if (!back) return;
  MakeElementCurrent(script, back);
  EditFields(script).CaretColumn = static_cast<Word>(script.EditBuffer().size());
}

// The first piece into the current element's text; the caret after it.
// True when it went inside the text rather than at its end.
bool MergeIntoCurrent(TMDIChild& script, const std::string& text) {
  std::string& buffer = EditFields(script).EditBuffer;
  const std::size_t caret = std::min<std::size_t>(script.CaretColumn(), buffer.size());
  if (caret < buffer.size()) {
    buffer.insert(caret, text);
    EditFields(script).CaretColumn = static_cast<Word>(caret + text.size());
    return true;
  }
  buffer += editor::AppendSeparator(buffer);
  buffer += text;
  EditFields(script).CaretColumn = static_cast<Word>(buffer.size());
  return false;
}

// Whether an element standing after `before` is part of a speech.
bool FollowsSpeech(const TScriptElement* before) {
  while (before && before->Kind() == ekAutoPageBreak) before = before->prev;
  return before && IsSpeechKind(before->Kind());
}

// The first piece that becomes an element of its own is started at the
// caret the way every command starts one there (a name never cut, the rest
// of a speech kept under its name); the others follow it. Dialogue without
// its cue gets the speaker's cue (or "?") first.
void PlacePiece(TMDIChild& script, const TBlockPiece& piece, const std::string& speaker, bool atCaret) {
  if (atCaret) editor::StartElementAtCaret(script, piece.format, false);
  else editor::NewElement(script, piece.format, true);
  const bool dialogue = piece.format.Kind == ekDialogue || piece.format.Kind == ekParenthetical;
  if (dialogue && !FollowsSpeech(script.CurrentElement()->prev)) {
    script.CurrentElement()->format = script.FormatSet[fsCharacterName];
    EditFields(script).EditBuffer = speaker.empty() ? "?" : speaker;
    script.WordWrapText(script.CurrentElement(), script.EditBuffer(), false, false);
    editor::NewElement(script, piece.format, true);
  }
  EditFields(script).EditBuffer = piece.text.substr(0, MaxElementChars);
  EditFields(script).CaretColumn = static_cast<Word>(script.EditBuffer().size());
  TScriptElement* e = script.CurrentElement();
  e->split = piece.split;
  e->state = piece.state;
  e->avColumn = piece.avColumn;
  e->storyboardLink = piece.storyboardLink;
  if (!IsPageBreakKind(e->Kind())) script.WordWrapText(e, script.EditBuffer(), false, false);
}

bool HeadsSpeech(const TScriptElement& e) {
  return e.Kind() == ekCharacterName && e.next && (e.next->Kind() == ekDialogue || e.next->Kind() == ekParenthetical);
}

// After the last piece: the words that followed the caret take the run's
// end when both are of one type (a lone cue gives way to the pasted one).
// A name repeated over the rest of a speech keeps it.
void RejoinTail(TMDIChild& script, TScriptElement* following) {
  TScriptElement* e = script.CurrentElement();
  TScriptElement* next = e->next;
  if (!next || next != following || HeadsSpeech(*next)) return;
  if (!editor::MayJoinElement(script, *next, e->Kind(), e->avColumn)) return;
  if (next->Kind() == ekCharacterName) {
    MakeElementCurrent(script, next);
    script.Delete_Element();
    return;
  }
  JoinWithNextElement(false, false, script);
}

}  // namespace

std::vector<TBlockPiece> TakeBlockPieces(TMDIChild& script) {
  std::vector<TBlockPiece> pieces;
  script.Assemble();
  for (TScriptElement* e = script.FirstElement; e; e = e->next) {
    // Automatic breaks come and go with the layout; a forced or locked
    // break travels with the block like any element.
    if (!e->InBlock() || e->blockEnd < 0 || e->Kind() == ekAutoPageBreak) continue;
    if (IsPageBreakKind(e->Kind())) {
      pieces.push_back(TBlockPiece{e->format, spWhole, e->state, e->avColumn, e->storyboardLink, " "});
      continue;
    }
    const std::string text = ElementText(*e);
    const int start = std::clamp(std::min(e->blockStart, e->blockEnd), 0, static_cast<int>(text.size()));
    const int end = std::clamp(std::max(e->blockStart, e->blockEnd), start, static_cast<int>(text.size()));
    if (start == end && !(start == 0 && text.empty())) continue;
    pieces.push_back(TBlockPiece{e->format, spWhole, e->state, e->avColumn, e->storyboardLink,
                                 text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start))});
  }
  script.DisAssemble();
  return pieces;
}

std::string BlockSpeakerName(TMDIChild& script) {
  TScriptElement* first = script.FirstElement;
  while (first && !first->InBlock()) first = first->next;
  if (!first || !IsSpeechKind(first->Kind())) return {};
  for (TScriptElement* e = first; e && IsSpeechKind(e->Kind()); e = e->prev)
    if (e->Kind() == ekCharacterName) return LiveElementText(script, *e);
  return {};
}

void SplicePieces(TMDIChild& script, const std::vector<TBlockPiece>& pieces, const std::string& speaker, bool exactly) {
  if (pieces.empty() || !script.CurrentElement()) return;
  if (!exactly) CaretBeforeSplice(script);
  TScriptElement* anchor = script.CurrentElement();
  const Word anchorColumn = script.CaretColumn();
  const std::size_t trimmed = TrimmedLength(script.EditBuffer());
  const bool textAfterCaret = trimmed > anchorColumn;
  bool insertedInside = false;
  bool first = true;
  bool atCaret = true;
  TScriptElement* following = nullptr;
  for (const TBlockPiece& piece : pieces) {
    // A name is a name of its own: nothing is merged into one.
    const bool merge = first && trimmed > 0 && anchor->Kind() != ekCharacterName &&
                       editor::MayJoinElement(script, *anchor, piece.format.Kind, piece.avColumn) &&
                       script.EditBuffer().size() + piece.text.size() <= editor::MergeLimit;
    if (merge) {
      insertedInside = MergeIntoCurrent(script, piece.text);
      script.WordWrapText(script.CurrentElement(), script.EditBuffer(), false, false);
    } else {
      PlacePiece(script, piece, speaker, atCaret);
      if (atCaret) following = script.CurrentElement()->next;
      atCaret = false;
    }
    first = false;
  }
  if (!insertedInside && textAfterCaret) RejoinTail(script, following);
  MakeElementCurrent(script, anchor);
  EditFields(script).CaretColumn = std::min<Word>(anchorColumn, static_cast<Word>(script.EditBuffer().size()));
}

bool MoveBlockTo(TMDIChild& script, TTextPoint drop) {
  if (!drop.element || !script.BlockOn()) return false;
  const std::vector<TBlockPiece> pieces = TakeBlockPieces(script);
  const std::string speaker = BlockSpeakerName(script);
  if (pieces.empty()) return false;
  if (!RemoveBlock(script, &drop) || !drop.element) return false;
  script.Assemble();
  EditFields(script).CurrentElement = drop.element;
  script.CurrentGroup = drop.element->group;
  script.DisAssemble();
  EditFields(script).CaretColumn =
      static_cast<Word>(std::clamp<int>(drop.column, 0, static_cast<int>(script.EditBuffer().size())));
  SplicePieces(script, pieces, speaker, true);
  script.RebuildElementGroups();
  script.RefreshKeepingCursor();
  RebuildScreen(&script);
  script.RedisplayScreen(true);
  UpdateCaret();
  return true;
}

}  // namespace qm
