// The document's persistence object: the stream it writes, what it accepts on loading, and
// the document's modified state around both.
#include <functional>

#include "platform/stream/memory_stream.h"
#include "streams/storage_bin_ostream_lite.h"
#include "support/string/tev_string.h"
#include "tests/extension/module/module_fixture.h"
#include "tests/helpers/fault_stream.h"

namespace module_test {
namespace {

const std::string kText = ConfigText(2, 8, {OutputText(1, true, {{0, true, 25}, {2, false, -40}})});

class PersistenceTest : public ModuleTest {
protected:
    void SetUp() override { Open(); }

    std::vector<BYTE> Saved(BOOL clearDirty = TRUE) {
        ComPtr<MemoryStream> stream = MemoryStream::Create();
        EXPECT_EQ(Persist()->Save(stream.Get(), clearDirty), S_OK);
        return stream->Bytes();
    }
    HRESULT Load(const std::vector<BYTE>& bytes) {
        return Persist()->Load(MemoryStream::Create(bytes).Get());
    }
    // A stream as Save writes it, with the version and text given.
    static std::vector<BYTE> Stream(LONG version, const std::string& text) {
        ComPtr<MemoryStream> stream = MemoryStream::Create();
        {
            StorageBinOStreamLite out(stream.Get());
            out.WriteLong(version);
            const Tev::String wide(text);
            out.WriteString(wide.Interface());
        }
        return stream->Bytes();
    }
};

TEST_F(PersistenceTest, StreamIsHeaderVersionAndTextRecord) {
    SendMessage(2, 0, kText);
    const std::vector<BYTE> bytes = Saved();
    ASSERT_GT(bytes.size(), 20u);
    EXPECT_EQ(std::vector<BYTE>(bytes.begin(), bytes.begin() + 12),
              (std::vector<BYTE>{0xAA, 0xAA, 0x14, 0x55, 1, 0, 0, 0, 0x01, 0, 0, 0x80}));
    EXPECT_EQ(bytes, Stream(1, Host().DocumentText()));
    CLSID classId{};
    EXPECT_EQ(Persist()->GetClassID(&classId), S_OK);
    EXPECT_EQ(classId, MakeGuid("{17437D32-56E9-4027-B3C8-FC0FC43EC033}"));
    EXPECT_EQ(Persist()->GetSizeMax(nullptr), E_NOTIMPL);
}

TEST_F(PersistenceTest, IsDirtyFollowsChangesSavesAndLoads) {
    EXPECT_EQ(Persist()->IsDirty(), S_FALSE);
    SendMessage(2, 0, kText);
    EXPECT_EQ(Persist()->IsDirty(), S_OK);
    Saved(FALSE);
    EXPECT_EQ(Persist()->IsDirty(), S_OK);
    const auto bytes = Saved(TRUE);
    EXPECT_EQ(Persist()->IsDirty(), S_FALSE);
    SendMessage(2, 0, kText);
    EXPECT_EQ(Load(bytes), S_OK);
    EXPECT_EQ(Persist()->IsDirty(), S_FALSE);
}

TEST_F(PersistenceTest, SaveThenLoadGivesTheSameTextAndProgramsTheDevice) {
    SendMessage(2, 0, kText);
    const std::string before = Host().DocumentText();
    const auto bytes = Saved();
    SendMessage(2, 0, ConfigText(2, 8, {OutputText(1, false, {})}));
    TakeBlocks();
    EXPECT_EQ(Load(bytes), S_OK);
    EXPECT_EQ(Host().DocumentText(), before);
    const auto blocks = TakeBlocks();
    ASSERT_EQ(blocks.size(), 10u);
    EXPECT_EQ(blocks[0].Mode, OutputCommandBlock::kAllRules);
    EXPECT_TRUE(user_->MessageBoxes().empty());
}

TEST_F(PersistenceTest, HeaderlessStreamLoadsFromItsFirstByte) {
    // Data written before streams had headers: the version, then the string record of that
    // format, a byte count and 8-bit text (one that reads to its end: a text that does not
    // read is refused).
    const std::string text =
        ConfigText(1, 0, {OutputText(1, true, {{0, true, 25}, {2, false, -40}})});
    std::vector<BYTE> bytes = {1, 0, 0, 0};
    const auto count = static_cast<std::uint32_t>(text.size() + 1);
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<BYTE>(count >> shift));
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back(0);
    EXPECT_EQ(Load(bytes), S_OK);
    EXPECT_NE(Host().DocumentText().find("Level = -40"), std::string::npos);
}

TEST_F(PersistenceTest, OtherVersionsShortAndEmptyStreamsAreRefusedQuietly) {
    SendMessage(2, 0, kText);
    const std::string before = Host().DocumentText();
    const auto refused = {Stream(2, ConfigText(0, 0, {})), Stream(0, ""), std::vector<BYTE>{},
                          std::vector<BYTE>{0xAA, 0xAA, 0x14, 0x55, 1, 0}};
    for (const auto& bytes : refused) {
        EXPECT_EQ(Load(bytes), E_FAIL);
        EXPECT_EQ(Host().DocumentText(), before);
        EXPECT_EQ(Persist()->IsDirty(), S_OK);
    }
    EXPECT_TRUE(user_->MessageBoxes().empty());
}

TEST_F(PersistenceTest, StringCutShortIsRefusedQuietlyWithoutTouchingTheConfiguration) {
    SendMessage(2, 0, kText);
    const std::string before = Host().DocumentText();
    const auto whole = Stream(1, ConfigText(2, 0, {OutputText(2, true, {})}));
    // Cut inside the text, and inside the record's kind, count and check.
    for (const std::size_t size : {whole.size() - 10, std::size_t{14}, std::size_t{10}}) {
        EXPECT_EQ(Load({whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size)}), E_FAIL)
            << size;
        EXPECT_EQ(Host().DocumentText(), before);
        EXPECT_EQ(Persist()->IsDirty(), S_OK);
    }
    EXPECT_TRUE(user_->MessageBoxes().empty());
}

