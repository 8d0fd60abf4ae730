// The general writer and reader over plain stream buffers: encoding, sticky states, slots.
#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>

#include "streams/bin_istream.h"
#include "streams/bin_ostream.h"
#include "tests/helpers/vtable_call.h"

namespace {

using Tev::BinIStream;
using Tev::BinOStream;
using Tev::BinStream;

// A buffer over a fixed array: writes beyond it fall short; sync fails when told to.
class FixedBuffer : public std::streambuf {
public:
    FixedBuffer(char* bytes, std::size_t size) { setp(bytes, bytes + size); }
    std::size_t Put() const { return static_cast<std::size_t>(pptr() - pbase()); }
    bool failSync = false;

protected:
    int sync() override { return failSync ? -1 : 0; }
};

// A buffer whose position is whatever the test says: a failed seek (-1) or a position beyond
// what a ULONG holds. It counts the seeks it is asked for.
class PositionedBuffer : public std::stringbuf {
public:
    explicit PositionedBuffer(std::streamoff position) : position_(position) {}
    int seeks = 0;

protected:
    pos_type seekoff(off_type, std::ios_base::seekdir, std::ios_base::openmode) override {
        ++seeks;
        return pos_type(position_);
    }
    pos_type seekpos(pos_type, std::ios_base::openmode) override {
        ++seeks;
        return pos_type(position_);
    }

private:
    std::streamoff position_;
};

const std::string kPrimitives(
    "\x12"
    "\x56\x34"
    "\xFE\xFF\xFF\xFF"
    "\xEF\xCD\xAB\x89"
    "\x08\x07\x06\x05\x04\x03\x02\x01"
    "\x44\x33\x22\x11\x88\x77\x66\x55"
    "xyz",
    30);

TEST(BinOStream, WritesLittleEndianPrimitivesWithoutPaddingThroughTheirSlots) {
    std::stringbuf bytes;
    BinOStream out(&bytes);
    IBinOutStream* slots = &out;
    EXPECT_EQ(CallSlot<HRESULT>(slots, 7, BYTE{0x12}), S_OK);
    EXPECT_EQ(CallSlot<HRESULT>(slots, 8, WORD{0x3456}), S_OK);
    EXPECT_EQ(CallSlot<HRESULT>(slots, 9, LONG{-2}), S_OK);
    EXPECT_EQ(CallSlot<HRESULT>(slots, 10, DWORD{0x89ABCDEF}), S_OK);
    EXPECT_EQ(CallSlot<HRESULT>(slots, 11, LONGLONG{0x0102030405060708}), S_OK);
    EXPECT_EQ(CallSlot<HRESULT>(slots, 20, DWORD{0x11223344}, DWORD{0x55667788}), S_OK);
    EXPECT_EQ(CallSlot<HRESULT>(slots, 12, static_cast<const void*>("xyz"), ULONG{3}), S_OK);
    EXPECT_EQ(out.WriteBytes(nullptr, 0), S_OK);
    EXPECT_EQ(bytes.str(), kPrimitives);

    ULONG position = 0;
    EXPECT_EQ(CallSlot<HRESULT>(slots, 4, &position), S_OK);
    EXPECT_EQ(position, 30u);
    EXPECT_EQ(CallSlot<HRESULT>(slots, 5, ULONG{1}), S_OK);
    EXPECT_EQ(out.WriteWord(0xBBAA), S_OK);
    EXPECT_EQ(bytes.str().substr(0, 4), "\x12\xAA\xBB\xFE");
    EXPECT_EQ(CallSlot<HRESULT>(slots, 21), S_OK);
    EXPECT_EQ(CallSlot<HRESULT>(slots, 3), S_OK);

    EXPECT_EQ(slots->AddRef(), 1u);
    EXPECT_EQ(slots->Release(), 1u);
    void* object = &out;
    EXPECT_EQ(slots->QueryInterface(IBinOutStream::kIid, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(slots->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    for (std::size_t slot : {6, 13, 14, 15, 16, 17, 18}) {
        EXPECT_EQ(CallSlot<HRESULT>(slots, slot), E_NOTIMPL) << "slot " << slot;
    }
}

TEST(BinOStream, StopsWritingAfterTheFirstShortWrite) {
    char bytes[6] = {};
    FixedBuffer buffer(bytes, sizeof bytes);
    BinOStream out(&buffer);
    EXPECT_EQ(out.WriteLong(1), S_OK);
    EXPECT_EQ(out.WriteLong(2), E_FAIL);
    EXPECT_EQ(out.State(), BinStream::kShort);
    const std::size_t put = buffer.Put();
    EXPECT_EQ(out.WriteByte(3), E_FAIL);
    EXPECT_EQ(out.WriteBytes("ab", 2), E_FAIL);
    EXPECT_EQ(out.Seek(0), E_FAIL);
    EXPECT_EQ(out.Flush(), E_FAIL);
    EXPECT_EQ(out.Rewind(), E_FAIL);
    EXPECT_EQ(buffer.Put(), put);
    EXPECT_EQ(out.Status(), E_FAIL);
    EXPECT_EQ(out.State(), BinStream::kShort);
}

TEST(BinOStream, FailingFlushOrMissingBufferIsBad) {
    char bytes[8] = {};
    FixedBuffer buffer(bytes, sizeof bytes);
    buffer.failSync = true;
    BinOStream out(&buffer);
    EXPECT_EQ(out.Flush(), E_FAIL);
    EXPECT_EQ(out.State(), BinStream::kBad);

    BinOStream none(nullptr);
    EXPECT_EQ(none.State(), BinStream::kBad);
    EXPECT_EQ(none.WriteLong(1), E_FAIL);
    ULONG position = 7;
    EXPECT_EQ(none.GetPosition(&position), E_FAIL);
    EXPECT_EQ(position, 7u);

    std::stringbuf seekable;
    BinOStream refused(&seekable);
    EXPECT_EQ(refused.WriteBytes(nullptr, 1), E_FAIL);  // a null block cannot be written
    EXPECT_EQ(refused.State(), BinStream::kShort);
}

TEST(BinIStream, ReadsPrimitivesBackThroughTheirSlots) {
    std::stringbuf bytes(kPrimitives + std::string("\x10\x20\x30\x40\x50\x60", 6) +
                         std::string(16, '\x81'));
    BinIStream in(&bytes);
    IBinInStream* slots = &in;
    EXPECT_EQ(CallSlot<BYTE>(slots, 6), 0x12);
    WORD word = 0;
    EXPECT_EQ(CallSlot<HRESULT>(slots, 7, &word), S_OK);
    EXPECT_EQ(word, 0x3456);
    LONG value = 0;
    EXPECT_EQ(CallSlot<HRESULT>(slots, 8, &value), S_OK);
    EXPECT_EQ(value, -2);
    EXPECT_EQ(CallSlot<LONG>(slots, 9), static_cast<LONG>(0x89ABCDEF));
    EXPECT_EQ(CallSlot<ULONGLONG>(slots, 10), 0x0102030405060708u);
    LONGLONG quad = 0;
    EXPECT_EQ(CallSlot<HRESULT>(slots, 22, &quad), S_OK);
    EXPECT_EQ(quad, 0x5566778811223344);
    char text[3] = {};
    EXPECT_EQ(CallSlot<HRESULT>(slots, 11, static_cast<void*>(text), ULONG{3}), S_OK);
    EXPECT_EQ(std::string(text, 3), "xyz");
    std::int16_t signedWord = 0;
    EXPECT_EQ(CallSlot<HRESULT>(slots, 20, &signedWord), S_OK);
    EXPECT_EQ(signedWord, 0x2010);
    DWORD dword = 0;
    EXPECT_EQ(CallSlot<HRESULT>(slots, 21, &dword), S_OK);
    EXPECT_EQ(dword, 0x60504030u);
    ULONGLONG unsignedQuad = 0;
    EXPECT_EQ(CallSlot<HRESULT>(slots, 23, &unsignedQuad), S_OK);
    EXPECT_EQ(unsignedQuad, 0x8181818181818181u);
    ULONG position = 0;
    EXPECT_EQ(CallSlot<HRESULT>(slots, 4, &position), S_OK);
    EXPECT_EQ(position, 44u);
    EXPECT_EQ(CallSlot<LONG>(slots, 19), BinIStream::kCurrentVersion);
    EXPECT_EQ(CallSlot<HRESULT>(slots, 3), S_OK);

    EXPECT_EQ(slots->AddRef(), 1u);
    EXPECT_EQ(slots->Release(), 1u);
    void* object = &in;
    EXPECT_EQ(slots->QueryInterface(IID_IUnknown, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    for (std::size_t slot : {5, 12, 13, 14, 15, 16, 17}) {
        EXPECT_EQ(CallSlot<HRESULT>(slots, slot), E_NOTIMPL) << "slot " << slot;
    }
}

TEST(BinIStream, ByteAtTheEndIsFFThenEveryReadYieldsNothing) {
    std::stringbuf bytes(std::string("\x01\x02\x03", 3));
    BinIStream in(&bytes);
    LONG value = 77;
    EXPECT_EQ(in.ReadLong(&value), E_FAIL);  // three bytes are not a long
    EXPECT_EQ(value, 77);
    EXPECT_EQ(in.State(), BinStream::kShort);

    std::stringbuf empty;
    BinIStream atEnd(&empty);
    EXPECT_EQ(atEnd.ReadByte(), 0xFF);
    EXPECT_EQ(atEnd.State(), BinStream::kShort);
    EXPECT_EQ(atEnd.Status(), E_FAIL);
    EXPECT_EQ(atEnd.ReadByte(), 0);

    std::stringbuf more(std::string(16, '\x7F'));
    BinIStream failed(&more);
    failed.ReadBytes(nullptr, 1);
    EXPECT_EQ(failed.State(), BinStream::kShort);
    EXPECT_EQ(failed.ReadByte(), 0);
    EXPECT_EQ(failed.ReadLongValue(), 0);
    EXPECT_EQ(failed.ReadInt64Value(), 0u);
    WORD word = 5;
    EXPECT_EQ(failed.ReadWord(&word), E_FAIL);
    EXPECT_EQ(word, 5);
    char block[2] = {'a', 'b'};
    EXPECT_EQ(failed.ReadBytes(block, 2), E_FAIL);
    EXPECT_EQ(block[0], 'a');
    EXPECT_EQ(more.in_avail(), 16);  // nothing was taken
}

// Every way of reading a value: into nothing it answers E_POINTER and leaves the stream good;
// once the stream fell short it answers E_FAIL, takes no byte and leaves the value as it was.
TEST(BinIStream, EveryReadIntoNothingOrAfterAFailureLeavesItsTargetAlone) {
    struct Read {
        const char* name;
        std::function<HRESULT(BinIStream&, bool into)> read;  // into: a real target
    };
    const Read reads[] = {
        {"word",
         [](BinIStream& in, bool into) {
             WORD v = 9;
             const HRESULT hr = in.ReadWord(into ? &v : nullptr);
             return v == 9 ? hr : S_FALSE;
         }},
        {"short",
         [](BinIStream& in, bool into) {
             std::int16_t v = 9;
             const HRESULT hr = in.ReadShort(into ? &v : nullptr);
             return v == 9 ? hr : S_FALSE;
         }},
        {"long",
         [](BinIStream& in, bool into) {
             LONG v = 9;
             const HRESULT hr = in.ReadLong(into ? &v : nullptr);
             return v == 9 ? hr : S_FALSE;
         }},
        {"dword",
         [](BinIStream& in, bool into) {
             DWORD v = 9;
             const HRESULT hr = in.ReadDword(into ? &v : nullptr);
             return v == 9 ? hr : S_FALSE;
         }},
        {"int64",
         [](BinIStream& in, bool into) {
             LONGLONG v = 9;
             const HRESULT hr = in.ReadInt64(into ? &v : nullptr);
             return v == 9 ? hr : S_FALSE;
         }},
        {"uint64",
         [](BinIStream& in, bool into) {
             ULONGLONG v = 9;
             const HRESULT hr = in.ReadUInt64(into ? &v : nullptr);
             return v == 9 ? hr : S_FALSE;
         }},
    };
    for (const Read& read : reads) {
        SCOPED_TRACE(read.name);
        std::stringbuf bytes(std::string(8, '\x55'));
        BinIStream in(&bytes);
        EXPECT_EQ(read.read(in, false), E_POINTER);
        EXPECT_TRUE(in.Good());
        EXPECT_EQ(in.ReadBytes(nullptr, 0), S_OK);  // nothing asked, nothing taken
        EXPECT_EQ(bytes.in_avail(), 8);

        in.ReadBytes(nullptr, 1);  // fails: the stream is short from now on
        ASSERT_EQ(in.State(), BinStream::kShort);
        EXPECT_EQ(read.read(in, true), E_FAIL);  // S_FALSE would mean the value changed
        EXPECT_EQ(bytes.in_avail(), 8);
    }
}

// Every way of writing after a failure answers E_FAIL and puts nothing.
TEST(BinOStream, EveryWriteAfterAFailurePutsNothing) {
    const std::function<HRESULT(BinOStream&)> writes[] = {
        [](BinOStream& out) { return out.WriteByte(1); },
        [](BinOStream& out) { return out.WriteWord(1); },
        [](BinOStream& out) { return out.WriteLong(1); },
        [](BinOStream& out) { return out.WriteDword(1); },
        [](BinOStream& out) { return out.WriteInt64(1); },
        [](BinOStream& out) { return out.WriteInt64Halves(1, 2); },
        [](BinOStream& out) { return out.WriteText(Tev::String(u"text")); },
        [](BinOStream& out) { return out.WriteString(Tev::String(u"text").Interface()); },
    };
    int index = 0;
    for (const auto& write : writes) {
        std::stringbuf bytes;
        BinOStream out(&bytes);
        out.WriteBytes(nullptr, 1);
        ASSERT_EQ(out.State(), BinStream::kShort);
        EXPECT_EQ(write(out), E_FAIL) << index;
        EXPECT_EQ(bytes.str(), "") << index;
        ++index;
    }
}

// A position the buffer cannot give, or one beyond what a ULONG holds, is not passed on cut
// to 32 bits: the stream answers E_FAIL and is short from then on. A seek the buffer refuses
// does the same to the writer.
TEST(BinStreams, PositionsThatFailOrDoNotFitMakeTheStreamShort) {
    for (const std::streamoff position : {std::streamoff{-1}, std::streamoff{5} << 30}) {
        SCOPED_TRACE(position);
        PositionedBuffer reading(position);
        BinIStream in(&reading);
        EXPECT_EQ(in.GetPosition(nullptr), E_POINTER);
        EXPECT_EQ(reading.seeks, 0);
        ULONG at = 7;
        EXPECT_EQ(in.GetPosition(&at), E_FAIL);
        EXPECT_EQ(at, 7u);
        EXPECT_EQ(in.State(), BinStream::kShort);

        PositionedBuffer writing(position);
        BinOStream out(&writing);
        EXPECT_EQ(out.GetPosition(&at), E_FAIL);
        EXPECT_EQ(at, 7u);
        EXPECT_EQ(out.State(), BinStream::kShort);
    }
    for (const bool rewind : {false, true}) {
        PositionedBuffer refusing(-1);
        BinOStream out(&refusing);
        EXPECT_EQ(rewind ? out.Rewind() : out.Seek(3), E_FAIL);
        EXPECT_EQ(refusing.seeks, 1);
        EXPECT_EQ(out.State(), BinStream::kShort);
        EXPECT_EQ(out.WriteByte(1), E_FAIL);
    }
}

// A stream that owns its buffer deletes it (a leak otherwise, which the sanitizer build
// reports); one that does not leaves it to its owner.
TEST(BinStreams, AStreamDeletesOnlyTheBufferItOwns) {
    {
        BinIStream in(new std::stringbuf(std::string("\x01\x00\x00\x00", 4)), true);
        LONG value = 0;
        EXPECT_EQ(in.ReadLong(&value), S_OK);
        EXPECT_EQ(value, 1);
        BinOStream out(new std::stringbuf, true);
        EXPECT_EQ(out.WriteLong(1), S_OK);
    }
    std::stringbuf kept;
    {
        BinOStream out(&kept);
        out.WriteByte('k');
    }
    EXPECT_EQ(kept.str(), "k");  // still there to be read
}

}  // namespace
