// The framework's inner document and class objects, created through the document-class
// registry and aggregated by an extension's document and document class: the outer object
// passes them every interface query it does not answer itself.
#pragma once

#include "host/api/custom_doc_class.h"
#include "host/api/custom_document.h"
#include "host/kyt/inner_parts.h"
#include "platform/com/interlocked.h"

namespace kyt {

// The non-delegating identity of an inner object, shared by both kinds: its own count, and
// the outer object that its parts answer for once it is set.
template <class Control>
class InnerObject : public Control {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr)
            return E_POINTER;
        *object = nullptr;
        if (iid == IID_IUnknown || iid == Control::kIid) {
            *object = static_cast<Control*>(this);
            AddRef();
            return S_OK;
        }
        IUnknown* part = FindPart(iid);
        if (part == nullptr)
            return E_NOINTERFACE;
        part->AddRef();  // goes to the outer object
        *object = part;
        return S_OK;
    }
    ULONG AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&count_)); }
    ULONG Release() override {
        const LONG count = InterlockedDecrement(&count_);
        if (count == 0)
            delete this;
        return static_cast<ULONG>(count);
    }

    IUnknown* Outer() const { return outer_; }

protected:
    InnerObject() = default;
    virtual ~InnerObject() = default;
    InnerObject(const InnerObject&) = delete;
    InnerObject& operator=(const InnerObject&) = delete;

    // The part answering `iid`, or null.
    virtual IUnknown* FindPart(REFIID iid) = 0;
    void SetOuter(IUnknown* outer) { outer_ = outer != nullptr ? outer : Self(); }
    IUnknown* const* OuterSlot() const { return &outer_; }

private:
    IUnknown* Self() { return static_cast<Control*>(this); }

    volatile LONG count_ = 0;
    IUnknown* outer_ = Self();  // not counted: the outer object owns this one
};

class InnerDocument final : public InnerObject<IInnerDocument> {
public:
    InnerDocument() = default;
    // Keeps the class, the host document and the outer document, none of them counted: the
    // outer document owns this object and holds the other two.
    HRESULT Initialise(ICustomDocClass* docClass, IUnknown* hostDocument, IUnknown* outer,
                       LONG reserved) override;

    ICustomDocClass* DocClass() const { return docClass_; }
    IUnknown* HostDocument() const { return hostDocument_; }

private:
    IUnknown* FindPart(REFIID iid) override;

    ICustomDocClass* docClass_ = nullptr;
    IUnknown* hostDocument_ = nullptr;
    IdentityPart<IHostStorage> storage_{OuterSlot()};
    InnerObserver observer_{OuterSlot()};
    InnerMessageHandler messageHandler_{OuterSlot()};
};

class InnerClassObject final : public InnerObject<IInnerClassObject> {
public:
    InnerClassObject() = default;
    HRESULT Initialise(IInnerClassObject** self, IUnknown* outer, LONG reserved) override;

private:
    IUnknown* FindPart(REFIID iid) override;

    IdentityPart<IClassCommands> classCommands_{OuterSlot()};
    InnerCommandHandler commandHandler_{OuterSlot()};
    InnerObserver observer_{OuterSlot()};
    InnerMessageHandler messageHandler_{OuterSlot()};
};

}  // namespace kyt
