// Reading a file whole: what is refused before a byte is read. Telling files apart: two names
// of one file are one file, and a file saved over is no longer the file that was read.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "host/files/file_identity.h"
#include "host/files/file_state.h"
#include "host/files/output_file.h"
#include "host/files/read_file.h"
#include "tests/helpers/temp_folder.h"

namespace files {
namespace {

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The message ReadWholeFile refuses `path` with; empty when it reads.
std::string RefusalOf(const std::filesystem::path& path, std::uintmax_t limit = kMaxReadFileBytes) {
    try {
        ReadWholeFile(path, limit);
    } catch (const FileError& error) {
        return error.what();
    }
    return "";
}

TEST(ReadFile, ReadsARegularFileAndRefusesEverythingElseAtOnce) {
    TempFolder folder;
    const auto file = folder.Path() / "ten.txt";
    WriteBytes(file, "0123456789");
    const auto fifo = folder.Path() / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto large = folder.Path() / "large";
    WriteBytes(large, "");
    std::filesystem::resize_file(large, (1 << 20) + 1);  // refused before a byte is read
    EXPECT_EQ(ReadWholeFile(file), "0123456789");
    EXPECT_EQ(ReadWholeFile(file, 10), "0123456789");

    const struct {
        std::filesystem::path path;
        std::uintmax_t limit;
        std::string reason;
    } refused[] = {
        {folder.Path() / "missing", kMaxReadFileBytes, "No such file or directory"},
        {folder.Path(), kMaxReadFileBytes, "it is a folder, not a file"},
        {fifo, kMaxReadFileBytes, "it is a named pipe (FIFO), not a regular file"},  // no writer
        {"/dev/zero", kMaxReadFileBytes, "it is a device, not a regular file"},
        {file, 9, "it is larger than the 9 bytes the host reads"},
        {large, 1 << 20, "it is larger than the 1 MiB the host reads"},
        // Files of the system announce no size: the limit holds while they are read, and
        // an error of the read itself carries the system's reason.
        {"/proc/self/status", 16, "it is larger than the 16 bytes the host reads"},
        {"/proc/self/mem", kMaxReadFileBytes, "Input/output error"},
    };
    for (const auto& r : refused) {
        EXPECT_EQ(RefusalOf(r.path, r.limit), "cannot read " + r.path.string() + ": " + r.reason);
    }
    // A reader that opens the file by name itself is told the same, without a limit.
    for (const auto& [path, reason] :
         {std::pair{fifo, "it is a named pipe (FIFO), not a regular file"},
          std::pair{folder.Path(), "it is a folder, not a file"}}) {
        try {
            CheckRegularFile(path);
            ADD_FAILURE() << path;
        } catch (const FileError& error) {
            EXPECT_EQ(std::string(error.what()), "cannot read " + path.string() + ": " + reason);
        }
    }
    EXPECT_NO_THROW(CheckRegularFile(large));
    EXPECT_EQ(kMaxReadFileBytes, std::uintmax_t{64} << 20);
}

TEST(FileIdentity, TwoNamesOfOneFileAreOneFileExistingOrNot) {
    TempFolder folder;
    const auto file = folder.Path() / "a.txt";
    WriteBytes(file, "a");
    WriteBytes(folder.Path() / "b.txt", "b");
    std::filesystem::create_hard_link(file, folder.Path() / "hard.txt");
    std::filesystem::create_symlink("a.txt", folder.Path() / "soft.txt");
    std::filesystem::create_symlink("new.txt", folder.Path() / "dangling.txt");
    std::filesystem::create_directory(folder.Path() / "sub");
    const std::string at = folder.Path().string();
    const struct {
        std::string first, second;
        bool same;
    } cases[] = {
        {at + "/a.txt", at + "/hard.txt", true},
        {at + "/a.txt", at + "/soft.txt", true},
        {at + "/a.txt", at + "/sub/../a.txt", true},
        {at + "/a.txt", at + "/b.txt", false},
        // Files that do not exist yet: by their folder and name.
        {at + "/new.txt", at + "/sub/../new.txt", true},
        {at + "/new.txt", at + "/dangling.txt", true},
        {at + "/new.txt", at + "/sub/new.txt", false},
        {at + "/new.txt", at + "/a.txt", false},
    };
    for (const auto& c : cases) {
        const auto first = IdentityOf(c.first), second = IdentityOf(c.second);
        ASSERT_TRUE(first && second) << c.first << " " << c.second;
        EXPECT_EQ(*first == *second, c.same) << c.first << " " << c.second;
    }
    EXPECT_FALSE(IdentityOf(at + "/no/such/folder.txt"));
    EXPECT_EQ(FinalTarget(folder.Path() / "dangling.txt"), folder.Path() / "new.txt");
}

TEST(FileState, AFileSavedOverOrChangedIsNoLongerTheOneRead) {
    TempFolder folder;
    const auto file = folder.Path() / "doc.ostrel";
    EXPECT_FALSE(StateOf(file).Exists);
    WriteBytes(file, "first");
    FileState read;
    EXPECT_EQ(ReadWholeFile(file, kMaxReadFileBytes, &read), "first");
    EXPECT_TRUE(read.Exists);
    EXPECT_EQ(StateOf(file), read);

    // The same bytes written over it by a save of another program: a new file.
    ReplaceFile(file, "first");
    EXPECT_NE(StateOf(file), read);
    const FileState saved = StateOf(file);
    // Changed in place, at the same size and time: the content tells.
    struct stat before {};
    ASSERT_EQ(::stat(file.c_str(), &before), 0);
    WriteBytes(file, "FIRST");
    const timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    EXPECT_NE(StateOf(file), saved);
    std::filesystem::remove(file);
    EXPECT_EQ(StateOf(file), FileState{});
}

}  // namespace
}  // namespace files
