// The quick-choice menu of the shot and transition buttons: which items
// it shows, each choice applied to the new element, Nevermind taking the
// new element away, and the captions and letters its items get.
#include <gtest/gtest.h>

#include "platform/input.h"
#include "platform/menus.h"
#include "platform/office_button.h"
#include "script/editing/popup_choice.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/right_panel.h"
#include "shell/script_popups.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

using testing::ElementSpec;

class ChoiceMenuTest : public testing::ProgramFixture {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    MainForm->KeepRunningShots = false;
    MainForm->KeepRunningTransitions = false;
    Script().SetFocus();
    TypeText("An action.");
  }
  TOfficeButton* Button(const char* name) { return dynamic_cast<TOfficeButton*>(MainForm->FindComponent(name)); }
  // The button pressed, the menu answered with the item of that caption
  // (none: closed without a choice); the shown captions are kept.
  void PressAndChoose(const char* button, const std::string& caption, std::vector<std::string>* shown = nullptr) {
    Driver().ExpectPopup([caption, shown](TPopupMenu& menu) -> TMenuItem* {
      TMenuItem* chosen = nullptr;
      for (int i = 0; i < menu.Items()->Count(); ++i) {
        TMenuItem* item = menu.Items()->Items(i);
        if (!item->Visible() || item->IsLine()) continue;
        if (shown) shown->push_back(item->Caption());
        if (item->Caption() == caption) chosen = item;
      }
      return chosen;
    });
    TOfficeButton* b = Button(button);
    ASSERT_NE(b, nullptr) << button;
    b->Click();
  }
};

TEST_F(ChoiceMenuTest, TheShotMenuOffersTheShotTexts) {
  std::vector<std::string> shown;
  PressAndChoose("ShotBtn", "&ANGLE ON", &shown);
  EXPECT_EQ(shown, (std::vector<std::string>{"&BACK TO SCENE", "&ANGLE ON", NoInitialTextCaption, NevermindCaption}))
      << "each text its own letter; A is taken by neither B nor the first";
  EXPECT_EQ(testing::ElementsOf(Script()), (std::vector<ElementSpec>{{ekAction, "An action."}, {ekShot, "ANGLE ON"}}));
}

TEST_F(ChoiceMenuTest, ClosingOrNevermindTakesTheNewShotAway) {
  for (const std::string& answer : {std::string(), std::string(NevermindCaption)}) {
    SCOPED_TRACE(answer.empty() ? "closed" : "Nevermind");
    PressAndChoose("ShotBtn", answer);
    EXPECT_EQ(testing::ElementsOf(Script()), (std::vector<ElementSpec>{{ekAction, "An action."}}));
    // The writer types on at the end of the action, which keeps its text.
    TypeText("x");
    EXPECT_EQ(testing::ElementsOf(Script()), (std::vector<ElementSpec>{{ekAction, "An action.x"}}));
    SendKey(VK_BACK);
  }
}

TEST_F(ChoiceMenuTest, TheTransitionMenuOffersTheTransitionsAndANewOne) {
  std::vector<std::string> shown;
  PressAndChoose("TransitionBtn", "&DISSOLVE TO:", &shown);
  EXPECT_EQ(shown, (std::vector<std::string>{"&CUT TO:", "&DISSOLVE TO:", "&FADE OUT:", NewTransitionCaption,
                                             NevermindCaption}));
  EXPECT_EQ(testing::ElementsOf(Script()),
            (std::vector<ElementSpec>{{ekAction, "An action."}, {ekTransition, "DISSOLVE TO:"}}));

  PressAndChoose("TransitionBtn", NewTransitionCaption);
  EXPECT_EQ(Script().CurrentElement()->Kind(), ekTransition);
  EXPECT_EQ(Script().EditBuffer(), std::string(1, PlaceholderChar)) << "a line for the writer's own transition";
}

// The placeholder a menu leaves for the writer's own text is never part of
// that text: the first letter typed replaces it, and a line left untyped
// keeps a blank.
TEST_F(ChoiceMenuTest, ThePlaceholderIsTypedOverOrBecomesABlank) {
  const struct {
    const char* button;
    const char* caption;
    Byte kind;
    const char* typed;
    const char* stored;
  } cases[] = {
      {"ShotBtn", NoInitialTextCaption, ekShot, "CLOSE ON", "CLOSE ON"},
      {"TransitionBtn", NewTransitionCaption, ekTransition, "SMASH CUT:", "SMASH CUT:"},
      {"ShotBtn", NoInitialTextCaption, ekShot, "", " "},
      {"TransitionBtn", NewTransitionCaption, ekTransition, "", " "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.caption) + " then \"" + c.typed + "\"");
    // Each in a script of its own: an action typed, then the button.
    MainForm->FileNewItem->Click();
    Script().SetFocus();
    TypeText("An action.");
    PressAndChoose(c.button, c.caption);
    ASSERT_EQ(Script().CurrentElement()->Kind(), c.kind);
    TypeText(c.typed);
    // The writer goes back up to the action; the new element is stored.
    SendKey(VK_UP);
    EXPECT_EQ(testing::ElementsOf(Script()), (std::vector<ElementSpec>{{ekAction, "An action."}, {c.kind, c.stored}}));
  }
}

