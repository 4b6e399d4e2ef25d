#include "language/thesaurus/thesaurus_window.h"

#include <algorithm>

#include "platform/clipboard.h"

namespace qm::thesaurus {

namespace {

constexpr int ScrollBarWidth = 16;
constexpr int MemoMargin = 12;

// Lines a text takes when wrapped at `width` pixels by its words.
int WrappedLines(const TCanvas& canvas, const std::string& text, int width) {
  int lines = 1;
  int lineWidth = 0;
  const int blank = canvas.TextWidth(" ");
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const int w = canvas.TextWidth(std::string_view(text).substr(start, end - start));
    if (lineWidth > 0 && lineWidth + blank + w > width) {
      ++lines;
      lineWidth = w;
    } else {
      lineWidth += (lineWidth > 0 ? blank : 0) + w;
    }
    start = end + 1;
  }
  return lines;
}

void Fill(TStringList& items, const std::vector<std::string>& lines) {
  items.BeginUpdate();
  items.Clear();
  for (const auto& line : lines) items.Add(line);
  items.EndUpdate();
}

std::string FirstUpper(std::string s) {
  if (s.empty()) return " ";
  if (s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 32);
  return s;
}

}  // namespace

// ---- The definition memo and its number ----

TDefEdit::TDefEdit(TWWForm& form, TWinControl* parent, int left, int top, int width, int height)
    : TMemo(&form), form_(form) {
  SetParent(parent);
  SetBounds(left, top, width, height);
  ReadOnly = true;
  WordWrap = true;
  TabStop = true;
  OnEnter = [this](TObject*) { form_.DefinitionEnter(*this); };
  OnExit = [this](TObject*) { form_.DefinitionExit(); };
  OnKeyUp = [this](TObject*, Word&, TShiftState) { form_.DefinitionSelectionChanged(*this); };
  OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { form_.DefinitionSelectionChanged(*this); };
}

void TDefEdit::KeyDown(Word& key, TShiftState shift) {
  const bool plain = !shift.Contains(ssShift) && !shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
  switch (key) {
    case VK_PRIOR:
    case VK_NEXT: {
      const int page = form_.Defs->ClientHeight();
      form_.ScrollDefinitions(form_.DefsScroll->Position + (key == VK_PRIOR ? -page : page));
      break;
    }
    case VK_UP:
    case VK_DOWN:
      if (!plain) return TMemo::KeyDown(key, shift);
      form_.FocusDefinition(*this, key == VK_UP ? -1 : 1);
      break;
    case VK_TAB:
      if (shift.Contains(ssShift)) form_.KeyWord->SetFocus();
      else form_.ViewTabs->SetFocus();
      break;
    case VK_RETURN:
      if (Label) form_.SenseLabelClick(*Label);
      break;
    default: return TMemo::KeyDown(key, shift);
  }
  key = 0;
}

TSenseNumberLabel::TSenseNumberLabel(TWinControl* parent, int left, int top, int width, int height) : TLabel(parent) {
  SetParent(parent);
  AutoSize = false;
  Alignment = TAlignment::taRightJustify;
  Cursor = crArrow;
  SetBounds(left, top, width, height);
}

// ---- Looking up ----

void TWWForm::SetWord(const std::string& word) {
  currentWord_ = word;
  KeyWord->Text = word;
}

std::vector<std::string> TWWForm::WordsBesides() const { return database_.Lookup().ShownWords(); }

bool TWWForm::Lookup() {
  relation_ = relSynonyms;
  database_.SetWord(currentWord_);
  TWordLookup& lookup = database_.Lookup();
  found_ = !lookup.Senses().empty();
  selectedLabel_ = nullptr;
  ShowDefinitions();
  SetClassButtons();
  if (percent_ < 100) {
    if (!WordsBesides().empty()) {
      Fill(Synonyms->Items, lookup.RelatedWords(relSynonyms));
    } else if (lookup.RelationMask() & (1u << relTypeOf)) {
      relation_ = relTypeOf;
      Fill(Synonyms->Items, lookup.RelatedWords(relTypeOf));
    } else {
      Synonyms->Items.Clear();
    }
    FillTabs();
  }
  if (found_) {
    PreviousBut->Enabled = KeyWord->Items.Count() > 0;
    if (KeyWord->Items.Count() == 0 || KeyWord->Items[KeyWord->Items.Count() - 1] != currentWord_)
      KeyWord->Items.Add(currentWord_);
    historyPosition_ = KeyWord->Items.Count() - 1;
  } else {
    if (percent_ < 100) {
      std::vector<std::string> window;
      const int place = database_.WordWindow(window, 20);
      Fill(Synonyms->Items, window);
      Synonyms->SetItemIndex(window.empty() ? -1 : place);
    }
    if (!currentWord_.empty()) {
      auto* missing = MakeControl<TLabel>(this, Defs, "NotFoundLabel", 4, 4, 0, 0, "Word not found: " + currentWord_);
      defControls_.push_back(missing);
    }
  }
  return found_;
}

