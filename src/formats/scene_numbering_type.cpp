// Override > Element's Numbering: the number a single scene heading takes,
// chosen on the "Change Scene Type" page of the Which Type dialog.
#include <cctype>
#include <optional>
#include <string>

#include "base/message_boxes.h"
#include "formats/draft_refresh.h"
#include "formats/page_type_dialog.h"
#include "formats/script_locking.h"
#include "script/editing/document_modified.h"
#include "script/pagination/numbering.h"
#include "script/script_window.h"
#include "script/editing/undo_steps.h"

namespace qm {

namespace {

struct TChosenNumbering {
  Word word = 0;
  Byte kind = ekSceneHeading;
};

// A heading whose word holds a number without the lock flag counts on
// from that number; with a letter it must be an A-scene, or the letter
// would not be shown.
Byte KindForWord(Word word, Byte current) {
  if (number_word::Locked(word)) return current;
  return number_word::Letter(word) != '\0' ? ekASceneHeading : ekSceneHeading;
}

// The number (and letter) the heading shows now, as a locked word.
Word ShownWord(const TScriptDocument& script, const TScriptElement& heading) {
  return heading.group ? LockedNumberWord(script, *heading.group) : Word{0};
}

std::optional<TChosenNumbering> ChosenNumbering(const TScriptDocument& script, const TScriptElement& heading,
                                                int choice, const std::string& typed) {
  const Word own = heading.format.NumberWord;
  switch (choice) {
    case stNoNumbering: return TChosenNumbering{UnnumberedHeadingWord, ekSceneHeading};
    case stNormal: return TChosenNumbering{};
    case stLocked: return TChosenNumbering{ShownWord(script, heading), heading.Kind()};
    case stFlippedLocked: {
      const Word word = static_cast<Word>(ShownWord(script, heading) & ~number_word::LockedBit);
      return TChosenNumbering{word, KindForWord(word, heading.Kind())};
    }
    case stMultiLocked: return TChosenNumbering{0, ekDashASceneHeading};
    case stManual: {
      const std::optional<Word> word = TypedSceneNumber(typed, script.SceneStart);
      if (!word) {
        ShowMessageBox(typed + " is NOT a Valid Number!", "");
        return std::nullopt;
      }
      return TChosenNumbering{*word, number_word::Letter(*word) != '\0' ? ekASceneHeading : ekSceneHeading};
    }
    case stFlipOrder: {
      // The letter goes to the other side of the number it shows now.
      const Word base = number_word::Number(own) != 0 ? own : ShownWord(script, heading);
      const Word word = static_cast<Word>(base ^ number_word::LockedBit);
      return TChosenNumbering{word, KindForWord(word, heading.Kind())};
    }
    default: return std::nullopt;
  }
}

int ChoiceOf(const TScriptElement& heading) {
  const Word word = heading.format.NumberWord;
  if (word == UnnumberedHeadingWord) return stNoNumbering;
  if (heading.Kind() == ekDashASceneHeading && word == 0) return stMultiLocked;
  if (word == 0) return stNormal;
  return number_word::Locked(word) ? stLocked : stFlippedLocked;
}

}  // namespace

std::optional<Word> TypedSceneNumber(std::string text, int sceneStart) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  std::size_t digits = 0;
  while (digits < text.size() && digits < 3 && std::isdigit(static_cast<unsigned char>(text[digits]))) ++digits;
  if (digits == 0 || text.size() > digits + 1) return std::nullopt;
  // Locked numbers are stored as counted; the offset is only shown.
  const int number = std::stoi(text.substr(0, digits)) - sceneStart;
  const char letter =
      text.size() > digits ? static_cast<char>(std::toupper(static_cast<unsigned char>(text[digits]))) : '\0';
  if (number < 1 || number > MostLockedNumber || (letter != '\0' && (letter < 'A' || letter > 'Z')))
    return std::nullopt;
  return number_word::Make(number, true, letter);
}

bool ChangeSceneNumberingType(TMDIChild& script) {
  TScriptElement* e = script.CurrentElement();
  if (!e) return false;
  if (!IsSceneHeading(e->Kind())) {
    ShowMessageBox(NotOnSceneHeading, "");
    return false;
  }
  TWhichPageTypeDlg dialog(nullptr, TTypeQuestion::SceneType);
  dialog.SceneTypeGroup->SetItemIndex(ChoiceOf(*e));
  dialog.SceneNumberEdit->Text = script.SceneNumberText(*e);
  if (dialog.ShowModal() != mrOk) return false;
  const std::optional<TChosenNumbering> chosen =
      ChosenNumbering(script, *e, dialog.SceneTypeGroup->ItemIndex(), dialog.SceneNumberEdit->Text());
  if (!chosen) return false;
  SaveUndoStep(ukWholeScript, true, true, usWithSettings);
  script.Assemble();
  e->format.NumberWord = chosen->word;
  e->format.Kind = chosen->kind;
  script.DisAssemble();
  RefreshAfterDraftChange(script);
  return chosen->word != 0;
}

}  // namespace qm
