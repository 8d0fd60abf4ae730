// A self-test object that an extension registers with the host's test registry. The host asks
// it to register its tests, then runs them one by one and reads back pass or fail.
#pragma once

#include "host/api/tev_string_forward.h"
#include "platform/com/unknown.h"

struct IUnitTest : IUnknown {
    static constexpr IID kIid = MakeGuid("{E2EE6DD6-5D96-4BF4-B34B-08B817C9998B}");

    // E_FAIL for a null `count`.
    virtual HRESULT GetTestCount(LONG* count) = 0;
    // Runs test `index`; its outcome is read with GetLastResult.
    virtual HRESULT RunTest(LONG index) = 0;
    // The name of test `index`, with a reference for the caller.
    virtual HRESULT GetTestName(LONG index, ITevString** name) = 0;
    // The outcome of the last run: VARIANT_TRUE when it passed, and its message (empty when it
    // passed), with a reference for the caller.
    virtual HRESULT GetLastResult(VARIANT_BOOL* passed, ITevString** message) = 0;
    // Lets the object register its tests.
    virtual HRESULT RegisterTests() = 0;
    // The contact address of the tests' owner, with a reference for the caller.
    virtual HRESULT GetOwner(ITevString** address) = 0;
    // A 64-bit value that the object keeps for test `index`.
    virtual HRESULT GetTestValue(LONG index, LONGLONG* value) = 0;

protected:
    ~IUnitTest() = default;
};
