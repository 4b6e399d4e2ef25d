// The "Define Element Type" dialog: the tagged-text import asks with it
// what a style it has not met is, and, captioned "Identify the Style", the
// RTF reader names an unknown style-sheet entry with it.
#pragma once

#include <array>
#include <string>

#include "platform/forms.h"

namespace qm {

// One choice: the format slot the style takes (-1: the program's page-break
// format; -2: unchanged) and the element type.
struct TStyleChoice {
  const char* Button;
  const char* Caption;
  int FormatSlot;
  Byte Kind;
  bool Ignore = false;
};
constexpr int StyleChoiceCount = 14;
const std::array<TStyleChoice, StyleChoiceCount>& StyleChoices();
// The choice that skips the style's lines.
constexpr int IgnoreStyleChoice = 13;

class TImportScriptwareDlg : public TForm {
 public:
  // `picker`: the "Identify the Style" form, whose page-break button
  // stands for a Centered Title.
  TImportScriptwareDlg(TComponent* owner, bool picker);

  TPanel* Panel2;
  std::array<TRadioButton*, StyleChoiceCount> Choices{};
  TButton* OKBtn;
  TButton* CancelBtn;
  TButton* HelpBtn;

  // The checked choice, or -1.
  int CheckedChoice() const;
};

// Asks the question in the "Define Element Type" dialog: the chosen row,
// or -1 when the writer cancelled.
int AskStyleChoice(const std::string& question);

// The canonical style name of the writer's answer for a style, or "@".
std::string IdentifyStyle(const std::string& styleName);

}  // namespace qm
