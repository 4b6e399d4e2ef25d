#include "printing/smartcheck.h"

#include "base/document_table.h"
#include "base/message_boxes.h"
#include "platform/cp1252.h"
#include "script/editing/editor_calls.h"
#include "script/model/cue_codes.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"
#include "script/script_window.h"

namespace qm {

namespace {

constexpr const char* Caption = "SmartCheck";

bool IsBlankText(const std::string& text) {
  for (char c : text)
    if (c != ' ' && !CodeCharSet.Contains(c)) return false;
  return true;
}

std::string Speaker(const TScriptDocument& script, const TScriptElement& cue) {
  std::string name = AnsiUpperCase(LiveElementText(script, cue));
  CutAtParenthesis(name);
  TrimTrailingBlanks(name);
  const std::size_t start = name.find_first_not_of(' ');
  return start == std::string::npos ? std::string() : name.substr(start);
}

bool Skipped(const TScriptDocument& script, const TScriptElement* e) {
  return IsPageBreakKind(e->Kind()) || script.IsUnprintedElement(e);
}

// The speaker of the speech just before a cue, when only its lines lie between.
const TScriptElement* PreviousSpeechCue(const TScriptDocument& script, const TScriptElement& cue) {
  for (const TScriptElement* e = cue.prev; e; e = e->prev) {
    if (Skipped(script, e) || e->Kind() == ekDialogue || e->Kind() == ekParenthetical) continue;
    return e->Kind() == ekCharacterName ? e : nullptr;
  }
  return nullptr;
}

bool HasDialogue(const TScriptDocument& script, const TScriptElement& cue) {
  for (const TScriptElement* e = cue.next; e; e = e->next) {
    if (Skipped(script, e)) continue;
    return e->Kind() == ekDialogue || e->Kind() == ekParenthetical;
  }
  return false;
}

bool IsOmittedHeading(const TScriptDocument& script, const TScriptElement& e) {
  return IsSceneHeading(e.Kind()) && !script.SceneOmitText.empty() &&
         AnsiUpperCase(LiveElementText(script, e)).find(AnsiUpperCase(script.SceneOmitText)) != std::string::npos;
}

// An omitted heading with nothing after it on its page.
bool EndsItsPage(const TScriptDocument& script, const TScriptElement& e) {
  for (const TScriptElement* n = e.next; n; n = n->next) {
    if (IsPageBreakKind(n->Kind())) return true;
    if (!script.IsUnprintedElement(n)) return false;
  }
  return false;
}

}  // namespace

std::vector<TFinding> SmartCheckFindings(const TScriptDocument& script) {
  std::vector<TFinding> findings;
  for (TScriptElement* e = script.FirstElement; e; e = e->next) {
    if (Skipped(script, e)) continue;
    const std::string text = LiveElementText(script, *e);
    const bool cue = e->Kind() == ekCharacterName;
    if (IsBlankText(text)) {
      findings.push_back({cue ? TFindingKind::BlankName : TFindingKind::BlankElement, e});
      continue;
    }
    if (text.front() == ' ') findings.push_back({TFindingKind::LeadingBlank, e});
    if (cue) {
      const TScriptElement* before = PreviousSpeechCue(script, *e);
      // A name repeated after a page break is the program's own CONT'D.
      if (before && CueContinuedState(e->split) != 2 && Speaker(script, *before) == Speaker(script, *e))
        findings.push_back({TFindingKind::SameSpeakerTwice, e});
      if (text.find('(') != std::string::npos) findings.push_back({TFindingKind::ExtensionInName, e});
      if (!HasDialogue(script, *e)) findings.push_back({TFindingKind::NameWithoutDialogue, e});
    }
    if (IsOmittedHeading(script, *e) && EndsItsPage(script, *e)) findings.push_back({TFindingKind::WidowedOmitted, e});
  }
  return findings;
}

std::string FindingQuestion(const TScriptDocument& script, const TFinding& f) {
  const std::string text = LiveElementText(script, *f.element);
  std::string question;
  switch (f.kind) {
    case TFindingKind::BlankElement: question = "This element is blank and would print as an empty line."; break;
    case TFindingKind::BlankName: question = "This Character Name is blank: the speech after it has no speaker."; break;
    case TFindingKind::SameSpeakerTwice:
      question = Speaker(script, *f.element) + " speaks twice in a row: the two speeches may belong together.";
      break;
    case TFindingKind::ExtensionInName:
      question = "The name \"" + text + "\" holds a direction in parentheses that belongs in a Parenthetical.";
      break;
    case TFindingKind::NameWithoutDialogue:
      question = "The name " + Speaker(script, *f.element) + " has no dialogue after it.";
      break;
    case TFindingKind::LeadingBlank:
      question = "This element begins with a blank: \"" + text.substr(0, 40) + "\".";
      break;
    case TFindingKind::WidowedOmitted:
      question = "The omitted scene \"" + text + "\" stands alone at the bottom of its page.";
      break;
  }
  return question + "\r\rShall I take you there to fix it?";
}

bool SmartCheckScript(bool fromCommand) {
  TMDIChild* script = ActiveScript();
  if (!script) return false;
  editor::Assemble(*script);
  const std::vector<TFinding> findings = SmartCheckFindings(*script);
  editor::DisAssemble(*script);
  for (const TFinding& finding : findings) {
    const TModalResult answer = AskYesNoCancel(FindingQuestion(*script, finding), Caption, false);
    if (answer == mrYes) {
      editor::MoveCaretTo(*script, *finding.element);
      return fromCommand;
    }
    if (answer != mrNo) return fromCommand;
  }
  std::string summary = findings.empty() ? std::string("SmartCheck found nothing to fix in this script.")
                                         : "SmartCheck found " + std::to_string(findings.size()) +
                                               (findings.size() == 1 ? " thing" : " things") + " to look at.";
  if (fromCommand || findings.empty()) {
    ShowMessageBox(summary, Caption);
    return true;
  }
  return AskYesNo(summary + "\r\rPrint the script as it is?", Caption, true);
}

}  // namespace qm
