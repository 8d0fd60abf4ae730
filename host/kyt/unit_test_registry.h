// The host's registry of the self-tests that extensions register.
#pragma once

#include <mutex>
#include <vector>

#include "host/api/unit_test_registry.h"
#include "platform/com/com_object.h"

namespace kyt {

class UnitTestRegistry final : public ComObject<UnitTestRegistry, IUnitTestRegistry> {
public:
    // The process's registry, made when there is none, with a reference for the caller.
    static UnitTestRegistry* Acquire();

    HRESULT RegisterTest(IUnitTest* test) override;
    HRESULT GetTestCount(LONG* count) override;
    HRESULT GetTest(LONG index, IUnitTest** test) override;

private:
    UnitTestRegistry() = default;
    ~UnitTestRegistry() override;

    std::mutex mutex_;
    std::vector<IUnitTest*> tests_;  // one reference each
};

}  // namespace kyt
