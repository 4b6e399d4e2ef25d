#include "platform/dialog_builder.h"

#include <algorithm>
#include <utility>

#include "platform/enter_controls.h"
#include "platform/rich_edit.h"

namespace qm {

namespace {

using enum TDialogItemKind;

bool TakesFocus(TDialogItemKind kind) {
  switch (kind) {
    case Edit:
    case EnterEdit:
    case Memo:
    case RichEdit:
    case ComboBox:
    case EnterComboBox:
    case DropDownList:
    case ListBox:
    case CheckBox:
    case RadioButton:
    case RadioGroup:
    case Button:
    case BitButton:
    case OkButton:
    case CancelButton:
    case HelpButton: return true;
    default: return false;
  }
}

bool TakesTyping(TDialogItemKind kind) {
  return kind == Edit || kind == EnterEdit || kind == Memo || kind == RichEdit || kind == ComboBox ||
         kind == EnterComboBox;
}

const char* StockCaption(TDialogItemKind kind) {
  switch (kind) {
    case OkButton: return "OK";
    case CancelButton: return "Cancel";
    case HelpButton: return "&Help";
    default: return "";
  }
}

template <class T>
T* Make(TForm& form, TWinControl& parent, const TDialogItem& item) {
  const TPlace& p = item.Place;
  const std::string& caption = item.Caption.empty() ? StockCaption(item.Kind) : item.Caption;
  return MakeControl<T>(&form, &parent, item.Name.c_str(), p.Left, p.Top, p.Width, p.Height, caption);
}

// A label of no width takes its caption's size.
TLabel* MakeLabel(TForm& form, TWinControl& parent, const TDialogItem& item) {
  auto* label = Make<TLabel>(form, parent, item);
  if (item.Place.Width == 0 && !item.Caption.empty()) label->AdjustBounds();
  return label;
}

TTabSheet* MakePage(TForm& form, TWinControl& parent, const TDialogItem& item) {
  auto* pages = dynamic_cast<TPageControl*>(&parent);
  if (!pages) throw EDialogTable("page " + item.Name + " is not inside a page control");
  auto* page = new TTabSheet(&form, pages);
  page->Name = item.Name;
  page->Caption = item.Caption;
  return page;
}

template <typename T = TComboBox>
TComboBox* MakeComboBox(TForm& form, TWinControl& parent, const TDialogItem& item, TComboBoxStyle style) {
  auto* combo = Make<T>(form, parent, item);
  combo->Style = style;
  return combo;
}

TPanel* MakePanel(TForm& form, TWinControl& parent, const TDialogItem& item) {
  auto* panel = Make<TPanel>(form, parent, item);
  panel->BevelOuter = TPanelBevel::bvNone;
  return panel;
}

TButton* MakeStandardButton(TForm& form, TWinControl& parent, const TDialogItem& item, TModalResult result) {
  auto* button = Make<TButton>(form, parent, item);
  button->ModalResult = result;
  button->Default = item.Kind == OkButton;
  button->Cancel = item.Kind == CancelButton;
  // There is no help viewer to open yet.
  if (item.Kind == HelpButton) button->Enabled = false;
  return button;
}

TControl* MakeRow(TForm& form, TWinControl& parent, const TDialogItem& item) {
  switch (item.Kind) {
    case Label: return MakeLabel(form, parent, item);
    case Edit: return Make<TEdit>(form, parent, item);
    case EnterEdit: return Make<TEnterEdit>(form, parent, item);
    case Memo: return Make<TMemo>(form, parent, item);
    case RichEdit: return Make<TRichEdit>(form, parent, item);
    case ComboBox: return MakeComboBox(form, parent, item, TComboBoxStyle::csDropDown);
    case EnterComboBox: return MakeComboBox<TEnterComboBox>(form, parent, item, TComboBoxStyle::csDropDown);
    case DropDownList: return MakeComboBox(form, parent, item, TComboBoxStyle::csDropDownList);
    case ListBox: return Make<TListBox>(form, parent, item);
    case CheckBox: return Make<TCheckBox>(form, parent, item);
    case RadioButton: return Make<TRadioButton>(form, parent, item);
    case RadioGroup: return Make<TRadioGroup>(form, parent, item);
    case GroupBox: return Make<TGroupBox>(form, parent, item);
    case Panel: return MakePanel(form, parent, item);
    case Bevel: return Make<TBevel>(form, parent, item);
    case PageControl: return Make<TPageControl>(form, parent, item);
    case Page: return MakePage(form, parent, item);
    case Button: return Make<TButton>(form, parent, item);
    case BitButton: return Make<TBitBtn>(form, parent, item);
    case SpeedButton: return Make<TSpeedButton>(form, parent, item);
    case OkButton: return MakeStandardButton(form, parent, item, mrOk);
    case CancelButton: return MakeStandardButton(form, parent, item, mrCancel);
    case HelpButton: return MakeStandardButton(form, parent, item, mrNone);
  }
  throw EDialogTable("row " + item.Name + " has no kind");
}

TStringList* ItemsOf(TControl& control) {
  if (auto* list = dynamic_cast<TListBox*>(&control)) return &list->Items;
  if (auto* combo = dynamic_cast<TComboBox*>(&control)) return &combo->Items;
  if (auto* group = dynamic_cast<TRadioGroup*>(&control)) return &group->Items;
  return nullptr;
}

void FillItems(TControl& control, const TDialogItem& item) {
  if (item.Items.empty()) return;
  TStringList* items = ItemsOf(control);
  if (!items) throw EDialogTable("row " + item.Name + " holds no items");
  for (const std::string& entry : item.Items) items->Add(entry);
}

TWinControl& ParentOf(TForm& form, const TDialogItem& item) {
  if (item.Parent.empty()) return form;
  auto* parent = dynamic_cast<TWinControl*>(form.FindComponent(item.Parent));
  if (!parent) throw EDialogTable("row " + item.Name + " names " + item.Parent + ", not built before it");
  return *parent;
}

void CheckNewName(const TForm& form, const TDialogItem& item) {
  if (!item.Name.empty() && form.FindComponent(item.Name)) throw EDialogTable("two rows are named " + item.Name);
}

// A label's FocusControl, the target of its accelerator, is the first row
// after it that takes the focus.
void LeadLabels(std::span<const TDialogItem> table, const std::vector<TControl*>& built) {
  for (size_t i = 0; i < table.size(); ++i) {
    if (table[i].Kind != Label) continue;
    const auto next = std::find_if(table.begin() + static_cast<std::ptrdiff_t>(i) + 1, table.end(),
                                   [](const TDialogItem& row) { return TakesFocus(row.Kind); });
    if (next == table.end()) continue;
    static_cast<TLabel*>(built[i])->FocusControl =
        static_cast<TWinControl*>(built[static_cast<size_t>(next - table.begin())]);
  }
}

}  // namespace

void BuildDialog(TForm& form, std::span<const TDialogItem> table) {
  std::vector<TControl*> built;
  built.reserve(table.size());
  for (const TDialogItem& item : table) {
    CheckNewName(form, item);
    TControl* control = MakeRow(form, ParentOf(form, item), item);
    FillItems(*control, item);
    built.push_back(control);
  }
  LeadLabels(table, built);
  if (form.ActiveControl) return;
  const auto typing =
      std::find_if(table.begin(), table.end(), [](const TDialogItem& row) { return TakesTyping(row.Kind); });
  if (typing != table.end())
    form.ActiveControl = static_cast<TWinControl*>(built[static_cast<size_t>(typing - table.begin())]);
}

namespace {

void SetUpDialogFrame(TForm& form, std::string name, std::string caption) {
  form.Name = std::move(name);
  form.Caption = std::move(caption);
  form.BorderStyle = TFormBorderStyle::bsDialog;
  form.Position = TPosition::poScreenCenter;
}

}  // namespace

void SetUpDialogForm(TForm& form, std::string name, std::string caption, int width, int height) {
  SetUpDialogFrame(form, std::move(name), std::move(caption));
  form.SetBounds(0, 0, width, height);
}

void SetUpDialogFormClient(TForm& form, std::string name, std::string caption, int clientWidth, int clientHeight) {
  SetUpDialogFrame(form, std::move(name), std::move(caption));
  form.SetClientWidth(clientWidth);
  form.SetClientHeight(clientHeight);
}

TDialogTable ButtonRow(unsigned buttons, TPlace first, int step) {
  struct Standard {
    TStandardButton button;
    TDialogItemKind kind;
    const char* name;
  };
  static constexpr Standard standard[] = {
      {sbOK, OkButton, "OKBtn"}, {sbCancel, CancelButton, "CancelBtn"}, {sbHelp, HelpButton, "HelpBtn"}};
  TDialogTable row;
  for (const Standard& s : standard) {
    if (!(buttons & s.button)) continue;
    row.push_back(TDialogItem{s.kind, s.name, "", first});
    first.Left += step;
  }
  return row;
}

}  // namespace qm
