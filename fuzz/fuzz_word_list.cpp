// User dictionaries are text files the writer edits by hand: any bytes must
// read safely, a file read whole must write back to the same list, and
// what is saved of a damaged file must read as a good one.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "language/spelling/word_list.h"

namespace {

using namespace qm::spelling;
using qm::fuzz::Check;

bool Same(const TWordList& a, const TWordList& b) {
  if (a.hunspell != b.hunspell || a.entries.size() != b.entries.size()) return false;
  for (std::size_t i = 0; i < a.entries.size(); ++i)
    if (a.entries[i].word != b.entries[i].word || a.entries[i].second != b.entries[i].second) return false;
  return true;
}

void CheckEntries(const TWordList& list) {
  for (const auto& e : list.entries) {
    Check(IsStorableEntry(e.word, false));
    Check(IsStorableEntry(e.second, true));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (const auto list = ParseWordList(bytes)) {
    CheckEntries(*list);
    const auto again = ParseWordList(FormatWordList(*list));
    Check(again.has_value() && Same(*list, *again));
  }
  const TWordList saved = SalvageWordList(bytes);
  CheckEntries(saved);
  const auto reread = ParseWordList(FormatWordList(saved));
  Check(reread.has_value() && Same(saved, *reread));
  return 0;
}
