// Background work of the one-thread program: what runs whenever the
// message queue is empty.
#pragma once

#include <array>

#include "platform/types.h"

namespace qm {

// The clipboard commands are re-enabled at the next idle moment.
extern Byte ClipboardCheckDue;

// Writes the timed backups of every modified script (SAVE<slot>.TMB in
// the script folder, each replacing the previous one in one step).
void WriteTimedBackups();

}  // namespace qm
