#include "block_document.h"

#include <cmath>

#include "files/export_block.h"
#include "files/rtf_page.h"
#include "script/model/text_codes.h"

namespace qm::converter {

namespace {

std::uint32_t Get(const std::uint8_t* record, std::size_t at, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = value << 8 | record[at + i];
  return value;
}

long Twips(std::uint32_t fixedPoints) { return std::lround(fixedPoints * 20.0 / 65536.0); }

void AppendText(std::string& out, const std::string& text) {
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b == static_cast<unsigned char>(RunOptionalHyphen)) {
      out += "\\-";
    } else if (b == HardSpace) {
      out += "\\~";
    } else if (b == HardDash) {
      out += "\\_";
    } else if (c == '\\' || c == '{' || c == '}') {
      out += '\\';
      out += c;
    } else if (b >= 128) {
      static const char* hex = "0123456789abcdef";
      out += "\\'";
      out += hex[b >> 4];
      out += hex[b & 15];
    } else if (b >= 32) {
      out += c;
    }
  }
}

}  // namespace

std::optional<std::vector<TBlockParagraph>> ReadExportBlock(const std::vector<std::uint8_t>& block) {
  std::vector<TBlockParagraph> paragraphs;
  bool open = false;
  for (std::size_t at = 0; at + RunRecordBytes <= block.size(); at += RunRecordBytes) {
    const std::uint8_t* record = block.data() + at;
    if (record[rrLastRecord] == 1) return paragraphs;
    const std::size_t length = record[rrText];
    if (length == 0 || Get(record, rrTextLength, 4) != length - 1) return std::nullopt;
    const std::string text(reinterpret_cast<const char*>(record + 1), length);
    const auto style = static_cast<unsigned>(Get(record, rrStyle, 2));
    // A paragraph takes the fields of the record its first text or its end
    // stands in.
    for (std::size_t from = 0;;) {
      const std::size_t end = text.find(RunParagraphEnd, from);
      const std::string piece = text.substr(from, end == std::string::npos ? std::string::npos : end - from);
      if (!open && (!piece.empty() || end != std::string::npos)) {
        paragraphs.push_back(
            {Get(record, rrLeftIndent, 4), Get(record, rrRightIndent, 4), Get(record, rrLineSpacing, 4), {}});
        open = true;
      }
      if (!piece.empty()) paragraphs.back().runs.push_back({piece, style});
      if (end == std::string::npos) break;
      open = false;
      from = end + 1;
    }
  }
  return std::nullopt;
}

std::string BlockAsRtf(const std::vector<TBlockParagraph>& paragraphs) {
  std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fmodern Courier New;}}\r\n";
  out += RtfPageControls;
  out += "\\widowctrl\r\n";
  for (const TBlockParagraph& p : paragraphs) {
    out += "\\pard\\plain\\li" + std::to_string(Twips(p.leftIndent)) + "\\ri" + std::to_string(Twips(p.rightIndent));
    out += "\\sl" + std::to_string(240 * ((p.lineSpacing >> 16) + 1)) + "\\slmult1\\f0\\fs24 ";
    for (const TBlockRun& run : p.runs) {
      std::string controls;
      if (run.style & rsBold) controls += "\\b";
      if (run.style & rsItalic) controls += "\\i";
      if (run.style & rsUnderline) controls += "\\ul";
      if (run.style & rsStrikeOut) controls += "\\strike";
      // The blank only ends a control word; after a brace it would be text.
      out += '{' + controls + (controls.empty() ? "" : " ");
      AppendText(out, run.text);
      out += '}';
    }
    out += "\\par\r\n";
  }
  out += "}\r\n";
  return out;
}

}  // namespace qm::converter
