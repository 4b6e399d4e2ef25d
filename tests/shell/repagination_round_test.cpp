// Repaginating twice in a row leaves the same page breaks. A round over
// generated scripts of several shapes: speeches of many lengths, second
// Dialogues made by every road a writer takes (the Dialogue button at the
// end of a Dialogue, F4 and D on an Action after one, Add Dialogue
// Paragraph), names typed over the names a page break repeated, forced
// page breaks and locked pages. Each script is repaginated with the
// command twice after the writer's changes; the second pass must leave
// every break, every piece and every line before it where the first did.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/input.h"
#include "platform/menus.h"
#include "platform/office_button.h"
#include "script/editing/editor_calls.h"
#include "script/fixtures/keys_fixture.h"
#include "script/layout/screen_rebuild.h"
#include "script/model/cue_codes.h"
#include "script/script_window.h"
#include "shell/main_form.h"
#include "support/command_answers.h"
#include "support/script_generator.h"

namespace qm {
namespace {

using testing::ElementSpec;
using testing::SeededRandom;

struct RoundShape {
  const char* name;
  int minPages, maxPages;
  bool forcedBreaks;
  bool lockedPages;
};

const RoundShape kShapes[] = {
    {"screenplay", 4, 12, false, false},
    {"long speeches", 4, 10, false, false},
    {"forced breaks", 4, 12, true, false},
    {"locked pages", 4, 8, false, true},
};

constexpr int kScripts = 200;

// What a pass leaves of every element: where the breaks fall, how the
// pieces are cut, the names repeated and every line before.
std::string Laid(const TMDIChild& w) {
  std::ostringstream out;
  int index = 0;
  for (const TScriptElement* e = w.FirstElement; e; e = e->next, ++index) {
    out << index << ": " << int(e->Kind()) << " split " << int(e->split) << " before " << int(e->format.LinesBefore);
    // A break's lines are its banner on screen, not the page.
    if (!IsPageBreakKind(e->Kind())) out << " lines " << int(e->lineCount);
    out << " \"" << LiveElementText(w, *e) << "\"\n";
  }
  return out.str();
}

// The first line where two layouts differ, with the lines around it.
std::string FirstDifference(const std::string& a, const std::string& b) {
  std::istringstream x(a), y(b);
  std::string lx, ly, before;
  while (true) {
    const bool gx = static_cast<bool>(std::getline(x, lx)), gy = static_cast<bool>(std::getline(y, ly));
    if (!gx && !gy) return {};
    if (!gx || !gy || lx != ly) return "after  " + before + "\nfirst  " + lx + "\nsecond " + ly;
    before = lx;
  }
}

class RepaginationRoundTest : public testing::KeysFixture {
 protected:
  void SetUp() override {
    KeysFixture::SetUp();
    Options().DisplayCharNameList = false;
    Driver().OnUnanswered = [this](TForm& form) { testing::ConfirmForm(form, asked_); };
    Driver().OnProblem = [](const std::string&) {};
  }

  void Menu(const char* name) { MainForm->MenuItem(name)->Click(); }
  void Button(const char* name) { dynamic_cast<TOfficeButton*>(MainForm->FindComponent(name))->Click(); }
  void Repaginate() { Menu("RepaginateNowItem"); }

  // The n-th element (from 0) of a kind after at least `from` elements,
  // one the writer can type in; null when there is none.
  TScriptElement* Nth(Byte kind, int from, const std::function<bool(const TScriptElement&)>& also = nullptr) {
    int index = 0;
    for (TScriptElement* e = W().FirstElement; e; e = e->next, ++index)
      if (index >= from && e->Kind() == kind && (!also || also(*e))) return e;
    return nullptr;
  }

  static std::string Sentences(SeededRandom& dice, int count) {
    static constexpr std::array<const char*, 11> words{"we",  "never", "said", "that", "the", "money",
                                                       "was", "gone",  "but",  "he",   "knew"};
    std::string text;
    for (int s = 0; s < count; ++s) {
      std::string sentence;
      const int length = dice.Between(3, 12);
      for (int w = 0; w < length; ++w) sentence += std::string(w ? " " : "") + dice.Pick(words);
      sentence[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[0])));
      text += (text.empty() ? "" : "  ") + sentence + ".";
    }
    return text;
  }

  // Speeches made longer or shorter in the generated script.
  static void VarySpeeches(std::vector<ElementSpec>& script, SeededRandom& dice, bool long_) {
    for (ElementSpec& e : script)
      if (e.kind == ekDialogue && dice.Chance(long_ ? 45 : 20))
        e.text = Sentences(dice, dice.Between(1, long_ ? 14 : 6));
  }

  // An element of a kind that `fits`, most often one just before a page
  // break, where a second Dialogue opens the next page under the repeated
  // name; null when there is none.
  TScriptElement* Pick(SeededRandom& dice, Byte kind, const std::function<bool(const TScriptElement&)>& fits) {
    std::vector<TScriptElement*> near, anywhere;
    for (TScriptElement* e = W().FirstElement; e; e = e->next) {
      if (e->Kind() != kind || !fits(*e)) continue;
      anywhere.push_back(e);
      const TScriptElement* after = e->next;
      for (int k = 0; k < 3 && after; ++k, after = after->next)
        if (after->Kind() == ekAutoPageBreak) {
          near.push_back(e);
          break;
        }
    }
    std::vector<TScriptElement*>& from = !near.empty() && dice.Chance(75) ? near : anywhere;
    return from.empty() ? nullptr : from[static_cast<std::size_t>(dice.Below(static_cast<int>(from.size())))];
  }

