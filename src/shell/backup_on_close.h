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
// The backup takes the script's file as saved, never changes the writer
// chose not to save.
TCloseCopies CopyBeforeClosing(TMDIChild& script);

}  // namespace qm
