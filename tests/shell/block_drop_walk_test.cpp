// Drag and drop of a block to every caret place of a speech (the start,
// middle and end of a name, of a dialogue and of a parenthetical, and the
// piece of a speech carried over a page break), with drops that may break
// an element and without: a drop leaves the script that Cut and then Paste
// at the same place leave, and one Undo gives the script back. A paste
// whose run ends with a name, at the same places, leaves the pasted name
// heading the rest of the speech the caret stood in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/clipboard_copy.h"
#include "files/native_clipboard.h"
#include "files/undo_ring.h"
#include "platform/clipboard.h"
#include "platform/menus.h"
#include "script/editing/editor_calls.h"
#include "script/fixtures/block_fixture.h"
#include "script/layout/screen_lines.h"
#include "script/model/cue_codes.h"
#include "script/model/packed_text.h"
#include "script/model/string_utils.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/command_answers.h"
#include "support/continued_rule.h"
#include "support/script_shots.h"
#include "support/writer_fixture.h"

namespace qm {
namespace {

using testing::ElementSpec;

// A speech long enough to run over the page it starts on.
std::string LongSpeech() {
  testing::SeededRandom dice(94);
  return testing::LongSpeech(dice, 2600);
}

const std::vector<ElementSpec> kScript = {
    {ekSceneHeading, "EXT. GARDEN - DAY"},
    {ekAction, "Rain falls on the roses."},
    {ekCharacterName, "JOHN"},
    {ekParenthetical, "quietly and slowly"},
    {ekDialogue, "I am not hungry tonight."},
    {ekCharacterName, "MARY"},
    {ekDialogue, "Thank you kindly for the soup."},
    {ekAction, "They eat in silence now."},
    {ekForcedPageBreak, " "},
    {ekCharacterName, "BOBBY"},
    {ekDialogue, LongSpeech()},
    {ekAction, "The end comes at last."},
};

// The piece of a speech a page break carried over, under the name the
// break repeated.
bool IsCarriedPiece(const TScriptElement& e) {
  return e.Kind() != ekCharacterName && e.prev && e.prev->Kind() == ekCharacterName && IsRepeatedByBreak(*e.prev);
}

// An element found by its kind and the start of its text; `carried` the
// piece of a speech a page break carried over.
struct TFind {
  Byte kind;
  const char* text;
  bool carried = false;
};

// A caret place: an element and a column in it (-1 its end; in the
// carried piece, the start of its third word).
struct TPlace {
  const char* what;
  TFind element;
  int column;
};

// A block: from a column of one element to a column of another.
struct TBlock {
  const char* what;
  TFind from;
  int fromColumn;
  TFind to;
  int toColumn;     // -1: the element's end
  int pressColumn;  // where in its first element the drag takes it
};

class BlockDropWalkTest : public testing::BlockFixture {
 public:
  void SetUp() override {
    BlockFixture::SetUp();
    // Tall enough to show the whole script: a drag's two ends on the screen.
    MainForm->SetBounds(0, 0, MainForm->Width(), 4000);
    W().SetBounds(0, 0, W().Width(), 3800);
  }

  TScriptElement* Find(const TFind& f) {
    for (TScriptElement* e = W().FirstElement; e; e = e->next) {
      if (e->Kind() != f.kind || LiveElementText(W(), *e).rfind(f.text, 0) != 0) continue;
      if (f.carried != IsCarriedPiece(*e)) continue;
      return e;
    }
    return nullptr;
  }
  int IndexOf(const TScriptElement* element) {
    int index = 0;
    for (const TScriptElement* e = W().FirstElement; e && e != element; e = e->next) ++index;
    return index;
  }
  // Where a column of an element shows: a parenthetical shows after its
  // opening bracket.
  TPoint ScreenPoint(const TScriptElement& e, int column) {
    TPoint at = PointOf(IndexOf(&e), column);
    if (e.Kind() == ekParenthetical) at.X += W().ScreenWidths[wsPlain]['('];
    return at;
  }
  int ColumnIn(const TScriptElement& e, int column) {
    const std::string text = LiveElementText(W(), e);
    if (IsCarriedPiece(e)) return static_cast<int>(text.find(' ', text.find(' ') + 1) + 1);
    return column < 0 ? static_cast<int>(text.size()) : column;
  }

