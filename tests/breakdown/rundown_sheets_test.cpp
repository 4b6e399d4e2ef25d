#include "breakdown/rundown_sheets.h"

#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "breakdown/character_lists_dialog.h"
#include "breakdown/sheet_tag_rewrite.h"
#include "breakdown/sitcom_script.h"
#include "platform/headless/headless_backend.h"
#include "platform/printer.h"
#include "platform/recording_canvas.h"
#include "printing/print_run.h"
#include "script/model/user_list_entries.h"
#include "support/document_builder.h"

namespace qm {
namespace {

struct RowFields {
  std::string key, act, scene, heading, page, characters, description, dayNight;
  Byte kind;
  friend bool operator==(const RowFields&, const RowFields&) = default;
  friend std::ostream& operator<<(std::ostream& out, const RowFields& r) {
    return out << r.key << " | " << r.act << " | " << r.scene << " | " << r.heading << " | " << r.page << " | "
               << r.characters << " | " << r.description << " | " << r.dayNight << " | " << int(r.kind);
  }
};

std::vector<RowFields> Fields(const TRundownRows& rows) {
  std::vector<RowFields> out;
  for (const TRundownEntry& e : rows) {
    const TRundownRow& r = e.Row;
    out.push_back({e.Key, r.Act, r.Scene, r.Heading, r.Page, r.Characters, r.Description, r.DayNight, r.Kind});
  }
  return out;
}

class RundownSheetsTest : public testing::SitcomFixture {
 protected:
  std::vector<const DrawOp*> PrintedTexts(std::size_t page = 0) {
    return Backend().PrinterList()[0]->Pages().at(page)->TextOps();
  }
  bool Printed(const std::string& text, std::size_t page = 0) {
    return Backend().PrinterList()[0]->Pages().at(page)->FindText(text) != nullptr;
  }
};

TEST_F(RundownSheetsTest, RowsAreGatheredActByActAndTwinsMerged) {
  BuildSitcom();
  TRundownRows rows = GatherRundownRows(Script());
  const std::vector<RowFields> gathered = {
      {"ACT ONE, SCENE A", "ONE", "A", "INT. KITCHEN - DAY", "1", "(Ann, Ben)", "Ann makes tea", "DAY ONE", 10},
      {"ACT ONE, SCENE A", "ONE", "A", "INT. HALL - DAY", "1", "", "", "DAY ONE", 10},
      {"ACT ONE, SCENE B", "ONE", "B", "EXT. GARDEN - NIGHT", "1", "(Ann)", "", "NIGHT ONE", 10},
      {"ACT ONE, SCENE B", "ONE", "B", "EXT. GARDEN - LATER", "1", "", "Rain starts", "NIGHT ONE", 10},
      {"ACT TWO, SCENE C", "TWO", "C", "INT. KITCHEN - DAY", "2", "(Ben)", "", "DAY TWO", 10},
  };
  EXPECT_EQ(Fields(rows), gathered);

  MergeTwinRows(rows, Script());
  // The hall takes the kitchen's list; the later garden joins the garden.
  const std::vector<RowFields> merged = {
      {"ACT ONE, SCENE A", "ONE", "A", "INT. KITCHEN - DAY", "1", "", "", "DAY ONE", 10},
      {"ACT ONE, SCENE A", "ONE", "A", "INT. HALL - DAY", "1", "(Ann, Ben)", "Ann makes tea", "DAY ONE", 10},
      {"ACT ONE, SCENE B", "ONE", "B", "EXT. GARDEN - NIGHT", "1", "(Ann)", "Rain starts", "NIGHT ONE", 10},
      {"ACT TWO, SCENE C", "TWO", "C", "INT. KITCHEN - DAY", "2", "(Ben)", "", "DAY TWO", 10},
  };
  EXPECT_EQ(Fields(rows), merged);
}

TEST_F(RundownSheetsTest, APrologueWithoutASceneHasABlankSceneAndNoSceneKey) {
  Settings().SceneInformationOff = 0;
  SetList(TUserList::ActText, {"ACT", "", "SCENE"});
  Add({{ekPrologueText, "Cold Opening"},
       {ekAction, "Dark."},
       {ekActStart, "ACT ONE"},
       {ekSceneInformation, "SCENE A"},
       {ekSceneHeading, "INT. BAR - NIGHT"}});
  Element(0).format.AllCaps = 1;
  Number(2, 1);
  Number(3, 1);
  PlaceCaret(1);
  const TRundownRows rows = GatherRundownRows(Script());
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].Key, "COLD OPENING");
  EXPECT_EQ(rows[0].Row.Scene, " ");
  EXPECT_EQ(rows[0].Row.Kind, 14);
  EXPECT_EQ(rows[1].Key, "ACT 1, 1");
}

