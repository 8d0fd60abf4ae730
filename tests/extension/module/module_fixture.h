// The extension module as the host loads it: libKyt.so and libtarvel.so from the test's own
// folder, in the process's one host session (the module keeps its framework services for the
// life of the process). Each test gets a new host document with its own simulated Corvex, and
// a scripted user who answers and records message boxes.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "host/api/message_handler.h"
#include "host/api/persist_stream.h"
#include "host/ostrel/ostrel_host.h"
#include "platform/ui/scripted_user.h"

namespace module_test {

// The configuration text of one output's block, with its rules.
struct RuleText {
    int input = 0;
    bool above = true;
    double level = 0.0;
};
std::string OutputText(int output, bool on, const std::vector<RuleText>& rules, bool all = true);
// A whole configuration text: the header and the given output blocks.
std::string ConfigText(int analog, int digital, const std::vector<std::string>& outputs);
// 2 analog and 8 digital outputs, each on with 4 rules.
std::string FullText();

class ModuleTest : public ::testing::Test {
protected:
    // A document on `device` (a device description text).
    void Open(const std::string& device = "");

    ostrel::OstrelHost& Host() { return *host_; }
    ICustomDocument* Document() { return host_->Extension(); }
    device::SimulatedCorvex& Device() { return host_->Device(); }
    // The extension document's record in the host document (its offers).
    const session::ExtensionDocument& Record() { return host_->Document().Extensions().front(); }
    // The persistence object, asked of the document (flag 0, kind 2) when it did not offer it.
    IPersistStream* Persist() { return host_->Document().PersistenceOf(0); }

    // The blocks the device received since the last call.
    std::vector<OutputCommandBlock> TakeBlocks();

    // Sends a framework message of the document's family to its message handler, naming
    // `sender` as the sender when given.
    HRESULT SendMessage(WORD code, DWORD flags, const std::string& text,
                        IUnknown* sender = nullptr);
    void Signal(WORD deviceEvent, std::intptr_t parameter = 0);

    std::ostringstream messages_;
    std::unique_ptr<ostrel::OstrelHost> host_;
    std::unique_ptr<ui::ScriptedUser> user_;
};

}  // namespace module_test
