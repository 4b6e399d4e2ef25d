// The index card view: a modal window over the active script showing its
// scenes as 4, 6, 9 or 12 cards a screen. In outline mode the cards are
// read as the script's text; in shuffle mode cards are picked with the
// mouse and dropped in front of another card, and the new scene order is
// given to the script when the view closes with Exit.
#pragma once

#include <array>
#include <string>

#include "platform/enter_controls.h"
#include "platform/forms.h"
#include "platform/rich_edit.h"
#include "story/card_printing.h"
#include "story/card_shuffle.h"
#include "story/index_cards.h"

namespace qm {

class TMDIChild;

class TIndexCardView : public TForm {
 public:
  explicit TIndexCardView(TComponent* owner);

  // Loads the cards and sets the view up; false when the view is not to be
  // shown (no script, or the writer chose to go to an element instead).
  bool Created();
  bool MakeFormActive();
  void FillCards();
  void SwitchModes(bool outline);
  // The screen card (1..card count) under a point of the main panel, 0
  // outside.
  int GetCard(int x, int y) const;
  bool IsShuffledCard(int card) const { return Selection.Contains(card); }
  bool SetShuffle(int position);
  bool ShuffleCards(int position);
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

  // The controls of screen card k (1..card count).
  TCardControls& ScreenCard(int k);
  void LayoutCards();

 private:
  void BuildControls();
  void WireControls();
  void FillCard(TCardControls& card, int entry);
  void FillFace(TCardControls& card, int entry);
  void ShowModeControls();
  void MainPanelMouseDown(TControl* from, TMouseButton button, TShiftState shift, int x, int y);
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
  TCardPrintLayout printLayout_;
};

// The menu command: the view over the active script, built again after a
// close that asks for it; then the script window brought up to date.
void ShowIndexCardView();
// The view while it is shown (tests and the desktop driver reach it here).
TIndexCardView* ActiveCardView();

}  // namespace qm
