// The index card view's form: a tool panel across the top (a wide one, and
// a narrow one in two rows for screens under 800 pixels) and the twelve
// card controls on the main panel, named by grid place.
#include "platform/dialog_builder.h"
#include "story/index_card_view.h"

namespace qm {

namespace {

using enum TDialogItemKind;

constexpr const char* ColumnNames[] = {"Left", "Middle", "Right"};
constexpr const char* RowNames[] = {"Top", "Middle", "Middle2", "Bottom"};

std::string CardName(int column, int row) { return std::string(ColumnNames[column]) + RowNames[row]; }

// The tool buttons of each panel by their names there: the wide panel's
// names first, then the narrow panel's twins.
struct TToolButton {
  TDialogItemKind kind;
  const char* wide;
  const char* narrow;
  const char* caption;
  TPlace wideBounds;
  TPlace narrowBounds;
  bool inModePanel;
};

constexpr TToolButton ToolButtons[] = {
    {Button, "ExitBtn", "Exit2Btn", "E&xit", {4, 5, 48, 26}, {4, 4, 48, 26}, false},
    {Button, "CancelBtn", "SpeedButton4", "&Cancel", {56, 5, 56, 26}, {56, 4, 56, 26}, false},
    {RadioButton, "OutlineMode", "OutlineMode2", "&Outline", {2, 5, 70, 20}, {2, 5, 70, 20}, true},
    {RadioButton, "ShuffleMode", "ShuffleMode2", "Shu&ffle", {76, 5, 70, 20}, {76, 5, 70, 20}, true},
    {Button, "HorizBtn", "HorizBtn2", "&Horiz", {270, 5, 50, 26}, {270, 4, 50, 26}, false},
    {Button, "VerticalBtn", "Verticalbtn2", "&Vertical", {324, 5, 60, 26}, {324, 4, 60, 26}, false},
    {Button, "FourCards", "FourCards2", "&4", {388, 5, 28, 26}, {4, 34, 28, 26}, false},
    {Button, "SixCards", "SixCards2", "&6", {418, 5, 28, 26}, {34, 34, 28, 26}, false},
    {Button, "NineCards", "NineCards2", "&9", {448, 5, 28, 26}, {64, 34, 28, 26}, false},
    {Button, "TwelveCards", "TwelveCards2", "&12", {478, 5, 32, 26}, {94, 34, 32, 26}, false},
    {Button, "PrintBtn", "SpeedButton7", "&Print", {516, 5, 46, 26}, {132, 34, 46, 26}, false},
    {Button, "AddBtn", "BetterPanel1", "&Add", {566, 5, 40, 26}, {182, 34, 40, 26}, false},
    {Button, "ScrollUpBtn", "ScrollUpBtn2", " Scroll", {610, 5, 54, 26}, {226, 34, 54, 26}, false},
    {Button, "ScrollDownBtn", "ScrollDownBtn2", " Scroll", {668, 5, 54, 26}, {284, 34, 54, 26}, false},
};

void AddToolPanel(TDialogTable& table, bool narrow) {
  const std::string panel = narrow ? "SpeedPanel480" : "SpeedPanel";
  const std::string modePanel = narrow ? "ModePanel2" : "ModePanel";
  table.push_back({Panel, panel, "", {0, 0, narrow ? 620 : 1000, narrow ? 64 : 36}});
  table.push_back({Panel, modePanel, "", {116, 3, 150, 30}, panel});
  for (const TToolButton& b : ToolButtons)
    table.push_back({b.kind, narrow ? b.narrow : b.wide, b.caption, narrow ? b.narrowBounds : b.wideBounds,
                     b.inModePanel ? modePanel : panel});
}

TDialogTable ViewTable() {
  TDialogTable table;
  AddToolPanel(table, false);
  AddToolPanel(table, true);
  table.push_back({Panel, "MainPanel", "", {0, 36, 1000, 600}});
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

std::vector<TControl*> TIndexCardView::Twins(const char* wideName) {
  for (const TToolButton& b : ToolButtons)
    if (std::string(b.wide) == wideName)
      return {DialogControl<TControl>(*this, b.wide), DialogControl<TControl>(*this, b.narrow)};
  return {};
}

void TIndexCardView::BuildControls() {
  BuildDialog(*this, ViewTable());
  SpeedPanel = DialogControl<TPanel>(*this, "SpeedPanel");
  SpeedPanel480 = DialogControl<TPanel>(*this, "SpeedPanel480");
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
  ScrollBtnTimer = new TTimer(this);
  ScrollBtnTimer->SetEnabled(false);
  ScrollBtnTimer->SetInterval(ScrollRepeatDelay);
  BuildMenu();
}

void TIndexCardView::BuildMenu() {
  Menu = new TMainMenu(this);
  TMenuItem* cards = Menu->Items()->AddItem("&Cards", {}, 0, "CardsMenu");
  const auto item = [&](const char* caption, const char* name, TShortCut key, TNotifyEvent click) {
    return cards->AddItem(caption, std::move(click), key, name);
  };
  item("Exit", "ExitItem", ShortCut(VK_F4, TShiftState{ssCtrl}), [this](TObject*) { ExitBtnClick(); });
  CancelShuffleItem = item("Cancel Shuffle", "CancelShuffleItem", ShortCut(VK_ESCAPE, {}),
                           [this](TObject*) { ModalResult = mrCancel; });
  cards->AddItem("-");
  OutlineModeItem = item("Outline Mode", "OutlineModeItem", ShortCut('0', TShiftState{ssAlt}),
                         [this](TObject*) { ChooseMode(true); });
  ShuffleModeItem = item("Shuffle Mode", "ShuffleModeItem", ShortCut('F', TShiftState{ssAlt}),
                         [this](TObject*) { ChooseMode(false); });
  cards->AddItem("-");
  item("Horizontal View", "HorizontalViewItem", 0, [this](TObject*) { SetVertical(false); });
  item("Vertical View", "VerticalViewItem", 0, [this](TObject*) { SetVertical(true); });
  item("&Undo Selections", "UndoSelectionsItem", 0, [this](TObject*) { UndoSelections(); });
  item("&Print Cards", "PrintCardsItem", 0, [this](TObject*) { PrintCardsClick(); });
}

}  // namespace qm
