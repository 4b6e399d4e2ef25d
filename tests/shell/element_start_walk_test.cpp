// Every command that starts, inserts or drops an element, run at each of
// the caret places a writer meets (inside a character name, at its start
// and end, inside a dialogue, between two dialogue paragraphs, inside a
// parenthetical, a scene heading and an action, at the end of the script,
// in the part of a speech carried over a page break, and with a block
// marked). Wherever it runs: no name is cut in two, every word of a speech
// stays under its speaker, no text is lost or doubled, what it brings in
// stands where it was put, the names carry the CONT'D their rule gives
// them, and one Undo gives the script back.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "base/document_table.h"
#include "files/clipboard_copy.h"
#include "files/native_clipboard.h"
#include "files/paste_as.h"
#include "files/undo_ring.h"
#include "language/act_scene_commands.h"
#include "language/quick_entry_dialog.h"
#include "platform/clipboard.h"
#include "platform/cp1252.h"
#include "platform/input.h"
#include "platform/menus.h"
#include "platform/office_button.h"
#include "platform/user_action.h"
#include "script/editing/editor_calls.h"
#include "script/editing/popup_choice.h"
#include "script/fixtures/block_fixture.h"
#include "script/model/cue_codes.h"
#include "script/model/packed_text.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"
#include "script/model/user_list_entries.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "story/activity_wizard_dialog.h"
#include "story/branch_point_dialog.h"
#include "support/command_answers.h"
#include "support/continued_rule.h"
#include "support/script_shots.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

using testing::ElementSpec;

// A speech long enough to run over the page it starts on.
std::string LongSpeech() {
  std::string speech;
  for (int i = 0; speech.size() < 2600; ++i) speech += "word" + std::to_string(i) + " ";
  speech.pop_back();
  return speech;
}

const std::vector<ElementSpec> kScript = {
    {ekSceneHeading, "INT. KITCHEN - NIGHT"},
    {ekAction, "John digs by the fence. A shovel leans against the wall."},
    {ekCharacterName, "DRUMMOND"},
    {ekParenthetical, "quietly and slowly"},
    {ekDialogue, "The soup tastes good tonight."},
    {ekDialogue, "Dinner is served now."},
    {ekCharacterName, "MARY"},
    {ekDialogue, "Thank you kindly."},
    {ekAction, "They eat in silence now."},
    {ekForcedPageBreak, " "},
    {ekCharacterName, "MARY"},
    {ekDialogue, LongSpeech()},
    {ekAction, "The end comes at last."},
};

// One word of the script's text, as a reader follows it: the names are
// left out (a command may repeat one over the rest of a speech), and each
// word of a speech knows the name it is spoken under.
struct TWord {
  std::string text;
  std::string speaker;  // "" outside a speech, "<none>" for a speech without a name
  bool inCaretSpeech = false;
  bool inBlock = false;
  bool dragged = false;
};

std::string NameOf(const std::string& cue) {
  std::string name = AnsiUpperCase(PlainText(cue));
  name = name.substr(0, name.find('('));
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name;
}

// The name a speech element is spoken under.
std::string SpeakerOf(const TMDIChild& w, const TScriptElement& e) {
  if (e.Kind() != ekDialogue && e.Kind() != ekParenthetical) return "";
  for (const TScriptElement* p = e.prev; p; p = p->prev) {
    if (p->Kind() == ekCharacterName) return NameOf(LiveElementText(w, *p));
    if (p->Kind() != ekDialogue && p->Kind() != ekParenthetical && !IsPageBreakKind(p->Kind())) break;
  }
  return "<none>";
}

// The first element of the speech an element belongs to and the one after
// its last; both null when it is not in a speech.
std::pair<const TScriptElement*, const TScriptElement*> SpeechAround(const TScriptElement& e) {
  const auto inSpeech = [](const TScriptElement* x) {
    return x && (IsSpeechKind(x->Kind()) || x->Kind() == ekAutoPageBreak);
  };
  if (!IsSpeechKind(e.Kind())) return {nullptr, nullptr};
  const TScriptElement* first = &e;
  while (first->Kind() != ekCharacterName && inSpeech(first->prev)) first = first->prev;
  const TScriptElement* end = e.next;
  while (inSpeech(end) && !(end->Kind() == ekCharacterName && !IsRepeatedByBreak(*end))) end = end->next;
  return {first, end};
}

