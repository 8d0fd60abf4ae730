// The document's own operations, on a document made directly (the extension's code linked
// into the test) beside a host document of the simulated host, with the framework library's
// objects registered in COM as the framework.
#include <gtest/gtest.h>

#include <functional>

#include "extension/document/doc.h"
#include "extension/document/doc_class.h"
#include "host/api/framework_ids.h"
#include "host/device/device_description_text.h"
#include "host/device/simulated_corvex.h"
#include "host/kyt/class_objects.h"
#include "host/session/host_document.h"
#include "platform/com/class_objects.h"
#include "platform/com/ole_init.h"
#include "support/string/tev_string.h"
#include "tests/helpers/framework_registration.h"

namespace {

using VavazaZavidi::Doc;
using VavazaZavidi::DocClass;

class DocTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (host_)
            host_->Close();
    }

    void SetUp() override {
        RegisterFramework();
        docClass_ = ComPtr<ICustomDocClass>(new DocClass);
    }

    // A document beside a host document whose master device is described by `device`
    // (nothing: no device at all).
    Doc& Open(const char* device) {
        if (device != nullptr) {
            corvex_ = device::SimulatedCorvex::Create(device::ParseDeviceDescription(device));
        }
        return OpenOn(ComPtr<IDeviceObject>(corvex_.Get()));
    }

    // A document beside a host document whose current device is `device`.
    Doc& OpenOn(ComPtr<IDeviceObject> device) {
        if (host_)
            host_->Close();  // the host document and its documents hold each other
        document_.Reset();
        host_ = session::HostDocument::Create(std::move(device));
        ComPtr<IObserverRegistry> observers;
        CoGetClassObject(CLSID_FrameworkClassObject, CLSCTX_INPROC_SERVER, nullptr,
                         IObserverRegistry::kIid, reinterpret_cast<void**>(observers.OutParam()));
        EXPECT_EQ(host_->AddExtensionDocument(docClass_.Get(), observers.Get()), S_OK);
        document_ = host_->Extensions().back().document;
        return *static_cast<Doc*>(static_cast<ICustomDocument2*>(document_.Get()));
    }

    ComPtr<ICustomDocClass> docClass_;
    ComPtr<device::SimulatedCorvex> corvex_;
    ComPtr<session::HostDocument> host_;
    ComPtr<ICustomDocument> document_;
};

TEST_F(DocTest, PicksUpTheMasterDeviceAndAsksItsStatus) {
    Doc& doc = Open("");
    EXPECT_EQ(static_cast<void*>(doc.MasterDevice()), static_cast<IMasterDevice*>(corvex_.Get()));
    EXPECT_EQ(corvex_->StatusQueryCount(), 1);
    doc.RefreshDevice();
    EXPECT_EQ(corvex_->StatusQueryCount(), 2);
    EXPECT_EQ(doc.Configuration().GetCount(), 0);  // empty until a configuration arrives
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(doc.PersistenceOffered());
}

TEST_F(DocTest, AvailableOnlyWhenTheDeviceSupportsAutomaticOutputs) {
    EXPECT_TRUE(Open("auto-outputs=on").IsAvailable());
    EXPECT_FALSE(Open("auto-outputs=off").IsAvailable());
    EXPECT_FALSE(Open("auto-outputs=failing").IsAvailable());
    EXPECT_FALSE(Open("auto-outputs=absent").IsAvailable());
    corvex_.Reset();
    Doc& without = Open(nullptr);
    EXPECT_EQ(without.MasterDevice(), nullptr);
    EXPECT_FALSE(without.IsAvailable());
    EXPECT_FALSE(without.ApplyIfAvailable());
    without.ApplyOrStop();  // nothing to do without a device
    without.StopOutputs();
    without.WarnStimulator(1);
}

TEST_F(DocTest, DeviceNameComesFromTheDevicesProperties) {
    Tev::String name(u"unchanged");
    EXPECT_TRUE(Open("name=Corvex 16").GetDeviceName(name));
    EXPECT_EQ(name, u"Corvex 16");
    EXPECT_TRUE(Open("name=").GetDeviceName(name));
    EXPECT_TRUE(name.IsEmpty());
    corvex_.Reset();
    name = u"unchanged";
    EXPECT_FALSE(Open(nullptr).GetDeviceName(name));
    EXPECT_EQ(name, u"unchanged");
}

