// The activity wizard on the desktop: opened from its command, answered
// with real keys and clicks (Enter goes on to the next page), its variables
// dragged with the mouse, its lines written into the branching script; and
// the storyboard link form showing the frame picture from the desktop's
// clipboard.
#include <QApplication>
#include <QClipboard>
#include <QWindow>
#include <QtTest/QTest>

#include "gui/program_gui_fixture.h"
#include "platform/clipboard_image.h"
#include "platform/forms.h"
#include "script/layout/screen_rebuild.h"
#include "shell/main_form.h"
#include "story/activity_wizard_dialog.h"
#include "story/activity_wizard_pages.h"
#include "story/storyboard_link_form.h"
#include "support/script_builder.h"

namespace qm {
namespace {

class StoryboardGuiTest : public testing::ProgramGuiFixture {
 protected:
  void LoadBranchingScript() {
    TMDIChild& w = Script();
    ResetScreenLines(w);
    testing::LoadInteractiveScript(w,
                                   {{ekSceneHeading, "Start"},
                                    {ekShot, "SET <KEY> TO TRUE."},
                                    {ekAction, "The hall is dark."},
                                    {ekSceneHeading, "Cellar"},
                                    {ekAction, "Damp."}},
                                   2);
    w.RefreshKeepingCursor();
    RebuildScreen(&w);
    w.RedisplayScreen(true);
    Application->ProcessMessages();
  }
  static story::TActivityWizardDlg* Wizard() { return dynamic_cast<story::TActivityWizardDlg*>(Screen->ActiveForm()); }
};

TEST_F(StoryboardGuiTest, TheWizardIsAnsweredWithKeysAndClicksAndWritesItsLines) {
  LoadBranchingScript();
  testing::Typist t;
  auto onPage = [](int page) { return [page] { return Wizard() && Wizard()->Page() == page; }; };
  t.Then([] { MainForm->MenuItem("InteractiveWizardItem")->Click(); });
  t.When(
      [] {
        return Wizard() && WindowOf(*Wizard())->windowHandle() && WindowOf(*Wizard())->windowHandle()->isExposed();
      },
      [&] {
        story::TActivityWizardDlg& w = *Wizard();
        EXPECT_EQ(std::string(w.Caption()), "User Activity Wizard");
        EXPECT_TRUE(w.UserChoiceBtn->Checked());
        EXPECT_FALSE(w.PrevBtn->Enabled());
        SaveShot(*WindowOf(w), "activity-wizard");
      });
  t.Key(Qt::Key_Return);  // a user's choice: what can the user do?
  t.When(onPage(story::wpUserAction),
         [] { EXPECT_EQ(Screen->ActiveForm()->FocusedControl(), Wizard()->UserCanDoWhat); });
  t.Type("open the trapdoor");
  t.Then([] { Wizard()->NoNeedToKnowBtn->SetChecked(true); });
  t.Key(Qt::Key_Return);  // from the edit: the wizard takes Enter as Next
  t.When(onPage(story::wpWhatHappens), [&] {
    story::TActivityWizardDlg& w = *Wizard();
    EXPECT_EQ(std::string(w.WhatHappensQuestion->Caption()), "What happens when user chooses to open the trapdoor?");
    QTest::mouseClick(ClientOf(*w.JumpToNew), Qt::LeftButton, {}, QPoint(6, 8));
  });
  t.Then([] {
    EXPECT_TRUE(Wizard()->JumpToNew->Checked());
    EXPECT_EQ(std::string(Wizard()->NextBtn->Caption()), "&Next >>") << "a branch has a page still";
    QTest::mouseClick(ClientOf(*Wizard()->NextBtn), Qt::LeftButton);
  });
  t.When(onPage(story::wpSetJump), [&] {
    story::TActivityWizardDlg& w = *Wizard();
    ASSERT_EQ(w.AvailableJumps->Items.Count(), 2);
    const TRect second = w.AvailableJumps->ItemRect(1);
    QTest::mouseClick(ClientOf(*w.AvailableJumps), Qt::LeftButton, {}, QPoint(second.Left + 4, second.Top + 3));
    SaveShot(*WindowOf(w), "activity-wizard-targets");
  });
  t.Then([] {
    EXPECT_EQ(Wizard()->AvailableJumps->ItemIndex(), 1) << "the click chose Cellar";
    QTest::mouseClick(ClientOf(*Wizard()->NextBtn), Qt::LeftButton);  // Finish
  });
  t.When([] { return Screen->ActiveForm() && !Wizard() && Screen->ActiveForm()->Modal(); },
         [] { Screen->ActiveForm()->ModalResult = mrNo; });  // not jumping there now
  t.When([] { return !Screen->ActiveForm() || !Screen->ActiveForm()->Modal(); },
         [&] {
           const auto elements = testing::ElementsOf(Script());
           ASSERT_EQ(elements.size(), 8u);
           // The caret stood at the start of the Action: the lines go in
           // before it, as a new element there would.
           EXPECT_EQ(elements[2], (testing::ElementSpec{ekShot, "IF YOU open the trapdoor then"}));
           EXPECT_EQ(elements[3], (testing::ElementSpec{ekTransition, "GO TO CELLAR (2)"}));
           EXPECT_EQ(elements[4], (testing::ElementSpec{ekShot, "ENDIF"}));
           EXPECT_EQ(elements[5], (testing::ElementSpec{ekAction, "The hall is dark."}));
         });
  Play(t, 30000);
}

TEST_F(StoryboardGuiTest, TheFramePictureOnTheDesktopsClipboardShowsInTheLinkForm) {
  TMDIChild& w = Script();
  ResetScreenLines(w);
  testing::LoadInteractiveScript(w, {{ekSceneHeading, "Start"}, {ekAction, "The hall is dark."}}, 1);
  w.StoryboardLinks.Add("7");
  w.CurrentElement()->storyboardLink = 1;
  RebuildScreen(&w);
  Application->ProcessMessages();

  // What another program put there, in the desktop's own form.
  QImage frame(40, 30, QImage::Format_RGB32);
  frame.fill(QColor(200, 30, 10));
  QGuiApplication::clipboard()->setImage(frame);
  ASSERT_TRUE(ClipboardHasPicture());
  const auto picture = ClipboardPicture();
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Width, 40);
  EXPECT_EQ(picture->At(5, 5), static_cast<TColor>(0x0A1EC8));

