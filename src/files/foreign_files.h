// Opening a file of another program as a new script, or pasting it into
// the open one: plain text (also text stripped of the codes of a format
// nobody named), RTF, WordStar and tagged text are read into elements,
// story exchange data into elements and the script's name list. Formats
// whose layout this program does not have are refused plainly.
#pragma once

#include <string>
#include <string_view>

#include "files/imported_text.h"
#include "platform/types.h"

namespace qm {

// Load formats that ImportForeignFile reads or refuses itself.
bool IsForeignFormat(Byte loadFormat);

inline constexpr const char* NewerWordStarMessage =
    "This WordStar document was written by a version of WordStar whose files this program cannot read.\r\r"
    "Please save it from WordStar as a WordStar 4 or plain text file.";

// Reads the file into the active script, its elements replacing the
// script's. False, after saying why, when nothing was read.
bool ImportForeignFile(const std::string& fileName, Byte loadFormat);
// Reads the file's elements in at the caret of the active script, as the
// paste does ("Paste From").
bool PasteForeignFile(const std::string& fileName, Byte loadFormat);

// The paste-as dialog's first choices for the text: aggressive reading,
// and style sheets only for RTF with the style sheet of the program's own
// copy; locked page breaks for a script that has them.
TPasteChoices DefaultPasteChoices(std::string_view rtf, bool scriptHasLockedPages);

}  // namespace qm
