#include "support/writer_rounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "script/layout/centered_elements.h"
#include "shell/main_form.h"
#include "shell/menu_table.h"
#include "support/command_answers.h"

namespace qm::testing {

namespace {

int SeedsSkipped() {
  const char* asked = std::getenv("QM_ROUND_FROM");
  return asked && std::atoi(asked) > 0 ? std::atoi(asked) : 0;
}

std::string Faults(const std::vector<std::string>& faults, int trials, const char* shape) {
  std::string all = std::to_string(faults.size()) + " of " + std::to_string(trials) + " trials on " + shape + ":\n";
  for (std::size_t i = 0; i < faults.size() && i < 8; ++i) all += faults[i] + "\n";
  return all;
}

// The element's laid-out lines that start within its first `length`
// characters (its saved offsets are where each line ends).
Byte LinesStartingWithin(const TScriptElement& e, std::size_t length) {
  const std::vector<Byte>& ends = e.lineOffsets;
  if (ends.size() < static_cast<std::size_t>(2 * e.lineCount + 1)) return e.lineCount;
  Byte lines = 1;
  for (std::size_t line = 1; line < e.lineCount; ++line) {
    const std::size_t next = ends[2 * line - 1] | static_cast<std::size_t>(ends[2 * line]) << 8;
    if (next < length) ++lines;
  }
  return lines;
}

}  // namespace

int TrialsOfEachShape(int usual) {
  const char* asked = std::getenv("QM_ROUND_TRIALS");
  return asked && std::atoi(asked) > 0 ? std::atoi(asked) : usual;
}

void RunTrials(const char* shape, int firstSeed, int trials, const std::function<std::string(std::uint64_t)>& trial) {
  std::vector<std::string> faults;
  firstSeed += SeedsSkipped();
  for (int t = 0; t < trials; ++t) {
    const std::uint64_t seed = static_cast<std::uint64_t>(firstSeed + t);
    if (const std::string fault = trial(seed); !fault.empty())
      faults.push_back("seed " + std::to_string(seed) + ": " + fault);
  }
  EXPECT_TRUE(faults.empty()) << Faults(faults, trials, shape);
}

TScriptElement* PlaceNearBreaks(TMDIChild& w, SeededRandom& dice) {
  std::vector<TScriptElement*> places;
  for (TScriptElement* e = w.FirstElement; e; e = e->next) {
    if (IsPageBreakKind(e->Kind())) continue;
    const bool nearBreak = (e->next && e->next->Kind() == ekAutoPageBreak) ||
                           (e->prev && e->prev->Kind() == ekAutoPageBreak) ||
                           (e->Kind() == ekCharacterName && e->next && e->next->text && e->next->text->size() > 800);
    places.push_back(e);
    if (nearBreak) places.insert(places.end(), 6, e);
  }
  return places[static_cast<std::size_t>(dice.Below(static_cast<int>(places.size())))];
}

TAction Key(const std::string& what, Word key, TShiftState shift, bool quiet) {
  return {what, [key, shift] { SendKey(key, shift); }, quiet};
}

void Type(const std::string& text, TActions& out) {
  for (std::size_t i = 0; i < text.size(); ++i)
    out.push_back({"type \"" + text + "\"", [c = text[i]] { TypeText(std::string(1, c)); }, false, i > 0});
}

void CaretRun(SeededRandom& dice, int moves, TActions& out) {
  static const Word keys[] = {VK_DOWN, VK_DOWN, VK_DOWN, VK_UP, VK_UP, VK_RIGHT, VK_LEFT, VK_NEXT, VK_PRIOR, VK_END};
  for (int i = 0; i < moves; ++i)
    out.push_back(Key("caret moves", keys[dice.Below(static_cast<int>(std::size(keys)))], {}, true));
}

void MarkLines(int lines, TActions& out) {
  for (int i = 0; i < lines; ++i) out.push_back(Key("Shift+Down", VK_DOWN, TShiftState(ssShift), true));
}

std::vector<std::string> WriterRoundFixture::Commands() {
  std::vector<std::string> names;
  for (const TMenuRow& row : MainMenuRows()) {
    if (!row.name[0] || !row.command || row.IsLine() || CommandsNotWalked().count(row.name)) continue;
    const TMenuItem* item = MainForm->MenuItem(row.name);
    if (item && item->Enabled && item->Count() == 0) names.push_back(row.name);
  }
  return names;
}

TAction WriterRoundFixture::Command(const std::string& name) {
  return {name, [this, name] { Run(name); }};
}

ScriptShot WriterRoundFixture::Judged(TMDIChild& w) { return JudgedAsItStands(w, Settled(w)); }

ScriptShot WriterRoundFixture::JudgedAsItStands(const TMDIChild& w, ScriptShot shot) {
  const TScriptElement* e = w.FirstElement;
  for (ElementShot& s : shot.elements) {
    if (IsCenteredKind(w, s.kind)) s.format.LeftMargin = 0;
    // The lines before an element that opens a page are the layout's.
    if (e->prev && e->prev->Kind() == ekAutoPageBreak) s.format.LinesBefore = 0;
    // The picture stores the element with the caret only: any other
    // stands as stored before its kind began trimming its end (an
    // option turned on) or as pasted, so the ends are judged as storing
    // leaves them, and a line of the blanks it trims is no line.
    const bool cut = e->next && e->next->Kind() == ekAutoPageBreak && e->next->split == spFirstPiece;
    const std::string trims = cut ? std::string() : w.StoringTrims(*e);
    const std::size_t stood = s.text.size();
    while (!s.text.empty() && trims.find(s.text.back()) != std::string::npos) s.text.pop_back();
    // Nor does a name keep the blanks before it (the one being typed has
    // them until it is stored).
    if (s.kind == ekCharacterName) s.text.erase(0, std::min(s.text.find_first_not_of(' '), s.text.size()));
    // Nothing left is stored as a blank.
    if (s.text.empty()) s.text = " ";
    if (s.text.size() < stood) s.lineCount = LinesStartingWithin(*e, s.text.size());
    e = e->next;
  }
  return shot;
}

}  // namespace qm::testing
