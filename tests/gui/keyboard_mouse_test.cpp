// The key road and the mouse: real Qt events become the core's key-down,
// character and mouse messages with the codes the core expects.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QtTest/QTest>

#include "gui/gui_fixture.h"
#include "platform/menus.h"

namespace qm {
namespace {

class KeyboardTest : public testing::GuiFixture {
 protected:
  void SetUp() override {
    GuiFixture::SetUp();
    frame = NewForm(TFormStyle::fsMDIForm, "Quillmaster", 700, 500);
    Application->MainForm = frame;
    auto* menu = new TMainMenu(frame);
    TMenuItem* file = menu->Items()->AddItem("&File");
    file->AddItem(
        "&Save", [this](TObject*) { ++saves; }, ShortCut('S', ssCtrl));
    frame->Menu = menu;
    frame->Show();
    child = NewForm(TFormStyle::fsMDIChild, "SCRIPT1.QMW", 400, 300);
    child->OnKeyPress = [this](TObject*, char& key) { typed += key; };
    child->OnKeyDown = [this](TObject*, Word& key, TShiftState shift) {
      downs.push_back(key);
      shifts.push_back(shift.Bits);
    };
    child->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState shift, int x, int y) {
      presses.push_back({button, shift.Bits, x, y});
    };
    child->OnDblClick = [this](TObject*) { ++doubleClicks; };
    child->OnClick = [this](TObject*) { ++clicks; };
    child->Show();
    Application->ProcessMessages();
  }

