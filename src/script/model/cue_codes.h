// A character name's cue code (the byte other elements keep their split
// state in): 3 x extension slot + continued state. Slots 0 to 5 and 7 to
// 10 name an entry of the script's extension list, slot 6 (codes 18 to
// 20) none; continued state 0 none, 1 the automatic CONT'D, 2 repeated
// after a page break. Every routine reads a code above 32 as 18, the one
// reading of such codes in the program.
#pragma once

#include "platform/types.h"

namespace qm {

struct TScriptElement;

constexpr Byte NoExtensionCode = 18;

// A code above 32 read as 18.
constexpr Byte NormalCueCode(Byte code) { return code > 32 ? NoExtensionCode : code; }
int CueContinuedState(Byte code);
// A cue code with the continued state set to 2, keeping its extension.
Byte RepeatedCueCode(Byte code);
// Whether the code names an extension, and which entry of the extension
// list (from 1): code div 3 + 1 up to 17, code div 3 from 21 to 32.
bool CueHasExtension(Byte code);
int CueExtensionEntry(Byte code);
// Equal codes, codes of one block of three below 18, or both 18 to 20.
bool SameExtensionGroup(Byte a, Byte b);
// The extension slot of `code` with the cue's own continued state.
void SetCueExtension(TScriptElement& cue, Byte code);
// The name a page break repeats over the rest of a speech it cut: right
// after a break inside a speech, in continued state 2. It carries the
// break's mark, never the rule's.
bool IsRepeatedByBreak(const TScriptElement& e);
// The same for an element out of its list, given the one before it.
bool IsRepeatedByBreak(const TScriptElement& e, const TScriptElement* before);
// Bit 15 of a character name's number word: the name never takes the
// automatic mark.
constexpr Word RefusesContinuedBit = 0x8000;
bool RefusesContinued(const TScriptElement& cue);
// On: state 0 becomes 1 (states 1 and 2 stay) unless the name refuses the
// automatic mark (bit 15 of its number word); off, or refused: states 1
// and 2 become 0.
void SetCueContinued(bool on, TScriptElement& cue);

}  // namespace qm
