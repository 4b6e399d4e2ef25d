#include "base/document_table.h"
#include "base/global_state.h"
#include "platform/dialog_builder.h"
#include "script/script_window.h"
#include "story/storyboard_link_form.h"

namespace qm::story {

namespace {

using enum TDialogItemKind;

TStoryBoardLinkForm* Open = nullptr;
const GlobalState reset([] { Open = nullptr; });

const TDialogTable& LinkFormTable() {
  static const TDialogTable table = {
      {Panel, "Panel1", "", {8, 8, 244, 184}},
      {Bevel, "PictureBevel", "", {0, 0, 244, 184}, "Panel1"},
      {Label, "LinkTextLabel", "Text for Storyboard:", {260, 8, 200, 16}},
      {Memo, "LinkText", "", {260, 26, 252, 166}},
      {Button, "PrevBtn", "<<<==  Frame", {8, 200, 118, 25}},
      {Button, "NextBtn", "Frame ==>>>", {134, 200, 118, 25}},
      {Button, "EstablishLinkBtn", "Go to Storyboard Program", {260, 200, 252, 25}},
      {Button, "DeleteLinkBtn", "Delete Existing Link", {260, 232, 160, 25}},
      {Button, "CancelBtn", "Close", {428, 232, 84, 25}},
  };
  return table;
}

}  // namespace

TStoryBoardLinkForm* StoryboardLinkForm() { return Open; }

TStoryBoardLinkForm::TStoryBoardLinkForm(TComponent* owner, TMDIChild& script) : TForm(owner), script_(script) {
  Name = "StoryBoardLinkForm";
  Caption = "Story Board Linking";
  BorderStyle = TFormBorderStyle::bsDialog;
  Position = TPosition::poScreenCenter;
  SetBounds(0, 0, 520, 268);
  BuildDialog(*this, LinkFormTable());
  Panel1 = DialogControl<TPanel>(*this, "Panel1");
  Image1 = new TImage(this);
  Image1->SetParent(Panel1);
  Image1->SetBounds(2, 2, 240, 180);
  Image1->Center = true;
  LinkText = DialogControl<TMemo>(*this, "LinkText");
  LinkText->ReadOnly = true;
  EstablishLinkBtn = DialogControl<TButton>(*this, "EstablishLinkBtn");
  DeleteLinkBtn = DialogControl<TButton>(*this, "DeleteLinkBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  PrevBtn = DialogControl<TButton>(*this, "PrevBtn");
  NextBtn = DialogControl<TButton>(*this, "NextBtn");
  DeleteLinkBtn->Enabled = false;

  EstablishLinkBtn->OnClick = [this](TObject*) { EstablishLinkBtnClick(); };
  DeleteLinkBtn->OnClick = [this](TObject*) { DeleteLinkBtnClick(); };
  CancelBtn->OnClick = [this](TObject*) { Close(); };
  PrevBtn->OnClick = [this](TObject*) { StepFrame(false); };
  NextBtn->OnClick = [this](TObject*) { StepFrame(true); };
  Image1->OnDblClick = [this](TObject*) { Image1DblClick(); };
  Image1->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { Image1MouseUp(); };
  OnShow = [this](TObject*) { FormShow(); };
  OnClose = [this](TObject*, TCloseAction& action) {
    action = TCloseAction::caFree;
    RestoreScriptMouse();
    if (Open == this) Open = nullptr;
  };

  // A click in the script closes the form and then goes on to the script.
  savedMouseDown_ = script_.OnMouseDown;
  savedMouseUp_ = script_.OnMouseUp;
  script_.OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
    const TMouseEvent down = savedMouseDown_;
    Close();
    if (down) down(s, b, sh, x, y);
  };
  routed_ = true;
  Open = this;
}

TStoryBoardLinkForm::~TStoryBoardLinkForm() {
  RestoreScriptMouse();
  if (Open == this) Open = nullptr;
}

bool TStoryBoardLinkForm::ScriptOpen() const { return SlotOf(&script_) != 0; }

void TStoryBoardLinkForm::RestoreScriptMouse() {
  // A script that closed first took its handlers with it.
  if (!routed_ || !ScriptOpen()) return;
  routed_ = false;
  script_.OnMouseDown = savedMouseDown_;
  script_.OnMouseUp = savedMouseUp_;
}

}  // namespace qm::story
