// The revision draft colour dialog's logic and the command that runs it.
#include <algorithm>

#include "base/message_boxes.h"
#include "files/format_files.h"
#include "formats/revision_drafts.h"
#include "platform/cp1252.h"
#include "platform/platform.h"
#include "script/editing/document_modified.h"
#include "script/layout/screen_rebuild.h"
#include "script/script_window.h"
#include "shell/revision_colors_dialog.h"
#include "shell/screen_colors_dialog.h"

namespace qm {

namespace {

constexpr const char* LoopWords[3][2] = {{"DOUBLE", "Double"}, {"SECOND", "Second"}, {"2ND", "2nd"}};

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

// A name counts as written in capitals when it has no lower-case letter.
bool WrittenInCapitals(const std::string& name) { return AnsiUpperCase(name) == name; }

// The loop style whose prefix begins one of the names, or -1.
int LoopStyleOfNames(const std::vector<TDraftColorEntry>& entries) {
  for (const TDraftColorEntry& e : entries)
    for (int style = 1; style <= 3; ++style)
      if (StartsWith(AnsiUpperCase(e.Name), std::string(LoopWords[style - 1][0]) + " ")) return style;
  return -1;
}

}  // namespace

std::vector<std::string> LoopChoices(const std::string& firstName) {
  std::vector<std::string> choices{"Don't Loop Colors"};
  const int form = WrittenInCapitals(firstName) ? 0 : 1;
  for (const auto& words : LoopWords)
    choices.push_back("Loop to: \"" + std::string(words[form]) + " " + firstName + "\"");
  return choices;
}

bool IsLoopedDraftName(const std::string& name, int loopStyle) {
  const std::string upper = AnsiUpperCase(name);
  for (const char* prefix : {"DOUBLE ", "TRIPLE ", "QUADRUPLE ", "QUINTUPLE "})
    if (StartsWith(upper, prefix)) return true;
  return loopStyle >= 1 && loopStyle <= 3 && StartsWith(upper, std::string(LoopWords[loopStyle - 1][0]) + " ");
}

void TRevisionColorDlg::SetEntries(std::vector<TDraftColorEntry> entries, int current, int loop, bool display) {
  Entries = std::move(entries);
  Refresh();
  TheColorList->SetItemIndex(current >= 0 && current < static_cast<int>(Entries.size()) ? current : -1);
  LoopGroup->SetItemIndex(std::clamp(loop, 0, 3));
  DisplayBox->SetChecked(display);
  Refresh();
}

void TRevisionColorDlg::Refresh() {
  const int selected = TheColorList->ItemIndex();
  const int loop = LoopGroup->ItemIndex();
  TheColorList->Items.Clear();
  for (const TDraftColorEntry& e : Entries) TheColorList->Items.Add(e.Name);
  TheColorList->SetItemIndex(std::min(selected, static_cast<int>(Entries.size()) - 1));
  LoopGroup->Items.Clear();
  for (const std::string& choice : LoopChoices(Entries.empty() ? std::string() : Entries.front().Name))
    LoopGroup->Items.Add(choice);
  LoopGroup->SetItemIndex(loop);
  const std::string name = Edit1->Text();
  const bool known = std::any_of(Entries.begin(), Entries.end(), [&](const auto& e) { return e.Name == name; });
  AddBtn->Enabled = !name.empty() && !known;
  PageColorBtn->Enabled = DisplayBox->Checked();
  const int current = TheColorList->ItemIndex();
  const TColor shown = current >= 0 ? Entries[static_cast<std::size_t>(current)].Color : clNone;
  SamplePanel->Visible = DisplayBox->Checked();
  SamplePanel->Color = shown == clNone ? clWhite : shown;
}

void TRevisionColorDlg::MoveEntry(int from, int to) {
  const int count = static_cast<int>(Entries.size());
  if (from < 0 || from >= count || to < 0 || to >= count || from == to) return;
  const TDraftColorEntry moved = Entries[static_cast<std::size_t>(from)];
  Entries.erase(Entries.begin() + from);
  Entries.insert(Entries.begin() + to, moved);
  TheColorList->SetItemIndex(to);
  Refresh();
}

void TRevisionColorDlg::AddColor() {
  if (!AddBtn->Enabled()) return;
  Entries.push_back({Edit1->Text(), clNone});
  TheColorList->SetItemIndex(-1);
  Refresh();
  TheColorList->SetItemIndex(static_cast<int>(Entries.size()) - 1);
  Edit1->Clear();
}

void TRevisionColorDlg::EditColor() {
  const int current = TheColorList->ItemIndex();
  if (current < 0) {
    ShowMessageBox("You have to select a color before you can edit it!", "Attention");
    return;
  }
  // A new name in the field renames the entry; otherwise the field takes
  // the entry's name to be changed.
  const std::string name = Edit1->Text();
  const bool known = std::any_of(Entries.begin(), Entries.end(), [&](const auto& e) { return e.Name == name; });
  if (!name.empty() && !known) {
    Entries[static_cast<std::size_t>(current)].Name = name;
    Edit1->Clear();
  } else {
    Edit1->Text = Entries[static_cast<std::size_t>(current)].Name;
  }
  Refresh();
}

void TRevisionColorDlg::DeleteColor() {
  const int current = TheColorList->ItemIndex();
  if (Entries.size() <= 1) {
    ShowMessageBox("You cannot remove ALL Colors from the list!", "Attention");
    return;
  }
  if (current < 0) {
    ShowMessageBox("There is no Color Selected to remove!", "Attention");
    return;
  }
  if (!AskYesNo("Remove " + Entries[static_cast<std::size_t>(current)].Name + "?", "Attention", false)) return;
  Entries.erase(Entries.begin() + current);
  TheColorList->SetItemIndex(-1);
  Edit1->Clear();
  Refresh();
}

void TRevisionColorDlg::SetPageColor() {
  const int current = TheColorList->ItemIndex();
  if (current < 0) {
    ShowMessageBox("You MUST select a Color First...", "Attention");
    return;
  }
  TDraftColorEntry& entry = Entries[static_cast<std::size_t>(current)];
  if (IsLoopedDraftName(entry.Name, LoopGroup->ItemIndex())) {
    ShowMessageBox("This is a LOOPED COLOR whose display color is set automatically based on its non-Looped Source "
                   "Color.  To change this Looped color's display, change its source color.",
                   "Attention");
    return;
  }
  TColorDialog picker(nullptr);
  SetCustomColors(picker, entry.Color == clNone ? clWhite : entry.Color);
  if (!picker.Execute()) return;
  entry.Color = picker.Color;
  Refresh();
}

void TRevisionColorDlg::OKBtnClick() {
  if (TheColorList->ItemIndex() < 0 && !Entries.empty()) {
    if (AskYesNo("You haven't selected a Revision Color!\r\n\r\nSet it to " + Entries.front().Name + "?", "Attention",
                 false))
      TheColorList->SetItemIndex(0);
  }
  ModalResult = mrOk;
}

void ShowRevisionColorDialog(TMDIChild& script) {
  if (RevisionMarksInForce(script) &&
      !AskTypeYes("You have NOT yet removed all current Revision Marks and/or fixed the Headers!  Changing the Draft "
                  "Color in this state will cause existing pages to pick up the new Revision Draft Color!\r\n\r\n"
                  "Are you SURE you want to continue?",
                  "WARNING!"))
    return;
  TRevisionColorDlg dialog(nullptr);
  dialog.TheColorList->OnKeyDown = [&dialog](TObject*, Word& key, TShiftState) {
    if (key != VK_DELETE) return;
    dialog.DeleteColor();
    key = 0;
  };
  std::vector<TDraftColorEntry> entries;
  for (int i = 0; i < script.RevisionColours.Count(); ++i)
    entries.push_back({script.RevisionColours[i], script.RevisionColourOf(i)});
  dialog.SetEntries(std::move(entries), script.CurrentRevision, script.RevisionLoopStyle,
                    RevisionDraftListOf(script).showPageColours);
  if (dialog.ShowModal() != mrOk) return;

  entries = dialog.Entries;
  // Looped entries show their source colour's display colour.
  for (TDraftColorEntry& e : entries) {
    if (!IsLoopedDraftName(e.Name, dialog.Loop())) continue;
    const std::string source = e.Name.substr(e.Name.find(' ') + 1);
    for (const TDraftColorEntry& s : dialog.Entries)
      if (s.Name == source) e.Color = s.Color;
  }
  TRevisionDraftList list;
  for (const TDraftColorEntry& e : entries) list.drafts.push_back({e.Name, e.Color});
  // Without a chosen colour the script keeps its draft where the list allows.
  if (dialog.Current() >= 0) list.current = dialog.Current();
  else list.current = script.CurrentRevision < entries.size() ? script.CurrentRevision : 0;
  const int named = LoopStyleOfNames(dialog.Entries);
  list.loopChoice = static_cast<Byte>(dialog.Loop() == 0 && named > 0 ? named : std::max(0, dialog.Loop()));
  list.showPageColours = dialog.DisplayBox->Checked();
  SetRevisionDraftList(script, list);
  SetDocumentModified(true, false);
  if (dialog.DefaultsBox->Checked()) SaveRevisionColoursAsDefaults(script);
  RebuildScreen(&script);
  script.RedisplayScreen(true);
}

}  // namespace qm
