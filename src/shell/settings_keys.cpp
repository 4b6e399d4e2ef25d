#include "shell/settings_keys.h"

#include <utility>

namespace qm {

namespace {

constexpr const char* ProgramSettingsSection = "Program Settings";
constexpr const char* PrinterSection = "Printer";
constexpr const char* ScreenSizeSection = "Screen Size";

using PrinterKey = OptionKey<TStoredPrinter>;
using PlaceKey = OptionKey<TScreenPlace>;

}  // namespace

const ProgramKey SplashMusicKey = ProgramKey::Flag(ProgramSettingsSection, "Splash Music", ShownPlace, true);
const ProgramKey ZoomLogoKey = ProgramKey::Flag(ProgramSettingsSection, "Zoom Logo", ShownPlace, true);

const ProgramKey LockOptionsKey = ProgramKey::Flag("Program", "Lock Options", ShownPlace, false);

const PrinterKey KeepPrinterKey = PrinterKey::Flag(PrinterSection, "Keep Default", &TStoredPrinter::KeepDefault, false);
// Without a stored name, the reader's own fallback stands.
const PrinterKey StoredPrinterKeys[2] = {
    PrinterKey::Number(PrinterSection, "Index", &TStoredPrinter::Index, 0),
    PrinterKey::Text(PrinterSection, "Name", &TStoredPrinter::Name),
};

TStoredPrinter ReadStoredPrinter(const TIniFile& ini, std::string fallbackName) {
  TStoredPrinter stored;
  stored.Name = std::move(fallbackName);
  ReadOptionKey(ini, stored, KeepPrinterKey);
  ReadOptionKeys(ini, stored, StoredPrinterKeys);
  return stored;
}

const PlaceKey ScreenMaximizedKey = PlaceKey::Flag(ScreenSizeSection, "Maximized", &TScreenPlace::Maximized, true);
const PlaceKey ScreenBoundsKeys[4] = {
    PlaceKey::Number(ScreenSizeSection, "Left", &TScreenPlace::Left, 0, -ScreenMeasureLimit, ScreenMeasureLimit),
    PlaceKey::Number(ScreenSizeSection, "Top", &TScreenPlace::Top, 0, -ScreenMeasureLimit, ScreenMeasureLimit),
    PlaceKey::Number(ScreenSizeSection, "Width", &TScreenPlace::Width, 0, 0, ScreenMeasureLimit),
    PlaceKey::Number(ScreenSizeSection, "Height", &TScreenPlace::Height, 0, 0, ScreenMeasureLimit),
};

}  // namespace qm
