// The writer's round with the tools: seeded trials in which a writer's
// edits are mixed with bookmarks set and gone to, elements hidden and the
// question that unhides them answered by the next key, the Activity Wizard,
// the act commands of the heading's menu, Lock Current Rev. Marks and Lock
// The Script on a script in a new revision, saves, and names typed over
// with the pick list up and Escape.
//
// The script is judged as it stands after each action, laid out as the
// keys left it, and after every other change a pause lays it out whole.
// After every action that changed the script, Undo gives back a state the
// script had before it (never a part of one action) and Redo exactly what
// the action made; each bookmark stands after Undo on the element it stood
// on before, and after Redo where the action left it; at each pause the
// names' marks are those the key left right after it; at the end Undo
// goes back to the start.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "language/bookmarks.h"
#include "language/bookmarks_dialog.h"
#include "platform/input.h"
#include "platform/office_button.h"
#include "platform/user_action.h"
#include "script/model/cue_codes.h"
#include "script/pagination/repagination.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "story/activity_wizard_dialog.h"
#include "support/command_answers.h"
#include "support/continued_rule.h"
#include "support/message_box_answers.h"
#include "support/undo_history.h"
#include "support/writer_rounds.h"

namespace qm {
namespace {

using Dice = testing::SeededRandom;
using testing::ElementSpec;
using testing::Key;
using testing::TAction;
using testing::TActions;
using testing::UndoHistory;

// The tools a shape's steps take up besides the writer's edits.
enum Tool : unsigned {
  kBookmarks = 1,
  kHiding = 2,
  kWizard = 4,
  kActs = 8,
  kLocks = 16,
  kSaves = 32,
  kNamePicks = 64,
};

struct ToolShape {
  const char* name;
  const char* family;
  std::function<std::vector<ElementSpec>(std::uint64_t)> elements;
  // Locked with lines revised, saved, and in a new revision.
  bool newRevision;
  unsigned tools;
  // Trials of the test command (QM_ROUND_TRIALS sets them all).
  int trials;
};

const ToolShape kToolShapes[] = {
    {"bookmarks and names picked", "", testing::ScreenplayOfFullSpeeches, false, kBookmarks | kNamePicks | kSaves, 55},
    {"hidden elements", "", testing::ScreenplayOfFullSpeeches, false, kHiding | kBookmarks, 50},
    {"the wizard on a sitcom", "SitcomVersionI1", testing::ActsOpenedAndEnded, false, kWizard | kActs | kBookmarks, 50},
    {"act commands on a stage play", "StagePlay1", testing::ActsOpenedAndEnded, false, kActs | kHiding | kBookmarks,
     50},
    {"locks in a new revision", "", testing::ScreenplayOfFullSpeeches, true, kLocks | kSaves | kBookmarks, 50},
    {"saves and names in a new revision", "", testing::ScreenplayOfFullSpeeches, true, kSaves | kNamePicks | kLocks,
     50},
};

// Where each bookmark rests: the number of its element in the script as
// laid out, -1 once its element is gone.
using Places = std::map<std::string, int>;

Places BookmarkPlaces(TMDIChild& w) {
  Places places;
  const TScriptBookmarks* marks = FindBookmarks(w);
  for (int i = 0; marks && i < marks->Count(); ++i) {
    int index = 0;
    const TScriptElement* e = w.FirstElement;
    while (e && e != (*marks)[i].Element()) e = e->next, ++index;
    places[(*marks)[i].Text] = e ? index : -1;
  }
  return places;
}

// The bookmarks of `expected` that stand elsewhere now, in words.
std::string Moved(const Places& expected, const Places& now) {
  std::string said;
  for (const auto& [text, place] : expected)
    if (const auto found = now.find(text); found != now.end() && found->second != place)
      said += " bookmark \"" + text + "\" on element " + std::to_string(found->second) + ", was " +
              std::to_string(place) + ";";
  return said;
}

// Each name's mark as it stands: the script's own names by their number
// with their text, a name a break repeats by the own name before it and
// by its state alone (its text is the speech's). A name typed over the
// one a break repeated is the writer's, as the program takes it until the
// next layout makes it so. The name being typed and the one after it are
// left out: their marks are decided when the caret leaves the name.
using Marks = std::map<std::pair<int, bool>, std::string>;

Marks MarksAsTheyStand(TMDIChild& w) {
  Marks marks;
  const TScriptElement* current = w.CurrentElement();
  const bool typing = current && current->Kind() == ekCharacterName && !current->text;
  int own = 0;
  bool leftOut = false;
  for (const TScriptElement* e = w.FirstElement; e; e = e->next) {
    if (e->Kind() != ekCharacterName) continue;
    if (IsNameTheBreakRepeated(w, *e)) {
      marks[{own, true}] = "a name the break repeats, state " + std::to_string(CueContinuedState(e->split));
      continue;
    }
    ++own;
    const bool typed = typing && e == current;
    if (!typed && !leftOut)
      marks[{own, false}] = "\"" + LiveElementText(w, *e) + "\"" + (CueContinuedState(e->split) != 0 ? " marked" : "");
    if (typed || leftOut) leftOut = typed;
  }
  return marks;
}

// The marks a full layout gives that differ from those right after
// the key, in words: the first two (a name taken for the script's own
// that a break repeats puts every later name one out).
std::string MarksDiffer(const Marks& rightAfter, const Marks& laidOut) {
  std::string said;
  int told = 0;
  for (const auto& [at, shown] : laidOut)
    if (const auto found = rightAfter.find(at); found != rightAfter.end() && found->second != shown && told++ < 2)
      said += std::string(at.second ? " after name " : " name ") + std::to_string(at.first) + " " + found->second +
              ", after a full layout " + shown + ";";
  return said;
}

// Trials the long runs found faults with, each mended since: every test
// command runs them again, with the shape they were found on.
const std::multimap<int, std::uint64_t> kFoundAtLength = {
    {0, 41177}, {1, 41401}, {2, 42161}, {3, 43033}, {4, 46208}, {5, 46584},
};

class WriterToolRoundTest : public testing::WriterRoundFixture, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    WithSpelling = false;
    WriterRoundFixture::SetUp();
  }
  void TearDown() override {
    delete BookmarkDialog();
    WriterRoundFixture::TearDown();
  }

