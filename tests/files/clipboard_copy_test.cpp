// Copying a block: the three formats of a small fixed block against their
// fixtures, the RTF checked by a strict brace counter, and the rules of
// partial elements, parentheticals, names, margins and the options.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "base/program_options.h"
#include "files/clipboard_fixture.h"
#include "files/progress_dialog.h"
#include "platform/cp1252.h"
#include "platform/files.h"
#include "script/model/packed_text.h"
#include "script/model/text_codes.h"
#include "script/editing/editor_calls.h"
#include "support/document_builder.h"

namespace qm::testing {
namespace {

std::string FixturePath(const std::string& name) {
  return std::string(QM_SOURCE_DIR) + "/tests/files/fixtures/" + name;
}

std::string ReadFixture(const std::string& name) {
  std::ifstream in(FixturePath(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// QM_WRITE_CLIPBOARD_FIXTURES=1 writes the fixtures again (to be read and
// checked by eye before they are committed).
void CheckAgainstFixture(const std::string& name, const std::string& bytes) {
  if (const char* write = std::getenv("QM_WRITE_CLIPBOARD_FIXTURES"); write && *write) {
    std::ofstream(FixturePath(name), std::ios::binary) << bytes;
  }
  EXPECT_EQ(bytes, ReadFixture(name)) << name;
}

// Groups open and close in order, and the whole text is one group.
bool BracesBalance(std::string rtf) {
  while (!rtf.empty() && rtf.back() == '\0') rtf.pop_back();
  if (rtf.empty() || rtf.front() != '{') return false;
  int depth = 0;
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '\\') {
      ++i;
    } else if (rtf[i] == '{') {
      ++depth;
    } else if (rtf[i] == '}') {
      if (--depth < 0 || (depth == 0 && i + 1 != rtf.size())) return false;
    }
  }
  return depth == 0;
}

std::string Code(Byte b) { return std::string(1, static_cast<char>(b)); }

class ClipboardCopyTest : public ClipboardFixture {};

TEST_F(ClipboardCopyTest, FixedBlockWritesTheThreeFormatsOfTheFixtures) {
  ScriptWindow w;
  w->UsesUserColours = 1;
  w->TaggingUsed = 1;
  AppendElement(*w, ekSceneHeading, "INT. KITCHEN - NIGHT");
  AppendElement(*w, ekAction,
                "She " + Code(BoldOn) + "runs" + Code(BoldOff) + " to the " + Code(UnderlineOn) + "back" +
                    Code(ItalicsOn) + " door" + Code(UnderlineOff) + " now" + Code(ItalicsOff) + "~ly {at} \\ last." +
                    Code(HardReturn) + "Caf\xE9" + Code(HardSpace) + "noir" + Code(HardDash) + "ish " + Code(253) +
                    "blue" + Code(254) + " " + Code(142) + "knife" + Code(TagEnd) + Code(18) + " red" + Code(19));
  AppendElement(*w, ekCharacterName, "JOHN (V.O.)");
  AppendElement(*w, ekParenthetical, "beat");
  AppendElement(*w, ekDialogue, "Hello there.");
  AppendElement(*w, ekForcedPageBreak, " ");
  AppendElement(*w, ekTransition, "CUT TO:");
  LayOut(*w);
  SelectAll(*w);
  ProgressDlg().CopyToClipBoard(true, false);

  const auto native = ClipData(NativeClipboardFormatName);
  ASSERT_TRUE(native);
  CheckAgainstFixture("clipboard_block.qmt", std::string(native->begin(), native->end()));
  CheckAgainstFixture("clipboard_block.txt", ClipText(""));
  const std::string rtf = ClipText(RichTextClipboardName);
  CheckAgainstFixture("clipboard_block.rtf", rtf);
  EXPECT_TRUE(BracesBalance(rtf)) << rtf;
  EXPECT_EQ(rtf.back(), '\0');
  EXPECT_EQ(Clipboard()->Formats().size(), 3u);
}

TEST_F(ClipboardCopyTest, StyleCodesBecomeBalancedGroupsWithTheSameControlWords) {
  ScriptWindow w;
  struct Case {
    std::string text;
    std::string rtf;
  } cases[] = {
      {"a" + Code(BoldOn) + "b" + Code(BoldOff) + "c", "a{\\plain \\fs24\\b b}c"},
      {Code(BoldOn) + "b" + Code(ItalicsOn) + "bi" + Code(BoldOff) + "i" + Code(ItalicsOff),
       "{\\plain \\fs24\\b b}{\\plain \\fs24\\b\\i bi}{\\plain \\fs24\\i i}"},
      {Code(UnderlineOn) + Code(StrikeOutOn) + "x", "{\\plain \\fs24\\ul }{\\plain \\fs24\\ul\\strike x}"},
      {Code(BoldOff) + "stray close", "stray close"},
      {"open only" + Code(BoldOn), "open only{\\plain \\fs24\\b }"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rtf);
    const std::string rtf = RtfText(*w, c.text, false);
    EXPECT_EQ(rtf, c.rtf);
    EXPECT_TRUE(BracesBalance("{" + rtf + "}"));
  }
}

TEST_F(ClipboardCopyTest, CodesNeverPassRawIntoOutsideText) {
  ScriptWindow w;
  w->TaggingUsed = 1;
  w->UsesUserColours = 1;
  const std::string text = EveryCodeText();
  const std::string plain = OutsideText(*w, text, false);
  const std::string rtf = RtfText(*w, text, false);
  for (char c : plain) EXPECT_TRUE(static_cast<Byte>(c) >= 32 || c == '\r' || c == '\n') << int(c);
  for (char c : rtf) {
    const Byte b = static_cast<Byte>(c);
    EXPECT_TRUE((b >= 32 && b < 128) || c == '\r' || c == '\n') << int(b);
  }
  EXPECT_EQ(OutsideText(*w, "a" + Code(HardSpace) + "b" + Code(HardDash) + "c" + Code(TagEnd), false), "a b-c");
  // Without user colours their bytes are letters.
  w->UsesUserColours = 0;
  EXPECT_EQ(OutsideText(*w, "\xFD", false), "\xFD");
}

TEST_F(ClipboardCopyTest, PartialWholeAndSpecialElementsCopyByTheirRules) {
  ScriptWindow w;
  TScriptElement* action = AppendElement(*w, ekAction, "");
  TScriptElement* paren = AppendElement(*w, ekParenthetical, "beat");
  TScriptElement* name = AppendElement(*w, ekCharacterName, "MARY (O.S.)");
  TScriptElement* last = AppendElement(*w, ekAction, "Tail words   ");
  editor::SetCurrentElement(*w, action);
  editor::SetEditText(*w, "The quick brown fox jumps over the lazy dog and keeps running down the long road home.");
  action->text = PackText(w->EditBuffer());
  LayOut(*w);
  action->format.LeftMargin = 15;
  action->format.RightMargin = 10;

  MarkBlock(*w, action, 0, action, -1);
  ProgressDlg().CopyToClipBoard(true, false);
  TClipReadResult read = ReadClipRecords(*ClipData(NativeClipboardFormatName));
  ASSERT_EQ(read.records.size(), 1u);
  EXPECT_EQ(read.records[0].lineOffsets.size(), action->lineCount) << "a whole element keeps its offsets";
  EXPECT_EQ(read.records[0].text, PackText(TextOf(*w, *action)));
  EXPECT_NE(ClipText(RichTextClipboardName).find("\\li1400\\ri700\\ql"), std::string::npos);

  MarkBlock(*w, action, 4, action, 9);
  ProgressDlg().CopyToClipBoard(true, false);
  read = ReadClipRecords(*ClipData(NativeClipboardFormatName));
  ASSERT_EQ(read.records.size(), 1u);
  EXPECT_TRUE(read.records[0].lineOffsets.empty());
  EXPECT_EQ(read.records[0].text, PackText("quick"));

  MarkBlock(*w, paren, 0, name, -1);
  ProgressDlg().CopyToClipBoard(true, false);
  read = ReadClipRecords(*ClipData(NativeClipboardFormatName));
  ASSERT_EQ(read.records.size(), 2u);
  EXPECT_EQ(UnpackText(read.records[0].text), "beat");
  EXPECT_EQ(read.records[1].text, "MARY (O.S.)") << "a name is held plain";
  EXPECT_EQ(ClipText(""), std::string("(beat)\r\n\r\nMARY (O.S.)\r\n") + '\0');
  EXPECT_NE(ClipText(RichTextClipboardName).find("(beat)"), std::string::npos);

  MarkBlock(*w, last, 0, last, 10);
  ProgressDlg().CopyToClipBoard(true, false);
  read = ReadClipRecords(*ClipData(NativeClipboardFormatName));
  ASSERT_EQ(read.records.size(), 1u);
  EXPECT_EQ(UnpackText(read.records[0].text), "Tail words   ") << "trailing blanks go along";
}

TEST_F(ClipboardCopyTest, OptionsAndDeleteDecideWhatReachesTheClipboard) {
  ScriptWindow w;
  TScriptElement* e = AppendElement(*w, ekAction, "Some action.");
  LayOut(*w);
  Clipboard()->SetAsText("kept");
  MarkBlock(*w, e, 0, e, 4);
  ProgressDlg().CopyToClipBoard(false, true);
  EXPECT_EQ(Clipboard()->AsText(), "kept") << "Delete leaves the clipboard alone";
  EXPECT_EQ(ElementsOf(*w)[0].text, " action.");

  ProprietaryFormatOnly = true;
  MarkBlock(*w, w->FirstElement, 0, w->FirstElement, -1);
  ProgressDlg().CopyToClipBoard(true, false);
  ProprietaryFormatOnly = false;
  EXPECT_EQ(Clipboard()->Formats(), std::vector<UINT>{RegisterClipboardFormat(NativeClipboardFormatName)});
}

TEST_F(ClipboardCopyTest, CopyRemembersTheSpeakerOfTheSpeech) {
  ScriptWindow w;
  AppendElement(*w, ekAction, "Before.");
  TScriptElement* cue = AppendElement(*w, ekCharacterName, "ANNA");
  TScriptElement* paren = AppendElement(*w, ekParenthetical, "quietly");
  TScriptElement* line = AppendElement(*w, ekDialogue, "Go home.");
  LayOut(*w);
  struct Case {
    TScriptElement* from;
    const char* speaker;
  } cases[] = {{line, "ANNA"}, {paren, "ANNA"}, {cue, "ANNA"}, {w->FirstElement, ""}};
  for (const auto& c : cases) {
    MarkBlock(*w, c.from, 0, line, -1);
    ProgressDlg().CopyToClipBoard(true, false);
    EXPECT_EQ(CopiedSpeakerName, c.speaker);
  }
}

// The plain text writes a blank line before an element whose lines before
// come to at least one whole line, rounded half to even.
TEST(ClipboardBlocksOfDocument, ThePlainTextsBlankLineFollowsTheWholeLinesBefore) {
  const struct {
    Byte tenths;
    bool blank;
  } cases[] = {{0, false}, {5, false}, {6, true}, {9, true}, {10, true}, {15, true}, {20, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.tenths));
    auto document = BuildDocument({{ekAction, "One."}, {ekAction, "Two."}});
    document->Element(1).format.LinesBefore = c.tenths;
    std::vector<TCopiedPiece> block;
    for (int i = 0; i < 2; ++i) {
      TScriptElement& e = document->Element(i);
      const std::string text = ElementText(e);
      block.push_back({&e, text, 0, text.size()});
    }
    const TClipboardBlocks blocks = BuildClipboardBlocks(*document, block, true);
    EXPECT_EQ(blocks.plain, std::string(c.blank ? "One.\r\n\r\nTwo.\r\n" : "One.\r\nTwo.\r\n") + '\0');
  }
}

// The three formats of a block read a bare document: no window, no form.
TEST(ClipboardBlocksOfDocument, EachFormatByItsRules) {
  constexpr std::size_t kWhole = std::string::npos;
  struct Piece {
    int index;
    std::size_t start = 0;
    std::size_t end = kWhole;
  };
  struct Case {
    const char* what;
    std::vector<DocumentRow> rows;
    std::vector<Piece> pieces;
    std::string plain;                // without its closing zero
    std::vector<std::string> inRtf;   // pieces the RTF holds
    std::vector<std::string> native;  // each record's stored text
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"a parenthetical in parentheses outside, its own text inside",
       {{ekParenthetical, "beat"}}, {{0}}, "(beat)\r\n", {"\\fs24 (beat)"}, {PackText("beat")}},
      {"a name in capitals outside, plain inside", {{ekCharacterName, "JOHN"}}, {{0}}, "JOHN\r\n", {"\\fs24 JOHN"},
       {"john"}},
      {"part of an element: only its selected characters", {{ekAction, "She runs home."}}, {{0, 4, 8}}, "runs\r\n",
       {"\\fs24 runs"}, {PackText("runs")}},
      {"margins 15 and 10 as twips from the half-inch page margin", {{ekAction, "Go."}}, {{0}}, "Go.\r\n",
       {"\\li1400\\ri700\\ql"}, {PackText("Go.")}},
      {"a whole blank line before an element asking for one", {{ekAction, "One."}, {ekAction, "Two."}},
       {{0}, {1}}, "One.\r\n\r\nTwo.\r\n", {"\\fs24 One.", "\\fs24 Two."}, {PackText("One."), PackText("Two.")}},
      {"a page break goes only into the native format", {{ekAction, "One."}, {ekForcedPageBreak, ""}},
       {{0}, {1}}, "One.\r\n", {"\\fs24 One."}, {PackText("One."), PackText(" ")}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto document = BuildDocument(c.rows);
    // A name keeps what the writer typed; the clipboard's text raises it.
    for (TScriptElement* e = document->FirstElement; e; e = e->next)
      if (e->Kind() == ekCharacterName) e->text = AnsiLowerCase(*e->text);
    std::vector<TCopiedPiece> block;
    for (const Piece& p : c.pieces) {
      TScriptElement& e = document->Element(p.index);
      const std::string text = ElementText(e);
      block.push_back({&e, text, p.start, std::min(p.end, text.size())});
    }
    const TClipboardBlocks blocks = BuildClipboardBlocks(*document, block, true);
    EXPECT_EQ(blocks.plain, c.plain + '\0');
    for (const std::string& piece : c.inRtf)
      EXPECT_NE(blocks.rtf.find(piece), std::string::npos) << piece << "\n" << blocks.rtf;
    const TClipReadResult read = ReadClipRecords(blocks.native);
    std::vector<std::string> native;
    for (const TClipRecord& r : read.records) {
      native.push_back(r.text);
      EXPECT_TRUE(r.lineOffsets.empty()) << "no laid-out lines to keep";
    }
    EXPECT_EQ(native, c.native);
  }
}

}  // namespace
}  // namespace qm::testing
