// The scene gathering and the tag scan run on a bare document, with no
// script window: pages, scene numbers and line counts by scene, hidden
// elements passed over (but Script Notes), and the elements in front of
// the first heading counted for the first scene.
#include <gtest/gtest.h>

#include "breakdown/breakdown_record.h"
#include "breakdown/scene_gathering.h"
#include "breakdown/tag_notation.h"
#include "script/model/user_list_entries.h"
#include "support/document_builder.h"

namespace qm {
namespace {

using testing::T;
using Items = std::vector<std::string>;

struct Row {
  testing::DocumentRow row;
  Byte linesBefore;  // tenths of a line
  Byte lines;
};

std::unique_ptr<testing::TBuiltDocument> Build(const std::vector<Row>& rows) {
  std::vector<testing::DocumentRow> plain;
  for (const Row& r : rows) plain.push_back(r.row);
  auto script = testing::BuildDocument(plain);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    TScriptElement& e = script->Element(static_cast<int>(i));
    e.format.LinesBefore = rows[i].linesBefore;
    e.lineCount = rows[i].lines;
  }
  SetUserListEntry(script->UserLists, TUserList::SceneText, 1, "INT.");
  SetUserListEntry(script->UserLists, TUserList::SceneText, 2, "EXT.");
  SetUserListEntry(script->UserLists, TUserList::TimeofDay, 1, "DAY");
  SetUserListEntry(script->UserLists, TUserList::TimeofDay, 2, "NIGHT");
  return script;
}

// Two scenes over two pages; the script ends in hidden elements.
std::unique_ptr<testing::TBuiltDocument> TwoScenes() {
  return Build({
      {{ekAction, T("Before it all, a [ofeather].")}, 10, 2},  // the first scene's tags, not its lines
      {{ekSceneHeading, "INT. BARN - DAY"}, 20, 1},            // 1
      {{ekAction, T("BOB waits. [ulightning]")}, 10, 2},       // 1 + 3
      {{ekAction, "MARY hides.", esHidden}, 10, 5},            // passed over
      {{ekCharacterName, "ANN"}, 10, 1},                       // + 2
      {{ekDialogue, "Hi."}, 0, 3},                             // + 3 = 9
      {{ekScriptNote, "a note about MARY"}, 10, 4},            // counts no lines; names MARY
      {{ekForcedPageBreak, ""}, 0, 1},                         // page 2
      {{ekSceneHeading, "EXT. FIELD - NIGHT"}, 20, 2},         // 2
      {{ekCharacterName, "MARY"}, 10, 1},                      // + 2
      {{ekDialogue, "Bye."}, 0, 1},                            // + 1
      {{ekCharacterName, "BOB"}, 10, 1},                       // + 2
      {{ekDialogue, "Wait."}, 0, 1},                           // + 1 = 8
      {{ekAction, T("[oumbrella]"), esShownHidden}, 10, 3},    // passed over, tag and all
      {{ekScriptNote, T("[ecook]"), esHidden}, 10, 1},         // a hidden note still counts
      {{ekAction, "ANN leaves.", esHidden}, 10, 4},            // passed over at the end
  });
}

TEST(SceneGatheringOnADocument, EachSceneHasItsPagesNumberLinesCharactersAndItems) {
  const auto script = TwoScenes();
  const TSceneBreakdowns run = GatherSceneRecords(*script);
  EXPECT_EQ(run.Names, (Items{"ANN", "BOB", "MARY"}));
  ASSERT_EQ(run.Records.size(), 2u);
  const struct {
    std::string intExt, location, time, number, startPage, endPage;
    int lines;
    Items characters;
    Items props, specialFX, crew;
  } expected[] = {
      // Cues and Script Notes first, then the names met only in Action.
      {"INT.", "BARN", "DAY", "1", "1", "2", 9, {"ANN", "MARY", "BOB"}, {"feather"}, {"lightning"}, {}},
      {"EXT.", "FIELD", "NIGHT", "2", "2", "2", 8, {"MARY", "BOB"}, {}, {}, {"cook"}},
  };
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    const BreakdownRecord& r = run.Records[i];
    const auto& e = expected[i];
    EXPECT_EQ(r.IntExt, e.intExt);
    EXPECT_EQ(r.Location, e.location);
    EXPECT_EQ(r.TimeOfDay, e.time);
    EXPECT_EQ(r.SceneNumber, e.number);
    EXPECT_EQ(r.StartPage, e.startPage);
    EXPECT_EQ(r.EndPage, e.endPage);
    EXPECT_EQ(r.LineCount, e.lines);
    EXPECT_EQ(CharacterNamesOf(run, r), e.characters);
    EXPECT_EQ(r.Items[rsProps], e.props);
    EXPECT_EQ(r.Items[rsSpecialFX], e.specialFX);
    EXPECT_EQ(r.Items[rsCrew], e.crew);
  }
}

