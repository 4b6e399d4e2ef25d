#include "story/cards_fixture.h"

#include "script/layout/screen_rebuild.h"
#include "script/model/script_model.h"
#include "script/script_window.h"
#include "script/model/edit_line_writer.h"
#include "script/editing/editor_calls.h"

namespace qm::testing {

void CardsFixture::Load(const std::vector<ElementSpec>& elements, int current) {
  TMDIChild& w = Script();
  w.FreeElements();
  ResetScreenLines(w);
  AddElements(w, elements);
  editor::SetCurrentElement(w, Nth(current));
  w.CurrentGroup = w.CurrentElement()->group;
  w.DisAssemble();
  editor::SetCaretColumn(w, 0);
  EditFields(w).CaretLine = 1;
  w.RefreshKeepingCursor();
}

TScriptElement* CardsFixture::Nth(int index) {
  TScriptElement* e = Script().FirstElement;
  for (int i = 0; e && i < index; ++i) e = e->next;
  return e;
}

int CardsFixture::IndexOf(const TScriptElement* element) {
  int i = 0;
  for (const TScriptElement* e = Script().FirstElement; e; e = e->next, ++i)
    if (e == element) return i;
  return -1;
}

std::string CardsFixture::Dump() {
  std::string out;
  for (const TScriptElement* e = Script().FirstElement; e; e = e->next) {
    const auto bytes = e->format.ToBytes();
    out.append(bytes.begin(), bytes.end());
    out += static_cast<char>(e->state);
    out += static_cast<char>(e->split);
    out += LiveElementText(Script(), *e);
    out += '\n';
  }
  return out;
}

void CardsFixture::LoadRooms(int scenes) {
  std::vector<ElementSpec> script;
  for (int s = 1; s <= scenes; ++s) {
    script.push_back({ekSceneHeading, "INT. ROOM " + std::to_string(s)});
    script.push_back({ekAction, "Body " + std::to_string(s) + "."});
  }
  Load(script);
}

}  // namespace qm::testing
