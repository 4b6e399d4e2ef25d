// The per-script settings a script carries with it: the format set, page
// layout, numbering, locking and revision options, lists and texts. They
// are the fields of the script window and what the native file's header
// record stores.
#pragma once

#include <cstdint>
#include <string>

#include "platform/stringlist.h"
#include "script/script_model.h"

namespace qm {

struct TScriptRecord {
  TScriptRecord();

  // The format set.
  TFormatSet FormatSet;
  // Page layout.
  std::string ScriptFontName = "Courier New";
  Byte ScriptFontSize = 12;
  // Numbering and locking.
  Byte ScenesLocked = 0;
  Byte PagesLocked = 0;
  // Hidden kinds: a bit per element kind 0 to 31.
  std::uint32_t HiddenKinds = 0;
  // Whether the script may be edited (read-only files are not).
  Byte Editable = 1;
  // Revision colours with their colour as object, extra locations,
  // storyboard links.
  TStringList RevisionColours;
  TStringList ExtraLocations;
  TStringList StoryboardLinks;
};

}  // namespace qm
