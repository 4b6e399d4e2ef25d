#include "platform/types.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(ShortCutText, RoundTripsEveryModifierAndNamedKey) {
  const struct {
    TShortCut sc;
    const char* text;
  } cases[] = {
      {static_cast<TShortCut>(scCtrl | 'S'), "Ctrl+S"},
      {static_cast<TShortCut>(scShift | VK_F12), "Shift+F12"},
      {static_cast<TShortCut>(scAlt | VK_BACK), "Alt+Bksp"},
      {static_cast<TShortCut>(scCtrl | scAlt | VK_BACK), "Ctrl+Alt+Bksp"},
      {VK_F3, "F3"},
      {static_cast<TShortCut>(scCtrl | VK_OEM_2), "Ctrl+/"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShortCutToText(c.sc), c.text);
    EXPECT_EQ(TextToShortCut(c.text), c.sc) << c.text;
  }
  EXPECT_EQ(TextToShortCut("Ctrl+Nothing"), 0);
  EXPECT_EQ(TextToShortCut(""), 0) << "no text, no short cut (not the unnamed key 1)";
}

TEST(ColorToRGB, MapsSystemColoursAndKeepsPlainOnes) {
  EXPECT_EQ(ColorToRGB(clRed), clRed);
  EXPECT_EQ(ColorToRGB(clWindow), clWhite);
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(192, 192, 192));
}

}  // namespace
}  // namespace qm
