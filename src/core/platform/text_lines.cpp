#include "core/platform/text_lines.h"

namespace scriptdesk {

std::string JoinCrLf(const Lines& lines) {
  std::size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  std::string out;
  out.reserve(size);
  for (const auto& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

Lines SplitCrLf(std::string_view text) {
  Lines out;
  std::size_t start = 0;
  while (true) {
    const auto pos = text.find("\r\n", start);
    if (pos == std::string_view::npos) {
      out.emplace_back(text.substr(start));
      return out;
    }
    out.emplace_back(text.substr(start, pos - start));
    start = pos + 2;
  }
}

void AppendText(Lines& pane, std::string_view text) {
  auto pieces = SplitCrLf(text);
  pane.insert(pane.end(), std::make_move_iterator(pieces.begin()),
              std::make_move_iterator(pieces.end()));
}

void AppendList(Lines& pane, const Lines& list) {
  pane.insert(pane.end(), list.begin(), list.end());
  pane.emplace_back();
}

Lines SplitFileLines(std::string_view bytes) {
  Lines out;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' || bytes[i] == '\n') {
      out.emplace_back(bytes.substr(start, i - start));
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < bytes.size()) out.emplace_back(bytes.substr(start));
  return out;
}

}  // namespace scriptdesk
