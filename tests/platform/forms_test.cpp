#include "platform/forms.h"

#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

#include "platform/input.h"
#include "platform/messages.h"
#include "platform/user_action.h"
#include "support/platform_fixture.h"

namespace qm {
namespace {

using testing::PlatformFixture;

// A small dialog with a text box and OK/Cancel, as most of the program's
// dialogs are built.
class SampleDialog : public TForm {
 public:
  SampleDialog() : TForm(nullptr) {
    Caption = "Sample";
    Name = "SampleDlg";
    SetBounds(0, 0, 300, 200);
    Edit = Add<TEdit>("NameEdit", 10, 10);
    Ok = Add<TButton>("OKBtn", 10, 50);
    Ok->Caption = "OK";
    Ok->ModalResult = mrOk;
    Ok->Default = true;
    Cancel = Add<TButton>("CancelBtn", 100, 50);
    Cancel->Caption = "Cancel";
    Cancel->ModalResult = mrCancel;
    Cancel->Cancel = true;
  }
  template <class T>
  T* Add(const char* name, int x, int y) {
    auto* c = new T(this);
    c->Name = name;
    c->SetParent(this);
    c->SetBounds(x, y, 75, 25);
    return c;
  }
  TEdit* Edit;
  TButton* Ok;
  TButton* Cancel;
};

using ModalDriverTest = PlatformFixture;

TEST_F(ModalDriverTest, AnswerReadsControlsAndPressesAButton) {
  SampleDialog dialog;
  Driver().Expect(
      [](TForm& form) {
        auto* edit = dynamic_cast<TEdit*>(form.FindComponent("NameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->Text = "JOHN";
        dynamic_cast<TButton*>(form.FindComponent("OKBtn"))->Click();
      },
      "type a name and press OK");
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_EQ(dialog.Edit->Text(), "JOHN");
  EXPECT_FALSE(dialog.Visible);
}

TEST_F(ModalDriverTest, KeysInsideAModalAnswerReachTheDefaultAndCancelButtons) {
  const struct {
    Word key;
    TModalResult expected;
  } cases[] = {{VK_RETURN, mrOk}, {VK_ESCAPE, mrCancel}};
  for (const auto& c : cases) {
    SampleDialog dialog;
    Driver().Expect([&](TForm& form) {
      dialog.Edit->SetFocus();
      SendKey(c.key);
    });
    EXPECT_EQ(dialog.ShowModal(), c.expected) << c.key;
  }
}

// A dialog the program shows on its own while idle (a warning in the
// middle of a pass): the click or key that answers it is heard as no
// action, so nothing is finished off in the middle of the pass; shown
// inside an action, the answer is part of that action.
TEST_F(ModalDriverTest, TheAnswerToADialogBelongsToWhateverShowedIt) {
  const struct {
    const char* what;
    bool insideAnAction;
    bool byKey;
    int starts, ends;
  } cases[] = {
      {"shown while idle, answered by a click", false, false, 0, 0},
      {"shown while idle, answered by Enter", false, true, 0, 0},
      {"shown inside an action, answered by a click", true, false, 1, 1},
      {"shown inside an action, answered by Enter", true, true, 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    int starts = 0, ends = 0;
    TUserAction::OnStart = [&] { ++starts; };
    TUserAction::OnDone = [&] { ++ends; };
    SampleDialog dialog;
    Driver().Expect([&](TForm&) {
      if (c.byKey) SendKey(VK_RETURN);
      else dialog.Ok->Click();
    });
    if (c.insideAnAction) {
      const TUserAction action;
      EXPECT_EQ(dialog.ShowModal(), mrOk);
    } else {
      EXPECT_EQ(dialog.ShowModal(), mrOk);
    }
    TUserAction::OnStart = nullptr;
    TUserAction::OnDone = nullptr;
    EXPECT_EQ(starts, c.starts);
    EXPECT_EQ(ends, c.ends);
  }
}

TEST_F(ModalDriverTest, UnexpectedFormIsReportedWithItsTexts) {
  SampleDialog dialog;
  std::string problem;
  Driver().OnProblem = [&](const std::string& p) { problem = p; };
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  EXPECT_NE(problem.find("Sample"), std::string::npos);
  EXPECT_NE(problem.find("Cancel"), std::string::npos);
}

TEST_F(ModalDriverTest, CloseQueryCanKeepAModalFormOpen) {
  SampleDialog dialog;
  int asked = 0;
  dialog.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++asked > 1; };
  std::string problem;
  Driver().OnProblem = [&](const std::string& p) { problem = p; };
  Driver().Expect([](TForm& form) { form.ModalResult = mrOk; });
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  EXPECT_NE(problem.find("refused"), std::string::npos);
}

TEST_F(ModalDriverTest, ThePlatformsMessageBoxRowsItsButtonsUnderTheText) {
  const struct {
    unsigned flags;
    std::vector<std::string> captions;
    int defaultButton, cancelButton;  // 1-based, 0 for none
    Word key;
    int answer;
  } cases[] = {
      {MB_OK, {"OK"}, 1, 1, VK_ESCAPE, IDOK},
      {MB_YESNO | MB_DEFBUTTON2, {"&Yes", "&No"}, 2, 0, VK_RETURN, IDNO},
      {MB_YESNOCANCEL, {"&Yes", "&No", "Cancel"}, 1, 3, VK_ESCAPE, IDCANCEL},
      {MB_ABORTRETRYIGNORE, {"&Abort", "&Retry", "&Ignore"}, 1, 0, VK_RETURN, IDABORT},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.flags);
    Driver().Expect([&](TForm& box) {
      EXPECT_EQ(box.Name, "SystemMessageBox");
      auto* text = dynamic_cast<TLabel*>(box.FindComponent("Message"));
      ASSERT_NE(text, nullptr);
      EXPECT_GT(text->Width, 0) << "the text takes its size";
      EXPECT_GT(text->Height, 0);
      int right = 0;
      for (size_t i = 0; i < c.captions.size(); ++i) {
        auto* button = dynamic_cast<TButton*>(box.FindComponent("Button" + std::to_string(i + 1)));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->Caption(), c.captions[i]);
        EXPECT_EQ(button->Top, text->Top + text->Height + 16) << "under the text";
        EXPECT_GT(button->Left, right) << "side by side";
        right = button->Left + button->Width;
        EXPECT_EQ(button->Default, static_cast<int>(i) + 1 == c.defaultButton);
        EXPECT_EQ(button->Cancel, static_cast<int>(i) + 1 == c.cancelButton);
      }
      EXPECT_EQ(box.FindComponent("Button" + std::to_string(c.captions.size() + 1)), nullptr);
      EXPECT_GE(box.ClientWidth(), right + 8) << "the row fits";
      SendKey(c.key);
    });
    EXPECT_EQ(Application->MessageBox("Save the changes to SCRIPT1.QMW?", "Quillmaster", c.flags), c.answer);
  }
}

using KeyRoutingTest = PlatformFixture;

TEST_F(KeyRoutingTest, KeyPreviewFormSeesKeysFirstAndCanSwallowThem) {
  SampleDialog dialog;
  dialog.Show();
  dialog.Edit->SetFocus();
  std::string seen;
  dialog.KeyPreview = true;
  dialog.OnKeyPress = [&](TObject*, char& key) {
    seen += key;
    if (key == 'x') key = 0;
  };
  TypeText("axb");
  EXPECT_EQ(seen, "axb");
  EXPECT_EQ(dialog.Edit->Text(), "ab");
}

TEST_F(KeyRoutingTest, MenuShortCutsOfTheFrameWorkFromAnMdiChild) {
  TForm frame(nullptr);
  frame.FormStyle = TFormStyle::fsMDIForm;
  Application->MainForm = &frame;
  frame.Menu = new TMainMenu(&frame);
  int saves = 0;
  TMenuItem* file = frame.Menu->Items()->AddItem("&File");
  TMenuItem* save = file->AddItem(
      "&Save", [&](TObject*) { ++saves; }, ShortCut('S', ssCtrl));
  frame.Show();
  TForm child(nullptr);
  child.FormStyle = TFormStyle::fsMDIChild;
  std::string typed;
  child.OnKeyPress = [&](TObject*, char& key) { typed += key; };
  child.Show();

  SendKey('S', ssCtrl);
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(typed, "") << "a short cut types no character";
  save->Enabled = false;
  SendKey('S', ssCtrl);
  EXPECT_EQ(saves, 1) << "a disabled item's short cut does nothing";
  EXPECT_EQ(typed, std::string(1, '\x13'));
}

TEST_F(KeyRoutingTest, TheFramesMenuTakesNoKeyWhileAModalFormIsUp) {
  TForm frame(nullptr);
  Application->MainForm = &frame;
  frame.Menu = new TMainMenu(&frame);
  int saves = 0;
  frame.Menu->Items()->AddItem("&File")->AddItem(
      "&Save", [&](TObject*) { ++saves; }, VK_F7);
  frame.Show();
  SampleDialog dialog;
  Driver().Expect([&](TForm& form) {
    // Posted to the frame, as another program or a key typed ahead does.
    PostMessage(frame.Handle(), WM_KEYDOWN, VK_F7, 0);
    Application->ProcessMessages();
    form.ModalResult = mrCancel;
  });
  dialog.ShowModal();
  EXPECT_EQ(saves, 0) << "a save must not start in the middle of a dialog (or a load)";
  PostMessage(frame.Handle(), WM_KEYDOWN, VK_F7, 0);
  Application->ProcessMessages();
  EXPECT_EQ(saves, 1);
}

TEST_F(KeyRoutingTest, TabMovesFocusInTabOrder) {
  SampleDialog dialog;
  dialog.Show();
  dialog.Edit->TabOrder = 0;
  dialog.Ok->TabOrder = 1;
  dialog.Cancel->TabOrder = 2;
  dialog.Edit->SetFocus();
  SendKey(VK_TAB);
  EXPECT_EQ(dialog.FocusedControl(), dialog.Ok);
  SendKey(VK_TAB, ssShift);
  EXPECT_EQ(dialog.FocusedControl(), dialog.Edit);
  SendKey(VK_TAB, ssShift);
  EXPECT_EQ(dialog.FocusedControl(), dialog.Cancel);
}

using FormLifetimeTest = PlatformFixture;

TEST_F(FormLifetimeTest, MdiChildrenActivateInTurnAndTheFrameCountsThem) {
  TForm frame(nullptr);
  frame.FormStyle = TFormStyle::fsMDIForm;
  frame.Show();
  std::vector<std::string> events;
  auto makeChild = [&](const std::string& name) {
    auto* child = new TForm(&frame);
    child->Name = name;
    child->FormStyle = TFormStyle::fsMDIChild;
    child->OnActivate = [&events, name](TObject*) { events.push_back("+" + name); };
    child->OnDeactivate = [&events, name](TObject*) { events.push_back("-" + name); };
    child->Show();
    return child;
  };
  TForm* a = makeChild("A");
  TForm* b = makeChild("B");
  EXPECT_EQ(frame.MDIChildCount(), 2);
  EXPECT_EQ(frame.ActiveMDIChild(), b);
  frame.Next();
  EXPECT_EQ(frame.ActiveMDIChild(), a);
  EXPECT_EQ(events, (std::vector<std::string>{"+A", "-A", "+B", "-B", "+A"}));
  EXPECT_TRUE(frame.Active()) << "the frame stays active while its children take turns";

  a->OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caFree; };
  a->Close();
  Application->ProcessMessages();
  EXPECT_EQ(frame.MDIChildCount(), 1);
  EXPECT_EQ(frame.MDIChildren(0), b);
}

// New children the frame places (as the script windows ask) come down and
// right of the child in front, each wholly inside the frame's client area;
// one that would reach out of it starts again at the corner, and a child
// placed by its own bounds stays where they put it.
TEST_F(FormLifetimeTest, TheFramePlacesEachNewChildDownAndRightOfTheOneInFront) {
  TForm frame(nullptr);
  frame.FormStyle = TFormStyle::fsMDIForm;
  frame.SetClientWidth(400);
  frame.SetClientHeight(300);
  Application->MainForm = &frame;
  frame.Show();
  auto show = [&](TPosition position) {
    auto* child = new TForm(&frame);
    child->FormStyle = TFormStyle::fsMDIChild;
    child->SetBounds(0, 0, 300, 200);
    child->Position = position;
    child->Show();
    return child;
  };
  const TRect area = frame.MDIClientRect();
  std::vector<TPoint> places;
  for (int i = 0; i < 6; ++i) {
    const TForm* child = show(TPosition::poDefaultPosOnly);
    places.push_back({child->Left, child->Top});
    EXPECT_LE(child->Left + child->Width, area.Width()) << "child " << i;
    EXPECT_LE(child->Top + child->Height, area.Height()) << "child " << i;
  }
  EXPECT_EQ(places[0], (TPoint{0, 0}));
  const int step = places[1].X;
  EXPECT_GT(step, 0) << "the second child does not hide the first";
  for (std::size_t i = 1; i < places.size(); ++i) {
    const TPoint next{places[i - 1].X + step, places[i - 1].Y + step};
    const bool fits = next.X + 300 <= area.Width() && next.Y + 200 <= area.Height();
    EXPECT_EQ(places[i], fits ? next : (TPoint{0, 0})) << "child " << i;
  }
  EXPECT_EQ(places.back(), (TPoint{0, 0})) << "the sixth child no longer fits below the fifth";
  TForm* designed = show(TPosition::poDesigned);
  EXPECT_EQ(designed->Left, 0);
  EXPECT_EQ(designed->Top, 0);
}

TEST_F(FormLifetimeTest, ClosingTheMainFormEndsTheProgramUnlessRefused) {
  TForm main(nullptr);
  Application->MainForm = &main;
  main.Show();
  bool allow = false;
  main.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
  main.Close();
  EXPECT_FALSE(Application->Terminated());
  allow = true;
  main.Close();
  EXPECT_TRUE(Application->Terminated());
}

TEST_F(FormLifetimeTest, AClosingMessageClosesTheForm) {
  TForm main(nullptr);
  Application->MainForm = &main;
  main.Show();
  PostMessage(main.Handle(), WM_CLOSE, 0, 0);
  Application->ProcessMessages();
  EXPECT_TRUE(Application->Terminated()) << "closing the main form ends the program";
}

// A tool window closed to be freed and shown again before the next message
// loop (its window opened again at once) stays: a box it puts up must not
// free it under its own handler.
TEST_F(FormLifetimeTest, AFormShownAgainBeforeItsReleaseStays) {
  TForm main(nullptr);
  main.Show();
  auto* tool = new TForm(nullptr);
  bool freed = false;
  tool->OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caFree; };
  tool->OnDestroy = [&freed](TObject*) { freed = true; };
  tool->Show();
  tool->Close();
  tool->Show();
  SampleDialog box;
  Driver().Expect([](TForm& shown) { shown.ModalResult = mrOk; });
  EXPECT_EQ(box.ShowModal(), mrOk);
  Application->ProcessMessages();
  EXPECT_FALSE(freed) << "shown again, the form is in use";
  tool->Close();
  Application->ProcessMessages();
  EXPECT_TRUE(freed) << "closed again, it goes";
}

