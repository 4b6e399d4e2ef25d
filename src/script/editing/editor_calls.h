// The editing surface: the script window's editing routines as the other
// subsystems call them (the list tools now; the clipboard, search,
// spelling, tagging and the cards as they come). Each stands in one place
// for the window's own routine of the same purpose, doing what callers
// rely on, so that nothing outside the script folder edits a script but
// through here.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/types.h"
#include "script/editing/block_deletion.h"
#include "script/editing/block_selection.h"
#include "script/model/script_model.h"
#include "script/pagination/repagination.h"

namespace qm {
class TMDIChild;
class TObject;
}  // namespace qm

namespace qm::editor {

// The current element's text into the edit line; nothing when it is
// there already.
void DisAssemble(TMDIChild& script);
// The edit line back into the current element (a cue upper case up to its
// "(", and its name into the name table); nothing when it is stored.
void Assemble(TMDIChild& script);
// A read of the script with its edit line stored first, so that the element
// being edited reads as leaving it would store it; unpacked again after.
template <typename Read>
auto WithEditLineStored(TMDIChild& script, Read&& read) {
  Assemble(script);
  auto result = read();
  DisAssemble(script);
  return result;
}
// Starts a new element with the format at the caret: an empty current
// element takes the format itself; otherwise the new element goes before
// the current one when the caret is at its column 0 (unless `forceAfter`),
// else after it. The new element is current, its edit line empty, the
// caret at column 0.
TScriptElement* NewElement(TMDIChild& script, const TElementFormat& format, bool forceAfter);
// The same as the writer starts one at the caret, the one way every
// command puts an element there: a name is never cut (the caret goes to
// its nearer end), an element that is not part of a speech, started inside
// one, first repeats the speaker's name so that the rest of the speech
// keeps it, and the element is always an empty one (an empty current
// element itself, never the words after the caret).
TScriptElement* StartElementAtCaret(TMDIChild& script, const TElementFormat& format, bool forceAfter);
// After the edit line changed: rewraps the current element, repaints it
// and places the caret.
void RedisplayCurrent(TMDIChild& script);
// Typing and the modified state belong to the active script, whose edit
// line holds the element being typed: these two take no other.
// Types a character into its edit line at the caret (the caret stays);
// false when the element is too long to take it or no script is active.
bool TypeIntoActiveScript(char ch);
// Before text is typed in place of other text: the chosen revision
// colour's codes round the caret, as the typing keys do.
void EnterRevisionColour(TMDIChild& script);
// Whether the edit line can take `text` typed in where `replaced`
// characters go, the revision colour's codes round it included.
bool RoomToType(const TMDIChild& script, std::size_t replaced, const std::string& text);
// Puts text in at the caret as typing does (inside the chosen revision
// colour's codes), the caret after it; gives the column where it begins.
// The caller has made sure of the room.
Word TypeAtCaret(TMDIChild& script, const std::string& text);
// After text was typed in place of other text: the caret's line is marked
// revised while the script marks revisions.
void MarkCaretLineRevised(TMDIChild& script);
// After a change: the active script is modified (nothing for a script
// opened for reading only).
void SetActiveScriptModified();
// After a change that leaves the text of every line as it was (a bookmark,
// the names lists, an element colour, a tag's codes): the active script
// is modified, and no line is marked revised.
void SetActiveScriptModifiedUnrevised();
// Changes one element's text where it stands (wrapped again, nothing
// drawn) and keeps the current element; true when `change` changed it.
// The caller lays the screen out once after a run of these.
bool RewriteElementText(TMDIChild& script, TScriptElement& element, const std::function<bool(std::string&)>& change);
// Lays the window's screen out again and repaints it.
void RedisplayScreen(TMDIChild& script);
// Before a change: an undo step of the kind (3 moves the caret only).
void SaveUndoStep(TMDIChild& script, Byte kind);
// An Enter key to the script window's own key handling; with a sender
// (a tool button) the Enter is that button's made-up key.
void PassEnterKey(TMDIChild& script, TObject* sender = nullptr);
// Numbers the acts and scenes again.
void RenumberScenes(TMDIChild& script);
// What pagination remembers of the elements it cut and the names it
// repeated, to go with a copy of the script and come back with it.
TPaginationMemory TakePaginationMemory(TMDIChild& script);
void GivePaginationMemory(TMDIChild& script, const TPaginationMemory& memory);
// The automatic continued marks brought up to date (every user action ends
// so; a command that saves or reads a mark it just caused calls it first).
void UpdateContinuedCues(TMDIChild& script);
// The names taken with the marks they carry: a script just read, or given
// back by Undo or Redo (with the caret back in a name being typed).
void SettleContinuedCues(TMDIChild& script, bool nameBeingTyped = false);
// A script just read: what its page breaks took from the elements they
// stand before is taken again, as the pass that put them there had it.
void SettleTakenLinesBefore(TMDIChild& script);
// Whether the caret is in a name the writer is typing.
bool NameBeingTyped(TMDIChild& script);
// Where the caret's line begins on the screen.
TPoint CaretScreenPoint(TMDIChild& script);
// The caret to the start of an element, the screen laid out round it.
void MoveCaretTo(TMDIChild& script, TScriptElement& element);
// The caret to a client point of the window, as a click puts it there (one
// undo step that moves the caret only).
void MoveCaretToPoint(TMDIChild& script, TPoint point);
// The same, the element shown where jumps land: on the sixth screen line,
// or on the first when it opens the script.
void MoveCaretToLanding(TMDIChild& script, TScriptElement& element);
// The element becomes current with its text in the edit line (the edited
// text stored first) and the caret at its column 0, with no screen work:
// for passes over many elements that lay the screen out once at their end
// (RedisplayScreen).
void TakeElement(TMDIChild& script, TScriptElement& element);
// Deletes the current element (never the script's only one); the one
// before it (or after, at the start) becomes current.
void DeleteCurrentElement(TMDIChild& script);
// Rewraps the current element's edit line without painting it.
void RewrapCurrent(TMDIChild& script);
// The edit line and every element that forgot its lines (new formats make
// them forget) wrapped again at the script's own widths, without painting.
void RewrapForgottenLines(TMDIChild& script);
// The caret to the end of the script's last element (where text is
// appended).
void MoveCaretToScriptEnd(TMDIChild& script);
// The window's hint line on the status bar.
void SetHint(TMDIChild& script, const std::string& hint);

// ---- The edit line ----
// The caret's column in the edit line; its line as given (SetCaret) or
// left for the next rewrap to find.
void SetCaretColumn(TMDIChild& script, std::size_t column);
void SetCaret(TMDIChild& script, std::size_t column, Word line);
// The edit line's text replaced, or changed in place; the caret stays
// where it was and nothing is rewrapped or drawn.
void SetEditText(TMDIChild& script, std::string text);
void ChangeEditText(TMDIChild& script, const std::function<void(std::string&)>& change);
// Points the edit line at an element and moves no text: for passes that
// store and unpack each element themselves (Assemble, DisAssemble).
void SetCurrentElement(TMDIChild& script, TScriptElement* element);
// A script just read: its edit line is empty and not yet unpacked, on the
// element at the caret's column and line.
void ResetEditLine(TMDIChild& script, TScriptElement* element, std::size_t column, Word line);

// ---- The block ----
// One element's share of the block: the selected columns, start before end.
struct TBlockSpan {
  TScriptElement* element;
  int start;
  int end;
};
// The block's elements in script order with their selected columns.
std::vector<TBlockSpan> BlockSpans(TMDIChild& script);
// Marks the text from one place to a later one as the block (any block
// before goes), the caret at its end.
void MarkBlock(TMDIChild& script, TScriptElement& from, int fromColumn, TScriptElement& to, int toColumn);
// Takes the block away; with repaint the screen is drawn again.
void ClearBlock(TMDIChild& script, bool repaint);
// Takes the block's marks out of the elements and nothing else: the
// screen and the block commands are left as they are.
void DropBlockMarks(TMDIChild& script);
// A move made with Shift held: a block starts at the caret unless one
// exists.
void AnchorBlockAtCaret(TMDIChild& script);
// The caret to the element's start, the block reaching it there.
void ReachBlockTo(TMDIChild& script, TScriptElement& target);
// Removes the block's text from the script (the clipboard is not
// touched); false when there was none. A point given is carried along to
// where its text went.
bool DeleteBlock(TMDIChild& script, TTextPoint* follow = nullptr);
// Before a cut while scene numbers are locked: an omitted scene heading
// the block runs on from is marked whole, so that it goes whole.
void TakeOmittedHeadingsWhole(TMDIChild& script);
// A Select command on the active script by selection level (slWord,
// slSentence, slElement, slGroup, slScene; slAll for Select All).
void SelectInActiveScript(TSelectionLevel level);

}  // namespace qm::editor
