// A property that tells its owner when its value changes, so that the
// program's code can write `OkBtn->Enabled = false;` and a desktop peer
// still hears about it.
#pragma once

#include <concepts>
#include <type_traits>
#include <utility>

#include "platform/backend.h"

namespace qm {

class PropertyOwner {
 public:
  virtual void PropertyChanged(PropId id) = 0;

 protected:
  ~PropertyOwner() = default;
};

template <class T>
class Prop {
 public:
  Prop(PropertyOwner* owner, PropId id, T initial = T{}) : value_(std::move(initial)), owner_(owner), id_(id) {}
  Prop(const Prop&) = delete;

  Prop& operator=(const Prop& other) { return *this = other.value_; }
  Prop& operator=(const T& value) {
    if (!(value_ == value)) {
      value_ = value;
      if (owner_) owner_->PropertyChanged(id_);
    }
    return *this;
  }
  template <class U>
  requires(std::is_convertible_v<U, T> && !std::is_same_v<std::decay_t<U>, Prop> &&
           !std::is_same_v<std::decay_t<U>, T>) Prop&
  operator=(U&& value) {
    return *this = T(std::forward<U>(value));
  }

  operator const T&() const { return value_; }
  const T& operator()() const { return value_; }
  const T* operator->() const { return &value_; }

  Prop& operator+=(const T& d) requires std::is_arithmetic_v<T> { return *this = static_cast<T>(value_ + d); }
  Prop& operator-=(const T& d) requires std::is_arithmetic_v<T> { return *this = static_cast<T>(value_ - d); }
  Prop& operator++() requires std::is_arithmetic_v<T> { return *this += 1; }
  Prop& operator--() requires std::is_arithmetic_v<T> { return *this -= 1; }

  friend bool operator==(const Prop& a, const T& b) { return a.value_ == b; }
  friend bool operator==(const T& a, const Prop& b) { return a == b.value_; }
  friend bool operator!=(const Prop& a, const T& b) { return !(a.value_ == b); }

  // Sets the value without telling the owner (for the owner's own use
  // while it is being built or mirrored back from a peer).
  void SetQuietly(const T& value) { value_ = value; }

 private:
  T value_;
  PropertyOwner* owner_;
  PropId id_;
};

}  // namespace qm
