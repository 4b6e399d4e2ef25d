// A writer's working hour on the desktop, with real key events only: a
// scene typed through the pick lists, a page crossed, the script saved
// under its own name, saved again, closed and opened again. A screenshot
// of each step lands in screenshots/writer-*.png, checked for ink on every
// line the program painted.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QTextDocumentFragment>
#include <QLineEdit>
#include <QWindow>

#include "gui/program_gui_fixture.h"
#include "language/pick_list.h"
#include "platform/files.h"
#include "shell/documents.h"
#include "base/ini_file.h"
#include "support/script_builder.h"

namespace qm {
namespace {

using testing::ElementSpec;

const std::string kScriptName = "kitchen.qmw";

class WriterHourTest : public testing::ProgramGuiFixture {
 protected:
  void SetUp() override {
    // The writer has Tab open a parenthetical after a name.
    InitialSettings = {{"Editing Options", "Tab to Parenth", "1"}};
    ProgramGuiFixture::SetUp();
  }
  // A step's screenshot, with ink wherever the program painted a line,
  // and the caret drawn right after the last letter typed.
  void ShotOf(const std::string& step, bool caretAtEnd = false) {
    const QImage shot = Shot("writer-" + step);
    EXPECT_EQ(LinesWithoutInk(shot), std::vector<std::string>{}) << "lines without ink in writer-" << step;
    if (!caretAtEnd) return;
    const CaretState& caret = Platform::Current().Caret();
    const QPoint at = ScriptClient()->mapTo(MainWindow(), QPoint(caret.pos.X, caret.pos.Y));
    const int letter = Script().ScreenWidths[0]['M'];
    EXPECT_GT(DarkPixels(shot, QRect(at.x() - letter, at.y(), letter - 1, caret.height)), 0)
        << "the last letter ends at the caret in writer-" << step;
    EXPECT_EQ(DarkPixels(shot, QRect(at.x() + caret.width + 1, at.y(), 2 * letter, caret.height)), 0)
        << "nothing is drawn past the caret in writer-" << step;
  }
  bool ListShowing() { return ListMenu && ListMenu->Visible() && WindowOf(*ListMenu)->isVisible(); }
  // The pick list stands on the caret's line, beside the text.
  void ExpectListAtCaret(const char* which) {
    ASSERT_TRUE(ListShowing()) << which;
    const QRect list = WindowOf(*ListMenu)->geometry();
    const QPoint caretLine = ScriptClient()->mapToGlobal(QPoint(Script().CaretX, Script().CaretY));
    EXPECT_EQ(list.top(), caretLine.y()) << which << " opens on the caret's line";
    EXPECT_GT(list.left(), caretLine.x()) << which << " stands beside the text";
    EXPECT_LT(list.left(), ScriptClient()->mapToGlobal(QPoint(ScriptClient()->width(), 0)).x())
        << which << " stands over the script window";
  }
  QFileDialog* FileDialog() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* d = qobject_cast<QFileDialog*>(w); d && d->isVisible()) return d;
    return nullptr;
  }
  // A file dialog is up with its name field taking the keys.
  void ExpectNameFieldHasTheKeys(const char* which) {
    QFileDialog* dialog = FileDialog();
    ASSERT_NE(dialog, nullptr) << which;
    auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    EXPECT_TRUE(field && dialog->isAncestorOf(field)) << which << ": the name field has the focus";
    if (field) field->selectAll();
  }
  std::vector<std::string> ScriptFilesNamedKitchen() {
    std::vector<std::string> names;
    for (const QString& name : QDir(QString::fromStdString(ScriptDirectory)).entryList(QDir::Files, QDir::Name))
      if (name.startsWith("kitchen", Qt::CaseInsensitive)) names.push_back(name.toStdString());
    return names;
  }
  static bool PageBreakIn(const TMDIChild& script) {
    for (const TScriptElement* e = script.FirstElement; e; e = e->next)
      if (e->Kind() == ekAutoPageBreak) return true;
    return false;
  }
};