struct TStream {
  std::vector<TWord> words;
  std::size_t caretIndex = 0;    // words before the caret
  std::size_t elementStart = 0;  // words before the caret's element
  std::size_t elementEnd = 0;    // words up to the end of the caret's element
};

// The words of the script; the caret's place among them, and which lie in
// the block or in the range `dragged` (element, from, to) when given.
TStream StreamOf(TMDIChild& w, const TScriptElement* dragFrom = nullptr, int dragStart = 0, int dragEnd = 0) {
  TStream s;
  const TScriptElement* caret = w.CurrentElement();
  const auto [speechFirst, speechEnd] = SpeechAround(*caret);
  bool inSpeech = false;
  for (const TScriptElement* e = w.FirstElement; e; e = e->next) {
    if (e == speechFirst) inSpeech = true;
    if (e == speechEnd) inSpeech = false;
    if (e == caret) s.elementStart = s.words.size();
    if (e->Kind() != ekCharacterName && !IsPageBreakKind(e->Kind())) {
      const std::string text = LiveElementText(w, *e);
      std::size_t at = 0;
      while (at < text.size()) {
        if (text[at] == ' ') {
          ++at;
          continue;
        }
        const std::size_t end = std::min(text.find(' ', at), text.size());
        if (e == caret && at < w.CaretColumn()) s.caretIndex = s.words.size() + 1;
        TWord word{PlainText(text.substr(at, end - at)), SpeakerOf(w, *e), inSpeech};
        const int column = static_cast<int>(at);
        word.inBlock = e->InBlock() && column >= std::min(e->blockStart, e->blockEnd) &&
                       column < std::max(e->blockStart, e->blockEnd);
        word.dragged = e == dragFrom && column >= dragStart && column < dragEnd;
        s.words.push_back(word);
        at = end;
      }
    }
    if (e == caret) {
      if (s.caretIndex < s.elementStart) s.caretIndex = s.elementStart;
      s.elementEnd = s.words.size();
    }
  }
  return s;
}

// A word the break of an element began a sentence with is capitalised.
bool SameWord(const std::string& a, const std::string& b) { return AnsiUpperCase(a) == AnsiUpperCase(b); }

// One letter of the text, upper case, and the word it stands in.
struct TLetter {
  char c;
  const TWord* word;
};

std::vector<TLetter> LettersOf(const std::vector<TWord>& words) {
  std::vector<TLetter> letters;
  for (const TWord& word : words)
    for (char ch : AnsiUpperCase(word.text)) letters.push_back({ch, &word});
  return letters;
}

std::string TextOf(const std::vector<TLetter>& letters) {
  std::string text;
  for (const TLetter& l : letters) text += l.c;
  return text;
}

std::vector<std::string> NamesIn(TMDIChild& w) {
  std::vector<std::string> names;
  for (const TScriptElement* e = w.FirstElement; e; e = e->next)
    if (e->Kind() == ekCharacterName) names.push_back(NameOf(LiveElementText(w, *e)));
  return names;
}

// Where a command puts what it brings in.
enum class TWhere { Caret, ElementEnd, ElementStart, Anywhere };
// What a command does with a marked block.
enum class TWithBlock { Keeps, Deletes, Retypes, Nothing };

class ElementStartWalkTest : public testing::BlockFixture {
 public:
  using KeysFixture::W;
  struct TPlace {
    const char* what;
    Byte kind;
    const char* text;  // how the element begins
    int column;        // -1: at its end
    bool carried = false;
    bool block = false;
  };
  struct TCommand {
    const char* what;
    std::function<void(ElementStartWalkTest&)> run;
    std::vector<std::string> inserted;  // the words it brings in, in order
    TWhere where = TWhere::Anywhere;
    TWithBlock withBlock = TWithBlock::Keeps;
    // It may start a speech of another name inside the caret's speech, or
    // change the caret's element's type: the speaker of the caret's speech
    // is then the writer's choice.
    bool newSpeaker = false;
    std::vector<std::string> names = {};  // the names it may bring in
    bool drags = false;
    // It changes the type of the caret's element: a name it retypes is
    // text of the script now.
    bool retypes = false;
    // The places its road never reaches (the scene opening's menu is
    // offered for a new heading only, not for one the caret is in, nor once
    // Enter has taken a block away).
    bool openingMenu = false;
  };

