// A document built from a table without a window must hold the groups the
// window's own rebuild makes of the same script, since the walks tested on
// such documents read them.
#include <gtest/gtest.h>

#include "script/fixtures/pagination_fixture.h"
#include "support/document_builder.h"

namespace qm::testing {
namespace {

struct GroupShape {
  int first;  // index of the group's first element
  int count;
  int number;
  int letter;
  friend bool operator==(const GroupShape&, const GroupShape&) = default;
};

std::ostream& operator<<(std::ostream& out, const GroupShape& g) {
  return out << "{first " << g.first << ", count " << g.count << ", number " << g.number << ", letter " << g.letter
             << "}";
}

std::vector<GroupShape> ChainOf(const TScriptDocument& document) {
  std::vector<GroupShape> chain;
  const TElementGroup* last = nullptr;
  for (const TElementGroup* g = document.FirstElement->group; g; g = g->next) {
    EXPECT_EQ(g->prev, last);
    int run = 0;
    for (const TScriptElement* e = g->first; e && e->group == g; e = e->next) ++run;
    EXPECT_EQ(run, g->count) << "elements pointing at group " << chain.size();
    chain.push_back({IndexOf(document, g->first), g->count, g->number, g->letter});
    last = g;
  }
  EXPECT_EQ(document.LastGroup, last);
  return chain;
}

class BuiltDocumentGroupsTest : public PaginationFixture {};

TEST_F(BuiltDocumentGroupsTest, AreTheGroupsOfTheRebuild) {
  struct Case {
    const char* what;
    std::vector<DocumentRow> rows;
  };
  const std::vector<Case> cases = {
      {"one element", {{ekAction, "Alone."}}},
      {"a heading holds hidden elements and the first visible Action",
       {{ekSceneHeading, "INT. HALL - DAY"},
        {ekScriptNote, "note", esHidden},
        {ekAction, "hidden", esShownHidden},
        {ekAction, "Seen."},
        {ekAction, "Next."}}},
      {"a heading directly before a name stands alone, the name holds its speech",
       {{ekSceneHeading, "INT. HALL - DAY"},
        {ekCharacterName, "ann"},
        {ekParenthetical, "quietly"},
        {ekDialogue, "Hello."},
        {ekAction, "She goes."}}},
      {"speeches, scenes and pages are numbered on their groups",
       {{ekAction, "FADE IN:"},
        {ekSceneHeading, "INT. HALL - DAY"},
        {ekCharacterName, "ANN"},
        {ekDialogue, "One."},
        {ekShot, "ON THE DOOR"},
        {ekAction, "It opens."},
        {ekCharacterName, "BOB"},
        {ekDialogue, "Two."},
        {ekForcedPageBreak, ""},
        {ekSceneHeading, "EXT. YARD - NIGHT"},
        {ekTransition, "CUT TO:"},
        {ekCharacterName, "ANN"},
        {ekDialogue, "Three."},
        {ekAutoPageBreak, ""},
        {ekAction, "The end."}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<ElementSpec> specs;
    for (const DocumentRow& row : c.rows) specs.push_back({row.kind, row.text});
    Window().FreeElements();
    Load(specs);
    int index = 0;
    for (TScriptElement* e = Window().FirstElement; e; e = e->next)
      e->state = c.rows[static_cast<size_t>(index++)].state;
    Window().RebuildElementGroups();
    const auto built = BuildDocument(c.rows);
    EXPECT_EQ(ChainOf(*built), ChainOf(Window()));
  }
}

TEST(BuiltDocument, HoldsTheRowsInOrderWithTheirKindsTextsAndFormats) {
  const auto document = BuildDocument({{ekSceneHeading, "INT. HALL - DAY"},
                                       {ekCharacterName, "ann (V.O.)"},
                                       {ekDialogue, "Hello."},
                                       {ekForcedPageBreak, ""}});
  EXPECT_EQ(document->ElementCount(), 4);
  EXPECT_EQ(document->Element(0).Kind(), ekSceneHeading);
  EXPECT_EQ(ElementText(document->Element(0)), "INT. HALL - DAY");
  // A name is kept in capitals up to its extension.
  EXPECT_EQ(ElementText(document->Element(1)), "ANN (V.O.)");
  EXPECT_EQ(document->Element(2).format.LeftMargin, document->FormatSet[fsDialogue].LeftMargin);
  EXPECT_EQ(document->Element(3).Kind(), ekForcedPageBreak);
  EXPECT_EQ(document->LastElement, &document->Element(3));
  EXPECT_EQ(LiveElementText(*document, document->Element(2)), "Hello.");
}

}  // namespace
}  // namespace qm::testing
