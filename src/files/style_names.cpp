#include "files/style_names.h"

#include <array>

#include "script/model/script_model.h"

namespace qm {

namespace {

struct TStyleRow {
  std::string_view name;
  TStyledKind styled;
};

// Compared in this order.
constexpr std::array<TStyleRow, 42> kStyleRows{{
    {"ACTION", {ekAction}},
    {"GENERAL", {ekAction}},
    {"SCENEHEADING", {ekSceneHeading}},
    {"SCENEHEAD", {ekSceneHeading}},
    {"SCENE", {ekSceneHeading}},
    {"SLUG", {ekSceneHeading}},
    {"SLUGLINE", {ekSceneHeading}},
    {"CHARACTERNAME", {ekCharacterName, TStyleTreatment::Cue}},
    {"CHARACTER", {ekCharacterName, TStyleTreatment::Cue}},
    {"CHARNAME", {ekCharacterName, TStyleTreatment::Cue}},
    {"NAME", {ekCharacterName, TStyleTreatment::Cue}},
    {"DIALOGUE", {ekDialogue}},
    {"DIALOG", {ekDialogue}},
    {"SPEACH", {ekDialogue}},
    {"SPEECH", {ekDialogue}},
    {"PARENTHETICAL", {ekParenthetical, TStyleTreatment::Parenthetical}},
    {"PARENTHESIS", {ekParenthetical, TStyleTreatment::Parenthetical}},
    {"PARENTH", {ekParenthetical, TStyleTreatment::Parenthetical}},
    {"PAREN", {ekParenthetical, TStyleTreatment::Parenthetical}},
    {"PARENTHESES", {ekParenthetical, TStyleTreatment::Parenthetical}},
    {"TRANSITION", {ekTransition}},
    {"TRANS", {ekTransition}},
    {"TRANSIT", {ekTransition}},
    {"PROLOGUE", {ekPrologueText}},
    {"PROLOG", {ekPrologueText}},
    {"TEASE", {ekPrologueText}},
    {"COLDOPEN", {ekPrologueText}},
    {"COLDOPENING", {ekPrologueText}},
    {"TEASER", {ekPrologueText}},
    {"SHOT", {ekShot}},
    {"SCRIPTNOTE", {ekScriptNote}},
    {"NOTE", {ekScriptNote}},
    {"TITLE", {ekCenteredTitle}},
    {"CENTER", {ekCenteredTitle}},
    {"CENTERED", {ekCenteredTitle}},
    {"CENTERTITLE", {ekCenteredTitle}},
    {"SCENEINFO", {ekSceneInformation}},
    {"ACTINFO", {ekActInformation}},
    {"ACT", {ekActInformation}},
    {"SAMEACT", {ekActInformation}},
    {"ENDOFACT", {ekEndOfActText}},
    {"NEWACT", {ekActInformation}},
}};

}  // namespace

std::optional<TStyledKind> StyledKindOf(std::string_view name) {
  for (const TStyleRow& row : kStyleRows)
    if (row.name == name) return row.styled;
  return std::nullopt;
}

std::string CanonicalStyleName(Byte kind) {
  switch (kind) {
    case ekAction: return "ACTION";
    case ekSceneHeading:
    case ekASceneHeading:
    case ekDashASceneHeading: return "SCENEHEADING";
    case ekShot: return "SHOT";
    case ekCharacterName: return "CHARNAME";
    case ekDialogue: return "DIALOGUE";
    case ekParenthetical: return "PARENTHETICAL";
    case ekTransition: return "TRANSITION";
    case ekCenteredTitle:
    case ekForcedPageBreak: return "TITLE";
    case ekActInformation: return "ACTINFO";
    case ekSceneInformation:
    case ekLockedSceneInformation: return "SCENEINFO";
    case ekActStart: return "NEWACT";
    case ekPrologueText: return "PROLOGUE";
    case ekEndOfActText: return "ENDOFACT";
    case ekScriptNote: return "SCRIPTNOTE";
    default: return "@";
  }
}

}  // namespace qm