  void SetUp() override {
    BlockFixture::SetUp();
    Options().DisplayCharNameList = false;
    Options().KeepRunningShots = false;
    Options().KeepRunningTransitions = false;
    Options().TabToParenth = false;
    Options().UseQuickType = false;
    Options().DragAndDropBreak = true;
    SetUserListEntry(W().UserLists, TUserList::ActText, 1, "QACT ONE");
    SetUserListEntry(W().UserLists, TUserList::EndofActText, 1, "QEND OF ACT");
    // Tall enough to show the whole script: a drag's two ends on the screen.
    MainForm->SetBounds(0, 0, MainForm->Width(), 4000);
    W().SetBounds(0, 0, W().Width(), 3800);
  }

  TScriptElement* Find(const TPlace& p) {
    for (TScriptElement* e = W().FirstElement; e; e = e->next) {
      if (e->Kind() != p.kind || LiveElementText(W(), *e).rfind(p.text, 0) != 0) continue;
      if (p.carried && !(e->prev && e->prev->Kind() == ekCharacterName && IsRepeatedByBreak(*e->prev))) continue;
      if (!p.carried && e->split == spSecondPiece) continue;
      return e;
    }
    return nullptr;
  }

  // The script laid out with its pages and marks as the program keeps
  // them, the caret at the place.
  bool Start(const TPlace& p) {
    LoadWrapped(kScript, 0);
    W().RefreshLayout();
    testing::MarkNamesByRule(W());
    editor::SettleContinuedCues(W());
    TScriptElement* e = Find(p);
    if (!e) return false;
    W().Assemble();
    editor::SetCurrentElement(W(), e);
    W().CurrentGroup = e->group;
    W().DisAssemble();
    const std::string text = W().EditBuffer();
    std::size_t column = p.column < 0 ? text.size() : static_cast<std::size_t>(p.column);
    // Inside the carried text: at the start of its third word.
    if (p.carried) column = text.find(' ', text.find(' ') + 1) + 1;
    editor::SetCaretColumn(W(), column);
    editor::ClearBlock(W(), false);
    if (p.block) {
      // "tastes " marked, the caret at its end.
      editor::MarkBlock(W(), *e, 9, *e, 16);
    }
    RebuildScreenNow();
    UndoObject->ClearUndoData();
    W().DocumentModified = 0;
    MainForm->UpdateMenusAndButtons();
    W().SetFocus();
    return true;
  }
  void RebuildScreenNow() { editor::RedisplayScreen(W()); }

  testing::ScriptShot Now() {
    W().Assemble();
    W().DisAssemble();
    return testing::Shoot(W());
  }

