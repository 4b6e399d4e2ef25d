#include "script/editing/continued_cues.h"
#include "script/editing/typing_aids.h"
#include "script/editing/keyboard_commands.h"

#include <algorithm>
#include <optional>
#include <string>

#include "platform/cp1252.h"
#include "platform/forms.h"
#include "platform/messages.h"
#include "script/editing/block_deletion.h"
#include "script/editing/block_selection.h"
#include "script/editing/dead_keys.h"
#include "script/editing/document_modified.h"
#include "script/editing/edit_line.h"
#include "script/layout/char_widths.h"
#include "script/layout/cue_extension.h"
#include "script/model/element_visibility.h"
#include "script/layout/editor_state.h"
#include "script/pagination/element_groups.h"
#include "script/editing/element_recognition.h"
#include "script/editing/element_transitions.h"
#include "script/editing/revision_marks.h"
#include "script/model/packed_text.h"
#include "script/layout/screen_rebuild.h"
#include "script/editing/scrolling.h"
#include "script/script_window.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"
#include "script/layout/word_wrap.h"
#include "base/document_table.h"
#include "base/global_state.h"
#include "base/message_boxes.h"
#include "base/program_options.h"
#include "base/prompt_table.h"
#include "script/model/edit_line_writer.h"

namespace qm {

TKeyCommandHooks KeyCommandHooks;

namespace {

const GlobalState resetHooks([] { KeyCommandHooks = {}; });

// ---- Key bindings ----

// A set of modifier combinations: one bit for each combination of Shift
// (1), Alt (2) and Ctrl (4).
using TModifiers = unsigned;
constexpr TModifiers Combination(unsigned flags) { return 1u << flags; }
constexpr TModifiers NoModifier = Combination(0);
constexpr TModifiers WithShift = Combination(ssShift);
constexpr TModifiers WithAlt = Combination(ssAlt);
constexpr TModifiers WithCtrl = Combination(ssCtrl);
constexpr TModifiers WithCtrlShift = Combination(ssCtrl | ssShift);
constexpr TModifiers WithCtrlAlt = Combination(ssCtrl | ssAlt);
constexpr TModifiers AnyModifiers = 0xFF;

// Commands end through the common tail unless they return early.
enum class TTail { Run, Skip };

struct KeyCommand {
  TMDIChild& w;
  TShiftState shift;
  TObject* sender;
  // The binding's argument: a direction, a letter or a character.
  int arg;
  bool Ctrl() const { return shift.Contains(ssCtrl); }
  // Shift starts a block at the caret; a movement without it ends one.
  void ShiftBlock() const { ShiftBlockAnchor(shift.Contains(ssShift)); }
  // After the caret moved: the block's end follows it.
  TTail Moved() const {
    BlockEndFollowsCaret(w);
    return TTail::Run;
  }
};

using THandler = TTail (*)(KeyCommand&);
struct KeyBinding {
  Word key;
  TModifiers modifiers;
  THandler run;
  int arg = 0;
};

// ---- Texts and character classes ----

constexpr const char* UnhideQuestion =
    "You cannot EDIT your script when Elements other than Script Notes and Non-Printing Text are Hidden!\r\r"
    "Should I unhide them for you at this time?";
constexpr const char* DeleteForcedBreakQuestion = "Delete this Forced Page Break?";
constexpr const char* DeleteLockedBreakQuestion = "Delete this Locked Page Break?";
constexpr const char* DeleteSceneQuestion =
    "Should I REALLY delete this Scene?\r\rIf you select YES then all following scenes will be re-numbered "
    "accordingly.";
constexpr int PageBreakPromptEntry = 6;

// What the caret steps over as if it were not there.
// What Home steps over at the start of a line.
constexpr CharSet LineOpeningSet{BoldOn, StrikeOutOn, UnderlineOn, ItalicsOn, 16, 18, 20, HardReturn};
// Where a joined text ends a sentence and so takes the sentence spacing.
constexpr CharSet SentenceEndSet{'!', '"', '\'', '.', '?', 146, 148, 187};

constexpr int ListPageStep = 6;
constexpr int WidestMargins = 85;
constexpr Byte NarrowestRightMargin = 5;

void NavigationStep() { SaveUndoStep(ukNavigation, false, false, 0); }

// The edit line's wrapped line the caret is on, and where lines begin.
int CaretLineNow(const TMDIChild& w) {
  return CaretLineOfColumn(w.LineOffsets(), w.CurrentElement()->lineCount, w.CaretColumn(), w.EditBuffer());
}
bool IsLineStart(const TMDIChild& w, std::size_t position) {
  for (int line = 1; line < w.CurrentElement()->lineCount; ++line)
    if (w.LineOffsets()[static_cast<std::size_t>(line)] == position) return true;
  return false;
}

// An option switched off for as long as the scope lasts.
class OptionOff {
 public:
  explicit OptionOff(bool& option) : option_(option), saved_(option) { option_ = false; }
  ~OptionOff() { option_ = saved_; }
  OptionOff(const OptionOff&) = delete;
  OptionOff& operator=(const OptionOff&) = delete;