// A tool window that closes itself to be freed and then puts up a box (a
// bookmark gone, say) is still there when the box is answered; it goes
// once its handler has returned. A key typed after it closed goes to the
// window behind it.
TEST_F(FormLifetimeTest, AFormClosedToBeFreedOutlivesItsHandlerAndTakesNoKey) {
  SampleDialog main;
  main.Show();
  auto* tool = new SampleDialog;
  bool freed = false;
  tool->OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caFree; };
  tool->OnDestroy = [&freed](TObject*) { freed = true; };
  std::string keysAtTool;
  tool->Edit->OnKeyPress = [&keysAtTool](TObject*, char& key) { keysAtTool += key; };
  tool->Ok->ModalResult = mrNone;
  tool->Ok->OnClick = [tool](TObject*) {
    tool->Close();
    SampleDialog box;
    box.ShowModal();
    tool->Edit->Text = "still here";
  };
  tool->Show();
  tool->Ok->SetFocus();
  Driver().Expect([](TForm& shown) { shown.ModalResult = mrOk; });
  SendKey(VK_RETURN);
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_TRUE(freed) << "gone once its handler returned";

  tool = new SampleDialog;
  tool->OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caFree; };
  tool->Edit->OnKeyPress = [&keysAtTool](TObject*, char& key) { keysAtTool += key; };
  tool->Show();
  tool->Edit->SetFocus();
  tool->Close();
  SendKey('A');
  EXPECT_EQ(keysAtTool, "") << "a closed window takes no key";
}

