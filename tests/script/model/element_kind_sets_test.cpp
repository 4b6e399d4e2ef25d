// The kinds are stored in files by their codes, so the names must keep
// them; the sets of kinds are stated here by those stored codes.
#include <gtest/gtest.h>

#include <set>

#include "script/model/script_model.h"

namespace qm {
namespace {

TEST(ElementKindSetsTest, NamesKeepTheStoredCodes) {
  // clang-format off
  const struct {
    TElementKind kind;
    int code;
  } cases[] = {
      {ekAction, 0},           {ekSceneHeading, 1},          {ekShot, 2},
      {ekCharacterName, 3},    {ekDialogue, 4},              {ekParenthetical, 5},
      {ekTransition, 6},       {ekCenteredTitle, 7},         {ekAutoPageBreak, 8},
      {ekASceneHeading, 9},    {ekActInformation, 10},       {ekSceneInformation, 11},
      {ekForcedPageBreak, 12}, {ekActStart, 13},             {ekPrologueText, 14},
      {ekEndOfActText, 15},    {ekDashASceneHeading, 16},    {ekLockedPageBreak, 17},
      {ekMultiLockedPageBreak, 18}, {ekLockedSceneInformation, 19}, {ekScriptNote, 20},
      {ekFixedAPageBreak, 21},
  };
  // clang-format on
  for (const auto& c : cases) EXPECT_EQ(static_cast<int>(c.kind), c.code);
}

TEST(ElementKindSetsTest, NumberedAndPageBreakKindsByTheirCodes) {
  const std::set<int> numbered = {1, 9, 10, 11, 13, 14, 15, 16, 19};
  const std::set<int> pageBreaks = {8, 12, 17, 18, 21};
  for (int code = 0; code < FirstInvalidKind; ++code) {
    SCOPED_TRACE(code);
    const Byte kind = static_cast<Byte>(code);
    EXPECT_EQ(IsNumberedKind(kind), numbered.contains(code));
    EXPECT_EQ(IsPageBreakKind(kind), pageBreaks.contains(code));
    EXPECT_EQ(IsHardPageBreakKind(kind), pageBreaks.contains(code) && code != 8);
  }
}

}  // namespace
}  // namespace qm
