#include "files/clipboard_paste.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>

#include "base/document_table.h"
#include "base/global_state.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "base/scoped_state.h"
#include "files/clipboard_copy.h"
#include "files/foreign_files.h"
#include "files/imported_script.h"
#include "files/native_clipboard.h"
#include "files/native_paste.h"
#include "files/paste_as.h"
#include "files/progress_dialog.h"
#include "files/rtf_reader.h"
#include "files/storydev_import.h"
#include "files/text_classifier.h"
#include "files/undo_ring.h"
#include "platform/clipboard.h"
#include "platform/messages.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/editing/element_splice.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/cue_codes.h"
#include "script/script_window.h"

namespace qm {

bool ClipboardBusy = false;

namespace {

const GlobalState reset([] { ClipboardBusy = false; });

UINT NativeFormat() { return RegisterClipboardFormat(NativeClipboardFormatName); }

std::string TextUpToZero(const Bytes& data) {
  const auto end = std::find(data.begin(), data.end(), Byte{0});
  return std::string(data.begin(), end);
}

// Line ends as the Enter key: a CR LF pair or a lone LF is one CR; other
// control bytes are not typed.
std::string TypedKeys(const std::string& text) {
  std::string keys;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (c == '\n' || c == '\r') keys += '\r';
    else if (static_cast<Byte>(c) >= 32) keys += c;
  }
  return keys;
}

}  // namespace

bool TypeShortText(TMDIChild& w, const std::string& text) {
  std::string keys = TypedKeys(text);
  // The copy ends its last line too; that end makes no new element.
  while (!keys.empty() && keys.back() == '\r') keys.pop_back();
  for (char c : keys) {
    // The key press leaves control characters alone: a line end is the
    // Enter key itself, else two short lines would run together.
    if (c == '\r') {
      // Each element the text fills marks its locked page, as each the
      // element paste makes does.
      MarkPageChanged(w.CurrentElement());
      Word enter = VK_RETURN;
      w.FormKeyDown(&w, enter, {});
      continue;
    }
    char key = c;
    w.FormKeyPress(&w, key);
  }
  if (!keys.empty()) MarkPageChanged(w.CurrentElement());
  return !keys.empty();
}

namespace {

bool PasteNative(TMDIChild& w, const Bytes& data) {
  TClipReadResult read = ReadClipRecords(data);
  const bool pasted = SpliceRecords(w, read.records);
  if (read.damaged) ShowMessageBox(DamagedClipboardText, "Attention");
  return pasted;
}

// Foreign text read into elements becomes records to splice; the breaks
// of its pages are made again by the script's own pagination.
std::vector<TClipRecord> RecordsOfImported(const TMDIChild& w, const TImportedElements& elements) {
  std::vector<TClipRecord> records;
  for (const TImportedElement& imported : elements) {
    if (imported.kind == ekAutoPageBreak) continue;
    const std::unique_ptr<TScriptElement> e(NewImportedElement(w, imported));
    TClipRecord r;
    r.format = e->format;
    r.split = e->split;
    r.state = e->state;
    r.fontName = w.FontNameTable[r.format.FontIndex()];
    r.text = e->text.value_or(std::string());
    records.push_back(std::move(r));
  }
  return records;
}

// The richest format first: story exchange data, the program's own records; short plain text
// typed; then RTF read by its styles, or plain text classified line by line.
bool PasteBestFormat(TMDIChild& w, TClipboard& clipboard) {
  if (auto exchange = clipboard.GetData(RegisterClipboardFormat(StoryDevFormatName))) {
    TStoryDevData data;
    if (!ReadStoryDevExchange(*exchange, data)) return false;
    AddStoryDevNames(w, data.characterNames);
    return PasteImportedElements(w, data.elements);
  }
  if (auto native = clipboard.GetData(NativeFormat())) return PasteNative(w, *native);
  auto text = clipboard.GetData(CF_TEXT);
  if (text && text->size() <= TypedPasteLimit) return TypeShortText(w, TextUpToZero(*text));
  const std::optional<Bytes> rtf = clipboard.GetData(RegisterClipboardFormat(RichTextClipboardName));
  if (!text && !rtf) {
    MessageBeep(0);
    return false;
  }
  const std::string rtfText = rtf ? TextUpToZero(*rtf) : std::string();
  const std::optional<TPasteReading> reading = AskHowToRead(rtfText, text.has_value(), w.PagesLocked != 0);
  if (!reading) return false;
  if (reading->choices.MatchPageBreaks) w.PagesLocked = 1;
  if (reading->useRtf) return PasteImportedElements(w, ImportRtf(rtfText, ClassifierContextOf(w), reading->choices));
  // The platform's plain text is the script's character set already: read
  // again as UTF-8 its accents would change.
  return PasteImportedElements(w, ClassifyPlainText(TextUpToZero(*text), ClassifierContextOf(w), reading->choices));
}

}  // namespace

