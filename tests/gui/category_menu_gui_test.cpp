// Tagging mode's category menu on the desktop: two columns, the second
// starting past half of the visible items, and picked with the keys.
#include <QApplication>
#include <QPushButton>
#include <QtTest/QTest>

#include <map>
#include <string>
#include <vector>

#include "breakdown/category_menu.h"
#include "gui/gui_fixture.h"
#include "platform/menus.h"

namespace qm {
namespace {

class CategoryMenuGuiTest : public testing::GuiFixture {};

TEST_F(CategoryMenuGuiTest, TheMenuShowsInTwoColumns) {
  TComponent owner(nullptr);
  int tagged = -1;
  TCategoryMenuActions actions;
  actions.Tag = [&tagged](int category) { tagged = category; };
  TPopupMenu& menu = CategoryMenu(owner, actions);
  std::vector<std::string> visible;
  for (int i = 0; i < menu.Items()->Count(); ++i)
    if (menu.Items()->Items(i)->Visible) visible.push_back(StripHotkey(menu.Items()->Items(i)->Caption()));
  std::map<int, std::vector<std::string>> columns;  // by left edge
  Later(200, [&columns] {
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr);
    for (const QPushButton* b : popup->findChildren<QPushButton*>())
      columns[b->x()].push_back(b->text().remove('&').toStdString());
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
  });
  menu.Popup(100, 100);
  ASSERT_EQ(columns.size(), 2u);
  const std::size_t half = (visible.size() - visible.size() % 2) / 2;
  EXPECT_EQ(columns.rbegin()->second.front(), visible[half]) << "the item past half starts the second column";
  EXPECT_EQ(columns.begin()->second.front(), visible.front());
  EXPECT_EQ(tagged, 1) << "Down and Return pick the second category";
}

}  // namespace
}  // namespace qm
