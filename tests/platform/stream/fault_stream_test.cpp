#include <gtest/gtest.h>

#include <vector>

#include "tests/helpers/fault_stream.h"

namespace {

TEST(FaultStream, PassesCallsThroughAndCountsThem) {
    ComPtr<FaultStream> stream = FaultStream::Create({1, 2, 3});
    BYTE bytes[4] = {};
    ULONG read = 0;
    ASSERT_EQ(stream->Read(bytes, 4, &read), S_OK);
    EXPECT_EQ(read, 3u);
    ASSERT_EQ(stream->Write("ab", 2, nullptr), S_OK);
    ASSERT_EQ(stream->Seek(MakeLargeInteger(0), STREAM_SEEK_SET, nullptr), S_OK);
    ASSERT_EQ(stream->SetSize(MakeULargeInteger(4)), S_OK);
    STATSTG stat{};
    ASSERT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(stat.cbSize.QuadPart, 4u);
    EXPECT_EQ(stat.grfMode, STGM_READWRITE);

    const FaultStream::CallCounts& calls = stream->Calls();
    EXPECT_EQ(calls.reads, 1u);
    EXPECT_EQ(calls.writes, 1u);
    EXPECT_EQ(calls.seeks, 1u);
    EXPECT_EQ(calls.setSizes, 1u);
    EXPECT_EQ(calls.stats, 1u);
    EXPECT_EQ(calls.bytesRead, 3u);
    EXPECT_EQ(calls.bytesWritten, 2u);
    EXPECT_EQ(stream->Memory()->Bytes(), (std::vector<BYTE>{1, 2, 3, 'a'}));
    stream->ResetCalls();
    EXPECT_EQ(stream->Calls().reads, 0u);
}

TEST(FaultStream, FailsOrShortensTheChosenWrites) {
    ComPtr<FaultStream> stream = FaultStream::Create();
    stream->FailWrite(2, STG_E_MEDIUMFULL);
    stream->ShortenWrite(3, 1);
    stream->FailWritesFrom(5);
    ULONG written = 9;
    EXPECT_EQ(stream->Write("ab", 2, &written), S_OK);
    EXPECT_EQ(written, 2u);
    EXPECT_EQ(stream->Write("cd", 2, &written), STG_E_MEDIUMFULL);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(stream->Write("ef", 2, &written), S_OK);
    EXPECT_EQ(written, 1u);
    EXPECT_EQ(stream->Write("gh", 2, &written), S_OK);
    EXPECT_EQ(stream->Write("ij", 2, &written), STG_E_WRITEFAULT);
    EXPECT_EQ(stream->Write("kl", 2, &written), STG_E_WRITEFAULT);
    EXPECT_EQ(stream->Memory()->Bytes(), (std::vector<BYTE>{'a', 'b', 'e', 'g', 'h'}));
    EXPECT_EQ(stream->Calls().writes, 6u);
}

TEST(FaultStream, FailsOrShortensTheChosenReads) {
    ComPtr<FaultStream> stream = FaultStream::Create({1, 2, 3, 4, 5, 6});
    stream->ShortenRead(1, 2);
    stream->FailRead(2);
    stream->FailReadsFrom(4, E_UNEXPECTED);
    BYTE bytes[4] = {};
    ULONG read = 0;
    EXPECT_EQ(stream->Read(bytes, 4, &read), S_OK);
    EXPECT_EQ(read, 2u);
    EXPECT_EQ(stream->Read(bytes, 4, &read), STG_E_READFAULT);
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(stream->Read(bytes, 4, &read), S_OK);
    EXPECT_EQ(read, 4u);
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(stream->Read(bytes, 4, &read), E_UNEXPECTED);
    EXPECT_EQ(stream->Calls().bytesRead, 6u);
}

TEST(FaultStream, FailsSeeksAndStatAndReportsAnotherMode) {
    ComPtr<FaultStream> stream = FaultStream::Create({1, 2, 3});
    stream->FailSeek(1);
    stream->FailSeeksFrom(3, E_FAIL);
    ULARGE_INTEGER position{};
    EXPECT_EQ(stream->Seek(MakeLargeInteger(2), STREAM_SEEK_SET, &position), STG_E_INVALIDFUNCTION);
    EXPECT_EQ(stream->Memory()->Position(), 0u);
    EXPECT_EQ(stream->Seek(MakeLargeInteger(2), STREAM_SEEK_SET, &position), S_OK);
    EXPECT_EQ(position.QuadPart, 2u);
    EXPECT_EQ(stream->Seek(MakeLargeInteger(0), STREAM_SEEK_SET, &position), E_FAIL);

    STATSTG stat{};
    stream->ReportMode(STGM_READ);
    ASSERT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(stat.grfMode, STGM_READ);
    stream->FailStat();
    EXPECT_EQ(stream->Stat(&stat, STATFLAG_NONAME), STG_E_ACCESSDENIED);
}

TEST(FaultStream, WrapsAnyInnerStream) {
    ComPtr<MemoryStream> memory = MemoryStream::Create(STGM_WRITE);
    ComPtr<FaultStream> stream = FaultStream::Over(memory.Get());
    EXPECT_EQ(stream->Memory(), nullptr);
    EXPECT_EQ(stream->Inner(), memory.Get());
    EXPECT_EQ(stream->Write("z", 1, nullptr), S_OK);
    BYTE byte = 0;
    EXPECT_EQ(stream->Read(&byte, 1, nullptr), STG_E_ACCESSDENIED);
    EXPECT_EQ(memory->Bytes(), (std::vector<BYTE>{'z'}));
}

}  // namespace
