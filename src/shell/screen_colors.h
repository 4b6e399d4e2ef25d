// The screen colours of the script windows, the seven user colours of a
// script and the colours of its script notes.
#pragma once

#include <array>
#include <string>

#include "base/program_options.h"
#include "platform/types.h"
#include "script/model/script_model.h"
#include "script/model/script_record.h"

namespace qm {

class TMDIChild;

// ---- Script notes --------------------------------------------------------

// The active script's note colour at `index`; an index of 26 or more, or an
// unset entry, resets it to 0 and gives entry 0. No script: 65535.
TColor NoteColor(int& index);
// Clears the entries no note uses, then folds entries of the same colour
// into the lowest and renumbers the notes that used the others.
void MergeNoteColors(TMDIChild& window);
// Notes whose colour is marked stay as they are asked (shown when
// keepVisible, hidden otherwise); the others take the opposite.
void ApplyNoteSelection(TMDIChild& window, const std::array<bool, NoteColourCount>& marked, bool keepVisible);

// ---- User colours --------------------------------------------------------

// The open code of user colour 1..7, and the colour (1..7) of an open code
// (any other code gives 1).
Byte UserColorOpenCode(int color);
int UserColorOfCode(Byte code);
// The User Defined Color button shows the active script's user colour of
// an open code.
void ApplyUserColorCode(Byte code);
// The 14 bytes of the user-colour pairs, as the conversion question lists them.
std::string UserColorCodeList();
// The user-colour bytes are codes exactly while the script uses user colours.
void UpdateColorCodeSets(TMDIChild& window);
// Asks to turn the 14 bytes into codes when the script does not use user
// colours yet; false when the writer declined.
bool ConvertToUserColors(TMDIChild& window);
// Shows the user-colour dialog for the active script: the chosen colour as
// 4..10, or 0 when none was chosen. With setMenus the main window's colour
// items follow.
int ChooseUserColor(bool setMenus, const std::string& caption, Byte currentCode);

// ---- Screen colours ------------------------------------------------------

// The four colours given back to the script windows and stored; the
// desktop's own colours set "Use Win Colors".
void ApplyScreenColors(const TScreenColors& colors, bool colorAsBackground);

}  // namespace qm
