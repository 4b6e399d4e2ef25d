// Every key that edits, pressed at every place around a speech and around
// a page break that cuts the speech of a character who spoke just before,
// leaves each name's CONT'D as the rule gives it, and as Repaginate Now
// leaves it: a full layout right after the key finds no mark to put right.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/input.h"
#include "platform/menus.h"
#include "platform/user_action.h"
#include "script/editing/continued_cues.h"
#include "script/editing/editor_calls.h"
#include "script/fixtures/keys_fixture.h"
#include "script/fixtures/pagination_fixture.h"
#include "script/model/cue_codes.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/command_answers.h"
#include "support/continued_rule.h"

namespace qm {
namespace {

using testing::ElementSpec;

// TOM speaks, an Action, and TOM again at length: his second speech runs
// over the page break, his name repeated at the top of the next page.
std::vector<ElementSpec> TomSpeaksAgainOverABreak() {
  return {{ekSceneHeading, "INT. KITCHEN - DAY"},
          testing::ActionLines(38),
          {ekCharacterName, "TOM"},
          {ekDialogue, "Hi there."},
          {ekAction, "He waits."},
          {ekCharacterName, "TOM"},
          {ekDialogue, testing::Sentences(14, 6)},
          {ekAction, "He goes."},
          {ekCharacterName, "MARY"},
          {ekDialogue, "Bye."},
          {ekAction, "She leaves."},
          {ekCharacterName, "TOM"},
          {ekDialogue, "Wait."}};
}

class ContinuedMarksKeysTest : public testing::KeysFixture {
 protected:
  void SetUp() override {
    KeysFixture::SetUp();
    Options().DisplayCharNameList = false;
    Driver().OnUnanswered = [this](TForm& form) { testing::ConfirmForm(form, asked_); };
    Driver().OnProblem = [](const std::string&) {};
  }
  int asked_ = 0;

 public:
  using KeysFixture::CaretAt;
  using KeysFixture::Press;
  using KeysFixture::W;
  void Menu(const char* name) { MainForm->MenuItem(name)->Click(); }

  // The script laid out with its marks as the program keeps them.
  void Start(int position) {
    W().ContinuedPosition = static_cast<Byte>(position);
    LoadWrapped(TomSpeaksAgainOverABreak(), 0);
    testing::MarkNamesByRule(W());
    editor::SettleContinuedCues(W());
    Menu("RepaginateNowItem");
  }

  // The n-th element (from 0) the test picks out.
  TScriptElement* Find(const std::function<bool(const TScriptElement&)>& which, int n = 0) {
    for (TScriptElement* e = W().FirstElement; e; e = e->next)
      if (which(*e) && n-- == 0) return e;
    return nullptr;
  }

