// A fresh folder below the temporary folder for one test, removed with
// everything in it afterwards.
#pragma once

#include <windows.h>

#include <string>

class TTestFolder {
 public:
  TTestFolder();
  ~TTestFolder();
  // The folder with a trailing backslash.
  const std::string& Path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

// Writes a file with the Windows API directly (not through the code under test).
void WriteTestFile(const std::string& path, const std::string& content);
std::string ReadTestFile(const std::string& path);
