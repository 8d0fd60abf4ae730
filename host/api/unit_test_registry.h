// The host's registry of self-tests that extensions carry.
#pragma once

#include "host/api/unit_test.h"
#include "platform/com/unknown.h"

struct IUnitTestRegistry : IUnknown {
    static constexpr IID kIid = MakeGuid("{500FCAA6-ED64-454F-A41B-6AA43047823B}");

    // Registers a test object; the registry holds a reference. E_POINTER for null.
    virtual HRESULT RegisterTest(IUnitTest* test) = 0;
    virtual HRESULT GetTestCount(LONG* count) = 0;
    // Registered test object `index`, with a reference for the caller.
    virtual HRESULT GetTest(LONG index, IUnitTest** test) = 0;

protected:
    ~IUnitTestRegistry() = default;
};