// A device object whose properties cannot be had, or cannot tell the name.
class NamelessDevice final : public ComObject<IDeviceObject, IDeviceProperties> {
public:
    HRESULT propertiesAnswer = S_OK;
    bool giveProperties = true;
    HRESULT textAnswer = S_OK;

    HRESULT GetProperties(LONG, IDeviceProperties** properties) override {
        *properties = nullptr;
        if (giveProperties && propertiesAnswer == S_OK) {
            *properties = this;
            AddRef();
        }
        return propertiesAnswer;
    }
    HRESULT GetText(ULONG, ITevString** text) override {
        *text = Tev::String(u"half a name").HandOut();
        return textAnswer;
    }
};

TEST_F(DocTest, DeviceNameStaysAsItWasWhenTheDeviceCannotTellIt) {
    const std::function<void(NamelessDevice&)> faults[] = {
        [](NamelessDevice& d) { d.propertiesAnswer = E_FAIL; },
        [](NamelessDevice& d) { d.giveProperties = false; },  // S_OK, but nothing
        [](NamelessDevice& d) { d.textAnswer = S_FALSE; },
        [](NamelessDevice& d) { d.textAnswer = E_OUTOFMEMORY; },
    };
    int index = 0;
    for (const auto& fault : faults) {
        ComPtr<NamelessDevice> device(new NamelessDevice);
        fault(*device.Get());
        Doc& doc = OpenOn(ComPtr<IDeviceObject>(static_cast<IDeviceObject*>(device.Get())));
        EXPECT_EQ(doc.MasterDevice(), nullptr);  // a device object without automatic outputs
        Tev::String name(u"unchanged");
        EXPECT_FALSE(doc.GetDeviceName(name)) << index;
        EXPECT_EQ(name, u"unchanged") << index;
        ++index;
    }
}

TEST_F(DocTest, StimulatorIsAskedThroughTheChannelInformation) {
    EXPECT_TRUE(Open("stimulator=on").IsStimulatorEnabled());
    EXPECT_FALSE(Open("stimulator=off").IsStimulatorEnabled());
    EXPECT_FALSE(Open("stimulator=absent").IsStimulatorEnabled());
}

TEST_F(DocTest, PersistenceIsOfferedOnceAndOnlyWhereAStorageServiceTakesIt) {
    Doc& doc = Open("");
    doc.RegisterPersistence();
    doc.RegisterPersistence();
    EXPECT_TRUE(doc.PersistenceOffered());
    EXPECT_EQ(host_->Extensions().front().offers, 1);
    EXPECT_EQ(host_->Extensions().front().offered, doc.Persistence());

    // A document without a host document has nowhere to offer it.
    ComPtr<ICustomDocument> alone;
    docClass_->CreateDocument(nullptr, nullptr, nullptr, alone.OutParam(), 0);
    Doc& lonely = *static_cast<Doc*>(static_cast<ICustomDocument2*>(alone.Get()));
    lonely.RegisterPersistence();
    EXPECT_FALSE(lonely.PersistenceOffered());
    IUnknown* other = nullptr;
    IPersistStream* persist = nullptr;
    EXPECT_EQ(alone->GetPersistObject(0, 2, &other, &persist), S_OK);
    EXPECT_EQ(persist, lonely.Persistence());
    EXPECT_TRUE(lonely.PersistenceOffered());
}

TEST_F(DocTest, DetachLetsGoOfTheHostAndTheSendTarget) {
    Doc& doc = Open("");
    EXPECT_NE(doc.ChildDocument(), nullptr);
    EXPECT_NE(doc.SendTarget(), nullptr);
    EXPECT_EQ(document_->Detach(), S_OK);
    EXPECT_EQ(doc.ChildDocument(), nullptr);
    EXPECT_EQ(doc.SendTarget(), nullptr);
}

}  // namespace
