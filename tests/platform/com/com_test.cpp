#include <gtest/gtest.h>

#include "platform/com/com_object.h"
#include "platform/com/com_ptr.h"
#include "platform/sync/critical_section.h"
#include "tests/helpers/scoped_environment.h"
#include "tests/helpers/vtable_call.h"

namespace {

TEST(Guid, ParsesRegistryTextIntoWindowsLayout) {
    constexpr GUID id = MakeGuid("{17437D32-56E9-4027-B3C8-FC0FC43EC033}");
    static_assert(id.Data1 == 0x17437D32 && id.Data2 == 0x56E9 && id.Data3 == 0x4027);
    EXPECT_EQ(id.Data4[0], 0xB3);
    EXPECT_EQ(id.Data4[1], 0xC8);
    EXPECT_EQ(id.Data4[2], 0xFC);
    EXPECT_EQ(id.Data4[7], 0x33);
    EXPECT_EQ(GuidToString(id), "{17437D32-56E9-4027-B3C8-FC0FC43EC033}");
    EXPECT_EQ(ParseGuid("17437d32-56e9-4027-b3c8-fc0fc43ec033"), id);
}

TEST(Guid, RejectsMalformedText) {
    EXPECT_FALSE(ParseGuid(""));
    EXPECT_FALSE(ParseGuid("{17437D32-56E9-4027-B3C8-FC0FC43EC03}"));
    EXPECT_FALSE(ParseGuid("{17437D32-56E9-4027-B3C8-FC0FC43EC03G}"));
    EXPECT_FALSE(ParseGuid("{17437D32+56E9-4027-B3C8-FC0FC43EC033}"));
    EXPECT_FALSE(ParseGuid("(17437D32-56E9-4027-B3C8-FC0FC43EC033)"));
}

TEST(HResult, SeverityDecidesSuccess) {
    EXPECT_TRUE(SUCCEEDED(S_FALSE));
    EXPECT_TRUE(FAILED(E_FAIL));
    EXPECT_EQ(static_cast<std::uint32_t>(E_NOINTERFACE), 0x80004002u);
    EXPECT_EQ(static_cast<std::uint32_t>(E_INVALIDARG), 0x80070057u);
}

struct IFirst : IUnknown {
    static constexpr IID kIid = MakeGuid("{11111111-0000-0000-0000-000000000001}");
    virtual HRESULT First(int* out) = 0;
};

struct ISecond : IUnknown {
    static constexpr IID kIid = MakeGuid("{11111111-0000-0000-0000-000000000002}");
    virtual HRESULT Unused3() { return E_NOTIMPL; }
    virtual HRESULT Second(int* out) = 0;
};

int g_destroyed = 0;

class Both final : public ComObject<IFirst, ISecond> {
public:
    HRESULT First(int* out) override { return *out = 1, S_OK; }
    HRESULT Second(int* out) override { return *out = 2, S_OK; }
    ~Both() override { ++g_destroyed; }
};

TEST(ComObject, AnswersListedInterfacesAndCountsReferences) {
    g_destroyed = 0;
    auto* object = new Both;
    ComPtr<IFirst> first(object);
    EXPECT_EQ(object->ReferenceCount(), 1);

    ComPtr<ISecond> second = ComPtr<ISecond>::QueryFrom(first.Get());
    ASSERT_TRUE(second);
    EXPECT_EQ(object->ReferenceCount(), 2);

    IUnknown* unknown = nullptr;
    ASSERT_EQ(second->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
    EXPECT_EQ(static_cast<void*>(unknown), static_cast<void*>(first.Get()));
    unknown->Release();

    void* none = reinterpret_cast<void*>(1);
    EXPECT_EQ(first->QueryInterface(MakeGuid("{22222222-0000-0000-0000-000000000000}"), &none),
              E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(first->QueryInterface(IID_IUnknown, nullptr), E_POINTER);

    second.Reset();
    first.Reset();
    EXPECT_EQ(g_destroyed, 1);
}

// Offers ISecond only while `offered` is set.
class Withholding final : public ComObject<IFirst, ISecond> {
public:
    HRESULT First(int* out) override { return *out = 1, S_OK; }
    HRESULT Second(int* out) override { return *out = 2, S_OK; }
    bool offered = false;

protected:
    bool RefusesInterface(REFIID iid) override { return iid == ISecond::kIid && !offered; }
};

TEST(ComObject, RefusesWhatItsHookRefusesAndTracesRefusalsWhenAsked) {
    auto* object = new Withholding;
    ComPtr<IFirst> first(object);
    void* found = reinterpret_cast<void*>(1);
    ScopedEnvironment environment;
    environment.Set("TARVEL_TRACE_REFUSED_IIDS", nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(first->QueryInterface(ISecond::kIid, &found), E_NOINTERFACE);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "not traced without the variable";
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(object->ReferenceCount(), 1);

    environment.Set("TARVEL_TRACE_REFUSED_IIDS", "1");
    testing::internal::CaptureStderr();
    EXPECT_EQ(first->QueryInterface(ISecond::kIid, &found), E_NOINTERFACE);
    EXPECT_EQ(first->QueryInterface(IFirst::kIid, &found), S_OK);
    static_cast<IUnknown*>(found)->Release();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "tarvel: (anonymous namespace)::Withholding refused "
              "{11111111-0000-0000-0000-000000000002}\n");

    environment.Set("TARVEL_TRACE_REFUSED_IIDS", "0");
    object->offered = true;
    testing::internal::CaptureStderr();
    EXPECT_EQ(first->QueryInterface(ISecond::kIid, &found), S_OK);
    static_cast<IUnknown*>(found)->Release();
    EXPECT_EQ(first->QueryInterface(MakeGuid("{22222222-0000-0000-0000-000000000000}"), &found),
              E_NOINTERFACE);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "\"0\" switches the trace off";
}

TEST(ComObject, SlotsSitWhereTheDeclarationPutsThem) {
    ComPtr<IFirst> first(new Both);
    ComPtr<ISecond> second = ComPtr<ISecond>::QueryFrom(first.Get());
    int value = 0;
    EXPECT_EQ(CallSlot<HRESULT>(first.Get(), 3, &value), S_OK);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(CallSlot<HRESULT>(second.Get(), 3), E_NOTIMPL);
    EXPECT_EQ(CallSlot<HRESULT>(second.Get(), 4, &value), S_OK);
    EXPECT_EQ(value, 2);
    EXPECT_EQ(CallSlot<ULONG>(first.Get(), 1), 3u);  // AddRef through slot 1
    EXPECT_EQ(CallSlot<ULONG>(first.Get(), 2), 2u);  // Release through slot 2
}

TEST(CriticalSection, IsReentrantForItsOwner) {
    CRITICAL_SECTION section;
    ASSERT_TRUE(InitializeCriticalSectionAndSpinCount(&section, 4000));
    EXPECT_EQ(section.spinCount, 4000u);
    EnterCriticalSection(&section);
    { CriticalSectionLock again(&section); }
    LeaveCriticalSection(&section);
    DeleteCriticalSection(&section);
}

}  // namespace
