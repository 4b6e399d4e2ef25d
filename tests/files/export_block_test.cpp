// The export block a filter export hands the converter: 299-byte run
// records with the paragraph's indents and spacing, as the converter reads
// them back.
#include "files/export_block.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "block_document.h"
#include "files/clipboard_fixture.h"
#include "support/document_builder.h"

namespace qm::testing {
namespace {

struct TRecord {
  std::string text;
  std::uint32_t lengthField;
  unsigned style;
  std::uint32_t left, zero, right, spacing;
  bool restZero;
  int last;
};

std::uint32_t At(const std::vector<Byte>& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + i];
  return v;
}

std::vector<TRecord> Records(const std::vector<Byte>& block) {
  std::vector<TRecord> records;
  EXPECT_EQ(block.size() % RunRecordBytes, 0u);
  for (std::size_t at = 0; at + RunRecordBytes <= block.size(); at += RunRecordBytes) {
    const std::vector<Byte> r(block.begin() + at, block.begin() + at + RunRecordBytes);
    bool restZero = true;
    for (std::size_t i = 278; i < 298; ++i) restZero = restZero && r[i] == 0;
    for (std::size_t i = 1 + r[0]; i < 256; ++i) restZero = restZero && r[i] == 0;
    records.push_back({std::string(r.begin() + 1, r.begin() + 1 + r[0]), At(r, 256, 4), At(r, 260, 2), At(r, 262, 4),
                       At(r, 266, 4), At(r, 270, 4), At(r, 274, 4), restZero, r[298]});
  }
  return records;
}

std::vector<std::string> Texts(const std::vector<TRecord>& records) {
  std::vector<std::string> texts;
  for (const auto& r : records) texts.push_back(r.text);
  return texts;
}

constexpr std::uint32_t Points(int whole) { return static_cast<std::uint32_t>(whole) << 16; }

class ExportBlockTest : public ClipboardFixture {};

TEST_F(ExportBlockTest, RecordsCarryTheirParagraphsIndentsByFilter) {
  const struct {
    const char* filter;
    std::uint32_t left;
  } cases[] = {{"/x/WORDWIN.XTD", Points(72)},
               {"/x/RTF.XTD", Points(72)},
               {"/x/WPERFECT.XTD", Points(90)},
               {"/x/wperfect.xtd", Points(90)}};
  for (const auto& c : cases) {
    ScriptWindow w;
    AddElements(*w, {{ekAction, "She waits."}});
    w->FirstElement->format.LeftMargin = 15;
    w->FirstElement->format.RightMargin = 10;
    w->FirstElement->format.Spacing = 20;
    const auto records = Records(ExportBlockOf(*w, c.filter));
    ASSERT_EQ(records.size(), 2u) << c.filter;
    const TRecord& run = records[0];
    EXPECT_EQ(run.text, "She waits.");
    EXPECT_EQ(run.lengthField, 9u) << "the text's length minus 1";
    EXPECT_EQ(run.left, c.left) << c.filter;
    EXPECT_EQ(run.right, Points(36));
    EXPECT_EQ(run.spacing, Points(1)) << "double spacing: one line between lines";
    EXPECT_EQ(run.zero, 0u);
    EXPECT_TRUE(run.restZero);
    EXPECT_EQ(run.last, 0);
    EXPECT_EQ(records[1].text, "");
    EXPECT_EQ(records[1].last, 1) << "the closing record";
    EXPECT_TRUE(records[1].restZero && records[1].left == 0 && records[1].style == 0);
  }
}

TEST_F(ExportBlockTest, IndentsKeepTheirTenthsOfAPoint) {
  const struct {
    Byte margin;
    std::uint32_t fixed;
  } cases[] = {{6, Points(7) | 13107}, {7, Points(14) | 26214}, {5, 0}, {3, 0}, {0, 0}, {20, Points(108)}};
  for (const auto& c : cases) {
    ScriptWindow w;
    AddElements(*w, {{ekAction, "x"}});
    w->FirstElement->format.LeftMargin = c.margin;
    w->FirstElement->format.RightMargin = c.margin;
    const auto records = Records(ExportBlockOf(*w, "RTF.XTD"));
    EXPECT_EQ(records[0].left, c.fixed) << int(c.margin);
    EXPECT_EQ(records[0].right, c.fixed) << int(c.margin);
  }
}

TEST_F(ExportBlockTest, InlineStylesSplitTheTextIntoRuns) {
  ScriptWindow w;
  AddElements(*w,
              {{ekDialogue, "Not \x02tonight\x03, dear."}, {ekAction, "She \x19waits\x1A~ \x15under\x16 \x0Eno\x0F."}});
  w->LastElement->format.LinesBefore = 10;
  const auto records = Records(ExportBlockOf(*w, "WORDWIN.XTD"));
  const std::string end(1, RunParagraphEnd);
  // clang-format off
  const std::vector<std::pair<std::string, unsigned>> expected = {
      {"Not ", 0}, {"tonight", rsBold}, {", dear.", 0}, {end, 0}, {end, 0}, {"She ", 0}, {"waits", rsItalic},
      {"\x1F ", 0}, {"under", rsUnderline}, {" ", 0}, {"no", rsStrikeOut}, {".", 0}, {"", 0}};
  // clang-format on
  std::vector<std::pair<std::string, unsigned>> read;
  for (const auto& r : records) read.emplace_back(r.text, r.style);
  EXPECT_EQ(read, expected);
}

// Whole lines before an element, halves rounded to the even line, and one
// more paragraph end that closes the element before.
TEST_F(ExportBlockTest, LinesBeforeBecomeParagraphEnds) {
  const struct {
    Byte tenths;
    std::size_t ends;
  } cases[] = {{0, 1}, {4, 1}, {6, 2}, {10, 2}, {15, 3}, {25, 3}, {35, 5}, {20, 3}};
  for (const auto& c : cases) {
    ScriptWindow w;
    AddElements(*w, {{ekAction, "One."}, {ekAction, "Two."}});
    w->LastElement->format.LinesBefore = c.tenths;
    const auto texts = Texts(Records(ExportBlockOf(*w, "WORDWIN.XTD")));
    std::vector<std::string> expected = {"One."};
    expected.insert(expected.end(), c.ends, std::string(1, RunParagraphEnd));
    expected.insert(expected.end(), {"Two.", ""});
    EXPECT_EQ(texts, expected) << int(c.tenths) << " tenths";
  }
}

TEST_F(ExportBlockTest, TheFormatsStyleAndCapitalsStartEachElement) {
  ScriptWindow w;
  AddElements(*w, {{ekSceneHeading, "int. house - day"}});
  w->FirstElement->format.Style = stBold | stUnderline | stStrikeOut;
  w->FirstElement->format.AllCaps = 1;
  const auto records = Records(ExportBlockOf(*w, "WORDWIN.XTD"));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].text, "INT. HOUSE - DAY");
  EXPECT_EQ(records[0].style, unsigned(rsBold | rsUnderline | rsStrikeOut));
}

