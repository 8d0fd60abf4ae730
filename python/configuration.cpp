#include "python/configuration.h"

#include "host/files/read_file.h"
#include "host/inspect/tarvel_formats.h"

namespace python {

namespace {

// `source` names the file; empty for a text given as such, whose lines are named alone.
std::string Checked(const std::string& text, const std::string& source) {
    const inspect::CheckedText checked = inspect::CheckConfigurationText(text);
    if (checked.Usable())
        return checked.written;
    if (checked.problem.empty())
        throw ConfigurationError((source.empty() ? "the text" : source) +
                                 " does not read as a configuration text");
    if (!source.empty())
        throw ConfigurationError(checked.Describe(source));
    throw ConfigurationError(checked.problemLine > 0
                                 ? "line " + std::to_string(checked.problemLine) + ": " +
                                       checked.problem
                                 : checked.problem);
}

}  // namespace

std::string ReadConfiguration(const std::string& text) {
    return Checked(text, "");
}

std::string ReadConfigurationFile(const std::string& path) {
    return Checked(files::ReadWholeFile(path), path);
}

}  // namespace python
