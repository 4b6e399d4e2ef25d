// Rundown sheets of act-and-scene (television) scripts: one row per scene
// heading, gathered act by act, with the scene's characters and
// description, twin rows of one scene merged, printed as a boxed table
// with optional act/scene, day/night and page columns and empty timing
// boxes.
#pragma once

#include <string>
#include <vector>

#include "breakdown/rundown_rows.h"
#include "breakdown/rundown_text.h"
#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {

class TIniFile;
class TMDIChild;
class TScriptDocument;

TRundownOptions ReadRundownOptions(const TIniFile& ini);
// Through "Print Set List" the table's own keys are left as they were.
void WriteRundownOptions(TIniFile& ini, const TRundownOptions& options, bool justSetList);

// Whether the script holds act information or a prologue.
bool HasActInformation(const TScriptDocument& script);

// An act or scene number as the scheme writes it: 1 digits, 2 letters,
// 3 and 4 words (4 in capitals), 5 a blank and a Roman numeral.
std::string NumberingText(int number, Byte displayStyle, bool capitals);

// Every row of the script in order, under its key; the element being
// edited with its edit text.
TRundownRows GatherRundownRows(const TScriptDocument& script);
// Twin rows of one scene: a row without characters takes those of the
// first row of its run; rows at the same location are joined.
void MergeTwinRows(TRundownRows& rows, const TScriptDocument& script);

// A box size typed in inches with one decimal, in tenths: "0.8" is 8,
// "1.25" 12 (digits past the first decimal dropped); `unreadable` when it
// cannot be read.
int BoxTenths(std::string text, int unreadable);
// The day/night column's short form: DAY ONE gives D1, DAY AFTER DAFTER.
std::string DayNightColumnText(const std::string& dayNight);

// The table, on the print run that is open.
void PrintRundownTable(const TRundownRows& rows, const TRundownOptions& options, const TProductionDetails& details,
                       int boxWidthTenths, int minHeightUnits);

// Box sizes as the command reads them: the width in tenths (at most 15,
// after saying so), the least height in tenths (at least 7).
int BoxWidthTenths(std::string text);
int MinHeightTenths(const std::string& text);

// Gathers, merges and prints (or copies the set list) with these choices;
// false when there was nothing to print.
bool ProduceRundown(TMDIChild& script, const TRundownOptions& options, const TProductionDetails& details,
                    bool justSetList);

// The command; `justSetList` through "Print Set List".
void GenerateRundownSheets(bool justSetList);

}  // namespace qm
