// Where a typed line ends: the line ends when the running width reaches
// the width the margins leave (12-point Courier on a letter page: an
// Action line is 60 characters wide), so a word whose last letter ends on
// the right margin goes to the next line, a blank there stays, and a run
// with nowhere to break breaks at the character that reached the margin.
// Flex Margin lets a word of five characters or more on the line pass the
// margin when it ends with the next character or the one after it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/input.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"

namespace qm {
namespace {

using testing::ElementSpec;

std::string A(int n) { return std::string(static_cast<std::size_t>(n), 'a'); }
// Words of four letters, each followed by a hard space.
std::string Joined(int words) {
  std::string text;
  for (int i = 0; i < words; ++i) text += "bbbb\x04";
  return text;
}

class TypedLineEndsTest : public testing::KeysFixture {
 protected:
  // The edit line's wrapped lines.
  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    const std::string& text = W().EditBuffer();
    std::size_t start = 0;
    for (int line = 1; line <= W().CurrentElement()->lineCount; ++line) {
      const std::size_t end = std::min<std::size_t>(W().LineOffsets()[static_cast<std::size_t>(line)], text.size());
      lines.push_back(text.substr(start, end - start));
      start = end;
    }
    return lines;
  }
};

TEST_F(TypedLineEndsTest, ALineEndsWhereTheTextReachesTheMargin) {
  // clang-format off
  const struct {
    const char* what;
    Byte kind;
    bool flex;
    std::string before;  // in the element, the caret at its end
    std::string typed;
    std::vector<std::string> lines;
  } cases[] = {
      {"a word whose last letter ends on the margin moves", ekAction, false, A(53) + " abcde", "f g",
       {A(53) + " ", "abcdef g"}},
      {"the text's last word ending on the margin ends the line with the text", ekAction, false, A(53) + " abcde",
       "f", {A(53) + " abcdef"}},
      {"a word one letter shorter stays", ekAction, false, A(53) + " abcd", "e", {A(53) + " abcde"}},
      {"a blank that reaches the margin stays on its line", ekAction, false, A(59), " bb", {A(59) + " ", "bb"}},
      {"a run with nowhere to break breaks at the character that reached the margin", ekAction, false, A(58), "aaaaaa",
       {A(59), A(5)}},
      {"words joined by hard spaces past a line break at the character that reached the margin", ekAction, false,
       Joined(12), "cc", {Joined(11) + "bbbb", "\x04" "cc"}},
      {"a dash that reaches the margin stays with its word", ekAction, false, A(50) + " abcdefgh", "-ij",
       {A(50) + " abcdefgh-", "ij"}},
      {"a Dialogue line is 35 characters wide", ekDialogue, false, A(29) + " abcd", "e f", {A(29) + " ", "abcde f"}},
      {"flex: a 7-letter word whose last letter alone passes the margin stays", ekAction, true, A(53) + " abcdef", "g",
       {A(53) + " abcdefg"}},
      {"flex: so does one whose last two letters pass", ekAction, true, A(53) + " abcdefg", "h",
       {A(53) + " abcdefgh"}},
      {"flex: three letters past the margin move", ekAction, true, A(53) + " abcdefgh", "i",
       {A(53) + " ", "abcdefghi"}},
      {"flex: a 4-letter word in the same position moves", ekAction, true, A(56) + " abc", "d",
       {A(56) + " ", "abcd"}},
      {"flex: a word that ends on the margin passes nothing and moves", ekAction, true, A(53) + " abcde", "f g",
       {A(53) + " ", "abcdef g"}},
      {"flex: never in a scene heading", ekSceneHeading, true, A(53) + " ABCDEF", "G", {A(53) + " ", "ABCDEFG"}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    W().FlexMargin = c.flex;
    Load({{c.kind, c.before}}, 0, -1);
    TypeText(c.typed);
    EXPECT_EQ(Lines(), c.lines);
  }
}

}  // namespace
}  // namespace qm
