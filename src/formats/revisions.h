// Revisions of a locked script: taking the current revision marks away
// (all of them, or from the caret down) and starting the next revision,
// which clears the marks, fixes the A-pages, locks the header text, moves
// the script on to the next revision colour and opens the title page
// publisher for the new colour.
#pragma once

namespace qm {

class TMDIChild;

// Who asks for the marks to go: the Remove command asks the writer first;
// the other commands that clear them as one of their steps do not, and
// Fix (Lock) All Headers also locks the header text.
enum class TMarksRemoval { AskFirst, Silently, FixingHeaders };

// False when the writer refused.
bool RemoveRevisionMarks(TMDIChild& script, TMarksRemoval how, bool wholeScript);
void StartNewRevision(TMDIChild& script);
// Goto > Next Current Revision Mark: the caret to the first marked line of
// the next element with marks; false, with a message, when there is none.
bool GotoNextRevisionMark(TMDIChild& script);

}  // namespace qm
