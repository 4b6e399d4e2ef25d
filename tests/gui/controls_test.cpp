// Standard controls: what the user does on the widget reaches the core's
// control through its own calls, and the widget shows the core's state.
#include <cstdlib>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QTextDocument>
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
  QTextDocument shown;
  shown.setHtml(qlabel->text());
  EXPECT_EQ(shown.toPlainText(), "Scene:") << "the accelerator marker is not shown as text";
  combo->Enabled = false;
  EXPECT_FALSE(qcombo->isEnabled());
}

// Pixels of a caption against the background its control shows at its
// right end, where no caption reaches: those that read on it, and those
// as dark as an enabled caption's black.
struct TCaptionInk {
  int readable = 0;
  int black = 0;
};
TCaptionInk InkOf(const QImage& image) {
  const int background = qGray(image.pixel(image.width() - 2, image.height() / 2));
  TCaptionInk ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const int gray = qGray(image.pixel(x, y));
      if (std::abs(gray - background) > 48) ++ink.readable;
      if (gray < 100) ++ink.black;
    }
  return ink;
}

// A disabled control still shows its caption, in grey: its text reads on
// the dialog's face, but nothing of it is as dark as an enabled control's.
// On a page of a page control too, whose colours its controls take over.
TEST_F(ControlsTest, ADisabledControlShowsItsCaptionInGrey) {
  auto* pages = Add<TPageControl>(0, 0, 400, 300);
  auto* page = new TTabSheet(form, pages);
  page->Caption = "Default";
  const auto onPage = [&]<class C>(C* control, int top, const char* caption) {
    control->SetParent(page);
    control->SetBounds(10, top, 300, 20);
    control->Caption = caption;
    return control;
  };
  const struct {
    const char* what;
    TControl* enabled;
    TControl* disabled;
  } cases[] = {
      {"check box", onPage(new TCheckBox(form), 10, "Each Group on New Page"),
       onPage(new TCheckBox(form), 40, "Each Group on New Page")},
      {"radio button", onPage(new TRadioButton(form), 70, "Some Characters"),
       onPage(new TRadioButton(form), 100, "Some Characters")},
      {"label", onPage(new TLabel(form), 130, "Secondary Sort:"), onPage(new TLabel(form), 160, "Secondary Sort:")},
  };
  for (const auto& c : cases) c.disabled->Enabled = false;
  form->Show();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TCaptionInk enabled = InkOf(Grab(*ClientOf(*c.enabled)));
    const TCaptionInk disabled = InkOf(Grab(*ClientOf(*c.disabled)));
    EXPECT_GT(enabled.black, 30) << "an enabled caption is black";
    EXPECT_GT(disabled.readable, enabled.readable / 4) << "the disabled caption still reads";
    EXPECT_EQ(disabled.black, 0) << "and is grey";
  }
}

// A label's underlined letter shows: the label that takes Alt+F draws a
// line under its F that the same words without the letter do not have.
TEST_F(ControlsTest, ALabelUnderlinesItsAcceleratorLetter) {
  auto* marked = Add<TLabel>(10, 10, 120, 20);
  marked->Caption = "&From Scene:";
  auto* plain = Add<TLabel>(10, 40, 120, 20);
  plain->Caption = "From Scene:";
  form->Show();
  const QImage withLetter = Grab(*ClientOf(*marked));
  const QImage without = Grab(*ClientOf(*plain));
  ASSERT_EQ(withLetter.size(), without.size());
  const int letterWidth = QFontMetrics(ClientOf(*plain)->font()).horizontalAdvance('F');
  int underline = 0;
  int elsewhere = 0;
  for (int y = 0; y < withLetter.height(); ++y)
    for (int x = 0; x < withLetter.width(); ++x)
      if (qGray(withLetter.pixel(x, y)) < 128 && qGray(without.pixel(x, y)) >= 128)
        ++(x <= letterWidth + 1 ? underline : elsewhere);
  EXPECT_GE(underline, letterWidth / 2) << "a line under the F";
  EXPECT_EQ(elsewhere, 0) << "the rest of the caption reads as without the letter";
}

}  // namespace
}  // namespace qm
