// The main window: an MDI frame with the core's menu, its status line and
// a script window, painted by the core and closed through its close road.
#include <QAction>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

#include "gui/gui_fixture.h"
#include "platform/messages.h"

namespace qm {
namespace {

class MainWindowTest : public testing::GuiFixture {
 protected:
  void SetUp() override {
    GuiFixture::SetUp();
    frame = NewForm(TFormStyle::fsMDIForm, "Quillmaster", 800, 600);
    Application->MainForm = frame;
    menu = new TMainMenu(frame);
    file = menu->Items()->AddItem("&File");
    save = file->AddItem(
        "&Save", [this](TObject*) { ++saves; }, ShortCut('S', ssCtrl));
    file->AddItem("-");
    file->AddItem("E&xit");
    edit = menu->Items()->AddItem("&Edit");
    copy = edit->AddItem("&Copy", {}, ShortCut('C', ssCtrl));
    frame->Menu = menu;
    status = new TPanel(frame);
    status->SetParent(frame);
    status->Align = TAlign::alBottom;
    status->Height = 22;
    status->Caption = "Page 1 of 1";
    frame->Show();
    child = NewForm(TFormStyle::fsMDIChild, "SCRIPT1.QMW", 500, 300);
    child->Color = clWhite;
    child->OnPaint = [this](TObject*) {
      child->Canvas.Font.Name = "Courier New";
      child->Canvas.Font.Size = 12;
      child->Canvas.Font.Color = clBlack;
      child->Canvas.Brush.Color = clWhite;
      child->Canvas.TextOut(20, 20, "FADE IN:");
    };
    child->Show();
    Application->ProcessMessages();
  }

  QMdiArea* Area() { return FormPeerOf(frame)->MdiArea(); }
  QAction* ActionOf(TMenuItem* item) { return FormPeerOf(frame)->Menu()->ActionOf(item); }

  TForm* frame = nullptr;
  TForm* child = nullptr;
  TMainMenu* menu = nullptr;
  TMenuItem *file = nullptr, *save = nullptr, *edit = nullptr, *copy = nullptr;
  TPanel* status = nullptr;
  int saves = 0;
};

TEST_F(MainWindowTest, TheFrameHoldsTheMenuTheStatusLineAndTheScriptWindow) {
  QWidget* window = WindowOf(*frame);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), "Quillmaster");
  QMenuBar* bar = FormPeerOf(frame)->MenuBar();
  ASSERT_NE(bar, nullptr);
  QStringList titles;
  for (QAction* a : bar->actions()) titles << a->text();
  EXPECT_EQ(titles, QStringList({"&File", "&Edit"}));
  QStringList fileItems;
  // A separator carries no text: some styles draw one with a text as a heading.
  for (QAction* a : ActionOf(file)->menu()->actions())
    fileItems << (a->isSeparator() ? (a->text().isEmpty() ? "-" : "separator " + a->text()) : a->text());
  EXPECT_EQ(fileItems, QStringList({"&Save\tCtrl+S", "-", "E&xit"}));

  ASSERT_EQ(Area()->subWindowList().size(), 1);
  QMdiSubWindow* sub = Area()->subWindowList().front();
  EXPECT_EQ(sub->windowTitle(), "SCRIPT1.QMW");
  EXPECT_EQ(sub->widget(), ClientOf(*child));
  EXPECT_EQ(ClientOf(*child)->size(), QSize(child->ClientWidth(), child->ClientHeight()));
  EXPECT_EQ(ClientOf(*frame)->size(), QSize(frame->ClientWidth(), frame->ClientHeight()));

  // The status line sits under the MDI client area, at the core's place.
  QWidget* panel = ClientOf(*status);
  ASSERT_NE(panel, nullptr);
  EXPECT_TRUE(panel->isVisible());
  EXPECT_EQ(panel->geometry(), QRect(0, frame->ClientHeight() - 22, frame->ClientWidth(), 22));
  EXPECT_EQ(Area()->geometry().bottom(), panel->geometry().top() - 1);
}

TEST_F(MainWindowTest, TheMenuStaysInStepWithTheCore) {
  struct Case {
    const char* what;
    std::function<void()> change;
    std::function<bool(QAction&)> shows;
  };
  const Case cases[] = {
      {"disabled", [&] { save->Enabled = false; }, [](QAction& a) { return !a.isEnabled(); }},
      {"enabled", [&] { save->Enabled = true; }, [](QAction& a) { return a.isEnabled(); }},
      {"checked", [&] { save->Checked = true; }, [](QAction& a) { return a.isCheckable() && a.isChecked(); }},
      {"unchecked", [&] { save->Checked = false; }, [](QAction& a) { return !a.isChecked(); }},
      {"hidden", [&] { save->Visible = false; }, [](QAction& a) { return !a.isVisible(); }},
      {"shown", [&] { save->Visible = true; }, [](QAction& a) { return a.isVisible(); }},
      {"renamed", [&] { save->Caption = "Save &As"; }, [](QAction& a) { return a.text() == "Save &As\tCtrl+S"; }},
      {"short cut", [&] { save->ShortCut = ShortCut(VK_F12, ssShift); },
       [](QAction& a) { return a.text() == "Save &As\tShift+F12"; }},
  };
  for (const Case& c : cases) {
    c.change();
    QAction* action = ActionOf(save);
    ASSERT_NE(action, nullptr) << c.what;
    EXPECT_TRUE(c.shows(*action)) << c.what;
  }

  TMenuItem* added = edit->AddItem("&Paste", {}, ShortCut('V', ssCtrl));
  Application->ProcessMessages();
  ASSERT_NE(ActionOf(added), nullptr) << "a new item appears after the structure changed";
  EXPECT_EQ(ActionOf(added)->text(), "&Paste\tCtrl+V");
  edit->Remove(copy);
  delete copy;
  Application->ProcessMessages();
  QStringList editItems;
  for (QAction* a : ActionOf(edit)->menu()->actions()) editItems << a->text();
  EXPECT_EQ(editItems, QStringList({"&Paste\tCtrl+V"}));
}

