// The right panel and the type box on a real display at a writer's pace:
// the multimedia formats give the panel its multimedia buttons and the box
// the interactive names, a type chosen from the list shows at once, and the
// screenplay formats bring the normal buttons and the heading's name back.
// What the box and the buttons show is compared as pixels between moments
// that must show the same, or must not.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "desktop/desktop_session.h"

namespace qm::desktop {
namespace {

struct Area {
  int x, y, width, height;
};
// From the main window's reported corner: the status line's type name, the
// scene panel beside it, and the column of element buttons.
constexpr Area kTypeName{0, 840, 140, 20};
constexpr Area kScenePanel{425, 840, 150, 20};
constexpr Area kButtonsFromRight{30, 22, 30, 200};

class Pixels {
 public:
  explicit Pixels(DesktopSession& session) : session_(session) {}
  bool Ready() {
    main_ = session_.ActiveWindowGeometry();
    return main_.has_value();
  }
  // A digest of an area's pixels in a new screenshot.
  std::string Of(const std::string& shot, const Area& a, bool fromRight = false) {
    const int x = main_->x + (fromRight ? main_->width - a.x : a.x);
    const std::string geometry = std::to_string(a.width) + "x" + std::to_string(a.height) + "+" + std::to_string(x) +
                                 "+" + std::to_string(main_->y + a.y);
    return session_.Run({"convert", shot, "-crop", geometry, "+repage", "-format", "%#", "info:"});
  }

 private:
  DesktopSession& session_;
  std::optional<WindowGeometry> main_;
};

// Format > Load Script Format > the item's letter, into a script with text:
// the lists come along (Yes), the margins may go (Yes), then the report.
void LoadFormats(DesktopSession& session, const std::string& letter, const std::string& shot) {
  session.Keys("alt+m l " + letter);
  session.Screenshot(shot + "_lists_asked");
  session.Keys("Return");
  session.Screenshot(shot + "_margins_asked");
  session.Keys("alt+y");
  session.Screenshot(shot + "_loaded");
  session.Keys("Return", 800);
}

TEST(MultimediaPanelDesktopTest, TheFormatsSwitchTheButtonsAndTheTypeNames) {
  DesktopSession session;
  ASSERT_TRUE(session.Ready()) << session.Failure();
  session.ClickInScript();
  Pixels pixels(session);
  ASSERT_TRUE(pixels.Ready()) << session.ActiveWindowTitle();
  // A heading chosen from the type list (F4, S), and an Action under it.
  session.Keys("F4 s");
  session.Type("HALL");
  std::string shot = session.Screenshot("multimedia_panel_screenplay");
  const std::string heading = pixels.Of(shot, kTypeName);
  const std::string normalButtons = pixels.Of(shot, kButtonsFromRight, true);

  LoadFormats(session, "m", "multimedia_panel_multimedia");
  shot = session.Screenshot("multimedia_panel_multimedia");
  EXPECT_NE(pixels.Of(shot, kButtonsFromRight, true), normalButtons) << "the multimedia buttons";
  EXPECT_NE(pixels.Of(shot, kTypeName), heading) << "the heading is a branch target";

  // An Action made a branch point from the type list (F4, R) is named so
  // at once, as when the caret comes back to it.
  session.Keys("End Return");
  session.Type("Go on.");
  shot = session.Screenshot("multimedia_panel_action");
  const std::string action = pixels.Of(shot, kTypeName);
  const std::string actionScene = pixels.Of(shot, kScenePanel);
  session.Keys("F4 r");
  shot = session.Screenshot("multimedia_panel_branch_point");
  const std::string chosen = pixels.Of(shot, kTypeName);
  session.Keys("Up Down");
  shot = session.Screenshot("multimedia_panel_branch_point_again");
  EXPECT_EQ(chosen, pixels.Of(shot, kTypeName)) << "the type chosen shows at once";
  EXPECT_NE(chosen, action);

  // A branch target put in after it takes the next number: the scene panel
  // says so at once, as when the caret comes back to it.
  session.Keys("End Return ctrl+s");
  session.Type("YARD");
  shot = session.Screenshot("multimedia_panel_new_target");
  const std::string scene = pixels.Of(shot, kScenePanel);
  session.Keys("Up Down");
  shot = session.Screenshot("multimedia_panel_new_target_again");
  EXPECT_EQ(scene, pixels.Of(shot, kScenePanel));
  EXPECT_NE(scene, actionScene) << "the panel counts the new target";

  // The screenplay formats: the normal buttons, and the heading's own name.
  LoadFormats(session, "s", "multimedia_panel_screenplay_again");
  session.Keys("ctrl+alt+Home");
  shot = session.Screenshot("multimedia_panel_screenplay_again");
  EXPECT_EQ(pixels.Of(shot, kButtonsFromRight, true), normalButtons);
  EXPECT_EQ(pixels.Of(shot, kTypeName), heading) << "Scene Heading again";
}

}  // namespace
}  // namespace qm::desktop
