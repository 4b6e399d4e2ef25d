// Accent composition after a dead key: the key-command routine remembers
// the accent key; the next typed character is composed with it.
#pragma once

namespace qm {

// The accent key waiting for its letter, 0 when none.
extern char PendingDeadKey;

// The character the pending dead key makes of `typed` (typed itself when
// no accented form exists). A typed character of 32 or above uses up the
// dead key whether or not a letter matched.
char ComposeDeadKey(char typed);

}  // namespace qm
