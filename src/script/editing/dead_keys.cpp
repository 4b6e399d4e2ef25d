#include "script/editing/dead_keys.h"

#include "platform/types.h"
#include "base/global_state.h"

namespace qm {

char PendingDeadKey;

namespace {

const GlobalState reset([] { PendingDeadKey = 0; });

struct Accent {
  char deadKey;
  char letter;
  Byte result;
};

constexpr Accent kAccents[] = {
    {'\'', '?', 191}, {'\'', 'A', 193}, {'\'', 'E', 201}, {'\'', 'I', 205}, {'\'', 'O', 211}, {'\'', 'U', 218},
    {'\'', 'Y', 221}, {'\'', 'a', 225}, {'\'', 'e', 233}, {'\'', 'i', 237}, {'\'', 'o', 243}, {'\'', 'u', 250},
    {'\'', 'y', 253}, {',', 'C', 199},  {',', 'c', 231},  {'0', 'C', 169},  {'0', 'c', 169},  {'0', 'R', 174},
    {'0', 'r', 174},  {':', 'A', 196},  {':', 'E', 203},  {':', 'I', 207},  {':', 'O', 214},  {':', 'U', 220},
    {':', 'a', 228},  {':', 'e', 235},  {':', 'i', 239},  {':', 'o', 246},  {':', 'u', 252},  {':', 'y', 255},
    {'^', 'A', 194},  {'^', 'E', 202},  {'^', 'I', 206},  {'^', 'O', 212},  {'^', 'U', 219},  {'^', 'a', 226},
    {'^', 'e', 234},  {'^', 'i', 238},  {'^', 'o', 244},  {'^', 'u', 251},  {'`', 'A', 192},  {'`', 'E', 200},
    {'`', 'I', 204},  {'`', 'O', 210},  {'`', 'U', 217},  {'`', 'a', 224},  {'`', 'e', 232},  {'`', 'i', 236},
    {'`', 'o', 242},  {'`', 'u', 249},  {'~', 'A', 195},  {'~', 'N', 209},  {'~', 'O', 213},  {'~', 'a', 227},
    {'~', 'n', 241},  {'~', 'o', 245},
};

}  // namespace

char ComposeDeadKey(char typed) {
  if (PendingDeadKey == 0 || static_cast<Byte>(typed) < 32) return typed;
  const char deadKey = PendingDeadKey;
  PendingDeadKey = 0;
  for (const auto& a : kAccents)
    if (a.deadKey == deadKey && a.letter == typed) return static_cast<char>(a.result);
  return typed;
}

}  // namespace qm
