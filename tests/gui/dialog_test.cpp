// Modal forms, the platform's message box and pop-up menus, answered by
// real presses on their widgets while their loops run.
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QtTest/QTest>

#include "gui/gui_fixture.h"
#include "platform/dialog_builder.h"
#include "platform/menus.h"

namespace qm {
namespace {

class DialogTest : public testing::GuiFixture {
 protected:
  // The visible push button with this text, in any window.
  static QPushButton* Button(const QString& text) {
    for (QWidget* w : QApplication::allWidgets())
      if (auto* b = qobject_cast<QPushButton*>(w); b && b->isVisible() && b->text() == text) return b;
    return nullptr;
  }
  // Presses a button once its modal loop runs.
  void PressLater(const QString& text, int ms = 20) {
    Later(ms, [this, text] {
      QPushButton* b = Button(text);
      if (!b) {
        missing.push_back(text.toStdString());
        return;
      }
      modalWhilePressed.push_back(b->window()->windowModality() == Qt::ApplicationModal);
      QTest::mouseClick(b, Qt::LeftButton);
    });
  }
  std::vector<std::string> missing;
  std::vector<bool> modalWhilePressed;
};

TEST_F(DialogTest, TheMessageBoxIsAnsweredByItsButtons) {
  struct Case {
    unsigned flags;
    const char* press;
    int answer;
  };
  const Case cases[] = {
      {MB_YESNO, "&No", IDNO},
      {MB_YESNO, "&Yes", IDYES},
      {MB_OKCANCEL, "Cancel", IDCANCEL},
      {MB_ABORTRETRYIGNORE, "&Retry", IDRETRY},
      {MB_OK, "OK", IDOK},
  };
  for (const Case& c : cases) {
    PressLater(c.press);
    EXPECT_EQ(Application->MessageBox("Save the changes to SCRIPT1.QMW?", "Quillmaster", c.flags), c.answer) << c.press;
  }
  EXPECT_TRUE(missing.empty()) << missing.front();
  EXPECT_EQ(modalWhilePressed, std::vector<bool>(std::size(cases), true)) << "the box was modal while it ran";
}

TEST_F(DialogTest, AModalFormRunsUntilAButtonSetsItsResult) {
  TForm* dialog = NewForm(TFormStyle::fsNormal, "Page Layout", 320, 200);
  dialog->BorderStyle = TFormBorderStyle::bsDialog;
  auto* check = new TCheckBox(dialog);
  check->SetParent(dialog);
  check->Caption = "&Number pages";
  check->SetBounds(10, 10, 150, 20);
  auto* ok = new TButton(dialog);
  ok->SetParent(dialog);
  ok->Caption = "OK";
  ok->ModalResult = mrOk;
  ok->SetBounds(10, 100, 75, 25);
  auto* cancel = new TButton(dialog);
  cancel->SetParent(dialog);
  cancel->Caption = "Cancel";
  cancel->ModalResult = mrCancel;
  cancel->SetBounds(100, 100, 75, 25);
  int queries = 0;
  dialog->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++queries > 1; };

  Later(20, [&] {
    auto* box = qobject_cast<QCheckBox*>(ClientOf(*check));
    if (box) QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
  });
  PressLater("Cancel", 40);  // refused by the close query: the loop goes on
  PressLater("OK", 80);
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(queries, 2);
  EXPECT_TRUE(check->Checked()) << "the click reached the core's check box";
  EXPECT_TRUE(missing.empty());
  EXPECT_FALSE(WindowOf(*dialog)->isVisible()) << "the form hides when its loop ends";
}

TEST_F(DialogTest, APopupMenuReturnsTheChosenItem) {
  TForm* form = NewForm(TFormStyle::fsNormal, "Script", 300, 200);
  form->Show();
  auto* popup = new TPopupMenu(form);
  std::string chosen;
  for (const char* caption : {"Cu&t", "&Copy", "&Paste"})
    popup->Items()->AddItem(caption, [&chosen, caption](TObject*) { chosen = caption; });
  popup->Items()->Items(2)->Enabled = false;
  Later(50, [] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    for (QAction* a : menu->actions())
      if (a->text() == "&Copy") QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
  });
  popup->Popup(100, 100);
  EXPECT_EQ(chosen, "&Copy");
}

TEST_F(DialogTest, ADeclaredDialogShowsItsControlsWithTheFocusInItsFirstField) {
  using enum TDialogItemKind;
  TForm* dialog = NewForm(TFormStyle::fsNormal, "Search and Replace", 400, 300);
  dialog->BorderStyle = TFormBorderStyle::bsDialog;
  dialog->SetClientWidth(392);
  dialog->SetClientHeight(268);
  const TDialogTable table = {
      {Label, "ScopeLabel", "Look &in:", {8, 12, 96, 16}},
      {DropDownList, "ScopeBox", "", {110, 8, 270, 24}, "", {"Whole Script", "Current Scene"}},
      {Label, "SearchLabel", "&Search for:", {8, 44, 96, 16}},
      {Edit, "SearchEdit", "", {110, 40, 270, 24}},
      {Label, "ReplaceLabel", "&Replace with:", {8, 76, 96, 16}},
      {ComboBox, "ReplaceBox", "", {110, 72, 270, 24}, "", {"<Don't Replace>"}},
      {CheckBox, "WholeWordsBox", "&Whole Words Only", {8, 106, 180, 20}},
      {CheckBox, "BackwardsBox", "Search &Backwards", {200, 106, 180, 20}},
      {GroupBox, "OriginGroup", "Origin", {8, 134, 180, 80}},
      {RadioButton, "FromCursorRadio", "From &Cursor Position", {10, 24, 160, 20}, "OriginGroup"},
      {RadioButton, "EntireScriptRadio", "&Entire Script", {10, 48, 160, 20}, "OriginGroup"},
      {RadioGroup, "CapsGroup", "Capitals", {200, 134, 180, 80}, "", {"A&uto", "&As Entered", "ALL &CAPS"}},
  };
  BuildDialog(*dialog, table);
  BuildDialog(*dialog, ButtonRow(sbOK | sbCancel | sbHelp, {64, 230, 80, 26}, 92));
  DialogControl<TComboBox>(*dialog, "ScopeBox")->SetItemIndex(0);
  DialogControl<TRadioButton>(*dialog, "FromCursorRadio")->SetChecked(true);
  DialogControl<TRadioGroup>(*dialog, "CapsGroup")->SetItemIndex(0);

  std::vector<std::string> unseen;
  QWidget* focused = nullptr;
  Later(60, [&] {
    for (const TDialogItem& row : table)
      if (QWidget* w = ClientOf(*DialogControl<TControl>(*dialog, row.Name)); !w || !w->isVisible())
        unseen.push_back(row.Name);
    focused = QApplication::focusWidget();
    QTest::keyClicks(focused, "KITCHEN");
    SaveShot(*WindowOf(*dialog), "dialog-builder");
  });
  PressLater("Cancel", 120);
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_TRUE(unseen.empty()) << unseen.front() << " has no visible widget";
  EXPECT_EQ(focused, ClientOf(*DialogControl<TEdit>(*dialog, "SearchEdit"))) << "the first field that takes typing";
  EXPECT_EQ(DialogControl<TEdit>(*dialog, "SearchEdit")->Text(), "KITCHEN");
  EXPECT_TRUE(missing.empty());
}

}  // namespace
}  // namespace qm
