// The modified state of a script and the arming of the program-wide
// timed backup after every change.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace qm {

class TMDIChild;
struct TScriptElement;

// When the idle loop writes timed backups, in tenths of a second; 0 when
// none is pending.
extern std::int64_t TimedBackupDue;
// Tenths of a second the current due time has been pushed back.
extern Word BackupPostponed;

// The program's time in tenths of a second, from the platform's 64-bit
// monotonic clock so that nothing stalls when a 32-bit count would wrap.
std::int64_t TickNow();

// Undo step kinds.
enum TUndoKind : Byte { ukInsert = 0, ukDelete = 1, ukWholeScript = 2, ukNavigation = 3 };

// Before a change: records an undo step unless the change continues the
// step of the same kind that is running.
void SaveUndoStep(Byte kind, bool wholeScript, bool force, Byte extra);
// After a change (modified) or a save (not modified) of the active script.
void SetDocumentModified(bool modified, bool markRevision);
// Whether the script in a slot holds nothing but one empty element.
bool IsDocumentEmpty(int slot);

}  // namespace qm
