// Scene, speech, act, scene-information and page numbers live on the
// element groups; numbers locked when a script was locked live in each
// element's number word. This holds the number word's letter and lock and
// the texts shown for speech numbers; the numbering pass and the display
// numbers are members of the script window.
#pragma once

#include "script/model/number_texts.h"
#include "script/model/script_model.h"

namespace qm {

class TMDIChild;

// The numbering walk over the groups, one group at a time in script
// order: scenes with their locked numbers and A-letters, speeches, acts
// and scene information. The rebuild of the groups numbers each group as
// it completes it; RenumberScenes walks the chain with it.
class TSceneNumbering {
 public:
  explicit TSceneNumbering(TMDIChild& window) : w_(window) {}
  void Visit(TElementGroup* g);

 private:
  void ActOrSceneInformation(TElementGroup* g, TScriptElement* e);
  void SceneHeading(TElementGroup* g, const TScriptElement* e);
  void ASceneHeading(TElementGroup* g, const TScriptElement* e);
  void OmittedRange(const TScriptElement* e);
  Byte PastSkipLetters(int letter) const;
  int WithAbove500(int locked) const { return locked + (scene_ > 500 ? 500 : 0); }

  TMDIChild& w_;
  int speech_ = 1;
  int scene_ = 0;
  int act_ = 0;
  int sceneInfo_ = 0;
  Byte sceneLetter_ = 'A';
  Byte infoLetter_ = 'A';
  Byte lastHeading_ = ekSceneHeading;
};

// With scene continueds on, the screen lines showing scene headings are
// marked for painting (their continued lines follow the numbers).
void MarkSceneHeadingsForRepaint(TMDIChild& window);
// The act elements on screen laid again: the act numbers they show after
// their text follow the numbering.
void RelayActElementsOnScreen(TMDIChild& window);

// A character name begun while the dialogue numbers are locked is marked
// as a speech added under the lock (a name that holds a locked number is
// left alone).
void MarkSpeechAddedUnderLock(const TMDIChild& script, TScriptElement& cue);

}  // namespace qm
