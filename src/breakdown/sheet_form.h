// The printed breakdown sheet: a form per scene with its labelled header
// boxes and twelve squares listing the scene's items by department, with
// continuation sheets while items are left. It draws through the print
// run, so it goes to the printer, the preview or a print file alike.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "breakdown/breakdown_record.h"
#include "breakdown/categories.h"

namespace qm {

// What the header of a scene's sheet shows.
struct TSheetHeader {
  std::string Company;
  std::string Title;
  std::string SceneNumber;
  std::string SceneName;
  std::string IntExt;
  std::string TimeOfDay;
  std::string StartPage;
  std::string EndPage;
  int WholePages = 0;
  int Eighths = 0;
  std::string Date;
};

// The run's state that every sheet shares.
struct TSheetRun {
  TCategoryTable Categories;
  TSheetTitles Titles;
  // The breakdown page number of the next scene's sheets.
  int SceneCounter = 1;
  // Whether the page in hand already holds a sheet.
  bool PageUsed = false;
};

using TSquareLists = std::array<std::vector<std::string>, SheetSquareCount>;

// The record's items moved into the squares of their categories: hidden
// categories' items, and those of a category with no square, are dropped.
// The scene description stays in its list unless it has a square.
TSquareLists FillSheetSquares(BreakdownRecord& record, const TCategoryTable& table);

// An item's printed lines in a room: cut at the last blank while too wide
// (a piece without a blank whole), the rest indented by two blanks.
std::vector<std::string> WrapSquareItem(const std::string& item, int room, int (*width)(const std::string&));

// The suffix of a scene's sheet after its first: " (2)", " (3)" ... with
// no end, so that the numbers never repeat.
std::string SheetSuffix(int sheet);

// Prints the record's sheet and its continuation sheets on the open print
// run; the record's lists are emptied and the scene counter grows by one.
// Returns the number of sheets printed.
int PrintBreakdownSheets(const TSheetHeader& header, BreakdownRecord& record, TSheetRun& run);

}  // namespace qm
