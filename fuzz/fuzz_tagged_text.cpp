// Tagged text comes from another program's files: reading it must end on
// any bytes, whatever the writer answers about its styles, and give
// elements the script can hold.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "files/style_picker.h"
#include "files/tagged_text.h"
#include "script/model/standard_formats.h"
#include "fuzz_check.h"

using qm::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte chooses the answers: a row of the style picker for each
  // new style in turn, or a cancelled import.
  const std::uint8_t answers = data[0];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  int asked = 0;
  const qm::TStyleQuestion ask = [answers, &asked](const std::string&) -> std::optional<int> {
    const int row = (answers + asked++) % (qm::StyleChoiceCount + 1);
    if (row == qm::StyleChoiceCount) return std::nullopt;
    return row;
  };
  qm::TStyleTable table;
  const qm::TTaggedTextResult result = qm::ReadTaggedText(text, table, qm::StandardFormatSet(), ask);
  Check(asked <= qm::MaxStyleEntries);
  Check(table.Count() <= qm::MaxStyleEntries);
  qm::fuzz::CheckImported(result.elements);
  const qm::TStyleTable stored = qm::TStyleTable::FromBytes(table.ToBytes());
  Check(stored.Count() <= table.Count());
  return 0;
}
