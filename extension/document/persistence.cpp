#include "extension/document/message_boxes.h"
#include "extension/document/persist_stream_settings.h"
#include "host/api/tev_string_interface.h"
#include "platform/ui/user.h"
#include "resources/string_ids.h"
#include "streams/storage_bin_istream_lite.h"
#include "streams/storage_bin_ostream_lite.h"
#include "support/format/word_wrap.h"
#include "support/string/tev_string.h"

namespace VavazaZavidi::persistence {

namespace {

constexpr int kMessageWrapWidth = 70;

}  // namespace

HRESULT SaveText(IStream* stream, const std::string& text) {
    StorageBinOStreamLite out(stream);
    if (out.Good())
        out.WriteLong(kStreamVersion);
    const Tev::String wide(text);
    out.WriteString(wide.Interface());
    out.Flush();
    // A stream that failed anywhere on the way has not saved the document.
    return out.Good() ? S_OK : STG_E_CANTSAVE;
}

LoadOutcome LoadText(IStream* stream, std::string& text) {
    StorageBinIStreamLite in(stream);
    LONG version = 0;
    if (in.ReadLong(&version) != S_OK || version != kStreamVersion)
        return LoadOutcome::kRefused;
    Tev::String stored;
    try {
        stored.Attach(in.ReadString());
    } catch (const std::exception&) {
        // A record that fell short of the stream's end was cut, not malformed.
        return in.Good() ? LoadOutcome::kMalformed : LoadOutcome::kRefused;
    }
    // A record cut short must not pass for a stored configuration.
    if (!in.Good())
        return LoadOutcome::kRefused;
    text = stored.Narrow();
    return LoadOutcome::kLoaded;
}

void ShowLoadFailure() {
    Tev::String text = ProcessString(StringId::kLoadFailed);
    Tev::WordWrap(text, kMessageWrapWidth);
    ShowHostMessage(text, ProcessString(StringId::kLoadFailedCaption), MB_ICONERROR);
}

}  // namespace VavazaZavidi::persistence
