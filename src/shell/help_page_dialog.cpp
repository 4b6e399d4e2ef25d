#include "shell/help_page_dialog.h"

#include <string_view>

#include "base/message_boxes.h"
#include "platform/dialog_builder.h"

namespace qm {

namespace {

using enum TDialogItemKind;

constexpr TPlace kPagePlace{104, 8, 490, 320};
constexpr std::string_view kHeaderItem = "HeaderLabel";

TDialogTable PagesTable() {
  return {
      {Label, "ProgramIcon", "QM", {24, 16, 56, 40}},
      {Panel, "DefaultPage", "", kPagePlace},
      {Panel, "NoFeathersPage", "", kPagePlace},
      {Label,
       "NoFeathersLabel",
       "No feathers were harmed in the writing of this script.",
       {40, 140, 400, 16},
       "NoFeathersPage"},
  };
}

// The parts of the sample page; the header is a title-page text, made
// apart because the table's labels are plain ones.
TDialogTable SamplePageTable() {
  TDialogTable table;
  for (const THelpPageItem& item : HelpPageItems())
    if (item.name != kHeaderItem)
      table.push_back({Label, item.name, item.caption, {item.left, item.top, item.width, 16}, "DefaultPage"});
  return table;
}

}  // namespace

THelpPageDialog::THelpPageDialog(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "HelpPageDialog", "Click on Text in Page for Information....", 610, 410);
  BuildDialog(*this, PagesTable());
  BuildDialog(*this, SamplePageTable());
  BuildDialog(*this, ButtonRow(sbOK, {514, 334, 80, 25}, 0));
  DefaultPage = DialogControl<TPanel>(*this, "DefaultPage");
  NoFeathersPage = DialogControl<TPanel>(*this, "NoFeathersPage");
  ProgramIcon = DialogControl<TLabel>(*this, "ProgramIcon");
  OKBtn = DialogControl<TButton>(*this, "OKBtn");
  for (TPanel* page : {DefaultPage, NoFeathersPage}) {
    page->Color = clWhite;
    page->BevelOuter = TPanelBevel::bvLowered;
  }
  for (const THelpPageItem& item : HelpPageItems()) {
    TLabel* label = nullptr;
    if (item.name == kHeaderItem) {
      auto* header =
          MakeControl<TTitlePageLabel>(this, DefaultPage, item.name, item.left, item.top, item.width, 16, item.caption);
      header->SetTrueLeft(static_cast<std::int16_t>(item.left));
      header->SetTrueTop(static_cast<std::int16_t>(item.top));
      label = header;
    } else {
      label = DialogControl<TLabel>(*this, item.name);
    }
    // The parts print on the white page.
    label->Transparent = true;
    label->Color = clWhite;
    label->Cursor = crHandPoint;
    label->OnClick = [this](TObject* sender) { ItemClick(sender); };
  }
  ProgramIcon->Font.Size = 16;
  ProgramIcon->Font.Style = fsBold;
  ProgramIcon->Font.Color = clNavy;
  ProgramIcon->OnClick = [this](TObject* sender) { ProgramIconClick(sender); };
  NoFeathersPage->OnClick = [this](TObject* sender) { NoFeathersClick(sender); };
  auto* noFeathers = DialogControl<TLabel>(*this, "NoFeathersLabel");
  noFeathers->Transparent = true;
  noFeathers->Color = clWhite;
  noFeathers->OnClick = [this](TObject* sender) { NoFeathersClick(sender); };
  ShowPage(false);
}

std::string THelpPageDialog::ActivePageName() const { return NoFeathersPage->Visible ? "No Feathers" : "Default"; }

void THelpPageDialog::ItemClick(TObject* sender) {
  const auto* label = dynamic_cast<const TComponent*>(sender);
  if (!label) return;
  for (const THelpPageItem& item : HelpPageItems())
    if (label->Name == item.name) ShowMessageBox(item.explanation, item.title);
}

void THelpPageDialog::ProgramIconClick(TObject*) { ShowPage(true); }

void THelpPageDialog::NoFeathersClick(TObject*) { ShowPage(false); }

void THelpPageDialog::ShowPage(bool noFeathers) {
  DefaultPage->Visible = !noFeathers;
  NoFeathersPage->Visible = noFeathers;
}

void ShowQuickHelpPage() {
  THelpPageDialog dialog(Application);
  dialog.ShowModal();
}

}  // namespace qm
