#include "script/editing/continued_cues.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/document_table.h"
#include "platform/cp1252.h"
#include "script/editing/document_modified.h"
#include "script/layout/char_widths.h"
#include "script/layout/cue_extension.h"
#include "script/layout/screen_lines.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/cue_codes.h"
#include "script/model/edit_line_writer.h"
#include "script/model/packed_text.h"
#include "script/model/string_utils.h"
#include "script/pagination/repagination.h"
#include "script/script_window.h"

namespace qm {

namespace {

std::string NameKey(const TMDIChild& window, std::string_view text) {
  const CharSet codes = CodeSetOf(window);
  std::string key;
  for (char c : text)
    if (!codes.Contains(c)) key.push_back(c);
  key = AnsiUpperCase(key);
  TrimTrailingBlanks(key);
  if (!window.ContinuedSameExtension) {
    key.resize(std::min(key.find('('), key.size()));
    TrimTrailingBlanks(key);
  }
  return key;
}

bool MarksKept(const TMDIChild& window) {
  return !window.CharacterContinuedText.empty() && window.ContinuedPosition != 2;
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

// The element's text changed by `delta` characters at `at`; the caret in
// it keeps its place in the words after the change.
void StoreText(TMDIChild& window, TScriptElement& e, const std::string& text, std::size_t at, int delta) {
  if (&e == window.CurrentElement() && !e.text) {
    std::size_t caret = window.CaretColumn();
    if (caret >= at)
      caret = static_cast<std::size_t>(std::max<long>(static_cast<long>(at), static_cast<long>(caret) + delta));
    EditFields(window).EditBuffer = text;
    EditFields(window).CaretColumn = static_cast<Word>(std::min<std::size_t>(caret, text.size()));
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

bool MarkCue(TMDIChild& window, TScriptElement& cue) {
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

// Whether the continued text stands at the start of the parenthetical
// after the cue.
bool MarkWritten(TMDIChild& window, TScriptElement& cue) {
  const TScriptElement* p = ParentheticalOf(window, cue);
  return p && ContinuedMarkEnd(window, LiveElementText(window, *p)) > 0;
}

// What the marks routine last saw of a name: its text, its code, the
// rule's answer, and whether its parenthetical held the mark.
struct TSeenName {
  std::string key;
  Byte code = 0;
  bool marked = false;
  bool written = false;
};

TSeenName SeenNow(TMDIChild& window, TScriptElement& cue, bool marked) {
  return {NameKey(window, LiveElementText(window, cue)), cue.split, marked, MarkWritten(window, cue)};
}

// Per script: the names as last seen, and the element the caret was last
// seen in with its text then, to tell a name being typed.
class TContinuedCues : public TComponent {
 public:
  static constexpr const char* ComponentName = "ContinuedCues";
  explicit TContinuedCues(TMDIChild& script) : TComponent(&script) { Name = ComponentName; }
  std::unordered_map<const TScriptElement*, TSeenName> seen;
  // The script's continued settings the names were seen under: another
  // text, place or extension rule looks at every name afresh.
  std::string settings;
  std::uint64_t elementsReplaced = 0;
  const TScriptElement* caretIn = nullptr;
  std::string caretText;
  // The text changed since the caret came: the writer is typing it.
  bool caretTyped = false;
};

std::string ContinuedSettings(const TMDIChild& window) {
  return window.CharacterContinuedText + '\x01' + window.ContinuedSeparator + '\x01' +
         static_cast<char>('0' + window.ContinuedPosition) + static_cast<char>('0' + window.ContinuedSameExtension);
}

TContinuedCues& CuesOf(TMDIChild& window) {
  if (auto* cues = dynamic_cast<TContinuedCues*>(window.FindComponent(TContinuedCues::ComponentName))) return *cues;
  return *new TContinuedCues(window);
}

// The element the caret is in, and whether its text changed since the
// caret came (the writer is typing it). The element the caret was in
// before, when it left one.
struct TCaretWatch {
  const TScriptElement* typed = nullptr;
  const TScriptElement* left = nullptr;
};

TCaretWatch WatchCaret(TMDIChild& window, TContinuedCues& cues) {
  TCaretWatch watch;
  const TScriptElement* current = window.CurrentElement();
  const bool editing = current && !current->text;
  if (cues.caretIn != current) {
    watch.left = cues.caretIn;
    cues.caretIn = current;
    cues.caretText = editing ? window.EditBuffer() : std::string();
    cues.caretTyped = false;
  } else if (editing && (cues.caretTyped || window.EditBuffer() != cues.caretText)) {
    cues.caretTyped = true;
    watch.typed = current;
  }
  return watch;
}

// A mark typed by hand at the start of a parenthetical after a name the
// rule does not mark comes out again: the name carries the mark.
bool TakeTypedMarkOut(TMDIChild& window, TScriptElement& p) {
  if (window.ContinuedPosition != 1 || p.Kind() != ekParenthetical || !p.prev || p.prev->Kind() != ekCharacterName ||
      CueContinuedState(p.prev->split) == 1)
    return false;
  const std::string& continued = window.CharacterContinuedText;
  std::string text = LiveElementText(window, p);
  const std::size_t at = WordsStart(text);
  if (text.compare(at, continued.size(), continued) != 0) return false;
  const std::string mark = continued + window.ContinuedSeparator;
  const bool withSeparator = text.compare(at, mark.size(), mark) == 0;
  const std::size_t length = withSeparator ? mark.size() : continued.size();
  text.erase(at, length);
  StoreText(window, p, text, at, -static_cast<int>(length));
  return true;
}

struct TRuledName {
  TScriptElement* cue;
  bool marked;
};

// Every name of the script with the rule's answer, in order; the name
// `typed` is listed with its previous answer kept (it does not count yet).
std::vector<TRuledName> RuleOverScript(TMDIChild& window, const TScriptElement* typed, const TContinuedCues& cues) {
  std::vector<TRuledName> names;
  const TScriptElement* previous = nullptr;
  for (TScriptElement* e = window.FirstElement; e; e = e->next) {
    if (IsSceneHeading(e->Kind())) previous = nullptr;
    if (e->Kind() != ekCharacterName || IsNameTheBreakRepeated(window, *e)) continue;
    if (e == typed) {
      const auto it = cues.seen.find(e);
      names.push_back({e, it != cues.seen.end() && it->second.marked});
      continue;
    }
    names.push_back({e, ContinuedByRule(window, previous, *e)});
    previous = e;
  }
  return names;
}

// The names the rule looks at again wherever the caret stands: the name
// of the speech the caret is in (or, outside a speech, the name before it
// in the scene, or else the next one) and the name that follows it in the
// scene. A mark that disagrees with the rule is put right as the caret
// goes through its speech, whatever was last seen of it.
std::vector<const TScriptElement*> NamesAtCaret(TMDIChild& window) {
  std::vector<const TScriptElement*> names;
  const TScriptElement* current = window.CurrentElement();
  const auto isName = [&window](const TScriptElement* e) {
    return e->Kind() == ekCharacterName && !IsNameTheBreakRepeated(window, *e);
  };
  const TScriptElement* found = nullptr;
  for (const TScriptElement* e = current; e && !found && !IsSceneHeading(e->Kind()); e = e->prev)
    if (isName(e)) found = e;
  for (const TScriptElement* e = current ? current->next : nullptr; e && !found && !IsSceneHeading(e->Kind());
       e = e->next)
    if (isName(e)) found = e;
  if (!found) return names;
  names.push_back(found);
  for (const TScriptElement* e = found->next; e && !IsSceneHeading(e->Kind()); e = e->next)
    if (isName(e)) {
      names.push_back(e);
      break;
    }
  return names;
}

// The name compared with one being typed: the next in its scene (a name
// after a heading starts afresh whatever is typed before it). A name a
// break repeated is compared with none.
const TScriptElement* NameComparedWith(TMDIChild& window, const TScriptElement* typed) {
  if (!typed || typed->Kind() != ekCharacterName || IsRepeatedByBreak(*typed)) return nullptr;
  for (const TScriptElement* e = typed->next; e && !IsSceneHeading(e->Kind()); e = e->next)
    if (e->Kind() == ekCharacterName && !IsNameTheBreakRepeated(window, *e)) return e;
  return nullptr;
}

}  // namespace

bool SameCharacterName(const TMDIChild& window, std::string_view a, std::string_view b) {
  const std::string x = NameKey(window, a);
  return !x.empty() && x == NameKey(window, b);
}

bool ContinuedByRule(const TMDIChild& window, const TScriptElement* previous, const TScriptElement& cue) {
  if (!previous || IsSceneHeading(previous->Kind()) || RefusesContinued(cue) ||
      (window.ContinuedSameExtension && !SameExtensionGroup(previous->split, cue.split)))
    return false;
  return SameCharacterName(window, LiveElementText(window, *previous), LiveElementText(window, cue));
}

bool CheckCueContinued(TMDIChild& window, const TScriptElement* previous, TScriptElement& cue) {
  return ContinuedByRule(window, previous, cue) ? MarkCue(window, cue) : ClearCue(window, cue);
}

bool RemoveParentheticalContinued(TMDIChild& window, TScriptElement& cue) {
  TScriptElement* p = ParentheticalOf(window, cue);
  if (!p) return false;
  std::string text = LiveElementText(window, *p);
  const std::size_t end = ContinuedMarkEnd(window, text);
  if (end == 0) return false;
  const std::size_t at = WordsStart(text);
  text.erase(at, end - at);
  if (TrimmedLength(text.substr(at)) == 0 || text == "()") DeleteElement(window, *p);
  else StoreText(window, *p, text, at, -static_cast<int>(end - at));
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
  // A caret in the words it now stands in front of is kept behind it
  // when it is placed.
  StoreText(window, *p, text, at, 0);
  return true;
}

bool UpdateContinuedCues(TMDIChild& window, bool leaving) {
  if (!MarksKept(window) || !window.CurrentElement()) return false;
  TContinuedCues& cues = CuesOf(window);
  if (cues.settings != ContinuedSettings(window) || cues.elementsReplaced != window.ElementsReplaced) {
    cues.settings = ContinuedSettings(window);
    cues.elementsReplaced = window.ElementsReplaced;
    cues.seen.clear();
    cues.caretIn = nullptr;
  }
  const TCaretWatch watch = WatchCaret(window, cues);
  const TScriptElement* typed = leaving ? nullptr : watch.typed;
  bool changed = false;
  // The parenthetical the caret left, or the one it leaves now.
  TScriptElement* finished = leaving ? window.CurrentElement() : nullptr;
  for (TScriptElement* e = window.FirstElement; e && !finished && watch.left; e = e->next)
    if (e == watch.left) finished = e;
  if (finished && finished->Kind() == ekParenthetical) changed = TakeTypedMarkOut(window, *finished);
  const std::vector<TRuledName> names = RuleOverScript(window, typed, cues);
  const std::vector<const TScriptElement*> atCaret = NamesAtCaret(window);
  std::unordered_map<const TScriptElement*, TSeenName> seen;
  const TScriptElement* compared = NameComparedWith(window, typed);
  for (const TRuledName& name : names) {
    // The name after one being typed is compared with it once it counts;
    // until then both keep what was last seen of them.
    const bool waits = name.cue == typed || name.cue == compared;
    const auto last = cues.seen.find(name.cue);
    if (waits) {
      if (last != cues.seen.end()) seen[name.cue] = last->second;
      continue;
    }
    const std::string key = NameKey(window, LiveElementText(window, *name.cue));
    const bool unchanged = last != cues.seen.end() && last->second.code == name.cue->split &&
                           last->second.marked == name.marked && last->second.key == key;
    const int state = CueContinuedState(NormalCueCode(name.cue->split));
    const bool disagrees = (state != 0) != name.marked;
    const bool lookedAt = std::find(atCaret.begin(), atCaret.end(), name.cue) != atCaret.end();
    if (!unchanged || (lookedAt && disagrees)) {
      changed = (name.marked ? MarkCue(window, *name.cue) : ClearCue(window, *name.cue)) || changed;
    } else if (state == 1 && last->second.written && !MarkWritten(window, *name.cue)) {
      // An edit took the mark out of the parenthetical (a block over it
      // deleted or typed over) while the name stays marked: it goes back.
      changed = InsertParentheticalContinued(window, *name.cue) || changed;
    }
    seen[name.cue] = SeenNow(window, *name.cue, name.marked);
  }
  cues.seen = std::move(seen);
  if (!changed) return false;
  RebuildScreen(&window);
  window.RedisplayScreen(false);
  if (&window == ActiveScript()) UpdateCaret();
  return true;
}

bool NameBeingTyped(TMDIChild& window) {
  const TScriptElement* current = window.CurrentElement();
  if (!current || current->Kind() != ekCharacterName || current->text) return false;
  const TContinuedCues& cues = CuesOf(window);
  return cues.caretIn == current && (cues.caretTyped || window.EditBuffer() != cues.caretText);
}

void SettleContinuedCues(TMDIChild& window, bool nameBeingTyped) {
  TContinuedCues& cues = CuesOf(window);
  cues.settings = ContinuedSettings(window);
  cues.elementsReplaced = window.ElementsReplaced;
  cues.seen.clear();
  for (const TRuledName& name : RuleOverScript(window, nullptr, cues))
    cues.seen[name.cue] = SeenNow(window, *name.cue, name.marked);
  TScriptElement* current = window.CurrentElement();
  cues.caretIn = current;
  cues.caretText = current && !current->text ? window.EditBuffer() : std::string();
  // A name the writer was typing is looked at once the caret leaves it.
  cues.caretTyped = nameBeingTyped && current && current->Kind() == ekCharacterName;
  if (!cues.caretTyped) return;
  // It and the name after it, compared with it, are looked at afresh.
  cues.seen.erase(current);
  cues.seen.erase(NameComparedWith(window, current));
}

}  // namespace qm
