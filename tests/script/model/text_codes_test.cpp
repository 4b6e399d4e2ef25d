// The classes of bytes a script's text is walked by, as its tagging flag
// makes them, and the kinds it writes centred.
#include "script/model/text_codes.h"

#include <gtest/gtest.h>

#include "script/model/script_record.h"

namespace qm {
namespace {

TEST(TextCodesTest, TagBytesAreInlineCodesOnlyWhileTagging) {
  for (const bool tagging : {false, true}) {
    SCOPED_TRACE(tagging ? "tagging" : "not tagging");
    for (const CharSet& set : {InlineCodes(tagging), ZeroWidthBytes(tagging)}) {
      EXPECT_EQ(set.Contains(TagEnd), tagging);
      for (Byte tag : BreakdownTagCodes) {
        if (tag != 24) {
          EXPECT_EQ(set.Contains(tag), tagging) << int(tag);
        }
      }
      EXPECT_TRUE(set.Contains(BoldOn)) << "the style codes are codes either way";
      EXPECT_FALSE(set.Contains(Byte{'a'}));
    }
    EXPECT_FALSE(InlineCodes(tagging).Contains(HardReturn)) << "a hard return is text to copy";
    EXPECT_TRUE(ZeroWidthBytes(tagging).Contains(HardReturn));
    EXPECT_TRUE(ZeroWidthBytes(tagging).Contains(SoftHyphen));
  }
}

TEST(TextCodesTest, CentredKindsFollowTheFormatOptions) {
  constexpr auto bits = [](std::initializer_list<int> kinds) {
    std::uint32_t set = 0;
    for (int k : kinds) set |= std::uint32_t{1} << k;
    return set;
  };
  const struct {
    Byte names, scene, act;
    std::uint32_t kinds;
  } cases[] = {
      {0, 0, 0, bits({7})},
      {1, 0, 0, bits({7, 3})},
      {0, 1, 0, bits({7, 11, 19})},
      {0, 0, 1, bits({7, 10, 13, 14, 15})},
      {1, 1, 1, bits({3, 7, 10, 11, 13, 14, 15, 19})},
  };
  for (const auto& c : cases) {
    TScriptSettings s;
    s.CenterCharacterNames = c.names;
    s.CenterSceneInformation = c.scene;
    s.CenterActInformation = c.act;
    EXPECT_EQ(CenteredKinds(s), c.kinds);
  }
}

}  // namespace
}  // namespace qm
