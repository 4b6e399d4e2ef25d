#include "language/act_scene_commands.h"

#include "base/program_options.h"
#include "script/editing/document_modified.h"
#include "script/editing/editor_calls.h"
#include "script/model/element_kinds.h"
#include "script/editing/script_list_data.h"
#include "language/user_lists.h"
#include "platform/cp1252.h"
#include "platform/messages.h"
#include "script/script_window.h"
#include "script/model/string_utils.h"
#include "base/document_table.h"

namespace qm {

namespace {

constexpr Byte OneBlankLine = 10;

TElementFormat FormatOfKind(const TScriptDocument& script, int slot, Byte kind) {
  TElementFormat format = script.FormatSet[static_cast<size_t>(slot)];
  format.Kind = kind;
  return format;
}

// Starts the element at the caret and puts a user-list entry's text into it.
void StartElementWithText(TMDIChild& script, const TElementFormat& format, const std::string& text,
                          bool forceAfter = false) {
  editor::StartElementAtCaret(script, format, forceAfter);
  editor::SetEditText(script, text);
}

void FinishElement(TMDIChild& script) {
  editor::SetCaretColumn(script, script.EditBuffer().size());
  editor::RedisplayCurrent(script);
}

std::string ListText(TMDIChild& script, TUserList list, int slot) {
  return InsertedText(UserListEntry(RecordOf(script).UserLists, list, slot));
}

// The end of an act. True when its text ends the show, so that no new act
// follows.
bool InsertEndOfAct(TMDIChild& script) {
  editor::DisAssemble(script);
  TScriptElement* current = script.CurrentElement();
  const bool emptyHeadingOrShot = current && (IsSceneHeading(current->Kind()) || current->Kind() == ekShot) &&
                                  TrimmedLength(script.EditBuffer()) == 0;
  if (emptyHeadingOrShot) current->format = FormatOfKind(script, fsAction, ekAction);
  StartElementWithText(script, FormatOfKind(script, fsActInformation, ekEndOfActText),
                       ListText(script, TUserList::EndofActText, 1));
  FinishElement(script);
  return RecordOf(script).LastActNumber != 0 && AnsiUpperCase(script.EditBuffer()).find("SHOW") != std::string::npos;
}

// Act information holding ActText 1, before a current element with text
// (after it when it follows the end of an act); the act the last-act number
// names ends the show with the tag text instead when the script asks for it.
void InsertAct(TMDIChild& script, Byte kind, bool afterEndOfAct = false) {
  editor::SetCaretColumn(script, 0);
  StartElementWithText(script, FormatOfKind(script, fsActInformation, kind), ListText(script, TUserList::ActText, 1),
                       afterEndOfAct);
  editor::RenumberScenes(script);
  const std::string tag = ListText(script, TUserList::TagText, 1);
  if (RecordOf(script).ActTagSetting && RecordOf(script).LastActNumber != 0 && !tag.empty() &&
      script.DisplayNumber(script.CurrentElement()->group) == RecordOf(script).LastActNumber) {
    editor::SetEditText(script, tag);
    script.CurrentElement()->format.Kind = ekPrologueText;
  }
  FinishElement(script);
}

void InsertSceneInformation(TMDIChild& script) {
  editor::SetCaretColumn(script, 0);
  const std::string text = RecordOf(script).ActSceneInfoText ? ListText(script, TUserList::ActText, 3) : "~";
  StartElementWithText(script, FormatOfKind(script, fsSceneInformation, ekSceneInformation), text);
  FinishElement(script);
}

}  // namespace

void InsertActSceneInfo(TMDIChild& script, const std::string& command) {
  editor::SaveUndoStep(script, ukInsert);
  if (command == EndOfActCommand) {
    if (!InsertEndOfAct(script)) InsertAct(script, ekActStart, true);
  } else if (command == NewActCommand) {
    InsertAct(script, ekActStart);
  } else if (command == NewSceneCommand) {
    if (RecordOf(script).ScenesWithinActs) InsertSceneInformation(script);
    else InsertAct(script, ekActInformation);
  }
}

void InsertSceneHeading(TObject* sender) {
  if (NoActiveDocument()) return;
  TMDIChild& script = *ActiveScript();
  editor::SaveUndoStep(script, 0);
  const bool onHeading = script.CurrentElement() && IsSceneHeading(script.CurrentElement()->Kind());
  if (!onHeading) {
    editor::StartElementAtCaret(script, FormatOfKind(script, fsSceneHeading, ekSceneHeading), false);
    editor::RedisplayCurrent(script);
    // A new branch target takes the next free number now, from a button
    // as from Ctrl+S.
    if (RecordOf(script).InteractiveScript) editor::RenumberScenes(script);
    if (!ProgramOptions().UseQuickType) return;
  }
  if (!RecordOf(script).InteractiveScript) editor::PassEnterKey(script, sender);
}

void InsertDialogueParagraph() {
  if (NoActiveDocument()) return;
  TMDIChild& script = *ActiveScript();
  const Byte kind = script.CurrentElement() ? script.CurrentElement()->Kind() : Byte{ekAction};
  if (kind != ekCharacterName && kind != ekDialogue && kind != ekParenthetical) {
    MessageBeep(0);
    return;
  }
  editor::SaveUndoStep(script, 0);
  TElementFormat format = FormatOfKind(script, fsDialogue, ekDialogue);
  if (kind == ekDialogue) format.LinesBefore = OneBlankLine;
  // The paragraph follows the element: a name is never cut for it.
  if (kind == ekCharacterName) editor::SetCaretColumn(script, script.EditBuffer().size());
  editor::NewElement(script, format, true);
  editor::RedisplayCurrent(script);
}

}  // namespace qm
