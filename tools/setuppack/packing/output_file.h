// Writing an output file all at once or not at all.
//
// The bytes go to a temporary file beside the target, which is renamed over
// the target only when everything has been written; a failed or interrupted
// build never leaves a partial setup that could be shipped by mistake.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/host/host_file_stream.h"

class TOutputFile {
 public:
  // Creates the temporary file in the target's folder; raises the create
  // error when that fails.
  explicit TOutputFile(const std::filesystem::path& target);
  // Removes the temporary file unless Commit succeeded.
  ~TOutputFile();
  TOutputFile(const TOutputFile&) = delete;
  TOutputFile& operator=(const TOutputFile&) = delete;

  TStream& Stream() { return *stream_; }
  // Closes the temporary file and renames it to the target, replacing any
  // file there; raises Exception when either fails.
  void Commit();

 private:
  std::filesystem::path target_, temporary_;
  std::unique_ptr<THostFileStream> stream_;
  bool committed_ = false;
};
