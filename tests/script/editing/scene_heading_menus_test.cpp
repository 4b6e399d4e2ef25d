// The quick-choice menus a new scene heading offers: its opening text from
// the script's scene texts, and the time of day that ends it.
#include <gtest/gtest.h>

#include "platform/menus.h"
#include "script/editing/element_transitions.h"
#include "script/editing/popup_choice.h"
#include "script/editing/popup_hooks.h"
#include "script/fixtures/keys_fixture.h"
#include "script/model/cue_codes.h"
#include "script/model/user_list_entries.h"
#include "script/script_window.h"
#include "shell/main_form.h"

namespace qm {
namespace {

using testing::ElementSpec;

class SceneHeadingMenusTest : public testing::KeysFixture {
 protected:
  void SetUp() override {
    KeysFixture::SetUp();
    Options().AutoAddSceneBody = false;  // no location list after a heading
  }
};

const ElementSpec Before{ekAction, "Before."};
const ElementSpec Kitchen{ekSceneHeading, "INT. KITCHEN"};
constexpr const char* None = "";

TEST_F(SceneHeadingMenusTest, EnterOnAHeadingOffersTheTimeOfDay) {
  const struct {
    const char* what;
    std::string line;
    const char* choice;  // null: no menu expected
    int spaces, dashes;
    std::string heading;
  } cases[] = {
      {"night chosen", "INT. KITCHEN", "&NIGHT", 1, 1, "INT. KITCHEN - NIGHT"},
      {"trailing blanks and hard spaces go", "INT. KITCHEN \x04 ", "&DAY", 1, 1, "INT. KITCHEN - DAY"},
      {"a dash left by the writer goes", "INT. KITCHEN -", "&LATER", 1, 1, "INT. KITCHEN - LATER"},
      {"the script's own separator", "INT. KITCHEN", "&NIGHT", 2, 2, "INT. KITCHEN  --  NIGHT"},
      {"no dashes", "INT. KITCHEN", "&NIGHT", 1, 0, "INT. KITCHEN NIGHT"},
      {"an entry with its own letter", "EXT. YARD", "M&OMENTS LATER", 1, 1, "EXT. YARD - MOMENTS LATER"},
      {"menu closed", "INT. KITCHEN", None, 1, 1, "INT. KITCHEN"},
      {"already ends with a time of day", "INT. KITCHEN - NIGHT", nullptr, 1, 1, "INT. KITCHEN - NIGHT"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({Before, {ekSceneHeading, c.line}}, 1, -1);
    W().TimeOfDaySpaces = static_cast<Byte>(c.spaces);
    W().TimeOfDayDashes = static_cast<Byte>(c.dashes);
    if (c.choice) ExpectChoice(c.choice);
    Press(VK_RETURN);
    EXPECT_EQ(Driver().Pending(), 0) << "the time-of-day menu was offered";
    EXPECT_EQ(Elements(), (std::vector<ElementSpec>{Before, {ekSceneHeading, c.heading}, {ekAction, ""}}));
    EXPECT_EQ(CurrentIndex(), 2);
  }
}

TEST_F(SceneHeadingMenusTest, TheTimeOfDayMenuShowsEveryTimeWithALetter) {
  Load({Before, Kitchen}, 1, -1);
  std::vector<std::string> shown;
  ExpectChoice("&EVENING", &shown);
  Press(VK_RETURN);
  EXPECT_EQ(shown, (std::vector<std::string>{"&MORNING", "&DAY", "&AFTERNOON", "&EVENING", "&NIGHT", "&LATER",
                                             "&CONTINUOUS", "M&OMENTS LATER", NevermindCaption}));
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{Before, {ekSceneHeading, "INT. KITCHEN - EVENING"}, {ekAction, ""}}));
}

TEST_F(SceneHeadingMenusTest, NevermindBringsTheTimeOfDayMenuBackOnce) {
  const struct {
    const char* what;
    std::vector<std::string> choices;  // one a menu, in order
    std::vector<Byte> contexts;        // the context each menu showed in
    std::string heading;
  } cases[] = {
      {"nevermind, then night",
       {NevermindCaption, "&NIGHT", None},
       {pcTimeOfDay, pcTimeOfDayAgain, pcTimeOfDay},
       "INT. KITCHEN - NIGHT"},
      {"nevermind twice", {NevermindCaption, NevermindCaption}, {pcTimeOfDay, pcTimeOfDayAgain}, "INT. KITCHEN"},
      {"closed without a choice", {None}, {pcTimeOfDay}, "INT. KITCHEN"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({Before, Kitchen}, 1, -1);
    std::vector<Byte> contexts;
    for (const std::string& choice : c.choices) {
      Driver().ExpectPopup(
          [choice, &contexts](TPopupMenu& menu) -> TMenuItem* {
            contexts.push_back(PopupContext);
            for (int i = 0; i < menu.Items()->Count(); ++i) {
              TMenuItem* item = menu.Items()->Items(i);
              if (item->Visible() && !item->IsLine() && item->Caption() == choice) return item;
            }
            return nullptr;
          },
          "choose " + choice);
    }
    Press(VK_RETURN);
    EXPECT_EQ(Driver().Pending(), 0) << "every menu expected was shown";
    EXPECT_EQ(contexts, c.contexts);
    EXPECT_EQ(Elements(), (std::vector<ElementSpec>{Before, {ekSceneHeading, c.heading}, {ekAction, ""}}));
    EXPECT_EQ(PopupContext == pcTimeOfDayAgain, false) << "the context goes back to the plain time of day";
  }
}

TEST_F(SceneHeadingMenusTest, WithoutQuickTypeEnterOnAHeadingOffersNoTimeOfDay) {
  Options().UseQuickType = false;
  Load({Before, Kitchen}, 1, -1);
  Press(VK_RETURN);
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{Before, Kitchen, {ekAction, ""}}));
}

