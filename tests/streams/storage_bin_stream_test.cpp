// The writer and reader bound to an IStream: the header, failures at open and on the way,
// rewinding, and a round trip through a file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/stream/file_stream.h"
#include "streams/storage_bin_istream_lite.h"
#include "streams/storage_bin_ostream_lite.h"
#include "tests/helpers/fault_stream.h"
#include "tests/helpers/temp_folder.h"

namespace {

using Tev::BinStream;

const std::vector<BYTE> kHeaderOnly{0xAA, 0xAA, 0x14, 0x55};

TEST(StorageBinStreams, FreshWriterLeavesOnlyTheHeaderAndReadsBackAsVersion20) {
    ComPtr<MemoryStream> memory = MemoryStream::Create();
    {
        StorageBinOStreamLite out(memory.Get());
        EXPECT_EQ(out.Status(), S_OK);
        ULONG position = 0;
        EXPECT_EQ(out.GetPosition(&position), S_OK);
        EXPECT_EQ(position, 4u);
    }
    EXPECT_EQ(memory->Bytes(), kHeaderOnly);

    memory->Seek(MakeLargeInteger(0), STREAM_SEEK_SET, nullptr);
    StorageBinIStreamLite in(memory.Get());
    EXPECT_EQ(in.Status(), S_OK);
    EXPECT_EQ(in.Version(), 20);
    EXPECT_EQ(in.ReadByte(), 0xFF);  // nothing remains
    EXPECT_EQ(in.State(), BinStream::kShort);
}

TEST(StorageBinStreams, ReadsTheVersionOfAHeaderAndHeaderlessDataFromItsFirstByte) {
    ComPtr<MemoryStream> older = MemoryStream::Create(std::vector<BYTE>{0xAA, 0xAA, 0x09, 0x55});
    EXPECT_EQ(StorageBinIStreamLite(older.Get()).Version(), 9);

    ComPtr<MemoryStream> headerless =
        MemoryStream::Create(std::vector<BYTE>{0x01, 0x00, 0x00, 0x00, 0x02, 0, 0, 0});
    StorageBinIStreamLite in(headerless.Get());
    EXPECT_EQ(in.Version(), 1);
    EXPECT_EQ(in.ReadLongValue(), 1);
    EXPECT_EQ(in.ReadLongValue(), 2);
    EXPECT_EQ(in.Status(), S_OK);

    ComPtr<MemoryStream> tiny = MemoryStream::Create(std::vector<BYTE>{0xAA, 0xAA});
    StorageBinIStreamLite cut(tiny.Get());
    EXPECT_EQ(cut.Version(), 1);
    EXPECT_EQ(cut.State(), BinStream::kShort);

    // The header straddles two reads, so moving back needs the stream, which refuses.
    ComPtr<FaultStream> unseekable = FaultStream::Create({1, 0, 0, 0, 2, 0, 0, 0});
    unseekable->ShortenRead(1, 2);
    unseekable->FailSeeksFrom(2);
    StorageBinIStreamLite stuck(unseekable.Get());
    EXPECT_EQ(stuck.Version(), 1);
    EXPECT_EQ(stuck.State(), BinStream::kShort);
}

TEST(StorageBinStreams, ReadsFromTheStreamsCurrentPosition) {
    ComPtr<MemoryStream> memory = MemoryStream::Create();
    memory->Write("pre", 3, nullptr);
    {
        StorageBinOStreamLite out(memory.Get());
        out.WriteLong(42);
    }
    memory->Seek(MakeLargeInteger(3), STREAM_SEEK_SET, nullptr);
    StorageBinIStreamLite in(memory.Get());
    EXPECT_EQ(in.Version(), 20);
    EXPECT_EQ(in.ReadLongValue(), 42);
}

TEST(StorageBinStreams, StreamThatCannotBeOpenedIsBadAndUntouched) {
    ComPtr<FaultStream> stream = FaultStream::Create({0xAA, 0xAA, 0x14, 0x55, 7, 0, 0, 0});
    stream->FailStat();
    {
        StorageBinOStreamLite out(stream.Get());
        EXPECT_EQ(out.State(), BinStream::kBad);
        EXPECT_EQ(out.WriteLong(1), E_FAIL);
        EXPECT_EQ(out.Flush(), E_FAIL);
    }
    StorageBinIStreamLite in(stream.Get());
    EXPECT_EQ(in.State(), BinStream::kBad);
    EXPECT_EQ(in.Version(), 0);
    EXPECT_EQ(in.ReadLongValue(), 0);
    EXPECT_EQ(stream->Calls().writes + stream->Calls().reads + stream->Calls().seeks, 0u);

    StorageBinOStreamLite none(nullptr);
    EXPECT_EQ(none.Status(), E_FAIL);
    EXPECT_EQ(none.State(), BinStream::kBad);
}

TEST(StorageBinStreams, EveryWriteStopsAfterAFailedWrite) {
    ComPtr<FaultStream> stream = FaultStream::Create();
    stream->FailWrite(1);
    {
        StorageBinOStreamLite out(stream.Get());
        HRESULT result = S_OK;
        int failedAt = -1;
        for (int i = 0; i < 400 && failedAt < 0; ++i) {
            result = out.WriteLong(i);
            if (result != S_OK)
                failedAt = i;
        }
        EXPECT_EQ(failedAt, 255);  // the long that no longer fits in the first buffer
        EXPECT_EQ(out.WriteByte(1), E_FAIL);
        EXPECT_EQ(out.WriteBytes("abc", 3), E_FAIL);
        EXPECT_EQ(out.Flush(), E_FAIL);
        EXPECT_EQ(out.State(), BinStream::kShort);
    }
    EXPECT_EQ(stream->Calls().writes, 1u);
    EXPECT_TRUE(stream->Memory()->Bytes().empty());

    ComPtr<FaultStream> unflushable = FaultStream::Create();
    unflushable->FailWrite(1);
    StorageBinOStreamLite out(unflushable.Get());
    EXPECT_EQ(out.Flush(), E_FAIL);
    EXPECT_EQ(out.State(), BinStream::kBad);
    EXPECT_EQ(out.WriteLong(1), E_FAIL);
}

TEST(StorageBinStreams, SeekingBackAndOverwritingKeepsWhatLiesBeyond) {
    ComPtr<MemoryStream> memory = MemoryStream::Create();
    {
        StorageBinOStreamLite out(memory.Get());
        out.WriteLong(0);  // a count, known only at the end
        for (int i = 1; i <= 3; ++i)
            out.WriteWord(static_cast<WORD>(i));
        ASSERT_EQ(out.Seek(4), S_OK);
        out.WriteLong(3);
        ULONG position = 0;
        EXPECT_EQ(out.GetPosition(&position), S_OK);
        EXPECT_EQ(position, 8u);
        EXPECT_EQ(out.Status(), S_OK);
    }
    memory->Seek(MakeLargeInteger(0), STREAM_SEEK_SET, nullptr);
    StorageBinIStreamLite in(memory.Get());
    EXPECT_EQ(in.ReadLongValue(), 3);
    for (WORD expected = 1; expected <= 3; ++expected) {
        WORD value = 0;
        EXPECT_EQ(in.ReadWord(&value), S_OK);
        EXPECT_EQ(value, expected);
    }
    EXPECT_EQ(memory->Size(), 14u);
}

TEST(StorageBinStreams, RewindEmptiesTheStreamWithoutResurrectingBufferedBytes) {
    ComPtr<MemoryStream> memory = MemoryStream::Create(std::vector<BYTE>(5000, 0x77));
    {
        StorageBinOStreamLite out(memory.Get());
        for (int i = 0; i < 600; ++i)
            out.WriteLong(i);  // part in the stream, part buffered
        ASSERT_EQ(out.Rewind(), S_OK);
        EXPECT_EQ(memory->Size(), 0u);
        out.WriteWord(0xBEEF);
    }
    EXPECT_EQ(memory->Bytes(), (std::vector<BYTE>{0xEF, 0xBE}));

    ComPtr<FaultStream> stream = FaultStream::Create();
    stream->FailSeeksFrom(2);  // only the seek at opening works
    StorageBinOStreamLite out(stream.Get());
    EXPECT_EQ(out.Rewind(), E_FAIL);
    EXPECT_EQ(out.State(), BinStream::kShort);
    EXPECT_EQ(out.WriteLong(1), E_FAIL);
}

TEST(StorageBinStreams, CallTheStreamOncePerBufferForMixedPrimitives) {
    ComPtr<FaultStream> stream = FaultStream::Create();
    constexpr int kRecords = 300;  // 15 bytes each, 4504 bytes with the header
    {
        StorageBinOStreamLite out(stream.Get());
        for (int i = 0; i < kRecords; ++i) {
            out.WriteByte(static_cast<BYTE>(i));
            out.WriteWord(static_cast<WORD>(i));
            out.WriteLong(-i);
            out.WriteInt64(i * 1000003LL);
        }
        EXPECT_EQ(stream->Calls().writes, 4u);
    }
    EXPECT_EQ(stream->Calls().writes, 5u);
    EXPECT_EQ(stream->Calls().seeks, 1u);
    EXPECT_EQ(stream->Calls().bytesWritten, 4504u);

    stream->Seek(MakeLargeInteger(0), STREAM_SEEK_SET, nullptr);
    stream->ResetCalls();
    StorageBinIStreamLite in(stream.Get());
    for (int i = 0; i < kRecords; ++i) {
        ASSERT_EQ(in.ReadByte(), static_cast<BYTE>(i));
        WORD word = 0;
        in.ReadWord(&word);
        ASSERT_EQ(word, static_cast<WORD>(i));
        ASSERT_EQ(in.ReadLongValue(), -i);
        LONGLONG quad = 0;
        in.ReadInt64(&quad);
        ASSERT_EQ(quad, i * 1000003LL);
    }
    EXPECT_EQ(in.Status(), S_OK);
    EXPECT_EQ(stream->Calls().reads, 5u);
    EXPECT_EQ(stream->Calls().seeks, 1u);
}

TEST(StorageBinStreams, RoundTripThroughAFile) {
    const TempFolder folder;
    const std::string path = folder.PathOf("doc.bin");
    {
        ComPtr<IStream> file;
        ASSERT_EQ(CreateStreamOnFile(path.c_str(), STGM_CREATE | STGM_WRITE, file.OutParam()),
                  S_OK);
        StorageBinOStreamLite out(file.Get());
        out.WriteLong(1);
        out.WriteInt64Halves(0xDDCCBBAA, 0x44332211);
        for (int i = 0; i < 1000; ++i)
            out.WriteWord(static_cast<WORD>(i * 7));
        out.WriteText(Tev::String(u"Output 1: on"));
        EXPECT_EQ(out.Status(), S_OK);
    }
    EXPECT_EQ(std::filesystem::file_size(path), 4u + 4 + 8 + 2000 + 12 + 26);
    {
        ComPtr<IStream> file;
        ASSERT_EQ(CreateStreamOnFile(path.c_str(), STGM_READ, file.OutParam()), S_OK);
        StorageBinIStreamLite in(file.Get());
        EXPECT_EQ(in.Version(), 20);
        EXPECT_EQ(in.ReadLongValue(), 1);
        EXPECT_EQ(in.ReadInt64Value(), 0x44332211DDCCBBAAu);
        for (int i = 0; i < 1000; ++i) {
            WORD value = 0;
            in.ReadWord(&value);
            ASSERT_EQ(value, static_cast<WORD>(i * 7));
        }
        EXPECT_EQ(in.ReadText(), Tev::String(u"Output 1: on"));
        EXPECT_EQ(in.Status(), S_OK);
        EXPECT_EQ(in.ReadByte(), 0xFF);
    }
}

}  // namespace
