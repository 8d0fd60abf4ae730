// Reads arbitrary bytes as a stored stream. The header (or its absence) decides the format
// version, and with it the form of the string records; then the bytes themselves choose what
// is read next: primitives, raw blocks, positions or string records.
//
// Checked on the way: a malformed record raises only XTev 0xA0048203; a string is never longer
// than the input; the position only moves forward and never past the input; once the state is
// not good, reads yield nothing; a string read back is written and read again unchanged.
#include <cstdint>
#include <span>
#include <sstream>

#include "fuzz/fuzz_check.h"
#include "platform/stream/memory_stream.h"
#include "streams/bin_ostream.h"
#include "streams/storage_bin_istream_lite.h"
#include "support/string/xtev.h"

namespace {

// The writer always writes the current form, whatever form the text was read from.
void CheckRoundTrip(const Tev::String& text) {
    std::stringbuf bytes;
    Tev::BinOStream out(&bytes);
    CHECK(out.WriteText(text) == S_OK);
    Tev::BinIStream in(&bytes);
    CHECK(in.ReadText() == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ComPtr<MemoryStream> memory =
        MemoryStream::Create(std::span<const BYTE>(data, size), STGM_READ);
    StorageBinIStreamLite in(memory.Get());
    CHECK(in.Version() >= 0 && in.Version() <= 255);

    ULONG position = 0;
    while (in.Good()) {
        const BYTE operation = in.ReadByte();
        if (!in.Good())
            break;
        switch (operation % 8) {
            case 0: {
                WORD value = 0;
                in.ReadWord(&value);
                break;
            }
            case 1: {
                LONG value = 0;
                in.ReadLong(&value);
                break;
            }
            case 2:
                in.ReadInt64Value();
                break;
            case 3: {
                BYTE block[256];
                in.ReadBytes(block, in.ReadByte());
                break;
            }
            case 4: {
                ULONG now = 0;
                if (in.GetPosition(&now) == S_OK) {
                    CHECK(now >= position && now <= size);
                    position = now;
                }
                break;
            }
            default:
                try {
                    const Tev::String text = in.ReadText();
                    CHECK(text.Length() <= size);
                    if (in.Good())
                        CheckRoundTrip(text);
                } catch (const XTev& error) {
                    CHECK(error.Code() == kXTevMalformedStream);
                    return 0;
                }
                break;
        }
    }
    CHECK(in.Status() == E_FAIL);
    CHECK(in.ReadByte() == 0 && in.ReadLongValue() == 0 && in.ReadInt64Value() == 0);
    ITevString* text = in.ReadString();
    CHECK(text->LengthValue() == 0);
    text->Release();
    return 0;
}
