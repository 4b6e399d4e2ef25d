#include "files/export_block.h"

#include <algorithm>

#include "files/export_elements.h"
#include "files/file_job.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "script/layout/cue_extension.h"
#include "script/layout/element_parentheses.h"
#include "script/model/number_texts.h"
#include "script/model/script_document.h"
#include "script/model/script_model.h"
#include "script/model/text_codes.h"

namespace qm {

namespace {

void Put(std::array<Byte, RunRecordBytes>& record, std::size_t at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) record[at + i] = static_cast<Byte>(value >> (8 * i));
}

// Tenths of a point of a margin's indent: 7.2 points a tenth of an inch
// past the half-inch page margin.
int IndentTenths(int margin, bool wordPerfect) {
  if (margin < 5) return 0;
  const int offset = margin - 5;
  return offset * 72 + (wordPerfect && offset > 9 ? 180 : 0);
}

void SetParagraph(TExportVariables& vars, const TElementFormat& format, bool wordPerfect) {
  Put(vars.RunRecord, rrLeftIndent, FixedPoints(IndentTenths(format.LeftMargin, wordPerfect)), 4);
  Put(vars.RunRecord, rrRightIndent, FixedPoints(IndentTenths(format.RightMargin, wordPerfect)), 4);
  const int between = std::max(WholeLineSpacing(format) - 1, 0);
  vars.FixedValue = static_cast<std::uint32_t>(between) << 16;
  Put(vars.RunRecord, rrLineSpacing, vars.FixedValue, 4);
}

Word StyleOfFormat(Byte bits) {
  Word style = 0;
  if (bits & stBold) style |= rsBold;
  if (bits & stItalic) style |= rsItalic;
  if (bits & stUnderline) style |= rsUnderline;
  if (bits & stStrikeOut) style |= rsStrikeOut;
  return style;
}

// An inline code's change of style; codes without one only end the run.
void ApplyCode(Word& style, Byte code) {
  switch (code) {
    case 0x02: style |= rsBold; break;
    case 0x03: style &= ~rsBold; break;
    case 0x19: style |= rsItalic; break;
    case 0x1A: style &= ~rsItalic; break;
    case 0x15: style |= rsUnderline; break;
    case 0x16: style &= ~rsUnderline; break;
    case 0x0E: style |= rsStrikeOut; break;
    case 0x0F: style &= ~rsStrikeOut; break;
    default: break;
  }
}

// Text added to the run never passes the record's 255 characters: what
// would is written out first.
void AddToRun(TExportVariables& vars, int pass, const std::string& text) {
  for (const char c : text) {
    if (vars.PendingRun.size() >= MaxRunText) AppendRunRecord(vars, pass);
    vars.PendingRun += c;
  }
}

void AddText(TExportVariables& vars, int pass, const std::string& text) {
  for (const char c : text) {
    const Byte b = static_cast<Byte>(c);
    if (CodeCharSet.Contains(b)) {
      AppendRunRecord(vars, pass);
      ApplyCode(vars.Style, b);
    } else if (b == SoftHyphen || b == HardReturn) {
      // The text before the mark keeps its own run.
      AppendRunRecord(vars, pass);
      vars.PendingRun = b == SoftHyphen ? RunOptionalHyphen : RunParagraphEnd;
    } else {
      AddToRun(vars, pass, std::string(1, c));
      if (vars.PendingRun.size() > RunFlushLength) AppendRunRecord(vars, pass);
    }
  }
}

void AddElement(TScriptDocument& script, TExportVariables& vars, TScriptElement& e, bool wordPerfect, int pass) {
  const bool capitals = ExportsInCapitals(e);
  const auto cased = [capitals](const std::string& s) { return capitals ? AnsiUpperCase(s) : s; };
  SetParagraph(vars, e.format, wordPerfect);
  vars.Style = StyleOfFormat(e.format.Style);
  const bool parentheses = ShownInParentheses(script, e.Kind());
  if (parentheses) AddToRun(vars, pass, "(");
  AddText(vars, pass, cased(ElementText(e)));
  if (parentheses) AddToRun(vars, pass, ")");
  AddToRun(vars, pass, ExportNumberText(script, e));
  AddToRun(vars, pass, CharacterExtensionText(script, e));
  AppendRunRecord(vars, pass);
}

void AddParagraphEnds(TExportVariables& vars, int count, int pass) {
  for (int i = 0; i < count; ++i) {
    vars.PendingRun = RunParagraphEnd;
    AppendRunRecord(vars, pass);
  }
}

}  // namespace

