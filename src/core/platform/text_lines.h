#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scriptdesk {

// A text pane or memo: a list of lines of ANSI bytes, without line ends.
using Lines = std::vector<std::string>;

// The file form of a pane: every line, the last included, followed by CR LF.
std::string JoinCrLf(const Lines& lines);

// Splits a text at its CR LF breaks. Every piece is a line, so a text ending in CR LF gives a
// last empty line and an empty text gives one empty line (a memo's Add of a whole text).
Lines SplitCrLf(std::string_view text);

// Appends a text to a pane as a memo does: the text's pieces at CR LF become lines.
void AppendText(Lines& pane, std::string_view text);

// Appends a list as one text: its entries, each followed by CR LF, then the break of the
// addition, so a list is always followed by exactly one empty line.
void AppendList(Lines& pane, const Lines& list);

// Splits file bytes into lines at CR LF, LF or a lone CR; a final line end adds no empty line.
Lines SplitFileLines(std::string_view bytes);

}  // namespace scriptdesk
