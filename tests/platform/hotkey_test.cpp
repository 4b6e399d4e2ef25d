// A caption's "&" marks the letter Alt reaches; "&&" is a plain "&".
#include <gtest/gtest.h>

#include <string>

#include "platform/menus.h"

namespace qm {
namespace {

TEST(HotkeyTest, TheLetterAfterTheFirstSingleAmpersandIsTheHotkey) {
  const struct {
    const char* caption;
    std::size_t letter;
    const char* shown;
  } cases[] = {
      {"&From Scene:", 1, "From Scene:"},
      {"Go to &Page:", 7, "Go to Page:"},
      {"Cast && &Crew", 9, "Cast & Crew"},
      {"&&&Both", 3, "&Both"},
      {"&First &Second", 1, "First Second"},
      {"No letter", std::string::npos, "No letter"},
      {"Ends with &", std::string::npos, "Ends with "},
      {"Only &&", std::string::npos, "Only &"},
      {"", std::string::npos, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    EXPECT_EQ(HotkeyIndex(c.caption), c.letter);
    EXPECT_EQ(StripHotkey(c.caption), c.shown);
  }
}

}  // namespace
}  // namespace qm
