// The host document with extension documents made by test classes: saving stops at the first
// Save that fails and loading at the first Load, streams nobody takes are named, persistence
// offered again replaces what was offered before, and nothing is kept or leaked on the way.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/session/host_document.h"
#include "platform/stream/memory_stream.h"
#include "platform/stream/stream.h"
#include "support/string/tev_string.h"

namespace session {
namespace {

constexpr CLSID kFirst = MakeGuid("{00000001-0000-0000-0000-000000000001}");
constexpr CLSID kSecond = MakeGuid("{00000001-0000-0000-0000-000000000002}");
constexpr CLSID kThird = MakeGuid("{00000001-0000-0000-0000-000000000003}");
constexpr CLSID kNobodys = MakeGuid("{00000001-0000-0000-0000-0000000000FF}");

// A persistence object that writes its text and answers what it is told.
class TestPersist final : public ComObject<IPersistStream> {
public:
    TestPersist(const CLSID& id, std::string text) : id_(id), text_(std::move(text)) {}

    HRESULT saveAnswer = S_OK;
    HRESULT loadAnswer = S_OK;
    int saves = 0;
    std::vector<std::string> loaded;

    HRESULT GetClassID(CLSID* classId) override {
        *classId = id_;
        return S_OK;
    }
    HRESULT IsDirty() override { return S_FALSE; }
    HRESULT Load(IStream* stream) override {
        std::string bytes(256, '\0');
        ULONG got = 0;
        stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &got);
        loaded.push_back(bytes.substr(0, got));
        return loadAnswer;
    }
    HRESULT Save(IStream* stream, BOOL) override {
        ++saves;
        stream->Write(text_.data(), static_cast<ULONG>(text_.size()), nullptr);
        return saveAnswer;
    }
    HRESULT GetSizeMax(ULARGE_INTEGER*) override { return E_NOTIMPL; }

private:
    CLSID id_;
    std::string text_;
};

// An extension document that gives its persistence when asked (or answers `persistAnswer`),
// handing out an `other` object beside it when told to (and then its persistence object even
// with a refusal, as a careless document might).
class TestDocument final : public ComObject<ICustomDocument, IHostStorage> {
public:
    explicit TestDocument(ComPtr<TestPersist> persist) : persist_(std::move(persist)) {}

    bool storage = true;  // whether it offers a storage identity
    HRESULT persistAnswer = S_OK;
    bool giveOther = false;
    bool detached = false;

    HRESULT GetPersistObject(LONG, LONG, IUnknown** other, IPersistStream** persist) override {
        *other = nullptr;
        if (giveOther) {
            *other = static_cast<ICustomDocument*>(this);
            AddRef();
        }
        *persist = nullptr;
        if (persistAnswer != S_OK && !giveOther)
            return persistAnswer;
        *persist = persist_.Get();
        persist_->AddRef();
        return persistAnswer;
    }
    HRESULT Detach() override {
        detached = true;
        return S_OK;
    }
    HRESULT GetTitle(BSTR*) override { return E_NOTIMPL; }
    HRESULT IsCustomDocument(VARIANT_BOOL*) override { return E_NOTIMPL; }
    HRESULT GetViewCount(LONG*) override { return E_NOTIMPL; }
    HRESULT GetValue(LONG*) override { return E_NOTIMPL; }
    HRESULT GetHostData(IUnknown**) override { return E_NOTIMPL; }
    HRESULT SetName(ITevString*) override { return E_NOTIMPL; }
    HRESULT GetName(ITevString**) override { return E_NOTIMPL; }

protected:
    bool RefusesInterface(REFIID iid) override { return !storage && iid == IHostStorage::kIid; }

private:
    ComPtr<TestPersist> persist_;
};

// A document class that hands out the document it was given, or answers `createAnswer`.
class TestClass final : public ComObject<ICustomDocClass> {
public:
    explicit TestClass(ComPtr<TestDocument> document) : document_(std::move(document)) {}

    HRESULT createAnswer = S_OK;

