// The export writers: a generated script written as styled RTF or tagged
// text reads back with every element's type and text; formatted ASCII
// follows the script's own page breaks, columns and continued lines.
#include "files/export_script.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

#include "files/clipboard_fixture.h"
#include "files/export_elements.h"
#include "files/foreign_files.h"
#include "files/rtf_reader.h"
#include "files/style_picker.h"
#include "files/tagged_text.h"
#include "files/text_classifier.h"
#include "files/rtf_writer.h"
#include "files/tagged_text_writer.h"
#include "script/model/standard_formats.h"
#include "support/document_builder.h"
#include "support/script_generator.h"

namespace qm::testing {
namespace {

std::vector<ElementSpec> Specs(const TImportedElements& elements) {
  std::vector<ElementSpec> specs;
  for (const auto& e : elements) specs.push_back({e.kind, e.text});
  return specs;
}

// The first element read otherwise than written; empty when all agree.
std::string FirstDifference(const std::vector<ElementSpec>& read, const std::vector<ElementSpec>& written) {
  for (std::size_t i = 0; i < std::max(read.size(), written.size()); ++i) {
    if (i < read.size() && i < written.size() && read[i] == written[i]) continue;
    std::ostringstream out;
    out << "element " << i << ": read ";
    if (i < read.size()) out << read[i];
    out << " written ";
    if (i < written.size()) out << written[i];
    return out.str();
  }
  return {};
}

TClassifierContext QuietContext() {
  TClassifierContext context;
  context.Ask = [](const std::string&) { return false; };
  context.IdentifyStyle = [](const std::string&) { return std::string("@"); };
  return context;
}

// Groups open and close in order, and the whole text is one group.
bool BracesBalance(const std::string& rtf) {
  int depth = 0;
  for (std::size_t i = 0; i < rtf.size(); ++i) {
    if (rtf[i] == '\\') ++i;
    else if (rtf[i] == '{') ++depth;
    else if (rtf[i] == '}' && --depth < 0) return false;
  }
  return depth == 0 && rtf.starts_with("{\\rtf1");
}

// A cue comes back cut before its extension, which is handed on apart.
std::vector<ElementSpec> CuesWithoutExtensions(std::vector<ElementSpec> script) {
  for (ElementSpec& e : script)
    if (e.kind == ekCharacterName) e.text = e.text.substr(0, e.text.find(" ("));
  return script;
}

// The tagged reader takes a cue that repeats the cue of the speech just
// before it for the name a page break repeated, and drops it.
std::vector<ElementSpec> WithoutRepeatedCues(const std::vector<ElementSpec>& script) {
  std::vector<ElementSpec> kept;
  for (const ElementSpec& e : script) {
    if (e.kind == ekCharacterName) {
      auto it = kept.rbegin();
      while (it != kept.rend() && (it->kind == ekDialogue || it->kind == ekParenthetical)) ++it;
      if (it != kept.rend() && it->kind == ekCharacterName && it->text == e.text) continue;
    }
    kept.push_back(e);
  }
  return kept;
}

class ExportScriptTest : public ClipboardFixture {
 protected:
  // A generated script in the window, laid out and paginated as it prints.
  std::vector<ElementSpec> Load(TMDIChild& w, std::uint64_t seed, int pages) {
    std::vector<ElementSpec> script = GenerateScreenplay(seed, pages);
    AddElements(w, script);
    LayOut(w);
    return script;
  }
  static int PageBreaks(const TMDIChild& w) {
    int count = 0;
    for (const TScriptElement* e = w.FirstElement; e; e = e->next) count += IsPageBreakKind(e->Kind());
    return count;
  }
};

TEST_F(ExportScriptTest, StyledRtfReadsBackByItsStyles) {
  for (std::uint64_t seed : {3u, 17u}) {
    ScriptWindow w;
    const auto script = Load(*w, seed, 6);
    ASSERT_GT(PageBreaks(*w), 2);
    const auto before = ElementsOf(*w);
    const std::string rtf = ExportBytes(*w, ekExportStyledRtf);
    EXPECT_EQ(ElementsOf(*w), before) << "the export leaves the script as it was";
    EXPECT_TRUE(BracesBalance(rtf));
    const TPasteChoices choices = DefaultPasteChoices(rtf, false);
    EXPECT_TRUE(choices.UseStyleSheets) << "the paste trusts the program's own style sheet";
    EXPECT_EQ(FirstDifference(Specs(ImportRtf(rtf, QuietContext(), choices)), CuesWithoutExtensions(script)), "")
        << "seed " << seed;
  }
}

TEST_F(ExportScriptTest, RtfStylesAndMarginsOfEachType) {
  ScriptWindow w;
  AddElements(*w, {{ekSceneHeading, "INT. HOUSE - DAY"},
                   {ekAction, "She {waits} \\ here."},
                   {ekCharacterName, "JOHN"},
                   {ekParenthetical, "quietly"},
                   {ekDialogue, "Hello \x02there\x03."},
                   {ekTransition, "CUT TO:"}});
  LayOut(*w);
  const std::string rtf = ExportBytes(*w, ekExportStyledRtf);
  for (const char* style :
       {"{\\s1\\sbasedon0 SCENE HEADING;}", "{\\s2\\sbasedon0 ACTION;}", "{\\s3\\sbasedon0 CHARACTER NAME;}",
        "{\\s4\\sbasedon0 PARENTHETICAL;}", "{\\s5\\sbasedon0 TRANSITION;}", "{\\s6\\sbasedon0 DIALOG;}"})
    EXPECT_NE(rtf.find(style), std::string::npos) << style;
  const TFormatSet& f = w->FormatSet;
  const auto indent = [](int margin) { return std::to_string((margin - 5) * 144); };
  EXPECT_NE(
      rtf.find("\\s2\\sb" + std::to_string(f[fsAction].LinesBefore * 24) + "\\li" + indent(f[fsAction].LeftMargin) +
               "\\ri" + indent(f[fsAction].RightMargin) + "\\f0\\fs24 She \\{waits\\} \\\\ here.\\par"),
      std::string::npos)
      << rtf;
  EXPECT_NE(rtf.find("(quietly)\\par"), std::string::npos);
  EXPECT_NE(rtf.find("Hello {\\plain \\fs24\\b there}.\\par"), std::string::npos);
  EXPECT_NE(rtf.find("\\qr\\f0\\fs24 CUT TO:\\par"), std::string::npos);
  EXPECT_EQ(rtf.find("\\pard\\plain\\s1\\sb"), std::string::npos) << "the first paragraph has no space before it";
}

// The style picker's rows for the style lines the writer uses.
std::map<std::string, int> TaggedAnswers() {
  std::map<std::string, int> answers;
  for (int row = 0; row < StyleChoiceCount; ++row) {
    switch (StyleChoices()[static_cast<std::size_t>(row)].Kind) {
      case ekAction:
        if (row == 0) answers["What is: [Action]?"] = row;
        break;
      case ekSceneHeading: answers["What is: [Scene Heading]?"] = row; break;
      case ekDialogue: answers["What is: [Dialogue]?"] = row; break;
      case ekTransition: answers["What is: [Transition]?"] = row; break;
      case ekShot: answers["What is: [Shot]?"] = row; break;
      default: break;
    }
  }
  return answers;
}

TEST_F(ExportScriptTest, TaggedTextReadsBackWithEveryTypeAndText) {
  for (std::uint64_t seed : {5u, 29u}) {
    ScriptWindow w;
    const auto script = Load(*w, seed, 6);
    const std::string tagged = ExportBytes(*w, ekExportTaggedText);
    const auto answers = TaggedAnswers();
    std::vector<std::string> asked;
    TStyleTable table;
    const TTaggedTextResult result =
        ReadTaggedText(tagged, table, StandardFormatSet(), [&](const std::string& q) -> std::optional<int> {
          asked.push_back(q);
          const auto it = answers.find(q);
          if (it == answers.end()) return std::nullopt;
          return it->second;
        });
    EXPECT_TRUE(result.isTagged);
    EXPECT_FALSE(result.cancelled) << (asked.empty() ? "" : asked.back());
    EXPECT_EQ(FirstDifference(Specs(result.elements), WithoutRepeatedCues(script)), "") << "seed " << seed;
  }
}

TEST_F(ExportScriptTest, TaggedTextOpensEachStyleOnceAndMarksSpeeches) {
  ScriptWindow w;
  AddElements(*w, {{ekSceneHeading, "INT. HOUSE - DAY"},
                   {ekAction, "She waits."},
                   {ekAction, "Still."},
                   {ekCharacterName, "JOHN"},
                   {ekParenthetical, "quietly"},
                   {ekDialogue, "Hello \x02there\x03."}});
  LayOut(*w);
  EXPECT_EQ(ExportBytes(*w, ekExportTaggedText),
            "[Scene Heading]\r\n<A>INT. HOUSE - DAY\r\n[Action]\r\n<A>She waits.\r\n<A>Still.\r\n"
            "[Dialogue]\r\n<C>JOHN\r\n<P>quietly\r\n<D>Hello there.\r\n");
}

// A cue's extension code goes out with the cue and comes back as its code.
TEST_F(ExportScriptTest, CueExtensionsGoOutWithTheirCues) {
  ScriptWindow w;
  AddElements(*w, {{ekAction, "She turns."}, {ekCharacterName, "JOHN"}, {ekDialogue, "Over here."}});
  TScriptElement* cue = w->FirstElement->next;
  constexpr Byte kVoiceOver = 3;  // extension list entry 2, "V.O."
  cue->split = kVoiceOver;
  LayOut(*w);
  const std::string rtf = ExportBytes(*w, ekExportStyledRtf);
  EXPECT_NE(rtf.find("JOHN (V.O.)\\par"), std::string::npos);
  const auto read = ImportRtf(rtf, QuietContext(), DefaultPasteChoices(rtf, false));
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(read[1].text, "JOHN");
  EXPECT_EQ(read[1].extensionKind, 2);

  const std::string tagged = ExportBytes(*w, ekExportTaggedText);
  EXPECT_NE(tagged.find("<E>(V.O.)\r\n<C>JOHN\r\n"), std::string::npos) << tagged;
  const auto answers = TaggedAnswers();
  TStyleTable table;
  const auto result = ReadTaggedText(tagged, table, StandardFormatSet(),
                                     [&](const std::string& q) -> std::optional<int> { return answers.at(q); });
  ASSERT_EQ(result.elements.size(), 3u);
  EXPECT_EQ(result.elements[1].text, "JOHN");
  EXPECT_EQ(result.elements[1].extensionKind, 2);

  const std::string ascii = ExportBytes(*w, ekExportFormattedAscii);
  EXPECT_NE(ascii.find(std::string(static_cast<std::size_t>(w->FormatSet[fsCharacterName].LeftMargin - 5), ' ') +
                       "JOHN (V.O.)\r\n"),
            std::string::npos);
}

// A line ending in ">" is a bare tag to the reader: such a text, and an
// empty one, go out with a blank after them so that they come back.
TEST_F(ExportScriptTest, TaggedTextKeepsTextsThatEndLikeATag) {
  ScriptWindow w;
  AddElements(*w, {{ekAction, "She presses <ENTER>"}, {ekAction, ""}, {ekAction, "Done."}});
  LayOut(*w);
  const std::string tagged = ExportBytes(*w, ekExportTaggedText);
  TStyleTable table;
  const auto answers = TaggedAnswers();
  const auto result = ReadTaggedText(tagged, table, StandardFormatSet(),
                                     [&](const std::string& q) -> std::optional<int> { return answers.at(q); });
  EXPECT_EQ(Specs(result.elements),
            (std::vector<ElementSpec>{{ekAction, "She presses <ENTER> "}, {ekAction, " "}, {ekAction, "Done."}}));
}

// What does not print stays out of the formatted text; a hidden Script
// Note still goes into the RTF and the tagged text.
TEST_F(ExportScriptTest, HiddenElementsStayOutButNotesGoIntoTheTextExports) {
  ScriptWindow w;
  AddElements(*w, {{ekAction, "Seen."}, {ekScriptNote, "A note."}, {ekAction, "Hidden."}, {ekAction, "Seen too."}});
  w->FirstElement->next->state = esHidden;
  w->FirstElement->next->next->state = esHidden;
  LayOut(*w);
  const std::string ascii = ExportBytes(*w, ekExportFormattedAscii);
  EXPECT_EQ(ascii.find("A note."), std::string::npos);
  EXPECT_EQ(ascii.find("Hidden."), std::string::npos);
  EXPECT_NE(ascii.find("Seen too."), std::string::npos);
  for (const Byte kind : {ekExportStyledRtf, ekExportTaggedText}) {
    const std::string text = ExportBytes(*w, kind);
    EXPECT_NE(text.find("A note."), std::string::npos) << int(kind);
    EXPECT_EQ(text.find("Hidden."), std::string::npos) << int(kind);
  }
}

// Acts and scene information go out with the numbers the script gives
// them, in its display styles.
TEST_F(ExportScriptTest, ActAndSceneInformationNumbersInTheirDisplayStyles) {
  struct Case {
    const char* what;
    Byte actStyle, sceneStyle;
    Word actOffset;
    std::vector<std::string> texts;
  };
  // 0 an act "ACT", 1 scene information "SCENE", 2 locked scene
  // information, 3 an Action, 4 the end of the act "END OF ", 5 a new act
  // without text, 6 its scene information, 7 a prologue.
  const std::vector<Case> cases = {
      {"digits", 1, 1, 0, {" 1", " 1", " 1A", "", "ACT 1", "2", " 1", ""}},
      {"words and letters", 3, 2, 0, {" One", " A", " AA", "", "ACT One", "Two", " A", ""}},
      {"WORDS from the act offset, Roman scenes",
       4,
       5,
       10,
       {" ELEVEN", " I", " IA", "", "ACT ELEVEN", "TWELVE", " I", ""}},
      {"Roman acts", 5, 1, 3, {" IV", " 1", " 1A", "", "ACT IV", "V", " 1", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptWindow w;
    AddElements(*w, {{ekActStart, "ACT"},
                     {ekSceneInformation, "SCENE"},
                     {ekLockedSceneInformation, "SCENE"},
                     {ekAction, "She waits."},
                     {ekEndOfActText, "END OF "},
                     {ekActStart, ""},
                     {ekSceneInformation, "SCENE"},
                     {ekPrologueText, "PROLOGUE"}});
    w->ActDisplayStyle = c.actStyle;
    w->SceneInfoDisplayStyle = c.sceneStyle;
    w->ActStart = c.actOffset;
    w->SceneStart = 0;
    LayOut(*w);
    std::vector<std::string> texts;
    for (const TScriptElement* e = w->FirstElement; e; e = e->next)
      if (!IsPageBreakKind(e->Kind())) texts.push_back(ExportNumberText(*w, *e));
    EXPECT_EQ(texts, c.texts);
    if (c.actStyle != 3) continue;
    const std::string tagged = ExportBytes(*w, ekExportTaggedText);
    for (const char* line : {"<A>ACT ONE\r\n", "<A>SCENE A\r\n", "<A>END OF ACT ONE\r\n", "<A>TWO\r\n"})
      EXPECT_NE(tagged.find(line), std::string::npos) << line << tagged;
    EXPECT_NE(ExportBytes(*w, ekExportFormattedAscii).find("END OF ACT ONE"), std::string::npos);
    EXPECT_NE(ExportBytes(*w, ekExportStyledRtf).find("SCENE A\\par"), std::string::npos);
  }
}

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) break;
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::vector<std::string> Pages(const std::string& text) {
  std::vector<std::string> pages(1);
  for (char c : text) {
    if (c == '\f') pages.emplace_back();
    else pages.back() += c;
  }
  return pages;
}

TEST_F(ExportScriptTest, FormattedAsciiSmallScriptInItsColumns) {
  ScriptWindow w;
  AddElements(*w, {{ekSceneHeading, "INT. HOUSE - DAY"},
                   {ekAction, "She waits."},
                   {ekCharacterName, "JOHN"},
                   {ekParenthetical, "quietly"},
                   {ekDialogue, "Hello \x02there\x03."},
                   {ekTransition, "CUT TO:"}});
  LayOut(*w);
  const TFormatSet& f = w->FormatSet;
  const auto at = [](int margin, const std::string& text) {
    return std::string(static_cast<std::size_t>(margin - 5), ' ') + text;
  };
  std::vector<std::string> expected{at(f[fsSceneHeading].LeftMargin, "INT. HOUSE - DAY")};
  const auto blanks = [&](int slot) {
    for (int i = 0; i < f[static_cast<std::size_t>(slot)].LinesBefore / 10; ++i) expected.emplace_back();
  };
  blanks(fsAction);
  expected.push_back(at(f[fsAction].LeftMargin, "She waits."));
  blanks(fsCharacterName);
  expected.push_back(at(f[fsCharacterName].LeftMargin, "JOHN"));
  blanks(fsParenthetical);
  expected.push_back(at(f[fsParenthetical].LeftMargin, "(quietly)"));
  blanks(fsDialogue);
  expected.push_back(at(f[fsDialogue].LeftMargin, "Hello there."));
  blanks(fsTransition);
  const int right = 80 - f[fsTransition].RightMargin;
  expected.push_back(std::string(static_cast<std::size_t>(right - 7), ' ') + "CUT TO:");
  EXPECT_EQ(LinesOf(ExportBytes(*w, ekExportFormattedAscii)), expected);
}

std::string LongSpeech() {
  std::string text;
  for (int i = 0; i < 80; ++i) text += "Word after word the speech goes on. ";
  return text;
}

TEST_F(ExportScriptTest, FormattedAsciiPagesFollowThePagination) {
  ScriptWindow w;
  // A long speech half way down a page: the page cuts it.
  std::vector<ElementSpec> script = GenerateScreenplay(11, 12);
  script.insert(script.begin() + 30, {{ekCharacterName, "ANNA"}, {ekDialogue, LongSpeech()}});
  AddElements(*w, script);
  LayOut(*w);
  std::vector<const TScriptElement*> breaks;
  for (const TScriptElement* e = w->FirstElement; e; e = e->next)
    if (IsPageBreakKind(e->Kind())) breaks.push_back(e);
  ASSERT_GT(breaks.size(), 8u);
  const std::string text = ExportBytes(*w, ekExportFormattedAscii);
  if (std::getenv("QM_SHOW_EXPORT")) std::fputs(text.c_str(), stderr);
  const auto pages = Pages(text);
  ASSERT_EQ(pages.size(), breaks.size() + 1);
  int splitSpeeches = 0;
  for (std::size_t i = 0; i < breaks.size(); ++i) {
    const auto lines = LinesOf(pages[i + 1]);
    ASSERT_GE(lines.size(), 3u);
    // The number of the page, flush with the Action's right margin.
    const std::string number = std::to_string(breaks[i]->group->number) + ".";
    EXPECT_EQ(
        lines[0],
        std::string(static_cast<std::size_t>(80 - w->FormatSet[fsAction].RightMargin) - number.size(), ' ') + number);
    EXPECT_EQ(lines[1], "");
    // A speech cut by the page: (MORE) ends the page, the name comes back.
    const auto before = LinesOf(pages[i]);
    const bool more = !before.empty() && before.back().ends_with("(" + w->MoreText + ")");
    if (more) {
      ++splitSpeeches;
      EXPECT_NE(lines[2].find("(" + w->LayoutOptions.CharacterMoreContinued + ")"), std::string::npos) << lines[2];
    }
    for (const auto& line : lines) EXPECT_LE(line.size(), 80u) << line;
  }
  EXPECT_GT(splitSpeeches, 0) << "the generated script has speeches cut by a page";
  // Every word of the script is on a page, in order.
  std::string all;
  for (const TScriptElement* e = w->FirstElement; e; e = e->next)
    if (!IsPageBreakKind(e->Kind()) && e->Kind() != ekCharacterName) all += ElementText(*e) + " ";
  std::istringstream words(all);
  std::string word;
  std::size_t from = 0;
  while (words >> word) {
    const std::size_t found = text.find(word, from);
    ASSERT_NE(found, std::string::npos) << word;
    from = found;
  }
}

// A speech broken across the first page: the page ends with the MORE line
// in the cue's column and the next one opens, after its number, with the
// speaker's name and its CONT'D mark, as the printed page shows them.
TEST_F(ExportScriptTest, FormattedAsciiSpeechBrokenAcrossAPage) {
  struct Case {
    const char* name;
    int actionsBefore;
  };
  for (const Case c :
       {Case{"the page breaks early in the speech", 14}, Case{"the page breaks late in the speech", 13}}) {
    SCOPED_TRACE(c.name);
    ScriptWindow w;
    std::vector<ElementSpec> script{{ekSceneHeading, "INT. HOUSE - DAY"}};
    for (int i = 0; i < c.actionsBefore; ++i)
      script.push_back({ekAction, "The rain runs down the window and the kettle sings on the stove for a while."});
    script.push_back({ekCharacterName, "ANNA"});
    std::string speech;
    for (int i = 0; i < 16; ++i) speech += "Word after word the speech goes on. ";
    script.push_back({ekDialogue, speech});
    script.push_back({ekAction, "The kettle stops."});
    AddElements(*w, script);
    LayOut(*w);
    const std::string text = ExportBytes(*w, ekExportFormattedAscii);
    const auto pages = Pages(text);
    ASSERT_GE(pages.size(), 2u);
    const auto first = LinesOf(pages[0]);
    const auto second = LinesOf(pages[1]);
    const TFormatSet& f = w->FormatSet;
    const std::string cueColumn(static_cast<std::size_t>(f[fsCharacterName].LeftMargin - 5), ' ');
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first.back(), cueColumn + "(" + w->MoreText + ")") << pages[0];
    const std::string again = cueColumn + "ANNA (" + w->LayoutOptions.CharacterMoreContinued + ")";
    EXPECT_NE(std::find(second.begin(), second.end(), again), second.end()) << pages[1];
  }
}

// The tagged text and the styled RTF of a bare document (no window, no
// form) read back with the type and text of every element that prints,
// and a cue's extension as its own code.
TEST(ExportOfDocument, TaggedTextAndRtfReadBackByTypeAndText) {
  struct Case {
    const char* what;
    std::vector<DocumentRow> rows;
    Byte cueSplit;  // the cues' extension code
    std::vector<ElementSpec> read;
    int extensionKind;  // of every cue read back
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"a scene with a speech",
       {{ekSceneHeading, "INT. HOUSE - DAY"}, {ekAction, "She waits."}, {ekCharacterName, "JOHN"},
        {ekParenthetical, "quietly"}, {ekDialogue, "Hello."}, {ekTransition, "CUT TO:"}},
       spWhole,
       {{ekSceneHeading, "INT. HOUSE - DAY"}, {ekAction, "She waits."}, {ekCharacterName, "JOHN"},
        {ekParenthetical, "quietly"}, {ekDialogue, "Hello."}, {ekTransition, "CUT TO:"}},
       0},
      {"hidden elements stay out",
       {{ekAction, "Seen."}, {ekAction, "Gone.", esHidden}, {ekAction, "Shown hidden.", esShownHidden},
        {ekAction, "Seen too."}},
       spWhole, {{ekAction, "Seen."}, {ekAction, "Seen too."}}, 0},
      {"a voice-over cue", {{ekAction, "She turns."}, {ekCharacterName, "JOHN"}, {ekDialogue, "Over here."}},
       3,  // extension entry 2, "V.O."
       {{ekAction, "She turns."}, {ekCharacterName, "JOHN"}, {ekDialogue, "Over here."}}, 2},
  };
  // clang-format on
  const auto answers = TaggedAnswers();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto document = BuildDocument(c.rows);
    for (TScriptElement* e = document->FirstElement; e; e = e->next)
      if (e->Kind() == ekCharacterName) e->split = c.cueSplit;
    TStyleTable table;
    const TTaggedTextResult tagged =
        ReadTaggedText(ScriptAsTaggedText(*document), table, StandardFormatSet(),
                       [&](const std::string& q) -> std::optional<int> { return answers.at(q); });
    EXPECT_TRUE(tagged.isTagged);
    EXPECT_EQ(Specs(tagged.elements), c.read);
    const std::string rtf = ScriptAsRtf(*document);
    EXPECT_TRUE(BracesBalance(rtf));
    const auto fromRtf = ImportRtf(rtf, QuietContext(), DefaultPasteChoices(rtf, false));
    EXPECT_EQ(Specs(fromRtf), c.read);
    for (const auto* read : {&tagged.elements, &fromRtf}) {
      for (const TImportedElement& e : *read) {
        if (e.kind == ekCharacterName) {
          EXPECT_EQ(e.extensionKind, c.extensionKind) << e.text;
        }
      }
    }
  }
}

}  // namespace
}  // namespace qm::testing
