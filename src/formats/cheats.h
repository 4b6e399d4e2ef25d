// Cheating: one element given a format of its own.
#pragma once

namespace qm {

class TMDIChild;

// The "Cheat Element" dialog for the element at the caret; true when it
// closed with OK and the element took the new format. Page breaks have
// no format to cheat: they get a message.
bool CheatElement(TMDIChild& script);

}  // namespace qm
