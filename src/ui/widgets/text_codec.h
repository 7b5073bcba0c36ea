#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include <QString>

#include "core/document/text_document.h"
#include "core/platform/text_lines.h"
#include "core/platform/user_text.h"

namespace scriptdesk {

// The one place where the core's ANSI bytes and Qt's strings meet. The code page is
// windows-1252 on Linux and macOS and the system ANSI code page on Windows; every byte
// 0..255 decodes to one character and encodes back to the same byte.

QString ToQt(std::string_view ansi);

// nullopt when a character has no byte in the code page; use it where a loss must be refused.
std::optional<std::string> EncodeAnsi(const QString& text);

// Each character without a byte in the code page becomes '?'.
std::string FromQt(const QString& text);

// A path as the file system spells it, for the user's eyes and back.
QString PathToQt(const std::filesystem::path& path);
std::filesystem::path PathFromQt(const QString& text);

// A line for the user: its words from the code page, its paths as the file system spells them.
QString UserTextToQt(const UserText& text);

// Folder paths in Setup.ini are ANSI text, as on the platform the program came from; the file
// system may spell names otherwise (UTF-8 on Linux and macOS). These convert between the two.
std::string AnsiFromNativePath(const std::string& native);
std::string NativeFromAnsiPath(const std::string& ansi);

// A pane's text as lines: split at "\n"; an empty text is no line, "a\n" is "a" and "".
Lines LinesFromQt(const QString& paneText);
QString LinesToQt(const Lines& lines);

// A file's text for a pane, read as the file is encoded (UTF-8 or the ANSI code page): its lines
// parted by "\n", with one more "\n" when its last line ends in a line break.
QString DocumentToQt(const TextDocument& file);
// A pane's text back into a file like `file`, so that its unchanged text gives its bytes back: its
// encoding and byte-order mark, line i ended as the file's line i was (lines past its end as most
// of its lines are), and no line end after the last line when the file had none there. nullopt,
// with the 1-based line in `badLine`, when a character has no byte in an ANSI file.
std::optional<std::string> DocumentBytesFromQt(const QString& paneText, const TextDocument& file,
                                               int& badLine);

// The windows-1252 mapping done without Qt's codecs, used when the platform lacks them.
// Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D map to U+0081.. as Windows does.
QString DecodeWindows1252(std::string_view bytes);
std::optional<std::string> EncodeWindows1252(const QString& text);

}  // namespace scriptdesk
