// How the list and name tools see the elements of a script.
#pragma once

#include "script/model/script_model.h"

namespace qm {

// Hidden from the lists: a hideable element, its text shown or not.
inline bool IsHiddenFromLists(const TScriptElement& e) { return e.state == esShownHidden || e.state == esHidden; }

inline bool IsListedHeading(const TScriptElement& e) { return IsSceneHeading(e.Kind()) && !IsHiddenFromLists(e); }

// The first element of each group, in script order.
inline bool StartsGroup(const TScriptElement& e) { return !e.prev || !e.group || e.group != e.prev->group; }

}  // namespace qm
