#include "script/pagination/numbering.h"

#include <algorithm>
#include <cctype>

#include "script/layout/word_wrap.h"
#include "script/model/act_labels.h"
#include "script/pagination/element_groups.h"
#include "script/model/packed_text.h"
#include "script/pagination/repagination.h"
#include "script/script_window.h"
#include "script/model/string_utils.h"

namespace qm {

Byte TSceneNumbering::PastSkipLetters(int letter) const {
  while (letter < 126 && w_.IsSkipLetter(letter)) ++letter;
  return static_cast<Byte>(std::min(letter, 255));
}

void TSceneNumbering::Visit(TElementGroup* g) {
  TScriptElement* e = g->first;
  if (!e) return;
  if (w_.IsHiddenElement(e)) return;
  ActOrSceneInformation(g, e);
  switch (e->Kind()) {
    case ekSceneHeading: SceneHeading(g, e); break;
    case ekCharacterName: SetIfChanged(g->number, speech_++); break;
    case ekASceneHeading:
    case ekDashASceneHeading: ASceneHeading(g, e); break;
    default: return;
  }
  if (IsSceneHeading(e->Kind())) {
    lastHeading_ = e->Kind();
    OmittedRange(e);
  }
}

void TSceneNumbering::ActOrSceneInformation(TElementGroup* g, TScriptElement* e) {
  const Word word = e->format.NumberWord;
  const int locked = number_word::Number(word);
  switch (e->Kind()) {
    case ekActInformation:
      // The first act information of a script starts an act.
      if (act_ == 0) {
        e->format.Kind = ekActStart;
        ActOrSceneInformation(g, e);
        return;
      }
      [[fallthrough]];
    case ekPrologueText:
    case ekEndOfActText:
      if (word != 0) act_ = locked;
      g->number = static_cast<Word>(act_);
      break;
    case ekActStart:
      act_ = word != 0 ? locked : act_ + 1;
      if (w_.ActDisplayStyle == 2)
        while (act_ + 64 < 256 && w_.IsSkipLetter(act_ + 64)) ++act_;
      g->number = static_cast<Word>(act_);
      if (!w_.NumberScenesContinuously) {
        sceneInfo_ = 0;
        infoLetter_ = 'A';
      }
      break;
    case ekSceneInformation: {
      sceneInfo_ = word != 0 ? locked : sceneInfo_ + 1;
      if (w_.SceneInfoDisplayStyle == 2) {
        const int offset = w_.SceneStart;
        while (w_.IsSkipLetter(sceneInfo_ + offset + 64) ||
               (sceneInfo_ + offset + 64 > 'Z' && w_.IsSkipLetter(sceneInfo_ + offset + 38)))
          ++sceneInfo_;
      }
      g->number = static_cast<Word>(sceneInfo_);
      infoLetter_ = 'A';
      break;
    }
    case ekLockedSceneInformation:
      if (word != 0) {
        sceneInfo_ = locked;
        infoLetter_ = NumberWordLetter(e);
      }
      g->number = static_cast<Word>(sceneInfo_);
      w_.StoreGroupLetter(g, infoLetter_);
      infoLetter_ = PastSkipLetters(infoLetter_ + 1);
      break;
    default: break;
  }
}

void TSceneNumbering::SceneHeading(TElementGroup* g, const TScriptElement* e) {
  if (e->format.NumberWord == UnnumberedHeadingWord) {
    // Left out of the count: no number, and the next heading goes on.
    SetIfChanged(g->number, 0);
    w_.StoreGroupLetter(g, ' ');
    return;
  }
  const int locked = number_word::Number(e->format.NumberWord);
  scene_ = locked == 0 ? scene_ + 1 : WithAbove500(locked);
  SetIfChanged(g->number, scene_);
  w_.StoreGroupLetter(g, ' ');
}

// Headings inserted while scene numbers were locked: the number of the
// scene before them and the next A-letter.
void TSceneNumbering::ASceneHeading(TElementGroup* g, const TScriptElement* e) {
  const bool dashed = e->Kind() == ekDashASceneHeading;
  if (lastHeading_ == ekSceneHeading) sceneLetter_ = dashed ? '-' : 'A';
  else if (!dashed) sceneLetter_ = sceneLetter_ == '-' ? 'A' : static_cast<Byte>(sceneLetter_ + 1);
  sceneLetter_ = PastSkipLetters(sceneLetter_);
  const Word word = e->format.NumberWord;
  const int locked = number_word::Number(word);
  if (locked != 0 && number_word::Locked(word)) {
    // A heading with its own locked number keeps it; the count goes on.
    g->number = static_cast<Word>(WithAbove500(locked));
    w_.StoreGroupLetter(g, NumberWordLetter(e));
    return;
  }
  if (locked != 0) {
    scene_ = locked;
    sceneLetter_ = NumberWordLetter(e);
  }
  g->number = static_cast<Word>(scene_);
  w_.StoreGroupLetter(g, sceneLetter_);
}

// An omitted heading ("OMITTED: 15" or "OMITTED: 12B") carries the last
// number of the range it stands for; counting goes on from there.
void TSceneNumbering::OmittedRange(const TScriptElement* e) {
  const std::string& omit = w_.SceneOmitText;
  if (!w_.ScenesLocked || omit.empty() || !e->text) return;
  const std::string text = PlainText(UnpackText(*e->text));
  if (text.compare(0, omit.size(), omit) != 0) return;
  size_t i = omit.size();
  while (i < text.size() && (text[i] == ' ' || text[i] == ':')) ++i;
  int number = 0;
  bool digits = false;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) && number < 100000) {
    number = number * 10 + (text[i++] - '0');
    digits = true;
  }
  if (i < text.size() && text[i] >= 'A' && text[i] <= 'Z') {
    sceneLetter_ = static_cast<Byte>(text[i]);
    lastHeading_ = ekASceneHeading;
  }
  if (digits && number > w_.SceneStart) scene_ = number - w_.SceneStart;
}

