// Dialogs declared as tables. Each row names one control, says what it
// shows and where it sits; the rows' order is the order the Tab key visits
// them. A form builds its table once and then finds its controls by name,
// as code and tests both do.
#pragma once

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/forms.h"

namespace qm {

// Where a control sits in its parent's client area, in pixels. Pages fill
// their page control and ignore it; a label of no width takes its
// caption's size.
struct TPlace {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

enum class TDialogItemKind {
  Label,  // its FocusControl is the next row that takes the focus
  Edit,
  EnterEdit,  // an edit on which Enter, Up and Down move between the controls
  Memo,
  RichEdit,       // a memo whose characters carry styles and colours
  ComboBox,       // a drop-down list with an edit for typing
  EnterComboBox,  // a combo box with the keys of an EnterEdit
  DropDownList,   // a drop-down list to choose from only
  ListBox,
  CheckBox,
  RadioButton,  // exclusive with the radio buttons of the same parent
  RadioGroup,   // a framed group of the row's items, one of them chosen
  GroupBox,     // a framed, captioned parent for the rows that name it
  Panel,        // a plain parent: radio buttons in it form a group of their own
  Bevel,
  PageControl,  // the parent of the pages that name it
  Page,         // one tab sheet; the caption is its tab's
  Button,
  BitButton,     // a button whose stock kind the form sets
  SpeedButton,   // clicked with the mouse only: never a tab stop
  OkButton,      // "OK" unless captioned otherwise; Enter presses it; closes with mrOk
  CancelButton,  // "Cancel" unless captioned otherwise; Escape presses it; closes with mrCancel
  HelpButton,    // "&Help"; disabled until there is a help viewer to open
};

struct TDialogItem {
  TDialogItemKind Kind;
  std::string Name;
  std::string Caption{};
  TPlace Place{};
  // The group box, panel, page control or page of an earlier row (of this
  // table or one built before it), or empty for the form itself.
  std::string Parent{};
  // The entries of a list box, combo box or radio group.
  std::vector<std::string> Items{};
};

using TDialogTable = std::vector<TDialogItem>;

// A table that names a parent not built before the row, a page outside a
// page control, a name twice, or items for a control that holds none.
class EDialogTable : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// Makes the table's controls, in its order, owned by `form`: each takes its
// name, caption, items and place, and comes after what its parent already
// holds, for the Tab key too. A label leads to the next row that takes the
// focus. When the form has no active control yet, the first row that takes
// typing becomes it.
void BuildDialog(TForm& form, std::span<const TDialogItem> table);

// How a dialog's form starts, before its table: its name and caption, the
// dialog border, centred on the screen, `width` by `height` pixels in all.
void SetUpDialogForm(TForm& form, std::string name, std::string caption, int width, int height);

// The same, sized by its client area: the frame comes on top of the table's
// places.
void SetUpDialogFormClient(TForm& form, std::string name, std::string caption, int clientWidth, int clientHeight);

enum TStandardButton : unsigned { sbOK = 1, sbCancel = 2, sbHelp = 4 };

// The standard row "OKBtn", "CancelBtn", "HelpBtn" (those asked for, in that
// order): the first at `first`, each next one `step` pixels to its right.
TDialogTable ButtonRow(unsigned buttons, TPlace first, int step);

// The control a row of the form's table named. A name the table did not
// build, or a control of another kind, is a fault of the program.
template <class T>
T* DialogControl(const TForm& form, std::string_view name) {
  auto* control = dynamic_cast<T*>(form.FindComponent(std::string(name)));
  if (!control) throw EDialogTable(form.Name + " has no control " + std::string(name) + " of that kind");
  return control;
}

}  // namespace qm
