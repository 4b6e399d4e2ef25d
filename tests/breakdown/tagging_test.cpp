#include "breakdown/tagging.h"

#include <gtest/gtest.h>

#include "breakdown/tag_notation.h"

#include "base/ini_file.h"
#include "breakdown/categories.h"
#include "breakdown/tag_item_dialog.h"
#include "breakdown/tagging_codes_dialog.h"
#include "platform/dialog_builder.h"
#include "language/language_fixture.h"
#include "script/model/script_record.h"
#include "script/model/text_codes.h"

namespace qm {
namespace {

using testing::ElementsOf;
using testing::ElementSpec;

using testing::T;

constexpr int Props = 14;
constexpr int Cast = 2;

class TaggingTest : public testing::LanguageFixture {
 protected:
  void SetUp() override {
    LanguageFixture::SetUp();
    Settings().TaggingUsed = 1;
  }
  void Select(int index, int start, int end) {
    Element(index).blockStart = start;
    Element(index).blockEnd = end;
  }
};

TEST_F(TaggingTest, TheSelectionBecomesATagOfTheCategory) {
  struct Case {
    std::string text;
    int start, end;
    int category;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"He lifts a gun.", 11, 14, Props, "He lifts a [ogun]."},
      {"He lifts a gun.", 14, 10, Props, "He lifts a [ogun]."},
      {"BOB lifts a gun.", 0, 4, Cast, "[cBOB] lifts a gun."},
      {"   ", 0, 3, Props, "   "},
      {"[cBOB] waves", 0, 6, Props, "[c[oBOB]] waves"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Add({{ekAction, T(c.text)}});
    const int index = static_cast<int>(ElementsOf(Script()).size()) - 1;
    PlaceCaret(index, 0);
    Select(index, c.start, c.end);
    TagSelectionWithCategory(Script(), c.category);
    EXPECT_EQ(Script().EditBuffer(), T(c.expected));
    EXPECT_FALSE(Element(index).InBlock());
  }
}

TEST_F(TaggingTest, TaggingAcrossElementsIsRefused) {
  Add({{ekAction, "a gun"}, {ekAction, "a hat"}});
  Select(0, 2, 5);
  PlaceCaret(1, 0);
  Select(1, 0, 3);
  ExpectMessage("You cannot TAG text across Elements!");
  TagSelectionWithCategory(Script(), Props);
  EXPECT_EQ(Script().EditBuffer(), "a hat");
}

TEST_F(TaggingTest, UntagAllLeavesThePlainWordsOnlyAfterYes) {
  const std::vector<ElementSpec> tagged = {{ekSceneHeading, T("INT. [dBARN] - DAY")},
                                           {ekAction, T("[cBOB's [ohat]] and [fcrowd]")},
                                           {ekScriptNote, T("[oknife]")}};
  Add(tagged);
  PlaceCaret(1, 3);
  ExpectMessage("Do you REALLY want to remove all breakdown tagging codes?", "", mrNo);
  EXPECT_FALSE(RemoveAllTaggingCodes(Script()));
  EXPECT_EQ(ElementsOf(Script()), tagged);

  ExpectMessage("Do you REALLY want to remove all breakdown tagging codes?", "", mrYes);
  ExpectMessage("All Tagging Codes Removed");
  EXPECT_TRUE(RemoveAllTaggingCodes(Script()));
  const std::vector<ElementSpec> plain = {
      {ekSceneHeading, "INT. BARN - DAY"}, {ekAction, "BOB's hat and crowd"}, {ekScriptNote, "knife"}};
  EXPECT_EQ(ElementsOf(Script()), plain);
}

TEST_F(TaggingTest, TaggingAnItemGloballySkipsDialogueAndTaggedPlaces) {
  Add({{ekAction, T("A gun. Another [ogun].")},
       {ekDialogue, "Drop the gun!"},
       {ekShot, "CLOSE ON THE GUN"},
       {ekScriptNote, "gunpowder and a gun"}});
  PlaceCaret(0);
  ExpectMessage("Found: 3\rTagged: 3", "Item Tagging is done");
  ExpectMessage("Return to Starting Position of Search?", "", mrNo);
  TagItemGlobally(Script(), "gun", Props, false);
  const std::vector<ElementSpec> expected = {{ekAction, T("A [ogun]. Another [ogun].")},
                                             {ekDialogue, "Drop the gun!"},
                                             {ekShot, T("CLOSE ON THE [oGUN]")},
                                             {ekScriptNote, T("gunpowder and a [ogun]")}};
  EXPECT_EQ(ElementsOf(Script()), expected);
}

TEST_F(TaggingTest, TheTagGloballyPageWantsAnItemAndACategory) {
  Add({{ekAction, "a gun"}});
  PlaceCaret(0);
  int shown = 0;
  Driver().Expect([&](TForm& form) {
    auto& dialog = dynamic_cast<TTagItemDlg&>(form);
    ++shown;
    EXPECT_EQ(dialog.ItemEdit->Text(), "gun");
    dialog.CategoryGroup->SetItemIndex(-1);
    form.ModalResult = mrOk;
  });
  ExpectMessage("You MUST select a Tagging Category");
  Driver().Expect([&](TForm& form) {
    auto& dialog = dynamic_cast<TTagItemDlg&>(form);
    ++shown;
    dialog.ItemEdit->Text = "  ";
    dialog.CategoryGroup->SetItemIndex(Props);
    form.ModalResult = mrOk;
  });
  ExpectMessage("You haven't selected any text for tagging!");
  Driver().Expect([&](TForm& form) {
    auto& dialog = dynamic_cast<TTagItemDlg&>(form);
    ++shown;
    dialog.ItemEdit->Text = "gun";
    form.ModalResult = mrOk;
  });
  ExpectMessage("Found: 1\rTagged: 1", "Item Tagging is done");
  ExpectMessage("Return to Starting Position of Search?", "", mrNo);
  TagItemGloballyDialog(Script(), "gun");
  EXPECT_EQ(shown, 3);
  EXPECT_EQ(ElementsOf(Script()), (std::vector<ElementSpec>{{ekAction, T("a [ogun]")}}));
}

// The letters asked about stand in blue, in the script's font, beside the
// texts that speak of them; No asks again next time, Yes never again.
TEST_F(TaggingTest, TheCodeLettersAreAskedAboutOnceUntilConfirmed) {
  Settings().TaggingUsed = 0;
  Settings().ScriptFontName = "Courier Prime";
  Settings().ScriptFontSize = 14;
  const auto answer = [this](const char* button) {
    Driver().Expect([button](TForm& form) {
      auto* page = dynamic_cast<TTagCodesDlg*>(&form);
      if (!page) {
        ADD_FAILURE() << "expected the code letters page, got \"" << form.Caption() << "\"";
        form.ModalResult = mrCancel;
        return;
      }
      const TLabel& letters = *page->CodeLetters;
      EXPECT_EQ(letters.Caption(),
                "\x7F \x80 \x81 \x86 \x87 \x89 \x8D \x8E \x8F \x90 \x9D \x9E \xAA \xA8 \xAF \xB4 \xB8");
      EXPECT_EQ(letters.Font.Name(), "Courier Prime");
      EXPECT_EQ(letters.Font.Size(), 14);
      EXPECT_EQ(letters.Font.Color(), clBlue);
      std::string texts;
      for (int i = 0; i < form.ComponentCount(); ++i)
        if (auto* label = dynamic_cast<TLabel*>(form.Components(i)); label && label != &letters)
          texts += label->Caption() + "\n";
      EXPECT_NE(texts.find("may also be letters in those character sets."), std::string::npos) << texts;
      EXPECT_NE(texts.find("If ALL of the blue letters are squares"), std::string::npos) << texts;
      EXPECT_NE(texts.find("Are all the blue letters squares or other non-letter codes?"), std::string::npos);
      DialogControl<TButton>(form, button)->Click();
    });
  };
  answer("NoBtn");
  EXPECT_FALSE(EnterTaggingMode(&Script()));
  EXPECT_FALSE(TaggingModeOn());
  EXPECT_EQ(Settings().TaggingUsed, 0);

  answer("YesBtn");
  EXPECT_TRUE(EnterTaggingMode(&Script()));
  EXPECT_EQ(Driver().Pending(), 0);
  EXPECT_TRUE(TaggingModeOn());
  EXPECT_EQ(Settings().TaggingUsed, 1);
  EXPECT_TRUE(OpenSettingsFile().ReadBool("Breakdowns", "Checked Code Usage", false));

  LeaveTaggingMode();
  Settings().TaggingUsed = 0;
  EXPECT_TRUE(EnterTaggingMode(&Script()));  // no question now
  EXPECT_EQ(Settings().TaggingUsed, 1);
}

}  // namespace
}  // namespace qm
