// The program itself on the desktop, driven with real key and mouse events:
// the pick lists at the caret, what the window shows after each change,
// the view following the caret, the desktop's file dialogs, the titles and
// the Window menu, and the sizes the layout gives the toolkit.
#include <functional>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QWheelEvent>
#include <QWindow>
#include <QtTest/QTest>

#include "gui/program_gui_fixture.h"
#include "language/pick_list.h"
#include "platform/input.h"
#include "script/layout/screen_rebuild.h"
#include "script/editing/scrolling.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "shell/tool_bar.h"
#include "platform/office_button.h"
#include "platform/qt/qt_canvas.h"
#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "platform/files.h"
#include "support/script_builder.h"
#include "script/editing/editor_calls.h"

namespace qm {
namespace {

using testing::ElementSpec;

class ProgramWindowTest : public testing::ProgramGuiFixture {
 protected:
  bool ListShowing() { return ListMenu && ListMenu->Visible() && WindowOf(*ListMenu)->isVisible(); }
  QAction* ActionOf(TMenuItem* item) { return FormPeerOf(MainForm)->Menu()->ActionOf(item); }
  QMdiArea* Area() { return FormPeerOf(MainForm)->MdiArea(); }
  // The caret's line lies inside the window.
  bool CaretInView() {
    const int row = Script().CurrentElement()->screenLine + Script().CaretLine() - 1;
    if (row < 1 || row > ScreenLineCount) return false;
    const TScreenLine& line = Script().ScreenLines[static_cast<size_t>(row)];
    return line.element == Script().CurrentElement() && line.y + Script().ScreenDescent <= ScriptClient()->height();
  }
  QFileDialog* FileDialog() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* d = qobject_cast<QFileDialog*>(w); d && d->isVisible()) return d;
    return nullptr;
  }
  void Wheel(int delta) {
    QWidget* client = ScriptClient();
    const QPointF at(client->width() / 2.0, client->height() / 2.0);
    QWheelEvent wheel(at, client->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(client, &wheel);
  }
  // A cue and its speech, typed as a writer does: Tab for the cue, Enter
  // into the speech, Enter out of it.
  static void TypeSpeech(testing::Typist& t, const std::string& name, const std::string& line) {
    t.Key(Qt::Key_Tab);
    t.Type(name);
    t.Key(Qt::Key_Return);
    t.Type(line);
    t.Key(Qt::Key_Return);
  }
  // Forty actions under a heading, typed.
  void TypeLongScene(testing::Typist& t) {
    t.Type("INT. HALL - DAY");
    t.Key(Qt::Key_Return);
    // "Line", not "Action": a line that begins "Act" is taken for the act
    // text as it is typed.
    for (int i = 0; i < 40; ++i) {
      t.Type("Line " + std::to_string(i) + ".");
      t.Key(Qt::Key_Return);
    }
    t.Type("The end.");
  }
};

TEST_F(ProgramWindowTest, ThePickListsTakeOnlyTheKeysTheyUse) {
  struct Case {
    const char* what;
    std::function<void(testing::Typist&)> keys;
    std::vector<ElementSpec> after;  // the elements after the two speeches
  };
  const Case cases[] = {
      {"Escape closes the location list; the letters go into the heading",
       [](testing::Typist& t) {
         t.Type("INT.");
         t.Key(Qt::Key_Escape);
         t.Type("HALL");
       },
       {{ekSceneHeading, "INT. HALL"}}},
      {"type-ahead and Enter take a location",
       [](testing::Typist& t) {
         t.Type("INT. G");
         t.Key(Qt::Key_Return);
       },
       {{ekSceneHeading, "INT. GARDEN"}}},
      {"a key the list has no use for goes on to the heading",
       [](testing::Typist& t) {
         t.Type("INT.");
         t.Key(Qt::Key_Left);
         t.Type("X");
       },
       {{ekSceneHeading, "INT.X "}}},
      {"letters no location begins with stay in the heading, which goes on",
       [](testing::Typist& t) {
         t.Type("INT.");
         t.Type("QUARRY");
       },
       {{ekSceneHeading, "INT. QUARRY"}}},
      {"Down and Enter in the name list take the next name",
       [](testing::Typist& t) {
         t.Key(Qt::Key_Tab);
         t.Type("m");
         t.Key(Qt::Key_Down);
         t.Key(Qt::Key_Return);
       },
       {{ekCharacterName, "MARTIN"}, {ekDialogue, ""}}},
      {"Enter takes the name the list offers for one letter",
       [](testing::Typist& t) {
         TypeSpeech(t, "ruth", "Hey.");
         t.Key(Qt::Key_Tab);
         t.Type("r");
         t.Key(Qt::Key_Return);
       },
       {{ekCharacterName, "RUTH"}, {ekDialogue, "Hey."}, {ekCharacterName, "RUTH"}, {ekDialogue, ""}}},
      {"an extension the writer types is kept: the name list takes nothing into it",
       [](testing::Typist& t) {
         t.Key(Qt::Key_Tab);
         t.Type("mary ");
         t.Type("(");
         // The parenthesis offers the extensions; Add as Text lets the writer type one.
         t.When([] { return QApplication::activePopupWidget() != nullptr; }, [] {});
         t.Type("x");
         t.Type("v.o.)");
         t.Key(Qt::Key_Return);
       },
       {{ekCharacterName, "MARY (v.o.)"}, {ekDialogue, ""}}},
      {"Escape in the name list keeps what was typed",
       [](testing::Typist& t) {
         t.Key(Qt::Key_Tab);
         t.Type("ma");
         t.Key(Qt::Key_Escape);
       },
       {{ekCharacterName, "MA"}, {ekDialogue, ""}}},
  };
  // The lists alone: no time-of-day menu once a location is taken (the
  // heading then waits for more).
  MainForm->AutoAddTimeDay = false;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::Typist t;
    t.Type("EXT. GARDEN - DAY");
    t.Key(Qt::Key_Return);
    TypeSpeech(t, "mary", "Hi.");
    TypeSpeech(t, "martin", "Yo.");
    c.keys(t);
    Play(t);
    EXPECT_FALSE(ListShowing());
    std::vector<ElementSpec> elements = testing::ElementsOf(Script());
    ASSERT_GE(elements.size(), 5u);
    EXPECT_EQ(std::vector<ElementSpec>(elements.begin() + 5, elements.end()), c.after);
    // The next case starts on an empty script.
    Script().FreeElements();
    ResetScreenLines(Script());
    testing::AddElements(Script(), {{ekAction, ""}});
    editor::SetCurrentElement(Script(), Script().FirstElement);
    Script().CurrentGroup = Script().FirstElement->group;
    Script().DisAssemble();
    editor::SetCaretColumn(Script(), 0);
    RebuildScreen(&Script());
  }
}