  // The script laid out with its pages and marks as the program keeps
  // them, the block marked, nothing to undo.
  void Start(const TBlock* block) {
    LoadWrapped(kScript, 0);
    W().RefreshLayout();
    testing::MarkNamesByRule(W());
    editor::SettleContinuedCues(W());
    editor::ClearBlock(W(), false);
    if (block) {
      TScriptElement* from = Find(block->from);
      TScriptElement* to = Find(block->to);
      ASSERT_TRUE(from && to) << block->what;
      editor::MarkBlock(W(), *from, block->fromColumn, *to, ColumnIn(*to, block->toColumn));
    }
    ShowFromTop();
    UndoObject->ClearUndoData();
    W().DocumentModified = 0;
    MainForm->UpdateMenusAndButtons();
    W().SetFocus();
  }
  // The screen from the script's top: every place of the walk on it.
  void ShowFromTop() {
    W().Assemble();
    editor::SetCurrentElement(W(), W().FirstElement);
    W().FirstElement->screenLine = 1;
    W().DisAssemble();
    editor::RedisplayScreen(W());
  }

  testing::ScriptShot Now() {
    W().Assemble();
    W().DisAssemble();
    return testing::Shoot(W());
  }
  void Menu(const char* name) { MainForm->MenuItem(name)->Click(); }
  void ClickAt(const TPlace& p) {
    TScriptElement* e = Find(p.element);
    ASSERT_NE(e, nullptr) << p.what;
    const TPoint at = ScreenPoint(*e, ColumnIn(*e, p.column));
    Press(at);
    Release(at);
  }

  // The block dragged to the place and let go there.
  void Drop(const TBlock& b, const TPlace& p) {
    TScriptElement* target = Find(p.element);
    ASSERT_NE(target, nullptr) << p.what;
    const TPoint to = ScreenPoint(*target, ColumnIn(*target, p.column));
    Press(ScreenPoint(*Find(b.from), b.pressColumn));
    ASSERT_EQ(DraggingBlock, 1) << b.what;
    MoveTo(to);
    Release(to);
  }

  // Where Cut then Paste must go for a drop at the place: the column the
  // drop lands on (an element outside the block is not broken when drops
  // may not break one), moved back by the block's length when it lies
  // after the block in the same element.
  int DropColumn(const TBlock& b, const TPlace& p) {
    TScriptElement* e = Find(p.element);
    int column = ColumnIn(*e, p.column);
    const int length = static_cast<int>(LiveElementText(W(), *e).size());
    if (!e->InBlock() && !Options().DragAndDropBreak) column = column * 2 > length ? length : 0;
    if (e == Find(b.from) && e == Find(b.to) && column >= ColumnIn(*e, b.toColumn))
      column -= ColumnIn(*e, b.toColumn) - b.fromColumn;
    return column;
  }

  // The block cut, the caret put at the place as a click puts it, and the
  // clipboard pasted there.
  void CutThenPaste(const TBlock& b, const TPlace& p) {
    const int column = DropColumn(b, p);
    Menu("CutItem");
    ShowFromTop();
    TScriptElement* e = Find(p.element);
    ASSERT_NE(e, nullptr) << p.what << " after the cut";
    const TPoint at = ScreenPoint(*e, column);
    Press(at);
    Release(at);
    ASSERT_EQ(W().CurrentElement(), e);
    ASSERT_EQ(W().CaretColumn(), column);
    Menu("PasteItem");
  }

  // What differs between a drop and Cut then Paste, and what one Undo
  // after the drop leaves; empty when nothing.
  std::string DropFaults(const TBlock& b, const TPlace& p) {
    Start(&b);
    CutThenPaste(b, p);
    const testing::ScriptShot pasted = Now();
    Start(&b);
    const testing::ScriptShot before = Now();
    Drop(b, p);
    const testing::ScriptShot dropped = Now();
    std::string faults;
    if (const std::string d = testing::Differences(pasted, dropped); !d.empty())
      faults += " [not what Cut then Paste gives:" + d.substr(0, 400) + "]";
    testing::RunConfirmed(Driver(), "UndoItem");
    if (const std::string left = testing::Differences(before, Now()); !left.empty())
      faults += " [one Undo leaves" + left.substr(0, 300) + "]";
    return faults;
  }

  // An action and a name, as the program's own records, pasted at the
  // place.
  void PasteActionAndName(const TPlace& p) {
    std::vector<Byte> data;
    TClipRecord action;
    action.format = W().FormatSet[fsAction];
    action.text = PackText("Spoon rattles.");
    action.fontName = W().FontNameTable[action.format.FontIndex()];
    AppendClipRecord(data, action);
    TClipRecord name;
    name.format = W().FormatSet[fsCharacterName];
    name.text = "ZELDA";
    name.fontName = W().FontNameTable[name.format.FontIndex()];
    AppendClipRecord(data, name);
    AppendClipEndRecord(data);
    CopiedSpeakerName.clear();
    Clipboard()->Clear();
    Clipboard()->SetData(RegisterClipboardFormat(NativeClipboardFormatName), data);
    ClickAt(p);
    Menu("PasteItem");
  }

