#include "language/bookmarks.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "files/native_file.h"
#include "language/bookmarks_dialog.h"
#include "language/language_fixture.h"
#include "platform/input.h"
#include "script/editing/editor_calls.h"
#include "script/model/script_record.h"
#include "support/script_builder.h"

namespace qm {
namespace {

using testing::LanguageFixture;

// Where the script file keeps its bookmarks: twenty slots of 28 bytes, the
// element's number in the last two.
constexpr std::size_t BookmarkSlots = 7680;
constexpr std::size_t BookmarkSlotSize = 28;

class BookmarksTest : public LanguageFixture {
 protected:
  void SetUp() override {
    LanguageFixture::SetUp();
    ShowBookmarks();
    dialog_ = BookmarkDialog();
    ASSERT_NE(dialog_, nullptr);
  }
  void TearDown() override {
    delete BookmarkDialog();
    LanguageFixture::TearDown();
  }
  TBookmarkDlg& Dialog() { return *dialog_; }
  const TScriptBookmarks& Marks() { return Bookmarks(Script()); }
  void SetAt(int element, const std::string& text) {
    PlaceCaret(element);
    Dialog().BookmarkText->Text = text;
    Dialog().SetBtnClick(nullptr);
  }
  void DeleteElement(int index) {
    PlaceCaret(index);
    Script().DisposeIndex(false);
  }

