#include "story/branching_script.h"

#include "support/script_builder.h"

namespace qm::testing {

void BuildBranchingScript(TMDIChild& w) {
  w.FreeElements();
  w.InteractiveScript = 1;
  AddElements(w, {{ekSceneHeading, "Front door"},
                  {ekShot, "SET <KEY> TO TRUE."},
                  {ekTransition, "GO TO CELLAR (9)\xA7GO TO ATTIC (2)"},
                  {ekSceneHeading, "Attic"},
                  {ekAction, "Dust (9) everywhere."},
                  {ekTransition, "GO TO GONE (4)"},
                  {ekSceneHeading, "Cellar"},
                  {ekTransition, "RETURN (0)"}});
  const Word numbers[] = {5, 2, 9};
  int i = 0;
  for (TScriptElement* e = w.FirstElement; e; e = e->next)
    if (e->Kind() == ekSceneHeading) e->format.NumberWord = numbers[i++];
  w.DisAssemble();
}

std::vector<Word> TargetNumbers(const TMDIChild& script) {
  std::vector<Word> numbers;
  for (TScriptElement* e = script.FirstElement; e; e = e->next)
    if (e->Kind() == ekSceneHeading) numbers.push_back(e->format.NumberWord);
  return numbers;
}

TScriptElement* NthElement(const TMDIChild& script, int n) {
  TScriptElement* e = script.FirstElement;
  while (e && n-- > 0) e = e->next;
  return e;
}

}  // namespace qm::testing