  // What went wrong with one command at one place, in words; empty when
  // nothing did. Undo faults are told apart: "undo: ...".
  // What the command leaves, or (with `undo`) what one Undo after it
  // leaves.
  std::vector<std::string> Faults(const TCommand& c, const TPlace& p, bool undo) {
    std::vector<std::string> faults;
    if (!Start(p)) return {"the place is not in the script"};
    const std::vector<std::string> namesBefore = NamesIn(W());
    const bool onName = W().CurrentElement()->Kind() == ekCharacterName;
    const std::string caretName = onName ? NameOf(W().EditBuffer()) : std::string();
    TScriptElement* source = nullptr;
    if (c.drags) source = Find({"", ekAction, "They eat", 0});
    const TStream before = StreamOf(W(), source, 12, 20);
    const testing::ScriptShot shotBefore = Now();
    c.run(*this);
    // With a block some commands do nothing: their menu never shows.
    const bool noMenu = p.block && (c.withBlock == TWithBlock::Nothing || c.withBlock == TWithBlock::Retypes);
    if (Driver().Pending() > 0 && !noMenu) faults.push_back("left a dialog or menu unshown");
    Driver().Clear();
    TUserAction::Settle();
    const TStream after = StreamOf(W());

    // The words it should leave, in order.
    std::vector<TWord> expected;
    std::size_t deletedBeforeCaret = 0;
    for (std::size_t i = 0; i < before.words.size(); ++i) {
      const TWord& word = before.words[i];
      const bool deleted = (word.inBlock && c.withBlock == TWithBlock::Deletes) || word.dragged;
      if (deleted) {
        if (i < before.caretIndex) ++deletedBeforeCaret;
        continue;
      }
      expected.push_back(word);
    }
    std::vector<TWord> got = after.words;
    std::vector<std::string> blockNames;
    // A block retyped as a name leaves the words: it is a name now.
    if (p.block && c.withBlock == TWithBlock::Retypes) {
      for (const TWord& word : before.words) {
        if (!word.inBlock) continue;
        blockNames.push_back(AnsiUpperCase(word.text));
        const auto at =
            std::find_if(got.begin(), got.end(), [&](const TWord& g) { return SameWord(g.text, word.text); });
        if (at != got.end()) got.erase(at);
      }
      std::erase_if(expected, [](const TWord& word) { return word.inBlock; });
    }
    if (c.retypes && onName && !p.block) {
      const auto at = std::find_if(got.begin(), got.end(), [&](const TWord& g) { return SameWord(g.text, caretName); });
      if (at != got.end()) got.erase(at);
    }
    // The text letter by letter: where an element is cut or joined the
    // blanks between words may change, never a letter.
    const std::vector<TLetter> want = LettersOf(expected);
    std::vector<TLetter> have = LettersOf(got);
    std::optional<std::size_t> insertedAt;
    if (!c.inserted.empty() && !noMenu) {
      std::string run;
      for (const std::string& word : c.inserted) run += AnsiUpperCase(word);
      const std::string text = TextOf(have);
      if (const std::size_t at = text.find(run); at != std::string::npos) {
        insertedAt = at;
        have.erase(have.begin() + static_cast<std::ptrdiff_t>(at),
                   have.begin() + static_cast<std::ptrdiff_t>(at + run.size()));
      } else {
        faults.push_back("what it brings in is not there whole");
      }
    }
    std::size_t first = 0;
    while (first < have.size() && first < want.size() && have[first].c == want[first].c) ++first;
    if (have.size() != want.size() || first < have.size()) {
      faults.push_back("text lost or doubled in \"" +
                       (first < want.size() ? want[first].word->text : std::string("<end>")) + "\", which became \"" +
                       (first < have.size() ? have[first].word->text : std::string("<end>")) + "\"");
    } else {
      for (std::size_t i = 0; i < have.size(); ++i) {
        const TWord& w = *want[i].word;
        if ((c.newSpeaker && w.inCaretSpeech) || (w.inBlock && c.withBlock == TWithBlock::Retypes)) continue;
        if (have[i].word->speaker != w.speaker) {
          faults.push_back("\"" + w.text + "\" is spoken under \"" + have[i].word->speaker + "\", not \"" + w.speaker +
                           "\"");
          break;
        }
      }
    }
    // Where it went, counted in letters before it.
    if (insertedAt) {
      std::optional<std::size_t> words;
      if (c.where == TWhere::Caret) words = before.caretIndex - deletedBeforeCaret;
      if (c.where == TWhere::ElementEnd) words = before.elementEnd;
      if (c.where == TWhere::ElementStart) words = before.elementStart;
      if (words) {
        std::size_t letters = 0;
        for (std::size_t i = 0; i < *words && i < expected.size(); ++i) letters += expected[i].text.size();
        if (*insertedAt != letters)
          faults.push_back("it stands after letter " + std::to_string(*insertedAt) + ", not after " +
                           std::to_string(letters));
      }
    }
    // No name cut.
    std::vector<std::string> allowed = namesBefore;
    allowed.insert(allowed.end(), c.names.begin(), c.names.end());
    allowed.insert(allowed.end(), blockNames.begin(), blockNames.end());
    allowed.push_back("");
    for (const std::string& name : NamesIn(W()))
      if (std::find(allowed.begin(), allowed.end(), name) == allowed.end())
        faults.push_back("a name \"" + name + "\" the script never had");
    if (const std::string marks = testing::WrongMarks(W()); !marks.empty()) faults.push_back("marks: " + marks);
    if (!undo) return faults;
    faults.clear();
    // One Undo.
    const testing::ScriptShot shotAfter = Now();
    if (!testing::Differences(shotBefore, shotAfter).empty()) {
      if (!UndoObject->UndoIsAvailable()) {
        faults.push_back("undo: no step recorded for" + testing::Differences(shotBefore, shotAfter).substr(0, 200));
      } else {
        testing::RunConfirmed(Driver(), "UndoItem");
        if (const std::string left = testing::Differences(shotBefore, Now()); !left.empty())
          faults.push_back("undo: one Undo leaves" + left.substr(0, 200));
      }
    }
    return faults;
  }

