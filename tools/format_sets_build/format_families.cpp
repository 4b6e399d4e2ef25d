#include "format_families.h"

#include "files/format_files.h"

namespace qm {

namespace {

constexpr Byte SingleSpaced = 10;
constexpr Byte DoubleSpaced = 20;
constexpr Byte OneBlankLine = 10;
constexpr Byte NumbersStyle = 1;
constexpr Byte LettersStyle = 2;
constexpr Byte CapitalWordsStyle = 4;

void SetMargins(TElementFormat& f, Byte left, Byte right) {
  f.LeftMargin = left;
  f.RightMargin = right;
}

// Act and scene information centred and underlined in capitals, each act
// and scene named on a line of its own ("ACT ONE", then "SCENE A").
void CentreActsAndScenes(TScriptRecord& r, Byte sceneStyle) {
  r.CenterActInformation = 1;
  r.CenterSceneInformation = 1;
  r.ActDisplayStyle = CapitalWordsStyle;
  r.SceneInfoDisplayStyle = sceneStyle;
  for (TFormatSlot slot : {fsActInformation, fsSceneInformation}) {
    r.FormatSet[slot].AllCaps = 1;
    r.FormatSet[slot].Style = stUnderline;
  }
}

// The multi-camera television layout both sitcom families share: cues
// centred, dialogue double-spaced on a wider column, stage directions,
// scene headings and transitions in capitals, the last two underlined.
void MultiCameraSitcom(TScriptRecord& r, Byte sceneStyle) {
  r.CenterCharacterNames = 1;
  TFormatSet& set = r.FormatSet;
  SetMargins(set[fsDialogue], 25, 20);
  set[fsDialogue].Spacing = DoubleSpaced;
  SetMargins(set[fsParenthetical], 30, 25);
  set[fsAction].AllCaps = 1;
  for (TFormatSlot slot : {fsSceneHeading, fsTransition}) {
    set[slot].AllCaps = 1;
    set[slot].Style = stUnderline;
  }
  CentreActsAndScenes(r, sceneStyle);
}

// Stage directions at the action margin; scenes lettered within their act.
void SitcomVersionI(TScriptRecord& r) {
  MultiCameraSitcom(r, LettersStyle);
  r.FormatSet[fsDialogueCopy] = r.FormatSet[fsDialogue];
}

// Stage directions within parentheses, set in at the dialogue's margin;
// scenes numbered within their act.
void SitcomVersionII(TScriptRecord& r) {
  MultiCameraSitcom(r, NumbersStyle);
  r.ActionParentheticals = 1;
  SetMargins(r.FormatSet[fsAction], 25, 20);
  r.FormatSet[fsDialogueCopy] = r.FormatSet[fsDialogue];
}

// The stage-play manuscript: cues centred in capitals above single-spaced
// dialogue that runs the page's width; stage directions set in on the
// right half within parentheses; acts and scenes centred.
void StagePlay(TScriptRecord& r) {
  r.CenterCharacterNames = 1;
  r.ActionParentheticals = 1;
  TFormatSet& set = r.FormatSet;
  SetMargins(set[fsDialogue], 15, 10);
  set[fsDialogue].Spacing = SingleSpaced;
  set[fsCharacterName].LinesBefore = OneBlankLine;
  SetMargins(set[fsParenthetical], 25, 20);
  SetMargins(set[fsAction], 40, 10);
  set[fsSceneHeading].AllCaps = 1;
  CentreActsAndScenes(r, NumbersStyle);
  set[fsDialogueCopy] = set[fsDialogue];
}

// The screenplay set with branching switched on: scene headings are the
// branch targets, shots the user activities, transitions the branch points.
void Multimedia(TScriptRecord& r) { r.InteractiveScript = 1; }

void Screenplay(TScriptRecord&) {}

}  // namespace

void ProgramDefaults(TScriptRecord& r) { SetStandardRevisionColours(r); }

const std::vector<TFormatFamily>& FormatFamilies() {
  static const std::vector<TFormatFamily> families = {
      {"SCRNPLAY.INI", Screenplay}, {"SITCOM1.INI", SitcomVersionI}, {"SITCOM2.INI", SitcomVersionII},
      {"PLAY.INI", StagePlay},      {"INTERACT.INI", Multimedia},
  };
  return families;
}

}  // namespace qm
