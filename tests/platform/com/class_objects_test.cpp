#include <gtest/gtest.h>

#include <thread>

#include "platform/com/class_objects.h"
#include "platform/com/com_object.h"
#include "platform/com/com_ptr.h"
#include "platform/com/ole_init.h"

namespace {

constexpr CLSID kClass = MakeGuid("{818DA440-8037-11D3-80BC-005004AD3C53}");
constexpr CLSID kOtherClass = MakeGuid("{E116149C-B118-4599-B6B2-C66DD6BEA7E5}");

struct IFactoryLike : IUnknown {
    static constexpr IID kIid = MakeGuid("{3CAD4551-2F23-11D1-8CE9-00C0D1570D74}");
    virtual HRESULT Answer(int* out) = 0;
};

class ClassObject final : public ComObject<IFactoryLike> {
public:
    explicit ClassObject(int answer) : answer_(answer) {}
    HRESULT Answer(int* out) override { return *out = answer_, S_OK; }

private:
    int answer_;
};

// Keeps OLE initialised on the test's thread for the test's duration.
class ClassObjects : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(OleInitialize(nullptr), S_OK); }
    void TearDown() override { OleUninitialize(); }
};

int AnswerOf(REFCLSID clsid, DWORD context = CLSCTX_ALL) {
    IFactoryLike* factory = nullptr;
    if (CoGetClassObject(clsid, context, nullptr, IFactoryLike::kIid,
                         reinterpret_cast<void**>(&factory)) != S_OK) {
        return -1;
    }
    int answer = 0;
    factory->Answer(&answer);
    factory->Release();
    return answer;
}

TEST_F(ClassObjects, UnregisteredClassIsReportedAsWindowsDoes) {
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CoGetClassObject(kClass, CLSCTX_ALL, nullptr, IID_IUnknown, &object),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(static_cast<std::uint32_t>(REGDB_E_CLASSNOTREG), 0x80040154u);
}

TEST_F(ClassObjects, RegisterFindRevokeWithReferencesHeldMeanwhile) {
    auto* object = new ClassObject(7);
    ComPtr<IFactoryLike> mine(object);
    DWORD cookie = 0;
    ASSERT_EQ(CoRegisterClassObject(kClass, mine.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                    &cookie),
              S_OK);
    EXPECT_NE(cookie, 0u);
    EXPECT_EQ(object->ReferenceCount(), 2);  // the table holds one

    EXPECT_EQ(AnswerOf(kClass, 23), 7);  // the services' context value
    EXPECT_EQ(AnswerOf(kClass, CLSCTX_INPROC_SERVER), 7);
    EXPECT_EQ(AnswerOf(kOtherClass), -1);
    EXPECT_EQ(object->ReferenceCount(), 2);  // lookups leave no reference behind

    EXPECT_EQ(CoRevokeClassObject(cookie), S_OK);
    EXPECT_EQ(object->ReferenceCount(), 1);
    EXPECT_EQ(CoRevokeClassObject(cookie), CO_E_OBJNOTREG);
    EXPECT_EQ(AnswerOf(kClass), -1);
}

TEST_F(ClassObjects, LookupRespectsTheRegisteredContext) {
    ComPtr<IFactoryLike> object(new ClassObject(1));
    DWORD cookie = 0;
    ASSERT_EQ(CoRegisterClassObject(kClass, object.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                    &cookie),
              S_OK);
    void* out = nullptr;
    EXPECT_EQ(CoGetClassObject(kClass, CLSCTX_LOCAL_SERVER, nullptr, IID_IUnknown, &out),
              REGDB_E_CLASSNOTREG);
    EXPECT_EQ(CoRevokeClassObject(cookie), S_OK);

    // A multiple-use local server also serves in-process lookups.
    ASSERT_EQ(CoRegisterClassObject(kClass, object.Get(), CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE,
                                    &cookie),
              S_OK);
    EXPECT_EQ(AnswerOf(kClass, CLSCTX_INPROC_SERVER), 1);
    EXPECT_EQ(CoRevokeClassObject(cookie), S_OK);
}

