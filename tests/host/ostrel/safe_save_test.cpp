// The ostrel executable saving under adverse conditions: a file-size limit that stops the write
// half-way must leave the old document as it was; a document written to standard output gets
// the output to itself.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/ostrel/file_text.h"
#include "tests/helpers/temp_folder.h"
#include "tests/host/ostrel/command_outcome.h"

namespace ostrel {
namespace {

const std::string kExamples = TARVEL_EXAMPLES_DIR;

std::string Bytes(const std::string& path) {
    std::string error;
    return ReadFileText(path, error).value_or("(unreadable: " + error + ")");
}

// Runs `ostrel arguments...` in a child whose files may not grow beyond `limit` bytes (with
// SIGXFSZ ignored, so that the write fails instead of killing it); returns its exit code and
// what it printed on standard error.
Outcome RunWithFileSizeLimit(rlim_t limit, std::vector<std::string> arguments) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return {-1, "", "pipe failed"};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        ::dup2(pipeEnds[1], STDERR_FILENO);
        const int nothing = ::open("/dev/null", O_WRONLY);
        ::dup2(nothing, STDOUT_FILENO);
        const rlimit size{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &size);
        ::signal(SIGXFSZ, SIG_IGN);
        std::vector<char*> argv{const_cast<char*>(OSTREL_EXECUTABLE)};
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        ::execv(OSTREL_EXECUTABLE, argv.data());
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    std::string err;
    char buffer[4096];
    for (ssize_t got; (got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        err.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, "", err};
}

TEST(SafeSave, AFileSizeLimitHalfWayLeavesTheOldDocumentByteForByte) {
    TempFolder folder;
    const std::string document = folder.PathOf("trial.ostrel");
    ASSERT_EQ(RunCommand({"save", (kExamples + "/empty.txt").c_str(), document.c_str()}).code, 0);
    const std::string old = Bytes(document);
    ASSERT_LT(old.size(), 200u);

    const Outcome limited =
        RunWithFileSizeLimit(200, {"save", kExamples + "/pulse-trains.txt", document});
    EXPECT_EQ(limited.code, 2);
    EXPECT_NE(limited.err.find("ostrel: cannot write " + document +
                               ": File too large; the file was left as it was\n"),
              std::string::npos)
        << limited.err;
    EXPECT_EQ(Bytes(document), old);
    // Nothing is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);

    // With room, the same save replaces it.
    EXPECT_EQ(
        RunWithFileSizeLimit(1 << 20, {"save", kExamples + "/pulse-trains.txt", document}).code, 0);
    EXPECT_NE(Bytes(document), old);
}

int Shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SafeSave, ADocumentOnStandardOutputHasItToItself) {
    TempFolder folder;
    const std::string config = kExamples + "/demo.txt";
    const std::string file = folder.PathOf("file.ostrel");
    ASSERT_EQ(RunCommand({"save", config.c_str(), file.c_str()}).code, 0);
    const std::string ostrel = OSTREL_EXECUTABLE;
    // Redirected to a file, and through a pipe.
    ASSERT_EQ(Shell(ostrel + " save " + config + " /dev/stdout >" + folder.PathOf("redirected") +
                    " 2>" + folder.PathOf("status")),
              0);
    ASSERT_EQ(Shell(ostrel + " save " + config + " /dev/stdout 2>/dev/null | cat >" +
                    folder.PathOf("piped")),
              0);
    EXPECT_EQ(Bytes(folder.PathOf("redirected")), Bytes(file));
    EXPECT_EQ(Bytes(folder.PathOf("piped")), Bytes(file));
    EXPECT_NE(Bytes(folder.PathOf("status")).find("Saved /dev/stdout\n"), std::string::npos);
}

TEST(SafeSave, InputThatNeverEndsIsRefusedAtOnce) {
    TempFolder folder;
    const std::string fifo = folder.PathOf("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string ostrel = OSTREL_EXECUTABLE;
    for (const std::string& command :
         {std::string("check /dev/zero"), std::string("apply /dev/zero"), "check " + fifo,
          "open " + fifo, std::string("open /dev/zero"),
          "save /dev/zero " + folder.PathOf("x.ostrel")}) {
        EXPECT_EQ(Shell(ostrel + " " + command + " >/dev/null 2>&1"), 2) << command;
    }
}

}  // namespace
}  // namespace ostrel
