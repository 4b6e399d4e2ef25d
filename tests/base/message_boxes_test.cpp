#include "base/message_boxes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/input.h"
#include "base/global_state.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

class MessageBoxTest : public testing::PlatformFixture {
 protected:
  void SetUp() override {
    PlatformFixture::SetUp();
    GlobalState::ResetAll();
  }
  void TearDown() override {
    GlobalState::ResetAll();
    PlatformFixture::TearDown();
  }
};

TBitBtn& Button(TForm& form, const std::string& name) {
  static const std::pair<const char*, const char*> shortNames[] = {
      {"L", "LeftButton"}, {"M", "MiddleButton"}, {"R", "RightButton"}, {"A", "YesAllBtn"}};
  std::string full = name;
  for (auto [shortName, longName] : shortNames)
    if (name == shortName) full = longName;
  return *dynamic_cast<TBitBtn*>(form.FindComponent(full));
}
TLabel& MenuText(TForm& form) { return *dynamic_cast<TLabel*>(form.FindComponent("MenuText")); }
TEdit& YesText(TForm& form) { return *dynamic_cast<TEdit*>(form.FindComponent("RequireYesText")); }

const char* const kButtonNames[] = {"L", "M", "R", "A"};

struct Shown {
  std::string name;
  std::string caption;
  std::string glyph;
  TModalResult result;
};

struct KindCase {
  const char* routine;
  std::function<int(bool defaultFirst)> ask;
  std::vector<Shown> buttons;
  std::string focusDefaultFirst;
  std::string focusOtherwise;
  std::string escape;  // empty: Escape leaves the box open
  std::function<int(TModalResult)> answer;
};

int Same(TModalResult r) { return r; }

// Button names are shortened to their first letter: L, M, R and A (the fourth button).
// clang-format off
const std::vector<KindCase>& KindCases() {
  const auto yes = [](TModalResult r) { return static_cast<int>(r == mrYes); };
  static const std::vector<KindCase> cases = {
      {"ShowMessageBox", [](bool) { ShowMessageBox("t", "c"); return 0; },
       {{"M", "OK", "BBOK", 1}}, "M", "M", "", [](TModalResult) { return 0; }},
      {"AskYesNo", [](bool d) { return static_cast<int>(AskYesNo("t", "c", d)); },
       {{"M", "&Yes", "BBYES", 6}, {"R", "&No", "BBNO", 7}}, "M", "R", "R", yes},
      {"AskAbortRetry", [](bool d) { return AskAbortRetry("t", "c", d); },
       {{"M", "&Abort", "BBABORT", 3}, {"R", "&Retry", "BBRETRY", 4}}, "R", "M", "M", Same},
      {"AskYesNoCancel", [](bool d) { return AskYesNoCancel("t", "c", d); },
       {{"L", "&Yes", "BBYES", 6}, {"M", "&No", "BBNO", 7}, {"R", "&Cancel", "BBCANCEL", 2}}, "L", "M", "R", Same},
      {"AskOkCancel", [](bool) { return static_cast<int>(AskOkCancel("t", "c")); },
       {{"M", "O&k", "BBOK", 1}, {"R", "&Cancel", "BBCANCEL", 2}}, "M", "M", "R",
       [](TModalResult r) { return static_cast<int>(r == mrOk); }},
      {"AskDrive", [](bool d) { return static_cast<int>(AskDrive("t", "c", d)); },
       {{"L", "  Drive &A:", "", 6}, {"M", "  Drive &B", "", 7}, {"R", "&Cancel", "BBCANCEL", 2}}, "L", "R", "R",
       [](TModalResult r) { return r == mrYes ? 'A' : r == mrNo ? 'B' : 0; }},
      {"AskOkSkipCancel", [](bool d) { return AskOkSkipCancel("t", "c", d); },
       {{"L", "O&k", "BBYES", 6}, {"M", "&Skip", "BBNO", 7}, {"R", "&Cancel", "BBCANCEL", 2}}, "L", "M", "R", Same},
      {"AskOkSkipCancelAll", [](bool d) { return AskOkSkipCancelAll("t", "c", d); },
       {{"L", "O&k", "BBYES", 6}, {"M", "&Skip", "BBNO", 7}, {"R", "&Cancel", "BBCANCEL", 2},
        {"A", "Yes &All", "BBALL", 8}}, "L", "M", "R", Same},
      {"AskOkSkipEditAll", [](bool d) { return AskOkSkipEditAll("t", "c", d); },
       {{"L", "O&k", "BBYES", 6}, {"M", "&Skip", "BBNO", 7}, {"R", "&Edit", "BBOK", 20},
        {"A", "&Cancel", "BBCANCEL", 2}}, "L", "M", "", Same},
      {"AskCheatOrAdjust", [](bool) { return static_cast<int>(AskCheatOrAdjust("t", "c")); },
       {{"M", "&Cheat", "BBYES", 6}, {"R", "&Adjust", "BBNO", 7}}, "R", "R", "R",
       [](TModalResult r) { return r == mrNo ? 100 : 250; }},
      {"AskYesNoHelp", [](bool d) { return AskYesNoHelp("t", "c", d, 0); },
       {{"L", "&Yes", "BBYES", 6}, {"M", "&No", "BBNO", 7}, {"R", "&Help", "BBHELP", 0}}, "L", "M", "", Same},
      {"AskNameOrPath", [](bool d) { return AskNameOrPath("t", "c", d); },
       {{"L", "   &Name Only", "", 6}, {"M", "   &Path && Name", "", 7}, {"R", "&Cancel", "BBCANCEL", 2}},
       "L", "M", "R", Same},
  };
  return cases;
}
// clang-format on

