#include "script/layout/editor_state.h"

#include "base/global_state.h"

namespace qm {

Byte InsertMode;
Byte InteractiveEdit;
Byte PumpBusy;
Byte JobRunning;
int LastTrimmedLength;
Byte ListChanged;
Byte LastUndoKind;
Byte WordPendingSpell;

namespace {

const GlobalState reset([] {
  InsertMode = 1;
  InteractiveEdit = 1;
  PumpBusy = 0;
  JobRunning = 0;
  LastTrimmedLength = 0;
  ListChanged = 0;
  LastUndoKind = 2;
  WordPendingSpell = 0;
});

}  // namespace

}  // namespace qm