  void Key(Word key, TShiftState shift = {}) { KeysFixture::Press(key, shift); }
  void Click(const char* button) {
    auto* b = dynamic_cast<TOfficeButton*>(MainForm->FindComponent(button));
    ASSERT_NE(b, nullptr) << button;
    b->Click();
  }
  void Menu(const char* name) { MainForm->MenuItem(name)->Click(); }
  // The quick-choice menu's item, the menu offered as QuickType offers it.
  void Choose(const char* caption, const std::function<void()>& open) {
    Options().UseQuickType = true;
    ExpectChoice(caption);
    open();
    Options().UseQuickType = false;
  }

  // Quick Entry's OK with a new element of a type and a text.
  void QuickEntry(int type, const std::string& text) {
    W().ScriptFileName = folder_.File("walk.QMW");
    Driver().Expect(
        [type, text](TForm& form) {
          auto& box = dynamic_cast<TQuickEntryDialog&>(form);
          box.FormatEdit->Text = text;
          box.NewElementBox->SetChecked(true);
          box.ElementTypeBox->SetItemIndex(type);
          box.OKBtn->Click();
        },
        "the quick entry box");
    ShowQuickEntry(true);
    W().ScriptFileName.clear();
  }
  // The command with the script taken as a branching one, as one thing the
  // writer does: Undo gives back the script as it was before both.
  void AsBranchingScript(const std::function<void()>& command) {
    const TUserAction action;
    W().InteractiveScript = 1;
    command();
    W().InteractiveScript = 0;
  }
  // The wizard finished for a choice the user has, with events following.
  void Wizard() {
    Driver().Expect(
        [](TForm& form) {
          auto& w = dynamic_cast<story::TActivityWizardDlg&>(form);
          w.NextBtn->Click();
          w.UserCanDoWhat->Text = "qwiz";
          w.NoNeedToKnowBtn->SetChecked(true);
          w.NextBtn->Click();
          w.EventsHappen->Click();
          w.NextBtn->Click();
        },
        "the wizard");
    AsBranchingScript([] { MainForm->InteractiveWizardItemClick(nullptr); });
  }
  void BranchPoint() {
    Driver().Expect(
        [](TForm& form) {
          auto& d = dynamic_cast<story::TJumpDlg&>(form);
          d.Source->SetItemIndex(0);
          d.Source->SetSelected(0, true);
          d.ContinueBtn->Click();
        },
        "the branch point dialog");
    AsBranchingScript([] { MainForm->BranchPointBtnClick(nullptr); });
  }
  // The act pop-up's command, from the scene opening's menu.
  void ActCommand(const char* caption) {
    Options().UseQuickType = true;
    ExpectChoice(caption);
    Key('S', TShiftState(ssCtrl));
    Options().UseQuickType = false;
  }
  // The program's own clipboard records, pasted.
  void PasteRecord(Byte kind, int slot, const std::string& text, const std::string& speaker = "") {
    TClipRecord r;
    r.format = W().FormatSet[static_cast<std::size_t>(slot)];
    r.format.Kind = kind;
    r.text = kind == ekCharacterName ? text : PackText(text);
    r.fontName = W().FontNameTable[r.format.FontIndex()];
    std::vector<Byte> data;
    AppendClipRecord(data, r);
    AppendClipEndRecord(data);
    CopiedSpeakerName = speaker;
    Clipboard()->Clear();
    Clipboard()->SetData(RegisterClipboardFormat(NativeClipboardFormatName), data);
    Menu("PasteItem");
  }
  // Plain text too long to be typed: read as the paste dialog says.
  void PasteText(const std::string& text) {
    Clipboard()->Clear();
    Clipboard()->SetAsText(text);
    Driver().Expect([](TForm& form) { dynamic_cast<TPasteAsDlg&>(form).OKBtn->Click(); }, "the paste dialog");
    Menu("PasteItem");
  }
  // "silence" dragged from the action before the page break to the caret.
  void Drop() {
    const int target = IndexOf(W().CurrentElement());
    const int column = W().CaretColumn();
    const int index = IndexOf(Find({"", ekAction, "They eat", 0}));
    editor::ClearBlock(W(), false);
    // The screen from the script's top: both ends of the drag on it.
    W().Assemble();
    editor::SetCurrentElement(W(), W().FirstElement);
    W().FirstElement->screenLine = 1;
    W().DisAssemble();
    RebuildScreenNow();
    Drag(PointOf(index, 12), PointOf(index, 20));
    BlockFixture::Press(PointOf(index, 14));
    const TPoint to = PointOf(target, column);
    MoveTo(to);
    Release(to);
  }
  int IndexOf(const TScriptElement* element) {
    int index = 0;
    for (const TScriptElement* e = W().FirstElement; e && e != element; e = e->next) ++index;
    return index;
  }