void TMDIChild::RenumberScenes(bool repaint) {
  if (!CurrentElement() || !FirstElement || !FirstElement->group || ScreenUpdatesSuspended()) return;
  RenumberDue = 0;
  CurrentGroup = FirstElement->group;
  if (InteractiveScript) {
    // Scene headings keep the numbers written into them; new ones take
    // the next free numbers, never the lock bit of a locked one.
    Assemble();
    int highest = 0;
    for (const TScriptElement* e = FirstElement; e; e = e->next)
      if (IsSceneHeading(e->Kind())) highest = std::max(highest, number_word::Number(e->format.NumberWord));
    int speech = 1;
    for (TElementGroup* g = FirstElement->group; g; g = g->next) {
      TScriptElement* e = g->first;
      if (!e) continue;
      if (IsSceneHeading(e->Kind())) {
        if (e->format.NumberWord == 0 && highest < number_word::NumberMask)
          e->format.NumberWord = static_cast<Word>(++highest);
        g->number = static_cast<Word>(number_word::Number(e->format.NumberWord));
      } else if (e->Kind() == ekCharacterName && !IsHiddenElement(e)) {
        g->number = static_cast<Word>(speech++);
      }
    }
    ShotStoredWhileInteractive = 0;
    DisAssemble();
  } else {
    TSceneNumbering numbering(*this);
    for (TElementGroup* g = FirstElement->group; g; g = g->next) numbering.Visit(g);
  }
  if (!repaint) return;
  MarkSceneHeadingsForRepaint(*this);
  RelayActElementsOnScreen(*this);
}

void MarkSceneHeadingsForRepaint(TMDIChild& window) {
  if (!window.TopSceneContinued && !window.BottomSceneContinued) return;
  for (int i = 1; i <= ScreenLineCount; ++i) {
    TScreenLine& line = window.ScreenLines[static_cast<size_t>(i)];
    if (line.element && IsSceneHeading(line.element->Kind())) line.repaint = 1;
  }
}

void RelayActElementsOnScreen(TMDIChild& window) {
  const TScriptElement* laid = nullptr;
  for (int i = 1; i <= ScreenLineCount; ++i) {
    TScriptElement* e = window.ScreenLines[static_cast<size_t>(i)].element;
    if (!e || e == laid || !ShowsActLabelOnScreen(e->Kind())) continue;
    // Only lines whose text or attributes change are painted again.
    WrapForScreen(window, *e, LiveElementText(window, *e), false);
    laid = e;
  }
}

void MarkSpeechAddedUnderLock(const TMDIChild& script, TScriptElement& cue) {
  if (cue.Kind() != ekCharacterName || !script.DialogueNumberingLock ||
      dialogue_word::Number(cue.format.NumberWord) != 0)
    return;
  cue.format.NumberWord = static_cast<Word>(cue.format.NumberWord | dialogue_word::AddedUnderLock);
}

}  // namespace qm
