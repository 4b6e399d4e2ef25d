// The thesaurus window over the database built from WordNet, opened with
// Ctrl+F5 on a word typed into the script: its senses, definitions and
// synonyms on the desktop (screenshots/thesaurus-window.png), and the word
// chosen there typed over the one in the script.
#include <QWindow>

#include "gui/program_gui_fixture.h"
#include "language/thesaurus/thesaurus_dialog.h"
#include "language/thesaurus/thesaurus_window.h"
#include "platform/forms.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

thesaurus::TWWForm* ThesaurusWindow() {
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (auto* window = dynamic_cast<thesaurus::TWWForm*>(Screen->Forms(i))) return window;
  return nullptr;
}

thesaurus::TThesaurusDlg* ThesaurusList() {
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (auto* dialog = dynamic_cast<thesaurus::TThesaurusDlg*>(Screen->Forms(i))) return dialog;
  return nullptr;
}

class ThesaurusWindowTest : public testing::ProgramGuiFixture {
 protected:
  testing::ScopedEnv programFolder_{"QUILLMASTER_PROGRAM_FOLDER", std::string(QM_BINARY_DIR) + "/data"};
};

TEST_F(ThesaurusWindowTest, CtrlF5ShowsTheSensesAndTheChosenSynonymReplacesTheWord) {
  testing::Typist t;
  t.Type("She walked home.");
  t.Key(Qt::Key_Left);
  t.Key(Qt::Key_Left);
  t.Key(Qt::Key_Left);
  t.Key(Qt::Key_Left);
  t.Key(Qt::Key_Left);
  t.Key(Qt::Key_Left);
  t.Key(Qt::Key_Left);
  t.Key(Qt::Key_F5, Qt::ControlModifier);
  t.When(
      [] {
        return ThesaurusWindow() && WindowOf(*ThesaurusWindow())->windowHandle() &&
               WindowOf(*ThesaurusWindow())->windowHandle()->isExposed();
      },
      [&] {
        thesaurus::TWWForm& window = *ThesaurusWindow();
        EXPECT_EQ(window.CurrentWord(), "WALKED");
        EXPECT_GE(window.Definitions().size(), 10u) << "the ten verb senses of walk";
        EXPECT_GE(window.Synonyms->Items.IndexOf("take the air"), 0);
        EXPECT_TRUE(window.VerbButton->Enabled());
        EXPECT_FALSE(window.NounButton->Enabled());
        ScreenShot("thesaurus-window");
        window.Synonyms->SetItemIndex(window.Synonyms->Items.IndexOf("take the air"));
        window.SynonymsClick();
        window.CopyButton->Click();
      });
  t.When([] { return ThesaurusWindow() == nullptr; },
         [&] { EXPECT_EQ(Script().EditBuffer(), "She take the air home."); });
  Play(t);
}

TEST_F(ThesaurusWindowTest, F5ListsTheSynonymsAndAClickedOneReplacesTheWordWithItsEnding) {
  testing::Typist t;
  t.Type("She walked home.");
  for (int i = 0; i < 8; ++i) t.Key(Qt::Key_Left);
  t.Key(Qt::Key_F5);
  t.When(
      [] {
        return ThesaurusList() && WindowOf(*ThesaurusList())->windowHandle() &&
               WindowOf(*ThesaurusList())->windowHandle()->isExposed();
      },
      [&] {
        thesaurus::TThesaurusDlg& dialog = *ThesaurusList();
        EXPECT_EQ(dialog.Caption(), "Get Synonyms: walk");
        const int line = dialog.SynonymList->Items.IndexOf("pass");
        ASSERT_GE(line, 0);
        ScreenShot("thesaurus-list");
        dialog.SynonymList->SetItemIndex(line);
        dialog.SynonymListMouseUp();
        dialog.SynonymListMouseUp();
      });
  t.When([] { return ThesaurusList() == nullptr; }, [&] { EXPECT_EQ(Script().EditBuffer(), "She passed home."); });
  Play(t);
}

}  // namespace
}  // namespace qm
