// Commands that insert elements from the user lists: the act pop-up
// menu's act and scene information, the Scene Heading button and Add
// Dialogue Paragraph.
#pragma once

#include <string>

namespace qm {

class TMDIChild;
class TObject;

// The act pop-up menu's commands, by the names the script window
// remembers the chosen one under.
inline constexpr const char* EndOfActCommand = "EndofActInfoItem";
inline constexpr const char* NewActCommand = "StartNewActItem";
inline constexpr const char* NewSceneCommand = "StartNewSceneItem";

// Carries out the act pop-up command: the end of an act (followed by a new
// act unless the end-of-act text ends the show), a new act, or a new scene
// (scene information in a script that numbers scenes within acts, else act
// information continuing the act). Any other name does nothing.
void InsertActSceneInfo(TMDIChild& script, const std::string& command);

// The Scene Heading button: a new scene heading; with "Use QuickType" on,
// or when the caret is on a heading already, the heading entry goes on as
// if Enter was pressed (not in an interactive script). `sender` is the
// button clicked, whose Enter opens the heading's menus beside it; null
// for the key.
void InsertSceneHeading(TObject* sender);

// A new Dialogue after a cue, dialogue or parenthetical (a beep anywhere
// else); after a dialogue it is set off by one blank line.
void InsertDialogueParagraph();

}  // namespace qm