  testing::TempFolder folder_;
};

// clang-format off
const std::vector<ElementStartWalkTest::TPlace> kPlaces = {
    {"inside a name", ekCharacterName, "DRUMMOND", 2},
    {"at a name's start", ekCharacterName, "DRUMMOND", 0},
    {"at a name's end", ekCharacterName, "DRUMMOND", -1},
    {"inside a dialogue", ekDialogue, "The soup", 9},
    {"between two dialogue paragraphs", ekDialogue, "The soup", -1},
    {"inside a parenthetical", ekParenthetical, "quietly", 8},
    {"inside a scene heading", ekSceneHeading, "INT. KITCHEN", 5},
    {"inside an action", ekAction, "John digs", 5},
    {"at the end of the script", ekAction, "The end comes", -1},
    {"in a speech carried over a page break", ekDialogue, "word", 0, true},
    {"with a block marked", ekDialogue, "The soup", 16, false, true},
};

using W = TWhere;
using B = TWithBlock;
using T = ElementStartWalkTest;
const std::vector<T::TCommand> kCommands = {
    {"Enter", [](T& t) { t.Key(VK_RETURN); }, {}, W::Anywhere, B::Deletes, true},
    {"Ctrl+Enter", [](T& t) { t.Key(VK_RETURN, TShiftState(ssCtrl)); }, {}, W::Anywhere, B::Deletes},
    {"Tab", [](T& t) { t.Key(VK_TAB); }, {}, W::Anywhere, B::Deletes, true},
    {"Shift+Tab", [](T& t) { t.Key(VK_TAB, TShiftState(ssShift)); }, {}, W::Anywhere, B::Deletes, true},
    {"Ctrl+S", [](T& t) { t.Key('S', TShiftState(ssCtrl)); }, {}, W::Anywhere, B::Keeps},
    {"Ctrl+T", [](T& t) { t.Choose("&CUT TO:", [&t] { t.Key('T', TShiftState(ssCtrl)); }); }, {"CUT", "TO:"},
     W::Anywhere, B::Nothing},
    {"Ctrl+H", [](T& t) { t.Choose("&ANGLE ON", [&t] { t.Key('H', TShiftState(ssCtrl)); }); }, {"ANGLE", "ON"},
     W::Anywhere, B::Nothing},
    {"Ctrl+F1", [](T& t) { t.Key(VK_F1, TShiftState(ssCtrl)); }, {}, W::Anywhere, B::Deletes},
    {"the C button", [](T& t) { t.Click("CharNameBtn"); }, {}, W::Anywhere, B::Retypes, true},
    {"the D button", [](T& t) { t.Click("DialogueBtn"); }, {}, W::Anywhere, B::Retypes, true},
    {"the P button", [](T& t) { t.Click("ParentheticalBtn"); }, {}, W::Anywhere, B::Retypes, true},
    {"the A button", [](T& t) { t.Click("ActionBtn"); }, {}, W::Anywhere, B::Retypes, true},
    {"the T button", [](T& t) { t.Choose("&CUT TO:", [&t] { t.Click("TransitionBtn"); }); }, {"CUT", "TO:"},
     W::Anywhere, B::Retypes, true},
    {"the Sc button", [](T& t) { t.Click("SceneHeadingBtn"); }, {}, W::Anywhere, B::Retypes, true},
    {"the Sh button", [](T& t) { t.Choose("&ANGLE ON", [&t] { t.Click("ShotBtn"); }); }, {"ANGLE", "ON"},
     W::Anywhere, B::Retypes, true},
    {"the N button", [](T& t) { t.Click("ScriptNoteBtn"); }, {}, W::Anywhere, B::Retypes, true},
    {"F4 then A", [](T& t) { t.Menu("ChangeElementToItem"); char k = 'A'; MainForm->ElementPopDownListKeyPress(nullptr, k); },
     {}, W::Anywhere, B::Retypes, true, {"???"}, false, true},
    {"Alt+M, the name of its letter",
     [](T& t) {
       t.W().AltLetterNames['M'] = "MARY";
       t.Menu("AltKeyMItem");
     },
     {}, W::Anywhere, B::Keeps, true, {"MARY"}},
    {"Add Dialogue Paragraph", [](T& t) { t.Menu("AddDialogueParagraphItem"); }, {}, W::Anywhere, B::Keeps},
    {"Add Forced Page Break", [](T& t) { t.Menu("AddForcedPageBreakItem"); }, {}, W::Anywhere, B::Keeps},
    {"Quick Entry, a new Action", [](T& t) { t.QuickEntry(0, "Chair"); }, {"Chair"}, W::Caret, B::Keeps},
    {"Quick Entry, a new Script Note", [](T& t) { t.QuickEntry(2, "Chair"); }, {"Chair"}, W::Caret, B::Keeps},
    {"the wizard's Finish", [](T& t) { t.Wizard(); }, {"IF", "YOU", "qwiz", "then", "ENDIF"}, W::Caret, B::Keeps},
    {"the branch point dialog's Continue", [](T& t) { t.BranchPoint(); }, {"GO", "TO", "RETURN", "(0)"},
     W::ElementEnd, B::Keeps},
    {"the act pop-up's New Act", [](T& t) { t.ActCommand("<Start New A&ct>"); }, {"QACT", "ONE"}, W::Caret,
     B::Deletes, false, {}, false, false, true},
    {"the act pop-up's New Scene", [](T& t) { t.ActCommand("<Start New &Scene/Same Act>"); }, {"QACT", "ONE"},
     W::Caret, B::Deletes, false, {}, false, false, true},
    {"the act pop-up's End of Act", [](T& t) { t.ActCommand("<End of &Act Info>"); },
     {"QEND", "OF", "ACT", "QACT", "ONE"}, W::Caret, B::Deletes, false, {}, false, false, true},
    {"the act command on the caret's element",
     [](T& t) {
       const TUserAction action;
       InsertActSceneInfo(t.W(), EndOfActCommand);
     },
     {"QEND", "OF", "ACT", "QACT", "ONE"}, W::Caret, B::Keeps},
    {"Paste of an action", [](T& t) { t.PasteRecord(ekAction, fsAction, "Spoon rattles. "); }, {"Spoon", "rattles."},
     W::Caret, B::Deletes},
    {"Paste of a speech's dialogue",
     [](T& t) { t.PasteRecord(ekDialogue, fsDialogue, "Spoon rattles. ", "MARY"); }, {"Spoon", "rattles."},
     W::Caret, B::Deletes, false, {"MARY", "?"}},
    {"Paste of plain text",
     [](T& t) { t.PasteText("A spoon rattles in the empty bowl by the window.\r\n"); },
     {"A", "spoon", "rattles", "in", "the", "empty", "bowl", "by", "the", "window."}, W::Anywhere, B::Deletes},
    {"Drag and drop", [](T& t) { t.Drop(); }, {"silence"}, W::Caret, B::Keeps, false, {"?", "DRUMMOND", "MARY"},
     true},
};
// clang-format on

