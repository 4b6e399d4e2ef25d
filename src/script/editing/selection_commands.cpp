#include "script/editing/selection_commands.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "base/document_table.h"
#include "base/program_options.h"
#include "script/editing/block_selection.h"
#include "script/editing/document_modified.h"
#include "script/layout/editor_state.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/text_codes.h"
#include "script/pagination/repagination.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"

namespace qm {

namespace {

// Where another current element is put on the screen when it lies out of
// the first lines.
constexpr int NearTopLines = 30;
constexpr std::int16_t SceneTopLine = 14;
constexpr std::int16_t AllTopLine = 10;

constexpr CharSet WordDelimiters{'\0', ' ', '!', '"', ')', ',', '-', '.', ':', ';', '?', '~'};

char At(const std::string& text, int column) {
  return column >= 0 && column < static_cast<int>(text.size()) ? text[static_cast<std::size_t>(column)] : '\0';
}

int SkipBlanks(const std::string& text, int column) {
  while (At(text, column) == ' ') ++column;
  return column;
}

bool InScene(Byte kind, std::initializer_list<Byte> kinds) {
  for (Byte k : kinds)
    if (k == kind) return true;
  return false;
}
bool IsLeadIn(Byte kind) {
  return InScene(kind, {ekActInformation, ekSceneInformation, ekForcedPageBreak, ekActStart, ekPrologueText,
                        ekLockedSceneInformation});
}
bool IsHeadingOrLeadIn(Byte kind) {
  return IsSceneHeading(kind) ||
         InScene(kind, {ekActInformation, ekSceneInformation, ekActStart, ekPrologueText, ekLockedSceneInformation});
}
// Kinds that begin the next scene (or a page of its own).
bool EndsScene(Byte kind) { return IsHeadingOrLeadIn(kind) || IsHardPageBreakKind(kind); }
// Kinds that never end a selected scene.
bool TrimmedFromSceneEnd(Byte kind) { return IsHeadingOrLeadIn(kind) || IsPageBreakKind(kind); }

// A page break that continues the group before it across the page.
bool ContinuesGroup(const TScriptElement* e) {
  return e && IsPageBreakKind(e->Kind()) && e->split < 32 && e->split % 3 == 1;
}

// The start every command but Select All shares: the block anchored at
// the caret, nothing else selected.
TMDIChild* BeginSelect() {
  TMDIChild* script = ActiveScript();
  if (!script || !script->CurrentElement()) return nullptr;
  if (script->BlockOn()) ClearBlockSelection(false);
  ExtendBlockTo(*script, *script->CurrentElement(), script->CaretColumn());
  return script->BlockOn() ? script : nullptr;
}

void SetBlock(TMDIChild& script, int start, int end) {
  script.CurrentElement()->blockStart = start;
  script.CurrentElement()->blockEnd = end;
  EditFields(script).CaretColumn = static_cast<Word>(end);
}

// The end every command shares: the element that became current brought
// into view, the screen laid out and painted, the caret placed.
void EndSelect(TMDIChild& script, const TScriptElement* before, std::int16_t topLine) {
  TScriptElement* current = script.CurrentElement();
  if (current != before && (current->screenLine < 1 || current->screenLine > NearTopLines))
    current->screenLine = topLine;
  RebuildScreen(&script);
  script.RedisplayScreen(true);
  UpdateCaret();
}

Byte& LevelOf(TMDIChild& script) { return BlockSelection(script).SelectionLevel; }

int GroupSize(const TScriptElement& element) { return element.group ? element.group->count : 1; }

}  // namespace

void SelectWord() {
  TMDIChild* script = BeginSelect();
  if (!script) return;
  const std::string& text = script->EditBuffer();
  const int caret = script->CaretColumn();
  int start = caret;
  while (start > 0 && !(At(text, start - 1) == ' ' && At(text, start) != ' ')) --start;
  int end = caret;
  while (!WordDelimiters.Contains(At(text, end))) ++end;
  if (At(text, end) == ' ') ++end;
  else if (start > 0) --start;
  SetBlock(*script, start, end);
  const Byte kind = script->CurrentElement()->Kind();
  LevelOf(*script) = IsSceneHeading(kind) || kind == ekShot ? slElement : slSentence;
  EndSelect(*script, script->CurrentElement(), SceneTopLine);
}

void SelectSentence() {
  TMDIChild* script = BeginSelect();
  if (!script) return;
  const std::string& text = script->EditBuffer();
  const int caret = script->CaretColumn();
  const auto& options = ProgramOptions();
  const bool twoBlanks = options.AutoSentenceSpacing && options.SentenceSpacing.size() > 1;
  const std::vector<Word> ends = FindSentenceEnds(text, twoBlanks, AllowPageBreakAtElipses);
  int start = 0;
  for (auto e = ends.rbegin(); e != ends.rend(); ++e)
    if (*e != 0 && *e < caret) {
      start = SkipBlanks(text, *e + 1);
      break;
    }
  int end = static_cast<int>(text.size());
  for (Word e : ends)
    if (e + 1 >= caret) {
      end = std::min(SkipBlanks(text, e + 1), static_cast<int>(text.size()));
      break;
    }
  SetBlock(*script, start, end);
  const bool whole = start == 0 && end == static_cast<int>(text.size());
  LevelOf(*script) = !whole ? slElement : GroupSize(*script->CurrentElement()) == 1 ? slScene : slGroup;
  EndSelect(*script, script->CurrentElement(), SceneTopLine);
}

void SelectElement() {
  TMDIChild* script = BeginSelect();
  if (!script) return;
  SetBlock(*script, 0, static_cast<int>(script->EditBuffer().size()));
  LevelOf(*script) = GroupSize(*script->CurrentElement()) < 2 ? slScene : slGroup;
  EndSelect(*script, script->CurrentElement(), SceneTopLine);
}

void SelectGroup() {
  TMDIChild* script = BeginSelect();
  if (!script) return;
  const TScriptElement* before = script->CurrentElement();
  InteractiveEdit = 0;
  TScriptElement* first = script->CurrentElement();
  for (;;) {
    while (first->prev && first->group && first->group->first != first) first = first->prev;
    if (!ContinuesGroup(first->prev) || !first->prev->prev) break;
    first = first->prev->prev;
  }
  TScriptElement* last = first;
  for (TScriptElement* e = first; e;) {
    const int count = GroupSize(*e);
    for (int i = 0; i < count && e; ++i, e = e->next) {
      MarkElementSelected(*script, *e);
      last = e;
    }
    if (!ContinuesGroup(e) || !e->next) break;
    MarkElementSelected(*script, *e);
    e = e->next;
  }
  MakeElementCurrent(*script, last);
  EditFields(*script).CaretColumn = static_cast<Word>(script->EditBuffer().size());
  InteractiveEdit = 1;
  LevelOf(*script) = slScene;
  EndSelect(*script, before, SceneTopLine);
}

void SelectScene() {
  TMDIChild* script = BeginSelect();
  if (!script) return;
  const TScriptElement* before = script->CurrentElement();
  script->Assemble();
  InteractiveEdit = 0;
  TScriptElement* first = script->CurrentElement();
  while (first->prev && !IsSceneHeading(first->Kind())) first = first->prev;
  bool leadIn = false;
  while (first->prev && IsLeadIn(first->prev->Kind())) {
    first = first->prev;
    leadIn = true;
  }
  ExtendBlockTo(*script, *first, 0);
  MarkElementSelected(*script, *first);
  TScriptElement* last = first;
  auto take = [&](TScriptElement* e) {
    MarkElementSelected(*script, *e);
    last = e;
  };
  for (TScriptElement* e = first->next; e;) {
    if (leadIn && IsHeadingOrLeadIn(e->Kind())) {
      for (; e && IsHeadingOrLeadIn(e->Kind()); e = e->next) take(e);
      leadIn = false;
    }
    for (; e && script->IsHiddenElement(e); e = e->next) take(e);
    if (!e || EndsScene(e->Kind())) break;
    take(e);
    e = e->next;
  }
  while (last != first && TrimmedFromSceneEnd(last->Kind())) {
    last->blockStart = last->blockEnd = -1;
    last = last->prev;
  }
  MakeElementCurrent(*script, last);
  EditFields(*script).CaretColumn = static_cast<Word>(script->EditBuffer().size());
  InteractiveEdit = 1;
  LevelOf(*script) = slAll;
  EndSelect(*script, before, SceneTopLine);
}

void SelectPage() {
  TMDIChild* script = BeginSelect();
  if (!script) return;
  const TScriptElement* before = script->CurrentElement();
  InteractiveEdit = 0;
  TScriptElement* e = script->CurrentElement();
  while (e->prev && !IsPageBreakKind(e->Kind())) e = e->prev;
  if (IsPageBreakKind(e->Kind()) && e->next) e = e->next;
  bool pastBreak = false;
  for (;;) {
    MarkElementSelected(*script, *e);
    if (!e->next) break;
    e = e->next;
    pastBreak = IsPageBreakKind(e->prev->Kind());
    if (pastBreak) break;
  }
  // Back from the element after the page's break to its last text; the
  // last page of a script has no break to step back over.
  while (pastBreak && e->prev && (IsPageBreakKind(e->Kind()) || IsPageBreakKind(e->prev->Kind()))) e = e->prev;
  MakeElementCurrent(*script, e);
  EditFields(*script).CaretColumn = static_cast<Word>(script->EditBuffer().size());
  InteractiveEdit = 1;
  LevelOf(*script) = slAll;
  EndSelect(*script, before, SceneTopLine);
}

void SelectAll() {
  TMDIChild* script = ActiveScript();
  if (!script || !script->CurrentElement()) return;
  const TScriptElement* before = script->CurrentElement();
  SaveUndoStep(ukNavigation, true, false, 0);
  ExtendBlockTo(*script, *script->CurrentElement(), script->CaretColumn());
  if (!script->BlockOn()) return;
  script->Assemble();
  ExtendBlockTo(*script, *script->FirstElement, 0);
  for (TScriptElement* e = script->FirstElement; e; e = e->next) MarkElementSelected(*script, *e);
  MakeElementCurrent(*script, script->LastElement);
  EditFields(*script).CaretColumn = static_cast<Word>(script->EditBuffer().size());
  EditFields(*script).BlockOn = 1;
  EndSelect(*script, before, AllTopLine);
}

void SelectUnit(Byte level) {
  switch (level) {
    case slWord: SelectWord(); break;
    case slSentence: SelectSentence(); break;
    case slElement: SelectElement(); break;
    case slGroup: SelectGroup(); break;
    case slScene: SelectScene(); break;
    default: SelectAll(); break;
  }
}

}  // namespace qm
