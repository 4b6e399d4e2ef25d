// The settings of the breakdown commands and of card printing: what is
// written reads back the same, and each feature writes its own keys, each
// once, under the names the settings file has always used.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "base/ini_file.h"
#include "breakdown/breakdowns_run.h"
#include "breakdown/character_lists.h"
#include "breakdown/rundown_sheets.h"
#include "printing/card_print_layout.h"
#include "support/program_fixture.h"

namespace qm {
namespace {

class SettingsRoundTripTest : public testing::ProgramFixture {};

TRundownOptions OddRundown() {
  TRundownOptions o;
  o.FontSize = 14;
  o.Font = "Arial";
  o.UndAct = o.UndSceneHead = o.BoldAct = o.BoldSceneHead = true;
  o.PrintSetList = false;
  o.PrintPageNumbers = o.StartAndEndingPage = o.ListChars = o.LocationsBold = o.CharsAllCaps = true;
  o.PageText = "Page";
  o.FinalText = "THE END";
  o.PutInClipboard = o.ActSceneColumn = o.DayNightColumn = o.PageNumColumn = true;
  o.MinBoxHeight = "1.2";
  o.BoxWidth = "1.5";
  o.TwoTimingBoxes = true;
  o.PrintTotalBoxes = false;
  return o;
}

bool SameRundown(const TRundownOptions& a, const TRundownOptions& b) {
  return a.FontSize == b.FontSize && a.Font == b.Font && a.UndAct == b.UndAct && a.UndSceneHead == b.UndSceneHead &&
         a.BoldAct == b.BoldAct && a.BoldSceneHead == b.BoldSceneHead && a.PrintSetList == b.PrintSetList &&
         a.PrintPageNumbers == b.PrintPageNumbers && a.StartAndEndingPage == b.StartAndEndingPage &&
         a.ListChars == b.ListChars && a.LocationsBold == b.LocationsBold && a.CharsAllCaps == b.CharsAllCaps &&
         a.PageText == b.PageText && a.FinalText == b.FinalText && a.PutInClipboard == b.PutInClipboard &&
         a.ActSceneColumn == b.ActSceneColumn && a.DayNightColumn == b.DayNightColumn &&
         a.PageNumColumn == b.PageNumColumn && a.MinBoxHeight == b.MinBoxHeight && a.BoxWidth == b.BoxWidth &&
         a.TwoTimingBoxes == b.TwoTimingBoxes && a.PrintTotalBoxes == b.PrintTotalBoxes;
}

TCardPrintLayout OddCards() {
  TCardPrintLayout l;
  l.CardsAcross = 3;
  l.CardsDown = 4;
  l.Landscape = true;
  l.DrawBoxes = l.BoldHeadlines = false;
  l.TopMargin = 40;
  l.LeftMargin = 50;
  l.InterCardMargin = 60;
  l.FontName = "Arial";
  l.FontSize = 20;
  l.FontStyle = 5;
  return l;
}

bool SameCards(const TCardPrintLayout& a, const TCardPrintLayout& b) {
  return a.CardsAcross == b.CardsAcross && a.CardsDown == b.CardsDown && a.Landscape == b.Landscape &&
         a.DrawBoxes == b.DrawBoxes && a.BoldHeadlines == b.BoldHeadlines && a.TopMargin == b.TopMargin &&
         a.LeftMargin == b.LeftMargin && a.InterCardMargin == b.InterCardMargin && a.FontName == b.FontName &&
         a.FontSize == b.FontSize && a.FontStyle == b.FontStyle;
}

TEST_F(SettingsRoundTripTest, EachFeatureReadsBackWhatItWroteUnderItsOwnKeys) {
  struct Feature {
    const char* name;
    const char* section;
    // Writes a record with every value off its default; true when reading
    // it back gives the same record.
    std::function<bool()> roundTrip;
    std::vector<std::string> keys;
  };
  TMDIChild& script = Script();
  script.SceneInformationOff = 0;
  // clang-format off
  const Feature features[] = {
      {"rundown sheets", "Rundown",
       [] {
         TIniFile ini = OpenSettingsFile();
         WriteRundownOptions(ini, OddRundown(), false);
         return SameRundown(ReadRundownOptions(OpenSettingsFile()), OddRundown());
       },
       {"font size", "font", "UndAct", "Und Scene Head", "BoldAct", "Bold Scene Head", "PrintSetList",
        "PrintPgNumbsInSetList", "Start And Ending Pg #", "List Chars In Set List", "Print Locations Bold",
        "Chars All Caps", "Set List Page Text", "Set List Final Text", "Put in Clipboard", "Print Total Boxes",
        "ActSceneColumn", "DayNightColumn", "PageNumColumn", "Min Box Height", "BoxWidth", "2 Timing Boxes"}},
      {"character lists", "Character Lists",
       [&script] {
         TCharacterListOptions o;
         o.SortOrder = 3;
         o.AllCaps = o.NonSpeaking = o.AfterFirst = false;
         TIniFile ini = OpenSettingsFile();
         WriteCharacterListOptions(ini, o, script);
         const TCharacterListOptions read = ReadCharacterListOptions(OpenSettingsFile(), script);
         return read.SortOrder == 3 && !read.AllCaps && !read.NonSpeaking && !read.AfterFirst;
       },
       {"Sort Order", "All Caps", "Non-Speaking", "After First"}},
      {"breakdowns", "Breakdowns",
       [] {
         TBreakdownOptions o;
         o.TrueTotals = o.ListCharacters = o.NonSpeaking = false;
         o.EachGroupOnPage = true;
         o.LinesPerEighth = 6;
         o.NameOrder = TNameOrder::SpeakingFirst;
         TIniFile ini = OpenSettingsFile();
         SaveBreakdownOptions(ini, o);
         TBreakdownOptions read;
         ReadBreakdownOptions(OpenSettingsFile(), read);
         return !read.TrueTotals && !read.ListCharacters && !read.NonSpeaking && read.EachGroupOnPage &&
                read.LinesPerEighth == 6 && read.NameOrder == TNameOrder::SpeakingFirst;
       },
       {"True Totals", "List Char Names", "Non-Speaking", "Each Group On Page", "Adjusted Lines", "Sort Char Names",
        "Names in Script Order", "Speaking Names First", "User List Order"}},
      {"card printing", CardPrintingSection,
       [] {
         WriteCardPrintLayout(OddCards());
         return SameCards(ReadCardPrintLayout(), OddCards());
       },
       {"Cards Across", "Cards Down", "Landscape", "Draw Boxes", "Bold Headlines", "Top Margin", "Left Margin",
        "Inter-Card Margin", "Font Name", "Font Size", "Card Font Style"}},
  };
  // clang-format on
  for (const Feature& f : features) {
    SCOPED_TRACE(f.name);
    OpenSettingsFile().EraseSection(f.section);
    EXPECT_TRUE(f.roundTrip());
    std::vector<std::string> stored = OpenSettingsFile().ReadSection(f.section);
    std::vector<std::string> expected = f.keys;
    std::sort(stored.begin(), stored.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(stored, expected);
  }
}

// Missing keys give the defaults the settings file has always implied.
TEST_F(SettingsRoundTripTest, MissingKeysGiveTheDefaults) {
  for (const char* section : {"Rundown", "Character Lists", "Breakdowns", CardPrintingSection})
    OpenSettingsFile().EraseSection(section);
  EXPECT_TRUE(SameRundown(ReadRundownOptions(OpenSettingsFile()), TRundownOptions{}));
  EXPECT_TRUE(SameCards(ReadCardPrintLayout(), TCardPrintLayout{}));
  const TCharacterListOptions lists = ReadCharacterListOptions(OpenSettingsFile(), Script());
  EXPECT_EQ(lists.SortOrder, 0);
  EXPECT_TRUE(lists.AllCaps);
  EXPECT_TRUE(lists.NonSpeaking);
  TBreakdownOptions breakdowns;
  breakdowns.TrueTotals = breakdowns.ListCharacters = breakdowns.NonSpeaking = false;
  breakdowns.EachGroupOnPage = true;
  breakdowns.NameOrder = TNameOrder::UserList;
  ReadBreakdownOptions(OpenSettingsFile(), breakdowns);
  EXPECT_TRUE(breakdowns.TrueTotals && breakdowns.ListCharacters && breakdowns.NonSpeaking);
  EXPECT_FALSE(breakdowns.EachGroupOnPage);
  EXPECT_EQ(breakdowns.LinesPerEighth, 7);
  EXPECT_EQ(breakdowns.NameOrder, TNameOrder::Alphabetical);
}

}  // namespace
}  // namespace qm
