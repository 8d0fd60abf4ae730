// The ostrel executable writing under adverse conditions: a file-size limit that stops a write
// half-way must leave the old document or report as it was, with a message; a document or a
// report written to standard output gets the output to itself.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
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

// Runs `ostrel arguments...` in a child whose files may not grow beyond `limit` bytes, with
// SIGXFSZ at its default as in any shell; returns its exit code and what it printed on
// standard error.
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
        ::signal(SIGXFSZ, SIG_DFL);
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
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), "", err};
}

// Every file ostrel writes: the old one stays byte for byte, the error says why, nothing is
// left beside it.
TEST(SafeSave, AFileSizeLimitHalfWayLeavesTheOldFileByteForByte) {
    TempFolder folder;
    const std::string document = folder.PathOf("trial.ostrel");
    ASSERT_EQ(RunCommand({"save", (kExamples + "/empty.txt").c_str(), document.c_str()}).code, 0);
    const std::string preview = kExamples + "/preview-bursts.txt";
    const std::string recording = kExamples + "/noisy-bursts.csv";
    const struct {
        std::string file;
        std::vector<std::string> arguments;
    } cases[] = {
        {document, {"save", kExamples + "/pulse-trains.txt", document}},
        {folder.PathOf("events.csv"),
         {"preview", preview, "--signals", recording, "--events", folder.PathOf("events.csv")}},
        {folder.PathOf("trace.vcd"),
         {"preview", preview, "--signals", recording, "--vcd", folder.PathOf("trace.vcd")}},
        {folder.PathOf("plot.png"),
         {"preview", preview, "--signals", recording, "--plot", folder.PathOf("plot.png")}},
    };
    for (const auto& c : cases) {
        if (c.file != document)
            std::ofstream(c.file) << "the old report";
        const std::string old = Bytes(c.file);
        ASSERT_LT(old.size(), 500u);
        const Outcome limited = RunWithFileSizeLimit(500, c.arguments);
        EXPECT_EQ(limited.code, 2) << c.file;
        EXPECT_NE(limited.err.find("ostrel: cannot write " + c.file +
                                   ": File too large; the file was left as it was\n"),
                  std::string::npos)
            << limited.err;
        EXPECT_EQ(Bytes(c.file), old);
        // With room, the same command replaces it.
        EXPECT_EQ(RunWithFileSizeLimit(1 << 24, c.arguments).code, 0) << c.file;
        EXPECT_NE(Bytes(c.file), old);
    }
    // Nothing is left beside them: no temporary, no save file of a dump that failed.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 5);
}

int Shell(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A document or a report on standard output, redirected or through a pipe, has it to itself:
// the status and the summary go with the errors, and no save file goes beside a dump that is
// no file.
TEST(SafeSave, AFileOnStandardOutputHasItToItself) {
    TempFolder folder;
    const std::string ostrel = OSTREL_EXECUTABLE;
    const std::string save = ostrel + " save " + kExamples + "/demo.txt ";
    const std::string preview = ostrel + " preview " + kExamples +
                                "/preview-bursts.txt --signals " + kExamples + "/noisy-bursts.csv ";
    ASSERT_EQ(Shell(save + folder.PathOf("file.ostrel") + " >/dev/null"), 0);
    ASSERT_EQ(Shell(preview + "--events " + folder.PathOf("file.csv") + " --vcd " +
                    folder.PathOf("file.vcd") + " >/dev/null"),
              0);
    const struct {
        std::string command, redirect, expected, status;
    } cases[] = {
        {save + "/dev/stdout", ">", "file.ostrel", "Saved /dev/stdout\n"},
        {save + "/dev/stdout", "| cat >", "file.ostrel", "Saved /dev/stdout\n"},
        {preview + "--events -", ">", "file.csv", "Output 1: all of 1 slot"},
        {preview + "--events /dev/stdout", ">", "file.csv", "Output 1: all of 1 slot"},
        {preview + "--events -", "| cat >", "file.csv", "Output 1: all of 1 slot"},
        {preview + "--vcd -", ">", "file.vcd", "Value change dump written to standard output\n"},
    };
    for (const auto& c : cases) {
        const std::string output = folder.PathOf("output"), status = folder.PathOf("status");
        ASSERT_EQ(Shell(c.command + " 2>" + status + " " + c.redirect + " " + output), 0);
        EXPECT_EQ(Bytes(output), Bytes(folder.PathOf(c.expected))) << c.command;
        EXPECT_NE(Bytes(status).find(c.status), std::string::npos) << Bytes(status);
    }
    EXPECT_FALSE(std::filesystem::exists(folder.PathOf("-")));
    EXPECT_FALSE(std::filesystem::exists(folder.PathOf("output.gtkw")));
}

TEST(SafeSave, InputThatNeverEndsIsRefusedAtOnce) {
    TempFolder folder;
    const std::string fifo = folder.PathOf("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string ostrel = OSTREL_EXECUTABLE;
    for (const std::string& command :
         {std::string("check /dev/zero"), std::string("apply /dev/zero"), "check " + fifo,
          "open " + fifo, std::string("open /dev/zero"),
          "preview " + kExamples + "/demo.txt --signals " + fifo,
          "save /dev/zero " + folder.PathOf("x.ostrel")}) {
        EXPECT_EQ(Shell(ostrel + " " + command + " >/dev/null 2>&1"), 2) << command;
    }
}

}  // namespace
}  // namespace ostrel
