// What the fuzz targets hold the readers to: a broken promise stops the run
// where it broke, in any build.
#pragma once

#include "files/imported_text.h"
#include "script/model/packed_text.h"

namespace qm::fuzz {

inline void Check(bool ok) {
  if (!ok) __builtin_trap();
}

// Elements read from outside text: kinds the script knows, no carriage
// returns, and no more text than an element holds.
inline void CheckImported(const TImportedElements& elements) {
  for (const auto& e : elements) {
    Check(e.kind < FirstInvalidKind);
    Check(e.text.size() <= MaxElementChars);
    Check(e.text.find('\r') == std::string::npos);
  }
}

}  // namespace qm::fuzz
