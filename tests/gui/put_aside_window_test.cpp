// A window placed wholly off the screen is put aside: it goes out of sight
// before it moves there, so that no window manager ever holds it (and
// keeps a strip of it in view) at a place off the screen, and it comes back
// where it is placed on the screen again.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QMoveEvent>
#include <QObject>
#include <QRect>
#include <QWidget>

#include <memory>
#include <string>
#include <vector>

#include "gui/gui_fixture.h"
#include "platform/forms.h"

namespace qm {
namespace {

// Each place the window is moved to while it is shown.
class ShownMoves : public QObject {
 public:
  std::vector<QPoint> places;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    auto* window = static_cast<QWidget*>(watched);
    if (event->type() == QEvent::Move && window->isVisible()) places.push_back(static_cast<QMoveEvent*>(event)->pos());
    return false;
  }
};

struct PutAsideCase {
  const char* name;
  int left, top;  // the place off the screen, as the form is given it
};

using PutAsideWindowTest = testing::GuiFixture;

TEST_F(PutAsideWindowTest, AWindowPlacedOffTheScreenGoesOutOfSightBeforeItMovesThere) {
  std::unique_ptr<TForm> form(NewForm(TFormStyle::fsNormal, "Progress", 300, 200));
  form->BorderStyle = TFormBorderStyle::bsDialog;
  const int onLeft = (Screen->Width() - form->Width()) / 2, onTop = (Screen->Height() - form->Height()) / 2;
  form->SetBounds(onLeft, onTop, form->Width(), form->Height());
  form->Show();
  QWidget* window = WindowOf(*form);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(RunUntil([&] { return window->isVisible(); }));
  const std::vector<PutAsideCase> cases = {
      {"left of the screen", -form->Width(), onTop},
      {"right of the screen", Screen->Width() + 10, onTop},
      {"above the screen", onLeft, -form->Height() - 10},
  };
  for (const PutAsideCase& c : cases) {
    SCOPED_TRACE(c.name);
    ShownMoves moves;
    window->installEventFilter(&moves);
    form->Left = c.left;
    form->Top = c.top;
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->isVisible()) << "put aside, it is out of sight";
    const QRect screen(0, 0, Screen->Width(), Screen->Height());
    for (const QPoint& place : moves.places)
      EXPECT_TRUE(screen.contains(QRect(place, window->size()))) << "shown at " << place.x() << "," << place.y();
    form->Left = onLeft;
    form->Top = onTop;
    EXPECT_TRUE(RunUntil([&] { return window->isVisible(); })) << "back on the screen, it shows";
    EXPECT_EQ(window->pos(), QPoint(onLeft, onTop));
    window->removeEventFilter(&moves);
  }
}

}  // namespace
}  // namespace qm
