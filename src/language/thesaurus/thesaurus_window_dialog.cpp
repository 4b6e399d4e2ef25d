// The thesaurus window's controls and where they sit.
#include "language/thesaurus/thesaurus_window.h"

#include "platform/dialog_builder.h"

namespace qm::thesaurus {

namespace {

using enum TDialogItemKind;

constexpr int RightPanelWidth = 100;

TDialogTable WindowTable() {
  return {
      {Label, "LookupLab", "Lookup:", {8, 10, 0, 0}},
      {ComboBox, "KeyWord", "", {56, 6, 240, 22}},
      {Button, "SearchButton", "&Search", {302, 5, 80, 24}},
      {Panel, "Defs", "", {8, 36, 384, 92}},
      {PageControl, "ViewTabs", "", {8, 133, 384, 166}},
      {ListBox, "Synonyms", "", {10, 159, 380, 138}},
      {Panel, "RightPanel", "", {392, 0, RightPanelWidth, 306}},
      {SpeedButton, "NounButton", "&Nouns", {8, 36, 84, 22}, "RightPanel"},
      {SpeedButton, "VerbButton", "&Verbs", {8, 57, 84, 22}, "RightPanel"},
      {SpeedButton, "AdjButton", "&Adjectives", {8, 78, 84, 22}, "RightPanel"},
      {SpeedButton, "AdvButton", "Adve&rbs", {8, 99, 84, 22}, "RightPanel"},
      {Button, "PreviousBut", "&Previous", {8, 140, 84, 25}, "RightPanel"},
      {Button, "LookupButton", "&Lookup", {8, 172, 84, 25}, "RightPanel"},
      {Button, "CopyButton", "&Copy", {8, 242, 84, 25}, "RightPanel"},
      {Button, "CloseButton", "Close", {8, 274, 84, 25}, "RightPanel"},
  };
}

}  // namespace

TColor ChooseHighlightColour(TColor highlight, TColor window, TColor windowText, TColor highlightText) {
  if (highlight == window) return window == highlightText ? windowText : highlightText;
  if (highlight == windowText) return window == highlightText && window != clYellow ? clYellow : highlightText;
  return highlight;
}

void TWWForm::BuildControls() {
  BuildDialog(*this, WindowTable());
  LookupLab = DialogControl<TLabel>(*this, "LookupLab");
  KeyWord = DialogControl<TComboBox>(*this, "KeyWord");
  SearchButton = DialogControl<TButton>(*this, "SearchButton");
  Defs = DialogControl<TPanel>(*this, "Defs");
  ViewTabs = DialogControl<TPageControl>(*this, "ViewTabs");
  Synonyms = DialogControl<TListBox>(*this, "Synonyms");
  RightPanel = DialogControl<TPanel>(*this, "RightPanel");
  NounButton = DialogControl<TSpeedButton>(*this, "NounButton");
  VerbButton = DialogControl<TSpeedButton>(*this, "VerbButton");
  AdjButton = DialogControl<TSpeedButton>(*this, "AdjButton");
  AdvButton = DialogControl<TSpeedButton>(*this, "AdvButton");
  PreviousBut = DialogControl<TButton>(*this, "PreviousBut");
  LookupButton = DialogControl<TButton>(*this, "LookupButton");
  CopyButton = DialogControl<TButton>(*this, "CopyButton");
  CloseButton = DialogControl<TButton>(*this, "CloseButton");
  Defs->BevelOuter = TPanelBevel::bvLowered;
  Defs->Color = clWindow;
  RightPanel->BevelOuter = TPanelBevel::bvNone;
  RightPanel->Align = TAlign::alRight;
  DefsScroll = MakeControl<TScrollBar>(this, Defs, "DefsScroll", Defs->Width - 18, 1, 16, Defs->Height - 2);
  DefsScroll->Kind = TScrollBarKind::sbVertical;
  DefsScroll->Visible = false;
  CloseButton->Cancel = true;
  CloseButton->ModalResult = mrCancel;
  SearchButton->Default = true;
  int tag = 0;
  for (TSpeedButton* button : {NounButton, VerbButton, AdjButton, AdvButton}) {
    button->Tag = tag++;
    button->AllowAllUp = true;
    button->GroupIndex = 1;
    button->OnClick = [this, button](TObject*) { WordTypeButClick(*button); };
  }
  SearchButton->OnClick = [this](TObject*) { SearchButtonClick(); };
  ViewTabs->OnChange = [this](TObject*) { ViewTabsChange(); };
  Synonyms->OnClick = [this](TObject*) { SynonymsClick(); };
  Synonyms->OnDblClick = [this](TObject*) { SynonymsDblClick(); };
  Synonyms->OnKeyPress = [this](TObject*, char& key) {
    if (key == '\r') {
      SynonymsDblClick();
      key = 0;
    }
  };
  LookupButton->OnClick = [this](TObject*) { LookupButtonClick(); };
  PreviousBut->OnClick = [this](TObject*) { PreviousButClick(); };
  CopyButton->OnClick = [this](TObject*) { CopyButtonClick(); };
  KeyWord->OnChange = [this](TObject*) { SearchButton->Enabled = true; };
  DefsScroll->OnChange = [this](TObject*) { ScrollDefinitions(DefsScroll->Position); };
  OnResize = [this](TObject*) { FormResize(); };
}

TWWForm::TWWForm(TComponent* owner, TWWDatabase& database) : TForm(owner), database_(database) {
  Name = "WWForm";
  Caption = "WordWeb thesaurus/dictionary";
  Position = TPosition::poScreenCenter;
  BorderIcons = biSystemMenu | biMinimize;
  SetBounds(0, 0, 500, 340);
  SetClientWidth(492);
  SetClientHeight(306);
  BuildControls();
  highlight_ = ChooseHighlightColour(ColorToRGB(clHighlight), ColorToRGB(clWindow), ColorToRGB(clWindowText),
                                     ColorToRGB(clHighlightText));
  PreviousBut->Enabled = false;
  CopyButton->Enabled = false;
  LookupButton->Enabled = false;
  SearchButton->Enabled = false;
  ActiveControl = KeyWord;
}

TWWForm::~TWWForm() {
  if (OnGone) OnGone();
}

}  // namespace qm::thesaurus
