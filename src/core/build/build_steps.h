#pragma once

#include <filesystem>
#include <string>

#include "core/build/build_log.h"
#include "core/model/script_model.h"
#include "core/platform/file_io.h"
#include "core/platform/text_lines.h"
#include "core/settings/setup_settings.h"

namespace scriptdesk {

// A pane's text as ANSI lines. badLine is the 1-based number of the first line that held a
// character the ANSI code page cannot hold (0 when every character fits); such a text is never
// written, since the file would silently differ from what the user sees.
struct PaneText {
  Lines lines;
  int badLine = 0;
};

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
