#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "platform/stream/memory_stream.h"
#include "tests/helpers/vtable_call.h"

namespace {

std::vector<BYTE> BytesOf(std::string_view text) {
    return {text.begin(), text.end()};
}

ULONGLONG SeekTo(IStream* stream, LONGLONG move, DWORD origin) {
    ULARGE_INTEGER position{};
    EXPECT_EQ(stream->Seek(MakeLargeInteger(move), origin, &position), S_OK);
    return position.QuadPart;
}

TEST(MemoryStream, GrowsAsWrittenAndReadsBack) {
    ComPtr<MemoryStream> stream = MemoryStream::Create();
    ULONG written = 0;
    ASSERT_EQ(stream->Write("hello", 5, &written), S_OK);
    EXPECT_EQ(written, 5u);
    ASSERT_EQ(stream->Write(" world", 6, nullptr), S_OK);
    EXPECT_EQ(stream->Bytes(), BytesOf("hello world"));
    EXPECT_EQ(stream->Position(), 11u);

    EXPECT_EQ(SeekTo(stream.Get(), 6, STREAM_SEEK_SET), 6u);
    char text[16] = {};
    ULONG read = 0;
    ASSERT_EQ(stream->Read(text, sizeof text, &read), S_OK);
    EXPECT_EQ(read, 5u);  // short at the end, still a success
    EXPECT_EQ(std::string_view(text, read), "world");
    ASSERT_EQ(stream->Read(text, sizeof text, &read), S_OK);
    EXPECT_EQ(read, 0u);
}

TEST(MemoryStream, OverwritesInPlaceAndFillsGapsWithZeros) {
    ComPtr<MemoryStream> stream = MemoryStream::Create(BytesOf("abcdef"));
    EXPECT_EQ(stream->Position(), 0u);
    EXPECT_EQ(SeekTo(stream.Get(), 2, STREAM_SEEK_SET), 2u);
    ASSERT_EQ(stream->Write("XY", 2, nullptr), S_OK);
    EXPECT_EQ(stream->Bytes(), BytesOf("abXYef"));

    EXPECT_EQ(SeekTo(stream.Get(), 2, STREAM_SEEK_END), 8u);
    ASSERT_EQ(stream->Write("Z", 1, nullptr), S_OK);
    EXPECT_EQ(stream->Bytes(), (std::vector<BYTE>{'a', 'b', 'X', 'Y', 'e', 'f', 0, 0, 'Z'}));
}

TEST(MemoryStream, SeeksFromEachOriginAndRefusesPositionsBeforeTheStart) {
    ComPtr<MemoryStream> stream = MemoryStream::Create(BytesOf("0123456789"));
    EXPECT_EQ(SeekTo(stream.Get(), 4, STREAM_SEEK_SET), 4u);
    EXPECT_EQ(SeekTo(stream.Get(), 3, STREAM_SEEK_CUR), 7u);
    EXPECT_EQ(SeekTo(stream.Get(), -2, STREAM_SEEK_CUR), 5u);
    EXPECT_EQ(SeekTo(stream.Get(), -1, STREAM_SEEK_END), 9u);
    EXPECT_EQ(stream->Seek(MakeLargeInteger(0), STREAM_SEEK_SET, nullptr), S_OK);

    EXPECT_EQ(stream->Seek(MakeLargeInteger(-1), STREAM_SEEK_SET, nullptr), STG_E_INVALIDFUNCTION);
    EXPECT_EQ(stream->Seek(MakeLargeInteger(-11), STREAM_SEEK_END, nullptr), STG_E_INVALIDFUNCTION);
    EXPECT_EQ(stream->Seek(MakeLargeInteger(INT64_MAX), STREAM_SEEK_END, nullptr),
              STG_E_INVALIDFUNCTION);
    EXPECT_EQ(stream->Seek(MakeLargeInteger(0), 3, nullptr), STG_E_INVALIDFUNCTION);
    EXPECT_EQ(stream->Position(), 0u);  // failed seeks do not move
}

TEST(MemoryStream, SetSizeGrowsWithZerosOrCutsAndKeepsThePosition) {
    ComPtr<MemoryStream> stream = MemoryStream::Create(BytesOf("abc"));
    SeekTo(stream.Get(), 2, STREAM_SEEK_SET);
    ASSERT_EQ(stream->SetSize(MakeULargeInteger(5)), S_OK);
    EXPECT_EQ(stream->Bytes(), (std::vector<BYTE>{'a', 'b', 'c', 0, 0}));
    ASSERT_EQ(stream->SetSize(MakeULargeInteger(1)), S_OK);
    EXPECT_EQ(stream->Bytes(), BytesOf("a"));
    EXPECT_EQ(stream->Position(), 2u);
    ASSERT_EQ(stream->Write("z", 1, nullptr), S_OK);
    EXPECT_EQ(stream->Bytes(), (std::vector<BYTE>{'a', 0, 'z'}));
}

TEST(MemoryStream, RefusesToGrowBeyondItsLimit) {
    ComPtr<MemoryStream> stream = MemoryStream::Create();
    EXPECT_EQ(stream->SetSize(MakeULargeInteger(MemoryStream::kMaxSize + 1)), STG_E_MEDIUMFULL);
    EXPECT_EQ(SeekTo(stream.Get(), MemoryStream::kMaxSize, STREAM_SEEK_SET),
              MemoryStream::kMaxSize);
    ULONG written = 99;
    EXPECT_EQ(stream->Write("x", 1, &written), STG_E_MEDIUMFULL);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(stream->Size(), 0u);
}

TEST(MemoryStream, ModeDecidesAccessAndStatReportsIt) {
    ComPtr<MemoryStream> readOnly = MemoryStream::Create(BytesOf("ab"), STGM_READ);
    EXPECT_EQ(readOnly->Write("x", 1, nullptr), STG_E_ACCESSDENIED);
    EXPECT_EQ(readOnly->SetSize(MakeULargeInteger(0)), STG_E_ACCESSDENIED);
    char byte = 0;
    EXPECT_EQ(readOnly->Read(&byte, 1, nullptr), S_OK);
    EXPECT_EQ(byte, 'a');

    ComPtr<MemoryStream> writeOnly = MemoryStream::Create(STGM_WRITE | STGM_SHARE_EXCLUSIVE);
    ULONG read = 7;
    EXPECT_EQ(writeOnly->Read(&byte, 1, &read), STG_E_ACCESSDENIED);
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(writeOnly->Write("xyz", 3, nullptr), S_OK);

    STATSTG stat{};
    ASSERT_EQ(writeOnly->Stat(&stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(stat.type, STGTY_STREAM);
    EXPECT_EQ(stat.cbSize.QuadPart, 3u);
    EXPECT_EQ(stat.grfMode, STGM_WRITE | STGM_SHARE_EXCLUSIVE);
    EXPECT_EQ(stat.pwcsName, nullptr);
    ASSERT_EQ(readOnly->Stat(&stat, STATFLAG_DEFAULT), S_OK);
    EXPECT_EQ(stat.grfMode, STGM_READ);
    EXPECT_EQ(readOnly->Stat(&stat, 7), STG_E_INVALIDFLAG);
    EXPECT_EQ(readOnly->Stat(nullptr, STATFLAG_NONAME), STG_E_INVALIDPOINTER);
}

TEST(MemoryStream, RefusesNullBuffers) {
    ComPtr<MemoryStream> stream = MemoryStream::Create(BytesOf("ab"));
    EXPECT_EQ(stream->Read(nullptr, 1, nullptr), STG_E_INVALIDPOINTER);
    EXPECT_EQ(stream->Write(nullptr, 1, nullptr), STG_E_INVALIDPOINTER);
    EXPECT_EQ(stream->Write(nullptr, 0, nullptr), S_OK);
    EXPECT_EQ(stream->Bytes(), BytesOf("ab"));
}

TEST(MemoryStream, AnswersBothStreamInterfacesWithTheSameObject) {
    ComPtr<MemoryStream> stream = MemoryStream::Create();
    ComPtr<ISequentialStream> sequential = ComPtr<ISequentialStream>::QueryFrom(stream.Get());
    ComPtr<IStream> full = ComPtr<IStream>::QueryFrom(sequential.Get());
    ASSERT_TRUE(sequential);
    ASSERT_TRUE(full);
    EXPECT_EQ(static_cast<void*>(full.Get()), static_cast<void*>(stream.Get()));
    EXPECT_EQ(sequential->Write("q", 1, nullptr), S_OK);
    EXPECT_EQ(stream->Bytes(), BytesOf("q"));
    EXPECT_EQ(stream->ReferenceCount(), 3);
}

// Each slot of the table lands on its operation; the slots the platform does not support
// answer E_NOTIMPL.
TEST(MemoryStream, SlotsFollowTheWindowsOrder) {
    ComPtr<MemoryStream> stream = MemoryStream::Create();
    IStream* raw = stream.Get();
    ULONG count = 0;
    EXPECT_EQ(CallSlot<HRESULT>(raw, 4, static_cast<const void*>("abcd"), ULONG{4}, &count), S_OK);
    EXPECT_EQ(count, 4u);
    ULARGE_INTEGER position{};
    EXPECT_EQ(CallSlot<HRESULT>(raw, 5, MakeLargeInteger(1), STREAM_SEEK_SET, &position), S_OK);
    EXPECT_EQ(position.QuadPart, 1u);
    char text[2] = {};
    EXPECT_EQ(CallSlot<HRESULT>(raw, 3, static_cast<void*>(text), ULONG{2}, &count), S_OK);
    EXPECT_EQ(std::string_view(text, 2), "bc");
    EXPECT_EQ(CallSlot<HRESULT>(raw, 6, MakeULargeInteger(2)), S_OK);
    STATSTG stat{};
    EXPECT_EQ(CallSlot<HRESULT>(raw, 12, &stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(stat.cbSize.QuadPart, 2u);

    const ULARGE_INTEGER zero{};
    EXPECT_EQ(CallSlot<HRESULT>(raw, 7, static_cast<IStream*>(nullptr), zero,
                                static_cast<ULARGE_INTEGER*>(nullptr),
                                static_cast<ULARGE_INTEGER*>(nullptr)),
              E_NOTIMPL);
    EXPECT_EQ(CallSlot<HRESULT>(raw, 8, DWORD{0}), E_NOTIMPL);
    EXPECT_EQ(CallSlot<HRESULT>(raw, 9), E_NOTIMPL);
    EXPECT_EQ(CallSlot<HRESULT>(raw, 10, zero, zero, DWORD{1}), E_NOTIMPL);
    EXPECT_EQ(CallSlot<HRESULT>(raw, 11, zero, zero, DWORD{1}), E_NOTIMPL);
    IStream* clone = raw;
    EXPECT_EQ(CallSlot<HRESULT>(raw, 13, &clone), E_NOTIMPL);
    EXPECT_EQ(clone, nullptr);
}

}  // namespace
