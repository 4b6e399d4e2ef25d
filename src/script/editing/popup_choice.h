// The quick-choice menu of the script window: which menu is showing, the
// choice recorded when an item is picked, and what the window then does
// with it (the text becomes the line, or joins it as a time of day or an
// extension). The menu itself belongs to the main window.
#pragma once

#include <array>
#include <string>

#include "platform/controls.h"

namespace qm {

class TMDIChild;

// Which quick-choice menu is showing, program-wide.
enum TPopupContextKind : Byte {
  pcSceneOpening = 0,
  pcTransition = 1,
  pcTimeOfDay = 2,
  pcExtension = 3,
  pcShot = 4,
  pcOpeningChosen = 5,
  pcNoMenu = 6,
  pcTimeOfDayAgain = 7,
};
extern Byte PopupContext;

// The codes a choice carries beside its text.
constexpr Byte ActChoiceCode = 255;
constexpr Byte MakeShotCode = 185;
constexpr Byte MakeTransitionCode = 175;
// The placeholder that stands for an empty line until it is typed over.
constexpr char PlaceholderChar = static_cast<char>(0xA0);

inline constexpr const char* NoInitialTextCaption = "<No Initial Te&xt>";
inline constexpr const char* AddAsTextCaption = "Add as Te&xt";
inline constexpr const char* NevermindCaption = "Ne&vermind...";
inline constexpr const char* NewTransitionCaption = "<Ne&w Transition>";

// The choice made in the menu, kept with the script until it is carried out.
class TPopupChoice : public TComponent {
 public:
  explicit TPopupChoice(TMDIChild& script);
  Byte PendingPopupCommand = 0;
  std::string PopupChoiceText;  // at most 50 characters
  Byte PopupChoiceCode = 0;
  // The time-of-day menu may come once more after Nevermind while this is
  // set; whether the menu that closed last was left with Nevermind.
  bool RepeatFlag = false;
  bool NevermindChosen = false;
  void Record(const std::string& text, Byte code);
  void Clear();
};
TPopupChoice& PopupChoice(TMDIChild& script);

// A menu caption for a text: "&" before it when it has none and does not
// begin with "-" or "<"; empty for an empty text (the item is hidden).
std::string MenuCaptionOf(const std::string& text);
// "&" before the first letter A to Z not used yet (a text with an "&"
// keeps it); that letter is then used.
std::string AssignShortcutLetter(const std::string& text, std::array<bool, 26>& used);
// The display part of a user-list entry (after its first backslash),
// without "&" and the underline, bold and italics opening codes.
std::string ListItemText(const std::string& entry);

// A line that is nothing but the placeholder becomes empty, the caret at
// its start, so that what is put there next takes its place.
void ClearPlaceholderLine(TMDIChild& window);
// The new element a menu was offered for goes again (it has no text);
// the caret goes to the end of the element before it.
void TakeNewElementAway(TMDIChild& window);
// After the menu closed: a chosen text is carried out; "<No Initial
// Text>" leaves the placeholder as the line; Nevermind on an empty line
// takes the new element away again.
void UserItemSelect(TMDIChild& window);
// The chosen text into the edit line as the context says.
void ApplyPopupChoice(TMDIChild& window, std::string text, Byte code);

}  // namespace qm