TEST_F(ProgramWindowTest, AClickOnANameTakesItAndTheNextEnterGoesOn) {
  testing::Typist t;
  TypeSpeech(t, "mary", "Hi.");
  t.Key(Qt::Key_Tab);
  t.Type("m");
  t.When([this] { return ListShowing(); },
         [] {
           QWidget* list = ClientOf(*ListMenu->List);
           QTest::mouseClick(list, Qt::LeftButton, Qt::NoModifier, QPoint(5, ListMenu->List->ItemHeight / 2));
         });
  t.Type("Hello again.");
  t.Key(Qt::Key_Return);
  Play(t);
  EXPECT_FALSE(ListShowing());
  EXPECT_EQ(testing::ElementsOf(Script()), (std::vector<ElementSpec>{{ekCharacterName, "MARY"},
                                                                     {ekDialogue, "Hi."},
                                                                     {ekCharacterName, "MARY"},
                                                                     {ekDialogue, "Hello again."},
                                                                     {ekAction, ""}}))
      << "the click finished the cue, and Enter after the speech made an action, not a second cue";
}

// The name list is drawn as a list: a frame round its rows and the offered
// name on the highlight colour.
TEST_F(ProgramWindowTest, TheNameListIsDrawnFramedWithItsChoiceHighlighted) {
  testing::Typist t;
  TypeSpeech(t, "mary", "Hi.");
  TypeSpeech(t, "martin", "Yo.");
  t.Key(Qt::Key_Tab);
  t.Type("mar");
  Play(t);
  ASSERT_TRUE(ListShowing());
  ASSERT_EQ(ListMenu->List->ItemIndex(), 0);
  const QImage shot = SaveShot(*WindowOf(*ListMenu), "name-list");
  const int rowHeight = ListMenu->List->ItemHeight;
  const QColor frame(Qt::black);
  for (const QPoint at : {QPoint(0, 0), QPoint(shot.width() - 1, shot.height() - 1), QPoint(0, shot.height() / 2)})
    EXPECT_EQ(QColor(shot.pixel(at)), frame) << at.x() << "," << at.y();
  EXPECT_EQ(QColor(shot.pixel(shot.width() - 4, 1 + rowHeight / 2)), QtColorOf(clHighlight)) << "the offered row";
  EXPECT_NE(QColor(shot.pixel(shot.width() - 4, 1 + rowHeight + rowHeight / 2)), QtColorOf(clHighlight))
      << "the next row";
}