TEST_F(FormLifetimeTest, AFormFreedWhileAModalOneIsUpIsNotActivatedAfterIt) {
  TForm main(nullptr);
  main.Show();
  auto* palette = new TForm(nullptr);
  palette->Show();
  ASSERT_EQ(Screen->ActiveForm(), palette);
  SampleDialog dialog;
  // The form that had the keyboard goes while the box is up.
  Driver().Expect([&](TForm& box) {
    delete palette;
    box.ModalResult = mrOk;
  });
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_NE(Screen->ActiveForm(), &dialog);
}

TEST_F(FormLifetimeTest, ClientSizeAccountsForTheFrameAndMenu) {
  TForm form(nullptr);
  form.BorderStyle = TFormBorderStyle::bsDialog;
  form.SetClientWidth(300);
  form.SetClientHeight(100);
  EXPECT_EQ(form.ClientWidth(), 300);
  EXPECT_EQ(form.ClientHeight(), 100);
  EXPECT_GT(form.Height(), 100);
  const int withoutMenu = form.Height;
  form.Menu = new TMainMenu(&form);
  EXPECT_LT(form.ClientHeight(), 100) << "a menu bar takes client height";
  EXPECT_EQ(withoutMenu, form.Height());
}

TEST_F(FormLifetimeTest, AlignedPanelsShareTheClientArea) {
  TForm form(nullptr);
  form.BorderStyle = TFormBorderStyle::bsNone;
  form.SetBounds(0, 0, 400, 300);
  auto* top = new TPanel(&form);
  top->Height = 30;
  top->Align = TAlign::alTop;
  top->SetParent(&form);
  auto* bottom = new TPanel(&form);
  bottom->Height = 20;
  bottom->Align = TAlign::alBottom;
  bottom->SetParent(&form);
  auto* right = new TPanel(&form);
  right->Width = 50;
  right->Align = TAlign::alRight;
  right->SetParent(&form);
  auto* client = new TPanel(&form);
  client->Align = TAlign::alClient;
  client->SetParent(&form);
  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 400, 30));
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, 280, 400, 300));
  EXPECT_EQ(right->BoundsRect(), Rect(350, 30, 400, 280));
  EXPECT_EQ(client->BoundsRect(), Rect(0, 30, 350, 280));
  form.Width = 500;
  EXPECT_EQ(client->BoundsRect(), Rect(0, 30, 450, 280)) << "resizing the form lays the panels out again";
}

