#include "script/layout/centered_elements.h"

#include <algorithm>

#include "platform/cp1252.h"
#include "platform/graphics.h"
#include "script/layout/char_widths.h"
#include "script/layout/word_wrap.h"
#include "script/model/act_labels.h"
#include "script/model/cue_codes.h"
#include "script/model/string_utils.h"
#include "script/script_window.h"

namespace qm {

namespace {

constexpr int MeasuringDpi = 300;
// At 300 dots a tenth of an inch is 30 dots: half the free room is
// (free dots) / 2 / 30 tenths.
constexpr int DotsPerHalfTenth = 60;

void TakeMargins(TElementFormat& format, const TElementFormat& base) {
  format.LeftMargin = base.LeftMargin;
  format.RightMargin = base.RightMargin;
}

// The text as it measures: without the continued mark a repeated name
// carries after a page break, without codes, in capitals when it shows so.
std::string TextToMeasure(const TMDIChild& window, const TElementFormat& format, Byte cueCode, std::string_view text) {
  std::string measured(text);
  if (format.Kind == ekCharacterName && CueContinuedState(NormalCueCode(cueCode)) == 2) {
    const std::string mark = " (" + window.LayoutOptions.CharacterMoreContinued + ")";
    if (const std::size_t at = measured.find(mark); at != std::string::npos) measured.erase(at, mark.size());
  }
  measured = CopyWithoutCodes(false, measured);
  if (format.AllCaps) measured = AnsiUpperCase(measured);
  return measured;
}

// Elements an empty line of which is passed over before a locked break.
bool IsLockedBreak(Byte kind) {
  return kind == ekLockedPageBreak || kind == ekMultiLockedPageBreak || kind == ekFixedAPageBreak;
}

bool IsEmptyBeforeLockedBreak(const TMDIChild& window, const TScriptElement& e) {
  if (!e.next || !IsLockedBreak(e.next->Kind())) return false;
  return LiveElementText(window, e).size() <= 1;
}

bool EndsTheScene(Byte kind) {
  return kind == ekSceneHeading || (kind >= ekASceneHeading && kind <= ekDashASceneHeading) ||
         kind == ekLockedSceneInformation;
}

}  // namespace

bool IsCenteredKind(const TMDIChild& window, Byte kind) { return kind < 32 && ((CenteredKinds(window) >> kind) & 1); }

void ResetElementMargins(const TMDIChild& window, TElementFormat& format, Byte avColumn) {
  const TFormatSet& set = window.FormatSet;
  switch (format.Kind) {
    case ekCharacterName:
      if (avColumn == 1 || avColumn == 2) {
        const TColumnMargins& av = window.AVDialogueMargins;
        format.LeftMargin = avColumn == 1 ? av.Left1 : av.Left2;
        format.RightMargin = avColumn == 1 ? av.Right1 : av.Right2;
      } else {
        TakeMargins(format, set[fsDialogue]);
      }
      break;
    case ekTransition: format.LeftMargin = set[fsTransition].LeftMargin; break;
    case ekCenteredTitle: TakeMargins(format, set[fsCenteredTitle]); break;
    case ekActInformation:
    case ekActStart:
    case ekPrologueText:
    case ekEndOfActText: TakeMargins(format, set[fsActInformation]); break;
    case ekSceneInformation:
    case ekLockedSceneInformation: TakeMargins(format, set[fsSceneInformation]); break;
    default: break;
  }
}

TElementFormat CenteredFormat(const TMDIChild& window, const TScriptElement& element, std::string_view text,
                              const TPageMetrics& page) {
  TElementFormat format = element.format;
  if (!IsCenteredKind(window, format.Kind)) return format;
  ResetElementMargins(window, format, element.avColumn);
  TFontDesc font;
  font.Name = ElementFontName(window, &element);
  font.Size = format.FontSize ? format.FontSize : window.ScriptFontSize;
  font.Style = 0;
  // An act element is centred with the act label it is shown and printed with.
  const std::string shown = std::string(text) + ActLabelText(window, element, false);
  const int width = MeasureText(font, MeasuringDpi, TextToMeasure(window, format, element.split, shown));
  const int shift = (FormatMarginToDots(format, page) - width) / DotsPerHalfTenth;
  if (shift > 0) format.LeftMargin = static_cast<Byte>(std::min(format.LeftMargin + shift, 255));
  return format;
}

void CenterElementMargin(TMDIChild& window, TScriptElement& element, std::string_view text) {
  element.format = CenteredFormat(window, element, text, CurrentPageMetrics());
}

bool SceneContinuesPastBreak(const TMDIChild& window, const TScriptElement& pageBreak) {
  if (pageBreak.Kind() == ekForcedPageBreak) return false;
  const TScriptElement* e = pageBreak.next;
  while (e) {
    const bool passed = e->Kind() == ekScriptNote || window.IsHiddenElement(e) ||
                        (window.PagesLocked && (IsLockedBreak(e->Kind()) || IsEmptyBeforeLockedBreak(window, *e)));
    if (!passed) break;
    e = e->next;
  }
  return e && !EndsTheScene(e->Kind());
}

}  // namespace qm
