#include "host/ostrel/text_command.h"

#include "host/ostrel/stored_text.h"
#include "host/session/document_file.h"

namespace ostrel {

int RunText(const std::string& documentPath, std::ostream& out, std::ostream& err) {
    std::vector<session::ExtensionStream> streams;
    try {
        streams = session::LoadDocumentFile(documentPath).Streams;
    } catch (const session::DocumentFileError& error) {
        err << "ostrel: " << error.what() << "\n";
        return 2;
    }
    const std::optional<std::string> text = StoredConfigurationText(streams);
    if (!text) {
        err << "ostrel: " << documentPath << " holds no configuration text of Tarvel\n";
        return 1;
    }
    out << *text;
    return 0;
}

}  // namespace ostrel
