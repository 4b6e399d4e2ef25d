#include "story/index_card_view.h"

#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "files/undo_ring.h"
#include "platform/input.h"
#include "platform/printer.h"
#include "platform/headless/headless_backend.h"
#include "shell/main_form.h"
#include "platform/recording_canvas.h"
#include "printing/print_cards_dialog.h"
#include "script/script_window.h"
#include "story/cards_fixture.h"
#include "support/message_box_answers.h"

namespace qm {
namespace {

using testing::ElementSpec;

class IndexCardViewTest : public testing::CardsFixture {
 protected:
  void LoadScenes(int scenes) { LoadRooms(scenes); }
  // Yes to the warning outline mode gives a script with more than actions and headings.
  void AnswerOutlineWarning() {
    testing::AnswerMessageBox(Driver(),
                              "Editing a Script in Index Card View when it has elements other than Action and Scene "
                              "Headings can potentially cause formatting changes within the script, and will cause "
                              "ALL cheating within an edited scene to be lost.\r\n\r\nContinue Anyway?",
                              mrYes, "Warning");
  }
  // A click in the middle of screen card k.
  void Click(TIndexCardView& view, int k) {
    TPanel& card = *view.ScreenCard(k).Card;
    card.MouseDown(TMouseButton::mbLeft, {}, card.Width / 2, 28);
  }
  // A press on screen card `from` and its release over screen card `to`:
  // the release comes to the control that took the press.
  void PressAndRelease(TIndexCardView& view, int from, int to, TShiftState shift = {}) {
    TPanel& pressed = *view.ScreenCard(from).Card;
    TPanel& released = *view.ScreenCard(to).Card;
    pressed.MouseDown(TMouseButton::mbLeft, shift, pressed.Width / 2, 28);
    const TPoint over = pressed.ScreenToClient(released.ClientToScreen(TPoint{released.Width / 2, 28}));
    pressed.MouseUp(TMouseButton::mbLeft, shift, over.X, over.Y);
  }
  static TMenuItem* Item(TIndexCardView& view, const std::string& caption) {
    if (!view.Menu) return nullptr;
    for (int i = 0; i < view.Menu->Items()->Count(); ++i)
      if (TMenuItem* item = view.Menu->Items()->Items(i)->Find(caption)) return item;
    return nullptr;
  }
  template <typename T>
  static T* Control(TIndexCardView& view, const std::string& name) {
    return dynamic_cast<T*>(view.FindComponent(name));
  }
  // Runs `inside` while the view is up over the active script, as the
  // menu command shows it.
  void WithView(std::function<void(TIndexCardView&)> inside) {
    Driver().Expect(
        [inside](TForm& form) {
          auto& view = dynamic_cast<TIndexCardView&>(form);
          inside(view);
          if (view.ModalResult == mrNone) view.ModalResult = mrCancel;
        },
        "the index card view");
    MainForm->IndexCardBtnClick(nullptr);
    EXPECT_EQ(Driver().Pending(), 0);
  }
  std::vector<std::string> Headings() {
    std::vector<std::string> headings;
    for (const auto& e : testing::ElementsOf(Script()))
      if (e.kind == ekSceneHeading) headings.push_back(e.text);
    return headings;
  }
  std::vector<std::string> Titles(TIndexCardView& view) {
    std::vector<std::string> titles;
    for (int k = 1; k <= view.CardCount; ++k) titles.push_back(view.ScreenCard(k).Title->Text);
    return titles;
  }
};

TEST_F(IndexCardViewTest, TheViewOpensWithTheSavedLayoutAndKeepsTheChosenOne) {
  LoadScenes(8);
  {
    TIniFile ini = OpenSettingsFile();
    ini.WriteInteger("Index Cards", "Number of Cards", 4);
    ini.WriteBool("Index Cards", "Orientation", true);
  }
  TIndexCardView view(nullptr);
  view.SetBounds(0, 0, 800, 600);
  ASSERT_TRUE(view.Created());
  EXPECT_EQ(view.Caption(), "Index Card View - Vertical Layout");
  // vertical: card 2 is the lower-left one
  EXPECT_EQ(view.ScreenCard(2).Card->Left, 0);
  EXPECT_GT(view.ScreenCard(2).Card->Top, 0);
  EXPECT_EQ(Titles(view), (std::vector<std::string>{"INT. ROOM 1", "INT. ROOM 2", "INT. ROOM 3", "INT. ROOM 4"}));
  EXPECT_TRUE(view.Outline) << "headings and action only: the cards open in outline mode";
  view.ScrollCards(ScrollStep(4, true));
  EXPECT_EQ(view.ScreenCard(1).Title->Text, "INT. ROOM 3");
  view.SetCardCount(12);
  view.ModalResult = mrCancel;
  view.Close();
  TIniFile ini = OpenSettingsFile();
  EXPECT_EQ(ini.ReadInteger("Index Cards", "Number of Cards", 0), 12);
}

TEST_F(IndexCardViewTest, AStyledCardIsEditedWithTheStyleKeysAndWrittenBackAsCodes) {
  const std::string bold = "\x02"
                           "loud"
                           "\x03",
                    italic = "\x19"
                             "soft"
                             "\x1A";
  Load({{ekSceneHeading, "INT. A"},
        {ekAction, "A " + bold + " and " + italic + " line."},
        {ekCharacterName, "BOB"},
        {ekDialogue, "Hi " + bold + "."},
        {ekSceneHeading, "INT. B"},
        {ekAction, "b"}});
  TIndexCardView view(nullptr);
  view.SetBounds(0, 0, 800, 600);
  ASSERT_TRUE(view.Created());
  ASSERT_FALSE(view.Outline) << "a speech in the script: the cards open in shuffle mode";
  AnswerOutlineWarning();
  view.SwitchModes(true);
  ASSERT_TRUE(view.Outline);
  TRichEdit& text = *view.ScreenCard(1).Text;
  ASSERT_FALSE(text.ReadOnly()) << "a styled card can be typed in";
  ASSERT_EQ(text.Text(), "A loud and soft line.\n\nBOB:  Hi loud.");
  EXPECT_EQ(text.Attributes()[2].Style, unsigned{fsBold});
  EXPECT_EQ(text.Attributes()[11].Style, unsigned{fsItalic});
  // the first word made bold with Ctrl+B, a word typed at the end, and
  // the first line made grey (hidden) with Ctrl+Alt+X
  text.SetFocus();
  text.SetSelection(0, 1);
  Word key = 'B';
  text.DoKeyDown(key, TShiftState{ssCtrl});
  EXPECT_EQ(key, 0) << "the style key is not passed on";
  text.SetSelection(static_cast<int>(text.Text().size()), 0);
  for (char c : std::string(" Bye")) text.DoKeyPress(c);
  key = 'U';
  text.SetSelection(static_cast<int>(text.Text().size()) - 3, 3);
  text.DoKeyDown(key, TShiftState{ssCtrl});
  view.WriteBackNow();
  EXPECT_EQ(testing::ElementsOf(Script()), (std::vector<ElementSpec>{{ekSceneHeading, "INT. A"},
                                                                     {ekAction, "\x02"
                                                                                "A\x03 " +
                                                                                    bold + " and " + italic + " line."},
                                                                     {ekCharacterName, "BOB"},
                                                                     {ekDialogue, "Hi " + bold +
                                                                                      ". \x15"
                                                                                      "Bye\x16"},
                                                                     {ekSceneHeading, "INT. B"},
                                                                     {ekAction, "b"}}));
}

// In outline mode a blank card after the last one can be written on: it
// becomes a new scene at the end of the script.
TEST_F(IndexCardViewTest, TypingOnABlankCardAddsASceneAtTheEnd) {
  LoadScenes(2);
  TIndexCardView view(nullptr);
  view.SetBounds(0, 0, 800, 600);
  ASSERT_TRUE(view.Created());
  ASSERT_TRUE(view.Outline);
  TIndexCardView::TCardControls& blank = view.ScreenCard(3);
  ASSERT_EQ(blank.Title->Text, "");
  ASSERT_FALSE(blank.Text->ReadOnly()) << "a blank card can be typed on";
  blank.Title->Text = "INT. NEW";
  blank.Text->SetFocus();
  for (char c : std::string("Fresh.")) blank.Text->DoKeyPress(c);
  view.WriteBackNow();
  EXPECT_EQ(testing::ElementsOf(Script()), (std::vector<ElementSpec>{{ekSceneHeading, "INT. ROOM 1"},
                                                                     {ekAction, "Body 1."},
                                                                     {ekSceneHeading, "INT. ROOM 2"},
                                                                     {ekAction, "Body 2."},
                                                                     {ekSceneHeading, "INT. NEW"},
                                                                     {ekAction, "Fresh."}}));
  EXPECT_EQ(view.Cards.Count(), 3);
  EXPECT_EQ(view.ScreenCard(3).Title->Text, "INT. NEW");
}

// A card's body marks its shots, transitions and centred titles in both
// modes: the marks are how the card tells the kinds apart.
TEST_F(IndexCardViewTest, ShotsTransitionsAndTitlesKeepTheirMarksInBothModes) {
  Load({{ekSceneHeading, "INT. A"},
        {ekAction, "Rain."},
        {ekShot, "CLOSE ON BOB"},
        {ekTransition, "CUT TO:"},
        {ekCenteredTitle, "THE END"},
        {ekSceneHeading, "INT. B"},
        {ekAction, "b"}});
  const std::string body = "Rain.\n\n[[CLOSE ON BOB]]\n\n^^CUT TO:^^\n\n==THE END==";
  TIndexCardView view(nullptr);
  view.SetBounds(0, 0, 800, 600);
  ASSERT_TRUE(view.Created());
  ASSERT_FALSE(view.Outline) << "a shot in the script: the cards open in shuffle mode";
  EXPECT_EQ(view.ScreenCard(1).Text->Text(), body) << "shuffle mode";
  AnswerOutlineWarning();
  view.SwitchModes(true);
  ASSERT_TRUE(view.Outline);
  EXPECT_EQ(view.ScreenCard(1).Text->Text(), body) << "outline mode";
}

// A card holds a scene's text up to 40,860 characters; a scene that would
// reach that is cut short, and a cut card written back would lose the rest
// of its scene: outline mode ends with a message and cannot come back.
TEST_F(IndexCardViewTest, ASceneTooLongForItsCardEndsOutlineMode) {
  const auto words = [](std::size_t length, char last) {
    std::string text;
    while (text.size() < length) text += "words ";
    text.resize(length);
    text.back() = last;
    return text;
  };
  // Fourteen paragraphs of 2,720 and a last one, each after a blank line.
  const struct {
    const char* what;
    std::size_t lastLength;
    bool tooLong;
  } cases[] = {
      {"one character short of the limit", 2723, false},
      {"reaching the limit", 2724, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<ElementSpec> elements{{ekSceneHeading, "INT. LONG"}};
    for (int i = 0; i < 14; ++i) elements.push_back({ekAction, words(2720, 'a')});
    elements.push_back({ekAction, words(c.lastLength, 'Z')});
    elements.push_back({ekSceneHeading, "INT. SHORT"});
    elements.push_back({ekAction, "Short."});
    Load(elements);
    if (c.tooLong)
      testing::AnswerMessageBox(Driver(),
                                "Unable to allow editing because a single scene is larger than 40,000 characters....",
                                mrOk, "Attention");
    WithView([&c](TIndexCardView& view) {
      EXPECT_EQ(view.Outline, !c.tooLong);
      EXPECT_EQ(Control<TRadioButton>(view, "ShuffleMode")->Checked(), c.tooLong);
      EXPECT_EQ(Control<TRadioButton>(view, "OutlineMode")->Enabled, !c.tooLong);
      EXPECT_EQ(Item(view, "Outline Mode")->Enabled, !c.tooLong);
      const std::string& text = view.ScreenCard(1).Text->Text();
      EXPECT_EQ(text.back() == 'Z', !c.tooLong) << "the last paragraph is left off a cut card";
      view.MainPanel->SetFocus();
      SendKey('0', TShiftState{ssAlt});
      EXPECT_EQ(view.Outline, !c.tooLong) << "Alt+0 cannot bring outline mode back";
    });
  }
}

// Right moves on one card; only shuffle mode refuses to move past the last
// card shown, while outline mode goes on until the last card is the first.
TEST_F(IndexCardViewTest, RightMovesPastTheLastCardOnlyInOutlineMode) {
  const struct {
    bool outline;
    std::vector<int> firstCards;
  } cases[] = {
      {true, {1, 2, 3, 4, 5, 6, 7, 8, 9, 9}},
      {false, {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.outline ? "outline" : "shuffle");
    LoadScenes(10);
    WithView([&c](TIndexCardView& view) {
      ASSERT_EQ(view.CardCount, 9);
      ASSERT_TRUE(view.Outline);
      if (!c.outline) SendKey('F', TShiftState{ssAlt});
      ASSERT_EQ(view.Outline, c.outline);
      view.MainPanel->SetFocus();
      std::vector<int> firstCards;
      for (std::size_t i = 0; i < c.firstCards.size(); ++i) {
        SendKey(VK_RIGHT);
        firstCards.push_back(view.FirstCard);
      }
      EXPECT_EQ(firstCards, c.firstCards);
    });
  }
}

TEST_F(IndexCardViewTest, EveryCodeOfAnEditedCardComesBackByteForByte) {
  const std::string styled = "A \x02"
                             "b\x19"
                             "c\x1A\x03 d \x0E"
                             "e\x0F \x15"
                             "f\x16.";
  Load({{ekSceneHeading, "INT. A"}, {ekAction, styled}, {ekSceneHeading, "INT. B"}, {ekAction, "b"}});
  TIndexCardView view(nullptr);
  view.SetBounds(0, 0, 800, 600);
  ASSERT_TRUE(view.Created());
  TRichEdit& text = *view.ScreenCard(1).Text;
  text.SetFocus();
  text.SetSelection(0, 0);
  char x = 'x';
  text.DoKeyPress(x);
  view.WriteBackNow();
  EXPECT_EQ(testing::ElementsOf(Script()),
            (std::vector<ElementSpec>{
                {ekSceneHeading, "INT. A"}, {ekAction, "x" + styled}, {ekSceneHeading, "INT. B"}, {ekAction, "b"}}));
}

TEST_F(IndexCardViewTest, ClicksPickAndDropAndExitAppliesTheOrder) {
  LoadScenes(5);
  TIndexCardView view(nullptr);
  view.SetBounds(0, 0, 800, 600);
  ASSERT_TRUE(view.Created());
  view.SwitchModes(false);
  Click(view, 5);
  EXPECT_TRUE(view.IsShuffledCard(5));
  Click(view, 1);
  EXPECT_EQ(Titles(view).front(), "INT. ROOM 5");
  view.ExitBtn->Click();
  EXPECT_EQ(view.ModalResult, mrOk);
  view.Close();
  EXPECT_EQ(Script().FirstElement->next->next->Kind(), ekSceneHeading);
  EXPECT_EQ(ElementText(*Script().FirstElement->next->next), "INT. ROOM 1");
}

TEST_F(IndexCardViewTest, CtrlZUndoesTheShuffleTheScriptTookOnExit) {
  LoadScenes(4);
  const auto before = testing::ElementsOf(Script());
  WithView([this](TIndexCardView& view) {
    view.SwitchModes(false);
    Click(view, 4);
    Click(view, 1);
    view.ExitBtn->Click();
  });
  ASSERT_EQ(Headings(), (std::vector<std::string>{"INT. ROOM 4", "INT. ROOM 1", "INT. ROOM 2", "INT. ROOM 3"}));
  Script().SetFocus();
  SendKey('Z', TShiftState{ssCtrl});
  EXPECT_EQ(testing::ElementsOf(Script()), before);
}

// Pressing on one card and letting go over another drops it there; a
// release over the card pressed, or over a picked card, moves nothing.
TEST_F(IndexCardViewTest, ACardReleasedOverAnotherIsDroppedThere) {
  const std::vector<std::string> unmoved = {"INT. ROOM 1", "INT. ROOM 2", "INT. ROOM 3", "INT. ROOM 4", "INT. ROOM 5"};
  const struct {
    const char* name;
    int from, to;
    TShiftState shift;
    std::vector<std::string> titles;
  } cases[] = {
      {"card 4 let go over card 2",
       4,
       2,
       {},
       {"INT. ROOM 1", "INT. ROOM 4", "INT. ROOM 2", "INT. ROOM 3", "INT. ROOM 5"}},
      {"let go where it was pressed", 3, 3, {}, unmoved},
      {"Shift held: only picked", 4, 2, TShiftState{ssShift}, unmoved},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoadScenes(5);
    TIndexCardView view(nullptr);
    view.SetBounds(0, 0, 800, 600);
    ASSERT_TRUE(view.Created());
    view.SwitchModes(false);
    PressAndRelease(view, c.from, c.to, c.shift);
    const std::vector<std::string> titles = Titles(view);
    EXPECT_EQ(std::vector<std::string>(titles.begin(), titles.begin() + 5), c.titles);
  }
}

// While the printer is busy the view stays open and applies nothing;
// once it is free the same Exit closes and applies the order.
TEST_F(IndexCardViewTest, TheViewDoesNotCloseWhileThePrinterIsPrinting) {
  LoadScenes(3);
  TIndexCardView view(nullptr);
  view.SetBounds(0, 0, 800, 600);
  ASSERT_TRUE(view.Created());
  view.SwitchModes(false);
  Click(view, 3);
  Click(view, 1);
  ASSERT_TRUE(Printer()->BeginDoc());
  view.ExitBtn->Click();
  view.Close();
  EXPECT_EQ(Headings(), (std::vector<std::string>{"INT. ROOM 1", "INT. ROOM 2", "INT. ROOM 3"}));
  Printer()->EndDoc();
  view.ExitBtn->Click();
  view.Close();
  EXPECT_EQ(Headings(), (std::vector<std::string>{"INT. ROOM 3", "INT. ROOM 1", "INT. ROOM 2"}));
}

// A press on a picked card drops the pick on itself: nothing moves and
// the whole pick is put down, so the next press picks afresh.
TEST_F(IndexCardViewTest, APressOnAPickedCardPutsThePickDown) {
  LoadScenes(5);
  TIndexCardView view(nullptr);
  view.SetBounds(0, 0, 800, 600);
  ASSERT_TRUE(view.Created());
  view.SwitchModes(false);
  const std::vector<std::string> before = Titles(view);
  Click(view, 2);
  view.ScreenCard(4).Card->MouseDown(TMouseButton::mbLeft, TShiftState{ssShift}, 10, 28);
  ASSERT_EQ(view.Selection.Count(), 2);
  Click(view, 2);
  EXPECT_EQ(view.Selection.Count(), 0);
  EXPECT_EQ(view.MainPanel->Cursor, crGrabbingHand);
  Click(view, 1);
  EXPECT_EQ(Titles(view), before) << "the next press only picks";
  EXPECT_TRUE(view.IsShuffledCard(1));
  EXPECT_FALSE(view.IsShuffledCard(4));
}

// The main panel's cursor tells how many cards are picked.
TEST_F(IndexCardViewTest, TheCursorShowsHowManyCardsArePicked) {
  LoadScenes(9);
  TIndexCardView view(nullptr);
  view.SetBounds(0, 0, 800, 600);
  ASSERT_TRUE(view.Created());
  EXPECT_EQ(view.MainPanel->Cursor, crDefault) << "outline mode: the arrow";
  view.SwitchModes(false);
  EXPECT_EQ(view.MainPanel->Cursor, crGrabbingHand);
  const int cursors[] = {crDrag1Card, crDrag2Cards, crDrag3Cards, crDrag3CardsPlus, crDrag3CardsPlus};
  for (int k = 1; k <= 5; ++k) {
    view.ScreenCard(k).Card->MouseDown(TMouseButton::mbLeft, TShiftState{ssShift}, 10, 28);
    EXPECT_EQ(view.MainPanel->Cursor, cursors[k - 1]) << k << " picked";
    EXPECT_EQ(view.ScreenCard(k).Card->Cursor, cursors[k - 1]);
  }
  view.ScreenCard(5).Card->MouseDown(TMouseButton::mbLeft, TShiftState{ssShift}, 10, 28);  // put back
  EXPECT_EQ(view.MainPanel->Cursor, crDrag3CardsPlus);
  EXPECT_EQ(view.ScreenCard(1).Number->Cursor, crGotoSceneArrow) << "over a number panel";
  TMenuItem* undo = Item(view, "Undo Selections");
  ASSERT_NE(undo, nullptr);
  undo->Click();
  EXPECT_EQ(view.Selection.Count(), 0);
  EXPECT_EQ(view.MainPanel->Cursor, crGrabbingHand);
  // Picking a print range: the first and the last card to print.
  Driver().Expect(
      [](TForm& form) {
        auto& dialog = dynamic_cast<TPrintCardsDlg&>(form);
        dialog.DefaultBox->SetChecked(false);
        dialog.Printbtn->Click();
      },
      "the card print layout: a range");
  view.PrintBtn->Click();
  ASSERT_TRUE(view.PrintPicking);
  EXPECT_EQ(view.MainPanel->Cursor, crFirstCardToPrint);
  Click(view, 2);
  EXPECT_EQ(view.MainPanel->Cursor, crLastCardToPrint);
}

TEST_F(IndexCardViewTest, TheViewsMenuAndKeys) {
  LoadScenes(9);
  WithView([](TIndexCardView& view) {
    ASSERT_NE(view.Menu, nullptr);
    const char* captions[] = {"Exit",        "Cancel Shuffle",  "Horizontal View", "Vertical View",
                              "Print Cards", "Undo Selections", "Outline Mode",    "Shuffle Mode"};
    for (const char* caption : captions) EXPECT_NE(Item(view, caption), nullptr) << caption;
    if (::testing::Test::HasFailure()) return;
    EXPECT_TRUE(view.Outline);
    EXPECT_TRUE(Item(view, "Outline Mode")->Checked);
    EXPECT_FALSE(Item(view, "Cancel Shuffle")->Enabled) << "only in shuffle mode";
    view.MainPanel->SetFocus();
    SendKey('F', TShiftState{ssAlt});
    EXPECT_FALSE(view.Outline) << "Alt+F";
    EXPECT_TRUE(Item(view, "Shuffle Mode")->Checked);
    EXPECT_TRUE(Item(view, "Cancel Shuffle")->Enabled);
    EXPECT_EQ(view.MainPanel->Cursor, crGrabbingHand);
    SendKey('0', TShiftState{ssAlt});
    EXPECT_TRUE(view.Outline) << "Alt+0";
    EXPECT_EQ(view.MainPanel->Cursor, crDefault);
    Item(view, "Vertical View")->Click();
    EXPECT_TRUE(view.Vertical);
    EXPECT_EQ(view.Caption(), "Index Card View - Vertical Layout");
    Item(view, "Horizontal View")->Click();
    EXPECT_FALSE(view.Vertical);
    SendKey(VK_F4, TShiftState{ssCtrl});
    EXPECT_EQ(view.ModalResult, mrOk) << "Ctrl+F4 exits";
  });
}

// Held down, a scroll button moves on after 300 ms and then every 50 ms
// until it is let go; with Alt held it moves by one card.
TEST_F(IndexCardViewTest, AHeldScrollButtonRepeats) {
  LoadScenes(60);
  TIndexCardView view(nullptr);
  view.SetBounds(0, 0, 800, 600);
  ASSERT_TRUE(view.Created());
  ASSERT_EQ(view.CardCount, 9);
  view.ScrollDownBtn->MouseDown(TMouseButton::mbLeft, {}, 5, 5);
  EXPECT_EQ(view.FirstCard, 3) << "one row at the press";
  AdvanceClock(290);
  EXPECT_EQ(view.FirstCard, 3);
  AdvanceClock(20);
  EXPECT_EQ(view.FirstCard, 6) << "after 300 ms";
  AdvanceClock(100);
  EXPECT_EQ(view.FirstCard, 12) << "then every 50 ms";
  view.ScrollDownBtn->MouseUp(TMouseButton::mbLeft, {}, 5, 5);
  AdvanceClock(1000);
  EXPECT_EQ(view.FirstCard, 12) << "let go: it stops";
  view.ScrollUpBtn->MouseDown(TMouseButton::mbLeft, TShiftState{ssAlt}, 5, 5);
  view.ScrollUpBtn->MouseUp(TMouseButton::mbLeft, TShiftState{ssAlt}, 5, 5);
  EXPECT_EQ(view.FirstCard, 11) << "Alt: one card, and the click of the release no more";
  view.ScrollUpBtn->Click();
  EXPECT_EQ(view.FirstCard, 8) << "a click from the keyboard: one row";
}

TEST_F(IndexCardViewTest, ANarrowScreenShowsTheNarrowToolPanel) {
  const struct {
    int width;
    bool narrow;
  } cases[] = {{640, true}, {799, true}, {800, false}, {1024, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.width);
    Backend().ScreenSettings().Width = c.width;
    LoadScenes(9);
    TIndexCardView view(nullptr);
    view.SetBounds(0, 0, c.width - 1, 440);
    ASSERT_TRUE(view.Created());
    auto* narrow = Control<TPanel>(view, "SpeedPanel480");
    ASSERT_NE(narrow, nullptr);
    EXPECT_EQ(narrow->Visible, c.narrow);
    EXPECT_EQ(view.SpeedPanel->Visible, !c.narrow);
    TPanel& shown = c.narrow ? *narrow : *view.SpeedPanel;
    EXPECT_LE(shown.Width(), c.width);
    EXPECT_EQ(view.MainPanel->Top(), shown.Height()) << "the cards start under the panel shown";
    // The twins do what the wide panel's buttons do.
    Control<TRadioButton>(view, c.narrow ? "ShuffleMode2" : "ShuffleMode")->Click();
    EXPECT_FALSE(view.Outline);
    EXPECT_TRUE(Control<TRadioButton>(view, "ShuffleMode2")->Checked());
    EXPECT_TRUE(view.ShuffleMode->Checked());
    Control<TButton>(view, c.narrow ? "FourCards2" : "FourCards")->Click();
    EXPECT_EQ(view.CardCount, 4);
    view.ModalResult = mrCancel;
    view.Close();
  }
}

TEST_F(IndexCardViewTest, ARangePickedInEitherOrderPrintsThoseCards) {
  LoadScenes(6);
  TIndexCardView view(nullptr);
  view.SetBounds(0, 0, 800, 600);
  ASSERT_TRUE(view.Created());
  Driver().Expect(
      [](TForm& form) {
        auto& dialog = dynamic_cast<TPrintCardsDlg&>(form);
        dialog.CardsAcross->Text = std::string("1");
        dialog.CardsDown->Text = std::string("1");
        dialog.TopMarginEdit->Text = std::string("0.5");
        dialog.DefaultBox->SetChecked(false);
        dialog.Printbtn->Click();
      },
      "the card print layout");
  view.PrintBtn->Click();
  ASSERT_TRUE(view.PrintPicking);
  Click(view, 4);
  Click(view, 2);
  EXPECT_FALSE(view.PrintPicking);
  const auto& sheets = Backend().PrinterList()[0]->Pages();
  ASSERT_EQ(sheets.size(), 3u) << "cards 2 to 4, one a sheet";
  EXPECT_NE(sheets[0]->FindText("2 INT. ROOM 2"), nullptr);
  EXPECT_NE(sheets[2]->FindText("4 INT. ROOM 4"), nullptr);
  // not saved as the default layout
  EXPECT_EQ(ReadCardPrintLayout().CardsAcross, TCardPrintLayout{}.CardsAcross);
}

}  // namespace
}  // namespace qm
