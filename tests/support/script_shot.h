// A script as a test compares it before and after a command: every
// element as it stands in the list (kind, text, format, state, split or cue
// code, laid-out line count, revised lines) and the script's settings as
// its header record holds them.
#pragma once

#include <string>
#include <vector>

#include "files/script_header.h"
#include "script/script_window.h"

namespace qm::testing {

struct ElementShot {
  Byte kind;
  std::string text;
  TElementFormat format;
  Byte state;
  Byte split;
  Byte lineCount;
  std::string revised;
  friend bool operator==(const ElementShot&, const ElementShot&) = default;
};

struct ScriptShot {
  std::vector<ElementShot> elements;
  std::vector<Byte> header;  // the settings as the script's header record holds them
  TListOverflow spill;
};

// The script as it stands (the edit line's text for the element out in it).
ScriptShot ShootScript(const TMDIChild& w);
// What differs between two shots, in words; empty when they are equal.
// Tagging mode, a way of working the breakdown commands enter, is left out.
std::string ShotDifferences(const ScriptShot& a, const ScriptShot& b);

}  // namespace qm::testing