  // The names in order, a marked one with "*", a name a page break
  // repeated left out; a parenthetical's text too. A name being typed and
  // the one after it count once the caret leaves, and are left out.
  std::string Marks() {
    std::string marks;
    bool afterCaret = false;
    for (const TScriptElement* e = W().FirstElement; e; e = e->next) {
      if (e->Kind() == ekParenthetical) marks += "(" + LiveElementText(W(), *e) + ")|";
      if (e->Kind() != ekCharacterName) continue;
      const bool atCaret = e == W().CurrentElement() && NameBeingTyped(W());
      if (atCaret || (afterCaret && !IsRepeatedByBreak(*e))) {
        afterCaret = atCaret;
        continue;
      }
      if (IsRepeatedByBreak(*e)) continue;
      std::string name = LiveElementText(W(), *e);
      while (!name.empty() && name.back() == ' ') name.pop_back();
      marks += name + (CueContinuedState(NormalCueCode(e->split)) != 0 ? "*" : "") + "|";
    }
    return marks;
  }
};

bool IsName(const TScriptElement& e) { return e.Kind() == ekCharacterName && !IsRepeatedByBreak(e); }
bool BeforeBreak(const TScriptElement& e) {
  return e.Kind() == ekDialogue && e.next && e.next->Kind() == ekAutoPageBreak;
}
bool RepeatedName(const TScriptElement& e) { return e.Kind() == ekCharacterName && IsRepeatedByBreak(e); }
bool AfterRepeatedName(const TScriptElement& e) { return e.Kind() == ekDialogue && e.prev && RepeatedName(*e.prev); }
bool FirstDialogue(const TScriptElement& e) { return e.Kind() == ekDialogue; }
bool ActionBetween(const TScriptElement& e) { return e.Kind() == ekAction && e.prev && e.prev->Kind() == ekDialogue; }

struct Place {
  const char* what;
  std::function<bool(const TScriptElement&)> which;
  int nth;
  int column;  // -1: the end; -2: the middle
};

struct KeyPress {
  const char* what;
  std::function<void(ContinuedMarksKeysTest&)> press;
};

TEST_F(ContinuedMarksKeysTest, EveryKeyLeavesTheMarksRepaginateNowLeaves) {
  // clang-format off
  const std::vector<Place> places = {
      {"the end of TOM's first name", IsName, 0, -1},
      {"the start of TOM's first speech", FirstDialogue, 0, 0},
      {"the end of TOM's first speech", FirstDialogue, 0, -1},
      {"the start of the Action between", ActionBetween, 0, 0},
      {"the end of the Action between", ActionBetween, 0, -1},
      {"the start of TOM's second name", IsName, 1, 0},
      {"the end of TOM's second name", IsName, 1, -1},
      {"the start of the piece before the break", BeforeBreak, 0, 0},
      {"the middle of the piece before the break", BeforeBreak, 0, -2},
      {"the end of the piece before the break", BeforeBreak, 0, -1},
      {"the end of the name the break repeated", RepeatedName, 0, -1},
      {"the start of the piece after the break", AfterRepeatedName, 0, 0},
      {"the middle of the piece after the break", AfterRepeatedName, 0, -2},
      {"the end of the piece after the break", AfterRepeatedName, 0, -1},
      {"the start of MARY's name", IsName, 2, 0},
  };
  using T = ContinuedMarksKeysTest;
  const std::vector<KeyPress> keys = {
      {"Tab", [](T& t) { t.Press(VK_TAB); }},
      {"Shift+Tab", [](T& t) { t.Press(VK_TAB, TShiftState(ssShift)); }},
      {"Enter", [](T& t) { t.Press(VK_RETURN); }},
      {"Ctrl+Enter", [](T& t) { t.Press(VK_RETURN, TShiftState(ssCtrl)); }},
      {"Backspace", [](T& t) { t.Press(VK_BACK); }},
      {"Ctrl+Backspace", [](T& t) { t.Press(VK_BACK, TShiftState(ssCtrl)); }},
      {"Delete", [](T& t) { t.Press(VK_DELETE); }},
      {"Ctrl+Down", [](T& t) { t.Press(VK_DOWN, TShiftState(ssCtrl)); }},
      {"Ctrl+Up", [](T& t) { t.Press(VK_UP, TShiftState(ssCtrl)); }},
      {"Down", [](T& t) { t.Press(VK_DOWN); }},
      {"Up", [](T& t) { t.Press(VK_UP); }},
      {"a letter", [](T&) { TypeText("x"); }},
      {"F4, A", [](T& t) {
         t.Menu("ChangeElementToItem");
         const TUserAction key;
         char k = 'A';
         MainForm->ElementPopDownListKeyPress(nullptr, k);
       }},
  };
  // clang-format on
  // Every key alone, and the keys a writer presses after typing over the
  // name a break repeated, or after starting an element next to a break.
  std::vector<std::vector<std::string>> runs;
  for (const KeyPress& k : keys) runs.push_back({k.what});
  for (const char* second : {"Down", "Up", "Ctrl+Down", "Ctrl+Up", "Enter", "Tab", "Ctrl+Enter", "Delete"}) {
    runs.push_back({"a letter", second});
    runs.push_back({"Backspace", second});
    runs.push_back({"Ctrl+Backspace", second});
  }
  runs.push_back({"Tab", "Down"});
  runs.push_back({"Ctrl+Down", "Ctrl+Enter", "Backspace"});
  runs.push_back({"Ctrl+Down", "a letter", "Down"});
  runs.push_back({"Ctrl+Up", "Backspace", "Down"});
  const auto press = [&](const std::string& name) {
    for (const KeyPress& k : keys)
      if (name == k.what) k.press(*this);
  };
  std::string faults;
  int count = 0;
  for (int position : {0, 1})
    for (const std::vector<std::string>& run : runs)
      for (const Place& place : places) {
        Start(position);
        TScriptElement* e = Find(place.which, place.nth);
        ASSERT_NE(e, nullptr) << place.what;
        const int length = static_cast<int>(LiveElementText(W(), *e).size());
        CaretAt(e, place.column == -1 ? length : place.column == -2 ? length / 2 : place.column);
        std::string what;
        for (const std::string& key : run) {
          what += (what.empty() ? "" : ", ") + key;
          press(key);
        }
        const std::string wrong = testing::WrongMarks(W());
        const std::string after = Marks();
        Menu("RepaginateNowItem");
        const std::string laidOut = Marks();
        if (wrong.empty() && after == laidOut) continue;
        ++count;
        faults += what + " at " + place.what + (position ? " (in the parenthetical)" : "") + ":" + wrong +
                  "\n  after the keys " + after + "\n  laid out       " + laidOut + "\n";
      }
  EXPECT_EQ(count, 0) << faults;
}

// Once the script is locked the break keeps its page and the name it
// repeated: a new name started over TOM's speech, or the caret passing
// through, never makes the locked page's "TOM" a name of the writer's.
class LockedPageNameTest : public ContinuedMarksKeysTest, public ::testing::WithParamInterface<int> {};

TEST_P(LockedPageNameTest, ALockedPageKeepsTheNameItsBreakRepeated) {
  using T = ContinuedMarksKeysTest;
  const KeyPress edits[] = {
      {"Enter at the end of TOM's name, then Down", [](T& t) { t.Press(VK_RETURN), t.Press(VK_DOWN); }},
      {"a letter typed over TOM's name, then Down", [](T& t) { TypeText("x"), t.Press(VK_DOWN); }},
      {"Backspace in TOM's name, then Ctrl+Down",
       [](T& t) { t.Press(VK_BACK), t.Press(VK_DOWN, TShiftState(ssCtrl)); }},
  };
  const KeyPress& edit = edits[GetParam()];
  SCOPED_TRACE(edit.what);
  Start(0);
  MainForm->UpdateMenusAndButtons();
  Menu("LockScriptItem");
  TScriptElement* repeated = Find(RepeatedName);
  ASSERT_NE(repeated, nullptr);
  ASSERT_NE(repeated->prev->Kind(), ekAutoPageBreak) << "the break is the locked page's";
  CaretAt(Find(IsName, 1), 3);
  edit.press(*this);
  EXPECT_TRUE(IsRepeatedByBreak(*repeated)) << "the locked page's name is still its break's";
  EXPECT_EQ(LiveElementText(W(), *repeated), "TOM");
  EXPECT_EQ(testing::WrongMarks(W()), "");
}

INSTANTIATE_TEST_SUITE_P(Edits, LockedPageNameTest, ::testing::Range(0, 3));

}  // namespace
}  // namespace qm
