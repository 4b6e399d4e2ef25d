// Breakdown tags inside one element's text: a tag code byte, the item,
// then TagEnd. Putting one round a selection, and taking them all out.
#pragma once

#include <optional>
#include <string>

#include "platform/types.h"
#include "script/model/text_codes.h"

namespace qm {

// A selection trimmed for tagging: end moved back, start moved forward,
// over blanks and the script's codes. Nothing when no text is left.
struct TTagSpan {
  std::size_t start = 0;
  std::size_t end = 0;  // exclusive
  friend bool operator==(const TTagSpan&, const TTagSpan&) = default;
};
std::optional<TTagSpan> TrimTagSelection(const std::string& text, int blockStart, int blockEnd, const CharSet& codes);

// Wraps the span into a tag of the code. The caret column after it: one
// further when it stood before the span's end, two when at or after it.
int InsertTag(std::string& text, const TTagSpan& span, Byte code, int caret);

// Takes every tag out of the text, nested ones too: each end byte and the
// code that opens it. An end byte without an opening code goes alone.
// True when the text changed.
bool RemoveTags(std::string& text);

// Where the tag closed by the end byte at `end` opens: walking back,
// an end byte met opens one more level and any other tag byte closes one;
// npos when the text start is reached without an opening code.
std::size_t OpeningCodeOf(const std::string& text, std::size_t end);

}  // namespace qm
