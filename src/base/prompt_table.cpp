#include "base/prompt_table.h"

#include <array>

#include "base/global_state.h"

namespace qm {

namespace {

struct Wording {
  const char* jokey;
  const char* plain;
};

constexpr Wording kPrompts[PromptCount] = {
    {"My Most humble Regrets, but...", "Attention"},
    {"It is with great sadness and trepidation that I must inform you that there are currently no Characters in your script whose names commence with the letter \"",
     "There are currently no Characters in your script whose names start with the letter \""},
    {"Thought I wasn't looking, huh?", "Attention"},
    {"I am OUTTA here...", "SmartCheck is Complete"},
    {"Talk to me, Babe...", "Attention"},
    {"Ready to Rock'n'Roll", "Attention"},
    {"Darling, are you sure?", "Attention"},
    {"Captain...", "Attention"},
    {"Let's see...", "Attention"},
    {"Be good now...", "Attention"},
    {"You lucky devil...", "Attention"},
    {"Hey!", "Attention"},
    {"Our lawyers want you to know...", "Attention"},
    {"Yes, Master...", "Attention"},
    {"Watch'a trying to pull?", "Attention"},
    {"It is my sad task to inform you that the Margins which you've most skillfully selected leave less than 1 Inch between them, and that due to my own poor limitations, I must reset them to their previous values.",
     "The Margins which you've selected leave less than 1 Inch between them, so I must reset them to their previous values."},
    {"Sorry, Pal, but...", "Attention"},
    {"A Wise Move...", "Attention"},
    {"Hey, I'm watching you...", "Attention"},
    {"Just so you know...", "Attention"},
    {"What'dya say?", "Attention"},
    {"No room in the Inn...", "Attention"},
    {"See ya!", "Attention"},
    {"Caio", "Attention"},
    {"Now, that's odd...", "Attention"},
    {"You asked for it!", "Attention"},
    {"Sorry...", "Attention"},
    {"You're in Luck!", "Attention"},
    {"It is my sad task to regretfully inform you that there are currently no locations available for automatic text entry, neither from the text of this most estimable script itself, nor from the Scene Body Text User List.\r\rMy most humble apologies.",
     "There are currently no locations available for automatic text entry, neither from the text of the script, nor from the Scene Body Text User List."},
    {"Nice try, but...", "Attention"},
    {"It is my sad task to regretfully inform you that there are currently no Act or Scene locations available for going to...\r\rMy most humble apologies.",
     "There are currently no Act or Scene locations available for going to..."},
    {"What should I do, Master?", "Attention"},
    {"Curiouser and Curiouser", "Attention"},
    {"Hey, a MIstake!", "Attention"},
    {"I'll miss you...", "Attention"},
    {"Not to be negative, but you've already SUBSTANTIALLY cheated the length of this script and any further compression of lines is going to become EXTREMELY noticeable.  I know it's gauche, but perhaps you might want to CUT something instead?\r\rCheat anyway?",
     "You've already SUBSTANTIALLY cheated the length of this script and any further compression of lines is going to become EXTREMELY noticeable.\r\rCheat anyway?"},
    {"You're asking me to violate the laws of physics by cheating the LAST page in the script, one that doesn't end in an actual Page Break, and were I to do so, I might get into a serious infinite loop, so I'm not going to.",
     "This is the LAST page in the script, one that doesn't end in an actual Page Break, and I am thus unable cheat its length."},
    {"Are you out of your mind?", "Attention"},
    {"This page ends in a Forced or Locked Page Break, so cheating the lines won't actually achieve ANYTHING, and you should really re-evaluate what you're trying to accomplish here",
     "This page ends in a Forced or Locked Page Break, so cheating the lines won't actually achieve ANYTHING."},
    {"Must've been a Freudian Slip...", "Attention"},
    {"The strong, silent type, huh?", "Attention"},
};

std::array<std::string, PromptCount> table;

const GlobalState reset([] { table.fill(std::string()); });

}  // namespace

void BuildPromptTable(bool jokey) {
  for (int i = 0; i < PromptCount; ++i) table[static_cast<size_t>(i)] = jokey ? kPrompts[i].jokey : kPrompts[i].plain;
}

const std::string& PromptTable(int index) {
  static const std::string none;
  if (index < 0 || index >= PromptCount) return none;
  return table[static_cast<size_t>(index)];
}

}  // namespace qm
