#include "script/editing/typing_aids.h"

#include <type_traits>
#include <utility>

#include "base/global_state.h"

namespace qm {

TTypingAidHooks TypingAidHooks;

namespace {

const GlobalState reset([] { TypingAidHooks = TTypingAidHooks{}; });

// The member's answer, or the empty answer while it is not set.
template <class Result, class... Params, class... Args>
Result Ask(const std::function<Result(Params...)>& hook, Args&&... args) {
  if (hook) return hook(std::forward<Args>(args)...);
  if constexpr (!std::is_void_v<Result>) return Result{};
}

}  // namespace

namespace aids {

bool ListShowing() { return Ask(TypingAidHooks.ListShowing); }
bool ListOnScreen() { return Ask(TypingAidHooks.ListOnScreen); }
void CloseList() { Ask(TypingAidHooks.CloseList); }
std::optional<std::string> SelectedEntry() { return Ask(TypingAidHooks.SelectedEntry); }
bool ListOffersExtensions() { return Ask(TypingAidHooks.ListOffersExtensions); }
void MoveSelection(int step) { Ask(TypingAidHooks.MoveSelection, step); }
void MatchTypedText(const std::string& typed) { Ask(TypingAidHooks.MatchTypedText, typed); }
std::optional<std::string> PickCharacterName(char initial, bool sayWhenNone, bool withoutGuess) {
  return Ask(TypingAidHooks.PickCharacterName, initial, sayWhenNone, withoutGuess);
}
std::string FirstCharacterName(char initial) { return Ask(TypingAidHooks.FirstCharacterName, initial); }
std::vector<std::string> AllCharacterNames() { return Ask(TypingAidHooks.AllCharacterNames); }
void OfferCharacterNames(TMDIChild& script) { Ask(TypingAidHooks.OfferCharacterNames, script); }
bool OfferLocations(bool fromTool) { return Ask(TypingAidHooks.OfferLocations, fromTool); }
void OfferVariables(TMDIChild& script) { Ask(TypingAidHooks.OfferVariables, script); }
bool ExpandSceneTextAlias(bool wholeLine, bool testOnly) {
  return Ask(TypingAidHooks.ExpandSceneTextAlias, wholeLine, testOnly);
}
bool ExpandShotTextAlias(bool testOnly) { return Ask(TypingAidHooks.ExpandShotTextAlias, testOnly); }
bool ExpandTransitionAlias(bool testOnly) { return Ask(TypingAidHooks.ExpandTransitionAlias, testOnly); }
bool ExpandPrologueOrTagAlias(bool testOnly) { return Ask(TypingAidHooks.ExpandPrologueOrTagAlias, testOnly); }
bool ExpandActTextAlias() { return Ask(TypingAidHooks.ExpandActTextAlias); }
bool ExpandSameActAlias() { return Ask(TypingAidHooks.ExpandSameActAlias); }
bool ExpandNewSceneAlias() { return Ask(TypingAidHooks.ExpandNewSceneAlias); }
bool ExpandEndOfActAlias() { return Ask(TypingAidHooks.ExpandEndOfActAlias); }
void InsertSceneHeading() { Ask(TypingAidHooks.InsertSceneHeading); }
bool SpellWordBeforeCaret() { return Ask(TypingAidHooks.SpellWordBeforeCaret); }
void ScriptActivated(TMDIChild& script) { Ask(TypingAidHooks.ScriptActivated, script); }

}  // namespace aids

}  // namespace qm
