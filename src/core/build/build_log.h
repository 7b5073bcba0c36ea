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
  // Takes back the last line (the importer's copy leaves no "Copy:" line behind).
  void RemoveLast() {
    if (!lines_.empty()) lines_.pop_back();
    if (removed_) removed_();
  }
  const Lines& lines() const { return lines_; }

  // The window mirrors the log through these.
  void SetListener(Listener listener) { listener_ = std::move(listener); }
  void SetRemovedListener(std::function<void()> removed) { removed_ = std::move(removed); }

 private:
  Lines lines_;
  Listener listener_;
  std::function<void()> removed_;
};

}  // namespace scriptdesk