std::uint32_t FixedPoints(int tenthsOfPoints) {
  const auto whole = static_cast<std::uint32_t>(tenthsOfPoints / 10);
  const auto tenth = static_cast<std::uint32_t>(tenthsOfPoints % 10);
  return whole << 16 | tenth * 65536 / 10;
}

void AppendRunRecord(TExportVariables& vars, int pass) {
  if (vars.PendingRun.empty()) return;
  const std::size_t length = std::min(vars.PendingRun.size(), MaxRunText);
  std::fill(vars.RunRecord.begin(), vars.RunRecord.begin() + rrTextLength, Byte{0});
  vars.RunRecord[rrText] = static_cast<Byte>(length);
  std::copy_n(vars.PendingRun.begin(), length, vars.RunRecord.begin() + 1);
  Put(vars.RunRecord, rrTextLength, static_cast<std::uint32_t>(length - 1), 4);
  Put(vars.RunRecord, rrStyle, vars.Style, 2);
  vars.RunRecord[rrLastRecord] = 0;
  if (pass == 1 && vars.WritePointer + RunRecordBytes <= vars.Block.size()) {
    std::copy(vars.RunRecord.begin(), vars.RunRecord.end(),
              vars.Block.begin() + static_cast<std::ptrdiff_t>(vars.WritePointer));
    vars.WritePointer += RunRecordBytes;
  } else if (pass == 0) {
    vars.BlockSize += RunRecordBytes;
  }
  vars.PendingRun.clear();
}

std::uint32_t BuildExportBlock(TScriptDocument& script, TExportVariables& vars, std::string targetFile,
                               const std::string& filterFile, int pass) {
  if (targetFile.empty() || targetFile.back() != '\0') targetFile += '\0';
  vars.BlockSize = RunRecordBytes;
  vars.WritePointer = 0;
  vars.PendingRun.clear();
  const bool wordPerfect = AnsiUpperCase(ExtractFileName(filterFile)) == "WPERFECT.XTD";
  int count = 0;
  for (const TScriptElement* e = script.FirstElement; e; e = e->next) count += IsExportedElement(script, *e);
  int done = 0;
  bool written = false;
  for (TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (!IsExportedElement(script, *e)) continue;
    if (written) AddParagraphEnds(vars, WholeLinesBefore(e->format) + 1, pass);
    AddElement(script, vars, *e, wordPerfect, pass);
    written = true;
    if (pass == 1 && FileJobHooks.Percentage) FileJobHooks.Percentage(static_cast<Byte>(++done * 100 / count));
  }
  if (pass == 1 && FileJobHooks.Percentage) FileJobHooks.Percentage(100);
  if (pass == 1 && vars.WritePointer + RunRecordBytes <= vars.Block.size()) {
    std::fill_n(vars.Block.begin() + static_cast<std::ptrdiff_t>(vars.WritePointer), RunRecordBytes, Byte{0});
    vars.Block[vars.WritePointer + rrLastRecord] = 1;
  }
  return pass == 0 ? vars.BlockSize : static_cast<std::uint32_t>(vars.WritePointer + RunRecordBytes);
}

std::vector<Byte> ExportBlockOf(TScriptDocument& script, const std::string& filterFile) {
  TExportVariables vars;
  vars.Block.assign(BuildExportBlock(script, vars, "", filterFile, 0), 0);
  BuildExportBlock(script, vars, "", filterFile, 1);
  return vars.Block;
}

}  // namespace qm
