// The setup command as the host runs it: the menu item's state, choosing it, the checks that
// refuse, the dialog on a copy shaped by the device, and what OK and Cancel send back to the
// document. The user is scripted; message boxes are recorded.
#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "extension/document/identities.h"
#include "host/api/framework_host.h"
#include "host/api/message_handler.h"
#include "platform/com/com_object.h"
#include "platform/com/com_ptr.h"
#include "resources/dialog_ids.h"
#include "resources/pane_ids.h"
#include "support/string/tev_string.h"
#include "tests/extension/module/module_fixture.h"

namespace module_test {
namespace {

namespace Setup = VavazaZavidi::SetupDialogId;
namespace OnOff = VavazaZavidi::OnOffPaneId;
namespace Template = VavazaZavidi::TemplateId;

constexpr UINT kRefusalFlags = 0x2010;  // error icon, task-modal

// The root of the document's message-handler tree, as a host document's own handler would be:
// the document sends its messages here, and the root notes the texts they carry before
// offering them to the document. The document is its own root again after Detach (at the
// latest when the recorder goes).
class MessageRecorder final : public ComObject<IMessageHandler> {
public:
    static ComPtr<MessageRecorder> Attach(ICustomDocument* document) {
        ComPtr<MessageRecorder> recorder(new MessageRecorder);
        recorder->document_ = ComPtr<IMessageHandler>::QueryFrom(document);
        if (recorder->document_)
            recorder->document_->SetParent(recorder.Get());
        return recorder;
    }
    void Detach() {
        if (document_)
            document_->SetParent(nullptr);
        document_.Reset();
    }

    // The text of every message that carried one, in the order they came.
    std::vector<std::string> texts;

    HRESULT HandleMessage(IMessage* message) override {
        MessageArg argument;
        if (message->GetArgument(&argument) == S_OK && argument.Tag == MessageArg::kString) {
            Tev::String text;
            text.Borrow(static_cast<ITevString*>(argument.Pointer));
            texts.push_back(text.ToNarrow());
        }
        return document_ ? document_->HandleMessage(message) : kMessageNotHandled;
    }
    HRESULT AddChild(IMessageHandler*) override { return E_NOTIMPL; }
    HRESULT RemoveChild(IMessageHandler*) override { return E_NOTIMPL; }
    HRESULT SetParent(IMessageHandler*) override { return E_NOTIMPL; }
    HRESULT GetParent(IMessageHandler** target) override {
        *target = nullptr;  // this is the root
        return S_OK;
    }
    HRESULT AcceptsMessage(IMessage*) override { return S_OK; }

private:
    MessageRecorder() = default;
    ~MessageRecorder() override { Detach(); }
    ComPtr<IMessageHandler> document_;
};

// The outputs a configuration text names ("Output = n"), in its order, and its header's counts.
struct TextOutputs {
    int analog = -1;
    int digital = -1;
    std::vector<int> outputs;
};
TextOutputs OutputsOf(const std::string& text) {
    // Whether the line is "key = number", and the number.
    const auto read = [](const std::string& line, const std::string& key, int* number) {
        if (line.rfind(key + " = ", 0) != 0)
            return false;
        *number = std::stoi(line.substr(key.size() + 3));
        return true;
    };
    TextOutputs found;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        int output = 0;
        if (read(line, "AnalogOutputCount", &found.analog) ||
            read(line, "DigitalOutputCount", &found.digital)) {
            continue;
        }
        if (read(line, "Output", &output))
            found.outputs.push_back(output);
    }
    return found;
}

class SetupCommand : public ModuleTest {
protected:
    session::MenuItem Item() { return Host().Session().MenuItems().at(0); }
    session::MenuItemState State() { return Host().Session().QueryMenuItem(Item(), Document()); }
    HRESULT Choose() { return Host().Session().ChooseMenuItem(Item(), Document()); }

    // Queues a dialog script that switches output `tab` on (when it is off) and presses OK,
    // noting what the user saw.
    void SwitchOnAndPressOk(int tab) {
        user_->OnNextDialog([this, tab](ui::WindowUser& d) {
            caption_ = d.Caption();
            tabs_ = d.Control(Setup::kTabs).TabLabels();
            d.Control(Setup::kTabs).SelectTab(tab);
            ui::ControlUser on = d.ChildDialog(Template::kOnOffPane).Control(OnOff::kGenerate);
            if (!on.IsChecked())
                on.Click();
            d.PressOk();
        });
    }

