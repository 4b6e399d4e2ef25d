#include "printing/card_print_layout.h"

#include <algorithm>

#include "base/ini_file.h"
#include "base/option_keys.h"

namespace qm {

namespace {

using CardKey = OptionKey<TCardPrintLayout>;
using L = TCardPrintLayout;

// A missing key keeps the layout's own default.
const CardKey CardKeys[] = {
    CardKey::Number(CardPrintingSection, "Cards Across", &L::CardsAcross, {}, 1, MaxCardsPerSide),
    CardKey::Number(CardPrintingSection, "Cards Down", &L::CardsDown, {}, 1, MaxCardsPerSide),
    CardKey::Flag(CardPrintingSection, "Landscape", &L::Landscape),
    CardKey::Flag(CardPrintingSection, "Draw Boxes", &L::DrawBoxes),
    CardKey::Flag(CardPrintingSection, "Bold Headlines", &L::BoldHeadlines),
    CardKey::Number(CardPrintingSection, "Top Margin", &L::TopMargin, {}, 0, MaxCardMargin),
    CardKey::Number(CardPrintingSection, "Left Margin", &L::LeftMargin, {}, 0, MaxCardMargin),
    CardKey::Number(CardPrintingSection, "Inter-Card Margin", &L::InterCardMargin, {}, 0, MaxCardMargin),
    CardKey::Text(CardPrintingSection, "Font Name", &L::FontName, nullptr, 255),
    CardKey::Number(CardPrintingSection, "Font Size", &L::FontSize, {}, 4, 72),
    CardKey::Bits(CardPrintingSection, "Card Font Style", &L::FontStyle, 0x0F),
};

}  // namespace

TCardPrintLayout ReadCardPrintLayout() {
  TCardPrintLayout l;
  try {
    ReadOptionKeys(OpenSettingsFile(), l, CardKeys);
  } catch (const EIniFileError&) {
    return TCardPrintLayout{};
  }
  return l;
}

void WriteCardPrintLayout(const TCardPrintLayout& l) {
  TIniFile ini = OpenSettingsFile();
  WriteOptionKeys(ini, l, CardKeys);
}

}  // namespace qm