using ControlTest = PlatformFixture;

TEST_F(ControlTest, CheckBoxCyclesThroughGreyOnlyWhenAllowed) {
  TForm form(nullptr);
  auto* box = new TCheckBox(&form);
  box->SetParent(&form);
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  std::vector<TCheckBoxState> states;
  for (int i = 0; i < 3; ++i) {
    box->Click();
    states.push_back(box->State());
  }
  EXPECT_EQ(states, (std::vector<TCheckBoxState>{TCheckBoxState::cbChecked, TCheckBoxState::cbUnchecked,
                                                 TCheckBoxState::cbChecked}));
  box->AllowGrayed = true;
  box->Click();
  EXPECT_EQ(box->State(), TCheckBoxState::cbGrayed);
  EXPECT_EQ(clicks, 4);
}

TEST_F(ControlTest, RadioButtonsAndSpeedButtonGroupsAreExclusive) {
  TForm form(nullptr);
  auto* a = new TRadioButton(&form);
  auto* b = new TRadioButton(&form);
  a->SetParent(&form);
  b->SetParent(&form);
  a->SetChecked(true);
  b->Click();
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());

  auto* s1 = new TSpeedButton(&form);
  auto* s2 = new TSpeedButton(&form);
  for (auto* s : {s1, s2}) {
    s->SetParent(&form);
    s->GroupIndex = 1;
  }
  s1->Click();
  s2->Click();
  EXPECT_FALSE(s1->Down);
  EXPECT_TRUE(s2->Down);
  s2->Click();
  EXPECT_TRUE(s2->Down) << "without AllowAllUp one button stays down";
  s2->AllowAllUp = true;
  s2->Click();
  EXPECT_FALSE(s2->Down);
}

