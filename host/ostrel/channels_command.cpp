#include "host/ostrel/channels_command.h"

#include "host/files/file_error.h"
#include "host/files/read_file.h"
#include "host/ostrel/channel_table.h"
#include "host/preview/formats/signal_file_error.h"
#include "host/preview/formats/signal_formats.h"

namespace ostrel {

int RunChannels(const std::string& path, std::ostream& out, std::ostream& err) {
    try {
        // A recording that never ends (a FIFO, a device) is refused before it is opened.
        files::CheckRegularFile(path);
        out << path << "\n" << FormatChannelTable(preview::SurveySignalFile(path));
        return 0;
    } catch (const preview::SignalFileError& error) {
        err << "ostrel: " << error.what() << "\n";
    } catch (const files::FileError& error) {
        err << "ostrel: " << error.what() << "\n";
    }
    return 2;
}

}  // namespace ostrel
