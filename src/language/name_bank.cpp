#include "language/name_bank.h"

#include <algorithm>

#include "base/document_table.h"
#include "base/global_state.h"
#include "base/ini_file.h"
#include "base/message_boxes.h"
#include "base/prompt_table.h"
#include "platform/files.h"
#include "script/editing/editor_calls.h"
#include "script/layout/editor_state.h"
#include "script/model/text_codes.h"
#include "script/script_window.h"
#include "platform/text_trim.h"

namespace qm {

namespace {

TReadNameBank* Shown = nullptr;
const GlobalState reset([] { Shown = nullptr; });

constexpr const char* PageTitles[] = {"Quillmaster Name Bank - 3900 Male Names",
                                      "Quillmaster Name Bank - 4950 Female Names",
                                      "Quillmaster Name Bank - 22,000 Family Names"};
constexpr const char* FavoriteSections[] = {"Favorite Men", "Favorite Women", "Favorite Family"};
constexpr const char* FavoriteKeys[] = {"Man ", "Woman ", "Family "};
constexpr int RecentNames = 5;

TNameList ListAt(std::size_t i) { return static_cast<TNameList>(i + 1); }
std::size_t At(TNameList list) { return static_cast<std::size_t>(list - 1); }

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// The typed text as names are shown: capitals first and after blanks.
std::string Recased(const std::string& typed) {
  std::string out = typed;
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = i == 0 || out[i - 1] == ' ' ? Upper(out[i]) : Lower(out[i]);
  return out;
}

bool BeginsWith(const std::string& name, const std::string& typed) {
  if (name.size() < typed.size()) return false;
  for (std::size_t i = 0; i < typed.size(); ++i)
    if (Lower(name[i]) != Lower(typed[i])) return false;
  return true;
}

std::string SelectedName(const TListBox& list) {
  return list.ItemIndex() >= 0 ? list.Items[list.ItemIndex()] : std::string();
}

void CopyItems(const TListBox& from, TListBox& to) {
  to.Clear();
  for (int i = 0; i < from.Items.Count(); ++i) to.Items.Add(from.Items[i]);
}

void RemoveName(TListBox& list, const std::string& name) {
  if (const int at = list.Items.IndexOf(name); at >= 0) list.Items.Delete(at);
  list.Invalidate();
}

}  // namespace

TReadNameBank* NameBankWindow() { return Shown; }

TReadNameBank::TReadNameBank(TComponent* owner, const TNameBankFile& file) : TForm(owner), file_(file) {
  BuildControls();
  WireControls();
}

void TReadNameBank::WireControls() {
  OnShow = [this](TObject*) { FormShow(); };
  Notebook->OnChange = [this](TObject*) { NotebookChange(Notebook->ActivePageIndex()); };
  for (std::size_t i = 0; i < 3; ++i) {
    const TNameList list = ListAt(i);
    LetterIndex[i]->OnClick = [this, list](TObject*) { LoadNames(list); };
    Match[i]->OnChange = [this, list](TObject*) { MatchChange(list); };
    Match[i]->OnKeyDown = [this, list](TObject*, Word& key, TShiftState) { MatchKeyDown(list, key); };
    Names[i]->OnDblClick = [this, list](TObject*) { NamesDblClick(list); };
    for (TListBox* from : {Favorites[i], Personal[i]}) {
      from->OnDblClick = [this, list, from](TObject*) { FavoritesDblClick(list, *from); };
      from->OnKeyDown = [this, list, from](TObject*, Word& key, TShiftState) { FavoritesKeyDown(list, *from, key); };
    }
    Personal[i]->OnClick = [this, i](TObject*) { lastList_ = static_cast<int>(i); };
  }
  Button1->OnClick = [this](TObject*) { Button1Click(); };
  TypeName->OnClick = [this](TObject*) { TypeNameClick(); };
  WireDragging();
}

namespace {

// The dragged lists by role, three of each (male, female, family).
enum TDragRole { drNames, drFavorites, drPersonal };
TDragRole RoleOf(int list) { return static_cast<TDragRole>(list / 3); }
TNameList KindOf(int list) { return ListAt(static_cast<std::size_t>(list % 3)); }

bool Contains(const TControl& control, TPoint screen) {
  const TPoint p = control.ScreenToClient(screen);
  return control.Visible && p.X >= 0 && p.Y >= 0 && p.X < control.Width && p.Y < control.Height;
}

}  // namespace

void TReadNameBank::WireDragging() {
  dragLists_.clear();
  for (const auto* lists : {&Names, &Favorites, &Personal})
    dragLists_.insert(dragLists_.end(), lists->begin(), lists->end());
  // Only the names and the favourites take a drop, and only names of
  // their own kind.
  drag_.CanDrop = [](int from, int to) { return RoleOf(to) != drPersonal && KindOf(from) == KindOf(to); };
  drag_.Dropped = [this](int from, int item, int to, TPoint) {
    const std::string name = dragLists_[static_cast<std::size_t>(from)]->Items[item];
    if (RoleOf(to) == drFavorites) FavoritesDragDrop(KindOf(to), name);
    else NamesDragDrop(KindOf(to), *dragLists_[static_cast<std::size_t>(from)], name);
  };
  drag_.DroppedOutside = [this](int from, int item, TPoint screen) {
    DropOutside(from, dragLists_[static_cast<std::size_t>(from)]->Items[item], screen);
  };
  drag_.Attach(dragLists_);
}

void TReadNameBank::DropOutside(int from, const std::string& name, TPoint screen) {
  TListBox& list = *dragLists_[static_cast<std::size_t>(from)];
  if (Contains(*InsertName, screen)) InsertNameDragDrop(KindOf(from), name);
  else if (ClientRect().Contains(ScreenToClient(screen))) FormDragDrop(KindOf(from), list, name);
}

void TReadNameBank::FavoritesDragDrop(TNameList list, const std::string& name) { AddFavorite(list, name); }

void TReadNameBank::NamesDragDrop(TNameList list, TListBox& from, const std::string& name) {
  // A name dragged within the names goes nowhere: only a favourite is
  // dragged back off its list.
  if (&from == Names[At(list)]) return;
  RemoveName(*Favorites[At(list)], name);
  RemoveName(*Personal[At(list)], name);
  FavoritesChanged[At(list)] = true;
}

void TReadNameBank::FormDragDrop(TNameList list, TListBox& from, const std::string& name) {
  // Only a favourite or personal name is dragged off its list.
  if (&from == Names[At(list)]) return;
  RemoveFavorite(list, name);
}

void TReadNameBank::InsertNameDragDrop(TNameList list, const std::string& name) { ComposeName(list, name); }

void TReadNameBank::LoadLetter(TNameList list, char letter) {
  TListBox& names = *Names[At(list)];
  // The letter is read from memory at once: no "Please Wait" box, which
  // would take the keyboard from Find Name after its first letter.
  loading_ = true;
  names.Clear();
  for (const std::string& name : file_.ReadLetter(list, letter)) names.Items.Add(name);
  loading_ = false;
  LetterIndex[At(list)]->SetItemIndex(letter - 'A');
  names.SetItemIndex(names.Items.Count() > 0 ? 0 : -1);
  names.TopIndex = 0;
  names.Invalidate();
}

void TReadNameBank::LoadNames(TNameList list) {
  TListBox& index = *LetterIndex[At(list)];
  if (index.ItemIndex() < 0) index.SetItemIndex(0);
  LoadLetter(list, static_cast<char>('A' + index.ItemIndex()));
}

void TReadNameBank::LoadFavorites() {
  for (std::size_t i = 0; i < 3; ++i) CopyItems(*Favorites[i], *Personal[i]);
}

void TReadNameBank::FormShow() {
  const TIniFile ini = OpenSettingsFile();
  BoldName->SetChecked(ini.ReadBool("Name Bank", "Bold Names", false));
  CapTheName->SetChecked(ini.ReadBool("Name Bank", "Capitalize Names", false));
  InsertName->Items.Clear();
  InsertName->Text = ini.ReadString("Inserted Names", "Last Name", "");
  for (int k = 1;; ++k) {
    const std::string name = ini.ReadString("Inserted Names", "Name " + std::to_string(k), "");
    if (name.empty()) break;
    InsertName->Items.Add(name);
  }
  if (InsertName->Items.Count() > 0) InsertName->SetItemIndex(0);
  for (std::size_t i = 0; i < 3; ++i) {
    Favorites[i]->Clear();
    for (int k = 1;; ++k) {
      const std::string name = ini.ReadString(FavoriteSections[i], FavoriteKeys[i] + std::to_string(k), "");
      if (name.empty()) break;
      Favorites[i]->Items.Add(name);
    }
  }
  FavoritesChanged = {};
  LoadFavorites();
  const bool noFavorites =
      std::all_of(Personal.begin(), Personal.end(), [](const TListBox* l) { return l->Items.Count() == 0; });
  if (noFavorites) {
    LoadNames(nlMale);
    Notebook->SetActivePageIndex(1);
  } else {
    Notebook->SetActivePageIndex(0);
  }
  lastPage_ = Notebook->ActivePageIndex();
  TMDIChild* script = ActiveScript();
  TypeName->Enabled = script != nullptr;
  if (script && script->CurrentElement() && script->CurrentElement()->Kind() == ekCharacterName) {
    // A cue is upper case and never bold.
    CapTheName->SetChecked(true);
    CapTheName->Enabled = false;
    BoldName->Enabled = false;
  }
}

void TReadNameBank::NotebookChange(int page) {
  if (lastPage_ >= 1) lastList_ = ListOfPage(lastPage_);
  lastPage_ = page;
  if (page <= 0) {
    Caption = "Quillmaster Name Bank";
    if (std::any_of(FavoritesChanged.begin(), FavoritesChanged.end(), [](bool b) { return b; })) LoadFavorites();
    // The personal list of the names page just left has the keyboard.
    TListBox& personal = *Personal[static_cast<std::size_t>(lastList_)];
    if (personal.CanFocus()) personal.SetFocus();
    return;
  }
  const std::size_t i = static_cast<std::size_t>(ListOfPage(page));
  Caption = PageTitles[i];
  TListBox& index = *LetterIndex[i];
  const std::string personal = SelectedName(*Personal[i]);
  const bool shown = Names[i]->Items.Count() > 0 && index.ItemIndex() >= 0 &&
                     (personal.empty() || personal[0] == 'A' + index.ItemIndex());
  if (!shown) {
    if (!personal.empty() && Upper(personal[0]) >= 'A' && Upper(personal[0]) <= 'Z')
      index.SetItemIndex(Upper(personal[0]) - 'A');
    LoadNames(ListAt(i));
  }
  if (Match[i]->CanFocus()) Match[i]->SetFocus();
}

void TReadNameBank::MatchChange(TNameList list) {
  // Keys typed while a letter loads come back here: the load in progress
  // reads the text again when it is done.
  if (loading_) return;
  std::string typed;
  for (;;) {
    typed = Recased(Match[At(list)]->Text);
    if (typed.empty() || typed[0] < 'A' || typed[0] > 'Z') return;
    if (LetterIndex[At(list)]->ItemIndex() == typed[0] - 'A') break;
    LoadLetter(list, typed[0]);
  }
  TListBox& names = *Names[At(list)];
  const int count = names.Items.Count();
  const int from = std::max(0, names.ItemIndex());
  // From the selection on, then from the top, so that a shorter text
  // still finds the first name it fits.
  for (int n = 0; n < count; ++n) {
    const int i = (from + n) % count;
    if (BeginsWith(names.Items[i], typed)) {
      names.SetItemIndex(i);
      // The found name at the top of the list, where it is seen.
      names.TopIndex = i;
      names.Invalidate();
      return;
    }
  }
}

void TReadNameBank::MatchKeyDown(TNameList list, Word& key) {
  if (key != VK_RETURN) return;
  const std::string typed = TrimBlanks(Match[At(list)]->Text());
  if (typed.empty()) return;
  key = 0;
  const std::string name = CapitalizeBankName(list == nlFamily, Recased(typed));
  if (Names[At(list)]->Items.IndexOf(name) < 0 && Favorites[At(list)]->Items.IndexOf(name) < 0) {
    if (AskYesNo("Add " + name + " to favorite Names?", PromptTable(31), true)) AddFavorite(list, name);
    return;
  }
  NamesDblClick(list);
}

void TReadNameBank::AddFavorite(TNameList list, const std::string& name) {
  TListBox& favorites = *Favorites[At(list)];
  if (name.empty() || favorites.Items.IndexOf(name) >= 0) return;
  favorites.Items.Add(name);
  favorites.Invalidate();
  FavoritesChanged[At(list)] = true;
}

void TReadNameBank::NamesDblClick(TNameList list) { AddFavorite(list, SelectedName(*Names[At(list)])); }

void TReadNameBank::ComposeName(TNameList list, const std::string& name) {
  std::string text = InsertName->Text;
  const std::size_t blank = text.find(' ');
  if (list == nlFamily) {
    text = text.substr(0, blank) + " " + name;
  } else {
    // A text without a blank is a first name alone: the new one replaces it.
    text = name + " " + (blank == std::string::npos ? std::string() : text.substr(blank + 1));
  }
  InsertName->Text = text;
}

void TReadNameBank::FavoritesDblClick(TNameList list, TListBox& from) {
  const std::string name = SelectedName(from);
  if (name.empty()) return;
  if (InsertName->ItemIndex() > 0 && InsertName->Text() == InsertName->Items[InsertName->ItemIndex()])
    InsertName->Text = std::string();
  ComposeName(list, name);
}

void TReadNameBank::FavoritesKeyDown(TNameList list, TListBox& from, Word& key) {
  if (key != VK_DELETE) return;
  key = 0;
  RemoveFavorite(list, SelectedName(from));
}

void TReadNameBank::RemoveFavorite(TNameList list, const std::string& name) {
  if (name.empty() || !AskYesNo("Remove the name \"" + name + "\" from your Favorite List?", PromptTable(3), false))
    return;
  RemoveName(*Favorites[At(list)], name);
  RemoveName(*Personal[At(list)], name);
  FavoritesChanged[At(list)] = true;
}

void TReadNameBank::TypeNameClick() {
  TMDIChild* script = ActiveScript();
  std::string name = TrimBlanks(InsertName->Text());
  if (!script || name.empty()) return;
  editor::SaveUndoStep(*script, 1);
  editor::SetActiveScriptModified();
  if (CapTheName->Checked())
    for (char& c : name) c = Upper(c);
  if (BoldName->Checked() && BoldName->Enabled)
    name = std::string(1, static_cast<char>(BoldOn)) + name + static_cast<char>(BoldOff);
  const Byte insertMode = InsertMode;
  InsertMode = 1;
  const auto type = [script](char ch) {
    if (!editor::TypeIntoActiveScript(ch)) return false;
    editor::SetCaretColumn(*script, script->CaretColumn() + 1);
    return true;
  };
  const std::string& line = script->EditBuffer();
  if (script->CaretColumn() > 0 && script->CaretColumn() <= line.size() && line[script->CaretColumn() - 1u] != ' ')
    type(' ');
  bool typed = true;
  for (char ch : name) typed = typed && type(ch);
  if (typed && (script->CaretColumn() >= line.size() || line[script->CaretColumn()] != ' ')) {
    type(' ');
  }
  InsertMode = insertMode;
  editor::RedisplayCurrent(*script);
}

void TReadNameBank::Button1Click() {
  if (!AskTypeYes("Do you REALLY want to clear out all Personal Name lists?\r\n\r\nTo remove a single name, cancel "
                  "this and then simply drag that name off the list, otherwise...",
                  PromptTable(19)))
    return;
  for (std::size_t i = 0; i < 3; ++i) {
    Favorites[i]->Clear();
    Personal[i]->Clear();
    FavoritesChanged[i] = true;
  }
}

void TReadNameBank::SaveSettings() {
  try {
    TIniFile ini = OpenSettingsFile();
    if (BoldName->Enabled) ini.WriteBool("Name Bank", "Bold Names", BoldName->Checked());
    if (CapTheName->Enabled) ini.WriteBool("Name Bank", "Capitalize Names", CapTheName->Checked());
    const std::string text = InsertName->Text;
    if (InsertName->Items.IndexOf(text) < 0 || InsertName->Items.Count() == 0) {
      ini.EraseSection("Inserted Names");
      ini.WriteString("Inserted Names", "Last Name", text);
      // The new name heads the drop-down list next time.
      std::vector<std::string> recent;
      if (!TrimBlanks(text).empty()) recent.push_back(text);
      for (int k = 0; k < InsertName->Items.Count(); ++k) recent.push_back(InsertName->Items[k]);
      for (std::size_t k = 0; k < std::min<std::size_t>(RecentNames, recent.size()); ++k)
        ini.WriteString("Inserted Names", "Name " + std::to_string(k + 1), recent[k]);
    }
    for (std::size_t i = 0; i < 3; ++i) {
      if (!FavoritesChanged[i]) continue;
      ini.EraseSection(FavoriteSections[i]);
      for (int k = 0; k < Favorites[i]->Items.Count(); ++k)
        ini.WriteString(FavoriteSections[i], FavoriteKeys[i] + std::to_string(k + 1), Favorites[i]->Items[k]);
    }
  } catch (const EIniFileError& error) {
    ShowMessageBox(error.what(), "Attention");
  }
}

void ShowNameBank() {
  if (Shown) {
    Shown->SetFocus();
    return;
  }
  TNameBankFile file;
  switch (file.Open(ProgramFolder() + "NAMEBANK.FIL")) {
    case TNameBankFile::TOpen::Missing: ShowMessageBox("Cannot find the Name Bank", "Attention"); return;
    case TNameBankFile::TOpen::Unreadable: ShowMessageBox("Unable to Open the Name Bank", "Attention"); return;
    case TNameBankFile::TOpen::Opened: break;
  }
  {
    TReadNameBank form(Application, file);
    Shown = &form;
    form.ShowModal();
    form.SaveSettings();
    Shown = nullptr;
  }
  if (TMDIChild* script = ActiveScript()) editor::RedisplayCurrent(*script);
}

}  // namespace qm
