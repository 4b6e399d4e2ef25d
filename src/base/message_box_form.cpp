#include "base/message_box_form.h"

#include <array>
#include <functional>

#include "platform/dialog_builder.h"
#include "platform/platform.h"
#include "base/document_table.h"
#include "base/program_options.h"
#include "base/message_boxes.h"

namespace qm {

namespace {

// The designed form; text sizes it at every showing.
constexpr int kClientWidth = 392;
constexpr int kButtonTop = 161;
constexpr int kButtonWidth = 77;
constexpr int kButtonHeight = 27;
constexpr std::array<int, 3> kButtonLefts{40, 157, 274};
constexpr int kYesAllLeft = 217;

enum class Slot { None, Left, Middle, Right, YesText };

struct ButtonSetup {
  bool shown = false;
  TBitBtnKind glyph = TBitBtnKind::bkCustom;
  const char* caption = nullptr;  // null keeps the glyph kind's own caption
  TModalResult result = mrNone;
};

struct KindLayout {
  int kind;
  ButtonSetup left, middle, right;
  Slot focusWhenDefaultFirst;
  Slot focusOtherwise;
  Slot escape;
};

constexpr ButtonSetup Hidden{};
constexpr ButtonSetup Btn(TBitBtnKind glyph, const char* caption, TModalResult result) {
  return ButtonSetup{true, glyph, caption, result};
}

using enum TBitBtnKind;
constexpr ButtonSetup OkSkipCancel[] = {Btn(bkYes, "O&k", 6), Btn(bkNo, "&Skip", 7), Btn(bkCancel, "&Cancel", 2)};

constexpr KindLayout kKinds[] = {
    {1, Hidden, Btn(bkOK, nullptr, 1), Hidden, Slot::Middle, Slot::Middle, Slot::None},
    {2, Hidden, Btn(bkYes, "&Yes", 6), Btn(bkNo, "&No", 7), Slot::Middle, Slot::Right, Slot::Right},
    {3, Hidden, Btn(bkAbort, "&Abort", 3), Btn(bkRetry, "&Retry", 4), Slot::Right, Slot::Middle, Slot::Middle},
    {4, Hidden, Hidden, Hidden, Slot::None, Slot::None, Slot::None},
    {5, Btn(bkYes, "&Yes", 6), Btn(bkNo, "&No", 7), Btn(bkCancel, "&Cancel", 2), Slot::Left, Slot::Middle, Slot::Right},
    {6, Hidden, Btn(bkCancel, "&Cancel", 2), Hidden, Slot::YesText, Slot::YesText, Slot::Middle},
    {7, Hidden, Btn(bkCancel, nullptr, 2), Hidden, Slot::None, Slot::None, Slot::Middle},
    {8, Hidden, Btn(bkOK, "O&k", 1), Btn(bkCancel, "&Cancel", 2), Slot::Middle, Slot::Middle, Slot::Right},
    {9, Btn(bkCustom, "  Drive &A:", 6), Btn(bkCustom, "  Drive &B", 7), Btn(bkCancel, "&Cancel", 2), Slot::Left,
     Slot::Right, Slot::Right},
    {10, OkSkipCancel[0], OkSkipCancel[1], OkSkipCancel[2], Slot::Left, Slot::Middle, Slot::Right},
    {25, OkSkipCancel[0], OkSkipCancel[1], OkSkipCancel[2], Slot::Left, Slot::Middle, Slot::Right},
    {26, Btn(bkYes, "O&k", 6), Btn(bkNo, "&Skip", 7), Btn(bkOK, "&Edit", mrEdit), Slot::Left, Slot::Middle, Slot::None},
    {37, Hidden, Btn(bkYes, "&Cheat", 6), Btn(bkNo, "&Adjust", 7), Slot::Right, Slot::Right, Slot::Right},
    {45, Btn(bkYes, "&Yes", 6), Btn(bkNo, "&No", 7), Btn(bkHelp, "&Help", 0), Slot::Left, Slot::Middle, Slot::None},
    {75, Btn(bkCustom, "   &Name Only", 6), Btn(bkCustom, "   &Path && Name", 7), Btn(bkCancel, "&Cancel", 2),
     Slot::Left, Slot::Middle, Slot::Right},
};

const KindLayout* LayoutOf(int kind) {
  for (const auto& layout : kKinds)
    if (layout.kind == kind) return &layout;
  return nullptr;
}

void SetUpButton(TBitBtn& button, const ButtonSetup& setup) {
  button.Visible = setup.shown;
  if (!setup.shown) return;
  button.SetKind(setup.glyph);
  if (setup.glyph == bkCustom) {
    button.Glyph.ResourceName.clear();
    button.Glyph.SetSize(0, 0);
  }
  if (setup.caption) button.Caption = setup.caption;
  button.ModalResult = setup.result;
}

TDialogTable MessageBoxTable() {
  using enum TDialogItemKind;
  const auto button = [](const char* name, int left) {
    return TDialogItem{BitButton, name, "", {left, kButtonTop, kButtonWidth, kButtonHeight}};
  };
  return {
      {Bevel, "Bevel1", "", {8, 8, 376, 143}},
      {Panel, "BorderPanel", "", {16, 16, 360, 130}},
      {Panel, "Panel1", "", {5, 5, 350, 120}, "BorderPanel"},
      {Label, "MenuText", "", {0, 10, 350, 13}, "Panel1"},
      {Edit, "RequireYesText", "", {125, 80, 100, 21}, "Panel1"},
      button("LeftButton", kButtonLefts[0]),
      button("MiddleButton", kButtonLefts[1]),
      button("RightButton", kButtonLefts[2]),
      button("YesAllBtn", kYesAllLeft),
  };
}

bool ProgressDialogShowing() {
  const auto& visible = MessageBoxHooks.ProgressDialogVisible;
  return StartupFinished() && visible && visible();
}

void Call(const std::function<void()>& hook) {
  if (hook) hook();
}

}  // namespace

TMyNewMsgBox::TMyNewMsgBox(TComponent* owner) : TForm(owner) {
  Name = "MyNewMsgBox";
  BorderStyle = TFormBorderStyle::bsDialog;
  FormStyle = TFormStyle::fsStayOnTop;
  Position = TPosition::poScreenCenter;
  BorderIcons = 0;
  SetClientWidth(kClientWidth);
  SetClientHeight(kButtonTop + 40);
  // Escape answers only through the button its kind names; a kind that
  // names none keeps its question, whatever other windows do with Escape.
  KeyPreview = true;
  OnKeyDown = [](TObject*, Word& key, TShiftState) {
    if (key == VK_ESCAPE) key = 0;
  };

  BuildDialog(*this, MessageBoxTable());
  Bevel1 = DialogControl<TBevel>(*this, "Bevel1");
  Bevel1->Shape = TBevelShape::bsFrame;
  BorderPanel = DialogControl<TPanel>(*this, "BorderPanel");
  BorderPanel->BevelOuter = TPanelBevel::bvLowered;
  Panel1 = DialogControl<TPanel>(*this, "Panel1");
  MenuText = DialogControl<TLabel>(*this, "MenuText");
  MenuText->Alignment = TAlignment::taCenter;
  MenuText->WordWrap = true;
  RequireYesText = DialogControl<TEdit>(*this, "RequireYesText");
  RequireYesText->Visible = false;
  RequireYesText->OnChange = [this](TObject*) { RequireYesTextChange(); };

  LeftButton = DialogControl<TBitBtn>(*this, "LeftButton");
  LeftButton->SetKind(bkYes);
  MiddleButton = DialogControl<TBitBtn>(*this, "MiddleButton");
  MiddleButton->SetKind(bkNo);
  RightButton = DialogControl<TBitBtn>(*this, "RightButton");
  RightButton->SetKind(bkCancel);
  YesAllBtn = DialogControl<TBitBtn>(*this, "YesAllBtn");
  RestoreYesAllButton();

  OnShow = [this](TObject*) { FormShow(); };
  OnPaint = [this](TObject*) { FormPaint(); };
  OnHide = [this](TObject*) { FormHide(); };
}

TMyNewMsgBox::~TMyNewMsgBox() {
  if (MyNewMsgBox == this) MyNewMsgBox = nullptr;
}

void TMyNewMsgBox::UseFont(const TFont& font) {
  Font.Assign(font);
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* control = dynamic_cast<TControl*>(Components(i))) control->Font.Assign(font);
}

