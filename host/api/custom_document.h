// An extension document as the host framework drives it: one beside each host document.
#pragma once

#include "host/api/tev_string_forward.h"
#include "platform/com/unknown.h"
#include "platform/oleaut/bstr.h"

struct ICustomDocClass;
struct IPersistStream;

struct ICustomDocument : IUnknown {
    static constexpr IID kIid = MakeGuid("{6786FCE0-0F95-11D1-8CC5-00C0D1570D74}");

    // The title as a new BSTR (nothing when empty); a BSTR already held is freed first.
    virtual HRESULT GetTitle(BSTR* title) = 0;
    virtual HRESULT IsCustomDocument(VARIANT_BOOL* custom) = 0;
    // The host document is going away: the document lets go of it.
    virtual HRESULT Detach() = 0;
    virtual HRESULT GetViewCount(LONG* count) = 0;
    virtual HRESULT GetValue(LONG* value) = 0;
    // The host's document-data object, with a reference for the caller.
    virtual HRESULT GetHostData(IUnknown** data) = 0;
    // The persistence object for (flag, kind), or none with S_FALSE; `*other` is set to 0.
    virtual HRESULT GetPersistObject(LONG flag, LONG kind, IUnknown** other,
                                     IPersistStream** persist) = 0;
    virtual HRESULT SetName(ITevString* name) = 0;
    // The name, with a reference for the caller.
    virtual HRESULT GetName(ITevString** name) = 0;

protected:
    ~ICustomDocument() = default;
};

struct ICustomDocument2 : ICustomDocument {
    static constexpr IID kIid = MakeGuid("{3B1F470C-1731-4761-916A-B75F07F9E7F8}");

    virtual HRESULT GetUserValue(LONG* value) = 0;
    virtual HRESULT SetUserValue(LONG value) = 0;
    virtual HRESULT Reserved14() = 0;
    virtual HRESULT Reserved15() = 0;
    virtual HRESULT Reserved16() = 0;
    virtual HRESULT Reserved17() = 0;

protected:
    ~ICustomDocument2() = default;
};

// The inner document object the framework creates for a document (CreateObject
// kCreateInnerDocument), aggregated by the document.
struct IInnerDocument : IUnknown {
    static constexpr IID kIid = MakeGuid("{D6F52E82-B34D-11D3-80C7-005004AD3C53}");

    virtual HRESULT Unused3() { return E_NOTIMPL; }
    virtual HRESULT Unused4() { return E_NOTIMPL; }
    virtual HRESULT Unused5() { return E_NOTIMPL; }
    virtual HRESULT Unused6() { return E_NOTIMPL; }
    // `outer` is the controlling document; `hostDocument` the host's document beside it.
    virtual HRESULT Initialise(ICustomDocClass* docClass, IUnknown* hostDocument, IUnknown* outer,
                               LONG reserved) = 0;

protected:
    ~IInnerDocument() = default;
};
