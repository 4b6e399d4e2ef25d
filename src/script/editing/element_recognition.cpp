#include "script/editing/continued_cues.h"
#include "script/editing/typing_aids.h"
#include "script/editing/element_recognition.h"

#include <optional>
#include <string>

#include "script/editing/script_list_data.h"
#include "script/model/user_list_entries.h"
#include "platform/cp1252.h"
#include "script/pagination/element_groups.h"
#include "script/editing/element_transitions.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "script/model/string_utils.h"
#include "base/document_table.h"
#include "base/program_options.h"
#include "script/model/edit_line_writer.h"

namespace qm {

namespace {

constexpr int ColonReach = 21;
constexpr Byte OneLineBefore = 10;

bool NextIsSceneHeading(const TMDIChild& window) {
  const TScriptElement* next = window.CurrentElement()->next;
  return next && IsSceneHeading(next->Kind());
}

// The current element takes a format slot (and a kind of its own).
void TakeFormat(TMDIChild& window, int slot, int kind = -1) {
  window.CurrentFormat = window.FormatSet[static_cast<std::size_t>(slot)];
  if (kind >= 0) window.CurrentFormat.Kind = static_cast<Byte>(kind);
  ApplyCurrentFormat();
}

void CaretToLineEnd(TMDIChild& window) {
  EditFields(window).CaretColumn = static_cast<Word>(window.EditBuffer().size());
}

// With QuickType, a finished lead-in element is followed by the next
// scene's heading unless one follows already.
bool StartHeadingAfter(TMDIChild& window, bool showMenu) {
  if (!ProgramOptions().UseQuickType || NextIsSceneHeading(window)) return false;
  StartSceneHeading(0, showMenu);
  return true;
}

bool RecognizeSceneHeading(TMDIChild& window) {
  TakeFormat(window, fsSceneHeading, window.ScenesLocked ? LockedHeadingKind(window, window.CurrentElement()) : -1);
  bool started = false;
  if (aids::ExpandSceneTextAlias(false, true)) {
    CompleteSceneHeading(nullptr);
    started = true;
  }
  if (window.CurrentElement()->Kind() == ekAction) EditFields(window).CaretColumn = 0;
  return started;
}

// The edit line is the script's opening text: by the entry's alias, or by
// its text.
bool IsScriptOpening(const TMDIChild& window, const std::string& entry) {
  if (entry.empty()) return false;
  const std::size_t length = TrimmedLength(window.EditBuffer());
  const std::string plain = PlainUpperText(window.EditBuffer());
  for (const std::string& form : {ListItemKey(entry), DisplayText(entry)})
    if (!form.empty() && length == form.size() && plain == AnsiUpperCase(form)) return true;
  return false;
}

bool RecognizeScriptOpening(TMDIChild& window, const std::string& entry) {
  window.CurrentFormat = window.FormatSet[fsAction];
  ReplaceEditLine(window, ListItemText(entry, true, true));
  window.CurrentFormat.AllCaps = 1;
  ApplyCurrentFormat();
  window.CurrentElement()->state = esKeepFollowing;
  if (NextIsSceneHeading(window)) return false;
  StartSceneHeading(0, false);
  return true;
}

// The act texts: the same act, a new act, or a new scene within an act.
// Nothing when none matches; otherwise whether a heading was started.
std::optional<bool> RecognizeActText(TMDIChild& window) {
  if (aids::ExpandSameActAlias()) {
    TakeFormat(window, fsActInformation, ekActInformation);
  } else if (aids::ExpandActTextAlias()) {
    TakeFormat(window, fsActInformation, ekActStart);
  } else if (aids::ExpandNewSceneAlias()) {
    TakeFormat(window, fsSceneInformation, window.ScenesLocked ? ekLockedSceneInformation : -1);
    CaretToLineEnd(window);
    return StartHeadingAfter(window, true);
  } else {
    return std::nullopt;
  }
  CaretToLineEnd(window);
  return false;
}

// The tests in their fixed order; the first that matches is carried out.
bool RecognizeIn(TMDIChild& window) {
  const Byte kind = window.CurrentElement()->Kind();
  const bool headingOrShot = IsHeadingOrShot(kind);
  const std::string& opening = UserListEntry(window.UserLists, TUserList::ScriptOpenText, 1);
  if (!headingOrShot && aids::ExpandSceneTextAlias(false, false)) return RecognizeSceneHeading(window);
  if (IsScriptOpening(window, opening)) return RecognizeScriptOpening(window, opening);
  if (!headingOrShot && aids::ExpandShotTextAlias(false)) {
    TakeFormat(window, fsShot);
    return false;
  }
  if (kind != ekEndOfActText && aids::ExpandEndOfActAlias()) {
    window.CurrentFormat = window.FormatSet[fsActInformation];
    window.CurrentFormat.LinesBefore = OneLineBefore;
    window.CurrentFormat.Kind = ekEndOfActText;
    ApplyCurrentFormat();
    return false;
  }
  if (kind != ekPrologueText && aids::ExpandPrologueOrTagAlias(false)) {
    TakeFormat(window, fsActInformation, ekPrologueText);
    CaretToLineEnd(window);
    return StartHeadingAfter(window, false);
  }
  if (kind != ekActInformation && kind != ekActStart)
    if (const std::optional<bool> started = RecognizeActText(window)) return *started;
  if (kind != ekTransition && aids::ExpandTransitionAlias(false)) {
    TakeFormat(window, fsTransition);
    CaretToLineEnd(window);
    return StartHeadingAfter(window, false);
  }
  return false;
}

}  // namespace

bool RecognitionInReach(TMDIChild& window) {
  const TUserListMeasure& measure = ListData(window).ListMeasure;
  return window.CaretColumn() <= measure.Longest && static_cast<int>(window.EditBuffer().size()) >= measure.Shortest;
}

bool RecognitionDueAfterTyping(TMDIChild& window, char typed) {
  return (typed == ':' && window.CaretColumn() <= ColonReach) || RecognitionInReach(window);
}

bool RecognizeTypedElement() {
  TMDIChild* window = ActiveScript();
  if (!window || !window->CurrentElement() || IsPageBreakKind(window->CurrentElement()->Kind())) return false;
  const bool started = RecognizeIn(*window);
  UpdateCaret();
  return started;
}

void ApplyCurrentFormat() {
  TMDIChild* window = ActiveScript();
  if (!window || !window->CurrentElement()) return;
  if (PickListShowing()) aids::CloseList();
  window->CurrentElement()->format = window->CurrentFormat;
  window->WordWrapText(window->CurrentElement(), window->EditBuffer(), false, false);
  window->RefreshLayout();
  RebuildScreen(window);
  window->RedisplayScreen(true);
  UpdateCaret();
}

}  // namespace qm