TModalResult TMyNewMsgBox::Execute(const std::string& text, const std::string& caption, bool defaultFirst, int kind) {
  // A question already waiting for its answer keeps it; the newcomer is
  // treated as cancelled.
  if (Modal()) return mrCancel;
  if (Visible) Hide();
  kind_ = kind;
  Caption = NormalizeCaption(caption);
  std::string message = "\r" + text;
  RequireYesText->Visible = false;
  MiddleButton->Enabled = true;
  ApplyKind(kind, defaultFirst, message);
  MenuText->Caption = message;
  LayOutText();
  ModalResult = mrNone;
  const int cursor = Screen->Cursor();
  if (IsNotice()) {
    Show();
    PaintNow();
    Screen->SetCursor(cursor);
    return mrNone;
  }
  Screen->SetCursor(crDefault);
  const TModalResult result = ShowModal();
  Screen->SetCursor(cursor);
  RestoreDesignedButtons(kind);
  return result;
}

void TMyNewMsgBox::ApplyKind(int kind, bool defaultFirst, std::string& message) {
  const KindLayout* layout = LayoutOf(kind);
  if (!layout) return;
  SetUpButton(*LeftButton, layout->left);
  SetUpButton(*MiddleButton, layout->middle);
  SetUpButton(*RightButton, layout->right);
  const Slot focus = defaultFirst ? layout->focusWhenDefaultFirst : layout->focusOtherwise;
  const std::pair<TBitBtn*, Slot> buttons[] = {
      {LeftButton, Slot::Left}, {MiddleButton, Slot::Middle}, {RightButton, Slot::Right}};
  TWinControl* focused = nullptr;
  for (auto [button, slot] : buttons) {
    button->Default = slot == focus;
    button->Cancel = slot == layout->escape;
    if (slot == focus) focused = button;
  }
  YesAllBtn->Visible = false;
  YesAllBtn->Default = false;
  YesAllBtn->Cancel = false;
  switch (kind) {
    case MsgBoxTypeYes:
      RequireYesText->Text = std::string();
      RequireYesText->Visible = true;
      focused = RequireYesText;
      message += "\r\rType YES to accept...\r\r\r";
      break;
    case MsgBoxOkSkipCancelAll:
    case MsgBoxOkSkipEditCancel: ShowFourthButton(kind); break;
    case MsgBoxNameOrPath: WidenNameOrPathButtons(); break;
    default: break;
  }
  ActiveControl = focused;
  FocusControl(focused);
}

