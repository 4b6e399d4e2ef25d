#include "breakdown/sheet_tag_rewrite.h"

#include <string_view>

#include "script/editing/editor_calls.h"
#include "script/layout/char_widths.h"
#include "script/model/element_kinds.h"
#include "script/script_window.h"
#include "breakdown/breakdown_sheet.h"

namespace qm {

namespace {

constexpr char CastCode = 6;

bool EndsWord(const std::string& text, std::size_t at, const CharSet& codes) {
  if (at >= text.size()) return true;
  const Byte b = static_cast<Byte>(text[at]);
  if (codes.Contains(b) || b == ' ' || b == '"') return true;
  if (std::string_view("!$&'(),-.:;?[]{}~").find(static_cast<char>(b)) != std::string_view::npos) return true;
  return b == 145 || b == 146 || b == 147 || b == 148 || b == 151 || b == 171 || b == 187;
}

// Only code bytes between the text start or a blank and `at`.
bool StartsWord(const std::string& text, std::size_t at, const CharSet& codes) {
  while (at > 0 && codes.Contains(text[at - 1])) --at;
  return at == 0 || text[at - 1] == ' ';
}

// Within another tag (a description, say) words are that tag's, no name.
bool InsideTag(const std::string& text, std::size_t at) {
  int depth = 0;
  for (std::size_t i = 0; i < at; ++i) {
    const Byte b = static_cast<Byte>(text[i]);
    if (IsBreakdownTagCode(b)) ++depth;
    else if (b == TagEnd && depth > 0) --depth;
  }
  return depth > 0;
}

void TrimNoteEnd(std::string& text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == ',')) text.pop_back();
}

// A note whose first entry went starts with the next one.
void TrimNote(std::string& text) {
  TrimNoteEnd(text);
  const std::size_t first = text.find_first_not_of(", ");
  text.erase(0, first == std::string::npos ? text.size() : first);
}

void ReduceEmptyEntries(std::string& text) {
  for (std::size_t at = text.find(", ,"); at != std::string::npos; at = text.find(", ,")) text.erase(at, 2);
}

std::string Tagged(Byte code, const std::string& item) {
  return static_cast<char>(code) + item + static_cast<char>(TagEnd);
}

// The item's tag (or name) as the change asks; where the search goes on.
std::size_t ApplyChange(std::string& text, std::size_t start, std::size_t end, bool tagged, bool scriptNote,
                        const TTagChange& change) {
  const bool codeBefore = tagged && IsBreakdownTagCode(static_cast<Byte>(text[start - 1]));
  if (change.NewCode == UntagCode) {
    if (codeBefore) {
      if (scriptNote) {
        text.erase(start - 1, end - start + 2);
        TrimNote(text);
      } else {
        const std::size_t close = text.find(static_cast<char>(TagEnd), end);
        if (close != std::string::npos) text.erase(close, 1);
        text.erase(start - 1, 1);
      }
      return start - 1;
    }
    if (tagged) return end;
    text.insert(start, 1, static_cast<char>(UntagCode));
    return end + 1;
  }
  if (change.NewCode != 0) {
    if (codeBefore) {
      text[start - 1] = static_cast<char>(change.NewCode);
      return end + 1;
    }
    if (tagged) return end;
    text.insert(end, 1, static_cast<char>(TagEnd));
    text.insert(start, 1, static_cast<char>(change.NewCode));
    return end + 2;
  }
  return end;
}

}  // namespace

TRewriteResult RewriteTagsInText(std::string& text, bool scriptNote, const TTagChange& change, const CharSet& codes) {
  const bool castOnly = change.OldCodes == std::string(1, CastCode);
  std::string work = text;
  bool held = false;
  for (std::size_t from = 0;;) {
    const TItemMatch m = FindUntaggedText(work, change.Item, true, codes, from);
    if (m.start == std::string::npos) break;
    const bool tagged = m.start > 0 && m.end < work.size() && static_cast<Byte>(work[m.end]) == TagEnd;
    const bool name = !tagged && castOnly && EndsWord(work, m.end, codes) && StartsWord(work, m.start, codes) &&
                      !(m.start > 0 && work[m.start - 1] == static_cast<char>(UntagCode)) && !InsideTag(work, m.start);
    if (!tagged && !name) {
      from = m.start + 1;
      continue;
    }
    const Byte before = m.start > 0 ? static_cast<Byte>(work[m.start - 1]) : 0;
    if (tagged && !change.OldCodes.empty() && change.OldCodes.find(static_cast<char>(before)) == std::string::npos &&
        (!castOnly || IsBreakdownTagCode(before)))
      return TRewriteResult::Refused;
    held = true;
    std::size_t end = m.end;
    if (change.NewItem != change.Item && change.NewCode != UntagCode) {
      work.replace(m.start, m.end - m.start, change.NewItem);
      end = m.start + change.NewItem.size();
    }
    from = ApplyChange(work, m.start, end, tagged, scriptNote, change);
  }
  if (!held) return TRewriteResult::NotHeld;
  if (scriptNote) ReduceEmptyEntries(work);
  text = work;
  return TRewriteResult::Held;
}

