// Loading a script's user lists from files other than the settings file:
// another script's header record, and the character names of a StoryDev
// exchange file. Lists kept by other programs whose layout this program
// does not know are refused with a message that names them.
#pragma once

#include <string>

namespace qm {

// The writer is told this when asking for a Collaborator list.
inline constexpr const char* CollaboratorListMessage =
    "Collaborator lists cannot be read by this program: the layout of their files is not known to it.\r\r"
    "Save the list as plain text in Collaborator and use \"Load User Lists from\" > \"ASCII List\" instead.";

// Every user list of the active script taken from the native script file
// (Windows variant) `fileName`; nothing else of the script changes. A
// missing, unreadable or damaged file, or one without lists, is reported
// and changes nothing. True when the lists were taken.
bool LoadUserListsFromScript(const std::string& fileName);

// The character names of a StoryDev exchange file added to the active
// script's character-name list (only the names: the story's elements stay
// out of the script). True when the file could be read.
bool LoadUserListsFromStoryDev(const std::string& fileName);

}  // namespace qm
