#include "base/document_table.h"
#include "base/global_state.h"
#include "platform/dialog_builder.h"
#include "platform/messages.h"
#include "script/editing/editor_calls.h"
#include "script/script_window.h"
#include "story/storyboard_link_form.h"

namespace qm::story {

namespace {

using enum TDialogItemKind;

TStoryBoardLinkForm* Open = nullptr;
// Posted to the form when it lost activation.
constexpr UINT CloseWhenInactive = WM_USER + 0x5B;

// A modal box over the form (its own or one the storyboard's requests
// raise) takes the activation for a moment only.
bool ModalFormUp() { return Screen && Screen->ActiveForm() && Screen->ActiveForm()->Modal(); }
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
  // The table's places are client places: the frame comes on top.
  SetUpDialogFormClient(*this, "StoryBoardLinkForm", "Story Board Linking", 520, 264);
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

  EstablishLinkBtn->OnClick = [this](TObject*) { RunHandler([this] { EstablishLinkBtnClick(); }); };
  DeleteLinkBtn->OnClick = [this](TObject*) { RunHandler([this] { DeleteLinkBtnClick(); }); };
  CancelBtn->OnClick = [this](TObject*) { Close(); };
  PrevBtn->OnClick = [this](TObject*) { RunHandler([this] { StepFrame(false); }); };
  NextBtn->OnClick = [this](TObject*) { RunHandler([this] { StepFrame(true); }); };
  Image1->OnDblClick = [this](TObject*) { Image1DblClick(); };
  Image1->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) {
    RunHandler([this] { Image1MouseUp(); });
  };
  OnShow = [this](TObject*) { RunHandler([this] { FormShow(); }); };
  OnDeactivate = [this](TObject*) { Deactivated(); };
  OnClose = [this](TObject*, TCloseAction& action) {
    action = TCloseAction::caFree;
    RestoreScriptMouse();
    // The block was marked for the link; it is done with.
    if (ScriptOpen()) editor::ClearBlock(script_, true);
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

void TStoryBoardLinkForm::RunHandler(const std::function<void()>& handler) {
  ++handling_;
  handler();
  --handling_;
}

void TStoryBoardLinkForm::Deactivated() {
  if (handling_ == 0 && !ModalFormUp()) PostMessage(Handle(), CloseWhenInactive, 0, 0);
}

void TStoryBoardLinkForm::WndProc(TMessage& m) {
  if (m.Msg != CloseWhenInactive) return TForm::WndProc(m);
  // Activation may have come back meanwhile, or the form be closing already.
  if (Open == this && !Active() && handling_ == 0 && !ModalFormUp()) Close();
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