    HRESULT CreateDocument(IUnknown*, IUnknown*, IUnknown*, ICustomDocument** document,
                           LONG) override {
        *document = nullptr;
        if (createAnswer != S_OK || !document_)
            return createAnswer;
        *document = document_.Get();
        document_->AddRef();
        return S_OK;
    }
    HRESULT GetMessageIdBase(MessageId*) override { return E_NOTIMPL; }
    HRESULT GetDocumentType(const GUID**) override { return E_NOTIMPL; }
    HRESULT GetDisplayName(BSTR*) override { return E_NOTIMPL; }
    HRESULT IsDocumentType(const GUID*) override { return E_NOTIMPL; }
    HRESULT GetName(BSTR*) override { return E_NOTIMPL; }
    HRESULT GetClassVersion(LONG*) override { return E_NOTIMPL; }
    HRESULT Initialise(IUnknown*) override { return E_NOTIMPL; }
    HRESULT Terminate() override { return E_NOTIMPL; }
    HRESULT GetClassId(const GUID**) override { return E_NOTIMPL; }
    HRESULT InitialiseCommands(IUnknown*) override { return E_NOTIMPL; }

private:
    ComPtr<TestDocument> document_;
};

struct Extension {
    ComPtr<TestPersist> persist;
    ComPtr<TestDocument> document;
};

// Adds an extension document of class `id` whose stream is `text`.
Extension Add(HostDocument& host, const CLSID& id, const std::string& text) {
    Extension made{ComPtr<TestPersist>(new TestPersist(id, text)), {}};
    made.document = ComPtr<TestDocument>(new TestDocument(made.persist));
    ComPtr<TestClass> docClass(new TestClass(made.document));
    EXPECT_EQ(host.AddExtensionDocument(docClass.Get(), nullptr), S_OK);
    return made;
}

std::string Text(const ExtensionStream& stream) {
    return std::string(stream.bytes.begin(), stream.bytes.end());
}

TEST(HostDocument, SavingAndLoadingStopAtTheFirstExtensionThatFails) {
    ComPtr<HostDocument> host = HostDocument::Create(nullptr);
    Extension first = Add(*host.Get(), kFirst, "one");
    Extension second = Add(*host.Get(), kSecond, "two");
    Extension third = Add(*host.Get(), kThird, "three");

    second.persist->saveAnswer = STG_E_CANTSAVE;
    std::vector<ExtensionStream> streams;
    EXPECT_EQ(host->SaveExtensions(streams), STG_E_CANTSAVE);
    ASSERT_EQ(streams.size(), 1u);  // only what saved before the failure
    EXPECT_EQ(Text(streams[0]), "one");
    EXPECT_EQ(third.persist->saves, 0);

    second.persist->saveAnswer = S_OK;
    streams.clear();
    ASSERT_EQ(host->SaveExtensions(streams), S_OK);
    ASSERT_EQ(streams.size(), 3u);
    EXPECT_EQ(streams[2].classId, kThird);
    EXPECT_EQ(Text(streams[2]), "three");

    // Each stream goes to the document of its class, whatever the order; a stream of a class
    // no document has is named; the first failing Load ends the loading.
    first.persist->loadAnswer = E_FAIL;
    const std::vector<ExtensionStream> file = {
        {kThird, {'3'}}, {kNobodys, {'?'}}, {kFirst, {'1'}}, {kSecond, {'2'}}};
    std::vector<CLSID> unclaimed;
    EXPECT_EQ(host->LoadExtensions(file, unclaimed), E_FAIL);
    EXPECT_EQ(third.persist->loaded, std::vector<std::string>{"3"});
    EXPECT_EQ(first.persist->loaded, std::vector<std::string>{"1"});
    EXPECT_TRUE(second.persist->loaded.empty());
    EXPECT_EQ(unclaimed, std::vector<CLSID>{kNobodys});
    host->Close();
}

TEST(HostDocument, AnExtensionWithoutPersistenceIsPassedOverAndKeepsNothing) {
    ComPtr<HostDocument> host = HostDocument::Create(nullptr);
    Extension without = Add(*host.Get(), kFirst, "never");
    without.document->persistAnswer = S_FALSE;
    without.document->giveOther = true;  // handed out beside the refusal, and given back
    Extension with = Add(*host.Get(), kSecond, "two");
    with.document->giveOther = true;
    const LONG documentReferences = with.document->ReferenceCount();
    const LONG refusingDocumentReferences = without.document->ReferenceCount();
    const LONG refusedReferences = without.persist->ReferenceCount();

    // Whatever comes with a refusal is given back (the sanitizer build reports a leak else).
    EXPECT_EQ(host->PersistenceOf(0), nullptr);
    EXPECT_EQ(without.document->ReferenceCount(), refusingDocumentReferences);
    EXPECT_EQ(without.persist->ReferenceCount(), refusedReferences);
    EXPECT_EQ(host->PersistenceOf(1), with.persist.Get());
    EXPECT_EQ(with.document->ReferenceCount(), documentReferences);
    std::vector<ExtensionStream> streams;
    ASSERT_EQ(host->SaveExtensions(streams), S_OK);
    ASSERT_EQ(streams.size(), 1u);
    EXPECT_EQ(streams[0].classId, kSecond);
    std::vector<CLSID> unclaimed;
    EXPECT_EQ(host->LoadExtensions({{kFirst, {}}}, unclaimed), S_OK);
    EXPECT_EQ(unclaimed, std::vector<CLSID>{kFirst});
    EXPECT_EQ(without.persist->saves, 0);

    // Closing detaches every document and gives back the persistence it held.
    const LONG persistReferences = with.persist->ReferenceCount();
    host->Close();
    EXPECT_TRUE(without.document->detached);
    EXPECT_TRUE(with.document->detached);
    EXPECT_EQ(with.persist->ReferenceCount(), persistReferences - 1);
    EXPECT_TRUE(host->Extensions().empty());
}

TEST(HostDocument, PersistenceOfferedAgainReplacesTheEarlierOffer) {
    ComPtr<HostDocument> host = HostDocument::Create(nullptr);
    Extension extension = Add(*host.Get(), kFirst, "one");
    IHostStorage* storage = host->Extensions()[0].storage;
    ASSERT_EQ(storage, static_cast<IHostStorage*>(extension.document.Get()));

    ComPtr<TestPersist> earlier(new TestPersist(kFirst, "earlier"));
    ComPtr<TestPersist> later(new TestPersist(kFirst, "later"));
    Tev::String name;
    EXPECT_EQ(host->OfferPersistence(storage, 0, earlier.Get(), 0, 0, name.OutParam()), S_OK);
    EXPECT_EQ(name, u"extension stream");
    EXPECT_EQ(earlier->ReferenceCount(), 2);
    EXPECT_EQ(host->OfferPersistence(storage, 0, later.Get(), 0, 0, nullptr), S_OK);
    EXPECT_EQ(earlier->ReferenceCount(), 1);  // given back
    EXPECT_EQ(host->Extensions()[0].offers, 2);
    EXPECT_EQ(host->PersistenceOf(0), later.Get());
    std::vector<ExtensionStream> streams;
    ASSERT_EQ(host->SaveExtensions(streams), S_OK);
    EXPECT_EQ(Text(streams.at(0)), "later");

    // An offer from a storage that is none of this document's, or of nothing, is refused
    // and keeps no reference.
    ComPtr<TestDocument> stranger(new TestDocument(later));
    Tev::String untouched(u"x");
    EXPECT_EQ(host->OfferPersistence(static_cast<IHostStorage*>(stranger.Get()), 0, earlier.Get(),
                                     0, 0, untouched.OutParam()),
              E_INVALIDARG);
    EXPECT_EQ(earlier->ReferenceCount(), 1);
    EXPECT_TRUE(untouched.IsEmpty());
    EXPECT_EQ(host->OfferPersistence(storage, 0, nullptr, 0, 0, nullptr), E_POINTER);
    EXPECT_EQ(host->PersistenceOf(0), later.Get());

    // A document without a storage identity is matched by no offer, a null storage's least.
    ComPtr<TestDocument> anonymous(new TestDocument(earlier));
    anonymous->storage = false;
    ComPtr<TestClass> anonymousClass(new TestClass(anonymous));
    ASSERT_EQ(host->AddExtensionDocument(anonymousClass.Get(), nullptr), S_OK);
    EXPECT_EQ(host->Extensions()[1].storage, nullptr);
    EXPECT_EQ(host->OfferPersistence(nullptr, 0, earlier.Get(), 0, 0, nullptr), E_INVALIDARG);
    EXPECT_EQ(host->Extensions()[1].offers, 0);
    EXPECT_EQ(earlier->ReferenceCount(), 2);  // the test's and the anonymous document's
    host->Close();
    EXPECT_EQ(later->ReferenceCount(), 2);  // the test's and the stranger's
    EXPECT_TRUE(anonymous->detached);
}

TEST(HostDocument, RefusesWhatItCannotKeepOrAnswer) {
    ComPtr<HostDocument> host = HostDocument::Create(nullptr);
    EXPECT_EQ(host->AddExtensionDocument(nullptr, nullptr), E_POINTER);
    ComPtr<TestClass> failing(new TestClass(nullptr));
    failing->createAnswer = E_OUTOFMEMORY;
    EXPECT_EQ(host->AddExtensionDocument(failing.Get(), nullptr), E_OUTOFMEMORY);
    ComPtr<TestClass> empty(new TestClass(nullptr));
    EXPECT_EQ(host->AddExtensionDocument(empty.Get(), nullptr), E_FAIL);  // S_OK, no document
    EXPECT_TRUE(host->Extensions().empty());

    EXPECT_EQ(host->GetRecorder(nullptr), E_POINTER);
    EXPECT_EQ(host->GetChannelSetup(nullptr), E_POINTER);
    EXPECT_EQ(host->GetDisplay(nullptr), E_POINTER);
    EXPECT_EQ(host->GetTriggerSettings(nullptr), E_POINTER);
    EXPECT_EQ(host->GetNotebook(nullptr), E_POINTER);
    EXPECT_EQ(host->GetChannelGroup(0, nullptr), E_POINTER);
    EXPECT_EQ(host->GetSamplingSettings(nullptr), E_POINTER);
    EXPECT_EQ(host->Sampling().GetCurrentDevice(nullptr), E_POINTER);
    IDeviceObject* device = reinterpret_cast<IDeviceObject*>(&host);
    EXPECT_EQ(host->Sampling().GetCurrentDevice(&device), S_OK);
    EXPECT_EQ(device, nullptr);  // no master device
}

}  // namespace
}  // namespace session
