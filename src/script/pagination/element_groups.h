// Element groups: the runs of elements that are measured, numbered and
// kept on one page together (a scene heading with what it holds on to, a
// speech, a page break, any other element alone). The chain of groups,
// parallel to the element list, is the script's page list.
#pragma once

#include "script/model/cue_codes.h"
#include "script/model/script_model.h"

namespace qm {

class TMDIChild;

// Kinds the pagination and numbering sort elements by.
bool IsHeadingOrShot(Byte kind);  // 1, 2, 9, 16

// The number of elements of a group: the run from its first element of
// those that point back at it (what a group's count must say).
Word GroupRunLength(const TElementGroup* group);

// Every screen line showing the element loses it and is marked for
// painting; with none, every line showing an automatic page break.
void ForgetScreenLinesOf(TMDIChild& window, const TScriptElement* element);

}  // namespace qm
