// A paste on a locked page in a new revision, whatever the clipboard or the
// pasted file holds: every page the pasted text lands on takes the
// revision's header and colour and prints among the revised pages, the
// pasted lines are marked revised, the other pages stay as they were, and
// one Undo gives it back.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "base/ini_file.h"
#include "base/prompt_table.h"
#include "files/clipboard_paste.h"
#include "files/native_clipboard.h"
#include "files/progress_dialog.h"
#include "formats/page_headers.h"
#include "platform/clipboard.h"
#include "platform/menus.h"
#include "script/editing/revision_marks.h"
#include "script/fixtures/locked_revision_fixture.h"
#include "script/model/packed_text.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/converter_path.h"
#include "support/temp_folder.h"

namespace qm::testing {
namespace {

constexpr const char* kWhite = "WHITE DRAFT\x8D";
constexpr const char* kBlue = "BLUE REVISION\x8D";

// What is pasted: paragraphs, and page breaks between them.
using Pieces = std::vector<std::string>;
constexpr const char* kBreak = "\f";

class PastePageMarksTest : public LockedRevisionFixture {
 protected:
  // Paste From tells a file's format with the converter.
  ScopedEnv path_{"PATH", SearchPathWithConverter()};

  void PutOnClipboard(UINT format, const std::string& data) {
    TClipboard* clipboard = qm::Clipboard();
    clipboard->Open();
    clipboard->Clear();
    clipboard->SetData(format, Bytes(data.begin(), data.end()));
    clipboard->Close();
  }
  // The pieces as the program's own copy writes them; a break as copied
  // from the script's own locked page, white header and all.
  void CopyNative(const Pieces& pieces) {
    std::vector<Byte> out;
    for (const std::string& piece : pieces) {
      TClipRecord r;
      if (piece == kBreak) {
        r.format = ElementAt(1)->format;
        r.text = *ElementAt(1)->text;
      } else {
        r.format = W().FormatSet[fsAction];
        r.format.Kind = ekAction;
        r.text = PackText(piece);
      }
      r.fontName = W().FontNameTable[r.format.FontIndex()];
      AppendClipRecord(out, r);
    }
    AppendClipEndRecord(out);
    PutOnClipboard(RegisterClipboardFormat(NativeClipboardFormatName), std::string(out.begin(), out.end()));
  }
  void CopyRtf(const Pieces& pieces) {
    std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Courier New;}}\\f0 ";
    for (const std::string& piece : pieces) rtf += piece == kBreak ? "\\page " : piece + "\\par ";
    PutOnClipboard(RegisterClipboardFormat("Rich Text Format"), rtf + "}");
    AcceptPasteAs(Driver());
  }
  static std::string PlainText(const Pieces& pieces) {
    std::string text;
    for (const std::string& piece : pieces) text += piece + "\r\n\r\n";
    return text;
  }
  // Text that is not typed is read as the writer says, here as offered.
  void AskedHowToRead(const std::string& text) {
    if (text.size() + 1 > TypedPasteLimit) AcceptPasteAs(Driver());
  }
  void CopyPlain(const Pieces& pieces) {
    qm::Clipboard()->SetAsText(PlainText(pieces));
    AskedHowToRead(PlainText(pieces));
  }
  // The pieces in a text file chosen for Paste From.
  void ChooseTextFile(const Pieces& pieces) {
    const std::string path = ScriptDirectory + "/PASTED.TXT";
    WriteFileText(path, PlainText(pieces));
    ChooseFile(Driver(), path, 1);
    AnswerMessageBox(Driver(), UnidentifiedFileQuestion, mrYes, PromptTable(31));
    AskedHowToRead(PlainText(pieces));
  }
};

// How the text comes in: what is put ready, and the command that takes it.
struct Road {
  const char* what;
  std::function<void(const Pieces&)> ready;
  const char* command;
};

struct Place {
  const char* what;
  int element;  // where the caret stands
  int column;   // -1: the end of its text
  Pieces pasted;
  bool shortText;                // the text typed rather than read as elements
  std::vector<bool> blueBreaks;  // the locked breaks after the paste: which took the revision
};

