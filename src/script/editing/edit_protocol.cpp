// The one protocol every change of a script's text goes through: the
// current element is unpacked into EditBuffer, edited, and packed back.
// Also the creation, splitting and removal of elements in the list.
#include <algorithm>

#include "script/model/character_name_table.h"
#include "script/editing/script_list_data.h"
#include "platform/cp1252.h"
#include "platform/forms.h"
#include "platform/messages.h"
#include "script/editing/continued_cues.h"
#include "script/editing/document_modified.h"
#include "script/editing/edit_line.h"
#include "script/editing/popup_choice.h"
#include "script/layout/editor_state.h"
#include "script/model/code_runs.h"
#include "script/model/cue_codes.h"
#include "script/model/element_cursors.h"
#include "script/pagination/element_groups.h"
#include "script/pagination/numbering.h"
#include "script/model/packed_text.h"
#include "script/layout/screen_lines.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "script/editing/script_hooks.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"
#include "script/layout/word_wrap.h"
#include "base/program_options.h"
#include "base/program_options.h"
#include "script/model/edit_line_writer.h"

namespace qm {

namespace {

// Split bytes of a cue whose speech continues onto the next page.
bool IsContinuedCueSplit(Byte split) { return split % 3 == 1 && split <= 31; }

// A text cut on unpacking: the beep and the platform's warning.
void ShowUnpackWarning(const std::string& unpacked) {
  MessageBeep(0);
  Application->MessageBox(UnpackWarningText(unpacked), "Warning", MB_OK);
}

// The first letter of a text, past any codes, in upper case.
void CapitalizeFirstLetter(std::string& text) {
  for (char& ch : text) {
    if (CodeCharSet.Contains(static_cast<Byte>(ch))) continue;
    ch = UpCaseChar(ch);
    return;
  }
}

// The element before the current one takes the edit line, the caret at
// the end of its text.
void StepBackToEndOfPrevious(TMDIChild& window) {
  window.Assemble();
  EditFields(window).CurrentElement = window.CurrentElement()->prev;
  window.DisAssemble();
  EditFields(window).CaretColumn = static_cast<Word>(window.EditBuffer().size());
}

// A plain heading put in before a later heading of a locked script must
// not take that heading's number: it becomes an A-scene, or a dash A-scene
// under the second lock unless the next heading is a plain one.
void TakeLockedHeadingKind(const TMDIChild& window, TScriptElement& e) {
  if (e.Kind() != ekSceneHeading) return;
  const TScriptElement* later = e.next;
  while (later && !IsSceneHeading(later->Kind())) later = later->next;
  if (!later) return;
  if (window.ScenesMultiLocked && later->Kind() != ekSceneHeading) e.format.Kind = ekDashASceneHeading;
  else if (window.ScenesLocked) e.format.Kind = ekASceneHeading;
}

}  // namespace

void TMDIChild::DisAssemble() {
  TScriptElement* e = CurrentElement();
  if (!e || !e->text || e->Kind() >= FirstInvalidKind) return;
  const bool pageBreak = IsPageBreakKind(e->Kind());
  EditFields(*this).EditBuffer.clear();
  bool truncated = false;
  if (pageBreak) EditFields(*this).EditBuffer = " ";
  else if (e->Kind() == ekCharacterName) EditFields(*this).EditBuffer = e->text->substr(0, MaxElementChars);
  else EditFields(*this).EditBuffer = UnpackText(*e->text, &truncated);
  if (truncated) ShowUnpackWarning(EditBuffer());
  // An empty element is stored as one blank. Loaded back as that blank it
  // would stand after the caret, and the first blank the writer types
  // would step over it and leave two.
  const bool storedEmpty = !pageBreak && EditBuffer() == " ";
  if (storedEmpty) {
    EditFields(*this).EditBuffer.clear();
    EditFields(*this).CaretColumn = 0;
  }
  const bool keepsHeader =
      e->Kind() != ekAutoPageBreak && pageBreak && e->text->size() >= 2 && PagesLocked && RevisionSetLocked;
  if (!keepsHeader) e->text.reset();
  EditFields(*this).LineOffsets.fill(0);
  if (storedEmpty || !ReadLineOffsetBlock(*e, EditFields(*this).LineOffsets) || LineOffsets()[1] == 0)
    WordWrapText(e, EditBuffer(), false, false);
  e->lineOffsets.clear();
  if (InteractiveEdit == 1 && e->Kind() == ekParenthetical && e->prev && IsContinuedCueSplit(e->prev->split) &&
      ContinuedPosition == 1 && EditBuffer().size() == CharacterContinuedText.size() && !ContinuedSeparator.empty()) {
    EditFields(*this).EditBuffer += ContinuedSeparator.substr(0, 2);
    WrapScreenText(e, EditBuffer());
    DisplayElement();
  }
  if (e->Kind() == ekCharacterName && !EditBuffer().empty() && EditBuffer()[0] == ' ') {
    EditFields(*this).CaretColumn = 0;
    while (!EditBuffer().empty() && EditBuffer()[0] == ' ') DeleteCharAtCaret();
    if (EditBuffer().empty()) EditFields(*this).EditBuffer = " ";
  }
}

// A colour's code is a letter of the code page as well: upper case it
// would be another colour's.
std::string TMDIChild::StoredCueText(std::string text) const {
  while (text.size() > 1 && text.back() == ' ') text.pop_back();
  const size_t paren = std::min(text.find('('), text.size());
  for (size_t i = 0; i < paren; ++i) {
    const auto b = static_cast<Byte>(text[i]);
    if (!IsColorCode(b, UsesUserColours != 0)) text[i] = static_cast<char>(AnsiUpper(b));
  }
  return text;
}

std::string TMDIChild::StoringTrims(const TScriptElement& e) const {
  const bool parenthetical = e.Kind() == ekParenthetical;
  const bool trims = parenthetical || (e.Kind() == ekAction && ActionParentheticals) ||
                     (e.Kind() == ekSceneHeading && InteractiveScript);
  if (!trims) return {};
  std::string chars = " \x04";
  if (parenthetical && !ContinuedSeparator.empty()) chars += ContinuedSeparator[0];
  return chars;
}

void TMDIChild::Assemble() {
  TScriptElement* e = CurrentElement();
  if (!e || e->text) return;
  LastTrimmedLength = static_cast<int>(TrimmedLength(EditBuffer()));
  if (InteractiveScript && e->Kind() == ekShot) ShotStoredWhileInteractive = 1;
  if (InteractiveEdit == 1) {
    if (IsSceneHeading(e->Kind()) && LastTrimmedLength == 0 && ScenesLocked) {
      EditFields(*this).EditBuffer = SceneOmitText;
      if (RevisionMarking) e->revisedLines = std::string(1, '\x01');
      WrapScreenText(e, EditBuffer());
      DisplayElement();
    } else if (!EditBuffer().empty()) {
      // A piece that a page break cut off ends inside its element: the
      // blanks there stand between words.
      const bool cut = e->next && e->next->Kind() == ekAutoPageBreak && e->next->split == spFirstPiece;
      const std::string chars = cut ? std::string() : StoringTrims(*e);
      if (!chars.empty() && TrimTrailing(EditFields(*this).EditBuffer, chars)) {
        WrapScreenText(e, EditBuffer());
        DisplayElement();
      }
    }
  }
  const std::string typed = EditBuffer();
  // An empty line, or a menu's placeholder left untyped, is stored as a blank.
  if (EditBuffer().empty() || EditBuffer() == std::string(1, PlaceholderChar)) EditFields(*this).EditBuffer = " ";
  if (IsPageBreakKind(e->Kind())) {
    e->text = PackText(" ");
    EditFields(*this).EditBuffer.clear();
    return;
  }
  if (e->Kind() == ekCharacterName) EditFields(*this).EditBuffer = StoredCueText(EditBuffer());
  // Laid out on the text it keeps, so that a centred element stays centred.
  if (EditBuffer() != typed) WordWrapText(e, EditBuffer(), false, InteractiveEdit == 1);
  if (e->Kind() == ekCharacterName) {
    e->text = EditBuffer();
    AddCharacterName(*this, *e->text);
  } else {
    e->text = PackText(EditBuffer());
  }
  WriteLineOffsetBlock(LineOffsets(), e->lineCount, e->lineOffsets);
  EditFields(*this).EditBuffer.clear();
}

void TMDIChild::NewIndex() {
  Assemble();
  CurrentGroup = CurrentElement()->group;
  TScriptElement* element = NewElementRecord(*this);
  element->format = CurrentFormat;
  InsertElementAfter(CurrentElement(), element);
  // On screen it follows the element it was made after.
  element->screenLine = static_cast<std::int16_t>(CurrentElement()->screenLine + CurrentElement()->lineCount);
  EditFields(*this).CurrentElement = element;
  element->split = spWhole;
  element->lineCount = 1;
  element->group = CurrentGroup;
  ListChanged = 1;
  RegroupAfterNewElement();
}

bool TMDIChild::Nw_Elmnt(bool repaint, bool forceAfter, bool scroll, bool flag) {
  if (IsPageBreakKind(CurrentElement()->Kind())) forceAfter = true;
  LastTrimmedLength = static_cast<int>(TrimmedLength(EditBuffer()));
  const Byte savedInteractive = InteractiveEdit;
  InteractiveEdit = 0;
  auto finish = [&]() {
    InteractiveEdit = savedInteractive;
    if (repaint && InteractiveEdit == 1) {
      RebuildScreen(this);
      for (int line = 1; line <= ScreenLineCount; ++line) ScreenLines[static_cast<size_t>(line)].repaint = 1;
      UpdateCaret();
    }
    return true;
  };

  // An empty element changes its type instead of being followed.
  if (LastTrimmedLength == 0 && !forceAfter) {
    CurrentElement()->format = CurrentFormat;
    MarkSpeechAddedUnderLock(*this, *CurrentElement());
    CurrentElement()->split = spWhole;
    WordWrapText(CurrentElement(), EditBuffer(), false, false);
    // Its new type may join it to a speech or part it from one.
    RebuildElementGroups();
    LayoutDue = 1;
    return finish();
  }

  // The caret skips blanks; blanks at the end are cut.
  while (CaretColumn() < EditBuffer().size() && EditBuffer()[CaretColumn()] == ' ') ++EditFields(*this).CaretColumn;
  if (CaretColumn() >= EditBuffer().size()) {
    TrimTrailingBlanks(EditFields(*this).EditBuffer);
    EditFields(*this).CaretColumn = static_cast<Word>(EditBuffer().size());
  }

  // At column 0 the new element goes before the current one.
  if (CaretColumn() == 0 && !EditBuffer().empty() && !forceAfter) {
    if (CurrentElement() == FirstElement) {
      Assemble();
      TScriptElement* element = NewElementRecord(*this);
      element->format = CurrentFormat;
      element->group = CurrentElement()->group;
      element->screenLine = CurrentElement()->screenLine;
      InsertElementAfter(nullptr, element);
      EditFields(*this).CurrentElement = element;
      EditFields(*this).EditBuffer.clear();
      EditFields(*this).LineOffsets.fill(0);
      EditFields(*this).LineOffsets[1] = 1;
      EditFields(*this).CaretLine = 1;
      ListChanged = 1;
      AfterNewElement();
      return finish();
    }
    StepBackToEndOfPrevious(*this);
  } else if (CaretColumn() > 0 && CaretColumn() < EditBuffer().size()) {
    // The break gives the current format the element's own; the new
    // element is still to take the one asked for.
    const TElementFormat wanted = CurrentFormat;
    BreakElement();
    CurrentFormat = wanted;
    TElementFormat& piece = CurrentElement()->format;
    if (piece.Kind == wanted.Kind) piece.LinesBefore = wanted.LinesBefore;
    else if (piece.Kind == ekDialogue) piece.LinesBefore = FormatSet[fsDialogue].LinesBefore;
    if (piece.Kind == wanted.Kind && !forceAfter) {
      EditFields(*this).CaretColumn = 0;
      EditFields(*this).CaretLine = 1;
      return finish();
    }
    // The new element goes in where the caret was, before the words after it.
    StepBackToEndOfPrevious(*this);
  }

  NewIndex();
  EditFields(*this).LineOffsets.fill(0);
  EditFields(*this).CaretColumn = 0;
  EditFields(*this).CaretLine = 1;
  LastTrimmedLength = 0;
  AfterNewElement();
  if (ScriptWindowHooks.ElementMade) ScriptWindowHooks.ElementMade(*this, *CurrentElement());
  return finish();
}

// Rules 8 and 9 of a new element: locked scene kinds and what must be
// renumbered or rechecked at idle.
void TMDIChild::AfterNewElement() {
  TScriptElement* e = CurrentElement();
  TakeLockedHeadingKind(*this, *e);
  if (e->Kind() == ekSceneInformation && ScenesLocked) e->format.Kind = ekLockedSceneInformation;
  MarkSpeechAddedUnderLock(*this, *e);
  if (IsNumberedKind(e->Kind()) || (e->Kind() == ekShot && InteractiveScript)) RenumberDue = 1;
  const Byte k = e->Kind();
  if (ContinuedPosition != 0 && k != ekAction && k != ekCenteredTitle && k != ekScriptNote) ContinuedCheckDue = 1;
}

void TMDIChild::NewElement(bool interactive, bool forceAfter, bool keepType) {
  HideCaret(Handle());
  InteractiveEdit = InteractiveEdit || interactive;
  if (interactive && CurrentElement()->Kind() == ekAction && ActionParentheticals && !EditBuffer().empty() &&
      EditBuffer().back() == ' ') {
    Assemble();
    DisAssemble();
  }
  if (CurrentElement()->Kind() == ekCharacterName && TrimmedLength(EditBuffer()) > 0)
    EditFields(*this).CaretColumn =
        CaretColumn() * 2 >= EditBuffer().size() ? static_cast<Word>(EditBuffer().size()) : 0;
  static constexpr std::string_view offCodes{"\x03\x0F\x16\x1A\x0D\x11\x13"};
  while (CaretColumn() < EditBuffer().size() && offCodes.find(EditBuffer()[CaretColumn()]) != std::string_view::npos)
    ++EditFields(*this).CaretColumn;
  // A name repeated over the rest of a speech stands at the caret: the new
  // element goes in before it, even where it would otherwise follow.
  const bool repeated = ContinueSpeech(keepType);
  Nw_Elmnt(interactive, forceAfter && !repeated, true, false);
  TakeAvColumn();
}

// A new element that is not part of a speech, made inside a speech, first
// gets the speech's cue repeated so that the speech stays whole.
bool TMDIChild::ContinueSpeech(bool keepType) {
  const auto inSpeech = [](Byte k) { return k == ekCharacterName || k == ekDialogue || k == ekParenthetical; };
  TScriptElement* e = CurrentElement();
  if (keepType || inSpeech(CurrentFormat.Kind) || !inSpeech(e->Kind())) return false;
  const bool followedBySpeech = e->next && (e->next->Kind() == ekDialogue || e->next->Kind() == ekParenthetical);
  if (!followedBySpeech && CaretColumn() >= EditBuffer().size()) return false;
  if (e->Kind() == ekCharacterName && CaretColumn() == 0) return false;
  // The cue is repeated from the nearest earlier name the writer made (a
  // name a page break repeated is the layout's, and goes with it).
  std::string cue = "?";
  Byte cueSplit = spWhole;
  for (const TScriptElement* p = e; p; p = p->prev)
    if (p->Kind() == ekCharacterName && !IsRepeatedByBreak(*p)) {
      cue = p->text ? *p->text : EditBuffer();
      cueSplit = p->split;
      break;
    }
  const TElementFormat saved = CurrentFormat;
  CurrentFormat = FormatSet[fsCharacterName];
  // The name goes in at the caret (before the text when the caret is at
  // its start, where the text would otherwise stay above it)...
  const bool atStart = CaretColumn() == 0 && TrimmedLength(EditBuffer()) > 0;
  Nw_Elmnt(false, !atStart, false, false);
  EditFields(*this).EditBuffer = cue;
  CurrentElement()->split = cueSplit;
  // ...and heads the rest of the speech: with the caret at its start the
  // new element goes in before it, never between a name and its dialogue.
  EditFields(*this).CaretColumn = 0;
  CurrentFormat = saved;
  return true;
}

void TMDIChild::TakeAvColumn() {
  TScriptElement* e = CurrentElement();
  if (!e->prev || e->prev->avColumn == 0) return;
  if (e->Kind() != ekDialogue && e->Kind() != ekParenthetical) return;
  e->avColumn = e->prev->avColumn;
  const TColumnMargins& m = e->Kind() == ekDialogue ? AVDialogueMargins : AVOtherMargins;
  e->format.LeftMargin = e->avColumn == 1 ? m.Left1 : m.Left2;
  e->format.RightMargin = e->avColumn == 1 ? m.Right1 : m.Right2;
}

void TMDIChild::BreakElement() {
  TScriptElement* e = CurrentElement();
  if (IsPageBreakKind(e->Kind())) return;
  while (CaretColumn() > 0 && CodeCharSet.Contains(static_cast<Byte>(EditBuffer()[CaretColumn() - 1])))
    --EditFields(*this).CaretColumn;
  const auto open = OpenRunsAt(EditBuffer(), CaretColumn(), e->format.Style, UsesUserColours != 0);
  // Each open run is closed at the end of the first piece...
  std::string reopen;
  for (const OpenRun& run : open) {
    TypeCharacter(static_cast<char>(run.off));
    ++EditFields(*this).CaretColumn;
    if (run.byCode) reopen += static_cast<char>(run.on);
  }
  std::string rest = EditBuffer().substr(CaretColumn());
  EditFields(*this).EditBuffer.erase(CaretColumn());
  WordWrapText(e, EditBuffer(), false, false);
  CurrentFormat = e->format;
  const Byte av = e->avColumn;
  const Word link = e->storyboardLink;
  NewIndex();
  CurrentElement()->avColumn = av;
  CurrentElement()->storyboardLink = link;
  if (ScenesLocked) TakeLockedHeadingKind(*this, *CurrentElement());
  if (link != 0) ScreenDirty = 1;
  // ...and opened again at the start of the second, so it keeps its look.
  EditFields(*this).EditBuffer = reopen + rest;
  if (ProgramOptions().SentenceCapitalization && CurrentElement()->Kind() != ekParenthetical)
    CapitalizeFirstLetter(EditFields(*this).EditBuffer);
  WordWrapText(CurrentElement(), EditBuffer(), false, false);
  if (IsNumberedKind(CurrentElement()->Kind())) RenumberDue = 1;
}

void TMDIChild::DisposeIndex(bool repaint) {
  TScriptElement* removed = CurrentElement();
  if (!removed || (!removed->prev && !removed->next)) return;
  TScriptElement* successor;
  if (removed == FirstElement) {
    successor = removed->next;
    FirstElement = successor;
    successor->prev = nullptr;
  } else {
    successor = removed->prev;
    successor->next = removed->next;
    if (removed->next) removed->next->prev = successor;
    else LastElement = successor;
  }
  EditFields(*this).CurrentElement = successor;
  ForgetDeletedElement(removed, successor);
  ForgetScreenLinesOf(*this, removed);
  DetachFromGroup(removed);
  if (IsNumberedKind(removed->Kind()) || (removed->Kind() == ekShot && InteractiveScript)) RenumberDue = 1;
  delete removed;
  if (repaint) RebuildScreen(this);
  ListChanged = 1;
}

// A group never keeps pointing at an element that is gone.
void TMDIChild::DetachFromGroup(TScriptElement* removed) {
  TElementGroup* g = removed->group;
  if (!g) return;
  if (g->count > 0) --g->count;
  if (g->first != removed) return;
  g->first = (g->count > 0 && removed->next && removed->next->group == g) ? removed->next : nullptr;
}

void TMDIChild::Delete_Element() {
  TScriptElement* e = CurrentElement();
  if (!e) return;
  if (!e->prev && !e->next) {
    e->format = FormatSet[fsAction];
    e->lineCount = 1;
    EditFields(*this).EditBuffer.clear();
    e->text.reset();
    EditFields(*this).LineOffsets.fill(0);
    EditFields(*this).LineOffsets[1] = 1;
    EditFields(*this).CaretColumn = 0;
    EditFields(*this).CaretLine = 1;
    SetDocumentModified(true, true);
    return;
  }
  if (ScenesLocked && IsSceneHeading(e->Kind())) {
    DisAssemble();
    EditFields(*this).EditBuffer = SceneOmitText;
    EditFields(*this).CaretColumn = 0;
    WordWrapText(e, EditBuffer(), false, false);
    SetDocumentModified(true, true);
    return;
  }
  const bool speechOrScene = e->Kind() == ekCharacterName || e->Kind() == ekDialogue || e->Kind() == ekParenthetical ||
                             IsSceneHeading(e->Kind());
  e->text = PackText(" ");
  DisposeIndex(true);
  if (ContinuedPosition == 1 && speechOrScene) ContinuedCheckDue = 1;
  DisAssemble();
  EditFields(*this).CaretColumn = 0;
  EditFields(*this).CaretLine = 1;
  SetDocumentModified(true, true);
}

}  // namespace qm
