// What the storyboard link form does with the script and the storyboard.
#include <algorithm>

#include "base/command_line.h"
#include "base/document_table.h"
#include "base/message_boxes.h"
#include "platform/clipboard_image.h"
#include "platform/cp1252.h"
#include "platform/messages.h"
#include "script/editing/editor_calls.h"
#include "script/editing/undo_steps.h"
#include "script/model/string_utils.h"
#include "script/script_window.h"
#include "story/storyboard_link_form.h"
#include "story/storyboard_links.h"
#include "story/storyboard_protocol.h"

namespace qm::story {

namespace {

// The run of elements that share the element's link.
std::pair<TScriptElement*, TScriptElement*> RunOf(TScriptElement* e) {
  TScriptElement* first = e;
  TScriptElement* last = e;
  while (first->prev && first->prev->storyboardLink == e->storyboardLink) first = first->prev;
  while (last->next && last->next->storyboardLink == e->storyboardLink) last = last->next;
  return {first, last};
}

// The nearest linked element at or before e, or null.
TScriptElement* LinkedAtOrBefore(TScriptElement* e) {
  while (e && e->storyboardLink == 0) e = e->prev;
  return e;
}

constexpr const char* OtherLinksQuestion =
    "There are other elements already Linked\rto the storyboard frame!  Should I remove\rall of their links before "
    "linking the\rcurrently selected elements?";

}  // namespace

std::string LinkTextOf(const TScriptDocument& script, const TScriptElement* first, const TScriptElement* last) {
  std::string out;
  const TScriptElement* previous = nullptr;
  for (const TScriptElement* e = first; e; e = e->next) {
    const Byte kind = e->Kind();
    if (!IsPageBreakKind(kind)) {
      if (previous) {
        if (kind == ekDialogue || kind == ekParenthetical) out += previous->Kind() == ekCharacterName ? ":  " : " ";
        else out += "\r\n\r\n";
      }
      std::string text = PlainText(LiveElementText(script, *e));
      if (e->format.AllCaps) text = AnsiUpperCase(text);
      std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
      const bool inParentheses = kind == ekParenthetical || (kind == ekAction && script.ActionParentheticals);
      out += inParentheses ? "(" + text + ")" : text;
      previous = e;
    }
    if (e == last || out.size() >= LinkTextLimit) break;
  }
  return out.substr(0, LinkTextLimit);
}

bool TStoryBoardLinkForm::Creating() const {
  return std::string(EstablishLinkBtn->Caption()) == CreateLinkedFrameCaption || LinkFrameId == 0;
}

void TStoryBoardLinkForm::FillLinkTextFromBlock() {
  if (!ScriptOpen()) return;
  const auto spans = editor::BlockSpans(script_);
  LinkText->Lines.SetText(spans.empty() ? "" : LinkTextOf(script_, spans.front().element, spans.back().element));
}

void TStoryBoardLinkForm::FillLinkTextFromLink() {
  if (!ScriptOpen()) return;
  TScriptElement* e = script_.CurrentElement();
  if (!e || e->storyboardLink == 0) return;
  const auto [first, last] = RunOf(e);
  LinkText->Lines.SetText(LinkTextOf(script_, first, last));
}

void TStoryBoardLinkForm::LoadPicture() {
  // The storyboard leaves the frame it shows on the clipboard.
  const std::optional<TPixelImage> picture = ClipboardPicture();
  if (!picture) return;
  DrawPicture(Image1->Picture, *picture);
  Image1->Invalidate();
}

void TStoryBoardLinkForm::FormShow() {
  if (!ScriptOpen()) return;
  LoadPicture();
  if (script_.CurrentElement() && script_.CurrentElement()->storyboardLink != 0)
    LinkFrameId = FrameOfIndex(script_, script_.CurrentElement()->storyboardLink);
  CheckPending = 0;
  DeleteLinkBtn->Enabled = LinkFrameId >= 1;
  if (std::string(EstablishLinkBtn->Caption()) != CreateLinkedFrameCaption) {
    FillLinkTextFromLink();
  } else {
    // While a frame is made, each selection in the script shows here.
    script_.OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
      if (savedMouseUp_) savedMouseUp_(s, b, sh, x, y);
      FillLinkTextFromBlock();
    };
    if (script_.BlockOn()) FillLinkTextFromBlock();
  }
  BringToFront();
}

DWord TStoryBoardLinkForm::MakeFrame() {
  TScriptElement* anchor = LinkedAtOrBefore(script_.CurrentElement());
  for (;;) {
    const DWord anchorFrame = anchor ? FrameOfIndex(script_, anchor->storyboardLink) : 0;
    LinkFrameId = anchorFrame;
    if (AskStoryboard(FrameAction(), sbNewFrame, FrameIdToAtom(anchorFrame), ScriptActionResponse()) &&
        (StoryboardReply().wParam & 0xFFFF) == sbYes)
      return AtomToFrameId(static_cast<ATOM>(StoryboardReply().lParam & 0xFFFF));
    // Without an anchor there is nothing earlier to try.
    if (!anchor || StoryboardFrameExists(anchorFrame)) {
      if (!LinkErrorsSilenced()) ShowMessageBox("Error Creating Frame", "Attention");
      return 0;
    }
    anchor = LinkedAtOrBefore(RunOf(anchor).first->prev);
  }
}