  // The script of the shape, laid out and prepared, saved when its steps
  // save, the caret somewhere.
  TMDIChild& Fresh(const ToolShape& shape, std::uint64_t seed) {
    TMDIChild& w = LayOut(shape.elements(seed), shape.family, true);
    WrapAgain(w);
    if (shape.newRevision) {
      LockAndRevise(w);
      StartNewRevision(w);
    }
    if (shape.tools & kSaves) {
      testing::ChooseFile(Driver(), ScriptDirectory + "/ROUND" + std::to_string(seed % 1000) + ".QMW");
      Run("FileSaveAsItem");
      Driver().Clear();
    }
    Dice place(seed);
    CaretAt(w, testing::PlaceNearBreaks(w, place), place.Below(40));
    AsRead(w);
    bookmarksSet_ = 0;
    return w;
  }

  // A menu command run only while the menu offers it.
  TAction Offered(const std::string& name) {
    return {name, [this, name] {
              if (MainForm->MenuItem(name)->Enabled) Run(name);
            }};
  }

  // ---- The tools --------------------------------------------------------

  void Bookmark(Dice& dice, TActions& out) {
    if (bookmarksSet_ == 0 || dice.Chance(40)) {
      const std::string text = "mark" + std::to_string(++bookmarksSet_);
      out.push_back({"Bookmark Set \"" + text + "\"", [this, text] {
                       Run("BookmarkItem");
                       BookmarkDialog()->BookmarkText->Text = text;
                       BookmarkDialog()->SetBtn->Click();
                       BookmarkDialog()->CloseBtn->Click();
                     }});
      return;
    }
    // Gone to, and a word typed there.
    const int which = dice.Below(20);
    out.push_back({"Bookmark Goto", [this, which] {
                     Run("BookmarkItem");
                     TListBox& list = *BookmarkDialog()->BookmarkList;
                     if (list.Items.Count() > 0) {
                       list.SetItemIndex(which % list.Items.Count());
                       BookmarkDialog()->GotoBtn->Click();
                     }
                     BookmarkDialog()->CloseBtn->Click();
                   }});
    if (dice.Chance(60)) testing::Type("there ", out);
  }

