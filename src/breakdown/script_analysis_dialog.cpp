#include "breakdown/script_analysis_dialog.h"

#include <algorithm>

#include "base/document_table.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "language/duplicate_names.h"
#include "platform/dialog_builder.h"
#include "printing/print_run.h"
#include "script/model/string_utils.h"
#include "script/script_window.h"

namespace qm {

namespace {

using enum TDialogItemKind;

TDialogTable AnalysisTable() {
  TDialogTable table = {
      {PageControl, "TabbedNotebook1", "", {0, 0, 520, 390}},
      {Page, "GeneralPage", "General", {}, "TabbedNotebook1"},
      {Page, "DetailPage", "Character Detail", {}, "TabbedNotebook1"},
      {ListBox, "NameListBox", "", {8, 8, 200, 340}, "DetailPage"},
  };
  const int heights[] = {34, 18, 70, 70, 48};
  int top = 8;
  for (int i = 0; i < 5; ++i) {
    table.push_back({Label, "BtrLabel" + std::to_string(i + 1), "", {12, top, 490, heights[i]}, "GeneralPage"});
    top += heights[i] + 10;
  }
  for (int i = 0; i < 8; ++i)
    table.push_back({Label, "DetailLabel" + std::to_string(i + 1), "", {220, 12 + i * 26, 290, 20}, "DetailPage"});
  table.push_back({Button, "DupNamesBtn", "Setup Duplicate Names", {8, 400, 160, 25}});
  table.push_back({Button, "BitBtn2", "Print", {180, 400, 90, 25}});
  table.push_back({CheckBox, "QuillpressFileBox", "&Print to a Quillpress File", {8, 432, 260, 20}});
  table.push_back({OkButton, "OKBtn", "OK", {420, 400, 90, 25}});
  return table;
}

// A paragraph as a label shows it: its line ends as new lines.
std::string Shown(std::string text) {
  std::replace(text.begin(), text.end(), '\r', '\n');
  return text;
}

}  // namespace

TScriptAnalysisDlg::TScriptAnalysisDlg(TComponent* owner, TMDIChild& script) : TForm(owner), script_(script) {
  SetUpDialogForm(*this, "ScriptAnalysisDlg", "In your script, there were...", 526, 490);
  BuildDialog(*this, AnalysisTable());
  TabbedNotebook1 = DialogControl<TPageControl>(*this, "TabbedNotebook1");
  GeneralPage = DialogControl<TTabSheet>(*this, "GeneralPage");
  DetailPage = DialogControl<TTabSheet>(*this, "DetailPage");
  NameListBox = DialogControl<TListBox>(*this, "NameListBox");
  for (int i = 0; i < 5; ++i) {
    BtrLabels[static_cast<std::size_t>(i)] = DialogControl<TLabel>(*this, "BtrLabel" + std::to_string(i + 1));
    BtrLabels[static_cast<std::size_t>(i)]->WordWrap = true;
    BtrLabels[static_cast<std::size_t>(i)]->AutoSize = false;
  }
  for (int i = 0; i < 8; ++i) {
    TLabel* label = DialogControl<TLabel>(*this, "DetailLabel" + std::to_string(i + 1));
    label->AutoSize = false;
    DetailLabels[static_cast<std::size_t>(i)] = label;
  }
  DupNamesBtn = DialogControl<TButton>(*this, "DupNamesBtn");
  BitBtn2 = DialogControl<TButton>(*this, "BitBtn2");
  QuillpressFileBox = DialogControl<TCheckBox>(*this, "QuillpressFileBox");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  TabbedNotebook1->SetActivePageIndex(0);

  NameListBox->OnClick = [this](TObject*) { NameListBoxChange(); };
  TabbedNotebook1->OnChange = [this](TObject*) { TabbedNotebook1Change(); };
  DupNamesBtn->OnClick = [this](TObject*) { DupNamesBtnClick(); };
  BitBtn2->OnClick = [this](TObject*) { BitBtn2Click(); };
}

void TScriptAnalysisDlg::AnalyzeTheScript() {
  Analysis = AnalyzeScript(script_);
  for (std::size_t i = 0; i < BtrLabels.size(); ++i) BtrLabels[i]->Caption = Shown(Analysis.Labels[i]);
  NameListBox->Clear();
  for (const TAnalysisEntry& entry : Analysis.Names) NameListBox->Items.Add(entry.Name);
  if (!Analysis.Names.empty()) {
    NameListBox->SetItemIndex(0);
    SetupDetailData(0);
  }
}

void TScriptAnalysisDlg::SetupDetailData(int index) {
  if (index < 0 || index >= static_cast<int>(Analysis.Names.size())) return;
  const auto lines = DetailLines(Analysis.Names[static_cast<std::size_t>(index)].Data);
  for (std::size_t i = 0; i < lines.size(); ++i) DetailLabels[i]->Caption = lines[i];
}

void TScriptAnalysisDlg::NameListBoxChange() {
  if (NameListBox->ItemIndex() >= 0) SetupDetailData(NameListBox->ItemIndex());
}

void TScriptAnalysisDlg::TabbedNotebook1Change() {
  if (TabbedNotebook1->ActivePage() != DetailPage) {
    if (Visible) OKBtn->SetFocus();
    return;
  }
  if (NameListBox->Items.Count() == 0) {
    ShowMessageBox("No Names Found!", "Attention");
    TabbedNotebook1->SetActivePage(GeneralPage);
    return;
  }
  if (Visible) NameListBox->SetFocus();
}

void TScriptAnalysisDlg::DupNamesBtnClick() {
  TabbedNotebook1->SetActivePage(GeneralPage);
  NameListBox->Clear();
  ShowDuplicateNames(false);
  AnalyzeTheScript();
}

void TScriptAnalysisDlg::BitBtn2Click() {
  if (QuillpressFileBox->Checked())
    SetPrintFile(ChangeFileExtension(script_.ScriptFileName.empty() ? "Untitled" : script_.ScriptFileName, ".qpf"));
  const int cursor = Screen->Cursor();
  Screen->SetCursor(crHourGlass);
  if (TabbedNotebook1->ActivePage() == DetailPage) {
    std::vector<int> chosen;
    if (AskYesNo(" Print detail for All Characters?", "", true)) {
      for (int i = 0; i < static_cast<int>(Analysis.Names.size()); ++i) chosen.push_back(i);
    } else if (NameListBox->ItemIndex() >= 0) {
      chosen.push_back(NameListBox->ItemIndex());
    }
    PrintCharacterDetail(Analysis, chosen, script_.ScriptFileName);
    NameListBoxChange();
  } else {
    PrintGeneralAnalysis(Analysis, script_.ScriptFileName);
  }
  Screen->SetCursor(cursor);
}

void ShowScriptAnalysis() {
  TMDIChild* script = ActiveScript();
  if (!script) {
    ShowMessageBox("You must have a script open before any useful analysis can take place!", PromptTable(39));
    return;
  }
  TScriptAnalysisDlg dialog(Application, *script);
  dialog.AnalyzeTheScript();
  dialog.ShowModal();
}

}  // namespace qm
