// Format files (one header record holding a script's formats and
// settings) and the format defaults of new scripts in QUILLPAD.INI.
#pragma once

#include <string>
#include <vector>

#include "script/model/script_document.h"
#include "script/model/script_record.h"

namespace qm {

// Loads the formats, layout, page-breaking, continued, numbering and
// header settings of a format file into the active script, with its user
// lists when asked. For any file but DEFAULT.FMT in the program folder it
// first asks, while the script is not empty, whether to go on. With
// `applyToElements` every element takes its kind's new format (keeping
// its type and number word) and is marked for wrapping again. Without
// `silent` it reports the end, or why the file could not be read.
bool LoadFormatsFile(const std::string& fileName, bool silent, bool withUserLists, bool applyToElements);

// Writes the active script's formats as a format file and says whether
// that worked.
void SaveFormatsFile(const std::string& fileName);
// A format file's bytes: the header record of a script with these
// settings, fonts and user lists, but no password, elements or caret.
std::vector<Byte> FormatsFileImage(const TScriptRecord& record, const TFontNames& fonts);

// The defaults of new scripts, in QUILLPAD.INI: every key has its default
// when it is missing.
void ReadFormatDefaults(TScriptRecord& record);
void SaveFormatsAsDefaults(const TScriptRecord& record);
// The revision colours new scripts take when the settings file names none.
void SetStandardRevisionColours(TScriptRecord& record);
// The record's revision colours and loop choice as the defaults for new
// scripts, in place of those stored before.
void SaveRevisionColoursAsDefaults(const TScriptRecord& record);
// The same for the active script.
void ReadFormatDefaults();
void SaveFormatsAsDefaults();

}  // namespace qm
