// The host's file access: what it refuses to read, and writes through an OutputFile that never
// lose the old file (a write that fails half-way, a full disk, a signal), keep links links and
// leave nothing behind.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "host/files/output_file.h"
#include "host/files/read_file.h"
#include "tests/helpers/temp_folder.h"

namespace files {
namespace {

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
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
    EXPECT_EQ(kMaxReadFileBytes, std::uintmax_t{64} << 20);
}

// The names in `folder`, sorted.
std::string Listing(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    std::string listing;
    for (const std::string& name : names)
        listing += name + " ";
    return listing;
}

TEST(OutputFile, ReplacingWritesANewFileKeepsModeAndLinksAndLeavesNothingBehind) {
    TempFolder folder;
    const auto document = folder.Path() / "doc.ostrel";
    ReplaceFile(document, "first");
    EXPECT_EQ(ReadBytes(document), "first");
    ASSERT_EQ(::chmod(document.c_str(), 0640), 0);
    ReplaceFile(document, "second");
    EXPECT_EQ(ReadBytes(document), "second");
    EXPECT_EQ(std::filesystem::status(document).permissions(), std::filesystem::perms(0640));

    const auto link = folder.Path() / "link.ostrel";
    std::filesystem::create_symlink(document, link);
    ReplaceFile(link, "third");
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(document), "third");
    EXPECT_EQ(Listing(folder.Path()), "doc.ostrel link.ostrel ");
    // A link to where nothing is yet stays a link too: the file appears where it points.
    std::filesystem::create_symlink("later.ostrel", folder.Path() / "dangling.ostrel");
    ReplaceFile(folder.Path() / "dangling.ostrel", "fourth");
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path() / "dangling.ostrel"));
    EXPECT_EQ(ReadBytes(folder.Path() / "later.ostrel"), "fourth");

    // A device is written in place, never replaced by a file.
    ReplaceFile("/dev/null", "gone");
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

// A file not committed, whether an exception or a signal ends its writer, leaves nothing.
TEST(OutputFile, ANewFileNotCommittedGoesWhateverEndsTheWriter) {
    TempFolder folder;
    const auto document = folder.Path() / "doc.ostrel";
    WriteBytes(document, "old");
    {
        OutputFile file(document);
        file.Write("half of the new");
        EXPECT_EQ(Listing(folder.Path()).size(),
                  std::string("doc.ostrel .doc.ostrel.XXXXXX ").size());
    }
    EXPECT_EQ(Listing(folder.Path()), "doc.ostrel ");
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGPIPE}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            OutputFile file(document);
            file.Write("half of the new");
            ::raise(signal);
            ::_exit(0);  // not reached: the signal ends the process
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_EQ(Listing(folder.Path()), "doc.ostrel ") << signal;
    }
    EXPECT_EQ(ReadBytes(document), "old");
}

// Takes half of what it is given, then fails as a disk does.
ssize_t FailHalfWay(int fd, const void* data, std::size_t size) {
    static bool failed_before = false;
    if (failed_before || size < 2) {
        failed_before = false;
        errno = EIO;
        return -1;
    }
    failed_before = true;
    return ::write(fd, data, size / 2);
}

TEST(OutputFile, AWriteThatFailsHalfWayLeavesTheOldFileByteForByte) {
    TempFolder folder;
    const auto document = folder.Path() / "doc.ostrel";
    const std::string old = "OSTRELDOC 1\nthe old document\n";
    WriteBytes(document, old);
    try {
        ReplaceFile(document, std::string(10000, 'n'), &FailHalfWay);
        FAIL() << "the failed write was not reported";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "cannot write " + document.string() +
                                                 ": Input/output error; the file was left as "
                                                 "it was");
    }
    EXPECT_EQ(ReadBytes(document), old);
    EXPECT_EQ(Listing(folder.Path()), "doc.ostrel ");

    // Without an old file there is nothing to keep, and nothing is left.
    EXPECT_THROW(ReplaceFile(folder.Path() / "new.ostrel", "abcdef", &FailHalfWay), FileError);
    EXPECT_EQ(Listing(folder.Path()), "doc.ostrel ");
    // A folder that does not exist.
    EXPECT_THROW(ReplaceFile(folder.Path() / "no" / "doc.ostrel", "x"), FileError);
}

