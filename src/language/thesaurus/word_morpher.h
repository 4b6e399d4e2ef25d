// English inflection for the thesaurus: puts words into their plural,
// verb and comparison forms and finds the base forms an inflected word may
// come from, so that "walked" is looked up under "walk" and related words
// are shown in the form of the word looked up. Its word lists live in the
// thesaurus database.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/types.h"

namespace qm::thesaurus {

// Form codes, also kept with index entries and senses.
enum TWordForm : Byte {
  wfBase = 0,
  wfPlural = 1,
  wfThirdPerson = 2,
  wfPast = 3,
  wfPastParticiple = 4,
  wfPresentParticiple = 5,
  wfComparative = 6,
  wfSuperlative = 7,
};

// The engine's word classes (the first three database word classes).
enum TMorphClass : Byte { mcNoun = 0, mcVerb = 1, mcAdjective = 2 };

constexpr std::size_t MaxKeyChars = 259;
constexpr std::size_t MaxFormsLineChars = 200;

// Upper-cased letters and digits only: how the index and the exception
// lists store words. Cut at MaxKeyChars.
std::string WordKey(std::string_view word);

class TWordMorpher {
 public:
  struct TLists {
    std::string nounExceptions;
    std::string verbExceptions;
    std::string adjectiveExceptions;
    std::string regularComparison;
    std::string doubling;
  };

  TWordMorpher() = default;
  explicit TWordMorpher(TLists lists) : lists_(std::move(lists)) {}

  // Reads the five texts; a length past the bytes there throws EWWError.
  // Returns the bytes used.
  std::size_t Load(std::span<const Byte> bytes);
  void Save(std::vector<Byte>& out) const;

  std::string Inflect(std::string_view word, Byte form) const;
  void InflectList(std::vector<std::string>& lines, Byte form) const;

  int NounBaseForms(std::string_view word, std::vector<std::string>& list) const;
  int VerbBaseForms(std::string_view word, std::vector<std::string>& list, Byte& form) const;
  int AdjectiveBaseForms(std::string_view word, std::vector<std::string>& list, Byte& form) const;
  int ExceptionBaseForms(std::string_view word, std::vector<std::string>& list, TMorphClass wordClass) const;

  std::string FormsLine(std::string_view word, Byte wordClass) const;

  const TLists& Lists() const { return lists_; }

 private:
  const std::string& ExceptionText(Byte wordClass) const;
  // The fields after the base of the entry for `key`, or false.
  bool ExceptionEntry(const std::string& text, std::string_view key, std::vector<std::string>& fields) const;
  bool InDoublingList(std::string_view key) const;
  std::string NounForm(std::string_view word) const;
  std::string VerbForm(std::string_view word, Byte form) const;
  std::string AdjectiveForm(std::string_view word, Byte form) const;
  void OfferVerbCandidate(const std::string& candidate, std::string_view currentKey,
                          std::vector<std::string>& list) const;

  TLists lists_;
};

}  // namespace qm::thesaurus
