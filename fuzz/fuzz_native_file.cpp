// Native script files come from disks and other people: reading one must
// be safe for any bytes, and what it accepts must hold together.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "files/native_file.h"
#include "files/storyboard_block.h"
#include "fuzz_check.h"

using qm::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const qm::Byte> bytes(data, size);
  qm::TParsedScript parsed;
  std::string error;
  if (!qm::ParseScriptImage(bytes, parsed, error)) {
    Check(!error.empty());
    return 0;
  }
  // A script holds one element at least, whatever its header counts.
  Check(!parsed.elements.empty());
  Check(parsed.elements.size() == parsed.info.ElementCount);
  qm::TScriptElement* previous = nullptr;
  for (auto& e : parsed.elements) {
    Check(e->Kind() < qm::FirstInvalidKind);
    Check(e->text && e->text->find('\0') == std::string::npos);
    Check(e->lineOffsets.empty() || e->LineOffsetsValid());
    e->prev = previous;
    if (previous) previous->next = e.get();
    previous = e.get();
  }

  // The settings read the same when written and read again.
  qm::TScriptRecord record;
  qm::TFontNames fonts;
  qm::THeaderInfo info;
  std::vector<qm::Byte> image(parsed.dos ? qm::DosSettingsSize : qm::ScriptHeaderSize);
  if (parsed.dos) {
    Check(qm::DecodeDosSettings(parsed.settings, qm::hgSettings, record, info, error));
    qm::EncodeDosSettings(record, info, image);
  } else {
    Check(qm::DecodeScriptHeader(parsed.settings, qm::hgSettings, record, fonts, info, &parsed.overflow, error));
    qm::TListOverflow spill;
    qm::EncodeScriptHeader(record, fonts, info, image, &spill);
    const std::vector<qm::Byte> overflow = qm::EncodeListOverflow(spill);
    qm::TListOverflow again;
    Check(qm::DecodeListOverflow(overflow, again, error));
    qm::TScriptRecord second;
    qm::TFontNames secondFonts;
    Check(qm::DecodeScriptHeader(image, qm::hgSettings, second, secondFonts, info, &again, error));
    Check(static_cast<const qm::TScriptSettings&>(second) == static_cast<const qm::TScriptSettings&>(record));
    Check(secondFonts == fonts);
  }

  qm::TStringList frames;
  qm::RestoreStoryboardLinks(parsed.storyboardBlock, frames, parsed.elements.front().get());
  Check(frames.Count() >= 1 && frames[0] == "0");
  return 0;
}
