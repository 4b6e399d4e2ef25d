// What the readers of foreign text (plain text, RTF, tagged text, story
// exchange data) make of it: a list of typed elements, each with its text
// in Windows-1252 and the program's inline codes. The paste puts them in at
// the caret; opening such a file builds a new script from them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {

struct TImportedElement {
  Byte kind = ekAction;
  std::string text;
  Byte split = spWhole;
  Byte state = esNormal;
  // The script's opening text is written in capitals whatever its format.
  bool allCaps = false;
  // Lines before the element (tenths of a line) where it differs from
  // its format's.
  std::optional<Byte> linesBefore{};
  // A cue's extension found in its text: 1 off-screen, 2 voice-over.
  Byte extensionKind = 0;

  friend bool operator==(const TImportedElement&, const TImportedElement&) = default;
};
using TImportedElements = std::vector<TImportedElement>;

// How the writer asked for foreign text to be read (the paste-as dialog).
struct TPasteChoices {
  bool Aggressive = true;
  bool NoCapitals = false;
  bool IgnoreMargins = false;
  bool ActionInParentheticals = false;
  bool ActionOnly = false;
  bool MatchPageBreaks = false;
  bool UseStyleSheets = false;
};

}  // namespace qm
