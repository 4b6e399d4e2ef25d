// A script note's colour cheated in the Cheat Element dialog, and the
// hiding of notes by colour that then offers it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/cheat_dialogs.h"
#include "platform/color_dialog.h"
#include "platform/controls.h"
#include "script/editing/editor_calls.h"
#include "script/fixtures/keys_fixture.h"
#include "script/layout/margin_marks.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/screen_colors_dialog.h"

namespace qm {
namespace {

class NoteColorCheatTest : public testing::KeysFixture {
 protected:
  // Three notes with an Action between; the caret on the note `current`.
  void LoadNotes(int current) {
    Load({{ekScriptNote, "First note."},
          {ekAction, "Action."},
          {ekScriptNote, "Second note."},
          {ekScriptNote, "Third note."}},
         current, 0);
  }
  // The Cheat Element dialog from its key, a colour chosen through its
  // note button (none when `color` is negative), then OK.
  void CheatColor(long color) {
    Driver().Expect([this, color](TForm& form) {
      auto& d = dynamic_cast<TCheatElementDlg&>(form);
      if (color >= 0) {
        Driver().Expect([color](TForm& picker) {
          auto& p = dynamic_cast<TColorDialog&>(picker);
          p.RedEdit->Text = std::to_string(color & 0xFF);
          p.GreenEdit->Text = std::to_string((color >> 8) & 0xFF);
          p.BlueEdit->Text = std::to_string((color >> 16) & 0xFF);
          p.OKBtn->Click();
        });
        ASSERT_TRUE(d.NoteColorBtn->Enabled());
        d.NoteColorBtn->Click();
      } else {
        EXPECT_FALSE(d.NoteColorBtn->Enabled()) << "only a script note has a note colour";
      }
      d.OKBtn->Click();
    });
    Press(VK_F3);
    EXPECT_EQ(Driver().Pending(), 0);
  }
  TColor ShownColor(int index) { return NoteBoxColor(W(), *ElementAt(index)); }
  std::vector<int> NoteStates() {
    std::vector<int> states;
    for (const TScriptElement* e = W().FirstElement; e; e = e->next)
      if (e->Kind() == ekScriptNote) states.push_back(e->state);
    return states;
  }
};

TEST_F(NoteColorCheatTest, TheCheatedColourIsTheNotesOwnAndOthersKeepTheirs) {
  LoadNotes(2);
  const TColor plain = ShownColor(0);
  CheatColor(RGB(200, 0, 0));
  EXPECT_EQ(ShownColor(2), RGB(200, 0, 0));
  EXPECT_EQ(ShownColor(0), plain) << "the other notes keep their colour";
  EXPECT_EQ(ShownColor(3), plain);

  // A second note given the same colour shares its entry.
  editor::MoveCaretTo(W(), *ElementAt(3));
  CheatColor(RGB(200, 0, 0));
  EXPECT_EQ(NoteColorIndexOf(*ElementAt(3)), NoteColorIndexOf(*ElementAt(2)));

  // The first note, recoloured, leaves the others as they are.
  editor::MoveCaretTo(W(), *ElementAt(0));
  CheatColor(RGB(0, 0, 200));
  EXPECT_EQ(ShownColor(0), RGB(0, 0, 200));
  EXPECT_EQ(ShownColor(2), RGB(200, 0, 0));

  editor::MoveCaretTo(W(), *ElementAt(1));
  CheatColor(-1);
}

TEST_F(NoteColorCheatTest, AllColorsExceptOffersTheCheatedColourAndKeepsItsNotesVisible) {
  LoadNotes(2);
  CheatColor(RGB(0, 160, 0));
  Driver().Expect([](TForm& form) {
    auto& d = dynamic_cast<TSetScreenColorsdlg&>(form);
    int green = -1;
    for (int i = 0; i < NoteColourCount; ++i)
      if (d.NoteColors[static_cast<std::size_t>(i)] == RGB(0, 160, 0)) green = i;
    ASSERT_GE(green, 0) << "the colour in use is offered";
    d.NotePanel(green)->OnClick(nullptr);
    EXPECT_TRUE(d.Marked[static_cast<std::size_t>(green)]);
    d.OKBtn->Click();
  });
  MainForm->MenuItem("HideNotesExceptItem")->Click();
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_EQ(NoteStates(), (std::vector<int>{esHidden, esNormal, esHidden}));
}

}  // namespace
}  // namespace qm
