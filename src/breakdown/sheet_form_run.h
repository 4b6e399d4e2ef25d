// Printing the breakdown sheets of a script: every scene gathered, the
// chosen ones printed as sheet forms on one print run.
#pragma once

#include <vector>

namespace qm {

class TMDIChild;
class TScriptDocument;
struct TBreakdownRun;

// The sheets of the chosen scenes (0 = the first; all when none is
// chosen). A scene not printed still counts for the breakdown page
// numbers. False when no print run could be opened.
bool PrintSheetsOfScenes(TMDIChild& script, const std::vector<int>& chosen);
// The sheet editor's print button: one scene's sheets.
bool PrintSheetForScene(TMDIChild& script, int scene);
// The sheets of a breakdowns run, in its order: its wanted scenes, whose
// records already hold their associations and cast.
bool PrintSheetsOfRun(const TScriptDocument& script, const TBreakdownRun& run, int linesPerEighth);

}  // namespace qm