void TStoryBoardLinkForm::EstablishLinkBtnClick() {
  if (!ScriptOpen() || !ScriptForCommand() || script_.StoryboardFileName.empty() ||
      !EnsureStoryboardFile(script_.StoryboardFileName)) {
    Close();
    return;
  }
  editor::SetActiveScriptModifiedUnrevised();
  const bool creating = Creating();
  if (creating) {
    LinkText->Lines.Clear();
    LinkFrameId = MakeFrame();
    if (LinkFrameId == 0) {
      Close();
      return;
    }
  }
  const int present = FrameIndex(script_, LinkFrameId);
  if (present < 0 || creating) {
    // The frame list and the links change: the step takes the frames too.
    editor::SaveSettingsUndoStep(script_);
    const Word index = AddFrame(script_, LinkFrameId);
    if (present >= 0) {
      bool asked = false, clear = false;
      for (TScriptElement* e = script_.FirstElement; e; e = e->next) {
        if (e->storyboardLink != index) continue;
        if (!asked) clear = AskYesNo(OtherLinksQuestion, "WARNING", true);
        asked = true;
        if (clear) e->storyboardLink = 0;
      }
    }
    // The block, or the element at the caret when nothing is selected.
    const auto spans = editor::BlockSpans(script_);
    if (spans.empty()) script_.CurrentElement()->storyboardLink = index;
    for (const editor::TBlockSpan& span : spans) span.element->storyboardLink = index;
    editor::ClearBlock(script_, true);
  }
  if (StoryboardFrameExists(LinkFrameId)) {
    LinkText->Lines.Clear();
    PostToStoryboard(FrameAction(), sbFrame, FrameIdToAtom(LinkFrameId));
    ShowStoryboardWindow();
  } else {
    MessageBeep(0);
  }
  Close();
}

void TStoryBoardLinkForm::ShowInvalidFrame() {
  Image1->Picture.SetSize(Image1->Width, Image1->Height);
  Image1->Picture.Canvas().TextOut(8, 8, "INVALID_FRAME");
  EstablishLinkBtn->Enabled = false;
}

void TStoryBoardLinkForm::StepFrame(bool forward) {
  if (!ScriptOpen()) return;
  TScriptElement* here = script_.CurrentElement();
  if (!here) return;
  const Word current = here->storyboardLink;
  TScriptElement* e = forward ? here->next : here->prev;
  while (e && (e->storyboardLink == 0 || e->storyboardLink == current)) e = forward ? e->next : e->prev;
  if (!e) {
    ShowMessageBox("No More Frames Found", "Attention");
    return;
  }
  if (!forward) e = RunOf(e).first;
  editor::MoveCaretTo(script_, *e);
  FillLinkTextFromLink();
  LinkFrameId = FrameOfIndex(script_, e->storyboardLink);
  DeleteLinkBtn->Enabled = LinkFrameId >= 1;
  if (AskStoryboard(FrameAction(), sbShowFrame, FrameIdToAtom(LinkFrameId), ScriptActionResponse()) &&
      (StoryboardReply().wParam & 0xFFFF) == sbShowFrame) {
    LoadPicture();
    EstablishLinkBtn->Enabled = true;
  } else {
    ShowInvalidFrame();
  }
}

void TStoryBoardLinkForm::DeleteLinkBtnClick() {
  if (!ScriptOpen()) return;
  DeleteFrameLinks(LinkFrameId, true);
  Close();
}

void TStoryBoardLinkForm::Image1DblClick() { CheckPending = 1; }

void TStoryBoardLinkForm::Image1MouseUp() {
  if (!CheckPending || !EnsureStoryboardFile(script_.StoryboardFileName)) return;
  CheckPending = 0;
  EstablishLinkBtnClick();
}

void ShowStoryboardLinkForm(DWord frameId, bool creating) {
  TMDIChild* script = ScriptForCommand();
  if (!script || StoryboardLinkForm()) return;
  auto* form = new TStoryBoardLinkForm(Application, *script);
  form->LinkFrameId = frameId;
  if (creating) form->EstablishLinkBtn->Caption = CreateLinkedFrameCaption;
  form->Show();
}

void CloseStoryboardLinkForm() {
  if (TStoryBoardLinkForm* form = StoryboardLinkForm()) form->Close();
}

void CreateLinkedFrame() {
  TMDIChild* script = ScriptForCommand();
  if (!script || !EnsureStoryboardRunning()) return;
  if (script->StoryboardFileName.empty()) {
    do {
      if (!AskOkCancel("No StoryBoard has been assigned to this script yet.\r\rIn the StoryBoard Program, create "
                       "and save a NEW storyboard, then return here and click OK...",
                       "Attention"))
        return;
    } while (!CheckStoryboardFile("", true));
  } else if (!EnsureStoryboardFile(script->StoryboardFileName)) {
    return;
  }
  ShowStoryboardLinkForm(0, true);
  TStoryBoardLinkForm* form = StoryboardLinkForm();
  if (!form) return;
  form->EstablishLinkBtn->Caption = CreateLinkedFrameCaption;
  form->FillLinkTextFromBlock();
  form->EstablishLinkBtn->Click();
}

}  // namespace qm::story
