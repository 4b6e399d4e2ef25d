#include "language/typing_aids.h"

#include "base/program_options.h"
#include "language/act_scene_commands.h"
#include "language/alias_expansion.h"
#include "language/character_names.h"
#include "language/list_builders.h"
#include "language/pick_list.h"
#include "language/spelling/spell_pass.h"
#include <algorithm>

#include "platform/forms.h"
#include "platform/stringlist.h"
#include "script/editing/typing_aids.h"
#include "script/model/string_utils.h"
#include "script/model/script_model.h"

namespace qm {

namespace {

std::optional<std::string> SelectedEntry() {
  TListMenu& menu = ListMenuInstance();
  const int selected = menu.List->ItemIndex();
  if (selected < 0) return std::nullopt;
  return menu.List->Items[selected];
}

void MoveSelection(int step) {
  TListBox& list = *ListMenuInstance().List;
  const int last = list.Items.Count() - 1;
  if (last >= 0) list.SetItemIndex(std::clamp(list.ItemIndex() + step, 0, last));
}

std::optional<std::string> PickCharacterName(char initial, bool sayWhenNone, bool withoutGuess) {
  TListMenu& menu = ListMenuInstance();
  menu.DoneWithList();
  menu.List->Items.SetSorted(false);
  if (!CollectCharacterNames(initial, sayWhenNone, ProgramOptions().SkipNameHide, menu.List->Items, false))
    return std::nullopt;
  bool& smartTabPlus = ProgramOptions().UseSmartTabPlus;
  const bool kept = smartTabPlus;
  if (withoutGuess) smartTabPlus = false;
  const TModalResult result = menu.ShowAtCaret(true);
  smartTabPlus = kept;
  if (result != mrOk) return std::nullopt;
  return SelectedEntry();
}

std::vector<std::string> CharacterNames(char initial) {
  TStringList names;
  CollectCharacterNames(initial, false, false, names, false);
  std::vector<std::string> all;
  for (int i = 0; i < names.Count(); ++i) all.push_back(names[i]);
  return all;
}

std::string FirstCharacterName(char initial) {
  const std::vector<std::string> names = CharacterNames(initial);
  return names.empty() ? std::string() : names.front();
}

// A list with nothing but the blank entry of the heading being typed is no
// choice and never shows. A location the list lacks is one the writer is
// still typing: the heading is not finished under the keys that follow.
bool OfferLocations(bool fromTool) {
  TStringList items;
  BuildPopupList(plLocationsAndUserList, items);
  bool choices = false;
  for (int i = 0; i < items.Count() && !choices; ++i) choices = TrimmedLength(items[i]) > 0;
  return choices && ShowElementPopup(true, ekSceneHeading, fromTool) && ListMenuInstance().ModalResult != mrNoMatch;
}

}  // namespace

void InstallTypingAids() {
  TTypingAidHooks& h = TypingAidHooks;
  h.ListShowing = [] { return ListMenu && ListMenu->Visible; };
  h.ListOnScreen = [] { return ListMenu && ListMenu->Left < Screen->Width(); };
  h.CloseList = [] { ListMenuInstance().DoneWithList(); };
  h.SelectedEntry = SelectedEntry;
  h.ListOffersExtensions = [] { return ListMenu && ListMenu->ExtensionMode; };
  h.MoveSelection = MoveSelection;
  h.MatchTypedText = [](const std::string& typed) { ListMenuInstance().MatchTypedText(typed); };
  h.PickCharacterName = PickCharacterName;
  h.FirstCharacterName = FirstCharacterName;
  h.AllCharacterNames = [] { return CharacterNames('\0'); };
  h.OfferCharacterNames = OfferCharacterNames;
  h.OfferLocations = OfferLocations;
  h.ExpandSceneTextAlias = ExpandSceneTextAlias;
  h.ExpandShotTextAlias = ExpandShotTextAlias;
  h.ExpandTransitionAlias = ExpandTransitionAlias;
  h.ExpandPrologueOrTagAlias = ExpandPrologueOrTagAlias;
  h.ExpandActTextAlias = ExpandActTextAlias;
  h.ExpandSameActAlias = ExpandSameActAlias;
  h.ExpandNewSceneAlias = ExpandNewSceneAlias;
  h.ExpandEndOfActAlias = ExpandEndOfActAlias;
  h.InsertSceneHeading = [] { InsertSceneHeading(nullptr); };
  InstallSpellingAids();
}

}  // namespace qm
