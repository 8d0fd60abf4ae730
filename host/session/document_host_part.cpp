#include "host/session/document_host_part.h"

#include <string_view>

#include "host/session/document_file_error.h"

namespace session {

namespace {

constexpr std::string_view kDeviceKey = "device";
constexpr std::string_view kSeparator = ": ";

[[noreturn]] void Refuse(const std::string& problem) {
    throw DocumentFileError("the host's part (" + GuidToString(kHostPartClassId) + "): " + problem);
}

DocumentHostPart ReadHostPart(const std::vector<BYTE>& bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.find('\0') != std::string_view::npos)
        Refuse("a NUL byte where text belongs");
    if (!text.empty() && text.back() != '\n')
        Refuse("the last line does not end in a line feed");
    DocumentHostPart part;
    std::size_t start = 0;
    for (std::size_t line = 1; start < text.size(); ++line) {
        const std::size_t end = text.find('\n', start);
        const std::string_view content = text.substr(start, end - start);
        start = end + 1;
        const std::size_t separator = content.find(kSeparator);
        if (separator == std::string_view::npos || separator == 0) {
            Refuse("line " + std::to_string(line) + ": expected \"KEY: VALUE\", found \"" +
                   std::string(content.substr(0, 80)) + "\"");
        }
        if (content.substr(0, separator) != kDeviceKey)
            continue;  // a later host's: not this one's to read
        if (part.Device)
            Refuse("line " + std::to_string(line) + ": a second device");
        part.Device = std::string(content.substr(separator + kSeparator.size()));
    }
    return part;
}

}  // namespace

std::optional<ExtensionStream> HostPartStream(const DocumentHostPart& part) {
    if (!part.Device)
        return std::nullopt;
    if (part.Device->find_first_of(std::string_view("\n\0", 2)) != std::string::npos)
        Refuse("a device description holds a line break or a NUL byte");
    const std::string text =
        std::string(kDeviceKey) + std::string(kSeparator) + *part.Device + "\n";
    return ExtensionStream{kHostPartClassId, std::vector<BYTE>(text.begin(), text.end())};
}

DocumentContents ContentsOf(std::vector<ExtensionStream> streams) {
    DocumentContents contents;
    for (ExtensionStream& stream : streams) {
        if (stream.classId == kHostPartClassId)
            contents.Host = ReadHostPart(stream.bytes);
        else
            contents.Streams.push_back(std::move(stream));
    }
    return contents;
}

std::vector<ExtensionStream> StreamsOf(const DocumentContents& contents) {
    std::vector<ExtensionStream> streams;
    if (std::optional<ExtensionStream> host = HostPartStream(contents.Host))
        streams.push_back(std::move(*host));
    streams.insert(streams.end(), contents.Streams.begin(), contents.Streams.end());
    return streams;
}

}  // namespace session
