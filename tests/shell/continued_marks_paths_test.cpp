// Every way a writer changes a speech, a name or what stands between two
// names leaves each name's CONT'D as the rule gives it for the whole
// script: cutting, deleting and pasting blocks, replacing and renaming
// names, leaving a retyped name by any key, and starting other elements
// inside a speech. A name is never cut in two by a command that only adds
// an element next to it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "language/search_dialog.h"
#include "platform/input.h"
#include "platform/user_action.h"
#include "script/editing/editor_calls.h"
#include "script/model/cue_codes.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/command_answers.h"
#include "support/continued_rule.h"
#include "support/script_builder.h"
#include "script/fixtures/keys_fixture.h"

namespace qm {
namespace {

using testing::ElementSpec;

// The names in script order, a marked one followed by "*".
std::string Names(const TMDIChild& w) {
  std::string names;
  for (const TScriptElement* e = w.FirstElement; e; e = e->next) {
    if (e->Kind() != ekCharacterName) continue;
    if (!names.empty()) names += "|";
    names += LiveElementText(w, *e) + (CueContinuedState(e->split) != 0 ? "*" : "");
  }
  return names;
}

const std::vector<ElementSpec> kTwoSpeakers = {
    {ekSceneHeading, "INT. KITCHEN - DAY"},
    {ekCharacterName, "ANNA"},
    {ekDialogue, "Hello."},
    {ekCharacterName, "BEN"},
    {ekDialogue, "Hi."},
    {ekCharacterName, "ANNA"},
    {ekDialogue, "Bye."},
};

const std::vector<ElementSpec> kOneSpeakerTwice = {
    {ekSceneHeading, "INT. KITCHEN - DAY"},
    {ekCharacterName, "ANNA"},
    {ekDialogue, "Hello."},
    {ekAction, "She waits."},
    {ekCharacterName, "ANNA"},
    {ekDialogue, "Bye."},
};

const std::vector<ElementSpec> kJohnny = {
    {ekSceneHeading, "INT. KITCHEN - DAY"},
    {ekCharacterName, "JOHN"},
    {ekDialogue, "Hello."},
    {ekAction, "He sits."},
    {ekCharacterName, "JOHNNY"},
    {ekDialogue, "Bye."},
    {ekAction, "He goes."},
};

const std::vector<ElementSpec> kLongSpeech = {
    {ekSceneHeading, "INT. KITCHEN - DAY"},
    {ekCharacterName, "JOHN"},
    {ekParenthetical, "(smiling)"},
    {ekDialogue, "Hello there. Fine."},
};

// A speaker whose second name is in a user colour.
const std::vector<ElementSpec> kColouredName = {
    {ekSceneHeading, "INT. KITCHEN - DAY"},
    {ekCharacterName, "ANNA"},
    {ekDialogue, "Hello."},
    {ekAction, "She waits."},
    {ekCharacterName, "\xFD"
                      "ANNA\xFE"},
    {ekDialogue, "Bye."},
};

class ContinuedMarksPathsTest : public testing::KeysFixture {
 public:
  // The script loaded with its marks as the rule gives them, as the
  // program always kept them; the caret in element `current` at `column`.
  void Start(const std::vector<ElementSpec>& script, int current, int column) {
    // The names are typed here, never picked from the list.
    Options().DisplayCharNameList = false;
    LoadWrapped(script, current);
    testing::MarkNamesByRule(W());
    editor::SettleContinuedCues(W());
    W().Assemble();
    editor::SetCurrentElement(W(), ElementAt(current));
    W().CurrentGroup = ElementAt(current)->group;
    W().DisAssemble();
    editor::SetCaretColumn(W(), column < 0 ? W().EditBuffer().size() : static_cast<std::size_t>(column));
    editor::ClearBlock(W(), false);
    W().SetFocus();
  }
  // Marks whole elements, from the caret's to `last`.
  void Mark(int last) {
    TScriptElement* to = ElementAt(last);
    editor::MarkBlock(W(), *W().CurrentElement(), 0, *to, static_cast<int>(LiveElementText(W(), *to).size()));
  }
  void Menu(const char* name) { MainForm->MenuItem(name)->Click(); }
  void Key(Word key, TShiftState shift = {}) { Press(key, shift); }
  using KeysFixture::Driver;
  using KeysFixture::ElementAt;
  using KeysFixture::Options;
  using KeysFixture::W;
};

struct PathCase {
  const char* what;
  const std::vector<ElementSpec>* script;
  int current;
  int column;
  std::function<void(ContinuedMarksPathsTest&)> act;
  const char* names;  // after the change, a marked name with "*"
};

TEST_F(ContinuedMarksPathsTest, EveryChangeLeavesTheMarksOfTheRule) {
  // clang-format off
  const PathCase cases[] = {
      {"Cut of the speech between two of one speaker's", &kTwoSpeakers, 3, 0,
       [](auto& t) { t.Mark(4); t.Menu("CutItem"); }, "ANNA|ANNA*"},
      {"Cut of the first speech of a speaker who speaks again", &kOneSpeakerTwice, 1, 0,
       [](auto& t) { t.Mark(2); t.Menu("CutItem"); }, "ANNA"},
      {"Edit > Delete of a block", &kTwoSpeakers, 3, 0,
       [](auto& t) { t.Mark(4); t.Menu("DeleteItem"); }, "ANNA|ANNA*"},
      {"Delete on a block", &kTwoSpeakers, 3, 0,
       [](auto& t) { t.Mark(4); t.Key(VK_DELETE); }, "ANNA|ANNA*"},
      {"Backspace on a block", &kTwoSpeakers, 3, 0,
       [](auto& t) { t.Mark(4); t.Key(VK_BACK); }, "ANNA|ANNA*"},
      {"Paste of another speaker between two speeches of one", &kOneSpeakerTwice, 4, 0,
       [](auto& t) {
         t.Start(kTwoSpeakers, 3, 0);
         t.Mark(4);
         t.Menu("CopyItem");
         t.Start(kOneSpeakerTwice, 4, 0);
         t.Menu("PasteItem");
       }, "ANNA|BEN|ANNA"},
      {"a retyped name left with Down", &kJohnny, 4, -1,
       [](auto& t) { t.Key(VK_BACK); t.Key(VK_BACK); t.Key(VK_DOWN); }, "JOHN|JOHN*"},
      {"a retyped name left with Up", &kJohnny, 4, -1,
       [](auto& t) { t.Key(VK_BACK); t.Key(VK_BACK); t.Key(VK_UP); }, "JOHN|JOHN*"},
      {"a retyped name left with Right", &kJohnny, 4, -1,
       [](auto& t) { t.Key(VK_BACK); t.Key(VK_BACK); t.Key(VK_RIGHT); }, "JOHN|JOHN*"},
      {"a retyped name left with Shift+Down", &kJohnny, 4, -1,
       [](auto& t) { t.Key(VK_BACK); t.Key(VK_BACK); t.Key(VK_DOWN, TShiftState(ssShift)); }, "JOHN|JOHN*"},
      {"a retyped name left with Ctrl+Down", &kJohnny, 4, -1,
       [](auto& t) { t.Key(VK_BACK); t.Key(VK_BACK); t.Key(VK_DOWN, TShiftState(ssCtrl)); }, "JOHN|JOHN*"},
      {"a retyped name left with Page Up", &kJohnny, 4, -1,
       [](auto& t) { t.Key(VK_BACK); t.Key(VK_BACK); t.Key(VK_PRIOR); }, "JOHN|JOHN*"},
      {"Enter inside a speech", &kLongSpeech, 3, 13,
       [](auto& t) { t.Key(VK_RETURN, TShiftState(ssCtrl)); }, "JOHN|JOHN*"},
      {"Change Character Name", &kJohnny, 2, 0,
       [](auto& t) {
         t.Driver().Expect([](TForm& form) {
           auto& dialog = dynamic_cast<TSearchingDlg&>(form);
           dialog.SearchText->Text = std::string("JOHNNY");
           dialog.ReplaceText->Text = std::string("JOHN");
           dialog.OKBtn->Click();
         });
         testing::RunConfirmed(t.Driver(), "ChangeCharacterName1");
       }, "JOHN|JOHN*"},
      {"Search and Replace over names", &kJohnny, 2, 0,
       [](auto& t) {
         t.Driver().Expect([](TForm& form) {
           auto& dialog = dynamic_cast<TSearchingDlg&>(form);
           dialog.SearchText->Text = std::string("JOHNNY");
           dialog.ReplaceText->Text = std::string("JOHN");
           dialog.ReplaceTextChange(nullptr);
           dialog.PromptBox->SetChecked(false);
           dialog.OKBtn->Click();
         });
         testing::RunConfirmed(t.Driver(), "SearchandReplaceItem");
       }, "JOHN|JOHN*"},
      {"a name in a user colour, looked at again", &kColouredName, 2, 0,
       [](auto& t) {
         SetCueContinued(false, *t.ElementAt(4));
         t.Key(VK_DOWN);
       }, "ANNA|\xDD" "ANNA\xDE*"},
      {"Add Dialogue Paragraph inside a name", &kJohnny, 4, 3,
       [](auto& t) { t.Menu("AddDialogueParagraphItem"); }, "JOHN|JOHNNY"},
      {"Add Forced Page Break inside a name", &kJohnny, 4, 3,
       [](auto& t) { t.Menu("AddForcedPageBreakItem"); }, "JOHN|JOHNNY"},
      {"Ctrl+S inside a speech", &kLongSpeech, 3, 13,
       [](auto& t) { t.Options().UseQuickType = false; t.Key('S', TShiftState(ssCtrl)); }, "JOHN|JOHN"},
  };
  // clang-format on
  for (const PathCase& c : cases) {
    SCOPED_TRACE(c.what);
    W().UsesUserColours = c.script == &kColouredName;
    Start(*c.script, c.current, c.column);
    c.act(*this);
    EXPECT_EQ(testing::WrongMarks(W()), "");
    EXPECT_EQ(Names(W()), c.names);
  }
}

// The name a page break repeats over the rest of a long speech keeps the
// break's mark whatever is changed next to it.
TEST_F(ContinuedMarksPathsTest, ANameRepeatedAtTheTopOfAPageKeepsItsMark) {
  std::string speech;
  while (speech.size() < 2400) speech += "We should go now before the rain comes back. ";
  const std::vector<ElementSpec> script = {
      {ekSceneHeading, "INT. KITCHEN - DAY"},
      {ekAction, "She waits."},
      {ekForcedPageBreak, " "},
      {ekCharacterName, "JOHN"},
      {ekDialogue, speech},
      {ekAction, "He goes."},
  };
  const auto repeated = [this] {
    int names = 0;
    for (const TScriptElement* e = W().FirstElement; e; e = e->next)
      if (e->Kind() == ekCharacterName && IsRepeatedByBreak(*e)) ++names;
    return names;
  };
  const struct {
    const char* what;
    std::function<void(ContinuedMarksPathsTest&)> act;
  } cases[] = {
      {"Remove Forced Page Break", [](auto& t) { testing::RunConfirmed(t.Driver(), "RemoveForcedPageItem"); }},
      {"a word typed into the speech", [](auto& t) { t.Key('A'); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Start(script, 3, 0);
    W().RefreshLayout();
    ASSERT_EQ(repeated(), 1) << "the speech runs over a page";
    c.act(*this);
    W().RefreshLayout();
    TUserAction::Settle();
    EXPECT_EQ(repeated(), 1);
    EXPECT_EQ(testing::WrongMarks(W()), "");
  }
}

}  // namespace
}  // namespace qm
