// The status line keeps its walk over the script and only walks what the
// caret passed: whatever the moves and edits, its texts must be those of
// a walk over the whole script.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/input.h"
#include "script/editing/document_modified.h"
#include "script/editing/position_texts.h"
#include "script/fixtures/keys_fixture.h"
#include "script/layout/screen_rebuild.h"
#include "script/layout/word_wrap.h"
#include "script/script_window.h"
#include "support/script_generator.h"

namespace qm {
namespace {

class StatusWalkTest : public testing::KeysFixture {
 protected:
  // A screenplay in two acts with scene information here and there.
  void LoadActs() {
    std::vector<testing::ElementSpec> elements = testing::GenerateScreenplay(21, 14);
    elements.insert(elements.begin(), {ekActStart, "ACT ONE"});
    for (std::size_t at : {40u, 90u, 170u}) elements.insert(elements.begin() + at, {ekSceneInformation, "SCENE"});
    elements.insert(elements.begin() + 130, {ekActStart, "ACT TWO"});
    LoadWrapped(elements);
    W().ActDisplayStyle = 2;
    W().RefreshLayout();
    W().RenumberScenes(false);
  }
  int Count() {
    int n = 0;
    for (TScriptElement* e = W().FirstElement; e; e = e->next) ++n;
    return n;
  }
  static std::string Texts(bool shown, const TStatusTexts& t) {
    if (!shown) return "none";
    return t.page + '|' + t.scene + '|' + t.act + '|' + std::to_string(t.scrollPosition) + '/' +
           std::to_string(t.scrollMaximum) + '|' + t.caretPageText;
  }
  // The texts kept from the last walk, then those of a whole walk.
  void ExpectSameAsWholeWalk() {
    TStatusOptions options;
    options.showActPanel = true;
    TStatusTexts kept, whole;
    const bool keptShown = ComputeStatusTexts(W(), options, kept);
    ForgetStatusWalk(W());
    const bool wholeShown = ComputeStatusTexts(W(), options, whole);
    EXPECT_EQ(Texts(keptShown, kept), Texts(wholeShown, whole));
  }
  void MoveTo(int index) { MakeElementCurrent(W(), ElementAt(index)); }
};

TEST_F(StatusWalkTest, TheKeptWalkReadsAsAWholeWalkAfterEveryMove) {
  LoadActs();
  const int count = Count();
  std::uint32_t seed = 7;
  const auto next = [&seed](int range) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(range));
  };
  int at = 0;
  int kept = 0;
  const int steps[] = {1, -1, 3, -3, 25, -25, 120, -120};
  for (int i = 0; i < 300; ++i) {
    SCOPED_TRACE(i);
    if (i % 17 == 0) at = next(count);
    else at = std::clamp(at + steps[next(8)], 0, count - 1);
    const std::uint64_t shape = ScriptShapeChanges;
    MoveTo(at);
    if (ScriptShapeChanges == shape) ++kept;
    ExpectSameAsWholeWalk();
  }
  EXPECT_GT(kept, 250) << "most moves are read from the kept walk";
}

TEST_F(StatusWalkTest, EditsBetweenMovesAreCounted) {
  LoadActs();
  MoveTo(60);
  ExpectSameAsWholeWalk();
  struct Case {
    const char* what;
    std::function<void()> edit;
  };
  const Case cases[] = {
      {"lines typed", [] { TypeText(" and so the line grows until it wraps onto another line of its own"); }},
      {"a new element", [] { SendKey(VK_RETURN); }},
      {"repaginated", [this] { W().RefreshLayout(); }},
      // A command that changes a format marks the script changed.
      {"an element's lines before",
       [this] {
         ElementAt(70)->format.LinesBefore = 30;
         SetDocumentModified(true, false);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MoveTo(60);
    TStatusTexts before;
    ComputeStatusTexts(W(), {}, before);
    W().SetFocus();
    c.edit();
    for (int to : {61, 58, 80, 20}) {
      SCOPED_TRACE(to);
      MoveTo(to);
      ExpectSameAsWholeWalk();
    }
  }
}

TEST_F(StatusWalkTest, ThePageCountIsTheWholeScriptsWithEveryPanelHidden) {
  LoadActs();
  MoveTo(60);
  TStatusOptions shown, hidden;
  hidden.showScenePanel = false;
  hidden.rightPanelShown = false;
  TStatusTexts withPanels, withoutPanels;
  ASSERT_TRUE(ComputeStatusTexts(W(), shown, withPanels));
  ForgetStatusWalk(W());
  ASSERT_TRUE(ComputeStatusTexts(W(), hidden, withoutPanels));
  EXPECT_EQ(withoutPanels.page, withPanels.page) << "\" of\" counts every page, not those above the caret";
  EXPECT_NE(withPanels.page.substr(withPanels.page.size() - 2), " 1");
}

}  // namespace
}  // namespace qm
