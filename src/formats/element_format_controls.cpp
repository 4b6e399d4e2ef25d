#include "formats/element_format_controls.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qm {

namespace {

using enum TDialogItemKind;

constexpr int FontSlots = 16;  // the font index is a nibble
// The two margins of an element keep at least an inch of text on an
// 8.5-inch page.
constexpr int MaxMarginSum = 75;

struct TStyleBox {
  const char* Name;
  const char* Caption;
  Byte Bit;
};
constexpr TStyleBox StyleBoxes[] = {{"Italic", "Italici&zed", stItalic},
                                    {"Bold", "&Bold", stBold},
                                    {"Underline", "&Underlined", stUnderline},
                                    {"StrikeOut", "&StrikeOut", stStrikeOut}};

bool ParseNumber(const std::string& text, double& value) {
  const char* start = text.c_str();
  char* end = nullptr;
  value = std::strtod(start, &end);
  while (*end == ' ') ++end;
  return end != start && *end == '\0' && std::isfinite(value);
}

// The table slot of a font name, taking the first free slot for a new
// one; -1 when the table is full. Slot 0 is never free: an empty name
// there is the script font every element starts with.
int FontSlot(TFontNames& fonts, const std::string& name) {
  int free = -1;
  for (int i = 0; i < FontSlots; ++i) {
    const std::string& entry = fonts[static_cast<std::size_t>(i)];
    if (entry == name) return i;
    if (entry.empty() && free < 0 && i > 0) free = i;
  }
  if (free >= 0) fonts[static_cast<std::size_t>(free)] = name.substr(0, FontNameLength);
  return free;
}

TCheckBox* Check(const TForm& form, const std::string& name) { return DialogControl<TCheckBox>(form, name); }

// An element whose slot holds no name is in the script font.
const std::string& FontOf(const TElementFormat& f, const TFontNames& fonts, const std::string& scriptFont) {
  const std::string& name = fonts[f.FontIndex()];
  return name.empty() ? scriptFont : name;
}

}  // namespace

std::string TenthsText(int tenths) {
  char text[16];
  std::snprintf(text, sizeof text, "%d.%d", tenths / 10, tenths % 10);
  return text;
}

void AddNumberRow(TDialogTable& table, const std::string& parent, const std::string& name, const std::string& caption,
                  TPlace edit) {
  table.push_back({Label, name + "Label", caption, {8, edit.Top + 4, edit.Left - 12, 16}, parent});
  table.push_back({Edit, name, "", edit, parent});
}

void AddElementFormatRows(TDialogTable& table, const std::string& parent, const std::string& prefix) {
  const std::string& p = prefix;
  AddNumberRow(table, parent, p + "Left", "&Left Margin (inches):", {160, 8, 60, 22});
  AddNumberRow(table, parent, p + "Right", "&Right Margin (inches):", {160, 36, 60, 22});
  AddNumberRow(table, parent, p + "Before", "Lines B&efore:", {160, 64, 60, 22});
  AddNumberRow(table, parent, p + "Spacing", "&Interline Spacing:", {160, 92, 60, 22});
  AddNumberRow(table, parent, p + "Size", "Font Si&ze:", {160, 120, 60, 22});
  table.push_back({Label, p + "FontLabel", "&Font:", {8, 152, 148, 16}, parent});
  table.push_back({DropDownList, p + "Font", "", {160, 148, 200, 22}, parent});
  table.push_back({CheckBox, p + "Caps", "All &Capitals", {240, 8, 150, 20}, parent});
  int top = 30;
  for (const TStyleBox& box : StyleBoxes) {
    table.push_back({CheckBox, p + box.Name, box.Caption, {240, top, 150, 20}, parent});
    top += 22;
  }
}

