// The headers of a locked script's pages. Each forced, locked,
// multi-locked or fixed A-page break can carry the header its page had
// when it was fixed (its stored text: header line 1, then a carriage
// return and line 2, or line 1 and 0x8D when there is no line 2) and the
// revision its page belongs to (the low byte of its number word); the
// first page keeps its revision in the script. Fixing stores the current
// header into the breaks, flexing gives them the current one again,
// unlocking the header text lets every page take the current header.
#pragma once

#include <string>

namespace qm {

class TMDIChild;
class TScriptDocument;
struct TScriptElement;

// The current header as a break stores it.
std::string CurrentHeaderText(const TScriptDocument& script);
// The header a page shows: the break's own when it carries one, else the
// current header.
std::string PageHeaderText(const TScriptDocument& script, const TScriptElement* pageStart);

// The page starting at the break (null: the first page) takes the current
// revision and header.
void UpdatePageHeader(TScriptDocument& script, TScriptElement* pageStart);
// Every hard break without a header of its own keeps the current one.
void StoreCurrentHeaders(TScriptDocument& script);
// Fix (Lock) All Headers: the current marks go without a question, the
// header text is locked and every hard break keeps the header it shows.
void FixAllHeaders(TMDIChild& script);
// Flex All Headers: every fixed header (or those from the caret down)
// becomes the current one.
void UnfixAllHeaders(TMDIChild& script, bool wholeScript);
// Override > Page's Header/Draft Color: the header lines and revision of
// the caret's page, when it starts with a forced, fixed or locked break;
// true when they were changed.
bool CheatPageHeader(TMDIChild& script);
// Unlock Headers: the header text is no longer locked; every page shows
// the current header.
void UnlockHeaderText(TMDIChild& script);

}  // namespace qm
