// The extension module loaded as the host loads it: its one export, its version keys, what
// it registers, and its document reacting to the host's messages and events.
#include <regex>

#include "host/api/framework_ids.h"
#include "host/device/device_description_text.h"
#include "host/session/extension_module.h"
#include "platform/text/utf.h"
#include "support/string/tev_string.h"
#include "tests/extension/module/module_fixture.h"
#include "tests/helpers/elf_exports.h"

namespace module_test {
namespace {

std::string Narrow(std::u16string_view text) {
    return text::ToUtf8(text);
}

TEST(ModuleFile, ExportsDllRegisterClassObjectsOnly) {
    const auto module = session::HostSession::ExecutableFolder() / ostrel::kExtensionModuleName;
    EXPECT_EQ(ElfExports(module), std::set<std::string>{"DllRegisterClassObjects"});
}

TEST_F(ModuleTest, VersionKeysNameAnExtension) {
    Open();
    const auto& module = Host().Module();
    EXPECT_EQ(module.VersionKey(u"ExtensionType"), u"Extension");
    EXPECT_TRUE(ParseGuid(Narrow(module.VersionKey(u"ExtensionCLSID"))).has_value());
    EXPECT_EQ(module.VersionKey(u"ExtVersion"), module.VersionKey(u"FileVersion"));
    EXPECT_EQ(module.VersionKey(u"InternalID"), u"1");
    EXPECT_EQ(module.VersionKey(u"InternalName"), u"Tarvel");
    EXPECT_EQ(module.VersionKey(u"FileDescription"), u"Tarvel");
    EXPECT_TRUE(std::regex_match(Narrow(module.VersionKey(u"BuildDate")),
                                 std::regex(R"(\d\d/\d\d/\d{4} \d\d:\d\d:\d\d [AP]M)")));
    EXPECT_NE(Narrow(module.VersionKey(u"AllNames")).find("Tarvel"), std::string::npos);
}

TEST_F(ModuleTest, RegistersOneDocumentClassOneSelfTestAndTheMenuCommand) {
    Open();
    session::HostSession& session = Host().Session();
    LONG classes = 0;
    session.Registry()->GetClassCount(&classes);
    ASSERT_EQ(classes, 1);
    ComPtr<ICustomDocClass> docClass;
    session.Registry()->GetClass(0, docClass.OutParam());
    BSTR name = nullptr;
    docClass->GetName(&name);
    EXPECT_EQ(std::u16string(name), u"VavazaZavidi Document");
    SysFreeString(name);

    LONG tests = 0;
    session.UnitTests()->GetTestCount(&tests);
    EXPECT_EQ(tests, 1);

    const auto items = session.MenuItems();
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].path, u"Setup|&Viruvo Dudud Orarorad^OUTPUTEXTS");
    EXPECT_EQ(items[0].text, u"Tarvel...");
    MessageId base = 0;
    docClass->GetMessageIdBase(&base);
    EXPECT_EQ(items[0].id, base + 1);
}

TEST_F(ModuleTest, ConfigurationTextIsMergedMarksModifiedOffersPersistenceAndPrograms) {
    Open();
    EXPECT_EQ(Record().offers, 0);
    SendMessage(2, 0, ConfigText(2, 8, {OutputText(1, true, {{0, true, 25}})}));
    EXPECT_EQ(Record().offers, 1);
    EXPECT_EQ(Persist()->IsDirty(), S_OK);
    const auto blocks = TakeBlocks();
    ASSERT_EQ(blocks.size(), 10u);
    EXPECT_EQ(blocks[0].Output, 1);
    EXPECT_EQ(blocks[0].Mode, OutputCommandBlock::kAllRules);
    EXPECT_EQ(blocks[0].Rules[0].Threshold, 8000);
    EXPECT_EQ(blocks[1].Mode, OutputCommandBlock::kOff);

    // A second change does not offer the persistence object again.
    SendMessage(2, 0, ConfigText(2, 8, {OutputText(2, true, {{1, false, 10}})}));
    EXPECT_EQ(Record().offers, 1);
    EXPECT_EQ(TakeBlocks()[1].Mode, OutputCommandBlock::kAllRules);
}

TEST_F(ModuleTest, PersistenceTheHostAskedForIsNotOfferedAgain) {
    Open();
    ASSERT_NE(Persist(), nullptr);  // the host asks first (flag 0, kind 2)
    SendMessage(2, 0, ConfigText(2, 8, {OutputText(1, true, {{0, true, 25}})}));
    EXPECT_EQ(Record().offers, 0);
}

TEST_F(ModuleTest, PersistObjectOnlyForFlagZeroAndKindTwo) {
    Open();
    for (const auto& [flag, kind] : {std::pair{1, 2}, {0, 1}, {0, 3}, {2, 0}}) {
        IUnknown* other = reinterpret_cast<IUnknown*>(1);
        IPersistStream* persist = reinterpret_cast<IPersistStream*>(1);
        EXPECT_EQ(Document()->GetPersistObject(flag, kind, &other, &persist), S_FALSE);
        EXPECT_EQ(persist, nullptr);
        EXPECT_EQ(other, nullptr);
    }
}

TEST_F(ModuleTest, OutputsTheDeviceLacksAreAddedToTheDocument) {
    Open("analog=1, digital=none");
    SendMessage(2, 0,
                ConfigText(3, 0,
                           {OutputText(1, true, {{0, true, 10}}), OutputText(2, false, {}),
                            OutputText(3, true, {{1, true, 20}})}));
    const std::string text = Host().DocumentText();
    EXPECT_NE(text.find("AnalogOutputCount = 3\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Output = 3\nOn = 1\n"), std::string::npos);
    EXPECT_EQ(TakeBlocks().size(), 1u);  // the device is programmed for its own output only
}

