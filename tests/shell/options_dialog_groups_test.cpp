// The program options dialog's groups: each caption frames its boxes, in
// order; the sentences with a field inside read on one line; the delay is
// chosen on a slider; the set-up buttons put the dialog aside while their
// page shows; and the Help button answers as the other dialogs' do.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/dialog_builder.h"
#include "platform/forms.h"
#include "platform/input.h"
#include "base/ini_file.h"
#include "shell/program_start.h"
#include "shell/main_form.h"
#include "shell/options_dialog.h"
#include "support/program_fixture.h"

namespace qm {
namespace {

class OptionsDialogGroupsTest : public testing::ProgramFixture {
 protected:
  void RunDialog(const std::function<void(TSettingsDlg&)>& look) {
    Driver().Expect([&](TForm& form) {
      auto& dialog = dynamic_cast<TSettingsDlg&>(form);
      look(dialog);
      dialog.CancelBtn->Click();
    });
    MainForm->MenuItem("ProgramSettingsItem")->Click();
    EXPECT_EQ(Driver().Pending(), 0);
  }
};

// The caption, its page, and the controls it frames from top to bottom.
struct TGroupCase {
  const char* caption;
  const char* page;
  std::vector<std::string> controls;
};

TEST_F(OptionsDialogGroupsTest, EachGroupCaptionFramesItsControlsInOrder) {
  const TGroupCase cases[] = {
      {"Element Movement...", "TextEntryPage", {"EnterToNameBox", "EnterInNoteBox", "TabToParenthBox"}},
      {"Auto-Pop Up...", "QuickTypePage", {"AutoSceneBodyBox", "AutoTimeDayBox", "CharNameListBox"}},
      {"Show Running Lists for entry of the following:",
       "QuickTypePage",
       {"RunningExtensionsBox", "RunningTransitionsBox", "RunningShotsBox"}},
      {"Delete WITHOUT prompting...",
       "SmartCheckPage",
       {"BlankSpaceBox", "BlankElementBox", "NoDialogueBox", "SecondNameBox"}},
      {"Auto-Capitalize...", "SpellCheckPage", {"SentenceCapsBox"}},
      {"Deletion Keys", "KeyboardPage", {"DeleteWordBox", "DeleteLeftWordBox", "DeleteToEolBox"}},
      {"Movement Keys", "KeyboardPage", {"GotoTopBox", "GotoBottomBox"}},
      {"Cut and Paste Quick Keys are...", "KeyboardPage", {"ShiftCutPaste", "CtrlCutPaste"}},
      {"PowerPanel", "MousePage", {"SelectOnUpBox", "StayForBlockBox", "MoveToClickBox"}},
  };
  RunDialog([&](TSettingsDlg& d) {
    for (const TGroupCase& c : cases) {
      SCOPED_TRACE(c.caption);
      TGroupBox* group = nullptr;
      for (int i = 0; i < d.ComponentCount(); ++i)
        if (auto* g = dynamic_cast<TGroupBox*>(d.Components(i)); g && g->Caption() == c.caption) group = g;
      ASSERT_NE(group, nullptr) << "the caption shows";
      EXPECT_EQ(group->Parent(), DialogControl<TTabSheet>(d, c.page));
      int above = -1;
      for (const std::string& name : c.controls) {
        auto* control = dynamic_cast<TControl*>(d.FindComponent(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->Parent(), group) << name << " stands under the caption";
        EXPECT_GT(control->Top(), above) << name << " comes in its order";
        EXPECT_LE(control->Top() + control->Height(), group->Height()) << name << " lies within the frame";
        above = control->Top();
      }
    }
  });
}

// Each page's rows come in their order, the controls between groups
// in their place.
TEST_F(OptionsDialogGroupsTest, TheControlsBetweenTheGroupsStandInTheirOrder) {
  const std::vector<std::vector<std::string>> pages = {
      {"UseQuickTypeBox", "AutoPopUpGroup", "SmartTabGroup", "RunningListsGroup"},
      {"MoveMouseBox", "RightMousePanel", "DragBreakBox", "ClickKillsBlockBox", "PowerPanelGroup"},
  };
  RunDialog([&](TSettingsDlg& d) {
    for (const auto& order : pages) {
      int above = -1;
      for (const std::string& name : order) {
        auto* control = dynamic_cast<TControl*>(d.FindComponent(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_GT(control->Top(), above) << name << " comes in its order";
        above = control->Top() + control->Height() - 1;
      }
    }
  });
}

// The SmartCheck boxes, stored the other way round, read as what they do
// under their caption: checked, SmartCheck deletes without asking.
TEST_F(OptionsDialogGroupsTest, TheSmartCheckBoxesReadAsDeletingWithoutPrompting) {
  ProgramOptions().SmartCheckBlankSpace = true;  // SmartCheck asks first
  ProgramOptions().SmartCheckNoDialogue = false;
  RunDialog([](TSettingsDlg& d) {
    ASSERT_EQ(d.Box("BlankSpaceBox")->Parent()->Parent(), DialogControl<TTabSheet>(d, "SmartCheckPage"));
    EXPECT_EQ(dynamic_cast<TGroupBox*>(d.Box("BlankSpaceBox")->Parent())->Caption(), "Delete WITHOUT prompting...");
    EXPECT_FALSE(d.Box("BlankSpaceBox")->Checked());
    EXPECT_TRUE(d.Box("NoDialogueBox")->Checked());
  });
}

TEST_F(OptionsDialogGroupsTest, HelpAnswersAsTheOtherDialogsHelpButtonsDoForThePageShown) {
  RunDialog([](TSettingsDlg& d) {
    auto* help = DialogControl<TButton>(d, "HelpBtn");
    EXPECT_EQ(help->Caption(), "&Help");
    EXPECT_FALSE(help->Enabled()) << "disabled while there is no help viewer, as in every dialog";
    const struct {
      const char* page;
      int topic;
    } topics[] = {{"TextEntryPage", 1071},
                  {"QuickTypePage", 9090},
                  {"SpellCheckPage", 1079},
                  {"KeyboardPage", 1072},
                  {"MultimediaPage", 1501}};
    for (const auto& t : topics) {
      d.Notebook->SetActivePage(DialogControl<TTabSheet>(d, t.page));
      EXPECT_EQ(d.HelpContext, t.topic) << t.page;
    }
  });
}

// A control's page: the tab sheet among its parents.
const TWinControl* PageOf(const TControl& control) {
  const TWinControl* p = control.Parent();
  while (p && !dynamic_cast<const TTabSheet*>(p)) p = p->Parent();
  return p;
}

std::string CaptionOf(const TControl& control) {
  if (const auto* box = dynamic_cast<const TCheckBox*>(&control)) return box->Caption();
  if (const auto* label = dynamic_cast<const TLabel*>(&control)) return label->Caption();
  return {};
}

// Each sentence's words and its field (or second box) read on one line,
// left to right, each part just after the one before.
TEST_F(OptionsDialogGroupsTest, TheSentencesWithAFieldInsideReadOnOneLine) {
  struct TPart {
    const char* name;
    const char* caption;  // empty for the field
  };
  const struct {
    const char* page;
    std::vector<TPart> parts;
  } sentences[] = {
      {"SpellCheckPage",
       {{"AutocorrectBox", "&Auto-Correct Typos"},
        {"MaxLengthLabel", "(&Max. Length"},
        {"MaxLengthEdit", ""},
        {"MaxLengthEndLabel", ")"}}},
      {"SpellCheckPage",
       {{"NameCapsBox", "Character &Names ("}, {"AllCapNamesBox", "A&ll Caps"}, {"NameCapsEndLabel", ")"}}},
      {"SpellCheckPage",
       {{"AutoSpacingBox", "Auto-S&pace Sentences to"}, {"SpacingEdit", ""}, {"SpacingLabel", "Spaces"}}},
      {"RevisionsPage",
       {{"ThresholdBox", "&After"},
        {"ThresholdEdit", ""},
        {"ThresholdLabel", "Revision Marks on the Page, print a Revision Mark on the Header"}}},
      {"StartupPage",
       {{"AutosaveLabel", "&Timed Backup Frequency:"}, {"AutosaveEdit", ""}, {"AutosaveUnitLabel", "Minutes"}}},
      {"TextEntryPage", {{"UndoLevelsLabel", "&Undo Levels:"}, {"UndoLevelsEdit", ""}}},
  };
  RunDialog([&](TSettingsDlg& d) {
    for (const auto& sentence : sentences) {
      SCOPED_TRACE(sentence.parts[0].name);
      const TControl* before = nullptr;
      for (const TPart& part : sentence.parts) {
        SCOPED_TRACE(part.name);
        auto* control = dynamic_cast<TControl*>(d.FindComponent(part.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(PageOf(*control), DialogControl<TTabSheet>(d, sentence.page));
        if (*part.caption) {
          EXPECT_EQ(CaptionOf(*control), part.caption);
        }
        if (!before) {
          before = control;
          continue;
        }
        EXPECT_EQ(control->Parent(), before->Parent());
        const int middle = control->Top() + control->Height() / 2;
        EXPECT_NEAR(middle, before->Top() + before->Height() / 2, 4) << "on the same line";
        EXPECT_GE(control->Left(), before->Left() + before->Width()) << "after the part before";
        EXPECT_LE(control->Left(), before->Left() + before->Width() + 24) << "just after it";
        before = control;
      }
    }
    // The words before a field name it: their short cut goes to it.
    for (const char* name : {"MaxLengthLabel", "AutosaveLabel", "UndoLevelsLabel"}) {
      auto* label = dynamic_cast<TLabel*>(d.FindComponent(name));
      ASSERT_NE(label, nullptr) << name;
      EXPECT_NE(dynamic_cast<TEdit*>(label->FocusControl), nullptr) << name;
    }
    EXPECT_EQ(d.Box("PrintAfterThresholdBox")->Caption(),
              "&Don't print Revision marks on each line for pages which have reached or exceeded the threshold "
              "number of Revision Marks as defined above");
  });
}

// A spin edit's buttons step its number by one within its range; a text
// that is no number in range starts again from the lowest.
TEST_F(OptionsDialogGroupsTest, TheSpinButtonsStepWithinTheRange) {
  const struct {
    const char* edit;
    const char* text;
    const char* button;
    const char* after;
  } steps[] = {{"AutosaveEdit", "59", "Up", "60"},    {"AutosaveEdit", "60", "Up", "60"},
               {"AutosaveEdit", "60", "Down", "59"},  {"AutosaveEdit", "1", "Down", "1"},
               {"SpacingEdit", "9", "Up", "9"},       {"MaxLengthEdit", "abc", "Up", "5"},
               {"ThresholdEdit", "300", "Down", "1"}, {"UndoLevelsEdit", "0", "Up", "1"}};
  RunDialog([&](TSettingsDlg& d) {
    for (const auto& s : steps) {
      SCOPED_TRACE(std::string(s.edit) + " " + s.text + " " + s.button);
      d.NumberEdit(s.edit)->Text = s.text;
      DialogControl<TSpeedButton>(d, std::string(s.edit) + s.button)->Click();
      EXPECT_EQ(d.NumberEdit(s.edit)->Text(), s.after);
    }
  });
}

// The pagination delay's slider: ten marks, every other one labelled from
// "0.5" to "4.5"; the thumb dragged, or the scale clicked, rests on the
// nearest mark, and OK keeps its delay.
TEST_F(OptionsDialogGroupsTest, ThePaginationDelayIsChosenOnASliderOfTenMarks) {
  const char* labels[] = {"0.5", "1.5", "2.5", "3.5", "4.5"};
  // The x of each labelled mark in the slider, from its label's middle.
  const auto marks = [&labels](TSettingsDlg& d, TControl& slider) {
    std::vector<int> xs;
    for (const char* text : labels) {
      const TLabel* found = nullptr;
      for (int i = 0; i < d.ComponentCount(); ++i)
        if (auto* l = dynamic_cast<TLabel*>(d.Components(i)); l && l->Caption() == text && PageOf(*l) == PageOf(slider))
          found = l;
      if (!found) return std::vector<int>{};
      EXPECT_EQ(found->Parent(), slider.Parent());
      EXPECT_GE(found->Top(), slider.Top() + slider.Height() - 2) << text << " under the slider";
      xs.push_back(found->Left() + found->Width() / 2 - slider.Left());
    }
    return xs;
  };
  const struct {
    const char* what;
    int from;  // the delay the dialog opens with
    std::function<void(TControl&, const std::vector<int>&)> move;
    int stored;
  } cases[] = {
      {"the thumb dragged from 2.5 to 4.5", 25,
       [](TControl& s, const std::vector<int>& x) {
         DragAt(s, {x[2], s.Height() / 2}, {x[4], s.Height() / 2});
       },
       45},
      {"dropped a little short of 1.5", 25,
       [](TControl& s, const std::vector<int>& x) {
         DragAt(s, {x[2], s.Height() / 2}, {x[1] + (x[1] - x[0]) / 8, s.Height() / 2});
       },
       15},
      {"dropped near the unlabelled 4.0", 45,
       [](TControl& s, const std::vector<int>& x) {
         DragAt(s, {x[4], s.Height() / 2}, {x[3] + (x[4] - x[3]) / 2 - 2, s.Height() / 2});
       },
       40},
      {"dragged beyond the scale's end", 5,
       [](TControl& s, const std::vector<int>& x) {
         DragAt(s, {x[0], s.Height() / 2}, {s.Width() + 80, s.Height() / 2});
       },
       50},
      {"the scale clicked under 0.5", 35,
       [](TControl& s, const std::vector<int>& x) { ClickAt(s, x[0], s.Height() / 2); }, 5},
      {"left alone", 30, [](TControl&, const std::vector<int>&) {}, 30},
      // A delay stored between two marks (by hand, or by an older program)
      // stays as it is until the writer moves the thumb.
      {"left alone between two marks", 12, [](TControl&, const std::vector<int>&) {}, 12},
      {"left alone beyond the last mark", 60, [](TControl&, const std::vector<int>&) {}, 60},
      {"moved from between two marks to 2.5", 12,
       [](TControl& s, const std::vector<int>& x) { ClickAt(s, x[2], s.Height() / 2); }, 25},
      {"the scale clicked under 0.5 from between two marks", 12,
       [](TControl& s, const std::vector<int>& x) { ClickAt(s, x[0] + 8, s.Height() / 2); }, 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ProgramOptions().PaginationDelay = static_cast<Byte>(c.from);
    Driver().Expect([&](TForm& form) {
      auto& d = dynamic_cast<TSettingsDlg&>(form);
      auto* label = dynamic_cast<TLabel*>(d.FindComponent("DelayLabel"));
      ASSERT_NE(label, nullptr);
      EXPECT_EQ(label->Caption(), "Pagination Delay: (in Seconds)");
      auto* slider = dynamic_cast<TControl*>(d.FindComponent("DelaySlider"));
      ASSERT_NE(slider, nullptr) << "a slider, not a list";
      EXPECT_EQ(PageOf(*slider), DialogControl<TTabSheet>(d, "MiscPage"));
      const std::vector<int> x = marks(d, *slider);
      ASSERT_EQ(x.size(), 5u) << "the five labels";
      for (std::size_t i = 1; i < x.size(); ++i) EXPECT_NEAR(x[i] - x[i - 1], x[1] - x[0], 2) << "evenly spread";
      c.move(*slider, x);
      d.OKBtn->Click();
    });
    MainForm->MenuItem("ProgramSettingsItem")->Click();
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(ProgramOptions().PaginationDelay, c.stored);
    EXPECT_EQ(OpenSettingsFile().ReadInteger("Program Settings", "Pagination Delay", -1), c.stored);
  }
}

// "Setup Script Directory" and "Setup Backup Drive" put the options dialog
// just beyond the screen's right edge while their page shows, and back.
TEST_F(OptionsDialogGroupsTest, TheSetUpButtonsPutTheDialogAsideWhileTheirPageShows) {
  for (const char* button : {"ScriptDirBtn", "BackupDriveBtn"}) {
    SCOPED_TRACE(button);
    RunDialog([&](TSettingsDlg& d) {
      const int left = d.Left();
      const int top = d.Top();
      int leftMeanwhile = 0;
      Driver().Expect([&](TForm& page) {
        leftMeanwhile = d.Left();
        page.ModalResult = mrCancel;
      });
      DialogControl<TButton>(d, button)->Click();
      EXPECT_EQ(leftMeanwhile, Screen->Width() + 10);
      EXPECT_EQ(d.Left(), left);
      EXPECT_EQ(d.Top(), top);
    });
  }
}

}  // namespace
}  // namespace qm
