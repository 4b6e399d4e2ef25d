// Every tool that walks a script scene by scene agrees on where a scene
// starts: at a heading the writer has not made hideable. A heading whose
// text is hidden, or shown but hideable, belongs to the scene before it.

#include <gtest/gtest.h>

#include <iterator>
#include <tuple>

#include "breakdown/character_lists.h"
#include "breakdown/rundown_sheets.h"
#include "breakdown/scene_gathering.h"
#include "breakdown/script_analysis.h"
#include "breakdown/sheet_tag_rewrite.h"
#include "language/language_fixture.h"
#include "language/list_builders.h"
#include "script/model/element_kinds.h"
#include "script/model/script_record.h"

namespace qm {
namespace {

using Scenes = std::vector<std::string>;

class SceneStartsTest : public testing::LanguageFixture {
 public:
  static constexpr int YardHeading = 4;

  // An act with three scenes; the yard's heading takes the state asked.
  void Build(Byte yardState) {
    Settings().SceneInformationOff = 1;
    Add({{ekActStart, "ACT ONE"},
         {ekSceneHeading, "INT. BARN - DAY"},
         {ekCharacterName, "ANN"},
         {ekDialogue, "Hi."},
         {ekSceneHeading, "EXT. YARD - DAY"},
         {ekCharacterName, "BOB"},
         {ekDialogue, "Yo."},
         {ekSceneHeading, "INT. SHED - NIGHT"},
         {ekCharacterName, "CAL"},
         {ekDialogue, "Ok."}});
    Number(0, 1);
    Number(1, 1);
    Number(YardHeading, 2);
    Number(7, 3);
    Element(YardHeading).state = yardState;
    PlaceCaret(2);
  }

  Scenes GatheredLocations() {
    Scenes out;
    for (const BreakdownRecord& r : GatherSceneRecords(Script()).Records) out.push_back(r.Location);
    return out;
  }
  Scenes AnalysedSceneCount() { return {std::to_string(AnalyzeScript(Script()).Scenes)}; }
  Scenes RundownHeadings() {
    Scenes out;
    for (const TRundownEntry& e : GatherRundownRows(Script())) out.push_back(e.Row.Heading);
    return out;
  }
  Scenes SheetEditorHeadings() {
    Scenes out;
    for (int scene = 0; scene < 3; ++scene) {
      const TScriptElement* heading = SceneHeading(Script(), scene);
      out.push_back(heading ? ElementText(*heading) : "");
    }
    return out;
  }
  Scenes PopupScenes() {
    TStringList items;
    items.OwnsObjects = true;
    BuildPopupList(plScenes, items);
    return Texts(items);
  }
  // The element under each heading after a generation.
  Scenes CharacterLists() {
    TCharacterListRun run;
    run.Options.AfterFirst = false;
    run.Names = PrepareListNames(Script(), run.Options.SortOrder);
    RunCharacterListGeneration(Script(), run);
    Scenes out;
    const auto elements = testing::ElementsOf(Script());
    for (std::size_t i = 0; i + 1 < elements.size(); ++i)
      if (elements[i].kind == ekSceneHeading) out.push_back(elements[i + 1].text);
    return out;
  }
};

using Walk = Scenes (SceneStartsTest::*)();

const Scenes kThree = {"INT. BARN - DAY", "EXT. YARD - DAY", "INT. SHED - NIGHT"};
const Scenes kTwo = {"INT. BARN - DAY", "INT. SHED - NIGHT"};

struct WalkerCase {
  const char* walker;
  Walk walk;
  Scenes visible, hidden;
};

const WalkerCase kWalkers[] = {
    {"gathering", &SceneStartsTest::GatheredLocations, {"BARN", "YARD", "SHED"}, {"BARN", "SHED"}},
    {"analysis", &SceneStartsTest::AnalysedSceneCount, {"3"}, {"2"}},
    {"rundown", &SceneStartsTest::RundownHeadings, kThree, kTwo},
    {"sheet_editor", &SceneStartsTest::SheetEditorHeadings, kThree, {"INT. BARN - DAY", "INT. SHED - NIGHT", ""}},
    {"popup_list",
     &SceneStartsTest::PopupScenes,
     {"1   INT. BARN - DAY", "2   EXT. YARD - DAY", "3   INT. SHED - NIGHT"},
     {"1   INT. BARN - DAY", "3   INT. SHED - NIGHT"}},
    // The yard's cue joins the barn's list; the hidden heading gets none.
    {"character_lists", &SceneStartsTest::CharacterLists, {"(Ann)", "(Bob)", "(Cal)"}, {"(Ann, Bob)", "BOB", "(Cal)"}},
};

class EveryWalkerTest : public SceneStartsTest, public ::testing::WithParamInterface<std::tuple<std::size_t, Byte>> {};

TEST_P(EveryWalkerTest, AHiddenHeadingStartsNoScene) {
  const auto [walker, state] = GetParam();
  const WalkerCase& w = kWalkers[walker];
  Build(state);
  const bool hidden = state == esShownHidden || state == esHidden;
  EXPECT_EQ((this->*w.walk)(), hidden ? w.hidden : w.visible);
}

INSTANTIATE_TEST_SUITE_P(HeadingStates, EveryWalkerTest,
                         ::testing::Combine(::testing::Range<std::size_t>(0, std::size(kWalkers)),
                                            ::testing::Values(Byte{esNormal}, Byte{esKeepGroup}, Byte{esShownHidden},
                                                              Byte{esHidden})),
                         [](const auto& info) {
                           return std::string(kWalkers[std::get<0>(info.param)].walker) + "_state" +
                                  std::to_string(std::get<1>(info.param));
                         });

TEST(SectionOpenersTest, ActsAndProloguesAlwaysOpenASectionHeadingsOnlyWithoutSceneInformation) {
  // clang-format off
  const struct {
    Byte kind;
    bool withSceneInformation, withoutSceneInformation;
  } cases[] = {
      {ekActInformation, true, true},   {ekActStart, true, true},          {ekPrologueText, true, true},
      {ekSceneInformation, true, true}, {ekLockedSceneInformation, true, true}, {ekSceneHeading, false, true},
      {ekASceneHeading, false, true},   {ekDashASceneHeading, false, true}, {ekEndOfActText, false, false},
      {ekAction, false, false},         {ekShot, false, false},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.kind));
    EXPECT_EQ(OpensSection(c.kind, true), c.withSceneInformation);
    EXPECT_EQ(OpensSection(c.kind, false), c.withoutSceneInformation);
  }
}

}  // namespace
}  // namespace qm
