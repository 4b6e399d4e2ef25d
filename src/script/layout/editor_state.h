// Program-wide bytes of the editor that the key handlers, the layout
// passes and long jobs share.
#pragma once

#include "platform/types.h"

namespace qm {

// 1 insert, 0 typeover (the Insert key toggles it).
extern Byte InsertMode;
// 1 while changes come from the user's typing; replays and rebuilds clear
// it, which switches the typing aids off.
extern Byte InteractiveEdit;
// The re-entry guard of ProcessMessagesGuarded.
extern Byte PumpBusy;
// 1 while a long job pumps messages: the window ignores key commands and
// resizing, and queues typed keys.
extern Byte JobRunning;

}  // namespace qm

namespace qm {

// The trimmed length of the edit buffer when it was last stored.
extern int LastTrimmedLength;
// Set when elements were added or removed; read by the idle loop.
extern Byte ListChanged;
// The kind of the last recorded undo step.
extern Byte LastUndoKind;
// Set while typing or a deletion has left a word the real-time spelling
// check has not seen; the check clears it.
extern Byte WordPendingSpell;

}  // namespace qm
