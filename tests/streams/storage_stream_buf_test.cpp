// The buffered stream buffers over an IStream: opening, one IStream call per buffer, seeks
// inside the buffer, the high-water mark, and failures.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "streams/storage_bin_ostream_lite.h"
#include "streams/storage_in_stream_buf.h"
#include "streams/storage_out_stream_buf.h"
#include "tests/helpers/fault_stream.h"

namespace {

std::vector<BYTE> BytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

std::streamoff Position(std::streambuf& buffer) {
    return buffer.pubseekoff(0, std::ios_base::cur, std::ios_base::out);
}

TEST(StorageStreamBuf, OpensOnlyOnAStreamThatDescribesItself) {
    StorageOutStreamBuf buffer;
    EXPECT_FALSE(buffer.Open(nullptr));

    ComPtr<FaultStream> noStat = FaultStream::Create();
    noStat->FailStat();
    EXPECT_FALSE(buffer.Open(noStat.Get()));

    ComPtr<FaultStream> badMode = FaultStream::Create();
    badMode->ReportMode(3);
    EXPECT_FALSE(buffer.Open(badMode.Get()));

    ComPtr<FaultStream> noSeek = FaultStream::Create();
    noSeek->FailSeek(1);
    EXPECT_FALSE(buffer.Open(noSeek.Get()));
    EXPECT_FALSE(buffer.IsOpen());
    EXPECT_EQ(buffer.sputc('x'), EOF);
    EXPECT_EQ(Position(buffer), -1);

    ComPtr<FaultStream> good = FaultStream::Create();
    good->ReportMode(STGM_WRITE | STGM_SHARE_EXCLUSIVE);
    ASSERT_TRUE(buffer.Open(good.Get()));
    EXPECT_EQ(buffer.GetAccess(), StorageStreamBuf::Access::kWrite);
    EXPECT_EQ(good->ReferenceCount(), 2);  // the buffer holds one reference while open
    buffer.Close();
    EXPECT_EQ(good->ReferenceCount(), 1);
}

TEST(StorageStreamBuf, CallsTheStreamOncePerBufferFillOrFlush) {
    ComPtr<FaultStream> stream = FaultStream::Create();
    {
        StorageOutStreamBuf out;
        ASSERT_TRUE(out.Open(stream.Get()));
        for (int i = 0; i < 3000; ++i)
            out.sputc(static_cast<char>(i));
        EXPECT_EQ(stream->Calls().writes, 2u);
        EXPECT_EQ(Position(out), 3000);  // answered from the buffer
    }
    EXPECT_EQ(stream->Calls().writes, 3u);
    EXPECT_EQ(stream->Calls().seeks, 1u);  // the one that found the base position
    ASSERT_EQ(stream->Memory()->Size(), 3000u);
    EXPECT_EQ(stream->Memory()->Bytes()[2999], static_cast<BYTE>(2999 % 256));

    stream->Seek(MakeLargeInteger(0), STREAM_SEEK_SET, nullptr);
    stream->ResetCalls();
    StorageInStreamBuf in;
    ASSERT_TRUE(in.Open(stream.Get()));
    int count = 0;
    while (in.sbumpc() != EOF)
        ++count;
    EXPECT_EQ(count, 3000);
    EXPECT_EQ(stream->Calls().reads, 4u);  // 1024, 1024, 952, then the end
    EXPECT_EQ(stream->Calls().writes, 0u);
}

TEST(StorageStreamBuf, StartsAtTheStreamsPositionAndRespectsItsAccess) {
    ComPtr<MemoryStream> memory = MemoryStream::Create(BytesOf("0123456789"));
    memory->Seek(MakeLargeInteger(4), STREAM_SEEK_SET, nullptr);
    {
        StorageOutStreamBuf out;
        ASSERT_TRUE(out.Open(memory.Get()));
        EXPECT_EQ(Position(out), 4);
        out.sputn("ab", 2);
    }
    EXPECT_EQ(memory->Bytes(), BytesOf("0123ab6789"));

    ComPtr<MemoryStream> readOnly = MemoryStream::Create(BytesOf("xy"), STGM_READ);
    StorageOutStreamBuf refusing;
    ASSERT_TRUE(refusing.Open(readOnly.Get()));
    EXPECT_EQ(refusing.sputc('z'), EOF);

    ComPtr<MemoryStream> writeOnly = MemoryStream::Create(BytesOf("xy"), STGM_WRITE);
    StorageInStreamBuf unreadable;
    ASSERT_TRUE(unreadable.Open(writeOnly.Get()));
    EXPECT_EQ(unreadable.sgetc(), EOF);
}

TEST(StorageOutStreamBuf, OverwritesInsideTheBufferAndKeepsWhatLiesBeyond) {
    ComPtr<FaultStream> stream = FaultStream::Create();
    {
        StorageOutStreamBuf out;
        ASSERT_TRUE(out.Open(stream.Get()));
        out.sputn("abcdefgh", 8);
        EXPECT_EQ(out.pubseekpos(2), 2);
        out.sputn("XY", 2);
        EXPECT_EQ(out.pubseekoff(-3, std::ios_base::cur), 1);
        out.sputc('-');
        EXPECT_EQ(out.pubseekpos(8), 8);  // the high-water mark is still inside
        out.sputc('!');
    }
    EXPECT_EQ(stream->Memory()->Bytes(), BytesOf("a-XYefgh!"));
    EXPECT_EQ(stream->Calls().writes, 1u);
    EXPECT_EQ(stream->Calls().seeks, 1u);
}

TEST(StorageOutStreamBuf, FlushAfterMovingBackKeepsTheWritePosition) {
    ComPtr<FaultStream> stream = FaultStream::Create();
    {
        StorageOutStreamBuf out;
        ASSERT_TRUE(out.Open(stream.Get()));
        out.sputn("abcdefgh", 8);
        out.pubseekpos(2);
        out.sputc('X');
        EXPECT_EQ(out.pubsync(), 0);
        EXPECT_EQ(Position(out), 3);
        out.sputc('Y');
        EXPECT_EQ(out.pubseekoff(2, std::ios_base::cur), 6);
        out.sputc('Z');
    }
    EXPECT_EQ(stream->Memory()->Bytes(), BytesOf("abXYefZh"));
}

TEST(StorageOutStreamBuf, SeeksOutsideTheBufferThroughTheStream) {
    ComPtr<FaultStream> stream = FaultStream::Create();
    {
        StorageOutStreamBuf out;
        ASSERT_TRUE(out.Open(stream.Get()));
        out.sputn(std::string(2000, '.').data(), 2000);
        EXPECT_EQ(out.pubseekpos(10), 10);
        out.sputc('A');
        EXPECT_EQ(out.pubseekoff(-1, std::ios_base::end), 1999);
        out.sputc('B');
        EXPECT_EQ(out.pubseekoff(-5, std::ios_base::beg), -1);
    }
    const std::vector<BYTE> bytes = stream->Memory()->Bytes();
    ASSERT_EQ(bytes.size(), 2000u);
    EXPECT_EQ(bytes[10], 'A');
    EXPECT_EQ(bytes[1999], 'B');
    EXPECT_EQ(bytes[11], '.');
}

TEST(StorageOutStreamBuf, DropsAFailedBufferInsteadOfWritingItTwice) {
    ComPtr<FaultStream> cut = FaultStream::Create();
    cut->ShortenWrite(1, 100);
    {
        StorageOutStreamBuf out;
        ASSERT_TRUE(out.Open(cut.Get()));
        out.sputn(std::string(1000, 'a').data(), 1000);
        EXPECT_EQ(out.pubsync(), -1);
        EXPECT_EQ(out.sputc('b'), EOF);
        EXPECT_EQ(out.pubsync(), -1);
    }
    EXPECT_EQ(cut->Memory()->Size(), 100u);
    EXPECT_EQ(cut->Calls().writes, 1u);

    ComPtr<FaultStream> failing = FaultStream::Create();
    failing->FailWrite(1);
    {
        StorageOutStreamBuf out;
        ASSERT_TRUE(out.Open(failing.Get()));
        EXPECT_EQ(out.sputn(std::string(1030, 'a').data(), 1030), 1024);
    }
    EXPECT_EQ(failing->Memory()->Size(), 0u);
    EXPECT_EQ(failing->Calls().writes, 1u);
}

TEST(StorageOutStreamBuf, ClearEmptiesTheStreamAndDropsBufferedBytes) {
    ComPtr<FaultStream> stream = FaultStream::Create(BytesOf("old content"));
    {
        StorageOutStreamBuf out;
        ASSERT_TRUE(out.Open(stream.Get()));
        out.sputn("0123456789", 10);
        out.pubseekpos(0);
        ASSERT_TRUE(out.Clear());
        EXPECT_EQ(Position(out), 0);
        out.sputn("ab", 2);
    }
    EXPECT_EQ(stream->Memory()->Bytes(), BytesOf("ab"));
}

TEST(StorageInStreamBuf, SeeksInsideTheBufferWithoutCallingTheStream) {
    ComPtr<FaultStream> stream = FaultStream::Create(BytesOf(std::string(3000, 'x') + "end"));
    StorageInStreamBuf in;
    ASSERT_TRUE(in.Open(stream.Get()));
    char bytes[8] = {};
    in.sgetn(bytes, 5);
    EXPECT_EQ(in.pubseekpos(1), 1);
    EXPECT_EQ(in.pubseekoff(1023, std::ios_base::cur), 1024);  // the end of the buffer
    EXPECT_EQ(in.pubseekoff(0, std::ios_base::cur), 1024);
    EXPECT_EQ(stream->Calls().reads, 1u);
    EXPECT_EQ(stream->Calls().seeks, 1u);

    EXPECT_EQ(in.pubseekoff(-3, std::ios_base::end), 3000);
    EXPECT_EQ(in.sgetn(bytes, 8), 3);
    EXPECT_EQ(std::string(bytes, 3), "end");
}

TEST(StorageInStreamBuf, SyncGivesUnreadBytesBackToTheStream) {
    ComPtr<FaultStream> stream = FaultStream::Create(BytesOf("0123456789"));
    StorageInStreamBuf in;
    ASSERT_TRUE(in.Open(stream.Get()));
    char bytes[3] = {};
    in.sgetn(bytes, 3);
    EXPECT_EQ(stream->Memory()->Position(), 10u);
    EXPECT_EQ(in.pubsync(), 0);
    EXPECT_EQ(stream->Memory()->Position(), 3u);
    EXPECT_EQ(in.sbumpc(), '3');
}

TEST(StorageStreamBuf, ReadingThenWritingContinuesAtTheReadPosition) {
    ComPtr<MemoryStream> memory = MemoryStream::Create(BytesOf("0123456789"));
    {
        StorageOutStreamBuf both;
        ASSERT_TRUE(both.Open(memory.Get()));
        EXPECT_EQ(both.GetAccess(), StorageStreamBuf::Access::kReadWrite);
        EXPECT_EQ(both.sbumpc(), '0');
        EXPECT_EQ(both.sbumpc(), '1');
        both.sputc('X');
        EXPECT_EQ(both.sbumpc(), '3');
    }
    EXPECT_EQ(memory->Bytes(), BytesOf("01X3456789"));
}

// "0123456789" repeated to `count` bytes: every byte tells its position modulo 10.
std::vector<BYTE> Digits(std::size_t count) {
    std::vector<BYTE> bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<BYTE>('0' + i % 10);
    return bytes;
}

TEST(StorageInStreamBuf, AFailedReadEndsTheInputButKeepsThePosition) {
    ComPtr<FaultStream> stream = FaultStream::Create(BytesOf("abcdef"));
    stream->FailRead(1);
    StorageInStreamBuf in;
    ASSERT_TRUE(in.Open(stream.Get()));
    EXPECT_EQ(in.sgetc(), EOF);
    EXPECT_EQ(in.pubseekoff(0, std::ios_base::cur, std::ios_base::in), 0);
    // Asked again, it reads from where it stood, not from where a lost buffer would end.
    EXPECT_EQ(in.sbumpc(), 'a');
    EXPECT_EQ(stream->Calls().reads, 2u);

    // A stream open for writing only is never read.
    ComPtr<FaultStream> writeOnly = FaultStream::Create(BytesOf("abcdef"));
    writeOnly->ReportMode(STGM_WRITE);
    StorageInStreamBuf refused;
    ASSERT_TRUE(refused.Open(writeOnly.Get()));
    EXPECT_EQ(refused.GetAccess(), StorageStreamBuf::Access::kWrite);
    EXPECT_EQ(refused.sgetc(), EOF);
    EXPECT_EQ(writeOnly->Calls().reads, 0u);
}

// Once the bytes it held could not be written, the buffer reads nothing in their place (the
// bytes there are not what the writer wrote), its seek through the stream fails, and it never
// writes again.
TEST(StorageStreamBuf, AFailedFlushStopsReadingSeekingAndWriting) {
    for (const bool readFirst : {true, false}) {
        SCOPED_TRACE(readFirst ? "read first" : "seek first");
        ComPtr<FaultStream> stream = FaultStream::Create(BytesOf("old bytes"));
        stream->FailWrite(1);
        {
            StorageOutStreamBuf both;
            ASSERT_TRUE(both.Open(stream.Get()));
            EXPECT_EQ(both.sputn("new", 3), 3);
            if (readFirst) {
                EXPECT_EQ(both.sgetc(), EOF);
            } else {
                EXPECT_EQ(both.pubseekoff(0, std::ios_base::end), -1);
            }
            EXPECT_EQ(both.sputc('x'), EOF);
            EXPECT_EQ(both.pubsync(), -1);
        }
        EXPECT_EQ(stream->Calls().reads, 0u);
        EXPECT_EQ(stream->Calls().writes, 1u);
        EXPECT_EQ(stream->Calls().seeks, 1u);  // Open's
        EXPECT_EQ(stream->Memory()->Bytes(), BytesOf("old bytes"));
    }

    // The writer moved back inside the buffer; the bytes are written, but the stream cannot
    // be brought back to the writer's place: nothing more may be written, or it would land
    // after the bytes instead of over them.
    ComPtr<FaultStream> unmoving = FaultStream::Create();
    unmoving->FailSeeksFrom(2);
    {
        StorageOutStreamBuf out;
        ASSERT_TRUE(out.Open(unmoving.Get()));
        out.sputn("0123456789", 10);
        EXPECT_EQ(out.pubseekpos(4), 4);
        EXPECT_EQ(out.pubsync(), -1);
        EXPECT_EQ(out.sputc('x'), EOF);
    }
    EXPECT_EQ(unmoving->Memory()->Bytes(), BytesOf("0123456789"));
}

TEST(StorageStreamBuf, SeeksTheBufferCannotServeGoThroughTheStream) {
    // Before anything is buffered.
    ComPtr<FaultStream> stream = FaultStream::Create(BytesOf("0123456789"));
    {
        StorageOutStreamBuf out;
        ASSERT_TRUE(out.Open(stream.Get()));
        EXPECT_EQ(out.pubseekpos(5), 5);
        out.sputc('X');
    }
    EXPECT_EQ(stream->Memory()->Bytes(), BytesOf("01234X6789"));
    {
        StorageInStreamBuf in;
        ASSERT_TRUE(in.Open(stream.Get()));
        EXPECT_EQ(in.pubseekoff(-3, std::ios_base::cur), 3);
        EXPECT_EQ(in.sbumpc(), '3');
    }

    // Beyond what was read, and through the plain buffer, which buffers no seek.
    ComPtr<FaultStream> long_ = FaultStream::Create(Digits(3000));
    StorageInStreamBuf in;
    ASSERT_TRUE(in.Open(long_.Get()));
    EXPECT_EQ(in.sbumpc(), '0');
    EXPECT_EQ(in.pubseekpos(2007), 2007);
    EXPECT_EQ(in.sbumpc(), '7');
    ComPtr<FaultStream> other = FaultStream::Create(Digits(3000));
    StorageStreamBuf plain;
    ASSERT_TRUE(plain.Open(other.Get()));
    EXPECT_EQ(plain.pubseekpos(1234), 1234);
    EXPECT_EQ(plain.sbumpc(), '4');

    // A target no position can hold, or one the stream refuses, fails and moves nothing.
    EXPECT_EQ(in.pubseekoff(std::numeric_limits<std::streamoff>::max(), std::ios_base::cur), -1);
    long_->FailSeeksFrom(1);
    EXPECT_EQ(in.pubseekoff(-1, std::ios_base::end), -1);
    EXPECT_EQ(in.sbumpc(), '8');
}

// Rewinding a document's writer empties the stream; when the stream cannot be emptied the
// writer is short and writes nothing more, so the old bytes are not partly overwritten.
TEST(StorageBinStreams, ARewindThatCannotEmptyTheStreamStopsTheWriter) {
    ComPtr<FaultStream> stream = FaultStream::Create(BytesOf("the old document"));
    stream->FailSetSize();
    {
        StorageBinOStreamLite out(stream.Get());
        ASSERT_TRUE(out.Good());
        EXPECT_EQ(out.Rewind(), E_FAIL);
        EXPECT_EQ(out.State(), Tev::BinStream::kShort);
        EXPECT_EQ(out.WriteLong(1), E_FAIL);
    }
    EXPECT_EQ(stream->Memory()->Bytes(), BytesOf("the old document"));
    EXPECT_EQ(stream->Calls().writes, 0u);

    StorageOutStreamBuf closed;
    EXPECT_FALSE(closed.Clear());
    EXPECT_EQ(closed.pubsync(), 0);  // nothing held, nothing lost
}

}  // namespace