TEST_F(ExportBlockTest, LongTextsHardReturnsAndParentheses) {
  ScriptWindow w;
  const std::string longText(450, 'a');
  AddElements(*w, {{ekAction, longText}, {ekParenthetical, "softly\xA7then loud"}});
  const auto records = Records(ExportBlockOf(*w, "WORDWIN.XTD"));
  std::string joined;
  for (const auto& r : records) {
    EXPECT_LE(r.text.size(), 255u);
    if (!r.text.empty() && r.text[0] != RunParagraphEnd) joined += r.text;
  }
  EXPECT_EQ(records[0].text.size(), 201u) << "a run past 200 characters is written out";
  EXPECT_NE(joined.find(longText), std::string::npos) << "no character is lost";
  EXPECT_NE(joined.find("(softly"), std::string::npos);
  EXPECT_EQ(records[records.size() - 2].text, std::string(1, RunParagraphEnd) + "then loud)")
      << "the hard return starts a run the text after it joins";
}

TEST_F(ExportBlockTest, HiddenElementsStayOutButScriptNotesGo) {
  ScriptWindow w;
  AddElements(*w, {{ekAction, "Seen."}, {ekAction, "Hidden."}, {ekScriptNote, "A note."}, {ekAction, "Shown hidden."}});
  w->FirstElement->next->state = esHidden;
  w->FirstElement->next->next->state = esHidden;
  w->LastElement->state = esShownHidden;
  std::vector<std::string> kept;
  for (const auto& t : Texts(Records(ExportBlockOf(*w, "WORDWIN.XTD"))))
    if (!t.empty() && t[0] != RunParagraphEnd) kept.push_back(t);
  EXPECT_EQ(kept, (std::vector<std::string>{"Seen.", "A note."}));
}

TEST_F(ExportBlockTest, AScriptOfOneEmptyElementGivesTheClosingRecordOnly) {
  ScriptWindow w;
  AddElements(*w, {{ekAction, ""}});
  const auto block = ExportBlockOf(*w, "WORDWIN.XTD");
  ASSERT_EQ(block.size(), RunRecordBytes);
  EXPECT_EQ(block[rrLastRecord], 1);
}

