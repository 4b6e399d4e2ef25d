#include "script/editing/continued_cues.h"
#include "script/model/cue_codes.h"
#include "script/editing/typing_aids.h"
#include "script/editing/element_transitions.h"
#include "script/editing/position_texts.h"
#include "script/editing/hidden_elements.h"
#include "script/editing/keyboard_commands.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "script/model/character_name_table.h"
#include "script/editing/script_list_data.h"
#include "script/model/user_list_entries.h"
#include "platform/controls.h"
#include "platform/office_button.h"
#include "platform/cp1252.h"
#include "platform/stringlist.h"
#include "script/editing/alt_letter_names.h"
#include "script/editing/block_deletion.h"
#include "script/editing/document_modified.h"
#include "script/editing/edit_line.h"
#include "script/layout/editor_state.h"
#include "script/pagination/element_groups.h"
#include "script/editing/message_pump.h"
#include "script/editing/popup_choice.h"
#include "script/editing/popup_hooks.h"
#include "script/model/packed_text.h"
#include "script/layout/screen_rebuild.h"
#include "script/editing/script_hooks.h"
#include "script/script_window.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"
#include "base/document_table.h"
#include "base/message_boxes.h"
#include "base/program_options.h"
#include "base/program_options.h"
#include "script/model/edit_line_writer.h"