// A write interrupted by a signal before it took anything, then a whole one.
ssize_t InterruptedOnce(int fd, const void* data, std::size_t size) {
    static bool interrupted = false;
    interrupted = !interrupted;
    if (interrupted) {
        errno = EINTR;
        return -1;
    }
    return ::write(fd, data, size);
}

// A write that takes nothing and reports no error, as a broken device might.
ssize_t TakesNothing(int, const void*, std::size_t) {
    return 0;
}

TEST(OutputFile, WritesAreRetriedWhenInterruptedAndFailWhenTheyTakeNothing) {
    TempFolder folder;
    const auto document = folder.Path() / "doc.ostrel";
    ReplaceFile(document, "interrupted", &InterruptedOnce);
    EXPECT_EQ(ReadBytes(document), "interrupted");

    // Not an endless loop: the save fails with an I/O error and keeps the old file.
    try {
        ReplaceFile(document, "never", &TakesNothing);
        ADD_FAILURE() << "a write that took nothing passed for a save";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()), "cannot write " + document.string() +
                                                 ": Input/output error; the file was left as "
                                                 "it was");
    }
    EXPECT_EQ(ReadBytes(document), "interrupted");
    EXPECT_EQ(Listing(folder.Path()), "doc.ostrel ");
}

// What cannot be replaced is written in place; when that fails the error says why.
TEST(OutputFile, WritingInPlaceReportsTheSystemsReason) {
    TempFolder folder;
    const struct {
        std::filesystem::path path;
        std::string reason;
    } cases[] = {
        {"/dev/full", "No space left on device"},
        {folder.Path(), "Is a directory"},
    };
    for (const auto& c : cases) {
        try {
            ReplaceFile(c.path, "bytes");
            ADD_FAILURE() << c.path;
        } catch (const FileError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "cannot write " + c.path.string() + ": " + c.reason);
        }
    }
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path()));
    EXPECT_EQ(Listing(folder.Path()), "");
}

// The outcome codes of the full-disk child.
enum FullDisk {
    kKept = 0,
    kNoMount = 77,  // the test may not mount a file system here
    kNotReported = 10,
    kOldChanged = 11,
    kLeftBehind = 12,
    kWrongReason = 13,
};

// In a mount namespace of its own: a 64 KiB tmpfs holding an old document and a file that
// fills the rest; replacing the document with 200 KiB must fail and keep the old one.
int FullDiskChild(const std::filesystem::path& mountPoint) {
    if (::geteuid() == 0) {
        if (::unshare(CLONE_NEWNS) != 0)
            return kNoMount;
    } else {
        const uid_t uid = ::geteuid();
        const gid_t gid = ::getegid();
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return kNoMount;
        std::ofstream("/proc/self/setgroups") << "deny";
        std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
        std::ofstream("/proc/self/gid_map") << "0 " << gid << " 1";
    }
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0) {
        return kNoMount;
    }
    const auto document = mountPoint / "doc.ostrel";
    const std::string old = "OSTRELDOC 1\nthe old document\n";
    WriteBytes(document, old);
    {
        std::ofstream filler(mountPoint / "filler", std::ios::binary);
        const std::string block(4096, 'f');
        for (int i = 0; i < 64 && filler; ++i)
            filler << block << std::flush;
    }
    try {
        ReplaceFile(document, std::string(200 * 1024, 'n'));
        return kNotReported;
    } catch (const FileError& error) {
        if (std::string(error.what()).find("No space left on device") == std::string::npos)
            return kWrongReason;
    }
    if (ReadBytes(document) != old)
        return kOldChanged;
    if (Listing(mountPoint) != "doc.ostrel filler ")
        return kLeftBehind;
    return kKept;
}

TEST(OutputFile, AFullDiskLeavesTheOldFileByteForByte) {
    TempFolder folder;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        ::_exit(FullDiskChild(folder.Path()));
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    const int outcome = WEXITSTATUS(status);
    if (outcome == kNoMount) {
        GTEST_SKIP() << "no small file system can be mounted here (mount namespaces are not "
                        "open to this user), so a full disk cannot be made";
    }
    EXPECT_NE(outcome, kNotReported) << "the failed save was reported as success";
    EXPECT_NE(outcome, kWrongReason) << "the error did not carry the system's reason";
    EXPECT_NE(outcome, kOldChanged) << "the old document was changed";
    EXPECT_NE(outcome, kLeftBehind) << "the new file was left behind";
    EXPECT_EQ(outcome, kKept);
}

}  // namespace
}  // namespace files
