// The activity wizard's pages driven by scripted answers: the pages they
// lead through, the lines written into the script, and those lines read
// back into the same answers.
#include "story/activity_wizard_dialog.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>

#include "platform/dialog_builder.h"
#include "platform/input.h"
#include "script/editing/editor_calls.h"
#include "story/activity_wizard_pages.h"
#include "story/branching_script.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"

namespace qm {
namespace {

using Strings = std::vector<std::string>;
using story::TActivityWizardDlg;
// An empty element is stored as one blank.

Strings Entries(const TStringList& list) {
  Strings entries;
  for (int i = 0; i < list.Count(); ++i) entries.push_back(list[i]);
  return entries;
}

void Select(TListBox& list, const Strings& items) {
  for (const std::string& item : items) list.SetSelected(list.Items.IndexOf(item), true);
}

// One user's way through the wizard: what is chosen on each page it shows.
struct Walk {
  const char* name;
  TRadioButton* TActivityWizardDlg::*mode;
  Strings checkTrue, checkFalse;
  std::string action;
  std::string variable;  // empty: the action need not be known later
  TRadioButton* TActivityWizardDlg::*outcome;
  bool needElse;
  std::string jump;
  Strings pages;                              // the captions of the pages shown, in order
  std::vector<testing::ElementSpec> written;  // from the line written on
  int caretOn;                                // the element (of `written`) the caret ends on
};

class ActivityWizardTest : public testing::ProgramFixture {
 protected:
  void SetUp() override {
    ProgramFixture::SetUp();
    testing::BuildBranchingScript(Script());
    // More variables than the one of the branching script.
    TScriptElement* last = testing::NthElement(Script(), 7);
    editor::MoveCaretTo(Script(), *last);
    for (const char* line : {"SET <LAMP LIT> TO FALSE.", "SET <HAS MAP> TO TRUE.", "SET <TIRED> TO FALSE."}) {
      editor::NewElement(Script(), Script().FormatSet[fsShot], true);
      editor::SetEditText(Script(), line);
      editor::RedisplayCurrent(Script());
    }
    editor::NewElement(Script(), Script().FormatSet[fsAction], true);  // element 11: where the wizard writes
  }
  TActivityWizardDlg& Open() {
    TActivityWizardDlg& wizard = story::ActivityWizard();
    wizard.SetupLists(true, true);
    return wizard;
  }
  std::string PageCaption(TActivityWizardDlg& w) { return w.Notebook->Pages(w.Page())->Caption(); }
  std::vector<testing::ElementSpec> From(int n) {
    auto all = testing::ElementsOf(Script());
    return {all.begin() + n, all.end()};
  }
};

TEST_F(ActivityWizardTest, TheListsComeFromTheScriptAndTheCurrentLineIsReadBack) {
  TActivityWizardDlg& w = Open();
  EXPECT_EQ(Entries(w.AvailableJumps->Items), (Strings{"FRONT DOOR (5)", "ATTIC (2)", "CELLAR (9)"}));
  EXPECT_EQ(w.JumpObjects()[1].number, 2);
  EXPECT_EQ(Entries(w.availableVariables->Items), (Strings{"KEY", "LAMP LIT", "HAS MAP", "TIRED"}));
  EXPECT_EQ(w.Variables(), (Strings{"HAS MAP", "KEY", "LAMP LIT", "TIRED"})) << "sorted";
  EXPECT_EQ(Entries(w.SetVariableValue->Items), Entries(w.availableVariables->Items));
  EXPECT_TRUE(w.NewActivity()) << "an empty element";
  EXPECT_EQ(w.Page(), 0);
  EXPECT_FALSE(w.PrevBtn->Enabled());
  EXPECT_TRUE(w.UserChoiceBtn->Checked());

  editor::MoveCaretTo(Script(), *testing::NthElement(Script(), 9));  // SET <HAS MAP> TO TRUE.
  Open();
  EXPECT_FALSE(w.NewActivity());
  EXPECT_TRUE(w.SettingVariable->Checked());
  EXPECT_EQ(static_cast<std::string>(w.SetVariableValue->Text), "HAS MAP");
  EXPECT_FALSE(w.SetVariableToFalseBox->Checked());
}

TEST_F(ActivityWizardTest, ScriptedAnswersWriteTheirLinesAndReadBackTheSame) {
  // clang-format off
  const Walk walks[] = {
      {"a contingent choice that branches",
       &TActivityWizardDlg::ConditionalChoice, {"KEY", "HAS MAP"}, {"TIRED"}, "UNLOCK IT", "DOOR OPEN",
       &TActivityWizardDlg::JumpToNew, false, "ATTIC (2)",
       {"What are we doing?", "Check Variables", "What is User Action", "Set what Variable?",
        "What Happens when User does this?", "SetJump"},
       {{ekShot, "IF YOU <KEY> and <HAS MAP> and DON'T <TIRED> and YOU UNLOCK IT then you <DOOR OPEN> AND"},
        {ekTransition, "GO TO ATTIC (2)"},
        {ekShot, "ENDIF"}},
       1},
      {"a user choice that only continues the story",
       &TActivityWizardDlg::UserChoiceBtn, {}, {}, "RUN", "",
       &TActivityWizardDlg::ContinuesNormally, false, "",
       {"What are we doing?", "What is User Action", "What Happens when User does this?"},
       {{ekShot, "IF YOU RUN then"}},
       0},
      {"a choice with events and something else otherwise",
       &TActivityWizardDlg::UserChoiceBtn, {}, {}, "HIDE", "HIDDEN",
       &TActivityWizardDlg::EventsHappen, true, "",
       {"What are we doing?", "What is User Action", "Set what Variable?", "What Happens when User does this?"},
       {{ekShot, "IF YOU HIDE then you <HIDDEN> and"}, {ekAction, ""}, {ekShot, "OTHERWISE"}, {ekShot, "ENDIF"}},
       1},
      {"only checking",
       &TActivityWizardDlg::JustChecking, {}, {"LAMP LIT"}, "", "",
       &TActivityWizardDlg::EventsHappen, false, "",
       {"What are we doing?", "Check Variables", "What Happens when User does this?"},
       {{ekShot, "IF YOU DON'T <LAMP LIT> then"}, {ekAction, ""}, {ekShot, "ENDIF"}},
       1},
  };
  // clang-format on
  bool first = true;
  for (const Walk& walk : walks) {
    SCOPED_TRACE(walk.name);
    if (!first) {
      TearDown();
      SetUp();
    }
    first = false;
    TActivityWizardDlg& w = Open();
    Strings pages{PageCaption(w)};
    (w.*walk.mode)->SetChecked(true);
    for (int guard = 0; guard < 10 && w.ModalResult != mrOk; ++guard) {
      switch (w.Page()) {
        case story::wpCheckVariables:
          Select(*w.availableVariables, walk.checkTrue);
          w.MoveItems(*w.availableVariables, *w.TrueVariableList, -1);
          Select(*w.availableVariables, walk.checkFalse);
          w.MoveItems(*w.availableVariables, *w.FalseVariableList, -1);
          break;
        case story::wpUserAction:
          w.UserCanDoWhat->Text = walk.action;
          (walk.variable.empty() ? w.NoNeedToKnowBtn : w.SetVariableBtn)->SetChecked(true);
          break;
        case story::wpSetWhatVariable: w.SetVariable->Text = walk.variable; break;
        case story::wpWhatHappens:
          (w.*walk.outcome)->Click();
          w.NeedElse->SetChecked(walk.needElse);
          break;
        case story::wpSetJump: w.AvailableJumps->SetItemIndex(w.AvailableJumps->Items.IndexOf(walk.jump)); break;
        default: break;
      }
      w.NextBtn->Click();
      if (w.ModalResult != mrOk) pages.push_back(PageCaption(w));
    }
    ASSERT_EQ(w.ModalResult, mrOk);
    w.ModalResult = mrNone;
    EXPECT_EQ(pages, walk.pages);
    const std::string before = std::string(w.UserCanDoWhat->Text);
    const Strings trueBefore = Entries(w.TrueVariableList->Items), falseBefore = Entries(w.FalseVariableList->Items);
    if (!walk.jump.empty()) testing::AnswerMessageBox(Driver(), "Jump to " + walk.jump + " now?", mrNo);
    w.WriteLines();
    EXPECT_EQ(From(11), walk.written);
    EXPECT_EQ(Script().CurrentElement(), testing::NthElement(Script(), 11 + walk.caretOn));
    EXPECT_EQ(Driver().Pending(), 0);

    // Opened again on the line it wrote, the wizard shows the same answers.
    editor::MoveCaretTo(Script(), *testing::NthElement(Script(), 11));
    Open();
    EXPECT_FALSE(w.NewActivity());
    EXPECT_TRUE((w.*walk.mode)->Checked());
    EXPECT_EQ(std::string(w.UserCanDoWhat->Text), before);
    EXPECT_EQ(Entries(w.TrueVariableList->Items), trueBefore);
    EXPECT_EQ(Entries(w.FalseVariableList->Items), falseBefore);
    EXPECT_EQ(w.SetVariableBtn->Checked(), !walk.variable.empty());
    EXPECT_EQ(std::string(w.SetVariable->Text), walk.variable);
  }
}

TEST_F(ActivityWizardTest, SettingAVariableWritesOneLineAndAnEmptyActionAfterIt) {
  TActivityWizardDlg& w = Open();
  w.SettingVariable->SetChecked(true);
  w.NextBtn->Click();
  EXPECT_EQ(PageCaption(w), "Setting Variable");
  EXPECT_EQ(std::string(w.NextBtn->Caption()), "Finish");
  w.SetVariableValue->Text = "LAMP LIT";
  w.SetVariableToFalseBox->SetChecked(true);
  w.NextBtn->Click();
  ASSERT_EQ(w.ModalResult, mrOk);
  w.ModalResult = mrNone;
  w.WriteLines();
  EXPECT_EQ(From(11), (std::vector<testing::ElementSpec>{{ekShot, "SET <LAMP LIT> TO FALSE."}, {ekAction, ""}}))
      << "the caret waits in the new action, its edit line empty";

  // Written again on that line, the line is replaced and nothing added.
  editor::MoveCaretTo(Script(), *testing::NthElement(Script(), 11));
  Open();
  w.SetVariableToFalseBox->SetChecked(false);
  w.WriteLines();
  EXPECT_EQ(From(11), (std::vector<testing::ElementSpec>{{ekShot, "SET <LAMP LIT> TO TRUE."}, {ekAction, " "}}));
}

TEST_F(ActivityWizardTest, APageLeftUnansweredWarnsAndStays) {
  const struct {
    TRadioButton* TActivityWizardDlg::*mode;
    int page;
    std::string warning;
  } cases[] = {
      {&TActivityWizardDlg::UserChoiceBtn, story::wpUserAction, "You MUST specify a User Activity!"},
      {&TActivityWizardDlg::JustChecking, story::wpCheckVariables, "You MUST select either one true or false action!"},
      {&TActivityWizardDlg::SettingVariable, story::wpSettingVariable, "You MUST select a variable to Set!"},
  };
  for (const auto& c : cases) {
    TActivityWizardDlg& w = Open();
    (w.*c.mode)->SetChecked(true);
    w.NextBtn->Click();
    ASSERT_EQ(w.Page(), c.page);
    EXPECT_TRUE(w.PrevBtn->Enabled());
    testing::AnswerMessageBox(Driver(), c.warning, mrOk);
    w.NextBtn->Click();
    EXPECT_EQ(w.Page(), c.page);
    EXPECT_EQ(Driver().Pending(), 0);
    w.PrevBtn->Click();
    EXPECT_EQ(w.Page(), story::wpWhatAreWeDoing);
  }
}

TEST_F(ActivityWizardTest, TheQuestionsNameTheActionAndTheButtonFollowsTheOutcome) {
  TActivityWizardDlg& w = Open();
  w.ConditionalChoice->SetChecked(true);
  w.UserCanDoWhat->Text = "pick the lock";
  w.NotebookPageChanged();
  EXPECT_EQ(std::string(w.SetVariableQuestion->Caption()),
            "If the user chooses to PICK THE LOCK now, what are the results of this action?");
  EXPECT_EQ(std::string(w.WhatHappensQuestion->Caption()),
            "What happens when the selected conditions are met and the user chooses to pick the lock?");
  w.ContinuesNormally->Enabled = true;
  w.ContinuesNormally->Click();
  EXPECT_FALSE(w.NeedElse->Enabled());
  EXPECT_EQ(std::string(w.NextBtn->Caption()), "Finish");
  w.JumpToNew->Click();
  EXPECT_TRUE(w.NeedElse->Enabled());
  EXPECT_EQ(std::string(w.NextBtn->Caption()), "&Next >>");
}

// On every page each letter that Alt reaches belongs to one control: the
// page's own and the buttons under the pages (Next is Alt+N, and on the
// last pages, where Next reads Finish, N is the new branch target's).
TEST_F(ActivityWizardTest, NoTwoControlsOfAPageShareALetter) {
  TActivityWizardDlg& w = Open();
  const auto showing = [&w](const TControl* c) {
    for (; c && c != &w; c = c->Parent())
      if (!c->Visible) return false;
    return c == &w;
  };
  for (int page = 0; page < w.Notebook->PageCount(); ++page) {
    w.Notebook->SetActivePageIndex(page);
    w.NotebookPageChanged();
    std::map<char, std::string> owners;
    for (int i = 0; i < w.ComponentCount(); ++i) {
      const auto* c = dynamic_cast<const TWinControl*>(w.Components(i));
      const bool pressable =
          dynamic_cast<const TButton*>(c) || dynamic_cast<const TCheckBox*>(c) || dynamic_cast<const TRadioButton*>(c);
      if (!pressable || !showing(c)) continue;
      const std::size_t at = HotkeyIndex(c->Caption());
      if (at == std::string::npos) continue;
      const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(c->Caption()[at])));
      const auto [kept, added] = owners.emplace(letter, c->Name);
      EXPECT_TRUE(added) << "page " << page << ": " << c->Name << " and " << kept->second << " share " << letter;
    }
    if (w.NextBtn->Caption() == "&Next >>") {
      EXPECT_EQ(owners['N'], "NextBtn") << "page " << page;
    }
  }
}

