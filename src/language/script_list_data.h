// What the list and name tools keep for one script. It is a component of
// the script window, so it lives and goes with the window.
//
// The script record does not carry these fields yet; when it does, the
// accessors below give its fields instead and this component goes.
#pragma once

#include <array>
#include <string>

#include "language/character_names.h"
#include "language/user_lists.h"
#include "platform/controls.h"
#include "script/script_model.h"
#include "shell/main_form.h"

namespace qm {

class TMDIChild;

// Settings of a script that the script window keeps with it and the list
// tools read.
struct TScriptListSettings {
  // An interactive branching script: scene headings are branch targets.
  bool InteractiveScript = false;
  // "-" between a heading's location and its time of day, and the blanks
  // on each side of them (at least 1).
  Byte TimeOfDayDashes = 1;
  Byte TimeOfDaySpaces = 1;
  bool ActsByLetters = false;
  bool ScenesByLetters = false;
  bool ScenesWithinActs = false;
  // A new scene's information takes ActText 3 rather than "~".
  bool UseSceneInformation = false;
  // The last act of a show may end with the tag text instead.
  bool TagLastAct = false;
  Word LastActNumber = 0;
  // What an emptied heading becomes while scene numbers are locked.
  std::string SceneOmitText = "OMITTED";
  // The automatic extension of a speaker who continues.
  std::string CharacterContinuedText = "CONT'D";
  bool ScreenUpdatingSuspended = false;
  // The open code of the colour the writer types in, 0 for none.
  Byte TypingColorCode = 0;
};

class TScriptListData : public TComponent {
 public:
  explicit TScriptListData(TMDIChild& script);

  TUserListTables UserLists;
  THiddenNames HiddenNames;
  TCharacterNameTable NameTable;
  // The name last chosen for each initial letter.
  std::array<std::string, 256> RememberedNames;
  TUserListMeasure ListMeasure;
  TScriptListSettings Settings;
};

// A program option the list tools read; off while there is no main window.
inline bool ProgramOption(bool TProgramOptions::*option) { return MainForm && MainForm->*option; }

// The script's data, made with its built-in user lists on first use.
TScriptListData& ListData(TMDIChild& script);
inline TScriptListSettings& ListSettings(TMDIChild& script) { return ListData(script).Settings; }
// The active script's lists; null without one.
TUserListTables* ActiveUserLists();

// After a script's lists changed: what the script window reads of them is
// measured again.
void UserListsChanged(TMDIChild& script);

// The number of blanks on each side of a heading's time-of-day dashes
// (at least 1), and the number of dashes.
int GetTimeOfDaySpaces(TMDIChild& script);
int GetTimeOfDayDashes(TMDIChild& script);

}  // namespace qm
