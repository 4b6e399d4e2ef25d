// An optional value kept outside its record, so that a field nearly every
// record leaves empty takes only a pointer's room in it. Copies copy the
// value; the interface is that of std::optional as far as the records use it.
#pragma once

#include <memory>
#include <utility>

namespace qm {

template <typename T>
class TBoxed {
 public:
  TBoxed() = default;
  TBoxed(const TBoxed& other) : value_(Copy(other)) {}
  TBoxed(TBoxed&&) noexcept = default;
  TBoxed& operator=(const TBoxed& other) {
    if (this != &other) value_ = Copy(other);
    return *this;
  }
  TBoxed& operator=(TBoxed&&) noexcept = default;
  TBoxed& operator=(T value) {
    value_ = std::make_unique<T>(std::move(value));
    return *this;
  }

  explicit operator bool() const { return value_ != nullptr; }
  T& operator*() { return *value_; }
  const T& operator*() const { return *value_; }
  T* operator->() { return value_.get(); }
  const T* operator->() const { return value_.get(); }
  void reset() { value_.reset(); }
  T value_or(T fallback) const { return value_ ? *value_ : std::move(fallback); }

  friend bool operator==(const TBoxed& a, const TBoxed& b) { return a && b ? *a == *b : !a && !b; }

 private:
  static std::unique_ptr<T> Copy(const TBoxed& other) {
    return other.value_ ? std::make_unique<T>(*other.value_) : nullptr;
  }
  std::unique_ptr<T> value_;
};

}  // namespace qm
