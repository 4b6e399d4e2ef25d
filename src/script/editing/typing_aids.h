// The writer's aids of the language tools that the editing routines call
// while a script is typed: the pop-up pick list at the caret, the lists of
// the script's character names and locations, and the aliases of its user
// lists. The language tools set the members when the program starts;
// while a member is empty its aid is simply not there.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace qm {

class TMDIChild;

struct TTypingAidHooks {
  // The pick list: whether it shows, and on the screen; closing it; its
  // selected entry (none when nothing is selected); moving the selection
  // by a number of entries; type-ahead of what the edit line holds.
  std::function<bool()> ListShowing;
  std::function<bool()> ListOnScreen;
  std::function<void()> CloseList;
  std::function<std::optional<std::string>()> SelectedEntry;
  // Whether the list shows a cue's extensions rather than its names.
  std::function<bool()> ListOffersExtensions;
  std::function<void(int step)> MoveSelection;
  std::function<void(const std::string& typed)> MatchTypedText;
  // The script's character names beginning with the letter (every name for
  // the zero character), the names the writer hid left out, in the list
  // at the caret until one is chosen; without the SmartTabPlus guess when
  // asked. Says so when there are none, when asked.
  std::function<std::optional<std::string>(char initial, bool sayWhenNone, bool withoutGuess)> PickCharacterName;
  // The first of the script's names with the initial; empty for none.
  std::function<std::string(char initial)> FirstCharacterName;
  // Every name of the script, hidden ones too.
  std::function<std::vector<std::string>()> AllCharacterNames;
  // While a cue is typed: the names that begin with what was typed.
  std::function<void(TMDIChild& script)> OfferCharacterNames;
  // The location list of a scene heading, when it holds one to pick;
  // false when nothing was offered.
  std::function<bool(bool fromTool)> OfferLocations;
  // After "<" in a shot of a branching script: the script's variables at
  // the caret, the one chosen typed in.
  std::function<void(TMDIChild& script)> OfferVariables;
  // The user lists' aliases typed in the edit line, replaced by their texts.
  std::function<bool(bool wholeLine, bool testOnly)> ExpandSceneTextAlias;
  std::function<bool(bool testOnly)> ExpandShotTextAlias;
  std::function<bool(bool testOnly)> ExpandTransitionAlias;
  std::function<bool(bool testOnly)> ExpandPrologueOrTagAlias;
  std::function<bool()> ExpandActTextAlias;
  std::function<bool()> ExpandSameActAlias;
  std::function<bool()> ExpandNewSceneAlias;
  std::function<bool()> ExpandEndOfActAlias;
  // The scene-heading command (Ctrl+S unless that key saves).
  std::function<void()> InsertSceneHeading;
  // The real-time spelling check of the word before the caret, about to
  // be ended by a typed character; false when it was not accepted.
  std::function<bool()> SpellWordBeforeCaret;
  // A script window became active: its spelling dictionary follows.
  std::function<void(TMDIChild& script)> ScriptActivated;
};
extern TTypingAidHooks TypingAidHooks;

// The calls as the editing routines make them: each answers "no" or does
// nothing while its member is empty.
namespace aids {

bool ListShowing();
bool ListOnScreen();
void CloseList();
std::optional<std::string> SelectedEntry();
bool ListOffersExtensions();
void MoveSelection(int step);
void MatchTypedText(const std::string& typed);
std::optional<std::string> PickCharacterName(char initial, bool sayWhenNone, bool withoutGuess);
std::string FirstCharacterName(char initial);
std::vector<std::string> AllCharacterNames();
void OfferCharacterNames(TMDIChild& script);
bool OfferLocations(bool fromTool);
void OfferVariables(TMDIChild& script);
bool ExpandSceneTextAlias(bool wholeLine, bool testOnly);
bool ExpandShotTextAlias(bool testOnly);
bool ExpandTransitionAlias(bool testOnly);
bool ExpandPrologueOrTagAlias(bool testOnly);
bool ExpandActTextAlias();
bool ExpandSameActAlias();
bool ExpandNewSceneAlias();
bool ExpandEndOfActAlias();
void InsertSceneHeading();
bool SpellWordBeforeCaret();
void ScriptActivated(TMDIChild& script);

}  // namespace aids

}  // namespace qm