  story::ShowStoryboardLinkForm(7);
  story::TStoryBoardLinkForm* form = story::StoryboardLinkForm();
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Image1->Picture.Width(), 40);
  Application->ProcessMessages();
  ASSERT_EQ(story::StoryboardLinkForm(), form) << "still open";
  for (const TButton* button : {form->DeleteLinkBtn, form->CancelBtn})
    EXPECT_LE(button->Top + button->Height, form->ClientHeight()) << button->Caption() << " shows whole";
  QWidget* image = ClientOf(*form->Image1);
  const QImage shown = Grab(*image);
  EXPECT_EQ(shown.pixelColor(image->width() / 2, image->height() / 2), QColor(200, 30, 10)) << "drawn in the form";
  SaveShot(*WindowOf(*form), "storyboard-link-form");
  form->CancelBtn->Click();
  Application->ProcessMessages();

  // And the way back: a picture the program puts there is the desktop's.
  TPixelImage ours;
  ours.Width = 3;
  ours.Height = 2;
  ours.Pixels.assign(6, 0x00FF00);
  SetClipboardPicture(ours);
  const QImage seen = QGuiApplication::clipboard()->image();
  EXPECT_EQ(seen.size(), QSize(3, 2));
  EXPECT_EQ(seen.pixelColor(1, 1), QColor(0, 255, 0));
}

