#include "files/clipboard_paste.h"

#include <algorithm>
#include <string>

#include "base/document_table.h"
#include "base/global_state.h"
#include "base/message_boxes.h"
#include "files/clipboard_copy.h"
#include "files/native_clipboard.h"
#include "files/native_paste.h"
#include "files/progress_dialog.h"
#include "platform/clipboard.h"
#include "platform/messages.h"
#include "script/editing/document_modified.h"
#include "script/editing/element_splice.h"
#include "script/layout/screen_rebuild.h"
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

bool TypeText(TMDIChild& w, const std::string& text) {
  const std::string keys = TypedKeys(text);
  for (char c : keys) {
    char key = c;
    w.FormKeyPress(&w, key);
  }
  return !keys.empty();
}

bool PasteNative(TMDIChild& w, const Bytes& data) {
  TClipReadResult read = ReadClipRecords(data);
  const bool pasted = SpliceRecords(w, read.records);
  if (read.damaged) ShowMessageBox(DamagedClipboardText, "Attention");
  return pasted;
}

// The richest format first: the program's own records, then plain text
// (short text typed, longer text as Action paragraphs until the text
// interpreters come). RTF alone cannot be read yet.
bool PasteBestFormat(TMDIChild& w, TClipboard& clipboard) {
  if (auto native = clipboard.GetData(NativeFormat())) return PasteNative(w, *native);
  auto text = clipboard.GetData(CF_TEXT);
  if (!text) {
    MessageBeep(0);
    return false;
  }
  if (text->size() <= TypedPasteLimit) return TypeText(w, TextUpToZero(*text));
  auto records = ActionRecordsOfText(w, TextUpToZero(*text));
  if (records.empty()) {
    ShowMessageBox("Error: ClipBoard is Empty!", "");
    return false;
  }
  return SpliceRecords(w, records);
}

bool Unusable(const TMDIChild& w, const TScriptElement* e) {
  return IsPageBreakKind(e->Kind()) || w.IsHiddenElement(e);
}

// The caret off page breaks and hidden elements: forward, else back.
void SettleCaret(TMDIChild& w) {
  TScriptElement* e = w.CurrentElement;
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
  return clipboard && (clipboard->HasFormat(NativeFormat()) || clipboard->HasFormat(CF_TEXT));
}

void TProgressDlg::PasteFromClipBoard() {
  TMDIChild* w = ActiveScript();
  if (!w || !w->CurrentElement || ClipboardBusy) return;
  CancelBtn->Visible = false;
  SetupScreenHeight();
  Caption = "";
  PromptText->Caption = "Pasting Text";
  PercentDone->Progress = 0;
  TClipboard* clipboard = Clipboard();
  clipboard->Open(DocumentFrame ? DocumentFrame->Handle() : NullWindow);
  const bool blockRemoved = w->BlockOn != 0;
  if (blockRemoved) CopyToClipBoard(false, true);
  ClipboardBusy = true;
  const bool pasted = PasteBestFormat(*w, *clipboard);
  clipboard->Close();
  ClipboardBusy = false;
  if (ActiveScript() != w) return;
  // A paste that brought nothing leaves the script as it was.
  if (pasted || blockRemoved) SetDocumentModified(true, true);
  SettleCaret(*w);
  UpdateCaret();
}

}  // namespace qm
