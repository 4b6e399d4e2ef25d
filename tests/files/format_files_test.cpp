// Format defaults in QUILLPAD.INI and format files.
#include <gtest/gtest.h>

#include <functional>

#include "platform/byte_io.h"
#include "files/element_records.h"
#include "files/file_test_fixture.h"
#include "files/format_files.h"
#include "files/native_file.h"
#include "files/script_samples.h"
#include "platform/files.h"
#include "platform/profile.h"

namespace qm::testing {
namespace {

class FormatFilesTest : public FileTest {
 protected:
  void Ini(const std::string& text) { WriteFileText(SettingsFilePath(), text); }
};

// Every key that new scripts rely on, with the default it has in an empty
// settings file.
TEST_F(FormatFilesTest, EveryDefaultKeyHasItsDefaultInAnEmptySettingsFile) {
  struct Case {
    const char* key;
    std::function<std::string(const TScriptRecord&)> value;
    std::string expected;
  };
  auto n = [](Byte b) { return std::to_string(b); };
  const Case cases[] = {
      {"[Word Wrapping] Flex Margin", [&](auto& r) { return n(r.FlexMargin); }, "1"},
      {"[Action] Parentheticals", [&](auto& r) { return n(r.ActionParentheticals); }, "0"},
      {"[Action] Outdented", [&](auto& r) { return n(r.ActionOutdented); }, "0"},
      {"[Page Breaking] Action", [&](auto& r) { return n(r.ActionBreakMode); }, "2"},
      {"[Page Breaking] Dialogue", [&](auto& r) { return n(r.DialogueBreakMode); }, "2"},
      {"[Page Breaking] Min Dialogue Lines", [&](auto& r) { return n(r.MinDialogueLines); }, "2"},
      {"[Page Breaking] Min ActionLines", [&](auto& r) { return n(r.MinActionLines); }, "2"},
      {"[Page Breaking] Transition on 1st Line", [&](auto& r) { return n(r.TransitionOnFirstLine); }, "0"},
      {"[Page Breaking] Transition on Continued Line", [&](auto& r) { return n(r.TransitionOnContinuedLine); }, "0"},
      {"[Page Breaking] Scenes on Top Continued Line", [&](auto& r) { return n(r.ScenesOnTopContinuedLine); }, "0"},
      {"[Page Breaking] Break after single sentence", [&](auto& r) { return n(r.BreakAfterSingleSentence); }, "1"},
      {"[Page Breaking] Break two 1 liners", [&](auto& r) { return n(r.BreakTwoOneLiners); }, "1"},
      {"[Page Breaking] Count More Line", [&](auto& r) { return n(r.CountMoreLine); }, "1"},
      {"[Continued Text] Position", [&](auto& r) { return n(r.ContinuedPosition); }, "0"},
      {"[Text] Character Continued", [](auto& r) { return r.CharacterContinuedText; }, "CONT'D"},
      {"[Text] Continued Separator", [](auto& r) { return r.ContinuedSeparator; }, "; "},
      {"[Text] Character More Continued", [](auto& r) { return r.MoreContinuedText; }, "CONT'D"},
      {"[Text] More Text", [](auto& r) { return r.MoreText; }, "MORE"},
      {"[Text] Bottom Scene Continued", [](auto& r) { return r.BottomSceneContinuedText; }, "(CONTINUED)"},
      {"[Text] Top Scene Continued", [](auto& r) { return r.TopSceneContinuedText; }, "CONTINUED:"},
      {"[Text] Scene Omit Text", [](auto& r) { return r.SceneOmitText; }, "OMITTED"},
      {"[Text] Scene Thru Text", [](auto& r) { return r.SceneThruText; }, "THRU"},
      {"[Text] Scene And Text", [](auto& r) { return r.SceneAndText; }, "AND"},
      {"[Headers] Line 1", [](auto& r) { return r.HeaderLine1; }, ""},
      {"[Headers] Line 2", [](auto& r) { return r.HeaderLine2; }, ""},
      {"[Revision Draft Options] Loop Colors Names", [&](auto& r) { return n(r.RevisionLoopStyle); }, "1"},
      {"[Revision Draft Options] colours", [](auto& r) { return ListText(r.RevisionColours).substr(0, 63); },
       "WHITE colour 16777215\nBLUE colour 16769216\nPINK colour 14729471"},
      {"[Transition] Flush Right", [&](auto& r) { return n(r.TransitionsFlushRight); }, "1"},
      {"[Character Name] Join Scene Extensions", [&](auto& r) { return n(r.JoinSceneExtensions); }, "0"},
  };
  TScriptRecord record;
  THeaderInfo info;
  TFontNames fonts;
  std::string error;
  // Start from a script whose every setting differs from the defaults.
  ASSERT_TRUE(DecodeScriptHeader(DistinctiveHeaderImage(4), hgSettings, record, fonts, info, nullptr, error));
  ReadFormatDefaults(record);
  for (const auto& c : cases) EXPECT_EQ(c.value(record), c.expected) << c.key;
  EXPECT_EQ(record.FormatSet, TScriptSettings().FormatSet);
  // Which entries the built-in lists hold is the user lists' own test.
  EXPECT_EQ(record.UserLists, TUserListTables());
}

TEST_F(FormatFilesTest, ValuesAreReadWithTheSettingsFileRules) {
  Ini("[Text]\r\nContinued Separator=\"- \"\r\nCharacter Continued=CONTINUED AGAIN AND AGAIN\r\n"
      "[Page Breaking]\r\nAction=3\r\nMin ActionLines=$4\r\n"
      "[Dialogue]\r\nLeft Margin=27\r\n"
      "[Revision Draft Options]\r\nRevision Color #1=IVORY\r\nReal Revision Color #1=$00F0FFFF\r\n"
      "Revision Color #2=GREY\r\n");
  TScriptRecord record;
  ReadFormatDefaults(record);
  EXPECT_EQ(record.ContinuedSeparator, "- ");
  EXPECT_EQ(record.CharacterContinuedText, "CONTINUED AG");
  EXPECT_EQ(record.ActionBreakMode, 3);
  EXPECT_EQ(record.MinActionLines, 4);
  EXPECT_EQ(record.FormatSet[fsDialogue].LeftMargin, 27);
  EXPECT_EQ(record.FormatSet[fsDialogueCopy].LeftMargin, 27);
  EXPECT_EQ(ListText(record.RevisionColours), "IVORY colour 15794175\nGREY\n");
}

TEST_F(FormatFilesTest, SavedDefaultsAreWhatNewScriptsRead) {
  TScriptRecord source;
  THeaderInfo info;
  TFontNames fonts;
  std::string error;
  ASSERT_TRUE(DecodeScriptHeader(DistinctiveHeaderImage(6), hgSettings, source, fonts, info, nullptr, error));
  const TFormatSet standard = TScriptSettings().FormatSet;
  for (std::size_t slot = 0; slot < standard.size(); ++slot) source.FormatSet[slot].Kind = standard[slot].Kind;
  source.FormatSet[fsDialogueCopy] = source.FormatSet[fsDialogue];
  source.ContinuedSeparator = " ;";
  SaveFormatsAsDefaults(source);

  TScriptRecord read;
  ReadFormatDefaults(read);
  std::vector<Byte> a(ScriptHeaderSize), b(ScriptHeaderSize);
  EncodeScriptHeader(source, fonts, THeaderInfo{}, a, nullptr);
  EncodeScriptHeader(read, fonts, THeaderInfo{}, b, nullptr);
  for (const auto& f : ScriptHeaderFields()) {
    if (f.Group != hgFormats && f.Group != hgUserLists) continue;
    EXPECT_TRUE(std::equal(a.begin() + f.Offset, a.begin() + f.Offset + f.Size, b.begin() + f.Offset)) << f.Name;
  }
  EXPECT_EQ(ListText(read.RevisionColours), ListText(source.RevisionColours));
  // The script's own state is no default of new scripts.
  EXPECT_EQ(read.ScenesLocked, 0);
  EXPECT_EQ(read.ProductionTitle, "");
}

TEST_F(FormatFilesTest, FreezeIniKeepsTheDefaultsAsTheyAre) {
  Ini("[Override]\r\nFreeze INI=1\r\n");
  TScriptRecord record;
  record.ActionBreakMode = 0;
  SaveFormatsAsDefaults(record);
  EXPECT_EQ(ReadFileText(SettingsFilePath()), "[Override]\r\nFreeze INI=1\r\n");
}

TEST_F(FormatFilesTest, FormatFilesCarryFormatsAndOptionallyUserLists) {
  ScriptWindow source;
  FillSampleElements(*source, 3);
  FillSampleSettings(*source, 3);
  SeenBox saved;
  AnswerBox(IDOK, &saved);
  SaveFormatsFile(Path("MINE.FMT"));
  EXPECT_EQ(saved.text, "Defaults Saved");
  EXPECT_EQ(FileSize(Path("MINE.FMT")), static_cast<std::int64_t>(ScriptHeaderSize));
  const auto bytes = ReadFileBytes(Path("MINE.FMT"));
  ASSERT_TRUE(bytes);
  EXPECT_EQ((*bytes)[60], 0);  // no password
  EXPECT_EQ(GetU32(*bytes, 32), 0u);

  for (const bool lists : {false, true}) {
    ScriptWindow target;
    target->ScenesLocked = 7;
    SeenBox loaded;
    AnswerBox(IDOK, &loaded);
    ASSERT_TRUE(LoadFormatsFile(Path("MINE.FMT"), false, lists, false));
    EXPECT_EQ(loaded.text, "New Formats have been Loaded.");
    EXPECT_EQ(target->FormatSet, source->FormatSet);
    EXPECT_EQ(target->FontNameTable, source->FontNameTable);
    EXPECT_EQ(target->HeaderLine1, source->HeaderLine1);
    EXPECT_EQ(target->UserLists == source->UserLists, lists);
    EXPECT_EQ(target->ScenesLocked, 7);
  }
}

TEST_F(FormatFilesTest, LoadingFormatsIntoAScriptWithTextAsksFirst) {
  ScriptWindow source;
  source->FormatSet[fsAction].LeftMargin = 22;
  AnswerBox(IDOK);
  SaveFormatsFile(Path("OTHER.FMT"));
  struct Case {
    int answer;
    bool loaded;
  };
  for (const Case c : {Case{IDNO, false}, Case{IDYES, true}}) {
    ScriptWindow target;
    AppendElement(*target, ekAction, "Some text.");
    SeenBox question;
    AnswerBox(c.answer, &question);
    EXPECT_EQ(LoadFormatsFile(Path("OTHER.FMT"), true, false, false), c.loaded);
    EXPECT_EQ(question.text,
              "Loading New formats will cause Quillmaster for Windows to reset all margins to the new settings, "
              "including any cheated elements!\r\rDo you REALLY want to continue?");
    EXPECT_EQ(target->FormatSet[fsAction].LeftMargin, c.loaded ? 22 : 15);
  }
}

TEST_F(FormatFilesTest, DefaultFormatsInTheProgramFolderLoadWithoutAQuestion) {
  ScopedEnv programFolder("QUILLMASTER_PROGRAM_FOLDER", folder_.Path() + "/");
  ScriptWindow source;
  source->FormatSet[fsShot].AllCaps = 0;
  AnswerBox(IDOK);
  SaveFormatsFile(Path("DEFAULT.FMT"));
  ScriptWindow target;
  AppendElement(*target, ekShot, "ANGLE ON");
  ASSERT_TRUE(LoadFormatsFile(ProgramFolder() + "DEFAULT.FMT", true, true, true));
  EXPECT_EQ(target->FormatSet[fsShot].AllCaps, 0);
}

TEST_F(FormatFilesTest, ElementsTakeTheNewFormatsButKeepTypeAndNumber) {
  ScriptWindow source;
  source->FormatSet[fsSceneHeading].LeftMargin = 9;
  source->FormatSet[fsSceneHeading].Style = stBold;
  AnswerBox(IDOK);
  SaveFormatsFile(Path("NEW.FMT"));
  ScriptWindow target;
  TScriptElement* heading = AppendElement(*target, ekASceneHeading, "INT. ROOM - DAY");
  heading->format.NumberWord = number_word::Make(12, true, 'B');
  heading->format.LeftMargin = 40;  // cheated
  heading->lineOffsets = OffsetBlock(1, 10);
  TScriptElement* brk = AppendElement(*target, ekForcedPageBreak, "");
  const TElementFormat breakFormat = brk->format;
  AnswerBox(IDYES);
  ASSERT_TRUE(LoadFormatsFile(Path("NEW.FMT"), true, false, true));
  EXPECT_EQ(heading->format.LeftMargin, 9);
  EXPECT_EQ(heading->format.Style, stBold);
  EXPECT_EQ(heading->format.Kind, ekASceneHeading);
  EXPECT_EQ(heading->format.NumberWord, number_word::Make(12, true, 'B'));
  // Its old lines are forgotten and it is wrapped again at once, at the
  // new margins, whether the screen shows it or not.
  EXPECT_FALSE(NeedsRewrap(*heading));
  EXPECT_NE(heading->lineOffsets, OffsetBlock(1, 10));
  EXPECT_EQ(brk->format, breakFormat);
}

TEST_F(FormatFilesTest, UnreadableFormatFilesChangeNothing) {
  WriteFileText(Path("BAD.FMT"), "not a format file");
  ScriptWindow target;
  target->FormatSet[fsAction].LeftMargin = 31;
  SeenBox seen;
  AnswerBox(IDOK, &seen);
  EXPECT_FALSE(LoadFormatsFile(Path("BAD.FMT"), false, true, true));
  EXPECT_NE(seen.text.find("BAD.FMT"), std::string::npos);
  EXPECT_FALSE(LoadFormatsFile(Path("MISSING.FMT"), true, true, true));
  EXPECT_EQ(target->FormatSet[fsAction].LeftMargin, 31);
}

}  // namespace
}  // namespace qm::testing