  // The words of the script that are not names, in order.
  std::string Words() {
    std::string words;
    for (const TScriptElement* e = W().FirstElement; e; e = e->next)
      if (e->Kind() != ekCharacterName && !IsPageBreakKind(e->Kind())) words += LiveElementText(W(), *e) + " ";
    std::string squeezed;
    for (char c : words)
      if (c != ' ') squeezed += c;
    return squeezed;
  }

  // Whether the speech the caret stands in goes on after it.
  bool SpeechGoesOn(const TPlace& p) {
    TScriptElement* e = Find(p.element);
    const std::string text = LiveElementText(W(), *e);
    if (TrimmedLength(text) > static_cast<std::size_t>(ColumnIn(*e, p.column))) return true;
    for (const TScriptElement* n = e->next; n; n = n->next) {
      if (n->Kind() == ekAutoPageBreak || IsRepeatedByBreak(*n)) continue;
      return n->Kind() == ekDialogue || n->Kind() == ekParenthetical;
    }
    return false;
  }

  std::string NamePasteFaults(const TPlace& p) {
    Start(nullptr);
    const bool goesOn = SpeechGoesOn(p);
    const std::string wordsBefore = Words();
    const testing::ScriptShot before = Now();
    PasteActionAndName(p);
    std::string faults;
    std::string words = Words();
    if (const std::size_t at = words.find("Spoonrattles."); at != std::string::npos) words.erase(at, 13);
    if (words != wordsBefore) faults += " [text lost or doubled]";
    const TScriptElement* pasted = Find({ekCharacterName, "ZELDA"});
    if (!pasted) {
      faults += " [the pasted name is not there]";
    } else if (goesOn) {
      const TScriptElement* n = pasted->next;
      while (n && n->Kind() == ekAutoPageBreak) n = n->next;
      if (!n || (n->Kind() != ekDialogue && n->Kind() != ekParenthetical))
        faults += " [the pasted name heads no speech: a " + (n ? std::to_string(n->Kind()) : std::string("<end>")) +
                  " follows it]";
    }
    testing::RunConfirmed(Driver(), "UndoItem");
    if (const std::string left = testing::Differences(before, Now()); !left.empty())
      faults += " [one Undo leaves" + left.substr(0, 300) + "]";
    return faults;
  }
};

// clang-format off
const std::vector<TPlace> kPlaces = {
    {"at a name's start", {ekCharacterName, "JOHN"}, 0},
    {"inside a name", {ekCharacterName, "JOHN"}, 2},
    {"at a name's end", {ekCharacterName, "JOHN"}, -1},
    {"at a dialogue's start", {ekDialogue, "I "}, 0},
    {"inside a dialogue", {ekDialogue, "I "}, 9},
    {"at a dialogue's end", {ekDialogue, "I "}, -1},
    {"at a parenthetical's start", {ekParenthetical, "quietly"}, 0},
    {"inside a parenthetical", {ekParenthetical, "quietly"}, 8},
    {"at a parenthetical's end", {ekParenthetical, "quietly"}, -1},
    {"in the piece of a speech carried over a page break", {ekDialogue, "", true}, 0},
};

const std::vector<TBlock> kBlocks = {
    {"a whole speech", {ekCharacterName, "MARY"}, 0, {ekDialogue, "Thank"}, -1, 2},
    {"part of a speech", {ekCharacterName, "MARY"}, 0, {ekDialogue, "Thank"}, 10, 2},
    {"a name alone", {ekCharacterName, "MARY"}, 0, {ekCharacterName, "MARY"}, -1, 2},
    {"an action", {ekAction, "They eat"}, 0, {ekAction, "They eat"}, -1, 5},
    {"words of the dialogue dropped into", {ekDialogue, "I "}, 2, {ekDialogue, "I "}, 5, 3},
};
// clang-format on

TEST_F(BlockDropWalkTest, EveryDropGivesWhatCutThenPasteGiveAndOneUndoGivesTheScriptBack) {
  std::string all;
  for (const bool breaks : {true, false}) {
    Options().DragAndDropBreak = breaks;
    for (const TBlock& b : kBlocks) {
      for (const TPlace& p : kPlaces) {
        const std::string faults = DropFaults(b, p);
        if (!faults.empty())
          all += std::string(b.what) + " " + p.what + (breaks ? "" : " (no break)") + ":" + faults + "\n";
      }
    }
  }
  EXPECT_EQ(all, "");
}

TEST_F(BlockDropWalkTest, APastedRunEndingWithANameHeadsTheRestOfTheSpeech) {
  std::string all;
  for (const TPlace& p : kPlaces)
    if (const std::string faults = NamePasteFaults(p); !faults.empty())
      all += std::string(p.what) + ":" + faults + "\n";
  EXPECT_EQ(all, "");
}

}  // namespace
}  // namespace qm
