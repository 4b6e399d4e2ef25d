#include "language/user_list_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qm {
namespace {

TEST(UserListTextTest, EachFilledLineGivesOneCleanEntryUntilTheRoomIsUsed) {
  const struct {
    const char* what;
    std::string text;
    std::size_t room;
    std::vector<std::string> expected;
  } cases[] = {
      {"CR LF, CR and LF all end lines", "A\r\nB\rC\nD", 10, {"A", "B", "C", "D"}},
      {"blank, tab-only and empty lines are skipped", "\r\n  \r\n\t\t\r\nX\r\n\r\n", 10, {"X"}},
      {"tabs go everywhere, blanks only at the ends", "\tMRS.\tPIKE \t", 10, {"MRS.PIKE"}},
      {"inner blanks stay", "  LIVING ROOM  ", 10, {"LIVING ROOM"}},
      {"zero bytes go", std::string("AN\0NA", 5), 10, {"ANNA"}},
      {"reading stops when the room is used", "A\nB\nC\nD", 2, {"A", "B"}},
      {"no room, no entries", "A\nB", 0, {}},
      {"a last line without its end is read", "A\nB", 10, {"A", "B"}},
      {"an empty file", "", 10, {}},
      {"a lone CR LF split across nothing", "\r", 10, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(UserListTextEntries(c.text, c.room), c.expected);
  }
}

}  // namespace
}  // namespace qm
