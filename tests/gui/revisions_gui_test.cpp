// A locked script in production on the desktop: each page on the paper
// colour of its revision, revision marks beside the revised lines, scene
// numbers, a script note on its box and the marker of hidden text.
#include <QApplication>
#include <QColor>
#include <QtTest/QTest>

#include "gui/program_gui_fixture.h"
#include "script/layout/margin_marks.h"
#include "script/layout/revision_colors.h"
#include "script/layout/screen_lines.h"
#include "script/layout/screen_rebuild.h"
#include "shell/main_form.h"
#include "support/script_builder.h"
#include "script/editing/editor_calls.h"

namespace qm {
namespace {

constexpr TColor Blue = 0xE6D8AD;  // light blue paper
constexpr TColor Pink = 0xCBC0FF;

QColor AsQColor(TColor c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

class RevisionsGuiTest : public testing::ProgramGuiFixture {
 protected:
  // Three pages: the white first version, a page of the blue revision and
  // one of the pink.
  void LoadLockedScript() {
    TMDIChild& w = Script();
    w.FreeElements();
    ResetScreenLines(w);
    testing::AddElements(w, {{ekSceneHeading, "INT. PRODUCTION OFFICE - DAY"},
                             {ekAction, "The first page keeps its white paper."},
                             {ekScriptNote, "Check the coffee budget."},
                             {ekLockedPageBreak, ""},
                             {ekAction, "was revised in the blue draft."},
                             {ekCharacterName, "JOHN"},
                             {ekDialogue, "I changed this line twice."},
                             {ekAction, "This is hidden."},
                             {ekAction, "After the hidden text."},
                             {ekLockedPageBreak, ""},
                             {ekSceneHeading, "EXT. PARKING LOT - NIGHT"},
                             {ekAction, "The pink page."}});
    w.RevisionColours.Clear();
    w.AddRevisionColour("WHITE", clWhite);
    w.AddRevisionColour("BLUE", Blue);
    w.AddRevisionColour("PINK", Pink);
    w.CurrentRevision = 2;
    w.PagesLocked = 1;
    w.LeftNumber = 1;
    w.RightNumber = 1;
    w.NoteColours[0] = 0x80FFFF;
    Element(3)->format.NumberWord = 1;
    Element(9)->format.NumberWord = 2;
    Element(6)->revisedLines = std::string("\x01");
    Element(7)->state = esHidden;
    Element(10)->revisedLines = std::string("\x01");
    Element(11)->storyboardLink = 1;
    w.StoryboardLinks.Add("7");
    editor::SetCurrentElement(w, Element(4));
    w.CurrentGroup = w.CurrentElement()->group;
    w.DisAssemble();
    w.RebuildElementGroups();
    SetupRevisionColorDisplay(w);
    // The script shown from its first line.
    w.CurrentElement()->screenLine = 9;
    RebuildScreen(&w);
    w.RedisplayScreen(true);
    Application->ProcessMessages();
  }
  TScriptElement* Element(int index) {
    TScriptElement* e = Script().FirstElement;
    for (int i = 0; e && i < index; ++i) e = e->next;
    return e;
  }
  // The colour of the shot in the left margin of an element's first line,
  // between the marker boxes and scene numbers and the text.
  QColor MarginColour(const QImage& shot, const TScriptElement* e) {
    const QPoint origin = ScriptClient()->mapTo(MainWindow(), QPoint(0, 0));
    const int y = Script().ScreenLines[static_cast<std::size_t>(e->screenLine)].y - 3;
    return shot.pixelColor(origin + QPoint(TenthsToScreenX(Script(), 12), y));
  }
  // Dark pixels in a box of the script window's client.
  int InkIn(const QImage& shot, QRect box) {
    box.translate(ScriptClient()->mapTo(MainWindow(), QPoint(0, 0)));
    int ink = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
      for (int x = box.left(); x <= box.right(); ++x)
        if (shot.rect().contains(x, y) && qGray(shot.pixel(x, y)) < 100) ++ink;
    return ink;
  }
};

TEST_F(RevisionsGuiTest, PagesShowTheirRevisionColourAndRevisedLinesTheirMarks) {
  MainWindow()->showMaximized();
  Script().WindowState = TWindowState::wsMaximized;
  Application->ProcessMessages();
  LoadLockedScript();
  ASSERT_EQ(Script().ShowPageColours, 1);

  // The writer revises a line on the blue page with the keyboard.
  testing::Typist typist;
  typist.Type("Page two ");
  typist.Then([&] { Element(4)->revisedLines = std::string("\x01"); });
  Play(typist);
  Script().Invalidate();
  Application->ProcessMessages();
  EXPECT_EQ(Script().EditBuffer().substr(0, 9), "Page two ");

  const QImage shot = Shot("revisions");
  EXPECT_EQ(MarginColour(shot, Element(1)), AsQColor(clWhite)) << "the first page is white";
  EXPECT_EQ(MarginColour(shot, Element(4)), AsQColor(Blue)) << "the blue revision's page";
  EXPECT_EQ(MarginColour(shot, Element(8)), AsQColor(Blue));
  EXPECT_EQ(MarginColour(shot, Element(11)), AsQColor(Pink)) << "the pink revision's page";

  // The mark stands half an inch in from the paper's right edge.
  const int markRight = PagePositionToScreenX(Script(), 5);
  for (const int index : {4, 6, 10}) {
    const TScreenLine& row = Script().ScreenLines[static_cast<std::size_t>(Element(index)->screenLine)];
    const QRect beside(markRight - 60, row.y - Script().ScreenAscent, 120, Script().ScreenAscent);
    EXPECT_GT(InkIn(shot, beside), 3) << "a mark beside " << row.text;
  }
  const TScreenLine& plain = Script().ScreenLines[static_cast<std::size_t>(Element(5)->screenLine)];
  EXPECT_EQ(InkIn(shot, QRect(markRight - 20, plain.y - Script().ScreenAscent, 20, Script().ScreenAscent)), 0)
      << "an unrevised line has none";
  // Only the hidden text, drawn grey, shows no dark ink.
  for (const std::string& line : LinesWithoutInk(shot)) EXPECT_EQ(line, "This is hidden.");
}

}  // namespace
}  // namespace qm
