#include "story/index_cards.h"

#include <algorithm>

#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "platform/messages.h"
#include "script/editing/editor_calls.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"
#include "script/model/element_kinds.h"
#include "script/script_window.h"
#include "story/interactive_script.h"

namespace qm {

namespace {

constexpr std::size_t BodyLimit = 40860;

// The act and scene information, prologue and end-of-act text: what starts
// a scene without heading it.
bool IsActOrSceneInfo(Byte kind) { return StartsScene(kind) && !IsSceneHeading(kind); }

// Elements in front of a heading that go with its card.
bool TakenWithHeading(const TScriptDocument& script, const TScriptElement* e) {
  if (IsCardHeading(script, e)) return false;
  if (e->Kind() == ekAction && e == script.FirstElement) return false;
  return e->state == esKeepFollowing || IsHiddenFromLists(*e) || IsActOrSceneInfo(e->Kind());
}

TScriptElement* CardStart(const TScriptDocument& script, TScriptElement* heading) {
  TScriptElement* first = heading;
  while (first->prev && TakenWithHeading(script, first->prev)) first = first->prev;
  return first;
}

// Why the card text cannot hold an element; empty when it can.
std::string UneditableReason(Byte kind) {
  if (kind == ekASceneHeading || kind == ekDashASceneHeading) return "at least one Locked Scene Heading";
  if (IsActOrSceneInfo(kind)) return "Act and/or Scene Information";
  if (kind == ekLockedPageBreak || kind == ekMultiLockedPageBreak || kind == ekFixedAPageBreak)
    return "at least one Forced or Locked Page Break";
  if (kind >= ekASceneHeading && kind != ekForcedPageBreak && kind != ekScriptNote)
    return "an element other than a Normal Scene Heading, Action, Character Name, Dialogue, Parenthetical, "
           "Script Note, Transition, Shot, or Centered Title";
  return {};
}

bool IsMixedKind(Byte kind) {
  return (kind >= ekShot && kind <= ekCenteredTitle) || kind == ekForcedPageBreak || kind == ekScriptNote;
}

bool EndsCardBody(Byte kind) { return IsSceneHeading(kind) || IsActOrSceneInfo(kind); }

}  // namespace

int TCardTable::Count() const {
  int n = 0;
  while (n < MaxCards && entries[static_cast<std::size_t>(n + 1)].first) ++n;
  return n;
}

bool IsCardHeading(const TScriptDocument& script, const TScriptElement* element) {
  return element && IsListedHeading(*element) && !script.IsHiddenElement(element);
}

TCardLoad LoadCardTable(TMDIChild& script, TCardTable& table, const TAbortQuestion& abortAt) {
  editor::Assemble(script);
  return LoadCardTable(script, table, abortAt, script.CurrentElement());
}

TCardLoad LoadCardTable(const TScriptDocument& script, TCardTable& table, const TAbortQuestion& abortAt,
                        const TScriptElement* caret) {
  TCardLoad load;
  load.editable = script.Editable != 0;
  load.noShuffling = !load.editable;
  table.Clear();
  TScriptElement* first = script.FirstElement;
  if (first && !IsCardHeading(script, first)) {
    load.prologueEnd = first;
    while (load.prologueEnd->next && !IsCardHeading(script, load.prologueEnd->next))
      load.prologueEnd = load.prologueEnd->next;
  }
  int cards = 0;
  int passed = 0;
  bool caretPassed = false;
  bool overLimit = false;
  for (TScriptElement* e = first; e; e = e->next) {
    ++passed;
    if (e == caret) caretPassed = true;
    if (IsCardHeading(script, e)) {
      if (cards == MaxCards) {
        MessageBeep(0);
        ShowMessageBox("This Index Card Viewing Function Cannot handle more than 400 Scenes and thus you will not be "
                       "able to shuffle any of the displayed scenes to avoid erratic results",
                       PromptTable(11));
        load.noShuffling = true;
        load.editable = false;
        table[cards].last = e->prev;
        overLimit = true;
        break;
      }
      if (!caretPassed) ++load.firstCard;
      TScriptElement* start = CardStart(script, e);
      if (cards > 0) table[cards].last = start->prev;
      table[++cards].first = start;
      // What the first card takes of the prologue leaves the rest in front,
      // so that no element falls out of the list when the cards are relinked.
      if (cards == 1 && load.prologueEnd) {
        for (TScriptElement* s = start; s != e; s = s->next)
          if (s == load.prologueEnd) load.prologueEnd = start->prev;
      }
    }
    if (cards == 0 || !load.editable) continue;
    const std::string reason = UneditableReason(e->Kind());
    if (!reason.empty() && abortAt && abortAt(reason)) {
      load.loaded = false;
      load.stopAt = e;
      return load;
    }
    load.editable = !script.ScenesLocked && !script.PagesLocked &&
                    (e->Kind() <= ekAutoPageBreak || e->Kind() == ekForcedPageBreak || e->Kind() == ekScriptNote);
    if (load.editable && IsMixedKind(e->Kind())) load.mixedElements = true;
  }
  if (cards > 0) {
    if (!overLimit) table[cards].last = script.LastElement;
  } else if (passed > 25) {
    ShowMessageBox("There are no Scene Headings in this Script, thus I cannot display the current text of the script "
                   "on the Index Cards, as each card is defined as a Scene Heading and its following text.",
                   PromptTable(19));
  }
  if (load.firstCard > 0) --load.firstCard;
  return load;
}

std::string CardBodyText(const TScriptDocument& script, const TScriptElement* heading, bool outline, bool* tooLong) {
  std::string body;
  Byte previous = ekCharacterName;
  for (const TScriptElement* e = heading->next; e && !EndsCardBody(e->Kind()); e = e->next) {
    const Byte kind = e->Kind();
    if (kind == ekAutoPageBreak || kind == ekLockedPageBreak || kind == ekMultiLockedPageBreak ||
        kind == ekFixedAPageBreak || (kind == ekForcedPageBreak && !outline))
      continue;
    std::string text = LiveElementText(script, *e);
    std::string piece;
    // The marks tell the kinds apart, on a card typed in and one looked at.
    switch (kind) {
      case ekCharacterName: piece = text + ":  "; break;
      case ekShot: piece = "[[" + text + "]]"; break;
      case ekTransition: piece = "^^" + text + "^^"; break;
      case ekCenteredTitle: piece = "==" + text + "=="; break;
      case ekScriptNote: piece = "<<" + text + ">>"; break;
      case ekForcedPageBreak: piece = "##Forced Page Break##"; break;
      case ekParenthetical: piece = (body.empty() || previous == ekCharacterName ? "(" : " (") + text + ") "; break;
      default:
        if (e->format.AllCaps) CharUpperInPlace(text);
        piece = text;
    }
    if (IsHiddenFromLists(*e)) piece = std::string{HiddenOpen0, HiddenMark} + piece + HiddenMark + HiddenClose1 + ' ';
    const std::string gap = !body.empty() && kind != ekDialogue && kind != ekParenthetical ? "\r\n\r\n" : "";
    if (body.size() + gap.size() + piece.size() >= BodyLimit) {
      if (tooLong) *tooLong = true;
      break;
    }
    body += gap + piece;
    previous = kind;
  }
  body.erase(0, std::min(body.find_first_not_of(' '), body.size()));
  return body;
}

namespace {

struct TRawRun {
  std::size_t start, end;  // text between the codes, in the coded body
  Byte style;
  TColor color;
};

void CollectPairs(const std::string& s, std::string_view open, std::string_view close, Byte style, TColor color,
                  std::vector<TRawRun>& runs) {
  std::size_t at = 0;
  while (runs.size() < MaxStyleRuns && (at = s.find(open, at)) != std::string::npos) {
    const std::size_t start = at + open.size();
    std::size_t end = s.find(close, start);
    if (end == std::string::npos) end = std::min(s.find('\r', start), s.size());
    runs.push_back({start, end, style, color});
    at = end;
  }
}

}  // namespace

std::vector<TStyleRun> TakeStyleRuns(std::string& body, bool tagging) {
  const CharSet inlineCodes = InlineCodes(tagging);
  const std::string hiddenOpen{HiddenOpen0, HiddenMark};
  const std::string hiddenClose{HiddenMark, HiddenClose1, ' '};
  std::vector<TRawRun> raw;
  CollectPairs(body, hiddenOpen, hiddenClose, csHidden, HiddenTextColor, raw);
  const std::pair<Byte, Byte> codes[] = {
      {BoldOn, BoldOff}, {ItalicsOn, ItalicsOff}, {UnderlineOn, UnderlineOff}, {StrikeOutOn, StrikeOutOff}};
  const Byte styles[] = {csBold, csItalic, csUnderline, csStrikeOut};
  for (std::size_t i = 0; i < 4; ++i) {
    const char on = static_cast<char>(codes[i].first), off = static_cast<char>(codes[i].second);
    CollectPairs(body, std::string_view(&on, 1), std::string_view(&off, 1), styles[i], clBlack, raw);
  }
  // Where each byte of the coded body lands once the codes are out.
  std::vector<std::size_t> newIndex(body.size() + 1);
  std::string plain;
  plain.reserve(body.size());
  for (std::size_t i = 0; i < body.size();) {
    newIndex[i] = plain.size();
    std::size_t skip = 0;
    if (body.compare(i, hiddenOpen.size(), hiddenOpen) == 0) skip = hiddenOpen.size();
    else if (body.compare(i, hiddenClose.size(), hiddenClose) == 0) skip = hiddenClose.size();
    else if (body[i] != '\r' && inlineCodes.Contains(body[i])) skip = 1;
    for (std::size_t k = 1; k < skip; ++k) newIndex[i + k] = plain.size();
    if (skip == 0) plain += body[i++];
    else i += skip;
  }
  newIndex[body.size()] = plain.size();
  std::vector<TStyleRun> runs;
  for (const TRawRun& r : raw) {
    const std::size_t start = newIndex[r.start], end = newIndex[std::max(r.start, r.end)];
    if (end > start) runs.push_back({start, end - start, r.style, r.color});
  }
  body = std::move(plain);
  return runs;
}

TCardFace MakeCardFace(const TScriptDocument& script, const TCardEntry& entry, bool outline) {
  TCardFace face;
  const TScriptElement* heading = entry.first;
  while (heading && !IsCardHeading(script, heading)) heading = heading->next;
  if (!heading) return face;
  face.number =
      script.InteractiveScript ? std::to_string(story::TargetNumber(*heading)) : script.SceneNumberText(*heading);
  face.title = LiveElementText(script, *heading);
  if (!outline) {
    face.title = CopyWithoutScriptCodes(face.title, script.TaggingUsed != 0);
    TrimTrailingBlanks(face.title);
  } else if (script.TaggingUsed) {
    // The write-back puts the tags back round the words left as they were.
    std::erase_if(face.title, [](char c) { return TagCodeSet.Contains(static_cast<Byte>(c)); });
  }
  if (face.title == " ") face.title.clear();
  face.body = CardBodyText(script, heading, outline, &face.tooLong);
  face.runs = TakeStyleRuns(face.body, script.TaggingUsed != 0);
  return face;
}

int CardColumns(int count) { return count <= 6 ? 2 : 3; }
int CardRows(int count) { return count == 4 ? 2 : count == 12 ? 4 : 3; }

TPoint CardCell(int count, bool vertical, int k) {
  const int index = k - 1;
  if (vertical) return {index / CardRows(count), index % CardRows(count)};
  return {index % CardColumns(count), index / CardColumns(count)};
}

int CardAtCell(int count, bool vertical, int column, int row) {
  if (column < 0 || row < 0 || column >= CardColumns(count) || row >= CardRows(count)) return 0;
  return vertical ? column * CardRows(count) + row + 1 : row * CardColumns(count) + column + 1;
}

int ScrollStep(int count, bool vertical) { return vertical ? CardRows(count) : CardColumns(count); }

}  // namespace qm
