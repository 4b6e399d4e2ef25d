#include "platform/clipboard.h"

#include <gtest/gtest.h>

#include "support/platform_fixture.h"

namespace qm {
namespace {

using ClipboardTest = testing::PlatformFixture;

TEST_F(ClipboardTest, NamedFormatsAreNumberedFromC000AndKeepTheirNames) {
  const UINT native = RegisterClipboardFormat("Quillmaster Text");
  const UINT rtf = RegisterClipboardFormat("Rich Text Format");
  EXPECT_GE(native, 0xC000u);
  EXPECT_NE(native, rtf);
  EXPECT_EQ(RegisterClipboardFormat("Quillmaster Text"), native);
  EXPECT_EQ(GetClipboardFormatName(rtf), "Rich Text Format");
  EXPECT_EQ(GetClipboardFormatName(CF_TEXT), "");
}

TEST_F(ClipboardTest, SeveralFormatsInOneSessionArriveTogetherAtClose) {
  const UINT native = RegisterClipboardFormat("Quillmaster Text");
  TClipboard& clip = *Clipboard();
  clip.Open();
  clip.Clear();
  clip.SetData(native, Bytes{1, 2, 3});
  clip.SetData(CF_TEXT, Bytes{'H', 'i', 0});
  EXPECT_FALSE(clip.HasFormat(native)) << "nothing is published while the clipboard is open for writing";
  clip.Close();
  EXPECT_EQ(clip.Formats(), (std::vector<UINT>{native, CF_TEXT}));
  EXPECT_EQ(clip.EnumFormats(0), native);
  EXPECT_EQ(clip.EnumFormats(native), CF_TEXT);
  EXPECT_EQ(clip.EnumFormats(CF_TEXT), 0u);
  EXPECT_EQ(clip.GetData(native), (Bytes{1, 2, 3}));
  EXPECT_EQ(clip.AsText(), "Hi");

  clip.Open();
  clip.Clear();
  clip.Close();
  EXPECT_TRUE(clip.Formats().empty());
  EXPECT_FALSE(clip.GetData(native).has_value());
}

TEST_F(ClipboardTest, TextIsZeroEndedAndReadUpToTheZero) {
  Clipboard()->SetAsText("INT. HOUSE\r\n");
  auto raw = Clipboard()->GetData(CF_TEXT);
  ASSERT_TRUE(raw.has_value());
  EXPECT_EQ(raw->back(), 0);
  Bytes withTail{'A', 'B', 0, 'C'};
  Clipboard()->Open();
  Clipboard()->Clear();
  Clipboard()->SetData(CF_TEXT, withTail);
  Clipboard()->Close();
  EXPECT_EQ(Clipboard()->AsText(), "AB");
}

TEST_F(ClipboardTest, ItemsNumberedByAnotherProcessAreMatchedByName) {
  // Another instance registered its names in another order.
  Backend().Clipboard().Publish({ClipItem{0xC123, "StoryDev Exchange", Bytes{9}}});
  const UINT ours = RegisterClipboardFormat("StoryDev Exchange");
  EXPECT_TRUE(Clipboard()->HasFormat(ours));
  EXPECT_EQ(Clipboard()->GetData(ours), (Bytes{9}));
}

}  // namespace
}  // namespace qm
