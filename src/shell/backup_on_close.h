// What closing a script does last, before its window goes: a script kept
// on a removable volume is offered a copy on the hard drive (the script
// folder), and any other script whose file holds changes the backup
// drive lacks is offered a backup there. Either, when it fails, asks before the
// script closes without it.
#pragma once

namespace qm {

class TMDIChild;

enum class TCloseCopies { Close, StayOpen };

// The active script's copies; StayOpen when the writer chose to keep it
// open (Cancel at the backup question, or No to closing without a copy).
// With `unsavedChanges` the window holds changes its file does not, and
// the backup takes the file.
TCloseCopies CopyBeforeClosing(TMDIChild& script, bool unsavedChanges);

}  // namespace qm
