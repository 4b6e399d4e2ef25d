// Changing an element's type from the element box.
#include "script/editing/element_type_change.h"

#include <gtest/gtest.h>

#include <functional>

#include "script/editing/continued_cues.h"
#include "script/fixtures/keys_fixture.h"
#include "script/model/cue_codes.h"
#include "script/model/text_codes.h"
#include "shell/main_form.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

using testing::ElementSpec;

class ElementTypeChangeTest : public testing::KeysFixture {
 protected:
  // The pop-up answers `item` and keeps the captions it showed.
  TTypePopup Answer(int item) {
    return [this, item](const std::vector<std::string>& captions) {
      shown_ = captions;
      return item;
    };
  }
  std::vector<std::string> shown_;
};

const ElementSpec Mary{ekCharacterName, "MARY"};
const ElementSpec Hi{ekDialogue, "Hi."};

TEST_F(ElementTypeChangeTest, SpeechesStaySoundAroundTheChangedElement) {
  // clang-format off
  const struct {
    const char* what;
    std::vector<ElementSpec> before;
    int current;
    int entry;
    std::vector<ElementSpec> after;
  } cases[] = {
      {"a dialogue before more speech gets its speaker back", {Mary, Hi, {ekParenthetical, "beat"}, {ekDialogue, "Go."}},
       1, ebAction, {Mary, {ekAction, "Hi."}, Mary, {ekParenthetical, "beat"}, {ekDialogue, "Go."}}},
      {"a name turned to action takes its dialogue along", {Mary, Hi}, 0, ebAction,
       {{ekAction, "MARY"}, {ekAction, "Hi."}}},
      {"an action after a name becomes dialogue", {Mary, {ekAction, "Hello."}}, 1, ebDialogue,
       {Mary, {ekDialogue, "Hello."}}},
      {"a new name turns the action after it into dialogue", {{ekAction, "mary"}, {ekAction, "Hello."}}, 0,
       ebCharacterName, {Mary, {ekDialogue, "Hello."}}},
      {"a parenthetical loses the parentheses its format gives", {Mary, {ekDialogue, "(softly) "}}, 1,
       ebParenthetical, {Mary, {ekParenthetical, "softly"}}},
      {"a dialogue without a speaker has a made-up one", {{ekAction, "Rain."}, {ekAction, "Hi."}, Hi}, 1,
       ebShot, {{ekAction, "Rain."}, {ekShot, "Hi."}, {ekCharacterName, "???"}, Hi}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load(c.before, c.current, 0);
    EXPECT_TRUE(ChangeElementType(W(), c.entry, {}));
    EXPECT_EQ(Elements(), c.after);
  }
}

// A type changed with F4 and the box's letter is a retyped element: a
// heading made between two speeches of one speaker ends the second one's
// CONT'D, and a heading made into an action gives it, on screen as in the
// script the printed pages are made from.
TEST_F(ElementTypeChangeTest, ARetypedElementBetweenTwoSpeechesOfOneSpeakerSetsTheContinuedMark) {
  const ElementSpec john{ekCharacterName, "JOHN"};
  const ElementSpec yes{ekDialogue, "Yes."};
  const ElementSpec no{ekDialogue, "No."};
  const struct {
    const char* what;
    ElementSpec between;
    char letter;
    int state;
  } cases[] = {
      {"an action made a heading", {ekAction, "He waits."}, 's', 0},
      {"a heading made an action", {ekSceneHeading, "LATER"}, 'a', 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({{ekSceneHeading, "INT. ROOM - DAY"}, john, yes, c.between, john, no}, 3, 0);
    W().ContinuedPosition = 0;
    UpdateContinuedCues(W());
    ASSERT_EQ(CueContinuedState(ElementAt(4)->split), 1 - c.state) << "as the script stood";
    Press(VK_F4);
    ASSERT_TRUE(MainForm->ElementPopDownList->Visible());
    TypeText(std::string(1, c.letter));
    ASSERT_EQ(ElementAt(3)->Kind(), c.letter == 's' ? ekSceneHeading : ekAction);
    EXPECT_EQ(CueContinuedState(ElementAt(4)->split), c.state);
    std::vector<std::string> shownCues;
    for (int i = 1; i <= ScreenLineCount; ++i)
      if (W().ScreenLines[static_cast<std::size_t>(i)].element == ElementAt(4))
        shownCues.push_back(W().ScreenLines[static_cast<std::size_t>(i)].text);
    EXPECT_EQ(shownCues, std::vector<std::string>{c.state == 1 ? "JOHN (CONT'D)" : "JOHN"});
  }
}

TEST_F(ElementTypeChangeTest, DialogueNeedsASpeechBeforeIt) {
  Load({{ekSceneHeading, "INT. ROOM - DAY"}, {ekAction, "Hello."}}, 1, 0);
  ExpectBox("You can ONLY convert an element to dialogue if it is following an existing Character Name or speech.",
            mrOk);
  EXPECT_FALSE(ChangeElementType(W(), ebDialogue, {}));
  EXPECT_EQ(Elements()[1], (ElementSpec{ekAction, "Hello."}));
}

TEST_F(ElementTypeChangeTest, AMarkedMiddlePartBecomesAnElementOfItsOwn) {
  Load({{ekAction, "Before. ANGLE ON DOOR After."}}, 0, 0);
  EditFields(W()).BlockOn = 1;
  W().CurrentElement()->blockStart = 8;
  W().CurrentElement()->blockEnd = 21;
  EXPECT_TRUE(ChangeElementType(W(), ebShot, {}));
  EXPECT_EQ(Elements(),
            (std::vector<ElementSpec>{{ekAction, "Before."}, {ekShot, "ANGLE ON DOOR"}, {ekAction, "After."}}));

  Load({{ekAction, "One."}, {ekAction, "Two."}}, 0, 0);
  EditFields(W()).BlockOn = 1;
  W().CurrentElement()->blockStart = 2;
  W().CurrentElement()->blockEnd = 4;
  W().CurrentElement()->next->blockStart = 0;
  W().CurrentElement()->next->blockEnd = 2;
  ExpectBox("Sorry but you cannot convert the type of more than one element at a time!", mrOk);
  EXPECT_FALSE(ChangeElementType(W(), ebShot, {}));
}

// A style run that the block cuts through is closed at the cut and opened
// again after it; the blank at the cut goes all the same, as it does in
// plain text.
TEST_F(ElementTypeChangeTest, AMarkedPartCutFromAStyleRunLeavesNoBlankAtTheCut) {
  const int blockLength = 14;  // "ANGLE ON JOHN."
  const struct {
    const char* what;
    std::function<void()> apply;
    char on, off;
  } styles[] = {
      {"bold", [this] { Press('B', TShiftState(ssCtrl)); }, '\x02', '\x03'},
      {"underline", [this] { Press('U', TShiftState(ssCtrl)); }, '\x15', '\x16'},
      {"italics", [this] { Press('Y', TShiftState(ssCtrl)); }, '\x19', '\x1A'},
      {"strike-out", [this] { Press(VK_F11); }, '\x0E', '\x0F'},
      {"blue", [] { MainForm->MenuItem("BlueTextItem")->Click(); }, '\x12', '\x13'},
  };
  const auto mark = [this](int from, int length) {
    Press(VK_HOME);
    for (int i = 0; i < from; ++i) Press(VK_RIGHT);
    for (int i = 0; i < length; ++i) Press(VK_RIGHT, TShiftState(ssShift));
  };
  const auto visible = [](const std::string& text) {
    std::string shown;
    for (char c : text)
      if (!CodeCharSet.Contains(c)) shown += c;
    return shown;
  };
  for (const auto& style : styles) {
    // The style over "ANGLE ON JOHN.  He" (the typing gave the sentence
    // its two blanks), then over "ANGLE ON JOHN." alone (the run closes
    // right after the block).
    for (const bool overHe : {true, false}) {
      SCOPED_TRACE(std::string(style.what) + (overHe ? " over the block and He" : " over the block"));
      Load({{ekAction, ""}}, 0, 0);
      TypeText("Rain falls. ANGLE ON JOHN. He waits.");
      const std::string& typed = W().EditBuffer();
      const int blockStart = static_cast<int>(typed.find("ANGLE"));
      const int styled = overHe ? static_cast<int>(typed.find("He") - typed.find("ANGLE")) + 2 : blockLength;
      mark(blockStart, styled);
      style.apply();
      mark(blockStart, blockLength);
      Press(VK_F4);
      ASSERT_TRUE(MainForm->ElementPopDownList->Visible());
      TypeText("h");
      const std::vector<ElementSpec> elements = Elements();
      ASSERT_EQ(elements.size(), 3u);
      EXPECT_EQ(elements[0], (ElementSpec{ekAction, "Rain falls."}));
      EXPECT_EQ(elements[1], (ElementSpec{ekShot, std::string(1, style.on) + "ANGLE ON JOHN." + style.off}));
      EXPECT_EQ(elements[2].kind, ekAction);
      EXPECT_EQ(visible(elements[2].text), "He waits.");
      if (overHe) {
        EXPECT_EQ(elements[2].text, std::string(1, style.on) + "He" + style.off + " waits.")
            << "the style is opened again before the rest of the run";
      }
    }
  }
}

// Codes alone beside the block are no text to keep in an element of the
// old type: the whole element changes.
TEST_F(ElementTypeChangeTest, ABlockWithOnlyStyleCodesBesideItChangesTheWholeElement) {
  const std::string bold = "\x02"
                           "ANGLE ON JOHN."
                           "\x03";
  const struct {
    const char* what;
    std::string text;
    int start, end;
  } cases[] = {
      {"codes before and after the block", bold, 1, 15},
      {"the block over the codes too", bold, 0, 16},
      {"a blank and codes after the block", bold + " ", 1, 15},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({{ekAction, c.text}}, 0, 0);
    EditFields(W()).BlockOn = 1;
    W().CurrentElement()->blockStart = c.start;
    W().CurrentElement()->blockEnd = c.end;
    EXPECT_TRUE(ChangeElementType(W(), ebShot, {}));
    const std::vector<ElementSpec> elements = Elements();
    ASSERT_EQ(elements.size(), 1u);
    EXPECT_EQ(elements[0].kind, ekShot);
  }
}

TEST_F(ElementTypeChangeTest, ActAndLockedHeadingsAskWhichKind) {
  Load({{ekAction, "ACT ONE"}}, 0, 0);
  EXPECT_FALSE(ChangeElementType(W(), ebActInformation, Answer(0)));
  EXPECT_EQ(W().CurrentElement()->Kind(), ekAction) << "dismissed";
  EXPECT_TRUE(ChangeElementType(W(), ebActInformation, Answer(1)));
  EXPECT_EQ(shown_, (std::vector<std::string>{"&New Act Information", "&Same Act Information"}));
  EXPECT_EQ(W().CurrentElement()->Kind(), ekActStart);

  Load({{ekAction, "INT. HALL - DAY"}}, 0, 0);
  W().ScenesLocked = 1;
  EXPECT_TRUE(ChangeElementType(W(), ebSceneHeading, Answer(2)));
  EXPECT_EQ(W().CurrentElement()->Kind(), ekASceneHeading);
}

}  // namespace
}  // namespace qm