TEST_F(ProgramWindowTest, AClickInTheScriptClosesTheNameList) {
  testing::Typist t;
  TypeSpeech(t, "mary", "Hi.");
  t.Key(Qt::Key_Tab);
  t.Type("m");
  Play(t);
  ASSERT_TRUE(ListShowing());
  QTest::mouseClick(ScriptClient(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 10));
  Application->ProcessMessages();
  EXPECT_FALSE(ListShowing());
}

TEST_F(ProgramWindowTest, EveryParagraphShowsAtOnceAndAMaximisedWindowIsFilled) {
  testing::Typist t;
  t.Type("INT. HALL - DAY");
  for (int i = 0; i < 20; ++i) {
    t.Key(Qt::Key_Return);
    t.Type("Paragraph " + std::to_string(i) + " of the scene.");
    t.Then([this, i] {
      EXPECT_EQ(LinesWithoutInk(Shot("paragraphs")), std::vector<std::string>{}) << "after paragraph " << i;
    });
  }
  // From the start of the scene, the lines below the window wait to be shown.
  t.Key(Qt::Key_Home, Qt::ControlModifier | Qt::AltModifier);
  Play(t);
  const int before = ScriptClient()->height();
  ActionOf(MainForm->MaximizeWindowItem)->trigger();
  Application->ProcessMessages();
  EXPECT_TRUE(Area()->activeSubWindow()->isMaximized());
  EXPECT_EQ(Script().WindowState, TWindowState::wsMaximized);
  ASSERT_GT(ScriptClient()->height(), before);
  EXPECT_EQ(Script().ClientHeight(), ScriptClient()->height()) << "the script knows its new size";
  int lowest = 0;
  for (const TScreenLine& line : Script().ScreenLines)
    if (line.element) lowest = std::max<int>(lowest, line.y);
  EXPECT_GT(lowest, before) << "the lines are laid out below the old bottom";
  EXPECT_EQ(LinesWithoutInk(Shot("maximised")), std::vector<std::string>{});
}

