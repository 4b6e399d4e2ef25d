// The spell check on the desktop: a line typed with real keys, the Spell
// menu's Entire Script command, and the unknown-word dialog answered on
// its widgets. The dialog's screenshot lands in screenshots/spell-dialog.png.
#include <QApplication>
#include <QPushButton>
#include <QtTest/QTest>

#include "gui/program_gui_fixture.h"
#include "base/message_box_form.h"
#include "base/message_boxes.h"
#include "language/spelling/spell_check_dialog.h"
#include "platform/menus.h"
#include "shell/main_form.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

class SpellingGuiTest : public testing::ProgramGuiFixture {
 protected:
  static QPushButton* Button(const QString& text) {
    for (QWidget* w : QApplication::allWidgets())
      if (auto* b = qobject_cast<QPushButton*>(w); b && b->isVisible() && b->text() == text) return b;
    return nullptr;
  }
  static TSpellCheckingDlg* DialogUp() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w->windowTitle() == "Found Unknown Word...") return &SpellCheckingDlg();
    return nullptr;
  }
  void Press(const QString& text) {
    QPushButton* b = Button(text);
    ASSERT_NE(b, nullptr) << text.toStdString();
    QTest::mouseClick(b, Qt::LeftButton);
  }
  testing::ScopedEnv program_{"QUILLMASTER_PROGRAM_FOLDER", std::string(QM_BINARY_DIR) + "/data/"};
};

TEST_F(SpellingGuiTest, AnUnknownWordIsCorrectedInTheDialog) {
  testing::Typist typist;
  typist.Type("Zorblax dog barkd.");
  typist.Then([] {
    TMenuItem* item = MainForm->MenuItem("SpellScriptItem");
    ASSERT_TRUE(item->Enabled);
    item->Click();
  });
  std::vector<std::string> asked;
  typist.When([] { return DialogUp() != nullptr; },
              [&] {
                TSpellCheckingDlg& d = *DialogUp();
                asked.push_back(d.BadWord->Text());
                EXPECT_GT(d.SuggestList->Items.Count(), 0);
                const QImage shot = WindowOf(d)->grab().toImage().convertToFormat(QImage::Format_RGB32);
                shot.save(ScreenshotPath("spell-dialog"));
                EXPECT_GT(DarkPixels(shot, shot.rect()), 100) << "the dialog draws its controls";
                d.BadWord->Text = "Zebra";
                Press("&Replace");
              });
  typist.When([&] { return DialogUp() != nullptr && DialogUp()->BadWord->Text() != "Zebra"; },
              [&] {
                asked.push_back(DialogUp()->BadWord->Text());
                Press(" S&kip Once");
              });
  typist.When([] { return Button("OK") != nullptr; }, [&] { Press("OK"); });
  Play(typist, 60000);
  EXPECT_EQ(asked, (std::vector<std::string>{"Zorblax", "barkd"}));
  EXPECT_EQ(Script().EditBuffer(), "Zebra dog barkd.");
}

// Ten words in, the pass shows its count in the "Please Wait" notice; the
// question about an unknown word after them must not sit under it.
TEST_F(SpellingGuiTest, ThePleaseWaitNoticeStandsClearOfTheDialog) {
  testing::Typist typist;
  typist.Type("the dog and a cat sat on my old mat zorblax.");
  typist.Then([] { MainForm->MenuItem("SpellScriptItem")->Click(); });
  QRect notice, dialog;
  bool noticeUp = false;
  typist.When([] { return DialogUp() != nullptr; },
              [&] {
                noticeUp = MyNewMsgBox && MyNewMsgBox->Visible && MyNewMsgBox->IsNotice();
                if (noticeUp) notice = WindowOf(*MyNewMsgBox)->frameGeometry();
                dialog = WindowOf(*DialogUp())->frameGeometry();
                Press("&Ignore");
              });
  typist.When([] { return Button("OK") != nullptr; }, [&] { Press("OK"); });
  Play(typist, 60000);
  ASSERT_TRUE(noticeUp) << "the count was still showing when the question came";
  EXPECT_FALSE(notice.intersects(dialog))
      << "notice " << notice.x() << "," << notice.y() << " " << notice.width() << "x" << notice.height() << "; dialog "
      << dialog.x() << "," << dialog.y() << " " << dialog.width() << "x" << dialog.height();
}

}  // namespace
}  // namespace qm
