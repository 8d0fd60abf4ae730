// The document's Save and Load, as the host calls them, with every allocation they make failing
// in turn: the first, the second, ... until a run needs fewer allocations than the failing
// one's number. Every run must answer (a failure, or success with the right result) without an
// exception escaping, and a run that fails must leave the configuration and Modified as they
// were. Leaks show under the sanitizer build. The counts are printed for the record.
#include <exception>
#include <iostream>

#include "platform/stream/memory_stream.h"
#include "tests/extension/module/module_fixture.h"
#include "tests/helpers/allocation_counter.h"

namespace module_test {
namespace {

// A different configuration: output 2 on with one rule.
std::string OtherText() {
    return ConfigText(2, 8, {OutputText(2, true, {{5, false, 40}})});
}

struct Tally {
    std::uint64_t runs = 0;         // runs in which an allocation failed
    std::uint64_t failed = 0;       // of them, answered with a failure
    std::uint64_t escaped = 0;      // of them, with an exception out of the interface
    std::uint64_t allocations = 0;  // made by the operation when none fails
};

class AllocationFailures : public ModuleTest {
protected:
    void SetUp() override {
        Open();
        SendMessage(2, 0, FullText());
        full_ = Host().DocumentText();
        ComPtr<MemoryStream> stream = MemoryStream::Create();
        ASSERT_EQ(Persist()->Save(stream.Get(), TRUE), S_OK);
        saved_ = stream->Bytes();
        SendMessage(2, 0, OtherText());
        other_ = Host().DocumentText();
        ASSERT_NE(other_, full_);
    }

    // Runs `operation` with its `nth` allocation failing; false when it needed fewer.
    template <class Operation>
    bool RunFailing(std::uint64_t nth, Operation operation, HRESULT& result, Tally& tally) {
        bool happened = false;
        {
            const AllocationCount count;
            AllocationFailure failure(nth);
            try {
                result = operation();
            } catch (const std::exception& error) {
                ++tally.escaped;
                ADD_FAILURE() << "allocation " << nth << ": " << error.what() << " escaped";
                result = E_UNEXPECTED;
            }
            happened = failure.Happened();
            if (!happened)
                tally.allocations = count.Allocations();
        }
        if (happened) {
            ++tally.runs;
            if (result != S_OK)
                ++tally.failed;
        }
        return happened;
    }

    std::string full_;   // the configuration saved into saved_
    std::string other_;  // the configuration the document holds before each run
    std::vector<BYTE> saved_;
};

TEST_F(AllocationFailures, SaveAnswersEveryFailureAndKeepsTheDocument) {
    Tally tally;
    for (std::uint64_t nth = 1;; ++nth) {
        SendMessage(2, 0, FullText());  // modified again
        user_->ForgetMessageBoxes();
        ComPtr<MemoryStream> stream = MemoryStream::Create();
        HRESULT result = S_OK;
        const bool happened = RunFailing(
            nth, [&] { return Persist()->Save(stream.Get(), TRUE); }, result, tally);
        EXPECT_EQ(Host().DocumentText(), full_) << nth;
        if (result == S_OK) {
            // Taken in stride: then the bytes are all there.
            EXPECT_EQ(stream->Bytes(), saved_) << nth;
            EXPECT_FALSE(Host().Modified()) << nth;
        } else {
            EXPECT_EQ(result, STG_E_CANTSAVE) << nth;
            EXPECT_TRUE(Host().Modified()) << nth;
        }
        if (!happened)
            break;
        ASSERT_LT(nth, 100000u) << "Save never completes";
    }
    std::cout << "[ measure  ] Save: " << tally.allocations << " allocations; " << tally.runs
              << " runs with one failing: " << tally.failed << " answered a failure, "
              << tally.runs - tally.failed << " succeeded, " << tally.escaped << " escaped\n";
    EXPECT_EQ(tally.escaped, 0u);
}

TEST_F(AllocationFailures, LoadAnswersEveryFailureAndKeepsTheDocument) {
    Tally tally;
    std::uint64_t messages = 0;
    for (std::uint64_t nth = 1;; ++nth) {
        SendMessage(2, 0, OtherText());  // the document holds the other text, modified
        ASSERT_EQ(Host().DocumentText(), other_);
        user_->ForgetMessageBoxes();
        Device().ClearRecord();
        const ComPtr<MemoryStream> stream = MemoryStream::Create(saved_);
        HRESULT result = S_OK;
        const bool happened = RunFailing(
            nth, [&] { return Persist()->Load(stream.Get()); }, result, tally);
        if (result == S_OK) {
            EXPECT_EQ(Host().DocumentText(), full_) << nth;
            EXPECT_FALSE(Host().Modified()) << nth;
        } else {
            EXPECT_EQ(result, E_FAIL) << nth;
            EXPECT_EQ(Host().DocumentText(), other_) << nth;
            EXPECT_TRUE(Host().Modified()) << nth;
            EXPECT_TRUE(Device().ProgrammedBlocks().empty()) << nth;
            messages += user_->MessageBoxes().size();
        }
        if (!happened)
            break;
        ASSERT_LT(nth, 100000u) << "Load never completes";
    }
    std::cout << "[ measure  ] Load: " << tally.allocations << " allocations; " << tally.runs
              << " runs with one failing: " << tally.failed << " answered a failure (" << messages
              << " message boxes), " << tally.runs - tally.failed << " succeeded, " << tally.escaped
              << " escaped\n";
    EXPECT_EQ(tally.escaped, 0u);
}

}  // namespace
}  // namespace module_test