    static std::string Narrow(const std::u16string& text) {
        return std::string(text.begin(), text.end());
    }

    // Whether the text was wrapped at `width`: a line may end in the break character just past
    // the width, which the wrap keeps on the line it ends.
    static bool LinesWithin(const std::u16string& text, std::size_t width) {
        ++width;
        std::size_t start = 0;
        for (std::size_t end; (end = text.find(u'\n', start)) != std::u16string::npos;
             start = end + 1) {
            if (end - start > width)
                return false;
        }
        return text.size() - start <= width;
    }

    std::u16string caption_;
    std::vector<std::u16string> tabs_;
};

// The menu item's owner is the document class; it leaves the command to the active document
// (answering "not handled", so that the host asks the document), and the document's generic
// command entry runs the same rows as its update and execute entries.
TEST_F(SetupCommand, TheClassLeavesTheCommandToTheDocument) {
    Open();
    SendMessage(2, 0, ConfigText(2, 8, {OutputText(-3, true, {{1, true, 25}})}));
    const session::MenuItem item = Item();
    ASSERT_TRUE(item.handler);
    ComPtr<session::CommandState> untouched(new session::CommandState);
    EXPECT_EQ(item.handler->UpdateCommand(item.id, untouched.Get()), kCommandNotHandled);
    EXPECT_FALSE(untouched->State().enabled);
    EXPECT_EQ(item.handler->ExecuteCommand(item.id), kCommandNotHandled);
    EXPECT_EQ(item.handler->HandleCommand(item.id, 2, 0, 0), kCommandNotHandled);
    // Messages of the class's family are the documents' as well: the class takes none.
    session::HostSession& session = Host().Session();
    const Tev::String text(ConfigText(2, 8, {OutputText(1, true, {{0, true, 25}})}));
    const MessageArg argument{MessageArg::kString, text.Interface()};
    TakeBlocks();
    for (const WORD code : {WORD{2}, WORD{3}}) {
        const MessageId id = MakeMessageId(session.Family(VavazaZavidi::kDocumentClassId), code);
        EXPECT_EQ(session.SendMessage(item.handler.Get(), id, 0, argument), kMessageNotHandled);
        EXPECT_EQ(session.SendMessage(nullptr, id, 0, argument), E_NOINTERFACE);
    }
    EXPECT_TRUE(TakeBlocks().empty());
    EXPECT_TRUE(user_->MessageBoxes().empty());
    EXPECT_TRUE(user_->TakeProblems().empty());  // no dialog came up

    auto document = ComPtr<IKYTCommandHandler>::QueryFrom(Document());
    ASSERT_TRUE(document);
    ComPtr<session::CommandState> state(new session::CommandState);
    const auto stateArgument =
        reinterpret_cast<std::intptr_t>(static_cast<ICommandState*>(state.Get()));
    EXPECT_EQ(document->HandleCommand(item.id, 3, stateArgument, 0), kCommandHandled);
    EXPECT_TRUE(state->State().enabled);
    EXPECT_TRUE(state->State().checked);
    EXPECT_EQ(document->HandleCommand(item.id + 1, 3, stateArgument, 0), kCommandNotHandled);
}

TEST_F(SetupCommand, MenuItemIsGreyedWhileBlockedAndCheckedExactlyWhenAnOutputIsOn) {
    Open();
    EXPECT_TRUE(State().enabled);
    EXPECT_FALSE(State().checked);

    SendMessage(2, 0, ConfigText(2, 8, {OutputText(-3, true, {{1, true, 25}})}));
    EXPECT_TRUE(State().enabled);
    EXPECT_TRUE(State().checked);

    Host().Session().Framework()->SetCommandsBlocked(VARIANT_TRUE);
    EXPECT_FALSE(State().enabled);
    EXPECT_FALSE(State().checked);
    Host().Session().Framework()->SetCommandsBlocked(0);
    EXPECT_TRUE(State().checked);

    // An output that is on but that the device lacks does not check the item.
    Open("analog=2, digital=none");
    SendMessage(2, 0, ConfigText(3, 0, {OutputText(3, true, {{1, true, 25}})}));
    EXPECT_TRUE(State().enabled);
    EXPECT_FALSE(State().checked);

    // An unsuitable device leaves the item enabled (choosing it explains) and unchecked.
    Open("auto-outputs=off");
    SendMessage(2, 0, ConfigText(2, 8, {OutputText(1, true, {{1, true, 25}})}));
    EXPECT_TRUE(State().enabled);
    EXPECT_FALSE(State().checked);
}

TEST_F(SetupCommand, RefusalsExplainThemselvesAndChangeNothing) {
    struct Case {
        const char* device;
        std::u16string_view says;
        std::size_t wrap;
    };
    const Case cases[] = {
        {"name=Lab rig 2, auto-outputs=off", u"(Lab rig 2)", 64},
        {"name=, auto-outputs=failing", u"(none)", 64},
        {"auto-outputs=absent", u"(Corvex)", 64},
        {"sampling=on", u"You cannot turn on Tarvel while sampling.\n\nStop sampling", 70},
    };
    for (const Case& c : cases) {
        Open(c.device);
        const std::string before = Host().DocumentText();
        Choose();  // no dialog may come up: the scripted user fails the test if one does
        ASSERT_EQ(user_->MessageBoxes().size(), 1u) << c.device;
        const auto& box = user_->LastMessageBox();
        EXPECT_NE(box.text.find(c.says), std::u16string::npos) << c.device;
        EXPECT_TRUE(LinesWithin(box.text, c.wrap)) << c.device << "\n" << Narrow(box.text);
        EXPECT_EQ(box.caption, u"Tarvel");
        EXPECT_EQ(box.flags, kRefusalFlags);
        EXPECT_EQ(box.owner, Host().Session().MainWindow());
        EXPECT_TRUE(Device().Commands().empty()) << c.device << ": nothing programmed or reset";
        EXPECT_EQ(Host().DocumentText(), before);
        EXPECT_FALSE(Host().Modified());
    }
}

TEST_F(SetupCommand, TimingLimitsThatCannotBeReadStopTheCommandSilently) {
    Open("timing-limits=failing");
    Choose();  // no dialog may come up: the scripted user fails the test if one does
    EXPECT_TRUE(user_->MessageBoxes().empty());
    EXPECT_TRUE(Device().Commands().empty());
    EXPECT_FALSE(Host().Modified());
}

TEST_F(SetupCommand, OkSendsTheWholeTextBackToTheDocumentThenResetsWhenNotSampling) {
    Open("name=Bench");
    SwitchOnAndPressOk(0);
    Choose();
    EXPECT_EQ(caption_, u"Tarvel - Bench");
    ASSERT_EQ(tabs_.size(), 10u);
    EXPECT_EQ(tabs_[0], u"Analog Output 1");
    EXPECT_TRUE(Host().Modified());
    EXPECT_NE(Host().DocumentText().find("Output = 1\nOn = 1\n"), std::string::npos);
    auto blocks = TakeBlocks();
    ASSERT_EQ(blocks.size(), 10u);
    EXPECT_EQ(blocks[0].Mode, OutputCommandBlock::kAllRules);
    EXPECT_EQ(Device().ResetCount(), 0) << "the record was cleared with the blocks";

    // OK without a change sends the whole text again, and the outputs are reset after it.
    const std::string before = Host().DocumentText();
    user_->OnNextDialog([](ui::WindowUser& d) { d.PressOk(); });
    Choose();
    ASSERT_EQ(Device().Commands().size(), 11u);
    EXPECT_EQ(Device().Commands().back().What, device::DeviceCommand::Kind::kReset);
    EXPECT_EQ(Host().DocumentText(), before);
}

TEST_F(SetupCommand, WhileSamplingTheDialogOpensOnlyWhereTheDeviceAllowsItAndNothingIsReset) {
    Open("sampling=on, while-sampling=on");
    SwitchOnAndPressOk(2);
    Choose();
    EXPECT_TRUE(user_->MessageBoxes().empty());
    EXPECT_NE(Host().DocumentText().find("Output = -1\nOn = 1\n"), std::string::npos);
    EXPECT_EQ(TakeBlocks().size(), 10u);
    EXPECT_EQ(Device().ResetCount(), 0);
}

TEST_F(SetupCommand, CancelSendsNothingAndTheDialogShowsOnlyTheDevicesOutputs) {
    Open("analog=1, digital=none");
    SendMessage(
        2, 0,
        ConfigText(3, 0,
                   {OutputText(1, false, {{1, true, 25}}), OutputText(2, true, {{1, true, 25}}),
                    OutputText(3, true, {{1, true, 25}})}));
    Device().ClearRecord();
    const std::string before = Host().DocumentText();
    const ComPtr<MessageRecorder> recorder = MessageRecorder::Attach(Document());
    user_->OnNextDialog([this](ui::WindowUser& d) {
        tabs_ = d.Control(Setup::kTabs).TabLabels();
        d.ChildDialog(Template::kOnOffPane).Control(OnOff::kGenerate).Click();
        d.PressCancel();
    });
    Choose();
    recorder->Detach();
    EXPECT_TRUE(recorder->texts.empty()) << "no configuration text";
    EXPECT_EQ(tabs_, std::vector<std::u16string>{u"Analog Output 1"});
    EXPECT_TRUE(Device().Commands().empty());
    EXPECT_EQ(Host().DocumentText(), before);
}

// A stored configuration that names more outputs than the device has: the dialog shows the
// device's outputs, and OK sends a text of exactly those (header and blocks) and no others.
// The document keeps the outputs the device lacks, as they were.
TEST_F(SetupCommand, OkSendsExactlyTheDevicesOutputsWhenTheStoredConfigurationNamesMore) {
    struct Case {
        const char* device;
        int analog;
        int digital;
        std::vector<int> outputs;
    };
    const Case cases[] = {
        {"analog=1, digital=none", 1, 0, {1}},
        {"analog=2, digital=4", 2, 4, {1, 2, -1, -2, -3, -4}},
        {"analog=0, digital=2+1", 0, 3, {-1, -2, -3}},
    };
    // Three analog and nine digital outputs, each on with a rule.
    std::vector<std::string> stored;
    for (int output : {1, 2, 3, -1, -2, -3, -4, -5, -6, -7, -8, -9})
        stored.push_back(OutputText(output, true, {{1, true, 25}}));
    for (const Case& c : cases) {
        Open(c.device);
        SendMessage(2, 0, ConfigText(3, 9, stored));
        Device().ClearRecord();
        const ComPtr<MessageRecorder> recorder = MessageRecorder::Attach(Document());
        user_->OnNextDialog([this](ui::WindowUser& d) {
            tabs_ = d.Control(Setup::kTabs).TabLabels();
            d.PressOk();
        });
        Choose();
        recorder->Detach();

        EXPECT_EQ(tabs_.size(), c.outputs.size()) << c.device;
        ASSERT_EQ(recorder->texts.size(), 1u) << c.device << ": one configuration text";
        const TextOutputs sent = OutputsOf(recorder->texts.front());
        EXPECT_EQ(sent.outputs, c.outputs) << c.device << "\n" << recorder->texts.front();
        EXPECT_EQ(sent.analog, c.analog) << c.device;
        EXPECT_EQ(sent.digital, c.digital) << c.device;
        EXPECT_EQ(TakeBlocks().size(), c.outputs.size()) << c.device << ": the device's outputs";
        const TextOutputs kept = OutputsOf(Host().DocumentText());
        EXPECT_EQ(kept.outputs.size(), stored.size()) << c.device << ": the document lost outputs";
    }
}

TEST_F(SetupCommand, AnExceptionInTheDialogLeavesNoDialogAndIsReported) {
    Open();
    user_->OnNextDialog(
        [](ui::WindowUser&) { throw std::runtime_error("the user's hand slipped"); });
    Choose();
    ASSERT_EQ(user_->MessageBoxes().size(), 1u);
    EXPECT_EQ(user_->LastMessageBox().text.rfind(u"An internal error occurred", 0), 0u);
    EXPECT_EQ(user_->DialogsLeftOpen(), 0);
    EXPECT_TRUE(Device().Commands().empty());
    EXPECT_FALSE(Host().Modified());
}

}  // namespace
}  // namespace module_test
