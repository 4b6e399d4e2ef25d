#include "story/storyboard_links.h"

#include "base/command_line.h"
#include "base/document_table.h"
#include "base/message_boxes.h"
#include "base/program_busy.h"
#include "base/program_options.h"
#include "base/prompt_table.h"
#include "base/ini_file.h"
#include "platform/files.h"
#include "platform/forms.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/editing/undo_steps.h"
#include "script/script_window.h"
#include "story/storyboard_protocol.h"

namespace qm::story {

namespace {

TScriptElement* FirstLinkedTo(const TScriptDocument& script, Word index) {
  for (TScriptElement* e = script.FirstElement; e; e = e->next)
    if (e->storyboardLink == index) return e;
  return nullptr;
}

TScriptElement* LastLinked(const TScriptDocument& script) {
  TScriptElement* last = script.FirstElement;
  while (last && last->next) last = last->next;
  for (TScriptElement* e = last; e; e = e->prev)
    if (e->storyboardLink != 0) return e;
  return script.FirstElement;
}

void SetLinks(TScriptDocument& script, Word from, Word to) {
  for (TScriptElement* e = script.FirstElement; e; e = e->next)
    if (e->storyboardLink == from) e->storyboardLink = to;
}

// A change of links is a change of the script that the file keeps.
void LinksChanged(TMDIChild& script) {
  editor::SetActiveScriptModifiedUnrevised();
  editor::RedisplayScreen(script);
}

}  // namespace

int FrameIndex(const TScriptDocument& script, DWord frameId) {
  return script.StoryboardLinks.IndexOf(std::to_string(frameId));
}

DWord FrameOfIndex(const TScriptDocument& script, Word index) {
  if (index == 0 || index >= script.StoryboardLinks.Count()) return 0;
  return static_cast<DWord>(std::strtoul(script.StoryboardLinks[index].c_str(), nullptr, 10));
}

Word AddFrame(TScriptDocument& script, DWord frameId) {
  const int index = FrameIndex(script, frameId);
  if (index >= 0) return static_cast<Word>(index);
  return static_cast<Word>(script.StoryboardLinks.Add(std::to_string(frameId)));
}

bool GoToStoryboardLink(DWord frameId, bool move) {
  TMDIChild* script = ScriptForCommand();
  if (!script) return false;
  const int index = frameId == LastLinkedFrame ? script->StoryboardLinks.Count() : FrameIndex(*script, frameId);
  if (index < 0) return false;
  TScriptElement* target = nullptr;
  if (frameId == 0) target = script->FirstElement;
  else if (frameId == LastLinkedFrame) target = LastLinked(*script);
  else if (index > 0) target = FirstLinkedTo(*script, static_cast<Word>(index));
  if (!target) return false;
  if (move) {
    editor::MoveCaretToLanding(*script, *target);
  }
  return true;
}

void SetStoryboardFileName(TScriptDocument& script, const std::string& name) {
  script.StoryboardFileName = name.substr(0, capacity::StoryboardFileName);
  if (&script == ScriptForCommand()) editor::SetActiveScriptModifiedUnrevised();
}

bool FindScriptByName(const std::string& name, bool activate) {
  for (int slot = 1; slot <= DocumentCount; ++slot) {
    const TMDIChild* doc = Documents[slot];
    if (!doc || ChangeFileExt(WithoutFolder(doc->ScriptFileName), "." + ScriptExtension) != name) continue;
    if (IsDocumentEmpty(ActiveDocument)) {
      // An empty script counts for nothing: it takes a name of its own.
      if (TMDIChild* active = ScriptForCommand())
        active->ScriptFileName =
            JoinPath(ScriptDirectory, "NONAME" + std::to_string(ActiveDocument) + "." + ScriptExtension);
      continue;
    }
    if (activate && slot != ActiveDocument && slot <= MaxDocuments && StoryboardHooks.ActivateSlot)
      StoryboardHooks.ActivateSlot(slot);
    return true;
  }
  return false;
}

void DeleteFrameLinks(DWord frameId, bool ask) {
  TMDIChild* script = ScriptForCommand();
  if (!script) return;
  editor::SaveUndoStep(*script, ukWholeScript);
  if (ask && !AskYesNo("Delete all Links in Script to this frame?", PromptTable(6), false)) return;
  const int index = FrameIndex(*script, frameId);
  if (index > 0) SetLinks(*script, static_cast<Word>(index), 0);
  LinksChanged(*script);
  if (!ask || !EnsureStoryboardFile(script->StoryboardFileName) || !StoryboardFrameExists(frameId)) return;
  if (!AskYesNo("Remove this frame from the Storyboard?", PromptTable(20), false)) return;
  PostToStoryboard(FrameAction(), sbDeleteFrame, FrameIdToAtom(frameId));
  ShowStoryboardWindow();
}

void DeleteStoryboardLinksInBlock() {
  TMDIChild* script = ScriptForCommand();
  if (!script || !script->CurrentElement()) return;
  editor::SaveUndoStep(*script, ukWholeScript);
  script->CurrentElement()->storyboardLink = 0;
  if (script->BlockOn())
    for (const editor::TBlockSpan& span : editor::BlockSpans(*script)) span.element->storyboardLink = 0;
  editor::ClearBlock(*script, false);
  LinksChanged(*script);
}

void ToggleStoryboardLinkMarks() {
  TMDIChild* script = ScriptForCommand();
  if (!script) return;
  script->HideStoryboardLinks = script->HideStoryboardLinks ? 0 : 1;
  LinksChanged(*script);
}

void InheritStoryboardLink(TMDIChild& script, TScriptElement& element) {
  if (!element.prev || !element.next) return;
  const Word link = element.prev->storyboardLink;
  if (link == 0 || element.next->storyboardLink != link) return;
  element.storyboardLink = link;
  if (!script.HideStoryboardLinks) script.ScreenDirty = 1;
}

TScriptElement* ElementAtY(TMDIChild& script, int y) {
  int top = script.TextTopOffset;
  for (int line = 1; line <= ScreenLineCount; ++line) {
    const TScreenLine& row = script.ScreenLines[static_cast<std::size_t>(line)];
    if (row.height == 0) break;
    if (y >= top && y < top + row.height) return row.element;
    top += row.height;
  }
  return nullptr;
}

bool ShowStoryboardLinkHint(TMDIChild& script, int x, int y) {
  if (script.HideStoryboardLinks) return false;
  editor::SetHint(script, script.DocumentModified ? "Modified" : "");
  const TScriptElement* e = ElementAtY(script, y);
  if (!e || e->storyboardLink == 0 || x >= LinkMarkMargin) return false;
  if (Screen) Screen->SetCursor(crArrow);
  editor::SetHint(script, "Double Click to Open StoryBoard Link");
  return true;
}

void AssignStoryboardFrame() {
  TMDIChild* script = ScriptForCommand();
  if (!script) return;
  if (!script->BlockOn() || editor::BlockSpans(*script).empty()) {
    ShowMessageBox("You have to have selected the text to assign before running this function!", "Attention");
    return;
  }
  if (!EnsureStoryboardRunning()) return;
  ShowStoryboardWindow();
  if (!AskOkCancel("In the Storyboard Program, select the Frame that you want assigned to the selected Text, and "
                   "THEN press OK...",
                   "Attention"))
    return;
  if (!AskStoryboard(FrameQuery(), sbSelectedFrame, 0, ScriptQueryResponse()) ||
      (StoryboardReply().wParam & 0xFFFF) != sbSelectedFrameAnswer)
    return;
  const DWord frame = AtomToFrameId(static_cast<ATOM>(StoryboardReply().lParam & 0xFFFF));
  editor::SaveSettingsUndoStep(*script);
  const Word index = AddFrame(*script, frame);
  for (const editor::TBlockSpan& span : editor::BlockSpans(*script)) span.element->storyboardLink = index;
  editor::ClearBlock(*script, false);
  LinksChanged(*script);
}

void OpenStoryboardLink() {
  TMDIChild* script = ScriptForCommand();
  if (!script || !script->CurrentElement()) return;
  ProgramBusyScope busy;
  const Word link = script->CurrentElement()->storyboardLink;
  if (link == 0 || link >= script->StoryboardLinks.Count()) {
    if (!LinkErrorsSilenced()) ShowMessageBox("Link Reference Error", "Warning");
    return;
  }
  if (!EnsureStoryboardRunning() || !EnsureStoryboardFile(script->StoryboardFileName)) return;
  const DWord frame = FrameOfIndex(*script, link);
  if (!AskStoryboard(FrameAction(), sbShowFrame, FrameIdToAtom(frame), ScriptActionResponse())) return;
  if ((StoryboardReply().wParam & 0xFFFF) != 0) {
    PostToStoryboard(FrameAction(), sbShowFrame, FrameIdToAtom(frame));
    return;
  }
  AskRemoveInvalidLink(frame);
}

}  // namespace qm::story
