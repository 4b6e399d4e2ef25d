// Foreign text arrives in whatever encoding its writer used: Windows-1252
// from old programs, UTF-8 from Linux ones, UTF-16 with a byte-order mark
// from some others. The script holds Windows-1252, so incoming text is
// brought to it here, once, on the way in.
#pragma once

#include <string>
#include <string_view>

namespace qm {

struct TIncomingText {
  std::string text;
  // Some characters had no form in Windows-1252 and became their closest
  // one or "?".
  bool lossy = false;
};

// UTF-8 (with or without its byte-order mark) and UTF-16 with a mark are
// converted; anything else is taken as Windows-1252 already, and so is a
// text of the program's own (`ownCharacterSet`), whatever its bytes look
// like.
TIncomingText IncomingTextToAnsi(std::string_view bytes, bool ownCharacterSet = false);

// The byte for a character, its closest plain form when Windows-1252 has
// none, or -1.
int ClosestAnsiByte(char32_t ch);

// Said once per import when IncomingTextToAnsi was lossy.
inline constexpr const char* LossyTextNotice =
    "Some characters of this text have no form in the script's character set; each was replaced by its "
    "closest form or by \"?\".";

}  // namespace qm
