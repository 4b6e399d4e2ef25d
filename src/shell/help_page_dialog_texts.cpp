// The parts of the quick-help page and what each one explains.
#include <algorithm>
#include <string>

#include "base/message_boxes.h"
#include "shell/help_page_dialog.h"

namespace qm {

namespace {

constexpr THelpPageItem kItems[] = {
    {"HeaderLabel", "Header", "BLUE REVISION - 5/14", 60, 14, 200,
     "The header prints at the top of the page. Its two lines, with the page number, the date and the revision "
     "colour, are set up with File > Header Setup..."},
    {"PageNumberLabel", "Page Number", "12.", 430, 14, 40,
     "The page number prints at the top right of every page. The first page's number is set on the Page Breaks "
     "page of Format > Edit Script Formats..."},
    {"ContinuedLabel", "CONTINUED:", "CONTINUED:", 60, 44, 120,
     "When a scene runs on from the page before, the page starts with CONTINUED: and the page before ends with "
     "(CONTINUED). Both texts are set in Format > Edit Script Formats..."},
    {"LeftSceneNumberLabel", "Scene Number", "14", 24, 76, 28,
     "Scene numbers print beside each scene heading, on the left, on the right or on both sides, as chosen in "
     "Format > Edit Script Formats..."},
    {"SceneHeadingLabel", "Scene Heading", "INT. KITCHEN - NIGHT", 60, 76, 220,
     "A scene heading opens each scene: where it takes place and when. The locations and times of day already "
     "used pop up while you type it."},
    {"RightSceneNumberLabel", "Scene Number", "14", 440, 76, 28,
     "Scene numbers print beside each scene heading, on the left, on the right or on both sides, as chosen in "
     "Format > Edit Script Formats..."},
    {"ActionLabel", "Action", "Rain beats on the window. SARAH stirs her coffee.", 60, 102, 380,
     "Action tells what is seen and heard. It is the element that follows a scene heading."},
    {"CharacterNameLabel", "Character Name", "SARAH", 220, 134, 120,
     "The character name heads each speech. Names already in the script pop up as you type their first letters."},
    {"ParentheticalLabel", "Parenthetical", "(quietly)", 190, 152, 120,
     "A parenthetical says how a line is spoken. It stands between the character name and the dialogue."},
    {"DialogueLabel", "Dialogue", "He's not coming back.", 150, 170, 240,
     "Dialogue is what the character says. It follows the character name."},
    {"MoreLabel", "(MORE)", "(MORE)", 220, 190, 80,
     "When a speech runs on to the next page, (MORE) ends it at the foot of the page and the name is repeated "
     "with CONT'D on the next one."},
    {"ExtensionLabel", "Character Extension", "JOHN (O.S.)", 220, 218, 160,
     "An extension such as (O.S.) or (V.O.) follows the name of a character who is heard but not seen. The "
     "extensions of the user list pop up after you type \"(\" in a character name."},
    {"ShotLabel", "Shot", "ANGLE ON THE DOOR", 60, 250, 200,
     "Press <ENTER> in a blank Action Line and select <MAKE THIS A SHOT> from the menu that appears.\r\r"
     "Or alternatively press <CTRL+H> from anywhere in the script to instantly be put into a Shot Element."},
    {"TransitionLabel", "Transition", "CUT TO:", 380, 282, 80,
     "A transition tells how one scene passes to the next. The transitions of the user list pop up while you "
     "type one."},
};

}  // namespace

std::span<const THelpPageItem> HelpPageItems() { return kItems; }

std::string HelpPageExplanation(const std::string& labelName) {
  const auto* item = std::find_if(std::begin(kItems), std::end(kItems),
                                  [&labelName](const THelpPageItem& i) { return labelName == i.name; });
  return item == std::end(kItems) ? std::string() : item->explanation;
}

void ShowNoHelpFile(const std::string& what) {
  ShowMessageBox("This program has no help file, so " + what +
                     " cannot be shown.\r\r"
                     "Quick Help (Alt+F1) explains the parts of a script page.",
                 "Attention");
}

}  // namespace qm
