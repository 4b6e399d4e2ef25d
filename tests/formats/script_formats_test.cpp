// The "Script Formats" dialog driven with scripted answers: what it shows,
// what OK stores, what a bad value or Cancel leaves alone, and the script
// laid out again with the new formats.
#include <gtest/gtest.h>

#include "formats/drafts_fixture.h"
#include "platform/dialog_builder.h"
#include "formats/script_formats.h"
#include "formats/script_formats_dialog.h"

namespace qm::testing {
namespace {

class ScriptFormatsTest : public DraftsFixture {
 protected:
  // A script of dialogue running over a few pages.
  void Speeches() {
    std::vector<ElementSpec> script;
    for (int i = 0; i < 6; ++i) {
      script.push_back({ekCharacterName, "JOHN"});
      script.push_back(DialogueLines(14));
    }
    Start(script);
  }
  // Answers the formats dialog: `change` sets its controls, then OK.
  void Answer(std::function<void(TEditScriptFormatsDlg&)> change, TModalResult result = mrOk) {
    Driver().Expect([change, result](TForm& form) {
      auto& dialog = dynamic_cast<TEditScriptFormatsDlg&>(form);
      change(dialog);
      form.ModalResult = result;
    });
  }
  static void Type(TEditScriptFormatsDlg& d, const std::string& name, const std::string& text) {
    DialogControl<TEdit>(d, name)->Text = text;
  }
  static TRadioGroup* Radio(TEditScriptFormatsDlg& d, const std::string& name) {
    return DialogControl<TRadioGroup>(d, name);
  }
  static TCheckBox* Check(TEditScriptFormatsDlg& d, const std::string& name) {
    return DialogControl<TCheckBox>(d, name);
  }
  // Answers the "Letter Skip List" dialog with these letters.
  void AnswerSkipList(const std::string& letters, TModalResult result = mrOk) {
    Driver().Expect([letters, result](TForm& form) {
      auto& dialog = dynamic_cast<TLetterSkipDlg&>(form);
      EXPECT_EQ(dialog.Caption(), "Letter Skip List");
      dialog.SkipLetters->Text = letters;
      form.ModalResult = result;
    });
  }
  bool Run() {
    bool defaults = false;
    return EditScriptFormats(Window(), defaults);
  }
};

TEST_F(ScriptFormatsTest, ShowsTheScriptsFormatsAndOptions) {
  Speeches();
  Window().FirstPageLine = 4;
  Window().DialogueBreakMode = 3;
  Answer(
      [](TEditScriptFormatsDlg& d) {
        EXPECT_EQ(d.Caption(), "Script Formats");
        std::vector<std::string> tabs;
        for (int i = 0; i < d.Notebook->PageCount(); ++i) tabs.push_back(d.Notebook->Pages(i)->Caption());
        EXPECT_EQ(tabs,
                  (std::vector<std::string>{"Character Names", "Dialogue", "Parentheticals", "Scene Headings", "Action",
                                            "Transitions", "Act Information", "Scene Information", "Centered Title",
                                            "Shots", "Script Notes", "Locked Scripts", "Page Breaks"}));
        EXPECT_EQ(DialogControl<TEdit>(d, "DialogueLeft")->Text(), "2.5");
        EXPECT_EQ(DialogControl<TEdit>(d, "CharacterLeft")->Text(), "3.7");
        EXPECT_EQ(DialogControl<TEdit>(d, "SceneHeadingBefore")->Text(), "2.0");
        EXPECT_TRUE(Check(d, "SceneHeadingCaps")->Checked());
        EXPECT_FALSE(Check(d, "ActionCaps")->Checked());
        EXPECT_EQ(DialogControl<TEdit>(d, "FirstLine")->Text(), "5") << "the stored line plus one";
        EXPECT_EQ(Radio(d, "BreakDialogue")->ItemIndex(), 3);
        EXPECT_EQ(Radio(d, "BreakAction")->ItemIndex(), 2);
      },
      mrCancel);
  const TScriptSettings before = Window();
  EXPECT_FALSE(Run());
  EXPECT_TRUE(static_cast<const TScriptSettings&>(Window()) == before) << "Cancel changes nothing";
}

TEST_F(ScriptFormatsTest, WiderDialogueMarginsRewrapAndAddPages) {
  Speeches();
  const std::size_t pagesBefore = Pages().size();
  Answer([](TEditScriptFormatsDlg& d) {
    Type(d, "DialogueLeft", "3.5");
    Type(d, "DialogueRight", "3.0");
  });
  ASSERT_TRUE(Run());
  EXPECT_EQ(Window().FormatSet[fsDialogue].LeftMargin, 35);
  EXPECT_EQ(Window().FormatSet[fsDialogue].RightMargin, 30);
  EXPECT_EQ(Window().FormatSet[fsDialogueCopy].LeftMargin, 35);
  for (const TScriptElement* e = Window().FirstElement; e; e = e->next) {
    if (e->Kind() == ekDialogue) {
      EXPECT_EQ(e->format.LeftMargin, 35);
    }
    if (e->Kind() == ekCharacterName) {
      EXPECT_EQ(e->format.LeftMargin, 37) << "other kinds keep theirs";
    }
  }
  EXPECT_GT(Pages().size(), pagesBefore);
}

// Each break-mode choice is stored as its place in the group.
TEST_F(ScriptFormatsTest, PageBreakChoicesAreStoredAsGiven) {
  for (int mode = 0; mode < 4; ++mode) {
    Speeches();
    Answer([mode](TEditScriptFormatsDlg& d) {
      Radio(d, "BreakAction")->SetItemIndex(mode);
      Radio(d, "BreakDialogue")->SetItemIndex(3 - mode);
      Type(d, "MinAction", "3");
      Type(d, "MinDialogue", "4");
      Type(d, "PageStart", "7");
      Type(d, "FirstLine", "6");
      Check(d, "SingleSentenceBox")->SetChecked(false);
      Check(d, "TwoOneLinersBox")->SetChecked(false);
      Check(d, "TransitionFirstBox")->SetChecked(true);
      Check(d, "CountMoreBox")->SetChecked(false);
      Check(d, "TransitionContinuedBox")->SetChecked(true);
      Check(d, "SceneTopContinuedBox")->SetChecked(true);
    });
    ASSERT_TRUE(Run());
    const TMDIChild& s = Window();
    EXPECT_EQ(s.ActionBreakMode, mode);
    EXPECT_EQ(s.DialogueBreakMode, 3 - mode);
    EXPECT_EQ(s.MinActionLines, 3);
    EXPECT_EQ(s.MinDialogueLines, 4);
    EXPECT_EQ(s.PageStart, 7);
    EXPECT_EQ(s.FirstPageLine, 5) << "the entered line minus one";
    EXPECT_EQ(s.BreakAfterSingleSentence, 0);
    EXPECT_EQ(s.BreakTwoOneLiners, 0);
    EXPECT_EQ(s.TransitionOnFirstLine, 1);
    EXPECT_EQ(s.CountMoreLine, 0);
    EXPECT_EQ(s.TransitionOnContinuedLine, 1);
    EXPECT_EQ(s.ScenesOnTopContinuedLine, 1);
  }
}

TEST_F(ScriptFormatsTest, ElementOptionsNumberingAndHiddenKindsAreStored) {
  Speeches();
  Answer([](TEditScriptFormatsDlg& d) {
    Check(d, "CenterNamesBox")->SetChecked(true);
    Radio(d, "ContinuedGroup")->SetItemIndex(2);
    Check(d, "SameExtensionBox")->SetChecked(true);
    Check(d, "OutdentBox")->SetChecked(true);
    Check(d, "SeparateBox")->SetChecked(true);
    Check(d, "LeftNumberBox")->SetChecked(true);
    Check(d, "RightOnTopBox")->SetChecked(true);
    Check(d, "PrintNotesBox")->SetChecked(true);
    Check(d, "NoteHidden")->SetChecked(true);
    Check(d, "ActionBold")->SetChecked(true);
    Check(d, "ActionCaps")->SetChecked(true);
    Type(d, "SceneStart", "10");
    Type(d, "ActStart", "1");
    d.SkipListBtn->Click();
  });
  AnswerSkipList("io");
  ASSERT_TRUE(Run());
  const TMDIChild& s = Window();
  EXPECT_EQ(s.CenterCharacterNames, 1);
  EXPECT_EQ(s.ContinuedPosition, 2);
  EXPECT_EQ(s.ContinuedSameExtension, 1);
  EXPECT_EQ(s.OutdentParentheticals, 1);
  EXPECT_EQ(s.ParentheticalsSeparate, 1);
  EXPECT_EQ(s.LeftNumber, 1);
  EXPECT_EQ(s.RightNumberOnTopLine, 1);
  EXPECT_EQ(s.PrintScriptNotes, 1);
  EXPECT_EQ(s.HiddenKinds, 1u << ekScriptNote);
  EXPECT_EQ(s.FormatSet[fsAction].Style, stBold);
  EXPECT_EQ(s.FormatSet[fsAction].AllCaps, 1);
  EXPECT_EQ(s.SceneStart, 9) << "scene numbers start at the offset plus one";
  EXPECT_EQ(s.ActStart, 0);
  EXPECT_TRUE(s.IsSkipLetter('I'));
  EXPECT_TRUE(s.IsSkipLetter('O'));
  EXPECT_FALSE(s.IsSkipLetter('A'));
}

// A font the script does not use yet takes a free slot of its font table.
TEST_F(ScriptFormatsTest, AnInstalledFontJoinsTheScriptsFontTable) {
  Speeches();
  const std::string firstFont = Window().FontNameTable[0];
  std::string chosen;
  Answer([&chosen](TEditScriptFormatsDlg& d) {
    auto* font = d.PageControl<TComboBox>("Action", "Font");
    ASSERT_GT(font->Items.Count(), 0);
    font->SetItemIndex(font->Items.Count() - 1);
    chosen = font->Items[font->Items.Count() - 1];
  });
  ASSERT_TRUE(Run());
  const TElementFormat& action = Window().FormatSet[fsAction];
  EXPECT_EQ(Window().FontNameTable[action.FontIndex()], chosen);
  EXPECT_EQ(Window().FormatSet[fsDialogue].FontIndex(), 0) << "other kinds keep their font";
  if (firstFont != chosen) {
    EXPECT_EQ(Window().FontNameTable[0], firstFont) << "the font of the other kinds stays";
  }
  Answer(
      [&chosen](TEditScriptFormatsDlg& d) {
        auto* font = d.PageControl<TComboBox>("Action", "Font");
        EXPECT_EQ(font->Items[font->ItemIndex()], chosen);
      },
      mrCancel);
  EXPECT_FALSE(Run());
}

// An element without a font of its own is in the script font: its page
// shows that font, and OK with it unchanged keeps the element as it was.
TEST_F(ScriptFormatsTest, EveryElementPageShowsItsFont) {
  Speeches();
  Window().ScriptFontName = "Courier New";
  Window().FontNameTable[0].clear();
  const TFontNames before = Window().FontNameTable;
  Answer([](TEditScriptFormatsDlg& d) {
    for (const TFormatPage& page : FormatPages) {
      SCOPED_TRACE(page.Caption);
      auto* font = d.PageControl<TComboBox>(page.Prefix, "Font");
      ASSERT_GE(font->ItemIndex(), 0) << "the font box is empty";
      EXPECT_EQ(font->Items[font->ItemIndex()], "Courier New");
    }
  });
  ASSERT_TRUE(Run());
  EXPECT_EQ(Window().FontNameTable, before);
  EXPECT_EQ(Window().FormatSet[fsAction].FontIndex(), 0);
}

// No control of a page covers another, so each can be seen and clicked.
TEST_F(ScriptFormatsTest, NoControlOfAPageCoversAnother) {
  Speeches();
  Answer(
      [](TEditScriptFormatsDlg& d) {
        for (int p = 0; p < d.Notebook->PageCount(); ++p) {
          const TTabSheet* page = d.Notebook->Pages(p);
          SCOPED_TRACE(page->Caption());
          for (int i = 0; i < page->ControlCount(); ++i)
            for (int j = i + 1; j < page->ControlCount(); ++j) {
              const TRect a = page->Controls(i)->BoundsRect(), b = page->Controls(j)->BoundsRect();
              const bool apart = a.Right <= b.Left || b.Right <= a.Left || a.Bottom <= b.Top || b.Bottom <= a.Top;
              EXPECT_TRUE(apart) << page->Controls(i)->Name << " covers " << page->Controls(j)->Name;
            }
        }
      },
      mrCancel);
  EXPECT_FALSE(Run());
}

// A value outside its limits is refused with a message and the dialog
// comes back; nothing is stored until it closes with good values.
TEST_F(ScriptFormatsTest, ValuesOutsideTheirLimitsAreRefused) {
  struct Case {
    const char* control;
    const char* typed;
    const char* message;
  } const cases[] = {
      {"DialogueLeft", "9", "Dialogue: The left margin must be a number from 0 to 8."},
      {"DialogueRight", "abc", "Dialogue: The right margin must be a number from 0 to 8."},
      {"ActionLeft", "7.0", "Action: The margins leave less than one inch for the text."},
      {"ShotSpacing", "0", "Shots: The interline spacing must be a number from 0.5 to 3."},
      {"NoteSize", "200", "Script Notes: The font size must be a number from 4 to 72."},
      {"FirstLine", "0", "The line of the first page must be a number from 1 to 40."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    Speeches();
    const TScriptSettings before = Window();
    Answer([&c](TEditScriptFormatsDlg& d) {
      Type(d, c.control, c.typed);
      Type(d, "MinAction", "5");
    });
    std::string message;
    Press(mrOk, &message);
    Answer([](TEditScriptFormatsDlg& d) { EXPECT_EQ(DialogControl<TEdit>(d, "MinAction")->Text(), "5"); }, mrCancel);
    EXPECT_FALSE(Run());
    EXPECT_EQ(message, c.message);
    EXPECT_TRUE(static_cast<const TScriptSettings&>(Window()) == before);
    EXPECT_EQ(Driver().Pending(), 0);
  }
}

// Only letters are taken; the list comes back until it holds them or is
// cancelled, and the formats dialog's Cancel drops what it took.
TEST_F(ScriptFormatsTest, TheSkipListTakesLettersOnly) {
  Speeches();
  Window().SkipLetters[static_cast<std::size_t>('O' / 8)] |= static_cast<Byte>(1u << ('O' % 8));
  Answer(
      [](TEditScriptFormatsDlg& d) {
        d.SkipListBtn->Click();
        EXPECT_TRUE(d.SkipLetters[static_cast<std::size_t>('Q' / 8)] & (1u << ('Q' % 8)));
      },
      mrCancel);
  Driver().Expect([](TForm& form) {
    auto& dialog = dynamic_cast<TLetterSkipDlg&>(form);
    EXPECT_EQ(dialog.SkipLetters->Text(), "O");
    dialog.SkipLetters->Text = std::string("Q-");
    form.ModalResult = mrOk;
  });
  std::string message;
  Press(mrOk, &message);
  AnswerSkipList("q");
  EXPECT_FALSE(Run());
  EXPECT_EQ(message, "The Locked Letter Skip List may hold only the letters A to Z.");
  EXPECT_TRUE(Window().IsSkipLetter('O'));
  EXPECT_FALSE(Window().IsSkipLetter('Q')) << "Cancel keeps the script's list";
  EXPECT_EQ(Driver().Pending(), 0);
}

}  // namespace
}  // namespace qm::testing
