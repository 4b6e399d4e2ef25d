// The power panel: a right click in the script opens it with the set of
// buttons that suits the moment, its second sets, and which of its
// commands leave it open.
#include <gtest/gtest.h>

#include "base/document_table.h"
#include "base/program_busy.h"
#include "base/program_options.h"
#include "platform/input.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "shell/power_panel.h"
#include "shell/script_popups.h"
#include "support/program_fixture.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

class PowerPanelTest : public testing::ProgramFixture {
 protected:
  TPowerPanel& Panel() { return MainForm->ScriptPopups().PowerPanel(); }
  std::vector<std::string> Captions() {
    std::vector<std::string> captions;
    for (TButton* b : Panel().B) captions.push_back(b->Caption());
    return captions;
  }
  void CloseAll() {
    while (DocumentCount > 0) {
      Script().DocumentModified = 0;
      CloseActiveScript(true);
    }
  }
  void RightClick() { ClickAt(Script(), 60, 10, TMouseButton::mbRight); }
  void Press(const std::string& caption) {
    for (TButton* b : Panel().B)
      if (b->Caption() == caption) {
        b->Click();
        return;
      }
    ADD_FAILURE() << "no button " << caption;
  }
};

TEST_F(PowerPanelTest, TheButtonsSuitTheMoment) {
  struct Case {
    const char* what;
    std::function<void()> setUp;
    std::vector<std::string> captions;
  };
  const Case cases[] = {
      {"an empty script", [] {}, {"", "Close", "", "", "Open", "", "", "Paste", ""}},
      {"two scripts, the active one empty",
       [] { MainForm->FileNewItem->Click(); },
       {"", "Next Doc", "", "", "Open", "", "", "Paste", ""}},
      {"a script with text",
       [this] {
         Script().SetFocus();
         TypeText("Words.");
       },
       {"Top", "Bottom", "Spell", "Close", "Select", "Save", "Cap Word", "Paste", "Lwr Word"}},
      {"a block",
       [this] {
         Script().SetFocus();
         TypeText("Words.");
         Script().CurrentElement()->blockStart = 0;
         Script().CurrentElement()->blockEnd = 5;
         EditFields(Script()).BlockOn = 1;
       },
       {"Bold", "Italics", "Underline", "Copy", "Cut", "Delete", "Cut To", "Case Chng", "Extend..."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CloseAll();
    MainForm->FileNewItem->Click();
    c.setUp();
    RightClick();
    EXPECT_TRUE(Panel().Visible());
    EXPECT_FALSE(ProgramBusy) << "the keys stay alive while the panel shows";
    EXPECT_EQ(Captions(), c.captions);
    Panel().ClosePanel();
    EXPECT_FALSE(Panel().Visible());
  }
  // With no script open: the file commands.
  CloseAll();
  Panel().ShowAt(TPoint{100, 100});
  EXPECT_EQ(Captions(), (std::vector<std::string>{"", "Exit", "", "", "Open", "", "", "New", ""}));
  Panel().ClosePanel();
}

// With no script open the panel is reached by a right click on the main
// window's empty area, and "Mouse Menu" off keeps it away there too.
TEST_F(PowerPanelTest, ARightClickOnTheEmptyMainWindowShowsItUnlessMouseMenuIsOff) {
  CloseAll();
  const TRect area = MainForm->MDIClientRect();
  const TPoint click{area.Left + area.Width() / 2, area.Top + area.Height() / 2};
  for (const bool mouseMenu : {false, true}) {
    SCOPED_TRACE(mouseMenu ? "Mouse Menu on" : "Mouse Menu off");
    MouseMenu = mouseMenu;
    ClickAt(*MainForm, click.X, click.Y, TMouseButton::mbRight);
    ASSERT_EQ(Panel().Visible(), mouseMenu);
    if (!mouseMenu) continue;
    EXPECT_EQ(Captions(), (std::vector<std::string>{"", "Exit", "", "", "Open", "", "", "New", ""}));
    const TPoint centre = MainForm->ClientToScreen(click);
    EXPECT_EQ(Panel().Left() + Panel().Width() / 2, centre.X) << "centred on the click";
    EXPECT_EQ(Panel().Top() + Panel().Height() / 2, centre.Y);
    Press("New");
    EXPECT_EQ(DocumentCount, 1) << "the panel's New makes a script";
    EXPECT_FALSE(Panel().Visible());
  }
}

TEST_F(PowerPanelTest, SecondSetsAndWhatStaysOpen) {
  Script().SetFocus();
  TypeText("Some words.");
  RightClick();
  Press("Select");
  EXPECT_TRUE(Panel().Visible());
  EXPECT_EQ(Captions(), (std::vector<std::string>{"Word", "Sentence", "Element", "Scene", "Page", "Group", "Scn Range",
                                                  "Script", "Extend..."}));
  Press("Word");
  EXPECT_TRUE(Script().BlockOn()) << "the word is selected";
  EXPECT_TRUE(Panel().Visible()) << "the panel stays, now with the block set";
  EXPECT_EQ(Captions()[0], "Bold");
  Press("Case Chng");
  EXPECT_EQ(Captions(),
            (std::vector<std::string>{"", "Italics", "", "AB => ab", "ab => AB", "ab => Ab", "", "Turn Off", ""}))
      << "the second button keeps what the set before showed";
  Press("Turn Off");
  EXPECT_FALSE(Script().BlockOn());
  EXPECT_FALSE(Panel().Visible());

  struct Case {
    bool stay;
    bool open;
  } cases[] = {{false, false}, {true, true}};
  for (const Case& c : cases) {
    MainForm->StayForBlock = c.stay;
    RightClick();
    Press("Select");
    Press("Sentence");
    EXPECT_EQ(Panel().Visible(), c.open) << "Stay for Block " << c.stay;
    Panel().ClosePanel();
    MainForm->TurnoffBlockItemClick(nullptr);
  }
}

TEST_F(PowerPanelTest, TheTitleStripMovesAndClosesItAndRightReleasesWaitForASecond) {
  Script().SetFocus();
  TypeText("Some words.");
  RightClick();
  ASSERT_TRUE(Panel().Visible());
  // Dragged far up and left it stops at the screen's corner.
  Panel().Panel2->MouseDown(TMouseButton::mbLeft, {}, 10, 5);
  Panel().Panel2->MouseMove(TShiftState(ssLeft), -5000, -5000);
  EXPECT_EQ(Panel().Left(), 0);
  EXPECT_EQ(Panel().Top(), 0);
  Panel().Panel2->MouseMove(TShiftState(ssLeft), 40, 25);
  EXPECT_EQ(Panel().Left(), 30);
  EXPECT_EQ(Panel().Top(), 20);
  Panel().Panel2->MouseUp(TMouseButton::mbLeft, {}, 40, 25);
  EXPECT_TRUE(Panel().Visible()) << "a drag does not close it";

  // The release of the click that opened it runs nothing; the next does.
  TButton* select = Panel().B[4];
  ASSERT_EQ(select->Caption(), "Select");
  select->MouseUp(TMouseButton::mbRight, {}, 2, 2);
  EXPECT_EQ(select->Caption(), "Select");
  select->MouseUp(TMouseButton::mbRight, {}, 2, 2);
  EXPECT_EQ(Panel().B[0]->Caption(), "Word") << "the second release ran Select";

  Panel().Panel2->DblClick();
  EXPECT_TRUE(Panel().Visible());
  Panel().Panel2->MouseUp(TMouseButton::mbLeft, {}, 5, 5);
  EXPECT_FALSE(Panel().Visible()) << "a double click closes it at the release";

  // A click back in the script closes it.
  RightClick();
  ASSERT_TRUE(Panel().Visible());
  ClickAt(Script(), 60, 10);
  EXPECT_FALSE(Panel().Visible());
}

}  // namespace
}  // namespace qm
