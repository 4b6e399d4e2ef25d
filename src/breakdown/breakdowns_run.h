// One production breakdowns run: the choices of the Production Breakdowns
// dialog, the scenes gathered with them (wanted or not, sorted, with their
// characters and items), the lengths in pages and eighths, and the group
// totals of the printed outputs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "breakdown/breakdown_record.h"

namespace qm {

class TMDIChild;
class TScriptDocument;
class TIniFile;

enum class TPrimaryOrder { ScriptOrder, IntExt, Location, TimeOfDay, Characters };
enum class TSecondaryOrder { ScriptOrder, IntExt, Location, TimeOfDay };
enum class TNameOrder { Alphabetical, ScriptOrder, SpeakingFirst, UserList };
enum class TBreakdownOutput { Report, Graph, Export, Sheets };
enum class TSceneChoice { All, Selected, AllExceptOmitted };

struct TBreakdownOptions {
  TBreakdownOutput Output = TBreakdownOutput::Report;
  TPrimaryOrder Primary = TPrimaryOrder::ScriptOrder;
  TSecondaryOrder Secondary = TSecondaryOrder::ScriptOrder;
  // With the characters order: only the picked names make groups...
  bool SomeNames = false;
  std::vector<std::string> PickedNames;
  // ... and, when false, only they are listed in the scenes.
  bool ListAllNamesOfPickedScenes = true;
  bool ListCharacters = true;
  TNameOrder NameOrder = TNameOrder::Alphabetical;
  bool NonSpeaking = true;
  bool EachGroupOnPage = false;
  bool PrintTagged = false;
  int LinesPerEighth = 7;
  bool TrueTotals = true;
  // Which scenes take part; Selected holds one flag per scene in script order.
  TSceneChoice Scenes = TSceneChoice::All;
  std::vector<bool> Selected;
  std::string ProductionCompany;
  std::string ProductionTitle;
  // The dialog was shown: doubtful times of day are asked about.
  bool AskAboutTimes = false;
};

// Section "Breakdowns" of the settings file.
void ReadBreakdownOptions(const TIniFile& ini, TBreakdownOptions& options);
void SaveBreakdownOptions(TIniFile& ini, const TBreakdownOptions& options);

// A length in whole pages and eighths (0..7).
struct TPageLength {
  int Pages = 0;
  int Eighths = 0;
  friend bool operator==(const TPageLength&, const TPageLength&) = default;
};

// A scene's length: L lines to the eighth, rounded up from two lines over;
// eight eighths carry into a page; a scene of some lines is at least 1/8.
TPageLength SceneLength(int lines, int linesPerEighth);
// A group's total from the rounded eighths of its scenes.
TPageLength RoundedTotal(int pages, int eighths);
// A group's total from the lines of its scenes.
TPageLength TrueTotal(int lines, int linesPerEighth);
// The length column: "    1/8", "  3 2/8", " 12 0/8".
std::string LengthColumnText(const TPageLength& length);
// A total: "3 2/8", or "2/8" without pages.
std::string TotalText(const TPageLength& length);

struct TRunScene {
  BreakdownRecord Record;
  int Position = 0;    // 1-based, in script order
  bool Wanted = true;  // selected (and, with some names, holds one of them)
  TPageLength Length;
};

struct TBreakdownRun {
  std::vector<std::string> Names;
  // Per name: it makes a group (all names, or the picked ones).
  std::vector<bool> NameTakesPart;
  // The scenes in the run's order.
  std::vector<TRunScene> Scenes;
  std::string FileName;  // the script's, without folder
  bool MultiLockedScenes = false;
  std::string OmitText;
  std::string Separator;  // between location and time of day
};

// A scene's number as the outputs show it: its leading blanks left out.
std::string SceneNumberShown(const BreakdownRecord& record);

// The names of a scene's characters, in the scene's order.
std::vector<std::string> SceneCharacters(const TBreakdownRun& run, const BreakdownRecord& record);

// The running sums of a group.
struct TGroupTotals {
  int Pages = 0;
  int Eighths = 0;
  int Lines = 0;
  void Add(const TRunScene& scene);
  bool Empty() const { return Pages == 0 && Eighths == 0; }
  TPageLength Total(const TBreakdownOptions& options) const;
};

// The primary key of a scene under the order; empty for the orders that
// have none.
const std::string& PrimaryKey(const TRunScene& scene, TPrimaryOrder order);

// Gathers, splits, selects, sorts and measures the scenes. False (after
// its message) when the run stops: no scenes, no names for the characters
// order, or the user said so; false without a message when `keepGoing`,
// asked at every scene, says no.
bool GatherBreakdownRun(const TScriptDocument& script, const TBreakdownOptions& options, TBreakdownRun& run,
                        const std::function<bool()>& keepGoing = nullptr);

// The scene list's entries of the dialog, one per scene heading of the
// active script.
std::vector<std::string> SceneListEntries();
// The selection "All Scenes except OMITTEDs" makes of the entries.
std::vector<bool> SelectAllExceptOmitted(const std::vector<std::string>& entries, const std::string& omitText);

// The scenes in which the names speak or appear (every one of them, or
// any), as the print menu's scene list: numbers joined by ",". Empty when
// no scene has them or the run stopped.
std::string ScenesOfCharacters(const TScriptDocument& script, const std::vector<std::string>& names, bool everyName);

// Runs the breakdown to its output. False when it stopped or failed.
bool RunBreakdown(TMDIChild& script, const TBreakdownOptions& options);

}  // namespace qm
