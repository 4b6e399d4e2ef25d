#include "shell/cheat_government_dialog.h"

#include <array>
#include <cctype>
#include <cmath>
#include <numbers>
#include <vector>

#include "platform/dialog_builder.h"
#include "platform/messages.h"
#include "shell/splash_sound.h"

namespace qm {

namespace {

using enum TDialogItemKind;

const char* const Dialling[] = {
    "Please Wait... Dialing I.R.S.",
    "Connecting to the I.R.S. Mainframe...",
    "Bypassing the Audit Division...",
    "Locating your Tax Records...",
};
const char* const AskPassword = "Enter your Access Password:";
constexpr int TickInterval = 1200;

// The accepted passwords, each character's code plus its place plus 7.
constexpr std::array<std::array<Byte, 9>, 2> Scrambled{{
    {'1' + 7, '0' + 8, '4' + 9, '0' + 10, 0, 0, 0, 0, 0},
    {'L' + 7, 'O' + 8, 'O' + 9, 'P' + 10, 'H' + 11, 'O' + 12, 'L' + 13, 'E' + 14, 0},
}};

std::string Unscrambled(const std::array<Byte, 9>& scrambled) {
  std::string text;
  for (std::size_t i = 0; i < scrambled.size() && scrambled[i]; ++i)
    text.push_back(static_cast<char>(scrambled[i] - 7 - i));
  return text;
}

// Touch tones for the tax form's number, then the screech of a modem.
std::vector<Byte> DialSamples() {
  const struct { double low, high; } tones[] = {{697, 1209}, {941, 1336}, {770, 1209}, {941, 1336}};
  std::vector<Byte> samples;
  const auto add = [&](double seconds, auto wave) {
    const int count = static_cast<int>(seconds * WaveSampleRate);
    for (int i = 0; i < count; ++i)
      samples.push_back(static_cast<Byte>(128 + std::lround(50 * wave(static_cast<double>(i) / WaveSampleRate))));
  };
  const auto sine = [](double f, double t) { return std::sin(2 * std::numbers::pi * f * t); };
  for (const auto& tone : tones) {
    add(0.15, [&](double t) { return sine(tone.low, t) + sine(tone.high, t); });
    add(0.08, [](double) { return 0.0; });
  }
  add(0.8, [&](double t) { return 2 * sine(static_cast<int>(t * 20) % 2 ? 1200 : 2200, t); });
  return samples;
}

std::string DialWaveFile() {
  return SessionWaveFile("DIALIRS.WAV", [] { return WaveBytes(DialSamples()); });
}

}  // namespace

bool GovernmentPasswordAccepted(const std::string& typed) {
  std::string upper;
  for (char c : typed)
    if (c != ' ') upper.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  for (const auto& scrambled : Scrambled)
    if (!upper.empty() && upper == Unscrambled(scrambled)) return true;
  return false;
}

TCheatGovernmentDlg::TCheatGovernmentDlg(TComponent* owner) : TForm(owner) {
  SetUpDialogForm(*this, "CheatGovernmentDlg", "Cheat the Government", 340, 170);
  BuildDialog(*this, TDialogTable{
                         {Label, "StatusLabel", Dialling[0], {16, 16, 300, 18}},
                         {Edit, "PasswordEdit", "", {16, 44, 200, 22}},
                         {Button, "SubmitBtn", "&Submit", {224, 43, 90, 25}},
                         {Button, "CloseBtn", "Close", {124, 96, 90, 25}},
                     });
  StatusLabel = DialogControl<TLabel>(*this, "StatusLabel");
  PasswordEdit = DialogControl<TEdit>(*this, "PasswordEdit");
  SubmitBtn = DialogControl<TButton>(*this, "SubmitBtn");
  CloseBtn = DialogControl<TButton>(*this, "CloseBtn");
  PasswordEdit->PasswordChar = '*';
  PasswordEdit->Visible = false;
  SubmitBtn->Visible = false;
  SubmitBtn->Default = true;
  SubmitBtn->OnClick = [this](TObject*) { Submit(); };
  CloseBtn->ModalResult = mrCancel;
  CloseBtn->Cancel = true;
  DialTimer = new TTimer(this);
  DialTimer->SetInterval(TickInterval);
  DialTimer->OnTimer = [this](TObject*) { Tick(); };
  DialTimer->SetEnabled(true);
  PlaySoundNamed(DialWaveFile());
}

TCheatGovernmentDlg::~TCheatGovernmentDlg() { PlaySoundNamed(""); }

void TCheatGovernmentDlg::Tick() {
  ++step_;
  if (step_ < static_cast<int>(std::size(Dialling))) {
    StatusLabel->Caption = std::string(Dialling[step_]);
    return;
  }
  DialTimer->SetEnabled(false);
  StatusLabel->Caption = std::string(AskPassword);
  PasswordEdit->Visible = true;
  SubmitBtn->Visible = true;
  PasswordEdit->SetFocus();
}

void TCheatGovernmentDlg::Submit() {
  StatusLabel->Caption =
      std::string(GovernmentPasswordAccepted(PasswordEdit->Text()) ? "Password Accepted" : "Invalid Password");
  PasswordEdit->Text = std::string();
}

}  // namespace qm
