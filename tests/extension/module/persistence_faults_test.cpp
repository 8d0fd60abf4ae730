// Fault injection on the document's persistence: a saved document is saved over a stream that
// fails at every write position in turn, and loaded from every truncation and from single-byte
// corruptions of its bytes. Nothing may crash; every failing Save must say so; no failing Load
// may change the document's configuration. The counts are printed for the record.
//
// The document has two analog and two digital outputs, the first of each on with 4 rules: every
// kind of line the text holds, in a stream of four writes. More outputs would only repeat the same
// lines, and each one makes the loops longer by the square (more positions, each a longer load).
#include <iostream>

#include "platform/stream/memory_stream.h"
#include "tests/extension/module/module_fixture.h"
#include "tests/helpers/fault_stream.h"

namespace module_test {
namespace {

// Rules above and below, negative and fractional levels; output 1 "any", output -1 "all";
// outputs 2 and -2 off.
std::string EveryKindOfLine() {
    const std::vector<RuleText> rules = {
        {0, true, 12.5}, {1, false, -30}, {2, true, 99.5}, {3, false, 0.25}};
    return ConfigText(2, 2,
                      {OutputText(1, true, rules, false), OutputText(2, false, {}),
                       OutputText(-1, true, rules), OutputText(-2, false, {})});
}

class PersistenceFaults : public ModuleTest {
protected:
    void SetUp() override {
        Open("analog=2, digital=2");
        SendMessage(2, 0, EveryKindOfLine());
        original_ = Host().DocumentText();
        ASSERT_EQ(original_, EveryKindOfLine());
        ComPtr<MemoryStream> stream = MemoryStream::Create();
        ASSERT_EQ(Persist()->Save(stream.Get(), TRUE), S_OK);
        saved_ = stream->Bytes();
        // A first, a middle and a last, partial write.
        ASSERT_GT(saved_.size(), 2048u);
        ASSERT_NE(saved_.size() % 1024, 0u);
        // The streams hand the IStream whole buffers of 1024 bytes; the test's write positions
        // count on it.
        ComPtr<FaultStream> counted = FaultStream::Create();
        ASSERT_EQ(Persist()->Save(counted.Get(), TRUE), S_OK);
        ASSERT_EQ(counted->Calls().writes, (saved_.size() + 1023) / 1024);
        ASSERT_EQ(counted->Calls().bytesWritten, saved_.size());
    }

    // Puts the document back to the saved state.
    void Restore() {
        ASSERT_EQ(Persist()->Load(MemoryStream::Create(saved_).Get()), S_OK);
        user_->ForgetMessageBoxes();
    }

    std::string original_;
    std::vector<BYTE> saved_;
};

TEST_F(PersistenceFaults, EveryFailingSaveIsReportedAsSuch) {
    int saves = 0;
    int reported = 0;
    auto save = [&](FaultStream& stream, std::size_t position) {
        // A failing save leaves the document modified; one that did not is modified again.
        if (Persist()->IsDirty() != S_OK)
            SendMessage(2, 0, EveryKindOfLine());
        const HRESULT result = Persist()->Save(&stream, TRUE);
        ++saves;
        if (result != S_OK)
            ++reported;
        EXPECT_EQ(result, STG_E_CANTSAVE) << position;
        EXPECT_EQ(Persist()->IsDirty(), S_OK) << position;
    };
    // The stream takes `position` bytes and no more: the write that reaches past it comes
    // back short. The streams write whole buffers of up to 1024 bytes.
    for (std::size_t position = 0; position < saved_.size(); ++position) {
        ComPtr<FaultStream> stream = FaultStream::Create();
        const auto write = static_cast<unsigned>(position / 1024 + 1);
        stream->ShortenWrite(write, static_cast<ULONG>(position % 1024));
        save(*stream.Get(), position);
    }
    // Each write fails outright.
    for (std::size_t position = 0; position < saved_.size(); position += 1024) {
        ComPtr<FaultStream> stream = FaultStream::Create();
        stream->FailWrite(static_cast<unsigned>(position / 1024 + 1));
        save(*stream.Get(), position);
    }
    std::cout << "[ measure  ] " << saved_.size() << "-byte stream: " << saves
              << " saves over failing streams, " << reported << " reported as failed\n";
    EXPECT_EQ(reported, saves);
}

TEST_F(PersistenceFaults, NoFailingLoadChangesTheConfiguration) {
    int loads = 0;
    int failed = 0;
    int unchanged = 0;
    int succeeded = 0;
    // A failing load leaves the document as it was; after any other it is put back.
    auto attempt = [&](const std::vector<BYTE>& bytes) {
        const HRESULT result = Persist()->Load(MemoryStream::Create(bytes).Get());
        user_->ForgetMessageBoxes();
        ++loads;
        if (result == S_OK) {
            ++succeeded;
            Restore();
            return;
        }
        ++failed;
        EXPECT_EQ(result, E_FAIL);
        if (Host().DocumentText() == original_)
            ++unchanged;
        else
            Restore();
    };
    for (std::size_t size = 0; size < saved_.size(); ++size) {
        attempt({saved_.begin(), saved_.begin() + static_cast<std::ptrdiff_t>(size)});
    }
    const int truncations = loads;
    // Every byte inverted; in the first 20 bytes (stream header, version, and the string
    // record's kind, count and check) every single bit as well.
    for (std::size_t at = 0; at < saved_.size(); ++at) {
        std::vector<BYTE> bytes = saved_;
        bytes[at] ^= 0xFF;
        attempt(bytes);
        for (int bit = 0; at < 20 && bit < 8; ++bit) {
            bytes = saved_;
            bytes[at] ^= static_cast<BYTE>(1 << bit);
            attempt(bytes);
        }
    }
    std::cout << "[ measure  ] " << truncations << " truncations and " << loads - truncations
              << " single-byte corruptions loaded: " << failed << " failed (" << unchanged
              << " with the configuration unchanged), " << succeeded << " loaded\n";
    EXPECT_EQ(unchanged, failed);
}

}  // namespace
}  // namespace module_test