// A press, a move with the button held and a release, as the desktop's
// window gets them: the list pressed keeps the mouse until the release.
void DragWithMouse(QWidget* pressed, QPoint from, QWidget* over, QPoint to) {
  QWidget* top = pressed->window();
  QWindow* window = top->windowHandle();
  const QPoint start = pressed->mapTo(top, from);
  const QPoint end = over->mapTo(top, to);
  QTest::mouseMove(window, start);
  QTest::mousePress(window, Qt::LeftButton, {}, start);
  QTest::mouseMove(window, (start + end) / 2);
  QTest::mouseMove(window, end);
  QTest::mouseRelease(window, Qt::LeftButton, {}, end);
}

TEST_F(StoryboardGuiTest, VariablesAreDraggedIntoTheCheckListWithTheMouse) {
  TMDIChild& w = Script();
  ResetScreenLines(w);
  testing::LoadInteractiveScript(w,
                                 {{ekSceneHeading, "Start"},
                                  {ekShot, "SET <KEY> TO TRUE."},
                                  {ekShot, "SET <LAMP> TO TRUE."},
                                  {ekAction, "The hall is dark."}},
                                 3);
  w.RefreshKeepingCursor();
  RebuildScreen(&w);
  w.RedisplayScreen(true);
  Application->ProcessMessages();
  const auto row = [](TListBox& list, int index) {
    const TRect r = list.ItemRect(index);
    return QPoint(r.Left + 6, r.Top + 3);
  };
  testing::Typist t;
  t.Then([] { MainForm->MenuItem("InteractiveWizardItem")->Click(); });
  t.When(
      [] {
        return Wizard() && WindowOf(*Wizard())->windowHandle() && WindowOf(*Wizard())->windowHandle()->isExposed();
      },
      [] {
        Wizard()->JustChecking->SetChecked(true);
        QTest::mouseClick(ClientOf(*Wizard()->NextBtn), Qt::LeftButton);
      });
  t.When([] { return Wizard() && Wizard()->Page() == story::wpCheckVariables; },
         [&] {
           story::TActivityWizardDlg& wizard = *Wizard();
           TListBox& available = *wizard.availableVariables;
           TListBox& checked = *wizard.TrueVariableList;
           ASSERT_EQ(available.Items.Count(), 2);
           // LAMP into the empty list, then KEY dropped on LAMP's row goes before it.
           DragWithMouse(ClientOf(available), row(available, 1), ClientOf(checked), QPoint(20, 4));
           ASSERT_EQ(checked.Items.Count(), 1);
           EXPECT_EQ(checked.Items[0], "LAMP");
           DragWithMouse(ClientOf(available), row(available, 0), ClientOf(checked), row(checked, 0));
           ASSERT_EQ(checked.Items.Count(), 2);
           EXPECT_EQ(checked.Items[0], "KEY");
           EXPECT_EQ(checked.Items[1], "LAMP");
           EXPECT_EQ(available.Items.Count(), 0);
           // Within the list: KEY dropped below LAMP.
           DragWithMouse(ClientOf(checked), row(checked, 0), ClientOf(checked), QPoint(20, 3 * checked.ItemHeight));
           EXPECT_EQ(checked.Items[0], "LAMP");
           EXPECT_EQ(checked.Items[1], "KEY");
           SaveShot(*WindowOf(wizard), "activity-wizard-dragged");
           QTest::mouseClick(ClientOf(*wizard.NextBtn), Qt::LeftButton);
         });
  t.When([] { return Wizard() && Wizard()->Page() == story::wpWhatHappens; },
         [] { QTest::mouseClick(ClientOf(*Wizard()->NextBtn), Qt::LeftButton); });  // Finish: events happen
  t.When([] { return !Screen->ActiveForm() || !Screen->ActiveForm()->Modal(); },
         [&] {
           bool found = false;
           for (const auto& e : testing::ElementsOf(Script()))
             found = found || e == testing::ElementSpec{ekShot, "IF YOU <LAMP> and <KEY> then"};
           EXPECT_TRUE(found) << "the line checks the variables in the order they were dropped";
         });
  Play(t, 30000);
}

}  // namespace
}  // namespace qm
