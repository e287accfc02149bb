// The error classes of the setup system.
//
// Every failure is a C++ exception that carries a message text shown to the
// user as it stands. The class name is part of what the uninstaller reports
// for an error it cannot handle, so each class answers its own name.
#pragma once

#include <exception>
#include <string>

// Base of every error the system raises; also raised directly for an invalid
// settings file.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }
  virtual const char* ClassName() const { return "Exception"; }

 private:
  std::string message_;
};

#define SETUP_ERROR_CLASS(Name, Base)                              \
  class Name : public Base {                                       \
   public:                                                         \
    using Base::Base;                                              \
    const char* ClassName() const override { return #Name; }       \
  }

// A damaged package or uninstall record, or too little disk space.
SETUP_ERROR_CLASS(ESetupError, Exception);
// A text that is no version number.
SETUP_ERROR_CLASS(EProgramVersionError, Exception);
// The stream layer: short reads and writes, files that cannot be opened or made.
SETUP_ERROR_CLASS(EStreamError, Exception);
SETUP_ERROR_CLASS(EReadError, EStreamError);
SETUP_ERROR_CLASS(EWriteError, EStreamError);
SETUP_ERROR_CLASS(EFOpenError, EStreamError);
// A file that cannot be made. InUse when another program holds it open: the
// one cause that closing that program and trying again can cure.
class EFCreateError : public EStreamError {
 public:
  explicit EFCreateError(std::string message, bool inUse = false) : EStreamError(std::move(message)), inUse_(inUse) {}
  bool InUse() const { return inUse_; }
  const char* ClassName() const override { return "EFCreateError"; }

 private:
  bool inUse_;
};
// A zlib stream that inflate rejects.
SETUP_ERROR_CLASS(EZDecompressionError, Exception);
// A registry value that cannot be read or written as asked.
SETUP_ERROR_CLASS(ERegistryException, Exception);
// A side image that does not decode.
SETUP_ERROR_CLASS(EJPEG, Exception);
// A date or time that cannot be formed.
SETUP_ERROR_CLASS(EConvertError, Exception);
// An operating-system service that failed outright (a COM object that cannot
// be created, for one).
SETUP_ERROR_CLASS(EOSError, Exception);

#undef SETUP_ERROR_CLASS

// The fixed texts of the errors above.
inline constexpr const char* kStreamReadError = "Stream read error";
inline constexpr const char* kStreamWriteError = "Stream write error";
inline constexpr const char* kDecompressionError = "error";

// "Cannot open file "<path>". <reason>" and "Cannot create file ...".
EFOpenError FileOpenError(const std::string& path, const std::string& reason);
EFCreateError FileCreateError(const std::string& path, const std::string& reason, bool inUse = false);
