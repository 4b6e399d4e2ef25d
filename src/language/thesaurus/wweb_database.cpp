#include "language/thesaurus/wweb_database.h"

#include <algorithm>

#include "language/thesaurus/text_codecs.h"
#include "platform/byte_io.h"

namespace qm::thesaurus {

namespace {

[[noreturn]] void Damaged() { throw EWWError(DamagedDatabaseMessage); }

DWord Get24(std::span<const Byte> in, std::size_t at) {
  return static_cast<DWord>(in[at]) | static_cast<DWord>(in[at + 1]) << 8 | static_cast<DWord>(in[at + 2]) << 16;
}

Word Swapped(Word key) { return static_cast<Word>((key & 0xFF) << 8 | key >> 8); }

std::string LowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return s;
}

// Closes what it opened, also when a damaged file throws.
class TOpenGuard {
 public:
  explicit TOpenGuard(TWWDatabase& db) : db_(db) { db_.Open(); }
  ~TOpenGuard() { db_.Close(); }
  TOpenGuard(const TOpenGuard&) = delete;
  TOpenGuard& operator=(const TOpenGuard&) = delete;

 private:
  TWWDatabase& db_;
};

}  // namespace

std::string NormalisedWord(const std::string& word) {
  std::string w = word;
  const std::size_t n = w.size();
  if (n > 2 && (w[n - 2] == '\'' || w[n - 2] == '`') && (w[n - 1] == 's' || w[n - 1] == 'S')) w.resize(n - 2);
  return WordKey(w);
}

Word IndexKey(const std::string& normalised) {
  const std::string code = PadToKey(EncodeLetters(normalised));
  return static_cast<Word>(static_cast<Byte>(code[0]) | static_cast<Byte>(code[1]) << 8);
}

// ---- Index blocks ----

TIndexEntry* TIndexDiskRec::Find(const std::string& word) {
  const std::size_t at = Place(word);
  return at < words.size() && words[at].first == word ? &words[at].second : nullptr;
}

std::size_t TIndexDiskRec::Place(const std::string& word) const {
  const auto it = std::lower_bound(words.begin(), words.end(), word,
                                   [](const auto& entry, const std::string& w) { return entry.first < w; });
  return static_cast<std::size_t>(it - words.begin());
}

std::size_t TIndexLookup::LoadBuckets(std::span<const Byte> bytes, DWord areaLength) {
  areaLength_ = areaLength;
  std::size_t pos = 0;
  for (auto& bucket : buckets_) {
    if (pos >= bytes.size()) Damaged();
    const Byte count = bytes[pos++];
    if (bytes.size() - pos < 4u * count) Damaged();
    bucket.clear();
    for (int i = 0; i < count; ++i, pos += 4) {
      const TBucketRecord record{bytes[pos], Get24(bytes, pos + 1)};
      if (!bucket.empty() && record.low <= bucket.back().low) Damaged();
      if (record.offset >= areaLength) Damaged();
      bucket.push_back(record);
    }
  }
  cache_.clear();
  current_ = nullptr;
  return pos;
}

std::pair<bool, std::size_t> TIndexLookup::Search(Byte bucket, Byte low) const {
  const auto& records = buckets_[bucket];
  int lo = 0;
  int hi = static_cast<int>(records.size()) - 1;
  bool found = false;
  while (lo <= hi) {
    const int mid = (lo + hi) / 2;
    if (records[mid].low < low) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (records[mid].low == low) {
        found = true;
        lo = mid;
      }
    }
  }
  return {found, static_cast<std::size_t>(lo)};
}

DWord TIndexLookup::NextBlockStart(int bucket, std::size_t record) const {
  if (record + 1 < buckets_[bucket].size()) return buckets_[bucket][record + 1].offset;
  // An empty bucket after it has no first offset: the next non-empty one has.
  for (int b = bucket + 1; b < 256; ++b)
    if (!buckets_[b].empty()) return buckets_[b].front().offset;
  return areaLength_;
}

