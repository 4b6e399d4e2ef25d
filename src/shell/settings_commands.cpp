// The settings commands of the main window: each opens its dialog.
#include "base/document_table.h"
#include "script/editing/document_modified.h"
#include "script/editing/inline_styles.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/text_codes.h"
#include "script/script_window.h"
#include "shell/documents.h"
#include "shell/main_form.h"
#include "shell/options_dialog.h"
#include "shell/revision_colors_dialog.h"
#include "shell/screen_colors.h"
#include "shell/screen_colors_dialog.h"
#include "shell/utility_dialogs.h"
#include "script/editing/undo_steps.h"

namespace qm {

namespace {

// Colour pairs are no style of the element format: a bit no format sets.
constexpr Byte NoStyleBit = 7;

// The colour (1..10) a text colour item gives; 0 for black.
int TextColorOf(const std::string& name) {
  if (name.find("Blue") != std::string::npos) return 1;
  if (name.find("Red") != std::string::npos) return 2;
  if (name.find("Green") != std::string::npos) return 3;
  if (name.find("User") != std::string::npos) return ChooseUserColor(true, "", 0);
  return 0;
}

}  // namespace

void TMainForm::ProgramSettingsItemClick(TObject*) {
  if (!ShowProgramSettings()) return;
  // "Display Screen-Sized Retrieve List" chosen with no script open shows it
  // now; a list already shown goes to the script folder the settings name.
  startupListShown_ = false;
  ShowStartupFileChoice();
  UpdateStartupList();
  RefreshAfterChange();
}

void TMainForm::ScreenColorsItemClick(TObject*) {
  ShowScreenColors();
  FocusActiveScript();
}

void TMainForm::ColorClick(TObject* sender) {
  TMDIChild* script = EditableActiveScript();
  if (!script) return;
  const std::string name = SenderName(sender);
  // A user colour chosen and the text coloured with it are one change.
  const TSingleUndoStep oneStep;
  const int color = TextColorOf(name);
  if (color > 0) {
    const ColorPair& pair = ColorPairs[static_cast<std::size_t>(color - 1)];
    ApplyInlineStyle(TInlineStyle{pair.on, pair.off, NoStyleBit});
  } else if (name.find("Black") != std::string::npos) {
    RemoveInlineStyles(false);
  }
  FocusActiveScript();
}

void TMainForm::SetupRevisionColorsItemClick(TObject*) {
  if (TMDIChild* script = EditableActiveScript()) ShowRevisionColorDialog(*script);
  FocusActiveScript();
}

void TMainForm::MenuFontItemClick(TObject*) { ShowMenuFontSetup(); }

void TMainForm::Calendar1Click(TObject*) { ShowCalendar(); }

void TMainForm::ProducerHelpItemClick(TObject*) { ShowProducerHelp(); }

}  // namespace qm
