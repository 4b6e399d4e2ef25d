// SmartCheck's pass run on a bare document, with no script window: each
// slip that would spoil the printed page is found once, in script order,
// and hidden elements are passed over.
#include <gtest/gtest.h>

#include "printing/smartcheck.h"
#include "support/document_builder.h"

namespace qm {
namespace {

struct Found {
  TFindingKind kind;
  int element;
  friend bool operator==(const Found&, const Found&) = default;
};

std::ostream& operator<<(std::ostream& out, const Found& f) {
  return out << "{kind " << static_cast<int>(f.kind) << ", element " << f.element << "}";
}

TEST(SmartCheckOnADocument, FindsEachSlipOnceInScriptOrder) {
  const auto script = testing::BuildDocument({
      {ekSceneHeading, "INT. HALL - DAY"},  // 0
      {ekAction, "   "},                    // 1 blank element
      {ekAction, "   ", esHidden},          // 2 hidden: never printed, never checked
      {ekCharacterName, " "},               // 3 blank name
      {ekDialogue, "Who?"},                 // 4
      {ekCharacterName, "ANN"},             // 5
      {ekDialogue, "Hi."},                  // 6
      {ekCharacterName, "ANN"},             // 7 the same speaker again
      {ekDialogue, "Hi again."},            // 8
      {ekCharacterName, "BOB (O.S.)"},      // 9 a direction in the name
      {ekDialogue, "Out here."},            // 10
      {ekCharacterName, "CAROL"},           // 11 no dialogue follows
      {ekAction, " She waves."},            // 12 a leading blank
      {ekSceneHeading, "OMITTED"},          // 13 alone at the foot of its page
      {ekForcedPageBreak, ""},              // 14
      {ekSceneHeading, "OMITTED"},          // 15 something follows on its page
      {ekAction, "The end."},               // 16
  });
  std::vector<Found> found;
  for (const TFinding& f : SmartCheckFindings(*script)) {
    int index = 0;
    for (const TScriptElement* e = script->FirstElement; e != f.element; e = e->next) ++index;
    found.push_back({f.kind, index});
  }
  EXPECT_EQ(found, (std::vector<Found>{{TFindingKind::BlankElement, 1},
                                       {TFindingKind::BlankName, 3},
                                       {TFindingKind::SameSpeakerTwice, 7},
                                       {TFindingKind::ExtensionInName, 9},
                                       {TFindingKind::NameWithoutDialogue, 11},
                                       {TFindingKind::LeadingBlank, 12},
                                       {TFindingKind::WidowedOmitted, 13}}));
}

TEST(SmartCheckOnADocument, FindsNothingInACleanScript) {
  const auto script = testing::BuildDocument({{ekSceneHeading, "INT. HALL - DAY"},
                                              {ekAction, "Ann waits."},
                                              {ekCharacterName, "ANN"},
                                              {ekDialogue, "Hello."},
                                              {ekCharacterName, "BOB"},
                                              {ekDialogue, "Hi."}});
  EXPECT_TRUE(SmartCheckFindings(*script).empty());
}

}  // namespace
}  // namespace qm
