// The framework's family numbers, asked of IMessageFamilies once per GUID and kept.
#pragma once

#include "host/api/framework_ids.h"

// The family number the host assigned to `family`; 0 when the framework cannot say (that
// answer is not kept, so a later call asks again).
WORD MessageFamily(const GUID& family);

// The identifier of `code` in `family`.
inline MessageId FamilyMessageId(const GUID& family, WORD code) {
    return MakeMessageId(MessageFamily(family), code);
}

// A function that computes the identifier of `Code` in `Family`: what an event-table row
// stores, since family numbers are only known at run time.
template <const GUID& Family, WORD Code>
MessageId ComputeMessageId() {
    return FamilyMessageId(Family, Code);
}