void TWWForm::SetClassButtons() {
  const TWordLookup& lookup = database_.Lookup();
  TSpeedButton* buttons[] = {NounButton, VerbButton, AdjButton, AdvButton};
  for (int c = 0; c < 4; ++c) {
    bool shown = false;
    for (const TSynset* s : lookup.Shown()) shown |= s->WordClass == c;
    buttons[c]->Enabled = found_ && shown;
    buttons[c]->Down = false;
  }
}

void TWWForm::Search() {
  const int cursor = Screen->Cursor();
  Screen->SetCursor(crHourGlass);
  currentWord_ = KeyWord->Text;
  try {
    Lookup();
  } catch (const EWWError& e) {
    Screen->SetCursor(cursor);
    throw;
  }
  SearchButton->Enabled = false;
  CopyButton->Enabled = false;
  LookupButton->Enabled = false;
  selectedDefinition_ = nullptr;
  Screen->SetCursor(cursor);
}

void TWWForm::SearchButtonClick() { Search(); }

std::string TWWForm::SelectedText() const {
  if (selectedDefinition_) {
    std::string text = selectedDefinition_->Lines.Text();
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
  }
  const int index = Synonyms->ItemIndex();
  return index >= 0 ? Synonyms->Items[index] : std::string();
}

// ---- Relations ----

void TWWForm::ViewTabsChange() {
  TTabSheet* page = ViewTabs->ActivePage();
  if (!page) return;
  for (int r = 0; r < RelationCount; ++r)
    if (page->Caption() == RelationNames[r]) relation_ = r;
  SetRelatedWords();
  CopyButton->Enabled = false;
  LookupButton->Enabled = false;
}

void TWWForm::SetRelatedWords() {
  const int cursor = Screen->Cursor();
  Screen->SetCursor(crHourGlass);
  Fill(Synonyms->Items, database_.Lookup().RelatedWords(relation_));
  Screen->SetCursor(cursor);
}

void TWWForm::FillTabs() {
  if (percent_ >= 100) return;
  while (ViewTabs->PageCount() > 0) delete ViewTabs->Pages(ViewTabs->PageCount() - 1);
  const TWordLookup& lookup = database_.Lookup();
  if (lookup.Shown().empty()) return;
  auto add = [this](int relation) {
    auto* page = new TTabSheet(this, ViewTabs);
    page->Caption = RelationNames[relation];
    page->Tag = relation;
    return page;
  };
  TTabSheet* current = nullptr;
  if (!WordsBesides().empty()) {
    TTabSheet* page = add(relSynonyms);
    if (relation_ == relSynonyms) current = page;
  }
  for (int r = 0; r < relSynonyms; ++r) {
    if (!(lookup.RelationMask() & (1u << r))) continue;
    TTabSheet* page = add(r);
    if (relation_ == r) current = page;
  }
  auto onChange = std::move(ViewTabs->OnChange);
  ViewTabs->SetActivePage(current);
  ViewTabs->OnChange = std::move(onChange);
}

void TWWForm::RefreshRelation() {
  if (relation_ != relSynonyms && !(database_.Lookup().RelationMask() & (1u << relation_))) relation_ = relSynonyms;
  SetRelatedWords();
  FillTabs();
}

void TWWForm::SynonymsClick() {
  const bool selected = Synonyms->ItemIndex() >= 0;
  if (selected && selectedDefinition_) selectedDefinition_ = nullptr;
  CopyButton->Enabled = selected;
  LookupButton->Enabled = selected;
}

void TWWForm::SynonymsDblClick() {
  if (DoubleClickAction == TListDoubleClickAction::ldcReturnWord) {
    ModalResult = mrOk;
    return;
  }
  const int index = Synonyms->ItemIndex();
  if (index < 0) return;
  std::string word = Synonyms->Items[index];
  if (!word.empty() && word.back() == '*') word.pop_back();
  KeyWord->Text = word;
  SearchButton->Click();
}

void TWWForm::LookupButtonClick() {
  KeyWord->Text = SelectedText();
  SearchButton->Click();
}

void TWWForm::PreviousButClick() {
  if (historyPosition_ <= 0) return;
  const int position = historyPosition_ - 1;
  const int entries = KeyWord->Items.Count();
  KeyWord->Text = KeyWord->Items[position];
  Search();
  // The look-up appended the word again: the history keeps its entries.
  if (KeyWord->Items.Count() > entries) KeyWord->Items.Delete(KeyWord->Items.Count() - 1);
  historyPosition_ = position;
  PreviousBut->Enabled = historyPosition_ > 0;
}