 private:
  bool& option_;
  bool saved_;
};

// ---- Element steps ----

// Unlinks an element other than the current one; the edit line stays.
void RemoveElement(TMDIChild& w, TScriptElement* element) {
  TScriptElement* current = w.CurrentElement();
  EditFields(w).CurrentElement = element;
  w.DisposeIndex(false);
  EditFields(w).CurrentElement = current;
  w.CurrentGroup = current->group;
}

// The caret to the end of the previous (or the start of the next) element
// the writer can type in; a beep when there is none or the list holds the
// caret.
void CaretToNeighbour(TMDIChild& w, bool forward) {
  TScriptElement* target = forward ? NextTextElement(w.CurrentElement()) : PreviousTextElement(w.CurrentElement());
  if (PickListShowing() || !target) {
    MessageBeep(0);
    return;
  }
  OptionOff byWords(ProgramOptions().MouseBlocksByWords);
  GoToElement(w, target, !forward);
}

// A forced or locked page break next to the caret, deleted when the writer
// agrees (a forced one without asking for an expert while pages are not
// locked). The break's neighbour is then current.
bool DeletePageBreak(TMDIChild& w, TScriptElement* pageBreak) {
  const bool forced = pageBreak->Kind() == ekForcedPageBreak;
  const bool ask = !forced || !ProgramOptions().ExpertPrompting || w.PagesLocked;
  if (ask && !AskYesNo(forced ? DeleteForcedBreakQuestion : DeleteLockedBreakQuestion,
                       PromptTable(PageBreakPromptEntry), false))
    return false;
  SetDocumentModified(true, true);
  w.Assemble();
  EditFields(w).CurrentElement = pageBreak;
  w.CurrentGroup = pageBreak->group;
  w.DisAssemble();
  w.Delete_Element();
  return true;
}

void AfterPageBreakDeleted(TMDIChild& w, TScriptElement* caretElement) {
  GoToElement(w, caretElement, false);
  w.RefreshKeepingCursor();
  RedrawScreen(w);
}

// The pair a code byte belongs to: the style pairs, the colour pairs (all
// ten only while the script uses its own colours) and a breakdown tag with
// its end byte.
struct CodePair {
  bool tag;
  Byte on;
  Byte off;
  bool opening;
  bool Opens(Byte b) const { return tag ? IsBreakdownTagCode(b) : b == on; }
  bool Closes(Byte b) const { return b == off; }
};

constexpr ColorPair StylePairs[] = {
    {BoldOn, BoldOff}, {StrikeOutOn, StrikeOutOff}, {UnderlineOn, UnderlineOff}, {ItalicsOn, ItalicsOff}};

std::optional<CodePair> PairOf(Byte code, bool allColours) {
  if (IsBreakdownTagCode(code) || code == TagEnd) return CodePair{true, 0, TagEnd, code != TagEnd};
  for (const ColorPair& p : StylePairs)
    if (code == p.on || code == p.off) return CodePair{false, p.on, p.off, code == p.on};
  const std::size_t colours = allColours ? ColorPairs.size() : BasicColorCount;
  for (std::size_t i = 0; i < colours; ++i)
    if (code == ColorPairs[i].on || code == ColorPairs[i].off)
      return CodePair{false, ColorPairs[i].on, ColorPairs[i].off, code == ColorPairs[i].on};
  return std::nullopt;
}

// Removes the partner of a code just deleted at the caret, passing over
// nested pairs of the same kind; true when the code has a partner.
bool RemovePartner(TMDIChild& w, Byte code) {
  const std::optional<CodePair> pair = PairOf(code, w.UsesUserColours != 0);
  if (!pair) return false;
  std::string& text = EditFields(w).EditBuffer;
  const std::size_t caret = std::min<std::size_t>(w.CaretColumn(), text.size());
  int depth = 0;
  if (pair->opening) {
    for (std::size_t i = caret; i < text.size(); ++i) {
      const auto b = static_cast<Byte>(text[i]);
      if (pair->Opens(b)) {
        ++depth;
      } else if (pair->Closes(b) && depth-- == 0) {
        text.erase(i, 1);
        break;
      }
    }
  } else {
    for (std::size_t i = caret; i-- > 0;) {
      const auto b = static_cast<Byte>(text[i]);
      if (pair->Closes(b)) {
        ++depth;
      } else if (pair->Opens(b) && depth-- == 0) {
        text.erase(i, 1);
        --EditFields(w).CaretColumn;
        break;
      }
    }
  }
  return true;
}

// Deletes the character at the caret with its code partner, rewraps and
// repaints, and looks at the line for element recognition again.
void DeleteAtCaret(TMDIChild& w) {
  if (w.CaretColumn() >= w.EditBuffer().size()) return;
  const auto code = static_cast<Byte>(w.EditBuffer()[w.CaretColumn()]);
  DeleteCharAtCaret();
  const bool partnered = RemovePartner(w, code);
  w.WordWrapText(w.CurrentElement(), w.EditBuffer(), true, true);
  if (partnered) RebuildScreen(&w);
  w.RedisplayScreen(partnered);
  w.StartPaginateTimer(w.LayoutDue | 1);
  if (RecognitionInReach(w)) RecognizeTypedElement();
}

// With the continued text in the parenthetical, a parenthetical under a
// continued cue opens with that text and its separator: Backspace inside
// them only moves the caret past them.
bool StepOverContinuedText(TMDIChild& w) {
  const TScriptElement* e = w.CurrentElement();
  if (w.ContinuedPosition != 1 || e->Kind() != ekParenthetical || !e->prev || e->prev->Kind() != ekCharacterName ||
      CueContinuedState(e->prev->split) != 1)
    return false;
  const std::string lead = w.CharacterContinuedText + w.ContinuedSeparator;
  const std::size_t start = !w.EditBuffer().empty() && w.EditBuffer()[0] == '(' ? 1 : 0;
  if (w.EditBuffer().compare(start, lead.size(), lead) != 0) return false;
  const std::size_t end = start + lead.size();
  if (w.CaretColumn() <= start || w.CaretColumn() > end) return false;
  EditFields(w).CaretColumn = static_cast<Word>(end);
  MessageBeep(0);
  return true;
}

// A cue with a speech under it keeps its place even when its name is
// erased, unless the speech continues one just above.
bool KeptAsSpeechHeading(const TScriptElement* e) {
  if (e->Kind() != ekCharacterName || !e->next) return false;
  const bool headsSpeech = e->next->Kind() == ekDialogue || e->next->Kind() == ekParenthetical;
  return headsSpeech && !(e->prev && IsSpeechKind(e->prev->Kind()));
}

// An empty element deleted by Backspace (the caret goes to the end of the
// element before) or by Delete (to the start of the element after).
void DeleteEmptyElement(TMDIChild& w, bool forward) {
  TScriptElement* e = w.CurrentElement();
  if (IsSceneHeading(e->Kind()) && w.ScenesLocked) {
    if (!AskYesNo(DeleteSceneQuestion, PromptTable(PageBreakPromptEntry), false)) return;
    e->format.Kind = ekAction;
  }
  const bool lastBeforeBreak = forward && e->next && IsPageBreakKind(e->next->Kind()) && !e->next->next;
  if (KeptAsSpeechHeading(e) || lastBeforeBreak) {
    MessageBeep(0);
    return;
  }
  TScriptElement* following = NextTextElement(e);
  const bool wasFirst = e == w.FirstElement;
  const bool onlyOne = !e->prev && !e->next;
  w.Delete_Element();
  TScriptElement* current = w.CurrentElement();
  if (!onlyOne) {
    w.RebuildElementGroups();
    if (!wasFirst && current->Kind() == ekDialogue && following && current->next == following &&
        following->Kind() == ekDialogue) {
      EditFields(w).CaretColumn = static_cast<Word>(w.EditBuffer().size());
      JoinWithNextElement(false, true, w);
    } else if (forward) {
      if (following) GoToElement(w, following, false);
      else EditFields(w).CaretColumn = static_cast<Word>(w.EditBuffer().size());
      MarkCutAsRevision();
    } else if (!wasFirst) {
      if (!IsPageBreakKind(current->Kind())) EditFields(w).CaretColumn = static_cast<Word>(w.EditBuffer().size());
      else if (TScriptElement* back = PreviousTextElement(current)) GoToElement(w, back, true);
      else GoToElement(w, NextTextElement(current), false);
    }
  }
  RedrawScreen(w);
  w.StartPaginateTimer(w.LayoutDue | 1);
}

// Backspace at the start of an element with text: joined to the element
// before when that has the same type (an automatic page break between
// them goes); otherwise the caret only goes back.
void BackspaceAtElementStart(TMDIChild& w) {
  TScriptElement* e = w.CurrentElement();
  TScriptElement* before = e->prev;
  TScriptElement* into = before && before->Kind() == ekAutoPageBreak ? before->prev : before;
  const bool joins = into && into->Kind() == e->Kind() && !(e->Kind() == ekSceneHeading && w.InteractiveScript);
  if (!joins) {
    CaretToNeighbour(w, false);
    return;
  }
  if (into != before) RemoveElement(w, before);
  GoToElement(w, into, true);
  JoinWithNextElement(true, true, w);
}

// Delete at the end of the text: the next element of the same type is
// joined on; another type only takes the caret.
void DeleteAtTextEnd(TMDIChild& w) {
  const TScriptElement* e = w.CurrentElement();
  const bool joins = e->next && e->next->Kind() == e->Kind() && !(e->Kind() == ekSceneHeading && w.InteractiveScript);
  if (joins) JoinWithNextElement(true, true, w);
  else CaretToNeighbour(w, true);
}

// A cue's byte for an extension or a continued mark, which Delete at its
// end takes away.
bool CarriesCueState(Byte split) { return split < spWhole || (split >= 21 && split <= 32); }

// ---- The commands ----

TTail Backspace(KeyCommand& c) {
  TMDIChild& w = c.w;
  InteractiveEdit = 1;
  const bool atStart = w.CaretColumn() == 0;
  const bool empty = TrimmedLength(w.EditBuffer()) == 0;
  SaveUndoStep(ukDelete, false, atStart || empty, 0);
  TScriptElement* e = w.CurrentElement();
  if (atStart && !w.BlockOn() && e->prev && IsHardPageBreakKind(e->prev->Kind()) && DeletePageBreak(w, e->prev)) {
    AfterPageBreakDeleted(w, e);
    return TTail::Run;
  }
  SetDocumentModified(true, true);
  if (w.BlockOn()) {
    DeleteBlockCommand();
    return TTail::Run;
  }
  if (StepOverContinuedText(w)) return TTail::Run;
  if (!atStart) {
    --EditFields(w).CaretColumn;
    DeleteAtCaret(w);
    WordPendingSpell = 1;
  } else if (!empty) {
    BackspaceAtElementStart(w);
  } else {
    DeleteEmptyElement(w, false);
  }
  return TTail::Run;
}

TTail Delete(KeyCommand& c) {
  TMDIChild& w = c.w;
  InteractiveEdit = 1;
  const std::size_t trimmed = TrimmedLength(w.EditBuffer());
  const bool atEnd = w.CaretColumn() >= trimmed;
  SaveUndoStep(ukDelete, false, atEnd, 0);
  TScriptElement* e = w.CurrentElement();
  if (atEnd && !w.BlockOn() && e->next && IsHardPageBreakKind(e->next->Kind()) && DeletePageBreak(w, e->next)) {
    TScriptElement* next = NextTextElement(w.CurrentElement());
    AfterPageBreakDeleted(w, next ? next : w.CurrentElement());
    return TTail::Run;
  }
  SetDocumentModified(true, true);
  if (w.BlockOn()) {
    DeleteBlockCommand();
    return TTail::Run;
  }
  if (trimmed == 0) {
    DeleteEmptyElement(w, true);
  } else if (w.CaretColumn() < w.EditBuffer().size()) {
    DeleteAtCaret(w);
  } else if (e->Kind() == ekCharacterName && CarriesCueState(e->split)) {
    e->split = spWhole;
    RedrawScreen(w);
  } else {
    DeleteAtTextEnd(w);
  }
  return TTail::Run;
}

// Word-processor mode: a tab is five blanks, inserted even in typeover.
void TypeTabBlanks(TMDIChild& w) {
  const Byte mode = InsertMode;
  InsertMode = 1;
  for (int i = 0; i < 5 && TypeCharacter(' '); ++i) ++EditFields(w).CaretColumn;
  InsertMode = mode;
  w.WrapScreenText(w.CurrentElement(), w.EditBuffer());
  w.DisplayElement();
}

TTail Tab(KeyCommand& c) {
  if (ProgramOptions().WordProcessorMode) TypeTabBlanks(c.w);
  else StartCharacterName(VK_TAB);
  return TTail::Run;
}

TTail ShiftTab(KeyCommand& c) {
  StartOtherSpeaker(c.w);
  return TTail::Run;
}

TTail Enter(KeyCommand& c) {
  EnterTransition(c.w, c.shift, c.sender);
  return TTail::Run;
}

TTail Escape(KeyCommand& c) {
  if (!PickListShowing()) return TTail::Run;
  // Finishing the name puts its list away.
  if (c.w.CurrentElement()->Kind() == ekCharacterName) FinishCue(c.w);
  else aids::CloseList();
  return TTail::Run;
}

TTail PageKey(KeyCommand& c) {
  if (PickListShowing()) {
    aids::MoveSelection(c.arg * ListPageStep);
    return TTail::Skip;
  }
  NavigationStep();
  if (c.arg < 0) ScrollPageUp(c.w, c.shift);
  else ScrollPageDown(c.w, c.shift);
  return TTail::Run;
}

TTail NavigationOnly(KeyCommand&) {
  NavigationStep();
  return TTail::Run;
}

TTail EndKey(KeyCommand& c) {
  TMDIChild& w = c.w;
  c.ShiftBlock();
  const std::string& text = w.EditBuffer();
  const int line = CaretLineNow(w);
  std::size_t column = text.size();
  if (line >= w.CurrentElement()->lineCount) {
    if (column > 0 && text[column - 1] == ' ') --column;
  } else {
    // A wrapped line ends before the blank it broke at; a line broken
    // inside a word (or after a hyphen) ends after its last character. A
    // hard-return mark ends its line without being on it.
    column = std::min<std::size_t>(w.LineOffsets()[static_cast<std::size_t>(line)] - 1u, text.size());
    if (column < text.size() && text[column] != ' ' && static_cast<Byte>(text[column]) != HardReturn) ++column;
  }
  EditFields(w).CaretColumn = static_cast<Word>(column);
  return c.Moved();
}

TTail HomeKey(KeyCommand& c) {
  TMDIChild& w = c.w;
  c.ShiftBlock();
  const int line = CaretLineNow(w);
  std::size_t column = line <= 1 ? 0 : w.LineOffsets()[static_cast<std::size_t>(line - 1)];
  while (column < w.EditBuffer().size() && LineOpeningSet.Contains(w.EditBuffer()[column])) ++column;
  EditFields(w).CaretColumn = static_cast<Word>(column);
  return c.Moved();
}

TTail LeftKey(KeyCommand& c) {
  TMDIChild& w = c.w;
  c.ShiftBlock();
  const std::string& text = w.EditBuffer();
  std::size_t column = std::min<std::size_t>(w.CaretColumn(), text.size());
  // In a parenthetical the caret goes no further left than behind its
  // opening parenthesis, or behind the automatic mark of a continued name.
  const bool behindParenthesis =
      w.CurrentElement()->Kind() == ekParenthetical && !text.empty() && text[0] == '(' && column <= 1;
  const bool behindMark = FollowsContinuedName(w, *w.CurrentElement()) && column <= ContinuedMarkEnd(w, text);
  if (column == 0 || behindParenthesis || behindMark) {
    NavigationStep();
    CaretToNeighbour(w, false);
    return c.Moved();
  }
  if (c.Ctrl()) {
    while (column > 0 && text[column - 1] == ' ') --column;
    while (column > 0 && text[column - 1] != ' ') --column;
  } else {
    const CharSet skip = ZeroWidthBytes(w.TaggingUsed != 0);
    --column;
    while (column > 0 && skip.Contains(text[column]) && !(text[column] == '~' && IsLineStart(w, column))) --column;
  }
  EditFields(w).CaretColumn = static_cast<Word>(column);
  return c.Moved();
}

TTail RightKey(KeyCommand& c) {
  TMDIChild& w = c.w;
  c.ShiftBlock();
  const std::string& text = w.EditBuffer();
  std::size_t column = std::min<std::size_t>(w.CaretColumn(), text.size());
  if (column >= text.size()) {
    NavigationStep();
    CaretToNeighbour(w, true);
    return c.Moved();
  }
  if (c.Ctrl()) {
    while (column < text.size() && text[column] != ' ') ++column;
    while (column < text.size() && text[column] == ' ') ++column;
  } else {
    const CharSet skip = ZeroWidthBytes(w.TaggingUsed != 0);
    // Filling out breakdowns, the writer stops at each tag and colour.
    const bool fillOut = LayoutProgramOptions.FillOutBreakdowns;
    ++column;
    while (column < text.size() && skip.Contains(text[column - 1]) &&
           !(fillOut && TagOrColorSet.Contains(text[column - 1])) &&
           !(text[column] == '~' && IsLineStart(w, column + 1)))
      ++column;
  }
  EditFields(w).CaretColumn = static_cast<Word>(column);
  return c.Moved();
}

TTail LineKey(KeyCommand& c) {
  TMDIChild& w = c.w;
  if (PickListShowing() && w.CurrentElement()->Kind() != ekCharacterName) aids::CloseList();
  if (PickListShowing()) {
    if (aids::ListOnScreen()) {
      aids::MoveSelection(c.arg);
      return TTail::Skip;
    }
    aids::CloseList();
  }
  const int line = CaretLineNow(w);
  if ((c.arg < 0 && line <= 1) || (c.arg > 0 && line >= w.CurrentElement()->lineCount)) NavigationStep();
  c.ShiftBlock();
  if (c.arg < 0) MoveCaretLineUp(w);
  else MoveCaretLineDown(w);
  return c.Moved();
}

// The element Ctrl+Up (Ctrl+Down) reaches: the text element before
// (after) the caret's, hidden ones passed over; none at the script's start
// (end).
TScriptElement* ElementReached(const TMDIChild& w, bool down) {
  TScriptElement* e = down ? NextTextElement(w.CurrentElement()) : PreviousTextElement(w.CurrentElement());
  while (e && TakesNoScreenRoom(w, *e)) e = down ? e->next : e->prev;
  return e;
}

// Whether the caret comes to an element on its block end. The caret walks
// the lines to it, the block end following, so it does into an element the
// block has not reached yet; into one it holds, the end must lie on the
// side the caret comes from (the start going down, the end going up).
// Staying in its element, the caret stood where it stood.
bool ComesOnBlockEnd(const TMDIChild& w, const TScriptElement* reached, bool down) {
  if (!reached) return w.CurrentElement()->blockEnd == w.CaretColumn();
  if (reached->blockStart < 0 || reached->blockEnd < 0) return true;
  return down ? reached->blockEnd <= reached->blockStart : reached->blockEnd >= reached->blockStart;
}

// Ctrl+Up and Ctrl+Down go line by line until they reach another element:
// up to the end of its text, down to its start; in the first (last)
// element to its start (end). A block reaches the new caret column at the
// mark the caret came on.
TTail ElementKey(KeyCommand& c) {
  TMDIChild& w = c.w;
  NavigationStep();
  const bool down = c.arg > 0;
  TScriptElement* target = ElementReached(w, down);
  const bool onBlockEnd = w.BlockOn() && ComesOnBlockEnd(w, target, down);
  if (!down && !target) {
    GoToElementStart();
  } else if (!down) {
    GoToElement(w, target, true);
    if (w.EditBuffer() == "\x04" || w.EditBuffer() == " ") EditFields(w).CaretColumn = 0;
  } else if (target) {
    GoToElement(w, target, false);
  } else {
    EditFields(w).CaretColumn = static_cast<Word>(w.EditBuffer().size());
  }
  TScriptElement* reached = w.CurrentElement();
  KeepCaretBehindContinuedMark(w);
  if (w.BlockOn() && reached->InBlock() && reached->blockEnd >= 0) {
    (onBlockEnd ? reached->blockEnd : reached->blockStart) = w.CaretColumn();
    w.WrapScreenText(reached, w.EditBuffer());
    w.RedisplayScreen(false);
  }
  return TTail::Run;
}

TTail InsertKey(KeyCommand&) {
  if (ProgramOptions().AllowTypeover) InsertMode = InsertMode ? 0 : 1;
  return TTail::Skip;
}

void ClickButton(const char* name) {
  if (KeyCommandHooks.ClickButton) KeyCommandHooks.ClickButton(name);
}

// The style buttons of the main window take the key; their codes go in
// at the caret or around the block.
TTail ButtonKey(KeyCommand& c) {
  ClickButton(c.arg == 'B' ? "BoldBtn" : c.arg == 'U' ? "UnderlineBtn" : c.arg == 'Y' ? "ItalicsBtn" : "NormalBtn");
  return TTail::Skip;
}

TTail TransitionKey(KeyCommand& c) {
  if (c.w.BlockOn()) return TTail::Run;
  if (c.w.InteractiveScript) ClickButton("TransitionBtn");
  else if (KeyCommandHooks.TransitionMenu) KeyCommandHooks.TransitionMenu();
  return TTail::Run;
}

TTail ShotKey(KeyCommand& c) {
  if (!c.w.BlockOn() && KeyCommandHooks.ShotMenu) KeyCommandHooks.ShotMenu();
  return TTail::Run;
}

// An interactive script's Action comes from the button, which offers its
// branches.
TTail InteractiveActionKey(KeyCommand& c) {
  if (c.w.InteractiveScript) ClickButton("ActionBtn");
  return TTail::Run;
}

// Ctrl+PgUp and Ctrl+PgDn move by printed page, as the page buttons do.
TTail PrintedPageKey(KeyCommand& c) {
  NavigationStep();
  if (c.w.BlockOn()) ClearBlockSelection(false);
  GotoNeighbourPage(c.w, c.arg > 0);
  return TTail::Run;
}

TTail SceneLetterKey(KeyCommand& c) {
  if (c.w.BlockOn() && c.arg == 'I') {
    ClickButton("ItalicsBtn");
    return TTail::Skip;
  }
  if (c.w.BlockOn()) return TTail::Run;
  StartSceneHeading(static_cast<char>(c.arg), false);
  CompleteSceneHeading(c.sender);
  return TTail::Run;
}

TTail SceneHeadingKey(KeyCommand&) {
  if (ProgramOptions().ControlSIsSave) ClickButton("SaveBtn");
  else aids::InsertSceneHeading();
  return TTail::Run;
}

// Ctrl/Shift+Insert and Shift+Delete reach the clipboard whichever keys the
// clipboard menu items carry.
TTail ClipboardKey(KeyCommand& c) {
  ClickButton(c.arg == 'X' ? "CutBtn" : c.arg == 'C' ? "CopyBtn" : "PasteBtn");
  return TTail::Skip;
}

TTail PickNameKey(KeyCommand& c) {
  if (!c.w.BlockOn() && PickCharacterName(c.w, true) && c.w.CurrentElement()->Kind() == ekCharacterName) FinishCue(c.w);
  return TTail::Run;
}

TTail ScriptNoteKey(KeyCommand& c) {
  if (c.w.BlockOn()) DeleteBlockCommand();
  StartScriptNote(c.w);
  return TTail::Run;
}

TTail AccentKey(KeyCommand& c) {
  PendingDeadKey = static_cast<char>(c.arg);
  return TTail::Skip;
}

TTail TypeKey(KeyCommand& c) {
  char ch = static_cast<char>(c.arg);
  // Ctrl+8 is how a plain asterisk is typed: the asterisk key itself marks
  // revised lines.
  c.w.FormKeyPress(ch == '*' ? nullptr : &c.w, ch);
  return TTail::Run;
}

TTail InvertedQuestionKey(KeyCommand& c) {
  PostMessage(c.w.Handle(), WM_CHAR, 0xBF, 0);
  return TTail::Run;
}

// Ctrl+Minus types a soft hyphen (Ctrl+Shift+Minus a dash), never next to
// a soft hyphen already there.
TTail HyphenKey(KeyCommand& c) {
  const std::string& text = c.w.EditBuffer();
  const std::size_t column = c.w.CaretColumn();
  if ((column < text.size() && text[column] == '~') || (column > 0 && column <= text.size() && text[column - 1] == '~'))
    return TTail::Run;
  // The step comes first: the mark of the revised line is part of the change.
  SaveUndoStep(ukInsert, false, false, 0);
  SetDocumentModified(true, true);
  return TypeKey(c);
}

// Ctrl+Alt+Minus moves the element's right margin in by a tenth of an
// inch, Ctrl+Alt+= out again; the text is wrapped anew.
TTail RightMarginKey(KeyCommand& c) {
  TMDIChild& w = c.w;
  const bool inward = c.arg > 0;
  SaveUndoStep(inward ? ukDelete : ukInsert, false, false, 0);
  SetDocumentModified(true, true);
  TElementFormat& format = w.CurrentElement()->format;
  if (inward && format.LeftMargin + format.RightMargin + 10 < WidestMargins) ++format.RightMargin;
  if (!inward && format.RightMargin > NarrowestRightMargin) --format.RightMargin;
  w.WordWrapText(w.CurrentElement(), w.EditBuffer(), true, true);
  RebuildScreen(&w);
  w.RedisplayScreen(true);
  UpdateCaret();
  w.StartPaginateTimer(w.LayoutDue);
  return TTail::Run;
}

constexpr KeyBinding Bindings[] = {
    {VK_BACK, NoModifier | WithShift | WithCtrl, Backspace},
    {VK_TAB, NoModifier, Tab},
    {VK_TAB, WithShift, ShiftTab},
    {VK_RETURN, AnyModifiers, Enter},
    {VK_ESCAPE, NoModifier, Escape},
    {VK_PRIOR, NoModifier | WithShift, PageKey, -1},
    {VK_NEXT, NoModifier | WithShift, PageKey, 1},
    {VK_PRIOR, WithCtrl, PrintedPageKey, -1},
    {VK_NEXT, WithCtrl, PrintedPageKey, 1},
    {VK_PRIOR, WithAlt, NavigationOnly},
    {VK_NEXT, WithAlt, NavigationOnly},
    {VK_END, NoModifier | WithShift, EndKey},
    {VK_HOME, NoModifier | WithShift, HomeKey},
    {VK_LEFT, NoModifier | WithShift | WithCtrl | WithCtrlShift, LeftKey},
    {VK_RIGHT, NoModifier | WithShift | WithCtrl | WithCtrlShift, RightKey},
    {VK_UP, NoModifier | WithShift, LineKey, -1},
    {VK_DOWN, NoModifier | WithShift, LineKey, 1},
    {VK_UP, WithCtrl | WithAlt, ElementKey, -1},
    {VK_DOWN, WithCtrl | WithAlt, ElementKey, 1},
    {VK_INSERT, NoModifier, InsertKey},
    {VK_INSERT, WithCtrl, ClipboardKey, 'C'},
    {VK_INSERT, WithShift, ClipboardKey, 'V'},
    {VK_DELETE, NoModifier, Delete},
    {VK_DELETE, WithShift, ClipboardKey, 'X'},
    {'I', WithCtrl, SceneLetterKey, 'I'},
    {'E', WithCtrl, SceneLetterKey, 'E'},
    {'S', WithCtrl, SceneHeadingKey},
    {'C', WithCtrl, PickNameKey},
    {'B', WithCtrl, ButtonKey, 'B'},
    {'U', WithCtrl, ButtonKey, 'U'},
    {'Y', WithCtrl, ButtonKey, 'Y'},
    {'N', WithCtrl, ButtonKey, 'N'},
    {'T', WithCtrl, TransitionKey},
    {'H', WithCtrl, ShotKey},
    {'O', WithCtrl, ShotKey},
    {'J', WithCtrl, InteractiveActionKey},
    {VK_F1, WithCtrl, ScriptNoteKey},
    {'2', WithCtrl, AccentKey, '0'},
    {'6', WithCtrl, AccentKey, '^'},
    {VK_OEM_1, WithCtrl, AccentKey, ':'},
    {VK_OEM_COMMA, WithCtrl, AccentKey, ','},
    {VK_OEM_7, WithCtrl, AccentKey, '\''},
    {VK_OEM_3, WithCtrl, AccentKey, '`'},
    {VK_OEM_3, WithCtrlShift, AccentKey, '~'},
    {'8', WithCtrl, TypeKey, '*'},
    {'9', WithCtrlShift, TypeKey, '('},
    {VK_OEM_2, WithCtrl, InvertedQuestionKey},
    {VK_OEM_MINUS, WithCtrl, HyphenKey, '~'},
    {VK_OEM_MINUS, WithCtrlShift, HyphenKey, '-'},
    {VK_OEM_MINUS, WithCtrlAlt, RightMarginKey, 1},
    {VK_OEM_PLUS, WithCtrlAlt, RightMarginKey, -1},
};

// ---- Before and after every command ----

bool IsModifierOrNavigationKey(Word key) {
  return (key >= VK_SHIFT && key <= VK_MENU) || (key >= VK_PRIOR && key <= VK_DOWN);
}

// Editing keys while elements are hidden ask to show them first; Tab and
// Esc do nothing then.
bool EditingAllowed(const TMDIChild& w, Word& key) {
  if (!ElementsHidden(w) || IsModifierOrNavigationKey(key)) return true;
  if (key == VK_TAB || key == VK_ESCAPE) return false;
  if (AskUnhideForEditing()) return true;
  key = 0;
  return false;
}

// What the pick list is matched against: the edit line, or in a cue with
// an extension begun, the extension.
std::string ListFilter(const TMDIChild& w) {
  std::string text = w.EditBuffer();
  if (w.CurrentElement()->Kind() == ekCharacterName) {
    if (const std::size_t paren = text.find('('); paren != std::string::npos) {
      text.erase(0, paren + 1);
      text.resize(std::min(text.find(')'), text.size()));
    }
  }
  return PlainUpperText(text);
}

// Where Right leaves a word for the real-time spelling check.
constexpr CharSet WordEndSet = CharSet{0,   ' ', '!', '"', '$', '&', '\'', '(',  ')',  ',',  '-',  '.',  ':',
                                       ';', '?', '[', ']', '{', '}', 0x91, 0x92, 0x93, 0x94, 0x97, 0xAB, 0xBB};

// A key that takes the caret away from a word typed or mended and not yet
// checked has that word checked first, as typing a blank after it would.
void SpellWordLeft(TMDIChild& w, Word key, unsigned combination) {
  if (!ProgramOptions().RealTimeSpellCheck || !WordPendingSpell) return;
  if (key == VK_BACK || key == VK_DELETE || key == VK_SPACE || (key >= VK_SHIFT && key <= VK_MENU)) return;
  if (key >= 'A' && key <= 255) return;
  const std::string& text = w.EditBuffer();
  const Word caret = static_cast<Word>(std::min<std::size_t>(w.CaretColumn(), text.size()));
  std::size_t at = caret;
  while (at < text.size() && text[at] == ' ') ++at;
  const bool ctrl = (combination & ssCtrl) != 0;
  const bool check = ((key == VK_LEFT || key == VK_RIGHT) && ctrl) ||
                     (key == VK_RIGHT && WordEndSet.Contains(at < text.size() ? text[at] : '\0')) ||
                     (key == VK_LEFT && at > 0 && text[at - 1] == ' ');
  if (check) {
    const std::string before = text;
    EditFields(w).CaretColumn = static_cast<Word>(at);
    aids::SpellWordBeforeCaret();
    const std::size_t stepped = at - caret;
    if (w.EditBuffer() != before)
      EditFields(w).CaretColumn = static_cast<Word>(w.CaretColumn() > stepped ? w.CaretColumn() - stepped : 0);
    else EditFields(w).CaretColumn = caret;
  }
  WordPendingSpell = 0;
}

void CommonTail(TMDIChild& w) {
  if (PickListShowing()) aids::MatchTypedText(ListFilter(w));
  if (!w.Closing) UpdateCaret();
  if (IsNumberedKind(w.CurrentFormat.Kind)) {
    w.RenumberScenes(true);
    w.CurrentFormat = w.FormatSet[fsAction];
  }
}

}  // namespace

void HandleCommandKey(Word& key, TShiftState shift, TObject* sender) {
  TMDIChild* w = ActiveScript();
  if (!w || !w->CurrentElement() || key == 0 || !EditingAllowed(*w, key)) return;
  if (key >= VK_PRIOR && key <= VK_DOWN) PendingDeadKey = 0;
  const unsigned combination = shift.Bits & (ssShift | ssAlt | ssCtrl);
  SpellWordLeft(*w, key, combination);
  for (const KeyBinding& binding : Bindings) {
    if (binding.key != key || (binding.modifiers & Combination(combination)) == 0) continue;
    KeyCommand command{*w, shift, sender, binding.arg};
    key = 0;
    if (binding.run(command) == TTail::Run) CommonTail(*w);
    return;
  }
}

bool ElementsHidden(const TMDIChild& w) { return (w.HiddenKinds & ~(1u << ekScriptNote)) != 0; }

bool AskUnhideForEditing() {
  TMDIChild* w = ActiveScript();
  if (!w || !AskYesNo(UnhideQuestion, PromptTable(0), true)) return false;
  w->HiddenKinds &= 1u << ekScriptNote;
  RebuildScreen(w);
  w->RedisplayScreen(true);
  return true;
}

void DeletePartnerCode(Byte code) {
  if (TMDIChild* w = ActiveScript()) RemovePartner(*w, code);
}

void MarkCutAsRevision() {
  TMDIChild* w = ActiveScript();
  if (!w || !w->CurrentElement() || !ProgramOptions().MarkAllCuts || !w->RevisionMarking) return;
  MarkRevisedLine(*w, false);
  w->WordWrapText(w->CurrentElement(), w->EditBuffer(), true, true);
  w->DisplayElement();
}

void GoToElementStart() {
  TMDIChild* w = ActiveScript();
  if (!w || !w->CurrentElement()) return;
  EditFields(*w).CaretColumn = 0;
  EditFields(*w).CaretLine = 1;
  if (w->CurrentElement()->screenLine < 1) {
    w->CurrentElement()->screenLine = 1;
    RebuildScreen(w);
  }
}

namespace {

// The revised lines of a joined element keep marking the same text: they
// move down by the lines the text before them now takes.
void CarryRevisedLines(TScriptElement& element, const std::string& lines, int shift) {
  if (lines.empty()) return;
  std::string marks = element.revisedLines ? std::string(*element.revisedLines) : std::string();
  for (char c : lines) {
    const int line = static_cast<unsigned char>(c) + shift;
    if (static_cast<unsigned char>(c) == 0 || line < 1 || line > MaxLineCount) continue;
    const char mark = static_cast<char>(line);
    if (marks.find(mark) == std::string::npos && marks.size() < 255) marks += mark;
  }
  element.revisedLines = marks;
}

}  // namespace

bool JoinWithNextElement(bool redisplay, bool addBlank, TMDIChild& window) {
  TScriptElement* e = window.CurrentElement();
  TScriptElement* next = e ? e->next : nullptr;
  if (!next || next->Kind() != e->Kind() || (IsSceneHeading(e->Kind()) && window.ScenesLocked)) return false;
  const std::string second = StoredText(*next);
  std::string first = window.EditBuffer();
  if (first == "\x04" || first == " ") first.clear();
  if (TrimmedLength(second) > 0 && second.size() + TrimmedLength(first) > static_cast<std::size_t>(JoinLimit)) {
    ShowMessageBox(JoinTooLongText, "");
    return false;
  }
  if (!first.empty()) {
    const char last = first.back();
    if (SentenceEndSet.Contains(last) && !SameText(first, "INT.") && !SameText(first, "EXT."))
      first += ProgramOptions().SentenceSpacing;
    else if (addBlank && last != ' ') first += ' ';
  }
  const bool nextOpenedGroup = next->group && next->group->first == next;
  const std::string keptRevised = next->revisedLines ? std::string(*next->revisedLines) : std::string();
  const int nextLines = next->lineCount;
  RemoveElement(window, next);
  EditFields(window).EditBuffer = (first + second).substr(0, MaxElementChars);
  window.WordWrapText(e, window.EditBuffer(), false, false);
  CarryRevisedLines(*e, keptRevised, e->lineCount - nextLines);
  if (nextOpenedGroup) window.RebuildElementGroups();
  ListChanged = 1;
  if (redisplay) {
    RebuildScreen(&window);
    window.RedisplayScreen(true);
  }
  return true;
}

}  // namespace qm
