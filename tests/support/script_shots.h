// A script taken down element by element and setting by setting, to tell
// what a command, an Undo or a Redo changed: the elements (kind, text,
// format, state, revised lines, storyboard link, split state or a name's
// mark, laid-out line count), the settings as the
// script's header record holds them, and what the script keeps beside the
// header (its associations, its storyboard frames, its lock level of
// revision marks).
#pragma once

#include <string>
#include <vector>

#include "files/script_header.h"
#include "platform/types.h"
#include "script/script_window.h"

namespace qm::testing {

struct ElementShot {
  Byte kind;
  std::string text;
  TElementFormat format;
  Byte state;
  std::string revised;
  Word storyboardLink;
  Byte split;      // the split state, or a name's cue code with its mark
  Byte lineCount;  // as laid out

  friend bool operator==(const ElementShot&, const ElementShot&) = default;
};

struct ScriptShot {
  std::vector<ElementShot> elements;
  std::vector<Byte> header;  // the settings as the script's header record holds them
  TListOverflow spill;
  std::vector<Byte> associations;
  std::vector<std::string> storyboardFrames;
  Byte lockingLevel = 0;
};

// The script as it stands (the edit line's text for the element being
// edited; an empty element as the blank it is stored as).
ScriptShot Shoot(TMDIChild& w);
// What differs between two shots, in words; empty when they are equal.
std::string Differences(const ScriptShot& a, const ScriptShot& b);

}  // namespace qm::testing
