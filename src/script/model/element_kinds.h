// How the list, breakdown and report tools see the elements of a script.
#pragma once

#include "script/model/script_model.h"

namespace qm {

// Hidden from the tools: a hideable element, its text shown or not.
inline bool IsHiddenFromLists(const TScriptElement& e) { return e.state == esShownHidden || e.state == esHidden; }

// Where a scene starts for every list, breakdown and report tool: a scene
// heading the writer has not made hideable. A hidden heading belongs to
// the scene before it.
inline bool IsListedHeading(const TScriptElement& e) { return IsSceneHeading(e.Kind()) && !IsHiddenFromLists(e); }

// The kinds that open a section of an act-and-scene script: act information
// and the prologue always, scene information, and the headings themselves
// in a script that does not use scene information. Kinds only: a hidden
// heading still closes the section before it.
inline bool OpensSection(Byte kind, bool sceneInformation) {
  switch (kind) {
    case ekActInformation:
    case ekActStart:
    case ekPrologueText:
    case ekSceneInformation:
    case ekLockedSceneInformation: return true;
    default: return !sceneInformation && IsSceneHeading(kind);
  }
}

// The first element of each group, in script order.
inline bool StartsGroup(const TScriptElement& e) { return !e.prev || !e.group || e.group != e.prev->group; }

}  // namespace qm
