#include "language/thesaurus/database_writer.h"

#include <algorithm>
#include <stdexcept>

#include "language/thesaurus/synsets.h"
#include "language/thesaurus/text_codecs.h"
#include "language/thesaurus/wweb_database.h"
#include "platform/byte_io.h"

namespace qm::thesaurus {

namespace {

constexpr DWord MaxOffset = 0xFFFFFF;

void Put24(std::vector<Byte>& out, DWord v) {
  out.push_back(static_cast<Byte>(v));
  out.push_back(static_cast<Byte>(v >> 8));
  out.push_back(static_cast<Byte>(v >> 16));
}

TSynset ToSynset(const TSynsetSource& source) {
  TSynset synset;
  synset.Words = source.words;
  synset.Gloss = source.gloss;
  for (const auto& link : source.links) {
    if (link.type >= relSynonyms || link.firstNumber > 27 || link.secondNumber > 27) continue;
    synset.Links.push_back({link.type, 0, link.firstNumber, link.secondNumber});
  }
  return synset;
}

std::vector<Byte> Record(const TSynset& synset) {
  std::vector<Byte> out;
  synset.Write(out);
  return out;
}

// Shortens a record until the reader takes it whole; returns its length.
std::size_t FitRecord(TSynset& synset, std::vector<TLinkSource>& links) {
  for (;;) {
    if (synset.StoredText().size() <= MaxSynsetText) {
      const std::size_t length = Record(synset).size();
      if (length <= SynsetReadBytes) return length;
    }
    if (synset.Gloss.size() > 40) {
      synset.Gloss.resize(synset.Gloss.size() * 9 / 10);
    } else if (!synset.Links.empty()) {
      synset.Links.pop_back();
      links.pop_back();
    } else if (!synset.Words.empty()) {
      synset.Words.pop_back();
    } else {
      return Record(synset).size();
    }
  }
}

}  // namespace

std::vector<Byte> SaveDatabase(const TDatabaseSource& source) {
  // Synsets by word class; each one's record length is known before the
  // offsets of its link targets are.
  std::vector<std::size_t> order(source.synsets.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return source.synsets[a].wordClass < source.synsets[b].wordClass;
  });
  std::vector<TSynset> synsets(source.synsets.size());
  std::vector<std::vector<TLinkSource>> links(source.synsets.size());
  std::vector<DWord> offsets(source.synsets.size());
  std::array<DWord, 8> regionEnds{};
  DWord at = 0;
  for (const std::size_t i : order) {
    synsets[i] = ToSynset(source.synsets[i]);
    for (const auto& link : source.synsets[i].links)
      if (link.type < relSynonyms && link.firstNumber <= 27 && link.secondNumber <= 27) links[i].push_back(link);
    const std::size_t length = FitRecord(synsets[i], links[i]);
    offsets[i] = at;
    at += static_cast<DWord>(length);
    if (at > MaxOffset) throw std::length_error("thesaurus synsets pass 24-bit offsets");
    for (Byte r = source.synsets[i].wordClass; r < 8; ++r) regionEnds[r] = at;
  }
  for (Byte r = 1; r < 8; ++r) regionEnds[r] = std::max(regionEnds[r], regionEnds[r - 1]);
  std::vector<Byte> file;
  for (const std::size_t i : order) {
    for (std::size_t l = 0; l < links[i].size(); ++l) synsets[i].Links[l].target = offsets[links[i][l].target];
    synsets[i].Write(file);
  }

  // The word index: words by the first two bytes of their code.
  std::map<Word, std::map<std::string, std::vector<DWord>>> blocks;
  for (const auto& [word, senses] : source.index) {
    const std::string key = WordKey(word);
    if (key.empty()) continue;
    auto& list = blocks[IndexKey(key)][key];
    for (const std::size_t sense : senses) {
      const DWord offset = offsets[sense];
      if (list.size() < MaxSensesPerWord && std::find(list.begin(), list.end(), offset) == list.end())
        list.push_back(offset);
    }
  }
  const DWord areaStart = static_cast<DWord>(file.size());
  std::array<std::vector<std::pair<Byte, DWord>>, 256> buckets;
  for (const auto& [key, words] : blocks) {
    std::vector<Byte> block;
    std::string counts;
    for (const auto& [word, senses] : words) counts.push_back(static_cast<char>(senses.size()));
    const std::string coded = EncodeCharacters(counts);
    block.insert(block.end(), coded.begin(), coded.end());
    for (const auto& [word, senses] : words) {
      const std::string code = PadToKey(EncodeLetters(word));
      block.insert(block.end(), code.begin() + 2, code.end());
      for (const DWord offset : senses) Put24(block, offset);
    }
    const DWord blockOffset = static_cast<DWord>(file.size()) - areaStart;
    if (blockOffset > MaxOffset) throw std::length_error("thesaurus index passes 24-bit offsets");
    buckets[key >> 8].emplace_back(static_cast<Byte>(key & 0xFF), blockOffset);
    file.insert(file.end(), block.begin(), block.end());
  }
  const DWord areaEnd = static_cast<DWord>(file.size());
  for (const auto& bucket : buckets) {
    if (bucket.size() > 255) throw std::length_error("thesaurus index bucket holds more than 255 blocks");
    file.push_back(static_cast<Byte>(bucket.size()));
    for (const auto& [low, offset] : bucket) {
      file.push_back(low);
      Put24(file, offset);
    }
  }
  TWordMorpher(source.inflection).Save(file);
  std::string licence = source.licence;
  licence.resize(LicenceBytes, ' ');
  file.insert(file.end(), licence.begin(), licence.end());
  ByteWriter trailer(file);
  trailer.U32(areaStart);
  trailer.U32(areaEnd);
  for (const DWord end : regionEnds) trailer.U32(end);
  return file;
}

}  // namespace qm::thesaurus
