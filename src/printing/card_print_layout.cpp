#include "printing/card_print_layout.h"

#include <algorithm>

#include "base/ini_file.h"

namespace qm {

TCardPrintLayout ReadCardPrintLayout() {
  TCardPrintLayout l;
  try {
    const TIniFile ini = OpenSettingsFile();
    const char* s = CardPrintingSection;
    l.CardsAcross = std::clamp(ini.ReadInteger(s, "Cards Across", l.CardsAcross), 1, MaxCardsPerSide);
    l.CardsDown = std::clamp(ini.ReadInteger(s, "Cards Down", l.CardsDown), 1, MaxCardsPerSide);
    l.Landscape = ini.ReadBool(s, "Landscape", l.Landscape);
    l.DrawBoxes = ini.ReadBool(s, "Draw Boxes", l.DrawBoxes);
    l.BoldHeadlines = ini.ReadBool(s, "Bold Headlines", l.BoldHeadlines);
    l.TopMargin = std::clamp(ini.ReadInteger(s, "Top Margin", l.TopMargin), 0, MaxCardMargin);
    l.LeftMargin = std::clamp(ini.ReadInteger(s, "Left Margin", l.LeftMargin), 0, MaxCardMargin);
    l.InterCardMargin = std::clamp(ini.ReadInteger(s, "Inter-Card Margin", l.InterCardMargin), 0, MaxCardMargin);
    l.FontName = ini.ReadString(s, "Font Name", l.FontName).substr(0, 255);
    l.FontSize = std::clamp(ini.ReadInteger(s, "Font Size", l.FontSize), 4, 72);
    l.FontStyle = static_cast<Byte>(ini.ReadInteger(s, "Card Font Style", l.FontStyle) & 0x0F);
  } catch (const EIniFileError&) {
    return TCardPrintLayout{};
  }
  return l;
}

void WriteCardPrintLayout(const TCardPrintLayout& l) {
  TIniFile ini = OpenSettingsFile();
  const char* s = CardPrintingSection;
  ini.WriteInteger(s, "Cards Across", l.CardsAcross);
  ini.WriteInteger(s, "Cards Down", l.CardsDown);
  ini.WriteBool(s, "Landscape", l.Landscape);
  ini.WriteBool(s, "Draw Boxes", l.DrawBoxes);
  ini.WriteBool(s, "Bold Headlines", l.BoldHeadlines);
  ini.WriteInteger(s, "Top Margin", l.TopMargin);
  ini.WriteInteger(s, "Left Margin", l.LeftMargin);
  ini.WriteInteger(s, "Inter-Card Margin", l.InterCardMargin);
  ini.WriteString(s, "Font Name", l.FontName);
  ini.WriteInteger(s, "Font Size", l.FontSize);
  ini.WriteInteger(s, "Card Font Style", l.FontStyle);
}

}  // namespace qm