void TWWForm::CopyButtonClick() {
  if (OnCopyClick) OnCopyClick(this);
  switch (CopyAction) {
    case TCopyButtonPressAction::cbpCopyClipboard: Clipboard()->SetAsText(SelectedText()); break;
    case TCopyButtonPressAction::cbpNoAction: break;
    case TCopyButtonPressAction::cbpCloseAndReturn: ModalResult = mrOk; break;
  }
}

void TWWForm::WordTypeButClick(TSpeedButton& button) {
  if (selectedLabel_) {
    Deselect(*selectedLabel_);
    database_.Lookup().SelectSense(-1);
  }
  if (!button.Down) {
    database_.Lookup().SetClassFilter(AllWordClasses);
  } else {
    database_.Lookup().SetClassFilter(static_cast<TWordClassSet>(1u << button.Tag));
    ScrollDefinitions(classTops_[static_cast<std::size_t>(button.Tag)]);
  }
  RefreshRelation();
}

// ---- Definitions ----

void TWWForm::ClearDefinitions() {
  for (TControl* control : defControls_) delete control;
  defControls_.clear();
  definitions_.clear();
  selectedLabel_ = nullptr;
  selectedDefinition_ = nullptr;
  scrollTop_ = 0;
}

void TWWForm::ShowDefinitions() {
  if (percent_ == 0) return;
  if (!Visible) Relayout();
  notedDefsWidth_ = Defs->Width;
  ClearDefinitions();
  classTops_.fill(0);
  if (currentWord_.empty() || !found_) return;
  DefsScroll->Visible = false;
  const int usable = Defs->ClientWidth() - ScrollBarWidth - 2;
  Canvas.Font.Assign(Defs->Font);
  const int labelWidth = Canvas.TextWidth("99.") + 1;
  const int lineHeight = std::max(LookupLab->Height(), Canvas.TextHeight("Xy"));
  const int left = labelWidth + labelWidth / 5;
  int top = 0;
  int number = 0;
  const TSynset* previous = nullptr;
  std::array<bool, 4> classNoted{};
  const auto& senses = database_.Lookup().Senses();
  for (std::size_t i = 0; i < senses.size(); ++i) {
    const TSynset& sense = *senses[i];
    if (!previous || previous->HeadWord != sense.HeadWord || previous->WordClass != sense.WordClass) {
      std::string caption = std::string(WordClassNames[sense.WordClass]) + ": " + sense.HeadWord;
      const std::string forms = database_.Morpher().FormsLine(sense.HeadWord, sense.WordClass);
      if (!forms.empty()) caption += " (" + forms + ")";
      auto* heading = MakeControl<TLabel>(this, Defs, "", 2, top == 0 ? 0 : top + 3, 0, 0, caption);
      heading->Font.Assign(Defs->Font);
      heading->Font.Style = fsBold;
      heading->Height = lineHeight;
      defControls_.push_back(heading);
      if (sense.WordClass < 4 && !classNoted[sense.WordClass]) {
        classNoted[sense.WordClass] = true;
        classTops_[sense.WordClass] = heading->Top;
      }
      top = heading->Top + heading->Height + 2;
      number = 0;
    }
    previous = &sense;
    auto* definition = new TDefEdit(*this, Defs, left, top, usable - left, lineHeight);
    definition->Lines.SetText(FirstUpper(sense.Gloss));
    // The memo's frame and margins take some of its width and height.
    const int lines = WrappedLines(Canvas, definition->Lines.Text(), usable - left - MemoMargin);
    auto* label = new TSenseNumberLabel(Defs, 0, top, labelWidth, lines * lineHeight);
    label->Caption = std::to_string(++number) + ".";
    label->Sense = static_cast<int>(i);
    label->Definition = definition;
    label->OnClick = [this, label](TObject*) { SenseLabelClick(*label); };
    definition->Label = label;
    definition->Height = lines * (lineHeight + 1) + MemoMargin;
    defControls_.push_back(label);
    defControls_.push_back(definition);
    definitions_.push_back(definition);
    top += definition->Height + 2;
  }
  contentHeight_ = top;
  const int page = Defs->ClientHeight();
  DefsScroll->SetBounds(Defs->ClientWidth() - ScrollBarWidth - 1, 1, ScrollBarWidth, std::max(page - 2, 0));
  DefsScroll->SetParams(0, 0, std::max(contentHeight_ - page, 0));
  DefsScroll->PageSize = page;
  DefsScroll->Visible = contentHeight_ > page;
  DefsScroll->BringToFront();
}

void TWWForm::ScrollDefinitions(int position) {
  position = std::clamp(position, 0, std::max(contentHeight_ - Defs->ClientHeight(), 0));
  const int delta = scrollTop_ - position;
  if (delta == 0) return;
  scrollTop_ = position;
  for (TControl* control : defControls_) control->Top = control->Top + delta;
  if (DefsScroll->Position != position) DefsScroll->Position = position;
}