TEST_F(SceneHeadingMenusTest, EnterOnAnEmptyActionOffersTheSceneOpenings) {
  Load({Before, {ekAction, ""}}, 1);
  std::vector<std::string> shown;
  ExpectChoice("&EXT.", &shown);
  Press(VK_RETURN);
  ASSERT_GE(shown.size(), 5u);
  EXPECT_EQ(std::vector<std::string>(shown.begin(), shown.begin() + 5),
            (std::vector<std::string>{"&INT.", "&EXT.", "&P.O.V.", "&FULL SHOT", "&FADE IN:"}))
      << "the scene texts, then the script's opening text";
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{Before, {ekSceneHeading, "EXT. "}}));
  EXPECT_EQ(W().CaretColumn(), 5);
}

TEST_F(SceneHeadingMenusTest, WhatTheOpeningMenuLeaves) {
  const struct {
    const char* what;
    const char* choice;
    std::vector<ElementSpec> after;
    int current, caret;
  } cases[] = {
      {"a scene text", "&INT.", {Before, {ekSceneHeading, "INT. "}}, 1, 5},
      {"no initial text", NoInitialTextCaption, {Before, {ekSceneHeading, ""}}, 1, 0},
      {"Nevermind", NevermindCaption, {Before}, 0, 7},
      {"closed", None, {Before}, 0, 7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({Before, {ekAction, ""}}, 1);
    ExpectChoice(c.choice);
    Press(VK_RETURN);
    EXPECT_EQ(Elements(), c.after);
    EXPECT_EQ(CurrentIndex(), c.current);
    EXPECT_EQ(W().CaretColumn(), c.caret);
  }
}

// "Make this a Shot" and "Make this a Transition" turn the heading just
// started into the new element, which takes the choice of its own menu.
TEST_F(SceneHeadingMenusTest, MakeThisAShotOrTransitionTurnsTheNewHeadingIntoIt) {
  Options().KeepRunningShots = false;
  Options().KeepRunningTransitions = false;
  const struct {
    const char* what;
    const char* make;
    const char* choice;
    ElementSpec made;
  } cases[] = {
      {"a shot", "<Make this a S&hot>", "&ANGLE ON", {ekShot, "ANGLE ON"}},
      {"a transition", "<Make this a &Transition>", "&DISSOLVE TO:", {ekTransition, "DISSOLVE TO:"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({Before, {ekAction, ""}}, 1);
    ExpectChoice(c.make);
    ExpectChoice(c.choice);
    Press(VK_RETURN);
    EXPECT_EQ(Driver().Pending(), 0) << "both menus shown";
    EXPECT_EQ(Elements(), (std::vector<ElementSpec>{Before, c.made})) << "no empty heading left behind";
    EXPECT_EQ(CurrentIndex(), 1);
  }
}

// The opening menu opens beside the Scene Heading button when the heading
// was asked for with its menu, otherwise beside the caret.
TEST_F(SceneHeadingMenusTest, TheOpeningMenuOpensBesideTheSceneHeadingButtonWhenAsked) {
  TObject* button = MainForm->FindComponent("SceneHeadingBtn");
  ASSERT_NE(button, nullptr);
  const auto shown = ScriptPopupHooks.ChoiceMenu;
  for (const bool showMenu : {true, false}) {
    SCOPED_TRACE(showMenu);
    Load({Before, {ekAction, ""}}, 1);
    TObject* openedBy = button;
    ScriptPopupHooks.ChoiceMenu = [&](TMDIChild& script, const std::vector<std::string>& captions, TObject* sender,
                                      TPoint offset) {
      openedBy = sender;
      shown(script, captions, sender, offset);
    };
    ExpectChoice("&INT.");
    StartSceneHeading(0, showMenu);
    ScriptPopupHooks.ChoiceMenu = shown;
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(openedBy, showMenu ? button : nullptr);
    EXPECT_EQ(Elements(), (std::vector<ElementSpec>{Before, {ekSceneHeading, "INT. "}}));
  }
}

TEST_F(SceneHeadingMenusTest, TheOpeningTextBecomesTheOpeningActionAndAHeadingFollows) {
  Load({Before, {ekAction, ""}}, 1);
  ExpectChoice("&FADE IN:");
  ExpectChoice("&INT.");
  Press(VK_RETURN);
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{Before, {ekAction, "FADE IN:"}, {ekSceneHeading, "INT. "}}));
  EXPECT_EQ(ElementAt(1)->state, esKeepFollowing);
}

TEST_F(SceneHeadingMenusTest, AnOpeningChosenGoesOnToTheTimeOfDayAfterALocation) {
  // Ctrl+E starts the heading; the location picked from the list is
  // followed by the time of day.
  Options().AutoAddSceneBody = true;
  Load({{ekSceneHeading, "EXT. YARD - DAY"}, {ekAction, "He waits."}}, 1, -1);
  ExpectPick("YARD");
  ExpectChoice("&NIGHT");
  Press('E', TShiftState(ssCtrl));
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekSceneHeading, "EXT. YARD - DAY"},
                                                  {ekAction, "He waits."},
                                                  {ekSceneHeading, "EXT. YARD - NIGHT"},
                                                  {ekAction, ""}}));
}

