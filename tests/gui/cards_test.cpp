// The index card view on the desktop: the scenes show as cards, a real
// click picks a card and a click on another drops it there, and Exit gives
// the script the new scene order.
#include <QApplication>
#include <QTextEdit>
#include <QtTest/QTest>

#include "gui/program_gui_fixture.h"
#include "script/layout/screen_rebuild.h"
#include "shell/main_form.h"
#include "platform/rich_edit.h"
#include "story/index_card_view.h"
#include "support/script_builder.h"

namespace qm {
namespace {

class CardsGuiTest : public testing::ProgramGuiFixture {
 protected:
  void LoadScenes(int scenes) {
    std::vector<testing::ElementSpec> elements;
    for (int s = 1; s <= scenes; ++s) {
      elements.push_back({ekSceneHeading, "INT. ROOM " + std::to_string(s) + " - DAY"});
      elements.push_back({ekAction, "Scene " + std::to_string(s) +
                                        " begins with a \x02"
                                        "bold\x03 line of \x19"
                                        "action\x1A."});
      elements.push_back({ekAction, "Line " + std::to_string(s) +
                                        " follows it, \x15"
                                        "underlined\x16"
                                        " in part."});
    }
    ShowScript(elements);
  }
  std::vector<std::string> Headings() {
    std::vector<std::string> headings;
    for (const auto& e : testing::ElementsOf(Script()))
      if (e.kind == ekSceneHeading) headings.push_back(e.text.substr(10, 2));
    return headings;
  }
  // The colours a card's text edit is drawn in: text on background.
  static std::pair<QColor, QColor> TextColors(const TControl& text) {
    QWidget* w = ClientOf(text);
    while (w && !qobject_cast<QTextEdit*>(w)) w = w->parentWidget();
    if (!w) return {};
    return {w->palette().color(QPalette::Text), w->palette().color(QPalette::Base)};
  }
  // The view the menu command shows, switched to shuffle mode by a click.
  static TIndexCardView& ToShuffleMode(TIndexCardView& view) {
    QApplication::processEvents();
    QTest::mouseClick(ClientOf(*view.ShuffleMode), Qt::LeftButton, {}, QPoint(6, 6));
    return view;
  }
  // A click on a card's face between its title and its text.
  void ClickCard(TIndexCardView& view, int k) {
    TControl& card = *view.ScreenCard(k).Card;
    QTest::mouseClick(ClientOf(card), Qt::LeftButton, {}, QPoint(card.Width / 2, 28));
    QApplication::processEvents();
  }
};

TEST_F(CardsGuiTest, CardsShowTheScenesAndAClickedShuffleReordersTheScript) {
  LoadScenes(10);
  std::vector<std::string> titles, numbers;
  std::string body;
  unsigned shownBold = 0, shownItalic = 0, typedBold = 0;
  bool shuffleChosen = false;
  Later(150, [&] {
    TIndexCardView* view = ActiveCardView();
    ASSERT_NE(view, nullptr);
    QApplication::processEvents();
    for (int k = 1; k <= view->CardCount; ++k) {
      titles.push_back(view->ScreenCard(k).Title->Text);
      numbers.push_back(view->ScreenCard(k).Number->Caption);
    }
    TRichEdit& text = *view->ScreenCard(1).Text;
    body = text.Text();
    shownBold = text.Attributes()[23].Style;
    shownItalic = text.Attributes()[36].Style;
    // Real keys: the first word selected and made bold with Ctrl+B.
    text.SetFocus();
    QWidget* edit = ClientOf(text);
    QApplication::processEvents();
    QTest::keyClick(edit, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Right, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_B, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(edit, " Done");
    typedBold = text.Attributes()[0].Style;
    QApplication::processEvents();
    SaveShot(*WindowOf(*view), "cards");
    QTest::mouseClick(ClientOf(*view->ShuffleMode), Qt::LeftButton, {}, QPoint(6, 6));
    shuffleChosen = !view->Outline;
    ClickCard(*view, 4);
    ClickCard(*view, 2);
    Grab(*WindowOf(*view)).save(QString(QM_BINARY_DIR) + "/screenshots/cards-shuffled.png");
    QTest::mouseClick(ClientOf(*view->ExitBtn), Qt::LeftButton);
  });
  MainForm->IndexCardBtnClick(nullptr);
  ASSERT_EQ(titles.size(), 9u) << "nine cards a screen by default";
  EXPECT_EQ(titles[0], "INT. ROOM 1 - DAY");
  EXPECT_EQ(titles[8], "INT. ROOM 9 - DAY");
  EXPECT_EQ(numbers[4], "5");
  EXPECT_EQ(body.substr(0, 36), "Scene 1 begins with a bold line of a");
  EXPECT_EQ(shownBold, unsigned{fsBold}) << "the card shows the script's bold";
  EXPECT_EQ(shownItalic, unsigned{fsItalic});
  EXPECT_EQ(typedBold, unsigned{fsBold}) << "Ctrl+B made the selected word bold";
  // the edited card went back into the script with its codes
  const auto elements = testing::ElementsOf(Script());
  ASSERT_GT(elements.size(), 2u);
  EXPECT_EQ(elements[1].text, "\x02"
                              "Scene \x03"
                              "1 begins with a \x02"
                              "bold\x03 line of \x19"
                              "action\x1A.");
  EXPECT_EQ(elements[2].text, "Line 1 follows it, \x15"
                              "underlined\x16"
                              " in part. Done");
  EXPECT_TRUE(shuffleChosen);
  EXPECT_EQ(Headings(), (std::vector<std::string>{"1 ", "4 ", "2 ", "3 ", "5 ", "6 ", "7 ", "8 ", "9 ", "10"}));
}

// A picked card shows light text on a dark card; once dropped, the card
// is back to dark text on a light card, whatever it showed while picked.
TEST_F(CardsGuiTest, APickedAndDroppedCardIsReadableEveryStep) {
  LoadScenes(6);
  std::pair<QColor, QColor> picked, dropped, wasPicked, other;
  Later(150, [&] {
    ASSERT_NE(ActiveCardView(), nullptr);
    TIndexCardView* view = &ToShuffleMode(*ActiveCardView());
    ClickCard(*view, 4);
    picked = TextColors(*view->ScreenCard(4).Text);
    ClickCard(*view, 2);
    dropped = TextColors(*view->ScreenCard(2).Text);
    wasPicked = TextColors(*view->ScreenCard(4).Text);
    other = TextColors(*view->ScreenCard(5).Text);
    SaveShot(*WindowOf(*view), "cards-dropped");
    QTest::mouseClick(ClientOf(*view->CancelBtn), Qt::LeftButton);
  });
  MainForm->IndexCardBtnClick(nullptr);
  EXPECT_EQ(picked.first, QColor(Qt::white));
  EXPECT_EQ(picked.second, QColor(0, 0, 0x80));
  EXPECT_EQ(dropped.first, QColor(Qt::black)) << "the moved card's text";
  EXPECT_EQ(dropped.second, other.second) << "the moved card looks like the others";
  EXPECT_EQ(wasPicked.first, QColor(Qt::black)) << "the card now where the picked one was";
  EXPECT_EQ(wasPicked.second, other.second);
  EXPECT_EQ(other.first, QColor(Qt::black));
}

// Ctrl+Z typed into the script after the view gives back the order the
// scenes had before the shuffle.
TEST_F(CardsGuiTest, CtrlZInTheScriptUndoesTheShuffle) {
  LoadScenes(5);
  const std::vector<std::string> before = Headings();
  Later(150, [&] {
    ASSERT_NE(ActiveCardView(), nullptr);
    TIndexCardView* view = &ToShuffleMode(*ActiveCardView());
    ClickCard(*view, 4);
    ClickCard(*view, 1);
    QTest::mouseClick(ClientOf(*view->ExitBtn), Qt::LeftButton);
  });
  MainForm->IndexCardBtnClick(nullptr);
  QApplication::processEvents();
  ASSERT_EQ(Headings(), (std::vector<std::string>{"4 ", "1 ", "2 ", "3 ", "5 "}));
  QWidget* script = ClientOf(Script());
  QTest::keyClick(script, Qt::Key_Z, Qt::ControlModifier);
  QApplication::processEvents();
  EXPECT_EQ(Headings(), before);
}

}  // namespace
}  // namespace qm
