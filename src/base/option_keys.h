// Settings keys bound to the place their value lives in: one table entry
// both reads and writes a key, so its section, name, default and limits are
// stated once.
#pragma once

#include <algorithm>
#include <climits>
#include <cstddef>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <variant>

#include "base/ini_file.h"
#include "platform/types.h"

namespace qm {

// The place of a key whose value no record holds: the forms that show it
// read and write it themselves (ReadOptionValue, WriteOptionValue).
inline constexpr std::monostate ShownPlace{};

template <typename Options>
struct OptionKey {
  using Place = std::variant<bool Options::*, Byte Options::*, Word Options::*, int Options::*, std::string Options::*,
                             bool*, Byte*, Word*, std::string*, std::monostate>;

  const char* section;
  const char* key;
  Place place;
  // Without a default, a missing key keeps the value the place holds.
  std::optional<int> defaultNumber = std::nullopt;
  const char* defaultText = nullptr;
  std::size_t maxLength = std::numeric_limits<std::size_t>::max();
  // A flag whose default is the value just read into this one.
  bool Options::*defaultFrom = nullptr;
  // Numbers beyond these stop at them; a number is first masked when a
  // stored field packs bits.
  int minimum = INT_MIN;
  int maximum = INT_MAX;
  int mask = -1;
  bool written = true;

  static OptionKey Flag(const char* section, const char* key, Place place, std::optional<bool> defaultValue = {}) {
    OptionKey k{section, key, place};
    if (defaultValue) k.defaultNumber = *defaultValue ? 1 : 0;
    return k;
  }
  static OptionKey FlagFollowing(const char* section, const char* key, bool Options::*place,
                                 bool Options::*defaultFrom) {
    OptionKey k{section, key, place};
    k.defaultFrom = defaultFrom;
    return k;
  }
  static OptionKey Number(const char* section, const char* key, Place place, std::optional<int> defaultValue = {},
                          int minimum = INT_MIN, int maximum = INT_MAX) {
    OptionKey k{section, key, place, defaultValue};
    k.minimum = minimum;
    k.maximum = maximum;
    return k;
  }
  static OptionKey Bits(const char* section, const char* key, Place place, int mask) {
    OptionKey k{section, key, place};
    k.mask = mask;
    return k;
  }
  static OptionKey Text(const char* section, const char* key, Place place, const char* defaultValue = nullptr,
                        std::size_t maxLength = std::numeric_limits<std::size_t>::max()) {
    OptionKey k{section, key, place};
    k.defaultText = defaultValue;
    k.maxLength = maxLength;
    return k;
  }
  static OptionKey NotWritten(OptionKey k) {
    k.written = false;
    return k;
  }
};

namespace option_keys_detail {

template <typename Options, typename T>
T& PlaceOf(Options& options, T Options::*member) {
  return options.*member;
}
template <typename Options, typename T>
const T& PlaceOf(const Options& options, T Options::*member) {
  return options.*member;
}
template <typename Options, typename T>
T& PlaceOf(const Options&, T* global) {
  return *global;
}

// Without a record, a flag that follows another keeps its own value as
// the default.
template <typename Options>
void Read(const TIniFile& ini, const OptionKey<Options>& k, const Options* o, bool& value) {
  const bool fallback = k.defaultFrom && o ? o->*k.defaultFrom : k.defaultNumber ? *k.defaultNumber != 0 : value;
  value = ini.ReadBool(k.section, k.key, fallback);
}

template <typename Options, typename T>
requires(std::is_integral_v<T> && !std::is_same_v<T, bool>) void Read(const TIniFile& ini, const OptionKey<Options>& k,
                                                                      const Options*, T& value) {
  const int stored = ini.ReadInteger(k.section, k.key, k.defaultNumber.value_or(static_cast<int>(value))) & k.mask;
  // Numbers beyond what the field holds stop at its limits instead of wrapping.
  const long long lowest = std::max<long long>(k.minimum, std::numeric_limits<T>::min());
  const long long highest = std::min<long long>(k.maximum, std::numeric_limits<T>::max());
  value = static_cast<T>(std::clamp<long long>(stored, lowest, highest));
}

// Texts of "at most N characters" are cut on every read.
template <typename Options>
void Read(const TIniFile& ini, const OptionKey<Options>& k, const Options*, std::string& value) {
  value = ini.ReadString(k.section, k.key, k.defaultText ? std::string(k.defaultText) : value);
  if (value.size() > k.maxLength) value.resize(k.maxLength);
}

template <typename Options>
void Write(TIniFile& ini, const OptionKey<Options>& k, bool value) {
  ini.WriteBool(k.section, k.key, value);
}
template <typename Options, typename T>
requires(std::is_integral_v<T> && !std::is_same_v<T, bool>) void Write(TIniFile& ini, const OptionKey<Options>& k,
                                                                       T value) {
  ini.WriteInteger(k.section, k.key, value);
}
template <typename Options>
void Write(TIniFile& ini, const OptionKey<Options>& k, const std::string& value) {
  ini.WriteString(k.section, k.key, value);
}

[[noreturn]] inline void NoPlace(const char* key) {
  throw std::logic_error(std::string("the settings key ") + key + " has no place in a record");
}

}  // namespace option_keys_detail

// The record may be of a type derived from the table's.
template <typename Options>
void ReadOptionKey(const TIniFile& ini, std::type_identity_t<Options>& o, const OptionKey<Options>& k) {
  std::visit(
      [&](auto place) {
        if constexpr (std::is_same_v<decltype(place), std::monostate>) option_keys_detail::NoPlace(k.key);
        else option_keys_detail::Read(ini, k, &o, option_keys_detail::PlaceOf(o, place));
      },
      k.place);
}

template <typename Options>
void WriteOptionKey(TIniFile& ini, const std::type_identity_t<Options>& o, const OptionKey<Options>& k) {
  if (!k.written) return;
  std::visit(
      [&](auto place) {
        if constexpr (std::is_same_v<decltype(place), std::monostate>) option_keys_detail::NoPlace(k.key);
        else option_keys_detail::Write(ini, k, option_keys_detail::PlaceOf(o, place));
      },
      k.place);
}

// A key's value for a form that shows it: `value` is what a key without a
// default keeps.
template <typename T, typename Options>
T ReadOptionValue(const TIniFile& ini, const OptionKey<Options>& k, T value = T{}) {
  option_keys_detail::Read(ini, k, static_cast<const Options*>(nullptr), value);
  return value;
}

template <typename T, typename Options>
void WriteOptionValue(TIniFile& ini, const OptionKey<Options>& k, const T& value) {
  if (k.written) option_keys_detail::Write(ini, k, value);
}

// In table order: a flag may take its default from one read before it.
template <typename Options, std::size_t N>
void ReadOptionKeys(const TIniFile& ini, std::type_identity_t<Options>& o, const OptionKey<Options> (&keys)[N]) {
  for (const OptionKey<Options>& k : keys) ReadOptionKey(ini, o, k);
}

template <typename Options, std::size_t N>
void WriteOptionKeys(TIniFile& ini, const std::type_identity_t<Options>& o, const OptionKey<Options> (&keys)[N]) {
  for (const OptionKey<Options>& k : keys) WriteOptionKey(ini, o, k);
}

}  // namespace qm
