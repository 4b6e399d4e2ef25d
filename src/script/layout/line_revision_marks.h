// The revision marks beside revised lines: which wrapped lines of an
// element are marked (the rule the printed page follows too), how many
// marks a line carries once earlier revisions were locked into its text,
// and the marks drawn beside a screen line.
#pragma once

#include <string>

#include "script/model/script_model.h"

namespace qm {

class TMDIChild;

// Whether wrapped line `line` (1-based) of the element is revised now.
bool LineIsRevised(const TScriptElement& element, int line);

// The lock codes at the start of a revised line: 27 for the first locked
// level up to 30 for the fourth and later.
constexpr Byte FirstLockCode = 27;
constexpr Byte LastLockCode = 30;

// How many revision marks a wrapped line carries: the level of a lock code
// at its start, and one more when it is revised now.
int RevisionMarkLevel(const TMDIChild& window, const TScriptElement& element, int line);

// The mark text repeated once per level.
std::string RevisionMarkRun(const TMDIChild& window, int level);

// Draws the marks on the window's canvas at (x, top + offset), never left
// of minX, and for a scene heading whose number shows at the right margin,
// never over that number.
void DrawRevisionMarks(TMDIChild& window, const TScriptElement& element, int level, int x, int top, int offset,
                       int minX);

// The marks beside one painted screen line (1..150), half an inch in from
// the paper's right edge as they print.
void DrawScreenLineRevisionMarks(TMDIChild& window, int line);

}  // namespace qm
