// Locked levels of revision marks: the current marks of every revised
// line become a lock code (27 to 30) at the line's start, so that one line
// can carry the marks of several revisions; and the last level is taken
// away again. At most five levels exist.
#pragma once

#include "platform/types.h"

namespace qm {

class TMDIChild;

// The script's level, 0 to 4 (shown to the writer one higher). A script
// read from a file finds it from the highest lock code in its text.
Byte LockingLevel(TMDIChild& script);
// The level as a settings image gives it back (kept to 0 to 4).
void SetLockingLevel(TMDIChild& script, Byte level);
// A script just read into its window: the level its text holds, whatever
// the window held before.
void FindLockingLevel(TMDIChild& script);
// The code of a level.
char LockCodeOfLevel(int level);

// Lock Current Rev. Marks and Unlock One Rev. Mark Level.
void LockRevisionMarks(TMDIChild& script);
void UnlockRevisionMarkLevel(TMDIChild& script);

}  // namespace qm