TScriptElement* SceneHeading(const TScriptDocument& script, int scene) {
  int count = -1;
  for (TScriptElement* e = script.FirstElement; e; e = e->next)
    if (IsListedHeading(*e) && ++count == scene) return e;
  return nullptr;
}

namespace {

// The Script Note right under the heading; a new one when there is none.
TScriptElement& NoteUnder(TMDIChild& script, TScriptElement& heading) {
  if (heading.next && heading.next->Kind() == ekScriptNote) return *heading.next;
  TScriptElement* was = script.CurrentElement();
  editor::TakeElement(script, heading);
  TScriptElement* note = editor::NewElement(script, script.FormatSet[fsScriptNote], true);
  editor::Assemble(script);
  if (was) editor::TakeElement(script, *was);
  return *note;
}

// The element in hand keeps its text in the edit line: its kind decides.
bool HoldsItems(const TScriptElement& e) { return e.Kind() == ekAction || e.Kind() == ekScriptNote; }

}  // namespace

bool RewriteSceneTags(TMDIChild& script, int scene, const TTagChange& change) {
  TScriptElement* heading = SceneHeading(script, scene);
  if (!heading) return false;
  editor::Assemble(script);
  const CharSet codes = CodeSetOf(script);
  bool held = false;
  for (TScriptElement* e = heading->next; e && !IsListedHeading(*e); e = e->next) {
    if (!HoldsItems(*e)) continue;
    const bool note = e->Kind() == ekScriptNote;
    editor::RewriteElementText(script, *e, [&](std::string& text) {
      const TRewriteResult result = RewriteTagsInText(text, note, change, codes);
      held |= result == TRewriteResult::Held;
      return result == TRewriteResult::Held;
    });
  }
  if (!held && !change.OldCodes.empty()) {
    // An item the text does not tag (an association's, a name the
    // gathering found): an off entry cancels it for this scene.
    editor::RewriteElementText(script, NoteUnder(script, *heading), [&](std::string& text) {
      TrimNote(text);
      if (!text.empty()) text += ", ";
      text += static_cast<char>(change.OldCodes[0]) + std::string(1, static_cast<char>(UntagCode)) + change.Item +
              static_cast<char>(TagEnd);
      return true;
    });
  }
  return true;
}

void AddItemToNote(std::string& note, Byte code, const std::string& item, const CharSet& codes) {
  TrimNote(note);
  const std::string tag = Tagged(code, item);
  if (note.empty()) {
    note = tag;
  } else if (const std::size_t off = note.find(Tagged(code, std::string(1, static_cast<char>(UntagCode)) + item));
             off != std::string::npos) {
    note.erase(off + 1, 1);
  } else {
    bool present = false;
    for (std::size_t from = 0;;) {
      const TItemMatch m = FindUntaggedText(note, item, true, codes, from);
      if (m.start == std::string::npos) break;
      if (m.start > 0 && static_cast<Byte>(note[m.start - 1]) == code && m.end < note.size() &&
          static_cast<Byte>(note[m.end]) == TagEnd)
        present = true;
      from = m.start + 1;
    }
    if (!present) note += ", " + tag;
  }
  ReduceEmptyEntries(note);
}

bool AddSceneItem(TMDIChild& script, int scene, Byte code, const std::string& item) {
  TScriptElement* heading = SceneHeading(script, scene);
  if (!heading) return false;
  editor::Assemble(script);
  const CharSet codes = CodeSetOf(script);
  editor::RewriteElementText(script, NoteUnder(script, *heading), [&](std::string& text) {
    AddItemToNote(text, code, item, codes);
    return true;
  });
  return true;
}

}  // namespace qm
