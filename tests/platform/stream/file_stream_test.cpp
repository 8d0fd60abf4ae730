#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/com/com_ptr.h"
#include "platform/stream/file_stream.h"
#include "tests/helpers/temp_folder.h"

namespace {

class FileStreamTest : public ::testing::Test {
protected:
    std::string PathOf(const char* name) const { return folder_.PathOf(name); }

    static std::string ContentOf(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    }

    static void WriteFile(const std::string& path, const std::string& content) {
        std::ofstream(path, std::ios::binary) << content;
    }

    TempFolder folder_;
};

TEST_F(FileStreamTest, CreatesWritesAndReadsBackAfterReopening) {
    const std::string path = PathOf("doc.bin");
    {
        ComPtr<IStream> stream;
        ASSERT_EQ(CreateStreamOnFile(path.c_str(), STGM_CREATE | STGM_READWRITE, stream.OutParam()),
                  S_OK);
        ULONG written = 0;
        ASSERT_EQ(stream->Write("configuration", 13, &written), S_OK);
        EXPECT_EQ(written, 13u);
    }
    EXPECT_EQ(ContentOf(path), "configuration");

    ComPtr<IStream> stream;
    ASSERT_EQ(CreateStreamOnFile(path.c_str(), STGM_READ, stream.OutParam()), S_OK);
    char text[32] = {};
    ULONG read = 0;
    ASSERT_EQ(stream->Read(text, sizeof text, &read), S_OK);
    EXPECT_EQ(std::string(text, read), "configuration");
    ASSERT_EQ(stream->Read(text, sizeof text, &read), S_OK);
    EXPECT_EQ(read, 0u);

    STATSTG stat{};
    ASSERT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(stat.type, STGTY_STREAM);
    EXPECT_EQ(stat.cbSize.QuadPart, 13u);
    EXPECT_EQ(stat.grfMode, STGM_READ);
    EXPECT_NE(stat.mtime.dwHighDateTime, 0u);
}

TEST_F(FileStreamTest, OpeningWithoutCreateNeedsAnExistingFile) {
    const std::string path = PathOf("missing.bin");
    IStream* stream = reinterpret_cast<IStream*>(1);
    EXPECT_EQ(CreateStreamOnFile(path.c_str(), STGM_READWRITE, &stream), STG_E_FILENOTFOUND);
    EXPECT_EQ(stream, nullptr);
    EXPECT_FALSE(std::filesystem::exists(path));

    EXPECT_EQ(
        CreateStreamOnFile(PathOf("no/such/folder").c_str(), STGM_CREATE | STGM_WRITE, &stream),
        STG_E_FILENOTFOUND);
    EXPECT_EQ(CreateStreamOnFile(folder_.Path().c_str(), STGM_READ, &stream), STG_E_ACCESSDENIED);
}

TEST_F(FileStreamTest, CreateEmptiesAnExistingFileAndPlainOpenKeepsIt) {
    const std::string path = PathOf("old.bin");
    WriteFile(path, "old content");
    {
        ComPtr<IStream> stream;
        ASSERT_EQ(CreateStreamOnFile(path.c_str(), STGM_WRITE, stream.OutParam()), S_OK);
        ASSERT_EQ(stream->Write("OLD", 3, nullptr), S_OK);
    }
    EXPECT_EQ(ContentOf(path), "OLD content");
    {
        ComPtr<IStream> stream;
        ASSERT_EQ(CreateStreamOnFile(path.c_str(), STGM_CREATE | STGM_WRITE, stream.OutParam()),
                  S_OK);
        STATSTG stat{};
        ASSERT_EQ(stream->Stat(&stat, STATFLAG_DEFAULT), S_OK);
        EXPECT_EQ(stat.cbSize.QuadPart, 0u);
        EXPECT_EQ(stat.grfMode, STGM_WRITE);  // the creation flag is not reported
    }
    EXPECT_EQ(ContentOf(path), "");
}

TEST_F(FileStreamTest, RefusesInvalidModes) {
    const std::string path = PathOf("mode.bin");
    IStream* stream = nullptr;
    EXPECT_EQ(CreateStreamOnFile(path.c_str(), STGM_CREATE | STGM_READ, &stream),
              STG_E_INVALIDFLAG);
    EXPECT_EQ(CreateStreamOnFile(path.c_str(), STGM_CREATE | 3, &stream), STG_E_INVALIDFLAG);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(CreateStreamOnFile(nullptr, STGM_READ, &stream), STG_E_INVALIDPOINTER);
    EXPECT_EQ(CreateStreamOnFile(path.c_str(), STGM_READ, nullptr), STG_E_INVALIDPOINTER);
}

TEST_F(FileStreamTest, AccessFollowsTheMode) {
    const std::string path = PathOf("access.bin");
    WriteFile(path, "abc");
    ComPtr<IStream> reader;
    ASSERT_EQ(CreateStreamOnFile(path.c_str(), STGM_READ, reader.OutParam()), S_OK);
    ULONG written = 5;
    EXPECT_EQ(reader->Write("x", 1, &written), STG_E_ACCESSDENIED);
    EXPECT_EQ(written, 0u);
    EXPECT_EQ(reader->SetSize(MakeULargeInteger(0)), STG_E_ACCESSDENIED);

    ComPtr<IStream> writer;
    ASSERT_EQ(CreateStreamOnFile(path.c_str(), STGM_WRITE, writer.OutParam()), S_OK);
    char byte = 0;
    EXPECT_EQ(writer->Read(&byte, 1, nullptr), STG_E_ACCESSDENIED);
    EXPECT_EQ(ContentOf(path), "abc");
}

TEST_F(FileStreamTest, SeeksSizesAndFillsGapsLikeTheFile) {
    const std::string path = PathOf("seek.bin");
    ComPtr<IStream> stream;
    ASSERT_EQ(CreateStreamOnFile(path.c_str(), STGM_CREATE | STGM_READWRITE, stream.OutParam()),
              S_OK);
    ASSERT_EQ(stream->Write("abcdef", 6, nullptr), S_OK);
    ULARGE_INTEGER position{};
    ASSERT_EQ(stream->Seek(MakeLargeInteger(-4), STREAM_SEEK_CUR, &position), S_OK);
    EXPECT_EQ(position.QuadPart, 2u);
    ASSERT_EQ(stream->Write("XY", 2, nullptr), S_OK);
    ASSERT_EQ(stream->Seek(MakeLargeInteger(2), STREAM_SEEK_END, &position), S_OK);
    EXPECT_EQ(position.QuadPart, 8u);
    ASSERT_EQ(stream->Write("Z", 1, nullptr), S_OK);
    EXPECT_EQ(ContentOf(path), std::string("abXYef\0\0Z", 9));

    EXPECT_EQ(stream->Seek(MakeLargeInteger(-20), STREAM_SEEK_CUR, nullptr), STG_E_INVALIDFUNCTION);
    EXPECT_EQ(stream->Seek(MakeLargeInteger(0), 9, nullptr), STG_E_INVALIDFUNCTION);
    ASSERT_EQ(stream->SetSize(MakeULargeInteger(3)), S_OK);
    EXPECT_EQ(ContentOf(path), "abX");
    ASSERT_EQ(stream->Seek(MakeLargeInteger(0), STREAM_SEEK_CUR, &position), S_OK);
    EXPECT_EQ(position.QuadPart, 9u);  // cutting the size does not move the position
}

}  // namespace
