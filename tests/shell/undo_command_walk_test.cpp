// Every command of the main window's menus, and every key of the script
// window that changes a script, walked on the scripts where a change
// reaches furthest: a laid-out locked script in a new revision with the
// headers of the day changed, a stage play with acts, and a script with a
// block marked across a page break. After a word typed first, each command
// runs with every question confirmed; when it changed the script, one Undo
// gives back the script exactly as it was before it, or before the word
// where the two are one step of typing (never refused), Redo exactly what
// it made, and Undo takes the word away too.
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "base/document_table.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "script/editing/editor_calls.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/menu_table.h"
#include "support/command_answers.h"
#include "support/continued_rule.h"
#include "support/undo_history.h"
#include "support/writer_fixture.h"

namespace qm {
namespace {

using testing::ElementSpec;
using Dice = testing::SeededRandom;

// Three pages, one long speech running over a page break, a tagged prop.
std::vector<ElementSpec> ThreePages() {
  Dice dice(85);
  std::vector<ElementSpec> out;
  int speeches = 0;
  for (ElementSpec e : testing::GenerateScreenplay(185, 3)) {
    if (e.kind == ekDialogue && ++speeches == 4) e.text = testing::LongSpeech(dice, 2000);
    if (e.kind == ekAction && speeches == 2) e.text = "He lifts the " + testing::Tagged("LAMP", 4) + ". " + e.text;
    out.push_back(e);
  }
  return out;
}

std::vector<ElementSpec> StagePlayWithActs() {
  std::vector<ElementSpec> out = testing::WithActs(ThreePages());
  out.push_back({ekEndOfActText, "END OF ACT ONE"});
  return out;
}

enum class TStart { NewRevision, StagePlay, BlockAcrossABreak };
const char* const kStartNames[] = {"a locked script in a new revision", "a stage play with acts",
                                   "a block across a page break"};

// A key of the script window that changes a script.
struct ChangingKey {
  const char* name;
  Word key;
  unsigned shift;
  // The key opens a menu; its first choice is taken.
  bool menu = false;
};

// clang-format off
const ChangingKey kKeys[] = {
    {"a letter", 'K', 0},
    {"Backspace", VK_BACK, 0},
    {"Ctrl+Backspace", VK_BACK, ssCtrl},
    {"Delete", VK_DELETE, 0},
    {"Enter", VK_RETURN, 0},
    {"Ctrl+Enter", VK_RETURN, ssCtrl},
    {"Shift+Enter", VK_RETURN, ssShift},
    {"Alt+Enter", VK_RETURN, ssAlt},
    {"Tab", VK_TAB, 0},
    {"Shift+Tab", VK_TAB, ssShift},
    {"Shift+Delete", VK_DELETE, ssShift},
    {"Shift+Insert", VK_INSERT, ssShift},
    {"Ctrl+I", 'I', ssCtrl},
    {"Ctrl+E", 'E', ssCtrl},
    {"Ctrl+S", 'S', ssCtrl},
    {"Ctrl+C", 'C', ssCtrl},
    {"Ctrl+B", 'B', ssCtrl},
    {"Ctrl+U", 'U', ssCtrl},
    {"Ctrl+Y", 'Y', ssCtrl},
    {"Ctrl+N", 'N', ssCtrl},
    {"Ctrl+T", 'T', ssCtrl, true},
    {"Ctrl+H", 'H', ssCtrl, true},
    {"Ctrl+O", 'O', ssCtrl, true},
    {"Ctrl+J", 'J', ssCtrl},
    {"Ctrl+F1", VK_F1, ssCtrl},
    {"Ctrl+8", '8', ssCtrl},
    {"Ctrl+Shift+9", '9', ssCtrl | ssShift},
    {"Ctrl+/", VK_OEM_2, ssCtrl},
    {"Ctrl+Minus", VK_OEM_MINUS, ssCtrl},
    {"Ctrl+Shift+Minus", VK_OEM_MINUS, ssCtrl | ssShift},
    {"Ctrl+Alt+Minus", VK_OEM_MINUS, ssCtrl | ssAlt},
    {"Ctrl+Alt+=", VK_OEM_PLUS, ssCtrl | ssAlt},
};
// clang-format on

class UndoWalk : public testing::WriterFixture {
 protected:
  // The script of the start, laid out as read, the caret inside a word of
  // an Action, the ring empty.
  TMDIChild& Fresh(TStart start) {
    TMDIChild& w = LayOut(start == TStart::StagePlay ? StagePlayWithActs() : ThreePages(),
                          start == TStart::StagePlay ? "StagePlay1" : "", true);
    WrapAgain(w);
    if (start == TStart::NewRevision) {
      LockAndRevise(w);
      StartNewRevision(w);
    }
    CaretAt(w, ActionNear(w, 12), 6);
    AsRead(w);
    return w;
  }

  // From the middle of the element before an automatic break to the middle
  // of the one after it.
  static void MarkAcrossABreak(TMDIChild& w) {
    TScriptElement* before = w.FirstElement;
    while (before && !(before->next && before->next->Kind() == ekAutoPageBreak && before->next->next &&
                       !IsPageBreakKind(before->next->next->Kind())))
      before = before->next;
    ASSERT_NE(before, nullptr) << "the script runs over a page";
    TScriptElement* after = before->next->next;
    CaretAt(w, before, 3);
    editor::MarkBlock(w, *before, 3, *after,
                      static_cast<int>(std::min<std::size_t>(5, LiveElementText(w, *after).size())));
  }

