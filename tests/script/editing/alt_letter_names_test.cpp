// Alt and a letter types the speech heading assigned to the letter.
#include "script/editing/alt_letter_names.h"

#include <gtest/gtest.h>

#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"
#include "base/ini_file.h"
#include "shell/program_settings.h"
#include "base/prompt_table.h"

namespace qm {
namespace {

using testing::ElementSpec;

class AltLetterNamesTest : public testing::KeysFixture {};

const ElementSpec Mary{ekCharacterName, "MARY"};
const ElementSpec Mike{ekCharacterName, "MIKE"};
const ElementSpec Hi{ekDialogue, "Hi."};

TEST_F(AltLetterNamesTest, ALetterTypesItsNameAndGoesOnIntoTheDialogue) {
  // clang-format off
  const struct {
    const char* what;
    std::vector<ElementSpec> before;
    int current;
    std::string assigned;
    std::vector<ElementSpec> after;
    int currentAfter;
  } cases[] = {
      {"the first name with the letter", {Mary, Hi, Mike, Hi, {ekAction, "He waits."}}, 4, "",
       {Mary, Hi, Mike, Hi, {ekAction, "He waits."}, Mary, {ekDialogue, ""}}, 6},
      {"the assigned name", {Mary, Hi, Mike, Hi, {ekAction, "He waits."}}, 4, "MIKE",
       {Mary, Hi, Mike, Hi, {ekAction, "He waits."}, Mike, {ekDialogue, ""}}, 6},
      {"an action below gets a dialogue before it", {Mary, Hi, {ekAction, "He waits."}, {ekAction, "She goes."}}, 2,
       "", {Mary, Hi, {ekAction, "He waits."}, Mary, {ekDialogue, ""}, {ekAction, "She goes."}}, 4},
      {"a dialogue already below", {Mary, Hi, {ekAction, ""}, {ekDialogue, "Yes."}}, 2, "",
       {Mary, Hi, Mary, {ekDialogue, "Yes."}}, 3},
      {"an assigned name over a dialogue", {Mary, Hi, {ekAction, ""}, {ekDialogue, "Yes."}}, 2, "MIKE",
       {Mary, Hi, Mike, {ekDialogue, "Yes."}}, 3},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load(c.before, c.current, -1);
    W().AltLetterNames.fill("");
    W().AltLetterNames['M'] = c.assigned;
    HandleAltLetter('m');
    EXPECT_EQ(Elements(), c.after);
    EXPECT_EQ(CurrentIndex(), c.currentAfter);
    EXPECT_EQ(W().CaretColumn(), 0);
    EXPECT_EQ(W().LastAltLetter, 'M');
  }
}

TEST_F(AltLetterNamesTest, ALetterWithoutANameOffersToStartOne) {
  const std::string question = PromptTable(1) + "J\".\r\rWould you like me to start one that does?";
  for (const TModalResult answer : {mrNo, mrYes}) {
    SCOPED_TRACE(answer == mrYes ? "Yes" : "No");
    Load({Mary, Hi, {ekAction, "He waits."}}, 2, -1);
    ExpectBox(question, answer);
    HandleAltLetter('J');
    if (answer == mrNo) {
      EXPECT_EQ(W().ElementCount(), 3);
      continue;
    }
    EXPECT_EQ(Elements().back(), (ElementSpec{ekCharacterName, "J"}));
    EXPECT_EQ(W().CaretColumn(), 1) << "the caret stays in the cue to finish the name";
  }
}

TEST_F(AltLetterNamesTest, ANonLetterPicksNothing) {
  Load({Mary, Hi, {ekAction, "He waits."}}, 2, -1);
  HandleAltLetter('1');
  PickAltLetterName('"');
  EXPECT_EQ(W().ElementCount(), 3);
}

TEST_F(AltLetterNamesTest, PickingANameReassignsTheLetterAndTheCueAbove) {
  Load({Mary, Hi, Mike, Hi, Mary, {ekDialogue, ""}}, 5);
  std::vector<std::string> offered;
  ExpectPick("MIKE", &offered);
  PickAltLetterName('M');
  EXPECT_EQ(offered, (std::vector<std::string>{"MARY", "MIKE"}));
  EXPECT_EQ(W().AltLetterNames['M'], "MIKE");
  EXPECT_EQ(Elements()[4], Mike);
  EXPECT_EQ(CurrentIndex(), 5);
}

TEST_F(AltLetterNamesTest, EnterAtTheStartOfDialogueReassignsWithAltKeysOn) {
  Options().UseAltKeys = true;
  Options().UseUltimateAltKeys = false;
  Load({Mary, Hi, Mike, Hi, {ekCharacterName, "BOB"}, Hi, Mary, {ekDialogue, ""}}, 7);
  std::vector<std::string> offered;
  ExpectPick("MIKE", &offered);
  Press(VK_RETURN);
  EXPECT_EQ(offered, (std::vector<std::string>{"MARY", "MIKE"})) << "only the names with the cue's initial";
  EXPECT_EQ(W().AltLetterNames['M'], "MIKE");
  EXPECT_EQ(Elements()[6], Mike);
  EXPECT_EQ(W().ElementCount(), 8) << "nothing new is started";
}

// The key itself, as the writer presses it: the main window's hidden Alt
// keys, armed by the option read from the settings file.
TEST_F(AltLetterNamesTest, AltAndALetterTypesTheSpeechHeadingWhenAltKeysAreOn) {
  const ElementSpec zelda{ekCharacterName, "ZELDA"};
  for (const bool on : {false, true}) {
    SCOPED_TRACE(on ? "Use AltKeys on" : "Use AltKeys off");
    OpenSettingsFile().WriteBool("Editing Options", "Use AltKeys", on);
    ASSERT_TRUE(LoadProgramSettings(true));
    Load({zelda, Hi, {ekAction, "He waits."}}, 2, -1);
    Press('Z', TShiftState(ssAlt));
    if (on)
      EXPECT_EQ(Elements(), (std::vector<ElementSpec>{zelda, Hi, {ekAction, "He waits."}, zelda, {ekDialogue, ""}}));
    else EXPECT_EQ(W().ElementCount(), 3);
  }
}

}  // namespace
}  // namespace qm
