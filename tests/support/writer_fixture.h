// The scripts a writer works on, laid out as read from their files, and a
// program that answers as a writer who says yes to everything: what the
// random rounds and the undo tests start from. An Undo or Redo the program
// refuses ("Nothing to Undo", "Nothing to Redo") is noted.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "support/program_fixture.h"
#include "support/script_builder.h"
#include "support/script_generator.h"
#include "support/script_shots.h"
#include "support/temp_folder.h"

namespace qm::testing {

// A speech of that many letters, a sentence ended now and then (2,680
// are more than an element holds: no letter can be typed into it).
std::string LongSpeech(SeededRandom& dice, std::size_t letters = 2680);
// An item tagged in a breakdown category.
std::string Tagged(const std::string& item, int category);
// Twelve pages: every sixth speech a long one that crosses a page, props
// tagged in some action, a note now and then.
std::vector<ElementSpec> ScreenplayOfLongSpeeches(std::uint64_t seed, std::size_t speechLetters = 2680);
// The same with speeches no longer than an element holds.
inline std::vector<ElementSpec> ScreenplayOfFullSpeeches(std::uint64_t seed) {
  return ScreenplayOfLongSpeeches(seed, 2400);
}
// A stage play or a sitcom: acts open with their information.
std::vector<ElementSpec> WithActs(std::vector<ElementSpec> script);
// The stage play or sitcom of ScreenplayOfFullSpeeches, its acts opened
// with their information and ended with their closing text.
std::vector<ElementSpec> ActsOpenedAndEnded(std::uint64_t seed);

class WriterFixture : public ProgramFixture {
 protected:
  void SetUp() override;
  // The program's own files, with the spelling engine, are a private copy:
  // a command that saves a format family or learns a word writes there.
  void BeforeStart() override;

  // The program's options, as the main window keeps them.
  TProgramOptions& Options() { return *MainForm; }
  // Runs a menu command by its name, every question confirmed.
  void Run(const std::string& name);
  // Undo and Redo from the menu; whether the program refused.
  bool Undo();
  bool Redo();

  // The only script open: a new, empty one.
  TMDIChild& Only();
  // A new script of the format family (a menu command's name, "" for the
  // screenplay's) holding the elements, wrapped and laid out, its names
  // marked as the rule gives them when asked, the caret at its start.
  TMDIChild& LayOut(const std::vector<ElementSpec>& elements, const char* family, bool marksByRule);
  // Every element wrapped again once the script is numbered: centred act
  // elements measured with their act labels, as a script the program laid
  // out and saved has them.
  static void WrapAgain(TMDIChild& w);
  // As the script stands read from its file: its names' marks its own, no
  // step recorded, nothing modified, the menus as it stands, in front.
  void AsRead(TMDIChild& w);

  // Locked, then text added on the fourth page pushes what follows onto
  // A-pages.
  void PushOntoAPages(TMDIChild& w, SeededRandom& dice);
  // Locked, revision marking on, and a few lines revised far apart.
  void LockAndRevise(TMDIChild& w);
  // Saved, then a new revision started (its A-pages fixed, its colour the
  // next), the headers of the day changed and revision marking on.
  void StartNewRevision(TMDIChild& w);

  // The next pop-up menu is answered with its item of that caption (its
  // hot-key mark left out), or with its first shown item when the caption
  // is empty.
  void ChooseFromMenu(const std::string& caption = {});

  // The first Action from about that element on.
  static TScriptElement* ActionNear(TMDIChild& w, int index);
  // The caret into an element, at a column (its end at most).
  static void CaretAt(TMDIChild& w, TScriptElement* e, int column);
  // Laid out as after a pause, then taken as a save would write it.
  ScriptShot Settled(TMDIChild& w);
  // A quick sum of the elements as the writer made them (kind, text,
  // format, state, marks) and the kinds hidden: what tells cheaply whether a caret move changed
  // anything, without laying the script out.
  static std::uint64_t Fingerprint(const TMDIChild& w);

  // Whether the program's own files are there, the spelling engine and
  // its dictionaries among them (set before SetUp).
  bool WithSpelling = true;
  // While set, whatever a command asks is cancelled instead.
  bool CancelEverything = false;
  // Questions confirmed in the running command.
  int Asked = 0;
  // The last Undo or Redo was refused.
  bool UndoRefused = false;
  bool RedoRefused = false;

 private:
  std::unique_ptr<ScopedEnv> programFolder_;
};

}  // namespace qm::testing