  // A second Dialogue after a Dialogue, by each road in turn.
  void SecondDialogues(SeededRandom& dice) {
    const auto any = [](const TScriptElement&) { return true; };
    for (int road = 0; road < 6; ++road) {
      if (road % 3 == 1) {
        // F4 and D on an Action that follows a Dialogue.
        TScriptElement* action =
            Pick(dice, ekAction, [](const TScriptElement& e) { return e.prev && e.prev->Kind() == ekDialogue; });
        if (!action) continue;
        CaretAt(action, 0);
        Press(VK_F4);
        TypeText("d");
        continue;
      }
      TScriptElement* dialogue = Pick(dice, ekDialogue, any);
      if (!dialogue) continue;
      CaretAt(dialogue, static_cast<int>(ElementText(*dialogue).size()));
      if (road % 3 == 0) Button("DialogueBtn");
      else Menu("AddDialogueParagraphItem");
      // A few words typed; a longer speech is pasted on, as typing every
      // letter of it would only make the round slow.
      TypeText("And then");
      if (dice.Chance(50)) {
        editor::SetEditText(W(), W().EditBuffer() + " " + Sentences(dice, dice.Between(1, 6)));
        W().WrapScreenText(W().CurrentElement(), W().EditBuffer());
      }
    }
  }

  // Names typed over some of the names the breaks repeated.
  void TypeOverRepeatedNames(SeededRandom& dice) {
    std::vector<TScriptElement*> repeated;
    for (TScriptElement* e = W().FirstElement; e; e = e->next)
      if (e->Kind() == ekCharacterName && IsRepeatedByBreak(*e)) repeated.push_back(e);
    for (TScriptElement* e : repeated) {
      if (!dice.Chance(40)) continue;
      CaretAt(e, 0);
      Press(VK_END, TShiftState(ssShift));
      TypeText(dice.Chance(50) ? "MARY" : std::string(ElementText(*e)));
      Press(VK_DOWN);
    }
  }

  void ForcedBreaks(SeededRandom& dice) {
    for (int i = 0; i < 3; ++i) {
      TScriptElement* e = Nth(dice.Chance(50) ? ekAction : ekCharacterName, dice.Below(W().ElementCount()));
      if (!e) continue;
      CaretAt(e, 0);
      Menu("AddForcedPageBreakItem");
    }
  }

  // One script of the round; what went wrong, in words, or empty.
  std::string Trial(const RoundShape& shape, std::uint64_t seed) {
    SeededRandom dice(seed * 7919 + 17);
    std::vector<ElementSpec> script = testing::GenerateScreenplay(seed, dice.Between(shape.minPages, shape.maxPages));
    VarySpeeches(script, dice, std::string(shape.name) == "long speeches");
    W().PagesLocked = 0;
    LoadWrapped(script, 0);
    W().RefreshLayout();
    if (shape.lockedPages) {
      testing::RunConfirmed(Driver(), "LockScriptItem");
      if (!W().PagesLocked) return "the pages were not locked";
    }
    SecondDialogues(dice);
    if (shape.forcedBreaks) ForcedBreaks(dice);
    if (const std::string fault = TwoPasses(); !fault.empty()) return "after the speeches changed:\n" + fault;
    TypeOverRepeatedNames(dice);
    if (const std::string fault = TwoPasses(); !fault.empty()) return "after names typed over:\n" + fault;
    return {};
  }

  // Repaginate Now twice in a row; where the second pass differs, in words.
  std::string TwoPasses() {
    Repaginate();
    const std::string once = Laid(W());
    Repaginate();
    return FirstDifference(once, Laid(W()));
  }

  int asked_ = 0;
};

TEST_F(RepaginationRoundTest, RepaginatingTwiceLeavesTheSameBreaks) {
  std::vector<std::string> faults;
  int breaksSeen = 0;
  for (int n = 0; n < kScripts; ++n) {
    const RoundShape& shape = kShapes[n % std::size(kShapes)];
    const std::string fault = Trial(shape, static_cast<std::uint64_t>(n + 1));
    for (const TScriptElement* e = W().FirstElement; e; e = e->next) breaksSeen += e->Kind() == ekAutoPageBreak;
    if (!fault.empty()) faults.push_back("script " + std::to_string(n + 1) + " (" + shape.name + "):\n" + fault);
  }
  EXPECT_GT(breaksSeen, kScripts * 2) << "the scripts are long enough to break";
  std::string all;
  for (std::size_t i = 0; i < faults.size() && i < 6; ++i) all += faults[i] + "\n";
  EXPECT_TRUE(faults.empty()) << faults.size() << " of " << kScripts << " scripts:\n" << all;
}

}  // namespace
}  // namespace qm
