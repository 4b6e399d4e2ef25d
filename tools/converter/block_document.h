// The export block the program leaves on the clipboard, read back into
// paragraphs of styled runs and written as an RTF document that LibreOffice
// turns into the filter's format.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qm::converter {

struct TBlockRun {
  std::string text;    // cp1252; 31 an optional hyphen
  unsigned style = 0;  // 1 bold, 2 italic, 4 underline, 512 strike-out
};

struct TBlockParagraph {
  std::uint32_t leftIndent = 0;  // 16.16 fixed points
  std::uint32_t rightIndent = 0;
  std::uint32_t lineSpacing = 0;  // 16.16 fixed: whole lines between lines
  std::vector<TBlockRun> runs;
};

// The paragraphs of a block: a run with the character 13 ends one; the
// record marked last ends the block. nullopt when a record is damaged (a
// text length past its 255 characters, or no last record).
std::optional<std::vector<TBlockParagraph>> ReadExportBlock(const std::vector<std::uint8_t>& block);

// The paragraphs as RTF, on the page the program's own RTF uses.
std::string BlockAsRtf(const std::vector<TBlockParagraph>& paragraphs);

// The block on the clipboard: the desktop's when there is one, else the
// one the runtime folder's processes share. nullopt when neither holds one.
std::optional<std::vector<std::uint8_t>> ClipboardExportBlock(int argc, char** argv);

}  // namespace qm::converter
