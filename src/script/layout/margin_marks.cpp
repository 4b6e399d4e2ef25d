#include "script/layout/margin_marks.h"

#include <algorithm>
#include <string>

#include "base/document_table.h"
#include "base/program_options.h"
#include "platform/cp1252.h"
#include "platform/forms.h"
#include "script/layout/revision_colors.h"
#include "script/layout/screen_lines.h"
#include "script/layout/screen_rebuild.h"
#include "script/layout/word_wrap.h"
#include "script/model/element_kinds.h"
#include "script/model/number_texts.h"
#include "script/model/string_utils.h"
#include "script/script_window.h"

namespace qm {

namespace {

// A note whose colours are all unset still gets a box the text shows on.
constexpr TColor UnsetNoteColour = 0x80FFFF;

TScreenLine& Row(TMDIChild& window, int line) { return window.ScreenLines[static_cast<std::size_t>(line)]; }

bool Starts(const std::string& text, const std::string& prefix) {
  return !prefix.empty() && text.compare(0, prefix.size(), prefix) == 0;
}

// The nearest element before (or after) that shows on paper: page breaks
// and hidden elements are looked through; the walk ends at the list's end.
const TScriptElement* NearestShown(const TMDIChild& window, const TScriptElement* e, bool forward) {
  e = forward ? e->next : e->prev;
  while (e && (IsPageBreakKind(e->Kind()) || window.IsHiddenElement(e)) && (forward ? e->next : e->prev))
    e = forward ? e->next : e->prev;
  return e;
}

void DrawLinkMarks(TMDIChild& window, int line, int top, int bottom) {
  const TScreenLine& row = Row(window, line);
  const TScriptElement& e = *row.element;
  if (window.HideStoryboardLinks || row.banner != 0 || e.storyboardLink == 0) return;
  TCanvas& canvas = window.Canvas;
  canvas.Pen.Color = MarkRed;
  canvas.Brush.Color = MarkRed;
  canvas.Brush.Style = TBrushStyle::bsSolid;
  const TScriptElement* other = nullptr;
  bool joinedAbove = false;
  if (row.lineInElement == 1 && e.prev) {
    other = NearestShown(window, &e, false);
    if (other && other->storyboardLink == e.storyboardLink) {
      other = nullptr;
      joinedAbove = true;
    }
  }
  if (!other && row.lineInElement == e.lineCount && e.next) {
    other = NearestShown(window, &e, true);
    if (other && other->storyboardLink == e.storyboardLink) other = nullptr;
  }
  const auto bar = [&] {
    int barTop = top;
    if (row.lineInElement == 1 && line > 1) barTop = top - Row(window, line - 1).height;
    canvas.Rectangle(0, barTop, 3, bottom);
  };
  if (other) {
    const int height = bottom - top;
    canvas.Polygon({{0, top}, {3, top}, {11, top + height / 2}, {3, bottom}, {0, bottom}});
    if (joinedAbove && row.lineInElement == 1) bar();
  } else {
    bar();
  }
}

void DrawSpeechNumber(TMDIChild& window, const TScreenLine& row, int y) {
  const TScriptElement& e = *row.element;
  if (e.Kind() != ekCharacterName || row.lineInElement != 1) return;
  if (!window.DialogueNumbering && !window.DialogueNumberingLock) return;
  std::string number = window.DialogueNumberText(&e);
  if (BracketDialogueNumbers) number = "<" + number + ">";
  const TElementFormat& heading = window.FormatSet[fsSceneHeading];
  const int x = SpeechNumberFlag == 0 ? TenthsToScreenX(window, heading.LeftMargin)
                                      : PagePositionToScreenX(window, heading.RightMargin + 1);
  window.Canvas.TextOut(x, y, number);
}

// How many hidden-text boxes the line shows (0, 1 or 2) and whether the
// first is an "S" box (hidden text lies before the line).
struct THiddenBoxes {
  int count = 0;
  bool showFirst = false;
};

THiddenBoxes HiddenBoxesOf(const TMDIChild& window, const TScreenLine& row) {
  THiddenBoxes boxes;
  if (!row.element || row.lineInElement != 1 || window.HiddenKinds != 0 || (row.banner != 0 && row.banner != 2))
    return boxes;
  const TScriptElement& e = *row.element;
  const bool hiddenBefore = e.prev && window.IsHiddenElement(e.prev);
  const bool note = e.Kind() == ekScriptNote;
  const bool startsShownText =
      e.state == esShownHidden && (!IsDialogueOrParenthetical(e.Kind()) || (e.prev && !IsHiddenFromLists(*e.prev)));
  if (!hiddenBefore && !note && !startsShownText) return boxes;
  boxes.count = 1;
  boxes.showFirst = hiddenBefore;
  if (hiddenBefore && (e.state == esShownHidden || note)) boxes.count = 2;
  return boxes;
}

void DrawHiddenBox(TMDIChild& window, int x0, int top, int bottom, int y, bool show, TColor background) {
  TCanvas& canvas = window.Canvas;
  const int side = bottom - top;
  canvas.Pen.Color = show ? MarkBlue : MarkDarkGreen;
  canvas.Brush.Color = show ? MarkBlue : MarkDarkGreen;
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Rectangle(x0, top, x0 + side, bottom);
  const unsigned style = canvas.Font.Style;
  canvas.Font.Style = fsBold;
  canvas.Font.Color = MarkYellow;
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.TextOut(x0 + 2, y, show ? "S" : "H");
  canvas.Font.Style = style;
  canvas.Brush.Color = background;
}

void DrawHiddenBoxes(TMDIChild& window, const TScreenLine& row, int top, int bottom, int y, TColor background) {
  const THiddenBoxes boxes = HiddenBoxesOf(window, row);
  if (boxes.count == 0) return;
  DrawHiddenBox(window, 0, top, bottom, y, boxes.showFirst, background);
  if (boxes.count == 2) DrawHiddenBox(window, row.height, top, bottom, y, false, background);
}

void DrawKeepMark(TMDIChild& window, const TScriptElement& e, int y) {
  if (!window.LayoutOptions.ShowCodes) return;
  const TScriptElement* first = e.group ? e.group->first : nullptr;
  if (e.state != esNormal || (first && first->state != esNormal)) window.Canvas.TextOut(0, y, "\xB6");
}

std::string BranchMarkerText(const TScreenLine& row, Word count) {
  if (!ProgramOptions().SmartArrows) return "->";
  char arrow = '>';
  if (Starts(row.text, "END")) arrow = '<';
  else if (Starts(row.text, "ELSE") || Starts(row.text, "OTHERWISE")) arrow = '^';
  return std::string(count, arrow);
}

void DrawInteractiveMarks(TMDIChild& window, const TScreenLine& row, int y) {
  const TScriptElement& e = *row.element;
  const bool shot = e.Kind() == ekShot;
  const int x = TenthsToScreenX(window, e.format.LeftMargin - (shot ? 5 : 2));
  TCanvas& canvas = window.Canvas;
  if (shot) {
    if (row.lineInElement == 1 && e.format.NumberWord != 500)
      canvas.TextOut(x, y, BranchMarkerText(row, e.format.NumberWord));
    return;
  }
  const int half = row.height / 2;
  canvas.Pen.Color = clBlack;
  canvas.Brush.Color = clBlack;
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.Polygon({{x, y}, {x, y - half}, {x + half, y - half / 2}});
  canvas.Brush.Color = clWhite;
  canvas.Brush.Style = TBrushStyle::bsClear;
}

// The heading whose number the line shows: its own, or on the continued
// line at the top of a page the heading of the scene it continues.
const TScriptElement* NumberedHeading(const TMDIChild& window, const TScreenLine& row) {
  const TScriptElement* e = row.element;
  if (IsSceneHeading(e->Kind())) return e;
  if (!ProgramOptions().DisplayHeaders || !window.TopSceneContinued || !IsPageBreakKind(e->Kind()) || row.banner != 1)
    return nullptr;
  const std::string continued = StyledLine(window.TopSceneContinuedText, 0, 0, 0).text;
  if (continued.empty() || !Starts(row.text, continued)) return nullptr;
  for (const TScriptElement* h = e->prev; h; h = h->prev)
    if (IsSceneHeading(h->Kind()) && !Starts(LiveElementText(window, *h), window.SceneOmitText)) return h;
  return nullptr;
}

struct TNumberPlaces {
  int left = 0;
  int right = 0;
};

TNumberPlaces SceneNumberPlaces(TMDIChild& window, const TScriptElement& heading, const std::string& number) {
  TNumberPlaces at;
  if (window.InteractiveScript) {
    at.left = TenthsToScreenX(window, heading.format.LeftMargin - 2) - window.Canvas.TextWidth(number);
  } else {
    const int tenths = window.FormatSet[fsSceneHeading].LeftMargin - 5 - (number.size() > 4 ? 1 : 0);
    at.left = TenthsToScreenX(window, tenths);
  }
  at.right = PagePositionToScreenX(window, heading.format.RightMargin - 2);
  return at;
}

std::string ShownSceneNumber(const TMDIChild& window, const TScriptElement& heading) {
  std::string number = window.SceneNumberText(heading);
  TrimTrailingBlanks(number);
  if (window.InteractiveScript && heading.Kind() == ekSceneHeading) number = "(" + number + ")";
  return number;
}

void DrawOmittedRange(TMDIChild& window, const TScriptElement& heading, const TNumberPlaces& at, int y) {
  std::string text = PlainUpperText(LiveElementText(window, heading));
  if (!ShowsOmittedRange(window, heading, text)) return;
  text.erase(0, text.find(':') + 1);
  std::string word = window.OmittedRangeWord(text, heading.group);
  const std::size_t lastColon = text.rfind(':');
  if (lastColon != std::string::npos) text.erase(0, lastColon + 1);
  if (ElementHasLock(&heading) != (window.FlipLockedSceneNumbers != 0)) {
    word = " " + word;
    text = " " + text;
  }
  const int lineHeight = window.ScreenLineHeight;
  TCanvas& canvas = window.Canvas;
  canvas.TextOut(at.left, y + lineHeight, word);
  canvas.TextOut(at.left, y + 2 * lineHeight, text);
  if (!window.RightNumber) return;
  canvas.TextOut(at.right, y + lineHeight, word);
  canvas.TextOut(at.right, y + 2 * lineHeight, text);
}

void DrawSceneNumbers(TMDIChild& window, const TScreenLine& row, int y) {
  if (!window.LeftNumber && !window.RightNumber) return;
  const TScriptElement* heading = NumberedHeading(window, row);
  if (!heading) return;
  const std::string number = ShownSceneNumber(window, *heading);
  TCanvas& canvas = window.Canvas;
  const bool bold = (window.FormatSet[fsAction].Style & stBold) && (window.FormatSet[fsSceneHeading].Style & stBold);
  const unsigned style = canvas.Font.Style;
  canvas.Font.Style = bold ? static_cast<unsigned>(fsBold) : 0u;
  const TNumberPlaces at = SceneNumberPlaces(window, *heading, number);
  if (window.LeftNumber && row.lineInElement == 1) canvas.TextOut(at.left, y, number);
  const int rightLine = window.RightNumberOnTopLine ? 1 : heading->lineCount;
  if (window.RightNumber && row.lineInElement == rightLine) canvas.TextOut(at.right, y, number);
  DrawOmittedRange(window, *heading, at, y);
  canvas.Font.Style = style;
}

// Whether the block holds the whole note.
bool NoteWhollyInBlock(const TMDIChild& window, const TScriptElement& e) {
  if (!window.BlockOn()) return false;
  const int length = static_cast<int>(LiveElementText(window, e).size());
  return (e.blockStart == 0 && e.blockEnd == length) || (e.blockEnd == 0 && e.blockStart == length);
}

struct TNoteSpan {
  int x1 = 0;
  int x2 = 0;
};

TNoteSpan NoteSpanOf(const TMDIChild& window, const TScriptElement& e) {
  TNoteSpan span;
  span.x1 = TenthsToScreenX(window, e.format.LeftMargin - 2);
  span.x2 = span.x1 + FormatMarginToScreen(window, e.format) + 8 * window.DotWidth;
  return span;
}

}  // namespace

int TenthsToScreenX(const TMDIChild& window, int tenths) { return window.LeftTextOffset + tenths * window.DotWidth; }

int PagePositionToScreenX(const TMDIChild& window, int tenths) {
  const TPageMetrics page = CurrentPageMetrics();
  return TenthsToScreenX(window, (page.physicalWidth - tenths * page.dpi / 10) * 10 / page.dpi);
}

int FormatMarginToScreen(const TMDIChild& window, const TElementFormat& format) {
  const int dots = FormatMarginToDots(format);
  return dots * window.Canvas.PixelsPerInch() * ProgramOptions().ZoomSize / 300 / 100;
}

TColor NoteColor(const TMDIChild& window, int& index) {
  const auto unset = [&](int i) { return IsUnsetNoteColor(window.NoteColours[static_cast<std::size_t>(i)]); };
  if (index < 0 || index >= NoteColourCount || unset(index)) index = 0;
  return unset(index) ? UnsetNoteColour : window.NoteColours[static_cast<std::size_t>(index)];
}

TColor NoteBoxColor(const TMDIChild& window, const TScriptElement& note) {
  if (NoteWhollyInBlock(window, note)) return ColorToRGB(ScreenColors.Highlight);
  int index = NoteColorIndexOf(note);
  return NoteColor(window, index);
}

void DrawScreenLineMarks(TMDIChild& window, int line, int y) {
  if (!ActiveScript() || line < 1 || line > ScreenLineCount) return;
  const TScreenLine& row = Row(window, line);
  if (!row.element) return;
  const TScriptElement& e = *row.element;
  const TColor background = LineBackgroundColor(window, &e, line);
  if (window.RenumberDue) window.RenumberScenes(false);
  const int top = y - (row.y - ScreenLineTop(window, line));
  const int bottom = top + row.height;
  TCanvas& canvas = window.Canvas;
  DrawLinkMarks(window, line, top, bottom);
  canvas.Brush.Color = background;
  canvas.Pen.Color = clBlack;
  canvas.Brush.Style = TBrushStyle::bsClear;
  DrawSpeechNumber(window, row, y);
  DrawHiddenBoxes(window, row, top, bottom, y, background);
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Font.Color = ScreenColors.Text;
  if (e.state != esShownHidden && e.state != esHidden) {
    DrawKeepMark(window, e, y);
    if (window.InteractiveScript && (e.Kind() == ekShot || e.Kind() == ekTransition))
      DrawInteractiveMarks(window, row, y);
    else DrawSceneNumbers(window, row, y);
  }
  canvas.Brush.Style = TBrushStyle::bsSolid;
}

void DrawNoteBox(TMDIChild& window, int line, int top, bool outlineOnly) {
  if (line < 1 || line > ScreenLineCount || !Row(window, line).element) return;
  const TScreenLine& row = Row(window, line);
  const TScriptElement& e = *row.element;
  if (!outlineOnly && row.lineInElement != 1 && line != 1) return;
  const TNoteSpan span = NoteSpanOf(window, e);
  // The outline keeps to the note's own lines: a row below them belongs to
  // the next line, whose painting would wipe the box's bottom edge out.
  int y2 = top;
  for (int l = line; l <= ScreenLineCount && Row(window, l).element == &e; ++l) y2 += Row(window, l).height;
  TCanvas& canvas = window.Canvas;
  // Beside the box the line keeps its page's colour.
  const TColor background = LineBackgroundColor(window, &e, line);
  if (outlineOnly) {
    canvas.Brush.Style = TBrushStyle::bsClear;
  } else {
    canvas.Brush.Color = background;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.FillRect(TRect{0, top, span.x1, y2});
    canvas.FillRect(TRect{span.x2, top, window.ClientWidth(), y2});
    canvas.Brush.Color = NoteBoxColor(window, e);
  }
  canvas.Pen.Color = clBlack;
  canvas.Rectangle(span.x1, top, span.x2, y2);
  canvas.Brush.Color = background;
  canvas.Brush.Style = TBrushStyle::bsSolid;
  if (outlineOnly) return;
  for (int l = line + 1; l <= ScreenLineCount && Row(window, l).element == &e; ++l) MarkScreenLine(Row(window, l), 1);
}

void DrawNoteBand(TMDIChild& window, int line, int top, bool outlineOnly) {
  if (line < 1 || line > ScreenLineCount || !Row(window, line).element) return;
  const TScreenLine& row = Row(window, line);
  const TNoteSpan span = NoteSpanOf(window, *row.element);
  const int bottom = top + row.height;
  TCanvas& canvas = window.Canvas;
  if (!outlineOnly) {
    canvas.Brush.Color = NoteBoxColor(window, *row.element);
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.FillRect(TRect{span.x1 + 1, top, span.x2 - 1, bottom});
  }
  canvas.Pen.Color = clBlack;
  canvas.MoveTo(span.x1, top);
  canvas.LineTo(span.x1, bottom);
  canvas.MoveTo(span.x2 - 1, top);
  canvas.LineTo(span.x2 - 1, bottom);
  const bool last = line == ScreenLineCount || Row(window, line + 1).element != row.element;
  if (last) {
    canvas.MoveTo(span.x1, bottom - 1);
    canvas.LineTo(span.x2, bottom - 1);
  }
  canvas.Brush.Color = window.BackgroundColor;
}

int ScreenLineAtY(const TMDIChild& window, int y) {
  int top = window.TextTopOffset;
  for (int line = 1; line <= ScreenLineCount; ++line) {
    const int bottom = top + window.ScreenLines[static_cast<std::size_t>(line)].height;
    if (y >= top && y < bottom) return line;
    top = bottom;
  }
  return 0;
}

namespace {

void ResetHint(TMDIChild& window) { window.Hint = std::string(window.DocumentModified ? "Modified" : ""); }

void ClaimPoint(TMDIChild& window, const char* hint) {
  window.Hint = std::string(hint);
  if (Screen) Screen->SetCursor(crArrow);
}

}  // namespace

THiddenMarker HiddenTextMarkerHit(TMDIChild& window, int x, int y, bool toggle) {
  ResetHint(window);
  const int line = ScreenLineAtY(window, y);
  if (line == 0) return THiddenMarker::None;
  const TScreenLine& row = Row(window, line);
  const THiddenBoxes boxes = HiddenBoxesOf(window, row);
  if (boxes.count == 0 || x < 0 || x >= boxes.count * row.height) return THiddenMarker::None;
  const bool show = boxes.showFirst && x < row.height;
  ClaimPoint(window, show ? "Double Click to Show Text" : "Double Click to Hide Text");
  if (toggle) MakeElementCurrent(window, row.element);
  return show ? THiddenMarker::Show : THiddenMarker::Hide;
}

bool BranchMarkerHit(TMDIChild& window, int x, int y) {
  if (!window.InteractiveScript) return false;
  ResetHint(window);
  const int line = ScreenLineAtY(window, y);
  if (line == 0) return false;
  const TScriptElement* e = Row(window, line).element;
  if (!e || e->Kind() != ekTransition) return false;
  const int from = TenthsToScreenX(window, e->format.LeftMargin - 3);
  const int to = TenthsToScreenX(window, e->format.LeftMargin - 1);
  if (x < from || x > to) return false;
  ClaimPoint(window, "Double Click to Perform Branch");
  return true;
}

}  // namespace qm
