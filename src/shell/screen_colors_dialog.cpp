// The colour dialogs' forms.
#include "shell/screen_colors_dialog.h"

#include <algorithm>

#include "base/document_table.h"
#include "platform/dialog_builder.h"
#include "script/script_window.h"
#include "shell/screen_colors.h"

namespace qm {

namespace {

using enum TDialogItemKind;

std::string NotePanelName(int index) { return "Note" + std::to_string(index); }

// 26 swatches in two rows of 13.
void AddNotePanels(TDialogTable& t, const std::string& parent, int top) {
  for (int i = 0; i < NoteColourCount; ++i)
    t.push_back({Panel, parent + NotePanelName(i), "", {8 + (i % 13) * 26, top + (i / 13) * 26, 22, 22}, parent});
}

}  // namespace

// ---- Screen colours ------------------------------------------------------------

TSetScreenColorsdlg::TSetScreenColorsdlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "SetScreenColorsdlg", "Set Screen Colors", 400, 380);
  TDialogTable t = {
      {PageControl, "Pages", "", {8, 8, 380, 300}},
      {Page, "ColorsPage", "Screen Colors", {}, "Pages"},
      {Page, "SelectPage", "Select Colors", {}, "Pages"},
      {RadioButton, "WindowRadio", "&Window Background", {8, 8, 170, 19}, "ColorsPage"},
      {RadioButton, "TextRadio", "&Text Color", {8, 30, 170, 19}, "ColorsPage"},
      {RadioButton, "HighlightRadio", "&Highlight Color", {8, 52, 170, 19}, "ColorsPage"},
      {RadioButton, "HighlightTextRadio", "H&ighlighted Text", {8, 74, 170, 19}, "ColorsPage"},
      {Button, "SetColorBtn", "Set Color", {8, 100, 120, 25}, "ColorsPage"},
      {Button, "WinColorsBtn", "&Use Windows Colors", {136, 100, 160, 25}, "ColorsPage"},
      {Panel, "ModePanel", "", {190, 8, 180, 50}, "ColorsPage"},
      {RadioButton, "TextModeRadio", "Colored &Text", {4, 4, 170, 19}, "ModePanel"},
      {RadioButton, "BackgroundModeRadio", "Colored &Background", {4, 26, 170, 19}, "ModePanel"},
      {Panel, "SamplePanel", "", {8, 134, 360, 48}, "ColorsPage"},
      {Label, "SampleText", "INT. SAMPLE ROOM - DAY", {8, 6, 0, 0}, "SamplePanel"},
      {Label, "SampleHighlight", "Highlighted sample text", {8, 26, 0, 0}, "SamplePanel"},
      {GroupBox, "NoteGroup", "Script Note Colors", {8, 188, 360, 80}, "ColorsPage"},
      {GroupBox, "KeepGroup", "Select Notes Colors to Keep Visible", {8, 8, 360, 80}, "SelectPage"},
  };
  AddNotePanels(t, "NoteGroup", 20);
  AddNotePanels(t, "KeepGroup", 20);
  for (TDialogItem& row : ButtonRow(sbOK | sbCancel, {210, 316, 80, 25}, 90)) t.push_back(row);
  BuildDialog(*this, t);
  Pages = DialogControl<TPageControl>(*this, "Pages");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  SetColorBtn = DialogControl<TButton>(*this, "SetColorBtn");
  WinColorsBtn = DialogControl<TButton>(*this, "WinColorsBtn");
  const char* which[] = {"WindowRadio", "TextRadio", "HighlightRadio", "HighlightTextRadio"};
  for (int i = 0; i < 4; ++i) Which[i] = DialogControl<TRadioButton>(*this, which[i]);
  TextMode = DialogControl<TRadioButton>(*this, "TextModeRadio");
  BackgroundMode = DialogControl<TRadioButton>(*this, "BackgroundModeRadio");
  KeepGroup = DialogControl<TGroupBox>(*this, "KeepGroup");
  Which[0]->SetChecked(true);
  SetColorBtn->OnClick = [this](TObject*) { SetColorClick(); };
  WinColorsBtn->OnClick = [this](TObject*) {
    Colors = TScreenColors{};
    DrawSample();
    OKBtn->Click();
  };
  for (int i = 0; i < NoteColourCount; ++i) NotePanel(i)->OnClick = [this, i](TObject*) { ToggleNote(i); };
}

