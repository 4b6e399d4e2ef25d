// Text-kind files on their way in: put on the clipboard for the paste, the
// line ends of a file looked at and rewritten, and WordStar documents read
// as the text they hold.
#pragma once

#include <string>
#include <string_view>

#include "platform/types.h"

namespace qm {

inline constexpr const char* InsufficientMemoryMessage = "Insufficient Memory to Import at this time...";

// A file's text on the clipboard for the paste: as "Rich Text Format" with
// `rtf`, else as plain text (a WordStar file, load format 17, as the text
// it holds). False, after saying so, when the file cannot be read.
bool LoadFileToClipboard(const std::string& fileName, bool rtf, bool pasteFrom, Byte loadFormat);

// True when the first carriage return of the file is followed by anything
// but a line feed; false for a missing file.
bool FileHasBareCarriageReturns(const std::string& fileName);

// Rewrites the line ends of a file in place: every bare CR or LF becomes
// CR LF, or, `toMacintosh`, every line end a bare CR. Says "aborted..." and
// returns false when the file cannot be read or written.
bool ConvertLineEnds(const std::string& fileName, bool toMacintosh);

// Formatted ASCII the program wrote is in its own character set, whatever
// the file is called: the program notes the text of each one it writes
// (a check sum and a size, among the last few in its settings) and knows
// it again under any name. Another program's text is never taken for it.
void NoteOwnFormattedText(std::string_view bytes);
bool IsOwnFormattedText(std::string_view bytes);

// A WordStar document's text: the eighth bit of every byte cleared, its
// dot-command lines and control bytes dropped, soft line ends kept.
std::string WordStarToText(std::string_view bytes);

// The text of a file whose format nobody could name: every control byte
// but line ends, tabs and form feeds dropped. What is left of the format's
// codes is the writer's to clean up.
std::string StrippedText(std::string_view bytes);

}  // namespace qm
