#include "base/program_options.h"
#include "script/layout/char_widths.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <vector>

#include "platform/cp1252.h"
#include "platform/forms.h"
#include "platform/graphics.h"
#include "platform/menus.h"
#include "platform/messages.h"
#include "platform/platform.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "script/script_window.h"
#include "script/model/string_utils.h"
#include "base/document_table.h"
#include "base/global_state.h"
#include "base/message_boxes.h"

namespace qm {

TLayoutProgramOptions LayoutProgramOptions;

namespace {

const GlobalState reset([] { LayoutProgramOptions = TLayoutProgramOptions{}; });

constexpr std::array<Byte, 14> UserColorCodes{253, 254, 221, 222, 238, 248, 245, 216, 208, 177, 159, 164, 131, 132};

constexpr CharSet MakeUserColorSet() {
  CharSet set;
  for (Byte code : UserColorCodes) set.Include(code);
  return set;
}
constexpr CharSet UserColorSet = MakeUserColorSet();

struct CodeMark {
  Byte code;
  const char* text;
};
constexpr CodeMark StyleMarks[] = {
    {2, "[B]"},  {3, "[b]"},  {13, "[g]"}, {14, "[S]"}, {15, "[s]"}, {16, "[R]"}, {17, "[r]"}, {18, "[L]"}, {19, "[l]"},
    {20, "[G]"}, {21, "[U]"}, {22, "[u]"}, {25, "[I]"}, {26, "[i]"}, {27, "[1]"}, {28, "[2]"}, {29, "[3]"}, {30, "[4]"},
};
constexpr CodeMark UserColorMarks[] = {
    {253, "[U1]"}, {254, "[u1]"}, {221, "[U2]"}, {222, "[u2]"}, {238, "[U3]"}, {248, "[u3]"}, {245, "[U4]"},
    {216, "[u4]"}, {208, "[U5]"}, {177, "[u5]"}, {159, "[U6]"}, {164, "[u6]"}, {131, "[U7]"}, {132, "[u7]"},
};

// The style and colour codes whose screen widths are copied from plain into
// the other three screen tables, in the order they are measured.
constexpr Byte StyleCodesToCopy[] = {27, 28, 29, 30, 2, 3, 21, 22, 25, 26, 14, 15, 18, 16, 20, 19, 17, 13};

// The category captions of a new program, by category index, used while the
// main window has no category menu.
// clang-format off
constexpr const char* DefaultCategoryCaptions[26] = {
    "&Additional Labor", "Animal &Handler",  "&Cast Members",       "C&ostumes",         "Cre&w",
    "&Extras",           "&Greenery",        "&Livestock",          "&Makeup / Hair",    "Mechan&ical FX",
    "Misc&.",            "M&usic",           "&Notes",              "Optical &FX",       "&Props",
    "Scene Descrip&tion", "Securit&y",       "Se&t Dressing",       "Soun&d",            "Special E&quipment",
    "Special F&X",       "&Stunts",          "&Vehicles",           "User Defined #&1",  "User Defined #&2",
    "User Defined #&3",
};
// clang-format on

unsigned FontStyleOf(int widthStyle) {
  unsigned style = 0;
  if (widthStyle == wsBold || widthStyle == wsBoldItalic) style |= fsBold;
  if (widthStyle == wsItalic || widthStyle == wsBoldItalic) style |= fsItalic;
  return style;
}

bool IsTagOrTagEnd(Byte code) { return code == TagEnd || IsBreakdownTagCode(code); }

int CategoryOfTagCode(Byte code) {
  for (std::size_t i = 0; i < BreakdownTagCodes.size(); ++i)
    if (BreakdownTagCodes[i] == code) return static_cast<int>(i);
  return -1;
}

std::string CategoryCaption(int category) {
  if (DocumentFrame) {
    if (auto* menu = dynamic_cast<TPopupMenu*>(DocumentFrame->FindDescendant("SelectMenu"));
        menu && category < menu->Items()->Count())
      return StripHotkey(menu->Items()->Items(category)->Caption());
  }
  return StripHotkey(DefaultCategoryCaptions[category]);
}

// The zoomed screen font of a font name and size.
TFontDesc ScreenFontDesc(const std::string& name, int size, int dpi, int zoom, unsigned style) {
  TFontDesc font;
  font.Name = ScreenFaceName(name);
  font.Size = size;
  font.Style = style;
  const int height = -((size * dpi + 36) / 72);
  font.PixelHeight = std::abs(height * zoom / 100);
  return font;
}

void ClearWidths(TMDIChild& window) {
  for (auto& table : window.LayoutWidths) table.fill(0);
  for (auto& table : window.ScreenWidths) table.fill(0);
}

void MeasureSet(std::array<TWidthTable, 4>& set, TFontDesc font, int dpi) {
  FontMetrics& metrics = Platform::Current().backend().Metrics();
  for (int style = wsPlain; style <= wsBoldItalic; ++style) {
    font.Style = FontStyleOf(style);
    for (int ch = 32; ch <= 255; ++ch) set[style][ch] = metrics.CharWidth(font, dpi, static_cast<unsigned char>(ch));
  }
}

// Marks and labels are measured in the bold screen font into the plain
// screen table; the other screen tables copy them.
void MeasureCodeLabels(TMDIChild& window, TFontDesc boldFont, int dpi, const TMDIChild::TMeasuredFont& key) {
  boldFont.Style = fsBold;
  TWidthTable& plain = window.ScreenWidths[wsPlain];
  if (key.showCodes)
    for (const CodeMark& mark : StyleMarks) plain[mark.code] = MeasureText(boldFont, dpi, mark.text);
  // The fill-out mode shows the colour marks too: the caret steps over
  // them as they are drawn.
  if (key.userColors)
    for (const CodeMark& mark : UserColorMarks) plain[mark.code] = MeasureText(boldFont, dpi, mark.text);
  auto copyPlain = [&](Byte code) {
    for (int style = wsBold; style <= wsBoldItalic; ++style) window.ScreenWidths[style][code] = plain[code];
  };
  if (key.showTags) {
    for (Byte code : BreakdownTagCodes) {
      plain[code] = MeasureText(boldFont, dpi, BreakdownTagLabel(code));
      copyPlain(code);
    }
    plain[TagEnd] = MeasureText(boldFont, dpi, BreakdownTagLabel(TagEnd));
    copyPlain(TagEnd);
  }
  for (Byte code : StyleCodesToCopy) copyPlain(code);
  if (key.userColors)
    for (Byte code : UserColorCodes) copyPlain(code);
}

void CopyWidthsInAllTables(TMDIChild& window, Byte dest, Byte source) {
  for (auto& table : window.LayoutWidths) table[dest] = table[source];
  for (auto& table : window.ScreenWidths) table[dest] = table[source];
}

// The sum of the widths of EditBuffer characters from..to from one set of
// tables, with the running bold and italic state.
int SumWidths(TMDIChild& window, int from, int to, const std::array<TWidthTable, 4>& set) {
  MeasureScreenFont(window, window.CurrentElement());
  const TScriptElement* element = window.CurrentElement();
  if (!element) return 0;
  const std::string& text = window.EditBuffer();
  if (from < 0) from = 0;
  to = std::min(to, static_cast<int>(text.size()) - 1);
  if (from > to) return 0;
  const TElementFormat& format = element->format;
  const bool caps = format.AllCaps && format.Kind != ekCharacterName;
  bool bold = IsInsideCodePair(text, static_cast<std::size_t>(from), BoldOn, format.Style & stBold, BoldOff);
  bool italic = IsInsideCodePair(text, static_cast<std::size_t>(from), ItalicsOn, format.Style & stItalic, ItalicsOff);
  const CharSet zeroWidth = ZeroWidthSetOf(window);
  const bool showCodes = window.LayoutOptions.ShowCodes;
  const bool fillOut = LayoutProgramOptions.FillOutBreakdowns;
  int width = 0;
  for (int i = from; i <= to; ++i) {
    Byte ch = static_cast<Byte>(text[static_cast<std::size_t>(i)]);
    const bool keepsWidth = showCodes || (fillOut && TagOrColorSet.Contains(ch));
    if (!zeroWidth.Contains(ch) || keepsWidth) width += set[WidthStyleOf(bold, italic)][caps ? AnsiUpper(ch) : ch];
    if (ch == BoldOn) bold = true;
    else if (ch == BoldOff) bold = false;
    else if (ch == ItalicsOn) italic = true;
    else if (ch == ItalicsOff) italic = false;
  }
  return width;
}

}  // namespace

CharSet CodeSetOf(const TScriptDocument& script) {
  const CharSet codes = InlineCodes(script.TaggingUsed != 0);
  return script.UsesUserColours ? codes + UserColorSet : codes;
}

CharSet ZeroWidthSetOf(const TScriptDocument& script) {
  const CharSet bytes = ZeroWidthBytes(script.TaggingUsed != 0);
  return script.UsesUserColours ? bytes + UserColorSet : bytes;
}

bool IsUserColorCode(Byte code) { return UserColorSet.Contains(code); }

std::string ScreenFaceName(const std::string& fontName) {
  const std::string& display = ProgramOptions().DisplayFont;
  if (!display.empty() && SameText(fontName, "Courier New")) return display;
  return fontName;
}

namespace {

// Whether the tables were measured for this font and these settings. Runs
// before every wrap, so it compares in place.
bool MeasuredFor(const TMDIChild& window, const std::string& name, int size, int dpi) {
  const TMDIChild::TMeasuredFont& m = window.MeasuredFont;
  return m.size == size && m.zoom == ProgramOptions().ZoomSize && m.screenDpi == dpi &&
         m.showCodes == static_cast<bool>(window.LayoutOptions.ShowCodes) &&
         m.fillOut == LayoutProgramOptions.FillOutBreakdowns &&
         m.userColors == static_cast<bool>(window.UsesUserColours) && m.showTags == (window.TaggingUsed != 0) &&
         m.name == name && m.displayFont == ProgramOptions().DisplayFont;
}

constexpr std::size_t MaxMeasuredTables = 8;

bool RestoreMeasured(TMDIChild& window) {
  for (const TMDIChild::TMeasuredTables& t : window.MeasuredTables) {
    if (!(t.key == window.MeasuredFont)) continue;
    window.LayoutWidths = t.layout;
    window.ScreenWidths = t.screen;
    window.LayoutCapsWidths = t.layoutCaps;
    window.ScreenCharHeight = t.charHeight;
    return true;
  }
  return false;
}

void RememberMeasured(TMDIChild& window) {
  auto& kept = window.MeasuredTables;
  if (kept.size() >= MaxMeasuredTables) kept.erase(kept.begin());
  kept.push_back({window.MeasuredFont, window.LayoutWidths, window.ScreenWidths, window.LayoutCapsWidths,
                  window.ScreenCharHeight});
}

}  // namespace

void MeasureScreenFont(TMDIChild& window, const TScriptElement* element) {
  const std::string& name = ElementFontName(window, element);
  const int size = element && element->format.FontSize ? element->format.FontSize : window.ScriptFontSize;
  const int dpi = Platform::Current().backend().Screen().PixelsPerInch;
  if (!window.WidthsStale && window.LayoutWidths[wsPlain]['A'] > 0 && MeasuredFor(window, name, size, dpi)) return;
  TMDIChild::TMeasuredFont key;
  key.name = name;
  key.size = size;
  key.displayFont = ProgramOptions().DisplayFont;
  key.zoom = ProgramOptions().ZoomSize;
  key.screenDpi = dpi;
  key.showCodes = window.LayoutOptions.ShowCodes;
  key.fillOut = LayoutProgramOptions.FillOutBreakdowns;
  key.userColors = window.UsesUserColours;
  key.showTags = window.TaggingUsed != 0;
  if (window.WidthsStale) window.MeasuredTables.clear();
  window.MeasuredFont = key;
  window.WidthsStale = false;
  if (RestoreMeasured(window)) return;
  ClearWidths(window);

  TFontDesc layoutFont;
  layoutFont.Name = name;
  layoutFont.Size = size;
  MeasureSet(window.LayoutWidths, layoutFont, LayoutDpi);

  const TFontDesc screenFont = ScreenFontDesc(name, size, key.screenDpi, key.zoom, 0);
  window.ScreenCharHeight = static_cast<Word>(screenFont.PixelHeight + 2);
  MeasureSet(window.ScreenWidths, screenFont, key.screenDpi);

  if (key.showCodes || key.fillOut) MeasureCodeLabels(window, screenFont, key.screenDpi, key);
  if (!key.showCodes) {
    for (auto& table : window.LayoutWidths) table[SoftHyphen] = table[HardReturn] = 0;
    for (auto& table : window.ScreenWidths) table[SoftHyphen] = table[HardReturn] = 0;
  }
  CopyWidthsInAllTables(window, HardSpace, ' ');
  CopyWidthsInAllTables(window, HardDash, '-');
  for (std::size_t style = 0; style < window.LayoutWidths.size(); ++style)
    for (int ch = 0; ch < 256; ++ch)
      window.LayoutCapsWidths[style][static_cast<std::size_t>(ch)] =
          window.LayoutWidths[style][AnsiUpper(static_cast<Byte>(ch))];
  RememberMeasured(window);
}

int MeasureTextWidth(TMDIChild& window, int from, int to) { return SumWidths(window, from, to, window.ScreenWidths); }

int MeasureLayoutTextWidth(TMDIChild& window, int from, int to) {
  return SumWidths(window, from, to, window.LayoutWidths);
}

void CopyCharWidths(Byte dest, Byte source, TMDIChild& window) { CopyWidthsInAllTables(window, dest, source); }

std::string BreakdownTagLabel(Byte code) {
  if (code == TagEnd) return "]";
  const int category = CategoryOfTagCode(code);
  if (category < 0) return {};
  return "[" + CategoryCaption(category) + " ";
}

std::string CodeMarkText(Byte code) {
  for (const CodeMark& mark : StyleMarks)
    if (mark.code == code) return mark.text;
  for (const CodeMark& mark : UserColorMarks)
    if (mark.code == code) return mark.text;
  return {};
}

void AppendCodeLabel(const TMDIChild& window, Byte code, std::string& lineText, int maxLength, Byte* attributes,
                     Word& columnShift) {
  if (!window.LayoutOptions.ShowCodes) {
    if (!LayoutProgramOptions.FillOutBreakdowns) return;
    if (!IsTagOrTagEnd(code) && !UserColorSet.Contains(code)) return;
  }
  std::string label = IsTagOrTagEnd(code) ? BreakdownTagLabel(code) : CodeMarkText(code);
  if (label.empty()) label = std::string(1, static_cast<char>(code));
  if (attributes && lineText.size() < ScreenLineColumns - 1) {
    const int first = static_cast<int>(lineText.size()) + 1;
    const int last = std::min<int>(first + static_cast<int>(label.size()) - 1, ScreenLineColumns - 1);
    for (int column = first; column <= last; ++column) attributes[column] = stBold;
  }
  lineText += label;
  if (static_cast<int>(lineText.size()) > maxLength) lineText.resize(static_cast<std::size_t>(std::max(maxLength, 0)));
  if (CodeSetOf(window).Contains(code)) columnShift = static_cast<Word>(columnShift + label.size());
}

TCharWidthHooks CharWidthHooks;

namespace {
const GlobalState resetHooks([] { CharWidthHooks = {}; });
}  // namespace

Word PrinterTextWidth(std::string_view text, TPrinterWidths& widths) {
  if (text.empty()) return 0;
  if (widths['A' - 32] == 0 && CharWidthHooks.MeasurePrinterWidths) CharWidthHooks.MeasurePrinterWidths(widths);
  Word sum = 0;
  for (char c : text) {
    const Byte ch = static_cast<Byte>(c);
    if (ch >= 32) sum = static_cast<Word>(sum + (widths[ch - 32] & 0xFFFF));
  }
  return sum;
}

void ShowCharacterMap() {
  const auto installed = std::find_if(std::begin(CharacterMapTools), std::end(CharacterMapTools),
                                      [](const TCharacterMapTool& tool) { return FindProgram(tool.program); });
  if (installed == std::end(CharacterMapTools)) {
    ShowMessageBox(NoCharacterMapText, "");
    return;
  }
  // The map opens on the font of the element being typed. A map that runs
  // already is one application: started again, it comes to the top.
  std::vector<std::string> args;
  const TMDIChild* script = ActiveScript();
  if (script && script->CurrentElement() && installed->fontOption[0] != '\0') {
    const TScriptElement& e = *script->CurrentElement();
    args.push_back(std::string(installed->fontOption) + ElementFontName(*script, &e) + " " +
                   std::to_string(e.format.FontSize ? e.format.FontSize : script->ScriptFontSize));
  }
  if (!StartProgram(installed->program, args))
    ShowMessageBox(std::string("The character map (") + installed->program + ") could not be started.", "");
}

}  // namespace qm