TEST_F(WriterHourTest, AWritersHourOnTheDesktop) {
  const std::string action =
      "The kettle whistles on the stove while the rain beats against the window, and nobody moves to take it off.";
  testing::Typist t;
  // A garden first: the kitchen then has a list of locations to show.
  t.Type("EXT. GARDEN - DAY");
  t.Key(Qt::Key_Return);
  t.Type("Birds sing in the hedge.");
  t.Key(Qt::Key_Return);
  t.Key(Qt::Key_Tab);
  t.Type("mary");
  t.Key(Qt::Key_Return);
  t.Type("Is anyone there?");
  t.Key(Qt::Key_Return);

  // "INT." opens the locations at the caret; the new location's letters
  // dismiss it and go on into the heading.
  t.Type("INT.");
  t.Then([&] {
    ExpectListAtCaret("the location list");
    ScreenShot("writer-01-location-list");
  });
  t.Type(" KITCHEN - NIGHT");
  t.Then([&] {
    EXPECT_FALSE(ListShowing()) << "the typed letters dismissed the list";
    EXPECT_EQ(Script().EditBuffer(), "INT. KITCHEN - NIGHT");
    ShotOf("02-heading");
  });
  t.Key(Qt::Key_Return);
  t.Type(action);
  t.Then([&] {
    EXPECT_GE(Script().CurrentElement()->lineCount, 2) << "the action wraps";
    ShotOf("03-action", true);
  });
  t.Key(Qt::Key_Return);

  // A cue from the name list: its first letter and Enter.
  t.Key(Qt::Key_Tab);
  t.Type("m");
  t.When([&] { return ListShowing() && WindowOf(*ListMenu)->windowHandle()->isExposed(); },
         [&] {
           ExpectListAtCaret("the name list");
           EXPECT_EQ(ListMenu->List->ItemIndex(), ListMenu->List->Items.IndexOf("MARY"));
           ScreenShot("writer-04-name-list");
         });
  t.Key(Qt::Key_Return);
  t.Key(Qt::Key_Tab);
  t.Type("(quietly)");
  t.Key(Qt::Key_Return);
  t.Type("Not tonight. The kettle is still warm.");
  t.Key(Qt::Key_Return);
  t.Type("cut to:");
  t.Then([&] { ShotOf("05-speech"); });

  // The next scene runs onto a second page.
  t.Type("INT. HALL - LATER");
  t.Key(Qt::Key_Return);
  for (int i = 0; i < 16; ++i) {
    t.Type("The hall is long and dark, and every door along it stands open to the wind from the garden.");
    t.Key(Qt::Key_Return);
  }
  t.Type("Mary waits.");
  Play(t);
  ASSERT_TRUE(RunUntil([&] { return PageBreakIn(Script()); }, 20000)) << "the repagination put in a page break";
  ShotOf("06-second-page", true);

  // Save As: the desktop's dialog, its name field taking the name.
  t.Key(Qt::Key_F10);
  t.When([&] { return FileDialog() && FileDialog()->isActiveWindow(); }, [&] { ExpectNameFieldHasTheKeys("Save As"); });
  t.Type(kScriptName);
  t.Key(Qt::Key_Return);
  Play(t);
  const std::string saved = ScriptDirectory + "/" + kScriptName;
  ASSERT_TRUE(RunUntil([&] { return FileExists(saved); }, 20000)) << saved;
  EXPECT_EQ(Script().ScriptFileName, saved);
  // The main window's title follows at the next idle moment.
  EXPECT_TRUE(RunUntil([&] {
    return MainWindow()->windowTitle().toStdString() == "Quillmaster for Windows - [" + saved + "]";
  })) << MainWindow()->windowTitle().toStdString();
  EXPECT_EQ(ClientOf(Script())->parentWidget()->windowTitle().toStdString(), saved) << "the script window's title";
  ShotOf("07-saved-as");

  // More typing, F7, and the window closed.
  t.Key(Qt::Key_Return);
  t.Type("The clock strikes ten.");
  t.Key(Qt::Key_F7);
  Play(t);
  ASSERT_TRUE(RunUntil([&] { return FileExists(ScriptDirectory + "/kitchen.BK"); }, 20000)) << "F7 kept a backup";
  const std::vector<ElementSpec> written = testing::ElementsOf(Script());
  // Saved changes the backup drive lacks: the close offers them to it, and
  // No closes the script without the backup.
  t.Key(Qt::Key_F4, Qt::ControlModifier);
  bool backupAsked = false;
  t.When([] { return QApplication::activeModalWidget() && QApplication::activeModalWidget()->isVisible(); },
         [&] {
           for (const QLabel* label : QApplication::activeModalWidget()->findChildren<QLabel*>())
             backupAsked =
                 backupAsked || QTextDocumentFragment::fromHtml(label->text())
                                    .toPlainText()
                                    .contains("Backup \"" + QString::fromStdString(kScriptName) + "\" to Drive");
         });
  t.Key(Qt::Key_N);
  Play(t);
  EXPECT_TRUE(backupAsked) << "the close offered the saved changes to the backup drive";
  ASSERT_EQ(DocumentCount, 0) << "Ctrl+F4 and No closed the saved script without a save question";

  // Open it again through the desktop's dialog.
  t.Key(Qt::Key_F10, Qt::ShiftModifier);
  t.When([&] { return FileDialog() && FileDialog()->isActiveWindow(); }, [&] { ExpectNameFieldHasTheKeys("Open"); });
  t.Type(kScriptName);
  t.Key(Qt::Key_Return);
  Play(t);
  ASSERT_TRUE(RunUntil([&] { return DocumentCount == 1; }, 20000)) << "the script opened";
  EXPECT_EQ(Script().ScriptFileName, saved);
  EXPECT_EQ(testing::ElementsOf(Script()), written) << "every element is back";
  EXPECT_EQ(ScriptFilesNamedKitchen(), (std::vector<std::string>{"kitchen.BK", kScriptName}))
      << "the script lives in the file of the name the writer chose";
  EXPECT_EQ(Script().CurrentElement(), Script().FirstElement);
  EXPECT_EQ(TopLine(), "EXT. GARDEN - DAY") << "the view shows the start";
  ShotOf("08-reopened");
}

}  // namespace
}  // namespace qm
