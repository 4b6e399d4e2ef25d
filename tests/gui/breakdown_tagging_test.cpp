// Tagging mode on the desktop: a word marked with the keyboard and tagged
// as a prop shows in tagging mode, and the window says which mode it is in.
#include <QtTest/QTest>

#include "breakdown/categories.h"
#include "breakdown/tagging.h"
#include "gui/breakdown_gui_fixture.h"
#include "shell/main_form.h"

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
  ASSERT_GE(Script().CurrentElement->blockStart, 0);

  MainForm->MenuItem("TaggingModeItem")->Click();
  Application->ProcessMessages();
  ASSERT_TRUE(TaggingModeOn());
  EXPECT_TRUE(MainForm->MenuItem("TaggingModeItem")->Checked);
  EXPECT_EQ(MainForm->Caption(), "Breakdown Tagging Mode");

  TagSelectionWithCategory(Script(), Props);
  Application->ProcessMessages();
  const std::string tagged = "He lifts a " + Tag(Props, "gun") + ".";
  EXPECT_EQ(Script().EditBuffer, tagged);
  Script().Invalidate();
  Application->ProcessMessages();
  EXPECT_EQ(LinesWithoutInk(Shot("breakdown-tagging-mode")), std::vector<std::string>{});

  MainForm->MenuItem("TaggingModeItem")->Click();
  Application->ProcessMessages();
  EXPECT_FALSE(TaggingModeOn());
  EXPECT_EQ(MainForm->Caption(), "Quillmaster for Windows");
}

}  // namespace
}  // namespace qm