TEST_F(PersistenceTest, MalformedStringRecordIsReported) {
    SendMessage(2, 0, kText);
    const std::string before = Host().DocumentText();
    auto bytes = Stream(1, "Version = 1\n");
    bytes[16] ^= 0x01;  // the record's check no longer matches its length
    EXPECT_EQ(Load(bytes), E_FAIL);
    EXPECT_EQ(Host().DocumentText(), before);
    ASSERT_EQ(user_->MessageBoxes().size(), 1u);
    EXPECT_EQ(user_->LastMessageBox().text, u"Failed to load Tarvel setup.");
    EXPECT_EQ(user_->LastMessageBox().caption, u"Tarvel");
    EXPECT_EQ(user_->LastMessageBox().flags, 0x10u);
    EXPECT_EQ(user_->LastMessageBox().owner, Host().Session().MainWindow());
}

TEST_F(PersistenceTest, StoredTextThatDoesNotReadIsRefusedAndChangesNothing) {
    SendMessage(2, 0, kText);
    const std::string before = Host().DocumentText();
    TakeBlocks();
    std::string flipped = kText;
    flipped[flipped.find("Level = -40")] = 'M';  // one damaged byte in the last rule
    std::string misspelt = kText;
    misspelt.replace(misspelt.find("PulseDelay"), 10, "PulseDelai");
    const std::string cut = kText.substr(0, kText.size() / 2);
    for (const std::string& text : {flipped, misspelt, cut, std::string("OSTRELDOC 1\n")}) {
        user_->ForgetMessageBoxes();
        EXPECT_EQ(Load(Stream(1, text)), E_FAIL);
        EXPECT_EQ(Host().DocumentText(), before);
        EXPECT_EQ(Persist()->IsDirty(), S_OK);
        EXPECT_TRUE(TakeBlocks().empty());  // the device is not programmed
        ASSERT_EQ(user_->MessageBoxes().size(), 1u);
        EXPECT_EQ(user_->LastMessageBox().text, u"Failed to load Tarvel setup.");
        EXPECT_EQ(user_->LastMessageBox().caption, u"Tarvel");
        EXPECT_EQ(user_->LastMessageBox().flags, 0x10u);
    }
}

TEST_F(PersistenceTest, StoredTextOfANewerVersionStillReadsAsEmpty) {
    SendMessage(2, 0, kText);
    TakeBlocks();
    EXPECT_EQ(Load(Stream(1, "Version = 2\nAnalogOutputCount = 1\n")), S_OK);
    EXPECT_EQ(Host().DocumentText(), ConfigText(0, 0, {}));
    EXPECT_EQ(Persist()->IsDirty(), S_FALSE);
    EXPECT_EQ(TakeBlocks().size(), 10u);  // programmed with the (empty) configuration
    EXPECT_TRUE(user_->MessageBoxes().empty());
}

TEST_F(PersistenceTest, SaveOverAFailingStreamReportsItAndStaysModified) {
    SendMessage(2, 0, kText);
    // Every write fails; the stream cannot describe itself (it cannot even be opened); its
    // first write is cut short; the flush at the end fails.
    const std::function<void(FaultStream&)> faults[] = {
        [](FaultStream& s) { s.FailWritesFrom(1); },
        [](FaultStream& s) { s.FailStat(); },
        [](FaultStream& s) { s.ShortenWrite(1, 3); },
        [](FaultStream& s) { s.FailWrite(2); },
    };
    int index = 0;
    for (const auto& fault : faults) {
        ComPtr<FaultStream> stream = FaultStream::Create();
        fault(*stream.Get());
        EXPECT_EQ(Persist()->Save(stream.Get(), TRUE), STG_E_CANTSAVE) << index;
        EXPECT_EQ(Persist()->IsDirty(), S_OK) << index;
        ++index;
    }
    // The document is still whole: a good stream takes it.
    EXPECT_GT(Saved().size(), 20u);
    EXPECT_EQ(Persist()->IsDirty(), S_FALSE);
}

TEST_F(PersistenceTest, LivesInsideTheDocument) {
    IPersistStream* persist = Persist();
    EXPECT_EQ(persist->AddRef(), 1u);
    EXPECT_EQ(persist->Release(), 1u);
    EXPECT_EQ(persist->Release(), 1u);
    void* found = nullptr;
    EXPECT_EQ(persist->QueryInterface(IPersistStream::kIid, &found), S_OK);
    EXPECT_EQ(found, persist);
    EXPECT_EQ(persist->QueryInterface(IID_IUnknown, &found), S_OK);
    EXPECT_EQ(persist->QueryInterface(IPersist::kIid, &found), E_NOINTERFACE);
    EXPECT_EQ(found, nullptr);
    // Nowhere to put an answer is refused, not written through.
    EXPECT_EQ(persist->GetClassID(nullptr), E_POINTER);
    IUnknown* other = Document();
    EXPECT_EQ(Document()->GetPersistObject(0, 2, &other, nullptr), E_POINTER);
    EXPECT_EQ(other, nullptr);
}

}  // namespace
}  // namespace module_test
