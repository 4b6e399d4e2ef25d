// The controls of one element format (margins and spacing, font, capitals
// and style) that the formats dialog puts on each element page and the
// cheat dialog on its own, with their loading and checked reading.
#pragma once

#include <array>
#include <string>

#include "platform/dialog_builder.h"
#include "script/model/script_document.h"
#include "script/model/script_model.h"

namespace qm {

// The rows, named prefix + "Left", "Right", "Before", "Spacing", "Size",
// "Font", "Caps", "Bold", "Italic", "Underline", "StrikeOut".
void AddElementFormatRows(TDialogTable& table, const std::string& parent, const std::string& prefix);
// A label and an edit for a number, the edit named `name`.
void AddNumberRow(TDialogTable& table, const std::string& parent, const std::string& name, const std::string& caption,
                  TPlace edit);

// The font box shows the element's font: its slot's name, or the script
// font `scriptFont` for a slot without one.
void LoadElementFormat(const TForm& form, const std::string& prefix, const TElementFormat& format,
                       const TFontNames& fonts, const std::string& scriptFont);
// False, with `error` naming the value, when one is outside its limits;
// `format` is then left as it was. A font new to the script takes a free
// slot of `fonts`.
bool StoreElementFormat(const TForm& form, const std::string& prefix, TElementFormat& format, TFontNames& fonts,
                        const std::string& scriptFont, std::string& error);

// Tenths shown as "2.5".
std::string TenthsText(int tenths);

// Reads numbers typed into a form's edits within their limits.
class TNumberReader {
 public:
  TNumberReader(const TForm& form, std::string& error) : form_(form), error_(error) {}
  // A number with one decimal, stored in tenths.
  bool Tenths(const std::string& name, const char* what, double low, double high, Byte& out);
  bool Whole(const std::string& name, const char* what, int low, int high, int& out);
  template <class T>
  bool Whole(const std::string& name, const char* what, int low, int high, T& out) {
    int value = 0;
    if (!Whole(name, what, low, high, value)) return false;
    out = static_cast<T>(value);
    return true;
  }

 private:
  bool Read(const std::string& name, const char* what, double low, double high, double& value);
  bool Fail(const char* what, double low, double high);
  const TForm& form_;
  std::string& error_;
};

}  // namespace qm