TEST_F(RundownSheetsTest, WithoutSceneInformationEachHeadingIsARowOfItsNumber) {
  Settings().SceneInformationOff = 1;
  SetList(TUserList::ActText, {"ACT", "", "SCENE"});
  Add({{ekActStart, "ACT ONE"}, {ekSceneHeading, "INT. BAR - NIGHT"}, {ekSceneHeading, "[12B] EXT. ROAD - DAY"}});
  Number(0, 1);
  Number(1, 7);
  PlaceCaret(0);
  const TRundownRows rows = GatherRundownRows(Script());
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].Key, "ACT 1, 7");
  EXPECT_EQ(rows[1].Key, "ACT 1, [12B]");
  EXPECT_EQ(rows[1].Row.Heading, "EXT. ROAD - DAY");
}

TEST_F(RundownSheetsTest, NumbersBoxSizesAndDayNightTexts) {
  const struct {
    int n;
    Byte style;
    bool caps;
    const char* text;
  } numbers[] = {{1, 1, false, "1"},    {2, 2, false, "B"},    {27, 2, false, "AA"}, {3, 3, false, "Three"},
                 {3, 3, true, "THREE"}, {4, 4, false, "FOUR"}, {4, 5, false, " IV"}};
  for (const auto& c : numbers) EXPECT_EQ(NumberingText(c.n, c.style, c.caps), c.text) << c.n << " " << int(c.style);

  const struct {
    const char* text;
    int width, height;
  } boxes[] = {{"0.8", 8, 8}, {"1", 10, 7}, {"0.85", 8, 8}, {"1.25", 12, 12}, {"0.5", 5, 7}, {"x", 15, 7}};
  for (const auto& c : boxes) {
    EXPECT_EQ(BoxWidthTenths(c.text), c.width) << c.text;
    EXPECT_EQ(MinHeightTenths(c.text), c.height) << c.text;
  }
  ExpectMessage("insufficent space for Text!", "Attention");
  EXPECT_EQ(BoxWidthTenths("2.0"), 15);

  const struct {
    const char* in;
    const char* out;
  } dayNight[] = {{"DAY ONE", "D1"},       {"NIGHT TWO", "N2"}, {"DAY THREE", "D3"}, {"DAY TEN", "D10"},
                  {"DAY AFTER", "DAFTER"}, {"day one", "D1"},   {"DAY", "DAY"}};
  for (const auto& c : dayNight) EXPECT_EQ(DayNightColumnText(c.in), c.out) << c.in;
}

TEST_F(RundownSheetsTest, TheTablePrintsKeysPagesAndBoxes) {
  BuildSitcom();
  TRundownRows rows = GatherRundownRows(Script());
  MergeTwinRows(rows, Script());
  const TProductionDetails details{"Pilot", "Acme TV", "Ep. 1", "First", "1/2/2027", ""};
  TRundownOptions options;
  ASSERT_TRUE(StartPrintJob(false));
  PrintRundownTable(rows, options, details, 8, 7 * PrintRun.DpiY / 10);
  ASSERT_TRUE(FinishPrintJob());
  for (const char* text : {"Acme TV", "Pilot", "Ep. 1", "First - 1/2/2027", "ACT ONE, SCENE A", "(DAY ONE)", "(1)",
                           "INT. HALL - DAY", "(Ann, Ben)", "Ann makes tea", "ACT TWO, SCENE C", "(2)"})
    EXPECT_TRUE(Printed(text)) << text << "\n" << Backend().PrinterList()[0]->Pages()[0]->Transcript();
  // The key and its page number share the group's first line.
  const DrawOp* key = Backend().PrinterList()[0]->Pages()[0]->FindText("ACT ONE, SCENE B");
  const DrawOp* page = nullptr;
  for (const DrawOp* op : PrintedTexts())
    if (op->text == "(1)" && op->rect.Top == key->rect.Top) page = op;
  EXPECT_NE(page, nullptr);
  // Three group boxes, the main column, four timing boxes and the total box.
  int rectangles = 0;
  for (const DrawOp& op : Backend().PrinterList()[0]->Pages()[0]->Ops())
    if (op.kind == DrawOp::Kind::Polygon) ++rectangles;
  EXPECT_EQ(rectangles, 3 + 1 + 4 + 1);
}