void ExpectButtons(TForm& form, const std::vector<Shown>& shown) {
  for (const char* name : kButtonNames) {
    SCOPED_TRACE(name);
    TBitBtn& button = Button(form, name);
    const Shown* want = nullptr;
    for (const auto& s : shown)
      if (s.name == name) want = &s;
    ASSERT_EQ(button.Visible(), want != nullptr);
    if (!want) continue;
    EXPECT_EQ(button.Caption(), want->caption);
    EXPECT_EQ(button.Glyph.ResourceName, want->glyph);
    EXPECT_EQ(button.ModalResult, want->result);
  }
}

TModalResult ResultOf(const KindCase& c, const std::string& name) {
  for (const auto& s : c.buttons)
    if (s.name == name) return s.result;
  return mrNone;
}

TEST_F(MessageBoxTest, EveryKindHasItsButtonsFocusEscapeAndResults) {
  for (const auto& c : KindCases()) {
    SCOPED_TRACE(c.routine);
    for (bool defaultFirst : {true, false}) {
      const std::string& focus = defaultFirst ? c.focusDefaultFirst : c.focusOtherwise;
      Driver().Expect([&](TForm& f) {
        ExpectButtons(f, c.buttons);
        ASSERT_NE(f.FocusedControl(), nullptr);
        EXPECT_EQ(f.FocusedControl(), &Button(f, focus));
        SendKey(VK_RETURN);
      });
      const int got = c.ask(defaultFirst);
      EXPECT_EQ(got, c.answer(ResultOf(c, focus)));
    }
    Driver().Expect([&](TForm& f) {
      SendKey(VK_ESCAPE);
      if (!c.escape.empty()) return;
      EXPECT_EQ(f.ModalResult, mrNone) << "Escape must not answer this kind";
      Button(f, c.buttons.front().name).Click();
    });
    const int escaped = c.ask(true);
    EXPECT_EQ(escaped, c.answer(c.escape.empty() ? c.buttons.front().result : ResultOf(c, c.escape)));
    for (const auto& b : c.buttons) {
      if (b.result == mrNone) continue;
      Driver().Expect([&](TForm& f) { ClickAt(Button(f, b.name), 5, 5); });
      const int pressed = c.ask(true);
      EXPECT_EQ(pressed, c.answer(b.result)) << b.name;
    }
  }
}

TEST_F(MessageBoxTest, HelpButtonKeepsTheBoxOpenAndTheBoxKeepsTheHelpContext) {
  Driver().Expect([](TForm& f) {
    EXPECT_EQ(f.HelpContext, 77);
    Button(f, "RightButton").Click();
    EXPECT_EQ(f.ModalResult, mrNone);
    Button(f, "MiddleButton").Click();
  });
  EXPECT_EQ(AskYesNoHelp("Print?", "Attention", true, 77), mrNo);
}

