// One element as the native file stores it. The Windows variant keeps
// everything of the element; the DOS variant only its format, split
// state, state and text.
#pragma once

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/byte_io.h"
#include "script/model/script_model.h"

namespace qm {

constexpr std::size_t ElementRecordSize = 24;  // the fixed part
constexpr std::size_t DosElementRecordSize = 16;

// What an element stores besides its own fields: its text as held (packed,
// a Character Name's plain) and its line-offset block (empty for none).
struct TStoredElement {
  const TScriptElement* element = nullptr;
  std::string_view text;
  std::span<const Byte> lineOffsets;
};

void AppendElementRecord(ByteWriter& w, const TStoredElement& e);
void AppendDosElementRecord(ByteWriter& w, const TStoredElement& e);

// The next element, or null with the reason in `error`. `fixedSize` is
// the record size the file gives (a larger one from a later version has
// bytes this reader skips). An element whose line-offset block does not
// fit its line count keeps none, so that it is wrapped again.
std::unique_ptr<TScriptElement> ReadElementRecord(ByteReader& r, std::size_t fixedSize, std::string& error);
std::unique_ptr<TScriptElement> ReadDosElementRecord(ByteReader& r, std::size_t fixedSize, std::string& error);

// Whether an element read from a file must be wrapped again before it is
// shown: its saved line offsets are missing or do not fit.
inline bool NeedsRewrap(const TScriptElement& e) { return !e.LineOffsetsValid(); }

}  // namespace qm
