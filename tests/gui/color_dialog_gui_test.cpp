// The colour dialog on the desktop: the desktop's own colour dialog opens
// on the colour with the program's custom colours, and its answer (or its
// Cancel) comes back.
#include <QApplication>
#include <QColorDialog>

#include "gui/gui_fixture.h"
#include "platform/color_dialog.h"

namespace qm {
namespace {

using ColorDialogGuiTest = testing::GuiFixture;

TEST_F(ColorDialogGuiTest, TheDesktopsDialogStartsOnTheColourAndGivesItsAnswer) {
  const struct {
    const char* what;
    bool accept;
    bool chosen;
    TColor color;
  } cases[] = {{"OK on a new colour", true, true, RGB(10, 20, 30)}, {"Cancel", false, false, RGB(200, 100, 50)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TColorDialog dialog(nullptr);
    dialog.Caption = std::string("Pick");
    dialog.Color = RGB(200, 100, 50);
    dialog.CustomColors = {RGB(1, 2, 3), clRed};
    QColor shown;
    QString title;
    bool seen = false;
    Later(60, [&] {
      auto* desktop = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
      if (!desktop) return;
      seen = true;
      shown = desktop->currentColor();
      title = desktop->windowTitle();
      if (!c.accept) {
        desktop->reject();
        return;
      }
      desktop->setCurrentColor(QColor(10, 20, 30));
      desktop->accept();
    });
    EXPECT_EQ(dialog.Execute(), c.chosen);
    ASSERT_TRUE(seen) << "the desktop's colour dialog came up";
    EXPECT_EQ(shown, QColor(200, 100, 50));
    EXPECT_EQ(title, "Pick");
    EXPECT_EQ(QColorDialog::customColor(0), QColor(1, 2, 3));
    EXPECT_EQ(QColorDialog::customColor(1), QColor(255, 0, 0));
    EXPECT_EQ(dialog.Color, c.color);
  }
}

}  // namespace
}  // namespace qm
