// The placeholder bytes the header set-up's code buttons put into a
// header line, filled in for each printed page; the style codes (bold,
// underline) are the text's own.
#pragma once

#include "platform/types.h"

namespace qm::header_code {
constexpr Byte PageNumber = 6;      // "Pg #"
constexpr Byte ActInfo = 7;         // "Act Info"
constexpr Byte SceneInfo = 11;      // "Scene Info"
constexpr Byte Date = 12;           // "Date"
constexpr Byte FlushRight = 23;     // "Flush Right": what follows ends at the right margin
constexpr Byte RevisionColor = 31;  // "Rev. Color"
}  // namespace qm::header_code
