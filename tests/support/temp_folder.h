// A temporary folder for one test, removed with everything in it (even
// files a test made read-only), and small whole-file helpers.
#pragma once

#include <string>

namespace qm::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Sets an environment variable for the lifetime of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value);
  ~ScopedEnv();

 private:
  std::string name_;
  std::string old_;
  bool had_;
};

// Writes bytes to a file, replacing it; returns the path.
std::string WriteFileText(const std::string& path, const std::string& bytes);
// The whole file as bytes ("" when it cannot be read).
std::string ReadFileText(const std::string& path);
// What a shell command writes to its standard output.
std::string CommandOutput(const std::string& command);

}  // namespace qm::testing
