// The Help menu's help items and the Production menu's help topics.
#include <string>

#include "platform/menus.h"
#include "shell/help_page_dialog.h"
#include "script/layout/screen_rebuild.h"
#include "shell/main_form.h"

namespace qm {

namespace {

std::string StripAmpersandsOf(const std::string& caption) {
  std::string text;
  for (char c : caption)
    if (c != '&') text += c;
  return text;
}

}  // namespace

void TMainForm::Contents1Click(TObject*) { ShowNoHelpFile("the help contents"); }

void TMainForm::SearchforHelpon1Click(TObject*) { ShowNoHelpFile("the help search"); }

void TMainForm::QuickHelpPage1Click(TObject*) {
  ShowQuickHelpPage();
  FocusActiveScript();
}

// The topic is the item's own caption.
void TMainForm::ProductionHelpClick(TObject* sender) {
  const auto* item = dynamic_cast<const TMenuItem*>(sender);
  const std::string topic = item ? StripAmpersandsOf(item->Caption()) : std::string("Production Solutions");
  ShowNoHelpFile("the help topic \"" + topic + "\"");
  FocusActiveScript();
}

}  // namespace qm