bool PasteImportedElements(TMDIChild& w, const TImportedElements& elements) {
  std::vector<TClipRecord> records = RecordsOfImported(w, elements);
  if (records.empty()) {
    ShowMessageBox("Error: ClipBoard is Empty!", PromptTable(26));
    return false;
  }
  return SpliceRecords(w, records);
}

namespace {

bool Unusable(const TScriptDocument& w, const TScriptElement* e) {
  return IsPageBreakKind(e->Kind()) || w.IsHiddenElement(e);
}

// The caret off page breaks and hidden elements: forward, else back.
void SettleCaret(TMDIChild& w) {
  TScriptElement* e = w.CurrentElement();
  if (!e || !Unusable(w, e)) return;
  TScriptElement* target = e->next;
  while (target && Unusable(w, target)) target = target->next;
  if (!target)
    for (target = e->prev; target && Unusable(w, target);) target = target->prev;
  if (target) editor::MakeCurrent(w, *target, 0);
}

}  // namespace

bool ClipboardHasPasteableData() {
  TClipboard* clipboard = Clipboard();
  return clipboard && (clipboard->HasFormat(NativeFormat()) || clipboard->HasFormat(CF_TEXT) ||
                       clipboard->HasFormat(RegisterClipboardFormat(RichTextClipboardName)) ||
                       clipboard->HasFormat(RegisterClipboardFormat(StoryDevFormatName)));
}

namespace {

// Where a drop goes once the block is out and the script laid out again:
// a column past the element's text went on with the piece of it a page
// break carried over.
void CaretToDropPoint(TMDIChild& w, TTextPoint drop) {
  editor::Assemble(w);
  TScriptElement* e = drop.element;
  auto column = static_cast<std::size_t>(std::max(drop.column, 0));
  const auto beyond = [&](std::size_t length) { return column > length || (drop.pieceStart && column == length); };
  for (std::size_t length = ElementText(*e).size(); beyond(length); length = ElementText(*e).size()) {
    TScriptElement* piece = e->next;
    if (!piece || piece->Kind() != ekAutoPageBreak) break;
    for (piece = piece->next; piece && IsRepeatedByBreak(*piece);) piece = piece->next;
    if (!piece || piece->Kind() != e->Kind()) break;
    column -= length;
    e = piece;
  }
  editor::MakeCurrent(w, *e, column);
}

}  // namespace

bool DropBlockAt(TMDIChild& w, TTextPoint drop) {
  // The speaker of the writer's own copy stays with the clipboard.
  const ScopedState<std::string> speaker(CopiedSpeakerName, CopiedSpeakerName);
  const std::vector<TCopiedPiece> block = TakeBlockToCopy(w, true);
  std::vector<TClipRecord> records = ReadClipRecords(BuildClipboardBlocks(w, block, false).native).records;
  if (records.empty()) {
    editor::DisAssemble(w);
    return false;
  }
  CutTakenBlock(w, &drop);
  // Were the point lost, the block would go back where it was.
  if (drop.element) CaretToDropPoint(w, drop);
  SpliceRecords(w, records);
  SettleCaret(w);
  return true;
}

void TProgressDlg::PasteFromClipBoard() {
  TMDIChild* w = ActiveScript();
  if (!w || !w->CurrentElement() || ClipboardBusy) return;
  CancelBtn->Visible = false;
  SetupScreenHeight();
  Caption = "";
  PromptText->Caption = "Pasting Text";
  PercentDone->Progress = 0;
  TClipboard* clipboard = Clipboard();
  clipboard->Open(DocumentFrame ? DocumentFrame->Handle() : NullWindow);
  const bool blockRemoved = w->BlockOn() != 0;
  if (blockRemoved) CopyToClipBoard(false, true);
  bool pasted = false;
  {
    const ScopedState<bool> busy(ClipboardBusy, true);
    pasted = PasteBestFormat(*w, *clipboard);
  }
  clipboard->Close();
  if (ActiveScript() != w) return;
  // A paste that brought nothing leaves the script as it was. The lines
  // it brought are marked revised already (typed text as it was typed):
  // the caret may stand on a line of old text.
  if (pasted || blockRemoved) SetDocumentModified(true, false);
  SettleCaret(*w);
  UpdateCaret();
}

}  // namespace qm
