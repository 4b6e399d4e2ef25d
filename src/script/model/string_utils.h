// Small routines on short strings, element texts and file names that every
// part of the program calls, and the code-pair and colour helpers of the
// editor. Text is Windows-1252 bytes; "blank" is the character 32 only.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "platform/text_trim.h"
#include "platform/types.h"

namespace qm {

// Short strings hold at most 255 characters; every result that is one goes
// through here.
std::string ShortString(std::string s);

// ---- Text ----

// The text without inline codes (CodeCharSet), at most 255 characters,
// trailing blanks removed.
std::string PlainText(std::string_view text);
// The same for a script's text, whose tagging flag makes its tags codes too.
std::string PlainScriptText(std::string_view text, bool tagging);
std::string PlainUpperText(std::string_view text);

// s without inline codes; with keepCodes an unchanged copy.
std::string CopyWithoutCodes(bool keepCodes, std::string_view s);
// s without the inline codes of a script whose tagging flag is `tagging`.
std::string CopyWithoutScriptCodes(std::string_view s, bool tagging);

// Cuts the text at its first "(" together with the blanks before it; a text
// without "(" is left alone.
void CutAtParenthesis(std::string& text);

// Case conversion by the Windows-1252 rules.
std::string LowerCaseShort(std::string_view s);
std::string UpperCaseShort(std::string_view s);
char UpCaseChar(char ch);
void CharUpperInPlace(std::string& text);

// Lower case with a capital at the start, after a blank or "(", and after an
// "&" that starts the text or follows a blank or "(": "&amp" -> "&Amp".
std::string InitialCaps(std::string_view s);

// For each character of fromChars in turn, every occurrence in text becomes
// the character of toChars at the same place; a character with no
// counterpart (toChars empty or shorter) is deleted. True when the text
// changed.
bool ReplaceChars(std::string_view fromChars, std::string_view toChars, std::string& text);

// 1-based position of the first character where a and b differ, never past
// the shorter length; equal texts give their length, an empty one gives 0.
std::size_t CommonPrefixEnd(std::string_view a, std::string_view b);

// Start of the last occurrence of word in text, npos when there is none.
// An occurrence at the very start of the text does not count (callers look
// for a word after something); a zero byte ending word is ignored.
std::size_t FindLastOccurrence(std::string_view text, std::string_view word);

// Negative, zero or positive as text sorts before, with or after s (s taken
// up to 255 characters); bytes compare unsigned, or by CompareText.
int CompareToPChar(std::string_view text, std::string_view s, bool caseSensitive);

std::string& AppendToPChar(std::string& dest, std::string_view s);

// ---- File names ----

constexpr char PathDelimiter = '/';

// Whether a path names its place from the root, which is what a path with a
// drive letter did where the program came from. Only such paths have a
// directory part for ExtractDirectory.
bool HasDrive(std::string_view path);

// A path from the root up to and with its last "/"; "" for a relative path.
// Paths are never cut to a short string: a longer one names another file.
std::string ExtractDirectory(std::string_view path);
// The part after the last "/"; the whole path when there is none.
std::string ExtractFileNameOnly(std::string_view path);
// Deletes the extension when its "." is one of the last four characters
// and lies in the file name, not in a folder name.
void StripExtension(std::string& name);
// The name without its extension, then "." and ext (ext's own leading "."
// dropped); an empty ext gives the stripped name.
std::string ChangeFileExtension(std::string_view name, std::string_view ext);

// ---- Spin-button values ----

// Steps a decimal text by stepTenths tenths and writes it back with exactly
// `decimals` decimals (1 to 18; others are brought into that range). min and
// max are in units of the last decimal. An empty text gives "0." and the
// zeros, unstepped. Digits past `decimals` are cut, not rounded. A text that
// is not a decimal number ("-" or "+", digits, one ".", blanks around) counts
// as 0; a value too large for 64 bits counts as the largest one, so the
// result is still kept within min and max.
std::string StepDecimalText(std::string_view text, int stepTenths, int decimals, int min, int max);

// ---- Memory, code pairs, colours, screen runs ----

// Copies count bytes; the areas may overlap.
void MoveBytes(const void* source, void* dest, Word count);

// Whether the place before position pos (0-based) lies inside an
// openCode..closeCode run, judged by the text before pos only: the later of
// the two codes wins; with neither, startState (the state before any code).
bool IsInsideCodePair(std::string_view text, std::size_t pos, Byte openCode, bool startState, Byte closeCode);

// Sets the high nibble of b to the element colour index of a colour-on byte,
// or to 0 for the byte 0; any other code leaves b alone.
void SetColorNibble(Byte code, Byte& b);

// The end of the run of equal bytes that begins at start: the first index
// after start whose byte differs from the one before it, or 150.
constexpr int ScreenRunFlagCount = 150;
int ScreenRunEnd(std::span<const Byte, ScreenRunFlagCount> flags, int start);

}  // namespace qm
