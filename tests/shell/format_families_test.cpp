// The Format menu's five format families, loaded through the menu from the
// files the program ships, into a new script.
#include <gtest/gtest.h>

#include <string>

#include "script/fixtures/keys_fixture.h"
#include "script/model/script_model.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

constexpr Byte kSingleSpaced = 10;
constexpr Byte kDoubleSpaced = 20;
constexpr Byte kLettersStyle = 2;

class FormatFamiliesTest : public testing::KeysFixture {
 protected:
  // The program folder is the build's data folder, as for the program run from the build.
  testing::ScopedEnv programFolder_{"QUILLMASTER_PROGRAM_FOLDER", std::string(QM_BINARY_DIR) + "/data"};

  // Format > Load Script Format > the family's item, on the empty script.
  void LoadFamily(const char* item) {
    ExpectBox("New Formats have been Loaded.", mrOk);
    MainForm->MenuItem(item)->Click();
    EXPECT_EQ(Driver().Pending(), 0) << item;
  }
  void Idle() {
    bool done = false;
    MainForm->AppIdle(nullptr, done);
  }
  const TElementFormat& Format(TFormatSlot slot) { return W().FormatSet[slot]; }
};

// The screenplay set is what a new script starts with, and the multimedia
// set is that set in an interactive script; the others are not interactive.
TEST_F(FormatFamiliesTest, ScreenplayAndMultimediaKeepTheNewScriptsFormats) {
  const TFormatSet fresh = W().FormatSet;
  const struct {
    const char* item;
    Byte interactive;
  } cases[] = {{"Screenplay1", 0},      {"InteractiveCDROM1", 1}, {"SitcomVersionI1", 0},
               {"SitcomVersionII1", 0}, {"StagePlay1", 0},        {"Screenplay1", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    LoadFamily(c.item);
    EXPECT_EQ(W().InteractiveScript, c.interactive);
    if (std::string(c.item) == "Screenplay1" || std::string(c.item) == "InteractiveCDROM1") {
      EXPECT_EQ(W().FormatSet, fresh);
    }
  }
}

// Multi-camera sitcoms: dialogue double-spaced, stage directions and scene
// headings in capitals, cues centred, acts and scenes announced centred;
// Version I letters its scenes, Version II sets its stage directions in
// parentheses.
TEST_F(FormatFamiliesTest, SitcomsDoubleSpaceTheDialogueUnderCentredCues) {
  for (const char* item : {"SitcomVersionI1", "SitcomVersionII1"}) {
    SCOPED_TRACE(item);
    LoadFamily(item);
    EXPECT_EQ(Format(fsDialogue).Spacing, kDoubleSpaced);
    EXPECT_EQ(Format(fsDialogueCopy), Format(fsDialogue));
    EXPECT_EQ(Format(fsAction).Spacing, kSingleSpaced);
    EXPECT_EQ(Format(fsAction).AllCaps, 1);
    EXPECT_EQ(Format(fsSceneHeading).AllCaps, 1);
    EXPECT_EQ(Format(fsCharacterName).AllCaps, 1);
    EXPECT_EQ(W().CenterCharacterNames, 1);
    EXPECT_EQ(W().CenterActInformation, 1);
    EXPECT_EQ(W().CenterSceneInformation, 1);
    EXPECT_EQ(W().SceneInformationOff, 0);
  }
  LoadFamily("SitcomVersionI1");
  EXPECT_EQ(W().SceneInfoDisplayStyle, kLettersStyle);
  EXPECT_EQ(W().ActionParentheticals, 0);
  LoadFamily("SitcomVersionII1");
  EXPECT_NE(W().SceneInfoDisplayStyle, kLettersStyle);
  EXPECT_EQ(W().ActionParentheticals, 1);
  EXPECT_EQ(Format(fsAction).LeftMargin, Format(fsDialogue).LeftMargin);
}

// A stage play: cues centred, single-spaced dialogue, stage directions set
// in beyond the dialogue and within parentheses.
TEST_F(FormatFamiliesTest, AStagePlayCentresCuesAndSetsInItsStageDirections) {
  LoadFamily("StagePlay1");
  EXPECT_EQ(W().CenterCharacterNames, 1);
  EXPECT_EQ(Format(fsCharacterName).AllCaps, 1);
  EXPECT_EQ(Format(fsDialogue).Spacing, kSingleSpaced);
  EXPECT_EQ(W().ActionParentheticals, 1);
  EXPECT_GT(Format(fsAction).LeftMargin, Format(fsDialogue).LeftMargin);
  EXPECT_EQ(Format(fsAction).AllCaps, 0);
  EXPECT_EQ(W().CenterActInformation, 1);
}

// In an interactive script the Goto menu's Scene item goes to the branch
// targets, and says so; the branch-target renumbering shows.
TEST_F(FormatFamiliesTest, TheSceneItemNamesBranchTargetsInAnInteractiveScript) {
  const struct {
    const char* item;
    const char* caption;
    bool renumbering;
  } cases[] = {
      {nullptr, "&Scene", false}, {"InteractiveCDROM1", "&Branch Targets", true}, {"Screenplay1", "&Scene", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item ? c.item : "a new script");
    if (c.item) LoadFamily(c.item);
    Idle();
    EXPECT_EQ(MainForm->MenuItem("ScenePilotItem")->Caption(), c.caption);
    EXPECT_EQ(MainForm->MenuItem("RenumberBTargetsItem")->Visible(), c.renumbering);
  }
}

}  // namespace
}  // namespace qm
