// The clipboard between two windows of the program and with other
// programs: registered formats as MIME types, plain text as UTF-8.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMimeData>
#include <QtTest/QTest>

#include "gui/gui_fixture.h"
#include "platform/clipboard.h"
#include "platform/qt/qt_clipboard.h"

namespace qm {
namespace {

class ClipboardTest : public testing::GuiFixture {
 protected:
  static Bytes B(const std::string& s) { return Bytes(s.begin(), s.end()); }
};

TEST_F(ClipboardTest, FormatNamesBecomeMimeTypesAndComeBack) {
  struct Case {
    std::string name;
    std::string mime;
  };
  const Case cases[] = {
      {"Quillmaster Text", "application/x-quillmaster-Quillmaster-Text"},
      {"BreakdownData", "application/x-quillmaster-BreakdownData"},
      {"StoryDev Exchange", "application/x-quillmaster-StoryDev-Exchange"},
      {"Odd-Name 50%", "application/x-quillmaster-Odd%2DName-50%25"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MimeOfFormatName(c.name), c.mime);
    EXPECT_EQ(FormatNameOfMime(c.mime), c.name);
  }
  EXPECT_EQ(FormatNameOfMime("text/plain"), std::nullopt);
  EXPECT_EQ(FormatNameOfMime("application/x-quillmaster-bad%4"), std::nullopt);
}

TEST_F(ClipboardTest, CopyInOneWindowPasteInAnother) {
  const UINT native = RegisterClipboardFormat("Quillmaster Text");
  const std::string text = "Caf\xE9 \x80"
                           "5";  // cp1252
  const std::string block = std::string("\x01\x02\x00\xFF", 4);
  TForm* one = NewForm(TFormStyle::fsNormal, "One", 200, 100);
  TForm* two = NewForm(TFormStyle::fsNormal, "Two", 200, 100);
  one->OnKeyPress = [&](TObject*, char& key) {
    if (key != 3) return;  // Ctrl+C
    TClipboard& clip = *Clipboard();
    clip.Open();
    clip.Clear();
    clip.SetData(native, B(block));
    Bytes plain = B(text);
    plain.push_back(0);
    clip.SetData(CF_TEXT, plain);
    clip.Close();
  };
  std::optional<Bytes> pastedBlock;
  std::string pastedText;
  two->OnKeyPress = [&](TObject*, char& key) {
    if (key != 22) return;  // Ctrl+V
    pastedBlock = Clipboard()->GetData(native);
    pastedText = Clipboard()->AsText();
  };
  one->Show();
  two->Show();
  QTest::keyClick(ClientOf(*one), Qt::Key_C, Qt::ControlModifier);

  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->text(), QString::fromUtf8("Café €5")) << "other programs read UTF-8";
  EXPECT_EQ(data->data("application/x-quillmaster-Quillmaster-Text"), QByteArray(block.data(), 4));

  QTest::keyClick(ClientOf(*two), Qt::Key_V, Qt::ControlModifier);
  ASSERT_TRUE(pastedBlock.has_value());
  EXPECT_EQ(*pastedBlock, B(block));
  EXPECT_EQ(pastedText, text);
}

TEST_F(ClipboardTest, WhatAnotherProgramCopiedReachesTheCore) {
  auto* data = new QMimeData;
  data->setText(QString::fromUtf8("na\xC3\xAFve \xE2\x80\x93 ok \xD0\x96"));  // naïve – ok Ж
  data->setData("text/rtf", "{\\rtf1 hi}");
  data->setData("application/x-quillmaster-StoryDev-Exchange", "DSW");
  QGuiApplication::clipboard()->setMimeData(data);

  EXPECT_EQ(Clipboard()->AsText(), "na\xEFve \x96 ok ?") << "UTF-8 to cp1252, '?' for what it lacks";
  const auto plain = Clipboard()->GetData(CF_TEXT);
  ASSERT_TRUE(plain.has_value());
  EXPECT_EQ(plain->back(), 0) << "plain text ends with a zero inside the core";
  const auto rtf = Clipboard()->GetData(RegisterClipboardFormat("Rich Text Format"));
  ASSERT_TRUE(rtf.has_value());
  EXPECT_EQ(std::string(rtf->begin(), rtf->end()), std::string("{\\rtf1 hi}\0", 11));
  const UINT storyDev = RegisterClipboardFormat("StoryDev Exchange");
  EXPECT_TRUE(Clipboard()->HasFormat(storyDev)) << "a named format is known by its name";
  EXPECT_EQ(Clipboard()->Formats(),
            (std::vector<UINT>{CF_TEXT, RegisterClipboardFormat("Rich Text Format"), storyDev}));
}

TEST_F(ClipboardTest, RichTextGoesOutAsTextRtf) {
  Clipboard()->Open();
  Clipboard()->Clear();
  Clipboard()->SetData(RegisterClipboardFormat("Rich Text Format"), B(std::string("{\\rtf1 x}\0", 10)));
  Clipboard()->Close();
  EXPECT_EQ(QGuiApplication::clipboard()->mimeData()->data("text/rtf"), QByteArray("{\\rtf1 x}"));
}

}  // namespace
}  // namespace qm
