// The calendar's moves and the program font dialog.
#include "shell/utility_dialogs.h"

#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/messages.h"
#include "support/message_box_answers.h"
#include "shell/main_form.h"
#include "shell/program_start.h"
#include "support/program_fixture.h"

namespace qm {
namespace {

TEST(CalendarMoves, PagesAndWeeksCrossMonthsAsTheKeysSay) {
  using D = TCalendarDate;
  const struct {
    const char* what;
    D (*move)(D);
    D from;
    D to;
  } cases[] = {
      {"page up over the year's end", PreviousMonth, {2026, 1, 20}, {2025, 12, 1}},
      {"page down over the year's end", NextMonth, {2026, 12, 31}, {2027, 1, 1}},
      {"up from day 9", WeekBack, {2026, 3, 9}, {2026, 3, 2}},
      {"up from day 8", WeekBack, {2026, 3, 8}, {2026, 2, 1}},
      {"up from day 1 of January", WeekBack, {2026, 1, 1}, {2025, 12, 1}},
      {"down within the month", WeekForward, {2026, 2, 21}, {2026, 2, 28}},
      {"down past February's end", WeekForward, {2026, 2, 22}, {2026, 3, 1}},
      {"down in a leap February", WeekForward, {2028, 2, 22}, {2028, 2, 29}},
      {"down past December", WeekForward, {2026, 12, 25}, {2027, 1, 1}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.move(c.from), c.to) << c.what;
  EXPECT_EQ(MonthHeading({2026, 12, 7}), "Dec 2026");
}

TEST(ProducerNote, BeginsAndEndsWithItsFixedLinesAndDrawsEachPhraseInRange) {
  const std::string first = ProducerNote([](int) { return 0; });
  EXPECT_EQ(first, "Well, I read the script and...\r\n\r\nI think you need a couple more Characters...\r\n\r\n"
                   "The ending has to be funnier.\r\n\r\n"
                   "In the future, you can simply press Ctrl+Alt+H and I'll be here for you!");
  // A draw past the end of a list takes its last phrase instead of reading beyond it.
  const std::string last = ProducerNote([](int n) { return n + 5; });
  EXPECT_NE(last.find("must be"), std::string::npos);
}

class UtilityDialogsTest : public testing::ProgramFixture {};

TEST_F(UtilityDialogsTest, TheProducerWritesANoteOnOkAndNoThanksCloses) {
  Driver().Expect([](TForm& form) {
    auto& d = dynamic_cast<TProducerHelpDlg&>(form);
    EXPECT_EQ(d.CancelBtn->Caption(), "No Thanks");
    d.OKBtn->Click();
    EXPECT_NE(d.ModalResult, mrOk) << "the note shows in the dialog";
    ASSERT_GT(d.NoteMemo->Lines.Count(), 0);
    EXPECT_EQ(d.NoteMemo->Lines[0], "Well, I read the script and...");
    EXPECT_FALSE(d.OKBtn->Visible());
    d.CancelBtn->Click();
  });
  MainForm->MenuItem("ProducerHelpItem")->Click();
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(UtilityDialogsTest, TheCalendarFollowsItsKeysAndSwallowsThem) {
  Driver().Expect([](TForm& form) {
    auto& d = dynamic_cast<TCalendarDlg&>(form);
    EXPECT_EQ(d.Caption(), "These are the Times that try Men's Souls...");
    d.Date = {2026, 12, 7};
    d.ShowDate();
    EXPECT_EQ(d.Heading->Caption(), "Dec 2026");
    ASSERT_NE(d.DayLabel(7), nullptr);
    EXPECT_EQ(d.DayLabel(7)->Caption(), "7");
    EXPECT_EQ(d.DayLabel(7)->Color(), clHighlight);
    EXPECT_EQ(d.DayLabel(32), nullptr);
    Word key = VK_NEXT;
    d.OnKeyDown(&d, key, {});
    EXPECT_EQ(key, 0) << "swallowed";
    EXPECT_EQ(d.Heading->Caption(), "Jan 2027");
    key = VK_UP;
    d.OnKeyDown(&d, key, {});
    EXPECT_EQ(d.Heading->Caption(), "Dec 2026");
    EXPECT_EQ(d.Date, (TCalendarDate{2026, 12, 1}));
    key = 'A';
    d.OnKeyDown(&d, key, {});
    EXPECT_EQ(key, 'A') << "other keys pass";
    d.ModalResult = mrOk;
  });
  MainForm->MenuItem("Calendar1")->Click();
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(UtilityDialogsTest, TheMenuFontIsStoredOnOkOnly) {
  Driver().Expect([](TForm& form) {
    auto& d = dynamic_cast<TSetupDisplayFontDlg&>(form);
    d.SizeBar->Position = 12;
    d.BoldBox->SetChecked(false);
    d.ShowSample();
    EXPECT_EQ(d.SizeLabel->Caption(), "Set Font Size: 12");
    d.ModalResult = mrCancel;
  });
  MainForm->MenuItem("MenuFontItem")->Click();
  EXPECT_EQ(OpenSettingsFile().ReadInteger("Main Font", "Size", -1), -1);

  Driver().Expect([](TForm& form) {
    auto& d = dynamic_cast<TSetupDisplayFontDlg&>(form);
    ASSERT_GT(d.NameBox->Items.Count(), 0);
    d.NameBox->SetItemIndex(0);
    d.NameBox->OnChange(nullptr);
    d.SizeBar->Position = 12;
    d.BoldBox->SetChecked(false);
    d.ModalResult = mrOk;
  });
  MainForm->MenuItem("MenuFontItem")->Click();
  const TIniFile ini = OpenSettingsFile();
  EXPECT_EQ(ini.ReadInteger("Main Font", "Size", -1), 12);
  EXPECT_FALSE(ini.ReadBool("Main Font", "Bold", true));
  EXPECT_NE(ini.ReadString("Main Font", "Name", ""), "");
  ASSERT_NE(ProgramFont, nullptr);
  EXPECT_EQ(ProgramFont->Size(), 12);
}

TEST_F(UtilityDialogsTest, TheScriptFolderRefusesTheRootAndOffersToCreateAMissingOne) {
  const std::string before = ScriptDirectory;
  const std::string missing = HomeFile("new scripts");
  Driver().Expect([&](TForm& form) {
    auto& d = dynamic_cast<TSetupScriptDirectoryDlg&>(form);
    EXPECT_EQ(d.ScriptDirEdit->Text(), before);
    d.ScriptDirEdit->Text = "/";
    testing::AnswerMessageBox(Driver(), "You cannot designate the Root Directory as the default Script Directory.",
                              mrOk);
    d.OKBtn->Click();
    EXPECT_NE(d.ModalResult, mrOk);
    d.ScriptDirEdit->Text = missing + "/";
    testing::AnswerMessageBox(Driver(), missing + "/ does NOT exist!\r\n\r\nShould I create it for you?", mrNo);
    d.OKBtn->Click();
    EXPECT_NE(d.ModalResult, mrOk);
    EXPECT_FALSE(DirectoryExists(missing));
    testing::AnswerMessageBox(Driver(), missing + "/ does NOT exist!\r\n\r\nShould I create it for you?", mrYes);
    d.OKBtn->Click();
    EXPECT_EQ(d.ModalResult, mrOk);
  });
  EXPECT_TRUE(SetupScriptDirectory());
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_TRUE(DirectoryExists(missing));
  EXPECT_EQ(ScriptDirectory, missing);
}

// The folder list beside the field: a double click opens a folder and
// puts it in the field, OK takes it; a folder whose name the field's
// text cannot spell is taken as it is named.
TEST_F(UtilityDialogsTest, TheScriptFolderIsChosenInTheFolderListByDoubleClick) {
  const struct {
    const char* what;
    std::string folder;
  } cases[] = {
      {"plain name", "Drafts"},
      {"name outside the code page", "\xD0\xA1\xD1\x86\xD0\xB5\xD0\xBD\xD0\xB0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string parent = HomeFile(std::string("scripts ") + c.what);
    const std::string chosen = parent + "/" + c.folder;
    ForceDirectories(chosen);
    ScriptDirectory = parent;
    Driver().Expect([&](TForm& form) {
      auto& d = dynamic_cast<TSetupScriptDirectoryDlg&>(form);
      EXPECT_EQ(d.DirList->Directory(), parent);
      EXPECT_EQ(d.ScriptDirEdit->Text(), PathToText(parent));
      const int open = d.DirList->ItemIndex();
      ASSERT_EQ(d.DirList->ItemPath(open + 1), chosen);
      d.DirList->SetItemIndex(open + 1);
      EXPECT_EQ(d.ScriptDirEdit->Text(), PathToText(parent)) << "choosing alone does not open";
      d.DirList->Perform(WM_LBUTTONDBLCLK, 0, 0);
      EXPECT_EQ(d.DirList->Directory(), chosen);
      EXPECT_EQ(d.ScriptDirEdit->Text(), PathToText(chosen));
      d.OKBtn->Click();
      EXPECT_EQ(d.ModalResult, mrOk);
    });
    EXPECT_TRUE(SetupScriptDirectory());
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(ScriptDirectory, chosen);
  }
}

// A script folder that is gone starts the list at the top of its drive;
// the drive box moves the list to another volume's top.
TEST_F(UtilityDialogsTest, AMissingScriptFolderStartsTheListAtItsDrivesTop) {
  ScriptDirectory = "/no such folder here/scripts";
  Driver().Expect([](TForm& form) {
    auto& d = dynamic_cast<TSetupScriptDirectoryDlg&>(form);
    EXPECT_EQ(d.DirList->Directory(), "/");
    EXPECT_EQ(d.ScriptDirEdit->Text(), "/no such folder here/scripts") << "the field holds the folder set";
    EXPECT_EQ(d.DriveList->Drive(), "/");
    d.ModalResult = mrCancel;
  });
  EXPECT_FALSE(SetupScriptDirectory());
  EXPECT_EQ(ScriptDirectory, "/no such folder here/scripts");
}

// The script folder's field takes every name a folder can have: blanks,
// full stops, long names and the wildcard and list characters, without a
// beep; OK then takes the folder exactly as typed.
TEST_F(UtilityDialogsTest, TheScriptFolderFieldTakesAnyNameAFolderCanHave) {
  const struct {
    const char* marked;  // a name at the end, marked, that the typing replaces
    const char* typed;
  } cases[] = {
      {"", "Quillmaster Scripts"}, {"", "Documents"},          {"", "A*B,C.D;E?F"},
      {"", "DRAFTS/ONE TWO"},      {"", "ABCDEFGH/ABCDEFGHI"}, {"LONGERNAME", "my.drafts v2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    ScriptDirectory = HomeFile("scripts");
    ForceDirectories(ScriptDirectory);
    const std::string folder = ScriptDirectory + "/" + c.typed;
    ForceDirectories(folder);
    Backend().ClearSounds();
    Driver().Expect([&](TForm& form) {
      auto& d = dynamic_cast<TSetupScriptDirectoryDlg&>(form);
      const std::string start = d.ScriptDirEdit->Text() + "/";
      d.ScriptDirEdit->Text = start + c.marked;
      d.ScriptDirEdit->SetFocus();
      d.ScriptDirEdit->SelStart = static_cast<int>(start.size());
      d.ScriptDirEdit->SelLength = static_cast<int>(std::string(c.marked).size());
      TypeText(c.typed);
      EXPECT_EQ(d.ScriptDirEdit->Text(), start + c.typed);
      EXPECT_TRUE(Backend().Sounds().empty()) << "no key is refused";
      d.OKBtn->Click();
      EXPECT_EQ(d.ModalResult, mrOk) << "the folder typed exists: nothing to create";
    });
    EXPECT_TRUE(SetupScriptDirectory());
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(ScriptDirectory, folder);
  }
}

TEST(FileNameTyping, RefusesWhatAFileNameCannotHoldAndANinthCharacter) {
  const struct {
    const char* text;
    int caret;
    char key;
    bool extensions;
    bool allowed;
  } cases[] = {
      {"", 0, 'A', false, true},
      {"", 0, ' ', false, false},
      {"", 0, '*', false, false},
      {"", 0, ',', false, false},
      {"", 0, ';', false, false},
      {"", 0, '?', false, false},
      {"DRAFT", 5, '.', false, false},
      {"DRAFT", 5, '.', true, true},
      {"DRAFT", 5, '\\', false, true},
      {"DRAFT", 5, '/', false, true},
      // A separator ends a name, so it passes after a full one.
      {"ABCDEFGH", 8, '\\', false, true},
      {"ABCDEFGH", 8, '/', false, true},
      {"DRAFT", 5, '\b', false, true},
      {"ABCDEFGH", 8, '\b', false, true},
      {"ABCDEFG", 7, 'H', false, true},
      {"ABCDEFGH", 8, 'I', false, false},
      {"ABCDEFGH", 0, 'I', false, false},
      // Each name of a path, and the extension, counts on its own.
      {"ABCDEFGH\\", 9, 'I', false, true},
      {"ABCDEFGH\\AB", 2, 'I', false, false},
      {"ABCDEFGH.", 9, 'S', true, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FileNameKeyAllowed(c.text, c.caret, c.key, c.extensions), c.allowed)
        << '"' << c.text << "\" at " << c.caret << " key " << static_cast<int>(c.key);
  }
}

TEST_F(UtilityDialogsTest, TheFileNameBoxFiltersTypingUnlessTheListHoldsAPattern) {
  const struct {
    const char* listed;
    bool extensions;
    const char* typed;
    const char* field;
  } cases[] = {
      {"", false, "MY SCRIPT.TXT", "MYSCRIPT"},
      {"", true, "MY SCRIPT.TXT", "MYSCRIPT.TXT"},
      {"", false, "LONGNAMES", "LONGNAME"},
      {"*.SCR", false, "MY SCRIPT.TXT", "MY SCRIPT.TXT"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    TGetFileNameDlg dialog(nullptr);
    EXPECT_EQ(dialog.Caption(), "Enter File Name");
    EXPECT_EQ(dialog.AllowViewingBox->Caption(), " &Allow Viewing/Printing without Password");
    dialog.ExtensionsAllowed = c.extensions;
    if (*c.listed) {
      dialog.FileList->Items.Add(c.listed);
      dialog.FileList->SetItemIndex(0);
    }
    Backend().ClearSounds();
    Driver().Expect([&](TForm&) {
      TypeText(c.typed);
      EXPECT_EQ(dialog.FileNameEdit->Text(), c.field);
      const bool refusedSome = std::string(c.typed) != c.field;
      EXPECT_EQ(Backend().Sounds().empty(), !refusedSome) << "a refused key beeps";
      dialog.OKBtn->Click();
    });
    EXPECT_EQ(dialog.ShowModal(), mrOk);
  }
}

TEST_F(UtilityDialogsTest, TheFileNameBoxClosesAsCancelWhenOkFindsNothingTyped) {
  TGetFileNameDlg dialog(nullptr);
  Driver().Expect([&](TForm&) { dialog.OKBtn->Click(); });
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
}

TEST_F(UtilityDialogsTest, TheCopyListClosesWithOneOnADoubleClickAndThreeOnClose) {
  const struct {
    const char* what;
    void (*answer)(TStealTextDlg&);
    TModalResult result;
    int chosen;
  } cases[] = {
      {"double click on the second text",
       [](TStealTextDlg& d) {
         const TRect r = d.TextList->ItemRect(1);
         DoubleClickAt(*d.TextList, r.Left + 4, r.Top + 4);
       },
       mrOk, 1},
      {"close", [](TStealTextDlg& d) { d.CloseBtn->Click(); }, mrAbort, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TStealTextDlg dialog(nullptr);
    EXPECT_EQ(dialog.Caption(), "Double Click on item to Copy...");
    EXPECT_EQ(dialog.CloseBtn->Caption(), "&Close");
    dialog.TextList->Items.Add("INT. HOUSE -- DAY");
    dialog.TextList->Items.Add("EXT. GARDEN -- NIGHT");
    Driver().Expect([&](TForm&) { c.answer(dialog); });
    EXPECT_EQ(dialog.ShowModal(), c.result);
    EXPECT_EQ(dialog.TextList->ItemIndex(), c.chosen);
  }
}

}  // namespace
}  // namespace qm
