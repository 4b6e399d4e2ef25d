// Settings keys that one part of the program writes and another reads:
// what the writer stores the reader finds, and a missing key reads as its
// stated default in every reader.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>

#include "base/ini_file.h"
#include "files/undo_ring.h"
#include "platform/files.h"
#include "platform/printer.h"
#include "platform/profile.h"
#include "platform/headless/headless_backend.h"
#include "shell/options_dialog.h"
#include "shell/program_settings.h"
#include "shell/splash_screen.h"
#include "shell/startup_setup.h"
#include "story/index_card_view.h"
#include "support/message_box_answers.h"
#include "support/program_fixture.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

class SettingsKeysTest : public testing::ProgramFixture {
 protected:
  void BeforeStart() override {
    AddSecondPrinter();
    if (carried_.empty()) return;
    // The folders the run before stored were in its own home.
    for (std::size_t at = carried_.find(carriedHome_); at != std::string::npos; at = carried_.find(carriedHome_, at))
      carried_.replace(at, carriedHome_.size(), Home());
    testing::WriteFileText(SettingsFilePath(), carried_);
    // The run before is left as if it had ended the usual way.
    ProfileWriteString(SettingsFilePath(), "Pending", "Exited Normally", "1");
  }
  void AddSecondPrinter() {
    Backend().PrinterList().push_back(
        std::make_unique<RecordingPrinter>("Second Printer", 600, TPoint{5100, 6600}, TPoint{150, 150}));
    Printer()->Refresh();
  }
  // The program started again on the settings file this run lef
  void Restart() {
    carried_ = FileExists(SettingsFilePath()) ? testing::ReadFileText(SettingsFilePath()) : std::string();
    carriedHome_ = Home();
    TearDown();
    SetUp();
    carried_.clear();
  }
  void ForgetSettings() {
    DeleteFile(SettingsFilePath());
    Restart();
  }

  // The options dialog opened from its menu, `work` done on i
  void RunOptionsDialog(const std::function<void(TSettingsDlg&)>& work) {
    Driver().Expect([&](TForm& form) { work(dynamic_cast<TSettingsDlg&>(form)); });
    MainForm->MenuItem("ProgramSettingsItem")->Click();
    EXPECT_EQ(Driver().Pending(), 0);
  }
  bool DialogBox(const char* name) {
    bool checked = false;
    RunOptionsDialog([&](TSettingsDlg& d) {
      checked = d.Box(name)->Checked();
      d.CancelBtn->Click();
    });
    return checked;
  }
  void SetDialogBox(const char* name, bool checked) {
    RunOptionsDialog([&](TSettingsDlg& d) {
      d.Box(name)->SetChecked(checked);
      d.OKBtn->Click();
    });
  }

  static Byte TSplashScreen::*SplashFlag(bool music) {
    return music ? &TSplashScreen::MusicOnSaved : &TSplashScreen::ZoomOnSaved;
  }
  bool SplashReads(bool music) {
    TSplashScreen splash(nullptr);
    splash.InitializeSplashSettings();
    return splash.*SplashFlag(music) != 0;
  }
  void SplashWrites(bool music, bool on) {
    TSplashScreen splash(nullptr);
    splash.InitializeSplashSettings();
    splash.*SplashFlag(music) = on ? 1 : 0;
  }

  std::unique_ptr<TIndexCardView> OpenCards() {
    auto view = std::make_unique<TIndexCardView>(nullptr);
    view->SetBounds(0, 0, 800, 600);
    EXPECT_TRUE(view->Created());
    return view;
  }
  void CloseCards(TIndexCardView& view) {
    view.ModalResult = mrCancel;
    view.Close();
  }

 private:
  std::string carried_;
  std::string carriedHome_;
};

