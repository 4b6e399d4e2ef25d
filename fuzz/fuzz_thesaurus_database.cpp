// The thesaurus database and the synonym list file come from outside the
// program: any bytes must give senses or lines, nothing or the engine's
// error, never a bad read. The decoders the database is made of must end
// on any bytes, within their limits.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <span>
#include <string>

#include "fuzz_check.h"
#include "language/thesaurus/synsets.h"
#include "language/thesaurus/text_codecs.h"
#include "language/thesaurus/thes_dic.h"
#include "language/thesaurus/word_morpher.h"
#include "language/thesaurus/wweb_database.h"
#include "platform/files.h"

using qm::fuzz::Check;
namespace th = qm::thesaurus;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const qm::Byte> bytes(data, size);
  const auto pair = th::DecodePair(bytes);
  Check(pair.numbers.size() == 2 * pair.types.size());
  Check(th::DecodeLetters(bytes).size() <= th::MaxDecodedSymbols);
  Check(th::DecodeCharacters(bytes, 40).size() <= 40);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  Check(th::ExpandGloss(text).size() <= 3000);
  try {
    th::TSynset synset;
    synset.Read(bytes);
  } catch (const th::EWWError&) {
  }
  try {
    th::TWordMorpher morpher;
    Check(morpher.Load(bytes) <= size);
  } catch (const th::EWWError&) {
  }

  static const std::string path = qm::JoinPath(qm::TempFolder(), "fuzz-" + std::to_string(getpid()) + ".wwd");
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  th::TWWDatabase db;
  db.SetFileName(path);
  for (const char* word : {"walk", "walked", "run", "brighter"}) {
    try {
      db.SetWord(word);
      for (int r = 0; r < th::RelationCount; ++r) db.Lookup().RelatedWords(r);
    } catch (const th::EWWError&) {
    }
  }
  Check(db.OpenCount() == 0);

  // The same bytes as the synonym list file: lines or nothing, never a read
  // outside the file, and never a separator as the last line.
  for (const char* word : {"walk", "w", "zz", "ab"}) {
    const auto found = th::ReadThesDicSynonyms(path, word);
    Check(found.lines.empty() || found.lines.back() != th::SeparatorLine);
    Check(found.lines.size() <= 255);
  }
  return 0;
}
