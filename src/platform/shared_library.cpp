#include "platform/shared_library.h"

#include <dlfcn.h>

namespace qm {

bool TSharedLibrary::Load(const std::string& path, std::string* error) {
  Free();
  // Local binding: two libraries with entry points of the same names never
  // answer for each other.
  handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr && error != nullptr) {
    const char* why = ::dlerror();
    *error = why == nullptr ? "cannot load " + path : why;
  }
  return handle_ != nullptr;
}

void* TSharedLibrary::Symbol(const char* name) const { return handle_ == nullptr ? nullptr : ::dlsym(handle_, name); }

void TSharedLibrary::Free() {
  if (handle_ != nullptr) ::dlclose(handle_);
  handle_ = nullptr;
}

}  // namespace qm
