// Editing a script's element formats and its numbering and page-breaking
// options in the "Script Formats" dialog.
#pragma once

#include <string>

#include "script/model/script_record.h"
#include "script/script_window.h"

namespace qm {

class TEditScriptFormatsDlg;

// Fills the dialog from the settings and the script's font names.
void LoadFormatsDialog(TEditScriptFormatsDlg& dialog, const TScriptSettings& settings,
                       const std::array<std::string, FontNameCount>& fonts);
// Reads the dialog back into the settings. A value outside its limits
// stores nothing: `error` names it and the result is false.
bool StoreFormatsDialog(const TEditScriptFormatsDlg& dialog, TScriptSettings& settings,
                        std::array<std::string, FontNameCount>& fonts, std::string& error);

// Every element whose format slot changed takes the new format (keeping
// its kind and number word) and is wrapped again.
void ApplyChangedFormats(TMDIChild& script, const TFormatSet& before);

// The "&Edit Script Formats..." command: true when the dialog closed with
// OK and the script was laid out again; `saveAsDefaults` tells whether
// the writer asked to keep these formats for new scripts.
bool EditScriptFormats(TMDIChild& script, bool& saveAsDefaults);

}  // namespace qm
