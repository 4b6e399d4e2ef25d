// The rows of a rundown sheet and the choices it prints with: what the
// rundown table and the set list both read.
#pragma once

#include <string>
#include <vector>

#include "platform/types.h"
#include "script/model/script_model.h"

namespace qm {

struct TRundownRow {
  std::string Act;               // ONE, 1, A, a Roman numeral; a prologue's text
  std::string Scene;             // a single blank for a prologue without a scene
  std::string Heading;           // upper case, plain, without its day/night part
  std::string Page;              // the page the row starts on
  std::string Characters;        // the scene's generated character list
  std::string Description;       // the Scene Description tagged in its note
  Byte Kind = ekActInformation;  // or ekPrologueText
  std::string DayNight;          // DAY ONE
};

// A row under its key: act key followed by scene key (ACT ONE, SCENE A).
struct TRundownEntry {
  std::string Key;
  std::string ActKey;
  TRundownRow Row;
};
using TRundownRows = std::vector<TRundownEntry>;

// The [Rundown] settings.
struct TRundownOptions {
  int FontSize = 10;
  std::string Font = "Times New Roman";
  bool UndAct = false;
  bool UndSceneHead = false;
  bool BoldAct = false;
  bool BoldSceneHead = false;
  bool PrintSetList = true;
  bool PrintPageNumbers = false;
  bool StartAndEndingPage = false;
  bool ListChars = false;
  bool LocationsBold = false;
  bool CharsAllCaps = false;
  std::string PageText = "Pg.";
  std::string FinalText = "END OF SHOW";
  bool PutInClipboard = false;
  bool ActSceneColumn = false;
  bool DayNightColumn = false;
  bool PageNumColumn = false;
  std::string MinBoxHeight = "0.7";
  std::string BoxWidth = "0.8";
  bool TwoTimingBoxes = false;
  bool PrintTotalBoxes = true;
};

// The production details heading the table and the set list.
struct TProductionDetails {
  std::string Title, Company, Episode, Draft, ReportedDate, Director;
};

}  // namespace qm
