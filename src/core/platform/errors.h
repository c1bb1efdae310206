#pragma once

#include <stdexcept>
#include <string>

namespace orvaltic {

// A text that should have been a number. Thrown from deep inside a handler, it unwinds the
// handler (its later steps must not run) and ends in the event dispatcher's error box.
class ConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A settings-file read or write that failed. The message is the exact text the user sees
// ("Invalid numeric input", "File access denied", "Disk full", ...).
class InOutError : public std::runtime_error {
 public:
  InOutError(const std::string& message, int code) : std::runtime_error(message), code_(code) {}
  // The run-time error number: 106 for bad numeric input, otherwise the system's error number.
  int code() const { return code_; }

 private:
  int code_;
};

}  // namespace orvaltic
