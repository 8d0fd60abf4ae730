#include "host/ostrel/check_command.h"

#include "config/event_config.h"
#include "host/ostrel/file_text.h"

namespace Ostrel {

int RunCheck(const std::string& path, std::ostream& out, std::ostream& err) {
    const std::optional<std::string> text = ReadCommandFile(path, err);
    if (!text)
        return kCheckUnreadable;
    VavazaZavidi::EventConfig config;
    const bool parsed = config.Deserialize(*text);
    std::string written;
    config.Serialize(written);
    out << written;
    if (!parsed) {
        err << "ostrel: " << path
            << " does not read as a configuration text; the text printed is what was read up "
               "to the failure\n";
        return kCheckFailed;
    }
    return kCheckParsed;
}

}  // namespace Ostrel
