#include "script/layout/revision_colors.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "base/document_table.h"
#include "base/program_options.h"
#include "platform/controls.h"
#include "platform/platform.h"
#include "script/model/number_texts.h"
#include "script/script_window.h"

namespace qm {

namespace {

constexpr const char* ComponentName = "PageColourState";

// What one paint keeps between lines: the colour of the line above.
class TPageColourState : public TComponent {
 public:
  explicit TPageColourState(TMDIChild& window) : TComponent(&window) { Name = ComponentName; }
  TColor LastLineColour = clWhite;
  int LastLine = 0;  // the screen line LastLineColour was worked out for
};

TPageColourState& PageColourState(TMDIChild& window) {
  if (auto* state = dynamic_cast<TPageColourState*>(window.FindComponent(ComponentName))) return *state;
  return *new TPageColourState(window);
}

TColor WindowBackground() { return ColorToRGB(ScreenColors.Window); }

bool IsRuleCharacter(const std::string& text) {
  if (text.empty()) return false;
  const Byte first = static_cast<Byte>(text.front());
  return first == '-' || first == '=' || first == 151;
}

// A break line above its rule (MORE, the foot's continued line) lies on
// the page that ends there: it takes the colour of the element before it.
const TScriptElement* PageOfBreakLine(const TMDIChild& window, const TScriptElement* element, int screenLine) {
  if (screenLine < 1 || screenLine > ScreenLineCount - 1) return element;
  const TScreenLine& row = window.ScreenLines[static_cast<std::size_t>(screenLine)];
  if (!row.element || !IsPageBreakKind(row.element->Kind()) || !element->prev || IsRuleCharacter(row.text))
    return element;
  int next = screenLine + 1;
  while (next <= ScreenLineCount && window.ScreenLines[static_cast<std::size_t>(next)].element == row.element &&
         !IsRuleCharacter(window.ScreenLines[static_cast<std::size_t>(next)].text))
    ++next;
  if (next <= ScreenLineCount && IsRuleCharacter(window.ScreenLines[static_cast<std::size_t>(next)].text))
    return element->prev;
  return element;
}

// The revision being made now, or -1 when it has no colour of its own.
int CurrentRevisionOf(const TMDIChild& window) {
  if (window.CurrentRevision == 0 || window.RevisionColours.Count() == 0) return -1;
  return window.CurrentRevision;
}

// The revision of the page the element lies on; -1 for the fallback.
int PageRevision(const TMDIChild& window, const TScriptElement* element) {
  const TScriptElement* start = element;
  while (start->prev && !IsPageBreakKind(start->Kind())) start = start->prev;
  if (IsHardPageBreakKind(start->Kind())) {
    const Word word = start->format.NumberWord;
    return (word >> 8) == 0 ? (word & 0xFF) : CurrentRevisionOf(window);
  }
  if (start->Kind() == ekAutoPageBreak) return CurrentRevisionOf(window);
  if (window.FirstPageRevised && ProgramOptions().AutoUpdateHeaders) return CurrentRevisionOf(window);
  return window.FirstPageRevision;
}

// An empty line and the continued line at a page's top take the colour of
// the line above: the one just painted, else the nearest shown above it;
// above the script's first element, the first page's.
TColor ColourOfLineAbove(TMDIChild& window, const TPageColourState& state, int screenLine) {
  if (screenLine > 1 && state.LastLine == screenLine - 1) return state.LastLineColour;
  for (int above = std::min(screenLine, ScreenLineCount + 1) - 1; above >= 1; --above)
    if (const TScriptElement* e = window.ScreenLines[static_cast<std::size_t>(above)].element)
      return LineBackgroundColor(window, e, above);
  return window.FirstElement ? LineBackgroundColor(window, window.FirstElement, 0) : window.BackgroundColor;
}

}  // namespace

void SetupRevisionColorDisplay(TMDIChild& window) {
  window.ShowPageColours = ProgramOptions().ShowColoredPages && window.PagesLocked;
  if (window.ShowPageColours) {
    const TScriptElement* e = window.FirstElement;
    while (e && !e->revisedLines && e->next && !IsPageBreakKind(e->Kind())) e = e->next;
    window.FirstPageRevised = e && e->revisedLines;
    return;
  }
  if (window.BackgroundColor != WindowBackground()) {
    window.BackgroundColor = WindowBackground();
    window.ScreenDirty = 1;
    window.Invalidate();
  }
}

void SetupRevisionColorDisplay() {
  if (TMDIChild* window = ActiveScript()) SetupRevisionColorDisplay(*window);
}

TColor LineBackgroundColor(TMDIChild& window, const TScriptElement* element, int screenLine) {
  const TColor background = window.BackgroundColor;
  if (window.ScreenUpdatesSuspended()) return background;
  TPageColourState& state = PageColourState(window);
  if (!window.ShowPageColours) {
    state.LastLineColour = background;
    return background;
  }
  const bool continuedLine = screenLine >= 1 && screenLine <= ScreenLineCount - 1 &&
                             window.ScreenLines[static_cast<std::size_t>(screenLine)].banner == 1;
  if (!element || continuedLine) {
    const TColor above = ColourOfLineAbove(window, state, screenLine);
    state.LastLineColour = above;
    state.LastLine = screenLine;
    return above;
  }
  element = PageOfBreakLine(window, element, screenLine);
  TColor color = background;
  const int revision = PageRevision(window, element);
  const int entry = revision < 0 ? -1 : RevisionListIndex(window.RevisionColours.Count(), revision);
  // A list emptied by hand has no entry to loop over: the page keeps the
  // first version's white.
  if (revision >= 0 && entry < 0) color = clWhite;
  if (entry >= 0) {
    const TColor shown = window.RevisionColourOf(entry);
    if (shown != clNone && shown != 0) color = shown;
  }
  state.LastLineColour = color;
  state.LastLine = screenLine;
  return color;
}

std::int32_t IntPower(std::int32_t base, int exponent) {
  std::uint32_t result = 1;
  for (int i = 0; i < exponent; ++i) result *= static_cast<std::uint32_t>(base);
  return static_cast<std::int32_t>(result);
}

std::int32_t ScreenColorCount(int bitsPerPixel, int planes) {
  // Worked out wide, so that a 32-bit screen does not wrap round to none.
  constexpr std::int64_t Largest = std::numeric_limits<std::int32_t>::max();
  std::int64_t colours = 1;
  for (int i = 0; i < bitsPerPixel && colours <= Largest; ++i) colours *= 2;
  std::int64_t count = 1;
  for (int i = 0; i < planes && count <= Largest; ++i) count *= colours;
  return static_cast<std::int32_t>(count > Largest ? Largest : count);
}

std::int32_t ScreenColorCount() {
  if (!Platform::Exists()) return ScreenColorCount(32, 1);
  return ScreenColorCount(Platform::Current().backend().Screen().BitsPerPixel, 1);
}

}  // namespace qm
