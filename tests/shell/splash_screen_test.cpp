// The splash screen: gone once the program has started, and its two key
// combinations that switch the logo zoom and the sound for the next start.
#include <gtest/gtest.h>

#include "base/ini_file.h"
#include "base/program_identity.h"
#include "shell/splash_screen.h"
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
  { TSplashScreen splash(nullptr); splash.InitializeSplashSettings(); }
  EXPECT_FALSE(Stored("Zoom Logo"));
  EXPECT_TRUE(Stored("Splash Music"));
}

}  // namespace
}  // namespace qm
