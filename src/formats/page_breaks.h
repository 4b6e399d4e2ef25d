// The page-break commands: a break put in before the caret (a forced page
// in an unlocked script, the kind the writer picks in a locked one), a
// hard break beside the caret taken out, and the break that starts the
// caret's page changed into another kind.
#pragma once

#include "platform/types.h"

namespace qm {

class TMDIChild;
class TScriptDocument;
struct TScriptElement;

// Add Forced Page Break.
void InsertPageBreak(TMDIChild& script);
// Remove Forced Page: the hard break before the caret (Backspace at the
// element's start) or after it (Delete at its end).
void RemoveForcedPageBreak(TMDIChild& script);
// Override > Page Break Type.
void ChangePageBreakType(TMDIChild& script);
// Fix All A-Pages: every automatic break becomes a fixed A-page (a
// multi-locked page before a fixed A-page of a multi-locked script).
// Flex All A-Pages (after the writer types YES): every fixed A-page
// becomes automatic again.
void FlexOrFixAPages(TMDIChild& script, bool flex);
// What either command changes, without its question or undo step, for a
// command that has recorded its own step first.
void ChangeAPageBreaks(TMDIChild& script, bool flex);

// The page-break element that starts the page holding `element` (itself
// when it is one); null on the first page.
TScriptElement* PageStartBreak(TScriptElement* element);

// The number word a locked break gets when it is made now: the page
// belongs to the revision being made.
Word NewPageRevisionWord(const TScriptDocument& script);

}  // namespace qm