TEST(SceneGatheringOnADocument, PageAndSceneNumbersFollowTheScriptsStartNumbers) {
  const auto script = TwoScenes();
  script->PageStart = 5;
  script->SceneStart = 10;
  const TSceneBreakdowns run = GatherSceneRecords(*script);
  ASSERT_EQ(run.Records.size(), 2u);
  const struct { std::string number, startPage, endPage; } expected[] = {{"11", "5", "6"}, {"12", "6", "6"}};
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(run.Records[i].SceneNumber, expected[i].number);
    EXPECT_EQ(run.Records[i].StartPage, expected[i].startPage);
    EXPECT_EQ(run.Records[i].EndPage, expected[i].endPage);
  }
}

// The document's own alias lists report an alias under its name.
TEST(SceneGatheringOnADocument, AliasesReportAsTheirNamesAndLocations) {
  auto script = Build({
      {{ekSceneHeading, "INT. OLD BARN - DAY"}, 20, 1},
      {{ekCharacterName, "BOBBY"}, 10, 1},
      {{ekDialogue, "Hi."}, 0, 1},
      {{ekCharacterName, "ANN"}, 10, 1},
      {{ekDialogue, "Hello."}, 0, 1},
      {{ekCharacterName, "BOB"}, 10, 1},
      {{ekDialogue, "Me again."}, 0, 1},
  });
  script->AddAlias(script->LocationAliasList, "OLD BARN", "BARN");
  script->AddAlias(script->CharacterAliasList, "BOBBY", "BOB");
  const TSceneBreakdowns run = GatherSceneRecords(*script);
  ASSERT_EQ(run.Records.size(), 1u);
  EXPECT_EQ(run.Records[0].Location, "BARN");
  EXPECT_EQ(CharacterNamesOf(run, run.Records[0]), (Items{"BOB", "ANN"}));
}

// Action and Script Notes that are not hidden; the kinds that hold no
// items are not read.
TEST(TaggedItemsOfADocument, ComeFromTheVisibleActionAndScriptNotes) {
  const auto script = Build({
      {{ekSceneHeading, T("INT. [oLAMP] ROOM - DAY")}, 20, 1},
      {{ekAction, T("A [ofeather] and a [oFeather].")}, 10, 1},
      {{ekCharacterName, "ANN"}, 10, 1},
      {{ekDialogue, T("Pass the [ospoon].")}, 0, 1},
      {{ekScriptNote, T("[ecook], [c~bob]")}, 10, 1},
      {{ekAction, T("[ohidden gun]"), esHidden}, 10, 1},
      {{ekScriptNote, T("[esound man]"), esShownHidden}, 10, 1},
      {{ekAction, T("[ulightning]")}, 10, 1},
  });
  const BreakdownRecord record = ScriptTaggedItems(*script);
  const std::pair<TRecordSlot, Items> expected[] = {
      // Once, letter case ignored; the last tag of a text is taken first.
      {rsProps, {"Feather"}},
      {rsCrew, {"cook"}},
      {rsCastMembers, {"~BOB"}},
      {rsSpecialFX, {"lightning"}},
  };
  for (const auto& [slot, items] : expected) EXPECT_EQ(record.Items[slot], items) << slot;
}

}  // namespace
}  // namespace qm
