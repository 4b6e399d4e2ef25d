#include "script/model/code_runs.h"

#include "script/model/script_model.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"

namespace qm {

std::vector<OpenRun> OpenRunsAt(std::string_view text, std::size_t pos, Byte styleBits, bool extendedColors) {
  struct Style {
    Byte on;
    Byte off;
    Byte bit;
  };
  static constexpr Style styles[] = {
      {BoldOn, BoldOff, stBold},
      {ItalicsOn, ItalicsOff, stItalic},
      {UnderlineOn, UnderlineOff, stUnderline},
      {StrikeOutOn, StrikeOutOff, stStrikeOut},
  };
  std::vector<OpenRun> runs;
  for (const auto& s : styles) {
    const bool byDefault = (styleBits & s.bit) != 0;
    if (!IsInsideCodePair(text, pos, s.on, byDefault, s.off)) continue;
    runs.push_back(OpenRun{s.on, s.off, IsInsideCodePair(text, pos, s.on, false, s.off)});
  }
  const std::size_t colours = extendedColors ? ColorPairs.size() : static_cast<std::size_t>(BasicColorCount);
  for (std::size_t i = 0; i < colours; ++i)
    if (IsInsideCodePair(text, pos, ColorPairs[i].on, false, ColorPairs[i].off))
      runs.push_back(OpenRun{ColorPairs[i].on, ColorPairs[i].off, true});
  return runs;
}

}  // namespace qm