void LoadElementFormat(const TForm& form, const std::string& p, const TElementFormat& f, const TFontNames& fonts,
                       const std::string& scriptFont) {
  DialogControl<TEdit>(form, p + "Left")->Text = TenthsText(f.LeftMargin);
  DialogControl<TEdit>(form, p + "Right")->Text = TenthsText(f.RightMargin);
  DialogControl<TEdit>(form, p + "Before")->Text = TenthsText(f.LinesBefore);
  DialogControl<TEdit>(form, p + "Spacing")->Text = TenthsText(f.Spacing);
  DialogControl<TEdit>(form, p + "Size")->Text = std::to_string(f.FontSize);
  Check(form, p + "Caps")->SetChecked(f.AllCaps != 0);
  for (const TStyleBox& box : StyleBoxes) Check(form, p + box.Name)->SetChecked((f.Style & box.Bit) != 0);
  auto* font = DialogControl<TComboBox>(form, p + "Font");
  font->Items.Clear();
  if (!scriptFont.empty()) font->Items.Add(scriptFont);
  for (int i = 0; i < FontSlots; ++i)
    if (const std::string& name = fonts[static_cast<std::size_t>(i)]; !name.empty() && font->Items.IndexOf(name) < 0)
      font->Items.Add(name);
  if (Screen)
    for (const std::string& family : Screen->Fonts())
      if (font->Items.IndexOf(family) < 0) font->Items.Add(family);
  font->SetItemIndex(font->Items.IndexOf(FontOf(f, fonts, scriptFont)));
}

bool StoreElementFormat(const TForm& form, const std::string& p, TElementFormat& format, TFontNames& fonts,
                        const std::string& scriptFont, std::string& error) {
  TElementFormat f = format;
  TNumberReader read(form, error);
  if (!read.Tenths(p + "Left", "The left margin", 0, 8, f.LeftMargin) ||
      !read.Tenths(p + "Right", "The right margin", 0, 8, f.RightMargin) ||
      !read.Tenths(p + "Before", "Lines before", 0, 9.9, f.LinesBefore) ||
      !read.Tenths(p + "Spacing", "The interline spacing", 0.5, 3, f.Spacing) ||
      !read.Whole(p + "Size", "The font size", 4, 72, f.FontSize))
    return false;
  if (f.LeftMargin + f.RightMargin > MaxMarginSum) {
    error = "The margins leave less than one inch for the text.";
    return false;
  }
  f.AllCaps = Check(form, p + "Caps")->Checked() ? 1 : 0;
  f.Style = 0;
  for (const TStyleBox& box : StyleBoxes)
    if (Check(form, p + box.Name)->Checked()) f.Style |= box.Bit;
  const auto* font = DialogControl<TComboBox>(form, p + "Font");
  // The font shown unchanged keeps the element's slot.
  if (font->ItemIndex() >= 0 && font->Items[font->ItemIndex()] != FontOf(f, fonts, scriptFont)) {
    const int slot = FontSlot(fonts, font->Items[font->ItemIndex()]);
    if (slot < 0) {
      error = "This Script has no room for another font.";
      return false;
    }
    f.SetFontIndex(static_cast<Byte>(slot));
  }
  format = f;
  return true;
}

bool TNumberReader::Tenths(const std::string& name, const char* what, double low, double high, Byte& out) {
  double value = 0;
  if (!Read(name, what, low, high, value)) return false;
  out = static_cast<Byte>(std::lround(value * 10));
  return true;
}

bool TNumberReader::Whole(const std::string& name, const char* what, int low, int high, int& out) {
  double value = 0;
  if (!Read(name, what, low, high, value)) return false;
  if (value != std::floor(value)) return Fail(what, low, high);
  out = static_cast<int>(value);
  return true;
}

bool TNumberReader::Read(const std::string& name, const char* what, double low, double high, double& value) {
  if (ParseNumber(DialogControl<TEdit>(form_, name)->Text(), value) && value >= low && value <= high) return true;
  return Fail(what, low, high);
}

bool TNumberReader::Fail(const char* what, double low, double high) {
  char text[160];
  std::snprintf(text, sizeof text, "%s must be a number from %g to %g.", what, low, high);
  error_ = text;
  return false;
}

}  // namespace qm
