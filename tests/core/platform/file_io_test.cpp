#include "core/platform/file_io.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "core/platform/errors.h"
#include "support/platform.h"
#include "support/temp_dir.h"

namespace scriptdesk {
namespace {

namespace fs = std::filesystem;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

std::vector<std::string> Entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

template <typename Call>
std::string IoErrorText(Call call) {
  try {
    call();
  } catch (const IoError& error) {
    return error.what();
  }
  return "<no error>";
}

TEST(FileIo, ReadsEveryByte) {
  test::TempDir dir;
  using namespace std::string_literals;
  const auto bytes = "a\0\r\n\xFF\x1A"s + std::string(100000, 'z');
  EXPECT_EQ(ReadFileBytes(dir.Write("bin", bytes)), bytes);
  EXPECT_EQ(ReadFileBytes(dir.Write("empty", "")), "");
}

TEST(FileIo, ReadFailuresNameThePathAndReason) {
  test::TempDir dir;
  const auto missing = dir.path() / "missing.txt";
  EXPECT_EQ(IoErrorText([&] { ReadFileBytes(missing); }),
            "Cannot open file \"" + missing.string() + "\". " + SystemErrorText(ENOENT));
  EXPECT_EQ(IoErrorText([&] { ReadFileBytes(dir.path()); }).rfind("Cannot open file \"", 0), 0u);
}

TEST(FileIo, AtomicWriteReplacesContentAndLeavesNoTemporaryFile) {
  test::TempDir dir;
  const auto path = dir.Write("script.txt", "old content that is longer");
  WriteFileAtomic(path, "new");
  EXPECT_EQ(dir.Read("script.txt"), "new");
  WriteFileAtomic(dir.path() / "fresh.txt", "");
  EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"fresh.txt", "script.txt"}));
}

TEST(FileIo, AtomicWriteKeepsPermissionsAndLinks) {
  SKIP_ON_WINDOWS("permission bits and symbolic links");
  test::TempDir dir;
  const auto path = dir.Write("Setup.ini", "old");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(path, dir.path() / "link.ini");
  WriteFileAtomic(dir.path() / "link.ini", "new");
  EXPECT_TRUE(fs::is_symlink(dir.path() / "link.ini"));
  EXPECT_EQ(dir.Read("Setup.ini"), "new");
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
}

#if defined(_WIN32)
constexpr int kUnderAFile = ENOENT;  // Windows finds no such path under a file
#else
constexpr int kUnderAFile = ENOTDIR;
#endif

TEST(FileIo, FailedAtomicWriteLeavesTargetAndFolderAsTheyWere) {
  test::TempDir dir;
  dir.Write("plain", "x");
  const auto underFile = dir.path() / "plain" / "out.txt";
  EXPECT_EQ(IoErrorText([&] { WriteFileAtomic(underFile, "data"); }),
            "Cannot create file \"" + underFile.string() + "\". " + SystemErrorText(kUnderAFile));

  // Renaming over a folder fails only after the temporary file was written.
  const auto folder = dir.path() / "out.txt";
  fs::create_directory(folder);
  dir.Write("out.txt/inside", "kept");
  EXPECT_EQ(IoErrorText([&] {
              WriteFileAtomic(folder, "data");
            }).rfind("Cannot create file \"" + folder.string() + "\". ", 0),
            0u);
  EXPECT_EQ(dir.Read("out.txt/inside"), "kept");
  EXPECT_EQ(Entries(dir.path()), (std::vector<std::string>{"out.txt", "plain"}));
}

TEST(FileIo, FindFileNoCasePrefersExactThenAnyCase) {
  test::TempDir dir;
  dir.Write("Script.TXT", "1");
  dir.Write("ENGLISH.txt", "2");
  dir.Write("english.txt", "3");
  EXPECT_EQ(FindFileNoCase(dir.path(), "Script.TXT"), dir.path() / "Script.TXT");
  EXPECT_EQ(FindFileNoCase(dir.path(), "script.txt"), dir.path() / "Script.TXT");
#if defined(_WIN32)
  // One file: no two names in a Windows folder differ only in case.
  EXPECT_EQ(FindFileNoCase(dir.path(), "english.txt"), dir.path() / "ENGLISH.txt");
#else
  EXPECT_EQ(FindFileNoCase(dir.path(), "english.txt"), dir.path() / "english.txt");
#endif
  EXPECT_EQ(FindFileNoCase(dir.path(), "English.Txt"), dir.path() / "ENGLISH.txt");
  EXPECT_EQ(FindFileNoCase(dir.path(), "script.tx"), std::nullopt);
  EXPECT_EQ(FindFileNoCase(dir.path(), ""), std::nullopt);
  EXPECT_EQ(FindFileNoCase(dir.path() / "nowhere", "script.txt"), std::nullopt);
  EXPECT_EQ(FindFileNoCase(dir.path() / "Script.TXT", "x"), std::nullopt);
}

TEST(BlockCopyFile, CopiesInBlocksAndLetsEventsRunBetweenThem) {
  test::TempDir dir;
  std::string bytes(10000, 'x');
  bytes[4096] = '\0';
  dir.Write("source", bytes);
  int pumps = 0;
  BlockCopyFile(dir.path() / "source", dir.path() / "target", [&] { ++pumps; });
  EXPECT_EQ(dir.Read("target"), bytes);
  EXPECT_EQ(pumps, 3);  // 4097 + 4097 + 1806
}

TEST(BlockCopyFile, ZeroByteSourceGivesZeroByteTarget) {
  test::TempDir dir;
  dir.Write("empty", "");
  dir.Write("target", "old content");
  BlockCopyFile(dir.path() / "empty", dir.path() / "target");
  EXPECT_TRUE(dir.Exists("target"));
  EXPECT_EQ(dir.Read("target"), "");
}

TEST(BlockCopyFile, MissingSourceIsFileNotFoundAndLeavesTheTarget) {
  test::TempDir dir;
  dir.Write("target", "keep");
  EXPECT_THAT([&] { BlockCopyFile(dir.path() / "none", dir.path() / "target"); },
              ThrowsMessage<IoError>(StrEq("File not found")));
  EXPECT_EQ(dir.Read("target"), "keep");
}

}  // namespace
}  // namespace scriptdesk