TEST_F(MessageBoxTest, CaptionsAreNormalised) {
  const struct {
    std::string given, shown;
  } cases[] = {
      {"", "ATTENTION..."},
      {"* Please Wait *", "Please Wait..."},
      {"  Saving  ", "Saving..."},
      {"Warning!  ", "Warning!  "},
      {"Attention", "Attention"},
      {"***", ""},
      {" *Lock* pages* ", "Lock* pages..."},
      {"* ", ""},
      {"My Most humble Regrets, but...", "My Most humble Regrets, but..."},
  };
  for (const auto& c : cases) EXPECT_EQ(NormalizeCaption(c.given), c.shown) << '"' << c.given << '"';
  Driver().Expect([](TForm& f) {
    EXPECT_EQ(f.Caption(), "ATTENTION...");
    EXPECT_EQ(MenuText(f).Caption(), "\rSorry... but you can ONLY have 9 documents open at any one time.");
    SendKey(VK_RETURN);
  });
  ShowMessageBox("Sorry... but you can ONLY have 9 documents open at any one time.", "");
}

// Text height comes from the headless metrics: MS Sans Serif 8 at 96 dots
// per inch is 12 pixels a line; a text starts with one empty line.
TEST_F(MessageBoxTest, LayoutFollowsTheTextAndTheButtonCount) {
  struct Case {
    const char* what;
    std::function<void()> show;
    int panelHeight, bevelHeight, borderHeight, boxHeight, buttonTop;
    std::vector<int> lefts, widths;  // of the visible buttons, in row order
  };
  const std::string wrapped(100, 'x');  // 70 fit on a line of 350 pixels
  // clang-format off
  const std::vector<Case> cases = {
      {"one button", [] { ShowMessageBox("Hello", ""); }, 44, 67, 54, 148, 85, {157}, {77}},
      {"two buttons", [] { AskYesNo("One\rTwo", "", true); }, 56, 79, 66, 160, 97, {157, 274}, {77, 77}},
      {"three buttons, wrapped text", [&] { AskYesNoCancel(wrapped, "", true); }, 56, 79, 66, 160, 97,
       {40, 157, 274}, {77, 77, 77}},
      {"four buttons", [] { AskOkSkipCancelAll("Hello", "", true); }, 44, 67, 54, 148, 85,
       {18, 111, 204, 297}, {75, 75, 75, 75}},
      {"four buttons with Cancel", [] { AskOkSkipEditAll("Hello", "", true); }, 44, 67, 54, 148, 85,
       {18, 111, 204, 297}, {75, 75, 75, 75}},
      {"name or path", [] { AskNameOrPath("Hello", "", true); }, 44, 67, 54, 148, 85, {30, 147, 274}, {87, 97, 77}},
      {"type YES", [] { AskTypeYes("Delete?", ""); }, 104, 127, 114, 208, 145, {157}, {77}},
  };
  // clang-format on
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Driver().Expect([&](TForm& f) {
      auto& box = dynamic_cast<TMyNewMsgBox&>(f);
      EXPECT_EQ(box.Panel1->Height, c.panelHeight);
      EXPECT_EQ(box.Bevel1->Height, c.bevelHeight);
      EXPECT_EQ(box.BorderPanel->Height, c.borderHeight);
      EXPECT_EQ(box.Height, c.boxHeight);
      std::vector<int> lefts, widths;
      for (const char* name : kButtonNames) {
        TBitBtn& b = Button(f, name);
        EXPECT_EQ(b.Top, c.buttonTop) << name;
        if (!b.Visible) continue;
        lefts.push_back(b.Left);
        widths.push_back(b.Width);
      }
      EXPECT_EQ(lefts, c.lefts);
      EXPECT_EQ(widths, c.widths);
      Button(f, "MiddleButton").Click();
    });
    c.show();
    TMyNewMsgBox& box = *MyNewMsgBox;
    const std::vector<std::pair<TBitBtn*, int>> designed = {
        {box.LeftButton, 40}, {box.MiddleButton, 157}, {box.RightButton, 274}, {box.YesAllBtn, 217}};
    for (auto [button, left] : designed) {
      EXPECT_EQ(button->Left, left) << button->Name;
      EXPECT_EQ(button->Width, 77) << button->Name;
    }
    EXPECT_FALSE(box.YesAllBtn->Visible);
    EXPECT_EQ(box.YesAllBtn->Caption(), "Yes &All");
    EXPECT_EQ(box.YesAllBtn->ModalResult, mrAll);
  }
  Driver().Expect([](TForm& f) { Button(f, "RightButton").Click(); });
  AskNameOrPath("Hello", "", true);
  EXPECT_EQ(MyNewMsgBox->LeftButton->Glyph.ResourceName, "BBYES");
  EXPECT_EQ(MyNewMsgBox->MiddleButton->Glyph.ResourceName, "BBNO");
}