bool TIndexLookup::FindBlock(Word key, DWord& offset, DWord& length) const {
  const Byte bucket = static_cast<Byte>(key >> 8);
  const auto [found, at] = Search(bucket, static_cast<Byte>(key & 0xFF));
  offset = 0;
  length = 0;
  if (!found) return false;
  offset = buckets_[bucket][at].offset;
  const DWord next = NextBlockStart(bucket, at);
  length = next > offset ? next - offset : 0;
  return true;
}

bool TIndexLookup::GetBlock(Word key) {
  if (Caching) {
    for (auto it = cache_.begin(); it != cache_.end(); ++it) {
      if ((*it)->key != key) continue;
      cache_.splice(cache_.end(), cache_, it);
      current_ = cache_.back().get();
      return true;
    }
  }
  DWord offset = 0;
  DWord length = 0;
  if (!FindBlock(key, offset, length)) return false;
  std::unique_ptr<TIndexDiskRec> record;
  if (cache_.size() < BlockCacheSize) {
    record = std::make_unique<TIndexDiskRec>();
  } else {
    record = std::move(cache_.front());
    cache_.pop_front();
  }
  current_ = nullptr;
  const std::vector<Byte> bytes = owner_.ReadAt(static_cast<std::int64_t>(owner_.IndexAreaStart()) + offset, length);
  if (bytes.size() < length) Damaged();
  // A damaged block leaves no half record in the cache.
  cache_.push_back(std::move(record));
  current_ = cache_.back().get();
  try {
    LoadBlock(key, bytes);
  } catch (...) {
    cache_.pop_back();
    current_ = nullptr;
    throw;
  }
  return true;
}

