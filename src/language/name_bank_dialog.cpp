// The name bank window's form: the four tabbed pages and the row that
// composes and types the name.
#include "language/name_bank.h"
#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

constexpr const char* ListNames[] = {"Male", "Female", "Family"};
constexpr const char* FavoriteNames[] = {"FavoriteMen", "FavoriteWomen", "FavoriteFamily"};
constexpr const char* PersonalNames[] = {"PMen", "PWomen", "PFamily"};
constexpr const char* PersonalCaptions[] = {"Male Names", "Female Names", "Family Names"};
constexpr const char* PageCaptions[] = {"   Male Names   ", "   Female Names   ", "   Family Names   "};

std::vector<std::string> Letters() {
  std::vector<std::string> letters;
  for (char c = 'A'; c <= 'Z'; ++c) letters.emplace_back(1, c);
  return letters;
}

TDialogTable NameBankTable() {
  TDialogTable table = {
      {PageControl, "Notebook", "", {8, 8, 544, 356}},
      {Page, "PersonalPage", "  Personal Lists  ", {}, "Notebook"},
  };
  for (int i = 0; i < 3; ++i) {
    const std::string list = ListNames[i];
    table.push_back({Page, list + "Page", PageCaptions[i], {}, "Notebook"});
    table.push_back({ListBox, list + "Index", "", {8, 8, 36, 308}, list + "Page", Letters()});
    table.push_back({ListBox, list + "Names", "", {50, 8, 180, 308}, list + "Page"});
    table.push_back({Label, list + "MatchLabel", "Find Name:", {240, 8, 0, 0}, list + "Page"});
    table.push_back({Edit, list + "Match", "", {240, 26, 170, 22}, list + "Page"});
    table.push_back({Label, list + "FavoritesLabel", "Personal Favorites:", {240, 58, 0, 0}, list + "Page"});
    table.push_back({ListBox, FavoriteNames[i], "", {240, 76, 284, 170}, list + "Page"});
    table.push_back({Label,
                     list + "Hint",
                     "Using the mouse, DRAG Names from the MAIN List on the left over to your PERSONAL LISTS for "
                     "faster access to names that you like...",
                     {240, 254, 284, 60},
                     list + "Page"});
  }
  for (int i = 0; i < 3; ++i) {
    table.push_back(
        {Label, std::string(PersonalNames[i]) + "Label", PersonalCaptions[i], {8 + 176 * i, 8, 0, 0}, "PersonalPage"});
    table.push_back({ListBox, PersonalNames[i], "", {8 + 176 * i, 26, 168, 256}, "PersonalPage"});
  }
  table.push_back({Button, "Button1", "Clear Out All Personal Lists", {8, 290, 220, 26}, "PersonalPage"});
  const TDialogTable rest = {
      {Label, "InsertNameLabel", "Name to Insert:", {8, 376, 0, 0}},
      {ComboBox, "InsertName", "", {110, 372, 250, 22}},
      {CheckBox, "BoldName", "Insert Name in &BOLD", {8, 402, 200, 20}},
      {CheckBox, "CapTheName", "Insert Name in &All CAPS", {216, 402, 200, 20}},
      {Button, "TypeName", "&Insert Name as Text", {8, 430, 160, 26}},
      {CancelButton, "CloseBtn", "&Close", {384, 430, 80, 26}},
      {HelpButton, "HelpBtn", "", {472, 430, 80, 26}},
  };
  table.insert(table.end(), rest.begin(), rest.end());
  return table;
}

}  // namespace

void TReadNameBank::BuildControls() {
  Name = "ReadNameBank";
  Caption = "Quillmaster Name Bank";
  SetClientWidth(560);
  SetClientHeight(466);
  BuildDialog(*this, NameBankTable());
  Notebook = DialogControl<TPageControl>(*this, "Notebook");
  for (std::size_t i = 0; i < 3; ++i) {
    const std::string list = ListNames[i];
    LetterIndex[i] = DialogControl<TListBox>(*this, list + "Index");
    Names[i] = DialogControl<TListBox>(*this, list + "Names");
    Match[i] = DialogControl<TEdit>(*this, list + "Match");
    Favorites[i] = DialogControl<TListBox>(*this, FavoriteNames[i]);
    DragHint[i] = DialogControl<TLabel>(*this, list + "Hint");
    DragHint[i]->WordWrap = true;
    DragHint[i]->AutoSize = false;
    Personal[i] = DialogControl<TListBox>(*this, PersonalNames[i]);
  }
  Button1 = DialogControl<TButton>(*this, "Button1");
  InsertName = DialogControl<TComboBox>(*this, "InsertName");
  BoldName = DialogControl<TCheckBox>(*this, "BoldName");
  CapTheName = DialogControl<TCheckBox>(*this, "CapTheName");
  TypeName = DialogControl<TButton>(*this, "TypeName");
  CloseBtn = DialogControl<TButton>(*this, "CloseBtn");
  HelpBtn = DialogControl<TButton>(*this, "HelpBtn");
}

}  // namespace qm
