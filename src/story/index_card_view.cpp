#include "story/index_card_view.h"

#include <algorithm>
#include <utility>

#include "base/document_table.h"
#include "base/global_state.h"
#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/option_keys.h"
#include "base/prompt_table.h"
#include "platform/messages.h"
#include "platform/printer.h"
#include "printing/print_cards_dialog.h"
#include "script/editing/editor_calls.h"
#include "script/script_window.h"
#include "story/card_printing.h"
#include "story/card_text.h"
#include "story/card_view_undo.h"

namespace qm {

namespace {

TIndexCardView* Shown = nullptr;
const GlobalState reset([] { Shown = nullptr; });

const char* const Section = "Index Cards";
constexpr TColor CardColor = static_cast<TColor>(0xE0F8FF);
constexpr TColor CardTextColor = clBlack;
constexpr TColor PickedColor = static_cast<TColor>(0x800000);
constexpr TColor PickedTextColor = clWhite;
constexpr int CardCounts[] = {4, 6, 9, 12};

int ValidCount(int count) {
  return std::find(std::begin(CardCounts), std::end(CardCounts), count) != std::end(CardCounts) ? count : 9;
}

using CardViewKey = OptionKey<TIndexCardView>;
const CardViewKey LayoutKeys[] = {
    CardViewKey::Number(Section, "Number of Cards", &TIndexCardView::CardCount, 9),
    CardViewKey::Flag(Section, "Orientation", &TIndexCardView::Vertical, false),
};
// Set in the settings file by hand only.
const CardViewKey FontNameKey =
    CardViewKey::NotWritten(CardViewKey::Text(Section, "Font Name", ShownPlace, "Courier New"));

}  // namespace

TIndexCardView* ActiveCardView() { return Shown; }

TIndexCardView::TIndexCardView(TComponent* owner) : TForm(owner) {
  Name = "IndexCardView";
  Caption = "Index Card View";
  KeyPreview = true;
  SetBounds(0, 0, 1000, 700);
  BuildControls();
  WireControls();
}

TIndexCardView::TCardControls& TIndexCardView::ScreenCard(int k) {
  const TPoint cell = CardCell(CardCount, Vertical, k);
  return CardControls[static_cast<std::size_t>(cell.X * 4 + cell.Y)];
}

void TIndexCardView::OnClicks(const char* wideName, const TNotifyEvent& click) {
  for (TControl* c : Twins(wideName)) c->OnClick = click;
}

void TIndexCardView::WireControls() {
  OnResize = [this](TObject*) { LayoutCards(); };
  OnClose = [this](TObject*, TCloseAction& action) { FormClose(action); };
  OnClicks("ExitBtn", [this](TObject*) { ExitBtnClick(); });
  OnClicks("CancelBtn", [this](TObject*) { ModalResult = mrCancel; });
  OnClicks("OutlineMode", [this](TObject*) { ChooseMode(true); });
  OnClicks("ShuffleMode", [this](TObject*) { ChooseMode(false); });
  OnClicks("HorizBtn", [this](TObject*) { SetVertical(false); });
  OnClicks("VerticalBtn", [this](TObject*) { SetVertical(true); });
  const char* counts[] = {"FourCards", "SixCards", "NineCards", "TwelveCards"};
  for (std::size_t i = 0; i < CountBtns.size(); ++i)
    OnClicks(counts[i], [this, i](TObject*) { SetCardCount(CardCounts[i]); });
  OnClicks("PrintBtn", [this](TObject*) { PrintCardsClick(); });
  OnClicks("AddBtn", [this](TObject*) { AddBtnClick(); });
  for (const int direction : {-1, 1}) {
    for (TControl* button : Twins(direction > 0 ? "ScrollDownBtn" : "ScrollUpBtn")) {
      button->OnMouseDown = [this, direction](TObject*, TMouseButton pressed, TShiftState shift, int, int) {
        if (pressed == TMouseButton::mbLeft) ScrollPress(direction, shift);
      };
      button->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { ScrollRelease(); };
      // A click from the keyboard scrolls once; the click of a press's
      // release scrolled at the press.
      button->OnClick = [this, direction](TObject*) {
        if (!std::exchange(scrollPressed_, false)) ScrollCards(direction * ScrollStep(CardCount, Vertical));
      };
    }
  }
  ScrollBtnTimer->OnTimer = [this](TObject*) {
    ScrollBtnTimer->SetInterval(ScrollRepeatRate);
    ScrollCards(scrollStep_);
  };
  CardScroll->OnChange = [this](TObject*) {
    if (!Building && CardScroll->Position != FirstCard) {
      WriteBackNow();
      FirstCard = CardScroll->Position;
      FillCards();
    }
  };
  OnKeyDown = [this](TObject*, Word& key, TShiftState shift) { MainPanelKeyDown(key, shift); };
  const auto wireMouse = [this](TControl* c) {
    c->OnMouseDown = [this, c](TObject*, TMouseButton button, TShiftState shift, int x, int y) {
      MainPanelMouseDown(c, button, shift, x, y);
    };
    c->OnMouseUp = [this, c](TObject*, TMouseButton button, TShiftState shift, int x, int y) {
      MainPanelMouseUp(c, button, shift, x, y);
    };
  };
  wireMouse(MainPanel);
  for (TCardControls& card : CardControls) {
    for (TControl* c : std::initializer_list<TControl*>{card.Card, card.Title, card.Text, card.Number}) wireMouse(c);
    card.Number->OnDblClick = [this, number = card.Number](TObject*) { GoToCard(number); };
    card.Number->Cursor = crGotoSceneArrow;
    const std::size_t cell = static_cast<std::size_t>(&card - CardControls.data());
    const TNotifyEvent typed = [this, cell](TObject*) {
      if (!filling_) changed_[cell] = true;
    };
    card.Text->OnChange = typed;
    card.Title->OnChange = typed;
    card.Text->OnKeyDown = [this, text = card.Text](TObject*, Word& key, TShiftState shift) {
      CardTextKeyDown(*text, key, shift);
    };
  }
}

void TIndexCardView::ReadSettings() {
  TIniFile ini = OpenSettingsFile();
  ReadOptionKeys(ini, *this, LayoutKeys);
  CardCount = ValidCount(CardCount);
  const std::string font = ReadOptionValue<std::string>(ini, FontNameKey);
  for (TCardControls& card : CardControls) {
    card.Text->Font.Name = font;
    card.Title->Font.Name = font;
  }
}

void TIndexCardView::WriteSettings() {
  try {
    TIniFile ini = OpenSettingsFile();
    WriteOptionKeys(ini, *this, LayoutKeys);
  } catch (const EIniFileError& error) {
    ShowMessageBox(error.what(), "Attention");
  }
}

bool TIndexCardView::Created() {
  Building = true;
  ReadSettings();
  const bool loaded = MakeFormActive();
  Building = false;
  if (!loaded) return false;
  const bool narrow = Screen->Width() < 800;
  SpeedPanel480->Visible = narrow;
  SpeedPanel->Visible = !narrow;
  CardScroll->SetParent(&ToolPanel());
  CardScroll->SetBounds(narrow ? 344 : 728, narrow ? 38 : 8, 60, 20);
  SwitchModes(Outline);
  LayoutCards();
  return true;
}

bool TIndexCardView::MakeFormActive() {
  script_ = ActiveScript();
  if (NoActiveDocument() || !script_) return false;
  Selection.Clear();
  Load = LoadCardTable(*script_, Cards, [](const std::string& reason) {
    return AskYesNo("You will not be able to edit the text on the index cards because there is " + reason +
                        " in the script...\r\n\r\nAbort Index Card View and go to that element?",
                    PromptTable(20), false);
  });
  if (!Load.loaded) return false;
  FirstCard = Load.firstCard;
  Outline = Load.editable && !Load.mixedElements;
  PendingShuffles = false;
  Shuffled = false;
  ClickedCard = -1;
  for (TControl* c : Twins("OutlineMode")) c->Enabled = Load.editable;
  OutlineModeItem->Enabled = Load.editable;
  CardScroll->SetParams(FirstCard, 0, std::max(0, Cards.Count() - 1));
  Caption = Vertical ? "Index Card View - Vertical Layout" : "Index Card View - Horizontal Layout";
  return true;
}

void TIndexCardView::FillCard(TCardControls& card, int entry) {
  entry = std::min(entry, MaxCards);
  filling_ = true;
  changed_[static_cast<std::size_t>(&card - CardControls.data())] = false;
  card.Title->ReadOnly = true;
  card.Text->SetReadOnly(true);
  FillFace(card, entry);
  filling_ = false;
}

void TIndexCardView::FillFace(TCardControls& card, int entry) {
  card.Number->Caption = std::string();
  card.Title->Text = std::string();
  card.Text->Clear();
  if (entry < 1 || !Cards[entry].first) {
    // In outline mode a blank card can be written on: it becomes a new scene.
    const bool typable = Outline && Cards.Count() < MaxCards;
    card.Title->ReadOnly = !typable;
    card.Text->SetReadOnly(!typable);
    return;
  }
  const TCardFace face = MakeCardFace(*script_, Cards[entry], Outline);
  card.Number->Caption = face.number;
  card.Title->Text = face.title;
  std::string text;
  std::vector<TTextAttributes> looks;
  CardLooksFromRuns(face.body, face.runs, text, looks);
  card.Text->SetContent(std::move(text), std::move(looks));
  card.Text->SetSelection(0, 0);
  if (Outline && face.tooLong) sceneTooLong_ = true;
  const bool typable = Outline && !face.tooLong;
  card.Title->ReadOnly = !typable;
  card.Text->SetReadOnly(!typable);
  const bool picked = !Outline && Selection.Contains(entry);
  for (TControl* c : std::initializer_list<TControl*>{card.Card, card.Title, card.Number, card.Text}) {
    c->Color = picked ? PickedColor : CardColor;
    c->Font.Color = picked ? PickedTextColor : CardTextColor;
  }
}

void TIndexCardView::FillCards() {
  if (Building || !script_) return;
  sceneTooLong_ = false;
  for (int k = 1; k <= CardCount; ++k) FillCard(ScreenCard(k), FirstCard + k);
  if (sceneTooLong_) {
    LeaveOutlineForLongScene();
    return;
  }
  for (TControl* c : Twins("CancelBtn")) c->Enabled = !Outline;
  CancelShuffleItem->Enabled = !Outline;
  const TNotifyEvent change = CardScroll->OnChange;
  CardScroll->OnChange = nullptr;
  CardScroll->Position = FirstCard;
  CardScroll->OnChange = change;
  ShowCardCursor();
}

int TIndexCardView::CardCursor() const {
  if (PrintPicking) return Selection.Count() == 0 ? crFirstCardToPrint : crLastCardToPrint;
  if (Outline) return crDefault;
  switch (Selection.Count()) {
    case 0: return crGrabbingHand;
    case 1: return crDrag1Card;
    case 2: return crDrag2Cards;
    case 3: return crDrag3Cards;
    default: return crDrag3CardsPlus;
  }
}

void TIndexCardView::ShowCardCursor() {
  const int cursor = CardCursor();
  MainPanel->Cursor = cursor;
  for (TCardControls& card : CardControls)
    for (TControl* c : std::initializer_list<TControl*>{card.Card, card.Title, card.Text}) c->Cursor = cursor;
}

void TIndexCardView::ShowModeControls() {
  for (TControl* c : Twins("OutlineMode")) static_cast<TRadioButton*>(c)->SetChecked(Outline);
  for (TControl* c : Twins("ShuffleMode")) static_cast<TRadioButton*>(c)->SetChecked(!Outline);
  OutlineModeItem->Checked = Outline;
  ShuffleModeItem->Checked = !Outline;
  for (TCardControls& card : CardControls) {
    card.Text->Enabled = Outline;
    card.Title->Enabled = Outline;
    card.Text->SetVerticalScrollBar(Outline);
  }
}

void TIndexCardView::SwitchModes(bool outline) {
  if (outline && !Outline && PendingShuffles && Load.editable) {
    if (AskYesNo("Switching back to Outline Mode will first require that all pending shuffles be processed.\r\n\r\n"
                 "Process these shuffles?",
                 PromptTable(20), false)) {
      ModalResult = mrYes;
      return;
    }
    outline = false;
  }
  if (outline && Load.mixedElements && !Building) {
    if (AskYesNo("Editing a Script in Index Card View when it has elements other than Action and Scene Headings can "
                 "potentially cause formatting changes within the script, and will cause ALL cheating within an "
                 "edited scene to be lost.\r\n\r\nContinue Anyway?",
                 "Warning", false))
      Load.mixedElements = false;
    else outline = false;
  }
  if (!Building) WriteBackNow();
  Outline = outline && Load.editable;
  if (Outline) Selection.Clear();
  ShowModeControls();
  FillCards();
}

// A card cut at the size limit would lose the rest of its scene when
// written back: the cards can no longer be edited.
void TIndexCardView::LeaveOutlineForLongScene() {
  ShowMessageBox("Unable to allow editing because a single scene is larger than 40,000 characters....", "Attention");
  Load.editable = false;
  for (TControl* c : Twins("OutlineMode")) c->Enabled = false;
  OutlineModeItem->Enabled = false;
  SwitchModes(false);
}

void TIndexCardView::ChooseMode(bool outline) {
  if (Building) return;
  if (outline) Selection.Clear();
  SwitchModes(outline);
}

void TIndexCardView::UndoSelections() {
  Selection.Clear();
  FillCards();
}

void TIndexCardView::LayoutCards() {
  TPanel& tools = ToolPanel();
  const int top = tools.Height;
  tools.SetBounds(0, 0, ClientWidth(), top);
  MainPanel->SetBounds(0, top, ClientWidth(), std::max(0, ClientHeight() - top));
  const int columns = CardColumns(CardCount), rows = CardRows(CardCount);
  const int w = MainPanel->Width / columns, h = MainPanel->Height / rows;
  for (int column = 0; column < 3; ++column)
    for (int row = 0; row < 4; ++row) {
      TCardControls& card = CardControls[static_cast<std::size_t>(column * 4 + row)];
      const bool shown = column < columns && row < rows;
      card.Card->Visible = shown;
      if (!shown) continue;
      card.Card->SetBounds(column * w, row * h, w - 2, h - 2);
      card.Title->SetBounds(4, 4, std::max(10, w - 66), 22);
      card.Number->SetBounds(std::max(14, w - 58), 4, 50, 22);
      card.Text->SetBounds(4, 30, std::max(10, w - 10), std::max(10, h - 36));
    }
  FillCards();
}

int TIndexCardView::GetCard(int x, int y) const {
  const int w = MainPanel->Width / CardColumns(CardCount), h = MainPanel->Height / CardRows(CardCount);
  if (x < 0 || y < 0 || w <= 0 || h <= 0) return 0;
  return CardAtCell(CardCount, Vertical, x / w, y / h);
}

void TIndexCardView::ScrollCards(int cards) {
  int first = FirstCard + cards;
  const int count = Cards.Count();
  // In shuffle mode nothing moves down when no card follows the last one
  // shown; outline mode goes on until the last card is the first shown.
  if (cards > 0 && !Outline && FirstCard + CardCount >= count) return;
  first = std::clamp(first, 0, std::max(0, count - 1));
  if (first == FirstCard) return;
  WriteBackNow();
  FirstCard = first;
  FillCards();
}

void TIndexCardView::PrintCardsClick() {
  if (Printer()->Printing()) {
    ShowMessageBox("Unable to print the Index Cards until the printer is free.", "Printer is already printing...");
    return;
  }
  if (!script_ || Cards.Count() == 0) {
    MessageBeep(0);
    return;
  }
  TPrintCardsDlg dialog(this);
  dialog.DefaultBox->SetChecked(true);
  const TModalResult result = dialog.ShowModal();
  if (result == mrCancel || result == mrNone) return;
  // A font size out of range is refused rather than printed.
  if (!dialog.ReadFont()) return;
  printLayout_ = dialog.Layout();
  if (dialog.DefaultBox->Checked()) dialog.SaveLayout();
  WriteBackNow();
  Selection.Clear();
  if (result == TPrintCardsDlg::mrPickRange) {
    // The next two cards clicked are the first and last to print.
    PrintPicking = true;
    FillCards();
    return;
  }
  Selection.Slots[0] = 1;
  Selection.Slots[1] = static_cast<Word>(Cards.Count());
  PrintCardsNow();
}

void TIndexCardView::AddBtnClick() {
  int focused = 0;
  for (int k = 1; k <= CardCount && focused == 0; ++k) {
    const TCardControls& card = ScreenCard(k);
    if (FocusedControl() && (FocusedControl() == card.Title || FocusedControl() == card.Text)) focused = k;
  }
  if (!script_ || !AskYesNo("Add a new Card?", PromptTable(20), true)) return;
  WriteBackNow();
  if (!AddCard(*script_, Cards, std::min(FirstCard + focused, MaxCards))) return;
  CardScroll->SetParams(FirstCard, 0, std::max(0, Cards.Count() - 1));
  FillCards();
}

void TIndexCardView::PrintCardsNow() {
  PrintCards(*script_, Cards, Selection.Slots[0], Selection.Slots[1], printLayout_, Vertical);
  Selection.Clear();
  PrintPicking = false;
  FillCards();
}

void TIndexCardView::WriteBackNow() {
  if (!script_ || !Outline || Building || ActiveScript() != script_) return;
  const int counted = Cards.Count();
  for (int k = 1; k <= CardCount; ++k) {
    const TPoint cell = CardCell(CardCount, Vertical, k);
    const std::size_t index = static_cast<std::size_t>(cell.X * 4 + cell.Y);
    if (!changed_[index] || FirstCard + k > MaxCards) continue;
    changed_[index] = false;
    const TCardControls& card = CardControls[index];
    WriteBackCard(*script_, Cards, FirstCard + k, card.Title->Text,
                  CardBodyFromLooks(card.Text->Text(), card.Text->Attributes()));
  }
  // A blank card written on added a scene; the bar keeps where it is.
  if (Cards.Count() != counted) CardScroll->SetParams(CardScroll->Position, 0, std::max(0, Cards.Count() - 1));
}

void TIndexCardView::SetCardCount(int count) {
  WriteBackNow();
  CardCount = ValidCount(count);
  LayoutCards();
}

void TIndexCardView::SetVertical(bool vertical) {
  WriteBackNow();
  Vertical = vertical;
  Caption = Vertical ? "Index Card View - Vertical Layout" : "Index Card View - Horizontal Layout";
  FillCards();
}

bool TIndexCardView::SetShuffle(int position) {
  if (position == 0) return false;
  const TPickResult result = PickCard(Selection, Cards, FirstCard + position, PrintPicking);
  if (result == TPickResult::Picked || result == TPickResult::Dropped) FillCards();
  return result == TPickResult::Picked || result == TPickResult::Dropped;
}

bool TIndexCardView::ShuffleCards(int position) {
  if (PrintPicking || Selection.Count() == 0) return false;
  bool moved = false;
  if (!DropCards(Cards, Selection, FirstCard + position, &moved)) return false;
  if (moved) Shuffled = PendingShuffles = true;
  FillCards();
  return true;
}

TPoint TIndexCardView::PanelPoint(TControl* from, int x, int y) const {
  return MainPanel->ScreenToClient(from->ClientToScreen(TPoint{x, y}));
}

void TIndexCardView::MainPanelMouseDown(TControl* from, TMouseButton button, TShiftState shift, int x, int y) {
  if (button != TMouseButton::mbLeft || from == nullptr) return;
  const TPoint at = PanelPoint(from, x, y);
  const int position = GetCard(at.X, at.Y);
  if (PrintPicking) {
    if (SetShuffle(position) && Selection.Count() == 2) PrintCardsNow();
    return;
  }
  if (Outline || Load.noShuffling) return;
  // A press on a picked card drops the pick on itself: it moves nothing
  // and puts the whole pick down.
  if (Selection.Count() > 0 && !PrintPicking && !shift.Contains(ssShift)) {
    if (!ShuffleCards(position)) MessageBeep(0);
    return;
  }
  SetShuffle(position);
}

// Let go over a card not picked: the picked cards drop there, so that a
// card pressed on and let go over another moves in front of it.
void TIndexCardView::MainPanelMouseUp(TControl* from, TMouseButton button, TShiftState shift, int x, int y) {
  if (button != TMouseButton::mbLeft || from == nullptr || Outline || Load.noShuffling || PrintPicking) return;
  if (shift.Contains(ssShift) || Selection.Count() == 0) return;
  const TPoint at = PanelPoint(from, x, y);
  const int position = GetCard(at.X, at.Y);
  if (position == 0 || IsShuffledCard(FirstCard + position)) return;
  if (!ShuffleCards(position)) MessageBeep(0);
}

void TIndexCardView::ScrollPress(int direction, TShiftState shift) {
  scrollPressed_ = true;
  scrollStep_ = direction * (shift.Contains(ssAlt) ? 1 : ScrollStep(CardCount, Vertical));
  ScrollCards(scrollStep_);
  ScrollBtnTimer->SetInterval(ScrollRepeatDelay);
  ScrollBtnTimer->SetEnabled(true);
}

void TIndexCardView::ScrollRelease() {
  ScrollBtnTimer->SetEnabled(false);
  ScrollBtnTimer->SetInterval(ScrollRepeatDelay);
}

bool TIndexCardView::CardTyping() {
  TWinControl* focused = FocusedControl();
  if (!focused) return false;
  return std::any_of(CardControls.begin(), CardControls.end(),
                     [focused](const TCardControls& card) { return focused == card.Text || focused == card.Title; });
}

void TIndexCardView::CardTextKeyDown(TRichEdit& text, Word& key, TShiftState shift) {
  if (!shift.Contains(ssCtrl) || text.ReadOnly()) return;
  if (shift.Contains(ssAlt)) {
    // Hidden text is grey; plain text takes the card's own colour.
    if (key == 'X') text.SetSelAttributes({0, HiddenTextColor});
    else if (key == 'Y') text.SetSelAttributes({});
    else return;
  } else if (key == 'B') {
    text.ToggleSelStyle(fsBold);
  } else if (key == 'I' || key == 'Y') {
    text.ToggleSelStyle(fsItalic);
  } else if (key == 'U') {
    text.ToggleSelStyle(fsUnderline);
  } else {
    return;
  }
  key = 0;
}

void TIndexCardView::MainPanelKeyDown(Word& key, TShiftState) {
  // The arrows and page keys move the caret while a card is being typed in.
  if (key != VK_ESCAPE && CardTyping()) return;
  const int step = ScrollStep(CardCount, Vertical);
  const int pageSteps = CardCount == 4 ? 2 : CardCount == 12 ? 4 : 3;
  switch (key) {
    case VK_UP: ScrollCards(-step); break;
    case VK_DOWN: ScrollCards(step); break;
    case VK_LEFT:
      if (FirstCard == 0) MessageBeep(0);
      else ScrollCards(-1);
      break;
    case VK_RIGHT:
      if (!Outline && FirstCard + CardCount >= Cards.Count()) MessageBeep(0);
      else ScrollCards(1);
      break;
    case VK_PRIOR:
      if (!Outline) ScrollCards(-step * pageSteps);
      break;
    case VK_NEXT:
      if (!Outline) ScrollCards(step * pageSteps);
      break;
    case VK_ESCAPE: ModalResult = mrCancel; break;
    default: return;
  }
  key = 0;
}

void TIndexCardView::GoToCard(TControl* from) {
  const TPoint at = MainPanel->ScreenToClient(from->ClientToScreen(TPoint{1, 1}));
  const int position = GetCard(at.X, at.Y);
  if (position == 0 || !Cards[std::min(FirstCard + position, MaxCards)].first) return;
  ClickedCard = position - 1;
  ModalResult = mrOk;
}

void TIndexCardView::ExitBtnClick() {
  if (!Load.noShuffling && Shuffled && (script_->ScenesLocked || script_->PagesLocked) &&
      !AskTypeYes("Shuffling Scenes in a PRODUCTION SCRIPT will result in Scenes and Pages begin moved WITHOUT "
                  "changing them to A-Pages or A-Scenes!\r\n\r\nAre you SURE this is what you want!",
                  "Attention"))
    return;
  for (int k = 1; k <= CardCount; ++k) {
    const TCardControls& card = ScreenCard(k);
    TWinControl* focused = FocusedControl();
    if (focused && (focused == card.Title || focused == card.Text) && Cards[std::min(FirstCard + k, MaxCards)].first) {
      ClickedCard = k - 1;
      break;
    }
  }
  ModalResult = Load.noShuffling ? mrCancel : mrOk;
}

void TIndexCardView::FormClose(TCloseAction& action) {
  // The cards being printed are read from this view's table.
  if (Printer()->Printing()) {
    action = TCloseAction::caNone;
    return;
  }
  WriteSettings();
  if (!script_ || ActiveScript() != script_) return;
  WriteBackNow();
  const int clicked = ClickedCard >= 0 ? FirstCard + 1 + ClickedCard : 0;
  const bool apply = ModalResult == mrOk || ModalResult == mrYes;
  if (apply && Shuffled && !Load.noShuffling) {
    ApplyCardOrder(*script_, Cards, clicked);
    Shuffled = false;
  } else if (apply && clicked > 0 && clicked <= Cards.Count()) {
    editor::MoveCaretTo(*script_, *Cards[clicked].first);
  }
  // Cards emptied in outline mode leave empty elements behind.
  if (Outline) RemoveEmptyElements(*script_);
}

void ShowIndexCardView() {
  if (NoActiveDocument()) return;
  TIndexCardView view(Application);
  const TCardViewUndoStep oneStep;
  Shown = &view;
  for (;;) {
    if (!view.Created()) {
      if (TMDIChild* script = ActiveScript(); script && view.StopAt()) editor::MoveCaretTo(*script, *view.StopAt());
      break;
    }
    const int height = DocumentFrame ? DocumentFrame->Height - 6 : Screen->Height() - 6;
    view.SetBounds(0, 0, Screen->Width() - 1, height);
    if (view.ShowModal() != mrYes) break;
  }
  Shown = nullptr;
  // The cards were read with the edit line stored; the writer goes on
  // typing in it where the caret stood.
  if (TMDIChild* script = ActiveScript()) {
    editor::DisAssemble(*script);
    editor::RedisplayScreen(*script);
  }
}

}  // namespace qm
