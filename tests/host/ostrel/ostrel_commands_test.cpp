#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "host/ostrel/block_table.h"
#include "host/ostrel/command_help.h"
#include "platform/gdi/png.h"
#include "tests/helpers/temp_folder.h"
#include "tests/host/ostrel/command_outcome.h"

namespace ostrel {
namespace {

// `hex` without its blanks.
std::string Squeeze(std::string hex) {
    std::erase(hex, ' ');
    return hex;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(OstrelDemo, ProgramsOutputOneForInputOneAboveTwoAndAHalfVolts) {
    const Outcome run = RunCommand({"demo"});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_NE(run.out.find("Device: 10 command blocks of 112 bytes"), std::string::npos);
    EXPECT_NE(run.out.find(
                  "     1  all      0         0         0            0  8000/1600 #1 above    -"),
              std::string::npos)
        << run.out;
    for (const char* off : {"\n     2  off\n", "\n    -1  off\n", "\n    -8  off\n"}) {
        EXPECT_NE(run.out.find(off), std::string::npos) << off;
    }
    // The configuration came through the menu item and the dialog, as a user makes it.
    for (const char* seen :
         {"Menu item \"Tarvel...\" before: enabled, not checked\n",
          "The user saw the dialog \"Tarvel - Corvex\" with the tabs [Analog Output 1 \u2022] [2] "
          "[Digital Output 1] [2]",
          "\n  When Input 1 is above 2.5 (Level (V)), hysteresis 5 %\n",
          "Menu item \"Tarvel...\" after: enabled, checked\n"}) {
        EXPECT_NE(run.out.find(seen), std::string::npos) << seen << "\n" << run.out;
    }
}

TEST(OstrelDemo, KeepsAPictureOfTheDialogBeforeOk) {
    TempFolder folder;
    const std::string picture = folder.PathOf("dialog.png");
    ASSERT_EQ(RunCommand({"demo", "--snapshot", picture.c_str()}).code, 0);
    const gdi::Image image = gdi::ReadPng(picture);
    EXPECT_GE(image.width, 749) << "499 dialog units across, and the frame";
    EXPECT_GT(image.height, 300);
    EXPECT_EQ(RunCommand({"demo", "--snapshot"}).code, 2);
}

TEST(OstrelDemo, HexPrintsEachBlockOnOneLine) {
    const Outcome run = RunCommand({"demo", "--hex"});
    EXPECT_EQ(run.code, 0);
    std::vector<std::string> blocks;
    for (const std::string& line : Lines(run.out)) {
        if (line.size() == 224 && line.find_first_not_of("0123456789abcdef") == std::string::npos) {
            blocks.push_back(line);
        }
    }
    ASSERT_EQ(blocks.size(), 10u);
    EXPECT_EQ(blocks[0].substr(0, 48 * 2 + 32),
              Squeeze("70000000 04000000 01000000 01000000 00000000 00000000 "
                      "0000000000000000 0000000000000000 0000000000000000 "
                      "10000000 401f0000 40060000 01000000"));
    EXPECT_EQ(blocks[9].substr(0, 32), Squeeze("70000000 04000000 f8ffffff 00000000"));
}

TEST(OstrelCommandLine, HelpAndUsageErrors) {
    const Outcome help = RunCommand({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("demo [--hex]"), std::string::npos);

    const Outcome none = RunCommand({});
    EXPECT_EQ(none.code, 2);
    EXPECT_NE(none.err.find("no command"), std::string::npos);

    const Outcome unknown = RunCommand({"frobnicate"});
    EXPECT_EQ(unknown.code, 2);
    EXPECT_NE(unknown.err.find("unknown command: frobnicate"), std::string::npos);

    const Outcome option = RunCommand({"demo", "--hexx"});
    EXPECT_EQ(option.code, 2);
    EXPECT_EQ(option.out, "");

    const Outcome version = RunCommand({"--version"});
    EXPECT_EQ(version.code, 0);
    EXPECT_TRUE(version.out.starts_with("ostrel (Tarvel) 1.0.0\n")) << version.out;
}

// What bash completes for the last of `ostrel WORDS`, sorted, one a line.
std::string Completed(const std::string& words) {
    const std::string command = "bash -c 'source " OSTREL_COMPLETION "; COMP_WORDS=(ostrel " +
                                words + "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _ostrel; " +
                                "printf \"%s\\n\" \"${COMPREPLY[@]}\" | sort'";
    std::string lines;
    char buffer[256];
    FILE* pipe = ::popen(command.c_str(), "r");
    while (pipe != nullptr && std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        lines += buffer;
    if (pipe != nullptr)
        ::pclose(pipe);
    return lines;
}

// Every command explains itself, its synopsis first and each of its options; and bash
// completes its name and its options.
TEST(OstrelCommandLine, EveryCommandHasItsHelpAndItsCompletion) {
    for (const CommandSpec& command : Commands()) {
        const std::string name(command.Name);
        const Outcome help = RunCommand({name.c_str(), "--help"});
        EXPECT_TRUE(help.code == 0 && help.out.starts_with("Usage: ostrel " + name)) << help.out;
        std::set<std::string> options{"--help"};
        for (const OptionSpec& option : command.Options) {
            options.insert(std::string(option.Name));
            EXPECT_NE(help.out.find("\n  " + std::string(option.Name)), std::string::npos) << name;
        }
        std::string expected;
        for (const std::string& option : options)
            expected += option + "\n";
        EXPECT_EQ(Completed(name + " --"), expected);
        EXPECT_NE(Completed("\"\"").find(name + "\n"), std::string::npos) << name;
    }
}

TEST(BlockTable, ShowsRuleSlotsAndAnyMode) {
    OutputCommandBlock block{};
    block.Size = 112;
    block.SlotCount = 4;
    block.Output = -3;
    block.Mode = OutputCommandBlock::kAnyRule;
    block.PulseCountLimit = 5;
    block.PulseWidth = 0.002;
    block.PulseDelay = 1.5;
    block.Holdoff = 0.25;
    block.Rules[0] = RuleSlot{16, 17600, 1600, 2, RuleSlot::kBelow, {}};
    block.Rules[1] = RuleSlot{16, -4000, 0, 8, RuleSlot::kAbove, {}};
    block.Rules[2].Size = block.Rules[3].Size = 16;
    device::BlockBytes bytes;
    std::memcpy(bytes.data(), &block, sizeof block);

    const std::vector<std::string> lines = Lines(FormatBlockTable({bytes}));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1],
              "    -3  any      5     0.002       1.5         0.25  17600/1600 #2 below   "
              "-4000/0 #8 above      -                     -");
    EXPECT_EQ(FormatBlockHex(bytes).substr(0, 40), "7000000004000000fdffffff0200000005000000");
}

}  // namespace
}  // namespace ostrel