TEST_F(PastePageMarksTest, EveryPageAPasteTouchesIsMarkedChangedWhateverTheFormat) {
  const Road plain{"plain text", [this](const Pieces& p) { CopyPlain(p); }, "PasteItem"};
  const Road textFile{"Paste From a text file", [this](const Pieces& p) { ChooseTextFile(p); }, "PastefromItem"};
  const std::vector<Road> elementRoads{
      {"the program's own records", [this](const Pieces& p) { CopyNative(p); }, "PasteItem"},
      {"RTF", [this](const Pieces& p) { CopyRtf(p); }, "PasteItem"},
      plain,
      textFile,
  };
  const std::vector<Road> typedRoads{plain, textFile};
  // clang-format off
  const std::vector<Place> places{
      {"inside one element on page two", 2, 4,
       {"young and weary, hardly able to stand up straight any more, "}, false, {true, false}},
      {"short text typed inside one element on page two", 2, 4, {"young "}, true, {true, false}},
      {"at the end of page two, running over a page break onto a new page", 3, -1,
       {"Then the writer adds a line.", kBreak, "Overleaf the scene goes on and on."}, false, {true, true, false}},
      {"short text with a line end at the end of page two", 3, -1, {" He sits.\r\nThen he rises."}, true, {true, false}},
      {"at the top of page three", 5, 0,
       {"Before the page three text comes, a line more of it."}, false, {false, true}},
      {"short text typed at the top of page three", 5, 0, {"Now "}, true, {false, true}},
  };
  // clang-format on
  for (const Place& place : places) {
    for (const Road& road : place.shortText ? typedRoads : elementRoads) {
      SCOPED_TRACE(std::string(place.what) + " from " + road.what);
      LoadNewRevision();
      CaretAt(ElementAt(place.element), place.column < 0 ? 1000 : place.column);
      const std::vector<ElementSpec> before = Elements();
      road.ready(place.pasted);
      MainForm->UpdateMenusAndButtons();
      MainForm->MenuItem(road.command)->Click();
      EXPECT_EQ(Driver().Pending(), 0);
      W().Assemble();
      ASSERT_NE(Elements(), before) << "the paste went in";

      std::vector<TScriptElement*> breaks = LockedBreaks();
      ASSERT_EQ(breaks.size(), place.blueBreaks.size());
      std::vector<const TScriptElement*> revisedPages;
      for (std::size_t i = 0; i < breaks.size(); ++i) {
        SCOPED_TRACE("locked break " + std::to_string(i + 1));
        const bool blue = place.blueBreaks[i];
        EXPECT_EQ(PageHeaderText(W(), breaks[i]), blue ? kBlue : kWhite);
        EXPECT_EQ(RevisionOf(breaks[i]), blue ? kRevision : 0);
        if (blue) revisedPages.push_back(breaks[i]);
      }
      EXPECT_EQ(W().FirstPageRevision, 0) << "page one is not changed";
      // The lines of old text stay unmarked; each element the paste
      // brought text into has the lines marked.
      for (TScriptElement* e = W().FirstElement; e; e = e->next) {
        if (IsPageBreakKind(e->Kind())) continue;
        const std::string text = ElementText(*e);
        const bool old = std::find(before.begin(), before.end(), ElementSpec{e->Kind(), text}) != before.end();
        EXPECT_EQ(HasRevisedLines(*e), !old) << text;
      }
      EXPECT_EQ(PrintedRevisedPages(), revisedPages);

      MainForm->MenuItem("UndoItem")->Click();
      W().Assemble();
      EXPECT_EQ(Elements(), before);
      breaks = LockedBreaks();
      ASSERT_EQ(breaks.size(), 2U);
      for (const TScriptElement* b : breaks) {
        EXPECT_EQ(PageHeaderText(W(), b), kWhite);
        EXPECT_EQ(RevisionOf(b), 0);
      }
      for (const TScriptElement* e = W().FirstElement; e; e = e->next) EXPECT_FALSE(HasRevisedLines(*e));
      EXPECT_TRUE(PrintedRevisedPages().empty());
    }
  }
}

}  // namespace
}  // namespace qm::testing
