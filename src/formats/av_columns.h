// A/V columns: the elements of a two-column script set in the left or
// right column with that column's margins, or back to full width.
#pragma once

#include "platform/types.h"

namespace qm {

class TMDIChild;

// The column margins dialog; true when it closed with OK: the script took
// the margins and its column elements were set to them.
bool ShowAVColumnsDialog(TMDIChild& script);

// The element at the caret goes into column 1 or 2 with that column's
// margins, or (0) back to its kind's full width. Page breaks stay as they
// are; false then.
bool SetElementColumn(TMDIChild& script, Byte column);

}  // namespace qm