TEST_F(ActivityWizardTest, DoubleClicksMoveVariablesRoundTheCheckLists) {
  TActivityWizardDlg& w = Open();
  w.availableVariables->SetItemIndex(1);
  w.availableVariables->SetSelected(1, true);
  w.availableVariables->OnDblClick(w.availableVariables);
  EXPECT_EQ(Entries(w.TrueVariableList->Items), (Strings{"LAMP LIT"}));
  w.TrueVariableList->SetSelected(0, true);
  w.TrueVariableList->OnDblClick(w.TrueVariableList);
  EXPECT_EQ(Entries(w.FalseVariableList->Items), (Strings{"LAMP LIT"}));
  EXPECT_TRUE(Entries(w.TrueVariableList->Items).empty());
  w.FalseVariableList->SetSelected(0, true);
  w.FalseVariableList->OnDblClick(w.FalseVariableList);
  EXPECT_EQ(Entries(w.availableVariables->Items), (Strings{"KEY", "HAS MAP", "TIRED", "LAMP LIT"}));

  // Dropped inside one list, items move to the row under the mouse.
  w.availableVariables->SetSelected(3, true);
  w.MoveItems(*w.availableVariables, *w.availableVariables, 0);
  EXPECT_EQ(Entries(w.availableVariables->Items), (Strings{"LAMP LIT", "KEY", "HAS MAP", "TIRED"}));
}