// The title-bar buttons change the window's state from the desktop's side;
// each change lays the page out to the new size.
TEST_F(ProgramWindowTest, TheTitleBarButtonsLayThePageOutToTheWindow) {
  testing::Typist t;
  t.Type("INT. HALL - DAY");
  for (int i = 0; i < 30; ++i) {
    t.Key(Qt::Key_Return);
    t.Type("Paragraph " + std::to_string(i) + ".");
  }
  t.Key(Qt::Key_Home, Qt::ControlModifier | Qt::AltModifier);
  Play(t);
  QMdiSubWindow* sub = Area()->activeSubWindow();
  ASSERT_NE(sub, nullptr);
  const struct {
    const char* what;
    std::function<void()> press;
    bool maximised;
  } steps[] = {
      {"maximise", [sub] { sub->showMaximized(); }, true},
      {"restore", [sub] { sub->showNormal(); }, false},
      {"maximise again", [sub] { sub->showMaximized(); }, true},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    step.press();
    Application->ProcessMessages();
    EXPECT_EQ(sub->isMaximized(), step.maximised);
    EXPECT_EQ(Script().ClientWidth(), ScriptClient()->width()) << "the script knows its new size";
    EXPECT_EQ(Script().ClientHeight(), ScriptClient()->height());
    int lowest = 0;
    for (const TScreenLine& line : Script().ScreenLines)
      if (line.element) lowest = std::max<int>(lowest, line.y);
    EXPECT_GT(lowest, ScriptClient()->height() * 3 / 4) << "the lines fill the window";
    EXPECT_EQ(LinesWithoutInk(Shot("title_bar_buttons")), std::vector<std::string>{});
  }
}

TEST_F(ProgramWindowTest, TheViewFollowsTheCaretUpAndDown) {
  testing::Typist t;
  TypeLongScene(t);
  auto inView = [this](const char* what) {
    return [this, what] {
      EXPECT_TRUE(CaretInView()) << what;
      EXPECT_EQ(LinesWithoutInk(Shot("follow")), std::vector<std::string>{}) << what;
    };
  };
  t.Then(inView("typed past the bottom"));
  for (int i = 0; i < 20; ++i) t.Key(Qt::Key_Up);
  t.Then(inView("Up"));
  t.Key(Qt::Key_PageUp);
  t.Then(inView("Page Up"));
  t.Then([this] { Wheel(-2 * 120); });
  t.Then(inView("the wheel down"));
  t.Key(Qt::Key_Home, Qt::ControlModifier | Qt::AltModifier);
  t.Then(inView("Goto Top"));
  t.Then([this] { EXPECT_EQ(TopLine(), "INT. HALL - DAY"); });
  t.Key(Qt::Key_End, Qt::ControlModifier | Qt::AltModifier);
  t.Then(inView("Goto Bottom"));
  t.Then([this] { EXPECT_EQ(Script().EditBuffer(), "The end."); });
  t.Key(Qt::Key_PageUp);
  t.Then([this] { Wheel(120); });
  t.Then(inView("the wheel up"));
  Play(t);
}

