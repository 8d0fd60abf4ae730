// Interface maps: how an object with several interfaces answers QueryInterface. A map is an
// array of entries walked in order and ended by MapEnd():
//
//   MapInterface<Doc, ICustomDocument2>(IID_IUnknown)   the interface of this base
//   MapRefusal(kSomeIid)                                 always E_NOINTERFACE
//   MapDelegation(kSomeIid, &Doc::QueryInner)            asked of another object; its failure
//                                                        ends the walk with that error
//   MapBlindDelegation(&Doc::QueryInner)                 any identifier still unanswered; a
//                                                        failure lets the walk go on
//
// IID_IUnknown is always answered by the first entry, which must be a MapInterface entry.
#pragma once

#include "platform/com/unknown.h"

struct InterfaceMapEntry {
    enum class Kind { Interface, Refusal, Delegation, End };

    const IID* iid;  // null for a blind delegation and for the end
    Kind kind;
    IUnknown* (*cast)(void* object);                               // Interface entries
    HRESULT (*delegate)(void* object, REFIID iid, void** result);  // Delegation entries
};

// The walk. E_INVALIDARG for a null object or map, E_POINTER for a null result; an
// unanswered query gives E_NOINTERFACE and a null result. A found interface gets a reference.
HRESULT InternalQueryInterface(void* object, const InterfaceMapEntry* map, REFIID iid,
                               void** result);

template <class Object, class Interface>
constexpr InterfaceMapEntry MapInterface(const IID& iid) {
    return {&iid, InterfaceMapEntry::Kind::Interface,
            [](void* object) -> IUnknown* {
                return static_cast<Interface*>(static_cast<Object*>(object));
            },
            nullptr};
}

constexpr InterfaceMapEntry MapRefusal(const IID& iid) {
    return {&iid, InterfaceMapEntry::Kind::Refusal, nullptr, nullptr};
}

template <class Object, auto Query>
constexpr InterfaceMapEntry MapDelegation(const IID& iid) {
    return {&iid, InterfaceMapEntry::Kind::Delegation, nullptr,
            [](void* object, REFIID wanted, void** result) {
                return (static_cast<Object*>(object)->*Query)(wanted, result);
            }};
}

template <class Object, auto Query>
constexpr InterfaceMapEntry MapBlindDelegation() {
    return {nullptr, InterfaceMapEntry::Kind::Delegation, nullptr,
            [](void* object, REFIID wanted, void** result) {
                return (static_cast<Object*>(object)->*Query)(wanted, result);
            }};
}

constexpr InterfaceMapEntry MapEnd() {
    return {nullptr, InterfaceMapEntry::Kind::End, nullptr, nullptr};
}