TEST_F(ClassObjects, QueryFailureOfTheClassObjectIsPassedOn) {
    ComPtr<IFactoryLike> object(new ClassObject(1));
    DWORD cookie = 0;
    ASSERT_EQ(CoRegisterClassObject(kClass, object.Get(), CLSCTX_INPROC_SERVER, REGCLS_SINGLEUSE,
                                    &cookie),
              S_OK);
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(CoGetClassObject(kClass, CLSCTX_ALL, nullptr,
                               MakeGuid("{00000001-0000-0000-0000-000000000000}"), &out),
              E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    // A failed query does not use up a single-use registration; a successful one does.
    EXPECT_EQ(AnswerOf(kClass), 1);
    EXPECT_EQ(AnswerOf(kClass), -1);
    EXPECT_EQ(CoRevokeClassObject(cookie), S_OK);
}

TEST_F(ClassObjects, RefusesBadArgumentsAndASecondRegistration) {
    ComPtr<IFactoryLike> object(new ClassObject(1));
    DWORD cookie = 99;
    EXPECT_EQ(
        CoRegisterClassObject(kClass, nullptr, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie),
        E_INVALIDARG);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(CoRegisterClassObject(kClass, object.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                    nullptr),
              E_INVALIDARG);
    EXPECT_EQ(CoRegisterClassObject(kClass, object.Get(), 0x400, REGCLS_MULTIPLEUSE, &cookie),
              E_INVALIDARG);
    EXPECT_EQ(CoRegisterClassObject(kClass, object.Get(), CLSCTX_INPROC_SERVER, 4, &cookie),
              E_INVALIDARG);
    EXPECT_EQ(CoGetClassObject(kClass, CLSCTX_ALL, nullptr, IID_IUnknown, nullptr), E_INVALIDARG);
    void* out = nullptr;
    EXPECT_EQ(CoGetClassObject(kClass, 0, nullptr, IID_IUnknown, &out), E_INVALIDARG);

    DWORD first = 0;
    DWORD second = 0;
    ASSERT_EQ(CoRegisterClassObject(kClass, object.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                    &first),
              S_OK);
    EXPECT_EQ(CoRegisterClassObject(kClass, object.Get(), CLSCTX_ALL, REGCLS_MULTIPLEUSE, &second),
              CO_E_OBJISREG);
    ASSERT_EQ(CoRegisterClassObject(kOtherClass, object.Get(), CLSCTX_INPROC_SERVER,
                                    REGCLS_MULTIPLEUSE, &second),
              S_OK);
    EXPECT_NE(first, second);
    EXPECT_EQ(CoRevokeClassObject(first), S_OK);
    EXPECT_EQ(CoRevokeClassObject(second), S_OK);
    EXPECT_EQ(CoRevokeClassObject(0), CO_E_OBJNOTREG);
}

TEST(OleInitialisation, CountsPerThreadAndAnswersSFalseWhenAlreadyDone) {
    EXPECT_FALSE(IsOleInitializedInProcess());
    EXPECT_EQ(OleInitialize(reinterpret_cast<void*>(1)), E_INVALIDARG);
    EXPECT_FALSE(IsOleInitializedInProcess());

    EXPECT_EQ(OleInitialize(nullptr), S_OK);
    EXPECT_EQ(OleInitialize(nullptr), S_FALSE);
    std::thread other([] {
        EXPECT_EQ(OleInitialize(nullptr), S_OK);  // each thread starts uninitialised
        OleUninitialize();
    });
    other.join();
    OleUninitialize();
    EXPECT_TRUE(IsOleInitializedInProcess());  // one call is still to be balanced
    OleUninitialize();
    EXPECT_FALSE(IsOleInitializedInProcess());
    OleUninitialize();  // one too many does nothing
    EXPECT_EQ(OleInitialize(nullptr), S_OK);
    OleUninitialize();
}

TEST(OleInitialisation, ClassTableNeedsOleSomewhereInTheProcess) {
    ASSERT_FALSE(IsOleInitializedInProcess());
    ComPtr<IFactoryLike> object(new ClassObject(3));
    DWORD cookie = 0;
    void* out = nullptr;
    EXPECT_EQ(CoGetClassObject(kClass, CLSCTX_ALL, nullptr, IID_IUnknown, &out),
              CO_E_NOTINITIALIZED);
    EXPECT_EQ(CoRegisterClassObject(kClass, object.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                    &cookie),
              CO_E_NOTINITIALIZED);

    ASSERT_EQ(OleInitialize(nullptr), S_OK);
    ASSERT_EQ(CoRegisterClassObject(kClass, object.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                    &cookie),
              S_OK);
    int fromOtherThread = 0;
    std::thread other([&] { fromOtherThread = AnswerOf(kClass); });
    other.join();
    EXPECT_EQ(fromOtherThread, 3);
    EXPECT_EQ(CoRevokeClassObject(cookie), S_OK);
    OleUninitialize();
}

}  // namespace