// Every command at every place, as a list of what went wrong.
std::string WalkFaults(ElementStartWalkTest& t, bool undo, std::size_t& count) {
  std::string all;
  count = 0;
  for (const ElementStartWalkTest::TCommand& c : kCommands) {
    for (const ElementStartWalkTest::TPlace& p : kPlaces) {
      if (c.drags && p.block) continue;  // the block is what a drag drops
      if (c.openingMenu && (p.block || p.kind == ekSceneHeading)) continue;
      const std::vector<std::string> faults = t.Faults(c, p, undo);
      if (faults.empty()) continue;
      ++count;
      all += std::string(c.what) + " " + p.what + ":";
      for (const std::string& f : faults) all += " [" + f + "]";
      all += "\n";
    }
  }
  return all;
}

TEST_F(ElementStartWalkTest, EveryCommandAtEveryPlaceKeepsNamesSpeechesAndText) {
  std::size_t count = 0;
  const std::string faults = WalkFaults(*this, false, count);
  EXPECT_EQ(count, 0u) << faults;
}

TEST_F(ElementStartWalkTest, OneUndoAfterEveryCommandAtEveryPlaceGivesTheScriptBack) {
  std::size_t count = 0;
  const std::string faults = WalkFaults(*this, true, count);
  EXPECT_EQ(count, 0u) << faults;
}

}  // namespace
}  // namespace qm
