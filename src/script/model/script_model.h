// The script in memory: a doubly linked list of typed elements, each with
// its own 12-byte format and its packed text, the element groups that
// number and keep runs of elements together, the format set of a script,
// and the screen-line records the window paints from.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"
#include "script/model/boxed_value.h"

namespace qm {

// Element type codes (byte 6 of a format).
enum TElementKind : Byte {
  ekAction = 0,
  ekSceneHeading = 1,
  ekShot = 2,
  ekCharacterName = 3,
  ekDialogue = 4,
  ekParenthetical = 5,
  ekTransition = 6,
  ekCenteredTitle = 7,
  ekAutoPageBreak = 8,
  ekASceneHeading = 9,
  ekActInformation = 10,
  ekSceneInformation = 11,
  ekForcedPageBreak = 12,
  ekActStart = 13,
  ekPrologueText = 14,
  ekEndOfActText = 15,
  ekDashASceneHeading = 16,
  ekLockedPageBreak = 17,
  ekMultiLockedPageBreak = 18,
  ekLockedSceneInformation = 19,
  ekScriptNote = 20,
  ekFixedAPageBreak = 21,
};
// Codes from here up are never stored.
constexpr Byte FirstInvalidKind = 22;

bool IsPageBreakKind(Byte kind);
// Page breaks other than the automatic one.
bool IsHardPageBreakKind(Byte kind);
// Every kind but the Character Name holds packed text.
inline bool HoldsPackedText(Byte kind) { return kind != ekCharacterName; }

// The kinds of a speech: cue, dialogue, parenthetical.
inline bool IsSpeechKind(Byte kind) { return kind == ekCharacterName || kind == ekDialogue || kind == ekParenthetical; }
// What a speech holds after its name.
inline bool IsDialogueOrParenthetical(Byte kind) { return kind == ekDialogue || kind == ekParenthetical; }

// Kinds whose groups carry a number: headings, act and scene information,
// act starts, prologue and end-of-act text.
bool IsNumberedKind(Byte kind);

inline bool IsSceneHeading(Byte kind) {
  return kind == ekSceneHeading || kind == ekASceneHeading || kind == ekDashASceneHeading;
}

// Kinds that start a scene: headings, act and scene information, prologue
// and end-of-act text.
inline bool StartsScene(Byte kind) {
  switch (kind) {
    case ekSceneHeading:
    case ekASceneHeading:
    case ekDashASceneHeading:
    case ekActInformation:
    case ekSceneInformation:
    case ekActStart:
    case ekPrologueText:
    case ekEndOfActText:
    case ekLockedSceneInformation: return true;
    default: return false;
  }
}

// Style bits of a format's byte 11 (and of the inline style state).
enum TStyleBits : Byte { stBold = 1, stItalic = 2, stUnderline = 4, stStrikeOut = 8 };

// The 12-byte element format, stored byte for byte in files and on the
// clipboard.
struct TElementFormat {
  Byte LeftMargin = 0;   // tenths of an inch
  Byte RightMargin = 0;  // tenths of an inch
  Byte LinesBefore = 0;  // tenths of a line
  Byte AllCaps = 0;
  Word NumberWord = 0;    // locked number, flag and letter; see below
  Byte Kind = 0;          // TElementKind
  Byte Spacing = 0;       // interline spacing, tenths of a line
  Byte FontAndColor = 0;  // low nibble font index, high nibble colour index
  Byte FontSize = 0;      // points
  Byte Carried = 0;       // carried with the format, never interpreted
  Byte Style = 0;         // TStyleBits

  static constexpr std::size_t Size = 12;
  Byte FontIndex() const { return FontAndColor & 0x0F; }
  Byte ColorIndex() const { return FontAndColor >> 4; }
  void SetFontIndex(Byte index) { FontAndColor = static_cast<Byte>((FontAndColor & 0xF0) | (index & 0x0F)); }
  void SetColorIndex(Byte index) { FontAndColor = static_cast<Byte>((FontAndColor & 0x0F) | (index << 4)); }

