// Bold, underline, italics and strike-out are pairs of codes inside the
// text, an open code where the style starts and a close code where it
// ends; an element's format may carry the style for its whole text. These
// commands toggle one pair at the caret or over the block of the active
// script, or take the styles (or the colours) away again.
#pragma once

#include "platform/types.h"

namespace qm {

class TMDIChild;

struct TInlineStyle {
  Byte open;
  Byte close;
  Byte styleBit;  // bit number in the element format's style byte
};
// Bold, underline, italics and strike-out, by the tags 1 to 4 of their
// buttons and items (index 0 unused).
extern const TInlineStyle InlineStyles[5];

// Switches one style to the opposite of what it is at the caret, or at
// the start of the block for the whole block; after the block the text
// keeps the state it had before it.
void ApplyInlineStyle(const TInlineStyle& style);
// The Normal command: the four styles (or, without `styles`, the text
// colours) off over the block or at the caret.
void RemoveInlineStyles(bool styles);
// One pair taken off the block part of the element in the edit line.
void RemoveCodePairFromBlock(TMDIChild& w, Byte openCode, Byte closeCode, Byte styleBit);
// A colour run ended at the caret.
void CloseCodePairAtCaret(TMDIChild& w, Byte openCode, Byte closeCode);

}  // namespace qm
