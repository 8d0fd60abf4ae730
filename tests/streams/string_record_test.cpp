// String records: the exact bytes written, both forms read back, and malformed records.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>

#include "platform/stream/memory_stream.h"
#include "streams/bin_istream.h"
#include "streams/bin_ostream.h"
#include "streams/storage_bin_istream_lite.h"
#include "streams/storage_bin_ostream_lite.h"
#include "support/string/xtev.h"
#include "tests/helpers/vtable_call.h"

namespace {

using Tev::BinIStream;
using Tev::BinOStream;
using Tev::String;

// Little-endian 32-bit values followed by raw bytes.
std::string Record(std::initializer_list<std::int64_t> longs, const std::string& tail = "") {
    std::string bytes;
    for (std::int64_t value : longs) {
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>(value >> (8 * i));
    }
    return bytes + tail;
}

std::string Written(const String& text) {
    std::stringbuf bytes;
    BinOStream out(&bytes);
    EXPECT_EQ(CallSlot<HRESULT>(static_cast<IBinOutStream*>(&out), 19, text.Interface()), S_OK);
    return bytes.str();
}

String ReadBack(const std::string& bytes, LONG version = BinIStream::kCurrentVersion) {
    std::stringbuf buffer(bytes);
    BinIStream in(&buffer, false, version);
    String text;
    text.Attach(CallSlot<ITevString*>(static_cast<IBinInStream*>(&in), 18));
    EXPECT_EQ(in.Status(), S_OK);
    return text;
}

// The code of the XTev that reading `bytes` raises; 0 when it raises none.
std::uint32_t MalformedCode(const std::string& bytes, LONG version = BinIStream::kCurrentVersion) {
    std::stringbuf buffer(bytes);
    BinIStream in(&buffer, false, version);
    try {
        in.ReadText();
    } catch (const XTev& error) {
        return error.Code();
    }
    return 0;
}

TEST(StringRecord, WritesTheEmptyStringAndAbcWithTheirExactBytes) {
    EXPECT_EQ(Written(String()), Record({0x80000001, 1, -1}, std::string(2, '\0')));
    EXPECT_EQ(Written(String()).size(), 14u);
    EXPECT_EQ(Written(String(u"abc")),
              Record({0x80000001, 4, -4}, std::string("a\0b\0c\0\0\0", 8)));
    EXPECT_EQ(Written(String(u"abc")).size(), 20u);

    std::stringbuf bytes;
    BinOStream out(&bytes);
    EXPECT_EQ(out.WriteString(nullptr), S_OK);  // null writes the empty string
    EXPECT_EQ(bytes.str(), Written(String()));
}

TEST(StringRecord, ReadsBackWhatWasWritten) {
    const std::u16string longText(5000, u'\u00E9');  // crosses buffers and reading pieces
    for (const String& text :
         {String(), String(u"abc"), String(u"Gr\u00FC\u00DFe \u20AC \U0001F600"),
          String(std::u16string_view(u"a\0b", 3)), String(longText.c_str())}) {
        EXPECT_EQ(ReadBack(Written(text)), text);
    }

    ComPtr<MemoryStream> memory = MemoryStream::Create();
    {
        StorageBinOStreamLite out(memory.Get());
        out.WriteLong(1);
        out.WriteText(String(longText.c_str()));
        out.WriteText(String(u"tail"));
    }
    memory->Seek(MakeLargeInteger(0), STREAM_SEEK_SET, nullptr);
    StorageBinIStreamLite in(memory.Get());
    EXPECT_EQ(in.ReadLongValue(), 1);
    EXPECT_EQ(in.ReadText(), String(longText.c_str()));
    ITevString* tail = in.ReadString();
    EXPECT_EQ(tail->LengthValue(), 4);
    VARIANT_BOOL shared = VARIANT_TRUE;
    tail->IsShared(&shared);
    EXPECT_EQ(shared, VARIANT_FALSE);  // the caller holds the only reference
    tail->Release();
    EXPECT_EQ(in.Status(), S_OK);
}

TEST(StringRecord, ReadsEightBitTextFromTheNarrowEncoding) {
    EXPECT_EQ(ReadBack(Record({1, 4, -4}, std::string("a\xC3\xA9\0", 4))), String(u"a\u00E9"));
    EXPECT_EQ(ReadBack(Record({0, 3, -3}, "abc")), String(u"abc"));  // terminator added
    EXPECT_EQ(ReadBack(Record({0x80000001, 1, -1}, "xy")), String(u"\u7978"));
    EXPECT_EQ(ReadBack(Record({0x80000001, 0, 0})), String());

    // Before version 10: a length and 8-bit text, no kind or check.
    EXPECT_EQ(ReadBack(Record({3}, "abc"), 1), String(u"abc"));
    EXPECT_EQ(ReadBack(Record({0}), 9), String());
    EXPECT_EQ(ReadBack(Record({64000}, std::string(64000, 'z')), 1).Length(), 64000u);
}

TEST(StringRecord, MalformedRecordsRaiseXTevWithoutTrustingTheirCount) {
    constexpr std::uint32_t kMalformed = 0xA0048203;
    EXPECT_EQ(MalformedCode(Record({0x80000001, 4, -3}, std::string(8, 'a'))), kMalformed);
    EXPECT_EQ(MalformedCode(Record({0x80000001, -5, 5}, std::string(8, 'a'))), kMalformed);
    EXPECT_EQ(MalformedCode(Record({0x80000001, INT32_MIN, INT32_MIN})), kMalformed);
    EXPECT_EQ(MalformedCode(Record({0x80000001, INT32_MAX, -INT32_MAX})), kMalformed);
    EXPECT_EQ(MalformedCode(Record({0x80000001, 1 << 24, -(1 << 24)}, "ab")), kMalformed);
    EXPECT_EQ(MalformedCode(Record({0x80000001, 1000, -1000}, std::string(1998, 'a'))), kMalformed);
    EXPECT_EQ(MalformedCode(Record({64001}, std::string(64001, 'a')), 1), kMalformed);
    EXPECT_EQ(MalformedCode(Record({-1}, "a"), 1), kMalformed);
    EXPECT_EQ(MalformedCode(Record({10}, "short"), 1), kMalformed);
    EXPECT_EQ(MalformedCode(Record({0x80000001, 1000, -1000}, std::string(2000, 'a'))), 0u);
}

TEST(StringRecord, ReadsAndWritesNothingOnceTheStateIsNotGood) {
    std::stringbuf truncated(Record({0x80000001}) + "\x02");
    BinIStream in(&truncated);
    EXPECT_EQ(in.ReadText(), String());  // the record's fields fell short
    EXPECT_EQ(in.Status(), E_FAIL);
    EXPECT_EQ(in.ReadText(), String());

    char bytes[6] = {};
    struct Fixed : std::streambuf {
        Fixed(char* begin, char* end) { setp(begin, end); }
    } fixed(bytes, bytes + sizeof bytes);
    BinOStream out(&fixed);
    EXPECT_EQ(out.WriteText(String(u"abc")), E_FAIL);
    EXPECT_EQ(out.WriteText(String()), E_FAIL);
    EXPECT_EQ(out.State(), Tev::BinStream::kShort);
}

}  // namespace