TEST_F(MessageBoxTest, BoxIsKeptAboveTheBottomOfTheScreen) {
  Backend().ScreenSettings().Height = 400;
  Driver().Expect([](TForm& f) {
    EXPECT_EQ(f.Top, (400 - 226) / 2) << "a short box stays where it was put";
    SendKey(VK_RETURN);
  });
  ShowMessageBox("Short", "");
  Driver().Expect([](TForm& f) {
    EXPECT_GT(f.Height, 200);
    EXPECT_EQ(f.Top + f.Height, 400);
    SendKey(VK_RETURN);
  });
  ShowMessageBox(std::string(19, '\r') + "Long", "");
}

TEST_F(MessageBoxTest, TypeYesAcceptsOnlyTheTypedWord) {
  const struct {
    const char* typed;
    bool closesAtOnce;
    Word closingKey;
    bool result;
  } cases[] = {
      {"YES", true, 0, true},
      {"yes", false, VK_ESCAPE, false},
      {"YE", false, VK_RETURN, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    Driver().Expect([&](TForm& f) {
      TEdit& edit = YesText(f);
      EXPECT_TRUE(edit.Visible);
      EXPECT_EQ(edit.Text(), "");
      EXPECT_EQ(f.FocusedControl(), &edit);
      EXPECT_EQ(MenuText(f).Caption(), "\rDelete NONAME1.QMW?\r\rType YES to accept...\r\r\r");
      EXPECT_EQ(edit.Top + edit.Height, MenuText(f).Top + MenuText(f).Height);
      TypeText(c.typed);
      EXPECT_EQ(f.ModalResult, c.closesAtOnce ? mrOk : mrNone);
      if (c.closingKey == VK_RETURN) {
        SendKey(VK_RETURN);
        EXPECT_EQ(f.ModalResult, mrNone) << "Enter has no button to press";
      }
      if (!c.closesAtOnce) SendKey(VK_ESCAPE);
    });
    EXPECT_EQ(AskTypeYes("Delete NONAME1.QMW?", "Are you Sure?"), c.result);
  }
  Driver().Expect([](TForm& f) {
    EXPECT_FALSE(YesText(f).Visible);
    SendKey(VK_RETURN);
  });
  ShowMessageBox("after", "");
}

TEST_F(MessageBoxTest, PleaseWaitNoticeHasNoButtonsAndItsDotsMoveEveryHundredAndFiftyTicks) {
  ShowPleaseWait("Saving Timed Backup(s)", true, false);
  TMyNewMsgBox& box = *MyNewMsgBox;
  EXPECT_TRUE(box.Visible);
  EXPECT_EQ(box.Caption(), "Please Wait...");
  EXPECT_EQ(box.Panel1->Height, 56);
  EXPECT_EQ(box.Height, 25 + 79 + 16 + 40 - 27) << "one button height less than a box with buttons";
  EXPECT_EQ(box.MenuText->Caption(), "\rSaving Timed Backup(s)        \r");
  TForm other(nullptr);
  Application->Post(TMsg{box.Handle(), WM_USER, 0, 0, 0, {}});
  Application->Post(TMsg{other.Handle(), WM_USER, 0, 0, 0, {}});
  for (int i = 0; i < 149; ++i) TickPleaseWait();
  TMsg msg;
  EXPECT_FALSE(Application->Peek(msg, box.Handle(), 0, 0, false)) << "a tick handles the box's own messages";
  EXPECT_TRUE(Application->Peek(msg, other.Handle(), 0, 0, false)) << "and only those";
  EXPECT_EQ(box.MenuText->Caption(), "\rSaving Timed Backup(s)        \r");
  const int expectedDots[] = {1, 2, 3, 4, 5, 6, 7, 8, 0, 1, 2};
  int ticks = 149;
  for (int dots : expectedDots) {
    for (; ticks < 150; ++ticks) TickPleaseWait();
    ticks = 0;
    SCOPED_TRACE(dots);
    EXPECT_EQ(box.MenuText->Caption(),
              "\r\rSaving Timed Backup(s)" + std::string(dots, '.') + std::string(8 - dots, ' ') + "\r");
    EXPECT_EQ(box.DotMarker, std::string(dots, '.'));
  }
  ShowPleaseWait("Again", false, false);
  EXPECT_EQ(box.MenuText->Caption(), "\rAgain\r");
  EXPECT_EQ(box.DotMarker, "");
  EXPECT_EQ(box.TickCount, 0);
  ClosePleaseWait();
}

TEST_F(MessageBoxTest, CancelInANoticeLeavesTheCancelResultForTheJob) {
  const struct {
    const char* how;
    std::function<void(TMyNewMsgBox&)> press;
  } cases[] = {
      {"click", [](TMyNewMsgBox& box) { ClickAt(*box.MiddleButton, 5, 5); }},
      {"Escape", [](TMyNewMsgBox&) { SendKey(VK_ESCAPE); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    ShowPleaseWait("Printing", false, true);
    TMyNewMsgBox& box = *MyNewMsgBox;
    ExpectButtons(box, {{"M", "Cancel", "BBCANCEL", 2}});
    SetMsgBoxResult(mrNone);
    TickPleaseWait();
    EXPECT_EQ(GetMsgBoxResult(), mrNone);
    c.press(box);
    EXPECT_EQ(GetMsgBoxResult(), mrCancel);
    EXPECT_TRUE(box.Visible) << "the job closes the notice itself";
    ClosePleaseWait();
    EXPECT_FALSE(box.Visible);
  }
}

TEST_F(MessageBoxTest, FileErrorsUseThePlatformBox) {
  const struct {
    Byte code;
    const char* text;
  } cases[] = {
      // clang-format off
      {2, "File Not Found"}, {3, "Path Not Found"}, {4, "Too Many Open Files"}, {5, "File Access Denied"},
      {8, "Not Enough Memory"}, {100, "Disk Read Error"}, {101, "Disk is Full"}, {112, "Disk is Full"},
      {150, "Disk is Write Protected."}, {152, "Disk Drive isn't ready."}, {156, "Disk Seek Error."},
      {157, "Unknown Media Type"}, {158, "Sector Not Found"}, {160, "Device Write Fault"},
      {161, "Device Read Fault"}, {162, "Hardware Error"}, {0, "Error #0"}, {7, "Error #7"}, {255, "Error #255"},
      {FileTooLargeError, "File is larger than the system allows this program to write"},
      // clang-format on
  };
  bool progressEnabled = true;
  int cleared = 0;
  MessageBoxHooks.EnableProgressDialog = [&](bool enabled) { progressEnabled = enabled; };
  MessageBoxHooks.ClearPendingIoError = [&] { ++cleared; };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    Driver().Expect([&](TForm& f) {
      EXPECT_EQ(f.Name, "SystemMessageBox");
      EXPECT_EQ(f.Caption(), "Warning");
      EXPECT_EQ(dynamic_cast<TLabel*>(f.FindComponent("Message"))->Caption(),
                std::string("Error saving SCRIPT.QMW\r") + c.text);
      EXPECT_FALSE(progressEnabled);
      dynamic_cast<TButton*>(f.FindComponent("Button1"))->Click();
    });
    const int before = cleared;
    ShowFileError("saving SCRIPT.QMW", c.code);
    EXPECT_TRUE(progressEnabled);
    EXPECT_EQ(cleared, before + 1);
  }
}

// Questions show the default cursor; notices keep the one the job set.
TEST_F(MessageBoxTest, ProgramIsBusyWhileTheBoxIsUpAndThenAsBefore) {
  Screen->SetCursor(crHourGlass);
  for (bool before : {false, true}) {
    SCOPED_TRACE(before);
    ProgramBusy = before;
    Driver().Expect([](TForm&) {
      EXPECT_TRUE(ProgramBusy);
      EXPECT_EQ(Screen->Cursor(), crDefault);
      SendKey(VK_RETURN);
    });
    AskYesNo("Exit Quillmaster for Windows?", "", true);
    EXPECT_EQ(ProgramBusy, before);
    EXPECT_EQ(Screen->Cursor(), crHourGlass);
    ShowPleaseWait("Saving", false, false);
    EXPECT_TRUE(ProgramBusy);
    EXPECT_EQ(Screen->Cursor(), crHourGlass);
    ShowPleaseWait("Still saving", false, true);
    EXPECT_TRUE(ProgramBusy);
    ClosePleaseWait();
    EXPECT_EQ(ProgramBusy, before);
  }
}

class FocusHost : public TForm {
 public:
  FocusHost() : TForm(nullptr) {
    for (TEdit** edit : {&First, &Second}) {
      *edit = new TEdit(this);
      (*edit)->SetParent(this);
    }
    Show();
    First->SetFocus();
  }
  TEdit* First;
  TEdit* Second;
};

TEST_F(MessageBoxTest, FocusGoesBackAfterTheBoxExceptForYesNoAndCheatQuestions) {
  const struct {
    const char* routine;
    std::function<void()> ask;
    bool givesFocusBack;
  } cases[] = {
      {"ShowMessageBox", [] { ShowMessageBox("t", ""); }, true},
      {"AskOkCancel", [] { AskOkCancel("t", ""); }, true},
      {"AskYesNoCancel", [] { AskYesNoCancel("t", "", true); }, true},
      {"AskYesNo", [] { AskYesNo("t", "", true); }, false},
      {"AskCheatOrAdjust", [] { AskCheatOrAdjust("t", ""); }, false},
  };
  FocusHost host;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.routine);
    host.First->SetFocus();
    Driver().Expect([&](TForm& f) {
      EXPECT_EQ(dynamic_cast<TMyNewMsgBox&>(f).SavedFocus, host.First->Handle());
      host.Second->SetFocus();
      Button(f, "MiddleButton").Click();
    });
    c.ask();
    EXPECT_EQ(host.FocusedControl(), c.givesFocusBack ? host.First : host.Second);
  }
  host.First->SetFocus();
  ShowPleaseWait("Saving", false, false);
  host.Second->SetFocus();
  ClosePleaseWait();
  EXPECT_EQ(host.FocusedControl(), host.First);
}

