// Card text back to script elements: each paragraph of a card's body is
// read in the card notation (a name and colon start a speech, "[[ ]]" a
// shot, "^^ ^^" a transition, "== ==" a centred title, "<< >>" a note,
// "##Forced Page Break##" a page break, anything else action), and a
// card's heading and body replace the scene's elements as one undo step.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/rich_edit.h"
#include "platform/types.h"
#include "story/index_cards.h"

namespace qm {

class TMDIChild;

struct TCardElement {
  Byte kind;
  std::string text;
  bool hidden = false;
  friend bool operator==(const TCardElement&, const TCardElement&) = default;
};

// The elements one paragraph stands for.
std::vector<TCardElement> CardParagraphToElements(std::string_view paragraph);
// The elements of a whole body: paragraphs are separated by line breaks;
// hidden markers make the paragraphs they cover hidden.
std::vector<TCardElement> CardTextToElements(std::string_view body);

// A card's styled text as the script writes it: each paragraph's styles
// as inline code pairs, grey text inside hidden markers, paragraphs
// separated by CR LF.
std::string CardBodyFromLooks(const std::string& text, const std::vector<TTextAttributes>& looks);
// The looks a card shows for a body whose codes were taken out (the
// body's CR bytes dropped from text, as the edit keeps one "\n").
void CardLooksFromRuns(const std::string& body, const std::vector<TStyleRun>& runs, std::string& text,
                       std::vector<TTextAttributes>& looks);

// Replaces card n's heading text and its body with the title and the
// elements of `body`, as one undo step; the table's entry follows.
// False (and nothing changed) when the card has no heading.
bool WriteBackCard(TMDIChild& script, TCardTable& table, int n, const std::string& title, std::string_view body);

// What an outline-mode close leaves behind: elements whose text is only
// blanks go, from the last backwards, never the first element nor a page
// break (whose text is a blank). The caret stays on its element, or the
// one before it when that went. True when any went.
bool RemoveEmptyElements(TMDIChild& script);

// A new card after card k (before the first for 0): an empty scene
// heading and Action in the script, as one undo step, and a new entry in
// the table. False (after saying why) at the card limit or with no card.
bool AddCard(TMDIChild& script, TCardTable& table, int k);

}  // namespace qm
