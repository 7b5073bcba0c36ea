// Every file operation in a folder whose name the ANSI code page cannot hold: on Windows only
// the wide-character calls reach it, and path::string() of it throws under some runtimes.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "core/platform/errors.h"
#include "core/platform/file_io.h"
#include "core/settings/setup_store.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;

struct Operation {
  const char* name;
  std::function<void(const fs::path& folder)> run;
};

const Operation kOperations[] = {
    {"atomic write over a file, then read",
     [](const fs::path& folder) {
       WriteFileAtomic(folder / "script.txt", "old");
       WriteFileAtomic(folder / "script.txt", std::string(10000, 'x'));
       EXPECT_EQ(ReadFileBytes(folder / "script.txt"), std::string(10000, 'x'));
       EXPECT_EQ(test::FolderBytes(folder).size(), 1u);  // no temporary file left
     }},
    {"block copy",
     [](const fs::path& folder) {
       WriteFileAtomic(folder / "SCRIPT.DAT", std::string(9000, '\x7F'));
       int blocks = 0;
       BlockCopyFile(folder / "SCRIPT.DAT", folder / "copy.dat", [&] { ++blocks; });
       EXPECT_EQ(ReadFileBytes(folder / "copy.dat"), std::string(9000, '\x7F'));
       EXPECT_EQ(blocks, 3);
     }},
    {"all-or-nothing copy, and one that fails",
     [](const fs::path& folder) {
       WriteFileAtomic(folder / "SCRIPT.DAT", "new script");
       WriteFileAtomic(folder / "ENGLISH.DAT", "new strings");
       fs::create_directory(folder / "game");
       WriteFileAtomic(folder / "game" / "script.dat", "old script");
       CopyFilesAllOrNothing({{folder / "SCRIPT.DAT", folder / "game" / "script.dat"},
                              {folder / "ENGLISH.DAT", folder / "game" / "ENGLISH.dat"}});
       EXPECT_EQ(test::FolderBytes(folder / "game"),
                 (std::map<std::string, std::string>{{"ENGLISH.dat", "new strings"},
                                                     {"script.dat", "new script"}}));
       EXPECT_THROW(CopyFilesAllOrNothing({{folder / "SCRIPT.DAT", folder / "game" / "script.dat"},
                                           {folder / "MISSING.DAT", folder / "game" / "x.dat"}}),
                    IoError);
       EXPECT_EQ(ReadFileBytes(folder / "game" / "script.dat"), "new script");
     }},
    {"case-insensitive lookup beside a name outside the code page",
     [](const fs::path& folder) {
       WriteFileAtomic(folder / "Script.TXT", "s");
       WriteFileAtomic(folder / fs::path(u8"\u03A9-notes.txt"), "n");
       EXPECT_EQ(FindFileNoCase(folder, "script.txt"), folder / "Script.TXT");
       EXPECT_EQ(LocateNoCase(folder, "SCRIPT.TXT"), folder / "Script.TXT");
       EXPECT_EQ(FindFileNoCase(folder, "english.txt"), std::nullopt);
     }},
    {"an error names the folder",
     [](const fs::path& folder) {
       try {
         ReadFileBytes(folder / "missing.txt");
         ADD_FAILURE() << "no error";
       } catch (const IoError& error) {
         EXPECT_EQ(error.text().parts().at(1).path, folder / "missing.txt");
         EXPECT_NE(std::string(error.what()).find("mega Raider"), std::string::npos);
       }
     }},
    {"Setup.ini kept and read back",
     [](const fs::path& folder) {
       SetupSettings settings = DefaultSetup("C:\\Game\\");
       settings.CopyEnabled = true;
       SaveSetup(settings, SetupIniPath(folder));
       EXPECT_EQ(LoadSetup(SetupIniPath(folder), "unused"), settings);
     }},
};

TEST(FolderOutsideTheCodePage, EveryFileOperationReachesIt) {
  for (const Operation& operation : kOperations) {
    SCOPED_TRACE(operation.name);
    test::TempDir dir;
    const fs::path folder = dir.path() / fs::path(u8"\u03A9mega Raider");
    fs::create_directory(folder);
    operation.run(folder);
  }
}

}  // namespace
}  // namespace scriptdesk
