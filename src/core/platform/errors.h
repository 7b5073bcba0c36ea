#pragma once

#include <stdexcept>
#include <string>

namespace scriptdesk {

// Runtime failures end a command and are shown once, in an error box, at the command boundary.
// Their what() is the message the user sees.
class ScriptDeskError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file that cannot be opened, created, read, written or closed.
class IoError : public ScriptDeskError {
 public:
  using ScriptDeskError::ScriptDeskError;
};

// A text that should be a number and is not: "'%s' is not a valid integer value".
class ConvertError : public ScriptDeskError {
 public:
  using ScriptDeskError::ScriptDeskError;
};

// An INI file that cannot be written: "Unable to write to %s".
class IniWriteError : public ScriptDeskError {
 public:
  using ScriptDeskError::ScriptDeskError;
};

}  // namespace scriptdesk
