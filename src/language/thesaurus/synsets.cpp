#include "language/thesaurus/synsets.h"

#include <algorithm>

#include "language/thesaurus/text_codecs.h"
#include "language/thesaurus/thesaurus_error.h"
#include "language/thesaurus/word_morpher.h"
#include "language/thesaurus/wweb_database.h"

namespace qm::thesaurus {

const char* const RelationNames[RelationCount] = {"Antonyms", "Attribs", "Causes",  "Derived", "Entails",
                                                  "Parts",    "Type of", "Types",   "Part of", "Participle",
                                                  "See also", "Similar", "Synonyms"};
const char* const WordClassNames[WordClassCount] = {"Noun",        "Verb",        "Adjective", "Adverb",
                                                    "Preposition", "Conjunction", "Pronoun",   "Interjection"};

namespace {

char LowerChar(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return LowerChar(x) < LowerChar(y); });
}

void AddSorted(std::vector<std::string>& list, const std::string& word) {
  const auto at = std::lower_bound(list.begin(), list.end(), word, LessNoCase);
  if (at != list.end() && *at == word) return;
  list.insert(at, word);
}

// Related words in the form of the word looked up only for these relations.
bool TakesForm(int relation) {
  return relation == relAntonyms || relation == relParts || relation == relTypeOf || relation == relTypes ||
         relation == relSimilar;
}

}  // namespace

// ---- TSynset ----

void TSynset::Read(std::span<const Byte> bytes) {
  const TDecodedPair pair = DecodePair(bytes);
  std::size_t pos = pair.codedLength;
  const std::size_t links = pair.types.size();
  if (pos > bytes.size() || (bytes.size() - pos) / 3 < links) throw EWWError(DamagedDatabaseMessage);
  Links.clear();
  for (std::size_t i = 0; i < links; ++i, pos += 3) {
    TSynsetLink link;
    link.type = static_cast<Byte>(pair.types[i]);
    link.target = static_cast<DWord>(bytes[pos]) | static_cast<DWord>(bytes[pos + 1]) << 8 |
                  static_cast<DWord>(bytes[pos + 2]) << 16;
    link.firstNumber = static_cast<Byte>(pair.numbers[2 * i]);
    link.secondNumber = static_cast<Byte>(pair.numbers[2 * i + 1]);
    Links.push_back(link);
  }
  LinkCount = static_cast<int>(Links.size());
  const std::string_view rest(reinterpret_cast<const char*>(bytes.data()) + pos, bytes.size() - pos);
  const std::string text = ExpandGloss(rest, MaxSynsetText);
  const std::size_t split = text.find(" ;");
  const std::string words = text.substr(0, split);
  Gloss = split == std::string::npos ? std::string() : text.substr(split + 2);
  Words.clear();
  std::size_t start = 0;
  while (start <= words.size()) {
    std::size_t end = words.find(' ', start);
    if (end == std::string::npos) end = words.size();
    std::string word = words.substr(start, end - start);
    std::replace(word.begin(), word.end(), ';', ' ');
    if (!word.empty()) Words.push_back(word);
    start = end + 1;
  }
  WordsCopy = Words;
  if (Gloss.empty()) {
    for (std::size_t i = 0; i < Words.size(); ++i) Gloss += (i ? ", " : "") + Words[i];
  }
}

std::string TSynset::StoredText() const {
  std::string text;
  for (std::size_t i = 0; i < Words.size(); ++i) {
    std::string word = Words[i];
    std::replace(word.begin(), word.end(), ' ', ';');
    text += (i ? " " : "") + word;
  }
  return text + " ;" + Gloss;
}

void TSynset::Write(std::vector<Byte>& out) const {
  std::string types;
  std::string numbers;
  for (const auto& link : Links) {
    types.push_back(static_cast<char>(link.type));
    numbers.push_back(static_cast<char>(link.firstNumber));
    numbers.push_back(static_cast<char>(link.secondNumber));
  }
  const std::string pair = EncodePair(types, numbers);
  out.insert(out.end(), pair.begin(), pair.end());
  for (const auto& link : Links) {
    out.push_back(static_cast<Byte>(link.target));
    out.push_back(static_cast<Byte>(link.target >> 8));
    out.push_back(static_cast<Byte>(link.target >> 16));
  }
  const std::string text = CompressGloss(StoredText());
  out.insert(out.end(), text.begin(), text.end());
  out.push_back(0);
}

