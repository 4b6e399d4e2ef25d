// The page-breaking rules: where a page ends, which groups may be split
// there and how (an Action at a sentence end or a line, a speech inside or
// between its elements with the name repeated), which move whole, and what
// is pulled along with them. The pass itself is TMDIChild::PaginateScript.
#pragma once

#include "platform/types.h"

namespace qm {

// The break modes of Action and Dialogue.
enum TBreakMode : Byte { bmNever = 0, bmSentenceEndsOnly = 1, bmSentenceEndsPreferred = 2, bmMaximumLines = 3 };

}  // namespace qm
