// Errors raised by the settings engine, carrying the texts the user sees.
#pragma once

#include <stdexcept>
#include <string>

namespace settings {

// Base of every settings failure; what() is the text shown in the error box (UTF-8).
class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A write the file system refused, or a value the file cannot hold.
// Text: "<path> に書き込めません".
class WriteError : public Error {
  public:
    explicit WriteError(const std::string& path);
};

// The empty settings file could not be created. code() is the classic error number the text is
// chosen by: 2 file not found, 3 bad path, 4 too many open files, 5 access denied, or the errno
// itself for anything else ("I/O エラー (n)").
class CreateError : public Error {
  public:
    CreateError(int code, const std::string& text) : Error(text), code_(code) {}
    int code() const { return code_; }

    // The error for a creation that failed with `err` (an errno value).
    static CreateError FromErrno(int err);

  private:
    int code_;
};

// Thrown by IniDocument for a section, key or value that would not survive a round trip through
// the file (a line break or NUL would inject lines; an over-long value would be read back cut).
class UnstorableValue : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

}  // namespace settings
