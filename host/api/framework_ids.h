// Identities of the host framework: the classes through which its services are obtained, the
// objects its document-class registry creates by id, and the framework's 32-bit message and
// event identifiers.
#pragma once

#include "platform/com/guid.h"
#include "platform/win_types.h"

// The class of the framework's own services (document-class registry, message families,
// message router, observer registry), registered by the framework library.
inline constexpr CLSID CLSID_FrameworkClassObject =
    MakeGuid("{818DA440-8037-11D3-80BC-005004AD3C53}");
// The class of the host's unit-test registry.
inline constexpr CLSID CLSID_UnitTestRegistry = MakeGuid("{E116149C-B118-4599-B6B2-C66DD6BEA7E5}");
// The class of the host application object.
inline constexpr CLSID CLSID_HostApplication = MakeGuid("{09C5C1C7-6AEE-4EF7-AD48-5301E8BC3775}");

// A framework identifier: the 16-bit family number that the host assigned to a GUID in the
// high half, a code of that family in the low half.
using MessageId = DWORD;

constexpr MessageId MakeMessageId(WORD family, WORD code) {
    return (static_cast<MessageId>(family) << 16) | code;
}
constexpr WORD FamilyOf(MessageId id) {
    return static_cast<WORD>(id >> 16);
}
constexpr WORD CodeOf(MessageId id) {
    return static_cast<WORD>(id & 0xFFFF);
}

// Families of the host's observer events.
inline constexpr GUID kDeviceEventFamily = MakeGuid("{4EC14960-9464-11D2-B7E7-008048C36FE8}");
inline constexpr GUID kSamplingEventFamily = MakeGuid("{A34A93C5-FFD3-4A10-9AB6-74A61B28C5EA}");

// Events of the device family (D).
inline constexpr WORD kStimulatorChangedEvent = 0;  // parameter: non-zero when switched on
inline constexpr WORD kDeviceChangedEvent = 13;
inline constexpr WORD kSamplingStartingEvent = 15;
inline constexpr WORD kSamplingStoppedEvent = 16;
// Events of the sampling family (S).
inline constexpr WORD kSamplingSettingsChangedEvent = 18;

// Ids of IDocClassRegistry::CreateObject.
inline constexpr DWORD kCreateMessageFactory = 0x80000007;
inline constexpr DWORD kCreateInnerDocument = 0x80000011;
inline constexpr DWORD kCreateInnerClassObject = 0x80000012;
inline constexpr DWORD kCreateMenuCommandFactory = 0x80000013;
inline constexpr DWORD kCreateCommandListFactory = 0x80000014;
// The host state service is created with the sampling family's number times 65536.
constexpr DWORD HostStateServiceObjectId(WORD samplingFamily) {
    return MakeMessageId(samplingFamily, 0);
}