TEST_F(MessageBoxTest, FocusWindowThatVanishedIsSkipped) {
  FocusHost host;
  Driver().Expect([&](TForm& f) {
    delete host.First;
    Button(f, "MiddleButton").Click();
  });
  ShowMessageBox("t", "");
  EXPECT_EQ(host.FocusedControl(), nullptr);
}

TEST_F(MessageBoxTest, ProgressDialogStepsAsideAfterStartUp) {
  const struct {
    bool startupRunning;
    bool progressVisible;
    std::vector<std::string> whileShown, afterwards;
  } cases[] = {
      {false, true, {"hide"}, {"hide", "show"}},
      {true, true, {}, {}},
      {false, false, {}, {}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> calls;
    MessageBoxHooks.StartupRunning = [&] { return c.startupRunning; };
    MessageBoxHooks.ProgressDialogVisible = [&] { return c.progressVisible; };
    MessageBoxHooks.ProgressDialogHideNow = [&] { calls.push_back("hide"); };
    MessageBoxHooks.ProgressDialogShowNow = [&] { calls.push_back("show"); };
    Driver().Expect([&](TForm&) {
      EXPECT_EQ(calls, c.whileShown);
      SendKey(VK_RETURN);
    });
    ShowMessageBox("t", "");
    EXPECT_EQ(calls, c.afterwards);
  }
}

TEST_F(MessageBoxTest, RequestWhileAQuestionWaitsLeavesTheQuestionAlone) {
  FocusHost host;
  Driver().Expect([](TForm& f) {
    ShowMessageBox("inner", "");
    EXPECT_EQ(Screen->ActiveForm(), &f);
    EXPECT_FALSE(AskYesNo("inner question", "", true));
    ShowPleaseWait("inner notice", false, false);
    ClosePleaseWait();
    EXPECT_TRUE(f.Visible);
    EXPECT_EQ(MenuText(f).Caption(), "\router");
    SendKey(VK_RETURN);
  });
  EXPECT_TRUE(AskYesNo("outer", "", true));
}

}  // namespace
}  // namespace qm
