#include "host/ostrel/check_command.h"

#include "host/inspect/tarvel_formats.h"
#include "host/ostrel/file_text.h"

namespace Ostrel {

int RunCheck(const std::string& path, std::ostream& out, std::ostream& err) {
    const std::optional<std::string> text = ReadCommandFile(path, err);
    if (!text)
        return kCheckUnreadable;
    const Inspect::CheckedText checked = Inspect::CheckConfigurationText(*text);
    out << checked.written;
    if (!checked.read) {
        err << "ostrel: " << path
            << " does not read as a configuration text; the text printed is what was read up "
               "to the failure\n";
        return kCheckFailed;
    }
    return kCheckParsed;
}

}  // namespace Ostrel
