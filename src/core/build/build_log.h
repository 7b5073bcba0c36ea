#pragma once

#include <functional>
#include <string>
#include <utility>

#include "core/platform/text_lines.h"

namespace scriptdesk {

// The build window's log: commands only ever append lines to it.
class BuildLog {
 public:
  using Listener = std::function<void(const std::string& line)>;

  void Append(std::string line) {
    lines_.push_back(std::move(line));
    if (listener_) listener_(lines_.back());
  }
  const Lines& lines() const { return lines_; }

  // The window mirrors the log through this.
  void SetListener(Listener listener) { listener_ = std::move(listener); }

 private:
  Lines lines_;
  Listener listener_;
};

}  // namespace scriptdesk
