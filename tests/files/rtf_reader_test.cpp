#include "files/rtf_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qm {
namespace {

struct CleanCase {
  const char* name;
  std::string rtf;
  std::string text;
  TRtfCleaning options{};
};
void PrintTo(const CleanCase& c, std::ostream* out) { *out << c.name; }

class RtfCleaning : public ::testing::TestWithParam<CleanCase> {};

TEST_P(RtfCleaning, GivesTheLines) {
  const CleanCase& c = GetParam();
  EXPECT_EQ(CleanRtfCodes(c.rtf, c.options).text, c.text);
}

TRtfCleaning Styled(int count) {
  TRtfCleaning options;
  options.useStyleSheets = true;
  options.styleCount = count;
  return options;
}

// clang-format off
const CleanCase kCleanCases[] = {
    {"ParagraphsEndLines", "{\\rtf1 Hello\\par World}", "Hello\rWorld"},
    {"DroppedGroups",
     "{\\rtf1{\\header Page}{\\footer F}{\\*\\generator X;}{\\info{\\title T}{\\author A}}{\\pict 0a0b}Body\\par}",
     "Body\r"},
    {"FontAndColourTablesLeaveNothing",
     "{\\rtf1{\\fonttbl{\\f0\\froman Times New Roman;}}{\\colortbl;\\red0\\green0\\blue0;}Text\\par}", "Text\r"},
    {"LineEndsInTheSourceEatNothing", "{\\rtf1 \\b\nBold\\b0\r\n text\\par\n\\i it\\i0\\par}",
     "\x02" "Bold\x03 text\r\x19it\x1A\r"},
    {"OffFormsCloseAndLookalikesAreNoStyles", "{\\rtf1 \\b B\\b0 \\ul U\\ulnone \\uc1\\intbl\\box N\\par}",
     "\x02" "B\x03\x15U\x16N\r"},
    {"StrikeAndItalic", "{\\rtf1 \\strike S\\strike0 \\i I\\par}", "\x0ES\x0F\x19I\x1A\r"},
    {"GroupEndClosesItsStyles", "{\\rtf1 {\\b bold} plain\\par}", "\x02" "bold\x03 plain\r"},
    {"PlainClosesEverything", "{\\rtf1 \\b\\i x\\plain y\\par}", "\x02\x19x\x03\x1Ay\r"},
    {"EveryHexEscapeIsItsByte", "{\\rtf1 caf\\'e9 \\'9a\\'92\\'93\\'94\\'85\\par}", "caf\xE9 \x9A'\"\"\x85\r"},
    {"UnicodeTakesTheCodePageByte", "{\\rtf1 \\u8212?\\u233\\'e9\\par}", "\x97\xE9\r"},
    {"UnicodeOutsideTakesTheFallback", "{\\rtf1 \\u12354?\\uc2\\u937 XY\\par}", "?XY\r"},
    {"NegativeUnicode", "{\\rtf1 \\u-3913?\\par}", "?\r"},
    {"TabsAndPages", "{\\rtf1 A\\tab B\\page C\\par}", "A\rB\x0C" "C\r"},
    {"SpecialSymbols", "{\\rtf1 a\\-b\\_c\\~d\\:e\\emdash\\lquote\\rquote\\{\\}\\\\\\par}",
     "a~b\x05" "c\x04" "d:e\x97\x91\x92{}\\\r"},
    {"CapitalsUpTheText", "{\\rtf1 {\\scaps small caps} after\\par}", "SMALL CAPS after\r"},
    {"PageNumberFieldGoes", "{\\rtf1 {\\header \\chpgn .}A\\par}", "A\r"},
    {"StyleMarkBeforeTheText", "{\\rtf1 \\pard\\plain \\s2\\ql Text\\par\\pard\\s9 Other\\par}",
     "\\s2 Text\r" "Other\r", Styled(2)},
    {"NoStyleMarkWithoutStyleSheets", "{\\rtf1 \\pard\\s2 Text\\par}", "Text\r"},
    {"OneIndentMarksIt", "{\\rtf1 \\pard\\li720 A\\par\\pard\\li720 B\\par\\pard C\\par}", "|A\r|B\rC\r"},
    {"IgnoredMarginsMarkNothing", "{\\rtf1 \\pard\\li720 A\\par}", "A\r", {0, false, true}},
    {"BinaryDataIsSkipped", "{\\rtf1 A\\bin3 xyzB\\par}", "AB\r"},
    {"UnclosedGroupEndsTheText", "{\\rtf1 A\\par{\\header B", "A\r"},
};
// clang-format on
INSTANTIATE_TEST_SUITE_P(Steps, RtfCleaning, ::testing::ValuesIn(kCleanCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RtfIndentation, SecondIndentIsSaid) {
  const TRtfCleaned cleaned = CleanRtfCodes("{\\rtf1 \\pard\\li720 A\\par\\pard\\li1440 B\\par}", {});
  EXPECT_EQ(cleaned.text, "|A\rB\r");
  EXPECT_EQ(cleaned.minimumIndent, 720);
  EXPECT_TRUE(cleaned.indentVaries);
}

// The paste reads RTF in blocks of at most 2,316 bytes, each cut back
// after its last paragraph that ends a sentence and a group. These blocks
// are laid out so that the cut falls where each ends: every one opens with
// a paragraph longer than what the block before leaves of its 2,316 bytes.
std::string Paragraph(const std::string& properties, const std::string& text) {
  return "{\\pard" + properties + " " + text + "\\par}\n";
}
std::string Block(int number, const std::string& paragraphs) {
  std::string opening = "Block " + std::to_string(number) + ".";
  while (opening.size() < 420) opening += " The rain keeps falling.";
  std::string block = Paragraph("", opening) + paragraphs;
  while (block.size() < 1950) block += Paragraph("", "Wind in the trees.");
  return block;
}
std::string Blocks(const std::vector<std::string>& blocks) {
  std::string rtf = "{\\rtf1\\ansi ";
  for (std::size_t i = 0; i < blocks.size(); ++i) rtf += Block(static_cast<int>(i) + 1, blocks[i]);
  return rtf + "}";
}

TEST(RtfIndentation, OneIndentCountsInTheFirstBlockAndTwoKeepItCounting) {
  const auto cue = [](const std::string& name, int indent) {
    return Paragraph("\\li" + std::to_string(indent), name) + Paragraph("", "Hello there.");
  };
  const struct {
    const char* what;
    std::vector<std::string> blocks;
    TRtfCleaning options;
    std::vector<std::string> marked;  // the cues marked "|"
    int ignoredFromBlock;             // 0: the indent counts to the end
  } cases[] = {
      {"one indent", {cue("ANN", 720), cue("BOB", 720), cue("CAL", 720)}, {}, {"ANN"}, 2},
      {"two indents in every block",
       {cue("ANN", 720) + cue("X", 1440), cue("BOB", 720) + cue("Y", 1440), cue("CAL", 720)},
       {},
       {"ANN", "BOB", "CAL"},
       0},
      {"two indents in the first block only",
       {cue("ANN", 720) + cue("X", 1440), cue("BOB", 720), cue("CAL", 720)},
       {},
       {"ANN", "BOB"},
       3},
      {"a smaller indent after the first block is no measure",
       {cue("ANN", 720), cue("BOB", 360) + cue("CAL", 720)},
       {},
       {"ANN"},
       2},
      {"margins ignored from the start", {cue("ANN", 720), cue("BOB", 720)}, {0, false, true}, {}, 0},
      {"style sheets read no indent", {cue("ANN", 720) + cue("X", 1440), cue("BOB", 720)}, Styled(0), {}, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string rtf = Blocks(c.blocks);
    const TRtfCleaned cleaned = CleanRtfCodes(rtf, c.options);
    std::vector<std::string> marked;
    for (const char* name : {"ANN", "BOB", "CAL", "X", "Y"})
      if (cleaned.text.find(std::string("\r|") + name + "\r") != std::string::npos) marked.push_back(name);
    EXPECT_EQ(marked, c.marked);
    if (c.ignoredFromBlock == 0) {
      EXPECT_EQ(cleaned.marginsIgnoredFrom, std::string::npos);
      continue;
    }
    if (cleaned.marginsIgnoredFrom >= cleaned.text.size()) {
      ADD_FAILURE() << "the indent counted to the end";
      continue;
    }
    EXPECT_TRUE(cleaned.text.substr(cleaned.marginsIgnoredFrom)
                    .starts_with("Block " + std::to_string(c.ignoredFromBlock) + ". The rain"))
        << cleaned.text.substr(cleaned.marginsIgnoredFrom, 40);
  }
}

TEST(RtfBlocks, AreCutAfterTheLastSafeParagraphEnd) {
  const std::string pad(RtfBlockBytes, 'x');
  const struct {
    const char* what;
    std::string rtf;
    std::size_t end;
  } cases[] = {
      {"all of a short document", "{\\rtf1 A.\\par}", 14},
      {"after the group a sentence's paragraph end closes", "{\\rtf1 {A.\\par}{B\\par}{C.\\par\r\n}" + pad, 32},
      {"after a paragraph end and the group that follows", "{\\rtf1 A\\par B\\par }x{" + pad, 20},
      {"at a paragraph end that no group follows", "{\\rtf1 A\\par\r\nB" + pad, 8},
      {"at the style sheet with no paragraph before it", "{\\rtf1{\\fonttbl x}{\\stylesheet" + pad, 18},
      {"uncut without a safe place", "{\\rtf1 " + pad, RtfBlockBytes},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(RtfBlockEnd(c.rtf, 0), c.end);
  }
  // A block from the middle of the data is cut the same way, at or before
  // its last byte; the end of the data ends the last block.
  const std::string two = pad + "A.\\par}" + pad;
  EXPECT_EQ(RtfBlockEnd(two, 100), RtfBlockBytes + 7);
  EXPECT_EQ(RtfBlockEnd(two, two.size() - 10), two.size());
}

TEST(RtfStyleSheet, NamesStylesUpToTheFirstGap) {
  const std::string rtf =
      "{\\rtf1{\\stylesheet{\\f0 Normal;}{\\s1\\sbasedon0 SCENE HEADING;}{\\s2\\ql \\li0\\sbasedon0 \\snext2 "
      "Slug line;}{\\s4\\sbasedon0 TRANSITION;}}\\pard\\s1 X\\par}";
  EXPECT_EQ(ReadRtfStyleSheet(rtf), (std::vector<std::string>{"SCENEHEADING", "SLUGLINE"}));
  EXPECT_TRUE(ReadRtfStyleSheet("{\\rtf1 plain\\par}").empty());
}

TEST(RtfStyleSheet, StylesInTheBodyAreNotDefinitions) {
  const std::string rtf = "{\\rtf1{\\stylesheet{\\f0 Normal;}}{\\s1\\sbasedon0 ACTION;}}";
  EXPECT_TRUE(ReadRtfStyleSheet(rtf).empty());
}

// What a word processor writes: tables, a style sheet with its own names,
// runs reset with \pard\plain, styles switched off, accents and Unicode.
const std::string kWordProcessorRtf =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1033\n"
    "{\\fonttbl{\\f0\\fmodern\\fprq1\\fcharset0 Courier New;}{\\f1\\fswiss\\fcharset0 Arial;}}\n"
    "{\\colortbl ;\\red0\\green0\\blue0;}\n"
    "{\\*\\generator Riched20 10.0.19041}\n"
    "{\\stylesheet{\\ql \\li0\\ri0\\widctlpar\\f0\\fs24 \\snext0 Normal;}\n"
    "{\\s1\\ql \\li0\\ri0\\keepn\\widctlpar\\caps\\f0\\fs24 \\sbasedon0 \\snext2 Slug;}\n"
    "{\\s2\\ql \\li0\\ri0\\widctlpar\\f0\\fs24 \\sbasedon0 \\snext3 Action;}\n"
    "{\\s3\\ql \\li3600\\ri0\\keepn\\widctlpar\\caps\\f0\\fs24 \\sbasedon0 \\snext4 Character;}\n"
    "{\\s4\\ql \\li2520\\ri2160\\widctlpar\\f0\\fs24 \\sbasedon0 \\snext3 Speach;}\n"
    "{\\s5\\ql \\li3240\\ri2880\\widctlpar\\f0\\fs24 \\sbasedon0 \\snext4 Parenthetical;}\n"
    "{\\s6\\qr \\li0\\ri0\\widctlpar\\caps\\f0\\fs24 \\sbasedon0 \\snext1 Transition;}}\n"
    "{\\info{\\title The Visit}{\\author Jane Writer}{\\operator Jane}}\n"
    "\\paperw12240\\paperh15840\\margl2160\\margr1440\n"
    "{\\header \\pard\\plain \\qr\\f0\\fs24 \\chpgn .\\par}\n"
    "\\pard\\plain \\s1\\ql\\li0\\keepn\\caps\\f0\\fs24 int. caf\\'e9 - day\\par\n"
    "\\pard\\plain \\s2\\ql\\li0\\f0\\fs24 Anna sits by the window. She is {\\b very} still.\\par\n"
    "\\pard\\plain \\s3\\ql\\li3600\\caps\\f0\\fs24 anna\\par\n"
    "\\pard\\plain \\s5\\ql\\li3240\\f0\\fs24 (quietly)\\par\n"
    "\\pard\\plain \\s4\\ql\\li2520\\f0\\fs24 I ordered the \\ul cr\\u232\\'e8me br\\'fbl\\'e9e\\ulnone , not "
    "this\\u8230?\\par\n"
    "\\pard\\plain \\s6\\qr\\caps\\f0\\fs24 cut to:\\par\n"
    "}";

std::vector<std::pair<int, std::string>> KindsAndTexts(const TImportedElements& elements) {
  std::vector<std::pair<int, std::string>> result;
  for (const auto& e : elements) result.emplace_back(e.kind, e.text);
  return result;
}

const std::vector<std::pair<int, std::string>> kWordProcessorElements{
    {ekSceneHeading, "INT. CAF\xC9 - DAY"},
    {ekAction, "Anna sits by the window. She is \x02very\x03 still."},
    {ekCharacterName, "ANNA"},
    {ekParenthetical, "quietly"},
    {ekDialogue, "I ordered the \x15"
                 "cr\xE8me br\xFBl\xE9"
                 "e\x16, not this\x85"},
    {ekTransition, "CUT TO:"},
};

TClassifierContext QuietContext() {
  TClassifierContext context;
  context.Ask = [](const std::string&) { return false; };
  context.IdentifyStyle = [](const std::string&) { return std::string("@"); };
  context.SentenceSpacing = "  ";
  return context;
}

TEST(RtfFromAWordProcessor, ClassifiesByItsStyles) {
  TPasteChoices choices;
  choices.UseStyleSheets = true;
  EXPECT_EQ(KindsAndTexts(ImportRtf(kWordProcessorRtf, QuietContext(), choices)), kWordProcessorElements);
}

TEST(RtfFromAWordProcessor, ClassifiesByItsShapeWithoutStyles) {
  EXPECT_EQ(KindsAndTexts(ImportRtf(kWordProcessorRtf, QuietContext(), {})), kWordProcessorElements);
}

TEST(RtfUnknownStyles, AreAskedOnceEach) {
  const std::string rtf =
      "{\\rtf1{\\stylesheet{\\f0 Normal;}{\\s1\\sbasedon0 Heading Thing;}{\\s2\\sbasedon0 Body Thing;}}"
      "\\pard\\s1 int. house - day\\par\\pard\\s2 She waits.\\par\\pard\\s1 ext. road - night\\par}";
  std::vector<std::string> asked;
  TClassifierContext context = QuietContext();
  context.IdentifyStyle = [&asked](const std::string& name) {
    asked.push_back(name);
    return name == "HEADINGTHING" ? std::string("SCENEHEADING") : std::string("@");
  };
  TPasteChoices choices;
  choices.UseStyleSheets = true;
  const auto elements = ImportRtf(rtf, context, choices);
  EXPECT_EQ(asked, (std::vector<std::string>{"HEADINGTHING", "BODYTHING"}));
  EXPECT_EQ(KindsAndTexts(elements), (std::vector<std::pair<int, std::string>>{{ekSceneHeading, "int. house - day"},
                                                                               {ekAction, "She waits."},
                                                                               {ekSceneHeading, "ext. road - night"}}));
}

TEST(RtfStyledSpeech, SecondDialogueGetsABlankLineBefore) {
  const std::string rtf = "{\\rtf1{\\stylesheet{\\s1\\sbasedon0 CHARACTER NAME;}{\\s2\\sbasedon0 DIALOG;}}"
                          "\\pard\\s1 ANNA (V.O.)\\par\\pard\\s2 One.\\par\\pard\\s2 Two.\\par}";
  TPasteChoices choices;
  choices.UseStyleSheets = true;
  const auto elements = ImportRtf(rtf, QuietContext(), choices);
  ASSERT_EQ(KindsAndTexts(elements), (std::vector<std::pair<int, std::string>>{
                                         {ekCharacterName, "ANNA"}, {ekDialogue, "One."}, {ekDialogue, "Two."}}));
  EXPECT_EQ(elements[0].extensionKind, 2);
  EXPECT_FALSE(elements[1].linesBefore.has_value());
  EXPECT_EQ(elements[2].linesBefore, std::optional<Byte>(10));
}

}  // namespace
}  // namespace qm
