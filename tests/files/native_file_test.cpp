// Saving scripts in the native format and reading them back: every field
// and every byte of text survives, in both variants.
#include <gtest/gtest.h>

#include <cstdlib>

#include "files/file_format.h"
#include "files/native_file.h"
#include "files/script_header.h"
#include "files/script_samples.h"
#include "files/storyboard_block.h"
#include "files/file_test_fixture.h"
#include "platform/files.h"
#include "support/script_builder.h"
#include "support/script_generator.h"
#include "script/editing/editor_calls.h"

namespace qm::testing {
namespace {

std::string Joined(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& line : lines) s += line + "\n";
  return s;
}

std::size_t CountNeedingRewrap(const TMDIChild& w) {
  std::size_t n = 0;
  for (const TScriptElement* e = w.FirstElement; e; e = e->next)
    if (StoredFormOf(w, *e).lineOffsets.empty()) ++n;
  return n;
}

// Writes the generated scripts into a folder, so that the fuzz corpus can
// be made again: QM_WRITE_NATIVE_CORPUS=<folder>.
void KeepForCorpus(const std::string& file, const std::string& name) {
  const char* folder = std::getenv("QM_WRITE_NATIVE_CORPUS");
  if (folder && *folder) CopyFile(file, JoinPath(folder, name));
}

class NativeFileTest : public FileTest {};

struct RoundTripCase {
  const char* name;
  int seed;
  int extraElements;
  int current;
  bool windows;
};

TEST_F(NativeFileTest, SavedScriptsReadBackFieldForField) {
  const RoundTripCase cases[] = {
      {"every_kind_and_code", 1, 0, 5, true},  {"open_first_element", 2, 3, 0, true},
      {"open_last_element", 3, 4, 1000, true}, {"long_script", 4, 2500, 700, true},
      {"dos_every_kind", 5, 0, 5, false},      {"dos_long_script", 6, 600, 40, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = Path(std::string(c.name) + ".QMW");
    ScriptWindow saved;
    FillSampleElements(*saved, c.seed, c.extraElements, c.current);
    if (c.windows) {
      FillSampleSettings(*saved, c.seed);
      AddSampleBookmarks(*saved);
    }
    ASSERT_TRUE(SaveScriptFile(file, false, c.windows));
    EXPECT_EQ(DetectFileFormat(file, 0), c.windows ? lfPasswordNative : lfNativeDos);
    KeepForCorpus(file, c.name);

    ScriptWindow read;
    const TNativeLoadResult result = LoadScriptFile(file, false);
    ASSERT_TRUE(result);
    EXPECT_EQ(result.elements, static_cast<std::size_t>(saved->ElementCount()));
    EXPECT_EQ(result.needRewrap, c.windows ? CountNeedingRewrap(*saved) : result.elements);
    EXPECT_EQ(Joined(ScriptDifferences(*saved, *read, !c.windows)), "");
    EXPECT_EQ(PendingIOError, 0);
  }
}

// A script of feature length: the largest seed of the fuzz corpus, so that
// the fuzzer explores files of real size.
TEST_F(NativeFileTest, AFeatureLengthScriptReadsBack) {
  const std::string file = Path("feature_120_pages.QMW");
  ScriptWindow saved;
  AddElements(*saved, GenerateScreenplay(120, 120));
  FillSampleSettings(*saved, 120, 40);
  int n = 0;
  for (TScriptElement* e = saved->FirstElement; e; e = e->next, ++n)
    if (n % 40 == 0) e->storyboardLink = static_cast<Word>(1 + n / 40 % 2);
  ASSERT_TRUE(SaveScriptFile(file, false, true));
  KeepForCorpus(file, "feature_120_pages");
  ScriptWindow read;
  ASSERT_TRUE(LoadScriptFile(file, false));
  EXPECT_EQ(read->ElementCount(), 120 * GeneratedElementsPerPage);
  EXPECT_EQ(Joined(ScriptDifferences(*saved, *read)), "");
}

// The seeds are scripts in the current layout, the largest one of feature
// length, and the fuzzer may make inputs longer than any of them.
TEST(NativeFileSeeds, SeedsAreScriptsOfEverySizeUpToAFeature) {
  std::size_t largest = 0;
  std::size_t mostElements = 0;
  const std::string corpus = QM_SOURCE_DIR "/fuzz/corpus/native_file";
  const std::vector<std::string> seeds = FindFiles(corpus, "*");
  ASSERT_FALSE(seeds.empty());
  for (const std::string& seed : seeds) {
    SCOPED_TRACE(seed);
    const auto bytes = ReadFileBytes(JoinPath(corpus, seed));
    ASSERT_TRUE(bytes);
    TParsedScript parsed;
    std::string error;
    EXPECT_TRUE(ParseScriptImage(*bytes, parsed, error)) << error;
    largest = std::max(largest, bytes->size());
    mostElements = std::max(mostElements, parsed.elements.size());
  }
  EXPECT_GE(mostElements, static_cast<std::size_t>(120 * GeneratedElementsPerPage));
  EXPECT_GT(QM_FUZZ_NATIVE_FILE_MAX_LEN, 300 * 1024);
  EXPECT_GT(static_cast<std::size_t>(QM_FUZZ_NATIVE_FILE_MAX_LEN), largest);
}

TEST_F(NativeFileTest, DosVariantKeepsTheSettingsOfItsRecord) {
  const std::string file = Path("DOS.SCR");
  ScriptWindow saved;
  FillSampleElements(*saved, 9);
  FillSampleSettings(*saved, 9);
  ASSERT_TRUE(SaveScriptFile(file, false, false));
  ScriptWindow read;
  ASSERT_TRUE(LoadScriptFile(file, false));
  std::vector<Byte> a(DosSettingsSize), b(DosSettingsSize);
  EncodeDosSettings(*saved, THeaderInfo{}, a);
  EncodeDosSettings(*read, THeaderInfo{}, b);
  for (const auto& f : DosSettingsFields())
    EXPECT_TRUE(std::equal(a.begin() + f.Offset, a.begin() + f.Offset + f.Size, b.begin() + f.Offset)) << f.Name;
  // What the DOS variant has no place for stays as the new window had it.
  EXPECT_EQ(read->UserLists, TUserListTables());
  EXPECT_EQ(read->StoryboardLinks.Count(), 1);
}

TEST_F(NativeFileTest, ASavedScriptSavedAgainGivesTheSameBytes) {
  for (const bool windows : {true, false}) {
    ScriptWindow first;
    FillSampleElements(*first, 11, 40, 12);
    if (windows) FillSampleSettings(*first, 11);
    ASSERT_TRUE(SaveScriptFile(Path("A.QMW"), false, windows));
    ScriptWindow second;
    ASSERT_TRUE(LoadScriptFile(Path("A.QMW"), false));
    ASSERT_TRUE(SaveScriptFile(Path("B.QMW"), false, windows));
    const std::string a = ReadFileText(Path("A.QMW"));
    const std::string b = ReadFileText(Path("B.QMW"));
    EXPECT_EQ(a.size(), b.size()) << (windows ? "Windows" : "DOS");
    const auto differs = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    EXPECT_TRUE(differs.first == a.end())
        << (windows ? "Windows" : "DOS") << " first differs at byte " << (differs.first - a.begin());
  }
}

// What the round trip cannot see, as a reader that shares the writer's
// mistake would agree with it: the numbers the file stores count from one.
TEST_F(NativeFileTest, FileNumbersTheCurrentElementAndTheLinkedOnesFromOne) {
  ScriptWindow w;
  FillSampleElements(*w, 3);
  FillSampleSettings(*w, 3);
  const std::vector<Byte> image = BuildScriptImage(*w, false, true);  // the parse points into it
  TParsedScript parsed;
  std::string error;
  ASSERT_TRUE(ParseScriptImage(image, parsed, error)) << error;
  EXPECT_EQ(parsed.info.CurrentElementNumber, 6u);
  // The storyboard block: frames 7 and 9, then each linked element's
  // number and index.
  TStoryboardBlock links;
  ASSERT_TRUE(DecodeStoryboardBlock(parsed.storyboardBlock, links));
  EXPECT_EQ(links.frames, (std::vector<DWord>{7, 9}));
  ASSERT_FALSE(links.links.empty());
  EXPECT_EQ(links.links[0].element, 2);
  EXPECT_EQ(links.links[0].index, 1);
}

// The block keeps frames only for linked elements: without a link, or
// with a frame list of entry 0 alone, there is no block at all.
TEST_F(NativeFileTest, TheStoryboardBlockIsWrittenOnlyForLinkedFrames) {
  const struct {
    const char* what;
    std::vector<std::string> frames;
    std::vector<Word> links;
    std::vector<Byte> block;  // empty: none written
  } cases[] = {
      {"frames but no linked element", {"0", "7", "9"}, {0, 0, 0, 0}, {}},
      {"only entry 0", {"0"}, {0, 0, 0, 0}, {}},
      {"only entry 0, an element pointing past it", {"0"}, {0, 1, 0, 0}, {}},
      {"frames 7 and 9, elements 2 and 3 linked to 9", {"0", "7", "9"}, {0, 2, 2, 0}, {7, 0, 0, 0, 9, 0, 0, 0,
                                                                                       0, 0, 0, 0, 2, 0, 2, 0,
                                                                                       3, 0, 2, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptWindow w;
    TStringList frames;
    for (const std::string& f : c.frames) frames.Add(f);
    for (const Word link : c.links) AppendElement(*w, ekAction, "Rain.")->storyboardLink = link;
    bool failed = false;
    const auto block = BuildStoryboardLinkBlock(frames, w->FirstElement, &failed);
    EXPECT_FALSE(failed);
    if (c.block.empty()) {
      EXPECT_FALSE(block.has_value());
    } else {
      ASSERT_TRUE(block.has_value());
      EXPECT_EQ(*block, c.block);
    }
  }
}

TEST_F(NativeFileTest, TimedBackupIsMarkedAndReadsBackModified) {
  ScriptWindow saved;
  FillSampleElements(*saved, 4);
  saved->ScriptFileName = "/scripts/PILOT.QMW";
  ASSERT_TRUE(SaveScriptFile(Path("SAVE1"), true, true));
  EXPECT_TRUE(FileExists(Path("SAVE1.TMB")));
  EXPECT_FALSE(FileExists(Path("SAVE1.TBK")));
  ScriptWindow read;
  ASSERT_TRUE(LoadScriptFile(Path("SAVE1.TMB"), true));
  EXPECT_EQ(read->DocumentModified, 1);
  TParsedScript parsed;
  std::string error;
  const auto file = ReadFileBytes(Path("SAVE1.TMB"));
  ASSERT_TRUE(file && ParseScriptImage(*file, parsed, error));
  EXPECT_EQ(parsed.info.TimedBackup, 1);
  EXPECT_EQ(parsed.info.SavedTitle, "/scripts/PILOT.QMW");
}

TEST_F(NativeFileTest, SuccessfulSaveClearsTheBackupDueFlagAndEndsTheJob) {
  ScriptWindow w;
  FillSampleElements(*w, 5);
  w->ModifiedSinceBackup = 1;
  int done = 0;
  FileJobHooks.Done = [&] { ++done; };
  ASSERT_TRUE(SaveScriptFile(Path("X.QMW"), false, true));
  EXPECT_EQ(w->ModifiedSinceBackup, 0);
  EXPECT_EQ(done, 1);
}

TEST_F(NativeFileTest, CancelDuringALoadLeavesTheWindowAsItWas) {
  ScriptWindow saved;
  FillSampleElements(*saved, 6, 2000);
  ASSERT_TRUE(SaveScriptFile(Path("BIG.QMW"), false, true));
  ScriptWindow read;
  AppendElement(*read, ekAction, "untouched");
  int steps = 0;
  FileJobHooks.CancelPressed = [&] { return ++steps > 3; };
  SeenBox seen;
  AnswerBox(IDOK, &seen);
  EXPECT_FALSE(LoadScriptFile(Path("BIG.QMW"), false));
  EXPECT_EQ(seen.text, "Cancel Pressed.");
  EXPECT_NE(PendingIOError, 0);
  EXPECT_EQ(read->ElementCount(), 1);
  EXPECT_EQ(UnpackText(*read->FirstElement->text), "untouched");
}

TEST_F(NativeFileTest, HeaderImageRestoresTheSettingsItWasTakenFrom) {
  ScriptWindow w;
  FillSampleElements(*w, 7);
  FillSampleSettings(*w, 7);
  AddSampleBookmarks(*w);
  std::vector<Byte> image(ScriptHeaderSize);
  WriteScriptImage(image, 0, 0, true);
  const std::string aliases = ListText(w->CharacterAliasList);
  const TScriptSettings before = *w;
  const std::string marks = BookmarkText(*w);

  w->ScenesLocked = 0;
  w->UserLists.Extension[0] = "changed";
  w->ScriptFontName = "Arial";
  w->HiddenLocations.Clear();
  ASSERT_TRUE(ReadScriptHeader(image));
  EXPECT_TRUE(static_cast<const TScriptSettings&>(*w) == before);
  // A list longer than the header holds is left as the script has it, and
  // the bookmarks keep pointing at the script's elements.
  EXPECT_EQ(ListText(w->CharacterAliasList), aliases);
  EXPECT_EQ(BookmarkText(*w), marks);
  EXPECT_EQ(w->HiddenLocations.Count(), 2);

  image[3] ^= 0x20;  // the tag
  w->ScenesLocked = 9;
  EXPECT_FALSE(ReadScriptHeader(image));
  EXPECT_EQ(w->ScenesLocked, 9);
}

TEST_F(NativeFileTest, MergeInsertsTheFileAtTheCaretWithItsLinks) {
  ScriptWindow source;
  AppendElement(*source, ekSceneHeading, "EXT. MERGED - DAY")->storyboardLink = 1;
  AppendElement(*source, ekAction, "Merged action.")->storyboardLink = 2;
  source->StoryboardLinks.Add("55");
  source->StoryboardLinks.Add("66");
  ASSERT_TRUE(SaveScriptFile(Path("PART.QMW"), false, true));

  struct Case {
    Word caretColumn;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {3, {"First.", "Second.", "EXT. MERGED - DAY", "Merged action.", "Third."}},
      {0, {"First.", "EXT. MERGED - DAY", "Merged action.", "Second.", "Third."}},
  };
  for (const auto& c : cases) {
    ScriptWindow target;
    AppendElement(*target, ekAction, "First.");
    AppendElement(*target, ekAction, "Second.");
    AppendElement(*target, ekAction, "Third.");
    editor::SetCurrentElement(*target, target->FirstElement->next);
    editor::SetCaretColumn(*target, c.caretColumn);
    target->StoryboardLinks.Add("66");
    ASSERT_TRUE(MergeScriptFile(Path("PART.QMW")));
    std::vector<std::string> texts;
    std::vector<Word> links;
    const TElementGroup* g = nullptr;
    for (const TScriptElement* e = target->FirstElement; e; e = e->next) {
      texts.push_back(UnpackText(*e->text));
      links.push_back(e->storyboardLink);
      ASSERT_NE(e->group, nullptr);
      if (g) {
        EXPECT_EQ(e->group->prev, g);
      }
      g = e->group;
    }
    EXPECT_EQ(g, target->LastGroup);
    EXPECT_EQ(texts, c.expected);
    EXPECT_EQ(ListText(target->StoryboardLinks), "0\n66\n55\n");
    const std::size_t merged = c.caretColumn == 0 ? 1 : 2;
    EXPECT_EQ(links[merged], 2);      // frame 55, appended to the script's list
    EXPECT_EQ(links[merged + 1], 1);  // frame 66, already in it
    EXPECT_EQ(target->DocumentModified, 1);
  }
}

}  // namespace
}  // namespace qm::testing
