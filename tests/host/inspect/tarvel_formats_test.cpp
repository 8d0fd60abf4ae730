// The host's view of Tarvel's formats: the identities it sends messages with are the
// extension's, a document stream the extension's persistence writes reads back as its text,
// and the demonstration's configuration holds the one rule it was asked for.
#include <gtest/gtest.h>

#include "extension/document/identities.h"
#include "host/device/simulated_corvex.h"
#include "host/inspect/tarvel_formats.h"
#include "platform/stream/memory_stream.h"
#include "streams/storage_bin_ostream_lite.h"
#include "support/string/tev_string.h"

namespace {

TEST(TarvelFormats, IdentitiesAreTheExtensionsOwn) {
    EXPECT_EQ(inspect::kTarvelDocumentClass, VavazaZavidi::kDocumentClassId);
    EXPECT_EQ(inspect::kConfigurationTextCode, VavazaZavidi::kConfigTextMessageCode);
}

TEST(TarvelFormats, TheStreamsTextReadsBackAndBrokenStreamsGiveNothing) {
    const std::string text = "Version = 1\nAnalogOutputCount = 0\n";
    ComPtr<MemoryStream> stream = MemoryStream::Create();
    {
        StorageBinOStreamLite out(stream.Get());
        out.WriteLong(1);
        const Tev::String wide(text);
        out.WriteString(wide.Interface());
        out.Flush();
    }
    stream->Seek(MakeLargeInteger(0), STREAM_SEEK_SET, nullptr);
    EXPECT_EQ(inspect::ConfigurationTextOfStream(stream.Get()), text);

    ComPtr<MemoryStream> empty = MemoryStream::Create();
    EXPECT_EQ(inspect::ConfigurationTextOfStream(empty.Get()), "");
    ComPtr<MemoryStream> cut = MemoryStream::Create();
    const unsigned char header[] = {0xAA, 0xAA, 0x14, 0x55, 1, 0, 0, 0, 0x01, 0, 0, 0x80};
    cut->Write(header, sizeof header, nullptr);
    cut->Seek(MakeLargeInteger(0), STREAM_SEEK_SET, nullptr);
    EXPECT_EQ(inspect::ConfigurationTextOfStream(cut.Get()), "") << "a string record cut short";
}

TEST(TarvelFormats, CheckingReportsWhetherTheWholeTextRead) {
    const inspect::CheckedText good = inspect::CheckConfigurationText(
        inspect::OneRuleConfigurationText(device::SimulatedCorvex::Create({}).Get(), 25.0));
    EXPECT_TRUE(good.read);
    EXPECT_NE(good.written.find("BeginOnlineEventRule"), std::string::npos) << good.written;
    const inspect::CheckedText again = inspect::CheckConfigurationText(good.written);
    EXPECT_TRUE(again.read);
    EXPECT_EQ(again.written, good.written) << "writing what was read changes nothing";

    const inspect::CheckedText broken = inspect::CheckConfigurationText("Version = x\n");
    EXPECT_FALSE(broken.read);
}

}  // namespace
