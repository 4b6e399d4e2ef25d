// Pasting: a whole script copied into an empty one comes back element for
// element, a cut block pasted back restores the script, and the splice
// rules at the caret (merging, the speaker's cue, column 0, fonts,
// revision marks, plain text, damaged blocks).
#include <gtest/gtest.h>

#include "script/model/string_utils.h"
#include "support/message_box_answers.h"

#include <cstdlib>
#include <fstream>

#include "base/prompt_table.h"
#include "files/clipboard_fixture.h"
#include "files/clipboard_paste.h"
#include "files/native_paste.h"
#include "files/progress_dialog.h"
#include "files/rtf_reader.h"
#include "script/model/packed_text.h"
#include "script/model/text_codes.h"
#include "support/script_generator.h"
#include "script/editing/editor_calls.h"

namespace qm::testing {
namespace {

// Every element kind in screenplay order, with inline codes, revised
// lines, A/V columns, states, locked numbers and storyboard links.
void FillEveryKind(TMDIChild& w) {
  struct Spec {
    Byte kind;
    std::string text;
  };
  const Spec specs[] = {
      {ekActStart, "ACT ONE"},
      {ekPrologueText, "Long ago."},
      {ekSceneHeading, "INT. LOCKED ROOM - DAY"},
      {ekAction, EveryCodeText()},
      {ekShot, "CLOSE ON THE DOOR"},
      {ekCharacterName, "JOHN (V.O.)"},
      {ekParenthetical, "beat"},
      {ekDialogue, "Words with " + std::string(1, '\x02') + "bold" + std::string(1, '\x03') + " in them."},
      {ekTransition, "CUT TO:"},
      {ekForcedPageBreak, " "},
      {ekASceneHeading, "INT. HALL - NIGHT"},
      {ekCenteredTitle, "THE END OF IT"},
      {ekActInformation, "ACT TWO"},
      {ekSceneInformation, "Scene info"},
      {ekLockedSceneInformation, "Locked info"},
      {ekDashASceneHeading, "-EXT. GARDEN"},
      {ekScriptNote, "A note to self."},
      {ekLockedPageBreak, " "},
      {ekAction, EveryByteText()},
      {ekMultiLockedPageBreak, " "},
      {ekEndOfActText, "END OF ACT"},
      {ekFixedAPageBreak, " "},
      {ekAction, WordsText(900, 3)},
  };
  int i = 0;
  for (const Spec& s : specs) {
    TScriptElement* e = AppendElement(w, s.kind, s.text);
    e->avColumn = static_cast<Byte>(i % 3);
    e->storyboardLink = static_cast<Word>(i % 4);
    e->state = static_cast<Byte>(i % 3);
    if (i % 3 == 1) e->revisedLines = std::string("\x01\x02", 2);
    if (IsSceneHeading(s.kind)) e->format.NumberWord = number_word::Make(40 + i, true, 'A');
    ++i;
  }
}

// QM_WRITE_CLIPBOARD_CORPUS=<folder> keeps the blocks the tests copy, as
// seeds for the fuzz target of the clipboard reader.
void KeepForCorpus(const std::string& name) {
  const char* folder = std::getenv("QM_WRITE_CLIPBOARD_CORPUS");
  auto data = Clipboard()->GetData(RegisterClipboardFormat(NativeClipboardFormatName));
  if (folder && *folder && data)
    std::ofstream(std::string(folder) + "/" + name, std::ios::binary)
        .write(reinterpret_cast<const char*>(data->data()), static_cast<std::streamsize>(data->size()));
}

class ClipboardPasteTest : public ClipboardFixture {
 protected:
  static void Paste() { ProgressDlg().PasteFromClipBoard(); }
  static void Copy() { ProgressDlg().CopyToClipBoard(true, false); }
  static void Cut() { ProgressDlg().CopyToClipBoard(true, true); }
  static TScriptElement* Nth(TMDIChild& w, int n) {
    TScriptElement* e = w.FirstElement;
    for (int i = 0; i < n && e; ++i) e = e->next;
    return e;
  }
  static void PutCaret(TMDIChild& w, TScriptElement* e, int column) {
    w.Assemble();
    editor::SetCurrentElement(w, e);
    w.CurrentGroup = e->group;
    w.DisAssemble();
    editor::SetCaretColumn(w, column);
  }
};

TEST_F(ClipboardPasteTest, WholeScriptPastedIntoAnEmptyScriptIsTheSameByteForByte) {
  ScriptWindow source;
  FillEveryKind(*source);
  LayOut(*source);
  const auto expected = DescribeAll(*source);
  SelectAll(*source);
  Copy();
  KeepForCorpus("every_kind");

  ScriptWindow target;
  AppendElement(*target, ekAction, "");
  target.Activate();
  LayOut(*target);
  Paste();
  EXPECT_TRUE(target->DocumentModified);
  LayOut(*target);
  EXPECT_EQ(FirstDifference(DescribeAll(*target), expected), "");
}

struct CutCase {
  const char* name;
  int first, from, last, to;  // element numbers (from 0) and columns (-1 the end)
  bool sameKindAsFirst;       // the last element is the next of the first one's kind from `last` on
};

TEST_F(ClipboardPasteTest, BlockCutFromTheMiddleAndPastedBackRestoresTheScript) {
  const CutCase cases[] = {
      {"whole_elements", 10, 0, 30, -1, false},         {"one_page_of_elements", 20, 0, 40, -1, false},
      {"inside_one_element", 12, 6, 12, 20, false},     {"from_inside_to_inside", 11, 4, 25, 8, true},
      {"from_inside_to_the_end", 13, 5, 16, -1, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptWindow w;
    AddElements(*w, GenerateScreenplay(1818, 4));
    LayOut(*w);
    const auto before = DescribeAll(*w);
    LayOut(*w);
    TScriptElement* first = Nth(*w, c.first);
    while (first->Kind() != ekAction) first = first->next;
    TScriptElement* last = c.first == c.last ? first : Nth(*w, c.last);
    while (c.sameKindAsFirst && last->Kind() != first->Kind()) last = last->next;
    // A block begins after a blank, as a selection by words does.
    int from = c.from;
    if (from > 0) {
      const std::string text = TextOf(*w, *first);
      const auto blank = text.find(' ', static_cast<std::size_t>(from));
      from = blank == std::string::npos ? 0 : static_cast<int>(blank) + 1;
    }
    MarkBlock(*w, first, from, last, c.to);
    Cut();
    KeepForCorpus(c.name);
    EXPECT_NE(DescribeAll(*w), before);
    Paste();
    // Elements the page breaker makes are made again by the next layout.
    LayOut(*w);
    EXPECT_EQ(FirstDifference(DescribeAll(*w), before), "");
  }
}

TEST_F(ClipboardPasteTest, DialogueWithoutItsCueGetsTheSpeakerOrAQuestionMark) {
  for (const bool fromSpeech : {true, false}) {
    SCOPED_TRACE(fromSpeech);
    ScriptWindow w;
    AppendElement(*w, ekAction, "Action first.");
    AppendElement(*w, ekCharacterName, "BOB");
    TScriptElement* line = AppendElement(*w, ekDialogue, "Hi there.");
    LayOut(*w);
    MarkBlock(*w, line, 0, line, -1);
    Copy();
    if (!fromSpeech) CopiedSpeakerName.clear();
    PutCaret(*w, w->FirstElement, 13);
    Paste();
    const auto elements = ElementsOf(*w);
    ASSERT_EQ(elements.size(), 5u);
    EXPECT_EQ(elements[1], (ElementSpec{ekCharacterName, fromSpeech ? "BOB" : "?"}));
    EXPECT_EQ(elements[2], (ElementSpec{ekDialogue, "Hi there."}));
  }
}

// A block that ends inside a name before its extension copies the blank
// there; pasted, the name is kept as storing a typed one keeps it, so the
// caret passing through it later changes nothing.
TEST_F(ClipboardPasteTest, ANameCutBeforeItsExtensionIsPastedAsStoringKeepsIt) {
  ScriptWindow w;
  TScriptElement* before = AppendElement(*w, ekAction, "He waits.");
  TScriptElement* name = AppendElement(*w, ekCharacterName, "THE KID (CONT'D)");
  AppendElement(*w, ekDialogue, "Hi there.");
  TScriptElement* target = AppendElement(*w, ekAction, "Target.");
  LayOut(*w);
  MarkBlock(*w, before, 0, name, 8);
  Cut();
  PutCaret(*w, target, 7);
  Paste();
  const auto elements = ElementsOf(*w);
  ASSERT_EQ(elements.size(), 4u);
  EXPECT_EQ(elements[2], (ElementSpec{ekAction, "Target.  He waits."}));
  EXPECT_EQ(elements[3], (ElementSpec{ekCharacterName, "THE KID"}));
}

// A reading that brings no element says so under its caption and leaves
// the script as it was.
TEST_F(ClipboardPasteTest, AReadingWithNoElementsSaysTheClipboardIsEmpty) {
  BuildPromptTable(true);
  ASSERT_FALSE(PromptTable(26).empty());
  ScriptWindow w;
  AppendElement(*w, ekAction, "Kept.");
  LayOut(*w);
  testing::AnswerMessageBox(Driver(), "Error: ClipBoard is Empty!", mrOk, PromptTable(26));
  EXPECT_FALSE(PasteImportedElements(*w, {}));
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(testing::ElementsOf(*w), (std::vector<testing::ElementSpec>{{ekAction, "Kept."}}));
}

TEST_F(ClipboardPasteTest, OneRecordGoesIntoTheElementAtTheCaret) {
  struct Case {
    const char* name;
    int column;
    std::string result;
  } cases[] = {
      {"inside", 4, "The quick red fox."},
      {"after_a_sentence_end", 10, "The fox.  quick "},
      {"after_a_word", 7, "The fox quick "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptWindow w;
    TScriptElement* source = AppendElement(*w, ekAction, "quick ");
    TScriptElement* target =
        AppendElement(*w, ekAction, c.column == 7 ? "The fox" : (c.column == 4 ? "The red fox." : "The fox."));
    LayOut(*w);
    MarkBlock(*w, source, 0, source, -1);
    Copy();
    PutCaret(*w, target, c.column);
    Paste();
    const auto elements = ElementsOf(*w);
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_EQ(elements[1].text, c.result);
  }
}

TEST_F(ClipboardPasteTest, AtColumnZeroThePasteGoesAfterTheElementBefore) {
  for (const bool afterForcedBreak : {false, true}) {
    SCOPED_TRACE(afterForcedBreak);
    ScriptWindow w;
    TScriptElement* source = AppendElement(*w, ekAction, "Pasted.");
    AppendElement(*w, afterForcedBreak ? ekForcedPageBreak : ekAction, afterForcedBreak ? " " : "Before.");
    TScriptElement* target = AppendElement(*w, ekAction, "Target.");
    LayOut(*w);
    MarkBlock(*w, source, 0, source, -1);
    Copy();
    PutCaret(*w, target, 0);
    Paste();
    const auto elements = ElementsOf(*w);
    ASSERT_EQ(elements.size(), 4u);
    EXPECT_EQ(elements[2].text, "Pasted.");
    EXPECT_EQ(elements[3].text, "Target.");
  }
}

// A run that ends with a name, pasted where a speech goes on after the
// caret: the name that stood there gives way, and the pasted one heads the
// speech.
TEST_F(ClipboardPasteTest, ARunEndingWithANameTakesThePlaceOfTheNameAfterThePastePoint) {
  const struct {
    const char* what;
    int element, column;
    std::vector<ElementSpec> after;
  } cases[] = {
      {"at the start of a name",
       1,
       0,
       {{ekAction, "They sit."},
        {ekAction, "Spoon rattles."},
        {ekCharacterName, "MARY"},
        {ekDialogue, "I am not hungry tonight."},
        {ekAction, "He leaves."}}},
      {"inside a dialogue",
       2,
       9,
       {{ekAction, "They sit."},
        {ekCharacterName, "BOBBY"},
        {ekDialogue, "I am not"},
        {ekAction, "Spoon rattles."},
        {ekCharacterName, "MARY"},
        {ekDialogue, "hungry tonight."},
        {ekAction, "He leaves."}}},
      {"at the end of a name",
       1,
       5,
       {{ekAction, "They sit."},
        {ekCharacterName, "BOBBY"},
        {ekAction, "Spoon rattles."},
        {ekCharacterName, "MARY"},
        {ekDialogue, "I am not hungry tonight."},
        {ekAction, "He leaves."}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptWindow w;
    AppendElement(*w, ekAction, "They sit.");
    AppendElement(*w, ekCharacterName, "BOBBY");
    AppendElement(*w, ekDialogue, "I am not hungry tonight.");
    AppendElement(*w, ekAction, "He leaves.");
    LayOut(*w);
    std::vector<Byte> data;
    for (const auto& [kind, text] : {std::pair{ekAction, "Spoon rattles."}, std::pair{ekCharacterName, "MARY"}}) {
      TClipRecord r;
      r.format = w->FormatSet[kind == ekAction ? fsAction : fsCharacterName];
      r.text = kind == ekAction ? PackText(text) : std::string(text);
      r.fontName = w->FontNameTable[r.format.FontIndex()];
      AppendClipRecord(data, r);
    }
    AppendClipEndRecord(data);
    CopiedSpeakerName.clear();
    Clipboard()->SetData(RegisterClipboardFormat(NativeClipboardFormatName), data);
    PutCaret(*w, Nth(*w, c.element), c.column);
    Paste();
    EXPECT_EQ(ElementsOf(*w), c.after);
  }
}

TEST_F(ClipboardPasteTest, RecordsBringTheirFontByNameAndTheirRevisionMarks) {
  ScriptWindow source;
  TScriptElement* e = AppendElement(*source, ekAction, "In another font.");
  source->FontNameTable[3] = "Elite";
  e->format.SetFontIndex(3);
  e->revisedLines = std::string("\x01", 1);
  LayOut(*source);
  SelectAll(*source);
  Copy();

  ScriptWindow target;
  AppendElement(*target, ekAction, "");
  target->FontNameTable[3] = "Pica";
  for (int slot = 4; slot < 16; ++slot)
    target->FontNameTable[static_cast<std::size_t>(slot)] = "Used " + std::to_string(slot);
  target->FontNameTable[20] = "";
  target.Activate();
  LayOut(*target);
  Paste();
  target->Assemble();
  const TScriptElement* pasted = target->FirstElement;
  EXPECT_EQ(target->FontNameTable[pasted->format.FontIndex()], "Elite");
  EXPECT_LT(pasted->format.FontIndex(), 16);
  ASSERT_TRUE(pasted->revisedLines);
  EXPECT_EQ(*pasted->revisedLines, std::string("\x01", 1));
}

// While the script marks revisions every line a paste brings in is new
// text and is marked, as typed text is: whole elements pasted, records
// merged into the element at the caret, and a screenplay read from text.
TEST_F(ClipboardPasteTest, EveryLineAPasteBringsInIsMarkedRevised) {
  const std::string longLine = WordsText(300, 7);
  const struct {
    const char* what;
    std::vector<std::string> copied;  // Action elements copied from another script
    const char* plainText;            // or a screenplay as plain text
    int column;                       // where the caret stands in "Target text."
  } cases[] = {
      {"elements pasted before the target", {"First pasted.", longLine}, nullptr, 0},
      {"one record merged at the caret", {longLine}, nullptr, 7},
      {"a screenplay read from plain text",
       {},
       "INT. KITCHEN - NIGHT\r\n\r\nRain hammers the window. Mary waits.\r\n\r\n"
       "                         MARY\r\n               Not tonight.\r\n",
       0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.plainText) {
      Clipboard()->SetAsText(c.plainText);
      AcceptPasteAs(Driver());
    } else {
      ScriptWindow source;
      for (const std::string& text : c.copied) AppendElement(*source, ekAction, text);
      LayOut(*source);
      SelectAll(*source);
      Copy();
    }
    ScriptWindow w;
    AppendElement(*w, ekAction, "Before.");
    TScriptElement* target = AppendElement(*w, ekAction, "Target text.");
    w.Activate();
    LayOut(*w);
    w->RevisionMarking = 1;
    w->PagesLocked = 1;
    PutCaret(*w, target, c.column);
    Paste();
    w->Assemble();
    int checked = 0;
    for (const TScriptElement* e = w->FirstElement; e; e = e->next) {
      const std::string text = ElementText(*e);
      const bool old = text == "Before." || text == "Target text.";
      if (IsPageBreakKind(e->Kind()) || old) {
        EXPECT_FALSE(e->revisedLines && !e->revisedLines->empty()) << text;
        continue;
      }
      const std::string marks = e->revisedLines ? *e->revisedLines : std::string();
      for (int line = 1; line <= e->lineCount; ++line)
        EXPECT_NE(marks.find(static_cast<char>(line)), std::string::npos) << text << " line " << line;
      ++checked;
    }
    EXPECT_GT(checked, 0);
  }
}

// Short text is typed at the caret; longer text is read as a screenplay
// laid out in plain text and pasted as the elements it holds.
TEST_F(ClipboardPasteTest, PlainTextIsTypedWhenShortAndClassifiedOtherwise) {
  ScriptWindow w;
  AppendElement(*w, ekAction, "Start ");
  LayOut(*w);
  PutCaret(*w, w->FirstElement, 6);
  Clipboard()->SetAsText("typed");
  Paste();
  EXPECT_EQ(ElementsOf(*w)[0].text, "Start typed");

  Clipboard()->SetAsText("INT. KITCHEN - NIGHT\r\n\r\nRain hammers the window. Mary waits.\r\n\r\n"
                         "                         MARY\r\n               Not tonight.\r\n");
  PutCaret(*w, w->FirstElement, 11);
  AcceptPasteAs(Driver());
  Paste();
  const auto elements = ElementsOf(*w);
  ASSERT_GE(elements.size(), 4u);
  EXPECT_EQ(elements[0], (ElementSpec{ekAction, "Start typed"}));
  const std::vector<ElementSpec> pasted(elements.end() - 4, elements.end());
  EXPECT_EQ(pasted, (std::vector<ElementSpec>{{ekSceneHeading, "INT. KITCHEN - NIGHT"},
                                              {ekAction, "Rain hammers the window. Mary waits."},
                                              {ekCharacterName, "MARY"},
                                              {ekDialogue, "Not tonight."}}));
}

// A line end inside a short text is typed as the Enter key: the two lines
// must not run together into one element.
TEST_F(ClipboardPasteTest, AShortTextsLineEndIsTypedAsEnter) {
  const struct {
    const char* what;
    const char* text;
  } cases[] = {{"CR LF", "One.\r\nTwo."}, {"LF", "One.\nTwo."}, {"CR", "One.\rTwo."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptWindow w;
    AppendElement(*w, ekAction, "");
    LayOut(*w);
    PutCaret(*w, w->FirstElement, 0);
    Clipboard()->SetAsText(c.text);
    Paste();
    EXPECT_EQ(ElementsOf(*w), (std::vector<ElementSpec>{{ekAction, "One."}, {ekAction, "Two."}}));
  }
}

TEST_F(ClipboardPasteTest, RtfFromAWordProcessorIsReadIntoElements) {
  ScriptWindow w;
  AppendElement(*w, ekAction, "");
  LayOut(*w);
  PutCaret(*w, w->FirstElement, 0);
  const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Courier New;}}\\f0 INT. ROOF - DAY\\par\\par Wind.\\par }";
  Clipboard()->Open();
  Clipboard()->Clear();
  Clipboard()->SetData(RegisterClipboardFormat("Rich Text Format"), Bytes(rtf.begin(), rtf.end()));
  Clipboard()->Close();
  // The writer cancels the question how to read it: nothing is pasted.
  Driver().Expect([](TForm& form) { form.ModalResult = mrCancel; }, "cancel the paste-as dialog");
  Paste();
  ASSERT_EQ(ElementsOf(*w).size(), 1u);
  EXPECT_EQ(TrimmedLength(ElementsOf(*w)[0].text), 0u);

  AcceptPasteAs(Driver());
  Paste();
  const auto elements = ElementsOf(*w);
  ASSERT_GE(elements.size(), 2u);
  EXPECT_EQ(elements[elements.size() - 2], (ElementSpec{ekSceneHeading, "INT. ROOF - DAY"}));
  EXPECT_EQ(elements.back(), (ElementSpec{ekAction, "Wind."}));
}

// A document from a word processor that indents only its cues: the one
// indent marks them in the paste's first block, and from the next block on
// the text is read without it, so the later cues are cues again. A second,
// different indent keeps the indentation in use.
TEST_F(ClipboardPasteTest, OneSharedIndentCountsInThePastesFirstBlockOnly) {
  const std::string pair = "\\pard\\li2880 MARY\\par\n\\pard I have to go now.\\par\n";
  std::string filler;
  while (filler.size() < 2500) filler += "\\pard The rain keeps falling on the roof of the old barn.\\par\n";
  const struct {
    const char* what;
    std::string secondIndent;
    std::vector<ElementSpec> latePair;
  } cases[] = {
      {"one indent", "", {{ekCharacterName, "MARY"}, {ekDialogue, "I have to go now."}}},
      {"a second indent in each block",
       "\\pard\\li4320 The door opens.\\par\n",
       {{ekShot, "MARY"}, {ekAction, "I have to go now."}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptWindow w;
    AppendElement(*w, ekAction, "");
    LayOut(*w);
    PutCaret(*w, w->FirstElement, 0);
    const std::string rtf = "{\\rtf1\\ansi{\\fonttbl{\\f0 Courier New;}}\\f0\n" + pair + c.secondIndent + filler +
                            c.secondIndent + pair + "}";
    ASSERT_GT(rtf.size(), RtfBlockBytes + pair.size()) << "the second pair lies in a later block";
    Clipboard()->Open();
    Clipboard()->Clear();
    Clipboard()->SetData(RegisterClipboardFormat("Rich Text Format"), Bytes(rtf.begin(), rtf.end()));
    Clipboard()->Close();
    AcceptPasteAs(Driver());
    Paste();
    const auto elements = ElementsOf(*w);
    ASSERT_GE(elements.size(), 4u);
    EXPECT_EQ(std::vector<ElementSpec>(elements.begin(), elements.begin() + 2),
              (std::vector<ElementSpec>{{ekShot, "MARY"}, {ekAction, "I have to go now."}}))
        << "the first block reads the indent";
    EXPECT_EQ(std::vector<ElementSpec>(elements.end() - 2, elements.end()), c.latePair);
  }
}

TEST_F(ClipboardPasteTest, DamagedBlockPastesWhatIsSoundAndSaysSo) {
  ScriptWindow w;
  AppendElement(*w, ekAction, "One.");
  AppendElement(*w, ekAction, "Two.");
  LayOut(*w);
  SelectAll(*w);
  Copy();
  Bytes data = *ClipData(NativeClipboardFormatName);
  data.resize(data.size() - 100);
  Clipboard()->Open();
  Clipboard()->Clear();
  Clipboard()->SetData(RegisterClipboardFormat(NativeClipboardFormatName), data);
  Clipboard()->Close();

  ScriptWindow target;
  AppendElement(*target, ekAction, "");
  target.Activate();
  LayOut(*target);
  SeenBox box;
  AnswerBox(mrOk, &box);
  Paste();
  EXPECT_EQ(box.text, DamagedClipboardText);
  EXPECT_EQ(ElementsOf(*target), (std::vector<ElementSpec>{{ekAction, "One."}, {ekAction, "Two."}}));
}

TEST_F(ClipboardPasteTest, APasteThatBringsNothingLeavesTheScriptUnmodified) {
  ScriptWindow w;
  AppendElement(*w, ekAction, "Text.");
  LayOut(*w);
  Clipboard()->Open();
  Clipboard()->Clear();
  Clipboard()->Close();
  Paste();
  EXPECT_FALSE(w->DocumentModified);
  Clipboard()->SetAsText("");
  Paste();
  EXPECT_FALSE(w->DocumentModified);
  EXPECT_EQ(ElementsOf(*w), (std::vector<ElementSpec>{{ekAction, "Text."}}));
}

}  // namespace
}  // namespace qm::testing

namespace qm::testing {
namespace {

// An emptied element holds a blank, as the edit line stores it.
class ClipboardCutTest : public ClipboardFixture {};

struct CutRuleCase {
  const char* name;
  std::vector<ElementSpec> script;
  int first, last;  // elements cut whole
  void (*setUp)(TMDIChild& w);
  std::vector<ElementSpec> after;
};

TEST_F(ClipboardCutTest, WhollySelectedElementsGoUnlessTheScriptNeedsThem) {
  // clang-format off
  const CutRuleCase cases[] = {
      {"a_name_whose_speech_stays_is_emptied",
       {{ekAction, "Before."}, {ekCharacterName, "ANNA"}, {ekDialogue, "Stay."}},
       1, 1, [](TMDIChild&) {},
       {{ekAction, "Before."}, {ekCharacterName, " "}, {ekDialogue, "Stay."}}},
      {"a_name_inside_a_speech_goes",
       {{ekCharacterName, "ANNA"}, {ekDialogue, "One."}, {ekCharacterName, "BOB"}, {ekDialogue, "Two."}},
       1, 2, [](TMDIChild&) {},
       {{ekCharacterName, "ANNA"}, {ekDialogue, "Two."}}},
      {"a_locked_page_stays_while_pages_are_locked",
       {{ekAction, "One."}, {ekLockedPageBreak, " "}, {ekAction, "Two."}, {ekAction, "Three."}},
       1, 2, [](TMDIChild& w) { w.PagesLocked = 1; },
       {{ekAction, "One."}, {ekLockedPageBreak, " "}, {ekAction, "Three."}}},
      {"a_locked_scene_heading_becomes_omitted",
       {{ekAction, "One."}, {ekSceneHeading, "INT. ROOM - DAY"}, {ekAction, "Two."}},
       1, 2, [](TMDIChild& w) { w.ScenesLocked = 1; },
       {{ekAction, "One."}, {ekSceneHeading, "OMITTED"}}},
      {"the_only_element_is_emptied",
       {{ekAction, "Alone."}},
       0, 0, [](TMDIChild&) {},
       {{ekAction, " "}}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptWindow w;
    AddElements(*w, c.script);
    c.setUp(*w);
    LayOut(*w);
    TScriptElement* first = w->FirstElement;
    for (int i = 0; i < c.first; ++i) first = first->next;
    TScriptElement* last = w->FirstElement;
    for (int i = 0; i < c.last; ++i) last = last->next;
    MarkBlock(*w, first, 0, last, -1);
    ProgressDlg().CopyToClipBoard(false, true);
    w->Assemble();
    std::vector<ElementSpec> now;
    for (const TScriptElement* e = w->FirstElement; e; e = e->next)
      if (e->Kind() != ekAutoPageBreak) now.push_back({e->Kind(), IsPageBreakKind(e->Kind()) ? " " : ElementText(*e)});
    EXPECT_EQ(now, c.after);
  }
}

TEST_F(ClipboardCutTest, FontsAreLookedForInTheSixteenSlotsAnIndexCanName) {
  ScriptWindow source;
  TScriptElement* e = AppendElement(*source, ekAction, "In another font.");
  source->FontNameTable[3] = "Elite";
  e->format.SetFontIndex(3);
  LayOut(*source);
  SelectAll(*source);
  ProgressDlg().CopyToClipBoard(true, false);

  ScriptWindow target;
  AppendElement(*target, ekAction, "");
  for (int slot = 0; slot < 16; ++slot)
    target->FontNameTable[static_cast<std::size_t>(slot)] = "Font " + std::to_string(slot);
  target.Activate();
  LayOut(*target);
  ProgressDlg().PasteFromClipBoard();
  target->Assemble();
  EXPECT_EQ(target->FirstElement->format.FontIndex(), 3) << "no slot qualifies: the index stays";
  for (std::size_t slot = 16; slot < target->FontNameTable.size(); ++slot) EXPECT_EQ(target->FontNameTable[slot], "");
}

}  // namespace
}  // namespace qm::testing