TEST_F(RundownSheetsTest, OptionalColumnsTakeTheActDayAndPage) {
  BuildSitcom();
  TRundownRows rows = GatherRundownRows(Script());
  MergeTwinRows(rows, Script());
  TRundownOptions options;
  options.ActSceneColumn = options.DayNightColumn = options.PageNumColumn = true;
  ASSERT_TRUE(StartPrintJob(false));
  PrintRundownTable(rows, options, {"Pilot", "Acme TV", "Ep. 1", "First", "1/2/2027", "Kim"}, 8,
                    7 * PrintRun.DpiY / 10);
  ASSERT_TRUE(FinishPrintJob());
  for (const char* text : {"ONE A", "D1", "N1", "TWO C", "D2", "Day", "Pg", "Dir: Kim"})
    EXPECT_TRUE(Printed(text)) << text << "\n" << Backend().PrinterList()[0]->Pages()[0]->Transcript();
  EXPECT_FALSE(Printed("ACT ONE, SCENE A"));
  EXPECT_FALSE(Printed("(1)"));
}

// One group's row, under its own key.
TRundownEntry Entry(const std::string& scene, const std::string& heading, const std::string& characters = "",
                    const std::string& description = "") {
  TRundownEntry e;
  e.Key = "ACT ONE, SCENE " + scene;
  e.ActKey = "ACT ONE";
  e.Row.Act = "ONE";
  e.Row.Scene = scene;
  e.Row.Heading = heading;
  e.Row.Page = "1";
  e.Row.Characters = characters;
  e.Row.Description = description;
  return e;
}

const DrawOp* TextOn(const RecordingCanvas& page, const std::string& text) {
  for (const DrawOp* op : page.TextOps())
    if (op->text == text) return op;
  return nullptr;
}

// The description follows the characters after a blank line, unless the
// box is taller than its text: then it sits at the box's foot.
TEST_F(RundownSheetsTest, ADescriptionSitsAtTheFootOfABoxTallerThanItsText) {
  const TRundownRows rows = {Entry("A", "INT. BAR", "(Ann)", "Ann waits")};
  for (const int inches : {0, 3}) {
    SCOPED_TRACE(inches);
    ASSERT_TRUE(StartPrintJob(false));
    const int minHeight = inches * PrintRun.DpiY;
    PrintRundownTable(rows, {}, {"Pilot", "Acme TV", "Ep. 1", "First", "1/2/2027", ""}, 8, minHeight);
    ASSERT_TRUE(FinishPrintJob());
    const RecordingCanvas& page = *Backend().PrinterList()[0]->Pages().at(0);
    const DrawOp* key = TextOn(page, "ACT ONE, SCENE A");
    const DrawOp* characters = TextOn(page, "(Ann)");
    const DrawOp* description = TextOn(page, "Ann waits");
    ASSERT_TRUE(key && characters && description) << page.Transcript();
    const int lh = characters->rect.Bottom - characters->rect.Top;
    if (inches == 0) {
      EXPECT_EQ(description->rect.Top, characters->rect.Bottom + lh) << "after one blank line";
    } else {
      // The group's box runs from half a line above the key to half a
      // line above the foot of the least height.
      EXPECT_EQ(description->rect.Bottom, key->rect.Top + minHeight - lh / 2);
      bool boxEndsThere = false;
      for (const DrawOp& op : page.Ops())
        if (op.kind == DrawOp::Kind::Polygon)
          for (const TPoint& p : op.points) boxEndsThere |= p.Y == description->rect.Bottom - 1;  // the last row inside
      EXPECT_TRUE(boxEndsThere);
    }
  }
}

// Whether a group starts on the page is measured by its rows up to the
// first that has characters: when that is the first row, the rows after it
// may run past the break line.
TEST_F(RundownSheetsTest, AGroupIsMeasuredUpToItsFirstRowWithCharacters) {
  const auto Group = [](bool charactersFirst) {
    TRundownRows group;
    for (int i = 0; i < 12; ++i) {
      const bool withCharacters = charactersFirst ? i == 0 : i == 11;
      group.push_back(Entry("Z", "INT. ROOM " + std::to_string(i), withCharacters ? "(Ann)" : ""));
    }
    return group;
  };
  // The first fillers for which the group no longer starts on page 1.
  int firstBreak[2] = {-1, -1};
  int lastRowBottom = 0;
  for (int variant = 0; variant < 2; ++variant) {
    for (int fillers = 0; fillers < 60 && firstBreak[variant] < 0; ++fillers) {
      TRundownRows rows;
      for (int f = 0; f < fillers; ++f) rows.push_back(Entry(std::to_string(f), "INT. HALL"));
      for (const TRundownEntry& e : Group(variant == 0)) rows.push_back(e);
      ASSERT_TRUE(StartPrintJob(false));
      PrintRundownTable(rows, {}, {"Pilot", "Acme TV", "Ep. 1", "First", "1/2/2027", ""}, 8, 0);
      ASSERT_TRUE(FinishPrintJob());
      const RecordingCanvas& first = *Backend().PrinterList()[0]->Pages().at(0);
      if (!TextOn(first, "ACT ONE, SCENE Z")) {
        firstBreak[variant] = fillers;
      } else if (variant == 0) {
        const DrawOp* last = TextOn(first, "INT. ROOM 11");
        ASSERT_NE(last, nullptr) << "the whole group on the page it starts on";
        lastRowBottom = last->rect.Bottom;
      }
    }
  }
  ASSERT_GT(firstBreak[0], 0);
  ASSERT_GT(firstBreak[1], 0);
  EXPECT_GT(firstBreak[0], firstBreak[1]) << "measured by its first row, the group keeps to the page longer";
  const int breakLine = Printer()->PageHeight() - (3 * PrintRun.DpiY) / 2;
  EXPECT_GT(lastRowBottom, breakLine) << "its further rows run past the break line";
}

