// The buffered stream buffers over an IStream: opening, one IStream call per buffer, seeks
// inside the buffer, the high-water mark, and failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