TPanel* TSetScreenColorsdlg::NotePanel(int index) const {
  return DialogControl<TPanel>(*this, "KeepGroup" + NotePanelName(index));
}

void TSetScreenColorsdlg::ToggleNote(int index) {
  if (IsUnsetNoteColor(NoteColors[static_cast<std::size_t>(index)])) return;
  Marked[static_cast<std::size_t>(index)] = !Marked[static_cast<std::size_t>(index)];
  ShowNoteColors();
}

void TSetScreenColorsdlg::ShowNoteColors() {
  for (int i = 0; i < NoteColourCount; ++i) {
    const TColor c = NoteColors[static_cast<std::size_t>(i)];
    const bool unset = IsUnsetNoteColor(c);
    for (const char* group : {"NoteGroup", "KeepGroup"}) {
      auto* panel = DialogControl<TPanel>(*this, group + NotePanelName(i));
      panel->Color = unset ? clBtnFace : c;
      panel->Caption = std::string(group) == "KeepGroup" && Marked[static_cast<std::size_t>(i)] ? "X" : "";
    }
  }
}

void TSetScreenColorsdlg::DrawSample() {
  DialogControl<TPanel>(*this, "SamplePanel")->Color = Colors.Window;
  auto* text = DialogControl<TLabel>(*this, "SampleText");
  text->Font.Color = Colors.Text;
  auto* highlight = DialogControl<TLabel>(*this, "SampleHighlight");
  highlight->Color = Colors.Highlight;
  highlight->Font.Color = Colors.HighlightText;
}

void TSetScreenColorsdlg::SetColorClick() {
  TColor TScreenColors::*const places[] = {&TScreenColors::Window, &TScreenColors::Text, &TScreenColors::Highlight,
                                           &TScreenColors::HighlightText};
  int chosen = 0;
  for (int i = 0; i < 4; ++i)
    if (Which[i]->Checked()) chosen = i;
  TColorDialog picker(nullptr);
  SetCustomColors(picker, Colors.*places[chosen]);
  if (!picker.Execute()) return;
  Colors.*places[chosen] = picker.Color;
  DrawSample();
}

// ---- User colours --------------------------------------------------------------

TSelectUserColorDlg::TSelectUserColorDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "SelectUserColorDlg", "Select User Colors", 320, 140);
  TDialogTable t;
  for (int i = 1; i <= 7; ++i)
    t.push_back({Panel, "U" + std::to_string(i), "U" + std::to_string(i), {8 + (i - 1) * 42, 8, 38, 38}});
  t.push_back({TDialogItemKind::Button, "EditBtn", "&Edit Color", {8, 56, 100, 25}});
  for (TDialogItem& row : ButtonRow(sbOK | sbCancel, {130, 90, 80, 25}, 90)) t.push_back(row);
  BuildDialog(*this, t);
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  EditBtn = DialogControl<TButton>(*this, "EditBtn");
  for (int i = 1; i <= 7; ++i) {
    Button(i)->OnClick = [this, i](TObject*) { Select(i); };
    Button(i)->OnDblClick = [this, i](TObject*) {
      Select(i);
      EditBtn->Click();
    };
  }
  EditBtn->OnClick = [this](TObject*) {
    TColorDialog picker(nullptr);
    SetCustomColors(picker, Colors[static_cast<std::size_t>(selected_ - 1)]);
    if (picker.Execute()) Colors[static_cast<std::size_t>(selected_ - 1)] = picker.Color;
    Paint();
  };
  Paint();
}

TPanel* TSelectUserColorDlg::Button(int button) const {
  return DialogControl<TPanel>(*this, "U" + std::to_string(button));
}

void TSelectUserColorDlg::Select(int button) {
  selected_ = std::clamp(button, 1, 7);
  Paint();
}

void TSelectUserColorDlg::Paint() {
  for (int i = 1; i <= 7; ++i) {
    Button(i)->Color = Colors[static_cast<std::size_t>(i - 1)];
    Button(i)->BevelOuter = i == selected_ ? TPanelBevel::bvLowered : TPanelBevel::bvRaised;
  }
}

}  // namespace qm
