// A document class as the host framework drives it: it names itself, creates one document per
// host document and initialises its commands.
#pragma once

#include "host/api/framework_ids.h"
#include "platform/com/unknown.h"
#include "platform/oleaut/bstr.h"

struct ICustomDocument;

// The framework's class-object interface.
struct IKYTClassObject : IUnknown {
    static constexpr IID kIid = MakeGuid("{7B542011-6854-11D1-B2A7-00600894D72A}");

protected:
    ~IKYTClassObject() = default;
};

struct ICustomDocClass : IKYTClassObject {
    static constexpr IID kIid = MakeGuid("{2EC7CEA3-1D34-11D2-B333-008048C36FE8}");

    // The class's MessageId base: its family number times 65536.
    virtual HRESULT GetMessageIdBase(MessageId* base) = 0;
    virtual HRESULT GetDocumentType(const GUID** type) = 0;
    // Behaves as GetName.
    virtual HRESULT GetDisplayName(BSTR* name) = 0;
    // S_OK when `type` is the class's document type (or both are absent), else S_FALSE.
    virtual HRESULT IsDocumentType(const GUID* type) = 0;
    // The class name as a new BSTR; a BSTR already in `*name` is freed first.
    virtual HRESULT GetName(BSTR* name) = 0;
    virtual HRESULT GetClassVersion(LONG* version) = 0;
    // A new document beside `hostDocument`, stored in `*document` with one reference.
    virtual HRESULT CreateDocument(IUnknown* reserved1, IUnknown* hostDocument, IUnknown* reserved3,
                                   ICustomDocument** document, LONG reserved5) = 0;
    virtual HRESULT Unused10() { return E_NOTIMPL; }
    // Called once after registration; `hostArgument` is passed on to the command list.
    virtual HRESULT Initialise(IUnknown* hostArgument) = 0;
    virtual HRESULT Terminate() = 0;
    virtual HRESULT GetClassId(const GUID** classId) = 0;
    // The work of Initialise.
    virtual HRESULT InitialiseCommands(IUnknown* hostArgument) = 0;

protected:
    ~ICustomDocClass() = default;
};

// The inner class object the framework creates for a document class (CreateObject
// kCreateInnerClassObject), aggregated by the class.
struct IInnerClassObject : IUnknown {
    static constexpr IID kIid = MakeGuid("{7B542012-6854-11D1-B2A7-00600894D72A}");

    virtual HRESULT Unused3() { return E_NOTIMPL; }
    virtual HRESULT Unused4() { return E_NOTIMPL; }
    virtual HRESULT Unused5() { return E_NOTIMPL; }
    virtual HRESULT Unused6() { return E_NOTIMPL; }
    // `self` is where the class keeps this object; `outer` is the controlling class.
    virtual HRESULT Initialise(IInnerClassObject** self, IUnknown* outer, LONG reserved) = 0;

protected:
    ~IInnerClassObject() = default;
};
