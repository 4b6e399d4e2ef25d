// The Search menu's walks run on a bare document, with no script window:
// the next speech of a character, the next coloured or struck-out text,
// and redlining one character's speeches.
#include <gtest/gtest.h>

#include <algorithm>

#include "language/search_tools.h"
#include "script/model/text_codes.h"
#include "support/document_builder.h"

namespace qm {
namespace {

using testing::IndexOf;

std::unique_ptr<testing::TBuiltDocument> Speeches() {
  return testing::BuildDocument({
      {ekSceneHeading, "INT. HALL - DAY"},  // 0
      {ekAction, "Ann talks to Bob."},      // 1
      {ekCharacterName, "ANN"},             // 2
      {ekDialogue, "Hi."},                  // 3
      {ekCharacterName, "BOB"},             // 4
      {ekParenthetical, "(quietly)"},       // 5
      {ekDialogue, "Hello, Ann."},          // 6
      {ekCharacterName, "ANNE"},            // 7 another name that starts the same
      {ekDialogue, "Me too."},              // 8
      {ekAutoPageBreak, ""},                // 9
      {ekCharacterName, "ann (V.O.)"},      // 10 her name with an extension
      {ekParenthetical, "(sighs)"},         // 11
      {ekDialogue, "Bye."},                 // 12
      {ekAction, "She goes."},              // 13
  });
}

TEST(SearchToolsOnADocument, NextSpeechIsTheNextCueOfThatNameAfterTheElement) {
  const auto script = Speeches();
  struct Case {
    int after;
    const char* name;
    int found;
  } const cases[] = {
      {0, "ANN", 2},    // the first of her cues
      {2, "ANN", 10},   // never the element itself; ANNE is not ANN; the extension is no part of the name
      {10, "ANN", -1},  // no more speeches by her
      {0, "BOB", 4},   {4, "BOB", -1}, {0, "ANNE", 7}, {0, "CAROL", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " after " + std::to_string(c.after));
    EXPECT_EQ(IndexOf(*script, NextSpeechOf(*script, &script->Element(c.after), c.name)), c.found);
  }
}

TEST(SearchToolsOnADocument, RedlineColoursEachCueOfTheNameAndTheSpeechRightAfterIt) {
  const auto script = Speeches();
  RedlineSpeechesOf(*script, "ANN");
  const Byte red = static_cast<Byte>(ElementColorIndex(16));
  const std::vector<int> redlined{2, 3, 10, 11, 12};
  for (int i = 0; i < script->ElementCount(); ++i) {
    SCOPED_TRACE("element " + std::to_string(i));
    const bool wanted = std::find(redlined.begin(), redlined.end(), i) != redlined.end();
    EXPECT_EQ(script->Element(i).format.ColorIndex(), wanted ? red : 0);
  }
}

TEST(SearchToolsOnADocument, NextMarkedTextIsTheNextElementWithAColourOrStrikeOut) {
  const std::string red = "\x10", redOff = "\x11", strike = "\x0E", strikeOff = "\x0F", green = "\x14";
  const auto script = testing::BuildDocument({
      {ekSceneHeading, "INT. HALL - DAY"},                          // 0 its element colour does not count
      {ekAction, "Plain."},                                         // 1
      {ekAction, "A " + red + "red" + redOff + " word."},           // 2 a colour code in the text
      {ekCharacterName, "ANN"},                                     // 3 an element colour
      {ekDialogue, "Plain."},                                       // 4
      {ekAutoPageBreak, ""},                                        // 5
      {ekAction, "The strike-out style."},                          // 6
      {ekAction, "A " + strike + "struck" + strikeOff + " word."},  // 7
      {ekTransition, green + "CUT TO:"},                            // 8 a code in any kind
      {ekAction, "Plain at the end."},                              // 9
  });
  script->Element(0).format.SetColorIndex(static_cast<Byte>(ElementColorIndex(16)));
  script->Element(3).format.SetColorIndex(static_cast<Byte>(ElementColorIndex(18)));
  script->Element(6).format.Style |= stStrikeOut;
  const std::vector<std::pair<int, int>> cases{{0, 2}, {2, 3}, {3, 6}, {6, 7}, {7, 8}, {8, -1}, {9, -1}};
  for (const auto& [after, found] : cases) {
    SCOPED_TRACE("after " + std::to_string(after));
    EXPECT_EQ(IndexOf(*script, NextMarkedElement(*script, &script->Element(after))), found);
  }
}

}  // namespace
}  // namespace qm
