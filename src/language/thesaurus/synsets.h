// One meaning of the thesaurus (a synset: its words, a gloss and typed
// links to other meanings) and the senses of one looked-up word, filtered
// by word class and by sense, with the words related to them.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/types.h"

namespace qm::thesaurus {

class TWWDatabase;

// Relation numbers, also the window's tab order.
enum TRelation : Byte {
  relAntonyms = 0,
  relAttribs,
  relCauses,
  relDerived,
  relEntails,
  relParts,
  relTypeOf,
  relTypes,
  relPartOf,
  relParticiple,
  relSeeAlso,
  relSimilar,
  relSynonyms = 12,
};
constexpr int RelationCount = 13;
extern const char* const RelationNames[RelationCount];

constexpr int WordClassCount = 8;
extern const char* const WordClassNames[WordClassCount];
using TWordClassSet = Byte;  // bit c: word class c
constexpr TWordClassSet AllWordClasses = 0xFF;

constexpr std::size_t SynsetReadBytes = 2048;
constexpr std::size_t MaxSynsetText = 3000;

struct TSynsetLink {
  Byte type = 0;
  DWord target = 0;       // 24 bits
  Byte firstNumber = 0;   // the word of this synset it is from (0: all)
  Byte secondNumber = 0;  // the word of the target it goes to (0: all)
};

class TSynset {
 public:
  virtual ~TSynset() = default;
  // Reads the record at the front of `bytes`; damaged bytes throw EWWError.
  virtual void Read(std::span<const Byte> bytes);
  virtual void Write(std::vector<Byte>& out) const;

  // The record's text: words (inner blanks as ";") joined by blanks, " ;", gloss.
  std::string StoredText() const;
  void SetHeadWord(const std::string& word);
  Word RelationMask() const;

  std::string HeadWord;
  std::string Gloss;
  Byte Form = 0;
  DWord Offset = 0xFFFFFFFF;
  std::vector<std::string> Words;
  std::vector<std::string> WordsCopy;
  std::vector<TSynsetLink> Links;
  int LinkCount = 0;
  Byte WordClass = 0;
};

class TWordLookup {
 public:
  explicit TWordLookup(TWWDatabase& database) : database_(database) {}

  void Clear();
  // Takes the sense unless one of its offset is there already.
  void AddSense(std::unique_ptr<TSynset> sense);
  void Filter(const std::string& word, TWordClassSet classes);
  void SetClassFilter(TWordClassSet classes) { Filter({}, classes); }
  void SelectSense(int n);
  std::vector<std::string> RelatedWords(int relation);

  const std::vector<std::unique_ptr<TSynset>>& Senses() const { return senses_; }
  // The senses shown (their glosses are the shown glosses).
  const std::vector<TSynset*>& Shown() const { return shown_; }
  const std::vector<std::string>& ShownWords() const { return shownWords_; }
  Word RelationMask() const { return relationMask_; }
  TWordClassSet WordClassMask() const { return classMask_; }
  int SelectedSense() const { return selected_; }

 private:
  void AddShownWords(const TSynset& sense);

  TWWDatabase& database_;
  std::vector<std::unique_ptr<TSynset>> senses_;
  std::vector<TSynset*> shown_;
  Word relationMask_ = 0;
  std::vector<std::string> related_;
  int relatedFor_ = -1;
  int selected_ = -1;
  std::vector<std::string> shownWords_;
  TWordClassSet classMask_ = AllWordClasses;
  bool needsRefresh_ = true;
};

}  // namespace qm::thesaurus
