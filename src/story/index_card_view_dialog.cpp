// The index card view's form: the tool panel across the top and the
// twelve card controls on the main panel, named by grid place.
#include "platform/dialog_builder.h"
#include "story/index_card_view.h"

namespace qm {

namespace {

using enum TDialogItemKind;

constexpr const char* ColumnNames[] = {"Left", "Middle", "Right"};
constexpr const char* RowNames[] = {"Top", "Middle", "Middle2", "Bottom"};

std::string CardName(int column, int row) { return std::string(ColumnNames[column]) + RowNames[row]; }

TDialogTable ToolTable() {
  TDialogTable table = {
      {Panel, "SpeedPanel", "", {0, 0, 1000, 36}},
      {Button, "ExitBtn", "E&xit", {4, 5, 48, 26}, "SpeedPanel"},
      {Button, "CancelBtn", "&Cancel", {56, 5, 56, 26}, "SpeedPanel"},
      {Panel, "ModePanel", "", {116, 3, 150, 30}, "SpeedPanel"},
      {RadioButton, "OutlineMode", "&Outline", {2, 5, 70, 20}, "ModePanel"},
      {RadioButton, "ShuffleMode", "Shu&ffle", {76, 5, 70, 20}, "ModePanel"},
      {Button, "HorizBtn", "&Horiz", {270, 5, 50, 26}, "SpeedPanel"},
      {Button, "VerticalBtn", "&Vertical", {324, 5, 60, 26}, "SpeedPanel"},
      {Button, "FourCards", "&4", {388, 5, 28, 26}, "SpeedPanel"},
      {Button, "SixCards", "&6", {418, 5, 28, 26}, "SpeedPanel"},
      {Button, "NineCards", "&9", {448, 5, 28, 26}, "SpeedPanel"},
      {Button, "TwelveCards", "&12", {478, 5, 32, 26}, "SpeedPanel"},
      {Button, "PrintBtn", "&Print", {516, 5, 46, 26}, "SpeedPanel"},
      {Button, "AddBtn", "&Add", {566, 5, 40, 26}, "SpeedPanel"},
      {Button, "ScrollUpBtn", " Scroll", {610, 5, 54, 26}, "SpeedPanel"},
      {Button, "ScrollDownBtn", " Scroll", {668, 5, 54, 26}, "SpeedPanel"},
      {Panel, "MainPanel", "", {0, 36, 1000, 600}},
  };
  for (int column = 0; column < 3; ++column)
    for (int row = 0; row < 4; ++row) {
      const std::string name = CardName(column, row);
      table.push_back({Panel, name + "Card", "", {0, 0, 200, 150}, "MainPanel"});
      table.push_back({EnterEdit, name + "TItle", "", {4, 4, 140, 22}, name + "Card"});
      table.push_back({Panel, name + "Number", "101A", {148, 4, 48, 22}, name + "Card"});
      table.push_back({RichEdit, name + "Text", "", {4, 30, 192, 116}, name + "Card"});
    }
  return table;
}

}  // namespace

void TIndexCardView::BuildControls() {
  BuildDialog(*this, ToolTable());
  SpeedPanel = DialogControl<TPanel>(*this, "SpeedPanel");
  MainPanel = DialogControl<TPanel>(*this, "MainPanel");
  ExitBtn = DialogControl<TButton>(*this, "ExitBtn");
  CancelBtn = DialogControl<TButton>(*this, "CancelBtn");
  OutlineMode = DialogControl<TRadioButton>(*this, "OutlineMode");
  ShuffleMode = DialogControl<TRadioButton>(*this, "ShuffleMode");
  HorizBtn = DialogControl<TButton>(*this, "HorizBtn");
  VerticalBtn = DialogControl<TButton>(*this, "VerticalBtn");
  ScrollUpBtn = DialogControl<TButton>(*this, "ScrollUpBtn");
  ScrollDownBtn = DialogControl<TButton>(*this, "ScrollDownBtn");
  const char* counts[] = {"FourCards", "SixCards", "NineCards", "TwelveCards"};
  for (std::size_t i = 0; i < CountBtns.size(); ++i) CountBtns[i] = DialogControl<TButton>(*this, counts[i]);
  for (int column = 0; column < 3; ++column)
    for (int row = 0; row < 4; ++row) {
      const std::string name = CardName(column, row);
      TCardControls& card = CardControls[static_cast<std::size_t>(column * 4 + row)];
      card.Card = DialogControl<TPanel>(*this, name + "Card");
      card.Title = DialogControl<TEnterEdit>(*this, name + "TItle");
      card.Number = DialogControl<TPanel>(*this, name + "Number");
      card.Text = DialogControl<TRichEdit>(*this, name + "Text");
    }
  AddBtn = DialogControl<TButton>(*this, "AddBtn");
  PrintBtn = DialogControl<TButton>(*this, "PrintBtn");
  CardScroll = new TScrollBar(this);
  CardScroll->Name = "CardScroll";
  CardScroll->SetParent(SpeedPanel);
  CardScroll->SetBounds(728, 8, 60, 20);
}

}  // namespace qm
