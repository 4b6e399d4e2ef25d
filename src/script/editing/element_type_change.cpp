#include "script/editing/element_type_change.h"

#include <algorithm>
#include <array>

#include "base/message_boxes.h"
#include "platform/cp1252.h"
#include "script/editing/continued_cues.h"
#include "script/editing/document_modified.h"
#include "script/editing/element_recognition.h"
#include "script/editing/element_transitions.h"
#include "script/layout/char_widths.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/string_utils.h"
#include "script/pagination/numbering.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"

namespace qm {

namespace {

constexpr std::array<int, ElementBoxEntryCount> SlotOfEntry{
    fsActInformation,   fsAction,     fsCharacterName, fsDialogue,      fsParenthetical, fsSceneHeading,
    fsSceneInformation, fsScriptNote, fsShot,          fsCenteredTitle, fsTransition};

// The kind the pop-up gives, or -1 when it was dismissed; the slot's own
// kind when no pop-up is asked.
int ChosenKind(const TMDIChild& window, int entry, const TTypePopup& popup) {
  const Byte own = window.FormatSet[static_cast<std::size_t>(SlotOfEntry[static_cast<std::size_t>(entry)])].Kind;
  if (entry == ebActInformation) {
    const int item = popup ? popup({"&New Act Information", "&Same Act Information"}) : 0;
    return item == 1 ? ekActStart : item == 2 ? ekActInformation : -1;
  }
  if (entry == ebSceneHeading && window.ScenesLocked) {
    const int item = popup ? popup({"&Normal Scene Heading", "&Locked Scene Heading", "&Double-Locked Scene"}) : 0;
    if (item < 1 || item > 3) return -1;
    constexpr Byte kinds[] = {ekSceneHeading, ekASceneHeading, ekDashASceneHeading};
    return kinds[item - 1];
  }
  return own;
}

bool FollowsASpeech(const TScriptElement* before) {
  if (before && before->Kind() == ekAutoPageBreak) before = before->prev;
  return before && IsSpeechKind(before->Kind());
}

void DropLeadingBlanks(std::string& text) { text.erase(0, std::min(text.find_first_not_of(' '), text.size())); }

// At a cut the blanks go on both sides, among the style codes too: the
// codes stay, so the text keeps its look.
void DropBlanksAfterCut(std::string& text, const CharSet& codes) {
  std::size_t end = 0;
  while (end < text.size() && (text[end] == ' ' || codes.Contains(text[end]))) ++end;
  const auto last = text.begin() + static_cast<std::ptrdiff_t>(end);
  text.erase(std::remove(text.begin(), last, ' '), last);
}

// The cut's new column.
int DropBlanksBeforeCut(std::string& text, int column, const CharSet& codes) {
  int from = column;
  while (from > 0 &&
         (text[static_cast<std::size_t>(from - 1)] == ' ' || codes.Contains(text[static_cast<std::size_t>(from - 1)])))
    --from;
  const auto first = text.begin() + from;
  const auto last = text.begin() + column;
  const auto kept = std::remove(first, last, ' ');
  const int dropped = static_cast<int>(last - kept);
  text.erase(kept, last);
  return column - dropped;
}

// Codes alone are no text: a block that leaves only them beside it covers
// the whole element.
bool HasText(std::string_view text, const CharSet& codes) {
  return std::any_of(text.begin(), text.end(), [&codes](char c) { return c != ' ' && !codes.Contains(c); });
}

// The marked part of the current element becomes an element of its own,
// the text round it staying in elements of the old type. False (with the
// message) when the block reaches into another element.
bool IsolateBlock(TMDIChild& window) {
  TScriptElement* e = window.CurrentElement();
  if (!window.BlockOn() || !e->InBlock()) return true;
  if ((e->prev && e->prev->InBlock()) || (e->next && e->next->InBlock())) {
    ShowMessageBox("Sorry but you cannot convert the type of more than one element at a time!", "");
    return false;
  }
  int start = std::min(e->blockStart, e->blockEnd);
  int end = std::max(e->blockStart, e->blockEnd);
  e->blockStart = e->blockEnd = -1;
  EditFields(window).BlockOn = 0;
  const int length = static_cast<int>(window.EditBuffer().size());
  start = std::clamp(start, 0, length);
  end = std::clamp(end, start, length);
  const CharSet codes = CodeSetOf(window);
  std::string& text = EditFields(window).EditBuffer;
  if (HasText(std::string_view(text).substr(static_cast<std::size_t>(end)), codes)) {
    EditFields(window).CaretColumn = static_cast<Word>(DropBlanksBeforeCut(text, end, codes));
    window.BreakElement();
    DropBlanksAfterCut(EditFields(window).EditBuffer, codes);
    GoToElement(window, window.CurrentElement()->prev, true);
  }
  if (HasText(std::string_view(window.EditBuffer()).substr(0, static_cast<std::size_t>(start)), codes)) {
    EditFields(window).CaretColumn =
        static_cast<Word>(DropBlanksBeforeCut(EditFields(window).EditBuffer, start, codes));
    window.BreakElement();
    DropBlanksAfterCut(EditFields(window).EditBuffer, codes);
    EditFields(window).CaretColumn = 0;
  }
  return true;
}

// The edit text as the new type keeps it.
void TidyText(TMDIChild& window, Byte kind) {
  std::string& text = EditFields(window).EditBuffer;
  if (kind == ekParenthetical) {
    DropLeadingBlanks(text);
    if (!text.empty() && text[0] == '(') text.erase(0, 1);
    // A typed closing parenthesis goes even with a blank after it.
    if (!text.empty() && text.back() == ' ') text.pop_back();
    if (!text.empty() && text.back() == ')') text.pop_back();
  } else if (kind == ekCharacterName) {
    const std::size_t paren = std::min(text.find('('), text.size());
    text = AnsiUpperCase(text.substr(0, paren)) + text.substr(paren);
  }
  EditFields(window).CaretColumn = static_cast<Word>(std::min<std::size_t>(window.CaretColumn(), text.size()));
}

void Retype(TMDIChild& window, TScriptElement& e, int slot) {
  e.format = window.FormatSet[static_cast<std::size_t>(slot)];
  if (e.text) window.WordWrapText(&e, ElementText(e), false, false);
}

std::string NearestSpeaker(const TScriptElement* e) {
  for (e = e ? e->prev : nullptr; e; e = e->prev)
    if (e->Kind() == ekCharacterName && e->text) return *e->text;
  return "???";
}

// A name keeps its dialogue, a dialogue keeps a speaker.
void KeepSpeechesSound(TMDIChild& window, Byte oldKind, Byte newKind) {
  TScriptElement* e = window.CurrentElement();
  TScriptElement* next = e->next;
  if (oldKind == ekCharacterName && !IsSpeechKind(newKind) && next && next->Kind() == ekDialogue)
    Retype(window, *next, fsAction);
  if (newKind == ekCharacterName && oldKind != ekCharacterName && next && next->Kind() == ekAction)
    Retype(window, *next, fsDialogue);
  next = e->next;
  if (!IsSpeechKind(newKind) && next && (next->Kind() == ekDialogue || next->Kind() == ekParenthetical)) {
    const std::string speaker = NearestSpeaker(e);
    window.CurrentFormat = window.FormatSet[fsCharacterName];
    window.NewIndex();
    MarkSpeechAddedUnderLock(window, *window.CurrentElement());
    EditFields(window).EditBuffer = speaker;
    window.WordWrapText(window.CurrentElement(), window.EditBuffer(), false, false);
    GoToElement(window, e, false);
  }
}

}  // namespace

bool ChangeElementType(TMDIChild& window, int entry, const TTypePopup& popup) {
  TScriptElement* e = window.CurrentElement();
  if (!e || entry < 0 || entry >= ElementBoxEntryCount || IsPageBreakKind(e->Kind())) return false;
  SaveUndoStep(ukDelete, false, true, 0);
  const int kind = ChosenKind(window, entry, popup);
  if (kind < 0) return false;
  if ((kind == ekDialogue || kind == ekParenthetical) && !FollowsASpeech(e->prev)) {
    ShowMessageBox(
        "You can ONLY convert an element to dialogue if it is following an existing Character Name or speech.", "");
    return false;
  }
  if (!IsolateBlock(window)) return false;
  e = window.CurrentElement();
  const Byte oldKind = e->Kind();
  if ((kind == ekDialogue || kind == ekParenthetical) && e->prev && e->prev->Kind() == ekAutoPageBreak)
    e->prev->split = spFirstPiece;
  e->format = window.FormatSet[static_cast<std::size_t>(SlotOfEntry[static_cast<std::size_t>(entry)])];
  e->format.Kind = static_cast<Byte>(kind);
  MarkSpeechAddedUnderLock(window, *e);
  TidyText(window, static_cast<Byte>(kind));
  window.WordWrapText(e, window.EditBuffer(), false, false);
  KeepSpeechesSound(window, oldKind, static_cast<Byte>(kind));
  window.CurrentFormat = window.CurrentElement()->format;
  window.RefreshLayout();
  RebuildScreen(&window);
  RecognizeTypedElement();
  SetDocumentModified(true, true);
  RebuildScreen(&window);
  window.RedisplayScreen(true);
  return true;
}

}  // namespace qm