// Four buttons share the row, each a little narrower, evenly spaced.
void TMyNewMsgBox::ShowFourthButton(int kind) {
  if (kind == MsgBoxOkSkipEditCancel) {
    YesAllBtn->SetKind(bkCancel);
    YesAllBtn->Caption = "&Cancel";
    YesAllBtn->ModalResult = mrCancel;
    YesAllBtn->Cancel = false;
  }
  YesAllBtn->Visible = true;
  TBitBtn* row[] = {LeftButton, MiddleButton, RightButton, YesAllBtn};
  for (TBitBtn* button : row) button->Width = button->Width - 2;
  const int gap = (ClientWidth() - 4 * YesAllBtn->Width) / 5;
  int left = gap;
  for (TBitBtn* button : row) {
    button->Left = left;
    left += button->Width + gap;
  }
}

void TMyNewMsgBox::WidenNameOrPathButtons() {
  LeftButton->SetBounds(LeftButton->Left - 10, LeftButton->Top, LeftButton->Width + 10, LeftButton->Height);
  MiddleButton->SetBounds(MiddleButton->Left - 10, MiddleButton->Top, MiddleButton->Width + 20, MiddleButton->Height);
}

void TMyNewMsgBox::RestoreDesignedButtons(int kind) {
  if (kind == MsgBoxNameOrPath) {
    LeftButton->Glyph.LoadFromResourceName("BBYES");
    MiddleButton->Glyph.LoadFromResourceName("BBNO");
  }
  if (kind == MsgBoxOkSkipEditCancel) RestoreYesAllButton();
  if (kind != MsgBoxNameOrPath && kind != MsgBoxOkSkipCancelAll && kind != MsgBoxOkSkipEditCancel) return;
  const std::array<TBitBtn*, 3> row{LeftButton, MiddleButton, RightButton};
  for (size_t i = 0; i < row.size(); ++i) {
    row[i]->Left = kButtonLefts[i];
    row[i]->Width = kButtonWidth;
  }
  YesAllBtn->Width = kButtonWidth;
  YesAllBtn->Left = kYesAllLeft;
  YesAllBtn->Visible = false;
}