TEST(ChoiceCaptions, CaptionsAndLetters) {
  struct Case {
    const char* text;
    const char* caption;
  } captions[] = {{"CUT TO:", "&CUT TO:"}, {"<Other>", "<Other>"}, {"-", "-"}, {"M&OMENTS", "M&OMENTS"}, {"", ""}};
  for (const Case& c : captions) EXPECT_EQ(MenuCaptionOf(c.text), c.caption) << c.text;

  std::array<bool, 26> used{};
  EXPECT_EQ(AssignShortcutLetter("DAY", used), "&DAY");
  EXPECT_EQ(AssignShortcutLetter("DUSK", used), "D&USK");
  EXPECT_EQ(AssignShortcutLetter("M&ORNING", used), "M&ORNING") << "a text with its own letter keeps it";
  EXPECT_EQ(AssignShortcutLetter("DAU", used), "D&AU");
  EXPECT_EQ(ListItemText("N\\NIGHT"), "NIGHT");
  EXPECT_EQ(ListItemText("F&ULL \x15SHOT"), "FULL SHOT");
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

class RunningShotsTest : public testing::ProgramFixture {};

// While shots run on as typed, the Shot button starts a shot whose
// texts the pick list offers as the writer types.
TEST_F(RunningShotsTest, TheShotButtonStartsAShot) {
  Script().SetFocus();
  TypeText("An action.");
  ASSERT_TRUE(MainForm->KeepRunningShots);
  bool listShown = false;
  Driver().Expect(
      [&listShown](TForm& list) {
        listShown = true;
        list.ModalResult = mrCancel;
      },
      "the pick list of shots");
  dynamic_cast<TOfficeButton*>(MainForm->FindComponent("ShotBtn"))->Click();
  EXPECT_EQ(Script().CurrentElement()->Kind(), ekShot);
  EXPECT_EQ(PopupContext, pcNoMenu);
  EXPECT_TRUE(listShown);
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

class ChoiceMenuContextsTest : public testing::ProgramFixture {};

// Which items the menu shows in each of its contexts.
TEST_F(ChoiceMenuContextsTest, ItemsShownByContext) {
  struct Case {
    Byte context;
    bool acts, shotAndTransition, noText;
    const char* noTextCaption;
  } cases[] = {
      {pcSceneOpening, true, true, true, NoInitialTextCaption},
      {pcTransition, false, false, false, NoInitialTextCaption},
      {pcTimeOfDay, false, false, false, NoInitialTextCaption},
      {pcExtension, false, false, true, AddAsTextCaption},
      {pcShot, false, false, true, NoInitialTextCaption},
      {pcTimeOfDayAgain, false, false, false, NoInitialTextCaption},
  };
  TScriptPopups& popups = MainForm->ScriptPopups();
  const auto item = [&popups](const char* name) {
    TMenuItem* root = popups.ChildPopUp->Items();
    for (int i = 0; i < root->Count(); ++i)
      if (root->Items(i)->Name == name) return root->Items(i);
    return static_cast<TMenuItem*>(nullptr);
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.context));
    PopupContext = c.context;
    PopupChoice(Script()).Record("left over", 3);
    popups.ChildPopUp->OnPopup(popups.ChildPopUp);
    EXPECT_EQ(item("EndofActInfoItem")->Visible(), c.acts);
    EXPECT_EQ(item("StartNewActItem")->Visible(), c.acts);
    EXPECT_EQ(item("StartNewSceneItem")->Visible(), c.acts);
    EXPECT_EQ(item("AddShotItem")->Visible(), c.shotAndTransition);
    EXPECT_EQ(item("MakeaTransitionItem")->Visible(), c.shotAndTransition);
    EXPECT_EQ(item("NoInitialTextItem")->Visible(), c.noText);
    EXPECT_EQ(item("NoInitialTextItem")->Caption(), c.noTextCaption);
    EXPECT_EQ(item("ChildSeparator")->Visible(), c.context != pcExtension);
    EXPECT_EQ(PopupChoice(Script()).PendingPopupCommand, 0) << "a choice left from before is cleared";
  }
}

}  // namespace
}  // namespace qm
