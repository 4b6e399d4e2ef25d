// The tool bar and the program's own small controls on the desktop: the
// hover bevel coming and going with the real pointer, the element box
// dropping its list, and the window-less button and bordered label drawn
// by the program.
#include <QtTest/QTest>

#include <memory>

#include "base/document_table.h"
#include "gui/gui_fixture.h"
#include "gui/program_gui_fixture.h"
#include "platform/office_button.h"
#include "shell/main_form.h"
#include "shell/splash_screen.h"
#include "shell/tool_bar.h"

namespace qm {
namespace {

class ToolBarGuiTest : public testing::ProgramGuiFixture {
 protected:
  TToolBar& Bar() { return MainForm->ToolBar(); }
  QPoint Centre(const TControl& control) {
    QWidget* w = ClientOf(control);
    return w ? w->rect().center() : QPoint();
  }
};

TEST_F(ToolBarGuiTest, TheBevelFollowsThePointerOnAndOffAButton) {
  bool done = false;
  MainForm->AppIdle(nullptr, done);
  TOfficeButton& save = *Bar().Button("SaveBtn");
  ASSERT_TRUE(save.Showing());
  QWidget* button = ClientOf(save);
  ASSERT_NE(button, nullptr);
  QTest::mouseMove(button, button->rect().center());
  ASSERT_TRUE(RunUntil([&] { return save.BevelShown(); })) << "the pointer over it raises the bevel";
  Application->ProcessMessages();
  SaveShot(*WindowOf(*MainForm), "tool-bar-hover");
  QTest::mouseMove(ScriptClient(), ScriptClient()->rect().center());
  EXPECT_TRUE(RunUntil([&] { return !save.BevelShown(); })) << "leaving it lowers the bevel again";
}

TEST_F(ToolBarGuiTest, TheElementBoxButtonDropsTheListUnderTheBox) {
  TControl& box = *Bar().CurrentElement();
  ASSERT_TRUE(box.Showing());
  QWidget* button = ClientOf(*Bar().ElementBoxBtn());
  ASSERT_NE(button, nullptr);
  QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
  TListBox& list = *MainForm->ElementPopDownList;
  ASSERT_TRUE(RunUntil([&] { return list.Visible(); }));
  Application->ProcessMessages();
  QWidget* window = WindowOf(*MainForm);
  QWidget* boxWidget = ClientOf(box);
  QWidget* listWidget = ClientOf(list);
  ASSERT_NE(listWidget, nullptr);
  EXPECT_EQ(listWidget->mapTo(window, QPoint(0, 0)), boxWidget->mapTo(window, QPoint(0, boxWidget->height())));
  SaveShot(*window, "tool-bar-element-list");
  QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
  EXPECT_TRUE(RunUntil([&] { return !list.Visible(); })) << "a second click takes it up";
}

// The splash as the desktop shows it: the logo, the version and date, and
// the bar filled to its percentage in dark blue.
class SplashGuiTest : public testing::GuiFixture {};

TEST_F(SplashGuiTest, TheSplashShowsItsLogoAndItsBar) {
  TSplashScreen splash(nullptr);
  splash.InitializeSplashSettings();
  splash.Show();
  splash.UpdateBar(true, 50);
  Application->ProcessMessages();
  QWidget* window = WindowOf(splash);
  ASSERT_NE(window, nullptr);
  const QImage shot = Grab(*window);
  ASSERT_TRUE(shot.save(ScreenshotPath("splash")));
  const int h = shot.height();
  const QColor filled(shot.pixel(30, h - 36));
  const QColor empty(shot.pixel(shot.width() - 30, h - 36));
  EXPECT_EQ(filled, QColor(0, 0, 128)) << "the done part of the bar";
  EXPECT_NE(empty, QColor(0, 0, 128)) << "the rest of it";
  EXPECT_GT(DarkPixels(shot, QRect(24, 30, 300, 50)), 50) << "the logo";
  splash.Hide();
}

// A form of the program's own: a bordered label and a window-less button,
// both drawn by the program.
class OwnControlsGuiTest : public testing::GuiFixture {};

TEST_F(OwnControlsGuiTest, TheBorderedLabelAndTheWindowLessButtonAreDrawnByTheProgram) {
  std::unique_ptr<TForm> owned(NewForm(TFormStyle::fsNormal, "Controls", 240, 100));
  TForm* form = owned.get();
  auto* label = MakeControl<TBtrLabel>(form, form, "NameLabel", 10, 10, 120, 24, "Character &Name");
  label->AutoSize = false;
  label->Border = true;
  label->BorderColor = clRed;
  auto* button = MakeControl<TExplorerButton>(form, form, "PilotBtn", 150, 10, 40, 40);
  button->Glyph = [](TCanvas& c, const TRect& a, TGlyphLook look) {
    c.Brush.Style = TBrushStyle::bsSolid;
    c.Brush.Color = look == TGlyphLook::Normal ? clBlue : clBtnShadow;
    c.FillRect(TRect{a.Left + 4, a.Top + 4, a.Right - 4, a.Bottom - 4});
  };
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  form->Show();
  Application->ProcessMessages();
  QWidget* labelWidget = ClientOf(*label);
  QWidget* buttonWidget = ClientOf(*button);
  ASSERT_NE(labelWidget, nullptr);
  ASSERT_NE(buttonWidget, nullptr);
  QTest::mouseMove(buttonWidget, buttonWidget->rect().center());
  ASSERT_TRUE(RunUntil([&] { return button->BevelShown(); }));
  Application->ProcessMessages();
  QWidget* window = WindowOf(*form);
  const QImage shot = Grab(*window);
  ASSERT_TRUE(shot.save(ScreenshotPath("own-controls")));
  const QPoint frame = labelWidget->mapTo(window, QPoint(0, 0));
  EXPECT_EQ(QColor(shot.pixel(frame)), QColor(Qt::red)) << "the label's frame in its border colour";
  EXPECT_GT(DarkPixels(shot, QRect(labelWidget->mapTo(window, QPoint(0, 0)), labelWidget->size())), 10)
      << "the label's text";
  const QPoint centre = buttonWidget->mapTo(window, buttonWidget->rect().center());
  EXPECT_EQ(QColor(shot.pixel(centre)), QColor(Qt::blue)) << "the picture in its colours under the pointer";
  QTest::mouseClick(buttonWidget, Qt::LeftButton, {}, buttonWidget->rect().center());
  EXPECT_TRUE(RunUntil([&] { return clicks == 1; }));
}

}  // namespace
}  // namespace qm
