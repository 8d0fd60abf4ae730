#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "host/ostrel/check_command.h"
#include "host/ostrel/file_text.h"
#include "tests/host/ostrel/command_outcome.h"

namespace ostrel {
namespace {

const std::string kExamples = TARVEL_EXAMPLES_DIR;

Outcome Check(const std::string& path) {
    return Capture([&](std::ostream& out, std::ostream& err) { return RunCheck(path, out, err); });
}

std::string Example(const std::string& name) {
    std::string error;
    return ReadFileText(kExamples + "/" + name, error).value_or("(unreadable: " + error + ")");
}

TEST(CheckCommand, WrittenExamplesPrintThemselves) {
    for (const char* name : {"demo.txt", "empty.txt", "pulse-trains.txt"}) {
        const Outcome checked = Check(kExamples + "/" + name);
        EXPECT_EQ(checked.code, kCheckParsed) << name;
        EXPECT_EQ(checked.out, Example(name)) << name;
        EXPECT_EQ(checked.err, "") << name;
    }
}

TEST(CheckCommand, HandWrittenTextPrintsInTheWritersForm) {
    const Outcome checked = Check(kExamples + "/hand-written.txt");
    EXPECT_EQ(checked.code, kCheckParsed);
    EXPECT_EQ(checked.out.find('\r'), std::string::npos);
    EXPECT_NE(checked.out.find("\nAnalogOutputCount = 3\n"), std::string::npos);
    EXPECT_NE(checked.out.find("\nOutput = 2\n"), std::string::npos);
    EXPECT_NE(checked.out.find("\nLevel = 12.3457\n"), std::string::npos);
}

TEST(CheckCommand, LaterVersionReadsAsEmpty) {
    const Outcome checked = Check(kExamples + "/future-version.txt");
    EXPECT_EQ(checked.code, kCheckParsed);
    EXPECT_EQ(checked.out, Example("empty.txt"));
    EXPECT_EQ(checked.err, "ostrel: " + kExamples +
                               "/future-version.txt:1: version 2 is newer than this Tarvel "
                               "reads; nothing was read\n");
}

TEST(CheckCommand, SaysWhereAndWhyAnExampleDoesNotRead) {
    const struct {
        const char* name;
        const char* diagnosis;
    } cases[] = {
        {"broken-misspelt-key.txt", ":30: expected \"PulseDelay = \", found \"PulseDelya = 0\""},
        {"broken-fifth-rule.txt", ":45: output 1 would have more than 4 rules"},
        {"broken-decimal-comma.txt",
         ":9: expected a number after \"PulseDelay = \", found \"0,25\""},
        {"broken-byte-order-mark.txt",
         ":1: the text begins with a UTF-8 byte-order mark; a configuration text is plain ASCII "
         "and begins with \"Version = 1\""},
        {"broken-utf16.txt",
         ":1: the text is UTF-16 (it begins with a UTF-16 byte-order mark); a configuration text "
         "is 8-bit ASCII"},
        {"broken-nul-byte.txt", ":7: a NUL byte at column 6; a configuration text holds none"},
    };
    for (const auto& c : cases) {
        const std::string path = kExamples + "/" + c.name;
        const Outcome checked = Check(path);
        EXPECT_EQ(checked.code, kCheckFailed) << c.name;
        EXPECT_EQ(checked.err.substr(0, checked.err.find('\n') + 1),
                  "ostrel: " + path + c.diagnosis + "\n");
    }
}

TEST(CheckCommand, BrokenExamplesPrintWhatWasReadAndFail) {
    const Outcome fifth = Check(kExamples + "/broken-fifth-rule.txt");
    EXPECT_EQ(fifth.code, kCheckFailed);
    EXPECT_NE(fifth.out.find("\nRuleCount = 4\n"), std::string::npos);
    EXPECT_NE(fifth.err.find("does not read as a configuration text"), std::string::npos);

    const Outcome misspelt = Check(kExamples + "/broken-misspelt-key.txt");
    EXPECT_EQ(misspelt.code, kCheckFailed);
    EXPECT_NE(misspelt.out.find("\nOutput = -2\nOn = 0\n"), std::string::npos);
    EXPECT_NE(misspelt.out.find("\nPulseDelay = 0.25\n"), std::string::npos);
}

TEST(CheckCommand, UnreadableFilesAreReported) {
    const Outcome missing = Check(kExamples + "/no-such-file.txt");
    EXPECT_EQ(missing.code, kCheckUnreadable);
    EXPECT_EQ(missing.out, "");
    EXPECT_NE(missing.err.find("No such file"), std::string::npos);
    EXPECT_EQ(Check(kExamples).code, kCheckUnreadable);  // a folder
    // A device that never ends is refused before a byte is read.
    const Outcome endless = Check("/dev/zero");
    EXPECT_EQ(endless.code, kCheckUnreadable);
    EXPECT_EQ(endless.err, "ostrel: cannot read /dev/zero: it is a device, not a regular file\n");
}

int ExitCodeOf(const std::string& arguments) {
    const std::string command =
        std::string(OSTREL_EXECUTABLE) + " " + arguments + " >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(CheckCommand, TheExecutableExitsWithTheVerdict) {
    EXPECT_EQ(ExitCodeOf("check " + kExamples + "/demo.txt"), 0);
    EXPECT_EQ(ExitCodeOf("check " + kExamples + "/broken-fifth-rule.txt"), 1);
    EXPECT_EQ(ExitCodeOf("check " + kExamples + "/no-such-file.txt"), 2);
    EXPECT_EQ(ExitCodeOf("check"), 2);
    EXPECT_EQ(ExitCodeOf("demo"), 0);
}

}  // namespace
}  // namespace ostrel
