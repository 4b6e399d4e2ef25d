// With scene numbers locked, a block that starts inside an omitted scene
// heading and runs on takes the heading whole, however the block goes (Cut,
// Edit > Delete, the Delete key): the heading stays one whole omitted mark,
// never part of one, and the clipboard of a cut holds the whole mark.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/clipboard.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "script/editing/editor_calls.h"
#include "script/fixtures/keys_fixture.h"
#include "script/script_window.h"
#include "shell/main_form.h"

namespace qm {
namespace {

using testing::ElementSpec;

class OmittedHeadingCutTest : public testing::KeysFixture {
 public:
  using KeysFixture::Press;
};

TEST_F(OmittedHeadingCutTest, APartlySelectedOmittedHeadingGoesWhole) {
  const struct {
    const char* what;
    std::function<void(OmittedHeadingCutTest&)> remove;
    bool toClipboard;
  } cases[] = {
      {"Cut", [](auto&) { MainForm->MenuItem("CutItem")->Click(); }, true},
      {"Edit > Delete", [](auto&) { MainForm->MenuItem("DeleteItem")->Click(); }, false},
      {"the Delete key", [](auto& t) { t.Press(VK_DELETE); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Load({{ekSceneHeading, "OMITTED"},
          {ekAction, "Nothing happens here."},
          {ekSceneHeading, "INT. BARN - DAY"},
          {ekAction, "Hay."}},
         0, 0);
    W().ScenesLocked = 1;
    W().SceneOmitText = "OMITTED";
    Clipboard()->SetAsText("before");
    // From inside the mark into the next heading.
    editor::MarkBlock(W(), *ElementAt(0), 3, *ElementAt(2), 5);
    c.remove(*this);
    W().Assemble();
    const std::vector<ElementSpec> elements = Elements();
    ASSERT_FALSE(elements.empty());
    EXPECT_EQ(elements[0], (ElementSpec{ekSceneHeading, "OMITTED"})) << "the mark stays whole";
    for (const ElementSpec& e : elements) EXPECT_NE(e.text, "OMI") << "no part of the mark is left";
    EXPECT_EQ(elements.back(), (ElementSpec{ekAction, "Hay."}));
    if (c.toClipboard) {
      EXPECT_EQ(Clipboard()->AsText().rfind("OMITTED", 0), 0u) << Clipboard()->AsText();
    }
  }
}

}  // namespace
}  // namespace qm
