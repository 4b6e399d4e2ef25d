#include "script/layout/screen_lines.h"

#include "base/program_options.h"

#include <algorithm>
#include <span>

#include "platform/cp1252.h"
#include "platform/forms.h"
#include "platform/messages.h"
#include "script/layout/centered_elements.h"
#include "script/layout/char_widths.h"
#include "script/layout/found_text_markers.h"
#include "script/layout/line_revision_marks.h"
#include "script/layout/margin_marks.h"
#include "script/layout/revision_colors.h"
#include "script/model/cue_codes.h"
#include "script/model/element_kinds.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "script/model/string_utils.h"
#include "script/model/text_codes.h"
#include "base/document_table.h"

namespace qm {

namespace {

constexpr int RuleLength = 148;
constexpr int BannerColumn = 4;

TScreenLine& LineAt(TMDIChild& window, int line) { return window.ScreenLines[static_cast<std::size_t>(line)]; }

bool OnScreen(int line) { return line >= 1 && line <= ScreenLineCount; }

// The first column (1-based) where two attribute rows differ, 0 when none.
int FirstAttributeChange(const TScreenLine& old, const TLaidLine& laid) {
  const std::size_t last = std::max(old.text.size(), laid.text.size());
  for (std::size_t column = 1; column <= last && column <= static_cast<std::size_t>(ScreenLineColumns); ++column)
    if (old.attributes[column] != laid.attributes[column]) return static_cast<int>(column);
  return 0;
}

// Stores a laid line in the table and marks what changed for painting.
void SetScreenLine(TMDIChild& window, int line, TScriptElement& element, const TLaidLine& laid) {
  TScreenLine& row = LineAt(window, line);
  const bool whole = row.stale || row.element != &element || row.height != laid.height || row.below != laid.below ||
                     row.left != laid.left || row.lineInElement != laid.lineInElement || row.banner != laid.banner;
  int from = whole ? 1 : 0;
  if (!whole && row.text != laid.text) from = std::max<int>(1, static_cast<int>(CommonPrefixEnd(row.text, laid.text)));
  if (!whole) {
    const int attribute = FirstAttributeChange(row, laid);
    if (attribute != 0) from = from == 0 ? attribute : std::min(from, attribute);
  }
  if (from != 0) MarkScreenLine(row, from);
  row.stale = 0;
  row.text = laid.text;
  row.attributes = laid.attributes;
  row.element = &element;
  row.height = laid.height;
  row.left = laid.left;
  row.lineInElement = laid.lineInElement;
  row.banner = laid.banner;
  row.below = laid.below;
}

// Moves the lines from `from` down (delta > 0) or up (delta < 0); the
// elements they show move with them and vacated lines are emptied.
void MoveLinesBelow(TMDIChild& window, int from, int delta) {
  from = std::max(from, 1);
  if (delta == 0 || from > ScreenLineCount) return;
  TScriptElement* moved = nullptr;
  for (int line = from; line <= ScreenLineCount; ++line) {
    TScriptElement* element = LineAt(window, line).element;
    if (element && element != moved) {
      element->screenLine = static_cast<std::int16_t>(element->screenLine + delta);
      moved = element;
    }
  }
  if (delta > 0) {
    for (int line = ScreenLineCount; line >= from + delta; --line)
      LineAt(window, line) = std::move(LineAt(window, line - delta));
    for (int line = from; line < from + delta && line <= ScreenLineCount; ++line) ClearScreenLine(window, line);
  } else {
    for (int line = std::max(from + delta, 1); line - delta <= ScreenLineCount; ++line)
      LineAt(window, line) = std::move(LineAt(window, line - delta));
    for (int line = std::max(from + delta, ScreenLineCount + delta + 1); line <= ScreenLineCount; ++line)
      ClearScreenLine(window, line);
  }
}

bool InsideScene(const TScriptElement& element) {
  for (const TScriptElement* e = element.prev; e; e = e->prev)
    if (IsSceneHeading(e->Kind())) return true;
  return false;
}

// The speaker of a speech a page break splits: the nearest earlier
// Character Name, up to its extension.
std::string SpeakerBefore(const TMDIChild& window, const TScriptElement& element) {
  for (const TScriptElement* e = element.prev; e; e = e->prev)
    if (e->Kind() == ekCharacterName) {
      std::string name = e->text ? *e->text : e == window.CurrentElement() ? window.EditBuffer() : std::string();
      CutAtParenthesis(name);
      TrimTrailingBlanks(name);
      return name;
    }
  return {};
}

std::string RuleText(const TMDIChild& window, Byte kind) {
  char ch = '-';
  if (kind == ekForcedPageBreak || kind == ekLockedPageBreak || kind == ekMultiLockedPageBreak) ch = '=';
  if (kind == ekFixedAPageBreak) ch = static_cast<char>(151);
  std::string rule(RuleLength, ch);
  const bool banners = DisplayPageBreakType && (kind != ekAutoPageBreak || window.PagesLocked);
  if (!banners) return rule;
  std::string banner;
  switch (kind) {
    case ekAutoPageBreak: banner = "FLEXIBLE A-PAGE"; break;
    case ekForcedPageBreak: banner = window.ForcedPageBanner ? "FORCED PAGE" : "ACT/SCENE BREAK"; break;
    case ekLockedPageBreak: banner = "LOCKED PAGE"; break;
    case ekMultiLockedPageBreak: banner = "MULTI-LOCKED PAGE"; break;
    case ekFixedAPageBreak: banner = "FIXED A-PAGE"; break;
    default: break;
  }
  rule.replace(BannerColumn - 1, banner.size(), banner);
  return rule;
}

bool CountsAsContinuedPage(const TMDIChild& window, Byte kind) {
  if (!IsPageBreakKind(kind)) return false;
  const bool aPage = kind == ekAutoPageBreak || kind == ekMultiLockedPageBreak || kind == ekFixedAPageBreak;
  return !(aPage && window.ScenesLocked && !ProgramOptions().CountAPageContinued);
}

}  // namespace

TLaidLine StyledLine(std::string_view text, Word left, Word height, Byte banner) {
  TLaidLine line;
  line.left = left;
  line.height = height;
  line.banner = banner;
  Byte bits = 0;
  for (char c : text) {
    switch (static_cast<Byte>(c)) {
      case BoldOn: bits |= AttrBold; continue;
      case BoldOff: bits &= static_cast<Byte>(~AttrBold); continue;
      case UnderlineOn: bits |= AttrUnderline; continue;
      case UnderlineOff: bits &= static_cast<Byte>(~AttrUnderline); continue;
      default: break;
    }
    if (line.text.size() >= static_cast<std::size_t>(ScreenLineColumns)) break;
    line.text.push_back(c);
    line.attributes[line.text.size()] = bits;
  }
  return line;
}

int LinesBeforePixels(const TMDIChild& window, const TElementFormat& format) {
  return format.LinesBefore * window.ScreenLineHeight / 10;
}

namespace {

// A line of `lines` screen lines' height with the format's spacing.
int SpacedHeight(const TMDIChild& window, const TElementFormat& format, int lines) {
  const int spacing = format.Spacing == 0 ? 10 : format.Spacing;
  return lines * window.ScreenLineHeight * spacing / 10;
}

Word ClampedHeight(int height) { return static_cast<Word>(std::clamp(height, 0, 0xFFFF)); }

// Whether the element could show an omitted range, whatever its text.
bool RangeCanShow(const TMDIChild& window, const TScriptElement& element) {
  return IsSceneHeading(element.Kind()) && window.ScenesLocked && (window.LeftNumber || window.RightNumber);
}

}  // namespace

Word ScreenLineHeightOf(const TMDIChild& window, const TElementFormat& format, int lineInElement) {
  int height = SpacedHeight(window, format, 1);
  if (lineInElement == 1) height += LinesBeforePixels(window, format);
  return ClampedHeight(height);
}

bool ShowsOmittedRange(const TMDIChild& window, const TScriptElement& element, std::string_view text) {
  if (!RangeCanShow(window, element)) return false;
  const std::string opening = AnsiUpperCase(window.SceneOmitText) + ":";
  return PlainUpperText(text).compare(0, opening.size(), opening) == 0;
}

TLineRoom ScreenLineRoomOf(const TMDIChild& window, const TScriptElement& element, const TElementFormat& format,
                           std::string_view text, int lineInElement) {
  const Word height = ScreenLineHeightOf(window, format, lineInElement);
  if (!ShowsOmittedRange(window, element, text)) return {height, 0};
  const int below = SpacedHeight(window, format, 3) - SpacedHeight(window, format, 1);
  return {ClampedHeight(height + below), ClampedHeight(below)};
}

TLineRoom ScreenLineRoomOf(const TMDIChild& window, const TScriptElement& element, int lineInElement) {
  const std::string text = RangeCanShow(window, element) ? LiveElementText(window, element) : std::string();
  return ScreenLineRoomOf(window, element, element.format, text, lineInElement);
}

Word ScreenLeftOf(const TMDIChild& window, const TElementFormat& format) {
  return static_cast<Word>(format.LeftMargin * window.DotWidth);
}

void MarkScreenLine(TScreenLine& line, int fromColumn) {
  fromColumn = std::clamp(fromColumn, 1, ScreenLineColumns);
  if (line.repaint) {
    line.fromColumn = static_cast<Byte>(std::min<int>(line.fromColumn, fromColumn));
  } else {
    line.repaint = 1;
    line.fromColumn = static_cast<Byte>(fromColumn);
  }
}

void ClearScreenLine(TMDIChild& window, int line) {
  TScreenLine& row = LineAt(window, line);
  row.text.clear();
  row.attributes.fill(0);
  row.element = nullptr;
  row.height = window.ScreenLineHeight;
  row.lineInElement = 0;
  row.banner = 0;
  row.left = 0;
  row.below = 0;
  MarkScreenLine(row, 1);
}

void UpdateScreenLinePositions(TMDIChild& window) {
  int top = window.TextTopOffset;
  for (int line = 1; line <= ScreenLineCount; ++line) {
    TScreenLine& row = LineAt(window, line);
    const int baseline = std::max(0, top + row.height - row.below - window.ScreenDescent);
    if (row.y != baseline) {
      row.y = static_cast<Word>(baseline);
      MarkScreenLine(row, 1);
    }
    top += row.height;
  }
}

int ScreenLineTop(const TMDIChild& window, int line) {
  const TScreenLine& row = window.ScreenLines[static_cast<std::size_t>(line)];
  return row.y + window.ScreenDescent + row.below - row.height;
}

void LayElementLines(TMDIChild& window, TScriptElement& element, std::span<const TLaidLine> lines, int oldLineCount,
                     bool moveFollowing) {
  const int newCount = static_cast<int>(lines.size());
  const int delta = newCount - oldLineCount;
  if (moveFollowing && delta != 0) {
    if (element.screenLine + oldLineCount <= 1)
      element.screenLine = static_cast<std::int16_t>(element.screenLine - delta);  // grew above the window
    else MoveLinesBelow(window, element.screenLine + oldLineCount, delta);
  }
  const int first = element.screenLine;
  for (int i = 0; i < newCount; ++i)
    if (OnScreen(first + i)) SetScreenLine(window, first + i, element, lines[static_cast<std::size_t>(i)]);
  if (!moveFollowing)
    for (int line = first + newCount; line < first + oldLineCount; ++line)
      if (OnScreen(line) && LineAt(window, line).element == &element) ClearScreenLine(window, line);
  if (delta != 0 && element.Kind() == ekScriptNote && OnScreen(first)) MarkScreenLine(LineAt(window, first), 1);
  // Lines laid where they stand come from the screen rebuild, which places
  // every line once when it is done.
  if (moveFollowing) UpdateScreenLinePositions(window);
}

TPageBreakTexts PageBreakTexts(const TMDIChild& window, const TScriptElement& element) {
  // A speech broken by the page shows "(MORE)"; its name comes back after
  // the break either as the banner's CONT'D line or, once repagination
  // repeated it, as a name element of its own (a cue in continued state).
  // The break's split state alone does not tell: a Dialogue split inside
  // itself leaves 19 and the repeated name after it.
  const TScriptElement* after = element.next;
  const bool repeatedName = after && after->Kind() == ekCharacterName && CueContinuedState(after->split) == 2;
  const bool speechSplit = window.LayoutOptions.MoreLines && IsDialogueOrParenthetical(element.prev) &&
                           (element.split == spSecondPiece || IsDialogueOrParenthetical(after) ||
                            (repeatedName && IsDialogueOrParenthetical(after->next)));
  const bool sceneContinues = SceneContinuesPastBreak(window, element) && InsideScene(element);
  TPageBreakTexts texts;
  texts.more = speechSplit;
  texts.bottomContinued = sceneContinues && window.BottomSceneContinued;
  texts.topContinued = sceneContinues && window.TopSceneContinued;
  texts.cueLine = speechSplit && !repeatedName;
  if (texts.cueLine) texts.speaker = SpeakerBefore(window, element);
  return texts;
}

std::vector<TLaidLine> PageBreakLines(const TMDIChild& window, const TScriptElement& element) {
  const auto& options = window.LayoutOptions;
  const Byte kind = element.Kind();
  const Word height = ScreenLineHeightOf(window, element.format, 2);
  const Word cueLeft = ScreenLeftOf(window, window.FormatSet[fsCharacterName]);
  const TPageBreakTexts texts = PageBreakTexts(window, element);
  std::vector<TLaidLine> lines;
  if (texts.more) lines.push_back(StyledLine("(" + window.MoreText + ")", cueLeft, height, 0));
  if (texts.bottomContinued)
    lines.push_back(
        StyledLine(window.BottomSceneContinuedText, ScreenLeftOf(window, window.FormatSet[fsTransition]), height, 2));
  lines.push_back(StyledLine(RuleText(window, kind), 0, height, 0));
  if (texts.topContinued) {
    const std::string& continued = window.TopSceneContinuedText;
    TLaidLine top = StyledLine(continued + ContinuedPageCountText(window, element),
                               ScreenLeftOf(window, window.FormatSet[fsAction]), height, 1);
    const bool bold = (window.FormatSet[fsAction].Style & stBold) && (window.FormatSet[fsSceneHeading].Style & stBold);
    const std::size_t shownLength = StyledLine(continued, 0, 0, 0).text.size();
    if (bold)
      for (std::size_t column = 1; column <= shownLength && column <= top.text.size(); ++column)
        top.attributes[column] = AttrBold;
    lines.push_back(std::move(top));
  }
  if (texts.cueLine)
    lines.push_back(StyledLine(texts.speaker + " (" + options.CharacterMoreContinued + ")", cueLeft, height, 0));
  for (std::size_t i = 0; i < lines.size(); ++i)
    lines[i].lineInElement = lines[i].banner == 1 ? 1 : static_cast<Word>(i + 1);
  return lines;
}

void CountPageBreakLines(TMDIChild& window) {
  bool changed = false;
  for (TScriptElement* e = window.FirstElement; e; e = e->next) {
    if (!IsPageBreakKind(e->Kind())) continue;
    // The lines PageBreakLines lays, counted without laying them: this
    // runs over the whole script at every screen rebuild.
    const TPageBreakTexts texts = PageBreakTexts(window, *e);
    const auto lines = static_cast<Byte>(1 + texts.more + texts.bottomContinued + texts.topContinued + texts.cueLine);
    changed = changed || lines != e->lineCount;
    e->lineCount = lines;
  }
  if (changed) NoteScriptShapeChange();
}

void LayPageBreak(TMDIChild& window, TScriptElement& element, bool moveFollowing) {
  const Byte kind = element.Kind();
  if (kind == ekForcedPageBreak || kind == ekLockedPageBreak || kind == ekMultiLockedPageBreak)
    element.format.LeftMargin = element.format.RightMargin = 0;
  const std::vector<TLaidLine> lines = PageBreakLines(window, element);
  const int oldCount = element.lineCount;
  element.lineCount = static_cast<Byte>(lines.size());
  if (element.lineCount != oldCount) NoteScriptShapeChange();
  LayElementLines(window, element, lines, oldCount, moveFollowing);
}

std::string ContinuedPageCountText(const TMDIChild& window, const TScriptElement& element) {
  if (!ActiveScript() || window.Closing) return {};
  if (!window.LeftNumber && !window.RightNumber) return {};
  int count = CountsAsContinuedPage(window, element.Kind()) ? 1 : 0;
  for (const TScriptElement* e = element.prev; e && !IsSceneHeading(e->Kind()); e = e->prev)
    if (CountsAsContinuedPage(window, e->Kind())) ++count;
  if (count <= 1) return {};
  return " (" + std::to_string(count) + ")";
}

TColor TextColorOfIndex(const TMDIChild& window, int index) {
  switch (index) {
    case 1: return clBlue;
    case 2: return clRed;
    case 3: return clGreen;
    default:
      if (index >= 4 && index <= 10) return window.UserColours[static_cast<std::size_t>(index - 4)];
      return ScreenColors.Text;
  }
}

TColor BackgroundColorOfIndex(const TMDIChild& window, int index) {
  return index == 3 ? clLime : TextColorOfIndex(window, index);
}

int ShownTextWidth(const TMDIChild& window, const TScreenLine& line, int first, int last) {
  last = std::min<int>(last, static_cast<int>(line.text.size()));
  int width = 0;
  for (int column = std::max(first, 1); column <= last; ++column) {
    const Byte attribute = line.attributes[static_cast<std::size_t>(column)];
    const int style = WidthStyleOf(attribute & AttrBold, attribute & AttrItalic);
    width += window.ScreenWidths[static_cast<std::size_t>(style)]
                                [static_cast<Byte>(line.text[static_cast<std::size_t>(column - 1)])];
  }
  return width;
}

void PaintScreenLine(TMDIChild& window, int line, int fromColumn) {
  TScreenLine& row = LineAt(window, line);
  TCanvas& canvas = window.Canvas;
  const bool note = row.element && row.element->Kind() == ekScriptNote;
  const bool noteBoxLine = note && (row.lineInElement == 1 || line == 1);
  // A note's box lies under the whole line, so the line is drawn whole.
  const int from = note ? 1 : std::clamp(fromColumn, 1, ScreenLineColumns);
  const int top = ScreenLineTop(window, line);
  int x = window.LeftTextOffset + row.left + ShownTextWidth(window, row, 1, from - 1);
  const TColor band = LineBackgroundColor(window, row.element, line);
  canvas.Brush.Color = band;
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.FillRect(TRect{from == 1 ? 0 : x, top, window.ClientWidth(), top + row.height});
  if (noteBoxLine) DrawNoteBox(window, line, top, false);
  else if (note) DrawNoteBand(window, line, top);
  const TColor textBackground = note ? NoteBoxColor(window, *row.element) : band;
  const int length = static_cast<int>(row.text.size());
  const std::span<const Byte, ScreenRunFlagCount> flags(&row.attributes[1], ScreenRunFlagCount);
  for (int index = from - 1; index < length;) {
    const int end = std::min(ScreenRunEnd(flags, index), length);
    bool underline = false;
    window.SetCanvasFontStyle(row.attributes[static_cast<std::size_t>(index + 1)], line, row.element, underline);
    if (canvas.Brush.Color == window.BackgroundColor) canvas.Brush.Color = textBackground;
    const int width = ShownTextWidth(window, row, index + 1, end);
    canvas.TextOut(
        x, row.y,
        std::string_view(row.text).substr(static_cast<std::size_t>(index), static_cast<std::size_t>(end - index)));
    if (underline) {
      canvas.Pen.Color = canvas.Font.Color;
      canvas.MoveTo(x, row.y + 1);
      canvas.LineTo(x + width, row.y + 1);
    }
    x += width;
    index = end;
  }
  if (noteBoxLine) DrawNoteBox(window, line, top, true);
  else if (note) DrawNoteBand(window, line, top, true);
  DrawScreenLineRevisionMarks(window, line);
  DrawScreenLineMarks(window, line, row.y);
  // Drawn now: nothing is owed on the line until a layout changes it.
  row.repaint = 0;
  row.stale = 0;
  row.fromColumn = 0;
}

// ---- Members of the script window ----

void TMDIChild::SetupFontStyle(Byte& attribute, const TElementFormat& format) const {
  attribute = format.Style & (stBold | stItalic | stUnderline | stStrikeOut);
  switch (format.Kind) {
    case ekAction:
    case ekCharacterName:
    case ekDialogue:
    case ekParenthetical: break;
    default: return;
  }
  int color = format.ColorIndex();
  if (color == 1) color = 2;
  else if (color == 2) color = 1;
  if (color > 10 || (color >= 4 && !UsesUserColours)) color = 0;
  attribute = WithColor(attribute, color);
}

void TMDIChild::SetCanvasFontStyle(Byte attribute, int line, const TScriptElement* element, bool& underline) {
  unsigned style = 0;
  if (attribute & AttrBold) style |= fsBold;
  if (attribute & AttrItalic) style |= fsItalic;
  if (attribute & AttrStrikeOut) style |= fsStrikeOut;
  Canvas.Font.Style = style;
  underline = attribute & AttrUnderline;
  const int color = ColorOfAttribute(attribute);
  TColor text = ScreenColors.Text;
  TColor background = BackgroundColor;
  if (color == SelectedColorIndex) {
    text = ScreenColors.HighlightText;
    background = ScreenColors.Highlight;
  } else if (color >= 1 && color <= 10) {
    if (ProgramOptions().ColorAsBackground) background = BackgroundColorOfIndex(*this, color);
    else text = TextColorOfIndex(*this, color);
  }
  if (element && IsHiddenFromLists(*element) && color != SelectedColorIndex) text = clSilver;
  Canvas.Font.Color = text;
  Canvas.Brush.Color = background;
  Canvas.Brush.Style = TBrushStyle::bsSolid;
}

void TMDIChild::WrapPageBreak(TScriptElement* element) {
  if (element && IsPageBreakKind(element->Kind())) LayPageBreak(*this, *element, true);
}

namespace {

// Painting hides the caret and prepares the canvas; the caret comes back
// when the lines are drawn.
void BeginPainting(TMDIChild& window) {
  if (WindowHasFocus(window)) DestroyCaret();
  SelectScreenFont(window);
  MeasureScreenFont(window, window.CurrentElement());
  window.Canvas.TextAlign = TTextAlign::Baseline;
  window.Canvas.Font.Color = ScreenColors.Text;
  window.Canvas.Font.Style = 0;
  window.Canvas.Brush.Color = window.BackgroundColor;
}

}  // namespace

void TMDIChild::RedisplayScreen(bool full) {
  if (!CurrentElement() || Closing) return;
  full = full || ScreenDirty;
  ScreenDirty = 0;
  if (ProgramOptions().ZoomSize < 50 || ProgramOptions().ZoomSize > 150) ProgramOptions().ZoomSize = 98;
  BeginPainting(*this);
  // Lines below the window are out of sight; a window made taller paints
  // them when it is resized.
  const int bottom = ClientHeight();
  for (int line = 1; line <= ScreenLineCount && ScreenLineTop(*this, line) < bottom; ++line) {
    const TScreenLine& row = ScreenLines[static_cast<std::size_t>(line)];
    if (full || row.repaint) PaintScreenLine(*this, line, full ? 1 : row.fromColumn);
  }
  if (full) DrawFoundTextMarkers(*this);
  UpdateCaret();
}

void TMDIChild::DisplayElement() {
  if (!CurrentElement() || Closing) return;
  BeginPainting(*this);
  const int first = CurrentElement()->screenLine;
  for (int line = std::max(first, 1); line < first + CurrentElement()->lineCount && line <= ScreenLineCount; ++line)
    PaintScreenLine(*this, line, 1);
  UpdateCaret();
}

}  // namespace qm