// The table starts one line below the right-hand header texts: an empty
// episode (no director) or an empty draft (with one) takes the table up
// one line, however many lines the left-hand texts take.
TEST_F(RundownSheetsTest, TheTableStartsBelowTheRightHandHeaderTexts) {
  const TRundownRows rows = {Entry("A", "INT. BAR", "(Ann)")};
  const struct {
    const char* what;
    TProductionDetails full, shorter;
  } cases[] = {
      {"no director, no episode",
       {"Pilot", "Acme TV", "Ep. 1", "First", "1/2/2027", ""},
       {"Pilot", "Acme TV", "", "First", "1/2/2027", ""}},
      {"a director, no draft",
       {"Pilot", "Acme TV", "Ep. 1", "First", "1/2/2027", "Kim"},
       {"Pilot", "Acme TV", "Ep. 1", "", "1/2/2027", "Kim"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    int keyTop[2] = {0, 0};
    int lh = 0;
    for (int i = 0; i < 2; ++i) {
      ASSERT_TRUE(StartPrintJob(false));
      PrintRundownTable(rows, {}, i == 0 ? c.full : c.shorter, 8, 0);
      ASSERT_TRUE(FinishPrintJob());
      const RecordingCanvas& page = *Backend().PrinterList()[0]->Pages().at(0);
      const DrawOp* key = TextOn(page, "ACT ONE, SCENE A");
      const DrawOp* company = TextOn(page, "Acme TV");
      ASSERT_TRUE(key && company) << page.Transcript();
      keyTop[i] = key->rect.Top;
      lh = company->rect.Bottom - company->rect.Top;
    }
    EXPECT_EQ(keyTop[0] - keyTop[1], lh);
  }
}

TEST_F(RundownSheetsTest, AFeatureScriptIsRefused) {
  Add({{ekSceneHeading, "INT. BAR - NIGHT"}, {ekAction, "Dark."}});
  PlaceCaret(1);
  ExpectMessage("No Act Information Found!");
  GenerateRundownSheets(false);
  EXPECT_TRUE(Backend().PrinterList()[0]->Pages().empty());
}

TEST_F(RundownSheetsTest, TheCommandAsksPrintsAndStoresTheChoices) {
  BuildSitcom();
  TIniFile settings = OpenSettingsFile();
  settings.WriteString("Rundown", "font", "No Such Font");
  ExpectMessage("Regenerate Character Lists first?", "", mrNo);
  Driver().Expect([&](TForm& form) {
    auto& dialog = dynamic_cast<TCharNameListDlg&>(form);
    EXPECT_EQ(dialog.Caption(), "Generate Rundown Sheets");
    EXPECT_EQ(dialog.FontList->Text(), "Arial");  // the desktop lacks the stored one
    EXPECT_EQ(dialog.OKBtn->Caption(), "Print Now");
    dialog.ProdTitle->Text = "Pilot";
    dialog.DayNightColumn->SetChecked(true);
    dialog.PrintSetList->SetChecked(false);
    dialog.BoxWidth->Text = "1.0";
    dialog.StepBoxSize(*dialog.BoxWidth, 1);
    EXPECT_EQ(dialog.BoxWidth->Text(), "1.1");
    dialog.OKBtn->Click();
  });
  GenerateRundownSheets(false);
  EXPECT_EQ(Script().ProductionTitle, "Pilot");
  ASSERT_EQ(Backend().PrinterList()[0]->Pages().size(), 1u);
  EXPECT_TRUE(Printed("D1"));
  const TIniFile ini = OpenSettingsFile();
  EXPECT_TRUE(ini.ReadBool("Rundown", "DayNightColumn", false));
  EXPECT_FALSE(ini.ReadBool("Rundown", "PrintSetList", true));
  EXPECT_EQ(ini.ReadString("Rundown", "BoxWidth", ""), "1.1");
  EXPECT_EQ(ini.ReadString("Rundown", "font", ""), "Arial");
}

// ---- The rows gathered from a bare document, with no script window ----

constexpr Word GeneratedListWord = 150 << 8;

std::string Description(const std::string& text) {
  return std::string(1, static_cast<char>(SceneDescriptionCode)) + text + '\x01';
}

// Two acts with scene information (acts in words, scenes in letters); the
// first scene has two headings on two pages.
std::unique_ptr<testing::TBuiltDocument> SitcomDocument() {
  auto script = testing::BuildDocument({
      {ekActStart, "ACT ONE"},                                 // 0
      {ekSceneInformation, "SCENE A"},                         // 1
      {ekSceneHeading, "INT. KITCHEN (DAY ONE)"},              // 2
      {ekAction, "(Ann, Ben)"},                                // 3 the generated list
      {ekScriptNote, "Tea. " + Description("Ann makes tea")},  // 4
      {ekForcedPageBreak, ""},                                 // 5 page 2
      {ekSceneHeading, "INT. HALL (DAY ONE)"},                 // 6
      {ekActStart, "ACT TWO"},                                 // 7
      {ekSceneInformation, "SCENE B"},                         // 8
      {ekSceneHeading, "EXT. GARDEN (NIGHT TWO)"},             // 9
      {ekAction, "Rain."},                                     // 10
  });
  script->SceneInformationOff = 0;
  script->ScenesWithinActs = 1;
  script->ActDisplayStyle = 4;  // words in capitals
  script->SceneInfoDisplayStyle = 2;
  SetUserListEntry(script->UserLists, TUserList::ActText, 1, "ACT");
  SetUserListEntry(script->UserLists, TUserList::ActText, 3, "SCENE");
  const std::pair<int, Word> numbers[] = {{0, 1}, {1, 1}, {7, 2}, {8, 2}};
  for (const auto& [index, number] : numbers) {
    script->Element(index).group->number = number;
    script->Element(index).format.AllCaps = 1;
  }
  script->Element(3).format.NumberWord = GeneratedListWord;
  return script;
}

TEST(RundownRowsOfADocument, EveryHeadingIsARowUnderItsActAndScene) {
  const auto script = SitcomDocument();
  const TRundownRows rows = GatherRundownRows(*script);
  const std::vector<RowFields> expected = {
      {"ACT ONE, SCENE A", "ONE", "A", "INT. KITCHEN", "1", "(Ann, Ben)", "Ann makes tea", "DAY ONE", 10},
      {"ACT ONE, SCENE A", "ONE", "A", "INT. HALL", "2", "", "", "DAY ONE", 10},
      {"ACT TWO, SCENE B", "TWO", "B", "EXT. GARDEN", "2", "", "", "NIGHT TWO", 10},
  };
  EXPECT_EQ(Fields(rows), expected);
}

// A heading that opens with "[" gives its first word as the scene label.
TEST(RundownRowsOfADocument, WithoutSceneInformationEachHeadingTakesItsSceneNumber) {
  const auto script = testing::BuildDocument({
      {ekActStart, "ACT ONE"},
      {ekSceneHeading, "INT. BAR (NIGHT ONE)"},
      {ekSceneHeading, "[12B] EXT. ROAD"},
      {ekActStart, "ACT TWO"},
      {ekSceneHeading, "INT. BAR"},
  });
  script->SceneInformationOff = 1;
  script->SceneStart = 20;
  script->ActDisplayStyle = 4;  // words in capitals
  SetUserListEntry(script->UserLists, TUserList::ActText, 1, "ACT");
  script->Element(0).group->number = 1;
  script->Element(3).group->number = 2;
  for (int index : {0, 3}) script->Element(index).format.AllCaps = 1;
  const std::vector<RowFields> expected = {
      {"ACT ONE, 21", "ONE", "21", "INT. BAR", "1", "", "", "NIGHT ONE", 10},
      {"ACT ONE, [12B]", "ONE", "[12B]", "EXT. ROAD", "1", "", "", "", 10},
      {"ACT TWO, 23", "TWO", "23", "INT. BAR", "1", "", "", "", 10},
  };
  EXPECT_EQ(Fields(GatherRundownRows(*script)), expected);
}

}  // namespace
}  // namespace qm
