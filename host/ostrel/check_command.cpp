#include "host/ostrel/check_command.h"

#include "host/ostrel/file_text.h"

namespace ostrel {

int RunCheck(const std::string& path, std::ostream& out, std::ostream& err) {
    // The diagnosis, if any, is printed on `err` as the file is read.
    const std::optional<ConfigurationFile> file = ReadConfigurationFile(path, err);
    if (!file)
        return kCheckUnreadable;
    out << file->Checked.written;
    if (!file->Checked.read) {
        err << "ostrel: " << path
            << " does not read as a configuration text; the text printed is what was read up "
               "to the failure\n";
        return kCheckFailed;
    }
    return kCheckParsed;
}

}  // namespace ostrel
