#include "files/tagged_text.h"

#include <gtest/gtest.h>

#include <map>

#include "files/style_picker.h"
#include "script/model/packed_text.h"
#include "script/model/standard_formats.h"

namespace qm {
namespace {

// The rows of the style picker by what they stand for.
constexpr int kAction = 0, kDialogue = 2, kParenthetical = 3, kHeading = 5, kIgnore = IgnoreStyleChoice;

struct Asker {
  std::map<std::string, int> answers;
  std::vector<std::string> asked;
  TStyleQuestion Function() {
    return [this](const std::string& question) -> std::optional<int> {
      asked.push_back(question);
      const auto it = answers.find(question);
      if (it == answers.end()) return std::nullopt;
      return it->second;
    };
  }
};

std::vector<std::pair<int, std::string>> KindsAndTexts(const TImportedElements& elements) {
  std::vector<std::pair<int, std::string>> result;
  for (const auto& e : elements) result.emplace_back(e.kind, e.text);
  return result;
}

const std::string kScene = "[Scene Heading]\r\n"
                           "<A>INT. HOUSE - DAY\r\n"
                           "[Action]\r\n"
                           "<A>She waits by the door.\r\n"
                           "[Dialogue]\r\n"
                           "<C>JOHN\r\n"
                           "<P>quietly\r\n"
                           "<D>Hello there.\r\n";

Asker SceneAsker() {
  Asker asker;
  asker.answers = {
      {"What is: [Scene Heading]?", kHeading}, {"What is: [Action]?", kAction}, {"What is: [Dialogue]?", kDialogue}};
  return asker;
}

TEST(TaggedText, StylesAndLettersTypeTheElements) {
  TStyleTable table;
  Asker asker = SceneAsker();
  const TTaggedTextResult result = ReadTaggedText(kScene, table, StandardFormatSet(), asker.Function());
  EXPECT_TRUE(result.isTagged);
  EXPECT_EQ(KindsAndTexts(result.elements),
            (std::vector<std::pair<int, std::string>>{{ekSceneHeading, "INT. HOUSE - DAY"},
                                                      {ekAction, "She waits by the door."},
                                                      {ekCharacterName, "JOHN"},
                                                      {ekParenthetical, "quietly"},
                                                      {ekDialogue, "Hello there."}}));
  EXPECT_EQ(asker.asked.size(), 3u);
}

TEST(TaggedText, SecondImportAsksNothingThroughTheStoredTable) {
  TStyleTable table;
  Asker first = SceneAsker();
  ReadTaggedText(kScene, table, StandardFormatSet(), first.Function());
  TStyleTable stored = TStyleTable::FromBytes(table.ToBytes());
  Asker second;
  const auto result = ReadTaggedText(kScene, stored, StandardFormatSet(), second.Function());
  EXPECT_TRUE(second.asked.empty());
  EXPECT_EQ(result.elements.size(), 5u);
}

TEST(TaggedText, LongStyleNamesAreMatchedInTheirStoredForm) {
  const std::string name = "[A Style Name Longer Than Thirty Characters]";
  const std::string text = name + "\r\n<A>One line.\r\n[Action]\r\n<A>Two.\r\n" + name + "\r\n<A>Three.\r\n";
  TStyleTable table;
  Asker asker;
  asker.answers = {{"What is: " + name + "?", kAction}, {"What is: [Action]?", kAction}};
  ReadTaggedText(text, table, StandardFormatSet(), asker.Function());
  EXPECT_EQ(asker.asked.size(), 2u);
  EXPECT_EQ(table[0].name.size(), StyleNameCapacity);
}

TEST(TaggedText, LongLinesAreReadWhole) {
  const std::string words(600, 'w');
  TStyleTable table;
  Asker asker;
  asker.answers = {{"What is: [Action]?", kAction}};
  const auto result = ReadTaggedText("[Action]\r\n<A>" + words + "\r\n", table, StandardFormatSet(), asker.Function());
  ASSERT_EQ(result.elements.size(), 1u);
  EXPECT_EQ(result.elements[0].text, words);
}

// A paragraph longer than an element holds goes on in elements of its
// kind: nothing is lost, a style mark is closed in each piece and reopened.
TEST(TaggedText, ParagraphsLongerThanAnElementGoOnInTheNext) {
  std::string words;
  while (words.size() < 6000) words += "harbour light ";
  words.pop_back();
  const std::string unbroken(3000, 'w');
  struct Case {
    const char* name;
    std::string tagged;
    std::string attribute;
    std::string text;
    std::string joint;
  };
  const std::vector<Case> cases = {
      {"words", "<A>" + words, "", words, " "},
      {"one long word", "<A>" + unbroken, "", unbroken, ""},
      {"bold words", "<a>!\r\n<A>" + words, "\x02", words, " "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TStyleTable table;
    Asker asker;
    asker.answers = {{"What is: [Action]?", kAction}};
    const auto result =
        ReadTaggedText("[Action]\r\n" + c.tagged + "\r\n<A>After.\r\n", table, StandardFormatSet(), asker.Function());
    ASSERT_GE(result.elements.size(), 3u);
    EXPECT_EQ(result.elements.back().text, "After.");
    std::string joined;
    for (std::size_t i = 0; i + 1 < result.elements.size(); ++i) {
      std::string piece = result.elements[i].text;
      EXPECT_EQ(result.elements[i].kind, ekAction);
      EXPECT_LE(piece.size(), MaxElementChars);
      if (!c.attribute.empty()) {
        ASSERT_TRUE(piece.starts_with("\x02") && piece.ends_with("\x03")) << i;
        piece = piece.substr(1, piece.size() - 2);
      }
      joined += (i == 0 ? "" : c.joint) + piece;
    }
    EXPECT_EQ(joined, c.text);
  }
}

TEST(TaggedText, IgnoredStyleDropsItsParagraphsUpToABlankOrTagLine) {
  const std::string text =
      "[Notes]\r\n<A>dropped\r\n<A>dropped too\r\n\r\n<A>kept\r\n[Notes]\r\n<A>dropped\r\n[Action]\r\n<A>kept also\r\n";
  TStyleTable table;
  Asker asker;
  asker.answers = {{"What is: [Notes]?", kIgnore}, {"What is: [Action]?", kAction}};
  const auto result = ReadTaggedText(text, table, StandardFormatSet(), asker.Function());
  EXPECT_EQ(KindsAndTexts(result.elements),
            (std::vector<std::pair<int, std::string>>{{ekAction, "kept"}, {ekAction, "kept also"}}));
}

TEST(TaggedText, TheThirtyFirstStyleIsNeverAsked) {
  std::string text;
  Asker asker;
  for (int i = 1; i <= 31; ++i) {
    const std::string name = "[Style " + std::to_string(i) + "]";
    text += name + "\r\n<A>Line " + std::to_string(i) + "\r\n";
    asker.answers["What is: " + name + "?"] = i == 1 ? kHeading : kAction;
  }
  TStyleTable table;
  const auto result = ReadTaggedText(text, table, StandardFormatSet(), asker.Function());
  EXPECT_EQ(asker.asked.size(), 30u);
  EXPECT_EQ(table.Count(), MaxStyleEntries);
  EXPECT_EQ(result.elements.back().kind, ekAction);
  EXPECT_EQ(result.elements.size(), 31u);
}

TEST(TaggedText, ExtensionLineGoesWithTheCueAndRepeatedCuesGo) {
  const std::string text = "[Dialogue]\r\n<E(V.O.)\r\n<C>JOHN\r\n<D>One.\r\n<C>john \r\n<D>Two.\r\n";
  TStyleTable table;
  Asker asker;
  asker.answers = {{"What is: [Dialogue]?", kDialogue}};
  const auto result = ReadTaggedText(text, table, StandardFormatSet(), asker.Function());
  ASSERT_EQ(KindsAndTexts(result.elements),
            (std::vector<std::pair<int, std::string>>{
                {ekCharacterName, "JOHN"}, {ekDialogue, "One."}, {ekDialogue, "Two."}}));
  EXPECT_EQ(result.elements[0].extensionKind, 2);
}

TEST(TaggedText, AttributeLinesStyleTheNextTextAndCloseInIt) {
  const std::string text = "[Action]\r\n<a>#\r\n<A>Loud.\r\n<A>Quiet.\r\n";  // '#' is 35: bold and underline
  TStyleTable table;
  Asker asker;
  asker.answers = {{"What is: [Action]?", kAction}};
  const auto result = ReadTaggedText(text, table, StandardFormatSet(), asker.Function());
  EXPECT_EQ(KindsAndTexts(result.elements),
            (std::vector<std::pair<int, std::string>>{{ekAction, "\x02\x15Loud.\x16\x03"}, {ekAction, "Quiet."}}));
}

TEST(TaggedText, CancelKeepsWhatWasRead) {
  TStyleTable table;
  Asker asker;
  asker.answers = {{"What is: [Scene Heading]?", kHeading}};
  const auto result = ReadTaggedText(kScene, table, StandardFormatSet(), asker.Function());
  EXPECT_TRUE(result.cancelled);
  EXPECT_EQ(result.elements.size(), 1u);
}

TEST(TaggedText, OtherTextIsNotTagged) {
  TStyleTable table;
  Asker asker;
  EXPECT_FALSE(ReadTaggedText("Just a letter.\r\nYours.\r\n", table, StandardFormatSet(), asker.Function()).isTagged);
  EXPECT_TRUE(asker.asked.empty());
}

TEST(StyleTableRecords, SurviveTheirStoredFormAndDamage) {
  TStyleTable table;
  table.Add("[Action]");
  table.Add("[Parenthetical Of Great Length Indeed]");
  ApplyStyleChoice(table[1], kParenthetical, StandardFormatSet());
  table[0].carried = 7;
  table[0].skip = true;
  const std::vector<Byte> bytes = table.ToBytes();
  ASSERT_EQ(bytes.size(), 2 * StyleRecordSize);
  const TStyleTable back = TStyleTable::FromBytes(bytes);
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back[0].carried, 7);
  EXPECT_TRUE(back[0].skip);
  EXPECT_EQ(back[1].format.Kind, ekParenthetical);
  EXPECT_EQ(back[1].name, table[1].name);
  // A cut-off record and a record of an overlong name length.
  EXPECT_EQ(TStyleTable::FromBytes(std::span(bytes).first(StyleRecordSize + 10)).Count(), 1);
  std::vector<Byte> overlong = bytes;
  overlong[0] = 200;
  EXPECT_EQ(TStyleTable::FromBytes(overlong)[0].name.size(), StyleNameCapacity);
}

TEST(StyleChoices, TakeTheNamedFormat) {
  TTaggedStyle entry;
  entry.skip = true;
  ApplyStyleChoice(entry, 8, StandardFormatSet());
  EXPECT_FALSE(entry.skip);
  EXPECT_EQ(entry.format.Kind, ekPrologueText);
  EXPECT_EQ(entry.format.LeftMargin, StandardFormatSet()[fsActInformation].LeftMargin);
  ApplyStyleChoice(entry, 12, StandardFormatSet());
  EXPECT_EQ(entry.format.Kind, ekForcedPageBreak);
  ApplyStyleChoice(entry, kIgnore, StandardFormatSet());
  EXPECT_TRUE(entry.skip);
}

}  // namespace
}  // namespace qm