  // Something on the clipboard, for the paste commands.
  void CopyABlock() {
    TMDIChild& w = Fresh(TStart::BlockAcrossABreak);
    MarkAcrossABreak(w);
    Run("CopyItem");
  }

  // Runs `action` after a word typed at the caret of a fresh script of the
  // start; what went wrong, or empty; nothing when `runs` says the action
  // cannot run there.
  std::optional<std::string> UndoFault(TStart start, const std::string& what, const std::function<void()>& action,
                                       const std::function<bool()>& runs = {}) {
    TMDIChild& w = Fresh(start);
    if (runs && !runs()) return std::nullopt;
    const int documents = DocumentCount;
    testing::UndoHistory history([this, &w] { return Settled(w); }, [this] { return Undo(); },
                                 [this] { return Redo(); });
    history.Check = [&w] { return testing::WrongMarks(w); };
    history.Start();
    std::string fault = history.Act("a word typed", [&w] {
      w.SetFocus();
      TypeText("word ");
    });
    if (fault.empty() && start == TStart::BlockAcrossABreak)
      fault = history.Act("a block marked across a page break", [&w] { MarkAcrossABreak(w); });
    if (fault.empty())
      fault = history.Act(what, [&w, &action] {
        w.SetFocus();
        action();
      });
    // A command that opened, closed or brought forward a script is walked
    // by the tests of the scripts in front.
    if (ActiveScript() != &w || DocumentCount != documents) return std::string();
    // Typing, and what counts as typing, after the word is one step with it.
    const auto reach = testing::UndoHistory::Reach::AnyStandingChange;
    if (fault.empty() && history.LastActionChanged()) fault = history.UndoThenRedo(reach);
    if (fault.empty()) fault = history.UndoToStart(reach);
    return fault;
  }

  static void Report(TStart start, const std::vector<std::string>& faults, int walked) {
    std::string all;
    for (const std::string& f : faults) all += f + "\n";
    EXPECT_TRUE(faults.empty()) << faults.size() << " of " << walked << " on " << kStartNames[int(start)] << ":\n"
                                << all;
  }
};

void PrintTo(TStart start, std::ostream* out) { *out << kStartNames[int(start)]; }

// The menu commands are walked in two halves, each a test of its own.
struct TMenuWalk {
  TStart start;
  int half;
};
void PrintTo(const TMenuWalk& walk, std::ostream* out) {
  *out << kStartNames[int(walk.start)] << ", half " << walk.half;
}

class UndoMenuWalkTest : public UndoWalk, public ::testing::WithParamInterface<TMenuWalk> {};
class UndoKeyWalkTest : public UndoWalk, public ::testing::WithParamInterface<TStart> {};

TEST_P(UndoMenuWalkTest, EachMenuCommandIsUndoneWholeAndRedoneExactly) {
  const TMenuWalk walk = GetParam();
  CopyABlock();
  std::vector<std::string> faults;
  int walked = 0, row = 0;
  for (const TMenuRow& r : MainMenuRows()) {
    if (!r.name[0] || !r.command || r.IsLine() || testing::CommandsNotWalked().count(r.name)) continue;
    if (row++ % 2 != walk.half) continue;
    const std::string name = r.name;
    const auto runs = [&name] {
      const TMenuItem* item = MainForm->MenuItem(name);
      return item && item->Enabled && item->Count() == 0;
    };
    const auto fault = UndoFault(
        walk.start, name, [this, &name] { Run(name); }, runs);
    if (!fault) continue;
    ++walked;
    if (!fault->empty()) faults.push_back(name + ": " + *fault);
  }
  EXPECT_GT(walked, 50) << "the walk reached the commands";
  Report(walk.start, faults, walked);
}

TEST_P(UndoKeyWalkTest, EachKeyThatChangesTheScriptIsUndoneWholeAndRedoneExactly) {
  CopyABlock();
  std::vector<std::string> faults;
  for (const ChangingKey& k : kKeys) {
    const auto fault = UndoFault(GetParam(), k.name, [this, &k] {
      if (k.menu) ChooseFromMenu();
      SendKey(k.key, TShiftState(k.shift));
      Driver().Clear();
    });
    if (fault && !fault->empty()) faults.push_back(std::string(k.name) + ": " + *fault);
  }
  Report(GetParam(), faults, static_cast<int>(std::size(kKeys)));
}

const char* const kStartTestNames[] = {"LockedInANewRevision", "StagePlayWithActs", "BlockAcrossAPageBreak"};

std::string MenuWalkName(const ::testing::TestParamInfo<TMenuWalk>& info) {
  return std::string(kStartTestNames[int(info.param.start)]) + (info.param.half ? "SecondHalf" : "FirstHalf");
}
std::string StartName(const ::testing::TestParamInfo<TStart>& info) { return kStartTestNames[int(info.param)]; }

INSTANTIATE_TEST_SUITE_P(Starts, UndoMenuWalkTest,
                         ::testing::Values(TMenuWalk{TStart::NewRevision, 0}, TMenuWalk{TStart::NewRevision, 1},
                                           TMenuWalk{TStart::StagePlay, 0}, TMenuWalk{TStart::StagePlay, 1},
                                           TMenuWalk{TStart::BlockAcrossABreak, 0},
                                           TMenuWalk{TStart::BlockAcrossABreak, 1}),
                         MenuWalkName);
INSTANTIATE_TEST_SUITE_P(Starts, UndoKeyWalkTest,
                         ::testing::Values(TStart::NewRevision, TStart::StagePlay, TStart::BlockAcrossABreak),
                         StartName);

}  // namespace
}  // namespace qm
