// A small act-and-scene script for the rundown and set list tests: two
// acts, three scenes, a scene with two headings at different places and
// one with two headings at the same place, generated character lists and
// tagged scene descriptions.
#pragma once

#include <string>
#include <vector>

#include "breakdown/character_lists.h"
#include "language/language_fixture.h"
#include "script/model/script_record.h"

namespace qm::testing {

inline std::string SceneDescriptionNote(const std::string& text) {
  return std::string(1, static_cast<char>(168)) + text + std::string(1, '\x01');
}

class SitcomFixture : public LanguageFixture {
 protected:
  void BuildSitcom() {
    Settings().SceneInformationOff = 0;
    Settings().ScenesWithinActs = 1;
    Settings().ActDisplayStyle = 4;        // ONE, TWO
    Settings().SceneInfoDisplayStyle = 2;  // A, B
    SetList(TUserList::ActText, {"ACT", "END OF ACT", "SCENE"});
    struct Spec {
      Byte kind;
      std::string text;
      int number = 0;
    };
    const std::vector<Spec> specs = {
        {ekActStart, "ACT ONE", 1},
        {ekSceneInformation, "SCENE A", 1},
        {ekSceneHeading, "INT. KITCHEN - DAY (DAY ONE)"},
        {ekAction, "(Ann, Ben)", -1},
        {ekCharacterName, "ANN"},
        {ekDialogue, "Tea?"},
        {ekScriptNote, SceneDescriptionNote("Ann makes tea")},
        {ekSceneHeading, "INT. HALL - DAY (DAY ONE)"},
        {ekCharacterName, "BEN"},
        {ekDialogue, "Coming."},
        {ekSceneInformation, "SCENE B", 2},
        {ekSceneHeading, "EXT. GARDEN - NIGHT (NIGHT ONE)"},
        {ekAction, "(Ann)", -1},
        {ekCharacterName, "ANN"},
        {ekDialogue, "Stars."},
        {ekSceneHeading, "EXT. GARDEN - LATER (NIGHT ONE)"},
        {ekScriptNote, SceneDescriptionNote("Rain starts")},
        {ekAutoPageBreak, "", 2},
        {ekActInformation, "ACT TWO", 2},
        {ekSceneInformation, "SCENE C", 3},
        {ekSceneHeading, "INT. KITCHEN - DAY (DAY TWO)"},
        {ekAction, "(Ben)", -1},
        {ekCharacterName, "BEN"},
        {ekDialogue, "Again."},
    };
    std::vector<ElementSpec> elements;
    for (const Spec& s : specs) elements.push_back({s.kind, s.text});
    Add(elements);
    for (std::size_t i = 0; i < specs.size(); ++i) {
      TScriptElement& e = Element(static_cast<int>(i));
      if (specs[i].number > 0) Number(static_cast<int>(i), specs[i].number);
      if (specs[i].number < 0) {
        e.format.NumberWord = CharacterListMark;
        e.format.LinesBefore = 0;
      }
    }
    PlaceCaret(5);
  }
};

}  // namespace qm::testing