 private:
  TBookmarkDlg* dialog_ = nullptr;
};

TEST_F(BookmarksTest, SetNamesTheBookmarkAndPicksItsElement) {
  Add({{ekAction, "The long opening line of the script."},
       {ekCharacterName, "BOB"},
       {ekDialogue, "Hello there."},
       {ekAutoPageBreak, ""},
       {ekAction, "After the break."},
       {ekAction, "More."},
       {ekAutoPageBreak, ""},
       {ekCharacterName, "ANN"},
       {ekDialogue, "Hello yourself."}});
  const struct {
    int element;
    std::string typed;
    std::string name;
    int marked;
  } cases[] = {
      {0, "  Opening  ", "Opening", 0},
      {0, "", "The long opening li", 0},
      {0, "A name longer than twenty-five letters", "A name longer than twenty", 0},
      // a speech's dialogue is marked at its cue
      {2, "Speech", "Speech", 1},
      // never on an automatic page break, nor just after one
      {4, "After", "After", 2},
      {3, "Break", "Break", 2},
      // a speech whose cue opens a page: the cue's page break is stepped over too
      {8, "Over the page", "Over the page", 5},
  };
  for (const auto& c : cases) {
    SetAt(c.element, c.typed);
    const TBookmark& mark = Marks()[Marks().Count() - 1];
    EXPECT_EQ(mark.Text, c.name) << c.typed;
    EXPECT_EQ(mark.Element(), &Element(c.marked)) << c.typed;
  }
  EXPECT_EQ(Dialog().BookmarkList->Items.Count(), Marks().Count());
  EXPECT_TRUE(Script().DocumentModified);
}

// The window takes the keyboard in its list, with the first bookmark
// chosen when none is, so Enter goes to it; a bookmark chosen before stays
// chosen when the window comes back; an empty list still has the keyboard.
// The name box offers the current element's text.
TEST_F(BookmarksTest, TheListTakesTheKeyboardWithTheFirstBookmarkChosen) {
  Add({{ekAction, "One."}, {ekAction, "Two."}, {ekAction, "The hall is dark."}});
  const auto activate = [this](bool deactivatedFirst) {
    if (deactivatedFirst) Dialog().OnDeactivate(&Dialog());
    Dialog().OnActivate(&Dialog());
  };
  PlaceCaret(2);
  activate(false);
  EXPECT_EQ(Dialog().FocusedControl(), Dialog().BookmarkList) << "an empty list";
  EXPECT_EQ(Dialog().BookmarkList->ItemIndex(), -1);
  EXPECT_EQ(Dialog().BookmarkText->Text(), "The hall is dark.");
  SetAt(0, "First");
  SetAt(1, "Second");
  const struct {
    const char* when;
    int chosenBefore;
    bool deactivatedFirst;
    int chosen;
  } cases[] = {
      {"on opening with none chosen", -1, false, 0},
      {"on coming back with none chosen", -1, true, 0},
      {"on coming back to the second", 1, true, 1},
  };
  for (const auto& c : cases) {
    PlaceCaret(2);
    Dialog().BookmarkList->SetItemIndex(c.chosenBefore);
    activate(c.deactivatedFirst);
    EXPECT_EQ(Dialog().FocusedControl(), Dialog().BookmarkList) << c.when;
    EXPECT_EQ(Dialog().BookmarkList->ItemIndex(), c.chosen) << c.when;
    EXPECT_EQ(Dialog().BookmarkText->Text(), "The hall is dark.") << c.when;
  }
  // Refilled from the script (another script activated, the window shown
  // again by its command), the list keeps the bookmark chosen.
  Dialog().BookmarkList->SetItemIndex(1);
  Dialog().UpdateData();
  EXPECT_EQ(Dialog().BookmarkList->ItemIndex(), 1) << "refilled";
  // Return, pressed as the window opens again, goes to the first bookmark
  // and sets none.
  PlaceCaret(2, 3);
  Dialog().BookmarkList->SetItemIndex(-1);
  Dialog().Hide();
  ShowBookmarks();
  ASSERT_EQ(BookmarkDialog(), &Dialog());
  EXPECT_EQ(Dialog().BookmarkList->ItemIndex(), 0) << "opened again";
  SendKey(VK_RETURN);
  EXPECT_EQ(Script().CurrentElement(), &Element(0));
  EXPECT_EQ(Marks().Count(), 2);
}

TEST_F(BookmarksTest, TwentyAtMost) {
  Add({{ekAction, "One."}});
  for (int i = 0; i < 19; ++i) SetAt(0, "Mark " + std::to_string(i));
  ASSERT_EQ(Marks().Count(), 19);
  SetAt(0, "Twentieth");
  EXPECT_EQ(Marks().Count(), 20);
  ExpectMessage("You can only have a maximum of Twenty bookmarks per script");
  SetAt(0, "One too many");
  EXPECT_EQ(Marks().Count(), 20);
}

TEST_F(BookmarksTest, GotoMakesTheElementCurrent) {
  Add({{ekAction, "One."}, {ekAction, "Two."}, {ekAction, "Three."}});
  SetAt(1, "Two");
  PlaceCaret(2, 3);
  Dialog().BookmarkList->SetItemIndex(0);
  Dialog().GotoBtnClick(nullptr);
  EXPECT_EQ(Script().CurrentElement(), &Element(1));
  EXPECT_EQ(Script().CaretColumn(), 0);
}

// Enter in the name box sets, Enter in the list goes; a bookmark's element
// shows on the fifth screen line (the first for the script's first element,
// and higher when less of the script lies above it);
// a deletion leaves the same position selected, or the last entry.
TEST_F(BookmarksTest, EnterSetsAndGoesAndDeletingKeepsThePosition) {
  Add({{ekAction, "One."}, {ekAction, "Two."}, {ekAction, "Three."}});
  for (int i = 0; i < 3; ++i) {
    PlaceCaret(i);
    Dialog().BookmarkText->Text = "Mark " + std::to_string(i + 1);
    Word enter = VK_RETURN;
    Dialog().BookmarkText->DoKeyDown(enter, {});
  }
  ASSERT_EQ(Marks().Count(), 3);
  EXPECT_EQ(Marks()[2].Text, "Mark 3");
  const struct {
    int selected;
    int element;
    int screenLine;
  } jumps[] = {{1, 1, 5}, {0, 0, 1}, {2, 2, 5}};
  for (const auto& j : jumps) {
    PlaceCaret(j.selected == 2 ? 0 : 2, 2);
    Dialog().BookmarkList->SetItemIndex(j.selected);
    Word enter = VK_RETURN;
    Dialog().BookmarkList->DoKeyDown(enter, {});
    EXPECT_EQ(Script().CurrentElement(), &Element(j.element)) << j.selected;
    EXPECT_EQ(Script().CaretColumn(), 0) << j.selected;
    EXPECT_EQ(Element(j.element).screenLine, testing::LandingLine(Script(), Element(j.element), j.screenLine))
        << j.selected;
  }
  const struct {
    int deleted;
    int selectedAfter;
    std::vector<std::string> left;
  } deletions[] = {{0, 0, {"Mark 2", "Mark 3"}}, {1, 0, {"Mark 2"}}, {0, -1, {}}};
  for (const auto& d : deletions) {
    Dialog().BookmarkList->SetItemIndex(d.deleted);
    Dialog().DeleteBtnClick(nullptr);
    EXPECT_EQ(Texts(Dialog().BookmarkList->Items), d.left);
    EXPECT_EQ(Dialog().BookmarkList->ItemIndex(), d.selectedAfter);
  }
}

TEST_F(BookmarksTest, GotoAndDeleteNeedASelection) {
  Add({{ekAction, "One."}});
  SetAt(0, "One");
  Dialog().BookmarkList->SetItemIndex(-1);
  ExpectMessage("You MUST select a bookmark before you go to it!");
  Dialog().GotoBtnClick(nullptr);
  ExpectMessage("You MUST select a bookmark before you can delete it!");
  Dialog().DeleteBtnClick(nullptr);
  Dialog().BookmarkList->SetItemIndex(0);
  Dialog().DeleteBtnClick(nullptr);
  EXPECT_EQ(Marks().Count(), 0);
  EXPECT_EQ(Dialog().BookmarkList->Items.Count(), 0);
}

// A bookmark whose element was deleted is found gone when the writer goes
// to it: the message names it, and it leaves the list. Until then the
// script file keeps its slot empty; the other bookmarks keep theirs.
TEST_F(BookmarksTest, ABookmarkOfADeletedElementIsReportedRemovedAndSavedEmpty) {
  const struct {
    const char* what;
    int deleted;
    std::vector<Word> savedNumbers;
    std::vector<std::string> left;
  } cases[] = {
      {"the first element", 0, {0, 1, 2}, {"Second", "Third"}},
      {"a middle element", 1, {1, 0, 2}, {"First", "Third"}},
      {"the last element", 2, {1, 2, 0}, {"First", "Second"}},
  };
  const std::vector<std::string> names{"First", "Second", "Third"};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Script().FreeElements();
    Bookmarks(Script()).Clear();
    Add({{ekAction, "One."}, {ekAction, "Two."}, {ekAction, "Three."}});
    for (int i = 0; i < 3; ++i) SetAt(i, names[static_cast<std::size_t>(i)]);
    DeleteElement(c.deleted);

    const std::vector<Byte> image = BuildScriptImage(Script(), false, true);
    for (std::size_t i = 0; i < c.savedNumbers.size(); ++i) {
      const std::size_t slot = BookmarkSlots + i * BookmarkSlotSize;
      const Word number = static_cast<Word>(image[slot + 26] | image[slot + 27] << 8);
      EXPECT_EQ(number, c.savedNumbers[i]) << "slot " << i;
      if (c.savedNumbers[i] == 0) {
        EXPECT_EQ(std::count(image.begin() + static_cast<std::ptrdiff_t>(slot),
                             image.begin() + static_cast<std::ptrdiff_t>(slot + BookmarkSlotSize), 0),
                  static_cast<std::ptrdiff_t>(BookmarkSlotSize))
            << "slot " << i << " is empty";
      }
    }

    Dialog().UpdateData();
    const std::string gone = names[static_cast<std::size_t>(c.deleted)];
    TScriptElement* caretBefore = Script().CurrentElement();
    Dialog().BookmarkList->SetItemIndex(c.deleted);
    ExpectMessage("Unable to find the bookmark \"\r\r" + gone +
                  "\r\r\" which most likely means that the element to which this was pointing has been deleted.");
    Dialog().GotoBtnClick(nullptr);
    EXPECT_EQ(Driver().Pending(), 0);
    EXPECT_EQ(Texts(Dialog().BookmarkList->Items), c.left);
    EXPECT_EQ(Marks().Count(), 2);
    EXPECT_EQ(Script().CurrentElement(), caretBefore) << "the caret stays";
  }
}

// A speech cut by a page break is one element again when the pagination
// joins its pieces: a bookmark on the second piece is on the joined
// element, not gone.
TEST_F(BookmarksTest, ABookmarkOnAPieceStaysWhenThePiecesAreJoined) {
  Add({{ekDialogue, "One two"}, {ekAutoPageBreak, ""}, {ekDialogue, "three four."}});
  Element(0).split = spFirstPiece;
  Element(1).split = spFirstPiece;
  Element(2).split = spSecondPiece;
  SetAt(2, "Later");
  ASSERT_EQ(Marks()[0].Element(), &Element(2));
  Script().RejoinSplitElements();
  ASSERT_EQ(Script().FirstElement->next, nullptr) << "one element again";
  EXPECT_EQ(Marks()[0].Element(), Script().FirstElement);
  Dialog().BookmarkList->SetItemIndex(0);
  Dialog().GotoBtnClick(nullptr);
  EXPECT_EQ(Marks().Count(), 1);
  EXPECT_EQ(Script().CurrentElement(), Script().FirstElement);
}

TEST_F(BookmarksTest, AScriptReadAnewLeavesNoBookmarkBehind) {
  Add({{ekAction, "One."}});
  SetAt(0, "One");
  Script().FreeElements();
  EXPECT_EQ(Marks()[0].Element(), nullptr);
  Add({{ekAction, "Another script."}});
  PlaceCaret(0);
  Dialog().BookmarkList->SetItemIndex(0);
  ExpectMessage("Unable to find the bookmark");
  Dialog().GotoBtnClick(nullptr);
  EXPECT_EQ(Marks().Count(), 0);
}

}  // namespace
}  // namespace qm