TEST_F(SettingsKeysTest, WhatAWriterStoresItsReaderFindsAndAMissingKeyIsItsDefault) {
  const struct {
    const char* what;
    std::function<void(int)> write;
    std::function<int()> read;
    int byDefault;
    int other;
  } cases[] = {
      {"Splash Music: the splash to the options dialog", [this](int v) { SplashWrites(true, v); },
       [this]() -> int { return DialogBox("SplashMusicBox"); }, 1, 0},
      {"Splash Music: the options dialog to the splash", [this](int v) { SetDialogBox("SplashMusicBox", v); },
       [this]() -> int { return SplashReads(true); }, 1, 0},
      {"Zoom Logo: the splash to the options dialog", [this](int v) { SplashWrites(false, v); },
       [this]() -> int { return DialogBox("ZoomLogoBox"); }, 1, 0},
      {"Zoom Logo: the options dialog to the splash", [this](int v) { SetDialogBox("ZoomLogoBox", v); },
       [this]() -> int { return SplashReads(false); }, 1, 0},
      {"Screen Size: saved, then placed at start-up",
       [](int maximized) {
         MainForm->WindowState = TWindowState::wsNormal;
         MainForm->SetBounds(10, 20, 640, 480);
         if (maximized) MainForm->WindowState = TWindowState::wsMaximized;
         ASSERT_TRUE(SaveProgramSettings());
       },
       [this]() -> int {
         Restart();
         if (MainForm->WindowState == TWindowState::wsMaximized) return 1;
         EXPECT_EQ((std::array{MainForm->Left(), MainForm->Top(), MainForm->Width(), MainForm->Height()}),
                   (std::array{10, 20, 640, 480}));
         return 0;
       },
       1, 0},
      {"Printer: kept by the printer set-up, saved, chosen again at start-up",
       [this](int keep) {
         Printer()->SetPrinterIndex(0);
         testing::AnswerMessageBox(
             Driver(), "Should I always use the currently Selected Printer in place of the Windows default printer?",
             keep ? mrYes : mrNo);
         ASSERT_TRUE(AskKeepSelectedPrinter([] { Printer()->SetPrinterIndex(1); }));
         ASSERT_TRUE(SaveProgramSettings());
       },
       [this]() -> int {
         Restart();
         return Printer()->PrinterIndex();
       },
       0, 1},
      {"Max Undo Levels: the options dialog to the undo ring",
       [this](int levels) {
         RunOptionsDialog([&](TSettingsDlg& d) {
           d.NumberEdit("UndoLevelsEdit")->Text = std::to_string(levels);
           d.OKBtn->Click();
         });
       },
       []() -> int { return ReadUndoLevels(); }, 20, 5},
      {"Index Cards: the layout chosen, then the view opened again",
       [this](int vertical) {
         auto view = OpenCards();
         view->SetCardCount(vertical ? 4 : 9);
         view->SetVertical(vertical);
         CloseCards(*view);
       },
       [this]() -> int {
         auto view = OpenCards();
         const int vertical = view->Vertical;
         EXPECT_EQ(view->CardCount, vertical ? 4 : 9);
         CloseCards(*view);
         return vertical;
       },
       0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ForgetSettings();
    EXPECT_EQ(c.read(), c.byDefault) << "missing";
    for (const int value : {c.other, c.byDefault}) {
      c.write(value);
      EXPECT_EQ(c.read(), value) << "written " << value;
    }
  }
}

// A window not stored maximised is placed only when it has a height; a
// height of 0 maximises it.
TEST_F(SettingsKeysTest, AStoredWindowWithNoHeightIsMaximised) {
  const struct {
    const char* height;
    bool maximised;
  } cases[] = {{"0", true}, {"480", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.height);
    ASSERT_TRUE(SaveProgramSettings());
    {
      TIniFile ini(SettingsFilePath());
      ini.WriteString("Screen Size", "Maximized", "0");
      ini.WriteString("Screen Size", "Left", "10");
      ini.WriteString("Screen Size", "Top", "20");
      ini.WriteString("Screen Size", "Width", "640");
      ini.WriteString("Screen Size", "Height", c.height);
    }
    Restart();
    EXPECT_EQ(MainForm->WindowState == TWindowState::wsMaximized, c.maximised);
    if (!c.maximised) {
      EXPECT_EQ((std::array{MainForm->Left(), MainForm->Top(), MainForm->Width(), MainForm->Height()}),
                (std::array{10, 20, 640, 480}));
    }
  }
}

}  // namespace
}  // namespace qm
