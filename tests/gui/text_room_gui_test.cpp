// Texts drawn wider than their control's room: the check the desktop tests
// run finds a caption cut at its control's edge, and the message box
// breaks its lines by the width the desktop draws them at, so that none
// is cut. The same check finds a control drawn over another.
#include <QWidget>

#include <string>
#include <vector>

#include "base/message_boxes.h"
#include "gui/gui_fixture.h"
#include "platform/qt/qt_text_room.h"

namespace qm {
namespace {

class TextRoomTest : public testing::GuiFixture {};

QString Listed(const QStringList& lines) { return "\n  " + lines.join("\n  "); }

struct CutCase {
  const char* text;
  TControl* (*make)(TForm& form);
};

TControl* NarrowButton(TForm& form) {
  auto* button = new TButton(&form);
  button->Caption = "&Overwrite this file";
  button->SetBounds(10, 10, 40, 25);
  return button;
}

TControl* NarrowCheckBox(TForm& form) {
  auto* box = new TCheckBox(&form);
  box->Caption = "Print Ta&gged Items";
  box->SetBounds(10, 50, 60, 20);
  return box;
}

TControl* NarrowLabel(TForm& form) {
  auto* label = new TLabel(&form);
  label->AutoSize = false;
  label->SetBounds(10, 80, 40, 20);
  label->Caption = "Secondary Sort:";
  return label;
}

TEST_F(TextRoomTest, ACaptionWiderThanItsControlIsFound) {
  TForm* form = NewForm(TFormStyle::fsNormal, "Cut", 300, 200);
  const CutCase cases[] = {{"&Overwrite this file", NarrowButton},
                           {"Print Ta&gged Items", NarrowCheckBox},
                           {"Secondary Sort:", NarrowLabel}};
  for (const CutCase& c : cases) c.make(*form)->SetParent(form);
  auto* wide = new TButton(form);
  wide->SetParent(form);
  wide->Caption = "OK";
  wide->SetBounds(100, 10, 150, 25);
  form->Show();
  ASSERT_TRUE(RunUntil([&] { return WindowOf(*form)->isVisible(); }));
  const QStringList cut = TextsWiderThanTheirRoom(*WindowOf(*form));
  for (const CutCase& c : cases)
    EXPECT_EQ(cut.filter(QString("\"") + c.text + "\"").size(), 1) << c.text << Listed(cut).toStdString();
  EXPECT_TRUE(cut.filter("\"OK\"").isEmpty()) << Listed(cut).toStdString();
}

// Two buttons whose places cross, and the items of a radio group too short
// for them, are drawn over one another; buttons beside them (sharing a
// pixel of border, as tool buttons do), the frame drawn behind them, the
// items of a group tall enough and a label standing on a panel are not.
TEST_F(TextRoomTest, AControlDrawnOverAnotherIsFound) {
  TForm* form = NewForm(TFormStyle::fsNormal, "Over", 420, 320);
  const auto place = [form](TControl* control, int left, int top, int width, int height) {
    control->SetParent(form);
    control->SetBounds(left, top, width, height);
  };
  const auto button = [&](const char* caption, int left, int top) {
    auto* b = new TButton(form);
    b->Caption = caption;
    place(b, left, top, 80, 25);
  };
  button("First", 10, 10);
  button("Second", 60, 20);
  button("Third", 170, 10);
  button("Fourth", 249, 10);  // shares one pixel of border with Third
  place(new TBevel(form), 5, 5, 260, 45);
  const auto group = [&](const char* caption, const char* item, int left, int height) {
    auto* g = new TRadioGroup(form);
    g->Caption = caption;
    for (int i = 1; i <= 4; ++i) g->Items.Add(item + std::to_string(i));
    place(g, left, 60, 150, height);
  };
  group("Squeezed", "Tight ", 10, 60);
  group("Roomy", "Wide ", 200, 120);
  place(new TPanel(form), 10, 200, 200, 60);
  auto* label = new TLabel(form);
  label->Caption = "On the panel";
  place(label, 20, 210, 100, 20);
  form->Show();
  ASSERT_TRUE(RunUntil([&] { return WindowOf(*form)->isVisible(); }));
  const QStringList over = ControlsDrawnOverOthers(*WindowOf(*form));
  const std::string listed = Listed(over).toStdString();
  EXPECT_EQ(over.filter("\"First\"").filter("\"Second\"").size(), 1) << listed;
  for (int i = 1; i < 4; ++i) {
    const QString upper = QString("\"Tight %1\"").arg(i), lower = QString("\"Tight %1\"").arg(i + 1);
    EXPECT_EQ(over.filter(upper).filter(lower).size(), 1) << "Tight " << i << listed;
  }
  for (const char* apart : {"\"Third\"", "\"Fourth\"", "\"Wide", "On the panel", "QFrame"})
    EXPECT_TRUE(over.filter(apart).isEmpty()) << apart << listed;
}

// Messages the writers saw cut at the end of their widest line.
TEST_F(TextRoomTest, AMessageShowsEachOfItsLinesWhole) {
  const std::string texts[] = {
      "You're asking me to violate the laws of physics by cheating the LAST page in the script, one that doesn't "
      "end in an actual Page Break, and were I to do so, I might get into a serious infinite loop, so I'm not going "
      "to.",
      "All Branch Targets will be renumbered sequentially, with all links updated appropriately.  This won't "
      "affect the \"functionality\" of the script, but any other references to specific numbers will become "
      "useless.\r\rShould I continue anyway?",
      "The script /home/writer/Scripts/TWICE.QMW is already open in Window #1 and opening it twice can cause you "
      "great confusion and possible loss of editing changes if you save them both!\r\rShould I REALLY open this "
      "script twice?",
  };
  for (const std::string& text : texts) {
    ShowPleaseWait(text, false, false);
    ASSERT_TRUE(MyNewMsgBox);
    QWidget* box = WindowOf(*MyNewMsgBox);
    ASSERT_TRUE(RunUntil([&] { return box->isVisible(); }));
    const QStringList cut = TextsWiderThanTheirRoom(*box);
    EXPECT_TRUE(cut.isEmpty()) << Listed(cut).toStdString();
    ClosePleaseWait();
  }
}

}  // namespace
}  // namespace qm
