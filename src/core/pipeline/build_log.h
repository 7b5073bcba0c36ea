#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "core/platform/text_lines.h"
#include "core/platform/user_text.h"

namespace scriptdesk {

// The build window's log: commands only ever append lines to it. A line keeps its paths apart
// from its words (UserText), so a folder's name is shown as the file system spells it.
class BuildLog {
 public:
  using Listener = std::function<void(const UserText& line)>;

  void Append(UserText line) {
    lines_.push_back(line.Flat());
    entries_.push_back(std::move(line));
    if (listener_) listener_(entries_.back());
  }
  // Each line with its paths' bytes run into its words.
  const Lines& lines() const { return lines_; }
  const std::vector<UserText>& entries() const { return entries_; }

  // The window mirrors the log through this.
  void SetListener(Listener listener) { listener_ = std::move(listener); }

 private:
  Lines lines_;
  std::vector<UserText> entries_;
  Listener listener_;
};

}  // namespace scriptdesk
