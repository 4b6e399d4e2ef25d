// Standard controls: what the user does on the widget reaches the core's
// control through its own calls, and the widget shows the core's state.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QtTest/QTest>

#include "gui/gui_fixture.h"

namespace qm {
namespace {

class ControlsTest : public testing::GuiFixture {
 protected:
  void SetUp() override {
    GuiFixture::SetUp();
    form = NewForm(TFormStyle::fsNormal, "Breakdown", 400, 300);
  }
  template <class C>
  C* Add(int left, int top, int width, int height) {
    auto* c = new C(form);
    c->SetParent(form);
    c->SetBounds(left, top, width, height);
    return c;
  }
  TForm* form = nullptr;
};

TEST_F(ControlsTest, AClickOnAListBoxSelectsTheItemUnderIt) {
  auto* list = Add<TListBox>(10, 10, 150, 100);
  for (const char* item : {"CAST", "EXTRAS", "PROPS"}) list->Items.Add(item);
  int clicks = 0;
  list->OnClick = [&](TObject*) { ++clicks; };
  form->Show();
  QTest::mouseClick(ClientOf(*list), Qt::LeftButton, {}, QPoint(20, list->ItemHeight + 3));
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(clicks, 1);
  const QImage shot = Grab(*ClientOf(*list));
  EXPECT_GT(DarkPixels(shot, QRect(0, list->ItemHeight, 150, list->ItemHeight)), 100)
      << "the selected row is highlighted";
}

TEST_F(ControlsTest, WidgetsTurnTheUsersActsIntoTheControlsCalls) {
  auto* combo = Add<TComboBox>(10, 10, 150, 22);
  combo->Style = TComboBoxStyle::csDropDownList;
  for (const char* item : {"INT.", "EXT.", "I/E."}) combo->Items.Add(item);
  combo->SetItemIndex(0);
  std::string changes;
  combo->OnChange = [&](TObject*) { changes += combo->Text(); };
  auto* bar = Add<TScrollBar>(10, 50, 200, 16);
  bar->SetParams(0, 0, 50);
  std::vector<TScrollCode> scrolls;
  bar->OnScroll = [&](TObject*, TScrollCode code, int&) { scrolls.push_back(code); };
  auto* check = Add<TCheckBox>(10, 80, 150, 20);
  check->Caption = "Keep &together";
  auto* label = Add<TLabel>(10, 110, 0, 0);
  label->Caption = "&Scene:";
  form->Show();

  auto* qcombo = qobject_cast<QComboBox*>(ClientOf(*combo));
  ASSERT_NE(qcombo, nullptr);
  EXPECT_EQ(qcombo->count(), 3);
  QTest::keyClick(qcombo, Qt::Key_Down);
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(changes, "EXT.");

  auto* qbar = qobject_cast<QScrollBar*>(ClientOf(*bar));
  ASSERT_NE(qbar, nullptr);
  qbar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  qbar->triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(scrolls, (std::vector<TScrollCode>{TScrollCode::scLineDown, TScrollCode::scPageDown}));
  EXPECT_EQ(bar->Position(), 2) << "a line and a page of one each, as the core counts them";
  EXPECT_EQ(qbar->value(), 2);
  bar->Position = 40;
  EXPECT_EQ(qbar->value(), 40) << "the bar shows where the core put it";

  auto* qcheck = qobject_cast<QCheckBox*>(ClientOf(*check));
  ASSERT_NE(qcheck, nullptr);
  QTest::keyClick(qcheck, Qt::Key_Space);
  EXPECT_TRUE(check->Checked()) << "Space on the focused box";
  check->SetChecked(false);
  EXPECT_EQ(qcheck->checkState(), Qt::Unchecked);

  auto* qlabel = qobject_cast<QLabel*>(ClientOf(*label));
  ASSERT_NE(qlabel, nullptr);
  EXPECT_EQ(qlabel->text(), "Scene:") << "the accelerator marker is not shown as text";
  combo->Enabled = false;
  EXPECT_FALSE(qcombo->isEnabled());
}

}  // namespace
}  // namespace qm