void TIndexLookup::LoadBlock(Word key, std::span<const Byte> bytes) {
  if (bytes.empty()) throw EWWError("WordWeb index error");
  TIndexDiskRec& record = *current_;
  record.key = key;
  record.words.clear();
  const std::string counts = DecodeCharacters(bytes, bytes.size());
  std::size_t pos = EncodeCharacters(counts).size();
  std::vector<Byte> coded;
  for (const char count : counts) {
    if (pos > bytes.size()) Damaged();
    coded.assign({static_cast<Byte>(key & 0xFF), static_cast<Byte>(key >> 8)});
    const auto rest = bytes.subspan(pos, std::min<std::size_t>(bytes.size() - pos, 2 * MaxKeyChars));
    coded.insert(coded.end(), rest.begin(), rest.end());
    const std::string word = DecodeLetters(coded, MaxKeyChars);
    if (word.empty()) Damaged();
    pos += PadToKey(EncodeLetters(word)).size() - 2;
    const std::size_t senses = static_cast<Byte>(count);
    if (pos > bytes.size() || bytes.size() - pos < 3 * senses) Damaged();
    TIndexEntry entry;
    for (std::size_t i = 0; i < senses; ++i, pos += 3) entry.offsets.push_back(Get24(bytes, pos));
    record.words.emplace_back(word, std::move(entry));
  }
  std::stable_sort(record.words.begin(), record.words.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
}

// ---- The database ----

TWWDatabase::TWWDatabase() : lookup_(*this) {}
TWWDatabase::~TWWDatabase() = default;

void TWWDatabase::SetFileName(const std::string& name) {
  if (openCount_ != 0) throw EWWError("Cannot change open database file");
  if (name != fileName_) index_.reset();
  fileName_ = name;
}

void TWWDatabase::Open(bool write) {
  if (openCount_ == 0) {
    auto stream = std::make_unique<TFileStream>(fileName_, write ? TFileMode::OpenReadWrite : TFileMode::OpenRead);
    if (!stream->IsOpen()) throw EWWError(stream->LastErrorMessage());
    stream_ = std::move(stream);
  }
  ++openCount_;
}

void TWWDatabase::Close() {
  if (openCount_ == 0) return;
  if (--openCount_ == 0) stream_.reset();
}

std::vector<Byte> TWWDatabase::ReadAt(std::int64_t offset, std::size_t length) {
  TOpenGuard guard(*this);
  std::vector<Byte> bytes(length);
  if (stream_->Seek(offset) != offset) Damaged();
  bytes.resize(stream_->Read(bytes.data(), length));
  return bytes;
}

void TWWDatabase::Load() {
  if (index_) return;
  auto index = std::make_unique<TIndexLookup>(*this);
  {
    TOpenGuard guard(*this);
    fileSize_ = stream_->Size();
    if (fileSize_ < static_cast<std::int64_t>(TrailerBytes)) Damaged();
    const std::vector<Byte> trailer = ReadAt(fileSize_ - static_cast<std::int64_t>(TrailerBytes), TrailerBytes);
    if (trailer.size() != TrailerBytes) Damaged();
    for (std::size_t i = 0; i < trailer_.size(); ++i) trailer_[i] = GetU32(trailer, 4 * i);
    const std::int64_t trailerStart = fileSize_ - static_cast<std::int64_t>(TrailerBytes);
    if (trailer_[0] > trailer_[1] || trailer_[1] > trailerStart) Damaged();
    for (std::size_t r = 3; r < trailer_.size(); ++r)
      if (trailer_[r] < trailer_[r - 1]) Damaged();
    if (trailer_[9] > trailer_[0]) Damaged();
    const std::vector<Byte> rest = ReadAt(trailer_[1], static_cast<std::size_t>(trailerStart - trailer_[1]));
    if (static_cast<std::int64_t>(rest.size()) != trailerStart - trailer_[1]) Damaged();
    const std::size_t used = index->LoadBuckets(rest, trailer_[1] - trailer_[0]);
    morpher_.Load(std::span<const Byte>(rest).subspan(used));
  }
  index_ = std::move(index);
  if (OnLoaded) OnLoaded();
}

Byte TWWDatabase::RegionOf(DWord offset) const {
  for (Byte r = 0; r < 8; ++r)
    if (offset < trailer_[2 + r]) return r;
  throw EWWError("Invalid database pointer");
}

std::unique_ptr<TSynset> TWWDatabase::GetSynset(DWord offset) {
  if (SupplySynset) {
    if (auto supplied = SupplySynset(offset)) return supplied;
  }
  const Byte region = RegionOf(offset);
  const std::size_t length = std::min<std::size_t>(SynsetReadBytes, trailer_[0] - offset);
  const std::vector<Byte> bytes = ReadAt(offset, length);
  auto synset = std::make_unique<TSynset>();
  synset->Offset = offset;
  synset->Read(bytes);
  synset->WordClass = region;
  if (AcceptSynset && !AcceptSynset(*synset)) return nullptr;
  return synset;
}

TIndexEntry* TWWDatabase::FindInIndex(const std::string& key) {
  if (key.empty() || !index_->GetBlock(IndexKey(key))) return nullptr;
  return index_->Current()->Find(key);
}

void TWWDatabase::AddSenses(const std::string& word, TIndexEntry& entry, TWordClassSet classes) {
  for (const DWord offset : entry.offsets) {
    if (!(classes & (1u << RegionOf(offset)))) continue;
    auto sense = GetSynset(offset);
    if (!sense) continue;
    sense->SetHeadWord(word);
    sense->Form = entry.form;
    lookup_.AddSense(std::move(sense));
  }
}

void TWWDatabase::FindWord(const std::string& word, bool tryDerived, const TAddSenses& add) {
  const std::string key = WordKey(word);
  if (key.empty()) return;
  if (TIndexEntry* entry = FindInIndex(key)) {
    entry->form = wfBase;
    add(key, *entry, AllWordClasses);
  }
  if (!tryDerived) return;
  const std::string lower = LowerAscii(word);
  for (Byte wordClass = mcNoun; wordClass <= mcAdjective; ++wordClass) {
    std::vector<std::string> candidates;
    Byte form = wfPlural;
    if (wordClass == mcNoun) morpher_.NounBaseForms(lower, candidates);
    if (wordClass == mcVerb) morpher_.VerbBaseForms(lower, candidates, form);
    if (wordClass == mcAdjective) morpher_.AdjectiveBaseForms(lower, candidates, form);
    for (const auto& candidate : candidates) {
      const std::string candidateKey = WordKey(candidate);
      if (candidateKey == key) continue;
      if (TIndexEntry* entry = FindInIndex(candidateKey)) {
        entry->form = form;
        add(candidateKey, *entry, static_cast<TWordClassSet>(1u << wordClass));
      }
    }
  }
}

void TWWDatabase::SetWord(const std::string& word) {
  lookup_.Clear();
  std::string w = word;
  const std::size_t n = w.size();
  if (n > 2 && (w[n - 2] == '\'' || w[n - 2] == '`') && (w[n - 1] == 's' || w[n - 1] == 'S')) w.resize(n - 2);
  TOpenGuard guard(*this);
  Load();
  lookupWord_ = w;
  currentWord_ = WordKey(w);
  FindWord(w, tryDerivedForms_, [this](const std::string& found, TIndexEntry& entry, TWordClassSet classes) {
    AddSenses(found, entry, classes);
  });
  lookup_.SetClassFilter(AllWordClasses);
}

void TWWDatabase::Repeat() {
  if (!Suspended && !lookupWord_.empty()) SetWord(lookupWord_);
}

void TWWDatabase::SetTryDerivedForms(bool on) {
  if (on == tryDerivedForms_) return;
  tryDerivedForms_ = on;
  Repeat();
}

void TWWDatabase::SetMatchPartOfSpeech(bool on) {
  if (on == matchPartOfSpeech_) return;
  matchPartOfSpeech_ = on;
  Repeat();
}

int TWWDatabase::WordWindow(std::vector<std::string>& list, int n) {
  list.clear();
  TOpenGuard guard(*this);
  Load();
  using TListed = std::pair<std::string, DWord>;
  std::vector<TListed> before;
  std::vector<TListed> after;
  auto take = [](const TIndexDiskRec& block, std::size_t from, std::size_t to, std::vector<TListed>& out) {
    for (std::size_t i = from; i < to; ++i)
      out.emplace_back(block.words[i].first,
                       block.words[i].second.offsets.empty() ? 0 : block.words[i].second.offsets[0]);
  };
  const Word key = IndexKey(currentWord_);
  if (index_->GetBlock(key)) {
    const TIndexDiskRec& block = *index_->Current();
    const std::size_t place = block.Place(currentWord_);
    take(block, 0, place, before);
    take(block, place, block.words.size(), after);
  }
  const std::size_t wantBefore = static_cast<std::size_t>(n);
  const std::size_t wantAfter = static_cast<std::size_t>(n) + 1;
  DWord offset = 0;
  DWord length = 0;
  // The coder gives later words lower codes: the blocks before the place
  // have higher coded keys.
  for (int s = Swapped(key) + 1; s <= 0xFFFF && before.size() < wantBefore; ++s) {
    const Word k = Swapped(static_cast<Word>(s));
    if (!index_->FindBlock(k, offset, length) || !index_->GetBlock(k)) continue;
    std::vector<TListed> earlier;
    take(*index_->Current(), 0, index_->Current()->words.size(), earlier);
    before.insert(before.begin(), earlier.begin(), earlier.end());
  }
  for (int s = Swapped(key) - 1; s >= 0 && after.size() < wantAfter; --s) {
    const Word k = Swapped(static_cast<Word>(s));
    if (!index_->FindBlock(k, offset, length) || !index_->GetBlock(k)) continue;
    take(*index_->Current(), 0, index_->Current()->words.size(), after);
  }
  if (before.size() > wantBefore) before.erase(before.begin(), before.end() - static_cast<std::ptrdiff_t>(wantBefore));
  if (after.size() > wantAfter) after.resize(wantAfter);
  const int place = static_cast<int>(before.size());
  before.insert(before.end(), after.begin(), after.end());
  for (const auto& [word, first] : before) {
    std::string shown = LowerAscii(word);
    try {
      if (auto synset = GetSynset(first)) {
        synset->SetHeadWord(word);
        shown = synset->HeadWord;
      }
    } catch (const EWWError&) {
      // A word whose first synset cannot be read is listed as stored.
    }
    list.push_back(shown);
  }
  return list.empty() ? 0 : std::min(place, static_cast<int>(list.size()) - 1);
}

}  // namespace qm::thesaurus
