// Copy and paste in the program on the desktop: a block copied in one
// script window pastes into another through the desktop's clipboard, and
// plain text that another program copied pastes in.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QtTest/QTest>

#include "base/document_table.h"
#include "base/global_state.h"
#include "files/paste_as.h"
#include "gui/program_gui_fixture.h"
#include "script/model/packed_text.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "shell/program_start.h"
#include "script/model/edit_line_writer.h"

namespace qm {
namespace {

class ScriptClipboardTest : public testing::ProgramGuiFixture {
 protected:
  void Type(const char* text) {
    QTest::keyClicks(ClientOf(Script()), text);
    Application->ProcessMessages();
  }
  void NextElement(Byte kind) {
    Script().CurrentFormat = Script().FormatSet[static_cast<size_t>(FormatSlotOfKind(kind))];
    Script().NewElement(true, false, false);
    Application->ProcessMessages();
  }
  std::vector<std::pair<Byte, std::string>> Elements() {
    Script().Assemble();
    std::vector<std::pair<Byte, std::string>> all;
    for (TScriptElement* e = Script().FirstElement; e; e = e->next)
      if (!IsPageBreakKind(e->Kind())) all.emplace_back(e->Kind(), ElementText(*e));
    Script().DisAssemble();
    return all;
  }
  void SelectWholeScript() {
    Script().Assemble();
    for (TScriptElement* e = Script().FirstElement; e; e = e->next) {
      e->blockStart = 0;
      e->blockEnd = static_cast<int>(ElementText(*e).size());
    }
    EditFields(Script()).BlockOn = 1;
    Script().DisAssemble();
  }
};

TEST_F(ScriptClipboardTest, CopyInOneWindowPasteInAnother) {
  Script().SetFocus();
  Type("A kettle whistles.");
  NextElement(ekCharacterName);
  Type("mary");
  NextElement(ekDialogue);
  Type("Not tonight.");
  const auto written = Elements();
  MainForm->UpdateMenusAndButtons();
  EXPECT_FALSE(MainForm->MenuItem("CopyItem")->Enabled) << "nothing to copy without a block";
  SelectWholeScript();
  MainForm->UpdateMenusAndButtons();
  ASSERT_TRUE(MainForm->MenuItem("CopyItem")->Enabled);
  MainForm->MenuItem("CopyItem")->Click();
  Application->ProcessMessages();

  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_TRUE(data->hasFormat("application/x-quillmaster-Quillmaster-Text"));
  EXPECT_EQ(data->text(), QString("A kettle whistles.\n\nMARY\nNot tonight.\n"))
      << "line ends as the desktop writes them";
  EXPECT_TRUE(data->data("text/rtf").startsWith("{\\rtf0\\ansi"));

  MainForm->FileNewItem->Click();
  Application->ProcessMessages();
  ASSERT_EQ(DocumentCount, 2);
  MainForm->UpdateMenusAndButtons();
  ASSERT_TRUE(MainForm->MenuItem("PasteItem")->Enabled);
  MainForm->MenuItem("PasteItem")->Click();
  Application->ProcessMessages();
  EXPECT_EQ(Elements(), written);
  EXPECT_TRUE(Script().DocumentModified);
}

TEST_F(ScriptClipboardTest, PlainTextFromAnotherProgramPastesIn) {
  Script().SetFocus();
  Type("Start ");
  QGuiApplication::clipboard()->setText(QString::fromUtf8("caf\xC3\xA9"));
  MainForm->UpdateMenusAndButtons();
  ASSERT_TRUE(MainForm->MenuItem("PasteItem")->Enabled);
  MainForm->MenuItem("PasteItem")->Click();
  Application->ProcessMessages();
  EXPECT_EQ(Elements().back().second, "Start caf\xE9") << "short text is typed";

  QGuiApplication::clipboard()->setText(
      "The first paragraph from outside, long enough to be read as text.\nThe second one.\n");
  // Longer text asks how it is to be read; the writer takes the choices as offered.
  bool asked = false;
  Later(100, [&asked] {
    auto* dialog = dynamic_cast<TPasteAsDlg*>(Screen->ActiveForm());
    if (!dialog) return;
    asked = true;
    QTest::mouseClick(ClientOf(*dialog->OKBtn), Qt::LeftButton);
  });
  MainForm->MenuItem("PasteItem")->Click();
  Application->ProcessMessages();
  EXPECT_TRUE(asked) << "the paste-as dialog came up";
  const auto elements = Elements();
  ASSERT_EQ(elements.size(), 2u);
  EXPECT_EQ(elements[0].second, "Start caf\xE9 The first paragraph from outside, long enough to be read as text.");
  EXPECT_EQ(elements[1], (std::pair<Byte, std::string>{ekAction, "The second one."}));
}

// The desktop's text is the script's characters once the backend has
// converted it: the program's own text, kept by the desktop as plain text
// only, pastes back as it was, even where its bytes also read as UTF-8.
TEST_F(ScriptClipboardTest, OwnPlainTextPastesBackUnchanged) {
  const char* cases[] = {
      "The Caf\xC3\x83\xC2\xA9 sign",
      "The Caf\xC3\x83\xC2\xA9 sign swings over the door of the harbour inn in the wind.",
  };
  for (const char* typed : cases) {
    SCOPED_TRACE(typed);
    MainForm->FileNewItem->Click();
    Application->ProcessMessages();
    Script().SetFocus();
    Type(typed);
    const std::string text = Elements().back().second;
    ASSERT_NE(text.find("Caf\xC3\xA9"), std::string::npos) << "typed as the script's characters";
    SelectWholeScript();
    MainForm->UpdateMenusAndButtons();
    MainForm->MenuItem("CopyItem")->Click();
    Application->ProcessMessages();
    const QString plain = QGuiApplication::clipboard()->text();
    QGuiApplication::clipboard()->setText(plain);

    MainForm->FileNewItem->Click();
    Application->ProcessMessages();
    Later(100, [] {
      if (auto* dialog = dynamic_cast<TPasteAsDlg*>(Screen->ActiveForm()))
        QTest::mouseClick(ClientOf(*dialog->OKBtn), Qt::LeftButton);
    });
    MainForm->UpdateMenusAndButtons();
    MainForm->MenuItem("PasteItem")->Click();
    Application->ProcessMessages();
    EXPECT_EQ(Elements().back().second, text);
  }
}

}  // namespace
}  // namespace qm
