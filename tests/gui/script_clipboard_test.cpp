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
    Script().BlockOn = 1;
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
  EXPECT_EQ(data->text(), QString("A kettle whistles.\n\nMARY\nNot tonight.\n")) << "line ends as the desktop writes them";
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

}  // namespace
}  // namespace qm