TEST_F(ControlTest, EditKeepsItsLimitAndCase) {
  TForm form(nullptr);
  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  form.Show();
  edit->SetFocus();
  edit->MaxLength = 5;
  edit->CharCase = TEditCharCase::ecUpperCase;
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  TypeText("scene one");
  EXPECT_EQ(edit->Text(), "SCENE");
  SendKey(VK_BACK);
  EXPECT_EQ(edit->Text(), "SCEN");
  SendKey(VK_HOME);
  SendKey(VK_DELETE);
  EXPECT_EQ(edit->Text(), "CEN");
  EXPECT_EQ(changes, 7);
}

TEST_F(ControlTest, ScrollBarClampsAndReportsTheUsersAction) {
  TForm form(nullptr);
  auto* bar = new TScrollBar(&form);
  bar->SetParams(5, 0, 10);
  bar->LargeChange = 4;
  std::vector<TScrollCode> codes;
  bar->OnScroll = [&](TObject*, TScrollCode code, int& pos) {
    codes.push_back(code);
    if (code == TScrollCode::scTrack) pos = 7;
  };
  bar->Scroll(TScrollCode::scPageDown);
  EXPECT_EQ(bar->Position(), 9);
  bar->Scroll(TScrollCode::scPageDown);
  EXPECT_EQ(bar->Position(), 10);
  bar->Scroll(TScrollCode::scTrack, 2);
  EXPECT_EQ(bar->Position(), 7) << "the handler may move the position";
  bar->Position = 99;
  EXPECT_EQ(bar->Position(), 10);
  EXPECT_EQ(codes.size(), 3u);
}

TEST_F(ControlTest, LabelSizesItselfToItsCaption) {
  TForm form(nullptr);
  auto* label = new TLabel(&form);
  label->SetParent(&form);
  label->Font.Name = "Courier New";
  label->Font.Size = 12;
  label->Caption = "ABCDE";
  EXPECT_EQ(label->Width(), 50) << "5 characters of 10 pixels at 96 dpi";
  label->WordWrap = true;
  label->AutoSize = true;
  label->Width = 30;
  label->Caption = "AB CD EF";
  EXPECT_EQ(label->Height(), 3 * 18) << "three lines of the 12-point cell";
}

}  // namespace
}  // namespace qm
