// Delete Word and Delete Left Word: a whole word of the edit line goes,
// with the blanks that follow it.
#pragma once

namespace qm {

class TObject;

// The menu commands: the item named "DeleteLeftWordItem" deletes the word
// at or before the caret, any other the word at or after it.
void DeleteWordAtCaret(TObject* sender);
// The two variants, for callers without a menu item.
void DeleteWord(bool leftWord);

}  // namespace qm
