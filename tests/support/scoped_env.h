#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace scriptdesk::test {

// Sets an environment variable for the life of the object.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    Set(value);
  }
  ~ScopedEnv() { old_ ? Set(old_->c_str()) : Unset(); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
#if defined(_WIN32)
  void Set(const char* value) const {
    _putenv_s(name_, value);
  }
  void Unset() const {
    _putenv_s(name_, "");
  }
#else
  void Set(const char* value) const {
    ::setenv(name_, value, 1);
  }
  void Unset() const {
    ::unsetenv(name_);
  }
#endif

  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace scriptdesk::test