TEST_F(SceneHeadingMenusTest, AnActCommandFromTheOpeningMenuIsCarriedOut) {
  Load({Before, {ekAction, ""}}, 1);
  ExpectChoice("<Start New A&ct>");
  Press(VK_RETURN);
  bool act = false;
  for (const ElementSpec& e : Elements()) act = act || (e.kind == ekActStart && e.text == "ACT");
  EXPECT_TRUE(act) << "a new act holding the first act text";
  EXPECT_EQ(W().CurrentElement()->Kind(), ekActStart);
}

// A choice carried out in the contexts no key opens on its own: an
// extension for a cue, and a time of day after the menu came again.
TEST_F(SceneHeadingMenusTest, ChoicesInTheExtensionAndRepeatedTimeContexts) {
  Load({{ekCharacterName, "MARY "}}, 0, -1);
  PopupContext = pcExtension;
  ApplyPopupChoice(W(), "V.O.", 2);
  EXPECT_EQ(W().EditBuffer(), "MARY");
  EXPECT_EQ(CueExtensionEntry(W().CurrentElement()->split), 2);

  Load({{ekCharacterName, "MARY"}}, 0, -1);
  PopupContext = pcExtension;
  ApplyPopupChoice(W(), "FILTERED", 11);
  EXPECT_EQ(UserListEntry(W().UserLists, TUserList::Extension, 3), "FILTERED") << "the first free entry";
  EXPECT_EQ(CueExtensionEntry(W().CurrentElement()->split), 3);

  Load({{ekCharacterName, "MARY"}}, 0, -1);
  PopupContext = pcExtension;
  ApplyPopupChoice(W(), "(&LATER)", 0);
  EXPECT_EQ(W().EditBuffer(), "MARY (LATER)");

  Load({Kitchen}, 0, -1);
  PopupContext = pcTimeOfDayAgain;
  ExpectChoice(None);
  ApplyPopupChoice(W(), "&NIGHT", 5);
  EXPECT_EQ(W().EditBuffer(), "INT. KITCHEN - NIGHT");
  EXPECT_EQ(Driver().Pending(), 0) << "the menu was shown once more";
  EXPECT_EQ(PopupContext, pcTimeOfDay);
}

}  // namespace
}  // namespace qm
