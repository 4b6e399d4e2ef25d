// The title page publisher: a new script's page, the items edited on the
// preview and kept with OK, refused values, the page saved with the
// script, and the next revision ending in the publisher.
#include <gtest/gtest.h>

#include <vector>

#include "breakdown/gibberish.h"
#include "files/native_file.h"
#include "files/script_samples.h"
#include "formats/drafts_fixture.h"
#include "formats/revisions.h"
#include "formats/title_page.h"
#include "formats/title_page_dialog.h"
#include "formats/title_page_layout.h"
#include "formats/title_page_samples.h"
#include "platform/dialog_builder.h"
#include "platform/recording_canvas.h"
#include "script/model/number_texts.h"
#include "support/temp_folder.h"

namespace qm::testing {
namespace {

using enum TAlignment;

class TitlePageTest : public DraftsFixture {
 protected:
  void SetUp() override {
    DraftsFixture::SetUp();
    Start({{ekSceneHeading, "INT. BARN - DAY"}, ActionLines(2)});
  }
  TTitlePage Stored() const { return ReadTitlePage(Window().TitlePageItems, Window().TitlePageText); }
  void Answer(std::function<void(TTitlePageDlg&)> change, TModalResult result = mrOk) {
    Driver().Expect(
        [change, result](TForm& form) {
          change(dynamic_cast<TTitlePageDlg&>(form));
          form.ModalResult = result;
        },
        "title page publisher");
  }
  static void Choose(TTitlePageDlg& d, int item) {
    d.ItemList->SetItemIndex(item);
    d.ItemList->Click();
  }
};

TEST_F(TitlePageTest, ANewScriptGetsATitlePageLaidOut) {
  Window().ProductionTitle = "THE LONG NIGHT";
  Window().ScriptFontName = "Courier Prime";
  ASSERT_TRUE(TitlePageNeverSetUp(Window().TitlePageItems));
  const TTitlePage page = TitlePageOf(Window());
  EXPECT_EQ(page[0].Text, "THE LONG NIGHT");
  EXPECT_EQ(page[0].Alignment, taCenter);
  EXPECT_EQ(page[0].Left, TitlePageWidth / 2);
  EXPECT_EQ(page[1].Text, "written by");
  EXPECT_TRUE(page[4].Text.starts_with(RevisionColorName(Window(), Window().CurrentRevision) + " - "));
  for (const TTitlePageItem& item : page) EXPECT_EQ(item.FontName, "Courier Prime");
  Window().ProductionTitle.clear();
  Window().ScriptFileName = "/home/writer/scripts/Night Train.QMW";
  EXPECT_EQ(TitlePageOf(Window())[0].Text, "NIGHT TRAIN") << "the file's name stands for a missing title";
  Window().ScriptFileName = "/home/writer/scripts/NONAME2.QMW";
  EXPECT_EQ(TitlePageOf(Window())[0].Text, "UNTITLED");
}

TEST_F(TitlePageTest, OkStoresTheChangedItemAndCancelNothing) {
  ASSERT_TRUE(WriteTitlePage(SamplePage(), Window().TitlePageItems, Window().TitlePageText));
  Window().DocumentModified = 0;
  const TScriptSettings before = Window();
  Answer(
      [](TTitlePageDlg& d) {
        Choose(d, 6);
        EXPECT_EQ(d.TextMemo->Lines.Count(), 2);
        d.TextMemo->Lines.SetText("Ann Writer\r\n3 Short Road\r\n555-0100");
        d.SizeEdit->Text = std::string("14");
      },
      mrCancel);
  EXPECT_FALSE(ShowTitlePagePublisher(Window()));
  EXPECT_TRUE(static_cast<const TScriptSettings&>(Window()) == before);
  EXPECT_EQ(Window().DocumentModified, 0);

  Answer([](TTitlePageDlg& d) {
    EXPECT_EQ(d.Selected(), 0);
    EXPECT_EQ(d.TextMemo->Lines[0], "THE LONG NIGHT");
    EXPECT_EQ(d.AcrossEdit->Text(), "4.25");
    EXPECT_EQ(d.AlignGroup->ItemIndex(), 1);
    EXPECT_TRUE(d.BoldBox->Checked());
    Choose(d, 6);
    d.TextMemo->Lines.SetText("Ann Writer\r\n3 Short Road\r\n555-0100");
    d.SizeEdit->Text = std::string("14");
    d.ItalicBox->SetChecked(true);
    d.AlignGroup->SetItemIndex(2);
    d.AcrossEdit->Text = std::string("7.5");
    d.DownEdit->Text = std::string("9.25");
    d.FontBox->SetItemIndex(d.FontBox->Items.IndexOf("Times New Roman"));
  });
  EXPECT_TRUE(ShowTitlePagePublisher(Window()));
  EXPECT_EQ(Window().DocumentModified, 1);
  TTitlePage expected = SamplePage();
  expected[6] = {"Ann Writer\r\n3 Short Road\r\n555-0100", "Times New Roman", 14, fsItalic, taRightJustify, 750, 925};
  EXPECT_EQ(Stored(), expected);
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(TitlePageTest, ValuesOutsideTheirLimitsAreRefusedWithAMessage) {
  ASSERT_TRUE(WriteTitlePage(SamplePage(), Window().TitlePageItems, Window().TitlePageText));
  const TScriptSettings before = Window();
  struct Case {
    const char* edit;
    const char* typed;
    const char* message;
  } const cases[] = {
      {"SizeEdit", "80", "The font size must be a number from 4 to 72."},
      {"SizeEdit", "12.5", "The font size must be a number from 4 to 72."},
      {"AcrossEdit", "9", "Across must be a number from 0 to 8.5."},
      {"DownEdit", "-1", "Down must be a number from 0 to 11."},
      {"DownEdit", "two", "Down must be a number from 0 to 11."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    std::string message;
    Answer([&c](TTitlePageDlg& d) { DialogControl<TEdit>(d, c.edit)->Text = std::string(c.typed); });
    Press(mrOk, &message);
    Answer([](TTitlePageDlg&) {}, mrCancel);
    EXPECT_FALSE(ShowTitlePagePublisher(Window()));
    EXPECT_EQ(message, c.message);
    EXPECT_TRUE(static_cast<const TScriptSettings&>(Window()) == before);
  }
  // Another item is not chosen while the chosen one holds a bad value.
  std::string message;
  Answer(
      [&message, this](TTitlePageDlg& d) {
        d.SizeEdit->Text = std::string("0");
        Press(mrOk, &message);
        Choose(d, 3);
        EXPECT_EQ(d.Selected(), 0);
        EXPECT_EQ(d.ItemList->ItemIndex(), 0);
      },
      mrCancel);
  EXPECT_FALSE(ShowTitlePagePublisher(Window()));
  EXPECT_EQ(message, "The font size must be a number from 4 to 72.");
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(TitlePageTest, TooMuchTextIsRefusedAndTheDialogStaysOpen) {
  std::string message;
  Answer([](TTitlePageDlg& d) {
    Choose(d, 9);
    d.TextMemo->Lines.SetText(std::string(1600, 'w'));
  });
  Press(mrOk, &message);
  Answer([](TTitlePageDlg& d) {
    EXPECT_EQ(d.Selected(), 9) << "the dialog is as it was left";
    d.TextMemo->Lines.SetText("Registered");
  });
  EXPECT_TRUE(ShowTitlePagePublisher(Window()));
  EXPECT_EQ(message, "The title page holds at most 1,536 characters of text.");
  EXPECT_EQ(Stored()[9].Text, "Registered");
}

TEST_F(TitlePageTest, ThePreviewPlacesEachItemByItsAnchor) {
  ASSERT_TRUE(WriteTitlePage(SamplePage(), Window().TitlePageItems, Window().TitlePageText));
  Answer(
      [](TTitlePageDlg& d) {
        const int dpi = Screen->PixelsPerInch();
        const int z = d.Zoom();
        EXPECT_LE(d.PagePanel->Height(), 560) << "the page fits the window";
        const int m = TPageItemLabel::Margin;
        const TPageItemLabel& title = *d.Labels[0];
        EXPECT_TRUE(title.Visible());
        EXPECT_TRUE(title.Border) << "the chosen item is framed";
        EXPECT_FALSE(d.Labels[1]->Border);
        EXPECT_NEAR(title.Left + title.Width / 2.0, PageUnitsToPixels(425, dpi, z), 1.0) << "centred on its anchor";
        EXPECT_EQ(title.Top + m, PageUnitsToPixels(300, dpi, z));
        const TPageItemLabel& revisions = *d.Labels[4];
        EXPECT_NEAR(revisions.Left + revisions.Width - m, PageUnitsToPixels(780, dpi, z), 1) << "ends at its anchor";
        EXPECT_GT(revisions.Height(), d.Labels[1]->Height()) << "two lines";
        const TPageItemLabel& contact = *d.Labels[6];
        EXPECT_EQ(contact.Left + m, PageUnitsToPixels(100, dpi, z));
        EXPECT_FALSE(d.Labels[2]->Visible()) << "an item without text shows nothing";
        EXPECT_GT(title.Font.Size(), d.Labels[1]->Font.Size());
        // A change shows at once: the contact item made centred moves.
        Choose(d, 6);
        d.AlignGroup->SetItemIndex(1);
        EXPECT_NEAR(contact.Left + contact.Width / 2.0, PageUnitsToPixels(100, dpi, z), 1.0);
        EXPECT_EQ(d.ItemList->Items[6], "Contact: A. Writer");
      },
      mrCancel);
  ShowTitlePagePublisher(Window());
  EXPECT_EQ(Driver().Pending(), 0);
}

// Each label draws its lines inside its own box, at the preview's zoom,
// aligned as the item is.
TEST_F(TitlePageTest, ALabelDrawsItsLinesInsideItsBox) {
  TTitlePage page = SamplePage();
  page[4].Text = "BLUE\r\nPINK - 1/4/27";
  page[1].Text = "by\r\nSomeone Else";
  ASSERT_TRUE(WriteTitlePage(page, Window().TitlePageItems, Window().TitlePageText));
  Answer(
      [](TTitlePageDlg& d) {
        const int dpi = Screen->PixelsPerInch();
        for (const int item : {1, 4, 6}) {
          SCOPED_TRACE(item);
          TPageItemLabel& label = *d.Labels[static_cast<std::size_t>(item)];
          RecordingCanvas canvas(dpi);
          label.PaintTo(canvas);
          const auto texts = canvas.TextOps();
          ASSERT_EQ(texts.size(), 2u);
          for (const auto* text : texts) {
            EXPECT_GE(text->rect.Left, 0);
            EXPECT_LE(text->rect.Right, label.Width() + 1);
            EXPECT_GE(text->rect.Top, 0);
            EXPECT_LE(text->rect.Bottom, label.Height() + 1);
            EXPECT_EQ(text->font.PixelHeight, label.Font.Desc().EmPixels(dpi) * d.Zoom() / 100);
          }
          const auto mid = [](const DrawOp* t) { return (t->rect.Left + t->rect.Right) / 2.0; };
          if (item == 1) {
            EXPECT_NEAR(mid(texts[0]), mid(texts[1]), 1.0) << "centred lines";
          }
          if (item == 4) {
            EXPECT_NEAR(texts[0]->rect.Right, texts[1]->rect.Right, 1) << "right-aligned lines";
          }
          if (item == 6) {
            EXPECT_EQ(texts[0]->rect.Left, texts[1]->rect.Left) << "left-aligned lines";
          }
          EXPECT_LT(texts[0]->rect.Top, texts[1]->rect.Top);
        }
      },
      mrCancel);
  ShowTitlePagePublisher(Window());
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(TitlePageTest, AnItemDraggedOnThePageTakesItsNewPlace) {
  const int dpi = Screen->PixelsPerInch();
  const int zoom = TTitlePageDlg(nullptr).Zoom();
  // A place between two pixels of the preview, which the preview alone
  // would move.
  TTitlePage page = SamplePage();
  while (PixelsToPageUnits(PageUnitsToPixels(page[6].Top, dpi, zoom), dpi, zoom) == page[6].Top) ++page[6].Top;
  const std::string down = "9.0" + std::to_string(page[6].Top - 900);
  ASSERT_TRUE(WriteTitlePage(page, Window().TitlePageItems, Window().TitlePageText));
  int movedBy = 0;
  Answer([&movedBy, &down](TTitlePageDlg& d) {
    TPageItemLabel& label = *d.Labels[6];
    const int left = label.Left;
    label.MouseDown(TMouseButton::mbLeft, {}, 3, 3);
    EXPECT_EQ(d.Selected(), 6);
    label.MouseUp(TMouseButton::mbLeft, {}, 3, 3);
    EXPECT_EQ(d.AcrossEdit->Text(), "1.00") << "a click alone moves nothing";
    EXPECT_EQ(d.DownEdit->Text(), down);
    label.MouseDown(TMouseButton::mbLeft, {}, 3, 3);
    label.MouseMove({}, 23, 43);
    label.MouseUp(TMouseButton::mbLeft, {}, 23, 43);
    movedBy = label.Left - left;
  });
  ASSERT_TRUE(ShowTitlePagePublisher(Window()));
  EXPECT_NEAR(movedBy, 20, 1);
  // Stored from the place edits, which the drop filled in.
  const TTitlePageItem contact = Stored()[6];
  EXPECT_NEAR(contact.Left, 100 + PixelsToPageUnits(20, dpi, zoom), 2);
  EXPECT_NEAR(contact.Top, page[6].Top + PixelsToPageUnits(40, dpi, zoom), 2);
  EXPECT_EQ(contact.Text, SamplePage()[6].Text);
}

TEST_F(TitlePageTest, ANarrowScreenGetsASmallerWindowAndPage) {
  const TTitlePageDlg wide(nullptr);
  Backend().ScreenSettings().Width = 640;
  Answer(
      [&wide](TTitlePageDlg& d) {
        EXPECT_LE(d.Width(), 640);
        EXPECT_LT(d.Zoom(), wide.Zoom());
        EXPECT_LT(d.PagePanel->Height(), wide.PagePanel->Height());
        EXPECT_LE(d.OKBtn->Left + d.OKBtn->Width, d.ClientWidth());
      },
      mrCancel);
  ShowTitlePagePublisher(Window());
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(TitlePageTest, ThePublisherHoldsTheRepaintOnlyWhileOpen) {
  bool held = false;
  EXPECT_FALSE(TitlePagePublisherHoldsRepaint());
  Answer([&held](TTitlePageDlg&) { held = TitlePagePublisherHoldsRepaint(); }, mrCancel);
  ShowTitlePagePublisher(Window());
  EXPECT_TRUE(held);
  EXPECT_FALSE(TitlePagePublisherHoldsRepaint());
}

TEST_F(TitlePageTest, TheNextRevisionEndsInThePublisher) {
  Window().AddRevisionColour("BLUE", clNone);
  Window().DocumentModified = 0;
  Press(mrYes);  // the five steps
  Press(mrOk);   // the A-pages are fixed
  Press(mrYes);  // the next colour
  int revisionSeen = -1;
  Answer([&revisionSeen, this](TTitlePageDlg& d) {
    revisionSeen = Window().CurrentRevision;
    Choose(d, 4);
    d.TextMemo->Lines.SetText("BLUE - 12/7/26");
  });
  StartNewRevision(Window());
  EXPECT_EQ(revisionSeen, 1) << "the publisher comes last";
  EXPECT_EQ(Stored()[4].Text, "BLUE - 12/7/26");
  EXPECT_EQ(Driver().Pending(), 0);
}

TEST_F(TitlePageTest, TheItemsSurviveNativeSaveAndLoad) {
  TTitlePage page = SamplePage();
  page[2].Text = "Text with \x93quotes\x94 and a \xE9";
  ASSERT_TRUE(WriteTitlePage(page, Window().TitlePageItems, Window().TitlePageText));
  TempFolder folder;
  const std::string file = folder.File("TITLE.QMW");
  ASSERT_TRUE(SaveScriptFile(file, false, true));
  ScriptWindow read;
  ASSERT_TRUE(LoadScriptFile(file, false));
  EXPECT_EQ(TitlePageOf(*read), page);
  EXPECT_EQ(ScriptDifferences(Window(), *read), std::vector<std::string>{});
}

// The scrambled copy scrambles every item's letters and keeps their
// places, because the texts run together up to the block's 0.
TEST_F(TitlePageTest, AScrambledCopyScramblesEveryItem) {
  ASSERT_TRUE(WriteTitlePage(SamplePage(), Window().TitlePageItems, Window().TitlePageText));
  ScrambleScript(Window(), [] { return 'q'; });
  const TTitlePage page = Stored();
  EXPECT_EQ(page[0].Text, "QQQ QQQQ QQQQQ");
  EXPECT_EQ(page[6].Text, "Q. Qqqqqq\r\n12 Qqqq Qqqqqq");
  EXPECT_EQ(page[6].Left, 100);
}

}  // namespace
}  // namespace qm::testing
