// The linkage graph on the desktop: Alt+F11 opens it on the target at the
// caret, its boxes and coloured arrows show, and a real right click on a
// box returns to the script at that target.
#include <QApplication>
#include <QtTest/QTest>

#include "gui/program_gui_fixture.h"
#include "platform/forms.h"
#include "script/layout/screen_rebuild.h"
#include "shell/main_form.h"
#include "story/linkage_graph_dialog.h"
#include "support/script_builder.h"

namespace qm {
namespace {

class LinkageGraphGuiTest : public testing::ProgramGuiFixture {
 protected:
  void LoadBranchingScript() {
    TMDIChild& w = Script();
    ResetScreenLines(w);
    // The branch point under Start is current.
    testing::LoadInteractiveScript(w,
                                   {{ekSceneHeading, "Start"},
                                    {ekTransition, "GO TO LEFT (2)\xA7GO TO RIGHT (3)"},
                                    {ekShot, "IF <KEY> THEN"},
                                    {ekTransition, "GO TO BACK (4)"},
                                    {ekShot, "ENDIF"},
                                    {ekSceneHeading, "Left"},
                                    {ekTransition, "GO TO RIGHT (3)"},
                                    {ekSceneHeading, "Right"},
                                    {ekSceneHeading, "Back"},
                                    {ekTransition, "GO TO START (1)"}},
                                   1);
    w.RefreshKeepingCursor();
    RebuildScreen(&w);
    w.RedisplayScreen(true);
    Application->ProcessMessages();
  }
};

int CountPixels(const QImage& image, QRgb colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
  return count;
}

TEST_F(LinkageGraphGuiTest, AltF11ShowsTheGraphAndARightClickReturnsToTheTarget) {
  LoadBranchingScript();
  MainForm->UpdateMenusAndButtons();
  auto graph = [] { return dynamic_cast<story::TLinkagesDlg*>(Screen->ActiveForm()); };
  testing::Typist t;
  t.Key(Qt::Key_F11, Qt::AltModifier);
  t.When(
      [&] { return graph() && WindowOf(*graph())->windowHandle() && WindowOf(*graph())->windowHandle()->isExposed(); },
      [&] {
        story::TLinkagesDlg& dialog = *graph();
        EXPECT_EQ(dialog.SelectedNumber(), 1);
        const QImage shot = SaveShot(*WindowOf(dialog), "linkage-graph");
        EXPECT_EQ(dialog.Drawing().Boxes().size(), 4u);
        EXPECT_GT(CountPixels(shot, qRgb(0, 0, 255)), 20) << "unconditional arrows are drawn blue";
        EXPECT_GT(CountPixels(shot, qRgb(255, 0, 0)), 10) << "the conditional arrow is drawn red";
        bool clicked = false;
        for (const auto& box : dialog.Drawing().Boxes())
          if (box.number == 3) {
            QTest::mouseClick(ClientOf(*dialog.PaintBox1), Qt::RightButton, {}, QPoint(box.x + 3, box.y + 3));
            clicked = true;
          }
        EXPECT_TRUE(clicked) << "Right's box is drawn";
        if (dialog.ModalResult == mrNone) dialog.ModalResult = mrCancel;  // never leave the test hanging
      });
  t.When([&] { return graph() == nullptr; },
         [&] {
           ASSERT_NE(Script().CurrentElement(), nullptr);
           EXPECT_EQ(Script().CurrentElement()->Kind(), ekSceneHeading);
           EXPECT_EQ(Script().CurrentElement()->format.NumberWord, 3) << "the right click returns to Right";
         });
  Play(t, 30000);
}

}  // namespace
}  // namespace qm
