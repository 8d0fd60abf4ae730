// Nothing a person typed is lost and no document is saved over that should not be: two setups
// on one document, a document setup cannot write, one whose stored text is of a later
// version, and `ostrel text`, which shows the text a document holds.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "host/device/device_description.h"
#include "host/ostrel/file_text.h"
#include "host/ostrel/ostrel_host.h"
#include "host/session/document_file.h"
#include "tests/helpers/scoped_environment.h"
#include "tests/helpers/temp_folder.h"
#include "tests/host/ostrel/command_outcome.h"

namespace ostrel {
namespace {

const std::string kExamples = TARVEL_EXAMPLES_DIR;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string Read(const std::string& path) {
    std::string error;
    return ReadFileText(path, error).value_or("(unreadable)");
}

// A document saved from `config`, and the same with its stored text turned into version 2.
class DocumentSafety : public ::testing::Test {
protected:
    DocumentSafety() {
        RunCommand({"save", (kExamples + "/demo.txt").c_str(), Doc("demo.ostrel").c_str()});
        std::string bytes = Read(Doc("demo.ostrel"));
        const std::string one = std::string("=\0 \0001\0", 6);  // "= 1" in UTF-16
        bytes.replace(bytes.find(one), one.size(), std::string("=\0 \0002\0", 6));
        std::ofstream(Doc("later.ostrel"), std::ios::binary) << bytes;
    }
    std::string Doc(const std::string& name) const { return folder_.PathOf(name); }

    TempFolder folder_;
};

// What a host document holds after a configuration text, saved through a host that opened
// `path` earlier.
std::string SaveThrough(OstrelHost& host, const std::string& text, const std::string& path) {
    host.SendConfigurationText(text);
    host.Save(path);
    return Read(path);
}

TEST_F(DocumentSafety, TwoSetupsOnOneDocumentKeepBothWorks) {
    const std::string doc = Doc("demo.ostrel");
    std::ostringstream said;
    OstrelHost first(device::DeviceDescription{}, said);
    OstrelHost second(device::DeviceDescription{}, said);
    ASSERT_EQ(first.Open(ReadDocument(doc), said), S_OK);
    ASSERT_EQ(second.Open(ReadDocument(doc), said), S_OK);
    const std::string secondsWork = SaveThrough(second, Read(kExamples + "/pulse-trains.txt"), doc);
    // The first saves its own change later: the file is no longer the one it opened.
    EXPECT_THROW(SaveThrough(first, Read(kExamples + "/preview-bursts.txt"), doc),
                 session::DocumentChangedError);
    EXPECT_EQ(Read(doc), secondsWork);
    // The first one's work is beside it, and opens with its text.
    const Outcome mine = RunCommand({"text", (doc + ".mine").c_str()});
    EXPECT_EQ(mine.code, 0);
    EXPECT_TRUE(Contains(mine.out, "RetriggerHoldoffTime = 0.2")) << mine.out;
}

// Setup refuses, before any dialog, what it could not save or should not save over, as save
// refuses a read-only file; the document stays byte for byte.
TEST_F(DocumentSafety, SetupRefusesADocumentItCannotOrMustNotSaveOver) {
    ScopedEnvironment environment;
    environment.Set("DISPLAY", nullptr).Set("WAYLAND_DISPLAY", nullptr);
    const std::string locked = Doc("locked.ostrel"), demo = kExamples + "/demo.txt";
    std::filesystem::copy_file(Doc("demo.ostrel"), locked);
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    const struct {
        std::vector<std::string> command;  // the document last
        const char* display;               // nothing: no display at all
        int code;
        std::string err;
        bool dialogTried;  // the menu item was chosen
    } cases[] = {
        {{"setup", locked}, nullptr, 2, "cannot write " + locked + ": it is read-only", false},
        {{"save", demo, locked},
         nullptr,
         2,
         "cannot write " + locked + ": it is read-only; the file was left as it was",
         false},
        {{"setup", Doc("no/such/folder.ostrel")},
         nullptr,
         2,
         "cannot write " + Doc("no/such/folder.ostrel") + ": No such file or directory",
         false},
        {{"setup", Doc("later.ostrel")},
         nullptr,
         1,
         "setup would replace the configuration text stored in " + Doc("later.ostrel") +
             ", which this Tarvel does not read; nothing was changed",
         false},
        {{"setup", Doc("demo.ostrel")},
         ":99999",
         2,
         "the setup dialog cannot be shown: DISPLAY=:99999 cannot be reached",
         true},
    };
    for (const auto& c : cases) {
        ScopedEnvironment display;
        display.Set("DISPLAY", c.display);
        const std::string before = Read(c.command.back());
        const Outcome run = RunArguments(c.command);
        EXPECT_EQ(run.code, c.code) << c.command.back();
        EXPECT_TRUE(Contains(run.err, c.err)) << run.err;
        EXPECT_EQ(Contains(run.out, "Menu item"), c.dialogTried) << run.out;
        EXPECT_EQ(Read(c.command.back()), before) << c.command.back();
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Path()), {}), 3);
}

// A stored text of a later version: open says so and opens it as empty, preview applies
// nothing, text shows it as it is stored.
TEST_F(DocumentSafety, OpenPreviewAndTextSayWhatALaterVersionIs) {
    const std::string later = Doc("later.ostrel"), signals = kExamples + "/noisy-bursts.csv";
    const struct {
        std::vector<std::string> command;
        int code;
        std::string out, err;  // how the output starts, what the errors hold
    } cases[] = {
        {{"open", later},
         0,
         "",
         "the configuration text stored in " + later +
             " is not one this Tarvel reads (version 2 is newer than this Tarvel reads; nothing "
             "was read): the document opened as empty"},
        {{"preview", later, "--signals", signals},
         1,
         "",
         later + " holds no configuration this Tarvel reads; nothing was applied"},
        {{"text", later}, 0, "Version = 2\nAnalogOutputCount = 2\n", ""},
        {{"text", kExamples + "/demo.txt"}, 2, "", "not an Ostrel document"},
    };
    for (const auto& c : cases) {
        const Outcome run = RunArguments(c.command);
        EXPECT_EQ(run.code, c.code) << c.command[0];
        EXPECT_TRUE(run.out.starts_with(c.out)) << run.out;
        EXPECT_TRUE(Contains(run.err, c.err)) << run.err;
    }
    // What text prints, apply and check read: the document's own configuration.
    std::ofstream(Doc("demo.txt")) << RunCommand({"text", Doc("demo.ostrel").c_str()}).out;
    EXPECT_EQ(RunCommand({"check", Doc("demo.txt").c_str()}).out,
              RunCommand({"check", (kExamples + "/demo.txt").c_str()}).out);
    EXPECT_EQ(RunCommand({"apply", Doc("demo.txt").c_str()}).code, 0);
}

}  // namespace
}  // namespace ostrel
