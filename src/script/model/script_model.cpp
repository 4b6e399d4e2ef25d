#include "script/model/script_model.h"

#include "script/model/packed_text.h"
#include "script/model/record_pool.h"

namespace qm {

std::string ElementText(const TScriptElement& e) {
  if (!e.text) return {};
  return HoldsPackedText(e.Kind()) ? UnpackText(*e.text) : *e.text;
}

bool IsPageBreakKind(Byte kind) { return kind == ekAutoPageBreak || IsHardPageBreakKind(kind); }

bool IsNumberedKind(Byte kind) {
  switch (kind) {
    case ekSceneHeading:
    case ekASceneHeading:
    case ekActInformation:
    case ekSceneInformation:
    case ekActStart:
    case ekPrologueText:
    case ekEndOfActText:
    case ekDashASceneHeading:
    case ekLockedSceneInformation: return true;
    default: return false;
  }
}

bool IsHardPageBreakKind(Byte kind) {
  return kind == ekForcedPageBreak || kind == ekLockedPageBreak || kind == ekMultiLockedPageBreak ||
         kind == ekFixedAPageBreak;
}

std::array<Byte, TElementFormat::Size> TElementFormat::ToBytes() const {
  return {LeftMargin,
          RightMargin,
          LinesBefore,
          AllCaps,
          static_cast<Byte>(NumberWord & 0xFF),
          static_cast<Byte>(NumberWord >> 8),
          Kind,
          Spacing,
          FontAndColor,
          FontSize,
          Carried,
          Style};
}

TElementFormat TElementFormat::FromBytes(const Byte* b) {
  TElementFormat f;
  f.LeftMargin = b[0];
  f.RightMargin = b[1];
  f.LinesBefore = b[2];
  f.AllCaps = b[3];
  f.NumberWord = static_cast<Word>(b[4] | (b[5] << 8));
  f.Kind = b[6];
  f.Spacing = b[7];
  f.FontAndColor = b[8];
  f.FontSize = b[9];
  f.Carried = b[10];
  f.Style = b[11];
  return f;
}

namespace number_word {

Word Make(int number, bool locked, char letter) {
  Word w = static_cast<Word>(number & NumberMask);
  if (locked) w |= LockedBit;
  if (letter != '\0') w |= static_cast<Word>(((static_cast<unsigned char>(letter) - 60) & 0x3F) << 10);
  return w;
}

}  // namespace number_word

int FormatSlotOfKind(Byte kind) {
  switch (kind) {
    case ekAction: return fsAction;
    case ekSceneHeading:
    case ekASceneHeading:
    case ekDashASceneHeading: return fsSceneHeading;
    case ekShot: return fsShot;
    case ekScriptNote: return fsScriptNote;
    case ekCenteredTitle: return fsCenteredTitle;
    case ekDialogue: return fsDialogue;
    case ekCharacterName: return fsCharacterName;
    case ekParenthetical: return fsParenthetical;
    case ekTransition: return fsTransition;
    case ekActInformation:
    case ekActStart:
    case ekPrologueText:
    case ekEndOfActText: return fsActInformation;
    case ekSceneInformation:
    case ekLockedSceneInformation: return fsSceneInformation;
    default: return -1;
  }
}

std::uint64_t ScriptShapeChanges = 0;

void* TScriptElement::operator new(std::size_t) {
  NoteScriptShapeChange();
  return PoolOf<TScriptElement>().Take();
}
void TScriptElement::operator delete(void* record) noexcept {
  NoteScriptShapeChange();
  PoolOf<TScriptElement>().Give(record);
}

void* TElementGroup::operator new(std::size_t) { return PoolOf<TElementGroup>().Take(); }
void TElementGroup::operator delete(void* record) noexcept { PoolOf<TElementGroup>().Give(record); }

bool TScriptElement::LineOffsetsValid() const {
  return !lineOffsets.empty() && lineOffsets[0] == 2 * lineCount + 1 &&
         lineOffsets.size() == static_cast<size_t>(2 * lineCount + 1);
}

}  // namespace qm
