// The Goto menu's searches for the next element of a kind: A-pages and
// forced page breaks, script notes, hidden text and scene headings. Each
// puts the element it finds near the top of the window; the break and
// note searches are what "Search Again" repeats afterwards.
#pragma once

#include <string>

#include "platform/types.h"

namespace qm {

class TMDIChild;

enum class TGotoTarget : Byte { APage, ForcedBreak, ScriptNote, HiddenText, NextScene, PreviousScene };

// What "Search Again" repeats: the kind of the last search (4 a script
// note, 6 an A-page, 7 a forced break; other kinds belong to the text
// search) and the caption its item shows. Armed tells that a goto search
// set them and the item may be offered.
struct TRepeatSearch {
  Byte kind = 0;
  std::string caption;
  bool armed = false;
};
extern TRepeatSearch RepeatSearch;

// The next A-page or forced page break: the element before it becomes
// current on the window's sixth line. False (after the message) when
// there is none below the caret.
bool SearchNextBreak(TMDIChild& window, TGotoTarget target);
// The next script note, hidden element or scene heading (the previous
// one for PreviousScene): the caret to its start, or to the nearest shown
// element when it is hidden. False (after the message) when none.
bool SearchNextMarked(TMDIChild& window, TGotoTarget target);

}  // namespace qm