// The converter reads the block back into the paragraphs it writes.
TEST_F(ExportBlockTest, TheConverterReadsTheBlockBackIntoParagraphs) {
  ScriptWindow w;
  AddElements(*w, {{ekSceneHeading, "INT. HOUSE - DAY"}, {ekDialogue, "Not \x02tonight\x03 {ok}\xE9."}});
  const auto block = ExportBlockOf(*w, "WORDWIN.XTD");
  const auto paragraphs = converter::ReadExportBlock(block);
  ASSERT_TRUE(paragraphs.has_value());
  std::vector<std::string> texts;
  for (const auto& p : *paragraphs) {
    std::string text;
    for (const auto& run : p.runs) text += run.text;
    texts.push_back(text);
  }
  ASSERT_FALSE(texts.empty());
  EXPECT_EQ(texts.front(), "INT. HOUSE - DAY");
  EXPECT_EQ(texts.back(), "Not tonight {ok}\xE9.");
  EXPECT_EQ(paragraphs->back().runs.size(), 3u);
  EXPECT_EQ(paragraphs->back().leftIndent, Points((w->LastElement->format.LeftMargin - 5) * 72 / 10) |
                                               ((w->LastElement->format.LeftMargin - 5) * 72 % 10) * 65536 / 10);
  const std::string rtf = converter::BlockAsRtf(*paragraphs);
  EXPECT_NE(rtf.find("{\\b tonight}"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("\\fs24 {INT. HOUSE - DAY}\\par"), std::string::npos) << "a run adds no blank of its own: " << rtf;
  EXPECT_NE(rtf.find("{Not }{\\b tonight}{ \\{ok\\}\\'e9.}\\par"), std::string::npos) << rtf;

  // Damaged blocks are refused, never read past their end.
  auto noEnd = block;
  noEnd.resize(block.size() - RunRecordBytes);
  EXPECT_FALSE(converter::ReadExportBlock(noEnd).has_value());
  auto badLength = block;
  badLength[rrTextLength] ^= 0x40;
  EXPECT_FALSE(converter::ReadExportBlock(badLength).has_value());
  EXPECT_FALSE(converter::ReadExportBlock({}).has_value());
}

// The walk reads a bare document: no window, no form. Each element's run
// opens with "(" where its kind or the script's settings put it in
// parentheses, closes it after the text, and then takes the displayed
// number and a cue's extension; hidden elements stay out but Script Notes
// go.
TEST(ExportBlockOfDocument, RunsOfEachElementByTheScriptsSettings) {
  struct Case {
    const char* what;
    std::vector<DocumentRow> rows;
    std::function<void(TBuiltDocument&)> set;
    std::vector<std::string> texts;  // the runs, paragraph ends left out
  };
  const auto none = [](TBuiltDocument&) {};
  // Scene information numbered 3 in digits, in parentheses or not.
  const auto sceneInfo = [](Byte parentheses) {
    return [parentheses](TBuiltDocument& d) {
      d.SceneInfoParentheses = parentheses;
      d.SceneInfoDisplayStyle = 1;
      d.SceneStart = 0;
      d.Element(0).group->number = 3;
    };
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"a parenthetical always in parentheses", {{ekParenthetical, "beat"}}, none, {"(beat)"}},
      {"scene information in parentheses when the script puts it so, then its number",
       {{ekSceneInformation, "SCENE"}}, sceneInfo(1), {"(SCENE) 3"}},
      {"scene information plain otherwise", {{ekSceneInformation, "SCENE"}}, sceneInfo(0), {"SCENE 3"}},
      {"act information in parentheses when the script puts it so", {{ekActStart, "ACT"}},
       [](TBuiltDocument& d) {
         d.ActParentheses = 1;
         d.ActDisplayStyle = 1;
         d.ActStart = 0;
         d.Element(0).group->number = 2;
       },
       {"(ACT) 2"}},
      {"action in parentheses only when the script puts it so", {{ekAction, "Aside."}, {ekAction, "Plain."}},
       [](TBuiltDocument& d) { d.ActionParentheticals = 1; }, {"(Aside.)", "(Plain.)"}},
      {"action plain by default", {{ekAction, "Aside."}}, [](TBuiltDocument& d) { d.ActionParentheticals = 0; },
       {"Aside."}},
      {"a cue with its extension in parentheses", {{ekCharacterName, "JOHN"}},
       [](TBuiltDocument& d) { d.Element(0).split = 3; },  // extension entry 2, "V.O."
       {"JOHN (V.O.)"}},
      {"hidden elements stay out, Script Notes go",
       {{ekAction, "Seen."}, {ekAction, "Gone.", esHidden}, {ekScriptNote, "Note.", esHidden},
        {ekAction, "Shown hidden.", esShownHidden}},
       none, {"Seen.", "Note."}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto document = BuildDocument(c.rows);
    c.set(*document);
    std::vector<std::string> texts;
    for (const std::string& t : Texts(Records(ExportBlockOf(*document, "WORDWIN.XTD"))))
      if (!t.empty() && t[0] != RunParagraphEnd) texts.push_back(t);
    EXPECT_EQ(texts, c.texts);
  }
}

// Indents are (margin - 5) tenths of an inch in points; the WordPerfect
// filter adds 18 points on the left past 9 tenths.
TEST(ExportBlockOfDocument, IndentsByFilter) {
  const struct {
    const char* filter;
    std::uint32_t left;
  } cases[] = {{"WORDWIN.XTD", Points(72)}, {"WPERFECT.XTD", Points(90)}};
  for (const auto& c : cases) {
    auto document = BuildDocument({{ekAction, "She waits."}, {ekDialogue, "Hi."}});
    document->Element(0).format.LeftMargin = 15;
    document->Element(0).format.RightMargin = 10;
    const auto records = Records(ExportBlockOf(*document, c.filter));
    ASSERT_EQ(records.size(), 4u) << c.filter << ": a run, a paragraph end, a run and the closing record";
    EXPECT_EQ(records[0].left, c.left) << c.filter;
    EXPECT_EQ(records[0].right, Points(36)) << c.filter;
    EXPECT_EQ(records[3].last, 1);
  }
}

}  // namespace
}  // namespace qm::testing
