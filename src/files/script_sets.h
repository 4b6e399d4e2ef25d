// Sets that follow the active script's settings: the element types
// written centred, and the character classes that treat breakdown tags as
// inline codes while the script's tagging flag is set.
#pragma once

#include <cstdint>

#include "script/model/script_record.h"
#include "script/model/text_codes.h"

namespace qm {

// A bit per element type: Centered Title always; Character Name, Scene
// Information and Act Information (with the act start, prologue and end
// of act texts) when the script centres them.
std::uint32_t CenteredKinds(const TScriptSettings& settings);
// The active script's set; 0 with no script open.
std::uint32_t CenteredKinds();

// Byte 1 and the 26 breakdown tag codes while the active script's tagging
// flag is set, else empty.
extern CharSet TagCodeSet;
// The character classes the script's text is measured and walked by: the
// inline codes, the bytes the caret steps over, the bytes without width.
// Each holds TagCodeSet on top of its fixed members.
extern CharSet ScriptCodeCharSet;
extern CharSet CaretSkipCharSet;
extern CharSet ZeroWidthCharSet;

// Brings the sets in line with the active script's tagging flag; with no
// script open they stay as they are.
void ApplyScriptCharacterSets();

}  // namespace qm
