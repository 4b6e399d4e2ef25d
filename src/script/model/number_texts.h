// The small texts headers, the status line, printing and the file writers
// make of numbers: Roman numerals and number words for act and scene
// information, the names of revisions counted past the end of the
// script's colour list, the script's date, and the style code and
// lines-before halves of an element format.
#pragma once

#include <ctime>
#include <string>

#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {

struct TScriptRecord;

// Hundreds as "C" (there is no D or M), then IC, XC, L, IL, XL, tens,
// IX, V, IV and units; at most 20 characters; empty for 0.
std::string RomanNumeral(Word n);
// "Zero" to "Thirty" ("Twenty-One"...), "????" beyond; upper case when asked.
std::string NumberToWords(int n, bool upper);
// An act or scene-information number as letters: 1 to 26 "A" to "Z",
// 27 to 52 doubled, 53 to 78 tripled; decimal otherwise.
std::string NumberAsLetters(int number);
// An act or scene-information number in a display style of the header
// set-up: 2 letters, 3 words, 4 WORDS, 5 Roman numerals, digits otherwise.
std::string NumberInDisplayStyle(int number, Byte style);

// The name of revision n: past the end of the script's colour list the
// list goes round again from its second entry, its names taking the loop's
// prefix by the script's loop-naming style ("DOUBLE BLUE", "Second blue",
// "2nd BLUE"...).
std::string RevisionColorName(const TScriptRecord& script, int n);
// Where revision n (0 or more) falls in a colour list of count entries and
// how many rounds it went: past the end the list goes round again from its
// second entry; a list of one entry gives 0, an empty list -1.
int RevisionListIndex(int count, int n, int* loops = nullptr);
// The revision a name gives, the other way round: a name of the list gives
// its index, a prefixed name the index its loop gives it; a name the list
// lacks joins it.
int RevisionNumberOfName(TScriptRecord& script, const std::string& name);

// Day and month without leading zeros and the year's last two digits:
// "5/3/96", or month first, or with dashes.
std::string FormatScriptDate(std::time_t date, bool monthFirst, bool dashes);

// The style code 0..15 of a format's bold, italics, underline and capitals.
int FormatStyleCode(const TElementFormat& format);
// The two halves of lines before (tenths of a line): whole lines and tenths.
inline int LinesBeforeWhole(const TElementFormat& f) { return f.LinesBefore / 10; }
inline int LinesBeforeTenths(const TElementFormat& f) { return f.LinesBefore % 10; }
void SetLinesBeforeWhole(TElementFormat& f, int whole);
void SetLinesBeforeTenths(TElementFormat& f, int tenths);
// Tenths of a line as whole lines, the way every line count takes them:
// rounded half to even (15 tenths give 2, 25 give 2, 35 give 4).
int WholeLinesOfTenths(int tenths);
// A format's lines before and its interline spacing as whole lines.
int WholeLinesBefore(const TElementFormat& f);
int WholeLineSpacing(const TElementFormat& f);

// The letter of an element's number word: (word >> 10) + 60, where 61
// shows as a blank and 62 as '-'.
Byte NumberWordLetter(const TScriptElement* element);
// Whether the number in the word is locked.
bool ElementHasLock(const TScriptElement* element);

// A scene heading's number word that keeps it out of the numbering: the
// lock flag on no number.
inline constexpr Word UnnumberedHeadingWord = 0x0200;

// The speech-number layout of a character name's number word.
namespace dialogue_word {
constexpr Word NumberMask = 0x3FFC;  // bits 2-13: the locked speech number
constexpr Word AddedUnderLock = 0x4000;
constexpr Word NoContinued = 0x8000;
inline int Number(Word w) { return (w & NumberMask) >> 2; }
}  // namespace dialogue_word

}  // namespace qm