  void Press(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent down(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(ClientOf(*child), &down);
    QKeyEvent up(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(ClientOf(*child), &up);
  }

  struct Press_ {
    TMouseButton button;
    unsigned shift;
    int x, y;
  };
  TForm* frame = nullptr;
  TForm* child = nullptr;
  std::string typed;
  std::vector<Word> downs;
  std::vector<unsigned> shifts;
  std::vector<Press_> presses;
  int saves = 0, clicks = 0, doubleClicks = 0;
};

TEST_F(KeyboardTest, KeysReachTheCoreAsKeyDownAndCharacter) {
  struct Case {
    const char* what;
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
    Word vk;  // 0: no key-down reaches the core
    unsigned shift;
    std::string chars;
  };
  const Case cases[] = {
      {"letter", Qt::Key_A, Qt::NoModifier, "a", 'A', 0, "a"},
      {"capital", Qt::Key_A, Qt::ShiftModifier, "A", 'A', ssShift, "A"},
      {"digit", Qt::Key_7, Qt::NoModifier, "7", '7', 0, "7"},
      {"shifted digit", Qt::Key_Exclam, Qt::ShiftModifier, "!", '1', ssShift, "!"},
      {"punctuation", Qt::Key_Period, Qt::NoModifier, ".", VK_OEM_PERIOD, 0, "."},
      {"Ctrl+letter", Qt::Key_B, Qt::ControlModifier, "", 'B', ssCtrl, "\x02"},
      {"Enter", Qt::Key_Return, Qt::NoModifier, "\r", VK_RETURN, 0, "\r"},
      {"Backspace", Qt::Key_Backspace, Qt::NoModifier, "\b", VK_BACK, 0, "\b"},
      {"Delete types nothing", Qt::Key_Delete, Qt::NoModifier, "\x7f", VK_DELETE, 0, ""},
      {"arrow", Qt::Key_Left, Qt::ShiftModifier, "", VK_LEFT, ssShift, ""},
      {"function key", Qt::Key_F5, Qt::NoModifier, "", VK_F5, 0, ""},
      {"keypad digit", Qt::Key_4, Qt::KeypadModifier, "4", VK_NUMPAD0 + 4, 0, "4"},
      {"composed accent", Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("é"), 0, 0, "\xE9"},
      {"euro", Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("€"), 0, 0, "\x80"},
      {"no code page byte", Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("Ж"), 0, 0, ""},
      {"dead key alone", Qt::Key_Dead_Acute, Qt::NoModifier, "", 0, 0, ""},
  };
  for (const Case& c : cases) {
    typed.clear();
    downs.clear();
    shifts.clear();
    Press(c.key, c.modifiers, c.text);
    EXPECT_EQ(typed, c.chars) << c.what;
    if (c.vk) {
      ASSERT_EQ(downs.size(), 1u) << c.what;
      EXPECT_EQ(downs[0], c.vk) << c.what;
      EXPECT_EQ(shifts[0], c.shift) << c.what;
    } else {
      EXPECT_TRUE(downs.empty()) << c.what;
    }
  }
}

TEST_F(KeyboardTest, TypingWithRealKeyEventsReachesTheScriptWindow) {
  QTest::keyClicks(ClientOf(*child), "Int. House");
  QTest::keyClick(ClientOf(*child), Qt::Key_Return);
  EXPECT_EQ(typed, "Int. House\r");
}

TEST_F(KeyboardTest, AMenuShortCutTakesTheKeyAndTypesNothing) {
  Press(Qt::Key_S, Qt::ControlModifier, "\x13");
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(typed, "") << "no character after a short cut";
  EXPECT_TRUE(downs.empty()) << "the window never saw the key";
}

TEST_F(KeyboardTest, TheMouseReachesTheCoreAtClientPoints) {
  QWidget* client = ClientOf(*child);
  QTest::mouseClick(client, Qt::LeftButton, Qt::ShiftModifier, QPoint(30, 40));
  QTest::mouseClick(client, Qt::RightButton, Qt::NoModifier, QPoint(50, 60));
  ASSERT_EQ(presses.size(), 2u);
  EXPECT_EQ(presses[0].button, TMouseButton::mbLeft);
  EXPECT_EQ(presses[0].shift, unsigned(ssShift | ssLeft));
  EXPECT_EQ(presses[0].x, 30);
  EXPECT_EQ(presses[0].y, 40);
  EXPECT_EQ(presses[1].button, TMouseButton::mbRight);
  EXPECT_EQ(presses[1].x, 50);
  EXPECT_EQ(clicks, 1) << "a left press and release inside is a click";
  QTest::mouseDClick(client, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
  EXPECT_EQ(doubleClicks, 1);
}

TEST_F(KeyboardTest, AnEditKeepsItsTextInTheCore) {
  TForm* dialog = NewForm(TFormStyle::fsNormal, "Find", 300, 120);
  auto* edit = new TEdit(dialog);
  edit->SetParent(dialog);
  edit->SetBounds(10, 10, 200, 22);
  edit->CharCase = TEditCharCase::ecUpperCase;
  std::string changes;
  edit->OnChange = [&](TObject*) { changes += '+'; };
  dialog->ActiveControl = edit;
  dialog->Show();
  auto* line = qobject_cast<QLineEdit*>(ClientOf(*edit));
  ASSERT_NE(line, nullptr);
  QTest::keyClicks(line, "ext. road");
  EXPECT_EQ(edit->Text(), "EXT. ROAD") << "the core's edit applied its case";
  EXPECT_EQ(line->text(), "EXT. ROAD");
  QTest::keyClick(line, Qt::Key_Backspace);
  EXPECT_EQ(edit->Text(), "EXT. ROA");
  EXPECT_EQ(edit->SelStart, 8);
  QTest::keyClick(line, Qt::Key_Home, Qt::ShiftModifier);
  EXPECT_EQ(edit->SelStart, 0);
  EXPECT_EQ(edit->SelLength, 8) << "Shift+Home selects, as the widget does";
  QTest::keyClick(line, Qt::Key_N);
  EXPECT_EQ(edit->Text(), "N") << "typing replaces the selection";
  EXPECT_EQ(line->text(), "N");
  EXPECT_EQ(changes.size(), 11u);
}

}  // namespace
}  // namespace qm