TEST_F(ModuleTest, TextThatDoesNotParseStillAppliesWhatWasRead) {
    Open();
    std::string text =
        ConfigText(2, 0, {OutputText(1, true, {{0, true, 50}}), OutputText(2, true, {})});
    text.replace(text.rfind("RuleCount = 0"), 13, "RuleCount = x");  // the second block breaks
    SendMessage(2, 0, text);
    EXPECT_EQ(Persist()->IsDirty(), S_OK);
    const auto blocks = TakeBlocks();
    ASSERT_EQ(blocks.size(), 10u);
    EXPECT_EQ(blocks[0].Mode, OutputCommandBlock::kAllRules);
    EXPECT_EQ(blocks[0].Rules[0].Threshold, 16000);
}

TEST_F(ModuleTest, MessageFlaggedNotToSenderIsRefusedByItsSender) {
    Open();
    auto self = ComPtr<IMessageHandler>::QueryFrom(Document());
    const std::string text = ConfigText(2, 8, {OutputText(1, true, {{0, true, 25}})});
    SendMessage(2, kMessageNotToSender, text, self.Get());
    EXPECT_EQ(Persist()->IsDirty(), S_FALSE);
    EXPECT_TRUE(TakeBlocks().empty());
    // The same message from someone else is handled.
    SendMessage(2, kMessageNotToSender, text);
    EXPECT_EQ(Persist()->IsDirty(), S_OK);
    EXPECT_EQ(TakeBlocks().size(), 10u);
}

TEST_F(ModuleTest, SamplingStartProgramsOrResetsAndSamplingStopResets) {
    Open();
    Signal(kSamplingStartingEvent);  // every output off: the outputs are reset
    EXPECT_EQ(Device().ResetCount(), 1);
    EXPECT_TRUE(Device().ProgrammedBlocks().empty());

    SendMessage(2, 0, ConfigText(2, 8, {OutputText(-3, true, {{0, true, 25}})}));
    TakeBlocks();
    Signal(kSamplingStartingEvent);
    const auto blocks = TakeBlocks();
    ASSERT_EQ(blocks.size(), 10u);
    EXPECT_EQ(blocks[4].Output, -3);
    EXPECT_EQ(blocks[4].Mode, OutputCommandBlock::kAllRules);
    EXPECT_EQ(Device().ResetCount(), 0);

    Signal(kSamplingStoppedEvent);
    EXPECT_EQ(Device().ResetCount(), 1);
}

TEST_F(ModuleTest, DeviceChangesProgramTheNewDeviceWhenItCanDoIt) {
    Open();
    SendMessage(2, 0, ConfigText(2, 8, {OutputText(2, true, {{3, false, 40}})}));
    auto other = device::SimulatedCorvex::Create(device::ParseDeviceDescription("analog=4"));
    Host().Document().Sampling().SetCurrentDevice(ComPtr<IDeviceObject>(other.Get()));
    Signal(kDeviceChangedEvent);
    EXPECT_EQ(other->ProgrammedBlocks().size(), 12u);

    auto unable =
        device::SimulatedCorvex::Create(device::ParseDeviceDescription("auto-outputs=off"));
    Host().Document().Sampling().SetCurrentDevice(ComPtr<IDeviceObject>(unable.Get()));
    Host().Session().SignalSamplingEvent(kSamplingSettingsChangedEvent);
    EXPECT_TRUE(unable->ProgrammedBlocks().empty());
    Host().Document().Sampling().SetCurrentDevice(ComPtr<IDeviceObject>());
    Signal(kDeviceChangedEvent);  // no device at all: nothing happens
    Signal(kSamplingStoppedEvent);
}

TEST_F(ModuleTest, StimulatorWarningOnlyForAnalogOutputsThatAreOn) {
    Open("stimulator=on");
    Signal(kStimulatorChangedEvent, 1);  // nothing on
    SendMessage(2, 0, ConfigText(2, 8, {OutputText(-1, true, {{0, true, 25}})}));
    Signal(kStimulatorChangedEvent, 1);  // only a digital output on
    EXPECT_TRUE(user_->MessageBoxes().empty());

    SendMessage(
        2, 0,
        ConfigText(2, 8,
                   {OutputText(1, true, {{0, true, 25}}), OutputText(2, true, {{0, true, 25}})}));
    Signal(kStimulatorChangedEvent, 0);  // the flag is 0
    EXPECT_TRUE(user_->MessageBoxes().empty());
    Signal(kStimulatorChangedEvent, 1);
    ASSERT_EQ(user_->MessageBoxes().size(), 1u);  // one message for two analog outputs
    const auto& box = user_->LastMessageBox();
    EXPECT_EQ(box.text,
              u"Currently Tarvel is using the analog outputs and the Stimulator is enabled. The "
              u"Stimulator will take precedence.");
    EXPECT_EQ(box.caption, u"Tarvel");
    EXPECT_EQ(box.flags, 0x40u);
    EXPECT_EQ(box.owner, Host().Session().MainWindow());
    EXPECT_NE(box.owner, nullptr);

    Device().SetStimulatorEnabled(false);
    Signal(kStimulatorChangedEvent, 1);
    EXPECT_EQ(user_->MessageBoxes().size(), 1u);
}

TEST_F(ModuleTest, DetachedDocumentLetsGoOfTheHostDocument) {
    Open();
    EXPECT_EQ(Document()->Detach(), S_OK);
    // Its messages have nowhere to go now, but it still takes messages sent to it.
    SendMessage(2, 0, ConfigText(2, 8, {OutputText(1, true, {{0, true, 25}})}));
    EXPECT_EQ(TakeBlocks().size(), 10u);
}

}  // namespace
}  // namespace module_test
