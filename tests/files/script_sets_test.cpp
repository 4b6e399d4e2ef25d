// The element types written centred and the character classes that follow
// the tagging flag.
#include <gtest/gtest.h>

#include "files/file_test_fixture.h"
#include "files/script_samples.h"
#include "files/native_file.h"
#include "files/script_sets.h"

namespace qm::testing {
namespace {

class ScriptSetsTest : public FileTest {};

constexpr std::uint32_t Bits(std::initializer_list<int> kinds) {
  std::uint32_t set = 0;
  for (int k : kinds) set |= std::uint32_t{1} << k;
  return set;
}

TEST_F(ScriptSetsTest, CentredKindsFollowTheFormatOptions) {
  struct Case {
    Byte names, scene, act;
    std::uint32_t kinds;
  };
  const Case cases[] = {
      {0, 0, 0, Bits({7})},
      {1, 0, 0, Bits({7, 3})},
      {0, 1, 0, Bits({7, 11, 19})},
      {0, 0, 1, Bits({7, 10, 13, 14, 15})},
      {1, 1, 1, Bits({3, 7, 10, 11, 13, 14, 15, 19})},
  };
  EXPECT_EQ(CenteredKinds(), 0u);
  ScriptWindow w;
  for (const auto& c : cases) {
    w->CenterCharacterNames = c.names;
    w->CenterSceneInformation = c.scene;
    w->CenterActInformation = c.act;
    EXPECT_EQ(CenteredKinds(), c.kinds);
  }
}

TEST_F(ScriptSetsTest, TagCodesAreInlineCodesOnlyWhileTagging) {
  const Byte tag = BreakdownTagCodes[0];
  ScriptWindow w;
  w->TaggingUsed = 1;
  ApplyScriptCharacterSets();
  for (const CharSet* set : {&TagCodeSet, &ScriptCodeCharSet, &CaretSkipCharSet, &ZeroWidthCharSet}) {
    EXPECT_TRUE(set->Contains(tag));
    EXPECT_TRUE(set->Contains(TagEnd));
  }
  EXPECT_TRUE(ScriptCodeCharSet.Contains(Byte{2}));
  w->TaggingUsed = 0;
  ApplyScriptCharacterSets();
  for (const CharSet* set : {&TagCodeSet, &ScriptCodeCharSet, &CaretSkipCharSet, &ZeroWidthCharSet})
    EXPECT_FALSE(set->Contains(TagEnd));
  EXPECT_FALSE(ScriptCodeCharSet.Contains(tag));
  EXPECT_TRUE(ScriptCodeCharSet.Contains(Byte{2}));
  EXPECT_TRUE(CaretSkipCharSet.Contains(HardReturn));
}

TEST_F(ScriptSetsTest, LoadingATaggedScriptTurnsTheSetsOn) {
  ScriptWindow w;
  w->TaggingUsed = 1;
  std::vector<Byte> image(ScriptHeaderSize);
  WriteScriptImage(image, 0, 0, false);
  w->TaggingUsed = 0;
  ApplyScriptCharacterSets();
  ASSERT_TRUE(ReadScriptHeader(image));
  EXPECT_TRUE(ScriptCodeCharSet.Contains(TagEnd));
}

}  // namespace
}  // namespace qm::testing
