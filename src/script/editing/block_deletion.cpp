#include "script/editing/block_deletion.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/document_table.h"
#include "platform/cp1252.h"
#include "platform/text_trim.h"
#include "script/model/string_utils.h"
#include "script/editing/block_selection.h"
#include "script/editing/document_modified.h"
#include "script/layout/editor_state.h"
#include "script/editing/keyboard_commands.h"
#include "script/editing/revision_marks.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"

namespace qm {

namespace {

bool IsLockedPageKind(Byte kind) {
  return kind == ekLockedPageBreak || kind == ekMultiLockedPageBreak || kind == ekFixedAPageBreak;
}

// The elements of the block in script order: the walk runs from the first
// marked element while the marks go on, stepping over hidden elements and
// locked page breaks.
std::vector<TScriptElement*> BlockElements(TMDIChild& script) {
  std::vector<TScriptElement*> run;
  TScriptElement* e = script.FirstElement;
  while (e && !e->InBlock()) e = e->next;
  for (; e; e = e->next) {
    if (e->InBlock() && e->blockEnd >= 0) run.push_back(e);
    else if (!script.IsHiddenElement(e) && !IsLockedPageKind(e->Kind())) break;
  }
  return run;
}

// The marks of one element in order, taking the blanks that end its text.
void SettleMarks(TMDIChild& script, TScriptElement& e) {
  NormalizeBlockMarks(script, e);
  if (IsPageBreakKind(e.Kind())) {
    e.blockStart = 0;
    e.blockEnd = 1;
    return;
  }
  const std::string text = LiveElementText(script, e);
  const int length = static_cast<int>(text.size());
  e.blockEnd = std::min(e.blockEnd, length);
  e.blockStart = std::min(e.blockStart, e.blockEnd);
  int end = e.blockEnd;
  while (end < length && text[static_cast<std::size_t>(end)] == ' ') ++end;
  if (end == length) e.blockEnd = length;
}

// An element wholly selected that must stay: a locked page while pages
// are locked, and a cue whose speech stays behind.
bool KeptWhenWhole(const TMDIChild& script, const TScriptElement& e) {
  if (IsLockedPageKind(e.Kind())) return script.PagesLocked != 0;
  if (e.Kind() != ekCharacterName || !e.next) return false;
  const bool speechStays = (e.next->Kind() == ekDialogue || e.next->Kind() == ekParenthetical) && !e.next->InBlock();
  return speechStays && !(e.prev && IsSpeechKind(e.prev->Kind()));
}

// Whether the pieces left at the two ends of the block become one.
bool PiecesJoin(const std::vector<TScriptElement*>& run, TMDIChild& script) {
  if (run.size() < 2) return false;
  const TScriptElement& first = *run.front();
  const TScriptElement& last = *run.back();
  return first.Kind() == last.Kind() && first.avColumn == last.avColumn && first.Kind() != ekCharacterName &&
         first.blockStart > 0 && last.blockEnd < BlockTextLength(script, last);
}

// A point in a shortened element keeps its place in the text left.
void FollowCut(TTextPoint* follow, const TScriptElement* e) {
  if (!follow || follow->element != e) return;
  if (follow->column >= e->blockEnd) follow->column -= e->blockEnd - e->blockStart;
  else if (follow->column > e->blockStart) follow->column = e->blockStart;
}

// Cuts one element's selected characters; true when the element went.
bool CutElement(TMDIChild& script, TScriptElement* e, TTextPoint* follow) {
  MakeElementCurrent(script, e);
  const int length = static_cast<int>(script.EditBuffer().size());
  const bool whole = e->blockStart == 0 && e->blockEnd >= length;
  if (whole && !KeptWhenWhole(script, *e) && (e->prev || e->next)) {
    script.Delete_Element();
    return true;
  }
  if (!IsPageBreakKind(e->Kind())) {
    EditFields(script).EditBuffer.erase(static_cast<std::size_t>(e->blockStart),
                                        static_cast<std::size_t>(std::min(e->blockEnd, length) - e->blockStart));
    EditFields(script).CaretColumn = static_cast<Word>(e->blockStart);
    FollowCut(follow, e);
    script.WordWrapText(e, script.EditBuffer(), false, false);
    if (script.RevisionMarking) SetDocumentModified(true, true);
  }
  return false;
}

bool HoldsOmitText(const TMDIChild& script, const TScriptElement& e) {
  const std::string omit = AnsiUpperCase(TrimBlanks(script.SceneOmitText));
  const std::string text = AnsiUpperCase(PlainText(LiveElementText(script, e)));
  return !omit.empty() && TrimmedLength(text) > 0 && text.find(omit) != std::string::npos;
}

}  // namespace

void TakeOmittedHeadingsWhole(TMDIChild& script) {
  if (!script.ScenesLocked || !script.BlockOn()) return;
  for (TScriptElement* e : BlockElements(script)) {
    if (!IsSceneHeading(e->Kind()) || !e->next || !e->next->InBlock() || !HoldsOmitText(script, *e)) continue;
    e->blockStart = 0;
    e->blockEnd = BlockTextLength(script, *e);
  }
}

bool RemoveBlock(TMDIChild& script, TTextPoint* follow) {
  if (!script.CurrentElement()) return false;
  if (!script.BlockOn()) {
    ClearBlockSelection(false);
    return false;
  }
  script.Assemble();
  TakeOmittedHeadingsWhole(script);
  std::vector<TScriptElement*> run = BlockElements(script);
  for (TScriptElement* e : run) SettleMarks(script, *e);
  // A point in the first element holds nothing of the block (the caret
  // came to it at the block's end): the block is what follows it, or none.
  if (!run.empty() && run.front()->blockStart == run.front()->blockEnd && !IsPageBreakKind(run.front()->Kind())) {
    run.front()->blockStart = run.front()->blockEnd = -1;
    run.erase(run.begin());
  }
  const bool join = PiecesJoin(run, script);
  TScriptElement* after = run.empty() ? nullptr : run.back()->next;
  TScriptElement* firstPiece = nullptr;
  TScriptElement* lastPiece = nullptr;
  for (TScriptElement* e : run) {
    // Marking revisions, each page the block is cut from takes the current
    // header, while the element is there to find it by.
    if (script.RevisionMarking) MarkPageOfElementChanged(*e);
    if (CutElement(script, e, follow)) continue;
    if (!firstPiece) firstPiece = e;
    lastPiece = e;
  }
  const Word caret = firstPiece ? static_cast<Word>(std::max(firstPiece->blockStart, 0)) : 0;
  for (TScriptElement* e = script.FirstElement; e; e = e->next) e->blockStart = e->blockEnd = -1;
  EditFields(script).BlockOn = 0;
  TScriptElement* target = firstPiece ? firstPiece : after ? after : script.CurrentElement();
  MakeElementCurrent(script, target);
  // A block that ended the script leaves the caret after what precedes it,
  // where the block was: what is pasted over it goes in there.
  const bool endedScript = !run.empty() && !after;
  const auto where = [&] {
    return firstPiece ? caret : endedScript ? static_cast<Word>(script.EditBuffer().size()) : Word{0};
  };
  EditFields(script).CaretColumn = where();
  if (join && firstPiece && lastPiece && firstPiece != lastPiece && firstPiece->next == lastPiece) {
    const int tail = BlockTextLength(script, *lastPiece);
    if (JoinWithNextElement(false, false, script) && follow && follow->element == lastPiece) {
      follow->element = firstPiece;
      follow->column += static_cast<int>(script.EditBuffer().size()) - tail;
    }
  }
  EditFields(script).CaretColumn = std::min<Word>(where(), static_cast<Word>(script.EditBuffer().size()));
  if (!run.empty()) MarkEditRevised(script, *script.CurrentElement());
  ClearBlockSelection(false);
  script.RebuildElementGroups();
  return !run.empty();
}

void RemoveBlockWithinCurrent(TMDIChild& script) {
  TScriptElement* current = script.CurrentElement();
  const std::size_t size = script.EditBuffer().size();
  const std::size_t from = std::min<std::size_t>(std::min(current->blockStart, current->blockEnd), size);
  const std::size_t to = std::min<std::size_t>(std::max(current->blockStart, current->blockEnd), size);
  EditFields(script).EditBuffer.erase(from, to - from);
  EditFields(script).CaretColumn = static_cast<Word>(from);
  ClearBlockSelection(false);
  MarkEditRevised(script, *current);
}

bool DeleteBlock(TMDIChild& script, TTextPoint* follow) {
  if (!script.CurrentElement()) return false;
  script.RebuildElementGroups();
  script.RejoinSplitElements();
  const bool removed = RemoveBlock(script, follow);
  script.RefreshKeepingCursor();
  RebuildScreen(&script);
  script.RedisplayScreen(true);
  UpdateCaret();
  return removed;
}

void DeleteBlockCommand() {
  TMDIChild* script = ActiveScript();
  if (!script || !script->Editable) return;
  SaveUndoStep(ukDelete, false, true, 0);
  if (DeleteBlock(*script)) SetDocumentModified(true, true);
}

}  // namespace qm
