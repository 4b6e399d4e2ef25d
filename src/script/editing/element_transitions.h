// What Enter, Tab, Shift+Tab and the scene-heading and name keys make of
// the element being typed: the next element's type comes from the current
// one, the caret, the program options and the script's user lists, so a
// writer never picks a type from a menu while typing.
#pragma once

#include <string_view>

#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {

class TMDIChild;
class TObject;

// ---- Editor steps the transitions and the key commands share ----

// Whether the pop-up pick list is up.
bool PickListShowing();
// Lays the screen out again around the caret and paints what changed.
void RedrawScreen(TMDIChild& window);
// The edit line becomes the text (cut to what an element holds), the caret
// goes to its end, and the element is rewrapped and repainted.
void ReplaceEditLine(TMDIChild& window, std::string_view text);
// The nearest element after (before) one that is not a page break; null
// when there is none.
TScriptElement* NextTextElement(TScriptElement* element);
TScriptElement* PreviousTextElement(TScriptElement* element);
// Steps the edit line element by element to the target, which lies after
// (or before) the current element, and puts the caret at column 0 or at
// the end of its text.
void GoToElement(TMDIChild& window, TScriptElement* target, bool atEnd);
// The text of a stored element as the edit line holds it.
std::string StoredText(const TScriptElement& element);

// How a transition's new element is made.
struct TNewElementFlags {
  // Never reuse or split the current element: the new one goes after it.
  bool forceAfter = false;
  // The new element keeps the current format's type even inside a speech.
  bool keepType = false;
  // The new element goes on with the step of what was typed before it;
  // it opens a step of its own only where that step could not go on.
  bool continuesStep = false;
};
// A new element of a format slot (with another kind when `kind` is given)
// after an undo step, with the repagination scheduled and the script
// marked modified.
void StartElementOfSlot(TMDIChild& window, int slot, TNewElementFlags flags = {}, int kind = -1);

// ---- The transitions ----

// The Enter key (also a tool button's made-up Enter: `sender` tells).
void EnterTransition(TMDIChild& window, TShiftState shift, TObject* sender);
// Tab (key 9) and Enter's way to a new speech (key 13): a new Character
// Name, or with "Tab To Parenth" a Parenthetical after a cue or dialogue.
void StartCharacterName(Word key);
// Ctrl+F1 and the note button: a new Script Note (before a cue at the caret).
void StartScriptNote(TMDIChild& window);
// Shift+Tab: a cue for the other speaker of the last exchange.
void StartOtherSpeaker(TMDIChild& window);
// Ctrl+C (and Enter on an empty cue): a name from the script's names,
// inserted at the caret. True when one was inserted.
bool PickCharacterName(TMDIChild& window, bool sayWhenNone);
// A cue finished as Enter finishes it once a name was picked (or with the
// list of names up, put away without its choice): the name remembered, an
// open extension closed, and the caret on into the cue's dialogue.
void FinishCue(TMDIChild& window);
// A new Scene Heading; with a letter it holds the SceneText entry whose
// alias (or text) begins with that letter.
void StartSceneHeading(char letter, bool showMenu);
// "(" typed in a cue: a name picked in the list showing is taken, then the
// script's extensions are offered at the caret.
void OfferCueExtension(TMDIChild& window);
// After Ctrl+I or Ctrl+E: the location list, then (with the time of day
// offered) a new Action when a location was picked. True when it started
// the Action.
bool CompleteSceneHeading(TObject* sender);
// The menu of the script's times of day that ends the heading being typed
// (none while QuickType is off, unless a tool button asked, nor when the
// heading already ends with one of them).
void ShowTimeOfDayPopup(TObject* sender);
// The time-of-day menu once more, after a time of day was added to a
// heading from the menu shown again.
void OfferTimeOfDayAgain(TMDIChild& window);
// The kind a new scene heading takes while the scene numbers are locked:
// added headings are lettered (9), or dashed (16) before another added
// heading in a multi-locked script; one after every heading is plain (1).
Byte LockedHeadingKind(const TMDIChild& window, const TScriptElement* from);

}  // namespace qm
