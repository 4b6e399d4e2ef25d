// Where the spell-check pass sees a sentence begin, for its capitals and
// the blanks between sentences.
#pragma once

#include <string>

namespace qm {

class TScriptDocument;
struct TScriptElement;

struct TSentenceStart {
  bool starts = false;
  // The word opens its element (or follows a hard return): no blanks to set.
  bool atLineStart = false;
  bool atElementStart = false;
};

// Whether the word at `wordStart` of the element's text begins a
// sentence: at the element's start or after a hard return, or after a
// "!", "?" or a period that ends a sentence (not an ellipsis, not after an
// abbreviation the engine knows), with a blank between.
TSentenceStart SentenceStartAt(const std::string& text, std::size_t wordStart, const TScriptElement& element,
                               bool parenthesesEnd);
// The blanks before a sentence's first word made the options' sentence
// spacing; returns how many characters the text grew by (or shrank, < 0).
long SetSentenceSpacing(std::string& text, std::size_t wordStart, const std::string& spacing);
// Whether the first word of an element keeps its small letter: after a
// Shot (unless capitals after shots are asked for), or going on a
// sentence that a page break cut.
bool KeepsSmallLetterAtElementStart(const TScriptDocument& script, const TScriptElement& element,
                                    bool capitalizeAfterShots);

}  // namespace qm
