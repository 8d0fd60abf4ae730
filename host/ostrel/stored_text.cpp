#include "host/ostrel/stored_text.h"

#include "host/inspect/tarvel_formats.h"
#include "platform/stream/memory_stream.h"

namespace ostrel {

std::optional<std::string> StoredConfigurationText(
    const std::vector<session::ExtensionStream>& streams) {
    for (const session::ExtensionStream& stream : streams) {
        if (stream.classId != inspect::kTarvelDocumentClass)
            continue;
        const ComPtr<MemoryStream> memory = MemoryStream::Create(stream.bytes);
        std::string text = inspect::ConfigurationTextOfStream(memory.Get());
        if (text.empty())
            return std::nullopt;
        return text;
    }
    return std::nullopt;
}

}  // namespace ostrel
