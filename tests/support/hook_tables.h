// The members of every hook table by name, so that a test can say which
// ones nobody set. A member added to a table without its line here makes
// the table larger than its list, and the build stops at the check below
// the list.
#pragma once

#include <cstddef>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "base/message_boxes.h"
#include "breakdown/breakdowns_run_dialog.h"
#include "breakdown/set_lists.h"
#include "files/file_job.h"
#include "files/undo_ring.h"
#include "language/spelling/spell_check_dialog.h"
#include "printing/print_menu.h"
#include "printing/print_run.h"
#include "script/editing/block_selection.h"
#include "script/editing/click_hooks.h"
#include "script/editing/keyboard_commands.h"
#include "script/editing/popup_hooks.h"
#include "script/editing/scrolling.h"
#include "script/editing/typing_aids.h"
#include "script/editing/window_activation.h"
#include "script/editing/script_hooks.h"
#include "script/layout/char_widths.h"
#include "story/storyboard_protocol.h"

namespace qm::testing {

// Specialised for each table: ForEach(visit) calls visit(name, &member).
template <class Hooks>
struct HookMembers;

template <class Hooks>
constexpr bool ListsEveryMember() {
  std::size_t listed = 0;
  HookMembers<Hooks>::ForEach([&](const char*, auto member) {
    listed += sizeof(std::remove_reference_t<decltype(std::declval<Hooks&>().*member)>);
  });
  return listed == sizeof(Hooks);
}

// The names of the members nobody set.
template <class Hooks>
std::vector<std::string> UnsetHookMembers(const Hooks& hooks) {
  std::vector<std::string> unset;
  HookMembers<Hooks>::ForEach([&](const char* name, auto member) {
    if (!(hooks.*member)) unset.emplace_back(name);
  });
  return unset;
}

template <>
struct HookMembers<TMessageBoxHooks> {
  template <class Visit>
  static constexpr void ForEach(Visit&& visit) {
    visit("StartupRunning", &TMessageBoxHooks::StartupRunning);
    visit("ProgressDialogVisible", &TMessageBoxHooks::ProgressDialogVisible);
    visit("ProgressDialogHideNow", &TMessageBoxHooks::ProgressDialogHideNow);
    visit("ProgressDialogShowNow", &TMessageBoxHooks::ProgressDialogShowNow);
    visit("EnableProgressDialog", &TMessageBoxHooks::EnableProgressDialog);
    visit("ClearPendingIoError", &TMessageBoxHooks::ClearPendingIoError);
  }
};
static_assert(ListsEveryMember<TMessageBoxHooks>());

template <>
struct HookMembers<TSetListHooks> {
  template <class Visit>
  static constexpr void ForEach(Visit&& visit) {
    visit("RichTextAsRtf", &TSetListHooks::RichTextAsRtf);
  }
};
static_assert(ListsEveryMember<TSetListHooks>());

template <>
struct HookMembers<TBreakdownDialogHooks> {
  template <class Visit>
  static constexpr void ForEach(Visit&& visit) {
    visit("EndFillOutBreakdowns", &TBreakdownDialogHooks::EndFillOutBreakdowns);
  }
};
static_assert(ListsEveryMember<TBreakdownDialogHooks>());

template <>
struct HookMembers<TFileJobHooks> {
  template <class Visit>
  static constexpr void ForEach(Visit&& visit) {
    visit("Percentage", &TFileJobHooks::Percentage);
    visit("CancelPressed", &TFileJobHooks::CancelPressed);
    visit("Done", &TFileJobHooks::Done);
    visit("WriteTimedBackups", &TFileJobHooks::WriteTimedBackups);
  }
};
static_assert(ListsEveryMember<TFileJobHooks>());

template <>
struct HookMembers<TUndoHooks> {
  template <class Visit>
  static constexpr void ForEach(Visit&& visit) {
    visit("ShowUndoCommands", &TUndoHooks::ShowUndoCommands);
    visit("MenusDue", &TUndoHooks::MenusDue);
  }
};
static_assert(ListsEveryMember<TUndoHooks>());

template <>
struct HookMembers<TSpellDialogHooks> {
  template <class Visit>
  static constexpr void ForEach(Visit&& visit) {
    visit("SpellingOptions", &TSpellDialogHooks::SpellingOptions);
  }
};
static_assert(ListsEveryMember<TSpellDialogHooks>());

template <>
struct HookMembers<TPrintMenuHooks> {
  template <class Visit>
  static constexpr void ForEach(Visit&& visit) {
    visit("StandardBreakdowns", &TPrintMenuHooks::StandardBreakdowns);
    visit("ScenesOfCharacters", &TPrintMenuHooks::ScenesOfCharacters);
  }
};
static_assert(ListsEveryMember<TPrintMenuHooks>());

template <>
struct HookMembers<TPrintRunHooks> {
  template <class Visit>
  static constexpr void ForEach(Visit&& visit) {
    visit("Status", &TPrintRunHooks::Status);
    visit("Ended", &TPrintRunHooks::Ended);
  }
};
static_assert(ListsEveryMember<TPrintRunHooks>());

template <>
struct HookMembers<TBlockSelectionHooks> {
  template <class Visit>
  static constexpr void ForEach(Visit&& visit) {
    visit("BlockCommandsChanged", &TBlockSelectionHooks::BlockCommandsChanged);
  }
};
static_assert(ListsEveryMember<TBlockSelectionHooks>());

template <>
struct HookMembers<TScriptClickHooks> {
  template <class Visit>
  static constexpr void ForEach(Visit&& visit) {
    visit("FollowBranch", &TScriptClickHooks::FollowBranch);
    visit("OpenLinkAt", &TScriptClickHooks::OpenLinkAt);
    visit("LinkHintAt", &TScriptClickHooks::LinkHintAt);
  }
};
static_assert(ListsEveryMember<TScriptClickHooks>());

template <>
struct HookMembers<TKeyCommandHooks> {
  template <class Visit>
  static constexpr void ForEach(Visit&& visit) {
    visit("ClickButton", &TKeyCommandHooks::ClickButton);
    visit("ShotMenu", &TKeyCommandHooks::ShotMenu);
    visit("TransitionMenu", &TKeyCommandHooks::TransitionMenu);
    visit("ChooseElementType", &TKeyCommandHooks::ChooseElementType);
  }
};
static_assert(ListsEveryMember<TKeyCommandHooks>());

template <>
struct HookMembers<TScriptPopupHooks> {
  template <class Visit>
  static constexpr void ForEach(Visit&& visit) {
    visit("RightClick", &TScriptPopupHooks::RightClick);
    visit("Pressed", &TScriptPopupHooks::Pressed);
    visit("BlockMarked", &TScriptPopupHooks::BlockMarked);
    visit("ChoiceMenu", &TScriptPopupHooks::ChoiceMenu);
    visit("SceneHeadingButton", &TScriptPopupHooks::SceneHeadingButton);
  }
};
static_assert(ListsEveryMember<TScriptPopupHooks>());

template <>
struct HookMembers<TWheelHooks> {
  template <class Visit>
  static constexpr void ForEach(Visit&& visit) {
    visit("LineStep", &TWheelHooks::LineStep);
    visit("PageStep", &TWheelHooks::PageStep);
  }
};
static_assert(ListsEveryMember<TWheelHooks>());

template <>
struct HookMembers<TTypingAidHooks> {
  template <class Visit>
  static constexpr void ForEach(Visit&& visit) {
    visit("ListShowing", &TTypingAidHooks::ListShowing);
    visit("ListOnScreen", &TTypingAidHooks::ListOnScreen);
    visit("CloseList", &TTypingAidHooks::CloseList);
    visit("SelectedEntry", &TTypingAidHooks::SelectedEntry);
    visit("ListOffersExtensions", &TTypingAidHooks::ListOffersExtensions);
    visit("MoveSelection", &TTypingAidHooks::MoveSelection);
    visit("MatchTypedText", &TTypingAidHooks::MatchTypedText);
    visit("PickCharacterName", &TTypingAidHooks::PickCharacterName);
    visit("FirstCharacterName", &TTypingAidHooks::FirstCharacterName);
    visit("AllCharacterNames", &TTypingAidHooks::AllCharacterNames);
    visit("OfferCharacterNames", &TTypingAidHooks::OfferCharacterNames);
    visit("OfferLocations", &TTypingAidHooks::OfferLocations);
    visit("OfferVariables", &TTypingAidHooks::OfferVariables);
    visit("ExpandSceneTextAlias", &TTypingAidHooks::ExpandSceneTextAlias);
    visit("ExpandShotTextAlias", &TTypingAidHooks::ExpandShotTextAlias);
    visit("ExpandTransitionAlias", &TTypingAidHooks::ExpandTransitionAlias);
    visit("ExpandPrologueOrTagAlias", &TTypingAidHooks::ExpandPrologueOrTagAlias);
    visit("ExpandActTextAlias", &TTypingAidHooks::ExpandActTextAlias);
    visit("ExpandSameActAlias", &TTypingAidHooks::ExpandSameActAlias);
    visit("ExpandNewSceneAlias", &TTypingAidHooks::ExpandNewSceneAlias);
    visit("ExpandEndOfActAlias", &TTypingAidHooks::ExpandEndOfActAlias);
    visit("InsertSceneHeading", &TTypingAidHooks::InsertSceneHeading);
    visit("SpellWordBeforeCaret", &TTypingAidHooks::SpellWordBeforeCaret);
    visit("ScriptActivated", &TTypingAidHooks::ScriptActivated);
  }
};
static_assert(ListsEveryMember<TTypingAidHooks>());

template <>
struct HookMembers<TActivationHooks> {
  template <class Visit>
  static constexpr void ForEach(Visit&& visit) {
    visit("ScriptActivated", &TActivationHooks::ScriptActivated);
    visit("ScriptDeactivated", &TActivationHooks::ScriptDeactivated);
  }
};
static_assert(ListsEveryMember<TActivationHooks>());

template <>
struct HookMembers<TScriptWindowHooks> {
  template <class Visit>
  static constexpr void ForEach(Visit&& visit) {
    visit("CloseScript", &TScriptWindowHooks::CloseScript);
    visit("ScriptClosing", &TScriptWindowHooks::ScriptClosing);
    visit("UndoRecording", &TScriptWindowHooks::UndoRecording);
    visit("SaveUndoData", &TScriptWindowHooks::SaveUndoData);
    visit("ClearUndoData", &TScriptWindowHooks::ClearUndoData);
    visit("ForgetUndoSteps", &TScriptWindowHooks::ForgetUndoSteps);
    visit("UndoStepCoversCaret", &TScriptWindowHooks::UndoStepCoversCaret);
    visit("UndoStepAsked", &TScriptWindowHooks::UndoStepAsked);
    visit("ReadFormatDefaults", &TScriptWindowHooks::ReadFormatDefaults);
    visit("LoadDefaultFormats", &TScriptWindowHooks::LoadDefaultFormats);
    visit("ElementMade", &TScriptWindowHooks::ElementMade);
    visit("AddForcedPageBreak", &TScriptWindowHooks::AddForcedPageBreak);
    visit("PageChanged", &TScriptWindowHooks::PageChanged);
    visit("DropBlock", &TScriptWindowHooks::DropBlock);
  }
};
static_assert(ListsEveryMember<TScriptWindowHooks>());

template <>
struct HookMembers<TCharWidthHooks> {
  template <class Visit>
  static constexpr void ForEach(Visit&& visit) {
    visit("MeasurePrinterWidths", &TCharWidthHooks::MeasurePrinterWidths);
  }
};
static_assert(ListsEveryMember<TCharWidthHooks>());

template <>
struct HookMembers<story::TStoryboardHooks> {
  template <class Visit>
  static constexpr void ForEach(Visit&& visit) {
    visit("OpenScript", &story::TStoryboardHooks::OpenScript);
    visit("ActivateSlot", &story::TStoryboardHooks::ActivateSlot);
  }
};
static_assert(ListsEveryMember<story::TStoryboardHooks>());

}  // namespace qm::testing
