// A save stopped at the worst moment: its new file written whole and
// flushed, the script's name not yet given to it. Opening the script
// offers what that save wrote, also on a clock that counts whole seconds
// and also when it was the script's first save.
#include <gtest/gtest.h>

#include "base/document_table.h"
#include "base/ini_file.h"
#include "files/file_test_fixture.h"
#include "files/native_file.h"
#include "files/safe_save.h"
#include "platform/files.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "script/editing/editor_calls.h"

namespace qm {
namespace {

class StoppedSaveTest : public testing::ProgramFixture {
 protected:
  // Saves the active script under `path` and keeps its own name, so that
  // opening `path` later is not opening it twice.
  bool Save(const std::string& path) {
    const std::string own = Script().ScriptFileName;
    const bool saved = SaveScriptFile(path, false, true);
    Script().ScriptFileName = own;
    return saved;
  }
  // The same save in a copy of this process that is killed just before
  // the new file would take the script's name.
  void SaveAndDie(const std::string& path) {
    ASSERT_TRUE(testing::KilledAt(TFileStep::Rename, path, [&] { Save(path); })) << "the save was stopped";
  }
};

bool HoldsText(const TMDIChild& window, const std::string& text) {
  for (const testing::ElementSpec& e : testing::ElementsOf(window))
    if (e.text == text) return true;
  return false;
}

TEST_F(StoppedSaveTest, OpeningTheScriptOffersWhatTheStoppedSaveWrote) {
  const struct {
    const char* what;
    bool savedBefore;  // a finished save came first
    const char* stoppedText;
    bool offered;
  } cases[] = {
      {"a later save in the same second", true, "Second draft.", true},
      {"a first save", false, "Second draft.", true},
      {"a save of the words the script holds", true, "First draft.", false},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = ScriptDirectory + "/STOPPED" + std::to_string(++n) + ".QMW";
    editor::SetEditText(Script(), "First draft.");
    if (c.savedBefore) {
      ASSERT_TRUE(Save(path));
    }
    editor::SetEditText(Script(), c.stoppedText);
    SaveAndDie(path);
    const std::vector<std::string> left = VisibleSideFilesOf(path);
    ASSERT_EQ(left.size(), 1u);
    testing::WithinOneSecond({path, left.front()});
    EXPECT_EQ(StoppedSaveToOffer(path).has_value(), c.offered);

    const int before = DocumentCount;
    if (c.offered)
      testing::AnswerMessageBox(Driver(),
                                "The last save of " + path +
                                    " was stopped before it was finished, and left a newer version of the script "
                                    "beside it.\r\rShould I open that newer version?",
                                mrYes, "Attention");
    ASSERT_TRUE(OpenScriptByName(path));
    EXPECT_EQ(DocumentCount, before + 1);
    EXPECT_EQ(Script().ScriptFileName, path);
    EXPECT_TRUE(HoldsText(Script(), c.stoppedText));
  }
}

}  // namespace
}  // namespace qm
