// Locking a script for production: scene numbers written into the scene
// headings, the page breaks of the day made locked breaks of the current
// revision, the header text locked; and the ways back: unlocking, the
// multi-locks, and the OMITTED headings a locked script leaves behind.
#pragma once

#include <optional>
#include <string>

#include "platform/forms.h"

namespace qm {

class TMDIChild;
class TScriptDocument;
struct TScriptElement;
struct TElementGroup;

// What a lock locks, or what an unlock keeps and does.
struct TLockChoices {
  TCheckBoxState scenes = TCheckBoxState::cbChecked;
  TCheckBoxState pages = TCheckBoxState::cbChecked;
  bool headers = true;
  // Unlocking only.
  bool removeMarks = false;
  bool removeOmitted = false;
  bool unfixHeaders = false;
};

// The header lines and scene CONTINUEDs the pages of a locked script carry.
struct TLockedPageLines {
  std::string line1;
  std::string line2;
  bool continueds = false;
};

// Text lines a page of the script holds with its present settings.
int LinesPerPage(TMDIChild& script);
// The script takes the page lines. When they leave a page fewer lines
// and `offer` is set, the writer is asked to Cheat (the script's line
// spacing tightened so that every page keeps its lines) or to Adjust (the
// page breaks move).
void TakeLockedPageLines(TMDIChild& script, const TLockedPageLines& lines, bool offer);

// The Lock and Unlock commands: the dialog, then the choices applied.
void LockTheScript(TMDIChild& script);
void UnlockTheScript(TMDIChild& script);
// The choices applied without asking.
void LockScript(TMDIChild& script, const TLockChoices& choices);
void UnlockScript(TMDIChild& script, const TLockChoices& keep);

// Multi-Lock > Scenes (true) or Pages (false): switches the multi-lock on
// or (after a question) off, renumbers and reports.
void MultiLockScenesOrPages(TMDIChild& script, bool scenes);

// The largest number the number word holds; past it numbers count on
// from 500.
inline constexpr int MostLockedNumber = 511;
// The number word that locks a scene heading at the number (and letter)
// its group shows now.
// Refusal of the heading commands away from a scene heading.
inline constexpr const char* NotOnSceneHeading = "The Cursor must be on a Scene Heading.";

Word LockedNumberWord(const TScriptDocument& script, const TElementGroup& group);

// Override > Element's Numbering: the heading at the caret left without a
// number, numbered normally, locked (its letter on the usual or the other
// side), made a multi-locked A-scene, given a number typed in, or its
// letter moved to the other side; true when its number was overridden.
bool ChangeSceneNumberingType(TMDIChild& script);
// A scene number typed as "12" or "12B", as the script shows it from its
// scene start offset: its locked number word; nothing for other text.
std::optional<Word> TypedSceneNumber(std::string text, int sceneStart);

// Whether a scene heading stands for omitted scenes.
bool IsOmittedHeading(const TScriptDocument& script, const TScriptElement& heading);
// Removes every OMITTED heading (after a question when asked) and reports
// how many went; the count.
int RemoveAllOmittedSceneHeadings(TMDIChild& script, bool ask);
// The heading at the caret becomes Action, with no OMITTED left behind.
void RemoveSceneHeadingNoOmit(TMDIChild& script);

}  // namespace qm
