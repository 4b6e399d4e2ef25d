// A block marked on the desktop with real mouse events: pressed, dragged
// and released over a typed line, then painted as the selection.
#include <QMouseEvent>
#include <QtTest/QTest>

#include "base/document_table.h"
#include "base/global_state.h"
#include "gui/program_gui_fixture.h"
#include "script/layout/screen_lines.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/program_start.h"

namespace qm {
namespace {

class SelectionTest : public testing::ProgramGuiFixture {
 protected:
  // The middle of a column of the first screen line.
  QPoint PointOf(int column) {
    TMDIChild& w = Script();
    int x = w.LeftTextOffset + ScreenLeftOf(w, w.CurrentElement()->format);
    for (int i = 0; i < column; ++i)
      x += w.ScreenWidths[wsPlain][static_cast<unsigned char>(w.EditBuffer()[static_cast<std::size_t>(i)])];
    const TScreenLine& line = w.ScreenLines[1];
    return QPoint(x + 2, w.TextTopOffset + line.height / 2);
  }
  void Send(QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QWidget* widget = ScriptClient();
    QMouseEvent event(type, at, widget->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
    Application->ProcessMessages();
  }
};

TEST_F(SelectionTest, ADragWithTheMouseMarksAndPaintsTheBlock) {
  ASSERT_NE(ScriptClient(), nullptr);
  Script().SetFocus();
  QTest::keyClicks(ScriptClient(), "Alpha beta gamma delta.");
  Application->ProcessMessages();
  const QPoint from = PointOf(6);
  const QPoint to = PointOf(16);
  Send(QEvent::MouseButtonPress, from, Qt::LeftButton);
  Send(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
  Send(QEvent::MouseMove, to, Qt::LeftButton);
  Send(QEvent::MouseButtonRelease, to, Qt::NoButton);

  ASSERT_EQ(Script().BlockOn(), 1);
  EXPECT_EQ(Script().CurrentElement()->blockStart, 6);
  EXPECT_EQ(Script().CurrentElement()->blockEnd, 16);

  Script().Invalidate();
  Application->ProcessMessages();
  const QImage shot = Grab(*WindowOf(*MainForm));
  shot.save(ScreenshotPath("selection"));
  // The selected words are painted on the highlight: dark pixels across
  // their width that the unselected start of the line lacks.
  const QPoint origin = ScriptClient()->mapTo(WindowOf(*MainForm), QPoint(0, 0));
  const int height = Script().ScreenLines[1].height;
  const int top = origin.y() + Script().TextTopOffset;
  const QRect selected(origin.x() + from.x() + 2, top, to.x() - from.x() - 4, height);
  const QRect plain(origin.x() + PointOf(0).x(), top, from.x() - PointOf(0).x() - 4, height);
  const double selectedInk = DarkPixels(shot, selected) / double(selected.width() * selected.height());
  const double plainInk = DarkPixels(shot, plain) / double(plain.width() * plain.height());
  EXPECT_GT(selectedInk, 0.3) << "the block is drawn on the highlight";
  EXPECT_LT(plainInk, 0.2) << "the text before it is not";
}

TEST_F(SelectionTest, ADoubleClickOnTheDesktopSelectsTheWord) {
  ASSERT_NE(ScriptClient(), nullptr);
  Script().SetFocus();
  QTest::keyClicks(ScriptClient(), "Alpha beta gamma.");
  Application->ProcessMessages();
  // The events a double click brings on the desktop.
  const QPoint word = PointOf(7);
  Send(QEvent::MouseButtonPress, word, Qt::LeftButton);
  Send(QEvent::MouseButtonRelease, word, Qt::NoButton);
  Send(QEvent::MouseButtonDblClick, word, Qt::LeftButton);
  Send(QEvent::MouseButtonRelease, word, Qt::NoButton);
  ASSERT_EQ(Script().BlockOn(), 1);
  EXPECT_EQ(Script().CurrentElement()->blockStart, 6);
  EXPECT_EQ(Script().CurrentElement()->blockEnd, 11) << "the word and the blank after it";
}

}  // namespace
}  // namespace qm
