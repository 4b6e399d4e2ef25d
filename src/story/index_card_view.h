// The index card view: a modal window over the active script showing its
// scenes as 4, 6, 9 or 12 cards a screen. In outline mode the cards are
// read as the script's text; in shuffle mode cards are picked with the
// mouse and dropped in front of another card, and the new scene order is
// given to the script when the view closes with Exit.
#pragma once

#include <array>
#include <vector>
#include <string>

#include "platform/enter_controls.h"
#include "platform/forms.h"
#include "platform/menus.h"
#include "platform/rich_edit.h"
#include "story/card_printing.h"
#include "story/card_shuffle.h"
#include "story/index_cards.h"

namespace qm {

class TMDIChild;

// The program's own cursors over the cards: how many cards are picked,
// nothing picked, the ends of a print range, going to a scene.
enum : int {
  crDrag1Card = 1,
  crDrag2Cards = 2,
  crDrag3Cards = 3,
  crDrag3CardsPlus = 4,
  crGrabbingHand = 6,
  crFirstCardToPrint = 9,
  crLastCardToPrint = 10,
  crGotoSceneArrow = 11,
};

class TIndexCardView : public TForm {
 public:
  explicit TIndexCardView(TComponent* owner);

  // Loads the cards and sets the view up; false when the view is not to be
  // shown (no script, or the writer chose to go to an element instead).
  bool Created();
  bool MakeFormActive();
  void FillCards();
  void SwitchModes(bool outline);
  // The mode buttons and menu items: unless building, outline clears the
  // selection first.
  void ChooseMode(bool outline);
  // The screen card (1..card count) under a point of the main panel, 0
  // outside.
  int GetCard(int x, int y) const;
  bool IsShuffledCard(int card) const { return Selection.Contains(card); }
  bool SetShuffle(int position);
  bool ShuffleCards(int position);
  // "Undo Selections": nothing picked.
  void UndoSelections();
  // Moves the first card shown by a number of cards (kept in range).
  void ScrollCards(int cards);
  void SetCardCount(int count);
  void SetVertical(bool vertical);
  // The card print layout dialog: all cards, or a range picked next.
  void PrintCardsClick();
  // Prints the cards from selection slot 1 to slot 2.
  void PrintCardsNow();
  // Asks, then adds an empty card after the focused one (or in front of
  // the first shown).
  void AddBtnClick();
  // Gives the script the texts of the cards edited on screen.
  void WriteBackNow();
  // The element loading stopped at, for the caller to go to.
  TScriptElement* StopAt() const { return Load.stopAt; }

  // ---- State ----
  TCardTable Cards;
  TCardSelection Selection;
  TCardLoad Load;
  bool Building = false;
  bool PendingShuffles = false;
  bool Shuffled = false;
  bool Outline = false;
  bool Vertical = false;
  bool PrintPicking = false;
  int CardCount = 9;
  int FirstCard = 0;
  int ClickedCard = -1;  // 0-based from the first card shown; -1 none

  // ---- Controls ----
  struct TCardControls {
    TPanel* Card = nullptr;
    TEnterEdit* Title = nullptr;
    TPanel* Number = nullptr;
    TRichEdit* Text = nullptr;
  };
  // By grid cell: column * 4 + row.
  std::array<TCardControls, 12> CardControls{};
  TPanel* SpeedPanel = nullptr;
  // The tool panel of screens under 800 pixels: the same buttons in two
  // rows, the twins of SpeedPanel's.
  TPanel* SpeedPanel480 = nullptr;
  TPanel* MainPanel = nullptr;
  TScrollBar* CardScroll = nullptr;
  TButton* ExitBtn = nullptr;
  TButton* CancelBtn = nullptr;
  TRadioButton* OutlineMode = nullptr;
  TRadioButton* ShuffleMode = nullptr;
  TButton* HorizBtn = nullptr;
  TButton* VerticalBtn = nullptr;
  TButton* PrintBtn = nullptr;
  TButton* AddBtn = nullptr;
  TButton* ScrollUpBtn = nullptr;
  TButton* ScrollDownBtn = nullptr;
  std::array<TButton*, 4> CountBtns{};  // 4, 6, 9, 12
  // A held scroll button repeats: first after the delay, then at the rate.
  static constexpr int ScrollRepeatDelay = 300;
  static constexpr int ScrollRepeatRate = 50;
  TTimer* ScrollBtnTimer = nullptr;
  TMenuItem* OutlineModeItem = nullptr;
  TMenuItem* ShuffleModeItem = nullptr;
  TMenuItem* CancelShuffleItem = nullptr;

  // The controls of screen card k (1..card count).
  TCardControls& ScreenCard(int k);
  void LayoutCards();
  // The tool panel shown.
  TPanel& ToolPanel() const { return SpeedPanel480->Visible ? *SpeedPanel480 : *SpeedPanel; }

 private:
  void BuildControls();
  void BuildMenu();
  void WireControls();
  // A wide tool panel control and its twin on the narrow panel.
  std::vector<TControl*> Twins(const char* wideName);
  void OnClicks(const char* wideName, const TNotifyEvent& click);
  // The cursor the cards show: the mode's, or how many cards are picked.
  int CardCursor() const;
  void ShowCardCursor();
  // A point of a control that took a mouse event, on the main panel.
  TPoint PanelPoint(TControl* from, int x, int y) const;
  void ScrollPress(int direction, TShiftState shift);
  void ScrollRelease();
  void FillCard(TCardControls& card, int entry);
  void FillFace(TCardControls& card, int entry);
  void ShowModeControls();
  void LeaveOutlineForLongScene();
  void MainPanelMouseDown(TControl* from, TMouseButton button, TShiftState shift, int x, int y);
  void MainPanelMouseUp(TControl* from, TMouseButton button, TShiftState shift, int x, int y);
  void MainPanelKeyDown(Word& key, TShiftState shift);
  // The style keys of a card's text.
  void CardTextKeyDown(TRichEdit& text, Word& key, TShiftState shift);
  // A card's text or title has the keyboard.
  bool CardTyping();
  void GoToCard(TControl* from);
  void ExitBtnClick();
  void FormClose(TCloseAction& action);
  void ReadSettings();
  void WriteSettings();
  TMDIChild* script_ = nullptr;
  // By grid cell: the card's text or title was typed in since it was filled.
  std::array<bool, 12> changed_{};
  bool filling_ = false;
  // A card filled in outline mode was cut at the size limit.
  bool sceneTooLong_ = false;
  // The scroll step of the press being repeated (cards, signed).
  int scrollStep_ = 0;
  // A press scrolled already: the click of its release does not.
  bool scrollPressed_ = false;
  TCardPrintLayout printLayout_;
};

// The menu command: the view over the active script, built again after a
// close that asks for it; then the script window brought up to date.
void ShowIndexCardView();
// The view while it is shown (tests and the desktop driver reach it here).
TIndexCardView* ActiveCardView();

}  // namespace qm
