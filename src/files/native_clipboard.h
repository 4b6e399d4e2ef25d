// The program's own clipboard format, "Quillmaster Text": element entries,
// each a 278-byte record followed by the element's text as held (packed,
// a Character Name's plain), ended by a record whose type byte is 22.
// Numbers are little-endian; nothing pads the entries.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {

inline constexpr const char* NativeClipboardFormatName = "Quillmaster Text";

constexpr std::size_t ClipRecordSize = 278;
constexpr Byte ClipEndKind = 22;
constexpr std::size_t ClipOffsetBytes = 150;
constexpr std::size_t ClipRevisedChars = 75;
constexpr std::size_t ClipFontNameChars = 30;

// One element as the clipboard carries it.
struct TClipRecord {
  TElementFormat format;
  Byte split = spWhole;
  Byte state = esNormal;
  // Entries 1 to lineCount of the wrapped lines' starts; empty when none.
  std::vector<Word> lineOffsets;
  std::string revisedLines;
  Byte lineCount = 1;
  std::string fontName;
  Byte avColumn = 0;
  Word storyboardLink = 0;
  // As held: packed, or plain for a Character Name.
  std::string text;
};

void AppendClipRecord(std::vector<Byte>& out, const TClipRecord& record);
void AppendClipEndRecord(std::vector<Byte>& out);

// What a block read back: the sound records, in order, and whether any of
// the data was damaged (a field mended, or records left unread).
struct TClipReadResult {
  std::vector<TClipRecord> records;
  bool damaged = false;
};

// Reads records until the end record or the end of the data, checking
// every count and length against the bytes present. A record whose
// structure does not hold ends the reading; a field out of range is
// mended (offsets dropped so the element is wrapped again, lengths cut).
TClipReadResult ReadClipRecords(std::span<const Byte> data);

}  // namespace qm
