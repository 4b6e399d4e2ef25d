#include "files/native_paste.h"

#include <algorithm>
#include <string>
#include <utility>

#include "files/clipboard_copy.h"
#include "files/undo_ring.h"
#include "script/editing/editor_calls.h"
#include "script/editing/element_splice.h"
#include "script/editing/keyboard_commands.h"
#include "script/editing/revision_marks.h"
#include "script/model/packed_text.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"
#include "script/script_window.h"

namespace qm {

namespace {

// Font indexes are a nibble: only the first 16 names can be chosen.
constexpr std::size_t kFontSlots = 16;

std::string PlainOf(const TClipRecord& r) { return HoldsPackedText(r.format.Kind) ? UnpackText(r.text) : r.text; }

// The open and close code of the script's current typing colour; none
// while no colour is chosen.
std::pair<std::string, std::string> ColourCodes(const TScriptDocument& w) {
  if (!w.CurrentColor) return {};
  for (const ColorPair& pair : ColorPairs)
    if (pair.on == w.TypingColorCode)
      return {std::string(1, static_cast<char>(pair.on)), std::string(1, static_cast<char>(pair.off))};
  return {};
}

void TakeFont(TMDIChild& w, TScriptElement& e, const std::string& name) {
  if (name == w.FontNameTable[e.format.FontIndex()]) return;
  for (std::size_t slot = 0; slot < kFontSlots; ++slot) {
    std::string& entry = w.FontNameTable[slot];
    if (!entry.empty() && entry != name) continue;
    entry = name.substr(0, FontNameLength);
    e.format.SetFontIndex(static_cast<Byte>(slot));
    return;
  }
}

TScriptElement* ElementOf(TMDIChild& w, const TClipRecord& r, const std::string& colourOn) {
  TScriptElement* e = NewElementRecord(w);
  e->format = r.format;
  e->split = r.split;
  e->state = r.state;
  e->avColumn = r.avColumn;
  e->storyboardLink = r.storyboardLink;
  e->lineCount = r.lineCount;
  const std::string plain = colourOn.empty() ? std::string() : colourOn + PlainOf(r);
  if (!colourOn.empty()) e->text = HoldsPackedText(r.format.Kind) ? PackText(plain) : plain.substr(0, MaxElementChars);
  else e->text = r.text;
  // A name is kept as storing a typed one keeps it: a block that ended
  // inside one copied the blank before its extension.
  bool restored = false;
  if (e->Kind() == ekCharacterName && e->text) {
    std::string stored = w.StoredCueText(*e->text);
    restored = stored != *e->text;
    e->text = std::move(stored);
  }
  TakeFont(w, *e, r.fontName);
  if (restored) {
    w.WordWrapText(e, *e->text, false, false);
  } else if (!r.lineOffsets.empty() && colourOn.empty() && w.FontNameTable[e->format.FontIndex()] == r.fontName) {
    e->lineOffsets.push_back(static_cast<Byte>(2 * r.lineOffsets.size() + 1));
    for (Word at : r.lineOffsets) {
      e->lineOffsets.push_back(static_cast<Byte>(at));
      e->lineOffsets.push_back(static_cast<Byte>(at >> 8));
    }
  } else if (!IsPageBreakKind(r.format.Kind)) {
    w.WordWrapText(e, colourOn.empty() ? PlainOf(r) : plain, false, false);
  }
  if (!r.revisedLines.empty()) e->revisedLines = r.revisedLines;
  return e;
}

TScriptElement* SpeakerCue(TMDIChild& w, const std::string& colourOn) {
  TClipRecord cue;
  cue.format = w.FormatSet[fsCharacterName];
  cue.format.Kind = ekCharacterName;
  cue.text = CopiedSpeakerName.empty() ? std::string("?") : CopiedSpeakerName;
  cue.fontName = w.FontNameTable[cue.format.FontIndex()];
  return ElementOf(w, cue, colourOn);
}

// Where a paste goes: after the element before the caret's when the caret
// stands at column 0 or in the first half of a name, unless that element
// is a forced or locked page break.
struct TPastePoint {
  TScriptElement* element;
  std::size_t column;
  bool moved;
  bool caretHadTextAfter;  // where the caret stood before it was moved
};

TPastePoint PastePointOf(TMDIChild& w) {
  TScriptElement* e = w.CurrentElement();
  const std::size_t column = w.CaretColumn();
  const std::string text = IsPageBreakKind(e->Kind()) ? std::string() : ElementText(*e);
  const bool textAfter = TrimmedLength(text) > column;
  const bool firstHalfOfName = e->Kind() == ekCharacterName && column < TrimmedLength(text) / 2;
  if ((column != 0 && !firstHalfOfName) || !e->prev || IsHardPageBreakKind(e->prev->Kind()))
    return {e, std::min(column, text.size()), false, textAfter};
  TScriptElement* p = e->prev;
  while (p && (w.IsHiddenElement(p) || IsPageBreakKind(p->Kind()))) p = p->prev;
  if (!p) return {e, 0, false, textAfter};
  return {p, ElementText(*p).size(), true, textAfter};
}

// A name is a name of its own: nothing is merged into one.
bool Mergeable(const TMDIChild& w, const TScriptElement& e, const std::string& text, const TClipRecord& r,
               std::size_t pastedChars) {
  return e.Kind() != ekCharacterName && editor::MayJoinElement(w, e, r.format.Kind, r.avColumn) &&
         text.size() + pastedChars <= editor::MergeLimit;
}

// The first record's text into the element at the column; the new caret
// column after it.
std::size_t MergeInto(TMDIChild& w, TScriptElement& e, const std::string& text, std::size_t column,
                      const std::string& pasted, bool& inside) {
  const auto [on, off] = ColourCodes(w);
  inside = text.find_first_not_of(' ', column) != std::string::npos;
  std::string head = text.substr(0, column);
  if (inside) {
    head += on + pasted + off;
  } else {
    head += editor::AppendSeparator(head) + on + pasted;
  }
  editor::StoreText(w, e, head + text.substr(column));
  MarkPageChanged(&e);
  return head.size();
}

// Where the records go: an empty element started at the paste point the
// way every command starts one at the caret (a name never cut, the rest of
// a speech kept under its name), which the records then take the place of.
TScriptElement* StartAtPastePoint(TMDIChild& w, TScriptElement& anchor, std::size_t column, const TClipRecord& r) {
  editor::MakeCurrent(w, anchor, column);
  return editor::StartElementAtCaret(w, r.format, false);
}

// Splits the text after the column off into an element of the same kind
// after it, as it is: what is pasted back in between and joined to it
// again gives the text back byte for byte. Returns that element.
TScriptElement* SplitAt(TMDIChild& w, TScriptElement& e, std::size_t column) {
  const std::string text = ElementText(e);
  TScriptElement* tail = NewElementRecord(w);
  tail->format = e.format;
  tail->avColumn = e.avColumn;
  tail->state = e.state;
  editor::InsertElements(w, &e, tail, tail);
  editor::StoreText(w, *tail, text.substr(column));
  editor::StoreText(w, e, text.substr(0, column));
  return tail;
}

bool FollowsSpeech(const TScriptElement* before) {
  while (before && before->Kind() == ekAutoPageBreak) before = before->prev;
  return before && IsSpeechKind(before->Kind());
}

// The text the paste split off joins the last record again when both are
// of one type.
void RejoinTail(TMDIChild& w, TScriptElement& last, TScriptElement& tail) {
  if (!editor::MayJoinElement(w, tail, last.Kind(), last.avColumn)) return;
  const std::string joined = ElementText(last) + ElementText(tail);
  if (joined.size() > MaxElementChars) return;
  editor::StoreText(w, last, joined);
  editor::RemoveElement(w, &tail);
  MarkPageChanged(&last);
}

// A run that ends with a name heads what follows it: the name after it
// gives way when the caret had text after it, when the start of the run
// repeated it over the rest of a speech, or when it is empty (as a cut
// leaves one before its speech).
bool NameGivesWay(const TMDIChild& w, const TScriptElement& last, const TScriptElement& next, bool caretHadTextAfter,
                  bool repeated) {
  if (last.Kind() != ekCharacterName || !editor::MayJoinElement(w, next, ekCharacterName, last.avColumn)) return false;
  return caretHadTextAfter || repeated || TrimmedLength(ElementText(next)) == 0;
}

// Every line a paste brings in is new text: the pasted elements whole,
// and the columns of the element the first record went into.
void MarkPastedLines(const std::vector<TScriptElement*>& made, TScriptElement* mergedInto, std::size_t from,
                     std::size_t to) {
  if (mergedInto) MarkColumnsRevised(*mergedInto, from, to);
  for (TScriptElement* e : made) MarkColumnsRevised(*e, 0, ElementText(*e).size());
}

}  // namespace

bool SpliceRecords(TMDIChild& w, std::vector<TClipRecord>& records) {
  if (records.empty() || !w.CurrentElement()) return false;
  w.Assemble();
  const TPastePoint point = PastePointOf(w);
  TScriptElement* anchor = point.element;
  std::size_t column = point.column;
  const std::size_t savedColumn = column;
  const bool breakAnchor = IsPageBreakKind(anchor->Kind());
  const std::string text = breakAnchor ? std::string() : ElementText(*anchor);
  const bool emptyAnchor = !breakAnchor && TrimmedLength(text) == 0;
  const auto colourOn = ColourCodes(w).first;

  std::size_t next = 0;
  bool inside = false;
  if (!emptyAnchor && !breakAnchor && !point.moved && column > 0) {
    const std::string pasted = PlainOf(records[0]);
    if (Mergeable(w, *anchor, text, records[0], pasted.size())) {
      column = MergeInto(w, *anchor, text, column, pasted, inside);
      next = 1;
    }
  }
  const bool merged = next == 1;
  std::vector<TScriptElement*> made;
  if (next < records.size()) {
    // A name is never cut: the paste goes after it.
    if (!breakAnchor && anchor->Kind() == ekCharacterName && column > 0) column = ElementText(*anchor).size();
    const bool textAfter = !breakAnchor && TrimmedLength(ElementText(*anchor)) > column;
    TScriptElement* tail = textAfter && column > 0 ? SplitAt(w, *anchor, column) : nullptr;
    const std::size_t at = tail ? ElementText(*anchor).size() : column;
    TScriptElement* const stoodAfter = anchor->next;
    TScriptElement* start = StartAtPastePoint(w, *anchor, at, records[next]);
    editor::Assemble(w);
    TScriptElement* following = start->next;
    // Anything else the start put there is the name it repeated.
    const bool repeated = following && following != stoodAfter && following != anchor;
    Byte previousKind = FollowsSpeech(start->prev) ? Byte{ekDialogue} : Byte{0xFF};
    for (; next < records.size(); ++next) {
      const TClipRecord& r = records[next];
      if ((r.format.Kind == ekDialogue || r.format.Kind == ekParenthetical) && !IsSpeechKind(previousKind)) {
        made.push_back(SpeakerCue(w, colourOn));
      }
      made.push_back(ElementOf(w, r, colourOn));
      previousKind = r.format.Kind;
    }
    for (std::size_t i = 0; i + 1 < made.size(); ++i) {
      made[i]->next = made[i + 1];
      made[i + 1]->prev = made[i];
    }
    editor::InsertElements(w, start, made.front(), made.back());
    // The empty element only held the place.
    editor::RemoveElement(w, start);
    if (start == anchor) anchor = made.front();
    for (TScriptElement* e : made) MarkPageChanged(e);
    if (following && NameGivesWay(w, *made.back(), *following, point.caretHadTextAfter, repeated)) {
      if (following == anchor) anchor = made.back();
      editor::RemoveElement(w, following);
    } else if (tail && following == tail) {
      RejoinTail(w, *made.back(), *tail);
    }
  }
  if (w.RevisionMarking) MarkPastedLines(made, merged ? anchor : nullptr, savedColumn, column);
  w.ContinuedCheckDue = 1;
  editor::MakeCurrent(w, *anchor, emptyAnchor ? 0 : savedColumn);
  w.RefreshKeepingCursor();
  return next > 0 || !made.empty();
}

}  // namespace qm
