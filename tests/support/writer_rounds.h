// What the writer's seeded rounds share: how many trials a shape runs
// (QM_ROUND_TRIALS, QM_ROUND_FROM), the trials of one shape run and their
// faults told, where the caret is put, the actions a writer takes one at
// a time, and the script judged as the history of Undo compares it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/input.h"
#include "script/script_window.h"
#include "support/script_shots.h"
#include "support/writer_fixture.h"

namespace qm::testing {

// QM_ROUND_TRIALS sets the trials of each shape, or `usual` when unset.
int TrialsOfEachShape(int usual);

// Runs the trials of one shape from the first seed on (QM_ROUND_FROM
// skips that many seeds, to run one again); every fault found fails the
// test.
void RunTrials(const char* shape, int firstSeed, int trials, const std::function<std::string(std::uint64_t)>& trial);

// The caret somewhere a writer works, most often where a speech or an
// element runs over a page break.
TScriptElement* PlaceNearBreaks(TMDIChild& w, SeededRandom& dice);

// One action of the writer: a key delivered, a menu command, a click.
// A quiet one (a caret move) seldom changes anything; one that goes on
// typing a word is undone with the word.
struct TAction {
  std::string what;
  std::function<void()> act;
  bool quiet = false;
  bool goesOn = false;
};
using TActions = std::vector<TAction>;

TAction Key(const std::string& what, Word key, TShiftState shift = {}, bool quiet = false);
// A word typed a key at a time.
void Type(const std::string& text, TActions& out);
// A run of caret moves as a writer makes between edits.
void CaretRun(SeededRandom& dice, int moves, TActions& out);
// A block of that many lines down from the caret.
void MarkLines(int lines, TActions& out);

class WriterRoundFixture : public WriterFixture {
 protected:
  // The menu commands a round may run: enabled, not a sub-menu, and none
  // of those that open or close scripts or only change how it is shown.
  std::vector<std::string> Commands();
  TAction Command(const std::string& name);

  // The script settled, as the history judges it. A centred element's
  // left margin is left out: the layout raises it from whatever text the
  // wrap was given, and an empty name measures its stored blank, or
  // nothing while the caret is in it, so the same script passed by the
  // caret or given back by Undo may stand half a tenth apart.
  ScriptShot Judged(TMDIChild& w);
  // The same of a shot of the script as it stands, laid out or not.
  static ScriptShot JudgedAsItStands(const TMDIChild& w, ScriptShot shot);
};

}  // namespace qm::testing
