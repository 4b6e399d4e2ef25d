// Fill the pick list (or any list of strings) from the active script and
// its user lists: locations, scenes with their numbers and act and scene
// labels, shots, transitions and branch targets; and the two commands that
// use such lists directly: the drop-down of the element being typed and
// the jump to a scene or branch target.
#pragma once

#include <string>

#include "platform/object.h"
#include "platform/types.h"

namespace qm {

class TStringList;
struct TScriptElement;

enum TPopupListKind : Byte {
  // The Scene Body Text entries, then the locations of all scene
  // headings, less the locations the writer hid.
  plLocationsAndUserList = 0,
  // One entry per scene heading: padded number, act/scene label, heading.
  plScenesWithLabels = 1,
  plLocations = 2,
  plScenes = 3,
  plShots = 4,
  plTransitions = 5,
  // The first heading under each act or scene label, carrying the element.
  plBranchTargets = 6,
};

// The element an entry of a branch-target list stands for; owned by the
// list entry it hangs on.
class TScenePtrObject : public TObject {
 public:
  explicit TScenePtrObject(TScriptElement* element) : Element(element) {}
  TScriptElement* Element;
};

// Replaces the items (unsorted first; sorted and without repeats for the
// location, shot and transition kinds). False without an open script.
bool BuildPopupList(TPopupListKind kind, TStringList& items);

// The location part of a scene heading: with "Strip Known Times Only" the
// text before the first separator and blanks that precede a known time of
// day, otherwise the text before the last separator (one at the very start
// does not count); trailing blanks removed. A heading without one stays
// whole.
std::string SplitLocationTimeOfDay(const std::string& separator, const std::string& heading);
// A blank and as many "-" as the active script puts before a time of day.
std::string BuildTimeOfDaySeparator();

// The drop-down of the element being typed (1 scene heading: locations,
// 2 shot, 6 transition); only with "Use QuickType" on or from a tool
// button. True when the list was not cancelled: an accepted entry, or the
// typed letters that matched no entry, is written into the element.
bool ShowElementPopup(bool quiet, Byte elementType, bool fromToolButton);

// The go-to menu of scenes (or of branch targets), opened on the current
// scene; the caret moves to the chosen one.
void GotoSceneFromList(bool branchTargets);

}  // namespace qm