  // Hidden, then a key that edits: the question it asks is answered yes.
  void Hide(Dice& dice, TActions& out) {
    static const char* const hides[] = {"HideActionItem", "HideDialogueItem", "HideScenesItem", "UnhideElementsItem"};
    out.push_back(Command(hides[dice.Below(4)]));
    switch (dice.Below(4)) {
      case 0: testing::Type("now ", out); break;
      case 1: out.push_back(Key("Enter", VK_RETURN)); break;
      case 2: out.push_back(Key("Backspace", VK_BACK)); break;
      default: ActCommand(dice, out); break;
    }
  }

  // A walk through the wizard's pages, or Cancel.
  void Wizard(Dice& dice, TActions& out) {
    const int walk = dice.Below(4);
    out.push_back({"Activity Wizard, walk " + std::to_string(walk), [this, walk] {
                     Driver().Expect([this, walk](TForm& form) {
                       auto* wizard = dynamic_cast<story::TActivityWizardDlg*>(&form);
                       if (!wizard) return testing::ConfirmForm(form, Asked);
                       AnswerWizard(*wizard, walk);
                     });
                     Run("InteractiveWizardItem");
                     Driver().Clear();
                   }});
  }
  static void AnswerWizard(story::TActivityWizardDlg& d, int walk) {
    if (walk == 0) {
      d.ModalResult = mrCancel;
      return;
    }
    if (walk == 1) {
      d.SettingVariable->SetChecked(true);
      d.NextBtn->Click();
      d.SetVariableValue->Text = "LAMP LIT";
    } else {
      d.NextBtn->Click();
      d.UserCanDoWhat->Text = "climb";
      d.NoNeedToKnowBtn->SetChecked(true);
      d.NextBtn->Click();
      if (walk == 2) {
        d.ContinuesNormally->Click();
      } else {
        d.EventsHappen->Click();
        d.NeedElse->SetChecked(true);
      }
    }
    for (int page = 0; page < 6 && d.ModalResult == mrNone; ++page) d.NextBtn->Click();
    if (d.ModalResult == mrNone) d.ModalResult = mrCancel;
  }

  // The heading's menu at its first opening, one of its act commands (or a
  // heading) taken, from Ctrl+S or the button.
  void ActCommand(Dice& dice, TActions& out) {
    static const char* const captions[] = {"<End of Act Info>", "<Start New Act>", "<Start New Scene/Same Act>", ""};
    const std::string caption = captions[dice.Below(4)];
    const bool button = dice.Chance(50);
    out.push_back({std::string(button ? "the Sc button, " : "Ctrl+S, ") + (caption.empty() ? "a heading" : caption),
                   [this, caption, button] {
                     const bool quick = Options().UseQuickType;
                     Options().UseQuickType = true;
                     ChooseFromMenu(caption);
                     if (button) dynamic_cast<TOfficeButton*>(MainForm->FindComponent("SceneHeadingBtn"))->Click();
                     else SendKey('S', TShiftState(ssCtrl));
                     Driver().Clear();
                     Options().UseQuickType = quick;
                   }});
  }

  void Lock(Dice& dice, TActions& out) {
    static const char* const locks[] = {"LockRevMarksItem", "LockScriptItem", "UnlockScriptItem"};
    static const Word edits[] = {VK_BACK, VK_DELETE, VK_RETURN, VK_TAB};
    if (dice.Chance(50)) out.push_back(Key("an edit", edits[dice.Below(4)]));
    out.push_back(Offered(locks[dice.Below(3)]));
  }

