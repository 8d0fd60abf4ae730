// Calls a COM-style interface slot through the raw virtual table, as another module would:
//   CallSlot<HRESULT>(device, 17, &count)
// Slot N is entry N of the table (IUnknown's three come first). Used to prove that an
// interface's declaration puts each operation in its slot.
#pragma once

#include <cstddef>

template <class Result, class Interface, class... Args>
Result CallSlot(Interface* object, std::size_t slot, Args... args) {
    using Function = Result (*)(Interface*, Args...);
    void** table = *reinterpret_cast<void***>(object);
    return reinterpret_cast<Function>(table[slot])(object, args...);
}
