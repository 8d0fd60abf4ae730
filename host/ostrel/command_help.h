// What `ostrel --help` and `ostrel COMMAND --help` print, from one table of the commands and
// one of the options (the preview's reports and formats come from their own tables). The man
// page is made from the first at build time, the bash completion knows the same names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ostrel {

// One option of a command: its name and, for one that takes a value, how the help names the
// value ("D", "FILE").
struct OptionSpec {
    std::string_view Name;
    std::string_view Value;  // empty for a switch
    bool Required = false;
    bool MayBeEmpty = false;  // an empty value means something (a file name never may)
    bool Repeatable = false;  // may be given several times (tune's recordings)
};

struct CommandSpec {
    std::string_view Name;
    std::string_view Operands;  // "CONFIG DOC"
    std::vector<OptionSpec> Options;
    std::string Description;  // one paragraph
};

// Every command, in the order the help lists them.
const std::vector<CommandSpec>& Commands();

// The command named `name`; null when there is none.
const CommandSpec* CommandNamed(std::string_view name);

// "preview CONFIG|DOC --signals FILE [--device D] ...": the operands and every option.
std::string Synopsis(const CommandSpec& command);

// The whole help, and the help of one command.
std::string OverallHelp();
std::string CommandHelp(const CommandSpec& command);

// "ostrel (Tarvel) 1.0.0" and a line about the program.
std::string VersionText();

}  // namespace ostrel
