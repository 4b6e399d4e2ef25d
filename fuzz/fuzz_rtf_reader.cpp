// RTF comes from other programs through the clipboard and files: reading
// it must be safe for any bytes and give elements the script can hold.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/rtf_reader.h"
#include "script/model/packed_text.h"
#include "fuzz_check.h"

using qm::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t flags = data[0];
  const std::string_view rtf(reinterpret_cast<const char*>(data + 1), size - 1);
  qm::TClassifierContext context;
  context.Ask = [flags](const std::string&) { return (flags & 1) != 0; };
  context.IdentifyStyle = [flags](const std::string&) { return std::string(flags & 2 ? "DIALOGUE" : "@"); };
  qm::TPasteChoices choices;
  choices.UseStyleSheets = (flags & 4) != 0;
  choices.IgnoreMargins = (flags & 8) != 0;
  choices.Aggressive = (flags & 16) != 0;
  choices.MatchPageBreaks = (flags & 32) != 0;
  for (const auto& name : qm::ReadRtfStyleSheet(rtf)) Check(name.find(' ') == std::string::npos);
  qm::fuzz::CheckImported(qm::ImportRtf(rtf, context, choices));
  return 0;
}