TEST_F(ProgramWindowTest, TheFileBoxesAreTheDesktopsDialogsWithTheNameFieldTakingTheKeys) {
  // Paste From offers script files only; the load job tells the format.
  // clang-format off
  const QStringList kEveryFormat{
      "Quillmaster Scripts (*.SC? *.sc? *.QMW *.qmw)", "Prev. Saved Script (*.BK *.bk)", "Timed Backups (*.TMB *.tmb)",
      "ASCII File (*.DOS *.dos *.DOC *.doc *.TXT *.txt)", "Rich Text Format (*.RTF *.rtf)",
      "WordPerfect\u00ae (5.1/6.x) (*.WP* *.wp* *)", "MS Word\u00ae (*.DOC *.doc)", "Scriptware\u00ae Tag (*.TAG *.tag)",
      "Movie Master\u00ae (*.SCR *.scr)", "WordStar\u00ae (*.WDS *.wds *)", "StoryDev\u00ae Exchange (*.DSW *.dsw)",
      "All Files (*.*) (*)"};
  // clang-format on
  const struct {
    const char* what;
    TMenuItem* item;
    QString title;
    QStringList filters;
  } cases[] = {
      {"Open", MainForm->FileOpenItem, "Open", kEveryFormat},
      {"Paste from", MainForm->PastefromItem, "Paste From...", {kEveryFormat.front()}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    testing::Typist t;
    t.Then([&] { ActionOf(c.item)->trigger(); });
    t.When([&] { return FileDialog() && FileDialog()->isActiveWindow(); },
           [&] {
             QFileDialog* dialog = FileDialog();
             EXPECT_EQ(dialog->windowTitle(), c.title);
             EXPECT_EQ(dialog->nameFilters(), c.filters);
             auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
             EXPECT_TRUE(field && dialog->isAncestorOf(field)) << "the name field has the focus";
           });
    t.Key(Qt::Key_Escape);
    Play(t);
    EXPECT_EQ(FileDialog(), nullptr) << "Escape closed it";
    EXPECT_EQ(DocumentCount, 1) << "nothing was opened";
  }
}

// A name the desktop's dialog hands back is the system's bytes: a script
// saved as "café.qmw" is found under that name, not under a code-page twin.
TEST_F(ProgramWindowTest, ANameChosenInTheDesktopsDialogKeepsItsLetters) {
  const std::string name = "caf\u00e9 \u0436.qmw";
  testing::Typist t;
  t.Type("EXT. GARDEN - DAY");
  t.Key(Qt::Key_F10);
  t.When([&] { return FileDialog() && FileDialog()->isActiveWindow(); },
         [&] {
           // Letters outside ASCII have no test key; the field takes them as text.
           auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
           ASSERT_NE(field, nullptr);
           field->setText(QString::fromStdString(name));
         });
  t.Key(Qt::Key_Return);
  Play(t);
  const std::string saved = ScriptDirectory + "/" + name;
  ASSERT_TRUE(RunUntil([&] { return FileExists(saved); }, 20000)) << saved;
  EXPECT_EQ(Script().ScriptFileName, saved);
}

TEST_F(ProgramWindowTest, ScriptWindowsAreTitledAndListedInTheWindowMenu) {
  const std::string first = Script().ScriptFileName;
  ActionOf(MainForm->FileNewItem)->trigger();
  Application->ProcessMessages();
  ASSERT_EQ(DocumentCount, 2);
  const std::string second = Script().ScriptFileName;
  QStringList titles;
  for (QMdiSubWindow* sub : Area()->subWindowList()) titles << sub->windowTitle();
  EXPECT_EQ(titles, QStringList({QString::fromStdString(first), QString::fromStdString(second)}));

  // The Window menu as it opens: its commands, a separator, the scripts.
  QMenu* menu = ActionOf(MainForm->WindowMenu)->menu();
  menu->popup(QPoint(0, 0));
  Application->ProcessMessages();
  QStringList shown;
  for (QAction* a : menu->actions()) {
    if (!a->isVisible()) continue;
    shown << (a->isSeparator() ? "-" : (a->isChecked() ? "* " : "") + a->text());
  }
  menu->hide();
  EXPECT_EQ(shown, QStringList({"&Cascade", "&Tile", "&Arrange Icons", "&Minimize All", "Ma&ximize",
                                "&View As Index Cards\tCtrl+V", "Redra&w Screen", "-",
                                "&1 " + QString::fromStdString(first), "* &2 " + QString::fromStdString(second)}));
  EXPECT_TRUE(RunUntil([&] {
    return MainWindow()->windowTitle() == QString::fromStdString("Quillmaster for Windows - [" + second + "]");
  })) << MainWindow()->windowTitle().toStdString();

  // Choosing the first script from the menu brings it forward.
  ActionOf(MainForm->DocItems[0])->trigger();
  Application->ProcessMessages();
  EXPECT_EQ(Script().ScriptFileName, first);
  EXPECT_EQ(Area()->activeSubWindow()->windowTitle(), QString::fromStdString(first));
}

// Dialogs, pick lists and resized windows give the toolkit no negative
// sizes (the frame of a window was once taken from a size not yet laid out).
TEST_F(ProgramWindowTest, NoWindowIsGivenANegativeSize) {
  static std::vector<std::string> warnings;
  warnings.clear();
  const QtMessageHandler previous =
      qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
        if (text.contains("Negative size")) warnings.push_back(text.toStdString());
      });
  testing::Typist t;
  t.Type("EXT. GARDEN - DAY");
  t.Key(Qt::Key_Return);
  t.Key(Qt::Key_Tab);
  t.Type("mary");
  t.Key(Qt::Key_Return);
  t.Key(Qt::Key_Return);
  t.Type("INT.");
  t.Key(Qt::Key_Escape);
  t.Key(Qt::Key_Return);
  t.Key(Qt::Key_Tab);
  t.Type("m");
  t.Key(Qt::Key_Escape);
  t.Then([] { ShowMessageBox("A box with a message.", "Attention"); });
  t.When([] { return MyNewMsgBox && MyNewMsgBox->Visible() && WindowOf(*MyNewMsgBox)->isActiveWindow(); }, [] {});
  t.Key(Qt::Key_Return);
  t.Then([this] { ActionOf(MainForm->FileOpenItem)->trigger(); });
  t.When([this] { return FileDialog() && FileDialog()->isActiveWindow(); }, [] {});
  t.Key(Qt::Key_Escape);
  t.Then([this] { ActionOf(MainForm->MaximizeWindowItem)->trigger(); });
  t.Then([this] { MainWindow()->resize(500, 400); });
  Play(t);
  qInstallMessageHandler(previous);
  EXPECT_EQ(warnings, std::vector<std::string>{});
}

