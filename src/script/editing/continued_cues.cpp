#include "script/editing/continued_cues.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/cp1252.h"
#include "script/layout/screen_lines.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/cue_codes.h"
#include "script/model/packed_text.h"
#include "script/model/string_utils.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"

namespace qm {

namespace {

std::string NameKey(const TMDIChild& window, std::string_view text) {
  std::string key = PlainUpperText(text);
  if (!window.ContinuedSameExtension) {
    key.resize(std::min(key.find('('), key.size()));
    TrimTrailingBlanks(key);
  }
  return key;
}

TScriptElement* PreviousCueInScene(TScriptElement* e) {
  for (e = e ? e->prev : nullptr; e && !IsSceneHeading(e->Kind()); e = e->prev)
    if (e->Kind() == ekCharacterName) return e;
  return nullptr;
}

TScriptElement* NextCueInScene(TScriptElement* e) {
  for (e = e ? e->next : nullptr; e && !IsSceneHeading(e->Kind()); e = e->next)
    if (e->Kind() == ekCharacterName) return e;
  return nullptr;
}

void RepaintCue(TMDIChild& window, const TScriptElement& cue) {
  for (int line = 1; line <= ScreenLineCount; ++line) {
    TScreenLine& row = window.ScreenLines[static_cast<std::size_t>(line)];
    if (row.element == &cue) MarkScreenLine(row, 1);
  }
}

// The parenthetical right after the cue, when continueds go there.
TScriptElement* ParentheticalOf(TMDIChild& window, TScriptElement& cue) {
  if (window.ContinuedPosition != 1 || window.CharacterContinuedText.empty()) return nullptr;
  TScriptElement* p = cue.next;
  return p && p->Kind() == ekParenthetical ? p : nullptr;
}

// Where the parenthetical's words begin: after a typed "(".
std::size_t WordsStart(const std::string& text) { return !text.empty() && text[0] == '(' ? 1 : 0; }

void StoreText(TMDIChild& window, TScriptElement& e, const std::string& text) {
  if (&e == window.CurrentElement() && !e.text) {
    EditFields(window).EditBuffer = text;
    EditFields(window).CaretColumn = static_cast<Word>(std::min<std::size_t>(window.CaretColumn(), text.size()));
    window.WordWrapText(&e, window.EditBuffer(), false, false);
    return;
  }
  e.text = PackText(text);
  e.lineOffsets.clear();
  window.WordWrapText(&e, text, false, false);
}

// The element gone from the list; the current one stays current.
void DeleteElement(TMDIChild& window, TScriptElement& e) {
  TScriptElement* keep = window.CurrentElement() == &e ? nullptr : window.CurrentElement();
  EditFields(window).CurrentElement = &e;
  window.DisposeIndex(false);
  if (keep) EditFields(window).CurrentElement = keep;
  window.CurrentGroup = window.CurrentElement() ? window.CurrentElement()->group : nullptr;
  if (!keep) {
    // The edit line held the element that went: the new current one's text takes its place.
    EditFields(window).CaretColumn = 0;
    window.DisAssemble();
  }
}

bool ClearCue(TMDIChild& window, TScriptElement& cue) {
  bool changed = false;
  if (CueContinuedState(cue.split) != 0) {
    SetCueContinued(false, cue);
    RepaintCue(window, cue);
    changed = true;
  }
  return RemoveParentheticalContinued(window, cue) || changed;
}

}  // namespace

bool SameCharacterName(const TMDIChild& window, std::string_view a, std::string_view b) {
  const std::string x = NameKey(window, a);
  return !x.empty() && x == NameKey(window, b);
}

bool CheckCueContinued(TMDIChild& window, const TScriptElement* previous, TScriptElement& cue) {
  if (!previous || IsSceneHeading(previous->Kind()) ||
      (window.ContinuedSameExtension && !SameExtensionGroup(previous->split, cue.split)))
    return ClearCue(window, cue);
  if (!SameCharacterName(window, LiveElementText(window, *previous), LiveElementText(window, cue)))
    return ClearCue(window, cue);
  bool changed = false;
  if (CueContinuedState(cue.split) == 0) {
    const Byte before = cue.split;
    SetCueContinued(true, cue);
    changed = cue.split != before;
    if (changed) RepaintCue(window, cue);
  }
  if (CueContinuedState(cue.split) == 1) return InsertParentheticalContinued(window, cue) || changed;
  return RemoveParentheticalContinued(window, cue) || changed;
}

bool RemoveParentheticalContinued(TMDIChild& window, TScriptElement& cue) {
  TScriptElement* p = ParentheticalOf(window, cue);
  if (!p) return false;
  std::string text = LiveElementText(window, *p);
  const std::size_t at = WordsStart(text);
  const std::string& continued = window.CharacterContinuedText;
  const std::string& separator = window.ContinuedSeparator;
  if (text.compare(at, continued.size(), continued) != 0) return false;
  std::size_t length = continued.size();
  for (const std::string& longer : {continued + separator, continued + separator.substr(0, 1)})
    if (text.compare(at, longer.size(), longer) == 0) length = std::max(length, longer.size());
  text.erase(at, length);
  if (TrimmedLength(text.substr(at)) == 0 || text == "()") DeleteElement(window, *p);
  else StoreText(window, *p, text);
  return true;
}

bool InsertParentheticalContinued(TMDIChild& window, TScriptElement& cue) {
  TScriptElement* p = ParentheticalOf(window, cue);
  if (!p) return false;
  std::string text = LiveElementText(window, *p);
  const std::size_t at = WordsStart(text);
  const std::string mark = window.CharacterContinuedText + window.ContinuedSeparator;
  if (text.compare(at, mark.size(), mark) == 0) return false;
  text.insert(at, mark);
  StoreText(window, *p, text);
  return true;
}

bool UpdateContinuedCues(TMDIChild& window) {
  const std::string& continued = window.CharacterContinuedText;
  if (continued.empty() || window.ContinuedPosition == 2 || !window.CurrentElement()) return false;
  TScriptElement* current = window.CurrentElement();
  bool changed = false;
  // Typed by hand before the name was marked: the mark comes from the cue.
  if (window.ContinuedPosition == 1 && current->Kind() == ekParenthetical && current->prev &&
      current->prev->Kind() == ekCharacterName && CueContinuedState(current->prev->split) != 1 &&
      window.EditBuffer().compare(WordsStart(window.EditBuffer()), continued.size(), continued) == 0) {
    const std::string mark = continued + window.ContinuedSeparator;
    const std::size_t at = WordsStart(window.EditBuffer());
    const bool withSeparator = window.EditBuffer().compare(at, mark.size(), mark) == 0;
    EditFields(window).EditBuffer.erase(at, withSeparator ? mark.size() : continued.size());
    EditFields(window).CaretColumn =
        static_cast<Word>(std::min<std::size_t>(window.CaretColumn(), window.EditBuffer().size()));
    window.WordWrapText(current, window.EditBuffer(), false, false);
    changed = true;
  }
  if (IsSceneHeading(current->Kind())) {
    if (TScriptElement* first = NextCueInScene(current))
      changed = CheckCueContinued(window, nullptr, *first) || changed;
  } else {
    TScriptElement* start = current;
    while (start->prev && start->Kind() != ekCharacterName && !IsSceneHeading(start->Kind())) start = start->prev;
    TScriptElement* cue = start->Kind() == ekCharacterName ? start : NextCueInScene(start);
    if (cue) {
      changed = CheckCueContinued(window, PreviousCueInScene(cue), *cue) || changed;
      if (TScriptElement* following = NextCueInScene(cue))
        changed = CheckCueContinued(window, cue, *following) || changed;
    }
  }
  return changed;
}

bool UpdateContinuedCuesBetween(TMDIChild& window, TScriptElement& first, TScriptElement& last) {
  if (window.CharacterContinuedText.empty() || window.ContinuedPosition == 2) return false;
  // The names first: a parenthetical may go with its mark, never a name.
  std::vector<TScriptElement*> cues;
  TScriptElement* before = PreviousCueInScene(&first);
  for (TScriptElement* e = before ? before : &first; e; e = e->next) {
    if (e->Kind() == ekCharacterName) cues.push_back(e);
    if (e == &last) break;
  }
  if (TScriptElement* after = NextCueInScene(&last)) cues.push_back(after);
  bool changed = false;
  for (TScriptElement* cue : cues) changed = CheckCueContinued(window, PreviousCueInScene(cue), *cue) || changed;
  return changed;
}

bool RefreshContinuedCues(TMDIChild& window, bool force) {
  if (!window.CurrentElement() || (!force && window.CurrentElement()->Kind() != ekCharacterName)) return false;
  if (!UpdateContinuedCues(window)) return false;
  RebuildScreen(&window);
  window.RedisplayScreen(false);
  return true;
}

}  // namespace qm
