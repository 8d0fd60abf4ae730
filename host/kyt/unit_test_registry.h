// The host's registry of the self-tests that extensions register.
#pragma once

#include <mutex>
#include <vector>

#include "host/api/unit_test_registry.h"
#include "host/kyt/process_object.h"
#include "platform/com/com_object.h"

namespace kyt {

// One registry per process at a time (ProcessObject::Acquire).
class UnitTestRegistry final : public ComObject<IUnitTestRegistry>,
                               public ProcessObject<UnitTestRegistry> {
public:
    HRESULT RegisterTest(IUnitTest* test) override;
    HRESULT GetTestCount(LONG* count) override;
    HRESULT GetTest(LONG index, IUnitTest** test) override;

private:
    friend class ProcessObject<UnitTestRegistry>;

    UnitTestRegistry() = default;
    ~UnitTestRegistry() override;

    std::mutex mutex_;
    std::vector<IUnitTest*> tests_;  // one reference each
};

}  // namespace kyt