// The main window as the writer first sees it: the menu bar with the
// program's menus (the key menus hidden) and the tool bar of flat buttons.
TEST_F(ProgramWindowTest, TheMainWindowShowsItsMenusAndToolBar) {
  QWidget* window = WindowOf(*MainForm);
  auto* peer = dynamic_cast<FormPeer*>(MainForm->Peer());
  ASSERT_NE(peer, nullptr);
  QMenuBar* bar = peer->MenuBar();
  ASSERT_NE(bar, nullptr);
  QStringList titles;
  for (QAction* a : bar->actions())
    if (a->isVisible()) titles << a->text().trimmed();
  EXPECT_EQ(titles, QStringList({"&File", "&Edit", "For&mat", "&Search", "&Goto", "S&pell", "&Window", "&Help",
                                 "P&roduction"}));

  TOfficeButton* bold = MainForm->ToolBar().Button("BoldBtn");
  ASSERT_TRUE(bold->Showing());
  Application->ProcessMessages();
  const QImage shot = Grab(*window);
  ASSERT_TRUE(shot.save(ScreenshotPath("main-window")));
  QWidget* boldWidget = ClientOf(*bold);
  ASSERT_NE(boldWidget, nullptr);
  const QRect boldRect(boldWidget->mapTo(window, QPoint(0, 0)), boldWidget->size());
  // Grey while the mouse is away, but drawn: pixels well off the button face.
  int drawn = 0;
  for (int y = boldRect.top(); y <= boldRect.bottom(); ++y)
    for (int x = boldRect.left(); x <= boldRect.right(); ++x) drawn += qGray(shot.pixel(x, y)) < 170;
  EXPECT_GT(drawn, 10) << "the B of the Bold button";
  QWidget* panel = ClientOf(*MainForm->ToolBar().Panel());
  ASSERT_NE(panel, nullptr);
  EXPECT_LT(panel->mapTo(window, QPoint(0, 0)).y(), ScriptClient()->mapTo(window, QPoint(0, 0)).y())
      << "the tool bar sits above the scripts";
}

}  // namespace
}  // namespace qm
