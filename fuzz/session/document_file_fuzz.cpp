// Reads arbitrary bytes as an Ostrel document file. A file that is read must write back to
// the very same bytes; anything else must be refused with DocumentFileError.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "host/session/document_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream in(bytes);
    std::vector<Ostrel::ExtensionStream> streams;
    try {
        streams = Ostrel::ReadDocumentFile(in);
    } catch (const Ostrel::DocumentFileError&) {
        return 0;
    }
    std::ostringstream out;
    Ostrel::WriteDocumentFile(out, streams);
    std::istringstream again(out.str());
    const auto reread = Ostrel::ReadDocumentFile(again);
    if (reread.size() != streams.size())
        std::abort();
    for (std::size_t i = 0; i < streams.size(); ++i) {
        if (reread[i].classId != streams[i].classId || reread[i].bytes != streams[i].bytes) {
            std::abort();
        }
    }
    return 0;
}