TEST_F(ActivityWizardTest, VariablesAreDraggedBetweenTheListsAndWithinOne) {
  TActivityWizardDlg& w = Open();
  w.JustChecking->SetChecked(true);
  w.NextBtn->Click();
  ASSERT_EQ(PageCaption(w), "Check Variables");
  w.Show();
  TListBox& available = *w.availableVariables;
  TListBox& checked = *w.TrueVariableList;
  const auto row = [](TListBox& list, int index) { return TPoint{10, index * list.ItemHeight + 2}; };
  // A point of `over` as a client point of `pressed`, where the release arrives.
  const auto over = [](TListBox& pressed, TListBox& target, TPoint p) {
    return pressed.ScreenToClient(target.ClientToScreen(p));
  };
  const struct {
    const char* what;
    TListBox* from;
    int item;
    TListBox* to;
    int dropRow;
    Strings available, checked;
  } cases[] = {
      {"into the empty list", &available, 2, &checked, 0, {"KEY", "LAMP LIT", "TIRED"}, {"HAS MAP"}},
      {"onto an item: before it", &available, 2, &checked, 0, {"KEY", "LAMP LIT"}, {"TIRED", "HAS MAP"}},
      {"below the items: at the end", &available, 0, &checked, 5, {"LAMP LIT"}, {"TIRED", "HAS MAP", "KEY"}},
      {"within one list", &checked, 0, &checked, 2, {"LAMP LIT"}, {"HAS MAP", "TIRED", "KEY"}},
      {"back to the source list", &checked, 2, &available, 0, {"KEY", "LAMP LIT"}, {"HAS MAP", "TIRED"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DragAt(*c.from, row(*c.from, c.item), over(*c.from, *c.to, row(*c.to, c.dropRow)));
    EXPECT_EQ(Entries(available.Items), c.available);
    EXPECT_EQ(Entries(checked.Items), c.checked);
  }

  // A press and release with no move between is a click, not a drag.
  ClickAt(available, 10, 2);
  EXPECT_EQ(Entries(available.Items), (Strings{"KEY", "LAMP LIT"}));
  // A release outside every list drops nothing.
  DragAt(available, row(available, 0), TPoint{10, -40});
  EXPECT_EQ(Entries(available.Items), (Strings{"KEY", "LAMP LIT"}));
  EXPECT_EQ(Entries(checked.Items), (Strings{"HAS MAP", "TIRED"}));
  w.Hide();
}

TEST_F(ActivityWizardTest, ANewTargetIsAddedToTheScriptAndChosen) {
  editor::MoveCaretTo(Script(), *testing::NthElement(Script(), 9));
  TActivityWizardDlg& w = Open();
  Driver().Expect([](TForm& form) {
    DialogControl<TEdit>(form, "JumpPosition")->Text = "Garden";
    form.ModalResult = mrOk;
  });
  w.CreateNewClick();
  EXPECT_EQ(w.AvailableJumps->Items[w.AvailableJumps->ItemIndex()], "GARDEN (10)");
  EXPECT_EQ(testing::ElementsOf(Script()).back(), (testing::ElementSpec{ekSceneHeading, "Garden"}));
  EXPECT_EQ(Script().CurrentElement(), testing::NthElement(Script(), 9)) << "the caret comes back";
}

// Each Return answers the page on screen once: after "No" on the action's
// page it shows what happens next, and only the next Return finishes.
TEST_F(ActivityWizardTest, EachReturnAnswersThePageOnScreenOnce) {
  editor::MoveCaretTo(Script(), *testing::NthElement(Script(), 11));
  std::vector<int> pages;
  bool stillOpen = false;
  Driver().Expect([&pages, &stillOpen](TForm& form) {
    auto& w = dynamic_cast<TActivityWizardDlg&>(form);
    SendKey(VK_RETURN);
    pages.push_back(w.Page());
    w.UserCanDoWhat->Text = "climb";
    w.NoNeedToKnowBtn->SetFocus();
    w.NoNeedToKnowBtn->SetChecked(true);
    SendKey(VK_RETURN);
    pages.push_back(w.Page());
    stillOpen = form.ModalResult == mrNone;
    SendKey(VK_RETURN);
  });
  MainForm->InteractiveWizardItemClick(nullptr);
  EXPECT_EQ(pages, (std::vector<int>{story::wpUserAction, story::wpWhatHappens}));
  EXPECT_TRUE(stillOpen) << "one Return finished the wizard";
  EXPECT_EQ(testing::ElementsOf(Script())[11], (testing::ElementSpec{ekShot, "IF YOU climb then"}));
}

TEST_F(ActivityWizardTest, TheNewTargetButtonUnderlinesItsN) {
  EXPECT_EQ(Open().CreateNew->Caption(), "Create &New Branch Target");
}

TEST_F(ActivityWizardTest, TheCommandRunsTheWizardModallyAndCanJumpToTheTarget) {
  editor::MoveCaretTo(Script(), *testing::NthElement(Script(), 11));
  Driver().Expect([](TForm& form) {
    auto& w = dynamic_cast<TActivityWizardDlg&>(form);
    EXPECT_EQ(form.Caption(), "User Activity Wizard");
    w.NextBtn->Click();
    w.UserCanDoWhat->Text = "climb";
    w.NoNeedToKnowBtn->SetChecked(true);
    w.NextBtn->Click();
    w.JumpToNew->Click();
    w.NextBtn->Click();
    w.AvailableJumps->SetItemIndex(2);
    w.NextBtn->Click();
  });
  testing::AnswerMessageBox(Driver(), "Jump to CELLAR (9) now?", mrYes);
  MainForm->InteractiveWizardItemClick(nullptr);
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(Script().CurrentElement(), testing::NthElement(Script(), 6)) << "the cellar";
  EXPECT_EQ(testing::ElementsOf(Script())[11], (testing::ElementSpec{ekShot, "IF YOU climb then"}))
      << "a blank at the end is not kept";
}

// The wizard's first line is started at the caret as the writer starts an
// element there: before the element at its start, between the pieces
// inside it, after it at its end; a name is never cut (the caret goes to
// its nearer end), and a speech the lines go into keeps its name. What
// follows the first line comes after it. (The piece after a cut opens a
// sentence: its first letter is a capital.)
TEST_F(ActivityWizardTest, TheLinesStartAtTheCaretAsANewElementDoes) {
  using testing::ElementSpec;
  const ElementSpec ifLine{ekShot, "IF YOU climb then"}, events{ekAction, ""}, endif{ekShot, "ENDIF"};
  const ElementSpec tastes{ekAction, "She tastes it."}, name{ekCharacterName, "DRUMMOND"},
      soup{ekDialogue, "The soup is good."}, eat{ekAction, "They eat."};
  struct Case {
    const char* what;
    int element;  // after the branching script's eight
    int column;
    std::vector<ElementSpec> after;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"the start of an Action", 0, 0, {ifLine, events, endif, tastes, name, soup, eat}},
      {"inside an Action", 0, 4,
       {{ekAction, "She"}, ifLine, events, endif, {ekAction, "Tastes it."}, name, soup, eat}},
      {"the end of an Action", 0, 14, {tastes, ifLine, events, endif, name, soup, eat}},
      {"the start of a name", 1, 0, {tastes, ifLine, events, endif, name, soup, eat}},
      {"the first half of a name", 1, 3, {tastes, ifLine, events, endif, name, soup, eat}},
      {"the second half of a name", 1, 5, {tastes, name, ifLine, events, endif, name, soup, eat}},
      {"the end of a name", 1, 8, {tastes, name, ifLine, events, endif, name, soup, eat}},
      {"the start of a Dialogue", 2, 0, {tastes, name, ifLine, events, endif, name, soup, eat}},
      {"inside a Dialogue", 2, 9,
       {tastes, name, {ekDialogue, "The soup"}, ifLine, events, endif, name, {ekDialogue, "Is good."}, eat}},
      {"the end of a Dialogue", 2, 17, {tastes, name, soup, ifLine, events, endif, eat}},
  };
  // clang-format on
  const auto trimmed = [](std::vector<ElementSpec> elements) {
    for (ElementSpec& e : elements) e.text.erase(e.text.find_last_not_of(' ') + 1);
    return elements;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing::BuildBranchingScript(Script());
    testing::AddElements(Script(), {tastes, name, soup, eat});
    editor::MoveCaretTo(Script(), *testing::NthElement(Script(), 8 + c.element));
    editor::SetCaretColumn(Script(), static_cast<std::size_t>(c.column));
    Driver().Expect([](TForm& form) {
      auto& w = dynamic_cast<TActivityWizardDlg&>(form);
      w.NextBtn->Click();
      w.UserCanDoWhat->Text = "climb";
      w.NoNeedToKnowBtn->SetChecked(true);
      w.NextBtn->Click();
      w.EventsHappen->Click();
      w.NextBtn->Click();
    });
    MainForm->InteractiveWizardItemClick(nullptr);
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(trimmed(From(8)), c.after);
    const TScriptElement* current = Script().CurrentElement();
    ASSERT_TRUE(current && current->prev);
    EXPECT_EQ(LiveElementText(Script(), *current->prev), ifLine.text) << "the caret on the events' Action";
  }
}

}  // namespace
}  // namespace qm
