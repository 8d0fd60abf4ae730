// Reads arbitrary bytes as an Ostrel document file. A file that is read must write back to
// the very same bytes; anything else must be refused with DocumentFileError. The host's part
// among its streams either reads, and then writes back to a part that reads the same, or is
// refused with DocumentFileError too.
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz/fuzz_check.h"
#include "host/session/document_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::istringstream in(bytes);
    std::vector<session::ExtensionStream> streams;
    try {
        streams = session::ReadDocumentFile(in);
    } catch (const session::DocumentFileError&) {
        return 0;
    }
    std::ostringstream out;
    session::WriteDocumentFile(out, streams);
    std::istringstream again(out.str());
    const auto reread = session::ReadDocumentFile(again);
    CHECK(reread.size() == streams.size());
    for (std::size_t i = 0; i < streams.size(); ++i)
        CHECK(reread[i].classId == streams[i].classId && reread[i].bytes == streams[i].bytes);

    session::DocumentContents contents;
    try {
        contents = session::ContentsOf(streams);
    } catch (const session::DocumentFileError&) {
        return 0;
    }
    const session::DocumentContents written = session::ContentsOf(session::StreamsOf(contents));
    CHECK(written.Host == contents.Host);
    CHECK(written.Streams.size() == contents.Streams.size());
    return 0;
}