void TSynset::SetHeadWord(const std::string& word) {
  const std::string key = WordKey(word);
  std::size_t position = 0;
  for (std::size_t i = 0; i < Words.size(); ++i) {
    if (WordKey(Words[i]) != key) continue;
    HeadWord = Words[i];
    Words.erase(Words.begin() + static_cast<std::ptrdiff_t>(i));
    position = i + 1;
    break;
  }
  if (position == 0) {
    HeadWord.clear();
    for (char c : word) HeadWord.push_back(LowerChar(c));
  }
  std::erase_if(Links,
                [position](const TSynsetLink& link) { return link.firstNumber != 0 && link.firstNumber != position; });
  LinkCount = static_cast<int>(Links.size());
}

Word TSynset::RelationMask() const {
  Word mask = 0;
  for (const auto& link : Links)
    if (link.type < 16) mask = static_cast<Word>(mask | (1u << link.type));
  return mask;
}

// ---- TWordLookup ----

void TWordLookup::Clear() {
  senses_.clear();
  shown_.clear();
  shownWords_.clear();
  relationMask_ = 0;
  related_.clear();
  relatedFor_ = -1;
  selected_ = -1;
  classMask_ = AllWordClasses;
  needsRefresh_ = true;
}

void TWordLookup::AddSense(std::unique_ptr<TSynset> sense) {
  for (const auto& s : senses_)
    if (s->Offset == sense->Offset) return;
  // After the last sense of its class and head word, else after its class.
  std::size_t at = senses_.size();
  std::size_t afterClass = 0;
  bool sameHead = false;
  for (std::size_t i = 0; i < senses_.size(); ++i) {
    if (senses_[i]->WordClass <= sense->WordClass) afterClass = i + 1;
    if (senses_[i]->WordClass == sense->WordClass && senses_[i]->HeadWord == sense->HeadWord) {
      at = i + 1;
      sameHead = true;
    }
  }
  if (!sameHead) at = afterClass;
  senses_.insert(senses_.begin() + static_cast<std::ptrdiff_t>(at), std::move(sense));
  needsRefresh_ = true;
}

void TWordLookup::AddShownWords(const TSynset& sense) {
  for (const auto& word : sense.Words) AddSorted(shownWords_, word);
}

void TWordLookup::Filter(const std::string& word, TWordClassSet classes) {
  shown_.clear();
  shownWords_.clear();
  relationMask_ = 0;
  classMask_ = 0;
  for (const auto& sense : senses_) {
    if (!(classes & (1u << sense->WordClass))) continue;
    if (!word.empty() && sense->HeadWord != word) continue;
    AddShownWords(*sense);
    shown_.push_back(sense.get());
    relationMask_ = static_cast<Word>(relationMask_ | sense->RelationMask());
    classMask_ = static_cast<TWordClassSet>(classMask_ | (1u << sense->WordClass));
  }
  selected_ = -1;
  needsRefresh_ = true;
}

void TWordLookup::SelectSense(int n) {
  if (shown_.empty()) return;
  needsRefresh_ = true;
  if (n == -1) {
    Filter({}, classMask_);
    return;
  }
  if (n < 0 || n > static_cast<int>(senses_.size()) - 1) throw EWWError("Invalid sense number");
  selected_ = n;
  shownWords_.clear();
  AddShownWords(*senses_[n]);
  relationMask_ = senses_[n]->RelationMask();
}

std::vector<std::string> TWordLookup::RelatedWords(int relation) {
  if (relation == relSynonyms) return shownWords_;
  if (!needsRefresh_ && relatedFor_ == relation) return related_;
  related_.clear();
  std::vector<TSynset*> sources = shown_;
  if (selected_ >= 0) sources = {senses_[selected_].get()};
  database_.Open();
  try {
    for (TSynset* sense : sources) {
      for (const auto& link : sense->Links) {
        if (link.type != relation) continue;
        std::unique_ptr<TSynset> target;
        try {
          target = database_.GetSynset(link.target);
        } catch (const EWWError&) {
          // A link to an unreadable synset is left out.
        }
        if (!target) continue;
        std::vector<std::string> words = target->Words;
        if (database_.MatchPartOfSpeech() && sense->Form != wfBase && TakesForm(relation))
          database_.Morpher().InflectList(words, sense->Form);
        if (link.secondNumber != 0 && words.size() >= link.secondNumber) words = {words[link.secondNumber - 1]};
        for (const auto& word : words) AddSorted(related_, word);
      }
    }
  } catch (...) {
    database_.Close();
    throw;
  }
  database_.Close();
  relatedFor_ = relation;
  needsRefresh_ = false;
  return related_;
}

}  // namespace qm::thesaurus
