#include "shell/goto_page_dialog.h"

#include <string>

#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "platform/dialog_builder.h"
#include "platform/messages.h"
#include "script/script_window.h"

namespace qm {

namespace {

using enum TDialogItemKind;

// A page number of up to four digits and its letter.
constexpr int PageTextLength = 5;

TDialogTable GotoPageTable() {
  return {
      {Label, "PageLabel", "Go to &Page:", {12, 16, 80, 16}},
      {Edit, "PageEdit", "", {96, 12, 70, 22}},
      {SpeedButton, "SpinUpBtn", "+", {168, 8, 18, 15}},
      {SpeedButton, "SpinDownBtn", "-", {168, 23, 18, 15}},
      {Button, "SceneListBtn", "Goto &Scene Listings", {12, 52, 174, 25}},
  };
}

}  // namespace

TGotoPgDlg::TGotoPgDlg(TComponent* owner, const TScriptDocument& script)
    : TForm(owner), first_(FirstPageNumber(script)), last_(LastPageNumber(script)) {
  SetUpDialogForm(*this, "GotoPgDlg", "Goto Page", 290, 130);
  BuildDialog(*this, GotoPageTable());
  BuildDialog(*this, ButtonRow(sbOK, {200, 12, 75, 25}, 0));
  BuildDialog(*this, ButtonRow(sbCancel, {200, 44, 75, 25}, 0));
  PageEdit = DialogControl<TEdit>(*this, "PageEdit");
  SpinUpBtn = DialogControl<TSpeedButton>(*this, "SpinUpBtn");
  SpinDownBtn = DialogControl<TSpeedButton>(*this, "SpinDownBtn");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  SceneListBtn = DialogControl<TButton>(*this, "SceneListBtn");
  PageEdit->MaxLength = PageTextLength;
  PageEdit->Text = std::to_string(first_);
  SceneListBtn->ModalResult = mrSceneList;
  SpinUpBtn->OnClick = [this](TObject*) { Spin(1); };
  SpinDownBtn->OnClick = [this](TObject*) { Spin(-1); };
  OKBtn->OnClick = [this](TObject* sender) { OKBtnClick(sender); };
}

void TGotoPgDlg::Spin(int step) {
  TPageRequest page = ParsePageRequest(PageEdit->Text());
  if (!page.valid) page.number = first_;
  const int next = page.number + step;
  if (next < first_ || next > last_) {
    MessageBeep(0);
    return;
  }
  page.number = next;
  PageEdit->Text = PageRequestText(page);
}

void TGotoPgDlg::OKBtnClick(TObject*) {
  page_ = ParsePageRequest(PageEdit->Text());
  if (page_.valid) return;
  ModalResult = mrNone;
  ShowMessageBox(PageEdit->Text() + " is NOT a Valid Number!", PromptTable(14));
}

}  // namespace qm
