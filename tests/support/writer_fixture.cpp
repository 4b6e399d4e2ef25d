#include "support/writer_fixture.h"

#include <algorithm>
#include <filesystem>

#include "base/document_table.h"
#include "breakdown/categories.h"
#include "files/undo_ring.h"
#include "script/editing/editor_calls.h"
#include "script/layout/screen_rebuild.h"
#include "script/layout/word_wrap.h"
#include "script/model/text_codes.h"
#include "shell/main_form.h"
#include "support/command_answers.h"
#include "support/continued_rule.h"
#include "support/message_box_answers.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "platform/user_action.h"

namespace qm::testing {

std::string LongSpeech(SeededRandom& dice, std::size_t letters) {
  static const char* const words[] = {"listen", "to",   "me", "the",  "money", "was",   "never", "yours", "and",
                                      "you",    "knew", "it", "from", "the",   "start", "so",    "stop",  "pretending"};
  std::string text;
  while (text.size() < letters) {
    if (!text.empty()) text += ' ';
    text += words[dice.Below(18)];
    if (dice.Chance(8)) text += '.';
  }
  text.resize(letters);
  return text;
}

std::string Tagged(const std::string& item, int category) {
  return std::string(1, static_cast<char>(TagCodeOfCategory(category))) + item + static_cast<char>(TagEnd);
}

std::vector<ElementSpec> ScreenplayOfLongSpeeches(std::uint64_t seed, std::size_t speechLetters) {
  SeededRandom dice(seed);
  std::vector<ElementSpec> out;
  int speeches = 0, actions = 0, headings = 0;
  for (ElementSpec& e : GenerateScreenplay(seed, 12)) {
    if (e.kind == ekDialogue && ++speeches % 6 == 0) e.text = LongSpeech(dice, speechLetters);
    if (e.kind == ekAction && ++actions % 5 == 0) e.text = "He lifts the " + Tagged("LAMP", 4) + ". " + e.text;
    out.push_back(e);
    if (e.kind == ekSceneHeading && ++headings % 4 == 0) out.push_back({ekScriptNote, "Check the light here."});
  }
  return out;
}

std::vector<ElementSpec> WithActs(std::vector<ElementSpec> script) {
  std::vector<ElementSpec> out;
  int headings = 0;
  for (const ElementSpec& e : script) {
    if (e.kind == ekSceneHeading && headings++ % 5 == 0)
      out.push_back({ekActStart, "ACT " + std::to_string(headings / 5 + 1)});
    out.push_back(e);
  }
  return out;
}

std::vector<ElementSpec> ActsOpenedAndEnded(std::uint64_t seed) {
  std::vector<ElementSpec> out;
  int acts = 0;
  for (const ElementSpec& e : WithActs(ScreenplayOfFullSpeeches(seed))) {
    if (e.kind == ekActStart && acts++ > 0) out.push_back({ekEndOfActText, "END OF ACT " + std::to_string(acts - 1)});
    out.push_back(e);
  }
  out.push_back({ekEndOfActText, "END OF ACT " + std::to_string(acts)});
  return out;
}

void WriterFixture::SetUp() {
  // Every step of a trial stays in the ring.
  InitialSettings.push_back({"Program Settings", "Max Undo Levels", "20"});
  ProgramFixture::SetUp();
  // Whatever a key or a command asks is confirmed, as in the commands.
  Driver().OnUnanswered = [this](TForm& form) {
    const std::string text = MessageBoxText(form);
    if (text.find("Nothing to Undo") != std::string::npos) UndoRefused = true;
    if (text.find("Nothing to Redo") != std::string::npos) RedoRefused = true;
    if (CancelEverything) form.ModalResult = mrCancel;
    else ConfirmForm(form, Asked);
  };
  Driver().OnProblem = [](const std::string&) {};
}

// The fixture's own answers stand in for the confirming ones of RunConfirmed.
void WriterFixture::BeforeStart() {
  if (!WithSpelling) return;
  namespace fs = std::filesystem;
  const fs::path built = fs::path(QM_BINARY_DIR) / "data";
  const fs::path own = fs::path(Home()) / "program";
  fs::create_directories(own);
  // The large files nothing writes are shared.
  for (const fs::directory_entry& entry : fs::directory_iterator(built)) {
    const fs::path to = own / entry.path().filename();
    if (entry.is_regular_file() && entry.file_size() > 4'000'000) fs::create_symlink(entry.path(), to);
    else fs::copy(entry.path(), to, fs::copy_options::recursive);
  }
  programFolder_ = std::make_unique<ScopedEnv>("QUILLMASTER_PROGRAM_FOLDER", own.string() + "/");
}

void WriterFixture::Run(const std::string& name) {
  Asked = 0;
  MainForm->MenuItem(name)->Click();
}

bool WriterFixture::Undo() {
  UndoRefused = false;
  Run("UndoItem");
  return UndoRefused;
}

bool WriterFixture::Redo() {
  RedoRefused = false;
  Run("RedoItem");
  return RedoRefused;
}

TMDIChild& WriterFixture::Only() {
  while (DocumentCount > 0) {
    ActiveScript()->DocumentModified = 0;
    MainForm->CloseFileItem->Click();
  }
  // A closed window goes, and clears the ring, once its message is done.
  Application->ProcessMessages();
  MainForm->FileNewItem->Click();
  return *ActiveScript();
}

TMDIChild& WriterFixture::LayOut(const std::vector<ElementSpec>& elements, const char* family, bool marksByRule) {
  TMDIChild& w = Only();
  if (*family) Run(family);
  w.FreeElements();
  ResetScreenLines(w);
  AddElements(w, elements);
  if (std::string(family) == "InteractiveCDROM1") {
    Word number = 0;
    for (TScriptElement* e = w.FirstElement; e; e = e->next)
      if (e->Kind() == ekSceneHeading) e->format.NumberWord = ++number;
  }
  w.TaggingUsed = 1;
  if (marksByRule) MarkNamesByRule(w);
  editor::SetCurrentElement(w, w.FirstElement);
  w.CurrentGroup = w.FirstElement->group;
  w.DisAssemble();
  TWrapPass pass(w);
  for (TScriptElement* e = w.FirstElement; e; e = e->next) pass.Wrap(*e, LiveElementText(w, *e));
  w.RefreshLayout();
  return w;
}

void WriterFixture::WrapAgain(TMDIChild& w) {
  w.Assemble();
  TWrapPass pass(w);
  for (TScriptElement* e = w.FirstElement; e; e = e->next) pass.Wrap(*e, LiveElementText(w, *e));
  w.DisAssemble();
  w.RefreshLayout();
}

void WriterFixture::AsRead(TMDIChild& w) {
  // As a script read from its file: its marks are its own.
  editor::SettleContinuedCues(w);
  UndoObject->ClearUndoData();
  w.DocumentModified = 0;
  MainForm->UpdateMenusAndButtons();
  w.SetFocus();
}

void WriterFixture::PushOntoAPages(TMDIChild& w, SeededRandom& dice) {
  Run("LockScriptItem");
  for (int i = 0; i < 3; ++i) {
    CaretAt(w, ActionNear(w, 80), 0);
    editor::SetEditText(w, "More happens here. " + LongSpeech(dice).substr(0, 600));
    // Laid out on its new text, as the edit line is when replaced.
    w.WordWrapText(w.CurrentElement(), w.EditBuffer(), true, true);
    w.RefreshLayout();
  }
}

void WriterFixture::LockAndRevise(TMDIChild& w) {
  Run("LockScriptItem");
  w.RevisionMarking = 1;
  for (int i = 0; i < 3; ++i) {
    CaretAt(w, ActionNear(w, 40 + 50 * i), 2);
    w.SetFocus();
    TypeText("now ");
  }
  w.RefreshLayout();
}

void WriterFixture::StartNewRevision(TMDIChild& w) {
  w.RefreshLayout();
  w.DocumentModified = 0;
  Run("StartNextRevisionItem");
  w.HeaderLine1 = "REVISED PAGES " + std::to_string(w.CurrentRevision);
  w.RevisionMarking = 1;
  w.RefreshLayout();
}

void WriterFixture::ChooseFromMenu(const std::string& caption) {
  Driver().ExpectPopup(
      [caption](TPopupMenu& menu) -> TMenuItem* {
        for (int i = 0; i < menu.Items()->Count(); ++i) {
          TMenuItem* item = menu.Items()->Items(i);
          std::string shown = item->Caption();
          std::erase(shown, '&');
          if (item->Visible() && !item->IsLine() && (caption.empty() || shown == caption)) return item;
        }
        return nullptr;
      },
      caption.empty() ? std::string("the first item") : caption);
}

TScriptElement* WriterFixture::ActionNear(TMDIChild& w, int index) {
  TScriptElement* e = w.FirstElement;
  for (int i = 0; i < index && e->next; ++i) e = e->next;
  while (e->next && e->Kind() != ekAction) e = e->next;
  return e;
}

void WriterFixture::CaretAt(TMDIChild& w, TScriptElement* e, int column) {
  w.Assemble();
  editor::SetCurrentElement(w, e);
  w.CurrentGroup = e->group;
  w.DisAssemble();
  editor::SetCaretColumn(w, static_cast<Word>(std::min<std::size_t>(column, w.EditBuffer().size())));
  RebuildScreen(&w);
}

ScriptShot WriterFixture::Settled(TMDIChild& w) {
  // The edit line stored and taken up again first, as when the caret went
  // and came back: the pages are laid out on what storing keeps (the
  // blanks an Action ends in may go), as the picture shows it.
  w.Assemble();
  w.DisAssemble();
  w.RefreshLayout();
  TUserAction::Settle();
  w.Assemble();
  w.DisAssemble();
  return Shoot(w);
}

std::uint64_t WriterFixture::Fingerprint(const TMDIChild& w) {
  std::uint64_t sum = 1469598103934665603ull;
  const auto mix = [&sum](std::uint64_t v) { sum = (sum ^ v) * 1099511628211ull; };
  const auto mixText = [&mix](const std::string& text) {
    for (const char c : text) mix(static_cast<Byte>(c));
    mix(0x100);
  };
  for (const TScriptElement* e = w.FirstElement; e; e = e->next) {
    mix(e->Kind());
    mixText(LiveElementText(w, *e));
    for (const Byte b : e->format.ToBytes()) mix(b);
    mix(e->state);
    mix(e->split);
    mixText(e->revisedLines.value_or(""));
  }
  // A caret move that answers the question to show hidden elements again
  // changes what is hidden alone.
  mix(w.HiddenKinds);
  return sum;
}

}  // namespace qm::testing