  // A name typed over with the list of names up, then Escape (or the
  // list's next entry taken).
  void NamePick(TMDIChild& w, Dice& dice, TActions& out) {
    const int which = dice.Below(200);
    out.push_back({"to a name",
                   [&w, which] {
                     std::vector<TScriptElement*> names;
                     for (TScriptElement* e = w.FirstElement; e; e = e->next)
                       if (e->Kind() == ekCharacterName && !IsRepeatedByBreak(*e)) names.push_back(e);
                     // A click on it: one action of the writer's.
                     const TUserAction click;
                     if (!names.empty()) CaretAt(w, names[static_cast<std::size_t>(which) % names.size()], 0);
                   },
                   true});
    out.push_back(Key("Shift+End", VK_END, TShiftState(ssShift), true));
    // The letter and the keys that close the list are judged together.
    static const char* const letters[] = {"a", "b", "j", "s", "t", "m"};
    testing::Type(letters[dice.Below(6)], out);
    out.back().goesOn = true;
    if (dice.Chance(25)) {
      out.push_back(Key("Down", VK_DOWN));
      out.back().goesOn = true;
      out.push_back(Key("Enter", VK_RETURN));
    } else {
      out.push_back(Key("Escape", VK_ESCAPE));
    }
  }

  void ToolStep(const ToolShape& shape, TMDIChild& w, Dice& dice, TActions& out) {
    std::vector<Tool> tools;
    for (Tool t : {kBookmarks, kHiding, kWizard, kActs, kLocks, kSaves, kNamePicks})
      if (shape.tools & t) tools.push_back(t);
    switch (tools[static_cast<std::size_t>(dice.Below(static_cast<int>(tools.size())))]) {
      case kBookmarks: return Bookmark(dice, out);
      case kHiding: return Hide(dice, out);
      case kWizard: return Wizard(dice, out);
      case kActs: return ActCommand(dice, out);
      case kLocks: return Lock(dice, out);
      case kSaves:
        // The breakdown sheets laid out first, now and then.
        if (dice.Chance(30)) out.push_back(Command("LayoutSheetsItem"));
        return out.push_back(Offered("FileSaveItem"));
      case kNamePicks: return NamePick(w, dice, out);
    }
  }

  // One random step of a writer: a tool, or one of the edits and moves
  // that come between.
  TActions Step(const ToolShape& shape, TMDIChild& w, Dice& dice) {
    static const char* const words[] = {"quietly", "the", "door", "Sam", "never", "again", "JOHN", "rain", "river"};
    TActions out;
    const int pick = dice.Below(100);
    if (pick < 40) ToolStep(shape, w, dice, out);
    else if (pick < 52) testing::Type(std::string(words[dice.Below(9)]) + " ", out);
    else if (pick < 56) out.push_back(Key("Enter", VK_RETURN));
    else if (pick < 62) out.push_back(Key("Backspace", VK_BACK));
    else if (pick < 65) out.push_back(Key("Delete", VK_DELETE));
    else if (pick < 70) out.push_back(Key("Tab", VK_TAB));
    else if (pick < 73) out.push_back(Key("Ctrl+Down", VK_DOWN, TShiftState(ssCtrl)));
    else if (pick < 76) out.push_back(Key("Ctrl+Enter", VK_RETURN, TShiftState(ssCtrl)));
    else if (pick < 86) testing::CaretRun(dice, 3 + dice.Below(30), out);
    else if (pick < 92) {
      testing::MarkLines(1 + dice.Below(4), out);
      out.push_back(dice.Chance(50) ? Key("Delete", VK_DELETE) : Key("Tab", VK_TAB));
    } else {
      const std::vector<std::string> names = Commands();
      out.push_back(Command(names[static_cast<std::size_t>(dice.Below(static_cast<int>(names.size())))]));
    }
    return out;
  }

  // ---- The trial --------------------------------------------------------

  // What the history and the bookmarks say after an Undo or a Redo.
  std::string UndoChecked(UndoHistory& history) {
    const Places before = placesNow_;
    if (std::string fault = history.Undo(UndoHistory::Reach::AnyStandingChange); !fault.empty()) return fault;
    const std::size_t back = history.Standing();
    const std::string moved = Moved(placesBefore_[back], BookmarkPlaces(*w_));
    placesUndone_.assign(placesBefore_.begin() + static_cast<long>(back), placesBefore_.end());
    placesBefore_.resize(back);
    placesRedone_ = before;
    placesNow_ = BookmarkPlaces(*w_);
    if (!moved.empty()) return "after " + history.Done() + "Undo moved a bookmark:" + moved;
    return {};
  }
  std::string RedoChecked(UndoHistory& history) {
    if (std::string fault = history.Redo(); !fault.empty()) return fault;
    placesBefore_.insert(placesBefore_.end(), placesUndone_.begin(), placesUndone_.end());
    placesNow_ = BookmarkPlaces(*w_);
    if (const std::string moved = Moved(placesRedone_, placesNow_); !moved.empty())
      return "after " + history.Done() + "Redo moved a bookmark:" + moved;
    return {};
  }

