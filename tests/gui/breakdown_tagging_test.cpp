// Tagging mode on the desktop: a word marked with the keyboard and tagged
// as a prop shows in tagging mode, and the window says which mode it is in.
#include <QApplication>
#include <QTimer>
#include <QtTest/QTest>

#include <fstream>

#include "breakdown/breakdowns_run_dialog.h"
#include "breakdown/categories.h"
#include "breakdown/tagging.h"
#include "gui/breakdown_gui_fixture.h"
#include "platform/forms.h"
#include "platform/pdf_printer.h"
#include "platform/printer.h"
#include "shell/main_form.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

using testing::Props;
using BreakdownTaggingTest = testing::BreakdownGuiFixture;

TEST_F(BreakdownTaggingTest, AWordMarkedAndTaggedShowsInTaggingMode) {
  testing::Typist t;
  t.Type("INT. BARN - DAY");
  t.Key(Qt::Key_Return);
  t.Type("He lifts a gun.");
  t.Key(Qt::Key_Left);
  for (int i = 0; i < 3; ++i) t.Key(Qt::Key_Left, Qt::ShiftModifier);
  Play(t);
  ASSERT_GE(Script().CurrentElement()->blockStart, 0);

  MainForm->MenuItem("TaggingModeItem")->Click();
  Application->ProcessMessages();
  ASSERT_TRUE(TaggingModeOn());
  EXPECT_TRUE(MainForm->MenuItem("TaggingModeItem")->Checked);
  EXPECT_EQ(MainForm->Caption(), "Breakdown Tagging Mode");

  TagSelectionWithCategory(Script(), Props);
  Application->ProcessMessages();
  const std::string tagged = "He lifts a " + Tag(Props, "gun") + ".";
  EXPECT_EQ(Script().EditBuffer(), tagged);
  Script().Invalidate();
  Application->ProcessMessages();
  EXPECT_EQ(LinesWithoutInk(Shot("breakdown-tagging-mode")), std::vector<std::string>{});

  MainForm->MenuItem("TaggingModeItem")->Click();
  Application->ProcessMessages();
  EXPECT_FALSE(TaggingModeOn());
  EXPECT_EQ(MainForm->Caption(), "Quillmaster for Windows");
}

// As a writer does it: a word marked, a right click on it and Vehicles
// chosen from the categories; the tag shows its category on screen, and
// Print Standard Breakdowns on the dialog's defaults lists the item.
TEST_F(BreakdownTaggingTest, ARightClickTagsAWordThatShowsAndTheStandardBreakdownsList) {
  constexpr int Vehicles = 22;
  ShowScript({{ekSceneHeading, "INT. BARN - DAY"},
              {ekAction, "A truck waits."},
              {ekCharacterName, "ANN"},
              {ekDialogue, "Go."}},
             1);
  // Marked before tagging mode: in it, Shift let go offers the categories
  // at once.
  testing::Typist t;
  t.Key(Qt::Key_Home);
  t.Key(Qt::Key_Right);
  t.Key(Qt::Key_Right);
  for (int i = 0; i < 5; ++i) t.Key(Qt::Key_Right, Qt::ShiftModifier);
  Play(t);
  MainForm->MenuItem("TaggingModeItem")->Click();
  Application->ProcessMessages();
  ASSERT_TRUE(TaggingModeOn());
  Later(100, [] { EXPECT_TRUE(ClickPopupItem("&Vehicles")) << "the categories are offered"; });
  QTest::mouseClick(ScriptClient(), Qt::RightButton, {}, QPoint(150, 60));
  Application->ProcessMessages();
  EXPECT_EQ(Script().EditBuffer(), "A " + Tag(Vehicles, "truck") + " waits.");
  Script().Invalidate();
  Application->ProcessMessages();
  bool labelled = false;
  for (const TScreenLine& line : Script().ScreenLines) labelled = labelled || line.text == "A [Vehicles truck] waits.";
  EXPECT_TRUE(labelled) << "the tag shows its category";
  EXPECT_EQ(LinesWithoutInk(Shot("breakdown-right-click-tag")), std::vector<std::string>{});

  // A production office's script: its scene numbers locked, which makes the
  // dialog leave the OMITTED scenes out.
  Script().ScenesLocked = 1;
  const std::string pdf = Home() + "/Breakdowns.pdf";
  // The file named beforehand, as batch printing does: no save dialog asks.
  auto* device = dynamic_cast<PdfPrinterDevice*>(Printer()->Device());
  ASSERT_NE(device, nullptr) << "the PDF printer is the one selected";
  device->NextOutputFile = pdf;
  bool dialogShown = false;
  testing::Typist print;
  print.Then([] { QTimer::singleShot(0, [] { MainForm->MenuItem("PrintBreakdownsItem")->Click(); }); });
  print.When([] { return dynamic_cast<TBreakdownDlg*>(Screen->ActiveForm()) != nullptr; },
             [&dialogShown] {
               dialogShown = true;
               auto* dialog = dynamic_cast<TBreakdownDlg*>(Screen->ActiveForm());
               QTest::mouseClick(ClientOf(*dialog->OKBtn), Qt::LeftButton);
             });
  print.When([&pdf] { return std::ifstream(pdf).good(); }, [] {});
  Play(print, 60000);
  EXPECT_TRUE(dialogShown);
  const std::string text = testing::CommandOutput("pdftotext -layout '" + pdf + "' -");
  EXPECT_NE(text.find("INT. BARN - DAY"), std::string::npos) << text;
  EXPECT_NE(text.find("Vehicles:"), std::string::npos) << text;
  EXPECT_NE(text.find("truck"), std::string::npos) << text;
}

}  // namespace
}  // namespace qm
