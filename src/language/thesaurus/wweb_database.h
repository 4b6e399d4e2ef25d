// The thesaurus database file ("wweb16.wwd"): synset records addressed by
// 24-bit offsets, a compressed word index in blocks keyed by the first two
// coded bytes of each word, the inflection lists, a licence text and a
// trailer of ten 32-bit fields. The index and the inflection lists are
// loaded whole; blocks and synsets are read on demand. Every offset and
// count read from the file is checked against the file: a damaged file
// raises EWWError, never reads outside what is there.
#pragma once

#include <array>
#include <functional>
#include <list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "language/thesaurus/synsets.h"
#include "language/thesaurus/thesaurus_error.h"
#include "language/thesaurus/word_morpher.h"
#include "platform/files.h"

namespace qm::thesaurus {

constexpr std::size_t TrailerBytes = 40;
constexpr std::size_t LicenceBytes = 598;
constexpr std::size_t BlockCacheSize = 6;
constexpr const char* DatabaseFileName = "wweb16.wwd";

struct TIndexEntry {
  std::vector<DWord> offsets;  // one per sense
  Byte form = 0;               // the form through which it was last found
};

struct TIndexDiskRec {
  Word key = 0;
  std::vector<std::pair<std::string, TIndexEntry>> words;  // sorted by word
  TIndexEntry* Find(const std::string& word);
  std::size_t Place(const std::string& word) const;  // its line, or where it would go
};

struct TBucketRecord {
  Byte low = 0;
  DWord offset = 0;
};

class TWWDatabase;

class TIndexLookup {
 public:
  explicit TIndexLookup(TWWDatabase& owner) : owner_(owner) {}
  // Reads the 256 buckets from the front of `bytes`; returns the bytes used.
  std::size_t LoadBuckets(std::span<const Byte> bytes, DWord areaLength);
  // Binary search in the key's bucket: found or the insertion point.
  bool FindBlock(Word key, DWord& offset, DWord& length) const;
  bool GetBlock(Word key);
  void LoadBlock(Word key, std::span<const Byte> bytes);
  TIndexDiskRec* Current() { return current_; }

  bool Caching = true;

 private:
  std::pair<bool, std::size_t> Search(Byte bucket, Byte low) const;
  DWord NextBlockStart(int bucket, std::size_t record) const;

  TWWDatabase& owner_;
  std::array<std::vector<TBucketRecord>, 256> buckets_;
  DWord areaLength_ = 0;
  std::list<std::unique_ptr<TIndexDiskRec>> cache_;  // least recently used first
  TIndexDiskRec* current_ = nullptr;
};

class TWWDatabase {
 public:
  TWWDatabase();
  ~TWWDatabase();

  void SetFileName(const std::string& name);
  const std::string& FileName() const { return fileName_; }
  void Open(bool write = false);
  void Close();
  int OpenCount() const { return openCount_; }
  void Load();
  bool Loaded() const { return index_ != nullptr; }

  Byte RegionOf(DWord offset) const;
  std::unique_ptr<TSynset> GetSynset(DWord offset);
  // Reads `length` bytes at `offset` of the file; fewer only at its end.
  std::vector<Byte> ReadAt(std::int64_t offset, std::size_t length);

  // The look-up entry point.
  void SetWord(const std::string& word);
  const std::string& CurrentWord() const { return currentWord_; }
  TWordLookup& Lookup() { return lookup_; }
  // The 2n + 1 index words around the current word's place; the result is
  // the line of its place.
  int WordWindow(std::vector<std::string>& list, int n);

  bool TryDerivedForms() const { return tryDerivedForms_; }
  void SetTryDerivedForms(bool on);
  bool MatchPartOfSpeech() const { return matchPartOfSpeech_; }
  void SetMatchPartOfSpeech(bool on);
  bool Suspended = false;

  const TWordMorpher& Morpher() const { return morpher_; }
  TIndexLookup& Index() { return *index_; }
  DWord IndexAreaStart() const { return trailer_[0]; }

  std::function<void()> OnLoaded;
  std::function<std::unique_ptr<TSynset>(DWord)> SupplySynset;
  std::function<bool(const TSynset&)> AcceptSynset;

 private:
  using TAddSenses = std::function<void(const std::string& word, TIndexEntry& entry, TWordClassSet classes)>;
  void FindWord(const std::string& word, bool tryDerived, const TAddSenses& add);
  TIndexEntry* FindInIndex(const std::string& key);
  void AddSenses(const std::string& word, TIndexEntry& entry, TWordClassSet classes);
  void Repeat();

  std::unique_ptr<TFileStream> stream_;
  int openCount_ = 0;
  std::string fileName_;
  std::string currentWord_;
  std::string lookupWord_;
  std::unique_ptr<TIndexLookup> index_;
  bool tryDerivedForms_ = true;
  bool matchPartOfSpeech_ = true;
  TWordLookup lookup_;
  TWordMorpher morpher_;
  std::array<DWord, 10> trailer_{};
  std::int64_t fileSize_ = 0;
};

// Upper-cased letters and digits only, without a final possessive.
std::string NormalisedWord(const std::string& word);

// The index key of a normalised word: its first two coded bytes.
Word IndexKey(const std::string& normalised);

}  // namespace qm::thesaurus