  // The bytes in stored order (the number word little-endian).
  std::array<Byte, Size> ToBytes() const;
  static TElementFormat FromBytes(const Byte* bytes);
  friend bool operator==(const TElementFormat&, const TElementFormat&) = default;
};

// The number word of numbered kinds: bits 0-8 the locked number, bit 9
// the locked flag, bits 10-15 a letter as its character code minus 60.
namespace number_word {
constexpr Word NumberMask = 0x01FF;
constexpr Word LockedBit = 0x0200;
inline int Number(Word w) { return w & NumberMask; }
inline bool Locked(Word w) { return (w & LockedBit) != 0; }
// The letter's character, or 0 when none.
inline char Letter(Word w) { return (w >> 10) == 0 ? '\0' : static_cast<char>((w >> 10) + 60); }
Word Make(int number, bool locked, char letter);
}  // namespace number_word

// The 12 format slots of a script and the slot each kind takes its format
// from (-1 for the page breaks, which take none).
enum TFormatSlot : int {
  fsAction = 0,
  fsSceneHeading = 1,
  fsShot = 2,
  fsScriptNote = 3,
  fsCenteredTitle = 4,
  fsDialogue = 5,
  fsDialogueCopy = 6,
  fsCharacterName = 7,
  fsParenthetical = 8,
  fsTransition = 9,
  fsActInformation = 10,
  fsSceneInformation = 11,
};
constexpr int FormatSlotCount = 12;
using TFormatSet = std::array<TElementFormat, FormatSlotCount>;
int FormatSlotOfKind(Byte kind);

// Split state of an element cut at a page break.
enum TSplitState : Byte { spWhole = 18, spFirstPiece = 19, spSecondPiece = 20 };

// Element states: 1 and 2 keep together; 3 shown hidden text; 4 hidden.
enum TElementState : Byte { esNormal = 0, esKeepGroup = 1, esKeepFollowing = 2, esShownHidden = 3, esHidden = 4 };

struct TElementGroup;

// Records come from pools of their own (record_pool.h), a cache line apart,
// and an element takes two lines.
struct alignas(64) TScriptElement final {
  // What every walk of the list reads comes first, within one cache line.
  TScriptElement* next = nullptr;
  TScriptElement* prev = nullptr;
  TElementGroup* group = nullptr;
  TElementFormat format;
  std::int16_t screenLine = 1;
  Byte split = spWhole;
  Byte lineCount = 1;
  Byte state = esNormal;
  Byte avColumn = 0;
  // The lines before (tenths) that opening a page under a repeated name
  // took from a Dialogue or Parenthetical; they come back with the break.
  Byte linesBeforeTaken = 0;
  std::int32_t blockStart = -1;
  std::int32_t blockEnd = -1;
  Word storyboardLink = 0;
  // Packed text (plain and upper case up to "(" for a Character Name);
  // empty exactly while the text sits in the window's edit buffer.
  std::optional<std::string> text;
  // Saved line offsets: byte 0 is 2 x lineCount + 1, then lineCount
  // 16-bit entries; empty when none.
  std::vector<Byte> lineOffsets;
  // Revised wrapped lines, a short string; empty when none.
  TBoxed<std::string> revisedLines;

  Byte Kind() const { return format.Kind; }
  bool InBlock() const { return blockStart >= 0; }

  static void* operator new(std::size_t size);
  static void operator delete(void* record) noexcept;
  // Whether the saved line offsets still fit the element's line count.
  bool LineOffsetsValid() const;
};
static_assert(sizeof(TScriptElement) <= 128, "an element takes two cache lines");

// Null-safe, for looks at the neighbours of an element.
inline bool IsDialogueOrParenthetical(const TScriptElement* e) { return e && IsDialogueOrParenthetical(e->Kind()); }

// Counts the changes that can alter what a walk over a script adds up: an
// element made or freed, a change marked on a script, a layout pass done,
// a page break's banner grown or shrunk. A walk kept across calls is
// trusted only while the count stands still.
extern std::uint64_t ScriptShapeChanges;
inline void NoteScriptShapeChange() { ++ScriptShapeChanges; }

// The element's text as typed; empty while it is out in the edit buffer.
std::string ElementText(const TScriptElement& e);

// A run of elements that is measured, numbered and kept together.
struct TElementGroup final {
  // Printed height in printer dots; 0 or less when not measured. Wider
  // than the stored 16 bits so that a long speech at a high resolution
  // cannot wrap round to "not measured".
  std::int32_t height = 0;
  TElementGroup* next = nullptr;
  TElementGroup* prev = nullptr;
  TScriptElement* first = nullptr;
  Word count = 0;
  Word number = 0;
  Byte letter = 0;
  Byte stale = 0;

  static void* operator new(std::size_t size);
  static void operator delete(void* record) noexcept;
};

// One visible line of the script window.
constexpr int ScreenLineCount = 150;
constexpr int ScreenLineColumns = 150;
struct TScreenLine {
  Byte repaint = 0;
  Byte stale = 0;
  Byte fromColumn = 1;
  std::string text;                                      // at most 150 characters
  std::array<Byte, ScreenLineColumns + 1> attributes{};  // columns 1..150
  TScriptElement* element = nullptr;
  Word height = 0;
  Word y = 0;
  Word lineInElement = 0;
  Byte banner = 0;
  Word left = 0;
  Word below = 0;  // pixels of the line kept under its text
};

// Attribute byte of a screen column: style bits low, colour index high
// (15 for selected text).
constexpr Byte SelectedColorIndex = 15;

// The longest element text the edit buffer holds.
constexpr int EditBufferSize = 2816;
constexpr int MaxLineCount = 75;

// Walks over the whole script write a field only when its value changes,
// so that passing over unchanged elements and groups leaves them clean.
template <typename T, typename V>
void SetIfChanged(T& field, V value) {
  if (field != value) field = static_cast<T>(value);
}

}  // namespace qm
