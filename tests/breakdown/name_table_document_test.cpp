// A breakdown run's name table taken from a bare document, with no script
// window: the character names of the cues and of the script's Char Names
// list, in capitals, sorted, each once.
#include <gtest/gtest.h>

#include "breakdown/scene_gathering.h"
#include "script/model/user_list_entries.h"
#include "support/document_builder.h"

namespace qm {
namespace {

TEST(NameTableOfADocument, HoldsTheCuesAndTheCharNamesListOnce) {
  const auto script = testing::BuildDocument({
      {ekSceneHeading, "INT. HALL - DAY"},
      {ekCharacterName, "ann"},
      {ekDialogue, "Hello."},
      {ekCharacterName, "bob (V.O.)"},  // the extension is no part of the name
      {ekDialogue, "Hi."},
      {ekAction, "CAROL walks in."},  // a name in Action is no cue
      {ekCharacterName, "ANN"},
      {ekDialogue, "Again."},
      {ekCharacterName, "DAN/EVE"},  // a combined cue names no one character
      {ekDialogue, "Together."},
  });
  SetUserListEntry(script->UserLists, TUserList::CharNames, 1, "zed");
  SetUserListEntry(script->UserLists, TUserList::CharNames, 2, "Ann");
  EXPECT_EQ(ScriptNameTable(*script), (std::vector<std::string>{"ANN", "BOB", "ZED"}));
}

TEST(NameTableOfADocument, IsEmptyWithoutCuesOrListedNames) {
  const auto script = testing::BuildDocument({{ekAction, "Rain."}});
  EXPECT_TRUE(ScriptNameTable(*script).empty());
}

}  // namespace
}  // namespace qm
