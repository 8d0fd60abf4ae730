// The host's own part of a document file: what the host keeps of a document beside the
// extensions' streams. It is stored as the first stream of the file, of the host's own class,
// so the file's format stays as it was: an ostrel that knows no host part leaves that stream
// out (and says so) and opens the document as it always did.
//
// The part is text (UTF-8), one "KEY: VALUE" line each, ending in a line feed:
//
//   device: name=Corvex, inputs=1, analog=1, digital=none, range=5 mV, ...
//
// Keys this host does not know are passed over, so that a later host may add its own.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/session/host_document.h"
#include "platform/com/guid.h"

namespace session {

// The class of the host's part among the streams of a document file.
inline constexpr CLSID kHostPartClassId = MakeGuid("{7913F195-6EAD-4C4F-82B1-D93D05DF4E3E}");

struct DocumentHostPart {
    // The description of the device the document was made on, as the host wrote it; nothing
    // in a document of a host that did not record it.
    std::optional<std::string> Device;

    bool operator==(const DocumentHostPart&) const = default;
};

// What a document file holds: the host's part and the extensions' streams.
struct DocumentContents {
    DocumentHostPart Host;
    std::vector<ExtensionStream> Streams;
};

// The host's part as the stream the file stores; nothing when it holds nothing (a document
// file then looks as an older host wrote it).
std::optional<ExtensionStream> HostPartStream(const DocumentHostPart& part);

// The streams of a document file taken apart: the host's part read from its stream, the
// extensions' streams in their order. Throws DocumentFileError naming the line of a host part
// that is not a "KEY: VALUE" line (or holds a NUL byte), and for a part that does not end in a
// line feed or names its device twice.
DocumentContents ContentsOf(std::vector<ExtensionStream> streams);

// The streams a document file stores for `contents`: the host's part first.
std::vector<ExtensionStream> StreamsOf(const DocumentContents& contents);

}  // namespace session
