// The framework's small parts: interface-map walks and event-table lookups.
#include <gtest/gtest.h>

#include "extension/framework/event_table.h"
#include "extension/framework/interface_map.h"
#include "platform/com/com_object.h"

namespace {

struct IFirst : IUnknown {
    static constexpr IID kIid = MakeGuid("{0F000000-0000-0000-0000-000000000001}");
};
struct ISecond : IUnknown {
    static constexpr IID kIid = MakeGuid("{0F000000-0000-0000-0000-000000000002}");
};
constexpr IID kNamedDelegated = MakeGuid("{0F000000-0000-0000-0000-000000000003}");
constexpr IID kRefused = MakeGuid("{0F000000-0000-0000-0000-000000000004}");
constexpr IID kElsewhere = MakeGuid("{0F000000-0000-0000-0000-000000000005}");

// An object with two interfaces, a named delegation and a blind one, each answering as told.
class Mapped final : public IFirst, public ISecond {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override {
        return InternalQueryInterface(this, Map(), iid, object);
    }
    ULONG AddRef() override { return static_cast<ULONG>(++count); }
    ULONG Release() override { return static_cast<ULONG>(--count); }

    HRESULT Named(REFIID, void** object) {
        ++namedAsked;
        if (FAILED(namedAnswer))
            return namedAnswer;
        *object = static_cast<IFirst*>(this);
        AddRef();
        return namedAnswer;
    }
    HRESULT Blind(REFIID iid, void** object) {
        ++blindAsked;
        if (iid != kElsewhere && iid != kNamedDelegated)
            return E_NOINTERFACE;
        *object = static_cast<ISecond*>(this);
        AddRef();
        return S_OK;
    }

    static const InterfaceMapEntry* Map() {
        static constexpr InterfaceMapEntry map[] = {
            MapInterface<Mapped, IFirst>(IFirst::kIid),
            MapInterface<Mapped, ISecond>(ISecond::kIid),
            MapRefusal(kRefused),
            MapDelegation<Mapped, &Mapped::Named>(kNamedDelegated),
            MapBlindDelegation<Mapped, &Mapped::Blind>(),
            MapEnd(),
        };
        return map;
    }

    int count = 0;
    int namedAsked = 0;
    int blindAsked = 0;
    HRESULT namedAnswer = S_OK;
};

TEST(InterfaceMap, AnswersInMapOrderWithIUnknownFromTheFirstEntry) {
    Mapped object;
    void* found = nullptr;
    ASSERT_EQ(object.QueryInterface(IID_IUnknown, &found), S_OK);
    EXPECT_EQ(found, static_cast<IFirst*>(&object));
    ASSERT_EQ(object.QueryInterface(ISecond::kIid, &found), S_OK);
    EXPECT_EQ(found, static_cast<ISecond*>(&object));
    EXPECT_EQ(object.count, 2);  // each answer carries a reference
    ASSERT_EQ(object.QueryInterface(kElsewhere, &found), S_OK);
    EXPECT_EQ(object.blindAsked, 1);
}

TEST(InterfaceMap, RefusalAndFailedNamedDelegationEndTheWalk) {
    Mapped object;
    void* found = reinterpret_cast<void*>(1);
    EXPECT_EQ(object.QueryInterface(kRefused, &found), E_NOINTERFACE);
    EXPECT_EQ(found, nullptr);

    // The blind delegation would answer kNamedDelegated, but the named one's error stands.
    object.namedAnswer = E_ACCESSDENIED;
    found = reinterpret_cast<void*>(1);
    EXPECT_EQ(object.QueryInterface(kNamedDelegated, &found), E_ACCESSDENIED);
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(object.blindAsked, 0);
    EXPECT_EQ(object.count, 0);
}

TEST(InterfaceMap, UnansweredQueriesAndBadArguments) {
    Mapped object;
    void* found = reinterpret_cast<void*>(1);
    EXPECT_EQ(object.QueryInterface(MakeGuid("{0F000000-0000-0000-0000-0000000000FF}"), &found),
              E_NOINTERFACE);
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(object.blindAsked, 1);  // a failing blind delegation lets the walk end normally
    EXPECT_EQ(InternalQueryInterface(nullptr, Mapped::Map(), IID_IUnknown, &found), E_INVALIDARG);
    EXPECT_EQ(InternalQueryInterface(&object, nullptr, IID_IUnknown, &found), E_INVALIDARG);
    EXPECT_EQ(InternalQueryInterface(&object, Mapped::Map(), IID_IUnknown, nullptr), E_POINTER);
}

// Rows whose identifiers count how often they are computed.
int g_computed = 0;
MessageId Computed(MessageId id) {
    ++g_computed;
    return id;
}
MessageId Id100() {
    return Computed(0x10064);
}
MessageId Id200() {
    return Computed(0x100C8);
}
MessageId Id110() {
    return Computed(0x1006E);
}
MessageId MessageIdA() {
    return Computed(0x20002);
}

std::intptr_t First(KYTEventHandlerBase&, std::intptr_t, std::intptr_t) {
    return 1;
}
std::intptr_t Second(KYTEventHandlerBase&, std::intptr_t, std::intptr_t) {
    return 2;
}

TEST(EventTable, ComputesEveryIdentifierOnceOnFirstLookup) {
    g_computed = 0;
    const EventTable table{
        {EventKind::CommandExecute, &Id100, nullptr, 0xFFFFFFFF, &First},
        {EventKind::CommandExecute, &Id100, &Id110, 0xFFFFFFFF, &Second},
        {EventKind::ObserverEvent, &Id200, nullptr, 0xFFFFFFFF, &First},
        {EventKind::Message, &MessageIdA, nullptr, 0xFFFF0000, &Second},
    };
    EXPECT_EQ(g_computed, 0);
    ASSERT_NE(table.Find(EventKind::CommandExecute, 0x10064), nullptr);
    EXPECT_EQ(g_computed, 5);  // every row's identifiers, the range's end included
    table.Find(EventKind::ObserverEvent, 0x100C8);
    table.Find(EventKind::Message, 0x20002);
    EXPECT_EQ(g_computed, 5);
}

TEST(EventTable, MatchesExactlyInRangesAndUnderMasks) {
    const EventTable table{
        {EventKind::CommandExecute, &Id100, nullptr, 0xFFFFFFFF, &First},
        {EventKind::CommandExecute, &Id100, &Id110, 0xFFFFFFFF, &Second},
        {EventKind::ObserverEvent, &Id200, nullptr, 0xFFFFFFFF, &First},
        {EventKind::Message, &MessageIdA, nullptr, 0xFFFF0000, &Second},
    };
    EXPECT_EQ(table.Find(EventKind::CommandExecute, 0x10064)->call, &First);  // first in order
    EXPECT_EQ(table.Find(EventKind::CommandExecute, 0x10065)->call, &Second);
    EXPECT_EQ(table.Find(EventKind::CommandExecute, 0x1006D)->call, &Second);
    EXPECT_EQ(table.Find(EventKind::CommandExecute, 0x1006E), nullptr);  // the end is excluded
    EXPECT_EQ(table.Find(EventKind::CommandState, 0x10064), nullptr);    // kinds do not mix
    EXPECT_EQ(table.Find(EventKind::ObserverEvent, 0x100C9), nullptr);
    EXPECT_EQ(table.Find(EventKind::Message, 0x2FFFF)->call, &Second);  // only the high half
    EXPECT_EQ(table.Find(EventKind::Message, 0x30002), nullptr);
}

}  // namespace
