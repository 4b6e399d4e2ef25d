#include "files/clipboard_copy.h"

#include "script/editing/editor_calls.h"

#include <algorithm>
#include <array>

#include "base/document_table.h"
#include "base/global_state.h"
#include "base/message_boxes.h"
#include "base/program_options.h"
#include "files/native_clipboard.h"
#include "files/progress_dialog.h"
#include "platform/clipboard.h"
#include "platform/cp1252.h"
#include "script/editing/element_splice.h"
#include "script/layout/char_widths.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/number_texts.h"
#include "script/model/packed_text.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"
#include "script/script_window.h"

namespace qm {

std::string CopiedSpeakerName;

namespace {

const GlobalState reset([] { CopiedSpeakerName.clear(); });

constexpr const char* kRtfHeader =
    "{\\rtf0\\ansi\\deff0{\\fonttbl{\\f0 \\fmodern Courier New;}}\r\n"
    "{\\colortbl\\red0\\green0\\blue0;}\r\n"
    "{\\stylesheet{\\sbasedon222\\snext Normal;}}\r\n"
    "\\paperw12240\\paperh15840\\margt1440\\margb1440\\margl720\\margr720\\widowctrl\\ftnbj\\ftnstart0\\pgnstart1"
    "\\deftab720\\sectd\\linemod0\\linex0\\cols1\\colsx0\r\n"
    "\\pard\\plain{\\header \\pard\\plain\\par}{\\footer \\pard\\plain\\par}";

struct TStyleCode {
  Byte on, off, bit;
  const char* word;
};
constexpr TStyleCode kStyleCodes[] = {
    {BoldOn, BoldOff, stBold, "\\b"},
    {UnderlineOn, UnderlineOff, stUnderline, "\\ul"},
    {ItalicsOn, ItalicsOff, stItalic, "\\i"},
    {StrikeOutOn, StrikeOutOff, stStrikeOut, "\\strike"},
};

enum class TByteKind : Byte { Text, Style, HardSpace, HardDash, SoftHyphen, HardReturn, Dropped };

// What each byte of a script's text is to other programs.
using TByteKinds = std::array<TByteKind, 256>;

TByteKinds ByteKindsOf(const TScriptDocument& w) {
  const CharSet codes = CodeSetOf(w);
  TByteKinds kinds{};
  for (int b = 0; b < 256; ++b)
    kinds[b] = b < 32 || codes.Contains(static_cast<Byte>(b)) ? TByteKind::Dropped : TByteKind::Text;
  for (const auto& s : kStyleCodes) kinds[s.on] = kinds[s.off] = TByteKind::Style;
  kinds[HardSpace] = TByteKind::HardSpace;
  kinds[HardDash] = TByteKind::HardDash;
  kinds[SoftHyphen] = TByteKind::SoftHyphen;
  kinds[HardReturn] = TByteKind::HardReturn;
  return kinds;
}

// The style bits after one style code.
Byte NextStyle(Byte style, Byte code) {
  for (const auto& s : kStyleCodes) {
    if (code == s.on) return style | s.bit;
    if (code == s.off) return style & ~s.bit;
  }
  return style;
}

// One group per run of styled text: a change of style closes the run's
// group and opens the next, so that every group is closed.
void SwitchRtfStyle(std::string& out, Byte from, Byte to) {
  if (from == to) return;
  if (from != 0) out += '}';
  if (to == 0) return;
  out += "{\\plain \\fs24";
  for (const auto& s : kStyleCodes)
    if (to & s.bit) out += s.word;
  out += ' ';
}

bool IsLockedBreak(Byte kind) {
  return kind == ekLockedPageBreak || kind == ekMultiLockedPageBreak || kind == ekFixedAPageBreak;
}

std::string PlainTextOf(const TScriptElement& e) {
  if (IsPageBreakKind(e.Kind())) return " ";
  return ElementText(e);
}

TCopiedPiece PieceOf(TScriptElement& e) {
  TCopiedPiece p{&e, PlainTextOf(e)};
  const std::size_t length = p.text.size();
  if (IsPageBreakKind(e.Kind())) {
    p.end = length;
    return p;
  }
  std::size_t from = static_cast<std::size_t>(std::max(e.blockStart, 0));
  std::size_t to = e.blockEnd < 0 ? length : static_cast<std::size_t>(e.blockEnd);
  if (from > to) std::swap(from, to);
  p.start = std::min(from, length);
  p.end = std::min(to, length);
  if (p.text.find_first_not_of(' ', p.end) == std::string::npos) p.end = length;
  return p;
}

bool UpperCased(const TScriptElement& e, std::string_view text) {
  return e.format.AllCaps && !(e.Kind() == ekCharacterName && text.find('(') != std::string_view::npos);
}

void AppendRtfIndent(std::string& out, const char* word, int margin) {
  out += word;
  out += std::to_string(margin >= 5 ? (margin - 5) * 140 : 0);
}

void AppendRtfParagraphStart(std::string& out, const TScriptDocument& w, const TScriptElement& e) {
  const Byte kind = e.Kind();
  const bool flushRight = kind == ekTransition && w.TransitionsFlushRight;
  out += kind == ekDialogue || kind == ekParenthetical ? "\r\n\\par" : "\r\n\\par \r\n\\par";
  AppendRtfIndent(out, "\\li", flushRight ? w.FormatSet[fsAction].LeftMargin : e.format.LeftMargin);
  AppendRtfIndent(out, "\\ri", e.format.RightMargin);
  if (kind < 32 && ((CenteredKinds(w) >> kind) & 1)) out += "\\qc";
  else if (flushRight) out += "\\qr";
  else out += "\\ql";
  out += "\\plain\\f0\\fs24 ";
}

TClipRecord RecordOf(const TScriptDocument& w, const TCopiedPiece& p) {
  TScriptElement& e = *p.element;
  if (e.split > spSecondPiece) e.split = spWhole;
  TClipRecord r;
  r.format = e.format;
  r.split = e.split;
  r.state = e.state;
  r.lineCount = e.lineCount;
  r.avColumn = e.avColumn;
  r.storyboardLink = e.storyboardLink;
  if (e.revisedLines) r.revisedLines = e.revisedLines->substr(0, ClipRevisedChars);
  r.fontName = w.FontNameTable[e.format.FontIndex()].substr(0, ClipFontNameChars);
  if (p.Whole() && e.text) {
    r.text = *e.text;
    if (!e.lineOffsets.empty() && e.LineOffsetsValid())
      for (std::size_t i = 1; i + 1 < e.lineOffsets.size(); i += 2)
        r.lineOffsets.push_back(static_cast<Word>(e.lineOffsets[i] | (e.lineOffsets[i + 1] << 8)));
    return r;
  }
  std::string part = p.text.substr(p.start, p.end - p.start);
  if (part.empty()) part = " ";
  r.text = HoldsPackedText(e.Kind()) ? PackText(part) : part;
  return r;
}

void SetSpeakerName(const std::vector<TCopiedPiece>& block) {
  CopiedSpeakerName.clear();
  if (block.empty() || !IsSpeechKind(block.front().element->Kind())) return;
  const TScriptElement* e = block.front().element;
  while (e && (e->Kind() == ekDialogue || e->Kind() == ekParenthetical)) e = e->prev;
  if (e && e->Kind() == ekCharacterName) CopiedSpeakerName = ElementText(*e).substr(0, MaxShortStringChars);
}

}  // namespace

void AppendRtfChar(std::string& out, Byte b) {
  static constexpr char kHex[] = "0123456789abcdef";
  if (b == '\\' || b == '{' || b == '}') {
    out += '\\';
    out += static_cast<char>(b);
  } else if (b >= 0x80) {
    out += "\\'";
    out += kHex[b >> 4];
    out += kHex[b & 15];
  } else {
    out += static_cast<char>(b);
  }
}

std::vector<TCopiedPiece> CollectBlock(TScriptDocument& w) {
  std::vector<TCopiedPiece> block;
  TScriptElement* e = w.FirstElement;
  while (e && !e->InBlock()) e = e->next;
  for (; e; e = e->next) {
    if (!e->InBlock()) {
      if (w.IsHiddenElement(e) || IsLockedBreak(e->Kind())) continue;
      break;
    }
    TCopiedPiece p = PieceOf(*e);
    if (p.start == p.end && !IsPageBreakKind(e->Kind()) && p.text != " ") break;
    block.push_back(std::move(p));
  }
  return block;
}

namespace {

void AppendOutsideText(std::string& out, const TByteKinds& kinds, std::string_view text, bool upperCase) {
  for (std::size_t i = 0; i < text.size();) {
    const Byte b = static_cast<Byte>(text[i]);
    if (kinds[b] == TByteKind::Text && !upperCase) {
      std::size_t j = i + 1;
      while (j < text.size() && kinds[static_cast<Byte>(text[j])] == TByteKind::Text) ++j;
      out.append(text.substr(i, j - i));
      i = j;
      continue;
    }
    switch (kinds[b]) {
      case TByteKind::Text: out += static_cast<char>(AnsiUpper(b)); break;
      case TByteKind::HardSpace: out += ' '; break;
      case TByteKind::HardDash: out += '-'; break;
      case TByteKind::HardReturn: out += "\r\n"; break;
      default: break;
    }
    ++i;
  }
}

bool PlainRtfByte(Byte b) { return b >= 32 && b < 0x80 && b != '\\' && b != '{' && b != '}'; }

void AppendRtfText(std::string& out, const TByteKinds& kinds, std::string_view text, bool upperCase) {
  Byte style = 0;
  for (std::size_t i = 0; i < text.size();) {
    const Byte b = static_cast<Byte>(text[i]);
    if (kinds[b] == TByteKind::Text && !upperCase && PlainRtfByte(b)) {
      std::size_t j = i + 1;
      while (j < text.size() && kinds[static_cast<Byte>(text[j])] == TByteKind::Text &&
             PlainRtfByte(static_cast<Byte>(text[j])))
        ++j;
      out.append(text.substr(i, j - i));
      i = j;
      continue;
    }
    switch (kinds[b]) {
      case TByteKind::Text: AppendRtfChar(out, upperCase ? AnsiUpper(b) : b); break;
      case TByteKind::Style: {
        const Byte next = NextStyle(style, b);
        SwitchRtfStyle(out, style, next);
        style = next;
        break;
      }
      case TByteKind::HardSpace: out += "\\~"; break;
      case TByteKind::HardDash: out += "\\_"; break;
      case TByteKind::SoftHyphen: out += "\\-"; break;
      case TByteKind::HardReturn: out += "\r\n\\par "; break;
      case TByteKind::Dropped: break;
    }
    ++i;
  }
  SwitchRtfStyle(out, style, 0);
}

}  // namespace

std::string OutsideText(const TScriptDocument& w, std::string_view text, bool upperCase) {
  std::string out;
  AppendOutsideText(out, ByteKindsOf(w), text, upperCase);
  return out;
}

std::string RtfText(const TScriptDocument& w, std::string_view text, bool upperCase) {
  std::string out;
  AppendRtfText(out, ByteKindsOf(w), text, upperCase);
  return out;
}

TClipboardBlocks BuildClipboardBlocks(const TScriptDocument& w, const std::vector<TCopiedPiece>& block, bool withText) {
  TClipboardBlocks out;
  std::size_t textBytes = 0;
  for (const auto& p : block) textBytes += p.end - p.start;
  out.native.reserve(ClipRecordSize * (block.size() + 1) + textBytes);
  if (withText) {
    out.plain.reserve(textBytes + 4 * block.size() + 1);
    out.rtf.reserve(textBytes + 64 * block.size() + 400);
    out.rtf = kRtfHeader;
  }
  const TByteKinds kinds = ByteKindsOf(w);
  bool firstText = true;
  for (const TCopiedPiece& p : block) {
    const TScriptElement& e = *p.element;
    if (withText && !IsPageBreakKind(e.Kind())) {
      const std::string_view part = std::string_view(p.text).substr(p.start, p.end - p.start);
      const bool caps = UpperCased(e, part);
      const bool paren = e.Kind() == ekParenthetical;
      if (!firstText && WholeLinesBefore(e.format) >= 1) out.plain += "\r\n";
      firstText = false;
      if (paren) out.plain += '(';
      AppendOutsideText(out.plain, kinds, part, caps);
      if (paren) out.plain += ')';
      out.plain += "\r\n";
      AppendRtfParagraphStart(out.rtf, w, e);
      if (paren) out.rtf += '(';
      AppendRtfText(out.rtf, kinds, part, caps);
      if (paren) out.rtf += ')';
    }
    AppendClipRecord(out.native, RecordOf(w, p));
  }
  AppendClipEndRecord(out.native);
  if (withText) {
    out.plain += '\0';
    out.rtf += "}";
    out.rtf += '\0';
  }
  return out;
}

bool PublishClipboardBlocks(TClipboardBlocks blocks, bool withText) {
  TClipboard* clipboard = Clipboard();
  if (!clipboard || !clipboard->Open(DocumentFrame ? DocumentFrame->Handle() : NullWindow)) return false;
  clipboard->Clear();
  bool ok = clipboard->SetData(RegisterClipboardFormat(NativeClipboardFormatName), std::move(blocks.native));
  if (withText) {
    ok = ok && clipboard->SetData(CF_TEXT, Bytes(blocks.plain.begin(), blocks.plain.end()));
    ok = ok && clipboard->SetData(RegisterClipboardFormat(RichTextClipboardName),
                                  Bytes(blocks.rtf.begin(), blocks.rtf.end()));
  }
  clipboard->Close();
  return ok;
}

std::vector<TCopiedPiece> TakeBlockToCopy(TMDIChild& w, bool cut) {
  w.RejoinSplitElements();
  w.Assemble();
  if (cut) editor::TakeOmittedHeadingsWhole(w);
  std::vector<TCopiedPiece> block = CollectBlock(w);
  SetSpeakerName(block);
  return block;
}

void CutTakenBlock(TMDIChild& w, TTextPoint* follow) {
  w.DisAssemble();
  editor::DeleteBlock(w, follow);
}

void TProgressDlg::CopyToClipBoard(bool toClipboard, bool cut) {
  TMDIChild* w = ActiveScript();
  if (!w || !w->CurrentElement()) return;
  PromptText->Caption = cut ? "Cutting Text" : "Copying Text";
  if (!w->BlockOn()) {
    editor::DropBlockMarks(*w);
    return;
  }
  TScriptElement* current = w->CurrentElement();
  if (current->blockEnd >= 0 && current->blockEnd != w->CaretColumn()) editor::SetCaretColumn(*w, current->blockEnd);
  const Word caret = w->CaretColumn();
  const std::vector<TCopiedPiece> block = TakeBlockToCopy(*w, cut);
  if (toClipboard) {
    const bool withText = !ProprietaryFormatOnly;
    if (!PublishClipboardBlocks(BuildClipboardBlocks(*w, block, withText), withText)) {
      ShowMessageBox("Unable to Allocate Enough Memory for Clipboard.", "");
      w->DisAssemble();
      return;
    }
  }
  if (cut) {
    CutTakenBlock(*w, nullptr);
    return;
  }
  // The split elements were joined for the copy; the idle loop breaks the
  // pages again, as after typing.
  editor::DropBlockMarks(*w);
  editor::MakeCurrent(*w, *w->CurrentElement(), caret);
  RebuildScreen(w);
  w->RedisplayScreen(true);
  w->StartPaginateTimer(w->LayoutDue | 1);
}

}  // namespace qm
