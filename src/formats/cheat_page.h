// Cheating one page: the elements of the page at the caret take tighter
// (or looser) spacing between and within them, so that the page holds
// lines more (or fewer) and the pages after it follow; and Reset Cheated
// > Page, which gives the elements of a page their kind's format again.
#pragma once

#include <string>

#include "script/editing/reformat.h"

namespace qm {

class TMDIChild;

// "&Cheat" > "&Page": the questions, the "Cheat the Page" dialog and the
// cheat; true when the page was cheated.
bool CheatThePage(TMDIChild& script);

// The page at the caret made to hold `lines` more lines (fewer when
// negative) and the script laid out again. False, with `error` saying
// why and nothing changed, when its spacing cannot give or take that much.
bool CheatPageLines(TMDIChild& script, int lines, std::string& error);

// What Reset Cheated > Page takes back.
struct TPageResetParts {
  TDefaultFormatParts format;
  bool keptTogether = false;
  bool noteColors = false;
};

// "&Reset Cheated" > "&Page": the choice, then the reset; true on OK.
bool ResetThePage(TMDIChild& script);
// Every element of the page at the caret takes the chosen parts of its
// kind's format back, and the script is laid out again.
void ResetPage(TMDIChild& script, const TPageResetParts& parts);

}  // namespace qm
