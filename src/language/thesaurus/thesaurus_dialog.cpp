// The synonym list dialog's controls and where they sit.
#include "language/thesaurus/thesaurus_dialog.h"

#include "platform/dialog_builder.h"

namespace qm::thesaurus {

namespace {

using enum TDialogItemKind;

TDialogTable ThesaurusTable() {
  return {
      {Label, "HeadWordLabel", "Head &Word:", {8, 8, 0, 0}},
      {Edit, "HeadWord", "", {8, 26, 200, 22}},
      {Label, "SynonymsLabel", "S&ynonyms:", {8, 54, 0, 0}},
      {ListBox, "SynonymList", "", {8, 72, 200, 180}},
      {Bevel, "Bevel", "", {4, 4, 314, 254}},
      {Panel, "ButtonPanel", "", {216, 4, 100, 252}},
      {Button, "ReplaceBtn", "&Replace", {8, 22, 84, 25}, "ButtonPanel"},
      {Button, "SuggestBtn", "&Synonyms", {8, 54, 84, 25}, "ButtonPanel"},
      {Button, "PrevWordBtn", "&Prev Word", {8, 86, 84, 25}, "ButtonPanel"},
      {Button, "CancelBtn", "&Cancel", {8, 118, 84, 25}, "ButtonPanel"},
      {HelpButton, "HelpBtn", "", {8, 150, 84, 25}, "ButtonPanel"},
  };
}

}  // namespace

TThesaurusDlg::TThesaurusDlg(TComponent* owner) : TForm(owner) {
  Name = "ThesaurusDlg";
  Caption = "Thesaurus";
  BorderStyle = TFormBorderStyle::bsDialog;
  SetBounds(0, 0, 330, 290);
  SetClientWidth(322);
  SetClientHeight(262);
  BuildDialog(*this, ThesaurusTable());
  HeadWordLabel = DialogControl<TLabel>(*this, "HeadWordLabel");
  HeadWord = DialogControl<TEdit>(*this, "HeadWord");
  SynonymsLabel = DialogControl<TLabel>(*this, "SynonymsLabel");
  SynonymList = DialogControl<TListBox>(*this, "SynonymList");
  Bevel = DialogControl<TBevel>(*this, "Bevel");
  ButtonPanel = DialogControl<TPanel>(*this, "ButtonPanel");
  ReplaceBtn = DialogControl<TButton>(*this, "ReplaceBtn");
  SuggestBtn = DialogControl<TButton>(*this, "SuggestBtn");
  PrevWordBtn = DialogControl<TButton>(*this, "PrevWordBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  HelpBtn = DialogControl<TButton>(*this, "HelpBtn");
  ButtonPanel->BevelOuter = TPanelBevel::bvNone;
  HelpContext = 1105;
  ReplaceBtn->ModalResult = mrOk;
  CancelBtn->ModalResult = mrCancel;
  CancelBtn->Cancel = true;
  WordWeb1 = new TWordWeb(this);
  WordWeb1->Name = "WordWeb1";
  OnShow = [this](TObject*) { FormShow(); };
  SynonymList->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { SynonymListMouseUp(); };
  SynonymList->OnKeyDown = [this](TObject*, Word& key, TShiftState) { SynonymListKeyDown(key); };
  HeadWord->OnKeyDown = [this](TObject*, Word& key, TShiftState) { HeadWordKeyDown(key); };
  SuggestBtn->OnClick = [this](TObject*) { SuggestBtnClick(); };
  PrevWordBtn->OnClick = [this](TObject*) { PrevWordBtnClick(); };
}

}  // namespace qm::thesaurus
