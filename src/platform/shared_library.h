// A shared object loaded at run time, its entry points found by name: how
// the program reaches outside libraries that may or may not be there.
#pragma once

#include <string>

namespace qm {

class TSharedLibrary {
 public:
  TSharedLibrary() = default;
  TSharedLibrary(const TSharedLibrary&) = delete;
  TSharedLibrary& operator=(const TSharedLibrary&) = delete;
  ~TSharedLibrary() { Free(); }

  // Loads the file at an absolute path; false with the reason in `error`.
  bool Load(const std::string& path, std::string* error = nullptr);
  bool Loaded() const { return handle_ != nullptr; }
  // The entry point of that name, or null when the library has none.
  void* Symbol(const char* name) const;
  void Free();

 private:
  void* handle_ = nullptr;
};

}  // namespace qm
