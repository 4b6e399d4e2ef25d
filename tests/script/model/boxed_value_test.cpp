#include "script/model/boxed_value.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

// Element records are copied whole (undo copies, split pieces): a copy must
// own its value, and a present empty value is not an absent one (files
// store the difference).
TEST(BoxedValueTest, CopiesOwnTheirValueAndEmptyIsNotAbsent) {
  TBoxed<std::string> original;
  original = std::string("\x01\x02");
  TBoxed<std::string> copy = original;
  TBoxed<std::string> assigned;
  assigned = original;
  (*original)[0] = 'x';
  EXPECT_EQ(*copy, "\x01\x02");
  EXPECT_EQ(*assigned, "\x01\x02");
  EXPECT_FALSE(copy == original);
  EXPECT_TRUE(copy == assigned);

  const struct {
    const char* what;
    bool aPresent;
    std::string a;
    bool bPresent;
    std::string b;
    bool equal;
  } cases[] = {
      {"both absent", false, "", false, "", true},        {"absent and empty", false, "", true, "", false},
      {"both empty", true, "", true, "", true},           {"same marks", true, "\x01", true, "\x01", true},
      {"other marks", true, "\x01", true, "\x02", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TBoxed<std::string> a, b;
    if (c.aPresent) a = c.a;
    if (c.bPresent) b = c.b;
    EXPECT_EQ(a == b, c.equal);
    EXPECT_EQ(a.value_or("none"), c.aPresent ? c.a : "none");
  }
  TBoxed<std::string> self = copy;
  self = *&self;
  EXPECT_EQ(*self, "\x01\x02");
  copy.reset();
  EXPECT_FALSE(copy);
}

}  // namespace
}  // namespace qm
