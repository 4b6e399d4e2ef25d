#include "script/script_window.h"

#include "base/global_state.h"
#include "script/editing/script_hooks.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "script/model/edit_line_writer.h"

namespace qm {

TScriptWindowHooks ScriptWindowHooks;

namespace {
const GlobalState reset([] { ScriptWindowHooks = TScriptWindowHooks{}; });
}

void TMDIChild::SetScriptCaption(const std::string& title) {
  if (ScriptFileName != title) ScriptFileName = title;
  Caption = "Script";
  PaintTitle();
}

// The title bar shows the script's name: the whole of it, or its file name
// alone when the whole is wider than the window less 75 pixels.
void TMDIChild::PaintTitle() {
  const int wide = MeasureText(Font.Desc(), Canvas.PixelsPerInch(), ScriptFileName);
  TitleBarText = wide > Width - 75 ? ExtractFileName(ScriptFileName) : ScriptFileName;
}

void TMDIChild::FreeElements() {
  TScriptDocument::FreeElements();
  EditFields(*this).CurrentElement = nullptr;
}

TScriptElement* NewElementRecord(const TScriptDocument& script) {
  auto* element = new TScriptElement;
  element->format = script.FormatSet[fsAction];
  element->format.FontSize = script.ScriptFontSize;
  return element;
}

TElementGroup* NewGroupRecord() { return new TElementGroup; }

}  // namespace qm