void TWWForm::FocusDefinition(TDefEdit& from, int step) {
  const auto at = std::find(definitions_.begin(), definitions_.end(), &from);
  if (at == definitions_.end()) return;
  const auto index = (at - definitions_.begin()) + step;
  if (index < 0 || index >= static_cast<std::ptrdiff_t>(definitions_.size())) return;
  TDefEdit* next = definitions_[static_cast<std::size_t>(index)];
  if (next->Top < 0 || next->Top + next->Height > Defs->ClientHeight()) ScrollDefinitions(scrollTop_ + next->Top);
  next->SetFocus();
}

void TWWForm::Deselect(TSenseNumberLabel& label) {
  label.Font.Color = Defs->Font.Color();
  if (label.Definition) label.Definition->Font.Color = Defs->Font.Color();
  if (selectedLabel_ == &label) selectedLabel_ = nullptr;
}

void TWWForm::SenseLabelClick(TSenseNumberLabel& label) {
  TWordLookup& lookup = database_.Lookup();
  if (selectedLabel_ == &label) {
    Deselect(label);
    lookup.SelectSense(-1);
  } else {
    if (selectedLabel_) Deselect(*selectedLabel_);
    selectedLabel_ = &label;
    const TSynset& sense = *lookup.Senses()[static_cast<std::size_t>(label.Sense)];
    if (!(lookup.WordClassMask() & (1u << sense.WordClass))) {
      lookup.SetClassFilter(AllWordClasses);
      SetClassButtons();
    }
    lookup.SelectSense(label.Sense);
    label.Font.Color = highlight_;
    if (label.Definition) label.Definition->Font.Color = highlight_;
  }
  RefreshRelation();
}

void TWWForm::DefinitionEnter(TDefEdit& definition) {
  selectedDefinition_ = &definition;
  Synonyms->SetItemIndex(-1);
  CopyButton->Enabled = false;
  LookupButton->Enabled = false;
}

void TWWForm::DefinitionExit() {
  selectedDefinition_ = nullptr;
  CopyButton->Enabled = false;
  LookupButton->Enabled = false;
}

void TWWForm::DefinitionSelectionChanged(TDefEdit& definition) {
  selectedDefinition_ = &definition;
  CopyButton->Enabled = true;
  LookupButton->Enabled = true;
}

// ---- Layout ----

void TWWForm::SetDefinitionsHeightPercent(int percent) {
  percent = std::clamp(percent, 0, 100);
  if (percent == percent_) return;
  percent_ = percent;
  Relayout();
}

void TWWForm::Relayout() {
  relaidSinceResize_ = true;
  const int W = ClientWidth();
  const int H = ClientHeight();
  const int R = RightPanel->Width;
  const int m = CopyButton->Left;
  KeyWord->Left = LookupLab->Left + LookupLab->Width + 4;
  KeyWord->Width = std::max(W - R - KeyWord->Left - m - SearchButton->Width, 40);
  SearchButton->Left = KeyWord->Left + KeyWord->Width + m;
  Defs->Width = W - R - Defs->Left;
  Defs->Height = (H - Defs->Top - 7) * percent_ / 100;
  Defs->Visible = percent_ > 0;
  ViewTabs->Top = percent_ == 0 ? Defs->Top : Defs->Top + Defs->Height + 5;
  ViewTabs->Width = W - R - ViewTabs->Left;
  ViewTabs->Height = std::max(H - 7 - ViewTabs->Top, 0);
  ViewTabs->Visible = percent_ < 100;
  Synonyms->SetBounds(ViewTabs->Left + 2, ViewTabs->Top + 26, std::max(ViewTabs->Width - 4, 0),
                      std::max(ViewTabs->Height - 28, 0));
  Synonyms->Visible = percent_ < 100;
  CloseButton->Top = ViewTabs->Top + ViewTabs->Height - CloseButton->Height;
  CopyButton->Top = CloseButton->Top - 7 - CopyButton->Height;
}

void TWWForm::FormResize() {
  if (Destroying() || !CopyButton) return;
  if (!relaidSinceResize_) Relayout();
  relaidSinceResize_ = false;
  if (found_ && Defs->Width != notedDefsWidth_) {
    const int selected = selectedLabel_ ? selectedLabel_->Sense : -1;
    ShowDefinitions();
    for (TDefEdit* d : definitions_)
      if (d->Label && d->Label->Sense == selected) {
        selectedLabel_ = d->Label;
        d->Label->Font.Color = highlight_;
        d->Font.Color = highlight_;
      }
  }
  const bool selected = Synonyms->ItemIndex() >= 0;
  CopyButton->Enabled = selected;
  LookupButton->Enabled = selected;
}

}  // namespace qm::thesaurus
