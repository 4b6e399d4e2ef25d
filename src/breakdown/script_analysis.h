// What a script is made of: its characters and how much each speaks, its
// scenes and locations, its action, speeches and parentheticals, counted
// in one walk of the element list and told in five paragraphs and a
// detail block per character.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace qm {

class TMDIChild;
class TScriptDocument;

// One character's speeches. Counts are wide: a lead may speak hundreds
// of times.
struct TWorkData {
  int SpeechLines = 0;
  int Speeches = 0;
  int Longest = 0;
  int ShortSpeeches = 0;   // 1 or 2 lines
  int MediumSpeeches = 0;  // 3 or 4 lines
  int LongSpeeches = 0;    // 5 or more, and 0
  int Scenes = 0;
  std::string FirstPage, LastPage, LongestPage, FirstScene, LastScene;
};

struct TAnalysisEntry {
  std::string Name;
  TWorkData Data;
};

// Counts of elements by their length in lines.
struct TLengthClasses {
  int Count = 0;
  int Lines = 0;
  int Short = 0;
  int Medium = 0;
  int Long = 0;
  int Longest = 0;
  std::string LongestPage;
  void Add(int lines, const std::string& page);
};

struct TScriptAnalysis {
  // The speaking characters, most speeches first (aliases folded).
  std::vector<TAnalysisEntry> Names;
  int Characters = 0;
  int SpokeOften = 0;   // 11 or more times
  int SpokeSome = 0;    // 5 to 10
  int SpokeLittle = 0;  // 1 to 4
  int Scenes = 0;
  int UniqueLocations = 0;
  TLengthClasses Action;
  TLengthClasses Speech;
  std::string LongestSpeaker;
  int Parentheticals = 0;
  int Pages = 0;
  // The five paragraphs of the "General" page; lines end with "\r".
  std::array<std::string, 5> Labels;
};

// The pages of the script: one more than its page breaks.
int ScriptPageCount(const TScriptDocument& script);

// Walks the script once (the active script: names and locations come from
// its tables).
TScriptAnalysis AnalyzeScript(TMDIChild& script);

// The eight lines of one character's detail block.
std::array<std::string, 8> DetailLines(const TWorkData& data);

// Hundredths written with two decimals: 75 is "0.75", 1250 "12.50".
std::string HundredthsText(int hundredths);

// The script's name as the printed headings give it: no folder or
// extension, each word with a capital.
std::string AnalysisTitleName(const std::string& fileName);
// Prints the five paragraphs, or the detail of the characters chosen (by
// their place in analysis.Names), with the script's name in the heading.
// False when nothing could be printed.
bool PrintGeneralAnalysis(const TScriptAnalysis& analysis, const std::string& fileName);
bool PrintCharacterDetail(const TScriptAnalysis& analysis, const std::vector<int>& chosen, const std::string& fileName);

// The "Script Analysis" command.
void ShowScriptAnalysis();

}  // namespace qm
