#pragma once

#include <stdexcept>
#include <string>
#include <utility>

#include "core/platform/user_text.h"

namespace scriptdesk {

// Runtime failures end a command and are shown once, in an error box, at the command boundary.
// Their what() is the message the user sees; text() the same with its paths kept apart, so
// that a folder's name reaches the screen as the file system spells it.
class ScriptDeskError : public std::runtime_error {
 public:
  explicit ScriptDeskError(const std::string& message)
      : std::runtime_error(message), text_(message) {}
  explicit ScriptDeskError(const char* message) : ScriptDeskError(std::string(message)) {}
  explicit ScriptDeskError(UserText text)
      : std::runtime_error(text.Flat()), text_(std::move(text)) {}
  const UserText& text() const { return text_; }

 private:
  UserText text_;
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
