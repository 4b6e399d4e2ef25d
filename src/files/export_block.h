// The neutral block an export through the converter's filters hands over
// on the clipboard: the script flattened into text runs, each a 299-byte
// record that repeats its paragraph's indents and line spacing. The layout
// is in docs/native-file-format.md; the converter reads it back.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace qm {

class TScriptDocument;

inline constexpr const char* ExportFormatName = "Quillmaster Export";
inline constexpr std::size_t RunRecordBytes = 299;
inline constexpr std::size_t MaxRunText = 255;
// A pending run longer than this is written out.
inline constexpr std::size_t RunFlushLength = 200;

// Offsets in a run record.
enum TRunRecordField : std::size_t {
  rrText = 0,          // length byte and up to 255 characters
  rrTextLength = 256,  // u32: the text's length minus 1
  rrStyle = 260,       // u16: TRunStyle bits
  rrLeftIndent = 262,  // 16.16 fixed, points
  rrRightIndent = 270,
  rrLineSpacing = 274,  // 16.16 fixed: whole lines between lines
  rrLastRecord = 298,   // 1 in the record that ends the block
};

enum TRunStyle : Word { rsBold = 1, rsItalic = 2, rsUnderline = 4, rsStrikeOut = 512 };

// A run's text: 13 ends a paragraph, 31 is an optional hyphen.
inline constexpr char RunParagraphEnd = 13;
inline constexpr char RunOptionalHyphen = 31;

// Made for one export, all zero at the start.
struct TExportVariables {
  std::string PendingRun;
  std::uint32_t FixedValue = 0;
  UINT ExportFormat = 0;
  std::array<Byte, RunRecordBytes> RunRecord{};
  std::uint32_t BlockSize = 0;
  std::size_t WritePointer = 0;
  std::vector<Byte> Block;  // the clipboard block pass 1 fills
  Word Style = 0;           // of the run being collected
};

// Whole points and tenths as 16.16 fixed point: the tenth times 65536 / 10
// in the low word.
std::uint32_t FixedPoints(int tenthsOfPoints);

// Writes the pending run out as one record (pass 1) or counts it (pass 0);
// nothing when the run is empty.
void AppendRunRecord(TExportVariables& vars, int pass);

// One pass over the script's exported elements: pass 0 counts the bytes,
// pass 1 writes them into vars.Block (sized by pass 0). Returns the size,
// the closing record included. `filterFile` decides the WordPerfect indents.
std::uint32_t BuildExportBlock(TScriptDocument& script, TExportVariables& vars, std::string targetFile,
                               const std::string& filterFile, int pass);

// The whole block of a script: both passes.
std::vector<Byte> ExportBlockOf(TScriptDocument& script, const std::string& filterFile);

}  // namespace qm