TEST_F(MainWindowTest, ChoosingAnItemRunsItsCommandFromTheLoop) {
  ActionOf(save)->trigger();
  EXPECT_EQ(saves, 0) << "the command waits for the loop, as a posted command does";
  Application->ProcessMessages();
  EXPECT_EQ(saves, 1);
  save->Enabled = false;
  ActionOf(save)->trigger();
  Application->ProcessMessages();
  EXPECT_EQ(saves, 1) << "a disabled item runs nothing";
}

TEST_F(MainWindowTest, ClosingTheFrameAsksTheCloseQuery) {
  int asked = 0;
  bool allow = false;
  frame->OnCloseQuery = [&](TObject*, bool& canClose) {
    ++asked;
    canClose = allow;
  };
  WindowOf(*frame)->close();
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(Application->Terminated());
  EXPECT_TRUE(WindowOf(*frame)->isVisible());
  allow = true;
  WindowOf(*frame)->close();
  EXPECT_EQ(asked, 2);
  EXPECT_TRUE(Application->Terminated()) << "closing the main form ends the program";
}

TEST_F(MainWindowTest, TheWindowShowsWhatTheCorePainted) {
  QWidget* window = WindowOf(*frame);
  const QImage shot = Grab(*window);
  const QString folder = QString(QM_BINARY_DIR) + "/screenshots";
  QDir().mkpath(folder);
  ASSERT_TRUE(shot.save(folder + "/mdi-frame.png"));

  // "FADE IN:" at (20, 20) of the script window's client area.
  QWidget* client = ClientOf(*child);
  child->Canvas.Font.Name = "Courier New";
  child->Canvas.Font.Size = 12;
  const QRect text(client->mapTo(window, QPoint(20, 20)),
                   QSize(child->Canvas.TextWidth("FADE IN:"), child->Canvas.TextHeight("F")));
  EXPECT_GT(DarkPixels(shot, text), 40) << "ink where the core drew its text";
  EXPECT_EQ(DarkPixels(shot, text.translated(0, 60)), 0) << "no ink below it";
  EXPECT_EQ(DarkPixels(shot, text.translated(text.width() + 20, 0)), 0) << "no ink beside it";
}

TEST_F(MainWindowTest, DrawingOutsideAPaintStaysUntilTheWindowRepaints) {
  QWidget* client = ClientOf(*child);
  child->Canvas.Brush.Color = clBlack;
  child->Canvas.FillRect(Rect(200, 100, 240, 120));
  QImage shot = Grab(*client);
  EXPECT_EQ(DarkPixels(shot, QRect(200, 100, 40, 20)), 40 * 20);
  EXPECT_EQ(DarkPixels(shot, QRect(241, 100, 10, 20)), 0) << "the rectangle ends before its right edge";
  child->Invalidate();
  shot = Grab(*client);
  EXPECT_EQ(DarkPixels(shot, QRect(200, 100, 40, 20)), 0) << "a repaint shows only what Paint draws";
  EXPECT_GT(DarkPixels(shot, QRect(20, 20, 60, 15)), 0);
}

TEST_F(MainWindowTest, TheCaretShowsWhereTheCorePutsIt) {
  const HWND owner = child->Handle();
  ASSERT_TRUE(CreateCaret(owner, 2, 16));
  SetCaretPos(300, 150);
  ShowCaret(owner);
  QImage shot = Grab(*ClientOf(*child));
  EXPECT_EQ(DarkPixels(shot, QRect(300, 150, 2, 16)), 2 * 16);
  EXPECT_EQ(DarkPixels(shot, QRect(303, 150, 4, 16)), 0);
  HideCaret(owner);
  shot = Grab(*ClientOf(*child));
  EXPECT_EQ(DarkPixels(shot, QRect(300, 150, 2, 16)), 0);
  DestroyCaret();
}

TEST_F(MainWindowTest, ResizingTheWindowResizesTheForm) {
  int resized = 0;
  child->OnResize = [&](TObject*) { ++resized; };
  QMdiSubWindow* sub = Area()->subWindowList().front();
  sub->resize(sub->width() + 40, sub->height() + 30);
  EXPECT_EQ(child->ClientWidth(), ClientOf(*child)->width());
  EXPECT_EQ(child->ClientHeight(), ClientOf(*child)->height());
  EXPECT_EQ(resized, 1);
  child->SetBounds(5, 5, 300, 200);
  EXPECT_EQ(ClientOf(*child)->size(), QSize(child->ClientWidth(), child->ClientHeight()));
  EXPECT_EQ(sub->pos(), QPoint(5, 5));
}

}  // namespace
}  // namespace qm