  // One action run and judged; what went wrong, in words, or empty.
  std::string Judge(UndoHistory& history, const TAction& action, bool pause) {
    Asked = 0;
    w_->SetFocus();
    Marks rightAfter;
    const auto act = [this, &action, &rightAfter] {
      action.act();
      rightAfter = MarksAsTheyStand(*w_);
    };
    std::string wrong;
    if (action.quiet) {
      const std::uint64_t before = Fingerprint(*w_);
      wrong = history.Act(action.what, act, [this, before] { return Fingerprint(*w_) != before; });
    } else {
      wrong = history.Act(action.what, act);
    }
    if (!wrong.empty()) return "after " + history.Done() + "wrong marks:" + wrong;
    if (ActiveScript() != w_ || DocumentCount != 1) return {};
    if (history.LastActionChanged() && pause) {
      Settled(*w_);
      if (const std::string differ = MarksDiffer(rightAfter, MarksAsTheyStand(*w_)); !differ.empty())
        return "after " + history.Done() + "marks right after the key other than a full layout gives:" + differ;
      history.Paused();
    }
    if (!history.LastActionChanged()) {
      placesNow_ = BookmarkPlaces(*w_);
      return {};
    }
    placesBefore_.push_back(placesNow_);
    placesNow_ = BookmarkPlaces(*w_);
    if (action.goesOn) return {};
    if (std::string fault = UndoChecked(history); !fault.empty()) return fault;
    return RedoChecked(history);
  }

  std::string Trial(const ToolShape& shape, std::uint64_t seed) {
    Dice dice(seed);
    TMDIChild& w = Fresh(shape, seed);
    w_ = &w;
    UndoHistory history([&w] { return JudgedAsItStands(w, testing::Shoot(w)); }, [this] { return Undo(); },
                        [this] { return Redo(); });
    history.Check = [&w] { return testing::WrongMarks(w); };
    history.Start();
    placesBefore_.clear();
    placesNow_ = BookmarkPlaces(w);
    const int steps = 6 + dice.Below(10);
    for (int i = 0; i < steps && history.Standing() < 16; ++i)
      for (const TAction& action : Step(shape, w, dice)) {
        if (std::string fault = Judge(history, action, dice.Chance(50)); !fault.empty()) return fault;
        if (ActiveScript() != &w || DocumentCount != 1) return {};
      }
    while (history.Standing() > 0)
      if (std::string fault = UndoChecked(history); !fault.empty()) return fault;
    return {};
  }

  void Round(const ToolShape& shape, int firstSeed, int trials) {
    testing::RunTrials(shape.name, firstSeed, trials, [&](std::uint64_t seed) { return Trial(shape, seed); });
    const auto [found, end] = kFoundAtLength.equal_range(static_cast<int>(&shape - kToolShapes));
    for (auto it = found; it != end; ++it)
      testing::RunTrials(shape.name, static_cast<int>(it->second), 1,
                         [&](std::uint64_t seed) { return Trial(shape, seed); });
  }

 private:
  TMDIChild* w_ = nullptr;
  int bookmarksSet_ = 0;
  // Where the bookmarks stood before each change still standing, now, and
  // what the last Undo took away.
  std::vector<Places> placesBefore_;
  Places placesNow_;
  std::vector<Places> placesUndone_;
  Places placesRedone_;
};

TEST_P(WriterToolRoundTest, EveryActionIsOneUndoAwayAndKeepsBookmarksAndMarks) {
  const int shape = GetParam();
  Round(kToolShapes[shape], 40000 + 1000 * shape, testing::TrialsOfEachShape(kToolShapes[shape].trials));
}

INSTANTIATE_TEST_SUITE_P(Shapes, WriterToolRoundTest, ::testing::Range(0, static_cast<int>(std::size(kToolShapes))));

}  // namespace
}  // namespace qm
