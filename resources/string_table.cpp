// The module's string table, registered for the module this file is linked into when the
// module loads.
#include "platform/module/string_table.h"

#include "resources/resource_module.h"
#include "resources/string_ids.h"

namespace {

using namespace VavazaZavidi::StringId;

const StringTableEntry kStrings[] = {
    {kLoadFailedCaption, u"Tarvel"},
    {kLoadFailed, u"Failed to load Tarvel setup."},
    {kAnalogOutputNumbered, u"Analog Output %1"},
    {kDigitalOutputNumbered, u"Digital Output %1"},
    {kLevelWithUnit, u"Level (%1)"},
    {kAbove, u"above"},
    {kBelow, u"below"},
    {kAll, u"all"},
    {kAny, u"any"},
    {kInputNumbered, u"Input %1"},
    {kInternalErrorCaption, u"Tarvel"},
    {kInternalError,
     u"An internal error occurred while setting up Tarvel.  Please contact your distributor for "
     u"assistance."},
    {kVerbIs, u"is"},
    {kVerbGoes, u"goes"},
    {kDeviceNotSuitable,
     u"Tarvel is not available for the current master device (%1). A suitable Corvex must be "
     u"connected and selected as the master device.\n\n"
     u"Suitable hardware: the Corvex 4, Corvex 8, Corvex 16 and Corvex 32 series, and the "
     u"Corvex Lab series."},
    {kDeviceNotSuitableCaption, u"Tarvel"},
    {kAnalogOutput, u"Analog Output"},
    {kSamplingRefusal,
     u"You cannot turn on Tarvel while sampling.\n\nStop sampling and then set up Tarvel."},
    {kSamplingRefusalCaption, u"Tarvel"},
    {kStimulatorWarning,
     u"Currently Tarvel is using the analog outputs and the Stimulator is enabled. The Stimulator "
     u"will take precedence."},
    {kStimulatorWarningCaption, u"Tarvel"},
    {kHelpFileLocation, u"TarvelHelp.chm::assets\\html\\english\\pc\\"},
    {kMenuCommand, u"Tarvel..."},
    {kMenuCommandStatus, u"Configure automatic Tarvels based upon input states"},
    {kProductName, u"Tarvel"},
    {kDialogCaptionWithDevice, u"Tarvel - %1"},
    {kNoDeviceName, u"none"},
    {kHelpButtonTip, u"Get dialog help"},
};

// Made on first use, so that a caller during the module's static initialisation finds it too.
const ModuleStringTable& StringTable() {
    static const ModuleStringTable table(kStrings);
    return table;
}

// Registers the table when the module loads, whether or not anything has asked for it yet.
[[maybe_unused]] const ModuleStringTable& kRegisteredAtLoad = StringTable();

}  // namespace

HMODULE VavazaZavidi::ResourceModule() {
    return StringTable().Module();
}
