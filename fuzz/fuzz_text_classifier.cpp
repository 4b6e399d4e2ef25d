// Plain text comes from anywhere: joining and classifying it must be safe
// for any bytes in any encoding and give elements the script can hold.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/text_classifier.h"
#include "files/text_encoding.h"
#include "script/model/packed_text.h"
#include "fuzz_check.h"

using qm::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t flags = data[0];
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
  qm::TClassifierContext context;
  context.CharacterNames = {"ANNA", "JOHN"};
  context.Ask = [flags](const std::string&) { return (flags & 1) != 0; };
  qm::TPasteChoices choices;
  choices.Aggressive = (flags & 2) != 0;
  choices.NoCapitals = (flags & 4) != 0;
  choices.IgnoreMargins = (flags & 8) != 0;
  choices.ActionInParentheticals = (flags & 16) != 0;
  choices.ActionOnly = (flags & 32) != 0;
  choices.MatchPageBreaks = (flags & 64) != 0;
  const qm::TIncomingText incoming = qm::IncomingTextToAnsi(bytes);
  Check(incoming.text.size() <= bytes.size());
  const auto elements = qm::ClassifyPlainText(incoming.text, context, choices);
  qm::fuzz::CheckImported(elements);
  Check(elements.empty() || elements.back().kind != qm::ekCharacterName);
  return 0;
}
