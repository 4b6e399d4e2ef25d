// "(" typed in a character cue: the script's extensions are offered in the
// quick-choice menu instead of the parenthesis being typed.
#include <gtest/gtest.h>

#include "script/editing/popup_choice.h"
#include "script/fixtures/keys_fixture.h"
#include "script/model/cue_codes.h"
#include "script/script_window.h"

namespace qm {
namespace {

using testing::ElementSpec;

class CueExtensionMenuTest : public testing::KeysFixture {};

constexpr int NoEntry = 0;

TEST_F(CueExtensionMenuTest, AParenthesisInACueOffersTheExtensions) {
  const struct {
    const char* what;
    const char* choice;  // "": the menu closed without one
    std::string line;
    int entry;  // the cue's extension entry afterwards
  } cases[] = {
      {"an extension chosen", "&V.O.", "EDWARD", 2},
      {"the first extension", "&O.S.", "EDWARD", 1},
      {"typed as text", AddAsTextCaption, "EDWARD (", NoEntry},
      {"Nevermind", NevermindCaption, "EDWARD", NoEntry},
      {"closed", "", "EDWARD", NoEntry},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({{ekAction, "He waits."}, {ekCharacterName, "EDWARD"}}, 1, -1);
    std::vector<std::string> shown;
    ExpectChoice(c.choice, &shown);
    TypeText("(");
    EXPECT_EQ(Driver().Pending(), 0) << "the extension menu was offered";
    EXPECT_EQ(shown, (std::vector<std::string>{"&O.S.", "&V.O.", AddAsTextCaption, NevermindCaption}));
    EXPECT_EQ(W().EditBuffer(), c.line);
    EXPECT_EQ(W().CaretColumn(), c.line.size());
    EXPECT_EQ(CueExtensionEntry(W().CurrentElement()->split), c.entry);
    EXPECT_EQ(Elements().size(), 2u) << "the cue stays";
  }
}

// After an extension is chosen, Enter goes on to the speech as after any cue.
TEST_F(CueExtensionMenuTest, EnterAfterAChosenExtensionStartsTheSpeech) {
  Load({{ekAction, "He waits."}, {ekCharacterName, ""}}, 1);
  TypeText("edward ");
  ExpectChoice("&V.O.");
  TypeText("(");
  Press(VK_RETURN);
  TypeText("Hello.");
  EXPECT_EQ(Elements(),
            (std::vector<ElementSpec>{{ekAction, "He waits."}, {ekCharacterName, "EDWARD"}, {ekDialogue, "Hello."}}));
  EXPECT_EQ(CueExtensionEntry(ElementAt(1)->split), 2);
}

// The name the list offers for what was typed is taken before the menu.
TEST_F(CueExtensionMenuTest, TheNameTheListOffersIsTakenFirst) {
  Load({{ekCharacterName, "RUTH"}, {ekDialogue, "Hi."}, {ekCharacterName, ""}}, 2);
  TypeText("r");
  ExpectChoice("&V.O.");
  TypeText("(");
  EXPECT_EQ(W().EditBuffer(), "RUTH");
  EXPECT_EQ(CueExtensionEntry(W().CurrentElement()->split), 2);
}

TEST_F(CueExtensionMenuTest, TheExtensionTypedAsTextKeepsItsCase) {
  Load({{ekCharacterName, ""}}, 0);
  TypeText("edward ");
  ExpectChoice(AddAsTextCaption);
  TypeText("(");
  TypeText("v.o.)");
  EXPECT_EQ(W().EditBuffer(), "EDWARD (v.o.)");
}

TEST_F(CueExtensionMenuTest, NevermindOnAnEmptyCueKeepsTheCue) {
  Load({{ekAction, "He waits."}, {ekCharacterName, ""}}, 1);
  ExpectChoice(NevermindCaption);
  TypeText("(");
  EXPECT_EQ(Elements(), (std::vector<ElementSpec>{{ekAction, "He waits."}, {ekCharacterName, ""}}));
  EXPECT_EQ(CurrentIndex(), 1);
}

TEST_F(CueExtensionMenuTest, ParenthesesElsewhereAreTyped) {
  for (const Byte kind : {ekAction, ekDialogue, ekParenthetical}) {
    SCOPED_TRACE(static_cast<int>(kind));
    Load({{kind, "Hm "}}, 0, -1);
    TypeText("(");
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(W().EditBuffer().substr(0, 4), "Hm (");
  }
}

}  // namespace
}  // namespace qm