namespace qm {

namespace {

constexpr std::size_t RememberedNameLength = 30;
constexpr const char* EmptySceneInformation = "~";

// A made-up Enter from a tool button (the main window's element buttons
// among them), not the key.
bool FromToolButton(TObject* sender) {
  return dynamic_cast<TSpeedButton*>(sender) != nullptr || dynamic_cast<TOfficeButton*>(sender) != nullptr;
}

void ClickButton(const char* name) {
  if (KeyCommandHooks.ClickButton) KeyCommandHooks.ClickButton(name);
}

// An empty Action of an interactive script: the writer says what comes
// next, and the main window's button for it makes it.
void ChooseInteractiveElement() {
  if (!KeyCommandHooks.ChooseElementType) return;
  switch (KeyCommandHooks.ChooseElementType()) {
    case mrOk: ClickButton("ParentheticalBtn"); break;
    case mrYes: ClickButton("ActionBtn"); break;
    case mrNo: ClickButton("SceneHeadingBtn"); break;
    default: break;
  }
}

std::string UserListText(const TMDIChild& window, TUserList list, int slot) {
  return InsertedText(UserListEntry(window.UserLists, list, slot));
}

// The pages before the first numbered one: what is typed there (a title,
// a cast list) is laid out like a letter, one paragraph after another.
bool OnPageZero(TMDIChild& window) { return CaretPageText(window) == "0"; }

// Makes the current format's element: the caret and the speech rules of
// the edit protocol decide where it goes. In word-processor mode and on
// page "0" a new Action has no lines before and the element always goes
// after the current one.
void StartWithCurrentFormat(TMDIChild& window, TNewElementFlags flags) {
  const bool paragraphs = ProgramOptions().WordProcessorMode;
  const bool pageZero = OnPageZero(window);
  const bool action = window.CurrentFormat.Kind == ekAction;
  if (action && (pageZero || paragraphs)) window.CurrentFormat.LinesBefore = 0;
  flags.forceAfter = flags.forceAfter || paragraphs || pageZero;
  flags.keepType = flags.keepType || (action && pageZero && !paragraphs);
  InteractiveEdit = 1;
  SaveUndoStep(ukInsert, false, !flags.continuesStep, 0);
  window.NewElement(true, flags.forceAfter, flags.keepType);
  window.StartPaginateTimer(1);
  SetDocumentModified(true, true);
  window.RedisplayScreen(false);
}

void StartAction(TMDIChild& window) { StartElementOfSlot(window, fsAction); }

// The main window's Add Forced Page Break command, before the caret.
void AddForcedPageBreak(TMDIChild& window) {
  if (ScriptWindowHooks.AddForcedPageBreak) ScriptWindowHooks.AddForcedPageBreak(window);
}

// Scene Information after an act heading: the third ActText entry when
// the script asks for it, else the empty marker.
void StartSceneInformation(TMDIChild& window) {
  StartElementOfSlot(window, fsSceneInformation);
  ReplaceEditLine(window, window.ActSceneInfoText ? UserListText(window, TUserList::ActText, 3)
                                                  : std::string(EmptySceneInformation));
  window.RenumberScenes(true);
  window.StartPaginateTimer(window.LayoutDue | 1);
}

// The cue's name, kept per first letter for the pick list's SmartTab. A
// name that does not begin with a letter from "A" up has no place there.
void RememberCueName(TMDIChild& window) {
  std::string name = PlainUpperText(SpeakerName(window.EditBuffer())).substr(0, RememberedNameLength);
  if (name.empty() || static_cast<Byte>(name[0]) < 'A') return;
  ListData(window).RememberedNames[static_cast<Byte>(name[0])] = name;
}

// The pick list's selected entry, taken into the cue: after a "(" it is the
// extension, otherwise the name. A name list still up after the writer
// typed an extension of his own has nothing to put there. The entry goes
// on with the step of the letters that brought the list up.
void TakeListChoice(TMDIChild& window) {
  ProcessMessagesGuarded();
  const std::optional<std::string> entry = aids::SelectedEntry();
  const bool extensions = aids::ListOffersExtensions();
  aids::CloseList();
  if (!entry) return;
  std::string line = window.EditBuffer();
  if (const std::size_t paren = line.find('('); paren != std::string::npos) {
    if (!extensions) return;
    line = line.substr(0, paren + 1) + *entry;
    if (line.back() != ')') line += ')';
  } else {
    line = *entry;
  }
  ReplaceEditLine(window, line);
  SaveUndoStep(ukInsert, false, false, 0);
}

// Where finishing a cue begins: with the list's choice, without it (a
// list still up is put away, as after a pick), or with a parenthetical (no
// name to remember).
enum class TCueStep { TakeList, AfterPick, CloseParenthesis };

// With continueds in the parenthetical and the cue marked so, Enter goes
// on into the parenthetical after the continued text and separator.
bool EnterContinuedParenthetical(TMDIChild& window, TScriptElement& cue) {
  TScriptElement* p = cue.next;
  if (window.ContinuedPosition != 1 || CueContinuedState(cue.split) != 1 || !p || p->Kind() != ekParenthetical)
    return false;
  GoToElement(window, p, false);
  const std::string mark = window.CharacterContinuedText + window.ContinuedSeparator;
  const std::size_t at = !window.EditBuffer().empty() && window.EditBuffer()[0] == '(' ? 1 : 0;
  std::size_t column = at + mark.size();
  if (column > window.EditBuffer().size()) {
    EditFields(window).EditBuffer.resize(
        std::min(window.EditBuffer().size(), at + window.CharacterContinuedText.size()));
    column = window.EditBuffer().size();
    window.WordWrapText(p, window.EditBuffer(), true, true);
  }
  EditFields(window).CaretColumn = static_cast<Word>(column);
  UpdateCaret();
  return true;
}

void CompleteCue(TMDIChild& window, TCueStep from) {
  // A name finished with its list up ends the typing that brought the list
  // up, however the list goes: one step with it, the speech's new line too.
  const bool fromList = from != TCueStep::CloseParenthesis && PickListShowing();
  if (fromList && from == TCueStep::TakeList) TakeListChoice(window);
  else if (fromList) aids::CloseList();
  if (from != TCueStep::CloseParenthesis) RememberCueName(window);
  std::string line = window.EditBuffer();
  TrimTrailingBlanks(line);
  if (line.find('(') != std::string::npos && line.back() != ')') ReplaceEditLine(window, line + ")");
  TScriptElement* e = window.CurrentElement();
  if (e->next && e->next->Kind() == ekDialogue) {
    GoToElement(window, window.CurrentElement()->next, false);
    return;
  }
  // The parenthetical that follows carries the mark the name now has.
  UpdateContinuedCues(window, true);
  e = window.CurrentElement();
  if (EnterContinuedParenthetical(window, *e)) return;
  EditFields(window).CaretColumn = static_cast<Word>(TrimmedLength(window.EditBuffer()));
  const bool empty = window.CaretColumn() == 0;
  const bool afterCue = e->prev && e->prev->Kind() == ekCharacterName;
  const bool action = empty && e->Kind() == ekParenthetical && !afterCue;
  window.CurrentFormat = window.FormatSet[action ? fsAction : fsDialogue];
  if (e->avColumn != 0) {
    const TColumnMargins& m = action ? window.AVOtherMargins : window.AVDialogueMargins;
    window.CurrentFormat.LeftMargin = e->avColumn == 1 ? m.Left1 : m.Left2;
    window.CurrentFormat.RightMargin = e->avColumn == 1 ? m.Right1 : m.Right2;
  }
  StartWithCurrentFormat(window, {.continuesStep = fromList});
}

// An empty Action as the only element of a new script: the script's
// opening text is offered first.
void OfferScriptOpening(TMDIChild& window) {
  const std::string& entry = UserListEntry(window.UserLists, TUserList::ScriptOpenText, 1);
  if (entry.empty() || window.FirstElement != window.LastElement) return;
  if (!AskYesNo("Put In \"" + DisplayText(entry) + "\"?", "Starting a New Script", true)) return;
  window.CurrentElement()->format.AllCaps = 1;
  window.CurrentElement()->state = esKeepFollowing;
  ReplaceEditLine(window, InsertedText(entry));
}

// The SceneText entry a Ctrl+letter opens: its alias, or its text when it
// has none, begins with the letter.
std::string SceneTextForLetter(const TMDIChild& window, char letter) {
  for (const std::string& entry : LeadingEntries(window.UserLists, TUserList::SceneText)) {
    std::string key = ListItemKey(entry);
    if (key.empty()) key = DisplayText(entry);
    if (!key.empty() && AnsiUpper(static_cast<Byte>(key[0])) == AnsiUpper(static_cast<Byte>(letter)))
      return InsertedText(entry);
  }
  return {};
}

void ShowChoiceMenu(TMDIChild& window, const std::vector<std::string>& captions, TObject* sender, TPoint offset) {
  if (ScriptPopupHooks.ChoiceMenu) ScriptPopupHooks.ChoiceMenu(window, captions, sender, offset);
}

// The script's opening text chosen for a heading: the element becomes the
// Action that opens the script, and a heading follows unless one does.
void OpeningTextChosen(TMDIChild& window) {
  TScriptElement& e = *window.CurrentElement();
  e.format = window.FormatSet[fsAction];
  e.state = esKeepFollowing;
  std::string line = window.EditBuffer();
  TrimTrailingBlanks(line);
  ReplaceEditLine(window, line);
  RedrawScreen(window);
  if (!e.next || !IsSceneHeading(e.next->Kind())) StartSceneHeading(0, false);
}

// Where the opening menu opens beside the caret.
constexpr TPoint OpeningMenuOffset{40, 40};

// The menu of the script's scene openings for a new heading, the script's
// opening text last, beside the caret or the Scene Heading button; without
// a choice the new heading goes again.
void OfferSceneOpening(TMDIChild& window, bool besideButton) {
  const TUserListTables& lists = window.UserLists;
  std::vector<std::string> captions;
  for (int i = 1; i <= 10; ++i)
    captions.push_back(MenuCaptionOf(DisplayText(UserListEntry(lists, TUserList::SceneText, i))));
  captions.emplace_back();
  const std::string opening = DisplayText(UserListEntry(lists, TUserList::ScriptOpenText, 1));
  captions.push_back(opening.empty() ? std::string() : "&" + opening);
  TScriptElement* made = window.CurrentElement();
  PopupContext = pcSceneOpening;
  TObject* button =
      besideButton && ScriptPopupHooks.SceneHeadingButton ? ScriptPopupHooks.SceneHeadingButton() : nullptr;
  ShowChoiceMenu(window, captions, button, OpeningMenuOffset);
  if (ActiveScript() != &window) return;
  if (PopupContext == pcOpeningChosen && window.CurrentElement() == made) {
    std::string line = window.EditBuffer();
    TrimTrailingBlanks(line);
    const bool scriptOpening = PlainUpperText(line) == PlainUpperText(opening);
    if (scriptOpening) OpeningTextChosen(window);
    else if (IsSceneHeading(made->Kind())) CompleteSceneHeading(nullptr);
    return;
  }
  if (PopupContext == pcNoMenu) return;
  if (window.CurrentElement() == made && TrimmedLength(window.EditBuffer()) == 0) {
    made->format = window.FormatSet[fsAction];
    TakeNewElementAway(window);
  }
  // Left empty, not blank: a blank after the caret would be stepped over by
  // the first blank typed and leave two.
  ClearPlaceholderLine(window);
}

// Each word of a name typed into text other than a cue gets an initial
// capital and lower case after it.
bool KeepsCapital(char previous) {
  const auto b = static_cast<Byte>(previous);
  return previous == ' ' || previous == '\'' || previous == '-' || b == 0x91 || b == 0x92;
}

bool TypeAtCaret(TMDIChild& window, char ch) {
  if (!TypeCharacter(ch)) return false;
  ++EditFields(window).CaretColumn;
  return true;
}

void InsertPickedName(TMDIChild& window, const std::string& name) {
  const Byte savedInsertMode = InsertMode;
  InsertMode = 1;
  // The line a menu left for the writer's own text takes the name.
  ClearPlaceholderLine(window);
  std::string& line = EditFields(window).EditBuffer;
  EditFields(window).CaretColumn = static_cast<Word>(std::min<std::size_t>(window.CaretColumn(), line.size()));
  bool hadBlank = false;
  while (window.CaretColumn() > 0 && line[window.CaretColumn() - 1] == ' ') {
    --EditFields(window).CaretColumn;
    DeleteCharAtCaret();
    hadBlank = true;
  }
  const char before = window.CaretColumn() > 0 ? line[window.CaretColumn() - 1] : '\0';
  std::string lead = hadBlank ? " " : "";
  if (before == '!' || before == '.' || before == '?') lead = ProgramOptions().SentenceSpacing;
  for (char ch : lead) TypeAtCaret(window, ch);
  const Byte kind = window.CurrentElement()->Kind();
  const bool capitalsOnly = kind == ekCharacterName || (kind == ekAction && AllCapNames);
  for (std::size_t i = 0; i < name.size(); ++i) {
    char ch = name[i];
    if (!capitalsOnly && i > 0 && !KeepsCapital(name[i - 1])) ch = static_cast<char>(AnsiLower(static_cast<Byte>(ch)));
    if (!TypeAtCaret(window, ch)) break;
  }
  if (window.CaretColumn() < line.size() && IsAnsiAlpha(static_cast<Byte>(line[window.CaretColumn()])))
    TypeCharacter(' ');
  window.WordWrapText(window.CurrentElement(), line, true, true);
  window.RedisplayScreen(false);
  InsertMode = savedInsertMode;
}

// The location list of a heading, when it holds a location to pick: a
// list with nothing but the blank entry of the heading being typed is no
// choice and never shows.
void EnterInAction(TMDIChild& window, bool fromTool, bool empty) {
  const TProgramOptions& options = ProgramOptions();
  if ((!options.UseQuickType && !fromTool) || !empty || OnPageZero(window)) {
    StartAction(window);
    return;
  }
  if (window.InteractiveScript) {
    ChooseInteractiveElement();
    return;
  }
  OfferScriptOpening(window);
  StartSceneHeading(0, false);
  SetDocumentModified(true, true);
}

void EnterInSceneHeading(TMDIChild& window, TObject* sender, bool empty, bool atStartOfText) {
  const bool fromTool = FromToolButton(sender);
  const TProgramOptions& options = ProgramOptions();
  if (atStartOfText || (!options.UseQuickType && !fromTool) || (!empty && window.InteractiveScript)) {
    StartAction(window);
    return;
  }
  if (empty) {
    StartSceneHeading(0, fromTool);
    return;
  }
  // A heading that goes on past its opening text needs only its time of
  // day; one that is just the opening text wants its location first.
  aids::ExpandSceneTextAlias(false, false);
  if (!aids::ExpandSceneTextAlias(true, true) || (aids::OfferLocations(fromTool) && options.AutoAddTimeDay)) {
    ShowTimeOfDayPopup(fromTool ? sender : nullptr);
    if (ActiveScript() == &window) StartAction(window);
    return;
  }
  UpdateCaret();
}

// In an interactive script a branch point ended by a hard return, or an
// empty line there, goes on with the branch point menu.
bool EndsInHardReturn(const TMDIChild& window) {
  const std::string& line = window.EditBuffer();
  if (TrimmedLength(line) == 0) return true;
  return window.CaretColumn() >= line.size() && static_cast<Byte>(line.back()) == HardReturn;
}

void EnterAfterSceneLead(TMDIChild& window, bool atStartOfText) {
  if (window.InteractiveScript && !atStartOfText && EndsInHardReturn(window)) ClickButton("ActionBtn");
  else if (window.InteractiveScript || (ProgramOptions().UseQuickType && atStartOfText)) StartAction(window);
  else if (ProgramOptions().UseQuickType) StartSceneHeading(0, false);
  else StartElementOfSlot(window, fsSceneHeading);
}

void EnterInActInformation(TMDIChild& window, bool atStartOfText) {
  if (atStartOfText) {
    StartAction(window);
  } else if (window.ActGoesToScene) {
    StartSceneHeading(0, false);
    SetDocumentModified(true, true);
  } else {
    StartSceneInformation(window);
  }
}

// The end of an act: the next act opens, with its scene information
// unless acts go straight to their scenes, and then its first heading.
void EnterInEndOfAct(TMDIChild& window, bool atStartOfText) {
  if (atStartOfText) {
    StartAction(window);
    return;
  }
  if (!ProgramOptions().UseQuickType) {
    AddForcedPageBreak(window);
    return;
  }
  // The new act is made first so that the break goes in before it: the
  // break opens the act's page even at the end of the script.
  StartElementOfSlot(window, fsActInformation, {.forceAfter = true}, ekActStart);
  AddForcedPageBreak(window);
  if (ActiveScript() != &window || window.CurrentElement()->Kind() != ekActStart) return;
  ReplaceEditLine(window, UserListText(window, TUserList::ActText, 1));
  if (!window.ActGoesToScene) StartSceneInformation(window);
  RedrawScreen(window);
  StartSceneHeading(0, false);
}

// Word-processor mode: every Enter starts a paragraph, an Action without
// capitals; an empty line keeps a hard space so that it stays a line.
void StartParagraph(TMDIChild& window) {
  if (window.EditBuffer().empty()) ReplaceEditLine(window, std::string(1, static_cast<char>(HardSpace)));
  window.CurrentFormat = window.FormatSet[fsAction];
  window.CurrentFormat.AllCaps = 0;
  StartWithCurrentFormat(window, {});
}

void EnterInDialogue(TMDIChild& window) {
  const TScriptElement* cue = window.CurrentElement()->prev;
  if (ProgramOptions().UseAltKeys && window.CaretColumn() == 0 && cue && cue->Kind() == ekCharacterName) {
    const std::string name = StoredText(*cue);
    const auto first = std::find_if(name.begin(), name.end(), [](char ch) { return !CodeCharSet.Contains(ch); });
    PickAltLetterName(first == name.end() ? '\0' : *first);
  } else if (ProgramOptions().EnterToCharacterName) {
    StartCharacterName(VK_RETURN);
  } else {
    StartAction(window);
  }
}

}  // namespace

// ---- Shared editor steps ----

bool PickListShowing() { return aids::ListShowing(); }

void RedrawScreen(TMDIChild& window) {
  RebuildScreen(&window);
  window.RedisplayScreen(false);
}

void ReplaceEditLine(TMDIChild& window, std::string_view text) {
  EditFields(window).EditBuffer = std::string(text.substr(0, MaxElementChars));
  EditFields(window).CaretColumn = static_cast<Word>(window.EditBuffer().size());
  window.WordWrapText(window.CurrentElement(), window.EditBuffer(), true, true);
  window.DisplayElement();
}

TScriptElement* NextTextElement(TScriptElement* element) {
  TScriptElement* e = element ? element->next : nullptr;
  while (e && IsPageBreakKind(e->Kind())) e = e->next;
  return e;
}

TScriptElement* PreviousTextElement(TScriptElement* element) {
  TScriptElement* e = element ? element->prev : nullptr;
  while (e && IsPageBreakKind(e->Kind())) e = e->prev;
  return e;
}

void GoToElement(TMDIChild& window, TScriptElement* target, bool atEnd) {
  if (!target) return;
  bool forward = false;
  for (const TScriptElement* e = window.CurrentElement(); e && !forward; e = e->next) forward = e == target;
  // The caret steps over hidden elements: one of them is reached at the
  // nearest shown element beyond it.
  while (target && TakesNoScreenRoom(window, *target)) target = forward ? target->next : target->prev;
  if (!target) return;
  while (window.CurrentElement() != target)
    if (!(forward ? MoveToNextElement() : MoveToPreviousElement())) break;
  EditFields(window).CaretColumn = atEnd ? static_cast<Word>(window.EditBuffer().size()) : 0;
  EditFields(window).CaretLine = 1;
}

std::string StoredText(const TScriptElement& element) {
  if (IsPageBreakKind(element.Kind())) return " ";
  return ElementText(element);
}

void StartElementOfSlot(TMDIChild& window, int slot, TNewElementFlags flags, int kind) {
  window.CurrentFormat = window.FormatSet[static_cast<std::size_t>(slot)];
  if (kind >= 0) window.CurrentFormat.Kind = static_cast<Byte>(kind);
  StartWithCurrentFormat(window, flags);
}

// ---- The transitions ----

void EnterTransition(TMDIChild& window, TShiftState shift, TObject* sender) {
  InteractiveEdit = 1;
  SaveUndoStep(ukInsert, false, !PickListShowing(), 0);
  if (window.BlockOn()) DeleteBlockCommand();
  const bool fromTool = FromToolButton(sender);
  TScriptElement* e = window.CurrentElement();
  const bool empty = TrimmedLength(window.EditBuffer()) == 0;
  const bool atStartOfText = window.CaretColumn() == 0 && !empty;
  if (shift.Contains(ssCtrl)) {
    const bool inEmptyAction = e->Kind() == ekAction && empty;
    StartElementOfSlot(window, fsAction, {.forceAfter = inEmptyAction, .keepType = inEmptyAction});
    return;
  }
  if (ProgramOptions().WordProcessorMode) {
    StartParagraph(window);
    return;
  }
  switch (e->Kind()) {
    case ekAction: EnterInAction(window, fromTool, empty); break;
    case ekSceneHeading:
    case ekASceneHeading:
    case ekDashASceneHeading: EnterInSceneHeading(window, sender, empty, atStartOfText); break;
    case ekCharacterName:
      if (!empty || PickListShowing()) {
        CompleteCue(window, TCueStep::TakeList);
      } else if (ProgramOptions().EnterToCharacterName) {
        StartAction(window);
      } else {
        PickCharacterName(window, false);
        CompleteCue(window, TCueStep::AfterPick);
      }
      break;
    case ekParenthetical:
      if (atStartOfText) StartElementOfSlot(window, fsDialogue);
      else CompleteCue(window, TCueStep::CloseParenthesis);
      break;
    case ekTransition:
    case ekSceneInformation:
    case ekLockedSceneInformation:
    case ekPrologueText: EnterAfterSceneLead(window, atStartOfText); break;
    case ekActInformation:
    case ekActStart: EnterInActInformation(window, atStartOfText); break;
    case ekEndOfActText: EnterInEndOfAct(window, atStartOfText); break;
    case ekScriptNote:
      if (ProgramOptions().EnterInNoteIsHR) AddHardReturn(window);
      else StartAction(window);
      break;
    case ekDialogue: EnterInDialogue(window); break;
    default: StartAction(window); break;
  }
}

void StartScriptNote(TMDIChild& window) {
  // In a cue the note goes in before the name.
  if (window.CurrentElement()->Kind() == ekCharacterName) EditFields(window).CaretColumn = 0;
  StartElementOfSlot(window, fsScriptNote);
}

void StartCharacterName(Word key) {
  TMDIChild* window = ActiveScript();
  if (!window || !window->CurrentElement()) return;
  if (window->BlockOn()) DeleteBlockCommand();
  int slot = fsCharacterName;
  if (key == VK_TAB) {
    TScriptElement* e = window->CurrentElement();
    if (e->Kind() == ekCharacterName && PickListShowing()) {
      if (const std::optional<std::string> entry = aids::SelectedEntry()) {
        aids::CloseList();
        ReplaceEditLine(*window, *entry);
      }
    }
    if ((e->Kind() == ekCharacterName || e->Kind() == ekDialogue) && ProgramOptions().TabToParenth) {
      if (e->next && e->next->Kind() == ekParenthetical) {
        GoToElement(*window, e->next, false);
        return;
      }
      slot = fsParenthetical;
    }
  }
  StartElementOfSlot(*window, slot);
}

void StartOtherSpeaker(TMDIChild& window) {
  std::string last;
  std::string other;
  for (const TScriptElement* e = window.CurrentElement()->prev; e && other.empty(); e = e->prev) {
    if (e->Kind() != ekCharacterName || window.IsHiddenElement(e) || !e->text) continue;
    const std::string name = SpeakerName(*e->text);
    if (TrimmedLength(name) == 0) continue;
    if (last.empty()) last = name;
    else if (!SameText(name, last)) other = name;
  }
  if (other.empty()) {
    StartCharacterName(VK_TAB);
    return;
  }
  StartElementOfSlot(window, fsCharacterName);
  ReplaceEditLine(window, other);
  RedrawScreen(window);
  CompleteCue(window, TCueStep::TakeList);
}

bool PickCharacterName(TMDIChild& window, bool sayWhenNone) {
  if (window.BlockOn()) DeleteBlockCommand();
  const std::optional<std::string> name = aids::PickCharacterName('\0', sayWhenNone, false);
  if (!name) return false;
  InsertPickedName(window, *name);
  return true;
}

void FinishCue(TMDIChild& window) { CompleteCue(window, TCueStep::AfterPick); }

Byte LockedHeadingKind(const TMDIChild& window, const TScriptElement* from) {
  const TScriptElement* next = from ? from->next : nullptr;
  while (next && !IsSceneHeading(next->Kind())) next = next->next;
  if (!next) return ekSceneHeading;
  if (next->Kind() == ekSceneHeading || !window.ScenesMultiLocked) return ekASceneHeading;
  return ekDashASceneHeading;
}

void StartSceneHeading(char letter, bool showMenu) {
  TMDIChild* window = ActiveScript();
  if (!window || !window->CurrentElement()) return;
  const int kind = window->ScenesLocked ? LockedHeadingKind(*window, window->CurrentElement()) : -1;
  StartElementOfSlot(*window, fsSceneHeading, {}, kind);
  if (window->TopSceneContinued || window->BottomSceneContinued) {
    window->RenumberScenes(true);
    RedrawScreen(*window);
  }
  // A heading split off by the new element keeps its text; only a blank
  // line takes the opening.
  if (TrimmedLength(window->EditBuffer()) == 0) {
    const std::string text = letter != 0 ? SceneTextForLetter(*window, letter) : std::string();
    ReplaceEditLine(*window, text.empty() ? text : text + " ");
    const bool menuWanted = ProgramOptions().UseQuickType || showMenu;
    if (letter == 0 && menuWanted && !UserListEntry(window->UserLists, TUserList::SceneText, 1).empty()) {
      OfferSceneOpening(*window, showMenu);
      if (ActiveScript() != window) return;
    }
  }
  SetDocumentModified(true, true);
  window->StartPaginateTimer(1);
  PopupChoice(*window).Clear();
  UpdateCaret();
}

bool CompleteSceneHeading(TObject* sender) {
  TMDIChild* window = ActiveScript();
  if (!window) return false;
  const TProgramOptions& options = ProgramOptions();
  if (!options.AutoAddSceneBody || !aids::OfferLocations(FromToolButton(sender)) || !options.AutoAddTimeDay)
    return false;
  ShowTimeOfDayPopup(sender);
  if (ActiveScript() != window) return false;
  ProcessMessagesGuarded();
  StartAction(*window);
  EditFields(*window).CaretColumn = 0;
  EditFields(*window).CaretLine = 1;
  return true;
}

namespace {

// The times of day up to the first empty entry, each with a letter of
// its own.
std::vector<std::string> TimeOfDayCaptions(const TMDIChild& window) {
  std::vector<std::string> captions;
  std::array<bool, 26> used{};
  for (const std::string& entry : LeadingEntries(window.UserLists, TUserList::TimeofDay)) {
    std::string caption = ListItemText(entry, false, false);
    std::erase_if(caption, [](char c) { return c == BoldOn || c == UnderlineOn || c == ItalicsOn; });
    captions.push_back(AssignShortcutLetter(caption, used));
  }
  return captions;
}

// Where the time-of-day menu opens beside the caret.
constexpr TPoint TimeOfDayMenuOffset{100, 20};

bool ColourCloseCode(Byte b) {
  return std::any_of(ColorPairs.begin(), ColorPairs.end(), [b](const ColorPair& p) { return p.off == b; });
}

// What ends a line without being text of it: blanks, hard spaces and the
// colour's closing code.
void CutAfterLastText(std::string& line) {
  while (!line.empty()) {
    const auto b = static_cast<Byte>(line.back());
    if (b != ' ' && b != HardSpace && !ColourCloseCode(b)) break;
    line.pop_back();
  }
}

bool EndsWithTimeOfDay(const TMDIChild& window, const std::string& line) {
  const std::string upper = AnsiUpperCase(line);
  for (const std::string& entry : LeadingEntries(window.UserLists, TUserList::TimeofDay)) {
    const std::string added = " " + AnsiUpperCase(ListItemText(entry));
    if (upper.size() >= added.size() && upper.compare(upper.size() - added.size(), added.size(), added) == 0)
      return true;
  }
  return false;
}

}  // namespace

void ShowTimeOfDayPopup(TObject* sender) {
  TMDIChild* window = ActiveScript();
  if (!window || !window->CurrentElement()) return;
  if (!ProgramOptions().UseQuickType && !FromToolButton(sender)) return;
  std::string line = window->EditBuffer();
  CutAfterLastText(line);
  if (line != window->EditBuffer()) ReplaceEditLine(*window, line);
  EditFields(*window).CaretColumn = static_cast<Word>(window->EditBuffer().size());
  const std::vector<std::string> captions = TimeOfDayCaptions(*window);
  if (!captions.empty() && !EndsWithTimeOfDay(*window, line)) {
    TObject* button = FromToolButton(sender) ? sender : nullptr;
    TPopupChoice& choice = PopupChoice(*window);
    PopupContext = pcTimeOfDay;
    choice.RepeatFlag = true;
    choice.NevermindChosen = false;
    ShowChoiceMenu(*window, captions, button, TimeOfDayMenuOffset);
    if (ActiveScript() != window) return;
    // Nevermind brings the menu back once: a slip of the mouse costs no
    // time of day.
    while (choice.RepeatFlag && choice.NevermindChosen) {
      choice.RepeatFlag = false;
      PopupContext = pcTimeOfDayAgain;
      ShowChoiceMenu(*window, captions, button, TimeOfDayMenuOffset);
      if (ActiveScript() != window) return;
    }
    choice.RepeatFlag = false;
  }
  EditFields(*window).CaretColumn = static_cast<Word>(TrimmedLength(window->EditBuffer()));
  UpdateCaret();
  window->StartPaginateTimer(window->LayoutDue | 1);
}

void OfferCueExtension(TMDIChild& window) {
  if (PickListShowing()) {
    const std::optional<std::string> entry = aids::SelectedEntry();
    aids::CloseList();
    if (entry) ReplaceEditLine(window, *entry);
  }
  std::vector<std::string> captions;
  std::array<bool, 26> used{};
  for (const std::string& entry : LeadingEntries(window.UserLists, TUserList::Extension))
    captions.push_back(AssignShortcutLetter(ListItemText(entry), used));
  PopupContext = pcExtension;
  ShowChoiceMenu(window, captions, nullptr, TimeOfDayMenuOffset);
}

void OfferTimeOfDayAgain(TMDIChild& window) {
  PopupContext = pcTimeOfDay;
  ShowChoiceMenu(window, TimeOfDayCaptions(window), nullptr, TimeOfDayMenuOffset);
}

}  // namespace qm
