// `ostrel setup`: the menu item's state, refusals printed as message boxes, the dialog that
// needs a screen, and that nothing is written unless the document took a new configuration.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/helpers/temp_folder.h"
#include "tests/host/ostrel/command_outcome.h"

namespace ostrel {
namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(SetupCommand, RefusesOrNeedsAScreenAndWritesNothing) {
    // The machine of this test has no display, even when the one running it has.
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    TempFolder folder;
    const std::string doc = folder.PathOf("lab.ostrel");
    struct Case {
        const char* device;
        int code;
        const char* out;  // what the user was shown
        const char* err;
    };
    const Case cases[] = {
        {"name=Rig, auto-outputs=off", 1,
         "[message box] Tarvel: Tarvel is not available for the current master device (Rig)",
         "the command refused"},
        // A device without outputs has nothing to set up: refused like one that is unsuitable.
        {"name=Rig, analog=0, digital=none", 1,
         "[message box] Tarvel: Tarvel is not available for the current master device (Rig)",
         "the command refused"},
        {"sampling=on", 1, "[message box] Tarvel: You cannot turn on Tarvel while sampling.",
         "the command refused"},
        {"", 2,
         "Menu item \"Tarvel...\" at Setup|&Viruvo Dudud Orarorad^OUTPUTEXTS: enabled, not "
         "checked",
         "the setup dialog cannot be shown: no display (DISPLAY is not set); nothing was "
         "changed"},
    };
    for (const Case& c : cases) {
        const Outcome run = RunCommand({"setup", doc.c_str(), "--device", c.device});
        EXPECT_EQ(run.code, c.code) << c.device << "\n" << run.out << run.err;
        EXPECT_TRUE(Contains(run.out, c.out)) << c.device << "\n" << run.out;
        EXPECT_TRUE(Contains(run.err, c.err)) << c.device << "\n" << run.err;
        EXPECT_TRUE(Contains(run.out, "New document " + doc));
        EXPECT_FALSE(std::ifstream(doc).good()) << c.device << ": nothing may be written";
    }

    // An existing document is opened, its menu item checked, and left byte for byte.
    ASSERT_EQ(
        RunCommand({"save", (std::string(TARVEL_EXAMPLES_DIR) + "/demo.txt").c_str(), doc.c_str()})
            .code,
        0);
    const std::string before = Bytes(doc);
    const Outcome run = RunCommand({"setup", doc.c_str()});
    EXPECT_EQ(run.code, 2);
    EXPECT_TRUE(Contains(run.out, "Opened " + doc)) << run.out;
    EXPECT_TRUE(Contains(run.out, "enabled, checked")) << run.out;
    EXPECT_EQ(Bytes(doc), before);

    EXPECT_EQ(RunCommand({"setup"}).code, 2);
    EXPECT_EQ(RunCommand({"setup", doc.c_str(), "--hex"}).code, 2);
    EXPECT_EQ(RunCommand({"setup", doc.c_str(), doc.c_str()}).code, 2);
}

}  // namespace
}  // namespace ostrel
