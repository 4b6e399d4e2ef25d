// The splash screen: gone once the program has started, and its two key
// combinations that switch the logo zoom and the sound for the next start.
#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "base/program_identity.h"
#include "platform/byte_io.h"
#include "platform/files.h"
#include "platform/recording_canvas.h"
#include "shell/splash_screen.h"
#include "shell/splash_sound.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"

namespace qm {
namespace {

class SplashScreenTest : public testing::ProgramFixture {
 protected:
  bool Stored(const char* key) { return TIniFile(SettingsFileName).ReadBool("Program Settings", key, true); }
};

TEST_F(SplashScreenTest, TheSplashIsGoneOnceTheProgramRuns) {
  EXPECT_EQ(SplashScreen, nullptr);
  EXPECT_TRUE(MainForm->Visible());
}

TEST_F(SplashScreenTest, ShiftWithCtrlOrAltSwitchesZoomOrSoundForTheNextStartAndSaysSo) {
  const struct {
    unsigned shift;
    const char* key;
    const char* notice;
  } cases[] = {
      {ssShift | ssCtrl, "Zoom Logo", "Splash Screen Zooming has been turned OFF"},
      {ssShift | ssCtrl, "Zoom Logo", "Splash Screen Zooming has been turned ON"},
      {ssShift | ssAlt, "Splash Music", "Splash Screen Sound has been turned OFF"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.notice);
    const bool before = Stored(c.key);
    Driver().Expect([&](TForm& box) {
      const std::string text = testing::MessageBoxText(box);
      EXPECT_EQ(text.substr(0, text.find('\r')), c.notice);
      EXPECT_EQ(box.Caption(), "Attention");
      box.ModalResult = mrOk;
    });
    {
      TSplashScreen splash(nullptr);
      splash.InitializeSplashSettings();
      Word key = VK_SHIFT;
      splash.FormKeyDown(&splash, key, TShiftState(c.shift));
    }
    EXPECT_NE(Stored(c.key), before);
  }
}

TEST_F(SplashScreenTest, WithoutTheKeysTheSettingsStayAndNothingIsShown) {
  TIniFile(SettingsFileName).WriteBool("Program Settings", "Zoom Logo", false);
  {
    TSplashScreen splash(nullptr);
    splash.InitializeSplashSettings();
  }
  EXPECT_FALSE(Stored("Zoom Logo"));
  EXPECT_TRUE(Stored("Splash Music"));
}

TEST_F(SplashScreenTest, TheLogoZoomsInOverItsFirstMomentsOnlyWhileTheZoomIsOn) {
  const struct {
    bool zoom;
    int tenths;
    int percent;
  } cases[] = {{true, 0, 33}, {true, 4, 66}, {true, 8, 100}, {true, 30, 100}, {false, 0, 100}};
  for (const auto& c : cases) {
    TIniFile(SettingsFileName).WriteBool("Program Settings", "Zoom Logo", c.zoom);
    TSplashScreen splash(nullptr);
    splash.InitializeSplashSettings();
    AdvanceClock(static_cast<std::uint64_t>(c.tenths) * 100);
    EXPECT_EQ(splash.LogoPercent(), c.percent) << c.zoom << " " << c.tenths;
    RecordingCanvas canvas;
    splash.PaintTo(canvas);
    const DrawOp* logo = canvas.FindText(ProgramTitle);
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->font.Size, 22 * c.percent / 100) << c.zoom << " " << c.tenths;
  }
}

TEST_F(SplashScreenTest, TheSoundPlaysOnceFromTheFirstPictureAndStopsWithTheSplash) {
  for (const bool music : {true, false}) {
    TIniFile(SettingsFileName).WriteBool("Program Settings", "Splash Music", music);
    Backend().ClearSounds();
    {
      TSplashScreen splash(nullptr);
      splash.InitializeSplashSettings();
      RecordingCanvas canvas;
      splash.PaintTo(canvas);
      splash.PaintTo(canvas);
      EXPECT_EQ(splash.MusicPlayed(), music);
    }
    const auto& sounds = Backend().Sounds();
    if (!music) {
      EXPECT_TRUE(sounds.empty());
      continue;
    }
    ASSERT_EQ(sounds.size(), 2u) << "played once, stopped once";
    EXPECT_EQ(sounds[0].kind, SoundKind::Named);
    EXPECT_TRUE(FileExists(sounds[0].name)) << sounds[0].name;
    EXPECT_EQ(sounds[1].name, "") << "an empty name stops it";
  }
}

TEST(SplashDate, ADateReadsAsMonthDayAndYear) {
  const struct {
    int year, month, day;
    const char* text;
  } cases[] = {{2026, 12, 7, "Dec 7, 2026"}, {1999, 1, 31, "Jan 31, 1999"}, {2004, 5, 1, "May 1, 2004"}};
  for (const auto& c : cases) {
    std::tm local{};
    local.tm_year = c.year - 1900;
    local.tm_mon = c.month - 1;
    local.tm_mday = c.day;
    local.tm_hour = 12;
    local.tm_isdst = -1;
    EXPECT_EQ(SplashDateText(std::mktime(&local)), c.text);
  }
}

TEST(SplashSound, TheWaveIsAWholePcmFileOfSevenTenthsOfASecond) {
  const std::vector<Byte> wave = SpinnerWave();
  ASSERT_GE(wave.size(), 44u);
  EXPECT_EQ(std::string(wave.begin(), wave.begin() + 4), "RIFF");
  EXPECT_EQ(GetU32(wave, 4), wave.size() - 8);
  EXPECT_EQ(std::string(wave.begin() + 8, wave.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(GetU16(wave, 20), 1) << "PCM";
  const DWord rate = GetU32(wave, 24);
  EXPECT_EQ(std::string(wave.begin() + 36, wave.begin() + 40), "data");
  EXPECT_EQ(GetU32(wave, 40), wave.size() - 44);
  EXPECT_EQ(GetU32(wave, 40), rate * 7 / 10);
  EXPECT_NEAR(wave[44], 128, 2) << "it starts from silence";
  EXPECT_NEAR(wave.back(), 128, 2) << "and fades out";
}

}  // namespace
}  // namespace qm
