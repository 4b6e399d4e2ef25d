// How the list and name tools see the elements of a script.
#pragma once

#include "script/script_model.h"

namespace qm {

inline bool IsSceneHeadingKind(Byte kind) {
  return kind == ekSceneHeading || kind == ekASceneHeading || kind == ekDashASceneHeading;
}

// Hidden from the lists: a hideable element, its text shown or not.
inline bool IsHiddenFromLists(const TScriptElement& e) { return e.state == esShownHidden || e.state == esHidden; }

inline bool IsListedHeading(const TScriptElement& e) { return IsSceneHeadingKind(e.Kind()) && !IsHiddenFromLists(e); }

// Where a scene begins or ends for the name tools: a heading, act or
// scene information, prologue or end-of-act text.
inline bool IsSceneBoundary(Byte kind) {
  switch (kind) {
    case ekSceneHeading:
    case ekASceneHeading:
    case ekActInformation:
    case ekSceneInformation:
    case ekActStart:
    case ekPrologueText:
    case ekEndOfActText:
    case ekDashASceneHeading:
    case ekLockedSceneInformation: return true;
    default: return false;
  }
}

// The first element of each group, in script order.
inline bool StartsGroup(const TScriptElement& e) { return !e.prev || !e.group || e.group != e.prev->group; }

}  // namespace qm
