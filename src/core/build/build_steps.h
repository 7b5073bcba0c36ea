#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "core/build/build_log.h"
#include "core/model/script_model.h"
#include "core/platform/text_lines.h"
#include "core/settings/setup_settings.h"

namespace scriptdesk {

// Lets the windows handle pending events between two blocks of a long copy.
using EventPump = std::function<void()>;

// A pane's text as ANSI lines. badLine is the 1-based number of the first line that held a
// character the ANSI code page cannot hold (0 when every character fits); such a text is never
// written, since the file would silently differ from what the user sees.
struct PaneText {
  Lines lines;
  int badLine = 0;
};

// Copies in blocks of 4097 bytes and logs "Copy:" + target. The target appears only when the
// whole copy succeeded. Throws IoError with the runtime's texts: "File not found",
// "File access denied", "Disk full" or "I/O error <n>".
void BlockCopyFile(const std::filesystem::path& source, const std::filesystem::path& target,
                   BuildLog& log, const EventPump& pump = {});

// Step 3: saves both panes as script.txt and <language>.txt in the program folder.
void SaveStep(const PaneText& script, const PaneText& language, const THeader& header,
              const std::filesystem::path& programFolder, BuildLog& log);

// "Copy,Delete": copies the compiled files into CopyPath and deletes what the settings say.
// Throws IoError (a failed copy or extra save), which ends the command where it happened.
void CopyDeleteStep(const SetupSettings& settings, const THeader& header, const PaneText& script,
                    const PaneText& language, const std::filesystem::path& programFolder,
                    BuildLog& log, const EventPump& pump = {});

// True when both name the same folder: a trailing separator, "." and "..", links and (on
// Windows) letter case do not matter.
bool IsSameFolder(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace scriptdesk