void TMyNewMsgBox::RestoreYesAllButton() {
  YesAllBtn->SetKind(bkAll);
  YesAllBtn->Caption = "Yes &All";
  YesAllBtn->ModalResult = mrAll;
  YesAllBtn->Default = false;
  YesAllBtn->Visible = false;
}

void TMyNewMsgBox::LayOutText() {
  MenuText->Top = 10;
  MenuText->Width = Panel1->ClientWidth();
  MenuText->Height = 13;
  MenuText->WordWrap = true;
  MenuText->AutoSize = true;
  MenuText->Alignment = TAlignment::taCenter;
  MenuText->AdjustBounds();
  if (StartupFinished()) Application->ProcessMessages();
}

bool TMyNewMsgBox::AnyButtonVisible() const {
  return LeftButton->Visible || MiddleButton->Visible || RightButton->Visible || YesAllBtn->Visible;
}

void TMyNewMsgBox::SizeToText() {
  Panel1->Height = MenuText->Height + 20;
  Bevel1->Height = Panel1->Height + BorderPanel->Top + 7;
  BorderPanel->Height = Panel1->Height + 10;
  const int buttonHeight = MiddleButton->Height;
  int height = (Height - ClientHeight()) + Bevel1->Height + 2 * Bevel1->Top + 15 * buttonHeight / 10;
  if (!AnyButtonVisible()) height -= buttonHeight;
  Height = height;
  const int buttonTop = Bevel1->Top + Bevel1->Height + 10;
  for (TBitBtn* button : {LeftButton, MiddleButton, RightButton, YesAllBtn}) button->Top = buttonTop;
}

void TMyNewMsgBox::KeepOnScreen() {
  const int screenBottom = Screen->Height();
  if (Top + Height > screenBottom) Top = screenBottom - Height;
}

HWND TMyNewMsgBox::FocusOutsideBox() const {
  if (TForm* script = DocumentFrame && ActiveScript() ? DocumentFrame->ActiveMDIChild() : nullptr)
    return script->Handle();
  if (TWinControl* control = Screen->ActiveControl(); control && control->ParentForm() != this)
    return control->Handle();
  if (TForm* form = Screen->ActiveForm(); form && form != this) return form->Handle();
  return NullWindow;
}

// The platform paints a window without a desktop peer only on request.
void TMyNewMsgBox::PaintNow() {
  Application->RequestPaint(this);
  Repaint();
}

void TMyNewMsgBox::FormShow() {
  firstPaintDue_ = true;
  MouseMoved = 0;
  busy_.emplace();
  SavedFocus = FocusOutsideBox();
  SizeToText();
  // Sized first, so that a long text never pushes the buttons off the screen.
  KeepOnScreen();
  SavedCursor = Screen->Cursor();
  Screen->SetCursor(crDefault);
  if (ProgressDialogShowing()) Call(MessageBoxHooks.ProgressDialogHideNow);
  if (RequireYesText->Visible) FocusControl(RequireYesText);
  PaintNow();
}

void TMyNewMsgBox::FormPaint() {
  if (!firstPaintDue_) return;
  firstPaintDue_ = false;
  TWinControl* focused = FocusedControl();
  if (AnyButtonVisible() && focused && ProgramOptions().AllowMenuToMoveMouse) {
    const TPoint centre = focused->ClientToScreen(TPoint{focused->Width / 2, focused->Height / 2});
    Platform::Current().backend().SetCursorPos(centre);
    MouseMoved = 1;
  }
  if (RequireYesText->Visible) RequireYesText->Top = MenuText->Top + MenuText->Height - RequireYesText->Height;
}

void TMyNewMsgBox::FormHide() {
  busy_.reset();
  if (ProgressDialogShowing()) Call(MessageBoxHooks.ProgressDialogShowNow);
}

void TMyNewMsgBox::RequireYesTextChange() {
  if (RequireYesText->Visible && RequireYesText->Text() == "YES") ModalResult = mrOk;
}

}  // namespace qm
