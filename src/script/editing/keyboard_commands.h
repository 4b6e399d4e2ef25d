// Every key that is not plain typing reaches the script window's one
// key-command routine: caret moves by character, word, line and element,
// Backspace and Delete with their joins and page-break deletions, insert
// and typeover, accent prefixes, margin nudges and the keys that start
// elements. Tool buttons, menu commands and the pick list call it too,
// with a made-up key.
#pragma once

#include <functional>
#include <string>

#include "platform/types.h"

namespace qm {

class TMDIChild;
class TObject;

// What the key commands call in the main window: a tool button clicked
// by its name, the shot and transition menus, and the question which
// element comes next in an interactive script (the answer is the dialog's
// modal result). Empty, they do nothing.
struct TKeyCommandHooks {
  std::function<void(const std::string& button)> ClickButton;
  std::function<void()> ShotMenu;
  std::function<void()> TransitionMenu;
  std::function<int()> ChooseElementType;
};
extern TKeyCommandHooks KeyCommandHooks;

// The command for a key of the active script; `sender` is the script
// window for real keys, else the button or window that made the key up.
// Key becomes 0 when the command took it.
void HandleCommandKey(Word& key, TShiftState shift, TObject* sender);

// While elements other than script notes are hidden no edit is allowed:
// asks to show them again. True when they were shown.
bool AskUnhideForEditing();
// Whether elements other than script notes are hidden.
bool ElementsHidden(const TMDIChild& window);

// After an inline code was deleted at the caret of the active script's
// edit line, its partner goes too: forward for an opening code, back for
// a closing one (the caret follows when a byte before it goes).
void DeletePartnerCode(Byte code);

// With "Mark All Cuts" on in a script that marks revisions: the caret's
// line, where a deleted element was, is marked revised.
void MarkCutAsRevision();

// The caret to the start of the current element, the element on screen.
void GoToElementStart();

// Appends the next element to the current one when both have one kind
// (never locked scene headings): a sentence end gets the sentence
// spacing, with addBlank a word gets a blank. False, with a message, when
// the joined text would pass 2,500 characters.
bool JoinWithNextElement(bool redisplay, bool addBlank, TMDIChild& window);

inline constexpr const char* JoinTooLongText =
    "Unable to Join Elements because their combined size would be over 2500 characters.";
constexpr int JoinLimit = 2500;

}  // namespace qm
